# tintora-convert's colours per second against a plain LittleCMS loop.
add_executable(bench_convert bench_convert.cpp)
target_compile_definitions(bench_convert PRIVATE TINTORA_CONVERT="$<TARGET_FILE:tintora-convert>")
target_link_libraries(bench_convert PRIVATE PkgConfig::LCMS2)
add_dependencies(bench_convert tintora-convert)
