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

# varneth_module(<name> [DEPS <target>...] [LIBS <target>...]): the library varneth_<name> from
# the .cpp files under src/<name>/. A folder with headers only (or none yet) gives an interface
# library, so dependents can link it either way. DEPS are other modules: those not defined yet
# are left out, which keeps a module buildable while its neighbours are still being written.
function(varneth_module name)
    cmake_parse_arguments(M "" "" "DEPS;LIBS" ${ARGN})
    varneth_module_sources(sources ${name})
    set(target varneth_${name})
    set(deps)
    foreach(dep IN LISTS M_DEPS)
        if(TARGET ${dep})
            list(APPEND deps ${dep})
        endif()
    endforeach()
    if(sources)
        add_library(${target} STATIC ${sources})
        target_link_libraries(${target} PUBLIC ${deps} ${M_LIBS})
    else()
        add_library(${target} INTERFACE)
        target_link_libraries(${target} INTERFACE ${deps} ${M_LIBS})
    endif()
endfunction()
