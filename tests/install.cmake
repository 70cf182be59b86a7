# The installed program: the trees `cmake --install` lays out, the installed
# program started from its desktop entry in each language, and the Debian
# package. The package is made from the plain build only.
set(install_tests test_install_tree test_install_language)
add_test(NAME test_install_tree COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install_tree.sh ${CMAKE_BINARY_DIR})
add_test(NAME test_install_language COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install_language.sh ${CMAKE_BINARY_DIR})
if(NOT TINTORA_SANITIZE)
  add_test(NAME test_install_package COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install_package.sh ${CMAKE_BINARY_DIR})
  list(APPEND install_tests test_install_package)
endif()
set_tests_properties(${install_tests} PROPERTIES
  ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-install"
  LABELS install
  TIMEOUT 900)
