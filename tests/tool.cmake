tintora_add_test(NAME test_tool_form SOURCES test_tool_form.cpp LIBS tintoratool)
tintora_add_test(NAME test_tool SOURCES test_tool.cpp LIBS tintoratool)
tintora_add_test(NAME test_tool_look SOURCES test_tool_look.cpp LIBS tintoratool)
tintora_add_test(NAME test_instrumentpanel SOURCES test_instrumentpanel.cpp LIBS kxwidgets)
# The tool's values are checked against the command-line converter.
add_dependencies(test_tool tintora-convert)
