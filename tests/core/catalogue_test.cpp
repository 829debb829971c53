// The table catalogue under data/schema: each folder kind's DDL loads into a fresh
// database, and the things that positional inserts, key lookups, ranges and index
// switching rely on are as the program expects them.
#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

enum class Kind { Firm, Year, Private };

const char *fileOf(Kind kind)
{
    switch (kind) {
    case Kind::Firm: return "firm.sql";
    case Kind::Year: return "year.sql";
    case Kind::Private: return "private.sql";
    }
    return "";
}

// Stand-in for the Slovak collation that the session registers; the catalogue only
// needs a collation of that name to exist.
int compareSk(void *, int lenA, const void *a, int lenB, const void *b)
{
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), lenA);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), lenB);
    return QString::localeAwareCompare(sa, sb);
}

struct DbCloser {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
using DbPtr = std::unique_ptr<sqlite3, DbCloser>;

struct StmtFinalizer {
    void operator()(sqlite3_stmt *st) const { sqlite3_finalize(st); }
};
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

QString text(sqlite3_stmt *st, int col)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, col));
    return p ? QString::fromUtf8(p) : QString();
}

// One folder kind's database, built from its DDL file in a temporary folder.
class CatalogueDb {
public:
    explicit CatalogueDb(Kind kind)
    {
        if (!dir_.isValid()) {
            error_ = "no temporary folder";
            return;
        }
        sqlite3 *raw = nullptr;
        const QByteArray path = dir_.filePath("tarix.db").toUtf8();
        if (sqlite3_open(path.constData(), &raw) != SQLITE_OK) {
            error_ = sqlite3_errmsg(raw);
            sqlite3_close(raw);
            return;
        }
        db_.reset(raw);
        sqlite3_create_collation_v2(raw, "SK", SQLITE_UTF8, nullptr, compareSk, nullptr);

        QFile file(QStringLiteral(TARIX_SOURCE_DIR "/data/schema/") + fileOf(kind));
        if (!file.open(QIODevice::ReadOnly)) {
            error_ = "cannot read " + file.fileName().toStdString();
            return;
        }
        const QByteArray ddl = file.readAll();
        char *msg = nullptr;
        if (sqlite3_exec(raw, ddl.constData(), nullptr, nullptr, &msg) != SQLITE_OK) {
            error_ = msg ? msg : "unknown error";
            sqlite3_free(msg);
        }
    }

    sqlite3 *db() const { return db_.get(); }
    const std::string &error() const { return error_; }

    // Runs one statement; returns SQLite's result code of the step.
    int exec(const QString &sql) const
    {
        char *msg = nullptr;
        const int rc = sqlite3_exec(db(), sql.toUtf8().constData(), nullptr, nullptr, &msg);
        sqlite3_free(msg);
        return rc;
    }

    // All rows of a query, each column as text (NULL as a null QString).
    std::vector<QStringList> rows(const QString &sql) const
    {
        std::vector<QStringList> out;
        sqlite3_stmt *raw = nullptr;
        if (sqlite3_prepare_v2(db(), sql.toUtf8().constData(), -1, &raw, nullptr) != SQLITE_OK)
            return out;
        StmtPtr st(raw);
        while (sqlite3_step(raw) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(raw); ++c)
                row << text(raw, c);
            out.push_back(row);
        }
        return out;
    }

    QStringList column(const QString &sql, int col = 0) const
    {
        QStringList out;
        for (const QStringList &row : rows(sql))
            out << row.value(col);
        return out;
    }

    QStringList columns(const QString &table) const
    {
        return column(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table), 1);
    }

    // Key columns in key order (PRAGMA table_info gives each column's position in the key).
    QStringList primaryKey(const QString &table) const
    {
        std::map<int, QString> byPos;
        for (const QStringList &row : rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table))) {
            const int pos = row.value(5).toInt();
            if (pos > 0)
                byPos[pos] = row.value(1);
        }
        QStringList out;
        for (const auto &[pos, name] : byPos)
            out << name;
        return out;
    }

    QStringList tables() const
    {
        return column(QStringLiteral(
            "select name from sqlite_master where type='table' and name not like 'sqlite_%'"));
    }

private:
    QTemporaryDir dir_;
    DbPtr db_;
    std::string error_;
};

QString joined(const QStringList &list) { return list.join(QLatin1Char(',')); }

class CatalogueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        firm_ = new CatalogueDb(Kind::Firm);
        year_ = new CatalogueDb(Kind::Year);
        priv_ = new CatalogueDb(Kind::Private);
    }
    static void TearDownTestSuite()
    {
        delete firm_;
        delete year_;
        delete priv_;
        firm_ = year_ = priv_ = nullptr;
    }
    static const CatalogueDb &of(Kind kind)
    {
        switch (kind) {
        case Kind::Firm: return *firm_;
        case Kind::Year: return *year_;
        case Kind::Private: return *priv_;
        }
        return *firm_;
    }
    static CatalogueDb *firm_;
    static CatalogueDb *year_;
    static CatalogueDb *priv_;
};

CatalogueDb *CatalogueTest::firm_ = nullptr;
CatalogueDb *CatalogueTest::year_ = nullptr;
CatalogueDb *CatalogueTest::priv_ = nullptr;

TEST_F(CatalogueTest, EachFileLoadsIntoAFreshDatabase)
{
    for (Kind kind : {Kind::Firm, Kind::Year, Kind::Private}) {
        SCOPED_TRACE(fileOf(kind));
        ASSERT_NE(of(kind).db(), nullptr);
        EXPECT_EQ(of(kind).error(), "");
        EXPECT_FALSE(of(kind).tables().isEmpty());
    }
}

// Positional "insert ... values" texts of the data upgrades and the code-table
// columns they fill depend on this order.
TEST_F(CatalogueTest, ColumnOrderOfPositionalInserts)
{
    struct Case {
        Kind kind;
        const char *table;
        const char *columns;
    };
    const Case cases[] = {
        {Kind::Year, "Cis_par", "ID,SKRATKA,HODNOTA,POPIS"},
        {Kind::Firm, "cis_pu", "ID,CISLO,DOPLNOK,TEXT,MD_SY,MD_AN,DAL_SY,DAL_AN,SUMA"},
        {Kind::Year, "typrl", "Typ,Popis"},
        {Kind::Year, "prerus1", "ID,POPIS"},
        {Kind::Firm, "dual", "text"},
        {Kind::Firm, "dual12", "cislo"},
        {Kind::Private, "nakl", "RIADOK,TEXT,SUMA,IDENT_SYMBOL,IDENT_CISLO,SUMA1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.table);
        EXPECT_EQ(joined(of(c.kind).columns(c.table)).toStdString(), c.columns);
    }
}

// The upgrade texts themselves, as the SQL layer hands them to SQLite: the values
// must land in the named columns with usable types ("8" into a small integer, "0"
// into a money value).
TEST_F(CatalogueTest, PositionalInsertsOfTheUpgradesLandInTheRightColumns)
{
    const CatalogueDb &year = *year_;
    const CatalogueDb &firm = *firm_;
    ASSERT_EQ(year.exec("savepoint t"), SQLITE_OK);
    ASSERT_EQ(firm.exec("savepoint t"), SQLITE_OK);

    EXPECT_EQ(year.exec("insert into cis_par values (32,'ZRAZ_DAN_POSUN','0',"
                        "'Zrážková daň k preddavkovej posunutá o 1 mesiac(ÁNO=1,NIE=0)')"),
              SQLITE_OK);
    EXPECT_EQ(year.rows("select skratka, typeof(hodnota), hodnota from cis_par where id=32"),
              (std::vector<QStringList>{{"ZRAZ_DAN_POSUN", "real", "0.0"}}));

    EXPECT_EQ(year.exec("insert into typrl values ('10','PN')"), SQLITE_OK);
    EXPECT_EQ(year.exec("insert into typrl values ('MD','SP-materská dovolenka')"), SQLITE_OK);
    EXPECT_EQ(year.column("select popis from typrl where typ='MD'"),
              QStringList{"SP-materská dovolenka"});

    EXPECT_EQ(year.exec("insert into prerus1 values ('8','trvanie dočasnej pracovnej "
                        "neschopnosti odo dňa nasledujúceho po uplynutí 52 týždňov')"),
              SQLITE_OK);
    EXPECT_EQ(year.rows("select typeof(id), max(id) from prerus1"),
              (std::vector<QStringList>{{"integer", "8"}}));

    EXPECT_EQ(firm.exec("insert into cis_pu values (17.50,null,null,'daň zrážky',"
                        "null,null,null,null,null)"),
              SQLITE_OK);
    EXPECT_EQ(firm.column("select text from cis_pu where id=17.50"), QStringList{"daň zrážky"});

    year.exec("rollback to t");
    year.exec("release t");
    firm.exec("rollback to t");
    firm.exec("release t");
}

// Keys that finds, ranges and the one-payroll-per-month rule work on.
TEST_F(CatalogueTest, PrimaryKeys)
{
    struct Case {
        Kind kind;
        const char *table;
        const char *key;
    };
    const Case cases[] = {
        {Kind::Firm, "Vyp", "Code_emp,V_obdobie"},
        {Kind::Firm, "Zrv", "Code_emp,V_obdobie,ZRID"},
        {Kind::Firm, "hsu", "V_obdobie,Code_numb,Code_emp,HSUID"},
        {Kind::Firm, "Zam", "Code_numb,Code_emp"},
        {Kind::Firm, "Rzp", "Code_emp,V_rok"},
        {Kind::Firm, "Deti", "Code_emp,DID"},
        {Kind::Firm, "zam_uk", "Code_numb,Code_emp,UKID"},
        {Kind::Firm, "Cis_uk", "UKID"},
        {Kind::Firm, "Cis_bu", "BUID_TYP,BUID_KOD"},
        {Kind::Firm, "Hp1", "HPID"},
        {Kind::Firm, "Hp2", "HPID,SEQID"},
        {Kind::Firm, "Ppv", "PID"},
        {Kind::Year, "Cis_par", "ID"},
        {Kind::Year, "DZP", "D_od"},
        {Kind::Year, "Tlac2", "TLID,LOGID"},
        {Kind::Private, "nakl", "RIADOK"},
        // One-row tables keep no key.
        {Kind::Firm, "Inf", ""},
        {Kind::Year, "Setup", ""},
        {Kind::Private, "Priv", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.table);
        EXPECT_EQ(joined(of(c.kind).primaryKey(c.table)).toStdString(), c.key);
    }
}

TEST_F(CatalogueTest, KeysRefuseDuplicatesAndKeepRowsOfOnePayrollApart)
{
    const CatalogueDb &firm = *firm_;
    ASSERT_EQ(firm.exec("savepoint t"), SQLITE_OK);

    // A payroll of employee 7 for March 2005 with its required fields filled.
    const QString payroll = QStringLiteral(
        "insert into vyp (code_emp, v_obdobie, fixny_mv_plat, f_typ_premii, f_sadzba_premii, "
        "f_typ_pripl, u_zdrav, u_nemoc, u_dochod, u_fondzam, u_zdrav1, u_nemoc1, u_dochod1, "
        "u_fondzam1, u_zdrav2, u_nemoc2, u_dochod2, u_fondzam2, f_nd_pocita) "
        "values (7, 200503, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0)");
    EXPECT_EQ(firm.exec(payroll), SQLITE_OK);
    EXPECT_EQ(firm.exec(payroll), SQLITE_CONSTRAINT);

    // Several items of one payroll differ only in their item number.
    EXPECT_EQ(firm.exec("insert into hsu (hsuid, v_obdobie, code_numb, code_emp, pocet) "
                        "values (1, 200503, 12, 7, 0), (2, 200503, 12, 7, 0)"),
              SQLITE_OK);

    // The bookkeeping scheme holds one health-insurer line 29 per insurer.
    EXPECT_EQ(firm.exec("insert into cis_pu (id, cislo, doplnok, text) values "
                        "(29, 25, 'Z', 'zdrav. poistenie ZP č.'), (29, 21, 'Z', 'zdrav. poistenie ZP č.')"),
              SQLITE_OK);
    EXPECT_EQ(firm.exec("insert into cis_pu (id, cislo) values (29, 25)"), SQLITE_CONSTRAINT);

    firm.exec("rollback to t");
    firm.exec("release t");
}

// Indexes switched by name at run time; the part after the dot is the name.
TEST_F(CatalogueTest, NamedIndexes)
{
    struct Case {
        Kind kind;
        const char *index;
        const char *table;
        const char *columns;
    };
    const Case cases[] = {
        {Kind::Firm, "Zam.ZAM1", "Zam", "Surname,Name"},
        {Kind::Year, "CIS_STAT.NAZOV", "CIS_STAT", "NAZOV"},
        {Kind::Year, "Cis_vvz.ID", "Cis_vvz", "ID"},
        {Kind::Firm, "cis_pu.ID", "cis_pu", "ID"},
        {Kind::Firm, "nep.NEP1", "nep", "Code_emp,Datum_od"},
        {Kind::Firm, "Ppv.CODE_EMP", "Ppv", "CODE_EMP"},
        {Kind::Firm, "Deti.Code_emp", "Deti", "Code_emp"},
        {Kind::Firm, "Zrz.Code_emp", "Zrz", "Code_emp"},
        {Kind::Firm, "DOCH.Code_emp", "DOCH", "Code_emp"},
        {Kind::Firm, "ELDP.Code_emp", "ELDP", "Code_emp"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        const CatalogueDb &db = of(c.kind);
        EXPECT_EQ(db.column(QStringLiteral("select tbl_name from sqlite_master "
                                           "where type='index' and name='%1'")
                                .arg(c.index)),
                  QStringList{c.table});
        EXPECT_EQ(joined(db.column(QStringLiteral("PRAGMA index_info(\"%1\")").arg(c.index), 2))
                      .toStdString(),
                  c.columns);
    }
}

// Every named index is called "<its table>.<name>", so the dataset layer can list a
// table's indexes and switch them by the part after the dot.
TEST_F(CatalogueTest, EveryIndexIsNamedAfterItsTable)
{
    for (Kind kind : {Kind::Firm, Kind::Year, Kind::Private}) {
        SCOPED_TRACE(fileOf(kind));
        for (const QStringList &row : of(kind).rows(
                 "select name, tbl_name from sqlite_master where type='index' "
                 "and name not like 'sqlite_autoindex_%'")) {
            EXPECT_TRUE(row.value(0).startsWith(row.value(1) + QLatin1Char('.')))
                << row.value(0).toStdString();
        }
    }
}

TEST_F(CatalogueTest, OneRowAndTwelveRowTables)
{
    const CatalogueDb &firm = *firm_;
    EXPECT_EQ(firm.column("select count(*) from dual"), QStringList{"1"});
    EXPECT_EQ(firm.column("select cislo from dual12 order by cislo"),
              (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
    // A fresh firm has not run the upgrade that writes "SYS" into dual.
    EXPECT_EQ(firm.rows("select text from dual"), (std::vector<QStringList>{{QString()}}));
}

TEST_F(CatalogueTest, NoTableIsDefinedInTwoFolderKinds)
{
    std::map<QString, std::string> seen;
    for (Kind kind : {Kind::Firm, Kind::Year, Kind::Private}) {
        for (const QString &table : of(kind).tables()) {
            const QString key = table.toLower();
            const auto [it, fresh] = seen.emplace(key, fileOf(kind));
            EXPECT_TRUE(fresh) << table.toStdString() << " in " << it->second << " and "
                               << fileOf(kind);
        }
    }
}

// Declared types are the dataset layer's field types; a misspelt type would give a
// wrong field kind silently.
TEST_F(CatalogueTest, DeclaredTypesAreFieldTypes)
{
    const QRegularExpression allowed(QStringLiteral(
        "^(VARCHAR\\([1-9][0-9]*\\)|SMALLINT|INTEGER|AUTOINC_INT|FLOAT|MONEY_REAL|LOGICAL|"
        "DATE|TIME|TIMESTAMP|MEMO_TEXT|BLOB)$"));
    for (Kind kind : {Kind::Firm, Kind::Year, Kind::Private}) {
        for (const QString &table : of(kind).tables()) {
            for (const QStringList &row :
                 of(kind).rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table))) {
                EXPECT_TRUE(allowed.match(row.value(2)).hasMatch())
                    << table.toStdString() << "." << row.value(1).toStdString() << ": "
                    << row.value(2).toStdString();
            }
        }
    }
}

TEST_F(CatalogueTest, AutoincrementAndCollatedColumns)
{
    struct Case {
        Kind kind;
        const char *table;
        const char *column;
        const char *type;
        const char *collation;
    };
    const Case cases[] = {
        {Kind::Firm, "Deti", "DID", "AUTOINC_INT", "BINARY"},
        {Kind::Firm, "Zrz", "ZRID", "AUTOINC_INT", "BINARY"},
        {Kind::Firm, "Zrv", "ZRID", "AUTOINC_INT", "BINARY"},
        {Kind::Firm, "nep", "NID", "AUTOINC_INT", "BINARY"},
        {Kind::Firm, "Ppv", "PID", "AUTOINC_INT", "BINARY"},
        {Kind::Firm, "hsu", "HSUID", "AUTOINC_INT", "BINARY"},
        {Kind::Firm, "Hp2", "SEQID", "AUTOINC_INT", "BINARY"},
        {Kind::Firm, "Davka601", "ID", "AUTOINC_INT", "BINARY"},
        {Kind::Firm, "Zam", "Surname", "VARCHAR(20)", "SK"},
        {Kind::Firm, "Zam", "Name", "VARCHAR(20)", "SK"},
        {Kind::Year, "CIS_STAT", "NAZOV", "VARCHAR(40)", "SK"},
        {Kind::Firm, "Zam", "Born_numb", "VARCHAR(11)", "BINARY"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.table) + "." + c.column);
        const char *type = nullptr;
        const char *coll = nullptr;
        int notNull = 0, pk = 0, autoinc = 0;
        ASSERT_EQ(sqlite3_table_column_metadata(of(c.kind).db(), "main", c.table, c.column, &type,
                                                &coll, &notNull, &pk, &autoinc),
                  SQLITE_OK);
        EXPECT_STREQ(type, c.type);
        EXPECT_STREQ(coll, c.collation);
    }
}

} // namespace
