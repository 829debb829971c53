// The program's SQL dialect rewritten for SQLite, as tables of cases: one group per rewrite
// (alias-qualified names, string literals, parameters, trailing semicolons, unqualified table
// names, dual and dual12, "for update of", blank comparisons), then texts that need several.
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
    // ":alias:table" becomes schema.table, the table named as stored.
    {"alias name in any case", "",
     R"(select count(*) from ":tarix_data:vyp" where v_nepoist_zp is null)",
     "select count(*) from tarix_data.vyp where v_nepoist_zp is null"},
    {"upper-case alias with extension", "", R"(select * from ":TARIX_COMM:Cis_par.DB")",
     "select * from tarix_comm.cis_par"},
    {"datx shares the firm schema", "", R"(select * from ":tarix_datx:vyp" a)", "select * from tarix_data.vyp a"},
    {"alias-qualified names in a join and a subquery", "",
     R"(select z.surname from ":tarix_data:zam" z join ":tarix_data:Vyp.db" v on v.code_emp=z.code_emp where z.sid in (select sid from ":tarix_data:cis_vm"))",
     "select z.surname from tarix_data.zam z join tarix_data.vyp v on v.code_emp=z.code_emp where z.sid in (select sid from tarix_data.cis_vm)"},
    {"alias name written as a schema maps to its schema", "TARIX_DATA", "select * from tarix_datx.vyp v, tarix_priv.nakl n",
     "select * from tarix_data.vyp v, tarix_priv.nakl n"},
    {"a schema that is no alias stays as written", "TARIX_DATA", "select * from Main.dual", "select * from Main.dual"},

    // Other double-quoted tokens are string literals; single-quoted ones stay.
    {"literal that equals a column name", "", R"(insert into ":tarix_comm:typrl" values ("10","kzp"))",
     "insert into tarix_comm.typrl values ('10','kzp')"},
    {"literal holding a quote", "", R"(update ":tarix_data:dual" set text="O'Neil")",
     "update tarix_data.dual set text='O''Neil'"},
    {"doubled double quote inside a literal", "", R"(select "a""b" from dual)", "select 'a\"b' from dual"},
    {"single-quoted literal kept", "", "select * from zam where surname='Kováč'", "select * from zam where surname='Kováč'"},
    {"a literal with one colon is no alias", "", R"(select ":p1", "10:30" from dual)", "select ':p1', '10:30' from dual"},
    {"time text is not a parameter", "", "select '10:30' from dual", "select '10:30' from dual"},

    // Named parameters are folded to lower case.
    {"parameters folded to lower case, one name twice", "TARIX_DATA",
     "select * from vyp where v_obdobie between :V_OBDOBIE - 12 and :v_obdobie and code_emp=:P1",
     "select * from tarix_data.vyp where v_obdobie between :v_obdobie - 12 and :v_obdobie and code_emp=:p1"},

    // A trailing ";" is dropped, also after line breaks and comments; one inside the text stays.
    {"trailing semicolon on an appended line", "TARIX_DATA", "select * from zam z\norder by z.surname,z.name;\n",
     "select * from tarix_data.zam z\norder by z.surname,z.name"},
    {"semicolon on a line of its own", "", R"(delete from ":tarix_priv:hsv")" "\n;\n", "delete from tarix_priv.hsv"},
    {"several trailing semicolons", "TARIX_DATA", "delete from zrv;; ;", "delete from tarix_data.zrv"},
    {"semicolon before a closing comment", "", "select 1 from dual; -- done", "select 1 from dual -- done"},
    {"semicolon inside a literal stays", "", "select ';' from dual;", "select ';' from dual"},
    {"semicolon between statements stays", "TARIX_DATA", "delete from zrv; delete from hsu;",
     "delete from tarix_data.zrv; delete from tarix_data.hsu"},

    // Unqualified table names take the default alias's schema; without one they stay.
    {"unqualified tables in a from list", "TARIX_DATA", "select * from vyp v,zam z,inf i where v.code_emp=z.code_emp",
     "select * from tarix_data.vyp v,tarix_data.zam z,tarix_data.inf i where v.code_emp=z.code_emp"},
    {"join and subquery", "TARIX_DATA",
     "select a.* from zam a left outer join vyp b on a.code_emp=b.code_emp where a.code_emp in (select distinct code_emp from vyp)",
     "select a.* from tarix_data.zam a left outer join tarix_data.vyp b on a.code_emp=b.code_emp where a.code_emp in (select distinct code_emp from tarix_data.vyp)"},
    {"insert into qualified", "TARIX_DATA", "insert into zrv (v_obdobie, code_emp) values (:p, :e)",
     "insert into tarix_data.zrv (v_obdobie, code_emp) values (:p, :e)"},
    {"update qualified, its set list not", "TARIX_DATA", "update vyp set rezerva1=0 where code_emp=5",
     "update tarix_data.vyp set rezerva1=0 where code_emp=5"},
    {"insert into, update and delete qualified", "TARIX_DATA", "delete from zrv where code_emp=5",
     "delete from tarix_data.zrv where code_emp=5"},
    {"columns named like tables stay columns", "TARIX_DATA", "select zam, vyp from zam where vyp = 1",
     "select zam, vyp from tarix_data.zam where vyp = 1"},
    {"a derived table in a from list", "TARIX_DATA",
     "select s.code_emp from (select code_emp from vyp) s, zam z where s.code_emp=z.code_emp",
     "select s.code_emp from (select code_emp from tarix_data.vyp) s, tarix_data.zam z where s.code_emp=z.code_emp"},
    {"a common table expression is not qualified", "TARIX_DATA",
     "with m as (select code_emp from vyp) select * from m join zam z on z.code_emp=m.code_emp",
     "with m as (select code_emp from tarix_data.vyp) select * from m join tarix_data.zam z on z.code_emp=m.code_emp"},
    {"a recursive common table expression with its column list", "TARIX_DATA",
     "with recursive n(i) as (select 1 union all select i + 1 from n where i < 12) select i from n, dual12 d where d.cislo = n.i",
     "with recursive n(i) as (select 1 union all select i + 1 from n where i < 12) select i from n, tarix_data.dual12 d where d.cislo = n.i"},
    {"several common table expressions with column lists", "TARIX_DATA",
     "with a(x, y) as (select code_emp, sid from zam), b (z) as (select x from a) select * from b join vyp v on v.code_emp = b.z",
     "with a(x, y) as (select code_emp, sid from tarix_data.zam), b (z) as (select x from a) select * from b join tarix_data.vyp v on v.code_emp = b.z"},
    {"union lines", "TARIX_DATA", "select hodnota,0 as id from zam_uk where code_numb=:p1\nunion\nselect hodnota,1 from cis_uk where ukid = :p2\norder by id",
     "select hodnota,0 as id from tarix_data.zam_uk where code_numb=:p1\nunion\nselect hodnota,1 from tarix_data.cis_uk where ukid = :p2\norder by id"},
    {"update with correlated subquery", "",
     R"(update ":tarix_data:vyp" set d_vyrovnanie=(select max(preplatok) from ":tarix_data:rzp" where v_rok=2005 and code_emp=vyp.code_emp);)",
     "update tarix_data.vyp set d_vyrovnanie=(select max(preplatok) from tarix_data.rzp where v_rok=2005 and code_emp=vyp.code_emp)"},
    {"no default alias leaves names as written", "", "select * from zam where name=\"x\"", "select * from zam where name='x'"},

    // dual and dual12: the folder's own tables where it has them, else the built-in ones.
    {"dual of the default alias", "TARIX_DATA", "select\n (select count(*) from deti where code_emp=:p1) as pocet1\nfrom dual;",
     "select\n (select count(*) from tarix_data.deti where code_emp=:p1) as pocet1\nfrom tarix_data.dual"},
    {"dual falls back to the built-in table", "TARIX_COMM", "select * from dual", "select * from main.dual"},
    {"dual12 in a cross join", "TARIX_DATA", "select a.code_emp,b.cislo from zam a,dual12 b order by a.code_emp, b.cislo",
     "select a.code_emp,b.cislo from tarix_data.zam a,tarix_data.dual12 b order by a.code_emp, b.cislo"},
    {"alias-qualified dual12 of the year folder", "", R"(select cislo from ":tarix_comm:DUAL12.DB")",
     "select cislo from main.dual12"},
    {"a table of the year folder is not dual", "TARIX_COMM", "select * from dualx, cis_par",
     "select * from tarix_comm.dualx, tarix_comm.cis_par"},

    // "for update of ..." is dropped to the statement's end.
    {"for update dropped", "TARIX_DATA",
     "select typ,suma,typ_sumy,vypocitana_suma\nfrom zrv\nwhere \nv_obdobie=:p1 and code_emp=:p2\nfor update of vypocitana_suma",
     "select typ,suma,typ_sumy,vypocitana_suma\nfrom tarix_data.zrv\nwhere \nv_obdobie=:p1 and code_emp=:p2"},
    {"FOR UPDATE without columns, then a semicolon", "TARIX_DATA", "select * from hsv FOR UPDATE;",
     "select * from tarix_data.hsv"},
    {"a column named for_update is no clause", "TARIX_DATA", "select for_update from inf",
     "select for_update from tarix_data.inf"},

    // A comparison with the empty text also finds blank (NULL) texts; assignments stay.
    {"blank test finds blank texts", "", R"(select * from ":tarix_data:cis_bu" y where y.cislo_u <> '' and prijemca='')",
     "select * from tarix_data.cis_bu y where coalesce(y.cislo_u,'') <> '' and coalesce(prijemca,'')=''"},
    {"blank test with a double-quoted empty literal", "", R"(select * from zam where tel1 = "")",
     "select * from zam where coalesce(tel1,'') = ''"},
    {"blank test with !=", "", "select * from zam where mail != ''", "select * from zam where coalesce(mail,'') != ''"},
    {"assigning a blank text stays an assignment", "", R"(update ":tarix_data:inf" set adr_fax='' where icz='')",
     "update tarix_data.inf set adr_fax='' where coalesce(icz,'')=''"},

    // Several rewrites in one text.
    {"cross-alias with default alias", "TARIX_DATA",
     R"(select * from ":tarix_priv:nakl" x,cis_bu y where x.ident_symbol=y.buid_typ and y.cislo_u <> '')",
     "select * from tarix_priv.nakl x,tarix_data.cis_bu y where x.ident_symbol=y.buid_typ and coalesce(y.cislo_u,'') <> ''"},
    {"every rewrite at once", "TARIX_DATA",
     "select z.code_emp, \"A\" as typ from \":TARIX_DATX:Zam.DB\" z, vyp v, dual12 d\n"
     "where v.code_emp = z.code_emp and z.cislo_u <> \"\" and v.v_obdobie = :P1 and d.cislo <= :p1\n"
     "for update of typ;\n",
     "select z.code_emp, 'A' as typ from tarix_data.zam z, tarix_data.vyp v, tarix_data.dual12 d\n"
     "where v.code_emp = z.code_emp and coalesce(z.cislo_u,'') <> '' and v.v_obdobie = :p1 and d.cislo <= :p1"},
    {"year folder's dual with literals and a trailing semicolon", "TARIX_COMM",
     "select \"O'Neil\" as meno, :Rok as rok from dual where \"x\" <> '';",
     "select 'O''Neil' as meno, :rok as rok from main.dual where 'x' <> ''"},
    {"insert from a select across folders", "TARIX_PRIV",
     R"(insert into hsv (code_emp, text) select code_emp, "-" from ":tarix_data:zam" where sid between :S1 and :s2;)",
     "insert into tarix_priv.hsv (code_emp, text) select code_emp, '-' from tarix_data.zam where sid between :s1 and :s2"},
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

// What the rewrite reports besides the text in other positions: the parameters, the live
// clause, every table named and the first table of the outermost statement with its alias.
TEST(DbSqlDialect, ReportsTablesAndLiveClauseOfEachKindOfText)
{
    struct Report {
        const char *name;
        const char *in;
        QStringList parameters;
        QStringList forUpdateColumns; // empty: no "for update"
        bool forUpdate;
        QStringList tables;
        const char *firstTable;
        const char *firstTableAlias;
    };
    const Report reports[] = {
        {"for update of two columns", "select a, b from hsv for update of a, B",
         {}, {"a", "b"}, true, {"tarix_data.hsv"}, "tarix_data.hsv", ""},
        {"alias after as", "select * from \":tarix_priv:nakl\" as n, zam",
         {}, {}, false, {"tarix_priv.nakl", "tarix_data.zam"}, "tarix_priv.nakl", "n"},
        {"a subquery's tables are not first", "select (select count(*) from deti d) as p, z.name from zam z",
         {}, {}, false, {"tarix_data.deti", "tarix_data.zam"}, "tarix_data.zam", "z"},
        {"no alias before where", "select * from vyp where code_emp = :e", {"e"}, {}, false, {"tarix_data.vyp"},
         "tarix_data.vyp", ""},
        {"update statement", "update vyp set rezerva1 = :r", {"r"}, {}, false, {"tarix_data.vyp"}, "tarix_data.vyp", ""},
        {"dual of the year folder", "select 1 from \":tarix_comm:dual\"", {}, {}, false, {"main.dual"}, "main.dual", ""},
    };
    for (const Report &c : reports) {
        SCOPED_TRACE(c.name);
        const SqlRewrite r = rewriteSql(QString::fromUtf8(c.in), context(QStringLiteral("TARIX_DATA")));
        EXPECT_EQ(r.parameters, c.parameters);
        EXPECT_EQ(r.forUpdate, c.forUpdate);
        EXPECT_EQ(r.forUpdateColumns, c.forUpdateColumns);
        EXPECT_EQ(r.tables, c.tables);
        EXPECT_EQ(r.firstTable, QString::fromUtf8(c.firstTable));
        EXPECT_EQ(r.firstTableAlias, QString::fromUtf8(c.firstTableAlias));
    }
    // Where the outermost select list begins: the select of a subquery does not count.
    const SqlRewrite r = rewriteSql(QStringLiteral("with m as (select 1 from dual) select a, b from m"),
                                    context(QStringLiteral("TARIX_DATA")));
    EXPECT_EQ(r.sql.mid(r.selectListPos), QStringLiteral(" a, b from m"));
    EXPECT_EQ(rewriteSql(QStringLiteral("delete from vyp"), context()).selectListPos, -1);
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

// The same texts for the database server: each alias's folder is a schema of its own there.
namespace {

SqlRewriteContext serverContext(const QString &defaultAlias = {})
{
    SqlRewriteContext ctx = context(defaultAlias);
    ctx.target = SqlTarget::PostgreSql;
    ctx.schemaOf = [](const QString &alias) -> QString {
        const QString a = alias.toLower();
        if (a == u"tarix_data" || a == u"tarix_datx")
            return QStringLiteral("data01");
        if (a == u"tarix_comm")
            return QStringLiteral("rok2007");
        if (a == u"tarix_priv")
            return QStringLiteral("priv_0123abcd");
        return {};
    };
    ctx.hasTable = [](const QString &schema, const QString &table) {
        return !(schema == u"rok2007" && (table == u"dual" || table == u"dual12"));
    };
    return ctx;
}

const Case kServerCases[] = {
    // Names: every alias its schema, the rest as for SQLite.
    {"alias names become the folders' schemas", "",
     R"(select * from ":TARIX_DATX:Vyp.db" v, ":tarix_priv:nakl" n, ":tarix_comm:cis_par" c)",
     "select * from data01.vyp v, priv_0123abcd.nakl n, rok2007.cis_par c"},
    {"unqualified names take the default alias's schema", "TARIX_DATA", "select * from vyp v,zam z,inf i",
     "select * from data01.vyp v,data01.zam z,data01.inf i"},
    {"dual of a folder without one is the program schema's", "TARIX_COMM", "select * from dual",
     "select * from tarix.dual"},
    {"string literals and blank tests as for SQLite", "", R"(select * from ":tarix_data:cis_bu" y where y.cislo_u <> "" and nazov="O'Neil")",
     "select * from data01.cis_bu y where coalesce(y.cislo_u,'') <> '' and nazov='O''Neil'"},

    // Parameters are numbered in the order of first use; one name is one number.
    {"parameters numbered", "TARIX_DATA",
     "select * from vyp where v_obdobie between :V_OBDOBIE - 12 and :v_obdobie and code_emp=:P1 and sid=:p1",
     "select * from data01.vyp where v_obdobie between $1 - 12 and $1 and code_emp=$2 and sid=$2"},
    {"parameter arithmetic", "TARIX_DATA", "select * from vyp where v_obdobie = :p2 * 100 + 1",
     "select * from data01.vyp where v_obdobie = $1 * 100 + 1"},

    // Truth values are the stored 0 and 1 of logicals.
    {"true and false in comparisons", "TARIX_DATA",
     "select count(*) from deti where code_emp=:p1 and zniz_poistne=true and pd = FALSE",
     "select count(*) from data01.deti where code_emp=$1 and zniz_poistne=1 and pd = 0"},
    {"a qualified column named true stays a column", "TARIX_DATA", "select d.true from dual d",
     "select d.true from data01.dual d"},

    // Functions SQLite has under other names.
    {"ifnull is coalesce", "TARIX_DATA", "select sum(ifnull(n_brutto, 0)-IFNULL (n_dohody_ovp, 0)) from vyp",
     "select sum(coalesce(n_brutto, 0)-coalesce (n_dohody_ovp, 0)) from data01.vyp"},
    {"a column named ifnull stays", "TARIX_DATA", "select ifnull from zam", "select ifnull from data01.zam"},
    {"cast as real is double precision", "TARIX_DATA",
     "select cast(sum(n_netto) as real)/count(*) n_netto from vyp where code_emp = :code_emp and v_rok = :rok",
     "select cast(sum(n_netto) as double precision)/count(*) n_netto from data01.vyp where code_emp = $1 and v_rok = $2"},
    {"cast as integer is bigint, other casts stay", "", "select CAST(x AS INTEGER), cast(y as varchar(10)) from dual",
     "select CAST(x AS bigint), cast(y as varchar(10)) from dual"},
    {"a column alias named real outside a cast stays", "", "select 1 as real from dual", "select 1 as real from dual"},

    // Blanks sort as in SQLite: first ascending, last descending, in every ORDER BY.
    {"order terms get the embedded place of blanks", "TARIX_DATA",
     "select * from zam order by surname, name DESC, code_emp asc",
     "select * from data01.zam order by surname NULLS FIRST, name DESC NULLS LAST, code_emp asc NULLS FIRST"},
    {"a term's own nulls clause stays", "TARIX_DATA", "select * from zam order by name desc nulls first, surname",
     "select * from data01.zam order by name desc nulls first, surname NULLS FIRST"},
    {"expressions, positions and collations are one term each", "TARIX_DATA",
     "select code_emp, name from zam order by coalesce(name, surname) desc, 2, substr(name,1,3)||'x'",
     "select code_emp, name from data01.zam order by coalesce(name, surname) desc NULLS LAST, 2 NULLS FIRST, "
     "substr(name,1,3)||'x' NULLS FIRST"},
    {"the term ends before limit, offset and the live clause", "TARIX_DATA",
     "select * from zam order by name  limit 10 offset :p1 for update of name;",
     "select * from data01.zam order by name NULLS FIRST  limit 10 offset $1"},
    {"comments and line ends after the term stay behind it", "TARIX_DATA",
     "select * from zam\norder by\n  name -- by name\n;\n",
     "select * from data01.zam\norder by\n  name NULLS FIRST -- by name"},
    {"window and sub-select orders", "TARIX_DATA",
     "select code_emp, row_number() over (partition by sid order by vystup desc rows between unbounded preceding and current row) r,"
     " (select max(v_obdobie) from vyp v where v.code_emp = z.code_emp group by sid order by 1) m from zam z order by r",
     "select code_emp, row_number() over (partition by sid order by vystup desc NULLS LAST rows between unbounded preceding and current row) r,"
     " (select max(v_obdobie) from data01.vyp v where v.code_emp = z.code_emp group by sid order by 1 NULLS FIRST) m from data01.zam z order by r NULLS FIRST"},
    {"a sub-select inside a term", "TARIX_DATA",
     "select * from zam z order by (select n_netto from vyp v where v.code_emp = z.code_emp order by v_obdobie desc limit 1) desc",
     "select * from data01.zam z order by (select n_netto from data01.vyp v where v.code_emp = z.code_emp order by v_obdobie desc NULLS LAST limit 1) desc NULLS LAST"},
    {"order by of a compound select's sub-select and group by untouched", "TARIX_DATA",
     "select a from (select name a from zam order by name) union select surname from zam group by surname",
     "select a from (select name a from data01.zam order by name NULLS FIRST) union select surname from data01.zam group by surname"},

    // Common table expressions stay unqualified, a column list after the name included.
    {"a recursive common table expression with its column list", "TARIX_DATA",
     "with recursive n(i) as (select 1 union all select i + 1 from n where i < :p1) insert into nakl (riadok) select i from n",
     "with recursive n(i) as (select 1 union all select i + 1 from n where i < $1) insert into data01.nakl (riadok) select i from n"},
    {"a cast inside a common table expression", "TARIX_DATA",
     "with t (v) as (select cast(n_netto as real) from vyp) select v from t order by v",
     "with t (v) as (select cast(n_netto as double precision) from data01.vyp) select v from t order by v NULLS FIRST"},

    // Trailing semicolons and the live clause as for SQLite.
    {"live query for the server", "TARIX_DATA",
     "select typ,suma,typ_sumy,vypocitana_suma\nfrom zrv\nwhere \nv_obdobie=:p1 and code_emp=:p2\nfor update of vypocitana_suma;",
     "select typ,suma,typ_sumy,vypocitana_suma\nfrom data01.zrv\nwhere \nv_obdobie=$1 and code_emp=$2"},
    {"every rewrite at once", "TARIX_DATA",
     "select z.code_emp, \"A\" as typ, ifnull(v.n_netto, 0) n from \":TARIX_DATX:Zam.DB\" z, vyp v, dual12 d\n"
     "where v.code_emp = z.code_emp and z.cislo_u <> \"\" and v.v_obdobie = :P1 and d.cislo <= :p1 and v.dan_vyrovnana=true;\n",
     "select z.code_emp, 'A' as typ, coalesce(v.n_netto, 0) n from data01.zam z, data01.vyp v, data01.dual12 d\n"
     "where v.code_emp = z.code_emp and coalesce(z.cislo_u,'') <> '' and v.v_obdobie = $1 and d.cislo <= $1 and v.dan_vyrovnana=1"},
};

} // namespace

TEST(DbSqlDialect, RewritesTheProgramsTextsForTheServer)
{
    // The embedded backend's order is its own: its texts keep their ORDER BY as written.
    EXPECT_EQ(rewriteSql(QStringLiteral("select * from zam order by name desc, surname"), context(QStringLiteral("TARIX_DATA"))).sql,
              QStringLiteral("select * from tarix_data.zam order by name desc, surname"));
    for (const Case &c : kServerCases) {
        SCOPED_TRACE(c.name);
        const SqlRewrite r = rewriteSql(QString::fromUtf8(c.in), serverContext(QString::fromUtf8(c.defaultAlias)));
        EXPECT_EQ(r.sql.toStdString(), std::string(c.out));
    }
    // The parameters are listed as for SQLite: $n is the n-th name.
    const SqlRewrite r = rewriteSql(QStringLiteral("select * from vyp where a=:B and c=:a and d=:b"),
                                    serverContext(QStringLiteral("TARIX_DATA")));
    EXPECT_EQ(r.parameters, (QStringList{QStringLiteral("b"), QStringLiteral("a")}));
}

// Table definitions for a schema of the server.
TEST(DbSqlDialect, WritesTableDefinitionsForAServerSchema)
{
    const QStringList ddl = postgresSchemaDdl(QStringLiteral(
        "-- a comment\n"
        "CREATE TABLE Zam (\n"
        "    Code_emp INTEGER NOT NULL,\n"
        "    Surname VARCHAR(20) NOT NULL COLLATE SK,\n"
        "    Plat MONEY_REAL, Nc LOGICAL, Sadzba FLOAT, Nastup DATE, Cas TIME, Zmena TIMESTAMP,\n"
        "    Pozn MEMO_TEXT, Foto BLOB, Typ SMALLINT,\n"
        "    PRIMARY KEY (Code_emp)\n"
        ");\n"
        "CREATE INDEX \"Zam.ZAM1\" ON Zam (Surname, Code_emp);\n"
        "CREATE TABLE Zrv (Code_emp INTEGER, ZRID AUTOINC_INT, PRIMARY KEY (Code_emp, ZRID));\n"
        "CREATE TABLE dual (text VARCHAR(10));\n"
        "INSERT INTO dual (text) VALUES (NULL);\n"),
        QStringLiteral("data01"));
    ASSERT_EQ(ddl.size(), 12);
    EXPECT_EQ(ddl[0].toStdString(),
              "CREATE TABLE data01.zam (\n"
              "    code_emp bigint NOT NULL,\n"
              "    surname varchar(20) NOT NULL COLLATE tarix.sk,\n"
              "    plat tarix.money_real,\n    nc tarix.logical,\n    sadzba double precision,\n"
              "    nastup date,\n    cas time(0),\n    zmena timestamp(0),\n"
              "    pozn text COLLATE \"C\",\n    foto bytea,\n    typ smallint,\n"
              "    CONSTRAINT \"zam_key\" UNIQUE (code_emp),\n"
              "    rowid bigint PRIMARY KEY\n)");
    // Names as declared, for the fields (a lower-case name needs none).
    EXPECT_TRUE(ddl[1].startsWith(QStringLiteral("COMMENT ON COLUMN data01.zam.code_emp IS 'Code_emp';\n"
                                                 "COMMENT ON COLUMN data01.zam.surname IS 'Surname';")));
    // The one INTEGER key field is the rowid: a trigger numbers blank keys and keeps the
    // server's rowid equal to the field.
    EXPECT_TRUE(ddl[2].startsWith(QStringLiteral("CREATE FUNCTION data01.\"_rowid_zam\"()")));
    EXPECT_TRUE(ddl[2].contains(QStringLiteral("NEW.rowid := NEW.code_emp;")));
    EXPECT_EQ(ddl[3], QStringLiteral("CREATE TRIGGER \"_rowid\" BEFORE INSERT OR UPDATE ON data01.zam FOR EACH ROW "
                                     "EXECUTE FUNCTION data01.\"_rowid_zam\"()"));
    EXPECT_EQ(ddl[4].toStdString(), "CREATE INDEX \"Zam.ZAM1\" ON data01.zam (surname, code_emp)");
    EXPECT_TRUE(ddl[5].startsWith(QStringLiteral("CREATE TABLE data01.zrv (\n    code_emp bigint,\n    zrid tarix.autoinc_int,")));
    EXPECT_EQ(ddl[6], QStringLiteral("COMMENT ON COLUMN data01.zrv.code_emp IS 'Code_emp';\n"
                                     "COMMENT ON COLUMN data01.zrv.zrid IS 'ZRID'"));
    EXPECT_EQ(ddl[7], QStringLiteral("CREATE SEQUENCE data01.\"_autoinc_zrv_zrid\" MINVALUE 0 START 1"));
    EXPECT_TRUE(ddl[8].startsWith(QStringLiteral("CREATE FUNCTION data01.\"_autoinc_zrv_zrid\"()")));
    EXPECT_EQ(ddl[9], QStringLiteral("CREATE TRIGGER \"_autoinc_zrv_zrid\" BEFORE INSERT ON data01.zrv FOR EACH ROW "
                                     "EXECUTE FUNCTION data01.\"_autoinc_zrv_zrid\"()"));
    // Texts other than the Slovak ones compare binary, whatever the database's locale.
    EXPECT_EQ(ddl[10], QStringLiteral("CREATE TABLE data01.dual (\n    text varchar(10) COLLATE \"C\",\n"
                                      "    rowid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY\n)"));
    EXPECT_EQ(ddl[11], QStringLiteral("INSERT INTO data01.dual (text) values(null)"));

    // What the server could not keep apart is refused rather than guessed.
    for (const char *bad : {"CREATE TABLE x (a CURRENCY)", "CREATE TABLE x (a VARCHAR(5) COLLATE NOCASE)",
                            "CREATE VIEW v AS SELECT 1", "DROP TABLE x"})
        EXPECT_THROW(postgresSchemaDdl(QString::fromUtf8(bad), QStringLiteral("data01")), DbError) << bad;
    EXPECT_THROW(postgresSchemaDdl(QStringLiteral("CREATE TABLE x (a INTEGER)"), QStringLiteral("data01; drop")), DbError);
    EXPECT_THROW(postgresSchemaDdl(QStringLiteral("CREATE TABLE x (a INTEGER PRIMARY KEY, b INTEGER, PRIMARY KEY (b))"),
                                   QStringLiteral("data01")),
                 DbError);
}

// A key declared with its field is the same key; only a single INTEGER key is the rowid.
TEST(DbSqlDialect, AKeyDeclaredWithItsFieldAndRowidKeys)
{
    const struct {
        const char *ddl;
        const char *key; // the key constraint as written for the server
        bool rowid;
    } cases[] = {
        {"CREATE TABLE t (ID INTEGER PRIMARY KEY, N SMALLINT)", "CONSTRAINT \"t_key\" UNIQUE (id)", true},
        {"CREATE TABLE t (ID integer NOT NULL, N SMALLINT, PRIMARY KEY (ID))", "CONSTRAINT \"t_key\" UNIQUE (id)", true},
        {"CREATE TABLE t (ID SMALLINT NOT NULL, PRIMARY KEY (ID))", "CONSTRAINT \"t_key\" UNIQUE (id)", false},
        {"CREATE TABLE t (ID AUTOINC_INT, PRIMARY KEY (ID))", "CONSTRAINT \"t_key\" UNIQUE (id)", false},
        {"CREATE TABLE t (A INTEGER NOT NULL, B INTEGER NOT NULL, PRIMARY KEY (A, B))",
         "CONSTRAINT \"t_key\" UNIQUE (a, b)", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ddl);
        const QStringList ddl = postgresSchemaDdl(QString::fromUtf8(c.ddl), QStringLiteral("data01"));
        ASSERT_FALSE(ddl.isEmpty());
        EXPECT_TRUE(ddl[0].contains(QString::fromUtf8(c.key))) << ddl[0].toStdString();
        EXPECT_EQ(ddl[0].count(QStringLiteral("PRIMARY KEY")), 1);
        EXPECT_EQ(ddl[0].contains(QStringLiteral("rowid bigint PRIMARY KEY")), c.rowid);
        EXPECT_EQ(ddl.join(u'\n').contains(QStringLiteral("CREATE TRIGGER \"_rowid\"")), c.rowid);
    }
}
