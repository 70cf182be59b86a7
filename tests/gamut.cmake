tintora_add_test(NAME test_gamut_hull SOURCES test_gamut_hull.cpp LIBS kxwidgets PkgConfig::LCMS2 LABELS gamut)
tintora_add_test(NAME test_gamut_view SOURCES test_gamut_view.cpp LIBS kxwidgets LABELS gamut XVFB)
# The offscreen platform with an X display at hand can make an OpenGL
# context but cannot show the view: gamut display must still be refused.
add_test(NAME test_gamut_offscreen_with_display
         COMMAND xvfb-run -a $<TARGET_FILE:test_gamut_hull> withoutOpenGlThereIsNoGamutDisplayAndNoCrash)
set_tests_properties(test_gamut_offscreen_with_display PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-test_gamut_offscreen"
  LABELS gamut TIMEOUT 120)
tintora_add_test(NAME test_gamut_difference SOURCES test_gamut_difference.cpp LIBS tintoratool LABELS gamut)
add_dependencies(test_gamut_difference tintora-convert)
# The gamut answers in English and German under a real X server, with their pictures.
tintora_add_test(NAME test_gamut_look SOURCES test_gamut_look.cpp LIBS tintoratool LABELS gamut XVFB)
target_compile_definitions(test_gamut_look PRIVATE TINTORA_LANG_DIR="${TINTORA_LANG_DIR}")
add_dependencies(test_gamut_look tintora_translations)
