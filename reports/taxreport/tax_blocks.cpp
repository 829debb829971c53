// The rows of the tax office's forms: a frame round the row, the row's number, its caption
// wrapped in the middle and the value box (one, or one per month of the quarter) at the right.
#include "reports/taxreport/tax_blocks.h"

#include "platform/errors.h"
#include "platform/format/format.h"
#include "platform/report/layout.h"

namespace tarix::reports::tax_blocks {

using namespace Qt::Literals::StringLiterals;
using rpt::label;

namespace {

constexpr unsigned kVsetky = rpt::kAnchorLeft | rpt::kAnchorRight | rpt::kAnchorTop | rpt::kAnchorBottom;
constexpr unsigned kVyska = rpt::kAnchorLeft | rpt::kAnchorTop | rpt::kAnchorBottom;
constexpr double kCaption = 112; // where the value boxes begin

rpt::BlockLibrary makeLibrary()
{
    rpt::BlockLibrary k;
    k.blocks = {
        {.name = u"riadok"_s,
         .width = kSirka,
         .height = 9,
         .items = {
             rpt::rectangle(u"QRS_{k}"_s, {0, 0, kSirka, 9}).anchored(kVsetky),
             label(u"QRL_{k}_cislo"_s, {1, 2.2, 9, 4.5}, u"{cislo}"_s, kArial8b, Qt::AlignHCenter),
             rpt::verticalLine(u"QRS_{k}_1"_s, {11, 0, 0, 9}).anchored(kVyska),
             Popis(u"QRL_{k}"_s, {12, 0.6, 138, 8}, u"{popis}"_s, kArial7).anchored(kVyska),
             rpt::verticalLine(u"QRS_{k}_2"_s, {151, 0, 0, 9}).anchored(kVyska),
             filledLabel(u"{k}"_s, {152, 2.2, 36, 4.5}, kArial9, Qt::AlignRight),
         }},
        {.name = u"riadok3"_s,
         .width = kSirka,
         .height = 9,
         .items = {
             rpt::rectangle(u"QRS_{k}"_s, {0, 0, kSirka, 9}).anchored(kVsetky),
             label(u"QRL_{k}_cislo"_s, {1, 2.2, 9, 4.5}, u"{cislo}"_s, kArial8b, Qt::AlignHCenter),
             rpt::verticalLine(u"QRS_{k}_1"_s, {11, 0, 0, 9}).anchored(kVyska),
             Popis(u"QRL_{k}"_s, {12, 0.6, 99, 8}, u"{popis}"_s, kArial6).anchored(kVyska),
             rpt::verticalLine(u"QRS_{k}_2"_s, {kCaption, 0, 0, 9}).anchored(kVyska),
             filledLabel(u"{k}_A"_s, {kCaption + 1, 2.2, 24, 4.5}, kArial9, Qt::AlignRight),
             rpt::verticalLine(u"QRS_{k}_3"_s, {kCaption + 26, 0, 0, 9}).anchored(kVyska),
             filledLabel(u"{k}_B"_s, {kCaption + 27, 2.2, 24, 4.5}, kArial9, Qt::AlignRight),
             rpt::verticalLine(u"QRS_{k}_4"_s, {kCaption + 52, 0, 0, 9}).anchored(kVyska),
             filledLabel(u"{k}_C"_s, {kCaption + 53, 2.2, 24, 4.5}, kArial9, Qt::AlignRight),
         }},
        {.name = u"nadpis"_s,
         .width = kSirka,
         .height = 6,
         .items = {
             rpt::rectangle(u"QRS_{k}"_s, {0, 0, kSirka, 6}).anchored(kVsetky),
             label(u"QRL_{k}"_s, {1, 0.8, 150, 4.5}, u"{text}"_s, kArial9b),
         }},
    };
    return k;
}

} // namespace

rpt::ControlDesc Popis(const QString &meno, rpt::Box box, const QString &text, const rpt::FontSpec &font)
{
    rpt::ControlDesc c = label(meno, box, text, font);
    c.wordWrap = true;
    return c;
}

rpt::BlockUse Riadok(const QString &meno, const QString &cislo, const QString &popis, double h)
{
    return {.block = u"riadok"_s,
            .place = {0, 0, 0, h},
            .args = {{u"k"_s, meno}, {u"cislo"_s, cislo}, {u"popis"_s, popis}}};
}

rpt::BlockUse Riadok3(const QString &meno, const QString &cislo, const QString &popis, double h)
{
    return {.block = u"riadok3"_s,
            .place = {0, 0, 0, h},
            .args = {{u"k"_s, meno}, {u"cislo"_s, cislo}, {u"popis"_s, popis}}};
}

rpt::BlockUse titleHeading(const QString &meno, const QString &text, double y)
{
    return {.block = u"nadpis"_s, .place = {0, y, kSirka, 0}, .args = {{u"k"_s, meno}, {u"text"_s, text}}};
}

const rpt::BlockLibrary &taxBlocks()
{
    static const rpt::BlockLibrary k = makeLibrary();
    return k;
}

void markFilledLabels(rpt::ReportForm &form)
{
    for (rpt::ReportLabel *l : form.all<rpt::ReportLabel>())
        if (l->tag != 0)
            l->dataRole = true;
}

void setBlock(rpt::ReportForm &form, const QString &meno, const QString &text)
{
    auto *l = form.findAs<rpt::ReportLabel>(meno);
    if (!l)
        throw EMyError(QStringLiteral("Formulár nemá pole %1.").arg(meno));
    l->caption = text;
}

QString sumLabel(double v) { return fmt::general(v); }

} // namespace tarix::reports::tax_blocks
