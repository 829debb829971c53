#include "core/dm_zam.h"

#include "core/dm_main.h"
#include "core/dm_zam_detail.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/helpers/text_utils.h"
#include "core/session.h"

#include <memory>
#include <stdexcept>

namespace tarix::core {

namespace {
ModuleInstance<TDMZ> g_dmz("the employee data module");
} // namespace

TDMZ::TDMZ()
    : DataModule(QStringLiteral("TDMZ")),
      TZAM_(addTable("TZAM_", kAliasData, "Zam.DB")),
      TDET_(addTable("TDET_", kAliasData, "Deti.db")),
      TZRZ_(addTable("TZRZ_", kAliasData, "Zrz.db")),
      TNEP_(addTable("TNEP_", kAliasData, "nep.db")),
      TDOCH_(addTable("TDOCH_", kAliasData, "DOCH.db")),
      TELDP_(addTable("TELDP_", kAliasData, "ELDP.db")),
      TZP1_(addTable("TZP1_", kAliasData, "Zp_znec.db")),
      TZP2_(addTable("TZP2_", kAliasData, "Zp_pstat.db")),
      TZP3_(addTable("TZP3_", kAliasData, "Zp_univ.DB")),
      TZP4_(addTable("TZP4_", kAliasData, "Zp_tab.db")),
      TZP5_(addTable("TZP5_", kAliasData, "Davka601.DB")),
      QCODE1_(addQuery("QCODE1_", kAliasData)),
      QCODE2_(addQuery("QCODE2_", kAliasData)),
      QDET2_(addQuery("QDET2_", kAliasData)),
      DS_ZAM1(addDataSource("DS_ZAM1", TZAM_)),
      DS_ZGRID(addDataSource("DS_ZGRID", TZAM_)),
      DS_ZAMF(addDataSource("DS_ZAMF", TZAM_)),
      DS_DETI(addDataSource("DS_DETI", TDET_)),
      DS_DGRID(addDataSource("DS_DGRID", TDET_)),
      DS_ZRZ(addDataSource("DS_ZRZ", TZRZ_)),
      DS_ZRZG(addDataSource("DS_ZRZG", TZRZ_)),
      DS_NEP(addDataSource("DS_NEP", TNEP_)),
      DS_NEPG(addDataSource("DS_NEPG", TNEP_)),
      DS_NEP2(addDataSource("DS_NEP2", TNEP_)),
      DS_DOCH(addDataSource("DS_DOCH", TDOCH_)),
      DS_ELDP(addDataSource("DS_ELDP", TELDP_)),
      DS_ZP1(addDataSource("DS_ZP1", TZP1_)),
      DS_ZP2(addDataSource("DS_ZP2", TZP2_)),
      DS_ZP3(addDataSource("DS_ZP3", TZP3_)),
      DS_ZP4(addDataSource("DS_ZP4", TZP4_)),
      DS_ZP5(addDataSource("DS_ZP5", TZP5_))
{
    // Detail tables are linked to the employee on Code_emp, so each is ordered by it first.
    TDOCH_.setIndexName(QStringLiteral("Code_emp"));
    TELDP_.setIndexName(QStringLiteral("Code_emp"));
    TZP1_.setIndexFieldNames(QStringLiteral("Code_emp;V_rok"));
    TZP2_.setIndexFieldNames(QStringLiteral("Code_emp;Datum_od"));
    TZP3_.setIndexFieldNames(QStringLiteral("Code_emp;V_rok"));
    TZP4_.setIndexFieldNames(QStringLiteral("Code_emp;V_rok;V_mesiac"));

    QCODE1_.setSql(QStringLiteral("select max(code_emp) max_code_emp from zam"));
    QCODE2_.setSql(QStringLiteral("select max(code_emp) max_code_emp from vyp"));
    QDET2_.setSqlLines({
        QStringLiteral("select"),
        QStringLiteral("  (select count(*) from deti where  code_emp=:p1 and zniz_poistne=true)  as pocet1,"),
        QStringLiteral("  (select count(*) from deti where  code_emp=:p1 and dan_bonus=true) as pocet2,"),
        QStringLiteral("  (select count(*) from deti where  code_emp=:p1 and pd=true)  as pocet3"),
        QStringLiteral("from dual;"),
    });
    // The card's sources stand still while the card is not shown.
    addScreenSources({&DS_ZAM1, &DS_ZGRID, &DS_ZRZ, &DS_ZRZG, &DS_NEP, &DS_NEPG, &DS_NEP2, &DS_DOCH,
                      &DS_ELDP, &DS_ZP1, &DS_ZP2, &DS_ZP3, &DS_ZP4, &DS_ZP5});
    // The card's tables: an edit pending in any keeps the user on the card; the employee's
    // records in lists follow the employee only while the card shows them.
    watchTables({.firm = {&TDET_, &TZRZ_, &TNEP_, &TDOCH_, &TELDP_, &TZAM_, &TZP1_, &TZP2_, &TZP3_, &TZP4_,
                          &TZP5_},
                 .guarded = {&TZAM_, &TZRZ_, &TDET_, &TNEP_, &TDOCH_, &TELDP_, &TZP2_, &TZP1_, &TZP3_,
                             &TZP4_, &TZP5_},
                 .followingEmployee = {&TNEP_, &TDOCH_, &TZRZ_, &TDET_}});

    setEmployeeEvents(*this);
    setChildRecordEvents(*this);
    setHealthEvents(*this);
}

TDMZ::~TDMZ() = default;

int TDMZ::Max_kod_zamestnanca()
{
    auto maximum = [](db::Query &q) {
        q.close();
        q.open();
        const int m = q.isEmpty() ? 0 : int(q.fieldByName(QStringLiteral("max_code_emp")).asInteger());
        q.close();
        return m;
    };
    // Inside a post's transaction the number stays this program's until it commits.
    QCODE1_.session().lockForNextKey(QString::fromLatin1(kAliasData), QStringLiteral("zam"));
    const int a = maximum(QCODE1_);
    const int b = maximum(QCODE2_);
    return a > b ? a : b;
}

int TDMZ::currentEmployeeCode() const
{
    if (!TZAM_.isActive() || TZAM_.isEmpty() || TZAM_.state() == db::DataSetState::Insert)
        throw EMyError(Msg(65050));
    const QVariant v = TZAM_.value(QStringLiteral("Code_emp"));
    if (!v.isValid())
        throw EMyError(Msg(65050));
    return int(db::variantToInteger(v));
}

void TDMZ::Nastav_filter_zamestnancov(const QString &filter)
{
    if (filter == TZAM_.filter() && TZAM_.isFiltered())
        return;
    TZAM_.setFiltered(false);
    TZAM_.setFilter(filter);
    TZAM_.setFiltered(true);
}

void TDMZ::Uloz_filter_zamestnancov() { m_ulozenyFilter = TZAM_.filter(); }

void TDMZ::Obnov_filter_zamestnancov()
{
    if (TZAM_.filter() != m_ulozenyFilter)
        TZAM_.setFilter(m_ulozenyFilter);
}

bool TDMZ::Najdi_osobne_cislo(int n)
{
    TZAM_.first();
    const QString field = QStringLiteral("Code_numb");
    if (TZAM_.locate(field, {n}))
        return true;
    TZAM_.locate(field, {qint64(n) + 1});
    return false;
}

QString TDMZ::listItem(int codeEmp) const
{
    const auto r = employee_detail::detailQuery(
        QStringLiteral("select surname, name, title, vystup, code_numb from zam where code_emp = :p1"),
        {{QStringLiteral("p1"), codeEmp}});
    if (r.rowCount() == 0)
        return {};
    QString text = employee_detail::joinName(r.asString(0, 0), r.asString(0, 1), r.asString(0, 2));
    if (!r.isNull(0, 3))
        text += QStringLiteral("(zruš.)");
    return text + u',' + r.text(0, 4);
}

void TDMZ::Pocet_deti(int &znizPoistne, int &danBonus, int &pridavky)
{
    znizPoistne = danBonus = pridavky = 0;
    try {
        const int code = currentEmployeeCode();
        QDET2_.close();
        QDET2_.setParam(QStringLiteral("p1"), code);
        QDET2_.open();
        znizPoistne = int(QDET2_.fieldByName(QStringLiteral("pocet1")).asInteger());
        danBonus = int(QDET2_.fieldByName(QStringLiteral("pocet2")).asInteger());
        pridavky = int(QDET2_.fieldByName(QStringLiteral("pocet3")).asInteger());
        QDET2_.close();
    } catch (const std::exception &) {
        // The counts not read stay 0; the new payroll record goes on without them.
        QDET2_.close();
    }
}

QString TDMZ::Vek_dietata(const QString &birthMonth) const
{
    int born = 0;
    try {
        born = MyConsts::Text_na_cele_cislo(birthMonth);
    } catch (const EMyError &) {
        return {};
    }
    const int d = DM().Aktualne_obdobie() - born;
    if (d < 0)
        return {};
    const int age = d / 100; // a child turns a year older in its birth month
    if (age > 99)
        return {};
    return QString::number(age);
}

double TDMZ::Pridavky_na_dieta(const QString &age, double &allowance1, double &allowance2) const
{
    allowance1 = allowance2 = 0;
    if (age.isEmpty())
        return 0;
    double k = 0;
    try {
        if (DM().Aktualne_obdobie() >= 200301)
            k = MyConsts::Hodnota_parametra(QStringLiteral("PRIDAV_NA_DIETA"));
        const auto r = employee_detail::detailQuery(
            QStringLiteral("select potreba, pridavky1, pridavky2 from cis_pd where vek_od = "
                           "(select max(vek_od) from cis_pd where vek_od <= :p1)"),
            {{QStringLiteral("p1"), MyConsts::Text_na_cele_cislo(age)}}, kAliasComm);
        if (r.rowCount() == 0) {
            allowance1 = allowance2 = k;
            return 0;
        }
        allowance1 = r.asFloat(0, 1) + k;
        allowance2 = r.asFloat(0, 2) + k;
        return r.asFloat(0, 0);
    } catch (const std::exception &) {
        allowance1 = allowance2 = k;
        return 0;
    }
}

TDMZ &DMZ() { return g_dmz.get(); }

bool hasDMZ() { return g_dmz.exists(); }

void createDMZ() { g_dmz.create(); }

void destroyDMZ() { g_dmz.destroy(); }

} // namespace tarix::core
