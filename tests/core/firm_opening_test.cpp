// Opening a firm and year on an installation made by the generator.
#include "core/forms/form_main.h"
#include "core/period_rules.h"
#include "firm_fixture.h"
#include "platform/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

using namespace tarix;

namespace {

class FirmOpening : public firmtest::BackendFirmFixture {
protected:
    // The period dialog's stand-in: keeps the year, sets the month.
    core::OpeningSteps kroky(int month, QStringList *calls = nullptr)
    {
        core::OpeningSteps k;
        k.priprav_menu = [calls] { if (calls) *calls << "menu"; };
        k.menu_podla_zamestnavatela = [calls] { if (calls) *calls << "zavod"; };
        k.vyber_strediska = [calls] {
            if (calls)
                *calls << "stredisko";
            core::setCostCenter(core::DM(), 0);
        };
        k.vyber_obdobia = [calls, month, this] {
            if (calls)
                *calls << "obdobie";
            const int year = core::DM().Aktualny_rok();
            core::confirmPeriod(core::DM(), year, year, month, root());
        };
        return k;
    }

    // Every row of every table of an alias, as text, in a fixed order.
    QStringList dump(const QString &alias)
    {
        QStringList all;
        for (const QString &table : s().tableNames(alias)) {
            const auto r = s().run(QStringLiteral("select * from \":%1:%2\"").arg(alias, table));
            for (int i = 0; i < r.rowCount(); ++i) {
                QStringList cells;
                for (int c = 0; c < r.columnCount(); ++c)
                    cells << (r.isNull(i, c) ? QStringLiteral("<null>") : r.text(i, c));
                all << table + ": " + cells.join('|');
            }
        }
        all.sort();
        return all;
    }

    void expectClosed()
    {
        for (db::Table *t : core::DMA().tables())
            EXPECT_FALSE(t->isActive()) << t->objectName().toStdString();
        EXPECT_EQ(core::openedFirm().firma, 0);
        EXPECT_TRUE(MyConsts::outputFolder().isEmpty());
        EXPECT_EQ(MyConsts::Parametre(28).Id, 0);
    }
};

} // namespace

TARIX_INSTALLATION_ON_BOTH_BACKENDS(FirmOpening);

TEST_P(FirmOpening, OpensTheFirmAndYearAndLoadsTheYearsParameters)
{
    QStringList calls;
    ASSERT_TRUE(core::openFirmAndYear(1, 2007, kroky(1, &calls)));
    EXPECT_EQ(calls, (QStringList{"menu", "zavod", "stredisko", "obdobie"}));

    EXPECT_EQ(QDir(s().aliasFolder("TARIX_COMM")), QDir(root() + "COMMON/ROK2007"));
    EXPECT_EQ(QDir(s().aliasFolder("TARIX_DATA")), QDir(root() + "DATA01"));
    EXPECT_EQ(QDir(s().aliasFolder("TARIX_DATX")), QDir(root() + "DATA01"));
    EXPECT_EQ(QDir(s().aliasFolder("TARIX_PRIV")), QDir(root() + "PRIVATE"));
    EXPECT_EQ(core::appPaths().commonFolder, root() + "COMMON/ROK2007/");
    EXPECT_EQ(core::appPaths().firmDataFolder, root() + "DATA01/");

    core::TDM &dm = core::DM();
    EXPECT_TRUE(dm.TINF_.isActive());
    EXPECT_TRUE(dm.CIS0_.isActive());
    EXPECT_EQ(dm.Aktualne_obdobie(), 200701);
    EXPECT_EQ(core::openedFirm().firma, 1);
    EXPECT_EQ(core::openedFirm().rok, 2007);
    EXPECT_EQ(MyConsts::outputFolder(), root() + "vystupy/DATA01/2007/");
    EXPECT_TRUE(QFileInfo(root() + "vystupy/DATA01/2007").isDir());
    EXPECT_EQ(MyConsts::Parametre(28).Hodnota, 540.0);
    EXPECT_EQ(MyConsts::Parametre(33).Id, 33);
    EXPECT_TRUE(QFileInfo::exists(root() + "PARAM.INI"));
    EXPECT_TRUE(scripted.failures().isEmpty());
}

TEST_P(FirmOpening, SlotTwentyEightFollowsTheChosenMonth)
{
    struct Case {
        int year, month;
        double expected;
    } cases[] = {{2007, 6, 540.0}, {2007, 7, 555.0}, {2005, 8, 400.0}, {2005, 9, 450.0}};
    for (const auto &c : cases) {
        ASSERT_TRUE(core::openFirmAndYear(1, c.year, kroky(c.month)));
        EXPECT_EQ(MyConsts::Parametre(28).Hodnota, c.expected) << c.year << "/" << c.month;
    }
    // Other years keep the table's value.
    ASSERT_TRUE(core::openFirmAndYear(1, 2006, kroky(12)));
    EXPECT_EQ(MyConsts::Parametre(28).Hodnota,
              one("select hodnota from \":tarix_comm:cis_par\" where id=28").toDouble());
}

TEST_P(FirmOpening, OpeningAYearBefore2005UsesTheFolderOf2004)
{
    ASSERT_TRUE(core::openFirmAndYear(1, 2004, kroky(3)));
    EXPECT_EQ(QDir(s().aliasFolder("TARIX_COMM")), QDir(root() + "COMMON/ROK2004"));
    EXPECT_EQ(core::DM().Aktualny_rok(), 2004);
}

TEST_P(FirmOpening, OpeningTwiceLeavesTheRowsOfTheFirstOpening)
{
    // Data of an old version: each upgrade has something to do.
    dir.sql(root() + "DATA01", "update dual set text=null;"
                                       "update zam set nc_minimum=100;"
                                       "delete from cis_pu where id=17.5;"
                                       "update inf set f_odstupm=0;"
                                       "insert into doch (code_emp, typ) values (1, 7);");
    dir.sql(root() + "COMMON/ROK2007",
                    "delete from typrl where typ in ('10','11','MD');"
                    "delete from cis_par where id in (32, 33);"
                    "delete from prerus1 where id=8;"
                    "insert into prerus1 (id, popis) values (0, 'nič');"
                    "insert into cis_doch (typ, popis) values (7, 'nový sirotský');");
    ASSERT_TRUE(core::openFirmAndYear(1, 2007, kroky(1)));
    const QStringList data = dump("TARIX_DATA"), comm = dump("TARIX_COMM");
    EXPECT_EQ(count("select count(*) from \":tarix_comm:typrl\" where typ in ('10','11','MD')"), 3);
    EXPECT_EQ(count("select count(*) from \":tarix_data:zam\" where nc_minimum is not null"), 0);

    // The employees' data entered after the first opening stay as they are.
    s().execute("update \":tarix_data:zam\" set nc_minimum=100");
    ASSERT_TRUE(core::openFirmAndYear(1, 2007, kroky(1)));
    EXPECT_EQ(count("select count(*) from \":tarix_data:zam\" where nc_minimum is null"), 0);
    s().execute("update \":tarix_data:zam\" set nc_minimum=null");
    EXPECT_EQ(dump("TARIX_DATA"), data);
    EXPECT_EQ(dump("TARIX_COMM"), comm);
}

TEST_P(FirmOpening, AFailingUpgradeClosesTheFirmCleanly)
{
    if (onServer())
        GTEST_SKIP() << "the refusing trigger is SQLite's";
    ASSERT_TRUE(core::openFirmAndYear(1, 2007, kroky(1)));
    // The year 2008 refuses the parameter row that a late upgrade adds; earlier steps have
    // work to do.
    firmtest::sqlOn(root() + "COMMON/ROK2008",
                    "delete from typrl where typ='10';"
                    "delete from cis_par where id=33;"
                    "create trigger refuse before insert on cis_par "
                    "begin select raise(abort, 'cis_par is read-only'); end;");
    firmtest::sqlOn(root() + "DATA01", "update inf set f_odstupm=0;");
    QStringList calls;
    EXPECT_FALSE(core::openFirmAndYear(1, 2008, kroky(1, &calls)));
    EXPECT_EQ(calls, QStringList{"menu"}); // no dialogs follow a failed opening
    const auto errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("cis_par is read-only")) << errors[0].toStdString();
    expectClosed();
    // Nothing of the upgrade stays half done.
    EXPECT_EQ(count("select count(*) from \":tarix_data:inf\" where f_odstupm=0"), 1);
    EXPECT_EQ(count("select count(*) from \":tarix_comm:typrl\" where typ='10'"), 0);
}

TEST_P(FirmOpening, AMissingTableIsNamedAndTheFirmStaysClosed)
{
    if (onServer())
        GTEST_SKIP() << "the message names the database file";
    firmtest::sqlOn(root() + "DATA01", "drop table Cis_vm;");
    EXPECT_FALSE(core::openFirmAndYear(1, 2007, kroky(1)));
    const auto errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Nepodarilo sa otvoriť súbor")) << errors[0].toStdString();
    // The database file that exists, the table missing in it, and SQLite's reason.
    EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(root() + "DATA01/tarix.db (tabuľka Cis_vm.db)")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("tabuľka neexistuje")) << errors[0].toStdString();
    expectClosed();
    // The aliases point at the chosen firm all the same.
    EXPECT_EQ(QDir(s().aliasFolder("TARIX_DATA")), QDir(root() + "DATA01"));
}

TEST_P(FirmOpening, AFailureInALaterStepClosesTheFirmToo)
{
    auto k = kroky(1);
    k.vyber_obdobia = [] { throw EMyError("obdobie sa nepodarilo uložiť"); };
    EXPECT_FALSE(core::openFirmAndYear(1, 2007, k));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{"obdobie sa nepodarilo uložiť"});
    expectClosed();

    // A year folder without its parameter table: the parameters cannot be loaded.
    ASSERT_TRUE(core::openFirmAndYear(1, 2007, kroky(1)));
    EXPECT_FALSE(core::openFirmAndYear(99, 2007, kroky(1)));
    expectClosed();
}

TEST_P(FirmOpening, MainWindowFollowsTheOpenFirm)
{
    core::TFormMain main;
    EXPECT_FALSE(main.mainMenu()->isEnabled());
    // The demo firm has two cost centres and the period dialog always comes.
    firmtest::whileDialogs([&] { ASSERT_TRUE(main.Akcia_otvorenie_db(1, 2007)); },
                          [](QWidget *w) {
                              if (auto *ok = w->findChild<QPushButton *>("OKBtn"))
                                  ok->click();
                          });
    EXPECT_EQ(main.openFirm(), 1);
    EXPECT_TRUE(main.mainMenu()->isEnabled());
    EXPECT_TRUE(main.windowTitle().startsWith("TARIX VERZIA 3.20H3 - Firma: ")) << main.windowTitle().toStdString();
    EXPECT_TRUE(main.windowTitle().endsWith(" - Stredisko: spolu celá firma"));

    // Posting the firm header refreshes the caption with the stored name.
    core::TDM &dm = core::DM();
    dm.TINF_.edit();
    dm.TINF_.fieldByName("NAZOV").setAsString("Nový názov s.r.o.");
    dm.TINF_.fieldByName("ADR_ULICA1").setAsString("Hlavná 12/5");
    dm.TINF_.post();
    EXPECT_TRUE(main.windowTitle().contains("Firma: Nový názov s.r.o. - ")) << main.windowTitle().toStdString();
    EXPECT_EQ(dm.TINF_.fieldByName("ADR_ULICA").asString(), "Hlavná");
    EXPECT_EQ(dm.TINF_.fieldByName("ADR_CISLO").asString(), "12/5");

    main.Akcia_zatvorenie_db();
    EXPECT_FALSE(main.mainMenu()->isEnabled());
    EXPECT_TRUE(main.menuSystem()->isEnabled());
}
