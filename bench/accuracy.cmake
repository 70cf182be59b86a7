# How far the normal accuracy's precalculated tables stray from the best.
add_executable(bench_accuracy bench_accuracy.cpp)
target_link_libraries(bench_accuracy PRIVATE kxapp)
