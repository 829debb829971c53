// The data upgrades that run on every opening of a firm and year, on data of old versions.
#include "core/data_upgrades.h"
#include "core/installation.h"
#include "core/session.h"
#include "firm_fixture.h"
#include "platform/db/db_error.h"

#include <QTemporaryDir>

using namespace tarix;

namespace {

class Upgrades : public ::testing::Test {
protected:
    void SetUp() override
    {
        core::createFolderDatabase(firm(), core::FolderKind::Firm, core::demoFirmSeedResources());
        core::createFolderDatabase(year(), core::FolderKind::Year, core::yearSeedResources(2007));
    }
    void attach()
    {
        s.setAlias("TARIX_DATA", firm());
        s.setAlias("TARIX_COMM", year());
    }
    QString firm() const { return dir.path() + "/DATA01"; }
    QString year() const { return dir.path() + "/COMMON/ROK2007"; }
    qint64 count(const QString &sql) { return s.run(sql).value(0, 0).toLongLong(); }
    QVariant one(const QString &sql) { return s.run(sql).value(0, 0); }

    // A payroll record with every required value, the rest blank.
    void payrollRecord(int emp, int period, const QString &assignments)
    {
        const db::TableDef &def = s.tableDef("TARIX_DATA", "vyp");
        QStringList names{"code_emp", "v_obdobie"}, values{QString::number(emp), QString::number(period)};
        for (const db::FieldDef &f : def.fields)
            if (f.required && f.name.compare("code_emp", Qt::CaseInsensitive) != 0
                && f.name.compare("v_obdobie", Qt::CaseInsensitive) != 0) {
                names << f.name;
                values << "0";
            }
        s.execute(QStringLiteral("insert into \":tarix_data:vyp\" (%1) values (%2)")
                      .arg(names.join(','), values.join(',')));
        s.execute(QStringLiteral("update \":tarix_data:vyp\" set %1 where code_emp=%2 and v_obdobie=%3")
                      .arg(assignments)
                      .arg(emp)
                      .arg(period));
    }

    QStringList dump()
    {
        QStringList all;
        for (const char *alias : {core::kAliasData, core::kAliasComm})
            for (const QString &table : s.tableNames(alias)) {
                const auto r = s.run(QStringLiteral("select * from \":%1:%2\"").arg(alias, table));
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

    QTemporaryDir dir;
    db::Session s;
};

} // namespace

TEST_F(Upgrades, EachStepAddsWhatIsMissingOnceAndASecondRunChangesNothing)
{
    // A year of an old version: nine absence kinds but not "10"; reason 10 but not 8, and a
    // reason 0; seven pension kinds; no parameters 32 and 33.
    firmtest::sqlOn(year(), "delete from typrl where typ='10';"
                            "insert into typrl (typ, popis) values ('XX', 'iné');"
                            "delete from prerus1 where id=8;"
                            "update prerus1 set popis='starý text' where id in (6, 7);"
                            "insert into prerus1 (id, popis) values (10, 'desiaty');"
                            "insert into prerus1 (id, popis) values (0, 'nič');"
                            "insert into cis_doch (typ, popis) values (7, 'sirotský - nový');"
                            "delete from cis_par where id in (32, 33);");
    // A firm of an old version: no dual row, minimum wages in the old unit, no withholding
    // line, agreements without guarantee insurance, pension kind 7, absences of sick leave.
    firmtest::sqlOn(firm(), "delete from dual;"
                            "update zam set nc_minimum=100;"
                            "delete from cis_pu where id=17.5;"
                            "update inf set f_odstupm=0;"
                            "insert into doch (code_emp, typ) values (1, 7);"
                            "insert into nep (code_emp, datum_od, datum_do, typ, typrl, typrl2, prerusenie, v_obdobie)"
                            " values (1, '2007-01-08', '2007-01-12', 1, 'PE', 2, 3, 200701);"
                            "insert into nep (code_emp, datum_od, datum_do, typ, typrl, typrl2, prerusenie, v_obdobie)"
                            " values (1, '2007-02-08', '2007-02-12', 1, 'PE', 2, 3, null);"
                            "insert into nep (code_emp, datum_od, datum_do, typ, typrl, typrl2, prerusenie, v_obdobie)"
                            " values (2, '2007-01-08', '2007-01-12', 2, 'PE', 2, 3, 200701);");
    attach();
    const QString parts = "V_PLAT=1000, N_premie=200, N_odmeny=0, N_clenovia_organov=0, N_priplat=0, "
                          "N_Nahrada=0, N_Nemohol=0, N_HOLIDAY=0, N_SVIATOK=0, N_DOHODY_OVP=0, "
                          "N_DOHODY_OPC=0, N_socfond=0, N_pohotovost=0, N_odstupne=0, N_jednoraz1=0, "
                          "N_jednoraz2=0, N_nahrada_pn=0, N_mimo_poistne=0";
    payrollRecord(1, 200603, "v_nepoist_zp=null, vyrovnanie_zp=12, rezerva1=null, n_brutto=5, " + parts);
    payrollRecord(1, 200703, "vyrovnanie_zp=null, n_brutto=5, " + parts);

    core::SpecialneCinnosti(s, 0);

    EXPECT_EQ(count("select count(*) from \":tarix_comm:typrl\" where typ in ('10','11','MD')"), 3);
    EXPECT_EQ(one("select typrl || typrl2 || coalesce(prerusenie, '-') from \":tarix_data:nep\" where code_emp=1 and datum_od='2007-01-08'").toString(), "101-");
    EXPECT_EQ(one("select typrl from \":tarix_data:nep\" where code_emp=1 and datum_od='2007-02-08'").toString(), "PE");
    EXPECT_EQ(one("select typrl from \":tarix_data:nep\" where code_emp=2 and datum_od='2007-01-08'").toString(), "PE"); // "11" was there
    EXPECT_EQ(one("select text from \":tarix_data:dual\"").toString(), "SYS");
    EXPECT_EQ(count("select count(*) from \":tarix_data:zam\" where nc_minimum is not null"), 0);
    EXPECT_EQ(one("select text from \":tarix_data:cis_pu\" where id=17.5").toString(), "daň zrážky");
    EXPECT_EQ(count("select count(*) from \":tarix_data:inf\" where f_odstupm<>1"), 0);
    EXPECT_EQ(count("select count(*) from \":tarix_data:doch\" where typ=7"), 0);
    EXPECT_EQ(one("select skratka || '=' || hodnota from \":tarix_comm:cis_par\" where id=32").toString(), "ZRAZ_DAN_POSUN=0.0");
    EXPECT_EQ(one("select skratka || '=' || hodnota from \":tarix_comm:cis_par\" where id=33").toString(), "POCITANIE_PRIPL=0.0");
    EXPECT_EQ(one("select popis from \":tarix_comm:prerus1\" where id=6").toString(), "zamestnanec čerpá rodičovskú dovolenku");
    EXPECT_EQ(count("select count(*) from \":tarix_comm:prerus1\" where id in (0, 8)"), 1);
    EXPECT_EQ(one("select popis from \":tarix_comm:cis_doch\" where typ=6").toString(), "sirotský - nový");
    EXPECT_EQ(count("select max(typ) from \":tarix_comm:cis_doch\""), 6);
    // Payroll records: blanks become 0; the 2006 record with a settlement gets its gross
    // wage as the sum of its parts.
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where v_nepoist_zp is null or vyrovnanie_zp is null or rezerva1 is null"), 0);
    EXPECT_EQ(one("select n_brutto from \":tarix_data:vyp\" where v_obdobie=200603").toDouble(), 1200.0);
    EXPECT_EQ(one("select n_brutto from \":tarix_data:vyp\" where v_obdobie=200703").toDouble(), 5.0);

    // The clerk enters the minimum wage again; the next opening keeps it.
    s.execute("update \":tarix_data:zam\" set nc_minimum=100 where code_emp=1");
    const QStringList before = dump();
    core::SpecialneCinnosti(s, 1);
    EXPECT_EQ(dump(), before);
}

TEST_F(Upgrades, AbsenceKindsMissingAreAddedInOneOpening)
{
    struct Case {
        const char *removed;  // kinds missing in the year
        const char *nepTypRL; // kind that the firm's sick-leave absence then carries
    } cases[] = {
        {"'10','11','MD'", "10"}, // six rows: all three come at once
        {"'MD'", "PE"},           // eight rows: only maternity
        {"'11'", "PE"},           // the sick-leave kind was there: the absence keeps its kind
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.removed);
        QTemporaryDir d;
        const QString y = d.path() + "/Y", f = d.path() + "/F";
        core::createFolderDatabase(y, core::FolderKind::Year, core::yearSeedResources(2007));
        core::createFolderDatabase(f, core::FolderKind::Firm, core::demoFirmSeedResources());
        firmtest::sqlOn(y, QStringLiteral("delete from typrl where typ in (%1);").arg(c.removed));
        firmtest::sqlOn(f, "insert into nep (code_emp, datum_od, datum_do, typ, typrl, v_obdobie)"
                           " values (1, '2007-01-08', '2007-01-12', 1, 'PE', 200701);");
        db::Session own;
        own.setAlias("TARIX_DATA", f);
        own.setAlias("TARIX_COMM", y);
        core::SpecialneCinnosti(own, 1);
        EXPECT_EQ(own.run("select count(*) from \":tarix_comm:typrl\"").value(0, 0).toInt(), 9);
        EXPECT_EQ(own.run("select typrl from \":tarix_data:nep\" where datum_od='2007-01-08'").value(0, 0).toString(), c.nepTypRL);
        own.closeAll();
    }
}

TEST_F(Upgrades, ParameterThirtyThreeTakesTheWorkstationsSetting)
{
    firmtest::sqlOn(year(), "delete from cis_par where id=33;");
    attach();
    core::SpecialneCinnosti(s, 1);
    EXPECT_EQ(one("select hodnota from \":tarix_comm:cis_par\" where id=33").toDouble(), 1.0);
    // The year keeps the value of the workstation that opened it first.
    core::SpecialneCinnosti(s, 0);
    EXPECT_EQ(one("select hodnota from \":tarix_comm:cis_par\" where id=33").toDouble(), 1.0);
}

TEST_F(Upgrades, AFailingStepLeavesTheDataAsTheyWere)
{
    firmtest::sqlOn(year(), "delete from typrl where typ='MD';"
                            "delete from cis_par where id=32;"
                            "create trigger refuse before insert on cis_par "
                            "begin select raise(abort, 'refused'); end;");
    firmtest::sqlOn(firm(), "update dual set text=null; update zam set nc_minimum=100;");
    attach();
    EXPECT_THROW(core::SpecialneCinnosti(s, 1), db::DbError);
    EXPECT_EQ(count("select count(*) from \":tarix_comm:typrl\" where typ='MD'"), 0);
    EXPECT_EQ(count("select count(*) from \":tarix_data:zam\" where nc_minimum is null"), 0);
    EXPECT_EQ(one("select text from \":tarix_data:dual\""), QVariant());
    EXPECT_EQ(s.transactionDepth(), 0);
}
