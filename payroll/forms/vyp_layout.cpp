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
// Without a caption the field's label (the payroll module's) stands beside it; a caption
// given here is the field's name in that group only.
ScreenControl pole(const QString &field, const QString &label, bool readOnly)
{
    static const QStringList poistenie{"U_ZDRAV", "U_NEMOC", "U_DOCHOD", "U_FONDZAM", "U_INVALID"};
    static const QStringList poistenie2{"U_URAZ", "U_REZERVA", "U_GARANCNE"};
    ScreenControl c{field, label};
    const FieldDef<PayRecord> *def = PayRecord::field(field);
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
ScreenControl informationTab(const QString &f)
{
    return {.field = f, .readOnly = true, .alignment = Qt::AlignRight, .name = QStringLiteral("DB_INF_") + f,
            .source = kFirmHeaderSource};
}

// One block of fields under a heading.
ScreenGroup fieldGroup(const QString &title, const QVector<ScreenControl> &controls, int row = -1, int column = -1)
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

ScreenPage basicFields()
{
    return {QStringLiteral("PAGE_ZAKLAD"),
            QStringLiteral("Základné údaje"),
            {
                fieldGroup(QStringLiteral("Mzda a odpracovaný čas"),
                        {V("F_doba"), V("MV_plat"),
                         V("V_sadzba"), V("V_fmes"),
                         V("V_den"), V("V_hodina"),
                         V("CALC_V_DEN_HOD"), V("CALC_V_FMES_HOD"),
                         R("V_kal_dni"), V("N_premie"),
                         V("F_typ_premii"), V("CALC_TEXT_PREMII", ""),
                         V("F_sadzba_premii"), V("N_odmeny"),
                         V("V_priemer1"), V("V_holiday"),
                         V("V_sviatok"), V("N_dohody_ovp"),
                         V("N_doplatok")}),
                fieldGroup(QStringLiteral("Zložky mzdy"),
                        {R("V_plat"), R("N_holiday"),
                         R("N_sviatok"), R("N_priplat"),
                         V("N_ukolova"), R("N_nadcas"),
                         V("Vh_nahrada"), R("N_nahrada"),
                         V("Vh_nemohol"), R("N_nemohol"),
                         V("V_nahrada_pn1"), V("V_nahrada_pn2"),
                         R("N_nahrada_pn"), V("V_priemer2"),
                         V("V_absencia"), V("V_nepl_volno"),
                         V("N_mimo_poistne"), V("N_socfond"),
                         V("N_clenovia_organov"), V("N_pohotovost"),
                         V("N_odstupne")}),
                fieldGroup(QStringLiteral("Hrubá a čistá mzda"),
                        {R("N_brutto"), R("N_poist"),
                         R("N_ddp"), R("CALC_DAN"),
                         V("D_vyrovnanie"), V("Vyrovnanie_zp"),
                         R("N_netto"), R("Nd_spolu")}),
                fieldGroup(QStringLiteral("Zrážky a výplata"),
                        {V("Ne_pozicky"), V("Ne_odborar"), V("Ne_poistovna"),
                         V("Ne_exekucia"), V("Ne_stravne"),
                         V("Ne_zaloha"), V("Spor_plat"), V("Sporenie"),
                         R("Vyplata")}),
            },
            3,
            true};
}

ScreenPage insuranceAndTax()
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
                fieldGroup(QStringLiteral("Poisťovne"),
                        {R("KZP"), R("KDP")}, 2, 0),
                fieldGroup(QStringLiteral("Vymeriavacie základy"),
                        {V("N_zaklad_zp", "Zdravotné poistenie"), V("N_zaklad_np", "Nemocenské poistenie"),
                         V("N_zaklad_dp", "Dôchodkové poistenie"), V("N_zaklad_fz", "Poistenie v nezamestnanosti"),
                         V("N_zaklad_ip"), V("N_zaklad_up"),
                         V("N_zaklad_rf"), V("N_zaklad_gp"),
                         V("N_zaklad_poist")},
                        2, 1),
                fieldGroup(QStringLiteral("Daň"),
                        {V("Poc_nezaop_deti"), V("Automatika"),
                         V("Dan_vyrovnana"), R("F_dan_sadzba1"),
                         R("D_preddavok"), R("D_dan"),
                         V("D_bonus_predpis"), V("D_bonus_cerpany"),
                         V("Nc_minimum"), V("Pouz_auto"),
                         V("Zvys_ostatne"),
                         V("U_nezdc"),
                         V("D_ciastzd1"),
                         V("D_ciastzd2")},
                        3, 0),
                fieldGroup(QStringLiteral("Doplnkové dôchodkové sporenie"),
                        {V("N_ddp", "Príspevok zamestnanca"), V("Nz_ddp"),
                         V("N_sadzba_ddp"), V("Nz_sadzba_ddp")},
                        3, 1),
                fieldGroup(QStringLiteral("Ostatné"),
                        {V("V_nepoisteny"), V("Miera_poklesu"),
                         V("VYNIMKA_VZ"),
                         V("V_nepoist_zp"), V("Rezerva1")},
                        4, 0),
            },
            2,
            true};
}

const QStringList &surchargeLabelList()
{
    static const QStringList p = [] {
        QStringList l;
        for (int i = 1; i <= 5; ++i)
            l << QStringLiteral("F_PRIPLAT%1_TEXT").arg(i);
        return l;
    }();
    return p;
}

ScreenPage surchargeFields()
{
    // Hours, the rate (the first six from the firm header, the free ones from the record),
    // the kind of the rate and the amount.
    QVector<Riadok> rows = {
        {QStringLiteral("Nadčas"), {V("Vh_nadcas"), informationTab("F_NADCAS"), V("CALC_PRIPL_NADCAS"), V("Vp_nadcas")}},
        {QStringLiteral("Sobota"), {V("Vh_sobota"), informationTab("F_SOBOTA"), V("CALC_PRIPL_SOBOTA"), V("Vp_sobota")}},
        {QStringLiteral("Nedeľa"), {V("Vh_nedela"), informationTab("F_NEDELA"), V("CALC_PRIPL_NEDELA"), V("Vp_nedela")}},
        {QStringLiteral("Sviatok"), {V("Vh_sviatok"), informationTab("F_SVIATOK"), V("CALC_PRIPL_SVIATOK"), V("Vp_sviatok")}},
        {QStringLiteral("Noc"), {V("Vh_noc"), informationTab("F_NOC"), V("CALC_PRIPL_NOC"), V("Vp_noc")}},
        {QStringLiteral("Sťažené prostredie"), {V("Vh_skod"), informationTab("F_SKOD"), V("CALC_PRIPL_SKODP"), V("Vp_skod")}},
    };
    for (int i = 1; i <= 5; ++i) {
        const QString n = QString::number(i);
        rows.append({surchargeCaption(i, {}),
                     {V(QStringLiteral("Vh_priplat") + n), R(QStringLiteral("F_priplat") + n),
                      V(QStringLiteral("CALC_PRIPL") + n), V(QStringLiteral("Vp_priplat") + n)},
                     surchargeLabelList()[i - 1]});
    }
    ScreenGroup table = tabulka(QStringLiteral("Príplatky"),
                                {QStringLiteral("Príplatok"), QStringLiteral("Hodiny"), QStringLiteral("Sadzba"),
                                 QStringLiteral("Druh sadzby"), QStringLiteral("Suma")},
                                rows, 0, 0);
    table.stretch = 1;
    ScreenGroup sucty = fieldGroup(
        QStringLiteral("Kontrolné súčty"),
        {R("N_priplat", "Príplatky spolu"), V("N_mzda"), V("N_zaklad_zp"),
         V("N_zaklad_np"), V("N_zaklad_dp"), V("N_zaklad_fz"),
         R("N_poist1"), R("N_poist3"),
         R("N_poist", "Poistné spolu"), V("D_ciastzd1"),
         V("D_ciastzd2"), V("D_ciastzd3"),
         V("D_zdanmzda1"), V("D_zdanmzda2"),
         V("D_zdanmzda3"), R("D_preddavok1"),
         R("D_preddavok3"), R("D_dan", "Daň zrazená osobitnou sadzbou")},
        0, 1);
    sucty.stretch = 1;
    return {QStringLiteral("PAGE_PRIPL"), QStringLiteral("Príplatky"), {table, sucty}, 2, true};
}

ScreenPage unused()
{
    ScreenControl prhrmeza = V("PRHRMEZA");
    prhrmeza.labelName = QStringLiteral("Label_PRHRMEZA");
    return {QStringLiteral("PAGE_USE"),
            QStringLiteral("Nepoužívané"),
            {fieldGroup(QString(),
                     {V("U_dopravne_mimoriadne"), V("Dopravne"),
                      V("Dopravne_mimoriadne"), V("N_jednoraz1"),
                      V("V_mesiace1"), V("N_jednoraz2"),
                      V("V_mesiace2"), V("Nc_deti"),
                      V("Nc_ine"), prhrmeza, V("Nd_rucne"),
                      V("N_dohody_opc")})},
            3,
            true};
}

ScreenPage sicknessBenefits()
{
    return {QStringLiteral("PAGE_ND"),
            QStringLiteral("Nemocenské dávky"),
            {fieldGroup(QString(),
                     {V("V_pn1"), V("V_pn2"), V("F_pn1"),
                      V("F_pn2"), V("N_pn1"), V("N_pn2"),
                      V("V_ocr1"), V("V_ocr2"), V("N_ocr1"),
                      V("N_ocr2"), V("Cista_denna_mzda"),
                      V("U_materska"), V("V_materska"), V("Nd_materska"),
                      V("U_rodic"), V("Nd_rodic"),
                      V("Nd_pridavky"), V("Nd_ine"), R("Nd_spolu")})},
            3,
            true};
}

} // namespace

const QVector<ScreenPage> &payrollTabs()
{
    static const QVector<ScreenPage> z{basicFields(), insuranceAndTax(), surchargeFields(), unused(), sicknessBenefits()};
    return z;
}

const ScreenGroup &deductionFields()
{
    static const ScreenGroup g{
        .title = QStringLiteral("Zrážka"),
        .box = true,
        .columns = 3,
        .controls = {{"Typ", {}, ControlKind::Edit, {},
                      "Povolené hodnoty sú P(poisťovňa),O(odbory),S(staveb.sporenie), Y(pôžičky) a X(iné)."},
                     {"Predcislo_u"},
                     {"Cislo_u"},
                     {"Banka_u"},
                     {"VSym"},
                     {"KSym"},
                     {"SSym_u"},
                     {"Spp"},
                     {"Suma"},
                     {"Typ_sumy"},
                     {"Poznamka"}},
    };
    return g;
}

const QStringList &surchargeLabels() { return surchargeLabelList(); }

QString surchargeCaption(int number, const QString &firmName)
{
    const QString name = firmName.trimmed();
    return name.isEmpty() ? QStringLiteral("Príplatok %1").arg(number) : name;
}

namespace {

// Fields of the record on the tabs (not the firm header's, not the calculated texts).
void collectFields(bool vstupne, QStringList &out)
{
    QSet<QString> seen;
    // A field shown for input anywhere is offered for input; a field only shown
    // everywhere is not.
    for (const ScreenPage &page : payrollTabs())
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

QStringList inputFields()
{
    QStringList out;
    collectFields(true, out);
    return out;
}

QStringList shownFields()
{
    QStringList out;
    collectFields(false, out);
    return out;
}

} // namespace tarix::payroll::MainVyp
