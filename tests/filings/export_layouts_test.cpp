// The export layouts of the employee table: "Inicializácia", fields included, excluded and
// moved (each change one transaction that refuses a layout another program changed), and
// the CSV and SYLK files of a layout compared byte for byte with files written by hand.
#include "core/dm_zam.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "filings/dm_tl.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_result.h"
#include "platform/db/table.h"
#include "platform/shell/launcher.h"
#include "sp_filing_fixture.h"
#include "support/data_modules.h"
#include "support/demo_firm_test.h"

#include <QDir>
#include <QFile>

using namespace tarix;
using filings::DMTL;
namespace Export = filings::layout_export;

namespace {

test::DemoOptions options()
{
    test::DemoOptions o;
    o.modules = test::coreModules();
    o.modules.push_back({filings::createDMTL, filings::destroyDMTL});
    o.registerTables = true;
    o.openTables = true;
    return o;
}

class ExportLayouts : public test::DemoFirmTest<> {
protected:
    ExportLayouts() : DemoFirmTest({true, 2007, 2007}, options()) {}

    void SetUp() override
    {
        DemoFirmTest::SetUp();
        m_paths = core::appPaths();
        core::setAppPaths(core::deriveAppPaths(dir.root(), QString(), QString()));
        DMTL().openLayouts();
        scripted.answerYes(Msg(65142));
        ASSERT_TRUE(DMTL().initializeLayouts(zam()));
        // The table registry's notes about the payroll module's tables (not made here).
        scripted.clearEvents();
    }
    void TearDown() override
    {
        DMTL().closeLayouts();
        core::setAppPaths(m_paths);
        DemoFirmTest::TearDown();
    }

    static db::Table &zam() { return core::DMZ().TZAM_; }

    // Includes the fields in this order into layout `tlid`.
    void include(int tlid, const QStringList &fields)
    {
        ASSERT_TRUE(DMTL().TL1_.locate("TLID", {tlid}));
        for (const QString &f : fields) {
            ASSERT_TRUE(DMTL().TL2b_.locate("NAZOV", {f})) << f.toStdString();
            ASSERT_TRUE(DMTL().includeItem());
        }
    }

    // The exported fields of the current layout in the order of TL2a_.
    static QStringList exported()
    {
        QStringList out;
        db::Table &t = DMTL().TL2a_;
        for (t.first(); !t.eof(); t.next())
            out << t.fieldByName("NAZOV").asString();
        return out;
    }

    QString positions(int tlid)
    {
        return session
            .run("select group_concat(logid, ',') from (select logid from \":tarix_comm:tlac2\" where tlid = :t "
                 "order by logid)",
                 {{"t", tlid}})
            .asString(0, 0);
    }

    // Two employees with values that need care: a '"' in a surname, a ';' in a street.
    void twoEmployees()
    {
        session.execute("update \":tarix_data:zam\" set surname = 'Hudák \"Junior\"', tp_street = 'Dlhá 12', nastup = '2001-02-05', "
                        "mv_plat = 25000.5, vyhl = 1 where code_numb = 101");
        session.execute("update \":tarix_data:zam\" set tp_street = 'Hlavná 1; byt 3', nastup = '1999-11-30', "
                        "mv_plat = 18000, vyhl = 0 where code_numb = 102");
        core::DMZ().Nastav_filter_zamestnancov("Code_numb<=102");
        zam().refresh();
    }

private:
    core::AppPaths m_paths;
};

} // namespace

// After "Inicializácia" every layout 1 to 10 offers every field of the employee table whose
// tag is not 999, none exported, each 30 wide; the internal number is never offered.
TEST_F(ExportLayouts, InitialisationOffersEveryFieldInEveryLayout)
{
    QStringList offered;
    for (db::Field *f : zam().fields())
        if (f->tag() != 999)
            offered << f->name();
    ASSERT_FALSE(offered.contains("Code_emp"));
    ASSERT_TRUE(offered.contains("Surname"));
    for (int tlid = 1; tlid <= 10; ++tlid) {
        SCOPED_TRACE(tlid);
        const db::SqlResult r = session.run("select nazov, tlacit, sirka, logid from \":tarix_comm:tlac2\" where "
                                            "tlid = :t order by logid",
                                            {{"t", tlid}});
        QStringList names;
        for (int i = 0; i < r.rowCount(); ++i) {
            names << r.asString(i, 0);
            EXPECT_EQ(r.asInteger(i, 1), 0);
            EXPECT_EQ(r.asInteger(i, 2), 30);
            EXPECT_EQ(r.asInteger(i, 3), i + 1);
        }
        EXPECT_EQ(names, offered);
    }
    ASSERT_TRUE(DMTL().TL1_.locate("TLID", {4}));
    EXPECT_TRUE(DMTL().TL2a_.isEmpty());
    EXPECT_EQ(DMTL().TL2b_.recordCount(), offered.size());
    EXPECT_EQ(DMTL().TL2b_.fieldByName("CALC_POPISOK").asString(), zam().fieldByName(offered[0]).label());

    // "No" keeps every layout.
    include(4, {"Surname"});
    scripted.answerNo(Msg(65142));
    EXPECT_FALSE(DMTL().initializeLayouts(zam()));
    EXPECT_EQ(exported(), QStringList{"Surname"});
}

// Include, exclude and the moves, one after another on layout 3: each row the list after it.
TEST_F(ExportLayouts, FieldsAreIncludedExcludedAndMoved)
{
    include(3, {"Code_numb", "Surname", "Name", "Title"});
    ASSERT_EQ(exported(), (QStringList{"Code_numb", "Surname", "Name", "Title"}));
    // Every position in the layout numbered 0, 1, 2, ... after each inclusion.
    const int fieldCount = DMTL().TL2a_.recordCount() + DMTL().TL2b_.recordCount();
    QStringList all;
    for (int i = 0; i < fieldCount; ++i)
        all << QString::number(i);
    EXPECT_EQ(positions(3), all.join(','));

    db::Table &a = DMTL().TL2a_;
    const struct {
        const char *what;
        const char *on;
        std::function<bool()> operation;
        bool changes;
        QStringList after;
        const char *current;
    } steps[] = {
        {"up", "Name", [] { return DMTL().moveUp(); }, true, {"Code_numb", "Name", "Surname", "Title"}, "Name"},
        {"up at the top", "Code_numb", [] { return DMTL().moveUp(); }, false,
         {"Code_numb", "Name", "Surname", "Title"}, "Code_numb"},
        {"down", "Code_numb", [] { return DMTL().moveDown(); }, true, {"Name", "Code_numb", "Surname", "Title"},
         "Code_numb"},
        {"down at the bottom", "Title", [] { return DMTL().moveDown(); }, false,
         {"Name", "Code_numb", "Surname", "Title"}, "Title"},
        {"exclude", "Code_numb", [] { return DMTL().excludeItem(); }, true, {"Name", "Surname", "Title"}, "Name"},
        {"up over a field that is not exported", "Surname", [] { return DMTL().moveUp(); }, true,
         {"Surname", "Name", "Title"}, "Surname"},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.what);
        ASSERT_TRUE(a.locate("NAZOV", {QString(s.on)}));
        EXPECT_EQ(s.operation(), s.changes);
        EXPECT_EQ(a.fieldByName("NAZOV").asString(), s.current);
        EXPECT_EQ(exported(), s.after);
    }
    // Excluded, then included again: at the end of the exported list.
    ASSERT_TRUE(a.locate("NAZOV", {QString("Surname")}));
    ASSERT_TRUE(DMTL().excludeItem());
    ASSERT_TRUE(DMTL().TL2b_.locate("NAZOV", {QString("Surname")}));
    ASSERT_TRUE(DMTL().includeItem());
    EXPECT_EQ(exported(), (QStringList{"Name", "Title", "Surname"}));
    EXPECT_EQ(positions(3), all.join(','));
    // The other layouts are untouched.
    ASSERT_TRUE(DMTL().TL1_.locate("TLID", {2}));
    EXPECT_TRUE(a.isEmpty());
}

// A move starts from the row as read: when another program changed the layout meanwhile the
// move is refused and changes nothing.
TEST_F(ExportLayouts, AMoveOfALayoutChangedByAnotherProgramIsRefused)
{
    include(1, {"Code_numb", "Surname", "Name"});
    db::Table &a = DMTL().TL2a_;
    ASSERT_TRUE(a.locate("NAZOV", {QString("Name")}));
    // Another program excluded "Name" since the list was read.
    session.execute("update \":tarix_comm:tlac2\" set tlacit = 0 where tlid = 1 and nazov = 'Name'");
    const QString before = positions(1);
    const QString layout =
        session.run("select group_concat(nazov || tlacit, ',') from (select * from \":tarix_comm:tlac2\" where tlid = 1 "
                    "order by logid)")
            .asString(0, 0);
    EXPECT_THROW(DMTL().moveUp(), db::RecordChangedError);
    EXPECT_EQ(positions(1), before);
    EXPECT_EQ(session
                  .run("select group_concat(nazov || tlacit, ',') from (select * from \":tarix_comm:tlac2\" where tlid "
                       "= 1 order by logid)")
                  .asString(0, 0),
              layout);
    // The lists show the layout as it now is.
    EXPECT_EQ(exported(), (QStringList{"Code_numb", "Surname"}));
}

// The files of layout 1 for two employees, for a view that leaves none, and of a layout
// without fields, compared with the files in tests/filings/expected written by hand:
//  - zostava_two.CSV: Windows-1250, CR LF; every value, labels too, as '"' text '"' ';', so
//    each line ends with ';'; the surname's '"' doubled ("Hudák ""Junior"""), the street's
//    ';' inside the quotes as it is; numbers in their plain form with a decimal comma
//    ("25000,5", "18000"), dates d.M.yyyy ("5.2.2001"), logicals "True"/"False".
//  - zostava_two.SLK: "ID;PWXL;N;E", "P;PGeneral", the widths "F;Wc c w" (Surname 25, the
//    others 30), the labels on row 1 and one row per employee from row 2 as
//    C;Y<row>;X<column>;K"<text>"; the street's ';' doubled ("Hlavná 1;; byt 3"), the '"'
//    kept; "E" at the end.
//  - zostava_none: an empty CSV; the SYLK file's three lines only (no widths, no header:
//    both are written with the first employee).
//  - zostava_nofields: an empty header line and one empty line per employee; in the SYLK
//    file no record but the three, although a row number is used per employee.
TEST_F(ExportLayouts, TheFilesOfALayout)
{
    twoEmployees();
    include(1, {"Code_numb", "Surname", "Tp_street", "Nastup", "MV_plat", "VYHL"});
    session.execute("update \":tarix_comm:tlac2\" set sirka = 25 where tlid = 1 and nazov = 'Surname'");
    ShellUtils::setStartHook([](const QString &, const QStringList &, const QString &) { return true; });

    const struct {
        const char *what;
        int tlid;
        QString filter;
        const char *expected;
    } cases[] = {
        {"two employees", 1, "Code_numb<=102", "zostava_two"},
        {"a view that leaves none", 1, "Code_numb>999999", "zostava_none"},
        {"a layout without fields", 2, "Code_numb<=102", "zostava_nofields"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        core::DMZ().Nastav_filter_zamestnancov(c.filter);
        scripted.clearEvents();
        scripted.answerNo(Msg(65125));
        ASSERT_TRUE(Export::writeExport(c.tlid, zam()));
        const QString base = dir.root() + "excel/zostava" + QString::number(c.tlid);
        EXPECT_EQ(filings::fixtures::readFile(base + ".CSV"),
                  filings::fixtures::expectedFile(QString(c.expected) + ".CSV"));
        EXPECT_EQ(filings::fixtures::readFile(base + ".SLK"),
                  filings::fixtures::expectedFile(QString(c.expected) + ".SLK"));
        EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65124, base + ".SLK")});
    }

    // "Yes" opens the SYLK file; the employee table stays where it was.
    core::DMZ().Nastav_filter_zamestnancov("Code_numb<=102");
    zam().last();
    QStringList started;
    ShellUtils::setStartHook([&](const QString &, const QStringList &args, const QString &) {
        started << args;
        return true;
    });
    scripted.answerYes(Msg(65125));
    ASSERT_TRUE(Export::writeExport(1, zam()));
    EXPECT_EQ(started, QStringList{dir.root() + "excel/zostava1.SLK"});
    EXPECT_EQ(zam().fieldByName("Code_numb").asInt(), 102);
    ShellUtils::setStartHook({});
}

// A file that cannot be written: 65123 naming it, and the SYLK file is not written either.
TEST_F(ExportLayouts, AFileThatCannotBeWrittenIsReported)
{
    twoEmployees();
    include(1, {"Surname"});
    QDir().mkpath(dir.root() + "excel/zostava1.CSV");
    EXPECT_FALSE(Export::writeExport(1, zam()));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65123, dir.root() + "excel/zostava1.CSV")})
        << scripted.messages().join(u'\n').toStdString();
    EXPECT_FALSE(QFile::exists(dir.root() + "excel/zostava1.SLK"));

    // A field the employee table does not have ends the run before any file is touched.
    session.execute("update \":tarix_comm:tlac2\" set nazov = 'Nemame' where tlid = 2 and logid = 1");
    session.execute("update \":tarix_comm:tlac2\" set tlacit = 1 where tlid = 2 and logid = 1");
    EXPECT_THROW(Export::writeExport(2, zam()), db::DbError);
    EXPECT_FALSE(QFile::exists(dir.root() + "excel/zostava2.SLK"));
}
