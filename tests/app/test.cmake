# The device side runs against the virtual mouse.
if(TARGET varneth_sim)
    target_link_libraries(${target} PRIVATE varneth_sim)
endif()
