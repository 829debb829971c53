#include "support/program_folder.h"

#include "core/app_ini.h"
#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/parameters.h"
#include "core/session.h"

namespace tarix::test {

void ProgramFolder::open(const QString &root, const QString &serverConninfo)
{
    close();
    m_open = true;
    core::setAppPaths(core::deriveAppPaths(root, QString(), QString()));
    core::openAppIni(root);
    core::openStartupSession(core::appPaths(), serverConninfo);
}

ProgramFolder::~ProgramFolder()
{
    try {
        close();
    } catch (const std::exception &e) {
        qWarning("The program folder's session did not close: %s", e.what());
    }
}

void ProgramFolder::close()
{
    if (!m_open)
        return;
    m_open = false;
    core::dropOpenFirm();
    core::closeSession();
    core::setSurcharges({});
    MyConsts::Parametre().fill(MyConsts::Parameter{});
}

} // namespace tarix::test
