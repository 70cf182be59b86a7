# Needs Argyll (targen, fakeread, iccdump, profcheck, xicclu) and LittleCMS's transicc.
tintora_add_test(NAME test_profile SOURCES test_profile.cpp LIBS tintoraprofile kxapp Qt6::Core PkgConfig::LCMS2 LABELS profile)
add_dependencies(test_profile tintora-profile)
tintora_add_test(NAME test_profile_kernels SOURCES test_profile_kernels.cpp LIBS tintoraprofile LABELS profile)
# Each forward fit chooses its model by cross-validation (nine solves): in the
# sanitizer build beside other work that takes minutes, so the limits that
# catch a hang are raised for this program.
set_property(TEST test_profile_kernels APPEND PROPERTY ENVIRONMENT "QTEST_FUNCTION_TIMEOUT=900000")
set_tests_properties(test_profile_kernels PROPERTIES TIMEOUT 1500)
# Its set-up profiles two printers, CMYK and RGB: in the sanitizer build
# beside other work each takes up to two minutes.
set_property(TEST test_profile APPEND PROPERTY ENVIRONMENT "QTEST_FUNCTION_TIMEOUT=900000")
