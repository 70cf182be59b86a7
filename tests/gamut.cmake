tintora_add_test(NAME test_gamut_hull SOURCES test_gamut_hull.cpp LIBS kxwidgets PkgConfig::LCMS2 LABELS gamut)
tintora_add_test(NAME test_gamut_view SOURCES test_gamut_view.cpp LIBS kxwidgets LABELS gamut XVFB)
# The offscreen platform with an X display at hand can make an OpenGL
# context but cannot show the view: gamut display must still be refused.
add_test(NAME test_gamut_offscreen_with_display
         COMMAND xvfb-run -a $<TARGET_FILE:test_gamut_hull> withoutOpenGlThereIsNoGamutDisplayAndNoCrash)
set_tests_properties(test_gamut_offscreen_with_display PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-test_gamut_offscreen"
  LABELS gamut TIMEOUT 120)

if(TINTORA_SANITIZE)
  # Mesa's driver is unloaded when the X connection closes at exit, and the
  # leak checker then takes what the driver still held for leaks of unknown
  # origin. Kept loaded, the driver's memory stays reachable and only real
  # leaks are reported; without the driver to hand, leaks go unchecked here.
  find_file(TINTORA_MESA_DRIVER swrast_dri.so PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri NO_DEFAULT_PATH)
  if(TINTORA_MESA_DRIVER)
    set_property(TEST test_gamut_view APPEND PROPERTY ENVIRONMENT
                 "LD_PRELOAD=${TINTORA_MESA_DRIVER}" "ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0")
  else()
    set_property(TEST test_gamut_view APPEND PROPERTY ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
  endif()
endif()
