#pragma once
// The demo firm (years 2004 to 2007) with the payroll module, no payroll rows, the health
// statements and the insurers' batch routines registered, every preview captured and the
// firm's output folder in the test's installation. Parameter 29 (the degree of reduced
// working capacity that puts a person into group B) is 40.01 as in 2005.
#include "core/dm_main.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/parameters.h"
#include "payroll/dm_vyp.h"
#include "platform/db/session.h"
#include "platform/report/qt/preview.h"
#include "reports/health/zdravotne_vykazy.h"
#include "reports/report_param.h"
#include "support/demo_firm_test.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QVariantMap>
#include <gtest/gtest.h>

namespace tarix::reports::fixtures {

inline test::DemoOptions healthOptions()
{
    test::DemoOptions o;
    o.modules = test::coreModules();
    o.modules.push_back({payroll::createDMV, payroll::destroyDMV});
    return o;
}

class HealthFirm : public test::DemoFirmTest<> {
protected:
    HealthFirm() : DemoFirmTest({true, 2004, 2007}, healthOptions()) {}

    void SetUp() override
    {
        DemoFirmTest::SetUp();
        rpt::setDefaultPreviewHost(&previewHost);
        Registruj_zdravotne_vykazy();
        MyConsts::Parametre(29).Hodnota = 40.01;
        session.execute("delete from \":tarix_data:vyp\"");
        m_paths = core::appPaths();
        core::setAppPaths(core::deriveAppPaths(root(), QString(), QString()));
        MyConsts::setOutputFolder(root() + "vystupy/DATA01/2005/");
        QDir().mkpath(MyConsts::outputFolder());
    }
    void TearDown() override
    {
        MyConsts::setOutputFolder(QString());
        core::setAppPaths(m_paths);
        MyConsts::Parametre(29).Hodnota = 0;
        rpt::setDefaultPreviewHost(nullptr);
        DemoFirmTest::TearDown();
    }

    // The year folder of the session.
    void openYear(int year) { session.setAlias("TARIX_COMM", dir.yearFolder(year)); }

    // One payroll record; the fields the table requires are 0 unless given.
    void insertVyp(int codeEmp, int period, const QVariantMap &values)
    {
        QVariantMap row{{"Code_emp", codeEmp},      {"V_obdobie", period},  {"V_rok", period / 100},
                        {"V_mesiac", period % 100}, {"SID", 1},             {"Fixny_mv_plat", 0},
                        {"F_typ_premii", 0},        {"F_sadzba_premii", 0}, {"F_typ_pripl", 0},
                        {"U_zdrav", 1},             {"U_nemoc", 1},         {"U_dochod", 1},
                        {"U_fondzam", 1},           {"U_zdrav1", 0},        {"U_nemoc1", 0},
                        {"U_dochod1", 0},           {"U_fondzam1", 0},      {"U_zdrav2", 0},
                        {"U_nemoc2", 0},            {"U_dochod2", 0},       {"U_fondzam2", 0},
                        {"F_nd_pocita", 0},         {"KZP", 25},            {"ZPS", 0},
                        {"ZTP", 0}};
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

    static TMyReportParam request(const char *kod, int period)
    {
        TMyReportParam p;
        p.Kod_zostavy = QString::fromLatin1(kod);
        p.Obdobie = period;
        p.Stredisko_od = 1;
        p.Stredisko_do = 99;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        p.Den_textom = QStringLiteral("8.4.2005");
        p.Telefon = QStringLiteral("033/5501235");
        return p;
    }

    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    static QString textOf(const rpt::PreparedPage &page, const QString &name, int occurrence = 0)
    {
        const rpt::PreparedItem *t = page.findText(name, occurrence);
        return t ? t->text() : QStringLiteral("<none>");
    }
    static QStringList textsOf(const rpt::PreparedReport &r, const QString &name)
    {
        QStringList out;
        for (const rpt::PreparedPage &p : r.pages)
            for (int i = 0;; ++i) {
                const rpt::PreparedItem *t = p.findText(name, i);
                if (!t)
                    break;
                out << t->text();
            }
        return out;
    }
    // Every text fits its box, and the box the page.
    static void expectFits(const rpt::PreparedReport &r)
    {
        for (const rpt::PreparedPage &page : r.pages)
            for (const rpt::PreparedItem *t : page.texts()) {
                for (double w : t->lineWidths)
                    EXPECT_LE(w, t->rect.width() + 0.01) << t->name.toStdString() << ": " << t->text().toStdString();
                EXPECT_LE(t->rect.right(), 200.01) << t->name.toStdString();
                EXPECT_LE(t->rect.bottom(), 289.01) << t->name.toStdString();
            }
    }

    rpt::CapturingPreviewHost previewHost;

private:
    core::AppPaths m_paths;
};

} // namespace tarix::reports::fixtures
