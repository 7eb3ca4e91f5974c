# The typing tests open their own X windows (and start their own X servers) to receive keys.
target_link_libraries(${target} PRIVATE PkgConfig::X11LIBS)
