# The probe program the single-instance tests start twice.
add_executable(instance_probe ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/InstanceProbe.cpp)
target_link_libraries(instance_probe PRIVATE varneth_platform)
add_dependencies(${target} instance_probe)
