# tintora-profile against Argyll's colprof on a simulated printer: the
# profiles' accuracy, limits and smoothness, and both programs' times.
add_executable(bench_profile ${CMAKE_CURRENT_LIST_DIR}/bench_profile.cpp)
target_compile_definitions(bench_profile PRIVATE TINTORA_PROFILE="$<TARGET_FILE:tintora-profile>"
                                                 TINTORA_CHART="$<TARGET_FILE:tintora-chart>"
                                                 TINTORA_RGB_PRINTER="${CMAKE_SOURCE_DIR}/tests/data/profile/rgb_printer.icc")
target_link_libraries(bench_profile PRIVATE PkgConfig::LCMS2)
add_dependencies(bench_profile tintora-profile tintora-chart)
