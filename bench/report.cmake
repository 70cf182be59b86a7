# The verification report, as whole processes of tintora-chart.
add_executable(bench_report ${CMAKE_CURRENT_LIST_DIR}/bench_report.cpp)
target_compile_definitions(bench_report PRIVATE TINTORA_CHART_PATH="$<TARGET_FILE:tintora-chart>")
add_dependencies(bench_report tintora-chart)
