# Needs Argyll (targen, fakeread, iccdump, profcheck, xicclu) and LittleCMS's transicc.
tintora_add_test(NAME test_profile SOURCES test_profile.cpp LIBS tintoraprofile kxapp Qt6::Core PkgConfig::LCMS2 LABELS profile)
add_dependencies(test_profile tintora-profile)
tintora_add_test(NAME test_profile_kernels SOURCES test_profile_kernels.cpp LIBS tintoraprofile LABELS profile)
