tintora_add_test(NAME test_cms SOURCES test_cms.cpp LIBS kxapp PkgConfig::LCMS2 Qt6::Core LABELS cms)
