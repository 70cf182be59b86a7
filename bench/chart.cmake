# Chart generation: the indexed culls against the plain all-pairs reference.
add_executable(bench_chart ${CMAKE_CURRENT_SOURCE_DIR}/bench_chart.cpp
  ${CMAKE_SOURCE_DIR}/tests/ReferenceCull.cpp)
target_include_directories(bench_chart PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench_chart PRIVATE tintorachartmodel)
