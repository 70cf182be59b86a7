tintora_add_test(NAME test_swatch SOURCES test_swatch.cpp LIBS kxapp Qt6::Core)
target_compile_definitions(test_swatch PRIVATE TINTORA_ARGYLL_REF="/usr/share/color/argyll/ref")
# Reaches into the swatch readers' table and list, and into the engine to
# parse with its CGATS parser's memory budget.
tintora_add_test(NAME test_swatch_hostile SOURCES test_swatch_hostile.cpp LIBS kxapp PkgConfig::LCMS2 Qt6::Core)
target_include_directories(test_swatch_hostile PRIVATE ${PROJECT_SOURCE_DIR}/components/app/swatch/internal
                           ${PROJECT_SOURCE_DIR}/components/cms/internal)
# Reads the target files back with LittleCMS's own CGATS parser.
tintora_add_test(NAME test_iso12642 SOURCES test_iso12642.cpp LIBS kxapp PkgConfig::LCMS2 Qt6::Core)
