// The measurer keeps the widths it has measured per font, and the engine reuses them for
// every row. A kept width must belong to its own font: the same text in another size, in
// bold or in another face measures anew, and a paragraph wrapped for one box width wraps
// again for another.
#include <gtest/gtest.h>
#include "platform/report/text_measurer.h"

#include <QFontMetricsF>
#include <QImage>

using namespace tarix::rpt;

namespace {

FontSpec spec(const char *family, double size, bool bold = false)
{
    FontSpec s;
    s.family = QString::fromLatin1(family);
    s.pointSize = size;
    s.bold = bold;
    return s;
}

// The width a fresh measurement gives, without any cache, mm.
double freshWidth(const FontSpec &s, const QString &text)
{
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    const int dpm = qRound(600 / 0.0254);
    device.setDotsPerMeterX(dpm);
    device.setDotsPerMeterY(dpm);
    return QFontMetricsF(makeFont(s), &device).horizontalAdvance(text) * 25.4 / 600;
}

TEST(ReportTextCache, EachFontKeepsItsOwnWidths)
{
    const std::vector<FontSpec> fonts = {spec("Arial", 10), spec("Arial", 10, true), spec("Arial", 7),
                                         spec("Arial Narrow", 10), spec("Courier New", 10)};
    const QStringList texts = {QStringLiteral("Novák Ján"), QStringLiteral("12 345,67"), QStringLiteral("SPOLU"),
                               QStringLiteral("Žilinský Ľubomír")};
    TextMeasurer m;
    // Twice round, interleaving the fonts: the second round reads what the first kept.
    for (int round = 0; round < 2; ++round)
        for (const QString &text : texts)
            for (const FontSpec &f : fonts)
                EXPECT_DOUBLE_EQ(m.font(f).width(text), freshWidth(f, text))
                    << f.family.toStdString() << ' ' << f.pointSize << (f.bold ? " bold " : " ") << text.toStdString()
                    << " round " << round;
    // The fonts really differ, so a mixed-up cache would have shown above.
    EXPECT_NE(freshWidth(fonts[0], texts[0]), freshWidth(fonts[1], texts[0]));
    EXPECT_NE(freshWidth(fonts[0], texts[0]), freshWidth(fonts[2], texts[0]));
    for (const FontSpec &f : fonts)
        EXPECT_EQ(m.font(f).cachedWidths(), texts.size());
}

TEST(ReportTextCache, EqualSpecsShareOneFontOtherSpecsDoNot)
{
    TextMeasurer m;
    const MeasuredFont &a = m.font(spec("Arial", 10));
    EXPECT_EQ(&m.font(spec("Arial", 10)), &a);
    EXPECT_NE(&m.font(spec("Arial", 10, true)), &a);
    EXPECT_NE(&m.font(spec("Arial", 10.5)), &a);
    FontSpec italic = spec("Arial", 10);
    italic.italic = true;
    EXPECT_NE(&m.font(italic), &a);
    // Fonts added later leave the earlier references valid.
    for (int size = 5; size < 40; ++size)
        m.font(spec("Times New Roman", size));
    EXPECT_EQ(&m.font(spec("Arial", 10)), &a);
    EXPECT_EQ(a.font().weight(), QFont::Normal);
}

TEST(ReportTextCache, WrappingFollowsTheBoxWidth)
{
    const QString para = QStringLiteral("Výplatná listina súhrnná za marec 2007 pre celú firmu");
    TextMeasurer m;
    const MeasuredFont &f = m.font(spec("Arial", 10));
    const double full = f.width(para);
    struct Case {
        double width;
        int minLines;
    };
    const std::vector<Case> cases = {{full + 1, 1}, {full / 2, 2}, {full / 4, 4}, {full + 1, 1}, {full / 2, 2}};
    for (const Case &c : cases) {
        const QStringList lines = f.wrap(para, c.width);
        // Measured against a fresh measurer: the same lines, each within the box.
        TextMeasurer fresh;
        EXPECT_EQ(lines, fresh.font(spec("Arial", 10)).wrap(para, c.width)) << c.width;
        EXPECT_GE(lines.size(), c.minLines) << c.width;
        if (c.minLines == 1) {
            EXPECT_EQ(lines, QStringList{para});
        }
        for (const QString &line : lines)
            EXPECT_LE(freshWidth(spec("Arial", 10), line), c.width + 1e-6) << line.toStdString();
        EXPECT_EQ(lines.join(QLatin1Char(' ')), para) << c.width;
    }
}

} // namespace
