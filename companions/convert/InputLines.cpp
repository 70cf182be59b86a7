#include "InputLines.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr std::size_t READ_SIZE = 64 * 1024;

bool wouldWait(int descriptor)
{
    pollfd ready{descriptor, POLLIN, 0};
    int result;
    do {
        result = poll(&ready, 1, 0);
    } while (result < 0 && errno == EINTR);
    return result == 0;
}

} // namespace

InputLines::InputLines(int descriptor, std::FILE* flushBeforeWaiting)
    : m_descriptor(descriptor)
    , m_output(flushBeforeWaiting)
{
}

bool InputLines::next(std::string& line)
{
    std::size_t end;
    while ((end = m_pending.find('\n')) == std::string::npos) {
        if (m_ended || !fill()) {
            if (m_pending.empty())
                return false;
            line.swap(m_pending);
            m_pending.clear();
            return true;
        }
    }
    line.assign(m_pending, 0, end);
    m_pending.erase(0, end + 1);
    return true;
}

// Appends what one read gives; false at the end of the input.
bool InputLines::fill()
{
    if (wouldWait(m_descriptor))
        std::fflush(m_output);
    char buffer[READ_SIZE];
    ssize_t count;
    do {
        count = read(m_descriptor, buffer, sizeof buffer);
    } while (count < 0 && errno == EINTR);
    if (count <= 0) {
        m_ended = true;
        return false;
    }
    m_pending.append(buffer, std::size_t(count));
    return true;
}
