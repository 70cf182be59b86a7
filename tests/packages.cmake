# The set-up's package check, run against the set-up's list with one package
# the build needs taken out: it must fail and name that package.
if(NOT TINTORA_SANITIZE)
  add_test(NAME check_packages_names_what_is_missing
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/check_packages_names_what_is_missing.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(check_packages_names_what_is_missing PROPERTIES TIMEOUT 300)
endif()
