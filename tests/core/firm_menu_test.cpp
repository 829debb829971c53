// The firm menu: which firms and years an installation lists, over folders made for it.
#include "core/firm_opening.h"
#include "core/forms/form_main.h"
#include "core/installation.h"
#include "firm_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>

using namespace tarix;

namespace {

class FirmMenu : public test::ScriptedTest<> {
protected:
    void SetUp() override
    {
        core::setAppPaths(core::deriveAppPaths(root(), QString(), QString()));
        core::openStartupSession(core::appPaths());
    }
    void TearDown() override
    {
        core::closeSession();
        test::ScriptedTest<>::TearDown();
    }

    QString root() const { return dir.path() + '/'; }
    void year(const QString &folder, int seedYear)
    {
        core::createFolderDatabase(root() + "COMMON/" + folder, core::FolderKind::Year,
                                   core::yearSeedResources(seedYear));
    }
    void firm(int n, const QString &name)
    {
        const QString folder = root() + core::firmFolderName(n);
        core::createFolderDatabase(folder, core::FolderKind::Firm, core::demoFirmSeedResources());
        db::Session own;
        own.setAlias("TARIX_DATA", folder);
        own.execute("update \":tarix_data:inf\" set nazov=:p1", {{"p1", name}});
        own.closeAll();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(FirmMenu, ListsFirmsWithADatabaseAndTheYearsWithParameters)
{
    year("ROK2004", 2004);
    year("ROK2005", 2005);
    year("ROK2020", 2008);                 // after the last year of the menu
    QDir(root()).mkpath("COMMON/ROK2006"); // a year folder without its tables
    core::createFolderDatabase(root() + "COMMON/ROK2007", core::FolderKind::Private,
                               core::privateSeedResources()); // a database without Cis_par
    firm(1, "Prvá firma");
    firm(7, "Druhá firma"); // no firm 3: numbers stay as they are
    // A folder whose database has no firm header, and one whose file is not a database.
    core::createFolderDatabase(root() + "DATA05", core::FolderKind::Private,
                               core::privateSeedResources());
    QDir(root()).mkpath("DATA09");
    QFile junk(root() + "DATA09/tarix.db");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is no database, only some text long enough to look like a file");
    junk.close();

    // The two unreadable firms stay listed, marked, with their reason: they are not missing.
    const auto firms = core::firmList(core::session(), root());
    ASSERT_EQ(firms.size(), 4);
    EXPECT_EQ(firms[0].popis(), "Prvá firma 01");
    EXPECT_EQ(firms[1].popis(), "DATA05 – poškodená databáza");
    EXPECT_TRUE(firms[1].problem.contains("INF")) << firms[1].problem.toStdString();
    EXPECT_EQ(firms[2].cislo, 7);
    EXPECT_EQ(firms[2].popis(), "Druhá firma 07");
    EXPECT_EQ(firms[3].popis(), "DATA09 – poškodená databáza");
    EXPECT_TRUE(firms[3].problem.contains("DATA09")) << firms[3].problem.toStdString();
    for (const auto &f : firms)
        EXPECT_EQ(f.roky, (QList<int>{2004, 2005}));
    // Reading the names made no folder of a firm that is not there.
    EXPECT_FALSE(QDir(root() + "DATA03").exists());
    EXPECT_TRUE(scripted.messages().isEmpty());
}

TEST_F(FirmMenu, WithoutAnyYearNoFirmIsListed)
{
    firm(1, "Prvá firma");
    EXPECT_TRUE(core::firmList(core::session(), root()).isEmpty());
}

TEST(FirmFolders, YearsBefore2005ShareTheFolderOf2004)
{
    const QString r = "/x/";
    struct Case {
        int year;
        const char *common;
    } cases[] = {{2001, "/x/COMMON/ROK2004/"}, {2004, "/x/COMMON/ROK2004/"},
                 {2005, "/x/COMMON/ROK2005/"}, {2019, "/x/COMMON/ROK2019/"}};
    for (const auto &c : cases)
        EXPECT_EQ(core::yearDataFolder(r, c.year), c.common) << c.year;
    EXPECT_EQ(core::firmFolderPath(r, 7), "/x/DATA07/");
    EXPECT_EQ(core::firmOutputFolder(r, 12, 2007), "/x/vystupy/DATA12/2007/");
    EXPECT_EQ(core::Priecinok_formularov(r), "/x/frm/");
}

TEST_F(FirmMenu, MainWindowMenusListFirmsYearsAndDeleteItems)
{
    year("ROK2004", 2004);
    year("ROK2008", 2008);
    firm(2, "Prvá firma");
    firm(11, "Druhá firma");
    core::TFormMain main;
    int deleted = 0;
    QObject::connect(&main, &core::TFormMain::zrusenieFirmy, [&](int n) { deleted = n; });
    // Building twice (as after adding a firm) leaves one item per firm.
    main.Vytvor_menu_firiem();
    main.Vytvor_menu_firiem();

    const auto firms = main.openFirmMenu()->actions();
    ASSERT_EQ(firms.size(), 2);
    EXPECT_EQ(firms[0]->text(), "Prvá firma 02");
    EXPECT_EQ(firms[1]->property("tag").toInt(), 11);
    ASSERT_NE(firms[1]->menu(), nullptr);
    QStringList years;
    for (QAction *a : firms[1]->menu()->actions()) {
        years << a->text();
        EXPECT_EQ(a->property("tag").toInt(), 11);
    }
    EXPECT_EQ(years, (QStringList{"2004", "2008"}));
    EXPECT_EQ(main.openFirmMenu()->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly).size(), 2);

    const auto del = main.dropFirmMenu()->actions();
    ASSERT_EQ(del.size(), 2);
    EXPECT_EQ(del[1]->text(), "Druhá firma 11");
    // The item asks before it deletes anything; "no" keeps the firm.
    scripted.answerNo();
    del[1]->trigger();
    EXPECT_EQ(deleted, 11);
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    main.Vytvor_menu_firiem();
    EXPECT_EQ(main.dropFirmMenu()->actions().size(), 2);
}
