// tintora-convert: reads one colour per line on standard input and prints
// its conversion between two ICC profiles, one line per input line: a line
// that cannot be converted gives an empty line, and its message goes to
// standard error.

#include "ColourConverter.h"
#include "ConvertOptions.h"
#include "InputLines.h"

#include <Companion.h>
#include <KxWriteResult.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    const Companion tool("tintora-convert", ConvertOptions::usage());
    ConvertOptions options;
    const std::string optionError = options.parse(argc, argv);
    if (tool.answeredHelpOrVersion(options.helpWanted, options.versionWanted))
        return Companion::Succeeded;
    if (!optionError.empty())
        return tool.malformed(optionError);

    ColourConverter converter;
    const std::string profileError = converter.open(options);
    if (!profileError.empty())
        return tool.fail(profileError);

    // Written in blocks; InputLines flushes whenever it has to wait.
    static char outputBuffer[64 * 1024];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

    const ColourLine reader = converter.lineReader();
    InputLines input(STDIN_FILENO, stdout);
    bool anyBad = false;
    int outputError = 0; // the errno of the first failed write to standard output
    unsigned long lineNumber = 0;
    std::vector<double> values;
    std::string converted;
    for (std::string line; input.next(line);) {
        ++lineNumber;
        std::string lineError;
        if (!ColourLine::isBlank(line)) {
            lineError = reader.read(line, values);
            if (lineError.empty() && !converter.convert(values, converted))
                lineError = "the engine cannot convert this colour";
        }
        if (!lineError.empty()) {
            std::fflush(stdout);
            std::fprintf(stderr, "tintora-convert: line %lu: %s\n", lineNumber, lineError.c_str());
            anyBad = true;
        }
        const bool answered = lineError.empty() && !ColourLine::isBlank(line);
        if ((std::fputs(answered ? converted.c_str() : "", stdout) == EOF || std::fputc('\n', stdout) == EOF)
            && !outputError)
            outputError = errno;
    }
    if (std::fflush(stdout) != 0 && !outputError)
        outputError = errno;
    if (outputError || std::ferror(stdout)) {
        const KxWriteResult failure = KxWriteResult::failed(KxWriteResult::Writing, outputError);
        return tool.fail("the conversions could not be written to standard output: " + failure.reason());
    }
    return anyBad ? Companion::Failed : Companion::Succeeded;
}
