# Chart generation: the indexed culls against the plain all-pairs reference.
add_executable(bench_chart ${CMAKE_CURRENT_SOURCE_DIR}/bench_chart.cpp
  ${CMAKE_SOURCE_DIR}/tests/ReferenceCull.cpp)
target_include_directories(bench_chart PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench_chart PRIVATE tintorachartmodel)

# Chart generation against its floor, as whole processes: tintora-chart beside
# chart_floor, a plain LittleCMS program converting the grid colours to Lab.
add_executable(chart_floor ${CMAKE_CURRENT_LIST_DIR}/chart_floor.cpp)
target_link_libraries(chart_floor PRIVATE PkgConfig::LCMS2)
add_executable(bench_chart_floor ${CMAKE_CURRENT_LIST_DIR}/bench_chart_floor.cpp)
target_compile_definitions(bench_chart_floor PRIVATE CHART_FLOOR_PATH="$<TARGET_FILE:chart_floor>"
  TINTORA_CHART_PATH="$<TARGET_FILE:tintora-chart>")
add_dependencies(bench_chart_floor chart_floor tintora-chart)
