// Every SQL text the program runs is prepared against the real table definitions: a text
// SQLite would refuse (an unknown column, an ambiguous name, a dialect slip) fails here
// rather than in front of a clerk.
#include "core/data_module.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/module_registry.h"
#include "core/modules.h"
#include "core/session.h"
#include "core/installation.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"
#include "platform/db/session.h"
#include "platform/db/statement.h"
#include "support/demo_firm_test.h"
#include "support/pg_test_server.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

using namespace tarix;

namespace {

// A copy of the demo firm (2007) with every alias attached and no data module made: the
// test that prepares the modules' queries creates them itself, as start-up does.
class SqlTexts : public test::DemoFirmTest<> {
protected:
    SqlTexts() : DemoFirmTest({true, 2007, 2007}, withoutModules()) {}

    static test::DemoOptions withoutModules()
    {
        test::DemoOptions o;
        o.modules = {};
        return o;
    }

    void SetUp() override
    {
        test::DemoFirmTest<>::SetUp();
        session.setAlias(core::kAliasDatx, dir.firmFolder());
        for (const char *alias : {core::kAliasPriv, core::kAliasData, core::kAliasComm})
            session.attach(alias);
    }

    // The same tables on the test server, each folder a schema: the firm, the year and the
    // private folder.
    void createServerSchemas()
    {
        server = std::make_unique<test::PgTestDatabase>();
        conn = std::make_unique<db::PgConnection>(server->conninfo());
        const std::pair<const char *, core::FolderKind> folders[] = {
            {"data01", core::FolderKind::Firm}, {"rok2007", core::FolderKind::Year}, {"priv_test", core::FolderKind::Private}};
        for (const auto &[schema, kind] : folders) {
            QFile ddl(core::schemaResource(kind));
            ASSERT_TRUE(ddl.open(QIODevice::ReadOnly));
            db::createServerSchema(*conn, QString::fromLatin1(schema), QString::fromUtf8(ddl.readAll()));
        }
        // A name no alias owns is found in the folders in order, as SQLite searches its
        // attached databases.
        conn->executeRaw(QStringLiteral("SET search_path = priv_test, data01, rok2007"));
        const db::PgResult r = conn->exec(QStringLiteral("SELECT table_schema || '.' || table_name FROM information_schema.tables"));
        for (int i = 0; i < r.rowCount(); ++i)
            serverTables.insert(r.value(i, 0).toString());
    }

    // Rewrites the text for the server and prepares it there; returns the server's complaint
    // or an empty text.
    QString prepareOnServer(const QString &sql, const QString &alias = {})
    {
        db::SqlRewriteContext ctx;
        ctx.target = db::SqlTarget::PostgreSql;
        ctx.defaultAlias = alias;
        ctx.schemaOf = [](const QString &a) -> QString {
            const QString n = a.toUpper();
            if (n == QLatin1String(core::kAliasData) || n == QLatin1String(core::kAliasDatx))
                return QStringLiteral("data01");
            if (n == QLatin1String(core::kAliasComm))
                return QStringLiteral("rok2007");
            if (n == QLatin1String(core::kAliasPriv))
                return QStringLiteral("priv_test");
            return {};
        };
        ctx.hasTable = [this](const QString &schema, const QString &table) {
            return serverTables.contains(schema + u'.' + table);
        };
        try {
            conn->prepare(db::rewriteSql(sql, ctx).sql);
            return {};
        } catch (const std::exception &e) {
            return QString::fromUtf8(e.what());
        }
    }

    std::unique_ptr<test::PgTestDatabase> server;
    std::unique_ptr<db::PgConnection> conn;
    QSet<QString> serverTables;

    // Rewrites and prepares the text; returns SQLite's complaint or an empty text.
    QString prepare(const QString &sql, const QString &alias = {})
    {
        try {
            const auto rw = session.rewrite(sql, alias);
            db::Statement st(session.handle(), rw.sql);
            return {};
        } catch (const std::exception &e) {
            return QString::fromUtf8(e.what());
        }
    }
};

struct Text {
    const char *alias;
    const char *sql;
};

// Texts of the program in the form it stores them (the corrected forms where SQLite
// refuses the original: table-prefixed aliases, ambiguous columns qualified).
const Text kTexts[] = {
    {"", R"sql(select count(*) from ":tarix_data:vyp" where v_nepoist_zp is null)sql"},
    {"", R"sql(insert into ":tarix_comm:typrl" values ("10","PN"))sql"},
    {"", R"sql(update ":tarix_data:dual" set text="SYS")sql"},
    {"", R"sql(insert into ":tarix_comm:cis_par" values (32,"ZRAZ_DAN_POSUN","0","Zrážková daň k preddavkovej posunutá o 1 mesiac(ÁNO=1,NIE=0)"))sql"},
    {"", R"sql(insert into ":tarix_data:cis_pu" values (17.50,null,null,"daň zrážky",null,null,null,null,null);)sql"},
    {"", R"sql(insert into ":tarix_comm:prerus1" values ("8","text"))sql"},
    {"TARIX_DATA", "select\n  (select count(*) from deti where  code_emp=:p1 and zniz_poistne=true)  as pocet1,\n"
                   "  (select count(*) from deti where  code_emp=:p1 and dan_bonus=true) as pocet2,\n"
                   "  (select count(*) from deti where  code_emp=:p1 and pd=true)  as pocet3\nfrom dual;"},
    {"TARIX_DATA", "select typ,suma,typ_sumy,vypocitana_suma\nfrom zrv\nwhere \nv_obdobie=:p1 and code_emp=:p2\nfor update of vypocitana_suma"},
    {"TARIX_DATA", "select * from zam z\norder by z.surname,z.name;"},
    {"TARIX_DATA", "select a.code_emp, a.name, a.surname, a.title, a.born_date, b.cislo from zam a,dual12 b "
                   "where a.code_emp between :p1 and :p2 and a.sid between :p3 and :p4 order by a.code_emp, b.cislo"},
    {"", R"sql(select kzp, max(v_obdobie) v_obdobie, count(*) pocet from ":tarix_data:vyp" vyp where v_obdobie=:p1 and sid between :p2 and :p3 and kzp<>0 and exists (select 1 from vyp where v_obdobie=:p1 and sid between :p2 and :p3 and u_zdrav>0) group by kzp having count(*)>0)sql"},
    {"", R"sql(update ":tarix_data:vyp" set d_vyrovnanie=(select max(preplatok) from ":tarix_data:rzp" where v_rok=2006 and code_emp=vyp.code_emp) where v_obdobie=200703 and exists (select 1 from ":tarix_data:rzp" where v_rok=2006 and code_emp=vyp.code_emp);)sql"},
    {"TARIX_DATA", "select * from zam a where a.code_emp in (select distinct code_emp from vyp where v_obdobie between :obdobie1 and :obdobie2) and a.u_fondzam in (1,3)"},
    {"TARIX_DATA", "select a.code_emp from zam a left outer join vyp b on a.code_emp=b.code_emp and b.v_obdobie between :obdobie1 and :obdobie2 and b.dan_vyrovnana=0"},
    {"TARIX_DATA", "select hodnota,0 as id from zam_uk where code_numb=:p1 and ukid= :p2\nunion\nselect hodnota,1 from cis_uk where ukid = :p2\norder by id"},
    {"TARIX_DATA", R"sql(select x.suma from ":tarix_priv:nakl" x,cis_bu y where x.ident_symbol=y.buid_typ and x.ident_cislo=y.buid_kod and x.suma > 0 and y.cislo_u <> '')sql"},
    {"", R"sql(update ":tarix_data:cis_pu" AS A set suma=(select suma from ":tarix_priv:nakl" B where B.ident_symbol='+' and B.ident_cislo=A.id))sql"},
    {"TARIX_DATA", "select sum(n_brutto-n_odstupne) n_brutto, sum(n_jednoraz1/v_mesiace1) j, sum(n_netto)/count(*) p, count(distinct code_emp) c from vyp where v_obdobie = :v_obdobie"},
    {"TARIX_DATA", "select z.sid, v.* from vyp v,zam z,inf i where v.v_obdobie = :p1 and v.sid between :p2 and :p3 and v.u_zdrav>0 and v.kzp = :kzp and v.code_emp=z.code_emp"},
    {"TARIX_DATA", "select * from zam where not exists (select 1 from vyp where v_obdobie = :v_obdobie and code_emp = zam.code_emp)"},
    {"TARIX_DATA", "select v.n_jednoraz1+v.n_jednoraz2 n_jednoraz, max(z.tp_zip) tp_zip from vyp v, zam z where v.code_emp = z.code_emp group by v.code_emp"},
    {"TARIX_DATA", "select '      ' predcislo_u, 0 n_ddp_uplat from cis_pu where id IN (17.50)"},
};

} // namespace

TEST_F(SqlTexts, ProgramTextsPrepareAgainstTheCatalogue)
{
    for (const Text &t : kTexts)
        EXPECT_EQ(prepare(QString::fromUtf8(t.sql), QString::fromLatin1(t.alias)), QString()) << t.sql;
}

// The same texts, unchanged, on the database server.
TEST_F(SqlTexts, ProgramTextsPrepareOnTheServer)
{
    TARIX_REQUIRE_PG_SERVER();
    createServerSchemas();
    // SQLite takes a column beside an aggregate that the grouping does not fix from any row of
    // the group; the server refuses it. Such a text must be corrected where it is stored.
    const QString bareColumn = QStringLiteral("must appear in the GROUP BY clause");
    for (const Text &t : kTexts) {
        const QString sql = QString::fromUtf8(t.sql);
        const QString complaint = prepareOnServer(sql, QString::fromLatin1(t.alias));
        if (sql.startsWith(QStringLiteral("select v.n_jednoraz1+v.n_jednoraz2 n_jednoraz, max(z.tp_zip)")))
            EXPECT_TRUE(complaint.contains(bareColumn)) << complaint.toStdString();
        else
            EXPECT_EQ(complaint, QString()) << t.sql;
    }
}

TEST_F(SqlTexts, QueriesOfTheDataModulesPrepareOnTheServer)
{
    TARIX_REQUIRE_PG_SERVER();
    createServerSchemas();
    core::registerModules();
    core::moduleRegistry().createAll();
    int prepared = 0;
    for (core::DataModule *m : core::moduleRegistry().modules()) {
        for (const QString &name : m->queryNames()) {
            db::Query *q = m->query(name);
            if (q->sqlText().trimmed().isEmpty())
                continue;
            EXPECT_EQ(prepareOnServer(q->sqlText(), q->databaseName()), QString())
                << m->name().toStdString() << " " << name.toStdString();
            ++prepared;
        }
    }
    EXPECT_GE(prepared, 6);
    core::moduleRegistry().destroyAll();
    core::moduleRegistry().clear();
}

TEST_F(SqlTexts, QueriesOfTheDataModulesPrepare)
{
    // The core's modules as start-up creates them.
    core::registerModules();
    core::moduleRegistry().createAll();
    EXPECT_EQ(core::moduleRegistry().modules(),
              (std::vector<core::DataModule *>{&core::DM(), &core::DMZ(), &core::DMP()}));
    int prepared = 0;
    for (core::DataModule *m : core::moduleRegistry().modules()) {
        for (const QString &name : m->queryNames()) {
            db::Query *q = m->query(name);
            if (q->sqlText().trimmed().isEmpty())
                continue; // texts built at run time are prepared by their own tests
            EXPECT_EQ(prepare(q->sqlText(), q->databaseName()), QString())
                << m->name().toStdString() << " " << name.toStdString();
            ++prepared;
        }
    }
    EXPECT_GE(prepared, 6);
    core::moduleRegistry().destroyAll();
    core::moduleRegistry().clear();
    EXPECT_TRUE(core::moduleRegistry().modules().empty());
}
