#include "tools/mkinst/demo_payrolls.h"

#include "core/database_server.h"
#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/employment_period.h"
#include "core/helpers/parameters.h"
#include "core/installation.h"
#include "core/session.h"
#include "payroll/dm_v.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/ini/ini_file.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tarix::installation {

namespace {

// The monthly reward of the work-performance agreement, what the clerk enters from the
// agreement's statement of work done: the agreement names no rate, so the demo takes one
// below the year's withholding-tax limit (the agreement worker shows the withholding tax).
constexpr double kAgreementReward = 3000;

// The employer's sick pay of 2007: calendar days 1 to 3 of a sick leave in the first band,
// days 4 to 10 in the second; from day 11 the social insurer pays.
constexpr int kSickPayFirstBandDays = 3;
constexpr int kSickPayDays = 10;

// The kind of the person's relation to the employer (Zam.TYPZEC) of an agreement outside
// an employment: paid its reward, no attendance.
constexpr int kAgreementRelation = 2;

struct Employee {
    int codeEmp = 0;
    int codeNumb = 0;
    QDate start;
    QDate end; // null: no end
    bool paidByAgreement = false;
};

struct SickLeave {
    int workingDays = 0;
    int calendarDays = 0;
};

int weekdaysBetween(QDate from, QDate to)
{
    int days = 0;
    for (QDate d = from; d <= to; d = d.addDays(1))
        if (d.dayOfWeek() <= 5)
            ++days;
    return days;
}

// The employees employed at some day of the month, in the order of their codes.
std::vector<Employee> employeesOfMonth(db::Session &s, QDate first, QDate last)
{
    db::Params params;
    MyConsts::setPeriodDays(params, {first, last});
    const db::SqlResult r = s.run(
        QStringLiteral("select code_emp, code_numb, nastup, vystup, typzec from \":tarix_data:zam\" where ") +
            MyConsts::employedInPeriodSql() + QStringLiteral(" order by code_emp"),
        params);
    std::vector<Employee> out;
    for (int i = 0; i < r.rowCount(); ++i)
        out.push_back({int(r.asInteger(i, 0)), int(r.asInteger(i, 1)), r.value(i, 2).toDate(), r.value(i, 3).toDate(),
                       r.asInteger(i, 4) == kAgreementRelation});
    return out;
}

// The sick leaves the employee's record of absences puts into the period.
std::vector<SickLeave> sickLeaves(db::Session &s, int codeEmp, int period)
{
    const db::SqlResult r = s.run(
        QStringLiteral("select coalesce(prac_dni, 0), datum_od, datum_do from \":tarix_data:nep\" "
                       "where code_emp = :e and v_obdobie = :p and typ = 1"),
        {{QStringLiteral("e"), codeEmp}, {QStringLiteral("p"), period}});
    std::vector<SickLeave> out;
    for (int i = 0; i < r.rowCount(); ++i)
        out.push_back({int(r.asInteger(i, 0)), int(r.value(i, 1).toDate().daysTo(r.value(i, 2).toDate())) + 1});
    return out;
}

// One employee's payroll of the open month as the clerk makes it on the payroll screen: the
// new record with the card's defaults, the attendance of the month entered, then stored.
void postMonth(payroll::TDMV &dmv, db::Session &s, const Employee &e, QDate first, QDate last)
{
    dmv.setEmployee(e.codeNumb, e.codeEmp);
    db::Table &t = dmv.TVYP_;
    t.insert();
    if (e.paidByAgreement) {
        t.setValue(QStringLiteral("N_dohody_ovp"), kAgreementReward);
    } else {
        // The working days of the employed part of the month (a whole month: the month's fund).
        const QDate from = std::max(first, e.start);
        const QDate to = e.end.isValid() ? std::min(last, e.end) : last;
        double days = std::min(t.fieldByName(QStringLiteral("V_fmes")).asFloat(), double(weekdaysBetween(from, to)));
        int band1 = 0, band2 = 0;
        for (const SickLeave &leave : sickLeaves(s, e.codeEmp, first.year() * 100 + first.month())) {
            days -= leave.workingDays;
            band1 += std::min(leave.calendarDays, kSickPayFirstBandDays);
            band2 += std::max(0, std::min(leave.calendarDays, kSickPayDays) - kSickPayFirstBandDays);
        }
        days = std::max(days, 0.0);
        t.setValue(QStringLiteral("V_den"), days);
        t.setValue(QStringLiteral("V_hodina"), days * t.fieldByName(QStringLiteral("F_doba")).asFloat());
        t.setValue(QStringLiteral("V_nahrada_pn1"), band1);
        t.setValue(QStringLiteral("V_nahrada_pn2"), band2);
    }
    t.post();
}

void setOpenPeriod(db::Session &s, int year, int month)
{
    s.execute(QStringLiteral("update \":tarix_priv:priv\" set rok = :y, mesiac = :m"),
              {{QStringLiteral("y"), year}, {QStringLiteral("m"), month}});
    MyConsts::adjustParameter28(year * 100 + month);
    if (core::DM().TPRIV_.isActive())
        core::DM().TPRIV_.refresh();
}

// The process-wide state an opening sets (the default session, the statutory parameters,
// the data modules), set for the run and given back as it was, however the run ends.
class OpenDemoFirm {
public:
    OpenDemoFirm(const QString &root, const QString &conninfo)
        : m_session(conninfo.isEmpty() ? std::make_unique<db::Session>()
                                       : std::make_unique<db::Session>(core::serverSessionOptions(
                                             conninfo, core::deriveAppPaths(root, root, QString())))),
          m_previousSession(db::Session::defaultSession()), m_previousParameters(MyConsts::Parametre())
    {
        if (core::hasDM() || payroll::hasDMV())
            throw std::runtime_error("the demo firm's payrolls are made only where no data module exists");
        db::Session &s = *m_session;
        // As an opening points them: the firm (also as the earlier data), the year, this
        // program folder's private folder.
        s.setAlias(QString::fromLatin1(core::kAliasPriv), root + QStringLiteral("PRIVATE"));
        s.setAlias(QString::fromLatin1(core::kAliasData), root + core::firmFolderName(1));
        s.setAlias(QString::fromLatin1(core::kAliasDatx), root + core::firmFolderName(1));
        s.setAlias(QString::fromLatin1(core::kAliasComm), core::yearDataFolder(root, core::kDemoPayrollYear));
        db::Session::setDefaultSession(m_session.get());
        // The statutory parameters of the year, mirrored into a PARAM.INI of no workstation:
        // the installation gets the file at its first opening. The data upgrades of an
        // opening are left to that opening too: the shipped rows need none, and the one they
        // add (the surcharge base, from the workstation's TRX.INI) is no input of these
        // months, which have no surcharge hours.
        ini::IniFile paramIni(m_paramFolder.filePath(QStringLiteral("PARAM.INI")));
        MyConsts::Nacitaj_parametre(s, paramIni);
        core::createDM();
        payroll::createDMV();
    }

    ~OpenDemoFirm()
    {
        if (payroll::hasDMV())
            payroll::destroyDMV();
        if (core::hasDM())
            core::destroyDM();
        MyConsts::Parametre() = m_previousParameters;
        m_session->closeAll();
        db::Session::setDefaultSession(m_previousSession);
    }

    OpenDemoFirm(const OpenDemoFirm &) = delete;
    OpenDemoFirm &operator=(const OpenDemoFirm &) = delete;

    db::Session &session() { return *m_session; }

private:
    QTemporaryDir m_paramFolder;
    std::unique_ptr<db::Session> m_session;
    db::Session *m_previousSession;
    std::array<MyConsts::Parameter, 100> m_previousParameters;
};

} // namespace

void createDemoPayrolls(const QString &programFolder, const QString &conninfo)
{
    const QString root = core::normalizeFolder(programFolder, QDir::currentPath());
    OpenDemoFirm firm(root, conninfo);
    db::Session &s = firm.session();
    const db::SqlResult made = s.run(
        QStringLiteral("select count(*) from \":tarix_data:vyp\" where v_obdobie between :a and :b"),
        {{QStringLiteral("a"), core::kDemoPayrollYear * 100 + core::kDemoPayrollFirstMonth},
         {QStringLiteral("b"), core::kDemoPayrollYear * 100 + core::kDemoPayrollLastMonth}});
    if (made.asInteger(0, 0) != 0)
        throw std::runtime_error("the demo firm has payrolls of its first months already");
    const db::SqlResult open = s.run(QStringLiteral("select rok, mesiac from \":tarix_priv:priv\""));
    const int openYear = int(open.asInteger(0, 0));
    const int openMonth = int(open.asInteger(0, 1));

    payroll::TDMV &dmv = payroll::DMV();
    dmv.TVYP_.open();
    try {
        for (int month = core::kDemoPayrollFirstMonth; month <= core::kDemoPayrollLastMonth; ++month) {
            setOpenPeriod(s, core::kDemoPayrollYear, month);
            const QDate first(core::kDemoPayrollYear, month, 1);
            const QDate last(core::kDemoPayrollYear, month, first.daysInMonth());
            // Nothing is asked per record, and a refusal is an error: the month is stored
            // whole or not at all.
            payroll::BatchScope batch(dmv);
            db::Transaction tx(&s);
            for (const Employee &e : employeesOfMonth(s, first, last))
                postMonth(dmv, s, e, first, last);
            tx.commit();
        }
    } catch (const EMyError &e) {
        setOpenPeriod(s, openYear, openMonth);
        throw std::runtime_error(("the demo firm's payrolls: " + e.text()).toStdString());
    } catch (...) {
        setOpenPeriod(s, openYear, openMonth);
        throw;
    }
    setOpenPeriod(s, openYear, openMonth);
    dmv.TVYP_.close();
}

} // namespace tarix::installation
