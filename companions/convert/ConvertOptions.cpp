#include "ConvertOptions.h"

#include <Companion.h>
#include <KxFileNameText.h>
#include <KxIcc.h>
#include <KxWholeNumber.h>

#include <climits>

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
        if (Companion::asksHelpOrVersion(option, helpWanted, versionWanted))
            return {};
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
            return "unknown option " + Kx_quotedFileName(option);
        if (i + 1 >= argc)
            return "option " + option + " needs a value";
        const char* value = argv[++i];
        if (option == "--in") {
            inputProfile = value;
        } else if (option == "--out") {
            outputProfile = value;
        } else if (option == "--intent") {
            if (!Kx_wholeNumber(value, LONG_MIN, LONG_MAX, intent) || !isKnownIntent(intent))
                return "--intent takes 0 (perceptual), 1 (relative), 2 (saturation) or 3 (absolute)";
        } else if (option == "--decimals") {
            if (!Kx_wholeNumber(value, 0, 6, decimals))
                return "--decimals takes 0 to 6";
        } else if (!Kx_wholeNumber(value, 0, 1, accuracy)) {
            return "--accuracy takes 0 (normal) or 1 (best)";
        }
    }
    if (inputProfile.empty() || outputProfile.empty())
        return "both --in and --out are needed";
    return {};
}
