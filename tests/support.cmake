tintora_add_test(NAME test_support SOURCES test_support.cpp LIBS kxlib Qt6::Core)
tintora_add_test(NAME test_registry SOURCES test_registry.cpp LIBS kxapp Qt6::Core)
