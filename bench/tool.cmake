# Slider steps of the conversion tool: CMYK input, RGB output and monitor.
add_executable(bench_tool bench_tool.cpp)
target_include_directories(bench_tool PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
target_link_libraries(bench_tool PRIVATE tintoratool)
