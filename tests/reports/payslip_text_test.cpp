// The text export of a payslip reads like the paper: every caption stands on the line of its
// own amount, right before it, although the payslip's lines are only 3.5 mm apart.
#include "payslip_fixture.h"

#include "platform/report/render.h"
#include "reports/payslips/report_payslip.h"
#include "reports/report.h"

#include <QRegularExpression>

using namespace tarix;
using namespace tarix::reports;
using fixtures::PayslipFirm;

TEST_F(PayslipFirm, TextExportPutsEachAmountOnTheLineOfItsCaption)
{
    openYear(2007);
    insertVyp(1, 200703,
              {{"MV_plat", 21000},         {"Pouz_auto", 310.5},          {"N_premie", 1111.11},
               {"N_odmeny", 2222.22},      {"N_clenovia_organov", 333.33}, {"N_pohotovost", 444.44},
               {"N_mimo_poistne", 555.55}, {"N_poist", 2977.8},            {"N_brutto", 24662.65},
               {"N_netto", 18765.43},      {"Vyplata", 17654.32}});
    Spusti_zostavu(request(200703), [] { return std::unique_ptr<TReport>(std::make_unique<TReportVP2005A>()); });
    ASSERT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
    ASSERT_EQ(previewHost.shownCount, 1);
    const QString text = rpt::exportText(previewHost.last);
    const QStringList lines = text.split(QStringLiteral("\r\n"));

    // Each column's captions top to bottom: their text lines follow one another in that order.
    struct Case {
        int column;
        const char *caption;
        const char *amount;
    } cases[] = {
        {1, "Doh. mesačná mzda", "21000,00"},
        {1, "Zvýš.dane/použ.auta", "310,50"},
        {2, "Prémie", "1111,11"},
        {2, "Odmeny", "2222,22"},
        {2, "Odm.členov št.orgánov", "333,33"},
        {2, "Náhr. za prac.pohot.", "444,44"},
        {2, "Príjmy mimo poistného", "555,55"},
        {2, "Poistné spolu", "2977,80"},
        {3, "Úhrn príjmov", "24662,65"},
        {3, "Čistý príjem", "18765,43"},
        {3, "K výplate", "17654,32"},
    };
    int previousColumn = 0;
    int previousLine = -1;
    for (const Case &c : cases) {
        const QString caption = QString::fromUtf8(c.caption);
        SCOPED_TRACE(c.caption);
        QList<int> found;
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].contains(caption))
                found << i;
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        const QRegularExpression ownAmount(QRegularExpression::escape(caption) + QStringLiteral(" +")
                                          + QRegularExpression::escape(QString::fromUtf8(c.amount))
                                          + QStringLiteral("( |$)"));
        EXPECT_TRUE(ownAmount.match(lines[found[0]]).hasMatch())
            << "line: " << lines[found[0]].toStdString() << "\n" << text.toStdString();
        if (c.column == previousColumn) {
            EXPECT_GT(found[0], previousLine) << "out of the page's order";
        }
        previousColumn = c.column;
        previousLine = found[0];
    }
}
