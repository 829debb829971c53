#include "support/write_lock.h"

#include "platform/db/session.h"

#include <future>

namespace tarix::test {

WriteLock::WriteLock(const QString &firm, std::chrono::milliseconds hold, const QString &write)
{
    std::promise<void> locked;
    auto isLocked = locked.get_future();
    m_thread = std::thread([firm, hold, write, locked = std::move(locked)]() mutable {
        db::Session s;
        s.setAlias(QStringLiteral("TARIX_DATA"), firm);
        s.begin();
        s.execute(write);
        locked.set_value();
        std::this_thread::sleep_for(hold);
        s.commit();
    });
    isLocked.wait();
}

WriteLock::~WriteLock()
{
    m_thread.join();
}

} // namespace tarix::test
