// What the session keeps of the program's SQL once rewritten, and what tells a reader of
// small tables that they may have changed. Neither may ever stand in for what the databases
// hold now: a kept text follows a re-pointed alias, a table created or dropped, a database
// detached; the counts move with every kind of write.
#include "db_test_schema.h"

#include "platform/db/db_error.h"
#include "platform/db/table.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

QString firmName(Session &s, const char *alias)
{
    return s.run(QStringLiteral(R"(select nazov from ":%1:inf")").arg(QLatin1String(alias))).asString(0, 0);
}

std::unique_ptr<Table> table(Session &s, const char *name)
{
    auto t = std::make_unique<Table>(&s);
    t->setDatabaseName(QStringLiteral("TARIX_DATA"));
    t->setTableName(QString::fromLatin1(name));
    t->open();
    return t;
}

class DbRewriteCache : public BackendTest {};
class DbWriteWatch : public BackendTest {};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbRewriteCache);
TARIX_ON_BOTH_BACKENDS(DbWriteWatch);

// The same text run before and after a change of what it names reads what is there now.
TEST_P(DbRewriteCache, AKeptTextFollowsTheDatabasesAsTheyAreNow)
{
    struct Case {
        const char *what;
        std::function<QString(Install &)> read;    // runs the same text each time
        std::function<void(Install &)> change;
        const char *before, *after;
    };
    const Case cases[] = {
        {"an alias re-pointed at another folder",
         [](Install &in) { return firmName(in.s, "tarix_datx"); },
         [](Install &in) { in.inst.addAlias(QStringLiteral("TARIX_DATX"), QStringLiteral("DATA02"), kOtherFirmDdl); },
         "Firma s.r.o.", "Iná firma"},
        {"the firm's own dual dropped: the built-in one answers",
         [](Install &in) {
             return in.s.run(QStringLiteral("select coalesce(text, 'BUILT-IN') from dual"), {}, QStringLiteral("TARIX_DATA"))
                 .asString(0, 0);
         },
         [](Install &in) { in.s.execute(QStringLiteral(R"(drop table ":tarix_data:dual")")); },
         "SYS", "BUILT-IN"},
        {"every database detached: the text attaches what it names again",
         [](Install &in) {
             return in.s.run(QStringLiteral(R"(select i.nazov || p.rok from ":tarix_data:inf" i, ":tarix_priv:priv" p)"))
                 .asString(0, 0);
         },
         [](Install &in) { in.s.closeAll(); },
         "Firma s.r.o.2005", "Firma s.r.o.2005"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Install in(runnable(GetParam()));
        EXPECT_EQ(c.read(in), QString::fromUtf8(c.before));
        EXPECT_EQ(c.read(in), QString::fromUtf8(c.before)); // the kept text
        c.change(in);
        EXPECT_EQ(c.read(in), QString::fromUtf8(c.after));
    }
}

// A dual made after the text was kept is the one read from then on; re-pointing the alias
// back reads the first folder again.
TEST_P(DbRewriteCache, ATableCreatedOrAnAliasPointedBackIsSeenByTheKeptText)
{
    in.s.execute(QStringLiteral(R"(drop table ":tarix_data:dual")"));
    auto dual = [&] {
        return in.s.run(QStringLiteral("select coalesce(text, 'BUILT-IN') from dual"), {}, QStringLiteral("TARIX_DATA"))
            .asString(0, 0);
    };
    EXPECT_EQ(dual(), QStringLiteral("BUILT-IN"));
    // The program's dialect would name the built-in dual here: plain text of the backend.
    in.s.executeRaw(QStringLiteral("CREATE TABLE %1.dual (text VARCHAR(10)); INSERT INTO %1.dual VALUES ('NEW')")
                        .arg(in.s.schemaOf(QStringLiteral("TARIX_DATA"))));
    EXPECT_EQ(dual(), QStringLiteral("NEW"));

    in.inst.addAlias(QStringLiteral("TARIX_DATX"), QStringLiteral("DATA02"), kOtherFirmDdl);
    EXPECT_EQ(firmName(in.s, "tarix_datx"), QStringLiteral("Iná firma"));
    in.s.setAlias(QStringLiteral("TARIX_DATX"), in.firm);
    EXPECT_EQ(firmName(in.s, "tarix_datx"), QStringLiteral("Firma s.r.o."));
}

// The writes counted for a table: every way of writing its rows counts, writes to other
// tables do not.
TEST_P(DbWriteWatch, EveryWriteToTheTableIsCountedAndOnlyThose)
{
    struct Case {
        const char *how;
        std::function<void(Install &)> write;
        bool counted;
    };
    const Case cases[] = {
        {"plain SQL", [](Install &in) { in.s.execute(QStringLiteral(R"(update ":tarix_data:inf" set nazov = 'X')")); }, true},
        {"a dataset's post",
         [](Install &in) {
             auto inf = table(in.s, "inf");
             inf->edit();
             inf->setValue(QStringLiteral("NAZOV"), QStringLiteral("Y"));
             inf->post();
         },
         true},
        {"a delete of every row", [](Install &in) { in.s.execute(QStringLiteral(R"(delete from ":tarix_data:inf")")); }, true},
        {"an insert", [](Install &in) { in.s.execute(QStringLiteral(R"(insert into ":tarix_data:inf" values ('Z', null))")); }, true},
        {"a write rolled back",
         [](Install &in) {
             Transaction tx(&in.s);
             in.s.execute(QStringLiteral(R"(update ":tarix_data:inf" set nazov = 'X')"));
         },
         true},
        {"another table of the same file",
         [](Install &in) { in.s.execute(QStringLiteral(R"(update ":tarix_data:dual" set text = 'X')")); }, false},
        {"a table of the same name in another folder",
         [](Install &in) {
             in.inst.addAlias(QStringLiteral("TARIX_OTHER"), QStringLiteral("DATA02"), kOtherFirmDdl);
             in.s.execute(QStringLiteral(R"(update ":tarix_other:inf" set nazov = 'X')"));
         },
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        Install in(runnable(GetParam()));
        in.s.attach(QStringLiteral("TARIX_DATA"));
        const QString schema = in.s.schemaOf(QStringLiteral("TARIX_DATA"));
        const quint64 before = in.s.writesTo(schema, QStringLiteral("Inf.DB"));
        c.write(in);
        EXPECT_EQ(in.s.writesTo(schema, QStringLiteral("inf")) != before, c.counted);
    }
}

// A commit of another connection moves the file's data version; the session's own writes and
// a look without writes do not. Attaching, detaching and re-pointing move the attachments'
// count, which never repeats a value of another session.
TEST_P(DbWriteWatch, OtherProgramsCommitsAndAttachmentsAreSeen)
{
    in.s.attach(QStringLiteral("TARIX_DATA"));
    const QString schema = in.s.schemaOf(QStringLiteral("TARIX_DATA"));
    const qint64 v0 = in.s.dataVersion(schema);
    in.s.execute(QStringLiteral(R"(update ":tarix_data:inf" set nazov = 'Own')"));
    EXPECT_EQ(in.s.dataVersion(schema), v0);
    in.otherProgram()->execute(QStringLiteral(R"(update ":tarix_data:inf" set nazov = 'Other')"));
    EXPECT_NE(in.s.dataVersion(schema), v0);
    EXPECT_THROW(in.s.dataVersion(QStringLiteral("no_such_schema")), DbError);

    const quint64 g0 = in.s.attachmentGeneration();
    firmName(in.s, "tarix_data");
    EXPECT_EQ(in.s.attachmentGeneration(), g0);
    in.inst.addAlias(QStringLiteral("TARIX_DATX"), QStringLiteral("DATA02"), kOtherFirmDdl);
    const quint64 g1 = in.s.attachmentGeneration();
    EXPECT_NE(g1, g0);
    in.s.closeAll();
    EXPECT_NE(in.s.attachmentGeneration(), g1);
    Install second(runnable(GetParam()));
    EXPECT_NE(second.s.attachmentGeneration(), in.s.attachmentGeneration());
}

// The update text is kept by the set of fields a save writes: saves of different fields one
// after another each store exactly their own fields.
TEST_P(DbRewriteCache, SavesOfDifferentFieldsEachStoreTheirOwn)
{
    in.s.execute(QStringLiteral(R"(insert into ":tarix_data:vyp" (code_emp, v_obdobie, n_brutto, v_den) values (7, 200501, 100, 20))"));
    auto vyp = table(in.s, "vyp");
    ASSERT_TRUE(vyp->findKey({7, 200501}));
    const struct {
        const char *field;
        double value;
    } saves[] = {{"N_brutto", 200}, {"V_den", 21}, {"N_brutto", 300}, {"N_netto", 250}, {"V_den", 22}};
    for (const auto &save : saves) {
        vyp->edit();
        vyp->setValue(QString::fromLatin1(save.field), save.value);
        vyp->post();
    }
    const SqlResult r = in.s.run(QStringLiteral(R"(select n_brutto, v_den, n_netto from ":tarix_data:vyp" where code_emp = 7)"));
    EXPECT_DOUBLE_EQ(r.asFloat(0, 0), 300);
    EXPECT_DOUBLE_EQ(r.asFloat(0, 1), 22);
    EXPECT_DOUBLE_EQ(r.asFloat(0, 2), 250);
}
