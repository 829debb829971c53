// The payroll data module: its components, the process-wide instance, the employee of a
// new record and the small lookups of payroll rows.
#include "payroll/dm_v.h"

#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/employment_period.h"
#include "core/helpers/messages.h"
#include "core/helpers/myconsts.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "payroll/dm_vyp_context.h"
#include "payroll/dm_vyp_internal.h"
#include "platform/db/session.h"
#include "platform/errors.h"

#include <stdexcept>

namespace tarix::payroll {

namespace {

core::ModuleInstance<TDMV> g_dmv("the payroll data module");

db::Session &sessionOf(const db::DataSet &ds) { return ds.session(); }

} // namespace

TDMV::TDMV()
    : DataModule(QStringLiteral("TDMV")),
      TVYP_(addTable("TVYP_", core::kAliasData, "Vyp.DB")),
      TRZP_(addTable("TRZP_", core::kAliasData, "Rzp.DB")),
      THSV_(addTable("THSV_", core::kAliasPriv, "Hsv.DB")),
      TZRV_(addTable("TZRV_", core::kAliasData, "Zrv.db")),
      TCUK_(addTable("TCUK_", core::kAliasData, "Cis_uk.DB")),
      TZUK_(addTable("TZUK_", core::kAliasData, "zam_uk.DB")),
      THSU_(addTable("THSU_", core::kAliasData, "hsu")),
      QVYP_(addQuery("QVYP_", core::kAliasData)),
      QPRX_(addQuery("QPRX_", core::kAliasData)),
      QPRY1_(addQuery("QPRY1_", core::kAliasData)),
      QPRY2_(addQuery("QPRY2_", core::kAliasData)),
      QPOCZ_(addQuery("QPOCZ_", core::kAliasData)),
      QPOCM_(addQuery("QPOCM_", core::kAliasData)),
      QEXP_(addQuery("QEXP_", core::kAliasData)),
      QCDM_(addQuery("QCDM_", core::kAliasData)),
      QDDP1_(addQuery("QDDP1_", core::kAliasData)),
      QPPP_(addQuery("QPPP_", QString())),
      QRZP_(addQuery("QRZP_", core::kAliasData)),
      QRZP07_(addQuery("QRZP07_", core::kAliasData)),
      XRZP_(addQuery("XRZP_", core::kAliasData)),
      QHSV1_(addQuery("QHSV1_", core::kAliasData)),
      QHSV2_(addQuery("QHSV2_", core::kAliasData)),
      QZRV_(addQuery("QZRV_", core::kAliasData)),
      QHSU1_(addQuery("QHSU1_", core::kAliasData)),
      QHSU2_(addQuery("QHSU2_", core::kAliasData)),
      QHSU3_(addQuery("QHSU3_", core::kAliasData)),
      QHSU4_(addQuery("QHSU4_", core::kAliasData)),
      DS_VYPL(addDataSource("DS_VYPL", TVYP_)),
      DS_VGRID(addDataSource("DS_VGRID", TVYP_)),
      DS_CDM(addDataSource("DS_CDM", QCDM_)),
      DS_RZP(addDataSource("DS_RZP", TRZP_)),
      DS_RGRID(addDataSource("DS_RGRID", TRZP_)),
      DS_HSV(addDataSource("DS_HSV", THSV_)),
      DS_ZRV(addDataSource("DS_ZRV", TZRV_)),
      DS_ZRVG(addDataSource("DS_ZRVG", TZRV_)),
      DS_CUK(addDataSource("DS_CUK", TCUK_)),
      DS_ZUK(addDataSource("DS_ZUK", TZUK_)),
      DS_HSU(addDataSource("DS_HSU", THSU_)),
      DS_HSUG(addDataSource("DS_HSUG", THSU_)),
      m_adapter(std::make_unique<PayrollRecordAdapter>()),
      m_spolocny(std::make_unique<SharedContextCache>()),
      m_mesiac(std::make_unique<MonthDetails>()),
      m_vyplata(std::make_unique<RecordDetails>())
{
    QVYP_.setSql(QStringLiteral(
        "select * from vyp  where code_emp=:p1 and v_rok=:p2 and v_mesiac=:p3"));
    QPRX_.setSql(QStringLiteral(
        "select count(*) pocet, max(v_priemer1) max_v_priemer1, max(v_priemer2) max_v_priemer2, "
        "sum(n_mzda) as sum_n_mzda, sum(v_fmes*f_doba) as sum_uvazok, sum(v_hodina-vh_nadcas)  "
        "sum_hodina, sum(d_preddavok1+d_dan) sum_dan, sum(v_plat+n_premie+n_odmeny) sum_n_mzda2, "
        "sum(n_premie+n_odmeny) sum_odm_pre, sum(v_den+v_sviatok) sum_dni, sum(n_nadcas) "
        "sum_nadcas, max(prhrmeza) max_prhrmeza from vyp where code_emp=:p1 and v_obdobie "
        "between :p2 and :p3 and  dan_vyrovnana=0"));
    QPRY1_.setSql(QStringLiteral(
        "select sum(n_jednoraz1/v_mesiace1) as pridavok from vyp where code_emp=:p1 and "
        "((v_obdobie <= :p2 and :p2 <= v_maxobd1) or (v_obdobie <= :p3 and :p3 <=v_maxobd1)) "
        "and v_mesiace1>0 and n_jednoraz1>0"));
    QPRY2_.setSql(QStringLiteral(
        "select sum(n_jednoraz2/v_mesiace2) as pridavok from vyp where code_emp=:p1 and "
        "((v_obdobie <= :p2 and :p2 <= v_maxobd2) or (v_obdobie <= :p3 and :p3 <=v_maxobd2)) "
        "and v_mesiace2>0 and n_jednoraz2>0"));
    QPOCZ_.setSql(QStringLiteral("select count(*) pocet from vyp where code_emp=:p1"));
    QPOCM_.setSql(QStringLiteral(
        "select count(*) pocet from vyp where v_obdobie=:p1 and (v_plat>0 or n_dohody_ovp=0)"));
    QEXP_.setSql(QStringLiteral("select * from vyp  where v_obdobie=:p1"));
    QCDM_.setSql(QStringLiteral(
        "select code_emp code_emp, sum(n_zaklad_np) n_zaklad_np, sum(v_pn1+v_pn2) v_pn, "
        "sum(v_ocr12) v_ocr12, sum(v_kal_dni) v_kal_dni, sum(v_nahrada_pn1+v_nahrada_pn2) "
        "v_nahrada_pn from vyp where v_obdobie between :obdobie1 and :obdobie2 group by code_emp"));
    QDDP1_.setSql(QStringLiteral(
        "select kdp, sum(n_ddp) as n_ddp, sum(nz_ddp) as nz_ddp from vyp where v_obdobie= :p1 "
        "and sid between :p2 and :p3 and (n_ddp>0 or nz_ddp>0) group by kdp"));
    QHSV1_.setSql(QStringLiteral(
        "select v.Code_emp, v.V_den, v.V_hodina, v.V_sviatok, v.V_holiday, v.V_pn1, v.V_pn2, v.V_ocr1, "
        "v.V_ocr2, v.F_sadzba_premii, v.N_odmeny, v.N_dohody_ovp, v.N_dohody_opc, v.Ne_zaloha, v.MV_plat, "
        "v.vh_nadcas, v.vh_sobota, v.vh_nedela, v.vh_sviatok, v.vh_noc, v.vh_skod, "
        "v.vh_priplat1, v.vh_priplat2, v.vh_priplat3, v.vh_priplat4, v.vh_priplat5, "
        "z.code_numb, z.surname, z.name, z.title from vyp v,zam z where "
        "v.v_obdobie = :v_obdobie and v.sid between :sid1 and :sid2 and z.code_emp = v.code_emp"));
    // Everyone employed on some day of the month needs its payroll, also one who joins
    // after its first day or leaves within it.
    QHSV2_.setSql(QStringLiteral("select code_emp, code_numb, name, surname, title from zam where ")
                  + MyConsts::employedInPeriodSql()
                  + QStringLiteral(" and sid between :sid1 and :sid2 and not exists "
                                   "(select 1 from vyp where v_obdobie = :v_obdobie and code_emp = zam.code_emp)"));
    QZRV_.setSqlLines({QStringLiteral("select typ,suma,typ_sumy,vypocitana_suma"),
                       QStringLiteral("from zrv"), QStringLiteral("where "),
                       QStringLiteral("v_obdobie=:p1 and code_emp=:p2"),
                       QStringLiteral("for update of vypocitana_suma")});
    QHSU3_.setSqlLines({QStringLiteral("select sum(suma) suma"), QStringLiteral("from hsu"),
                        QStringLiteral("where "), QStringLiteral("v_obdobie=:p1 and code_emp=:p2")});
    QHSU4_.setSqlLines({QStringLiteral("select hodnota,0 as id from zam_uk where code_numb=:p1 and ukid= :p2"),
                        QStringLiteral("union"),
                        QStringLiteral("select hodnota,1 from cis_uk where ukid = :p2"),
                        QStringLiteral("order by id")});

    TRZP_.setIndexFieldNames(QStringLiteral("Code_emp"));
    // The settlements follow the employee grid of the employee module (created before).
    if (core::hasDMZ()) {
        TRZP_.setMasterSource(&core::DMZ().DS_ZGRID);
        TRZP_.setMasterFields(QStringLiteral("Code_emp"));
    }
    // The exemption code table shows the current payroll's exemption while the payroll
    // source is enabled, and every exemption while it is not.
    if (core::hasDM()) {
        core::DM().CIS5_.setMasterSource(&DS_VYPL);
        core::DM().CIS5_.setMasterFields(QStringLiteral("VYNIMKA_VZ"));
    }
    // The payroll screen's sources stand still while that screen is not shown.
    addScreenSources({&DS_VYPL, &DS_VGRID, &DS_RZP, &DS_RGRID, &DS_HSV, &DS_ZRV, &DS_ZRVG, &DS_CUK,
                      &DS_HSU});
    // The core opens and closes the payroll tables with the firm, keeps the user on the
    // card while a settlement or a piece-work item is edited, drops a payroll left half
    // edited on the way back to the start page, and links the piece-work items to the
    // employee only while the card shows them.
    watchTables({.firm = {&TRZP_, &TZRV_, &TCUK_, &TZUK_, &THSU_, &TVYP_},
                 .guarded = {&TRZP_, &TZUK_},
                 .droppedOnStartPage = {&TVYP_, &THSV_, &THSU_},
                 .followingEmployee = {&TZUK_}});
    DS_HSV.autoEdit = true;
    DS_CUK.setEnabled(false);
    DS_ZUK.setEnabled(false);

    setPayrollEvents();
    setDetailEvents();
    setRzpEvents();
    setHsvEvents();
    detail::setPayrollLabels(*this);
    TVYP_.close();
}

TDMV::~TDMV() = default;

// ---- the current employee ------------------------------------------------------------------

void TDMV::setEmployee(int codeNumb, int codeEmp)
{
    m_zamestnanec = {codeNumb, codeEmp};
    if (codeEmp != 0)
        m_osobneCisla.insert(codeEmp, codeNumb);
}

EmployeeKey TDMV::currentEmployee() const
{
    if (m_zamestnanec.isValid())
        return m_zamestnanec;
    if (core::hasDMZ()) {
        db::Table &zam = core::DMZ().TZAM_;
        if (zam.isActive() && !zam.isEmpty())
            return {zam.fieldByName(QStringLiteral("Code_numb")).asInt(),
                    zam.fieldByName(QStringLiteral("Code_emp")).asInt()};
    }
    return {};
}

int TDMV::employeePersonalNumber(int codeEmp)
{
    db::Session &s = sessionOf(TVYP_);
    const auto known = m_osobneCisla.constFind(codeEmp);
    if (known != m_osobneCisla.constEnd()) {
        const db::SqlResult r = s.run(
            QStringLiteral("select 1 from \":tarix_data:zam\" where code_numb = :n and code_emp = :e"),
            {{QStringLiteral("n"), known.value()}, {QStringLiteral("e"), codeEmp}});
        if (r.rowCount() > 0)
            return known.value();
    }
    const db::SqlResult r = s.run(
        QStringLiteral("select code_numb from \":tarix_data:zam\" where code_emp = :e"),
        {{QStringLiteral("e"), codeEmp}});
    if (r.rowCount() == 0) {
        m_osobneCisla.remove(codeEmp);
        return 0;
    }
    const int numb = int(r.asInteger(0, 0));
    m_osobneCisla.insert(codeEmp, numb);
    return numb;
}

QString TDMV::employeeFullName(int codeEmp)
{
    if (!m_menaNacitane) {
        m_mena.clear();
        const db::SqlResult r = sessionOf(TVYP_).run(
            QStringLiteral("select code_emp, title, name, surname from \":tarix_data:zam\""));
        for (int i = 0; i < r.rowCount(); ++i)
            m_mena.insert(int(r.asInteger(i, 0)),
                          MyConsts::Cele_meno(r.asString(i, 1), r.asString(i, 2), r.asString(i, 3)));
        m_menaNacitane = true;
    }
    return m_mena.value(codeEmp);
}

// ---- closing date and lookups ------------------------------------------------------------

QDate TDMV::closingDate()
{
    if (m_davkovaUzavierka)
        return *m_davkovaUzavierka;
    return m_spolocny->get(sessionOf(TVYP_)).Datum_uzav;
}

int TDMV::closedPeriod()
{
    return MyConsts::Obdobie_z_datumu(closingDate());
}

bool TDMV::Existuje_vyplata(int codeEmp, int year, int month)
{
    // A count on the key instead of opening the all-column query; exactly one row is a
    // payroll (a duplicate left by an unchecked insert does not count as one).
    const db::SqlResult r = sessionOf(TVYP_).run(
        QStringLiteral("select count(*) from \":tarix_data:vyp\" where code_emp = :p1 and "
                       "v_rok = :p2 and v_mesiac = :p3"),
        {{QStringLiteral("p1"), codeEmp}, {QStringLiteral("p2"), year}, {QStringLiteral("p3"), month}});
    return r.rowCount() > 0 && r.asInteger(0, 0) == 1;
}

int TDMV::Pocet_vyplat_zamestnanca(int codeEmp)
{
    QPOCZ_.close();
    QPOCZ_.setParam(QStringLiteral("p1"), codeEmp);
    QPOCZ_.open();
    const int count = QPOCZ_.fieldByName(QStringLiteral("pocet")).asInt();
    QPOCZ_.close();
    return count;
}

bool TDMV::Znizena_sadzba_zp(int period, bool flag, double value) const
{
    return value >= MyConsts::Parametre(29).Hodnota || (period >= 200509 && flag);
}

bool TDMV::Nad_hranicou_prijmu(int period, bool flag, double value) const
{
    return Znizena_sadzba_zp(period, flag, value);
}

// ---- the process-wide instance -----------------------------------------------------------

TDMV &DMV() { return g_dmv.get(); }

bool hasDMV() { return g_dmv.exists(); }

void createDMV() { g_dmv.create(); }

void destroyDMV() { g_dmv.destroy(); }

} // namespace tarix::payroll
