#pragma once
// A small firm whose April 2007 holds one of each case the reports must add up: the demo
// installation (years 2004 to 2008) opened in April 2007 with the year's parameters, and the
// month's payrolls of the ten demo employees made by the payroll module as the clerk makes
// them on the payroll screen. The inputs are what a clerk types; every figure of a payroll,
// a deduction or a settlement comes out of the program's own calculation:
//  - an advance (Hudák), a cash payee (Šťastná, nothing to an account);
//  - an employer-paid sick benefit with its absence row (Čierny, 2.4. to 13.4.);
//  - piece-work (Chudý, from the code list's price), a holiday (Sýkorová);
//  - a percentage deduction (Zeman: the execution of 20 % of net pay, from the demo firm);
//  - a health-settlement result of each sign posted into the month (Hudák and Šťastná);
//  - a change row of the insurers' 601 batch (Zeman);
//  - the annual tax settlement of a high earner (Kováč) and of an ordinary employee
//    (Hudák), computed for each year whose form has a layout of its own.
// Older periods get April's computed rows under their own period (copyMonth), so that a
// report of a period before the installation's years has data to print.
#include "report_checks.h"

#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "payroll/dm_v.h"
#include "payroll/ini_settings.h"
#include "platform/ini/ini_file.h"
#include "platform/report/qt/preview.h"
#include "platform/shell/launcher.h"
#include "reports/payslips/report_payslip.h"
#include "reports/report_param.h"
#include "support/demo_firm_test.h"

#include <QDate>
#include <QRegularExpression>
#include <QVariantMap>
#include <cmath>

#include <gtest/gtest.h>

namespace tarix::reports::fixtures {

// The clerk of a walk over every report: every question answered "Yes", as a clerk who
// wants each report run to its end, and the offer to open a written file declined (both
// kept).
class AgreeingClerk : public ui::ScriptedUserInterface {
public:
    bool askYesNo(const QString &question) override
    {
        asked << question;
        return true;
    }
    QString chooseOpenFile(const ui::FileDialogRequest &request, int * = nullptr) override
    {
        asked << request.caption;
        return {};
    }
    QStringList asked;
};

class EveryCaseFirm : public test::DemoFirmTest<AgreeingClerk>, public ReportChecks, public ReportFiles {
protected:
    static constexpr int kPeriod = 200704;
    // The employees of the cases (Code_emp; Code_numb is 100 more).
    static constexpr int kAdvance = 1;         // Hudák: advance, health settlement to pay out
    static constexpr int kCash = 2;            // Šťastná: paid in cash, health settlement to collect
    static constexpr int kSick = 3;            // Čierny
    static constexpr int kPieceWork = 4;       // Chudý
    static constexpr int kHoliday = 9;         // Sýkorová
    static constexpr int kPercentage = 10;     // Zeman
    static constexpr int kHighEarner = 8;      // Kováč
    static constexpr int kOrdinary = 1;        // Hudák
    // The years whose settlement form has a layout of its own (2000, 2001, 2002-2003, 2004,
    // from 2005), and 2007 pre-filled from the year's payrolls.
    static constexpr int kSettlementYears[] = {2000, 2001, 2003, 2004, 2005, 2007};

    EveryCaseFirm() : DemoFirmTest({true, 2004, 2008}, options()) {}

    void SetUp() override
    {
        DemoFirmTest::SetUp();
        rpt::setDefaultPreviewHost(&previewHost);
        registered.keep();
        output.set(root(), 2007);
        // The protocols a run offers for viewing are noted, not opened.
        ShellUtils::setStartHook([this](const QString &program, const QStringList &arguments, const QString &) {
            started << (QStringList(program) << arguments).join(u' ');
            return true;
        });
        payroll::setSettings(payroll::IniSettings{});
        payroll::createDMV();
        payroll::TDMV &dmv = payroll::DMV();
        for (db::Table *t : {&dmv.TVYP_, &dmv.TZRV_, &dmv.THSU_, &dmv.TRZP_})
            if (!t->isActive())
                t->open();
        // Whatever the demo firm ships for its months, the fixture's month is its own.
        session.execute("delete from \":tarix_data:vyp\" where v_obdobie >= 200704");
        typeInputs();
        makeMonth();
        postHealthSettlements();
        makeSettlements();
        makeHealthBasis();
        makeBenefitMonth();
        ASSERT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
        ASSERT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty())
            << scripted.messages(ui::MessageKind::Error).join('\n').toStdString();
        scripted.clearEvents();
    }
    void TearDown() override
    {
        payroll::destroyDMV();
        payroll::setSettings({});
        ShellUtils::setStartHook({});
        output.reset();
        registered.restore();
        rpt::setDefaultPreviewHost(nullptr);
        DemoFirmTest::TearDown();
    }

    // The rows of the fixture's month copied under another period (payrolls, their
    // deductions and piece-work items), for the reports of periods the installation has no
    // parameters of.
    // An employee who already has a payroll of that period keeps it.
    void copyMonth(int period)
    {
        if (period == kPeriod)
            return;
        QStringList missing;
        const db::SqlResult who = session.run(
            QStringLiteral("select code_emp from \":tarix_data:vyp\" where v_obdobie = %1 and code_emp not in "
                           "(select code_emp from \":tarix_data:vyp\" where v_obdobie = %2)")
                .arg(kPeriod)
                .arg(period));
        for (int i = 0; i < who.rowCount(); ++i)
            missing << QString::number(who.asInteger(i, 0));
        if (missing.isEmpty())
            return;
        for (const char *table : {"vyp", "zrv", "hsu"}) {
            const QString t = QString::fromLatin1(table);
            const db::SqlResult cols = session.run(QStringLiteral("pragma table_info(%1)").arg(t), {}, "TARIX_DATA");
            QStringList names, values;
            for (int i = 0; i < cols.rowCount(); ++i) {
                const QString name = cols.value(i, 1).toString();
                const bool autoKey = (t == u"zrv" && name.compare(u"zrid", Qt::CaseInsensitive) == 0)
                                     || (t == u"hsu" && name.compare(u"hsuid", Qt::CaseInsensitive) == 0);
                if (autoKey)
                    continue;
                names << name;
                if (name.compare(u"v_obdobie", Qt::CaseInsensitive) == 0)
                    values << QString::number(period);
                else if (name.compare(u"v_rok", Qt::CaseInsensitive) == 0)
                    values << QString::number(period / 100);
                else if (name.compare(u"v_mesiac", Qt::CaseInsensitive) == 0)
                    values << QString::number(period % 100);
                else
                    values << name;
            }
            session.execute(QStringLiteral("insert into \":tarix_data:%1\" (%2) select %3 from \":tarix_data:%1\" "
                                           "where v_obdobie = %4 and code_emp in (%5)")
                                .arg(t, names.join(','), values.join(','))
                                .arg(kPeriod)
                                .arg(missing.join(',')));
        }
    }

    // The request a report dialog hands on for `code` and `period` (the open firm's defaults).
    static TMyReportParam request(const QString &code, int period)
    {
        TMyReportParam p;
        Priprav_parametre_zostavy(p);
        p.Kod_zostavy = code;
        p.Obdobie = p.Obdobie_od = p.Obdobie_do = period;
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        p.Den_textom = QStringLiteral("10.5.2007");
        p.Telefon = QStringLiteral("033/5501235");
        p.Miesto = QStringLiteral("Trnava");
        return p;
    }

    // Runs a request through the dispatcher; the report previewed, or null.
    const rpt::PreparedReport *run(const TMyReportParam &p) { return runThroughDispatcher(previewHost, p); }

    // A printed amount read back: thousands separators, a sign of its own ("+ 1200 Sk") and
    // a unit dropped, a decimal comma read as a point. NaN for a text that is no amount.
    static double amountOf(QString text)
    {
        text.remove(QRegularExpression(QStringLiteral("[\\s\\x{00a0}]|Sk")));
        text.replace(u',', u'.');
        if (text.startsWith(u'+'))
            text.remove(0, 1);
        bool ok = false;
        const double v = text.toDouble(&ok);
        return ok ? v : std::nan("");
    }
    // The sum of the amounts printed under a control's name through the report.
    static double sumOf(const rpt::PreparedReport &r, const QString &name)
    {
        double sum = 0;
        for (const QString &t : textsOf(r, name))
            if (const double v = amountOf(t); !std::isnan(v))
                sum += v;
        return sum;
    }

    // The contract of a kind (its PID), 0 when there is none.
    int contractOfKind(int kind)
    {
        return count(QStringLiteral("select coalesce(min(pid), 0) from \":tarix_data:ppv\" where typ = %1").arg(kind));
    }

    int count(const QString &sql) { return int(session.run(sql).asInteger(0, 0)); }
    double value(const QString &sql) { return session.run(sql).asFloat(0, 0); }

    rpt::CapturingPreviewHost previewHost;
    RegisterSnapshot registered;
    OutputFolder output;
    QStringList started; // the outside programs a run started

private:
    static test::DemoOptions options()
    {
        test::DemoOptions o;
        o.year = 2007;
        o.month = 4;
        o.upgrades = true;
        o.parameters = true;
        o.modules = test::coreModules();
        return o;
    }

    // What the clerk keeps on the cards and code lists before the month is computed.
    void typeInputs()
    {
        // Paid in cash: the whole net pay, nothing to an account.
        session.execute("update \":tarix_data:zam\" set spor_plat = 0, sporenie = 0 where code_emp = :e",
                        {{"e", kCash}});
        // The piece-work price list and the employee's own price of one task.
        session.execute("insert into \":tarix_data:cis_uk\" (ukid, popis, hodnota) values (1, 'murovanie m2', 95), "
                        "(2, 'omietka m2', 42.5)");
        session.execute("insert into \":tarix_data:zam_uk\" (code_numb, code_emp, ukid, hodnota) values "
                        "(:n, :e, 1, 110)",
                        {{"n", kPieceWork + 100}, {"e", kPieceWork}});
        // The sick leave's absence row.
        session.execute("insert into \":tarix_data:nep\" (code_emp, datum_od, datum_do, typ, typrl, typrl2, "
                        "v_obdobie, prac_dni, dovod) values (:e, '2007-04-02', '2007-04-13', 1, '10', 1, :p, 9, "
                        "'angína')",
                        {{"e", kSick}, {"p", kPeriod}});
        // A change of the insured person for the insurers' 601 batch.
        session.execute("insert into \":tarix_data:davka601\" (code_emp, kod_zmeny, platnost_zmeny, datum_zmeny, "
                        "v_rok, v_mesiac, kzp) select code_emp, 'Z', 'A', '2007-04-16', 2007, 4, kzp "
                        "from \":tarix_data:zam\" where code_emp = :e",
                        {{"e", kPercentage}});
        // A contract of every kind that prints (the demo firm has kinds 0, 1 and 14).
        for (const int kind : {2, 10, 11, 12, 13})
            session.execute("insert into \":tarix_data:ppv\" (code_emp, nastup, vystup, typ, r1, r2, r3, r4, miesto, "
                            "datum) values (:e, '2007-04-01', '2007-12-31', :k, 'Druh práce: murár', "
                            "'Miesto výkonu práce: Trnava', 'Rozsah: 10 hodín týždenne', 'Odmena: 120 Sk za hodinu', "
                            "'Trnava', '2007-03-28')",
                            {{"e", kPieceWork}, {"k", kind}});
        // The insurers' results of the 2006 health settlement, one to pay out, one to collect.
        session.execute("insert into \":tarix_data:zp_univ\" (code_emp, v_rok, typ, rok, x1, x3) values "
                        "(:a, 2007, 'VV', 2006, -1234, 30500), (:b, 2007, 'VV', 2006, 300, 21000)",
                        {{"a", kAdvance}, {"b", kCash}});
    }

    // The month's payrolls of every employee, typed and posted on the payroll screen.
    void makeMonth()
    {
        payroll::TDMV &dmv = payroll::DMV();
        const db::SqlResult emps =
            session.run("select code_emp, code_numb from \":tarix_data:zam\" order by code_emp");
        for (int i = 0; i < emps.rowCount(); ++i) {
            const int emp = int(emps.asInteger(i, 0));
            dmv.setEmployee(int(emps.asInteger(i, 1)), emp);
            db::Table &t = dmv.TVYP_;
            t.insert();
            const double fund = t.fieldByName("V_fmes").asFloat();
            const double hours = t.fieldByName("F_doba").asFloat();
            double days = fund;
            if (emp == kSick) {
                // 2.4. to 13.4.: 9 working days (Easter Monday is a holiday), the first
                // three of them at the employer's 25 %, the rest at 55 %.
                days = fund - 9;
                t.setValue("V_pn1", 3);
                t.setValue("V_pn2", 6);
                t.setValue("V_nahrada_pn1", 3);
                t.setValue("V_nahrada_pn2", 6);
            } else if (emp == kHoliday) {
                days = fund - 3;
                t.setValue("V_holiday", 3);
            } else if (emp == 7) {
                // The work-performance agreement: the reward only.
                days = 0;
                t.setValue("N_dohody_ovp", 4000);
            }
            if (emp == kAdvance)
                t.setValue("Ne_zaloha", 3000);
            t.setValue("V_den", days);
            t.setValue("V_hodina", days * hours);
            t.post();
            if (emp == kPieceWork) {
                t.edit();
                for (const auto &[task, pieces] : {std::pair{1, 40.0}, std::pair{2, 55.5}}) {
                    dmv.THSU_.insert();
                    dmv.THSU_.setValue("UKID", task);
                    dmv.THSU_.setValue("Pocet", pieces);
                    dmv.THSU_.post();
                }
                t.post();
            }
        }
    }

    // The health settlement's results into the month, as the clerk posts them from the menu.
    void postHealthSettlements()
    {
        payroll::DMV().Zauctovanie_preplatkov_zp();
        EXPECT_EQ(scripted.asked.size(), 2) << scripted.asked.join('\n').toStdString();
        scripted.asked.clear();
    }

    // December 2004, when the employer paid out the insurer's sickness benefits: Čierny's
    // payroll with nine days of sickness benefit, computed by the rules of 2004.
    void makeBenefitMonth()
    {
        const auto openYearOf = [&](int year, int month) {
            openYear(year);
            ini::IniFile paramIni(root() + QStringLiteral("PARAM.INI"));
            MyConsts::Nacitaj_parametre(session, paramIni);
            demo.setPeriod(year, month);
        };
        openYearOf(2004, 12);
        session.execute("update \":tarix_data:inf\" set f_nd_pocita = 1");
        if (core::DM().TINF_.isActive())
            core::DM().TINF_.refresh();
        payroll::TDMV &dmv = payroll::DMV();
        dmv.setEmployee(kSick + 100, kSick);
        db::Table &t = dmv.TVYP_;
        t.insert();
        const double days = t.fieldByName("V_fmes").asFloat() - 9;
        t.setValue("V_pn1", 3);
        t.setValue("V_pn2", 6);
        t.setValue("V_den", days);
        t.setValue("V_hodina", days * t.fieldByName("F_doba").asFloat());
        t.post();
        session.execute("update \":tarix_data:inf\" set f_nd_pocita = 0");
        if (core::DM().TINF_.isActive())
            core::DM().TINF_.refresh();
        openYearOf(2007, 4);
    }

    // The health settlement of 2006: the clerk's requests of both employees with a result,
    // and the basis of the certificate computed from the year's payrolls (April's rows kept
    // under each month of 2006) on the employee card.
    void makeHealthBasis()
    {
        for (int month = 1; month <= 12; ++month)
            copyMonth(200600 + month);
        for (const int emp : {kAdvance, kCash})
            session.execute("insert into \":tarix_data:zp_znec\" (code_emp, v_rok, rok, kzp, typ_zuctovania, "
                            "datum_ziadosti, zamnec_od, zamnec_do) select code_emp, 2007, 2006, kzp, 1, '2007-03-20', "
                            "nastup, vystup from \":tarix_data:zam\" where code_emp = :e",
                            {{"e", emp}});
        core::TDMZ &dmz = core::DMZ();
        if (!dmz.TZAM_.isActive())
            dmz.TZAM_.open();
        ASSERT_TRUE(dmz.TZAM_.locate("Code_emp", {kAdvance}));
        dmz.Vypocet_podkladov_zp();
        scripted.asked.clear();
    }

    // The settlements: each year's form from its own computation; 2007 pre-filled from
    // the year's payrolls, the high earner's year income above the threshold that reduces
    // his non-taxable amount. The years before the open one are made first, as a second
    // settlement of the open year is refused.
    void makeSettlements()
    {
        payroll::TDMV &dmv = payroll::DMV();
        db::Table &t = dmv.TRZP_;
        struct Person {
            int codeEmp;
            double income, insurance, advances, partner;
        };
        const Person people[] = {{kOrdinary, 420000, 52000, 58000, 0}, {kHighEarner, 660000, 78000, 175000, 40000}};
        for (const Person &who : people) {
            for (const int year : kSettlementYears) {
                if (year < 2002)
                    continue; // below: the program computes no settlement before 2002
                dmv.setEmployee(who.codeEmp + 100, who.codeEmp);
                t.insert();
                t.setValue("V_rok", year);
                if (year != 2007) {
                    t.setValue("Uhrn_brutto", who.income);
                    t.setValue("Poistne", who.insurance);
                    t.setValue("Preddavky1", who.advances);
                    t.setValue("DDP", 0.0);
                    t.setValue("D_bonus_narok", 0.0);
                    t.setValue("D_bonus_cerpany", 0.0);
                    // The full non-taxable amount of the year, as the clerk types it.
                    t.setValue("Nc_minimum", year < 2004 ? 38760.0 : year == 2004 ? 80832.0 : 90816.0);
                    if (year >= 2004)
                        t.setValue("D_bonus_narok", who.codeEmp == kOrdinary ? 12000.0 : 0.0);
                } else {
                    // April's payroll is one month of the year: the year's income as typed,
                    // and the full non-taxable amount, which the high earner's income reduces.
                    t.setValue("Uhrn_brutto", who.income);
                    t.setValue("Preddavky1", who.advances);
                    t.setValue("Nc_minimum", 95616.0);
                }
                t.setValue("Nc_partner", who.partner);
                dmv.Vypocet_rocneho_zuctovania();
                t.post();
            }
        }
        // The forms of 2000 and 2001 print settlements kept from those years; the program
        // computes none before 2002, so they are the 2003 computation kept under each year.
        for (const int year : {2000, 2001})
            session.execute(QStringLiteral("insert into \":tarix_data:rzp\" select * from \":tarix_data:rzp\" "
                                           "where v_rok = 2003")
                                .replace(QStringLiteral("select *"), QStringLiteral("select %1").arg(rzpColumns(year))));
    }

    // The settlement table's columns for a copy under another year.
    QString rzpColumns(int year)
    {
        const db::SqlResult cols = session.run(QStringLiteral("pragma table_info(rzp)"), {}, "TARIX_DATA");
        QStringList out;
        for (int i = 0; i < cols.rowCount(); ++i) {
            const QString name = cols.value(i, 1).toString();
            out << (name.compare(u"v_rok", Qt::CaseInsensitive) == 0 ? QString::number(year) : name);
        }
        return out.join(u',');
    }
};

} // namespace tarix::reports::fixtures
