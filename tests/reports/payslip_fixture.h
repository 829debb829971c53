#pragma once
// A fresh copy of the demo installation with the years 2004 to 2007 for each test (the firm
// opened in January 2007, without payroll rows), payroll rows written by the tests, the
// payslip routines registered and every preview captured.
#include "core/dm_main.h"
#include "core/helpers/parameters.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/report/qt/preview.h"
#include "reports/payslips/vyplatna_paska.h"
#include "reports/report_param.h"
#include "support/demo_firm_test.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>
#include <gtest/gtest.h>

namespace tarix::reports::fixtures {

class PayslipFirm : public test::DemoFirmTest<> {
protected:
    PayslipFirm() : DemoFirmTest({true, 2004, 2007}, test::DemoOptions{}) {}

    void SetUp() override
    {
        DemoFirmTest::SetUp();
        rpt::setDefaultPreviewHost(&previewHost);
        Registruj_vyplatne_pasky();
        MyConsts::Parametre(12).Hodnota = 0;
        session.execute("delete from \":tarix_data:vyp\"");
    }
    void TearDown() override
    {
        MyConsts::Parametre(12).Hodnota = 0;
        payroll::setNastavenia({});
        rpt::setDefaultPreviewHost(nullptr);
        DemoFirmTest::TearDown();
    }

    // The year folder of the session (the open period stays).
    void openYear(int year) { session.setAlias("TARIX_COMM", dir.yearFolder(year)); }

    // One payroll record; the fields the table requires are 0 unless given.
    void insertVyp(int codeEmp, int period, const QVariantMap &values)
    {
        QVariantMap row{{"Code_emp", codeEmp},      {"V_obdobie", period},    {"V_rok", period / 100},
                        {"V_mesiac", period % 100}, {"SID", 1},               {"Fixny_mv_plat", 0},
                        {"F_typ_premii", 0},        {"F_sadzba_premii", 0},   {"F_typ_pripl", 0},
                        {"U_zdrav", 1},             {"U_nemoc", 1},           {"U_dochod", 1},
                        {"U_fondzam", 1},           {"U_zdrav1", 0},          {"U_nemoc1", 0},
                        {"U_dochod1", 0},           {"U_fondzam1", 0},        {"U_zdrav2", 0},
                        {"U_nemoc2", 0},            {"U_dochod2", 0},         {"U_fondzam2", 0},
                        {"F_nd_pocita", 0}};
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            for (auto r = row.begin(); r != row.end(); ++r)
                if (r.key().compare(it.key(), Qt::CaseInsensitive) == 0) {
                    row.erase(r);
                    break;
                }
            row.insert(it.key(), it.value());
        }
        QStringList names, marks;
        db::Params params;
        int i = 0;
        for (auto it = row.cbegin(); it != row.cend(); ++it, ++i) {
            names << it.key();
            marks << QStringLiteral(":v%1").arg(i);
            params.set(QStringLiteral("v%1").arg(i), it.value());
        }
        session.execute(QStringLiteral("insert into \":tarix_data:vyp\" (%1) values (%2)")
                            .arg(names.join(','), marks.join(',')),
                        params);
    }

    void setOdstup(int value)
    {
        session.execute("update \":tarix_data:inf\" set f_odstup=:p1", {{"p1", value}});
        if (core::DM().TINF_.isActive())
            core::DM().TINF_.refresh();
    }

    static TMyReportParam request(int period)
    {
        TMyReportParam p;
        p.Kod_zostavy = QStringLiteral("VP");
        p.Obdobie = period;
        p.Text_firmy = QStringLiteral("Demo s.r.o.");
        return p;
    }

public:
    // Every text of a page, in the order drawn.
    static QStringList pageTexts(const rpt::PreparedPage &page)
    {
        QStringList out;
        for (const rpt::PreparedItem *t : page.texts())
            out << t->text();
        return out;
    }
    static QString textOf(const rpt::PreparedPage &page, const QString &name, int occurrence = 0)
    {
        const rpt::PreparedItem *t = page.findText(name, occurrence);
        return t ? t->text() : QStringLiteral("<none>");
    }

protected:
    rpt::CapturingPreviewHost previewHost;
};

} // namespace tarix::reports::fixtures
