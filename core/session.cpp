#include "core/session.h"

#include "core/database_server.h"
#include "platform/db/session.h"

#include <memory>
#include <stdexcept>

namespace tarix::core {

namespace {
std::unique_ptr<db::Session> g_session;
}

void openStartupSession(const AppPaths &paths, const QString &serverConninfo)
{
    if (g_session)
        g_session->closeAll();
    g_session = serverConninfo.isEmpty()
                    ? std::make_unique<db::Session>()
                    : std::make_unique<db::Session>(serverSessionOptions(serverConninfo, paths));
    db::Session::setDefaultSession(g_session.get());
    g_session->setAlias(kAliasComm, paths.commonFolder);
    g_session->setAlias(kAliasData, paths.firmDataFolder);
    g_session->setAlias(kAliasPriv, paths.privateFolder);
}

db::Session &session()
{
    if (!g_session)
        throw std::logic_error("the database session is not open");
    return *g_session;
}

void closeSession()
{
    if (!g_session)
        return;
    // The session ends even when its server went away meanwhile: a program that cannot
    // close its connection cleanly must still be able to start on another one.
    std::unique_ptr<db::Session> ending = std::move(g_session);
    db::Session::setDefaultSession(nullptr);
    try {
        ending->closeAll();
    } catch (const std::exception &) {
        // Nothing of it is kept: the connection goes with the object.
    }
}

} // namespace tarix::core
