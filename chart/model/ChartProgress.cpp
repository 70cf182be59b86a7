#include "ChartProgress.h"

#include <cstdio>

ChartProgress standardOutputProgress()
{
    return [](const char* line) {
        std::fputs(line, stdout);
        std::fflush(stdout);
    };
}
