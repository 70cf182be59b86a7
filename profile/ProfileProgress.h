#ifndef PROFILEPROGRESS_H
#define PROFILEPROGRESS_H

#include <atomic>
#include <functional>

// What the profiler reports while it works, and how it is stopped: the
// callback hears a stage name and the fraction of the whole work done
// (0 to 1); the flag, set from any thread, makes the profiler give up at
// its next report. Both are optional.
class ProfileProgress
{
public:
    using Callback = std::function<void(const char* stage, double fraction)>;

    ProfileProgress() = default;
    ProfileProgress(Callback callback, const std::atomic<bool>* cancel);

    // Reports, and answers false when the work is to stop.
    bool report(const char* stage, double fraction) const;
    // Whether the work is to stop, asked between reports inside long loops
    // so that a cancel ends the work within a fraction of a second.
    bool cancelled() const;

private:
    Callback m_callback;
    const std::atomic<bool>* m_cancel = nullptr;
};

#endif
