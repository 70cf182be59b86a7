tintora_add_test(NAME test_mainwindow SOURCES test_mainwindow.cpp LIBS tintoraapp)
add_test(NAME test_shell_session COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/shell_session.sh $<TARGET_FILE:tintora>)
set_tests_properties(test_shell_session PROPERTIES TIMEOUT 120)
