#include "reports/settlement/rexrz4.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using settlement::RzForm;
using settlement::RzFooter;

rpt::LayoutDesc TReportRZ4::reportLayout()
{
    RzForm f{
        .nazov = u"TReportRZ4"_s,
        .titul = u"Ročné zúčtovanie preddavkov na daň"_s,
        .nadpis = {u"ROČNÉ  ZÚČTOVANIE  PREDDAVKOV  NA  DAŇ"_s,
                   u"Z PRÍJMOV FYZICKÝCH OSÔB ZO ZÁVISLEJ ČINNOSTI A Z FUNKČNÝCH"_s, u"POŽITKOV ZA ROK"_s},
        .zakon = u"podľa zákona č. 366/1999 Z. z. o daniach z príjmov v znení neskorších predpisov (ďalej len "
                 u"\"zákon\")"_s,
        .menoPopis = u"Meno a priezvisko daňovníka:"_s,
        .riadky =
            {
                {u"00"_s,
                 u"Úhrn  zúčtovaných  a  vyplatených  príjmov  zo   závislej   činnosti   a   funkčných  požitkov "
                 u"v peňažnej i v nepeňažnej forme, vrátane doplatkov za minulé roky"_s,
                 u"Uhrn_brutto"_s, u",0"_s, 2},
                {u"a)"_s, u"a) povinné poistné  § 6 ods. 12  zákona"_s, u"Poistne"_s},
                {u"b)"_s, u"b) zaplatené a uplatnené príspevky na doplnkové dôchodkové poistenie"_s, u"DDP"_s},
                {u"01"_s, u"Základ dane"_s, u"Ciastzd_spolu"_s},
                {u"02"_s, u"Nezdaniteľné časti základu dane:  a) na daňovníka"_s, u"Nc_minimum"_s},
                {u"03"_s, u"b) na vyživované dieťa (deti)"_s, u"Nc_deti"_s},
                {u"04"_s, u"c) na manželku (manžela)"_s, u"Nc_partner"_s},
                {u"05"_s, u"d) pober. čiastočného invalidného dôchodku"_s, u"Nc_invalid_ciast"_s},
                {u"06"_s, u"e) pober. invalidného dôchodku"_s, u"Nc_invalid_ztp"_s},
                {u"07"_s, u"hodnota daru (úhrn), ktorú možno uznať na daňové účely (ods. 10)"_s, u"Nc_dary"_s},
                {u"08"_s, u"Spolu  (r. 02 až r. 07)"_s, u"Nc_spolu"_s},
                {u"09"_s,
                 u"Zdaniteľná mzda:  základ dane znížený o nezdaniteľné časti základu dane a o hodnotu darov "
                 u"(úhrn z r. 01 - r.08)"_s,
                 u"Zdanmzda"_s},
                {u"10"_s, u"Zdaniteľná mzda zaokrúhlená na celé stovky Sk nadol (z riadku 9)"_s, u"Zdanmzda_round"_s},
                {u"11"_s, u"Daň - vypočítaná ročnou sadzbou dane podľa § 13 zákona"_s, u"Dan"_s},
                {u"12"_s, u"Úhrn zrazených preddavkov na daň"_s, u"Uhrn_preddavkov"_s},
                {u"13"_s,
                 u"Úhrn nepeňažných príjmov podľa § 6 ods. 4  a 5 zákona, z ktorých nebolo možné podľa § 41 ods. 3 "
                 u"písm. a) zákona zrážku dane vykonať"_s,
                 u"Uhrn_nepenaznych"_s, u",0"_s, 2},
                {{}, {}, u"Uhrn_nepen2"_s},
                {u"14"_s, u"Nedoplatok dane z nepeňažných príjmov uvedených v r.13"_s, u"Nedoplatok_nepenaznych"_s},
                {{}, {}, u"Nedoplatok_nepen2"_s},
                {u"15"_s,
                 u"Nedoplatok (r.11 - r.12 + r.14 je väčší ako nula) označený -\n"
                 u"Preplatok (r.11 - r.12 + r.14 je menší ako nula) označený +"_s,
                 u"Preplatok"_s, u"+,0;-,0;0"_s, 2},
                {u"16"_s,
                 u"Úhrn zúčtovaných a vyplatených príjmov, z ktorých bola vybraná daň osobitnou sadzbou"_s,
                 u"Uhrn_osobitna"_s},
                {u"17"_s,
                 u"Daň - vybratá z úhrnu príjmov uvedených v  r.16 (osobitná sadzba dane podľa § 36 zákona)"_s,
                 u"Dan_osobitna"_s},
            },
        .pata = RzFooter::Platitel,
        .poznamky = {u"Poznámka: Tlačivo slúži pre daňovníka aj ako doklad podľa § 45 ods. 4 zákona."_s},
    };
    return settlement::rzLayout(f);
}

TReportRZ4::TReportRZ4() : SettlementReport(u"+,0;-,0;0"_s)
{
    assemble(reportLayout());
}

TReportRZ4::~TReportRZ4() = default;

} // namespace tarix::reports
