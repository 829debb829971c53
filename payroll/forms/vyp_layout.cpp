#include "payroll/forms/vyp_layout.h"

#include <QSet>

namespace tarix::payroll::MainVyp {

namespace {

PoleObrazovky V(const char *pole, const char *popis) { return {QString::fromUtf8(pole), QString::fromUtf8(popis), false}; }
// Only shown: the calculation's result.
PoleObrazovky R(const char *pole, const char *popis) { return {QString::fromUtf8(pole), QString::fromUtf8(popis), true}; }

QVector<Zalozka> vytvorZalozky()
{
    QVector<Zalozka> z;
    z.append({QStringLiteral("PAGE_ZAKLAD"), QStringLiteral("Základné údaje"),
              {
                  {QStringLiteral("Mzda a odpracovaný čas"),
                   {V("F_doba", "Denný pracovný čas"), V("MV_plat", "Mesačný plat"),
                    V("V_sadzba", "Hodinová sadzba"), V("V_fmes", "Fond pracovných dní"),
                    V("V_den", "Odpracované dni"), V("V_hodina", "Odpracované hodiny"),
                    V("CALC_V_DEN_HOD", "Dni / hodiny"), V("CALC_V_FMES_HOD", "Fond hodín"),
                    R("V_kal_dni", "Kalendárne dni"), V("N_premie", "Prémie"),
                    V("F_typ_premii", "Typ prémií"), V("CALC_TEXT_PREMII", ""),
                    V("F_sadzba_premii", "Sadzba prémií"), V("N_odmeny", "Odmeny"),
                    V("V_priemer1", "Priemerný hodinový zárobok"), V("V_holiday", "Dovolenka (dni)"),
                    V("V_sviatok", "Sviatky (dni)"), V("N_dohody_ovp", "Dohody o vykonaní práce"),
                    V("N_doplatok", "Doplatok")}},
                  {QStringLiteral("Zložky mzdy"),
                   {R("V_plat", "Základná mzda"), R("N_holiday", "Náhrada za dovolenku"),
                    R("N_sviatok", "Náhrada za sviatok"), R("N_priplat", "Príplatky"),
                    V("N_ukolova", "Výkonová mzda"), R("N_nadcas", "Mzda za nadčas"),
                    V("Vh_nahrada", "Hodiny náhrady"), R("N_nahrada", "Náhrada mzdy"),
                    V("Vh_nemohol", "Hodiny prekážok"), R("N_nemohol", "Náhrada za prekážky"),
                    V("V_nahrada_pn1", "Dni náhrady PN 1"), V("V_nahrada_pn2", "Dni náhrady PN 2"),
                    R("N_nahrada_pn", "Náhrada príjmu pri PN"), V("V_priemer2", "Priemerný denný zárobok"),
                    V("V_absencia", "Absencia (dni)"), V("V_nepl_volno", "Neplatené voľno (dni)"),
                    V("N_mimo_poistne", "Príjem mimo poistného"), V("N_socfond", "Sociálny fond"),
                    V("N_clenovia_organov", "Členovia orgánov"), V("N_pohotovost", "Pohotovosť"),
                    V("N_odstupne", "Odstupné")}},
                  {QStringLiteral("Hrubá a čistá mzda"),
                   {R("N_brutto", "Hrubá mzda"), R("N_poist", "Poistné zamestnanca"),
                    R("N_ddp", "Doplnkové dôchodkové sporenie"), R("CALC_DAN", "Daň"),
                    V("D_vyrovnanie", "Ročné zúčtovanie dane"), V("Vyrovnanie_zp", "Ročné zúčtovanie ZP"),
                    R("N_netto", "Čistá mzda"), R("Nd_spolu", "Dávky spolu")}},
                  {QStringLiteral("Zrážky a výplata"),
                   {V("Ne_pozicky", "Pôžičky"), V("Ne_odborar", "Odbory"),
                    V("Ne_poistovna", "Poisťovňa"), V("Ne_exekucia", "Sporenie, exekúcie a iné"),
                    V("Ne_stravne", "Stravné"), V("Ne_zaloha", "Záloha"),
                    V("Spor_plat", "Sporenie z platu"), V("Sporenie", "Sporenie"),
                    R("Vyplata", "K výplate")}},
              }});
    z.append({QStringLiteral("PAGE_POISTNE"), QStringLiteral("Poistné+daň"),
              {
                  {QStringLiteral("Poisťovne"),
                   {R("KZP", "Zdravotná poisťovňa"), R("KDP", "Doplnková dôchodková spoločnosť")}},
                  // The funds themselves stand in Tabulka_fondov and Tabulka_fondov_firmy.
                  {QStringLiteral("Vymeriavacie základy"),
                   {V("N_zaklad_zp", "Zdravotné poistenie"), V("N_zaklad_np", "Nemocenské poistenie"),
                    V("N_zaklad_dp", "Dôchodkové poistenie"), V("N_zaklad_fz", "Poistenie v nezamestnanosti"),
                    V("N_zaklad_ip", "Invalidné poistenie"), V("N_zaklad_up", "Úrazové poistenie"),
                    V("N_zaklad_rf", "Rezervný fond"), V("N_zaklad_gp", "Garančné poistenie"),
                    V("N_zaklad_poist", "Základ poistného")}},
                  {QStringLiteral("Daň"),
                   {V("Poc_nezaop_deti", "Počet nezaopatrených detí"), V("Automatika", "Automatický výpočet"),
                    V("Dan_vyrovnana", "Zrážková daň (1=áno)"), R("F_dan_sadzba1", "Sadzba zrážkovej dane"),
                    R("D_preddavok", "Preddavok na daň"), R("D_dan", "Zrážková daň"),
                    V("D_bonus_predpis", "Daňový bonus - predpis"), V("D_bonus_cerpany", "Daňový bonus - čerpaný"),
                    V("Nc_minimum", "Nezdaniteľná čiastka"), V("Pouz_auto", "Použitie služobného auta"),
                    V("Zvys_ostatne", "Ostatné zvýšenia základu dane"), V("U_nezdc", "Uplatňuje nezdaniteľné čiastky"),
                    V("D_ciastzd1", "Čiastkový základ dane - mesačný"), V("D_ciastzd2", "Čiastkový základ dane - ročný")}},
                  {QStringLiteral("Doplnkové dôchodkové sporenie"),
                   {V("N_ddp", "Príspevok zamestnanca"), V("Nz_ddp", "Príspevok zamestnávateľa"),
                    V("N_sadzba_ddp", "Sadzba zamestnanca"), V("Nz_sadzba_ddp", "Sadzba zamestnávateľa")}},
                  {QStringLiteral("Ostatné"),
                   {V("V_nepoisteny", "Dni bez poistenia"), V("Miera_poklesu", "Miera poklesu schopnosti"),
                    V("VYNIMKA_VZ", "Výnimka z minimálneho základu"), V("V_nepoist_zp", "Dni bez zdravotného poistenia"),
                    V("Rezerva1", "Rezerva")}},
              }});
    z.append({QStringLiteral("PAGE_PRIPL"), QStringLiteral("Príplatky"),
              {
                  // The surcharges stand in Tabulka_priplatkov.
                  {QStringLiteral("Kontrolné súčty"),
                   {R("N_priplat", "Príplatky spolu"), V("N_mzda", "Mzda pre priemer"),
                    V("N_zaklad_zp", "Základ ZP"), V("N_zaklad_np", "Základ NP"),
                    V("N_zaklad_dp", "Základ DP"), V("N_zaklad_fz", "Základ FZ"),
                    R("N_poist1", "Poistné pre mesačné zdanenie"), R("N_poist3", "Poistné pre zrážkovú daň"),
                    R("N_poist", "Poistné spolu"), V("D_ciastzd1", "Čiastkový základ dane - mesačný"),
                    V("D_ciastzd2", "Čiastkový základ dane - ročný"), V("D_ciastzd3", "Čiastkový základ dane - zrážkový"),
                    V("D_zdanmzda1", "Základ dane - mesačný"), V("D_zdanmzda2", "Základ dane - ročný"),
                    V("D_zdanmzda3", "Základ dane - zrážkový"), R("D_preddavok1", "Preddavok dane - mesačný"),
                    R("D_preddavok3", "Preddavok dane - ročný"), R("D_dan", "Daň zrazená osobitnou sadzbou")}},
              }});
    z.append({QStringLiteral("PAGE_USE"), QStringLiteral("Nepoužívané"),
              {
                  {QString(),
                   {V("U_dopravne_mimoriadne", "Mimoriadne dopravné"), V("Dopravne", "Dopravné"),
                    V("Dopravne_mimoriadne", "Dopravné mimoriadne"), V("N_jednoraz1", "Jednorázová mzda 1"),
                    V("V_mesiace1", "Počet mesiacov 1"), V("N_jednoraz2", "Jednorázová mzda 2"),
                    V("V_mesiace2", "Počet mesiacov 2"), V("Nc_deti", "Nezdaniteľná čiastka na deti"),
                    V("Nc_ine", "Iné nezdaniteľné čiastky"), V("PRHRMEZA", "Pravdepodobný zárobok"),
                    V("Nd_rucne", "Dávky zadané ručne"), V("N_dohody_opc", "Dohody o pracovnej činnosti")}},
              }});
    z.append({QStringLiteral("PAGE_ND"), QStringLiteral("Nemocenské dávky"),
              {
                  {QString(),
                   {V("V_pn1", "PN - dni pásmo 1"), V("V_pn2", "PN - dni pásmo 2"),
                    V("F_pn1", "PN - sadzba 1"), V("F_pn2", "PN - sadzba 2"),
                    V("N_pn1", "Nemocenské 1"), V("N_pn2", "Nemocenské 2"),
                    V("V_ocr1", "OČR - dni 1"), V("V_ocr2", "OČR - dni 2"),
                    V("N_ocr1", "Ošetrovné 1"), V("N_ocr2", "Ošetrovné 2"),
                    V("Cista_denna_mzda", "Čistá denná mzda"), V("U_materska", "Materská"),
                    V("V_materska", "Materská - dni"), V("Nd_materska", "Materské"),
                    V("U_rodic", "Rodičovský príspevok"), V("Nd_rodic", "Rodičovský príspevok"),
                    V("Nd_pridavky", "Prídavky na deti"), V("Nd_ine", "Iné dávky"),
                    R("Nd_spolu", "Dávky spolu")}},
              }});
    return z;
}

Tabulka vytvorFondy()
{
    Tabulka t;
    t.stlpce = {QStringLiteral("Poistenie"), QStringLiteral("Účasť"), QStringLiteral("Sadzba prac."),
                QStringLiteral("Sadzba firma"), QStringLiteral("Poistné prac."), QStringLiteral("Poistné firma")};
    t.riadky = {
        {QStringLiteral("Zdravotné"), {"U_zdrav", "F_zdravot", "Fz_zdravot", "O_zdravot", "Oz_zdravot"}, {}},
        {QStringLiteral("Nemocenské"), {"U_nemoc", "F_nemoc", "Fz_nemoc", "O_nemoc", "Oz_nemoc"}, {}},
        {QStringLiteral("Dôchodkové"), {"U_dochod", "F_dochod", "Fz_dochod", "O_dochod", "Oz_dochod"}, {}},
        {QStringLiteral("V nezamestnanosti"), {"U_fondzam", "F_fondz", "Fz_fondz", "O_fondzam", "Oz_fondzam"}, {}},
        {QStringLiteral("Invalidné"), {"U_invalid", "F_invalid", "Fz_invalid", "O_invalid", "Oz_invalid"}, {}},
    };
    return t;
}

Tabulka vytvorFondyFirmy()
{
    Tabulka t;
    t.stlpce = {QStringLiteral("Poistenie"), QStringLiteral("Účasť"), QStringLiteral("Sadzba firma"),
                QStringLiteral("Poistné firma")};
    t.riadky = {
        {QStringLiteral("Úrazové"), {"U_uraz", "Fz_uraz", "Oz_uraz"}, {}},
        {QStringLiteral("Rezervný fond"), {"U_rezerva", "Fz_rezerva", "Oz_rezerva"}, {}},
        {QStringLiteral("Garančné"), {"U_garancne", "Fz_garfond", "Oz_garancne"}, {}},
    };
    return t;
}

Tabulka vytvorPriplatky()
{
    Tabulka t;
    t.stlpce = {QStringLiteral("Príplatok"), QStringLiteral("Hodiny"), QStringLiteral("Sadzba"),
                QStringLiteral("Druh sadzby"), QStringLiteral("Suma")};
    t.riadky = {
        {QStringLiteral("Nadčas"), {"Vh_nadcas", "Inf.F_NADCAS", "CALC_PRIPL_NADCAS", "Vp_nadcas"}, {}},
        {QStringLiteral("Sobota"), {"Vh_sobota", "Inf.F_SOBOTA", "CALC_PRIPL_SOBOTA", "Vp_sobota"}, {}},
        {QStringLiteral("Nedeľa"), {"Vh_nedela", "Inf.F_NEDELA", "CALC_PRIPL_NEDELA", "Vp_nedela"}, {}},
        {QStringLiteral("Sviatok"), {"Vh_sviatok", "Inf.F_SVIATOK", "CALC_PRIPL_SVIATOK", "Vp_sviatok"}, {}},
        {QStringLiteral("Noc"), {"Vh_noc", "Inf.F_NOC", "CALC_PRIPL_NOC", "Vp_noc"}, {}},
        {QStringLiteral("Sťažené prostredie"), {"Vh_skod", "Inf.F_SKOD", "CALC_PRIPL_SKODP", "Vp_skod"}, {}},
    };
    for (int i = 1; i <= 5; ++i)
        t.riadky.append({QStringLiteral("Príplatok %1").arg(i),
                         {QStringLiteral("Vh_priplat%1").arg(i), QStringLiteral("F_priplat%1").arg(i),
                          QStringLiteral("CALC_PRIPL%1").arg(i), QStringLiteral("Vp_priplat%1").arg(i)},
                         QStringLiteral("F_PRIPLAT%1_TEXT").arg(i)});
    for (int i = 1; i <= 5; ++i)
        t.lenCitanie << QStringLiteral("F_priplat%1").arg(i);
    return t;
}

} // namespace

const QVector<Zalozka> &Zalozky_vyplaty()
{
    static const QVector<Zalozka> z = vytvorZalozky();
    return z;
}

const Tabulka &Tabulka_fondov()
{
    static const Tabulka t = vytvorFondy();
    return t;
}

const Tabulka &Tabulka_fondov_firmy()
{
    static const Tabulka t = vytvorFondyFirmy();
    return t;
}

const Tabulka &Tabulka_priplatkov()
{
    static const Tabulka t = vytvorPriplatky();
    return t;
}

namespace {

void zbieraj(bool vstupne, QStringList &out)
{
    QSet<QString> seen;
    auto add = [&](const QString &f) {
        if (f.isEmpty() || f.startsWith(QStringLiteral("Inf.")) || f.startsWith(QStringLiteral("CALC_")))
            return;
        if (!seen.contains(f.toUpper())) {
            seen.insert(f.toUpper());
            out << f;
        }
    };
    // A field shown for input anywhere is offered for input; a field only shown
    // everywhere is not.
    for (const Zalozka &z : Zalozky_vyplaty())
        for (const Skupina &s : z.skupiny)
            for (const PoleObrazovky &p : s.polia)
                if (!vstupne || !p.lenCitanie)
                    add(p.pole);
    for (const Tabulka *t : {&Tabulka_fondov(), &Tabulka_fondov_firmy(), &Tabulka_priplatkov()})
        for (const Tabulka::Riadok &r : t->riadky)
            for (const QString &f : r.polia)
                if (!vstupne || !t->lenCitanie.contains(f))
                    add(f);
}

} // namespace

QStringList Vstupne_polia()
{
    QStringList out;
    zbieraj(true, out);
    return out;
}

QStringList Zobrazene_polia()
{
    QStringList out;
    zbieraj(false, out);
    return out;
}

} // namespace tarix::payroll::MainVyp
