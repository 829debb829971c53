#pragma once
// Another program writing a firm's database: a connection of its own that writes through
// alias TARIX_DATA on `firm` and keeps its transaction open for `hold`, from its own thread.
// The constructor returns once the lock is held; the destructor waits for its commit.
#include <QString>

#include <chrono>
#include <thread>

namespace tarix::test {

class WriteLock {
public:
    WriteLock(const QString &firm, std::chrono::milliseconds hold, const QString &write);
    ~WriteLock();
    WriteLock(const WriteLock &) = delete;
    WriteLock &operator=(const WriteLock &) = delete;

private:
    std::thread m_thread;
};

} // namespace tarix::test
