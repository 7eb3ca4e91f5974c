# The tests run the real program, built beside them, and read its JSON output.
add_dependencies(${target} varneth-cli)
target_link_libraries(${target} PRIVATE nlohmann_json::nlohmann_json)
