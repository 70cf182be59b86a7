tintora_add_test(NAME test_companion_manners SOURCES test_companion_manners.cpp LIBS Qt6::Core)
add_dependencies(test_companion_manners tintora-convert tintora-chart tintora-profile)
