# The interface language: start-up choice, menu and restart, with the shipped
# translations; and the translation sources against the texts of the code.
tintora_add_test(NAME test_language SOURCES test_language.cpp LIBS tintoraapp)
target_compile_definitions(test_language PRIVATE TINTORA_LANG_DIR="${TINTORA_LANG_DIR}"
  $<$<BOOL:${TINTORA_LANG_WITH_TOOLKIT}>:TINTORA_LANG_WITH_TOOLKIT>)
add_dependencies(test_language tintora_translations)

tintora_add_test(NAME test_language_coverage SOURCES test_language_coverage.cpp LIBS Qt6::Core)
target_compile_definitions(test_language_coverage PRIVATE
  TINTORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  TINTORA_LUPDATE="$<TARGET_FILE:Qt6::lupdate>")

# The windows in each language under a real X server, with their pictures.
tintora_add_test(NAME test_language_look SOURCES test_language_look.cpp LIBS tintoraapp tintorachart XVFB)
target_compile_definitions(test_language_look PRIVATE
  TINTORA_LANG_DIR="${TINTORA_LANG_DIR}"
  TINTORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_dependencies(test_language_look tintora_translations)
