tintora_add_test(NAME test_mainwindow SOURCES test_mainwindow.cpp LIBS tintoraapp)
add_test(NAME test_shell_session COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/shell_session.sh $<TARGET_FILE:tintora>)
set_tests_properties(test_shell_session PROPERTIES TIMEOUT 120)
# Start-up on a real X server: gamut display offered without an OpenGL driver
# loaded; the driver comes with the first gamut window.
tintora_add_test(NAME test_startup SOURCES test_startup.cpp LIBS tintoraapp XVFB)
