#include "ProfileProgress.h"

#include <utility>

ProfileProgress::ProfileProgress(Callback callback, const std::atomic<bool>* cancel)
    : m_callback(std::move(callback))
    , m_cancel(cancel)
{
}

bool ProfileProgress::report(const char* stage, double fraction) const
{
    if (m_callback)
        m_callback(stage, fraction);
    return !cancelled();
}

bool ProfileProgress::cancelled() const
{
    return m_cancel && m_cancel->load(std::memory_order_relaxed);
}
