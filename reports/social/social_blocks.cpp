// The blocks the social-insurance forms share: a caption over a framed value, an empty
// box filled in by hand, a section heading, and the line of one fund (its abbreviation and
// name, the employee's share, the employer's share and the insured employees).
#include "reports/social/social_blocks.h"

#include "reports/dataset_source.h"

#include "platform/db/query.h"
#include "platform/db/session.h"
#include "core/helpers/text_utils.h"
#include "platform/report/layout.h"

namespace tarix::reports::social {

using namespace Qt::Literals::StringLiterals;
using rpt::BlockUse;
using rpt::label;

// A caption over a framed value of the firm header, at (x, y), w wide.
BlockUse Pole(const QString &popis, const QString &pole, double x, double y, double w)
{
    return {.block = u"pole"_s, .place = {x, y, w, 0}, .args = {{u"popis"_s, popis}, {u"pole"_s, pole}}};
}

// A caption over an empty frame (filled in by hand).
BlockUse blank(const QString &meno, const QString &popis, double x, double y, double w)
{
    return {.block = u"prazdne"_s, .place = {x, y, w, 0}, .args = {{u"meno"_s, meno}, {u"popis"_s, popis}}};
}

BlockUse sectionRow(const QString &meno, const QString &text, double y)
{
    return {.block = u"sekcia"_s, .place = {0, y, kSirka, 0}, .args = {{u"meno"_s, meno}, {u"text"_s, text}}};
}

BlockUse fundRow(const QString &k, const QString &kod, const QString &popis, bool zamestnanec)
{
    BlockUse b{.block = u"fond"_s, .args = {{u"k"_s, k}, {u"kod"_s, kod}, {u"popis"_s, popis}}};
    if (!zamestnanec) {
        // Funds the employer alone pays: the employee's box is crossed out.
        b.patches.push_back({.name = u"LO_"_s + k, .text = u"x x x x"_s, .alignment = Qt::AlignHCenter, .tag = 0});
        b.patches.push_back({.name = u"QRL_SkO_"_s + k, .remove = true});
    }
    return b;
}

static rpt::BlockLibrary makeLibrary()
{
    rpt::BlockLibrary k;
    constexpr unsigned kRoztiahnute = rpt::kAnchorLeft | rpt::kAnchorRight | rpt::kAnchorTop;
    k.blocks = {
        {.name = u"pole"_s,
         .width = 40,
         .height = 9,
         .items = {
             label(u"QRL_{pole}"_s, {0, 0, 40, 3}, u"{popis}"_s, kArial6).anchored(kRoztiahnute),
             rpt::rectangle(u"QRS_{pole}"_s, {0, 3, 40, 6}).anchored(kRoztiahnute),
             rpt::dbText(u"QRDB_{pole}"_s, {1, 3.8, 38, 4.5}, u"{pole}"_s, kArial9).anchored(kRoztiahnute),
         }},
        {.name = u"prazdne"_s,
         .width = 40,
         .height = 9,
         .items = {
             label(u"QRL_{meno}"_s, {0, 0, 40, 3}, u"{popis}"_s, kArial6).anchored(kRoztiahnute),
             rpt::rectangle(u"QRS_{meno}"_s, {0, 3, 40, 6}).anchored(kRoztiahnute),
         }},
        {.name = u"sekcia"_s,
         .width = kSirka,
         .height = 5,
         .items = {
             rpt::rectangle(u"QRS_{meno}"_s, {0, 0, kSirka, 5}).anchored(kRoztiahnute),
             label(u"QRL_{meno}"_s, {1, 0.6, 150, 4}, u"{text}"_s, kArial8b),
         }},
        // One fund: its abbreviation and name, then the employee's share, the employer's
        // share and the number of insured employees, each under its caption.
        {.name = u"fond"_s,
         .width = kSirka,
         .height = kRiadokFondu,
         .items = {
             rpt::rectangle(u"QRS_{k}"_s, {0, 0, kSirka, kRiadokFondu}),
             label(u"QRL_{k}"_s, {1, 0.8, 20, 4}, u"{kod}"_s, kArial9b),
             label(u"QRL_{k}_popis"_s, {1, 5.2, 66, 4}, u"{popis}"_s, kArial6),
             rpt::verticalLine(u"QRS_{k}_1"_s, {68, 0, 0, kRiadokFondu}),
             label(u"QRL_O_{k}"_s, {69, 0.5, 40, 3}, u"{kod} - zamestnanec"_s, kArial6),
             label(u"LO_{k}"_s, {69, 4.5, 33, 4.5}, {}, kArial9, Qt::AlignRight),
             label(u"QRL_SkO_{k}"_s, {103, 4.5, 6, 4.5}, u"Sk"_s, kArial7),
             rpt::verticalLine(u"QRS_{k}_2"_s, {110, 0, 0, kRiadokFondu}),
             label(u"QRL_Z_{k}"_s, {111, 0.5, 40, 3}, u"{kod} - zamestnávateľ"_s, kArial6),
             label(u"LZ_{k}"_s, {111, 4.5, 33, 4.5}, {}, kArial9, Qt::AlignRight),
             label(u"QRL_SkZ_{k}"_s, {145, 4.5, 6, 4.5}, u"Sk"_s, kArial7),
             rpt::verticalLine(u"QRS_{k}_3"_s, {152, 0, 0, kRiadokFondu}),
             label(u"QRL_P_{k}"_s, {153, 0.5, 36, 3}, u"Poč. zam. pre {kod}"_s, kArial6),
             label(u"LP_{k}"_s, {153, 4.5, 34, 4.5}, {}, kArial9, Qt::AlignRight),
         }},
        // One benefit of sickness insurance: employees, days, cases and the amount paid.
        {.name = u"davka"_s,
         .width = kSirka,
         .height = 6,
         .items = {
             rpt::rectangle(u"QRS_D_{k}"_s, {0, 0, kSirka, 6}),
             label(u"QRL_D_{k}"_s, {1, 1, 60, 4}, u"{text}"_s, kArial8),
             rpt::verticalLine(u"QRS_D_{k}_1"_s, {62, 0, 0, 6}),
             label(u"LPZ_{k}"_s, {63, 1, 28, 4}, {}, kArial9, Qt::AlignRight),
             rpt::verticalLine(u"QRS_D_{k}_2"_s, {94, 0, 0, 6}),
             label(u"LPD_{k}"_s, {95, 1, 28, 4}, {}, kArial9, Qt::AlignRight),
             rpt::verticalLine(u"QRS_D_{k}_3"_s, {126, 0, 0, 6}),
             label(u"LPP_{k}"_s, {127, 1, 28, 4}, {}, kArial9, Qt::AlignRight),
             rpt::verticalLine(u"QRS_D_{k}_4"_s, {158, 0, 0, 6}),
             label(u"LVY_{k}"_s, {159, 1, 24, 4}, {}, kArial9, Qt::AlignRight),
             label(u"QRL_D_Sk_{k}"_s, {184, 1, 5, 4}, u"Sk"_s, kArial7),
         }},
    };
    // Labels the set-up fills carry tag 1.
    for (rpt::Block &b : k.blocks)
        if (b.name == u"fond" || b.name == u"davka")
            for (rpt::LayoutItem &i : b.items)
                if (auto *c = std::get_if<rpt::ControlDesc>(&i); c && c->name.startsWith(u"L"))
                    c->tag = 1;
    return k;
}

const rpt::BlockLibrary &socialBlocks()
{
    static const rpt::BlockLibrary k = makeLibrary();
    return k;
}

QString Text_obdobia(int obdobie)
{
    const QString o = QString::number(obdobie);
    return QStringLiteral("za mesiac  ") + o.mid(4, 2) + QStringLiteral(" / ") + o.left(4);
}

QString firmAccountNumber(const db::DataSet &inf)
{
    const auto t = [&](const char *pole) { return inf.fieldByName(QString::fromLatin1(pole)).asString().trimmed(); };
    return MyConsts::Spoj_s_pomlckou(t("PREDCISLO_U"), t("CISLO_U")) + QStringLiteral(" / ") + t("BANKA_U");
}

void markFilledLabels(rpt::ReportForm &form)
{
    for (rpt::ReportLabel *l : form.all<rpt::ReportLabel>())
        if (l->tag != 0)
            l->dataRole = true;
}

void markStatementKind(rpt::ReportForm &form, QChar kind, const QString &regularBox, const QString &correctiveBox)
{
    const bool corrective = kind == u'O';
    if (auto *l = form.findAs<rpt::ReportLabel>(regularBox))
        l->caption = corrective ? QString() : QStringLiteral("X");
    if (auto *l = form.findAs<rpt::ReportLabel>(correctiveBox))
        l->caption = corrective ? QStringLiteral("X") : QString();
}

} // namespace tarix::reports::social
