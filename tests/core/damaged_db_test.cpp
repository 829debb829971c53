// Damaged, busy and read-only firm databases: the firm stays in the menu, marked, and
// opening it names the file and the reason; the program never ends without a word.
#include "core/dm_all.h"
#include "platform/db/session.h"
#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/forms/form_main.h"
#include "core/forms/startup.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/module_registry.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/scripted_test.h"
#include "support/widgets/modal_dialogs.h"
#include "support/widgets/program_start.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <sqlite3.h>
#include <thread>

using namespace tarix;

namespace {

// A second program holding the database with BEGIN EXCLUSIVE until `holdMs` passed or the
// holder is destroyed.
class ExclusiveHolder {
public:
    ExclusiveHolder(const QString &file, int holdMs)
    {
        std::promise<bool> locked;
        auto ready = locked.get_future();
        m_thread = std::thread([this, file, holdMs, p = std::move(locked)]() mutable {
            sqlite3 *db = nullptr;
            bool ok = sqlite3_open(file.toUtf8().constData(), &db) == SQLITE_OK
                      && sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
            p.set_value(ok);
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(holdMs);
            while (!m_release && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        });
        m_locked = ready.get();
    }
    ~ExclusiveHolder()
    {
        m_release = true;
        m_thread.join();
    }
    bool locked() const { return m_locked; }

private:
    std::atomic<bool> m_release{false};
    bool m_locked = false;
    std::thread m_thread;
};

void resizeFile(const QString &file, qint64 size)
{
    QFile f(file);
    ASSERT_TRUE(f.resize(size)) << file.toStdString();
}

void overwriteHeader(const QString &file)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.write(QByteArray(100, 'x'));
}

class DamagedDb : public test::ProgramStartTest<> {
protected:
    void SetUp() override
    {
        ProgramStartTest::SetUp();
        inst.install();
    }
    void TearDown() override
    {
        stop();
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        test::ProgramStartTest<>::TearDown();
    }

    // The program's start-up with the core's data modules, as app/main.cpp makes them.
    core::TFormMain *start(const QString &folder = {})
    {
        modules.handOver(test::coreModules(), true);
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        return test::startWithLogin(folder.isEmpty() ? inst.path() : folder, hooks);
    }
    void stop()
    {
        core::dropOpenFirm();
        core::endProgram();
        modules.destroy();
    }
    QString firmDb() const { return inst.firmFolder(1) + "/tarix.db"; }

    // Triggers the year item of the first firm; no dialog may come up (the opening fails
    // before the cost-centre and period dialogs).
    void openYear(core::TFormMain &main, int year)
    {
        QAction *firm = main.openFirmMenu()->actions().value(0);
        ASSERT_TRUE(firm && firm->menu());
        QAction *item = nullptr;
        for (QAction *a : firm->menu()->actions())
            if (a->text() == QString::number(year))
                item = a;
        ASSERT_NE(item, nullptr) << year;
        test::whileDialogs([&] { item->trigger(); }, [](QWidget *w) {
            ADD_FAILURE() << "a dialog while opening an unusable firm: " << w->objectName().toStdString();
            w->close();
        });
    }

    QString errors() const { return scripted.messages(ui::MessageKind::Error).join('\n'); }

    test::Installation inst;
    test::DataModules modules;
};

} // namespace

TEST_F(DamagedDb, DamagedFirmStaysInTheMenuAndOpeningItNamesFileAndReason)
{
    struct Case {
        const char *name;
        std::function<void(const QString &file)> damage;
        const char *reason;
    } cases[] = {
        {"truncated", [](const QString &f) { resizeFile(f, QFileInfo(f).size() / 2); }, "skrátený"},
        {"header overwritten", overwriteHeader, "file is not a database"},
        {"empty file", [](const QString &f) { resizeFile(f, 0); }, "prázdny"},
        {"directory in its place",
         [](const QString &f) {
             ASSERT_TRUE(QFile::remove(f));
             ASSERT_TRUE(QDir().mkpath(f));
         },
         "priečinok"},
        {"firm header table dropped",
         [](const QString &f) { test::sqlOn(QFileInfo(f).path(), "DROP TABLE inf"); },
         "chýba tabuľka INF"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::Installation own; // each case from the shipped rows
        own.install();
        const QString file = own.firmFolder(1) + "/tarix.db";
        c.damage(file);
        scripted.clearEvents();

        core::TFormMain *main = start(own.path());
        ASSERT_NE(main, nullptr) << errors().toStdString();
        const auto firms = main->openFirmMenu()->actions();
        ASSERT_EQ(firms.size(), 1);
        EXPECT_EQ(firms[0]->text(), "DATA01 – poškodená databáza");
        // Start-up said nothing of the firm: the menu shows it.
        EXPECT_FALSE(scripted.messages().join('\n').contains("DATA01")) << errors().toStdString();

        openYear(*main, 2007);
        EXPECT_EQ(core::openedFirm().firma, 0);
        const QString shown = errors();
        EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())))
            << shown.toStdString();
        EXPECT_TRUE(shown.contains("poškodená")) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QString::fromUtf8(c.reason))) << shown.toStdString();
        EXPECT_FALSE(shown.contains(Msg(65193))) << shown.toStdString();

        stop();
    }
}

TEST_F(DamagedDb, FirmLockedForAMomentIsWaitedForAndOpens)
{
    ExclusiveHolder holder(firmDb(), 700);
    ASSERT_TRUE(holder.locked());
    core::TFormMain *main = start();
    ASSERT_NE(main, nullptr) << errors().toStdString();
    const auto firms = main->openFirmMenu()->actions();
    ASSERT_EQ(firms.size(), 1);
    EXPECT_EQ(firms[0]->text(), "DEMO STAV, s.r.o. 01");
    test::openFirmFromMenu(*main, 2007, 7);
    EXPECT_EQ(core::openedFirm().firma, 1);
    // (test_core lacks the tables of the layers above the core: those are reported apart.)
    EXPECT_FALSE(errors().contains("DATA01")) << errors().toStdString();
    EXPECT_FALSE(errors().contains("používa iný program")) << errors().toStdString();
}

TEST_F(DamagedDb, FirmLockedPastTheWaitIsMarkedBusyNotMissing)
{
    ExclusiveHolder holder(firmDb(), 60000);
    ASSERT_TRUE(holder.locked());
    // Without the firm the program would end with "no database found".
    core::TFormMain *main = start();
    ASSERT_NE(main, nullptr) << errors().toStdString();
    const auto firms = main->openFirmMenu()->actions();
    ASSERT_EQ(firms.size(), 1);
    EXPECT_EQ(firms[0]->text(), "DATA01 – databáza je obsadená");

    openYear(*main, 2007);
    EXPECT_EQ(core::openedFirm().firma, 0);
    const QString shown = errors();
    EXPECT_TRUE(shown.contains("používa iný program")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(QFileInfo(firmDb()).absoluteFilePath())));
    EXPECT_FALSE(shown.contains("poškodená")) << shown.toStdString();
}

TEST_F(DamagedDb, DamagedYearIsReportedAndStaysInTheMenu)
{
    overwriteHeader(inst.yearFolder(2007) + "/tarix.db");
    core::TFormMain *main = start();
    ASSERT_NE(main, nullptr) << errors().toStdString();
    const auto warnings = scripted.messages(ui::MessageKind::Warning).join('\n');
    EXPECT_TRUE(warnings.contains("ROK2007")) << warnings.toStdString();
    EXPECT_TRUE(warnings.contains("file is not a database")) << warnings.toStdString();

    const auto firms = main->openFirmMenu()->actions();
    ASSERT_EQ(firms.size(), 1);
    QStringList years;
    for (QAction *a : firms[0]->menu()->actions())
        years << a->text();
    EXPECT_EQ(years, (QStringList{"2004", "2005", "2006", "2007", "2008"}));

    openYear(*main, 2007);
    EXPECT_EQ(core::openedFirm().firma, 0);
    const QString shown = errors();
    EXPECT_TRUE(shown.contains("ROK2007")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("poškodená")) << shown.toStdString();
    // The other years still open.
    test::openFirmFromMenu(*main, 2006, 7);
    EXPECT_EQ(core::openedFirm().firma, 1);
}

TEST_F(DamagedDb, ADroppedOrChangedTableIsNamedWithItsFileWithoutSql)
{
    const struct {
        const char *name;
        const char *change;
        const char *said;
    } cases[] = {
        {"a table dropped", "DROP TABLE firma.zp_univ", "tabuľka neexistuje"},
        {"a column renamed", "ALTER TABLE firma.zp_univ RENAME COLUMN X1 TO X1_stary",
         "v tabuľke chýba položka X1; databáza je poškodená alebo z inej verzie programu"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        test::Installation damaged;
        damaged.install();
        {
            db::Session change;
            change.setAlias(QStringLiteral("FIRMA"), damaged.firmFolder(1));
            change.attach(QStringLiteral("FIRMA"));
            change.executeRaw(QString::fromUtf8(c.change));
        }
        scripted.clearEvents();
        core::TFormMain *main = start(damaged.path());
        ASSERT_NE(main, nullptr) << errors().toStdString();
        openYear(*main, 2007);
        EXPECT_EQ(core::openedFirm().firma, 0);
        const QString shown = errors();
        EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(damaged.firmFolder(1) + "/tarix.db") + " (tabuľka Zp_univ"))
            << shown.toStdString();
        EXPECT_TRUE(shown.contains(QString::fromUtf8(c.said))) << shown.toStdString();
        EXPECT_FALSE(shown.contains("select", Qt::CaseInsensitive)) << shown.toStdString();
        stop();
    }
}

TEST_F(DamagedDb, ReadOnlyFirmOrYearIsRefusedAtOpeningWithASlovakMessage)
{
    // The opening writes to both: the firm's data and the year's parameters (its upgrades).
    for (const QString &db : {firmDb(), inst.yearFolder(2007) + "/tarix.db"}) {
        SCOPED_TRACE(db.toStdString());
        scripted.clearEvents();
        ASSERT_TRUE(QFile::setPermissions(db, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        core::TFormMain *main = start();
        ASSERT_NE(main, nullptr) << errors().toStdString();
        // Readable: listed under its own name.
        EXPECT_EQ(main->openFirmMenu()->actions().value(0)->text(), "DEMO STAV, s.r.o. 01");

        openYear(*main, 2007);
        EXPECT_EQ(core::openedFirm().firma, 0);
        const QString shown = errors();
        EXPECT_TRUE(shown.contains("len na čítanie")) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(QFileInfo(db).absoluteFilePath())));
        EXPECT_FALSE(shown.contains("insert", Qt::CaseInsensitive)) << shown.toStdString();
        QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
        stop();
    }
}
