#pragma once
// A program folder made by the installation generator, with the process-wide pieces a firm
// opening uses: paths, INI files, the program's session, the main data module and the
// table registry. The tests open the firm themselves.
#include "core/app_ini.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/parameters.h"
#include "core/installation.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/both_backends.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/pg_test_server.h"
#include "support/program_folder.h"
#include "support/scripted_test.h"
#include "support/widgets/modal_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>

namespace tarix::firmtest {

class FirmFixture : public test::ScriptedTest<> {
protected:
    explicit FirmFixture(test::Backend backend = test::Backend::Embedded) : dir(backend) {}

    void SetUp() override
    {
        if (dir.backend() == test::Backend::Server && !dir.onServer())
            GTEST_SKIP() << test::kNoPgServer;
        install({});
    }
    void TearDown() override
    {
        program.close();
        modules.destroy();
        test::ScriptedTest<>::TearDown();
    }

    void install(const core::InstallationOptions &options)
    {
        dir.install(options);
        program.open(root(), dir.serverConninfo());
        // The other modules' names are reported, as at start-up.
        modules.create(test::mainModule(), true);
        scripted.clearEvents();
    }

    QString root() const { return dir.root(); }
    db::Session &s() { return core::session(); }
    QVariant one(const QString &sql) { return s().run(sql).value(0, 0); }
    qint64 count(const QString &sql) { return one(sql).toLongLong(); }

    test::Installation dir;
    test::ProgramFolder program;
    test::DataModules modules;
};

// The same on both backends (TARIX_INSTALLATION_ON_BOTH_BACKENDS).
class BackendFirmFixture : public FirmFixture, public ::testing::WithParamInterface<test::Backend> {
protected:
    BackendFirmFixture() : FirmFixture(GetParam()) {}
    bool onServer() const { return dir.onServer(); }
};

// The shared helpers under the names the core's tests know.
using test::sqlOn;
using test::whileDialogs;

} // namespace tarix::firmtest
