#include "platform/format/clock.h"

#include <mutex>

namespace tarix::fmt {
namespace {

std::mutex g_mutex;
NowFunction g_source;

} // namespace

QDateTime now()
{
    NowFunction source;
    {
        std::lock_guard lock(g_mutex);
        source = g_source;
    }
    return source ? source() : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

NowFunction setNowFunction(NowFunction source)
{
    std::lock_guard lock(g_mutex);
    std::swap(g_source, source);
    return source;
}

ScopedClock::ScopedClock(const QDateTime &fixed)
    : m_previous(setNowFunction([fixed] { return fixed; }))
{
}

ScopedClock::~ScopedClock()
{
    setNowFunction(std::move(m_previous));
}

} // namespace tarix::fmt
