#pragma once
// The program's clock. Everything that needs "today" or "now" asks here, so that tests
// (and the demo) can fix the date: setNowFunction installs a source, ScopedClock fixes the
// time for one scope and restores the previous source afterwards.
#include <QDate>
#include <QDateTime>

#include <functional>

namespace tarix::fmt {

using NowFunction = std::function<QDateTime()>;

QDateTime now();
QDate today();

// An empty function restores the system clock. Returns the previous source.
// Stays a setter, not a registry entry: a test seam in platform/, below the core's registries.
NowFunction setNowFunction(NowFunction source);

class ScopedClock {
public:
    explicit ScopedClock(const QDateTime &fixed);
    ~ScopedClock();
    ScopedClock(const ScopedClock &) = delete;
    ScopedClock &operator=(const ScopedClock &) = delete;

private:
    NowFunction m_previous;
};

} // namespace tarix::fmt
