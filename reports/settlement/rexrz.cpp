#include "reports/settlement/rexrz.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using settlement::RzForm;
using settlement::RzFooter;

rpt::LayoutDesc TReportRZ::reportLayout()
{
    RzForm f{
        .nazov = u"TReportRZ"_s,
        .titul = u"Ročné zúčtovanie preddavkov na daň"_s,
        .nadpis = {u"Ročné zúčtovanie preddavkov na daň"_s, u"z príjmov zo závislej činnosti"_s,
                   u"a funkčných požitkov za rok"_s},
        .menoPopis = u"Meno a priezvisko daňovníka:"_s,
        .riadky =
            {
                {u"1"_s, u"a) čiastkový základ dane u platiteľa, ktorý vykonáva zúčtovanie"_s, u"Ciastzd1"_s},
                {{}, u"b] súčet čiastkových základov dane od ďalších platiteľov vyplývajúci z pripojených potvrdení"_s,
                 u"Ciastzd2"_s},
                {{}, u"Spolu"_s, u"Ciastzd_spolu"_s},
                {{},
                 u"Nezdaniteľné časti (§ 15 ods.1 a ods.8 zákona č.286/92 Zb. o daniach z príjmov v znení neskorších "
                 u"predpisov)"_s,
                 {}, {}, 2},
                {u"2"_s, u"a) základná nezdaniteľná časť"_s, u"Nc_minimum"_s},
                {u"3"_s, u"b) na vyživované deti"_s, u"Nc_deti"_s},
                {u"4"_s, u"c) na manželku (manžela)"_s, u"Nc_partner"_s},
                {u"5"_s, u"d) na čiastočnú invaliditu"_s, u"Nc_invalid_ciast"_s},
                {u"6"_s, u"e) na úplnu invaliditu (ZŤP-S)"_s, u"Nc_invalid_ztp"_s},
                {u"7"_s, u"f) hodnota darov venovaných obciam a právnickým osobám na vymedzené účely"_s, u"Nc_dary"_s},
                {u"8"_s, u"Nezdaniteľné časti základu dane spolu (riadok 2 až 7)"_s, u"Nc_spolu"_s},
                {u"9"_s, u"Zdaniteľná mzda: základ dane znížený o nezdaniteľné časti (riadok 1 mínus riadok 8)"_s,
                 u"Zdanmzda"_s},
                {u"10"_s, u"Zdaniteľná mzda zaokrúhlená na celé stovky Sk nadol (z riadku 9)"_s, u"Zdanmzda_round"_s},
                {u"11"_s, u"Daň vypočítaná ročnou sadzbou dane"_s, u"Dan"_s},
                {u"12"_s, u"Úhrn zrazených preddavkov na daň od všetkých platiteľov"_s, u"Uhrn_preddavkov"_s},
                {u"13"_s,
                 u"Preplatok (označený +) ak je suma v riadku 12 vyššia ako v riadku 11\n"
                 u"Nedoplatok (označený -) ak je suma v riadku 12 nižšia ako v riadku 11"_s,
                 u"CALC_PREPLATOK"_s, {}, 2},
            },
        .pata = RzFooter::Vykonal,
    };
    return settlement::rzLayout(f);
}

TReportRZ::TReportRZ() : SettlementReport(u"0 Sk"_s)
{
    assemble(reportLayout());
}

TReportRZ::~TReportRZ() = default;

} // namespace tarix::reports
