#ifndef KXTOOLSETTINGS_H
#define KXTOOLSETTINGS_H

// The settings section of the conversion tool; the chart windows it opens
// keep their remembered folders there too.
inline constexpr char TOOL_REGISTRY_SECTION[] = "tintora";

#endif
