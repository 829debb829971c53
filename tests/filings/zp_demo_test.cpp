// As a clerk would: on the demo firm in March 2007, "ZPTXT" started from the report
// parameter dialog (offscreen) writes one folder per insurer of the demo employees, each
// with the month's 514 file listing that insurer's employees.
#include "reports/health_fixture.h"

#include "core/helpers/messages.h"
#include "filings/rex_zp_txt.h"
#include "reports/dispatcher.h"
#include "reports/forms/f_par_form.h"
#include "reports/launchers.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

using namespace tarix;
using namespace tarix::reports;
using fixtures::HealthFirm;

namespace {

class ZpDemo : public HealthFirm {};

} // namespace

TEST_F(ZpDemo, BatchThroughTheParameterDialogGivesAFolderPerInsurer)
{
    filings::RexZpTxt::registerHealthBatches();
    demo.setPeriod(2007, 3);
    MyConsts::setOutputFolder(root() + "vystupy/DATA01/2007/");
    QDir().mkpath(MyConsts::outputFolder());
    // Each demo employee's payroll of March with the insurer and insurance of his card.
    const db::SqlResult zam = session.run("select code_emp, kzp, sid, u_zdrav from \":tarix_data:zam\" order by code_emp");
    QMap<int, int> perInsurer;
    for (int i = 0; i < zam.rowCount(); ++i) {
        const int kzp = int(zam.asInteger(i, 1));
        insertVyp(int(zam.asInteger(i, 0)), 200703,
                  {{"KZP", kzp}, {"SID", zam.asInteger(i, 2)}, {"U_zdrav", zam.asInteger(i, 3)},
                   {"N_zaklad_zp", 20000 + i}, {"N_prijem_zp", 20000 + i}, {"O_zdravot", 800}, {"Oz_zdravot", 2000},
                   {"F_zdravot", 4}, {"Fz_zdravot", 10}, {"V_kal_dni", 31}});
        if (kzp != 0 && zam.asInteger(i, 3) > 0)
            ++perInsurer[kzp];
    }
    ASSERT_EQ(perInsurer.keys(), (QList<int>{21, 24, 25}));

    TMyReportParam p;
    Priprav_parametre_zostavy(p);
    p.Kod_zostavy = QStringLiteral("ZPTXT");
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto *f = qobject_cast<TFParForm *>(QApplication::activeModalWidget());
        sawDialog = f != nullptr;
        if (f)
            f->Button1->click();
    });
    ParForm::Zobraz_parametre_zostavy(p);
    EXPECT_TRUE(sawDialog);
    QString folder = MyConsts::outputFolder();
    folder.chop(1);
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65093, QStringLiteral("N514200703.001"), folder)});
    EXPECT_EQ(QDir(MyConsts::outputFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"ZP21", "ZP24", "ZP25"}));
    for (auto it = perInsurer.cbegin(); it != perInsurer.cend(); ++it) {
        QFile f(MyConsts::outputFolder() + QStringLiteral("ZP%1/N514200703.001").arg(it.key()));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << it.key();
        const QList<QByteArray> lines = f.readAll().split('\n');
        // Three header lines, a line per employee, and nothing after the last CR LF.
        EXPECT_EQ(lines.size(), 3 + it.value() + 1) << it.key();
        EXPECT_TRUE(lines[0].startsWith("N|514|36214582|36214582|" + QByteArray::number(it.key()) + "00|"));
    }
}

TEST_F(ZpDemo, EveryHealthMenuItemReachesItsRoutine)
{
    filings::RexZpTxt::registerHealthBatches();
    LauncherState stav;
    stav.obdobie = 200703;
    for (const char *id : {"tlac_zp_rtf", "tlac_zp2005pr", "tlac_zptxt", "tlac_zp601", "tlac_zp05ozvy", "tlac_zp05ozpr"}) {
        SCOPED_TRACE(id);
        const ReportLauncher *s = reportLauncher(QString::fromLatin1(id));
        ASSERT_TRUE(s);
        TMyReportParam defaults;
        Priprav_parametre_zostavy(defaults);
        const std::optional<TMyReportParam> p = launcherRequest(*s, stav, defaults);
        ASSERT_TRUE(p.has_value());
        const ReportChoice volba = chooseReport(p->Kod_zostavy, p->Obdobie, [] { return 0; });
        ASSERT_EQ(volba.documentKind, ReportChoice::ReportKind::Zostava);
        EXPECT_NE(reportRegister().findReport(volba.nazov), nullptr) << volba.nazov.toStdString();
    }
    // The RTF statement's item is written for one insurer: the dialog must offer the choice.
    TMyReportParam defaults;
    EXPECT_TRUE(launcherRequest(*reportLauncher("tlac_zp_rtf"), stav, defaults)->Vyber_zp);
}
