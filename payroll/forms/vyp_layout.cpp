#include "payroll/forms/vyp_layout.h"

#include "payroll/calc/vyp_record.h"

#include <QSet>

namespace tarix::payroll::MainVyp {

using dbctrl::ControlKind;
using dbctrl::ScreenControl;
using dbctrl::ScreenGroup;
using dbctrl::ScreenPage;

namespace {

// A field of the record as the screen shows it: a check box for a logical field, a list
// that also takes other texts for the exception code, otherwise an edit (numbers to the
// right, the calculation's texts to the left and wider). Calculated fields are only shown.
ScreenControl pole(const QString &field, const QString &label, bool readOnly)
{
    static const QStringList poistenie{"U_ZDRAV", "U_NEMOC", "U_DOCHOD", "U_FONDZAM", "U_INVALID"};
    static const QStringList poistenie2{"U_URAZ", "U_REZERVA", "U_GARANCNE"};
    ScreenControl c{field, label};
    const FieldDef<VypRecord> *def = VypRecord::field(field);
    const QString key = field.toUpper();
    if (def && def->type == FieldType::Logical) {
        c.kind = ControlKind::CheckBox;
    } else if (key == QStringLiteral("VYNIMKA_VZ")) {
        c.kind = ControlKind::Combo;
        c.editable = true;
    } else {
        const bool text = key.startsWith(QStringLiteral("CALC_")) && key != QStringLiteral("CALC_DAN");
        c.alignment = text ? Qt::AlignLeft : Qt::AlignRight;
        c.width = text ? 150 : 80;
    }
    c.readOnly = readOnly || key.startsWith(QStringLiteral("CALC_")) || (def && def->calculated);
    if (poistenie.contains(key))
        c.hint = kHintPoistenie;
    else if (poistenie2.contains(key))
        c.hint = kHintPoistenie2;
    return c;
}

ScreenControl V(const QString &field, const QString &label = {}) { return pole(field, label, false); }
// Only shown: the calculation's result.
ScreenControl R(const QString &field, const QString &label = {}) { return pole(field, label, true); }
// A rate of the firm header, only shown.
ScreenControl INF(const QString &f)
{
    return {.field = f, .readOnly = true, .alignment = Qt::AlignRight, .name = QStringLiteral("DB_INF_") + f,
            .source = kFirmHeaderSource};
}

// One block of fields under a heading.
ScreenGroup skupina(const QString &title, const QVector<ScreenControl> &controls, int row = -1, int column = -1)
{
    return {.title = title, .box = true, .controls = controls, .row = row, .column = column};
}

// A table of fields: one row per item (a fund, a surcharge) under its caption, one column
// per kind.
struct Riadok {
    QString popis;
    QVector<ScreenControl> polia;
    QString popisZHlavicky = {}; // firm-header field holding the caption (free surcharges)
};
ScreenGroup tabulka(const QString &title, const QStringList &headings, const QVector<Riadok> &rows, int row,
                    int column, int columnSpan = 1)
{
    ScreenGroup g{.title = title, .box = true, .headings = headings, .row = row, .column = column,
                  .columnSpan = columnSpan};
    int line = 1;
    for (const Riadok &r : rows) {
        ScreenControl caption{.label = r.popis, .kind = ControlKind::Label, .row = line, .column = 0};
        if (!r.popisZHlavicky.isEmpty())
            caption.name = QStringLiteral("Label_") + r.popisZHlavicky;
        g.controls << caption;
        for (int c = 0; c < r.polia.size(); ++c) {
            ScreenControl cell = r.polia[c];
            cell.row = line;
            cell.column = c + 1;
            g.controls << cell;
        }
        ++line;
    }
    return g;
}

ScreenPage zakladneUdaje()
{
    return {QStringLiteral("PAGE_ZAKLAD"),
            QStringLiteral("Základné údaje"),
            {
                skupina(QStringLiteral("Mzda a odpracovaný čas"),
                        {V("F_doba", "Denný pracovný čas"), V("MV_plat", "Mesačný plat"),
                         V("V_sadzba", "Hodinová sadzba"), V("V_fmes", "Fond pracovných dní"),
                         V("V_den", "Odpracované dni"), V("V_hodina", "Odpracované hodiny"),
                         V("CALC_V_DEN_HOD", "Dni / hodiny"), V("CALC_V_FMES_HOD", "Fond hodín"),
                         R("V_kal_dni", "Kalendárne dni"), V("N_premie", "Prémie"),
                         V("F_typ_premii", "Typ prémií"), V("CALC_TEXT_PREMII", ""),
                         V("F_sadzba_premii", "Sadzba prémií"), V("N_odmeny", "Odmeny"),
                         V("V_priemer1", "Priemerný hodinový zárobok"), V("V_holiday", "Dovolenka (dni)"),
                         V("V_sviatok", "Sviatky (dni)"), V("N_dohody_ovp", "Dohody o vykonaní práce"),
                         V("N_doplatok", "Doplatok")}),
                skupina(QStringLiteral("Zložky mzdy"),
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
                         V("N_odstupne", "Odstupné")}),
                skupina(QStringLiteral("Hrubá a čistá mzda"),
                        {R("N_brutto", "Hrubá mzda"), R("N_poist", "Poistné zamestnanca"),
                         R("N_ddp", "DDP zamestnanec"), R("CALC_DAN", "Daň"),
                         V("D_vyrovnanie", "Ročné zúčtovanie dane"), V("Vyrovnanie_zp", "Ročné zúčtovanie ZP"),
                         R("N_netto", "Čistá mzda"), R("Nd_spolu", "Dávky spolu")}),
                skupina(QStringLiteral("Zrážky a výplata"),
                        {V("Ne_pozicky", "Pôžičky"), V("Ne_odborar", "Odbory"), V("Ne_poistovna", "Poisťovňa"),
                         V("Ne_exekucia", "Sporenie, exekúcie a iné"), V("Ne_stravne", "Stravné"),
                         V("Ne_zaloha", "Záloha"), V("Spor_plat", "Na účet celá mzda"), V("Sporenie", "Sporenie"),
                         R("Vyplata", "K výplate")}),
            },
            3,
            true};
}

ScreenPage poistneADan()
{
    return {QStringLiteral("PAGE_POISTNE"),
            QStringLiteral("Poistné+daň"),
            {
                tabulka(QStringLiteral("Poistenie"),
                        {QStringLiteral("Poistenie"), QStringLiteral("Účasť"), QStringLiteral("Sadzba prac."),
                         QStringLiteral("Sadzba firma"), QStringLiteral("Poistné prac."),
                         QStringLiteral("Poistné firma")},
                        {
                            {QStringLiteral("Zdravotné"),
                             {V("U_zdrav"), V("F_zdravot"), V("Fz_zdravot"), V("O_zdravot"), V("Oz_zdravot")}},
                            {QStringLiteral("Nemocenské"),
                             {V("U_nemoc"), V("F_nemoc"), V("Fz_nemoc"), V("O_nemoc"), V("Oz_nemoc")}},
                            {QStringLiteral("Dôchodkové"),
                             {V("U_dochod"), V("F_dochod"), V("Fz_dochod"), V("O_dochod"), V("Oz_dochod")}},
                            {QStringLiteral("V nezamestnanosti"),
                             {V("U_fondzam"), V("F_fondz"), V("Fz_fondz"), V("O_fondzam"), V("Oz_fondzam")}},
                            {QStringLiteral("Invalidné"),
                             {V("U_invalid"), V("F_invalid"), V("Fz_invalid"), V("O_invalid"), V("Oz_invalid")}},
                        },
                        0, 0, 2),
                tabulka(QStringLiteral("Poistenie platené firmou"),
                        {QStringLiteral("Poistenie"), QStringLiteral("Účasť"), QStringLiteral("Sadzba firma"),
                         QStringLiteral("Poistné firma")},
                        {
                            {QStringLiteral("Úrazové"), {V("U_uraz"), V("Fz_uraz"), V("Oz_uraz")}},
                            {QStringLiteral("Rezervný fond"), {V("U_rezerva"), V("Fz_rezerva"), V("Oz_rezerva")}},
                            {QStringLiteral("Garančné"), {V("U_garancne"), V("Fz_garfond"), V("Oz_garancne")}},
                        },
                        1, 0),
                skupina(QStringLiteral("Poisťovne"),
                        {R("KZP", "Zdravotná poisťovňa"), R("KDP", "Doplnková dôchodková spoločnosť")}, 2, 0),
                skupina(QStringLiteral("Vymeriavacie základy"),
                        {V("N_zaklad_zp", "Zdravotné poistenie"), V("N_zaklad_np", "Nemocenské poistenie"),
                         V("N_zaklad_dp", "Dôchodkové poistenie"), V("N_zaklad_fz", "Poistenie v nezamestnanosti"),
                         V("N_zaklad_ip", "Invalidné poistenie"), V("N_zaklad_up", "Úrazové poistenie"),
                         V("N_zaklad_rf", "Rezervný fond"), V("N_zaklad_gp", "Garančné poistenie"),
                         V("N_zaklad_poist", "Základ poistného u iných zamestnávateľov")},
                        2, 1),
                skupina(QStringLiteral("Daň"),
                        {V("Poc_nezaop_deti", "Počet nezaopatrených detí"), V("Automatika", "Základy poistného vypočítať automaticky"),
                         V("Dan_vyrovnana", "Zrážka dane"), R("F_dan_sadzba1", "Sadzba zrážkovej dane"),
                         R("D_preddavok", "Preddavok na daň"), R("D_dan", "Zrážková daň"),
                         V("D_bonus_predpis", "Daňový bonus (nárok)"), V("D_bonus_cerpany", "Daňový bonus (čerpaný)"),
                         V("Nc_minimum", "Nezdaniteľná čiastka"), V("Pouz_auto", "Zvýš.dane za používanie auta"),
                         V("Zvys_ostatne", "Ost.položky zvyš.základ dane"),
                         V("U_nezdc", "Nezd.čiastka na daňovníka"),
                         V("D_ciastzd1", "Čiastkový základ dane - mesačný"),
                         V("D_ciastzd2", "Čiastkový základ dane - zrážkový")},
                        3, 0),
                skupina(QStringLiteral("Doplnkové dôchodkové sporenie"),
                        {V("N_ddp", "Príspevok zamestnanca"), V("Nz_ddp", "Príspevok zamestnávateľa"),
                         V("N_sadzba_ddp", "Sadzba zamestnanca"), V("Nz_sadzba_ddp", "Sadzba zamestnávateľa")},
                        3, 1),
                skupina(QStringLiteral("Ostatné"),
                        {V("V_nepoisteny", "Kal.dni, za ktoré neplatí poistenie do SP"), V("Miera_poklesu", "Miera poklesu schopnosti"),
                         V("VYNIMKA_VZ", "Výnimka z minimálneho základu"),
                         V("V_nepoist_zp", "Dni bez zdravotného poistenia"), V("Rezerva1", "Platiť garančné z dohôd")},
                        4, 0),
            },
            2,
            true};
}

const QStringList &popisyPriplatkov()
{
    static const QStringList p = [] {
        QStringList l;
        for (int i = 1; i <= 5; ++i)
            l << QStringLiteral("F_PRIPLAT%1_TEXT").arg(i);
        return l;
    }();
    return p;
}

ScreenPage priplatky()
{
    // Hours, the rate (the first six from the firm header, the free ones from the record),
    // the kind of the rate and the amount.
    QVector<Riadok> rows = {
        {QStringLiteral("Nadčas"), {V("Vh_nadcas"), INF("F_NADCAS"), V("CALC_PRIPL_NADCAS"), V("Vp_nadcas")}},
        {QStringLiteral("Sobota"), {V("Vh_sobota"), INF("F_SOBOTA"), V("CALC_PRIPL_SOBOTA"), V("Vp_sobota")}},
        {QStringLiteral("Nedeľa"), {V("Vh_nedela"), INF("F_NEDELA"), V("CALC_PRIPL_NEDELA"), V("Vp_nedela")}},
        {QStringLiteral("Sviatok"), {V("Vh_sviatok"), INF("F_SVIATOK"), V("CALC_PRIPL_SVIATOK"), V("Vp_sviatok")}},
        {QStringLiteral("Noc"), {V("Vh_noc"), INF("F_NOC"), V("CALC_PRIPL_NOC"), V("Vp_noc")}},
        {QStringLiteral("Sťažené prostredie"), {V("Vh_skod"), INF("F_SKOD"), V("CALC_PRIPL_SKODP"), V("Vp_skod")}},
    };
    for (int i = 1; i <= 5; ++i) {
        const QString n = QString::number(i);
        rows.append({QStringLiteral("Príplatok ") + n,
                     {V(QStringLiteral("Vh_priplat") + n), R(QStringLiteral("F_priplat") + n),
                      V(QStringLiteral("CALC_PRIPL") + n), V(QStringLiteral("Vp_priplat") + n)},
                     popisyPriplatkov()[i - 1]});
    }
    ScreenGroup table = tabulka(QStringLiteral("Príplatky"),
                                {QStringLiteral("Príplatok"), QStringLiteral("Hodiny"), QStringLiteral("Sadzba"),
                                 QStringLiteral("Druh sadzby"), QStringLiteral("Suma")},
                                rows, 0, 0);
    table.stretch = 1;
    ScreenGroup sucty = skupina(
        QStringLiteral("Kontrolné súčty"),
        {R("N_priplat", "Príplatky spolu"), V("N_mzda", "Mzda pre priemer"), V("N_zaklad_zp", "Základ ZP"),
         V("N_zaklad_np", "Základ NP"), V("N_zaklad_dp", "Základ DP"), V("N_zaklad_fz", "Základ FZ"),
         R("N_poist1", "Poistné pre mesačné zdanenie"), R("N_poist3", "Poistné z jednorazových príjmov"),
         R("N_poist", "Poistné spolu"), V("D_ciastzd1", "Čiastkový základ dane - mesačný"),
         V("D_ciastzd2", "Čiastkový základ dane - zrážkový"), V("D_ciastzd3", "Čiastkový základ dane - ročný"),
         V("D_zdanmzda1", "Základ dane - mesačný"), V("D_zdanmzda2", "Základ dane - zrážkový"),
         V("D_zdanmzda3", "Základ dane - ročný"), R("D_preddavok1", "Preddavok dane - mesačný"),
         R("D_preddavok3", "Preddavok dane - ročný"), R("D_dan", "Daň zrazená osobitnou sadzbou")},
        0, 1);
    sucty.stretch = 1;
    return {QStringLiteral("PAGE_PRIPL"), QStringLiteral("Príplatky"), {table, sucty}, 2, true};
}

ScreenPage nepouzivane()
{
    ScreenControl prhrmeza = V("PRHRMEZA", "Započítateľný hrubý mesačný zárobok");
    prhrmeza.labelName = QStringLiteral("Label_PRHRMEZA");
    return {QStringLiteral("PAGE_USE"),
            QStringLiteral("Nepoužívané"),
            {skupina(QString(),
                     {V("U_dopravne_mimoriadne", "Úhrada mimoriadnych výdavkov"), V("Dopravne", "Dopravné"),
                      V("Dopravne_mimoriadne", "Dopravné mimoriadne"), V("N_jednoraz1", "Jednorázová mzda 1"),
                      V("V_mesiace1", "Počet mesiacov, za ktoré sa vypláca jednorázová mzda 1"), V("N_jednoraz2", "Jednorázová mzda 2"),
                      V("V_mesiace2", "Počet mesiacov, za ktoré sa vypláca jednorázová mzda 2"), V("Nc_deti", "Nezdaniteľná čiastka na deti"),
                      V("Nc_ine", "Iné nezdaniteľné čiastky"), prhrmeza, V("Nd_rucne", "Ručný výpočet čistej dennej mzdy"),
                      V("N_dohody_opc", "Dohody o pracovnej činnosti")})},
            3,
            true};
}

ScreenPage nemocenskeDavky()
{
    return {QStringLiteral("PAGE_ND"),
            QStringLiteral("Nemocenské dávky"),
            {skupina(QString(),
                     {V("V_pn1", "PN - dni pásmo 1"), V("V_pn2", "PN - dni pásmo 2"), V("F_pn1", "PN - sadzba 1"),
                      V("F_pn2", "PN - sadzba 2"), V("N_pn1", "Nemocenské 1"), V("N_pn2", "Nemocenské 2"),
                      V("V_ocr1", "OČR - dni 1"), V("V_ocr2", "OČR - dni 2"), V("N_ocr1", "Ošetrovné 1"),
                      V("N_ocr2", "Ošetrovné 2"), V("Cista_denna_mzda", "Čistá denná mzda"),
                      V("U_materska", "Peň.pomoc v materstve"), V("V_materska", "Materská - dni"), V("Nd_materska", "Materské"),
                      V("U_rodic", "Rodičovský príspevok"), V("Nd_rodic", "Výška rodičovského príspevku"),
                      V("Nd_pridavky", "Prídavky na deti"), V("Nd_ine", "Iné dávky"), R("Nd_spolu", "Dávky spolu")})},
            3,
            true};
}

} // namespace

const QVector<ScreenPage> &Zalozky_vyplaty()
{
    static const QVector<ScreenPage> z{zakladneUdaje(), poistneADan(), priplatky(), nepouzivane(), nemocenskeDavky()};
    return z;
}

const ScreenGroup &Polia_zrazky()
{
    static const ScreenGroup g{
        .title = QStringLiteral("Zrážka"),
        .box = true,
        .columns = 3,
        .controls = {{"Typ", "Typ zrážky", ControlKind::Edit, {},
                      "Povolené hodnoty sú P(poisťovňa),O(odbory),S(staveb.sporenie), Y(pôžičky) a X(iné)."},
                     {"Predcislo_u", "Predčíslo"},
                     {"Cislo_u", "Číslo účtu"},
                     {"Banka_u", "Kód banky"},
                     {"VSym", "Variabilný symbol"},
                     {"KSym", "Konštantný symbol"},
                     {"SSym_u", "Špecif.symbol"},
                     {"Spp", "Správa pre prijímateľa"},
                     {"Suma", "Suma"},
                     {"Typ_sumy", "Typ sumy"},
                     {"Poznamka", "Poznámka"}},
    };
    return g;
}

const QStringList &Popisy_priplatkov() { return popisyPriplatkov(); }

namespace {

// Fields of the record on the tabs (not the firm header's, not the calculated texts).
void zbieraj(bool vstupne, QStringList &out)
{
    QSet<QString> seen;
    // A field shown for input anywhere is offered for input; a field only shown
    // everywhere is not.
    for (const ScreenPage &page : Zalozky_vyplaty())
        for (const ScreenGroup &group : page.groups)
            for (const ScreenControl &c : group.controls) {
                const QString &f = c.field;
                if (f.isEmpty() || !c.source.isEmpty() || f.startsWith(QStringLiteral("CALC_")))
                    continue;
                if (vstupne && c.readOnly)
                    continue;
                if (!seen.contains(f.toUpper())) {
                    seen.insert(f.toUpper());
                    out << f;
                }
            }
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
