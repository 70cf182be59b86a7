# The colour check chart: culls against the plain reference, generation,
# PostScript page, window, swatch charts, measurement and target export.
tintora_add_test(NAME test_chart_cull
  SOURCES test_chart_cull.cpp ReferenceCull.cpp
  LIBS tintorachartmodel)
tintora_add_test(NAME test_chart_export
  SOURCES test_chart_export.cpp
  LIBS tintorachartmodel PkgConfig::LCMS2)
add_dependencies(test_chart_export tintora-chart)
tintora_add_test(NAME test_chart_window
  SOURCES test_chart_window.cpp
  LIBS tintorachart)
