tintora_add_test(NAME test_cms SOURCES test_cms.cpp LIBS kxapp PkgConfig::LCMS2 Qt6::Core LABELS cms)
# The simplex context is the engine's own; the test weighs it directly.
target_include_directories(test_cms PRIVATE ${PROJECT_SOURCE_DIR}/components/cms/internal)
# Needs Argyll's xicclu (Debian package argyll); fails without it.
tintora_add_test(NAME test_cms_agreement SOURCES test_cms_agreement.cpp LIBS kxapp Qt6::Core LABELS cms)
tintora_add_test(NAME test_convert SOURCES test_convert.cpp LIBS kxapp Qt6::Core LABELS cms)
add_dependencies(test_convert tintora-convert)
# Needs LittleCMS's transicc (Debian package liblcms2-utils), the
# floating-point peer; fails without it.
tintora_add_test(NAME test_cms_exact SOURCES test_cms_exact.cpp LIBS kxapp PkgConfig::LCMS2 Qt6::Core LABELS cms)
add_dependencies(test_cms_exact tintora-convert tintora-chart)
