#ifndef INPUTLINES_H
#define INPUTLINES_H

#include <cstdio>
#include <string>

// Reads a file descriptor line by line. Before a read that would wait for
// more input, the given output stream is flushed: a script streaming
// colours gets block-sized writes, and a person typing a colour sees its
// answer at once.
class InputLines
{
public:
    InputLines(int descriptor, std::FILE* flushBeforeWaiting);

    // The next line without its newline; false at the end of the input or
    // on a read error. A last line without a newline still counts.
    bool next(std::string& line);

private:
    bool fill();

    int m_descriptor;
    std::FILE* m_output;
    std::string m_pending;
    bool m_ended = false;
};

#endif
