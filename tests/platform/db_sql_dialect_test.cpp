// The program's SQL dialect rewritten for SQLite, as a table of cases.
#include "platform/db/db_error.h"
#include "platform/db/sql_dialect.h"

#include <gtest/gtest.h>

using namespace tarix::db;

namespace {

SqlRewriteContext context(const QString &defaultAlias = {})
{
    SqlRewriteContext ctx;
    ctx.defaultAlias = defaultAlias;
    ctx.schemaOf = [](const QString &alias) -> QString {
        const QString a = alias.toLower();
        if (a == u"tarix_datx")
            return QStringLiteral("tarix_data"); // shares the firm's database
        if (a == u"tarix_data" || a == u"tarix_comm" || a == u"tarix_priv")
            return a;
        return {};
    };
    // The firm database has dual and dual12; the year database has neither.
    ctx.hasTable = [](const QString &schema, const QString &table) {
        return !(schema == u"tarix_comm" && (table == u"dual" || table == u"dual12"));
    };
    return ctx;
}

struct Case {
    const char *name;
    const char *defaultAlias;
    const char *in;
    const char *out;
};

const Case kCases[] = {
    {"alias name in any case", "",
     R"(select count(*) from ":tarix_data:vyp" where v_nepoist_zp is null)",
     "select count(*) from tarix_data.vyp where v_nepoist_zp is null"},
    {"upper-case alias with extension", "", R"(select * from ":TARIX_COMM:Cis_par.DB")",
     "select * from tarix_comm.cis_par"},
    {"datx shares the firm schema", "", R"(select * from ":tarix_datx:vyp" a)", "select * from tarix_data.vyp a"},
    {"literal that equals a column name", "", R"(insert into ":tarix_comm:typrl" values ("10","kzp"))",
     "insert into tarix_comm.typrl values ('10','kzp')"},
    {"literal holding a quote", "", R"(update ":tarix_data:dual" set text="O'Neil")",
     "update tarix_data.dual set text='O''Neil'"},
    {"doubled double quote inside a literal", "", R"(select "a""b" from dual)", "select 'a\"b' from dual"},
    {"single-quoted literal kept", "", "select * from zam where surname='Kováč'", "select * from zam where surname='Kováč'"},
    {"trailing semicolon on an appended line", "TARIX_DATA", "select * from zam z\norder by z.surname,z.name;\n",
     "select * from tarix_data.zam z\norder by z.surname,z.name"},
    {"parameters folded to lower case, one name twice", "TARIX_DATA",
     "select * from vyp where v_obdobie between :V_OBDOBIE - 12 and :v_obdobie and code_emp=:P1",
     "select * from tarix_data.vyp where v_obdobie between :v_obdobie - 12 and :v_obdobie and code_emp=:p1"},
    {"unqualified tables in a from list", "TARIX_DATA", "select * from vyp v,zam z,inf i where v.code_emp=z.code_emp",
     "select * from tarix_data.vyp v,tarix_data.zam z,tarix_data.inf i where v.code_emp=z.code_emp"},
    {"dual of the default alias", "TARIX_DATA", "select\n (select count(*) from deti where code_emp=:p1) as pocet1\nfrom dual;",
     "select\n (select count(*) from tarix_data.deti where code_emp=:p1) as pocet1\nfrom tarix_data.dual"},
    {"dual falls back to the built-in table", "TARIX_COMM", "select * from dual", "select * from main.dual"},
    {"dual12 in a cross join", "TARIX_DATA", "select a.code_emp,b.cislo from zam a,dual12 b order by a.code_emp, b.cislo",
     "select a.code_emp,b.cislo from tarix_data.zam a,tarix_data.dual12 b order by a.code_emp, b.cislo"},
    {"join and subquery", "TARIX_DATA",
     "select a.* from zam a left outer join vyp b on a.code_emp=b.code_emp where a.code_emp in (select distinct code_emp from vyp)",
     "select a.* from tarix_data.zam a left outer join tarix_data.vyp b on a.code_emp=b.code_emp where a.code_emp in (select distinct code_emp from tarix_data.vyp)"},
    {"cross-alias with default alias", "TARIX_DATA",
     R"(select * from ":tarix_priv:nakl" x,cis_bu y where x.ident_symbol=y.buid_typ and y.cislo_u <> '')",
     "select * from tarix_priv.nakl x,tarix_data.cis_bu y where x.ident_symbol=y.buid_typ and coalesce(y.cislo_u,'') <> ''"},
    {"for update dropped", "TARIX_DATA",
     "select typ,suma,typ_sumy,vypocitana_suma\nfrom zrv\nwhere \nv_obdobie=:p1 and code_emp=:p2\nfor update of vypocitana_suma",
     "select typ,suma,typ_sumy,vypocitana_suma\nfrom tarix_data.zrv\nwhere \nv_obdobie=:p1 and code_emp=:p2"},
    {"insert into, update and delete qualified", "TARIX_DATA", "delete from zrv where code_emp=5",
     "delete from tarix_data.zrv where code_emp=5"},
    {"update with correlated subquery", "",
     R"(update ":tarix_data:vyp" set d_vyrovnanie=(select max(preplatok) from ":tarix_data:rzp" where v_rok=2005 and code_emp=vyp.code_emp);)",
     "update tarix_data.vyp set d_vyrovnanie=(select max(preplatok) from tarix_data.rzp where v_rok=2005 and code_emp=vyp.code_emp)"},
    {"no default alias leaves names as written", "", "select * from zam where name=\"x\"", "select * from zam where name='x'"},
    {"union lines", "TARIX_DATA", "select hodnota,0 as id from zam_uk where code_numb=:p1\nunion\nselect hodnota,1 from cis_uk where ukid = :p2\norder by id",
     "select hodnota,0 as id from tarix_data.zam_uk where code_numb=:p1\nunion\nselect hodnota,1 from tarix_data.cis_uk where ukid = :p2\norder by id"},
    {"time text is not a parameter", "", "select '10:30' from dual", "select '10:30' from dual"},
    {"blank test finds blank texts", "", R"(select * from ":tarix_data:cis_bu" y where y.cislo_u <> '' and prijemca='')",
     "select * from tarix_data.cis_bu y where coalesce(y.cislo_u,'') <> '' and coalesce(prijemca,'')=''"},
    {"blank test with a double-quoted empty literal", "", R"(select * from zam where tel1 = "")",
     "select * from zam where coalesce(tel1,'') = ''"},
    {"assigning a blank text stays an assignment", "", R"(update ":tarix_data:inf" set adr_fax='' where icz='')",
     "update tarix_data.inf set adr_fax='' where coalesce(icz,'')=''"},
};

} // namespace

TEST(DbSqlDialect, RewritesTheProgramsTexts)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.name);
        const SqlRewrite r = rewriteSql(QString::fromUtf8(c.in), context(QString::fromUtf8(c.defaultAlias)));
        EXPECT_EQ(r.sql.toStdString(), std::string(c.out));
    }
}

TEST(DbSqlDialect, ReportsParametersLiveClauseAndFirstTable)
{
    const SqlRewrite r = rewriteSql(QStringLiteral("select typ from zrv z where v_obdobie=:P1 and code_emp=:p2 and x=:p1 for update of vypocitana_suma;"),
                                    context(QStringLiteral("TARIX_DATA")));
    EXPECT_EQ(r.parameters, (QStringList{QStringLiteral("p1"), QStringLiteral("p2")}));
    EXPECT_TRUE(r.forUpdate);
    EXPECT_EQ(r.forUpdateColumns, QStringList{QStringLiteral("vypocitana_suma")});
    EXPECT_EQ(r.firstTable, QStringLiteral("tarix_data.zrv"));
    EXPECT_EQ(r.firstTableAlias, QStringLiteral("z"));
    EXPECT_EQ(r.sql.mid(0, r.selectListPos), QStringLiteral("select"));
}

TEST(DbSqlDialect, UnknownAliasIsAnError)
{
    EXPECT_THROW(rewriteSql(QStringLiteral(R"(select * from ":tarix_xyz:zam")"), context()), DbError);
    EXPECT_THROW(rewriteSql(QStringLiteral("select * from zam"), context(QStringLiteral("NOPE"))), DbError);
    EXPECT_THROW(rewriteSql(QStringLiteral("select 'open"), context()), DbError);
}

TEST(DbSqlDialect, NormalizesTableNames)
{
    EXPECT_EQ(normalizeTableName(QStringLiteral("Zam.DB")), QStringLiteral("zam"));
    EXPECT_EQ(normalizeTableName(QStringLiteral("CIS_PAR.db")), QStringLiteral("cis_par"));
    EXPECT_EQ(normalizeTableName(QStringLiteral("C:\\TARIX\\DATA01\\INF.DB")), QStringLiteral("inf"));
    EXPECT_EQ(normalizeTableName(QStringLiteral("hsu")), QStringLiteral("hsu"));
}
