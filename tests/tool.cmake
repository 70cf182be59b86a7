tintora_add_test(NAME test_tool_form SOURCES test_tool_form.cpp LIBS tintoratool)
tintora_add_test(NAME test_tool SOURCES test_tool.cpp LIBS tintoratool)
tintora_add_test(NAME test_tool_look SOURCES test_tool_look.cpp LIBS tintoratool)
tintora_add_test(NAME test_instrumentpanel SOURCES test_instrumentpanel.cpp LIBS kxwidgets)
# The tool's values are checked against the command-line converter.
add_dependencies(test_tool tintora-convert)
# Gamut display is offered only where OpenGL widgets can be shown: run the
# tool's gamut commands once more under Xvfb.
add_test(NAME test_tool_gamut_xvfb
         COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:test_tool> gamutDisplayFollowsSupport)
set_tests_properties(test_tool_gamut_xvfb PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-test_tool_gamut_xvfb"
  TIMEOUT 120)
tintora_keep_gl_driver_loaded(test_tool_gamut_xvfb)
# The Lab typed back, as a user types it, on a real X display.
add_test(NAME test_tool_look_xvfb
         COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:test_tool_look> labTypedBackGivesTheSameCmyk)
set_tests_properties(test_tool_look_xvfb PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-test_tool_look_xvfb"
  LABELS tool TIMEOUT 120)
