# The CGATS readers on files at each of their limits.
add_executable(bench_cgats bench_cgats.cpp)
target_link_libraries(bench_cgats PRIVATE kxapp)
