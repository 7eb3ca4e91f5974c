# The widget tests draw with the skin images beside the test program.
if(TARGET varneth_skin_images)
    add_dependencies(${target} varneth_skin_images)
endif()
