// The program's schemas on the test server: every table definition of the installation runs
// there with its seed rows, the autoincrement fields number as on SQLite, and names sort in
// the same Slovak order as with the embedded collation.
#include "platform/db/db_error.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"
#include "platform/db/sk_collation.h"
#include "support/pg_test_server.h"
#include "sk_names.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace tarix;
using namespace tarix::db;

namespace {

QString sourceFile(const QString &relative)
{
    QFile f(QStringLiteral(TARIX_SOURCE_DIR "/") + relative);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("missing " + relative).toStdString());
    return QString::fromUtf8(f.readAll());
}

class PgSchema : public ::testing::Test {
protected:
    void SetUp() override
    {
        TARIX_REQUIRE_PG_SERVER();
        database = std::make_unique<test::PgTestDatabase>();
        conn = std::make_unique<PgConnection>(database->conninfo());
    }

    QStringList column(const QString &sql, const QVariantList &params = {})
    {
        const PgResult r = conn->exec(sql, params);
        QStringList out;
        for (int i = 0; i < r.rowCount(); ++i)
            out << r.value(i, 0).toString();
        return out;
    }

    std::unique_ptr<test::PgTestDatabase> database;
    std::unique_ptr<PgConnection> conn;
};

} // namespace

TEST_F(PgSchema, EveryTableDefinitionRunsWithItsSeedRows)
{
    struct Folder {
        const char *schema;
        const char *ddl;
        QStringList seeds;
    } folders[] = {
        {"data", "data/schema/firm.sql", {"data/seed/firm-template.sql"}},
        {"data01", "data/schema/firm.sql", {"data/seed/firm-template.sql", "data/seed/firm-demo.sql"}},
        {"rok2007", "data/schema/year.sql", {"data/seed/year/common-codes.sql", "data/seed/year/ROK2007.sql"}},
        {"priv_0123456789abcdef0123", "data/schema/private.sql", {"data/seed/private.sql"}},
    };
    for (const Folder &f : folders) {
        SCOPED_TRACE(f.schema);
        const QString schema = QString::fromLatin1(f.schema);
        createServerSchema(*conn, schema, sourceFile(QString::fromLatin1(f.ddl)));
        EXPECT_TRUE(serverSchemaExists(*conn, schema));
        // The seed texts name their tables without a schema, as they do for one SQLite file.
        conn->executeRaw(QStringLiteral("SET search_path = %1, tarix").arg(schema));
        for (const QString &seed : f.seeds)
            EXPECT_NO_THROW(conn->executeRaw(sourceFile(seed))) << seed.toStdString();
        conn->executeRaw(QStringLiteral("RESET search_path"));
    }
    EXPECT_EQ(serverSchemas(*conn), (QStringList{"data", "data01", "priv_0123456789abcdef0123", "rok2007"}));
    EXPECT_THROW(createServerSchema(*conn, QStringLiteral("data01"), sourceFile(QStringLiteral("data/schema/firm.sql"))),
                 DbError);

    // The same tables as in SQLite, each with its row identity; the structure rows are there.
    const QStringList tables = column(QStringLiteral(
        "SELECT table_name FROM information_schema.tables WHERE table_schema = 'data01' ORDER BY 1"));
    EXPECT_TRUE(tables.contains(QStringLiteral("zam")) && tables.contains(QStringLiteral("vyp"))) << tables.join(u' ').toStdString();
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM information_schema.tables t WHERE table_schema = 'data01' "
                                    "AND NOT EXISTS (SELECT 1 FROM information_schema.columns c WHERE c.table_schema = t.table_schema "
                                    "AND c.table_name = t.table_name AND c.column_name = 'rowid')")),
              QStringList{"0"});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM data01.dual")), QStringList{"1"});
    EXPECT_EQ(column(QStringLiteral("SELECT string_agg(cislo::text, ',' ORDER BY cislo) FROM data01.dual12")),
              QStringList{"1,2,3,4,5,6,7,8,9,10,11,12"});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM data01.zam")), QStringList{"10"});
    // Declared types that carry meaning stay readable from the catalogue.
    EXPECT_EQ(column(QStringLiteral("SELECT domain_name FROM information_schema.columns WHERE table_schema = 'data01' "
                                    "AND (table_name, column_name) IN (('vyp', 'n_brutto'), ('zam', 'ztp')) ORDER BY column_name")),
              (QStringList{"money_real", "logical"}));
    EXPECT_EQ(column(QStringLiteral("SELECT collation_schema || '.' || collation_name FROM information_schema.columns "
                                    "WHERE table_schema = 'data01' AND table_name = 'zam' AND column_name = 'surname'")),
              QStringList{"tarix.sk"});
}

TEST_F(PgSchema, AutoincrementNumbersAsOnSqlite)
{
    createServerSchema(*conn, QStringLiteral("data01"), QStringLiteral(
        "CREATE TABLE Zrv (Code_emp INTEGER, ZRID AUTOINC_INT, Typ VARCHAR(4), PRIMARY KEY (Code_emp, ZRID));"));
    auto ids = [&] { return column(QStringLiteral("SELECT zrid FROM data01.zrv ORDER BY rowid")).join(u','); };
    struct Step {
        const char *sql;
        const char *ids; // every zrid after the step, in insertion order
    } steps[] = {
        {"INSERT INTO data01.zrv (code_emp, typ) VALUES (1, 'a'), (1, 'b')", "1,2"},
        {"INSERT INTO data01.zrv (code_emp, zrid) VALUES (2, 10)", "1,2,10"},  // a given number moves on
        {"INSERT INTO data01.zrv (code_emp) VALUES (2)", "1,2,10,11"},
        {"INSERT INTO data01.zrv (code_emp, zrid) VALUES (3, 5)", "1,2,10,11,5"}, // a lower one does not go back
        {"INSERT INTO data01.zrv (code_emp) VALUES (3)", "1,2,10,11,5,12"},
        {"DELETE FROM data01.zrv WHERE zrid >= 11", "1,2,10,5"},
        {"INSERT INTO data01.zrv (code_emp) VALUES (4)", "1,2,10,5,13"}, // numbers never come back
    };
    for (const Step &s : steps) {
        conn->execute(QString::fromUtf8(s.sql));
        EXPECT_EQ(ids(), QString::fromUtf8(s.ids)) << s.sql;
    }
    // A number taken in a transaction that is rolled back is not given again either.
    conn->begin();
    conn->execute(QStringLiteral("INSERT INTO data01.zrv (code_emp) VALUES (5)"));
    conn->rollback();
    conn->execute(QStringLiteral("INSERT INTO data01.zrv (code_emp) VALUES (5)"));
    EXPECT_EQ(ids(), QStringLiteral("1,2,10,5,13,15"));
}

TEST_F(PgSchema, TheProgramSchemaInstallsOnceForEveryone)
{
    PgConnection second(database->conninfo());
    installProgramSchema(*conn);
    installProgramSchema(second);
    installProgramSchema(*conn);
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM tarix.dual")), QStringList{"1"});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM tarix.dual12")), QStringList{"12"});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM pg_collation WHERE collname = 'sk'")), QStringList{"1"});
}

// Slovak order on the server is the embedded order: the pairs of the embedded collation's
// test, and a few thousand random words over the Slovak alphabet in both cases with digits
// and blanks, sorted by the server and by compareSlovak.
TEST_F(PgSchema, SlovakOrderIsTheEmbeddedOne)
{
    installProgramSchema(*conn);
    for (const test::SlovakPair &p : test::kSlovakOrder) {
        const PgResult r = conn->exec(QStringLiteral("SELECT $1::text COLLATE tarix.sk < $2::text COLLATE tarix.sk, "
                                                     "$2::text COLLATE tarix.sk > $1::text COLLATE tarix.sk"),
                                      {QString::fromUtf8(p.less), QString::fromUtf8(p.greater)});
        EXPECT_EQ(r.value(0, 0).toLongLong(), 1) << p.less << " < " << p.greater;
        EXPECT_EQ(r.value(0, 1).toLongLong(), 1) << p.greater << " > " << p.less;
    }
    // Texts that differ are never equal (deterministic), also where the order is decided
    // by accents or case only.
    EXPECT_EQ(conn->exec(QStringLiteral("SELECT 'Chovan' COLLATE tarix.sk = 'Chovan', 'a' COLLATE tarix.sk = 'A'"))
                  .value(0, 1).toLongLong(), 0);

    const QString alphabet = QStringLiteral("aäábcčdďeéfghiíjklĺľmnňoóôpqrŕsštťuúvwxyýzž0123456789 ");
    QStringList words{QStringLiteral("ch"), QStringLiteral("cH"), QStringLiteral("Ch"), QStringLiteral("CH"),
                      QStringLiteral("c"), QStringLiteral("h"), QStringLiteral("chch"), QStringLiteral("")};
    QRandomGenerator random(38); // fixed: a failure comes back on every run
    for (int i = 0; i < 3000; ++i) {
        QString w;
        const int length = 1 + int(random.bounded(6));
        for (int k = 0; k < length; ++k) {
            QChar c = alphabet[int(random.bounded(int(alphabet.size())))];
            if (random.bounded(3) == 0)
                c = c.toUpper();
            w += c;
            if (c.toLower() == u'c' && random.bounded(2) == 0)
                w += random.bounded(2) ? u'h' : u'H';
        }
        words << w;
    }
    QStringList embedded = words;
    std::sort(embedded.begin(), embedded.end(), [](const QString &a, const QString &b) { return compareSlovak(a, b) < 0; });
    conn->executeRaw(QStringLiteral("CREATE TABLE words (w varchar(20) COLLATE tarix.sk)"));
    PgStatement &ins = conn->prepare(QStringLiteral("INSERT INTO words VALUES ($1)"));
    conn->begin();
    for (const QString &w : words) {
        ins.bind(1, w);
        ins.exec();
    }
    conn->commit();
    const QStringList server = column(QStringLiteral("SELECT w FROM words ORDER BY w"));
    ASSERT_EQ(server.size(), embedded.size());
    for (int i = 0; i < server.size(); ++i)
        ASSERT_EQ(server[i], embedded[i]) << "at " << i << ": server " << server[i].toStdString() << ", embedded "
                                          << embedded[i].toStdString();
}

// Keys keep SQLite's rules: a key field may stay blank, and rows with a blank key field never
// clash; a filled key is unique (KeyViolation).
TEST_F(PgSchema, KeysAsInSqlite)
{
    createServerSchema(*conn, QStringLiteral("data01"), QStringLiteral(
        "CREATE TABLE cis_pu (ID FLOAT NOT NULL, CISLO INTEGER, TEXT VARCHAR(40), PRIMARY KEY (ID, CISLO));"));
    conn->execute(QStringLiteral("INSERT INTO data01.cis_pu VALUES (17.5, NULL, 'daň zrážky')"));
    conn->execute(QStringLiteral("INSERT INTO data01.cis_pu VALUES (17.5, NULL, 'znova')"));
    conn->execute(QStringLiteral("INSERT INTO data01.cis_pu VALUES (17.5, 1, 'a')"));
    EXPECT_THROW(conn->execute(QStringLiteral("INSERT INTO data01.cis_pu VALUES (17.5, 1, 'b')")), KeyViolation);
    EXPECT_THROW(conn->execute(QStringLiteral("INSERT INTO data01.cis_pu VALUES (NULL, 2, 'c')")), SqlError); // NOT NULL
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM data01.cis_pu")), QStringList{"3"});
}
