#pragma once
// A demo installation in a temporary folder (made once per test program), a session on
// it, the main data module and the scripted user interface.
#include "core/dm_main.h"
#include "core/installation.h"
#include "platform/db/session.h"
#include "platform/report/qt/preview.h"
#include "platform/ui/scripted_user_interface.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarix::reports::fixtures {

class InstalledFirm : public ::testing::Test {
protected:
    static QString root()
    {
        static QTemporaryDir dir;
        static const bool made = (core::createInstallation(dir.path(), {true, 2007, 2007}), true);
        Q_UNUSED(made);
        return dir.path() + '/';
    }

    void SetUp() override
    {
        session.setAlias("TARIX_PRIV", root() + "PRIVATE");
        session.setAlias("TARIX_DATA", root() + "DATA01");
        session.setAlias("TARIX_COMM", root() + "COMMON/ROK2007");
        db::Session::setDefaultSession(&session);
        core::createDM();
        setPeriod(2007, 1, 0);
        rpt::setDefaultPreviewHost(&previewHost);
    }
    void TearDown() override
    {
        rpt::setDefaultPreviewHost(nullptr);
        core::destroyDM();
        db::Session::setDefaultSession(nullptr);
    }

    void setPeriod(int rok, int mesiac, int sid)
    {
        session.execute("update \":tarix_priv:priv\" set rok=:p1, mesiac=:p2, sid=:p3",
                        {{"p1", rok}, {"p2", mesiac}, {"p3", sid}});
    }

    db::Session session;
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
    rpt::CapturingPreviewHost previewHost;
};

} // namespace tarix::reports::fixtures
