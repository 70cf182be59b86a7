// tintora-convert: reads one colour per line on standard input and prints
// its conversion between two ICC profiles, one line per colour.

#include "ColourConverter.h"
#include "ConvertOptions.h"

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    ConvertOptions options;
    const std::string optionError = options.parse(argc, argv);
    if (options.helpWanted) {
        std::printf("%s\n", ConvertOptions::usage());
        return 0;
    }
    if (!optionError.empty()) {
        std::fprintf(stderr, "tintora-convert: %s\n%s\n", optionError.c_str(), ConvertOptions::usage());
        return 2;
    }

    ColourConverter converter;
    const std::string profileError = converter.open(options);
    if (!profileError.empty()) {
        std::fprintf(stderr, "tintora-convert: %s\n", profileError.c_str());
        return 1;
    }

    const ColourLine reader = converter.lineReader();
    bool anyBad = false;
    unsigned long lineNumber = 0;
    std::vector<double> values;
    for (std::string line; std::getline(std::cin, line);) {
        ++lineNumber;
        if (ColourLine::isBlank(line))
            continue;
        const std::string lineError = reader.read(line, values);
        if (!lineError.empty()) {
            std::fprintf(stderr, "tintora-convert: line %lu: %s\n", lineNumber, lineError.c_str());
            anyBad = true;
            continue;
        }
        std::printf("%s\n", converter.convert(values).c_str());
    }
    return anyBad ? 1 : 0;
}
