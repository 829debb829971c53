#include "reports/settlement/rz2004a.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using settlement::RzForm;
using settlement::RzFooter;
using settlement::RiadokRz;

namespace settlement {

// Rows 04 to 13 of the forms from 2004: the tax, the bonus and the split result.
std::vector<RiadokRz> taxAndBonusRows()
{
    return {
        {u"04"_s, u"Daň  podľa § 15 zákona, zaokrúhlená na celé koruny nadol"_s, u"Dan"_s},
        {u"05"_s, u"Nárok na daňový bonus  (v úhrne na všetky vyživované deti podľa § 33 zákona)"_s,
         u"D_bonus_narok"_s},
        {u"06"_s,
         u"Daňový bonus priznaný a vyplatený všetkými zamestnávateľmi, ktorí sú platiteľmi dane (na všetky "
         u"vyživované deti podľa § 33 zákona)"_s,
         u"D_bonus_cerpany"_s, u",0"_s, 2},
        {u"07"_s, u"Daňový bonus na vyplatenie zamestnancovi po vykonaní ročného zúčtovania (r. 05 - r. 06 > 0)"_s,
         u"CALC_PREPL_BONUS"_s},
        {u"08"_s, u"Daňový bonus na vybratie od zamestnanca po vykonaní ročného zúčtovania (r. 05 - r. 06 < 0)"_s,
         u"CALC_NEDOPL_BONUS"_s},
        {u"09"_s,
         u"Úhrn preddavkov na daň zrazených všetkými zamestnávateľmi, ktorí sú platiteľmi dane (§ 35 zákona), "
         u"neupravený o daňový bonus"_s,
         u"Uhrn_preddavkov"_s, u",0"_s, 2},
        {u"10 (+)"_s, u"Daň na úhradu - nedoplatok dane  (r. 04 - r. 05 + r. 06 - r. 09)"_s, u"CALC_NEDOPL_DAN"_s},
        {u"11 (-)"_s, u"Preplatok dane - rozdiel v prospech zamestnanca  (r. 04 - r. 05 + r. 06 - r. 09)"_s,
         u"CALC_PREPL_DAN"_s},
        {{}, u"II. časť"_s, {}},
        {u"12 (+)"_s, u"Nedoplatok z ročného zúčtovania neupravený o daňový bonus (r. 04 - r. 09 > 0)"_s,
         u"CALC_NEDOPL_BB"_s},
        {u"13 (-)"_s, u"Preplatok z ročného zúčtovania neupravený o daňový bonus (r. 04 - r. 09 < 0)"_s,
         u"CALC_PREPL_BB"_s},
    };
}

} // namespace settlement

rpt::LayoutDesc TReportRZ_2004::reportLayout()
{
    RzForm f{
        .nazov = u"TReportRZ_2004"_s,
        .titul = u"Ročné zúčtovanie preddavkov na daň"_s,
        .nadpis = {u"ROČNÉ  ZÚČTOVANIE  PREDDAVKOV  NA  DAŇ"_s,
                   u"Z PRÍJMOV FYZICKÝCH OSÔB ZO ZÁVISLEJ ČINNOSTI A DAŇOVÝ BONUS"_s, u"ZA ROK"_s},
        .zakon = u"podľa zákona č. 595/2003 Z. z. o daniach z príjmov v znení neskorších predpisov (ďalej len "
                 u"\"zákon\")"_s,
        .menoPopis = u"Meno a priezvisko zamestnanca :"_s,
        .riadky =
            {
                {{}, u"I. časť"_s, {}},
                {u"00"_s,
                 u"Úhrn  zúčtovaných  a  vyplatených  príjmov  zo závislej činnosti  ( §  5   zákona)  v peňažnej i v "
                 u"nepeňažnej forme, vrátane príjmov zo sociálneho fondu, doplatkov za minulé roky"_s,
                 u"Uhrn_brutto"_s, u",0"_s, 2},
                {u"a)"_s, u"a) poistné a príspevky (§ 5 ods. 8 zákona)"_s, u"Poistne"_s},
                {u"b)"_s, u"b) zaplatené a uplatnené príspevky na doplnkové dôchodkové poistenie (§ 52 ods. 35 zákona)"_s,
                 u"DDP"_s},
                {u"01"_s,
                 u"Základ dane  zaokrúhlený na celé koruny nadol [úhrn príjmov z r. 00 znížený o sumu a) a o sumu b)]"_s,
                 u"Ciastzd_spolu"_s},
                {u"02 a)"_s, u"Nezdaniteľné časti základu dane:  a) na daňovníka"_s, u"CALC_NC_MINIMUM"_s},
                {u"02 b)"_s, u"b) na manželku (manžela)"_s, u"CALC_NC_PARTNER"_s},
                {u"02"_s, u"Spolu  a) + b)"_s, u"Nc_spolu"_s},
                {u"03"_s, u"Zdaniteľná mzda  (r. 01 - r. 02)"_s, u"Zdanmzda_round"_s},
            },
        .pata = RzFooter::Zamestnavatel,
        .poznamky = {u"Poznámka: Tlačivo slúži pre zamestnanca aj ako doklad na účely podľa § 39 ods. 5 a 6 zákona."_s},
    };
    for (RiadokRz &r : settlement::taxAndBonusRows())
        f.riadky.push_back(r);
    return settlement::rzLayout(f);
}

TReportRZ_2004::TReportRZ_2004() : SettlementReport(u"+,0;-,0;0"_s)
{
    assemble(reportLayout());
}

TReportRZ_2004::~TReportRZ_2004() = default;

} // namespace tarix::reports
