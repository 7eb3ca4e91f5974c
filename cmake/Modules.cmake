# Helpers that let each module folder grow without editing the build: a library takes every
# source file of the folders it names, and every folder under tests/ becomes one test program.

# varneth_module_sources(<out-var> <folder>...): the .cpp files below the given src/ folders.
function(varneth_module_sources out)
    set(files)
    foreach(dir IN LISTS ARGN)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
        list(APPEND files ${found})
    endforeach()
    set(${out} ${files} PARENT_SCOPE)
endfunction()
