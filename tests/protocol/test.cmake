# The virtual mouse stands in for real hardware in these tests.
if(TARGET varneth_sim)
    target_link_libraries(${target} PRIVATE varneth_sim)
endif()
