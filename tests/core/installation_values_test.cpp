// The installation as it is shipped: every table of each folder exists, and the statutory
// values of every year are the statutory ones the seed files cite (Slovak crowns, rates in %).
#include <gtest/gtest.h>

#include "core/helpers/parameters.h"
#include "core/installation.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/ini/ini_file.h"
#include "support/installation.h"

#include <QFile>
#include <QRegularExpression>

using namespace tarix;

namespace {

QStringList tablesOf(core::FolderKind kind)
{
    QFile f(core::schemaResource(kind));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString ddl = QString::fromUtf8(f.readAll());
    QStringList names;
    static const QRegularExpression re(QStringLiteral(R"(CREATE\s+TABLE\s+\"?(\w+))"),
                                       QRegularExpression::CaseInsensitiveOption);
    for (auto it = re.globalMatch(ddl); it.hasNext();)
        names << it.next().captured(1);
    return names;
}

// Each test reads its own copy of the installation as the generator makes it.
class ShippedInstallation : public ::testing::Test {
protected:
    void SetUp() override { dir.install(); }
    void TearDown() override
    {
        session.closeAll();
        MyConsts::Parametre().fill(MyConsts::Parameter{});
    }

    QString folder(const QString &sub) const { return dir.filePath(sub); }
    QString yearFolder(int year) const { return dir.yearFolder(year); }

    void expectTables(const QString &alias, const QString &sub, core::FolderKind kind)
    {
        session.setAlias(alias, folder(sub));
        const QStringList tables = tablesOf(kind);
        ASSERT_FALSE(tables.isEmpty());
        for (const QString &t : tables)
            EXPECT_TRUE(session.tableExists(alias, t)) << sub.toStdString() << ": "
                                                         << t.toStdString();
    }

    test::Installation dir;
    db::Session session;
};

// Values on 1 January of each year, as the acts and notices cited in the seed files give them.
struct YearValues {
    int year;
    // Cis_par
    double maxHealthBase;       // id 19
    double maxSicknessBase;     // id 20, also the guarantee fund
    double maxOldAgeBase;       // id 21, also invalidity and reserve fund
    double maxUnemploymentBase; // id 22
    double nonTaxableMonthly;   // id 23: 19.2 x subsistence minimum / 12
    double childAllowance;      // id 24
    double oldAgeChildCut;      // id 27: old-age rate reduction per child
    double taxBonus;            // id 28
    double minimumWage;         // id 30, Setup.F_MIN_MZDA
    double withholdingLimit;    // id 31, Setup.F_DAN_MAXIMUM1 (0: no withholding tax)
    // Setup: rates in %
    double healthEmployee, healthEmployer, healthDisabledEmployee, healthDisabledEmployer;
    double sicknessEmployee, sicknessEmployer;
    double oldAgeEmployee, oldAgeEmployer;
    double invalidityEmployee, invalidityEmployer;
    double unemploymentEmployee, unemploymentEmployer;
    double guarantee, accident, reserveFund;
    double withholdingRate;
    double sickPayDays1to3, sickPayDays4to10;
    double dailyBaseCap; // Setup.F_NEMMAX; 999999 stands for no cap (from 2005)
    int workingDays[12];
    int holidaysOnWorkdays[12];
};

const YearValues years[] = {
    {2004, 32000, 20267, 40533, 40533, 6736, 540, 0, 400, 6080, 0,
     4, 10, 2, 5, 1.4, 1.4, 4, 14, 3, 3, 1, 1, 0.25, 0.8, 4.75, 19, 25, 55, 444.1973,
     {20, 20, 23, 20, 21, 22, 21, 22, 20, 21, 20, 22},
     {2, 0, 0, 2, 0, 0, 1, 0, 2, 0, 2, 1}},
    {2005, 43095, 21548, 43095, 43095, 7328, 540, 0.5, 400, 6500, 0,
     4, 10, 2, 5, 1.4, 1.4, 4, 14, 3, 3, 1, 1, 0.25, 0.8, 4.75, 19, 25, 55, 999999,
     {20, 20, 21, 21, 22, 22, 20, 22, 20, 21, 20, 21},
     {1, 0, 2, 0, 0, 0, 1, 1, 2, 0, 2, 1}},
    {2006, 47475, 23738, 47475, 47475, 7568, 540, 0, 540, 6900, 5000,
     4, 10, 2, 5, 1.4, 1.4, 4, 14, 3, 3, 1, 1, 0.25, 0.8, 4.75, 19, 25, 55, 999999,
     {21, 20, 23, 18, 21, 22, 20, 22, 19, 22, 20, 19},
     {1, 0, 0, 2, 2, 0, 1, 1, 2, 0, 2, 2}},
    {2007, 51822, 25911, 51822, 51822, 7968, 540, 0, 540, 7600, 5000,
     4, 10, 2, 5, 1.4, 1.4, 4, 14, 3, 3, 1, 1, 0.25, 0.8, 4.75, 19, 25, 55, 999999,
     {22, 20, 22, 19, 21, 21, 21, 22, 20, 23, 21, 18},
     {1, 0, 0, 2, 2, 0, 1, 1, 0, 0, 1, 3}},
    {2008, 56283, 28142, 75044, 75044, 8208, 540, 0, 555, 8100, 5000,
     4, 10, 2, 5, 1.4, 1.4, 4, 14, 3, 3, 1, 1, 0.25, 0.8, 4.75, 19, 25, 55, 999999,
     {22, 21, 19, 22, 20, 21, 23, 20, 20, 23, 19, 20},
     {1, 0, 2, 0, 2, 0, 0, 1, 2, 0, 1, 3}},
};

const char *const monthColumns[12] = {"JAN", "FEB", "MAR", "APR", "MAJ", "JUN",
                                      "JUL", "AUG", "SEP", "OKT", "NOV", "DEC"};

} // namespace

TEST_F(ShippedInstallation, FirmAndPrivateFoldersHoldEveryTable)
{
    expectTables("TARIX_DATA", "DATA", core::FolderKind::Firm);
    expectTables("TARIX_DEMO", "DATA01", core::FolderKind::Firm);
    expectTables("TARIX_PRIV", "PRIVATE", core::FolderKind::Private);
}

TEST_F(ShippedInstallation, EveryYearHoldsEveryTableAndLoadsItsParameters)
{
    ini::IniFile paramIni(dir.filePath("PARAM.INI"));
    for (int year = 2004; year <= 2008; ++year) {
        SCOPED_TRACE(year);
        expectTables("TARIX_COMM", QString("COMMON/ROK%1").arg(year), core::FolderKind::Year);

        const int rows =
            session.run("select count(*) from \":tarix_comm:cis_par\" where ID between 1 and 99")
                .asInteger(0, 0);
        ASSERT_GT(rows, 0);
        MyConsts::Nacitaj_parametre(session, paramIni);
        int used = 0;
        for (int id = 1; id <= 99; ++id)
            used += MyConsts::Parametre(id).Id == id ? 1 : 0;
        EXPECT_EQ(used, rows);
        EXPECT_EQ(paramIni.sectionNames().size(), rows);
        EXPECT_DOUBLE_EQ(MyConsts::Hodnota_parametra("pridav_na_dieta"),
                         MyConsts::Parametre(24).Hodnota);
        // Id 33 comes from the workstation's setting through the data upgrade.
        EXPECT_EQ(MyConsts::Parametre(33).Id, 0);
    }
}

TEST_F(ShippedInstallation, TaxBandsAscendByLowerLimit)
{
    for (int year = 2004; year <= 2008; ++year) {
        SCOPED_TRACE(year);
        session.setAlias("TARIX_COMM", yearFolder(year));
        const db::SqlResult bands = session.run(
            "select D_od, D_sadzba, D_sumaplus from \":tarix_comm:dzp\" order by D_od");
        ASSERT_GE(bands.rowCount(), 1);
        for (int r = 1; r < bands.rowCount(); ++r)
            EXPECT_LT(bands.asFloat(r - 1, 0), bands.asFloat(r, 0));
        // A flat 19 % from the first crown in every year.
        ASSERT_EQ(bands.rowCount(), 1);
        EXPECT_EQ(bands.asFloat(0, 0), 0.0);
        EXPECT_EQ(bands.asFloat(0, 1), 19.0);
        EXPECT_EQ(bands.asFloat(0, 2), 0.0);
    }
}

TEST_F(ShippedInstallation, YearValuesAreThoseOfTheDataSheet)
{
    ini::IniFile paramIni(dir.filePath("PARAM.INI"));
    for (const YearValues &v : years) {
        SCOPED_TRACE(v.year);
        session.setAlias("TARIX_COMM", yearFolder(v.year));
        MyConsts::Nacitaj_parametre(session, paramIni);
        const struct {
            int id;
            double value;
        } params[] = {
            {19, v.maxHealthBase},       {20, v.maxSicknessBase},   {21, v.maxOldAgeBase},
            {22, v.maxUnemploymentBase}, {23, v.nonTaxableMonthly}, {24, v.childAllowance},
            {27, v.oldAgeChildCut},      {28, v.taxBonus},          {30, v.minimumWage},
            {31, v.withholdingLimit},
        };
        for (const auto &p : params) {
            EXPECT_EQ(MyConsts::Parametre(p.id).Id, p.id);
            EXPECT_DOUBLE_EQ(MyConsts::Parametre(p.id).Hodnota, p.value) << "Cis_par " << p.id;
        }

        const db::SqlResult setup = session.run("select * from \":tarix_comm:setup\"");
        ASSERT_EQ(setup.rowCount(), 1);
        auto field = [&](const char *name) { return setup.asFloat(0, setup.columnIndex(name)); };
        const struct {
            const char *field;
            double value;
        } fields[] = {
            {"F_ZDRAVOT", v.healthEmployee},
            {"FZ_ZDRAVOT", v.healthEmployer},
            {"F_ZDRAVOT1", v.healthDisabledEmployee},
            {"FZ_ZDRAVOT1", v.healthDisabledEmployer},
            {"F_NEMOC", v.sicknessEmployee},
            {"FZ_NEMOC", v.sicknessEmployer},
            {"F_DOCHOD", v.oldAgeEmployee},
            {"FZ_DOCHOD", v.oldAgeEmployer},
            {"F_INVALID", v.invalidityEmployee},
            {"FZ_INVALID", v.invalidityEmployer},
            {"F_FONDZ", v.unemploymentEmployee},
            {"FZ_FONDZ", v.unemploymentEmployer},
            {"FZ_GARFOND", v.guarantee},
            {"FZ_URAZ", v.accident},
            {"FZ_REZERVA", v.reserveFund},
            {"F_DAN_SADZBA1", v.withholdingRate},
            {"F_DAN_MAXIMUM1", v.withholdingLimit},
            {"F_MIN_MZDA", v.minimumWage},
            {"F_POISTMAX", v.maxOldAgeBase},
            {"F_PN1", v.sickPayDays1to3},
            {"F_PN2", v.sickPayDays4to10},
            {"F_NEMMAX", v.dailyBaseCap},
        };
        for (const auto &f : fields) {
            ASSERT_GE(setup.columnIndex(f.field), 0) << f.field;
            EXPECT_DOUBLE_EQ(field(f.field), f.value) << "Setup." << f.field;
        }
        for (int m = 0; m < 12; ++m) {
            const QString days = monthColumns[m];
            EXPECT_EQ(setup.asInteger(0, setup.columnIndex(days)), v.workingDays[m])
                << "working days " << days.toStdString();
            EXPECT_EQ(setup.asInteger(0, setup.columnIndex(days + "1")), v.holidaysOnWorkdays[m])
                << "holidays " << days.toStdString();
        }
        session.closeAll();
    }
}

TEST_F(ShippedInstallation, TheTaxBonusOfTheYearFollowsTheMonth)
{
    ini::IniFile paramIni(dir.filePath("PARAM.INI"));
    const struct {
        int period;
        double bonus;
    } cases[] = {
        {200401, 400}, {200412, 400}, {200508, 400}, {200509, 450}, {200601, 540},
        {200612, 540}, {200706, 540}, {200707, 555}, {200801, 555},
    };
    for (const auto &c : cases) {
        session.setAlias("TARIX_COMM", yearFolder(c.period / 100));
        MyConsts::Nacitaj_parametre(session, paramIni);
        MyConsts::adjustParameter28(c.period);
        EXPECT_DOUBLE_EQ(MyConsts::Parametre(28).Hodnota, c.bonus) << c.period;
    }
}
