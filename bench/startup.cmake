# Start-up against a bare Qt main window built beside it; needs an X server:
#   xvfb-run -a -s "-screen 0 1280x1024x24" bench_startup [--runs N]
add_executable(bare_window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
target_link_libraries(bare_window PRIVATE Qt6::Widgets)
add_executable(form_window ${CMAKE_CURRENT_LIST_DIR}/form_window.cpp)
target_link_libraries(form_window PRIVATE tintoratool kxwidgets)
add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp)
target_link_libraries(bench_startup PRIVATE kxapp PkgConfig::XCB)
target_compile_definitions(bench_startup PRIVATE BARE_WINDOW_PATH="$<TARGET_FILE:bare_window>"
  FORM_WINDOW_PATH="$<TARGET_FILE:form_window>" TINTORA_PATH="$<TARGET_FILE:tintora>")
add_dependencies(bench_startup bare_window form_window tintora)
