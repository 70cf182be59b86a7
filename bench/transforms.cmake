# Creating the tool's transforms and converting with them. The benchmark
# empties the engine's transform cache, so it reaches into the engine.
add_executable(bench_transforms bench_transforms.cpp)
target_include_directories(bench_transforms PRIVATE ${PROJECT_SOURCE_DIR}/components/cms/internal)
target_link_libraries(bench_transforms PRIVATE kxapp PkgConfig::LCMS2)
