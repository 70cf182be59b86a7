# Creating the tool's transforms and converting with them.
add_executable(bench_transforms bench_transforms.cpp)
target_link_libraries(bench_transforms PRIVATE kxapp PkgConfig::LCMS2)
