tintora_add_test(NAME test_swatch SOURCES test_swatch.cpp LIBS kxapp Qt6::Core)
target_compile_definitions(test_swatch PRIVATE TINTORA_ARGYLL_REF="/usr/share/color/argyll/ref")
tintora_add_test(NAME test_swatch_hostile SOURCES test_swatch_hostile.cpp LIBS kxapp Qt6::Core)
tintora_add_test(NAME test_iso12642 SOURCES test_iso12642.cpp LIBS kxapp Qt6::Core)
