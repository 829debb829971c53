// Expressions, value texts, fonts and element lookup of the report engine.
#include <gtest/gtest.h>
#include "platform/errors.h"
#include "platform/report/expression.h"
#include "platform/report/fonts.h"
#include "platform/report/layout.h"
#include "platform/report/maskformat.h"
#include "platform/report/prepared.h"
#include <QFontInfo>

using namespace tarix::rpt;

namespace {

// Fields of one row: "Q0_.N_brutto" or bare names; a null calculated field.
QVariant testField(const QString &qualifier, const QString &name)
{
    static const QVariantMap q0{{"N_BRUTTO", 1500.5}, {"CALC_ZOBRAZ", 1}, {"CALC_NEDOPLATOK", 12.5},
                                {"ND_INE", QVariant()}, {"MENO", QStringLiteral("Ján")}, {"KOD", 7}};
    if (!qualifier.isEmpty() && qualifier != QLatin1String("Q0_"))
        throw tarix::EMyError(QStringLiteral("unknown source"));
    const QString key = name.toUpper();
    if (!q0.contains(key))
        throw tarix::EMyError(QStringLiteral("unknown field"));
    return q0.value(key);
}

} // namespace

TEST(ReportExpression, EvaluatesFieldsOperatorsAndIf)
{
    struct Case {
        const char *text;
        QVariant expected;
    } cases[] = {
        {"Q0_.N_brutto", 1500.5},
        {"N_brutto + 0.5", 1501.0},
        {"N_brutto - KOD - 0.5", 1493.0},
        {"-KOD + 10", 3.0},
        {"(1 + 2) - (3 - 4)", 4.0},
        {"'Strana ' + KOD", QStringLiteral("Strana 7")},
        {"MENO + ' ' + 'Nový'", QStringLiteral("Ján Nový")},
        {"'it''s'", QStringLiteral("it's")},
        {"KOD = 7", true},
        {"KOD = 8 OR MENO = 'Ján'", true},
        {"KOD = 8 OR MENO = 'Jan'", false},
        {"IF(Q0_.CALC_ZOBRAZ=1,Q0_.CALC_NEDOPLATOK,' ')", 12.5},
        {"IF(Q0_.CALC_ZOBRAZ=0,Q0_.CALC_NEDOPLATOK,' ')", QStringLiteral(" ")},
        {"ND_INE + 1", 1.0},   // a null counts as 0
        {"if(kod=7, 'a', 'b')", QStringLiteral("a")},
    };
    for (const Case &c : cases) {
        Expression e(QString::fromUtf8(c.text));
        EXPECT_EQ(e.evaluate(testField), c.expected) << c.text;
        EXPECT_FALSE(e.hasAggregates()) << c.text;
    }
}

TEST(ReportExpression, SumAndCountAccumulateUntilReset)
{
    double brutto = 100;
    QVariant ine;   // null on the first row
    const FieldResolver fields = [&](const QString &, const QString &name) -> QVariant {
        if (name == QLatin1String("N_brutto"))
            return brutto;
        return ine;
    };
    Expression sum(QStringLiteral("SUM(Q0_.N_brutto + Q0_.Nd_ine)"));
    Expression count(QStringLiteral("COUNT"));
    Expression label(QStringLiteral("'Spolu: ' + SUM(N_brutto)"));
    EXPECT_TRUE(sum.hasAggregates());
    EXPECT_EQ(sum.evaluate(fields), 0.0);
    sum.accumulate(fields);
    count.accumulate(fields);
    label.accumulate(fields);
    brutto = 50.25;
    ine = 1;
    sum.accumulate(fields);
    count.accumulate(fields);
    label.accumulate(fields);
    EXPECT_EQ(sum.evaluate(fields), 151.25);
    EXPECT_EQ(count.evaluate(fields).toLongLong(), 2);
    EXPECT_EQ(label.evaluate(fields), QStringLiteral("Spolu: 150,25"));
    sum.reset();
    EXPECT_EQ(sum.evaluate(fields), 0.0);
}

TEST(ReportExpression, RejectsMalformedTexts)
{
    for (const char *bad : {"", "SUM(", "1 +", "IF(1, 2)", "'open", "a..b", "3 # 4", "(1", "COUNT(1)"}) {
        EXPECT_THROW(Expression(QString::fromUtf8(bad)), tarix::EMyError) << bad;
    }
    EXPECT_THROW(Expression(QStringLiteral("Q9_.X")).evaluate(testField), tarix::EMyError);
}

TEST(ReportMask, DefaultFormatterAndTheHook)
{
    struct Case {
        const char *mask;
        QVariant value;
        const char *expected;
    } cases[] = {
        {"", 1234.5, "1234,5"},
        {"", 10, "10"},
        {"", QVariant(), ""},
        {"", QStringLiteral("text"), "text"},
        {"", QDate(2005, 3, 7), "7.3.2005"},
        {"0.00", 1234.5, "1234,50"},
        {"0.00", -0.001, "0,00"},
        {"0", -150, "-150"},
        {"0.0", 2.25, "2,3"},
        {"### ### ##0.00", 700, "700,00"},
        {"+0.00;-0.00;0.00", 5, "+5,00"},
        {"+0.00;-0.00;0.00", -5, "-5,00"},
        {"### ### ##0 Sk", 1234567, "1 234 567 Sk"},
        {"0.00", QVariant(), ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatValue(QString::fromUtf8(c.mask), c.value), QString::fromUtf8(c.expected)) << c.mask;

    // Data texts and expressions go through the plugged-in formatter.
    setMaskFormatter([](const QString &mask, const QVariant &v) { return mask + QLatin1Char('|') + v.toString(); });
    ReportForm form;
    MemoryDataSource q({{{"X", 5}}});
    form.mainDataSource = &q;
    Band *d = form.addBand(BandKind::Detail, 10);
    d->addDBText(0, 0, 20, 5, &q, QStringLiteral("X"), QStringLiteral("=0="), QStringLiteral("T"));
    d->addExpr(0, 5, 20, 5, QStringLiteral("X + 1"), QStringLiteral("##."), QStringLiteral("E"));
    const PreparedReport r = form.prepare();
    setMaskFormatter(nullptr);
    EXPECT_EQ(r.pages[0].findText("T")->text(), "=0=|5");
    EXPECT_EQ(r.pages[0].findText("E")->text(), "##.|6");
    EXPECT_EQ(formatValue(QStringLiteral("0.00"), 1.0), "1,00");   // the default is back
}

TEST(ReportFonts, LayoutFacesMapToTheInstalledLiberationFaces)
{
    struct Case {
        const char *layout;
        const char *installed;
    } cases[] = {
        {"Arial", "Liberation Sans"},
        {"arial narrow", "Liberation Sans Narrow"},
        {"Arial Black", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Liberation Serif", "Liberation Serif"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(substituteFamily(QString::fromUtf8(c.layout)), QString::fromUtf8(c.installed));
        const QFont f = makeFont(FontSpec{QString::fromUtf8(c.layout), 9});
        // The face is really there (texts sit in fixed boxes: no fallback face may stand in).
        EXPECT_EQ(QFontInfo(f).family(), QString::fromUtf8(c.installed)) << c.layout;
    }
    EXPECT_EQ(makeFont(FontSpec{QStringLiteral("Arial Black"), 9}).weight(), QFont::Black);
    EXPECT_EQ(makeFont(FontSpec{QStringLiteral("Arial"), 9, true}).weight(), QFont::Bold);
}

TEST(ReportFonts, NarrowFaceMeasuresNarrower)
{
    // The measured widths drive wrapping: the same text in Arial Narrow takes fewer lines.
    ReportForm form;
    Band *d = form.addBand(BandKind::Detail, 5);
    const QString text = QStringLiteral("Celk.príjem-zdrav.poist. Základ nemoc.poist. Čiast.základ dane");
    for (const char *face : {"Arial", "Arial Narrow"}) {
        auto *l = d->addLabel(0, 0, 30, 5, text, QString::fromUtf8(face));
        l->font.family = QString::fromUtf8(face);
        l->wordWrap = true;
        l->autoStretch = true;
    }
    const PreparedReport r = form.prepare();
    const PreparedItem *wide = r.pages[0].findText("Arial");
    const PreparedItem *narrow = r.pages[0].findText("Arial Narrow");
    EXPECT_GT(wide->lines.size(), narrow->lines.size());
    EXPECT_EQ(narrow->font.family(), "Liberation Sans Narrow");
}

TEST(ReportModel, ElementsAreFoundByKindTagEnabledAndName)
{
    ReportForm form;
    Band *ph = form.addBand(BandKind::PageHeader, 10, QStringLiteral("PageHeaderBand1"));
    ph->addLabel(0, 0, 10, 5, QStringLiteral("a"), QStringLiteral("QRLabel1"));
    ph->addLabel(0, 0, 10, 5, QStringLiteral("b"), QStringLiteral("QRLAB_doplatky"))->tag = 3;
    ph->addShape(0, 0, 10, 5, ShapeType::Circle, QStringLiteral("QRShape1"))->enabled = false;
    Band *g = form.addGroup(QStringLiteral("code_emp"), 5, 5, QStringLiteral("GroupHeaderBand1"));

    EXPECT_EQ(form.elements().size(), 6u);
    EXPECT_EQ(form.elements(ElementKind::Band).size(), 3u);
    EXPECT_EQ(form.elements(ElementKind::Label).size(), 2u);
    EXPECT_EQ(form.elementsWithTag(3).size(), 1u);
    EXPECT_EQ(form.enabledElements(false).size(), 1u);
    EXPECT_EQ(form.findAs<ReportLabel>(QStringLiteral("qrlab_DOPLATKY"))->caption, "b");
    EXPECT_EQ(form.findAs<ReportShape>(QStringLiteral("QRLabel1")), nullptr);
    EXPECT_EQ(form.find(QStringLiteral("GroupHeaderBand1")), g);
    EXPECT_EQ(g->footer->bandKind(), BandKind::GroupFooter);
    EXPECT_EQ(g->footer->header, g);
    EXPECT_EQ(form.all<ReportControl>().size(), 3u);
    EXPECT_EQ(ph->controls().size(), 3u);
    EXPECT_EQ(ph->controls()[1]->band(), ph);
    // Data texts, expressions and system data are data by default, labels are not.
    EXPECT_TRUE(ReportDBText().dataRole);
    EXPECT_TRUE(ReportExpr().dataRole);
    EXPECT_TRUE(ReportSysData().dataRole);
    EXPECT_FALSE(ReportLabel().dataRole);
}

TEST(ReportModel, MemorySourceKeepsTheLastRowAtItsEnd)
{
    MemoryDataSource q({{{"A", 1}}, {{"A", 2}}});
    q.first();
    EXPECT_FALSE(q.eof());
    q.next();
    q.next();
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.value("a"), 2);   // still the last row
    const QVariant mark = q.bookmark();
    q.first();
    q.gotoBookmark(mark);
    EXPECT_EQ(q.value("A"), 2);
    EXPECT_FALSE(q.eof());
    MemoryDataSource empty;
    empty.first();
    EXPECT_TRUE(empty.eof());
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.value("A").isValid());
}
