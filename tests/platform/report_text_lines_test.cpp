// The plain-text export keeps the lines of the page: texts a few millimetres apart (less
// than a grid row) stay on their own text lines in the page's order, while texts on one
// line of the page (other fonts, a box slightly lower) form one text line.
#include <gtest/gtest.h>
#include "platform/report/layout.h"
#include "platform/report/prepared.h"
#include "platform/report/render.h"

using namespace tarix::rpt;

namespace {

// The text lines with something on them, in order.
QStringList filledLines(const QString &text)
{
    QStringList out;
    for (const QString &l : text.split(QStringLiteral("\r\n")))
        if (!l.isEmpty())
            out << l;
    return out;
}

// One text on the page: left edge and top in millimetres, font size in points.
struct Piece {
    double left;
    double top;
    QString text;
    double pointSize = 7;
    Qt::Alignment alignment = Qt::AlignLeft;
};

QString exportPieces(const std::vector<Piece> &pieces)
{
    ReportForm form;
    form.page = PageSetup{Orientation::Portrait, 0, 0, 0, 0};
    Band *d = form.addBand(BandKind::Detail, 40);
    for (const Piece &p : pieces) {
        ReportLabel *l = d->addLabel(p.left, p.top, 25.4, 3.5, p.text);
        l->font.family = QStringLiteral("Arial Narrow");
        l->font.pointSize = p.pointSize;
        l->alignment = p.alignment;
    }
    return exportText(form.prepare());
}

} // namespace

TEST(ReportTextLines, TextsApartOnThePageStayApartAndInOrder)
{
    // Captions at column 0 and amounts at column 20 (50.8 mm), as on a payslip.
    struct Case {
        const char *what;
        std::vector<Piece> pieces;
        QStringList lines;
    } cases[] = {
        {"two lines 3.5 mm apart within one grid row",
         {{0, 3.0, "Hrubá mzda"}, {50.8, 3.0, "1000,00"}, {0, 6.5, "Daň"}, {50.8, 6.5, "150,00"}},
         {"Hrubá mzda          1000,00", "Daň                 150,00"}},
        {"the lower line drawn first",
         {{0, 6.5, "Daň"}, {50.8, 6.5, "150,00"}, {0, 3.0, "Hrubá mzda"}, {50.8, 3.0, "1000,00"}},
         {"Hrubá mzda          1000,00", "Daň                 150,00"}},
        {"a run of lines 3.5 mm apart",
         {{0, 0, "A"}, {50.8, 0, "1"}, {0, 3.5, "B"}, {50.8, 3.5, "2"}, {0, 7, "C"}, {50.8, 7, "3"},
          {0, 10.5, "D"}, {50.8, 10.5, "4"}, {0, 14, "E"}, {50.8, 14, "5"}},
         {"A                   1", "B                   2", "C                   3", "D                   4",
          "E                   5"}},
        {"a caption and a bold amount in a larger font on one line",
         {{0, 3.0, "K výplate"}, {50.8, 3.0, "8300,00", 9}},
         {"K výplate           8300,00"}},
        {"a box half a millimetre lower still on the same line",
         {{0, 3.0, "Odvody"}, {50.8, 3.5, "740,00"}},
         {"Odvody              740,00"}},
        {"the amount drawn before its caption",
         {{50.8, 3.0, "740,00"}, {0, 3.0, "Odvody"}},
         {"Odvody              740,00"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(filledLines(exportPieces(c.pieces)), c.lines);
    }
}

TEST(ReportTextLines, LinesBelowPushedLinesKeepTheirPlace)
{
    // Three lines 3.5 mm apart take rows 0 to 2; a text far below keeps its own grid row,
    // with the blank rows of the gap before it.
    const QString text = exportPieces({{0, 0, "A"}, {0, 3.5, "B"}, {0, 7, "C"}, {0, 30, "Z"}});
    const QStringList rows = text.split(QStringLiteral("\r\n"));
    const int zRow = int(30 / kTextRowMm);   // a small line's middle stays in the row of its top
    ASSERT_GT(rows.size(), zRow);
    EXPECT_EQ(rows.mid(0, 3), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(rows[zRow].trimmed(), QStringLiteral("Z")) << text.toStdString();
    for (int i = 3; i < zRow; ++i)
        EXPECT_TRUE(rows[i].isEmpty()) << i;
}
