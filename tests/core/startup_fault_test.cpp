// Start-up on a workstation whose private folder cannot be made or read, or whose network
// folder is not there: the program says which folder or file and why, and ends with a
// failure, never with an escaped exception.
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/forms/startup.h"
#include "core/helpers/messages.h"
#include "core/module_registry.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/installation.h"
#include "support/scripted_test.h"
#include "support/widgets/program_start.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <functional>

using namespace tarix;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

class StartupFault : public test::ProgramStartTest<> {
protected:
    void TearDown() override
    {
        core::endProgram();
        core::destroyDM();
        core::DMA().Registruj_tabulky();
        core::moduleRegistry().clear();
        qunsetenv("TARIX_HOME");
        test::ProgramStartTest<>::TearDown();
    }

    core::TFormMain *start(const QString &folder)
    {
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        // No login dialog may come up: the program ends before it.
        return test::startWithLogin(folder, hooks, [](QWidget *w) {
            ADD_FAILURE() << "a dialog came up: " << w->objectName().toStdString();
            w->close();
        });
    }

    QString errors() const { return scripted.messages(ui::MessageKind::Error).join('\n'); }
};

} // namespace

TEST_F(StartupFault, UnusablePrivateFolderEndsTheProgramNamingIt)
{
    struct Case {
        const char *name;
        std::function<void(const QString &privateFolder)> spoil;
        const char *named; // the path the message names, under the program folder
        const char *reason;
    } cases[] = {
        // A read-only install is made here with a file where the folder must be: the tests
        // run as root, whom permissions do not stop.
        {"a file in place of the folder",
         [](const QString &p) {
             ASSERT_TRUE(QDir(p).removeRecursively());
             writeFile(p, "not a folder");
         },
         "PRIVATE", "je súbor, nie priečinok"},
        {"the private database overwritten",
         [](const QString &p) { writeFile(p + "/tarix.db", QByteArray(4096, 'x')); },
         "PRIVATE/tarix.db", "poškodená"},
        {"a folder in place of the private database",
         [](const QString &p) {
             ASSERT_TRUE(QFile::remove(p + "/tarix.db"));
             ASSERT_TRUE(QDir().mkpath(p + "/tarix.db"));
         },
         "PRIVATE/tarix.db", "priečinok"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::Installation inst;
        inst.install();
        c.spoil(inst.privateFolder());
        scripted.clearEvents();

        core::TFormMain *main = nullptr;
        EXPECT_NO_THROW(main = start(inst.path()));
        EXPECT_EQ(main, nullptr);
        const QString shown = errors();
        EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(inst.filePath(c.named))))
            << shown.toStdString();
        EXPECT_TRUE(shown.contains(QString::fromUtf8(c.reason))) << shown.toStdString();
        // Not taken for a refused login.
        EXPECT_FALSE(shown.contains(Msg(65193))) << shown.toStdString();

        core::endProgram();
        core::destroyDM();
        core::DMA().Registruj_tabulky();
        core::moduleRegistry().clear();
    }
}

TEST_F(StartupFault, ANetworkFolderThatIsNotThereEndsTheProgramNamingIt)
{
    test::Installation inst;
    inst.install();
    const QString missing = inst.filePath(QStringLiteral("nepripojeny_disk/mzdy"));
    ini::IniFile(inst.filePath(QStringLiteral("TRX.INI")))
        .writeString(QStringLiteral("NETWORK"), QStringLiteral("Network_Path"), missing);
    core::TFormMain *main = nullptr;
    EXPECT_NO_THROW(main = start(inst.path()));
    EXPECT_EQ(main, nullptr);
    EXPECT_TRUE(errors().contains(QStringLiteral("Sieťový priečinok %1 (TRX.INI, [NETWORK] Network_Path) neexistuje")
                                      .arg(QDir::toNativeSeparators(missing))))
        << errors().toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(StartupFault, RunProgramEndsWithAFailureStatus)
{
    test::Installation inst;
    inst.install();
    ASSERT_TRUE(QDir(inst.privateFolder()).removeRecursively());
    writeFile(inst.privateFolder(), "not a folder");
    qputenv("TARIX_HOME", inst.path().toUtf8());

    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    core::StartupHooks hooks;
    hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
    int code = 0;
    EXPECT_NO_THROW(code = core::runProgram(*app, hooks));
    EXPECT_NE(code, 0);
    EXPECT_TRUE(errors().contains("je súbor, nie priečinok")) << errors().toStdString();
}
