#ifndef CONVERTOPTIONS_H
#define CONVERTOPTIONS_H

#include <string>

// The command line of tintora-convert:
//   --in IN.icc --out OUT.icc [--intent 0-3] [--accuracy 0|1] [--lab]
//   [--decimals 0-6] [--gamut]
struct ConvertOptions
{
    std::string inputProfile;
    std::string outputProfile;
    long intent = 0; // perceptual, as the tool starts
    long accuracy = 0;
    bool labInput = false;
    long decimals = 0; // of the output device values
    bool gamutColumn = false; // the out-of-gamut difference as a last column
    bool helpWanted = false;
    bool versionWanted = false;

    // Empty on success, else what is wrong, as one line without newline.
    std::string parse(int argc, const char* const* argv);

    static const char* usage();
};

#endif
