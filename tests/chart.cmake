# The colour check chart: culls against the plain reference, generation,
# PostScript page, window, swatch charts, measurement, target export, and
# Argyll's strip workflow with control patches.
tintora_add_test(NAME test_chart_cull
  SOURCES test_chart_cull.cpp ReferenceCull.cpp
  LIBS tintorachartmodel PkgConfig::LCMS2)
tintora_add_test(NAME test_chart_export
  SOURCES test_chart_export.cpp
  LIBS tintorachartmodel PkgConfig::LCMS2)
add_dependencies(test_chart_export tintora-chart)
tintora_add_test(NAME test_chart_window
  SOURCES test_chart_window.cpp
  LIBS tintorachart)
tintora_add_test(NAME test_chart_measurements
  SOURCES test_chart_measurements.cpp
  LIBS tintorachart PkgConfig::LCMS2)
add_dependencies(test_chart_measurements tintora-chart)
tintora_add_test(NAME test_chart_session
  SOURCES test_chart_session.cpp
  LIBS tintorachart PkgConfig::LCMS2)
target_compile_definitions(test_chart_session PRIVATE TINTORA_LANG_DIR="${TINTORA_LANG_DIR}")
add_dependencies(test_chart_session tintora_translations tintora-chart)
tintora_add_test(NAME test_chart_argyll
  SOURCES test_chart_argyll.cpp
  LIBS tintorachartmodel)
add_dependencies(test_chart_argyll tintora-chart)
# A printer profile made in the chart window from fakeread's readings, and
# its gamut beside the chart's profile under a real X server.
tintora_add_test(NAME test_chart_profile
  SOURCES test_chart_profile.cpp
  LIBS tintorachart PkgConfig::LCMS2 XVFB)
add_dependencies(test_chart_profile tintora-chart)
# One row profiles an RGB printer from the window: in the sanitizer build
# beside other work that takes minutes, so the limits that catch a hang are
# raised for this program.
set_property(TEST test_chart_profile APPEND PROPERTY ENVIRONMENT "QTEST_FUNCTION_TIMEOUT=900000")
set_tests_properties(test_chart_profile PROPERTIES TIMEOUT 1200)
tintora_add_test(NAME test_chart_verdict
  SOURCES test_chart_verdict.cpp
  LIBS Qt6::Core PkgConfig::LCMS2)
add_dependencies(test_chart_verdict tintora-chart)
# The profiling chart's count, paper, ink limit, neutral share and spread.
tintora_add_test(NAME test_chart_profiling
  SOURCES test_chart_profiling.cpp
  LIBS Qt6::Core PkgConfig::LCMS2)
add_dependencies(test_chart_profiling tintora-chart)
