// The grid's drawing rules: gradient fills as pixels on an image, the colour presets as the
// colours they name, desktop colours, the title-height rule over its kinds and additions,
// the footer text, band spans and the check-box column's states.
#include "components/grid/ex_db_column.h"
#include "components/grid/grid_draw.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace tarix::grid;

namespace {

QImage filled(int w, int h, TExGradientDirection dir, QColor start = QColor(0, 0, 0), QColor end = QColor(255, 255, 255))
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(1, 2, 3));
    QPainter p(&img);
    gradientFill(p, img.rect(), start, 255, dir, end);
    return img;
}

// The distinct colours down the first column, each with the number of rows it covers.
QVector<std::pair<QRgb, int>> runs(const QImage &img, bool vertical = true)
{
    QVector<std::pair<QRgb, int>> out;
    const int n = vertical ? img.height() : img.width();
    for (int i = 0; i < n; ++i) {
        const QRgb c = vertical ? img.pixel(0, i) : img.pixel(i, 0);
        if (!out.isEmpty() && out.back().first == c)
            ++out.back().second;
        else
            out.append({c, 1});
    }
    return out;
}

TEST(GridGradient, BandsFollowTheExtent)
{
    // 10 pixels, 255 steps: ten one-pixel bands from start to end, band 2 rounded (57, not 56)
    const QImage ten = filled(4, 10, fdTopToBottom);
    const auto r10 = runs(ten);
    ASSERT_EQ(r10.size(), 10);
    EXPECT_EQ(qRed(r10.front().first), 0);
    EXPECT_EQ(qRed(r10.back().first), 255);
    EXPECT_EQ(qRed(ten.pixel(0, 2)), 57);
    for (const auto &run : r10)
        EXPECT_EQ(run.second, 1);

    // 600 pixels: 255 two-pixel bands and 90 pixels of the end colour
    const QImage tall = filled(2, 600, fdTopToBottom);
    const auto r600 = runs(tall);
    ASSERT_EQ(r600.size(), 255);
    for (int i = 0; i < 254; ++i)
        EXPECT_EQ(r600[i].second, 2) << i;
    EXPECT_EQ(r600.back().second, 2 + 90);
    EXPECT_EQ(QColor(tall.pixel(0, 599)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(tall.pixel(0, 510)), QColor(255, 255, 255));

    // the reverse directions run from the end colour
    const QImage up = filled(4, 10, fdBottomToTop, QColor(10, 20, 30), QColor(200, 100, 50));
    EXPECT_EQ(QColor(up.pixel(0, 0)), QColor(200, 100, 50));
    EXPECT_EQ(QColor(up.pixel(0, 9)), QColor(10, 20, 30));
    const QImage left = filled(10, 3, fdRightToLeft, QColor(10, 20, 30), QColor(200, 100, 50));
    EXPECT_EQ(QColor(left.pixel(0, 0)), QColor(200, 100, 50));
    EXPECT_EQ(QColor(left.pixel(9, 2)), QColor(10, 20, 30));
    EXPECT_EQ(runs(left, false).size(), 10);

    // fdNone draws nothing; fewer than 2 steps fill with the start colour
    const QImage none = filled(5, 5, fdNone);
    EXPECT_EQ(QColor(none.pixel(2, 2)), QColor(1, 2, 3));
    QImage one(5, 5, QImage::Format_RGB32);
    one.fill(Qt::black);
    QPainter p(&one);
    gradientFill(p, one.rect(), QColor(9, 8, 7), 1, fdLeftToRight, Qt::white);
    p.end();
    EXPECT_EQ(QColor(one.pixel(4, 4)), QColor(9, 8, 7));

    EXPECT_EQ(mulDiv(2, 255, 9), 57);
    EXPECT_EQ(mulDiv(1, -3, 2), -2);
}

TEST(GridColours, PresetsAndDesktopColours)
{
    // stored blue-green-red, shown as the same colour
    EXPECT_EQ(toQColor(0x00ACE3E3), QColor(227, 227, 172));
    EXPECT_EQ(toQColor(0x00C5EAEB), QColor(235, 234, 197));
    EXPECT_EQ(fromQColor(QColor(227, 227, 172)), 0x00ACE3E3);
    struct Case {
        TExGridStyleKind kind;
        TColor odd, even;
    };
    for (const Case &c : {Case{gsSoftWheat, 0x00ACE3E3, 0x00C5EAEB}, Case{gsBrick, 0x00CFDFDF, 0x00A0BFBF},
                          Case{gsSoftGray, 0x00E4E4E4, 0x00F5F5F5}, Case{gsPriceList, cl3DLight, clWindow},
                          Case{gsMSMoney, 0x00FFFBF0, clWindow}}) {
        SCOPED_TRACE(int(c.kind));
        const auto preset = stylePreset(c.kind);
        ASSERT_TRUE(preset.has_value());
        EXPECT_EQ(preset->odd, c.odd);
        EXPECT_EQ(preset->even, c.even);
    }
    EXPECT_FALSE(stylePreset(gsNormal).has_value());
    EXPECT_FALSE(stylePreset(gsCustom).has_value());
    EXPECT_EQ(int(gsSoftGray), 23);

    // desktop colours are negative and follow the palette
    EXPECT_LT(clBtnFace, 0);
    QPalette pal;
    pal.setColor(QPalette::Base, QColor(1, 2, 3));
    pal.setColor(QPalette::ToolTipBase, QColor(4, 5, 6));
    EXPECT_EQ(toQColor(clWindow, pal), QColor(1, 2, 3));
    EXPECT_EQ(toQColor(clInfoBk, pal), QColor(4, 5, 6));
}

TEST(GridTitleHeight, KindsAndWhatIsAdded)
{
    struct Case {
        const char *name;
        TTitleHeightKind kind;
        bool rowLines, buttons, bandRow, filterBar;
        std::optional<int> expected;
    };
    // letter 13 x 2 lines = 26; pixels 24; auto: the tallest caption, 30; default row 19
    auto base = [](TTitleHeightKind k) { return k == hkLineCount ? 26 : k == hkPixelCount ? 24 : 30; };
    const std::vector<Case> cases = {
        {"lines, row lines", hkLineCount, true, false, false, false, 26 + 3 + 2},
        {"pixels, no row lines", hkPixelCount, false, false, false, false, 24 + 2 + 2},
        {"auto with buttons", hkAuto, true, true, false, false, 30 + 3 + 2 + 2},
        {"pixels with the band row", hkPixelCount, true, false, true, false, 24 + 3 + 19 + 2},
        {"pixels with the filter bar", hkPixelCount, true, false, false, true, 24 + 3 + 19 + 2},
        {"everything", hkAuto, false, true, true, true, 30 + 2 + 2 + 19 + 19 + 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TitleHeightInput in;
        in.rule.kind = c.kind;
        in.rule.lineCount = 2;
        in.rule.pixelCount = 24;
        in.letterHeight = 13;
        in.tallestCaption = base(c.kind);
        in.rowLines = c.rowLines;
        in.titleButtons = c.buttons;
        in.bandRow = c.bandRow;
        in.defaultRowHeight = 19;
        in.filterBar = c.filterBar;
        EXPECT_EQ(titleRowHeight(in), c.expected);
    }
    TitleHeightInput zero;
    zero.rule.kind = hkPixelCount;
    zero.rule.pixelCount = 0;
    zero.filterBar = true;
    EXPECT_FALSE(titleRowHeight(zero).has_value()) << "a rule giving 0 keeps the row's height";
    EXPECT_EQ(titleLines("Dátum|od"), "Dátum\nod");
}

TEST(GridFooter, TextTakesTheValueAtTheFirstPercent)
{
    struct Case {
        QVariant value;
        QString footerText;
        QString expected;
    };
    for (const Case &c : {Case{1234.5, "Spolu: % EUR", "Spolu: 1234.5 EUR"}, Case{7, "", "7"},
                          Case{7, "bez znaku", "7"}, Case{7, "% z % riadkov", "7 z % riadkov"},
                          Case{QVariant(), "", ""}, Case{QVariant(), "Spolu: %", "Spolu: "}}) {
        SCOPED_TRACE(c.footerText.toStdString());
        EXPECT_EQ(footerCellText(c.value, c.footerText), c.expected);
    }
}

TEST(GridBands, NeighboursShareABandCell)
{
    // bands "A" and "B": columns 0 and 1 in band 0, column 2 in band 1, 3 in none, 4 and 5
    // in band 0 again up to the last column, 6 with an index past the list
    const QVector<int> idx = {0, 0, 1, -1, 0, 0};
    using Span = std::optional<std::pair<int, int>>;
    EXPECT_EQ(bandSpan(idx, 2, 0), Span(std::make_pair(0, 1)));
    EXPECT_EQ(bandSpan(idx, 2, 1), Span(std::make_pair(0, 1)));
    EXPECT_EQ(bandSpan(idx, 2, 2), Span(std::make_pair(2, 2)));
    EXPECT_EQ(bandSpan(idx, 2, 3), Span());
    EXPECT_EQ(bandSpan(idx, 2, 5), Span(std::make_pair(4, 5))) << "a run at the end still spans its columns";
    EXPECT_EQ(bandSpan({0, 2}, 2, 1), Span()) << "BandIndex equal to the number of bands draws no band";
}

TEST(GridCheckboxColumn, StatesAndToggleGoByTheValueLists)
{
    struct Case {
        const char *name;
        QVariant value;
        QString text;
        CheckState expected;
    };
    const QString checked = "A;Áno;1", unchecked = "N;Nie;0";
    for (const Case &c : {Case{"first checked item", "A", "A", CheckState::Ticked},
                          Case{"another checked item, other case", "áno", "áno", CheckState::Ticked},
                          Case{"unchecked item", "n", "n", CheckState::Unticked},
                          Case{"neither: grey, never a failure", "X", "X", CheckState::Grey},
                          Case{"null", QVariant(), "", CheckState::Grey},
                          Case{"a logical value outside the lists", true, "Pravda", CheckState::Ticked}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(checkboxColumnState(checked, unchecked, c.value, c.text), c.expected);
    }
    EXPECT_EQ(checkboxColumnToggle(checked, unchecked, "áNO"), "N");
    EXPECT_EQ(checkboxColumnToggle(checked, unchecked, "n"), "A");
    EXPECT_EQ(checkboxColumnToggle(checked, unchecked, ""), "A");
}

} // namespace
