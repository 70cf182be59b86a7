#include "ConvertOptions.h"

#include "KxIcc.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// A whole decimal integer within [low, high].
bool parseInteger(const char* text, long low, long high, long& value)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (*end != '\0' || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

} // namespace

const char* ConvertOptions::usage()
{
    return "usage: tintora-convert --in IN.icc --out OUT.icc [--intent 0-3] [--accuracy 0|1] [--lab]"
           " [--decimals 0-6] [--gamut]\n"
           "       tintora-convert --help | --version";
}

std::string ConvertOptions::parse(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            helpWanted = true;
            return {};
        }
        if (option == "--version") {
            versionWanted = true;
            return {};
        }
        if (option == "--lab") {
            labInput = true;
            continue;
        }
        if (option == "--gamut") {
            gamutColumn = true;
            continue;
        }
        if (option != "--in" && option != "--out" && option != "--intent" && option != "--accuracy"
            && option != "--decimals")
            return "unknown option '" + option + "'";
        if (i + 1 >= argc)
            return "option " + option + " needs a value";
        const char* value = argv[++i];
        if (option == "--in") {
            inputProfile = value;
        } else if (option == "--out") {
            outputProfile = value;
        } else if (option == "--intent") {
            long given = 0;
            if (!parseInteger(value, LONG_MIN, LONG_MAX, given) || !isKnownIntent(given))
                return "--intent takes 0 (perceptual), 1 (relative), 2 (saturation) or 3 (absolute)";
            intent = given;
        } else if (option == "--decimals") {
            if (!parseInteger(value, 0, 6, decimals))
                return "--decimals takes 0 to 6";
        } else if (!parseInteger(value, 0, 1, accuracy)) {
            return "--accuracy takes 0 (normal) or 1 (best)";
        }
    }
    if (inputProfile.empty() || outputProfile.empty())
        return "both --in and --out are needed";
    return {};
}
