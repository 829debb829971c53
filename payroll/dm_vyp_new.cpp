// A new payroll record: its defaults from the employee, the firm header, the year's
// parameters and earlier payrolls; the month's deductions and piece-work items; then the
// calculation. Also the averages from earlier payrolls.
#include "payroll/dm_v.h"

#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/myconsts.h"
#include "core/session.h"
#include "payroll/calc/calculation.h"
#include "payroll/dm_vyp_context.h"
#include "payroll/dm_vyp_internal.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/dates.h"

#include <utility>

namespace tarix::payroll {

namespace {

int monthFund(const YearSetup &s, int month)
{
    const int days[] = {s.JAN, s.FEB, s.MAR, s.APR, s.MAJ, s.JUN,
                        s.JUL, s.AUG, s.SEP, s.OKT, s.NOV, s.DEC};
    return month >= 1 && month <= 12 ? days[month - 1] : 0;
}

int monthHolidays(const YearSetup &s, int month)
{
    const int days[] = {s.JAN1, s.FEB1, s.MAR1, s.APR1, s.MAJ1, s.JUN1,
                        s.JUL1, s.AUG1, s.SEP1, s.OKT1, s.NOV1, s.DEC1};
    return month >= 1 && month <= 12 ? days[month - 1] : 0;
}

int periodOfIndex(int monthIndex) { return (monthIndex / 12) * 100 + monthIndex % 12 + 1; }

// The calendar quarter before the month's: its first and last period.
std::pair<int, int> previousQuarter(int year, int month)
{
    const int m = year * 12 + month - 1;
    const int e = (m / 3) * 3 - 1;
    return {periodOfIndex(e - 2), periodOfIndex(e)};
}

} // namespace

// ---- working days of the month -------------------------------------------------------------

int TDMV::Fond_pracovnych_dni(int month)
{
    return monthFund(m_spolocny->get(TVYP_.session()).setup, month);
}

int TDMV::Pocet_sviatkov(int month)
{
    return monthHolidays(m_spolocny->get(TVYP_.session()).setup, month);
}

void TDMV::Dopln_fond_mesiaca()
{
    if (!TVYP_.isEditing())
        return;
    TVYP_.fieldByName(QStringLiteral("V_fmes"))
        .setValue(Fond_pracovnych_dni(TVYP_.fieldByName(QStringLiteral("V_mesiac")).asInt()));
}

// ---- averages from earlier payrolls ------------------------------------------------------

// The sums of an employee's earlier payrolls: the texts of QPRX_, QPRY1_ and QPRY2_ run
// through the session's kept statements, not by opening the queries (each opening binds
// their fields anew, and a new payroll asks up to four times).
db::SqlResult TDMV::earlierPayrollSums(const db::Query &query, const QString &alias, int codeEmp, int firstPeriod,
                                 int lastPeriod)
{
    return TVYP_.session().run(query.sqlText(),
                               {{QStringLiteral("p1"), codeEmp},
                                {QStringLiteral("p2"), firstPeriod},
                                {QStringLiteral("p3"), lastPeriod}},
                               alias);
}

QString TDMV::aliasSum(int firstPeriod)
{
    // Payrolls of another year are read through the alias of the earlier data.
    db::Session &s = TVYP_.session();
    const int openYear = detail::openPayrollPeriod(s) / 100;
    return firstPeriod / 100 != openYear && s.hasAlias(core::kAliasDatx) ? QString::fromLatin1(core::kAliasDatx)
                                                                          : QString::fromLatin1(core::kAliasData);
}

double TDMV::Priemerny_zarobok(int codeEmp, int firstPeriod, bool flag, int lastPeriod, const PeriodSums *known)
{
    const int recordPeriod = TVYP_.isActive() ? TVYP_.fieldByName(QStringLiteral("V_obdobie")).asInt() : 0;
    double result = 0.0;
    try {
        if (flag) {
            const db::SqlResult x = earlierPayrollSums(QPRX_, aliasSum(firstPeriod), codeEmp, firstPeriod, lastPeriod);
            result = x.asFloat(0, x.columnIndex(QStringLiteral("max_v_priemer1")));
        } else {
            double wages = 0.0;
            double hours = 0.0;
            if (known && known->areEqual(codeEmp, firstPeriod, lastPeriod)) {
                wages = known->mzda;
                hours = known->hodiny;
            } else {
                const db::SqlResult x =
                    earlierPayrollSums(QPRX_, aliasSum(firstPeriod), codeEmp, firstPeriod, lastPeriod);
                wages = x.asFloat(0, x.columnIndex(QStringLiteral("sum_n_mzda")));
                hours = x.asFloat(0, x.columnIndex(QStringLiteral("sum_hodina")));
            }
            if (recordPeriod < 200101) {
                for (const db::Query *q : {&QPRY1_, &QPRY2_}) {
                    const db::SqlResult y = earlierPayrollSums(*q, core::kAliasData, codeEmp, firstPeriod, lastPeriod);
                    wages += y.asFloat(0, y.columnIndex(QStringLiteral("pridavok")));
                }
            }
            result = hours != 0.0 ? wages / hours : 0.0;
        }
    } catch (const std::exception &) {
        result = 0.0;
    }
    return result;
}

void TDMV::Vypocet_stvrtrocneho_priemeru(const PeriodSums *known)
{
    if (!TVYP_.isEditing())
        return;
    const int year = TVYP_.fieldByName(QStringLiteral("V_rok")).asInt();
    const int month = TVYP_.fieldByName(QStringLiteral("V_mesiac")).asInt();
    const int codeEmp = TVYP_.fieldByName(QStringLiteral("Code_emp")).asInt();
    const auto [first, last] = previousQuarter(year, month);
    double average = Priemerny_zarobok(codeEmp, first, false, last, known);
    if (last == 200203) {
        // The working day went from 8.5 to 8 hours in April 2002.
        const QString question = QStringLiteral("Zvýšiť priemernú mzdu zamestnanca ") + employeeFullName(codeEmp)
                                 + QStringLiteral(" vynásobením koeficientom 1,0625 kôli zmene fondu prac.času z 8,5 na 8 hodín ?");
        if (MyConsts::Otazka_ano_nie(question))
            average = average * 0.125 * 8.5;
    }
    if (average == 0.0 && m_spolocny->get(TVYP_.session()).firm.HOLKVART != 0)
        average = Priemerny_zarobok(codeEmp, year * 100 + 1, true, year * 100 + 1);
    TVYP_.fieldByName(QStringLiteral("V_priemer1")).setValue(average);
}

double TDMV::Vypocet_pravdepodobneho_zarobku(int codeEmp, int firstPeriod, bool flag, int lastPeriod)
{
    double result = 0.0;
    try {
        const db::SqlResult x = earlierPayrollSums(QPRX_, core::kAliasData, codeEmp, firstPeriod, lastPeriod);
        auto value = [&x](const char *name) { return x.asFloat(0, x.columnIndex(QString::fromLatin1(name))); };
        const double days = value("sum_dni");
        const double monthly = TVYP_.isActive() ? TVYP_.fieldByName(QStringLiteral("MV_plat")).asFloat() : 0.0;
        if (value("pocet") == 0) {
            result = 0.0;
        } else if (flag && value("max_prhrmeza") > 0) {
            result = value("max_prhrmeza");
        } else if (days == 0) {
            result = 0.0; // no day worked in the range: nothing to spread
        } else if (monthly > 0) {
            result = monthly + MyConsts::Zaokruhli_sumu(0, 0, value("sum_odm_pre") / days * 21.74);
        } else {
            result = MyConsts::Zaokruhli_sumu(0, 0, (value("sum_n_mzda2") - value("sum_nadcas")) / days * 21.74);
        }
    } catch (const std::exception &) {
        result = 0.0;
    }
    return result;
}

void TDMV::Dopln_pravdepodobny_zarobok()
{
    if (!TVYP_.isEditing() || TVYP_.fieldByName(QStringLiteral("PRHRMEZA")).asFloat() != 0.0)
        return;
    const int codeEmp = TVYP_.fieldByName(QStringLiteral("Code_emp")).asInt();
    const int year = TVYP_.fieldByName(QStringLiteral("V_rok")).asInt();
    const int period = TVYP_.fieldByName(QStringLiteral("V_obdobie")).asInt();
    double probable = Vypocet_pravdepodobneho_zarobku(codeEmp, (year - 1) * 100 + 1, false, (year - 1) * 100 + 12);
    if (probable == 0.0)
        probable = Vypocet_pravdepodobneho_zarobku(codeEmp, year * 100 + 1, true, period - 1);
    TVYP_.fieldByName(QStringLiteral("PRHRMEZA")).setValue(probable);
}

// ---- the new record ----------------------------------------------------------------------

NewEmployee TDMV::loadNewPayroll(const EmployeeKey &e, int year, int month)
{
    db::Session &s = TVYP_.session();
    // The quarterly average's sums go with it when they come from the firm's own payrolls
    // (the earlier data's alias names the firm's folder unless it was pointed elsewhere).
    const auto [first, last] = previousQuarter(year, month);
    const bool withSums = s.schemaOf(aliasSum(first)) == s.schemaOf(QString::fromLatin1(core::kAliasData));
    const RequestedSums sums{QPRX_.sqlText(), first, last};
    return loadNewEmployee(s, e.Code_numb, e.Code_emp, year, month, withSums ? &sums : nullptr);
}

void TDMV::newPayrollRecord()
{
    db::Session &s = TVYP_.session();
    const EmployeeKey key = m_vkladany.isValid() ? m_vkladany : currentEmployee();
    // The employee's row once: the calculation's fields and the card's defaults, as the
    // insert's guard read them (read here only when this record had no such guard).
    std::unique_ptr<NewEmployee> n = std::move(m_novyZamestnanec);
    if (!n || n->employee.Code_numb != key.Code_numb || n->employee.Code_emp != key.Code_emp) {
        const int open = detail::openPayrollPeriod(s);
        n = std::make_unique<NewEmployee>(loadNewPayroll(key, open / 100, open % 100));
    }
    if (!n->found)
        throw EMyError(Msg(65050));
    CalcContext c;
    c.employee = n->employee;
    const EmployeeCard &z = n->karta;

    sharedContext(c);
    const int year = c.Aktualne_obdobie / 100;
    const int month = c.Aktualne_obdobie % 100;
    const int period = c.Aktualne_obdobie;
    using K = EmployeeCard;

    // Every field not named below starts at 0, false or blank.
    PayRecord r;
    r.Code_emp = key.Code_emp;
    r.V_rok = year;
    r.V_mesiac = month;
    r.V_obdobie = period;

    const QDate closing = closingDate();
    const int closingPeriod = MyConsts::Obdobie_z_datumu(closing);
    if (closingPeriod != 0 && closingPeriod >= period)
        rejectPayroll(Msg(65134, fmt::shortDate(closing)));

    r.Verzia = 0;
    r.V_kal_dni = MyConsts::Pocet_dni_mesiaca(period);
    r.VYNIMKA_VZ = z.text(K::VYNIMKA_VZ).trimmed().isEmpty() ? QStringLiteral("0") : z.text(K::VYNIMKA_VZ);
    r.F_nd_pocita = c.firm.F_ND_POCITA;
    r.F_typ_premii = c.firm.F_TYP_PREMII;
    r.F_sadzba_premii = z.num(K::F_sadzba_premii);
    r.MV_plat = z.num(K::MV_plat);
    r.Fixny_mv_plat = z.log(K::Fixny_mv_plat);
    r.V_sadzba = z.num(K::V_sadzba);
    r.Pouz_auto = z.num(K::Pouz_auto);
    r.Zvys_ostatne = z.num(K::Zvys_ostatne);
    r.U_nezdc = z.log(K::VYHL);
    r.Ne_zaloha = z.num(K::Ne_zaloha);
    r.Ne_pozicky = z.num(K::Ne_pozicky);
    r.Ne_odborar = z.num(K::Ne_odborar);
    r.Ne_poistovna = z.num(K::Ne_poistovna);
    r.Ne_exekucia = z.num(K::Ne_exekucia);
    r.Sporenie = z.num(K::Sporenie);
    r.N_ddp = z.num(K::N_ddp);
    r.N_sadzba_ddp = z.num(K::N_sadzba_ddp);
    r.Nz_ddp = z.num(K::Nz_ddp);
    r.Nz_sadzba_ddp = z.num(K::Nz_sadzba_ddp);
    r.Spor_plat = z.wholeNumber(K::Spor_plat);
    r.U_zdrav = z.wholeNumber(K::U_zdrav);
    r.U_nemoc = z.wholeNumber(K::U_nemoc);
    r.U_dochod = z.wholeNumber(K::U_dochod);
    r.U_fondzam = z.wholeNumber(K::U_fondzam);
    r.U_zdrav1 = c.setup.U_ZDRAV1;
    r.U_nemoc1 = c.setup.U_NEMOC1;
    r.U_dochod1 = c.setup.U_DOCHOD1;
    r.U_fondzam1 = c.setup.U_FONDZAM1;
    r.U_zdrav2 = c.setup.U_ZDRAV2;
    r.U_nemoc2 = c.setup.U_NEMOC2;
    r.U_dochod2 = c.setup.U_DOCHOD2;
    r.U_fondzam2 = c.setup.U_FONDZAM2;
    r.Rezerva1 = c.firm.F_ODSTUPM;
    r.U_invalid = z.wholeNumber(K::U_invalid);
    r.U_uraz = z.wholeNumber(K::U_uraz);
    r.U_rezerva = z.wholeNumber(K::U_rezerva);
    r.U_garancne = z.wholeNumber(K::U_garancne);
    r.ZPS = z.log(K::ZPS);
    r.ZTP = z.log(K::ZTP);
    r.Automatika = true;
    r.U_sviatky = z.log(K::U_sviatky);
    if (r.U_sviatky)
        r.V_sviatok = monthHolidays(c.setup, month);
    r.Dan_vyrovnana = z.log(K::Dan_zrazkou) ? 1 : 0;
    r.F_dan_sadzba1 = c.setup.F_DAN_SADZBA1;
    r.F_dan_maximum1 = c.setup.F_DAN_MAXIMUM1;
    if (period >= 200401) {
        r.Poc_nezaop_deti = int(n->detiZnizPoistne);
        r.D_bonus_predpis = double(n->detiBonus) * c.params.hodnota(28);
        r.Nd_pridavky = double(n->detiPd) * c.params.hodnota(24);
    }
    r.V_fmes = monthFund(c.setup, month);

    // Step 1 of the calculation, so that the averages see the record's parameters.
    Kopiruj_parametre_vyplaty(r, c);
    m_adapter->write(TVYP_, r, nullptr);

    Vypocet_stvrtrocneho_priemeru(n->sumy ? &*n->sumy : nullptr);
    if (period < 200401)
        Dopln_pravdepodobny_zarobok();

    claimNewPayroll(key.Code_emp, period);
    try {
        cleanUpUnfinishedPayroll();
        markNewPayroll(key.Code_emp, period);
        // What the insert's guard found empty needs no copy and no read: there is nothing to
        // copy and nothing stored to replace.
        const RecordDetails::EmptyDetails empty = m_vyplata->emptyDetails(s, key.Code_numb, key.Code_emp);
        {
            // The standing deductions and the piece-work items are copied in one commit.
            db::Transaction copies(&s);
            if (!empty.zrazky)
                Kopiruj_trvale_zrazky(key.Code_emp, period);
            if (!empty.ukoly)
                Kopiruj_ukolove_polozky(period, key);
            copies.commit();
        }
        if (empty.zrazky && empty.ukoly)
            m_vyplata->keep(s, {key.Code_numb, key.Code_emp, period, !Rezim_importu}, c);
        refreshDetails();

        const double pnDenne = z.num(K::PN_DENNE);
        TVYP_.fieldByName(QStringLiteral("Cista_denna_mzda")).setValue(pnDenne);
        if (period >= 200401)
            TVYP_.fieldByName(QStringLiteral("V_priemer2")).setValue(pnDenne);

        Vypocet_vyplaty();
    } catch (...) {
        // The insert is abandoned: the details copied for it go too.
        try {
            deleteDetailsOfDroppedPayroll(key.Code_emp, period);
            finishNewPayroll();
            refreshDetails();
        } catch (...) {
            // The first failure is the one reported.
        }
        throw;
    }
}

} // namespace tarix::payroll
