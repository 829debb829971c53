// A clerk on the demo installation: the payroll of March 2007 computed for the ten
// employees, then every list of the month started through the parameter dialog, shown,
// written to PDF and to text. The summary list holds each employee's net pay and its SPOLU
// row their sum; the recapitulation's totals are the stored records'.
#include "support/payroll_entry.h"
#include "report_checks.h"

#include "core/dm_main.h"
#include "payroll/dm_v.h"
#include "payroll/ini_settings.h"
#include "platform/report/qt/preview.h"
#include "platform/report/render.h"
#include "reports/dispatcher.h"
#include "reports/forms/f_par_form.h"
#include "reports/lists/zoznamy_vyplat.h"
#include "support/demo_firm_test.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace tarix;
using namespace tarix::reports;

namespace {

test::DemoOptions demoOptions()
{
    test::DemoOptions o;
    o.parameters = true;
    o.centre = 0;
    return o;
}

class DemoLists : public test::DemoFirmTest<> {
protected:
    // The tests make the demo firm's January to March 2007 themselves: the installation without
    // the demo's payrolls.
    DemoLists() : DemoFirmTest(test::kDemo2007WithoutPayrolls, demoOptions()) {}

    void SetUp() override
    {
        DemoFirmTest::SetUp();
        payroll::setSettings(payroll::IniSettings{});
        rpt::setDefaultPreviewHost(&previewHost);
        registered.keep();
        registerPayrollLists();
        demo.setPeriod(2007, 3);
        // The month's payroll of every employee, a full working month each.
        payroll::TDMV dmv;
        dmv.TVYP_.open();
        dmv.TZRV_.open();
        dmv.THSU_.open();
        const db::SqlResult zam = session.run("select code_emp, code_numb from \":tarix_data:zam\" order by code_emp");
        for (int i = 0; i < zam.rowCount(); ++i)
            test::postWholeMonth(dmv, int(zam.asInteger(i, 1)), int(zam.asInteger(i, 0)));
        scripted.clearEvents();
    }
    void TearDown() override
    {
        registered.restore();
        rpt::setDefaultPreviewHost(nullptr);
        payroll::setSettings({});
        DemoFirmTest::TearDown();
    }

    // Starts the report through the dialog as the clerk would: March, sorted by name.
    const rpt::PreparedReport *startFromDialog(const char *kod)
    {
        TMyReportParam p;
        Priprav_parametre_zostavy(p);
        p.Kod_zostavy = QString::fromLatin1(kod);
        const int before = previewHost.shownCount;
        bool sawDialog = false;
        QTimer::singleShot(0, [&] {
            auto *f = qobject_cast<TFParForm *>(QApplication::activeModalWidget());
            sawDialog = f != nullptr;
            if (!f)
                return;
            f->CB_mesiac->setCurrentIndex(2);
            f->CB_abeceda->setChecked(true);
            f->Button1->click();
        });
        ParForm::Zobraz_parametre_zostavy(p);
        EXPECT_TRUE(sawDialog) << kod;
        EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
        return previewHost.shownCount > before ? &previewHost.last : nullptr;
    }

    static QStringList textsNamed(const rpt::PreparedReport &r, const QString &name)
    {
        QStringList out;
        for (const rpt::PreparedPage &page : r.pages)
            for (const rpt::PreparedItem *t : page.texts())
                if (t->name == name)
                    out << t->text();
        return out;
    }

    rpt::CapturingPreviewHost previewHost;
    reports::fixtures::RegisterSnapshot registered;
    QTemporaryDir out;
};

} // namespace

TEST_F(DemoLists, EveryListOfTheMonthPrintsFromTheDialogToPdfAndText)
{
    ASSERT_EQ(session.run("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200703").asInteger(0, 0), 10);
    // Where a person looks at the pages (kept when TARIX_LISTS_PDF names a folder).
    const QString folder = qEnvironmentVariableIsSet("TARIX_LISTS_PDF") ? qEnvironmentVariable("TARIX_LISTS_PDF")
                                                                        : out.path();
    for (const char *kod : {"VL", "VL2", "ZL", "VL3", "ODV2", "ODVZP", "ODVDP"}) {
        SCOPED_TRACE(kod);
        const rpt::PreparedReport *r = startFromDialog(kod);
        ASSERT_NE(r, nullptr);
        // Nobody of the demo is paid in cash or given an advance: those lists have no line.
        if (std::string(kod) == "VL2" || std::string(kod) == "ZL") {
            const char *pole = std::string(kod) == "VL2" ? "vyplata" : "ne_zaloha";
            if (session.run(QStringLiteral("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200703 and %1 > 0")
                                .arg(pole)).asInteger(0, 0) == 0) {
                EXPECT_EQ(r->pageCount(), 0);
                continue;
            }
        }
        ASSERT_GE(r->pageCount(), 1);
        QString error;
        const QString pdf = folder + "/" + kod + ".pdf";
        EXPECT_TRUE(rpt::writePdf(*r, pdf, &error)) << error.toStdString();
        EXPECT_TRUE(rpt::writeText(*r, folder + "/" + kod + ".txt", &error)) << error.toStdString();
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.read(5) == "%PDF-");
    }
}

TEST_F(DemoLists, SummaryListHoldsEachNetPayAndTheirSum)
{
    const rpt::PreparedReport *r = startFromDialog("VL");
    ASSERT_NE(r, nullptr);
    const QString text = rpt::exportText(*r);
    const db::SqlResult v = session.run("select n_netto from \":tarix_data:vyp\" where v_obdobie = 200703");
    double sum = 0;
    for (int i = 0; i < v.rowCount(); ++i) {
        const double netto = v.asFloat(i, 0);
        sum += netto;
        EXPECT_TRUE(text.contains(QString::number(netto, 'f', 2).replace('.', ','))) << netto;
    }
    EXPECT_EQ(textsNamed(*r, "QRExpr_15_2"), QStringList{QString::number(sum, 'f', 2).replace('.', ',')});
    EXPECT_EQ(textsNamed(*r, "QRDB_CALC_MPT").size(), 10);
    EXPECT_EQ(r->pages[0].findText("QRLabel_titul")->text(), "Výplatná listina súhrnná za marec 2007");
}

TEST_F(DemoLists, RecapitulationTotalsAreTheStoredRecords)
{
    const rpt::PreparedReport *r = startFromDialog("VL3");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->pages[0].findText("QRLabel_titul")->text(), "REKAPITULÁCIA MIEZD ZA MAREC 2007");
    const db::SqlResult s = session.run("select sum(n_brutto), sum(n_netto), sum(vyplata), sum(n_poist), "
                                        "sum(d_preddavok) from \":tarix_data:vyp\" where v_obdobie = 200703");
    const struct {
        const char *control;
        int column;
    } cases[] = {{"QRSum_prijem_19", 0}, {"QRSum_vysledok_7", 1}, {"QRSum_zrazky_9", 2}, {"QRSum_poistne_6", 3},
                 {"QRSum_prijem_37", 4}};
    for (const auto &c : cases)
        EXPECT_EQ(textsNamed(*r, c.control), QStringList{QString::number(s.asFloat(0, c.column), 'f', 2).replace('.', ',')})
            << c.control;
}
