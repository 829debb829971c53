#pragma once
// A program folder made by the installation generator, with the process-wide pieces a firm
// opening uses: paths, INI files, the session, the main data module and the table registry.
#include "core/app_ini.h"
#include "core/helpers/app_paths.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/parameters.h"
#include "core/installation.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/ui/scripted_user_interface.h"

#include <QApplication>
#include <QDir>
#include <sqlite3.h>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace tarix::firmtest {

class FirmFixture : public ::testing::Test {
protected:
    void SetUp() override { install({}); }
    void TearDown() override
    {
        core::Zrus_otvorenu_firmu();
        core::closeSession();
        core::destroyDM();
        // The registry must not keep the destroyed module's tables.
        core::DMA().Registruj_tabulky();
        core::setPriplatky({});
        MyConsts::Parametre().fill(MyConsts::Parameter{});
    }

    void install(const core::InstallationOptions &options)
    {
        core::createInstallation(dir.path(), options);
        core::setAppPaths(core::deriveAppPaths(root(), QString(), QString()));
        core::openAppIni(root());
        core::openStartupSession(core::appPaths());
        core::createDM();
        core::DMA().Registruj_tabulky(); // the other modules' names are reported, as at start-up
        scripted.clearEvents();
    }

    QString root() const { return dir.path() + '/'; }
    db::Session &s() { return core::session(); }
    QVariant one(const QString &sql) { return s().run(sql).value(0, 0); }
    qint64 count(const QString &sql) { return one(sql).toLongLong(); }

    QTemporaryDir dir;
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
};

// Runs SQLite text on a folder's database directly (data of an old version, damage).
inline void sqlOn(const QString &folder, const QString &script)
{
    sqlite3 *conn = nullptr;
    const QString file = QDir(folder).filePath(db::Session::databaseFileName);
    ASSERT_EQ(sqlite3_open_v2(file.toUtf8().constData(), &conn, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    db::registerCollations(conn);
    char *error = nullptr;
    const int rc = sqlite3_exec(conn, script.toUtf8().constData(), nullptr, nullptr, &error);
    const QString text = QString::fromUtf8(error ? error : "");
    sqlite3_free(error);
    sqlite3_close_v2(conn);
    ASSERT_EQ(rc, SQLITE_OK) << text.toStdString();
}

// Runs `body` while a timer hands every modal dialog that comes up to `handle` (which
// closes it); gives up after the time limit, so that a dialog nobody closes fails the
// test instead of hanging it.
inline void whileDialogs(const std::function<void()> &body,
                         const std::function<void(QWidget *)> &handle, int limitMs = 5000)
{
    QTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w)
            return;
        if (++ticks * 10 > limitMs) {
            if (auto *d = qobject_cast<QDialog *>(w))
                d->done(QDialog::Rejected);
            ADD_FAILURE() << "a dialog stayed open: " << w->objectName().toStdString();
            return;
        }
        if (w->property("tarixHandled").toBool())
            return;
        w->setProperty("tarixHandled", true);
        handle(w);
    });
    timer.start(10);
    body();
    timer.stop();
}

} // namespace tarix::firmtest
