# The main window with its device side on the virtual mouse, drawn with the skin images beside
# the test program; the program itself is run for its command line and its screenshots.
if(TARGET varneth_skin_images)
    add_dependencies(${target} varneth_skin_images)
endif()
add_dependencies(${target} varneth)
