// The lines of each payslip layout, column by column, top to bottom.
#include "reports/dispatcher.h"
#include "reports/payslips/vyplatna_paska.h"

namespace tarix::reports {

using namespace vp;

namespace {

const QString kMzdoveNalezitosti = QStringLiteral("Mzdové náležitosti");
const QString kMzdovaZlozka = QStringLiteral("Mzdová zložka");
const QString kSumaSk = QStringLiteral("Suma Sk");

// The five employee contributions of the payslips from 2005.
std::vector<Riadok> Poistne_zamestnanca_2005()
{
    return {
        S(QStringLiteral("Zdrav.poist."), QStringLiteral("F_zdravot"), QStringLiteral("O_zdravot")),
        S(QStringLiteral("Nemoc.poist."), QStringLiteral("F_nemoc"), QStringLiteral("O_nemoc")),
        S(QStringLiteral("Starobné.poist."), QStringLiteral("F_dochod"), QStringLiteral("O_dochod")),
        S(QStringLiteral("Poist.v nezam."), QStringLiteral("F_fondz"), QStringLiteral("O_fondzam")),
        S(QStringLiteral("Invalidné poist."), QStringLiteral("F_invalid"), QStringLiteral("O_invalid")),
    };
}

// The employee contributions of 2004.
std::vector<Riadok> Poistne_zamestnanca_2004()
{
    return {
        S(QStringLiteral("Zdrav.poist."), QStringLiteral("F_zdravot"), QStringLiteral("O_zdravot")),
        S(QStringLiteral("Nemoc.poist."), QStringLiteral("F_nemoc"), QStringLiteral("O_nemoc")),
        S(QStringLiteral("Starobné.poist."), QStringLiteral("F_dochod"), QStringLiteral("O_dochod")),
        S(QStringLiteral("Fond zam."), QStringLiteral("F_fondz"), QStringLiteral("O_fondzam")),
        S(QStringLiteral("Invalidné poist."), QStringLiteral("F_invalid"), QStringLiteral("O_invalid")),
    };
}

// The employer contributions from 2005, "Zdrav.poist." to "SDS II.pilier DSS".
std::vector<Riadok> Poistne_zamestnavatela_2005()
{
    return {
        S(QStringLiteral("Zdrav.poist."), QStringLiteral("Fz_zdravot"), QStringLiteral("CALC_Oz_zdravot")),
        S(QStringLiteral("Nemoc.poist."), QStringLiteral("Fz_nemoc"), QStringLiteral("Oz_nemoc")),
        S(QStringLiteral("Starobné.poist."), QStringLiteral("CALC_Fz_dochod"), QStringLiteral("CALC_Oz_dochod")),
        S(QStringLiteral("Invalidné poist."), QStringLiteral("Fz_invalid"), QStringLiteral("Oz_invalid")),
        S(QStringLiteral("Poist.v nezam."), QStringLiteral("Fz_fondz"), QStringLiteral("Oz_fondzam")),
        P(QStringLiteral("Garančné poist."), QStringLiteral("Oz_garancne")),
        P(QStringLiteral("Úrazové poist."), QStringLiteral("Oz_uraz")),
        P(QStringLiteral("Poist.do RFS"), QStringLiteral("Oz_rezerva")),
        S(QStringLiteral("SDS II.pilier DSS"), QStringLiteral("CALC_Fz_sds"), QStringLiteral("CALC_Oz_sds")),
    };
}

// The time column of the full layouts of 2004 and from 2005.
std::vector<Riadok> Cas()
{
    std::vector<Riadok> r{
        P(QStringLiteral("Počet prac.dní"), QStringLiteral("V_fmes"), Druh::Dni),
        P(QStringLiteral("Počet odprac.dní"), QStringLiteral("V_den"), Druh::Dni),
        P(QStringLiteral("Dni - absencia"), QStringLiteral("V_absencia"), Druh::Dni),
        P(QStringLiteral("Dni - neplat.voľno"), QStringLiteral("V_nepl_volno"), Druh::Dni),
        Male(P(QStringLiteral("Kal.dni - za ktoré neplatí poistenie"), QStringLiteral("V_nepoisteny"), Druh::Dni)),
        P(QStringLiteral("Hodinová sadzba"), QStringLiteral("V_sadzba")),
        P(QStringLiteral("Hod.odpracované"), QStringLiteral("V_hodina"), Druh::Dni),
        P(QStringLiteral("Hod.neprítomnosť"), QStringLiteral("Vh_nahrada"), Druh::Dni),
        P(QStringLiteral("Hod.nepracoval"), QStringLiteral("Vh_nemohol"), Druh::Dni),
    };
    for (Riadok x : {N3(QStringLiteral("Príplatky"), QStringLiteral("Hodiny"), QStringLiteral("Suma")),
                     D(QStringLiteral("nadčas"), QStringLiteral("Vh_nadcas"), Druh::Dni, QStringLiteral("Vp_nadcas")),
                     D(QStringLiteral("sviatok"), QStringLiteral("Vh_sviatok"), Druh::Dni, QStringLiteral("Vp_sviatok")),
                     D(QStringLiteral("sobota"), QStringLiteral("Vh_sobota"), Druh::Dni, QStringLiteral("Vp_sobota")),
                     D(QStringLiteral("nedeľa"), QStringLiteral("Vh_nedela"), Druh::Dni, QStringLiteral("Vp_nedela")),
                     D(QStringLiteral("noc"), QStringLiteral("Vh_noc"), Druh::Dni, QStringLiteral("Vp_noc")),
                     D(QStringLiteral("škodl."), QStringLiteral("Vh_skod"), Druh::Dni, QStringLiteral("Vp_skod"))})
        r.push_back(x);
    for (int i = 1; i <= 5; ++i)
        r.push_back(Priplatok(i));
    return r;
}

// The deductions of the month, "Stravné" to "Ostatné zrážky".
std::vector<Riadok> Zrazky()
{
    return {
        P(QStringLiteral("Stravné"), QStringLiteral("Ne_stravne")),
        P(QStringLiteral("Odborársky príspevok"), QStringLiteral("Ne_odborar")),
        P(QStringLiteral("Poisťovňa"), QStringLiteral("Ne_poistovna")),
        P(QStringLiteral("Splácanie pôžičky"), QStringLiteral("Ne_pozicky")),
        P(QStringLiteral("Ostatné zrážky"), QStringLiteral("Ne_exekucia")),
    };
}

// The closing lines of the full layouts: labour cost, income, net pay and the payout.
std::vector<Riadok> Zaver_plnej_pasky()
{
    return {
        Tucne(P(QStringLiteral("Celková cena práce"), QStringLiteral("CALC_CENA_PRACE"))),
        P(QStringLiteral("Úhrn príjmov"), QStringLiteral("N_brutto")),
        P(QStringLiteral("Čistý príjem"), QStringLiteral("N_netto")),
        P(QStringLiteral("Záloha"), QStringLiteral("Ne_zaloha")),
        P(QStringLiteral("Na osobný účet"), QStringLiteral("Sporenie")),
        Tucne(P(QStringLiteral("K výplate"), QStringLiteral("Vyplata"))),
    };
}

// The closing lines of the short layouts: the payout, income, days and pension saving.
std::vector<Riadok> Zaver_skratenej_pasky()
{
    return {
        P(QStringLiteral("Vyplatené na účet"), QStringLiteral("Sporenie")),
        Tucne(P(QStringLiteral("Vyplatené v hotovosti"), QStringLiteral("Vyplata"))),
        P(QStringLiteral("Hrubý príjem"), QStringLiteral("N_brutto")),
        P(QStringLiteral("Čistý príjem"), QStringLiteral("N_netto")),
        P(QStringLiteral("Počet prac.dní"), QStringLiteral("V_fmes"), Druh::Dni),
        P(QStringLiteral("Počet odprac.dní"), QStringLiteral("V_den"), Druh::Dni),
        P(QStringLiteral("Dni - neplat.voľno"), QStringLiteral("V_nepl_volno"), Druh::Dni),
        P(QStringLiteral("DDP zamestnanec"), QStringLiteral("N_ddp")),
        P(QStringLiteral("DDP zamestnávateľ"), QStringLiteral("Nz_ddp")),
    };
}

template <class... T>
std::vector<Riadok> Spoj(T &&...casti)
{
    std::vector<Riadok> out;
    (out.insert(out.end(), casti.begin(), casti.end()), ...);
    return out;
}

} // namespace

// ---- from 2005 -------------------------------------------------------------------------------

TReportVP2005A::TReportVP2005A() : TReportVyplatnaPaska(Obdobie::Od2005)
{
    Stlpec s1{kMzdoveNalezitosti, kSumaSk,
              Spoj(std::vector<Riadok>{
                       P(QStringLiteral("Doh. mesačná mzda"), QStringLiteral("MV_plat")),
                       P(QStringLiteral("Úväzok v hodinách"), QStringLiteral("F_doba"), Druh::Dni),
                       P(QStringLiteral("Zvýš.dane/použ.auta"), QStringLiteral("Pouz_auto")),
                       P(QStringLiteral("Ost.položky zvyš.daň"), QStringLiteral("Zvys_ostatne")),
                       P(QStringLiteral("Čiast.základ dane"), QStringLiteral("D_ciastzd")),
                       P(QStringLiteral("Nezd.č. na daňovníka"), QStringLiteral("Nc_minimum")),
                       P(QStringLiteral("Daňový bonus na dieťa"), QStringLiteral("D_bonus_cerpany")),
                       P(QStringLiteral("Zrážky z čistej mzdy"), QStringLiteral("CALC_ZRAZKY")),
                       P(QStringLiteral("Dovolenka nárok/čerp."), QStringLiteral("CALC_DOVOLENKA"), Druh::Text),
                       P(QStringLiteral("Základ dane -preddav."), QStringLiteral("D_zdanmzda1")),
                       P(QStringLiteral("Základ dane - zrážky"), QStringLiteral("D_zdanmzda2")),
                       P(QStringLiteral("Základ zdrav.poist."), QStringLiteral("N_zaklad_zp")),
                       P(QStringLiteral("Celk.príjem-zdrav.poist."), QStringLiteral("N_prijem_zp")),
                       P(QStringLiteral("Základ nemoc.poist."), QStringLiteral("N_zaklad_np")),
                       P(QStringLiteral("Základ SP, IP, PvN"), QStringLiteral("N_zaklad_dp")),
                       P(QStringLiteral("Kód zdrav. poisť."), QStringLiteral("KZP"), Druh::Cele),
                   },
                   Poistne_zamestnanca_2005(),
                   std::vector<Riadok>{
                       P(QStringLiteral("Mzda základná"), QStringLiteral("N_zakladna")),
                       P(QStringLiteral("Mzdové príplatky"), QStringLiteral("N_priplat")),
                       P(QStringLiteral("Výkonová mzda"), QStringLiteral("N_ukolova")),
                   })};
    Stlpec s2{kMzdovaZlozka, kSumaSk,
              {
                  P(QStringLiteral("Prémie"), QStringLiteral("N_premie")),
                  P(QStringLiteral("Odmeny"), QStringLiteral("N_odmeny")),
                  P(QStringLiteral("Odm.členov št.orgánov"), QStringLiteral("N_clenovia_organov")),
                  P(QStringLiteral("Náhr. za prac.pohot."), QStringLiteral("N_pohotovost")),
                  P(QStringLiteral("Príjmy mimo poistného"), QStringLiteral("N_mimo_poistne")),
                  P(QStringLiteral("Prepl./nedopl. zdrav.p."), QStringLiteral("Vyrovnanie_zp")),
                  P(QStringLiteral("Poistné spolu"), QStringLiteral("N_poist")),
                  P(QStringLiteral("Priem.zárobok dov."), QStringLiteral("V_priemer1")),
                  D(QStringLiteral("Náhr. dovolenka"), QStringLiteral("V_holiday"), Druh::Dni, QStringLiteral("N_holiday")),
                  D(QStringLiteral("Náhr. za sviatky"), QStringLiteral("V_sviatok"), Druh::Dni, QStringLiteral("N_sviatok")),
                  P(QStringLiteral("Náhrada mzdy"), QStringLiteral("N_nahrada")),
                  P(QStringLiteral("Náhrada za neprac."), QStringLiteral("N_nemohol")),
                  P(QStringLiteral("Den.vym.zákl.náhr.PN"), QStringLiteral("V_priemer2")),
                  P(QStringLiteral("Náhrada príjmu PN"), QStringLiteral("N_nahrada_pn")),
                  P(QStringLiteral("DDP zamestnanec"), QStringLiteral("N_ddp")),
                  P(QStringLiteral("DDP zamestnávateľ"), QStringLiteral("Nz_ddp")),
                  P(QStringLiteral("Dohody o vyk.práce"), QStringLiteral("N_dohody_ovp")),
                  P(QStringLiteral("Prísp. zo soc.fondu"), QStringLiteral("N_socfond")),
                  P(QStringLiteral("Odstupné"), QStringLiteral("N_odstupne")),
                  Doplatky(),
                  P(QStringLiteral("Daň preddavky"), QStringLiteral("D_preddavok")),
                  P(QStringLiteral("Daň zrážky"), QStringLiteral("D_dan")),
                  P(QStringLiteral("Prepl./nedoplatok dane"), QStringLiteral("D_vyrovnanie")),
              }};
    Stlpec s3 { kMzdovaZlozka, kSumaSk,
        Spoj(Zrazky(),
            std::vector<Riadok> {
                N(QStringLiteral("Celková cena práce")),
                P(QStringLiteral("Mzda vrátane náhrad"), QStringLiteral("CALC_N_mzda_a_nahrady")),
            },
            Poistne_zamestnavatela_2005(), Zaver_plnej_pasky()) };
    Stlpec s4{{}, {}, Cas()};
    Zostav({s1, s2, s3, s4}, true);
}

TReportVP2005B::TReportVP2005B() : TReportVyplatnaPaska(Obdobie::Od2005)
{
    Stlpec s1{kMzdoveNalezitosti, kSumaSk,
              Spoj(std::vector<Riadok>{
                       P(QStringLiteral("Doh. mesačný plat"), QStringLiteral("MV_plat")),
                       P(QStringLiteral("Úväzok v hodinách"), QStringLiteral("F_doba"), Druh::Dni),
                       P(QStringLiteral("Ost.položky zvyš.daň"), QStringLiteral("Zvys_ostatne")),
                       P(QStringLiteral("Čiast.základ dane"), QStringLiteral("D_ciastzd")),
                       P(QStringLiteral("Nezd.č. na daňovníka"), QStringLiteral("Nc_minimum")),
                       P(QStringLiteral("Daňový bonus na dieťa"), QStringLiteral("D_bonus_cerpany")),
                       P(QStringLiteral("Zrážky z čistej mzdy"), QStringLiteral("CALC_ZRAZKY")),
                       P(QStringLiteral("Dovolenka nárok/čerp."), QStringLiteral("CALC_DOVOLENKA"), Druh::Text),
                       P(QStringLiteral("Základ dane - preddav."), QStringLiteral("D_zdanmzda1")),
                       P(QStringLiteral("Základ dane - zrážky"), QStringLiteral("D_zdanmzda2")),
                       P(QStringLiteral("Základ zdrav.poist."), QStringLiteral("N_zaklad_zp")),
                       P(QStringLiteral("Celk.príjem - zdrav.poist."), QStringLiteral("N_prijem_zp")),
                       P(QStringLiteral("Základ nemoc.poist."), QStringLiteral("N_zaklad_np")),
                       P(QStringLiteral("Základ SP,IP, PvN"), QStringLiteral("N_zaklad_dp")),
                       P(QStringLiteral("Kód zdrav. poisť."), QStringLiteral("KZP"), Druh::Cele),
                   },
                   Poistne_zamestnanca_2005())};
    Stlpec s2{kMzdovaZlozka, kSumaSk,
              {
                  P(QStringLiteral("Mesačný plat"), QStringLiteral("N_zakladna")),
                  P(QStringLiteral("Prémie"), QStringLiteral("N_premie")),
                  P(QStringLiteral("Odmeny"), QStringLiteral("N_odmeny")),
                  P(QStringLiteral("Príjmy mimo poistného"), QStringLiteral("N_mimo_poistne")),
                  P(QStringLiteral("Prepl./nedopl. zdrav.poist."), QStringLiteral("Vyrovnanie_zp")),
                  P(QStringLiteral("Poistné spolu"), QStringLiteral("N_poist")),
                  P(QStringLiteral("Priem.zárobok dov."), QStringLiteral("V_priemer1")),
                  D(QStringLiteral("Náhr. dovolenka"), QStringLiteral("V_holiday"), Druh::Dni, QStringLiteral("N_holiday")),
                  D(QStringLiteral("Náhr. za sviatky"), QStringLiteral("V_sviatok"), Druh::Dni, QStringLiteral("N_sviatok")),
                  P(QStringLiteral("Náhrada mzdy"), QStringLiteral("N_nahrada")),
                  P(QStringLiteral("Náhrada za neprac."), QStringLiteral("N_nemohol")),
                  P(QStringLiteral("Den.vym.zákl.náhr.PN"), QStringLiteral("V_priemer2")),
                  P(QStringLiteral("Náhrada príjmu PN"), QStringLiteral("N_nahrada_pn")),
                  P(QStringLiteral("Odstupné"), QStringLiteral("N_odstupne")),
                  Doplatky(),
                  P(QStringLiteral("Preddavok dane"), QStringLiteral("D_preddavok")),
                  P(QStringLiteral("Prepl./nedoplatok dane"), QStringLiteral("D_vyrovnanie")),
                  P(QStringLiteral("Záloha"), QStringLiteral("Ne_zaloha")),
                  P(QStringLiteral("Poisťovňa"), QStringLiteral("Ne_poistovna")),
                  P(QStringLiteral("Splácanie pôžičky"), QStringLiteral("Ne_pozicky")),
                  P(QStringLiteral("Ostatné zrážky"), QStringLiteral("Ne_exekucia")),
                  P(QStringLiteral("Dohody o vyk.práce"), QStringLiteral("N_dohody_ovp")),
              }};
    Stlpec s3 { QStringLiteral("Celková cena práce"), kSumaSk,
        Spoj(
            std::vector<Riadok> {
                P(QStringLiteral("Mzda vrátane náhrad"), QStringLiteral("CALC_N_mzda_a_nahrady")),
            },
            Poistne_zamestnavatela_2005(),
            std::vector<Riadok> {
                Tucne(P(QStringLiteral("Celková cena práce"), QStringLiteral("CALC_CENA_PRACE"))),
                N3(kMzdovaZlozka, QString(), kSumaSk),
            },
            Zaver_skratenej_pasky()) };
    Zostav({s1, s2, s3}, true);
}

// ---- 2004 ------------------------------------------------------------------------------------

TReportVP2::TReportVP2() : TReportVyplatnaPaska(Obdobie::Rok2004)
{
    Stlpec s1{kMzdoveNalezitosti, kSumaSk,
              Spoj(std::vector<Riadok>{
                       P(QStringLiteral("Doh. mesačná mzda"), QStringLiteral("MV_plat")),
                       P(QStringLiteral("Úväzok v hodinách"), QStringLiteral("F_doba"), Druh::Dni),
                       P(QStringLiteral("Zvýš.dane/použ.auta"), QStringLiteral("Pouz_auto")),
                       P(QStringLiteral("Ost.položky zvyš.daň"), QStringLiteral("Zvys_ostatne")),
                       P(QStringLiteral("Čiast.základ dane"), QStringLiteral("D_ciastzd")),
                       P(QStringLiteral("Nezd.č. na daňovníka"), QStringLiteral("Nc_minimum")),
                       P(QStringLiteral("Daňový bonus na dieťa"), QStringLiteral("D_bonus_cerpany")),
                       P(QStringLiteral("Zrážky z čistej mzdy"), QStringLiteral("CALC_ZRAZKY")),
                       P(QStringLiteral("Dovolenka nárok/čerp."), QStringLiteral("CALC_DOVOLENKA"), Druh::Text),
                       P(QStringLiteral("Základ dane -preddav."), QStringLiteral("D_zdanmzda1")),
                       P(QStringLiteral("Základ dane - zrážky"), QStringLiteral("D_zdanmzda2")),
                       P(QStringLiteral("Základ zdrav.poist."), QStringLiteral("N_zaklad_zp")),
                       P(QStringLiteral("Základ nemoc.poist."), QStringLiteral("N_zaklad_np")),
                       P(QStringLiteral("Základ starobné.poist."), QStringLiteral("N_zaklad_dp")),
                       P(QStringLiteral("Základ fond zamest."), QStringLiteral("N_zaklad_fz")),
                       P(QStringLiteral("Základ invalidné poist."), QStringLiteral("N_zaklad_ip")),
                       P(QStringLiteral("Kód zdrav. poisť."), QStringLiteral("KZP"), Druh::Cele),
                   },
                   Poistne_zamestnanca_2004(),
                   std::vector<Riadok>{
                       P(QStringLiteral("DDP zamestnanec"), QStringLiteral("N_ddp")),
                       P(QStringLiteral("DDP zamestnávateľ"), QStringLiteral("Nz_ddp")),
                   })};
    Stlpec s2{kMzdovaZlozka, kSumaSk,
              {
                  P(QStringLiteral("Mzda základná"), QStringLiteral("N_zakladna")),
                  P(QStringLiteral("Mzdové príplatky"), QStringLiteral("N_priplat")),
                  P(QStringLiteral("Výkonová mzda"), QStringLiteral("N_ukolova")),
                  P(QStringLiteral("Prémie"), QStringLiteral("N_premie")),
                  P(QStringLiteral("Odmeny"), QStringLiteral("N_odmeny")),
                  P(QStringLiteral("Odm.členov št.orgánov"), QStringLiteral("N_clenovia_organov")),
                  P(QStringLiteral("Náhr. za prac.pohot."), QStringLiteral("N_pohotovost")),
                  P(QStringLiteral("Príjmy mimo poistného"), QStringLiteral("N_mimo_poistne")),
                  P(QStringLiteral("Poistné spolu"), QStringLiteral("N_poist")),
                  P(QStringLiteral("Priem.zárobok dov."), QStringLiteral("V_priemer1")),
                  D(QStringLiteral("Náhr. dovolenka"), QStringLiteral("V_holiday"), Druh::Dni, QStringLiteral("N_holiday")),
                  D(QStringLiteral("Náhr. za sviatky"), QStringLiteral("V_sviatok"), Druh::Dni, QStringLiteral("N_sviatok")),
                  P(QStringLiteral("Náhrada mzdy"), QStringLiteral("N_nahrada")),
                  P(QStringLiteral("Náhrada za neprac."), QStringLiteral("N_nemohol")),
                  P(QStringLiteral("Den.vym.zákl.náhr.PN"), QStringLiteral("V_priemer2")),
                  P(QStringLiteral("Náhrada príjmu PN"), QStringLiteral("N_nahrada_pn")),
                  P(QStringLiteral("Prísp. zo soc.fondu"), QStringLiteral("N_socfond")),
                  P(QStringLiteral("Denný vymer.zákl.PN"), QStringLiteral("Cista_denna_mzda")),
                  D(QStringLiteral("Nemoc.dávky"), QStringLiteral("V_pn"), Druh::Dni, QStringLiteral("N_pn")),
                  D(QStringLiteral("Ošetrovné"), QStringLiteral("V_ocr12"), Druh::Dni, QStringLiteral("CALC_OCR")),
                  P(QStringLiteral("Materský príspevok"), QStringLiteral("Nd_materska")),
                  P(QStringLiteral("Rodičovský príspevok"), QStringLiteral("Nd_rodic")),
                  P(QStringLiteral("Prídavky na deti"), QStringLiteral("Nd_pridavky")),
                  P(QStringLiteral("Iné nemoc.dávky"), QStringLiteral("Nd_ine")),
              }};
    Stlpec s3 { kMzdovaZlozka, kSumaSk,
        Spoj(
            std::vector<Riadok> {
                P(QStringLiteral("Dohody o vyk.práce"), QStringLiteral("N_dohody_ovp")),
                P(QStringLiteral("Dohody o pr.činnosti"), QStringLiteral("N_dohody_opc")),
                P(QStringLiteral("Odstupné"), QStringLiteral("N_odstupne")),
                Doplatky(),
                P(QStringLiteral("Daň preddavky"), QStringLiteral("D_preddavok")),
                P(QStringLiteral("Daň zrážky"), QStringLiteral("D_dan")),
                P(QStringLiteral("Prepl./nedoplatok dane"), QStringLiteral("D_vyrovnanie")),
            },
            Zrazky(), Zaver_plnej_pasky()) };
    Stlpec s4{{}, {}, Cas()};
    Zostav({s1, s2, s3, s4}, true);
}

TReportVP2T::TReportVP2T() : TReportVyplatnaPaska(Obdobie::Rok2004)
{
    Stlpec s1{kMzdoveNalezitosti, kSumaSk,
              Spoj(std::vector<Riadok>{
                       P(QStringLiteral("Doh. mesačný plat"), QStringLiteral("MV_plat")),
                       P(QStringLiteral("Úväzok v hodinách"), QStringLiteral("F_doba"), Druh::Dni),
                       P(QStringLiteral("Ost.položky zvyš.daň"), QStringLiteral("Zvys_ostatne")),
                       P(QStringLiteral("Čiast.základ dane"), QStringLiteral("D_ciastzd")),
                       P(QStringLiteral("Nezd.č. na daňovníka"), QStringLiteral("Nc_minimum")),
                       P(QStringLiteral("Daňový bonus na dieťa"), QStringLiteral("D_bonus_cerpany")),
                       P(QStringLiteral("Zrážky z čistej mzdy"), QStringLiteral("CALC_ZRAZKY")),
                       P(QStringLiteral("Dovolenka nárok/čerp."), QStringLiteral("CALC_DOVOLENKA"), Druh::Text),
                       P(QStringLiteral("Základ dane -preddav."), QStringLiteral("D_zdanmzda1")),
                       P(QStringLiteral("Základ dane - zrážky"), QStringLiteral("D_zdanmzda2")),
                       P(QStringLiteral("Základ zdrav.poist."), QStringLiteral("N_zaklad_zp")),
                       P(QStringLiteral("Základ nemoc.poist."), QStringLiteral("N_zaklad_np")),
                       P(QStringLiteral("Základ starobné.poist."), QStringLiteral("N_zaklad_dp")),
                       P(QStringLiteral("Základ fond zamest."), QStringLiteral("N_zaklad_fz")),
                       P(QStringLiteral("Základ invalidné poist."), QStringLiteral("N_zaklad_ip")),
                       P(QStringLiteral("Kód zdrav. poisť."), QStringLiteral("KZP"), Druh::Cele),
                   },
                   Poistne_zamestnanca_2004())};
    Stlpec s2{kMzdovaZlozka, kSumaSk,
              {
                  P(QStringLiteral("Mesačný plat"), QStringLiteral("N_zakladna")),
                  P(QStringLiteral("Prémie"), QStringLiteral("N_premie")),
                  P(QStringLiteral("Odmeny"), QStringLiteral("N_odmeny")),
                  P(QStringLiteral("Príjmy mimo poistného"), QStringLiteral("N_mimo_poistne")),
                  P(QStringLiteral("Poistné spolu"), QStringLiteral("N_poist")),
                  P(QStringLiteral("Priem.zárobok dov."), QStringLiteral("V_priemer1")),
                  D(QStringLiteral("Náhr. dovolenka"), QStringLiteral("V_holiday"), Druh::Dni, QStringLiteral("N_holiday")),
                  D(QStringLiteral("Náhr. za sviatky"), QStringLiteral("V_sviatok"), Druh::Dni, QStringLiteral("N_sviatok")),
                  P(QStringLiteral("Náhrada mzdy"), QStringLiteral("N_nahrada")),
                  P(QStringLiteral("Náhrada za neprac."), QStringLiteral("N_nemohol")),
                  P(QStringLiteral("Denná mzda/náhrada PN"), QStringLiteral("V_priemer2")),
                  P(QStringLiteral("Náhrada príjmu PN"), QStringLiteral("N_nahrada_pn")),
                  P(QStringLiteral("Denný vymer.zákl.PN"), QStringLiteral("Cista_denna_mzda")),
                  D(QStringLiteral("Nemoc.dávky"), QStringLiteral("V_pn"), Druh::Dni, QStringLiteral("N_pn")),
                  D(QStringLiteral("Ošetrovné"), QStringLiteral("V_ocr12"), Druh::Dni, QStringLiteral("CALC_OCR")),
                  P(QStringLiteral("Materský príspevok"), QStringLiteral("Nd_materska")),
                  P(QStringLiteral("Prídavky na deti"), QStringLiteral("Nd_pridavky")),
                  P(QStringLiteral("Iné nemoc.dávky"), QStringLiteral("Nd_ine")),
                  P(QStringLiteral("Dohody o vyk.práce"), QStringLiteral("N_dohody_ovp")),
              }};
    Stlpec s3 { kMzdovaZlozka, kSumaSk,
        Spoj(
            std::vector<Riadok> {
                P(QStringLiteral("Odstupné"), QStringLiteral("N_odstupne")),
                Doplatky(),
                P(QStringLiteral("Preddavok dane"), QStringLiteral("D_preddavok")),
                P(QStringLiteral("Prepl./nedoplatok dane"), QStringLiteral("D_vyrovnanie")),
                P(QStringLiteral("Záloha"), QStringLiteral("Ne_zaloha")),
                P(QStringLiteral("Poisťovňa"), QStringLiteral("Ne_poistovna")),
                P(QStringLiteral("Splácanie pôžičky"), QStringLiteral("Ne_pozicky")),
                P(QStringLiteral("Ostatné zrážky"), QStringLiteral("Ne_exekucia")),
                Tucne(P(QStringLiteral("Celková cena práce"), QStringLiteral("CALC_CENA_PRACE"))),
            },
            Zaver_skratenej_pasky()) };
    Zostav({s1, s2, s3}, false);
}

// ---- before 2004 -----------------------------------------------------------------------------

TReportVP::TReportVP() : TReportVyplatnaPaska(Obdobie::Do2004)
{
    Stlpec s1{kMzdoveNalezitosti, kSumaSk,
              {
                  P(QStringLiteral("Dohod. mesačný plat"), QStringLiteral("MV_plat")),
                  P(QStringLiteral("Počet prac.dní"), QStringLiteral("V_fmes"), Druh::Dni),
                  P(QStringLiteral("Úväzok v hodinách"), QStringLiteral("F_doba"), Druh::Dni),
                  P(QStringLiteral("Kód zdrav. poisťovne"), QStringLiteral("KZP"), Druh::Cele),
                  P(QStringLiteral("Priemerný zárobok 1"), QStringLiteral("V_priemer1"), Druh::Priemer),
                  P(QStringLiteral("Čistá denná mzda"), QStringLiteral("Cista_denna_mzda")),
                  P(QStringLiteral("Zvýš.dane/použ.auta"), QStringLiteral("Pouz_auto")),
                  P(QStringLiteral("Ost.položky zvyš.daň"), QStringLiteral("Zvys_ostatne")),
                  P(QStringLiteral("Čiast.základ dane"), QStringLiteral("D_ciastzd")),
                  P(QStringLiteral("Dopravné"), QStringLiteral("Dopravne")),
                  P(QStringLiteral("Osoba"), QStringLiteral("Nc_minimum")),
                  P(QStringLiteral("Deti"), QStringLiteral("Nc_deti")),
                  P(QStringLiteral("Iné nezd.čiastky"), QStringLiteral("Nc_ine")),
                  P(QStringLiteral("Základ dane - mes. s."), QStringLiteral("D_zdanmzda1")),
                  P(QStringLiteral("Základ dane - ročná s."), QStringLiteral("D_zdanmzda3")),
                  P(QStringLiteral("Základ dane - zrážky"), QStringLiteral("D_zdanmzda2")),
                  P(QStringLiteral("Základ zdrav.poist."), QStringLiteral("N_zaklad_zp")),
                  P(QStringLiteral("Základ nemoc.poist."), QStringLiteral("N_zaklad_np")),
                  P(QStringLiteral("Základ dôchod.poist."), QStringLiteral("N_zaklad_dp")),
                  P(QStringLiteral("Základ fond zamest."), QStringLiteral("N_zaklad_fz")),
                  P(QStringLiteral("Odvod poistného"), QStringLiteral("N_poist")),
                  P(QStringLiteral("Zrážky z čistej mzdy"), QStringLiteral("CALC_ZRAZKY")),
                  P(QStringLiteral("Dovolenka nárok/čerp."), QStringLiteral("CALC_DOVOLENKA"), Druh::Text),
              }};
    Stlpec s2{kMzdovaZlozka, kSumaSk,
              {
                  P(QStringLiteral("Mesačný plat"), QStringLiteral("V_plat")),
                  P(QStringLiteral("Príplatky"), QStringLiteral("N_priplat")),
                  P(QStringLiteral("Prémie"), QStringLiteral("N_premie")),
                  P(QStringLiteral("Odmeny"), QStringLiteral("N_odmeny")),
                  P(QStringLiteral("Jednorázová mzda 1"), QStringLiteral("N_jednoraz1")),
                  P(QStringLiteral("Jednorázová mzda 2"), QStringLiteral("N_jednoraz2")),
                  P(QStringLiteral("Odm.členov št.orgánov"), QStringLiteral("N_clenovia_organov")),
                  P(QStringLiteral("Odm.za prac.pohotov."), QStringLiteral("N_pohotovost")),
                  P(QStringLiteral("Dohody o vyk.práce"), QStringLiteral("N_dohody_ovp")),
                  P(QStringLiteral("Dohody o pr.činnosti"), QStringLiteral("N_dohody_opc")),
                  P(QStringLiteral("Náhrada mzdy"), QStringLiteral("N_nahrada")),
                  P(QStringLiteral("Dovolenka"), QStringLiteral("N_holiday")),
                  P(QStringLiteral("Sviatok"), QStringLiteral("N_sviatok")),
                  P(QStringLiteral("Prísp. zo soc.fondu"), QStringLiteral("N_socfond")),
                  P(QStringLiteral("Náhrada za neprac."), QStringLiteral("N_nemohol")),
                  P(QStringLiteral("Odstupné"), QStringLiteral("N_odstupne")),
                  P(QStringLiteral("Nemoc.dávky - pn1"), QStringLiteral("N_pn1")),
                  P(QStringLiteral("Nemoc.dávky - pn2"), QStringLiteral("N_pn2")),
                  P(QStringLiteral("Nemoc.dávky - očr1"), QStringLiteral("N_ocr1")),
                  P(QStringLiteral("Nemoc.dávky - očr2"), QStringLiteral("N_ocr2")),
                  P(QStringLiteral("Materský príspevok"), QStringLiteral("Nd_materska")),
                  P(QStringLiteral("Rodičovský príspevok"), QStringLiteral("Nd_rodic")),
                  P(QStringLiteral("Prídavky na deti"), QStringLiteral("Nd_pridavky")),
                  P(QStringLiteral("Iné nemoc.dávky"), QStringLiteral("Nd_ine")),
              }};
    Stlpec s3 { kMzdovaZlozka, kSumaSk,
        Spoj(
            std::vector<Riadok> {
                Doplatky(),
                S(QStringLiteral("Zdrav.poist."), QStringLiteral("F_zdravot"), QStringLiteral("O_zdravot")),
                S(QStringLiteral("Nemoc.poist."), QStringLiteral("F_nemoc"), QStringLiteral("O_nemoc")),
                S(QStringLiteral("Dôchod.poist."), QStringLiteral("F_dochod"), QStringLiteral("O_dochod")),
                S(QStringLiteral("Fond zam."), QStringLiteral("F_fondz"), QStringLiteral("O_fondzam")),
                P(QStringLiteral("DDP zamestnanec"), QStringLiteral("N_ddp")),
                P(QStringLiteral("DDP zamestnávateľ"), QStringLiteral("Nz_ddp")),
                P(QStringLiteral("Preddavok dane"), QStringLiteral("D_preddavok")),
                P(QStringLiteral("Daň"), QStringLiteral("D_dan")),
                P(QStringLiteral("Prepl./nedoplatok dane"), QStringLiteral("D_vyrovnanie")),
                P(QStringLiteral("Záloha na mzdu"), QStringLiteral("Ne_zaloha")),
            },
            Zrazky(),
            std::vector<Riadok> {
                P(QStringLiteral("Vyplatené na účet"), QStringLiteral("Sporenie")),
                P(QStringLiteral("Vyplatené v hotovosti"), QStringLiteral("Vyplata")),
                Tucne(P(QStringLiteral("Celková cena práce"), QStringLiteral("CALC_CENA_PRACE"))),
                P(QStringLiteral("Hrubý príjem"), QStringLiteral("N_brutto")),
                P(QStringLiteral("Čistý príjem"), QStringLiteral("N_netto")),
                Tucne(P(QStringLiteral("K výplate"), QStringLiteral("Vyplata"))),
            }) };
    std::vector<Riadok> dni{
        P(QStringLiteral("odprac."), QStringLiteral("V_den"), Druh::Dni),
        P(QStringLiteral("dovolenka"), QStringLiteral("V_holiday"), Druh::Dni),
        P(QStringLiteral("sviatok"), QStringLiteral("V_sviatok"), Druh::Dni),
        Dvojica(QStringLiteral("pn1"), QStringLiteral("V_pn1"), QStringLiteral("očr1"), QStringLiteral("V_ocr1")),
        Dvojica(QStringLiteral("pn2"), QStringLiteral("V_pn2"), QStringLiteral("očr2"), QStringLiteral("V_ocr2")),
        P(QStringLiteral("Hodinová sadzba"), QStringLiteral("V_sadzba"), Druh::Priemer),
        P(QStringLiteral("Hod.odpracované"), QStringLiteral("V_hodina"), Druh::Dni),
        P(QStringLiteral("Hod.neprítomnosť"), QStringLiteral("Vh_nahrada"), Druh::Dni),
        P(QStringLiteral("Hod.nepracoval"), QStringLiteral("Vh_nemohol"), Druh::Dni),
    };
    const std::vector<Riadok> cas = Cas();
    // The surcharge table of the time column (its last twelve lines).
    dni.insert(dni.end(), cas.end() - 12, cas.end());
    Stlpec s4{QStringLiteral("Dni"), {}, dni};
    Zostav({s1, s2, s3, s4}, false);
}

// ---- registration ----------------------------------------------------------------------------

void Registruj_vyplatne_pasky()
{
    RegisterZostav &r = Register_zostav();
    r.Registruj(QStringLiteral("TReportVP2005A"), Spustenie_zostavy<TReportVP2005A>());
    r.Registruj(QStringLiteral("TReportVP2005B"), Spustenie_zostavy<TReportVP2005B>());
    r.Registruj(QStringLiteral("TReportVP2"), Spustenie_zostavy<TReportVP2>());
    r.Registruj(QStringLiteral("TReportVP2T"), Spustenie_zostavy<TReportVP2T>());
    r.Registruj(QStringLiteral("TReportVP"), Spustenie_zostavy<TReportVP>());
}

} // namespace tarix::reports
