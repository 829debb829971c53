#include "reports/social/rexspv.h"

#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/report/description.h"
#include "reports/social/social_blocks.h"

namespace tarix::reports {

namespace REXSPV {

namespace {

const char kQ_davky[] = "select sid, n_pn, n_ocr, nd_materska, nd_rodic, nd_pridavky, nd_ine, nd_spolu "
                        "from \":tarix_data:vyp\" where v_obdobie=:p1 and sid between :p2 and :p3";

} // namespace

Sumy Sucty_vykazu(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    Sumy s;
    s.poistne = REXSP::Sucty_vykazu(session, obdobie, sidOd, sidDo);
    const db::SqlResult r = session.run(QString::fromLatin1(kQ_davky), {{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}});
    for (int i = 0; i < r.rowCount(); ++i) {
        const qint64 sid = db::variantToInteger(r.value(i, 0));
        if (sid < 1 || sid > 99)
            throw EMyError(QStringLiteral("Výplata v stredisku %1: výkaz sčíta len strediská 1 až 99.").arg(sid));
        for (int d = 0; d < kPocetDavok; ++d)
            s.davky[size_t(sid)][size_t(d)] += r.asFloat(i, d + 1);
    }
    for (size_t riadok = 1; riadok <= 99; ++riadok)
        for (int d = 0; d < kPocetDavok; ++d)
            s.davky[0][size_t(d)] += s.davky[riadok][size_t(d)];
    return s;
}

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace social;
using rpt::label;

// The labels of the benefits: their names, the captions printed beside them.
struct RiadokDavky {
    const char16_t *meno;
    const char16_t *text;
};
constexpr RiadokDavky kRiadky[kPocetDavok] = {
    {u"D_PN", u"Nemocenské"},
    {u"D_OCR", u"Podpora pri ošetrovaní člena rodiny"},
    {u"D_MATERSKA", u"Peňažná pomoc v materstve"},
    {u"D_RODIC", u"Rodičovský príspevok"},
    {u"D_PRIDAVKY", u"Prídavky na deti"},
    {u"D_INE", u"Ostatné dávky"},
    {u"D_SPOLU", u"Dávky spolu"},
};

} // namespace

rpt::LayoutDesc layoutSPV()
{
    rpt::LayoutDesc l = REXSP::layoutSP();
    l.name = u"TReportSPV"_s;
    l.title = u"Mesačný výkaz poistného a dávok"_s;
    for (auto &band : l.bands)
        if (auto *b = std::get_if<rpt::BandDesc>(&band))
            for (rpt::LayoutItem &i : b->items)
                if (auto *c = std::get_if<rpt::ControlDesc>(&i); c && c->name == u"QRL_nadpis")
                    c->text = l.title;

    std::vector<rpt::LayoutItem> davky{
        rpt::rectangle(u"QRS_D_hlava"_s, {0, 2, kSirka, 6}),
        label(u"QRL_D_hlava"_s, {2, 3, 120, 4}, u"Dávky vyplatené zamestnávateľom"_s, kArial8b),
        label(u"QRL_D_sk"_s, {150, 3, 38, 4}, u"Sk"_s, kArial8b, Qt::AlignRight),
    };
    double y = 8;
    for (const RiadokDavky &r : kRiadky) {
        const QString meno = QString::fromUtf16(r.meno);
        const bool spolu = meno == u"D_SPOLU";
        davky.push_back(rpt::rectangle(u"QRS_"_s + meno, {0, y, kSirka, 6}));
        davky.push_back(label(u"QRL_"_s + meno, {2, y + 1, 140, 4}, QString::fromUtf16(r.text), spolu ? kArial9b : kArial8));
        rpt::ControlDesc hodnota = label(u"L"_s + meno, {150, y + 1, 38, 4}, {}, spolu ? kArial9b : kArial9, Qt::AlignRight);
        hodnota.tag = 1;
        davky.push_back(hodnota);
        y += 6;
    }
    // After the premium table, before the signatures.
    const auto zaTabulkou = std::find_if(l.bands.begin(), l.bands.end(), [](const auto &band) {
        const auto *b = std::get_if<rpt::BandDesc>(&band);
        return b && b->kind == rpt::BandKind::Summary;
    });
    l.bands.insert(zaTabulkou, rpt::BandDesc{.kind = rpt::BandKind::Child, .name = u"ChildBand1"_s, .height = y + 4,
                                             .items = std::move(davky), .master = u"DetailBand1"_s});
    return l;
}

} // namespace REXSPV

TReportSPV::TReportSPV() : TReportSP(REXSPV::layoutSPV()) {}

TReportSPV::~TReportSPV() = default;

void TReportSPV::Otvor_data()
{
    TReportSP::Otvor_data();
    SumySPV = REXSPV::Sucty_vykazu(Q1_.session(), Param.Obdobie, Param.Stredisko_od, Param.Stredisko_do);
    for (int d = 0; d < REXSPV::kPocetDavok; ++d)
        if (auto *l = findAs<rpt::ReportLabel>(QStringLiteral("L") + QString::fromUtf16(REXSPV::kRiadky[d].meno)))
            l->caption = REXSP::sumLabel(SumySPV.davky[0][size_t(d)]);
}

} // namespace tarix::reports
