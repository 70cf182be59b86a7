# The print layout's PDF pages, as whole processes of tintora-chart.
add_executable(bench_print_layout ${CMAKE_CURRENT_LIST_DIR}/bench_print_layout.cpp)
target_compile_definitions(bench_print_layout PRIVATE TINTORA_CHART_PATH="$<TARGET_FILE:tintora-chart>")
add_dependencies(bench_print_layout tintora-chart)
