tintora_add_test(NAME test_gamut_hull SOURCES test_gamut_hull.cpp LIBS kxwidgets PkgConfig::LCMS2 LABELS gamut)
tintora_add_test(NAME test_gamut_view SOURCES test_gamut_view.cpp LIBS kxwidgets LABELS gamut XVFB)
