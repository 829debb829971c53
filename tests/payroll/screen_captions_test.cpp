// Every caption on the payroll screen's tabs names the field beside it: the clerk types a
// value where the caption tells him, so a caption that names another field puts the value
// into the wrong base, rate or switch.
#include "screen_fixture.h"

#include "platform/dbctrl/screen_description.h"

#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>

#include <map>
#include <utility>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::screentest;

namespace {

struct Popis {
    const char *tabNamed;
    const char *pole;
    const char *text; // a table's cell: caption of its row " / " heading of its column
};

// What each field is, as the clerk reads it, tab by tab.
const Popis kPopisy[] = {
    // Basic data: wage and time worked
    {"PAGE_ZAKLAD", "F_doba", "Denný pracovný čas"},
    {"PAGE_ZAKLAD", "MV_plat", "Mesačný plat"},
    {"PAGE_ZAKLAD", "V_sadzba", "Hodinová sadzba"},
    {"PAGE_ZAKLAD", "V_fmes", "Fond pracovných dní"},
    {"PAGE_ZAKLAD", "V_den", "Odpracované dni"},
    {"PAGE_ZAKLAD", "V_hodina", "Odpracované hodiny"},
    {"PAGE_ZAKLAD", "CALC_V_DEN_HOD", "Dni / hodiny"},
    {"PAGE_ZAKLAD", "CALC_V_FMES_HOD", "Fond hodín"},
    {"PAGE_ZAKLAD", "V_kal_dni", "Kalendárne dni"},
    {"PAGE_ZAKLAD", "N_premie", "Prémie"},
    {"PAGE_ZAKLAD", "F_typ_premii", "Typ prémií"},
    {"PAGE_ZAKLAD", "CALC_TEXT_PREMII", ""}, // the text of the premium type beside it
    {"PAGE_ZAKLAD", "F_sadzba_premii", "Sadzba prémií"},
    {"PAGE_ZAKLAD", "N_odmeny", "Odmeny"},
    {"PAGE_ZAKLAD", "V_priemer1", "Priemerný hodinový zárobok"},
    {"PAGE_ZAKLAD", "V_holiday", "Dovolenka (dni)"},
    {"PAGE_ZAKLAD", "V_sviatok", "Sviatky (dni)"},
    {"PAGE_ZAKLAD", "N_dohody_ovp", "Dohody o vykonaní práce"},
    {"PAGE_ZAKLAD", "N_doplatok", "Doplatok"},
    // components of the wage
    {"PAGE_ZAKLAD", "V_plat", "Základná mzda"},
    {"PAGE_ZAKLAD", "N_holiday", "Náhrada za dovolenku"},
    {"PAGE_ZAKLAD", "N_sviatok", "Náhrada za sviatok"},
    {"PAGE_ZAKLAD", "N_priplat", "Príplatky"},
    {"PAGE_ZAKLAD", "N_ukolova", "Výkonová mzda"},
    {"PAGE_ZAKLAD", "N_nadcas", "Mzda za nadčas"},
    {"PAGE_ZAKLAD", "Vh_nahrada", "Hodiny náhrady"},
    {"PAGE_ZAKLAD", "N_nahrada", "Náhrada mzdy"},
    {"PAGE_ZAKLAD", "Vh_nemohol", "Hodiny prekážok"},
    {"PAGE_ZAKLAD", "N_nemohol", "Náhrada za prekážky"},
    {"PAGE_ZAKLAD", "V_nahrada_pn1", "Dni náhrady PN 1"},
    {"PAGE_ZAKLAD", "V_nahrada_pn2", "Dni náhrady PN 2"},
    {"PAGE_ZAKLAD", "N_nahrada_pn", "Náhrada príjmu pri PN"},
    {"PAGE_ZAKLAD", "V_priemer2", "Priemerný denný zárobok"},
    {"PAGE_ZAKLAD", "V_absencia", "Absencia (dni)"},
    {"PAGE_ZAKLAD", "V_nepl_volno", "Neplatené voľno (dni)"},
    {"PAGE_ZAKLAD", "N_mimo_poistne", "Príjem mimo poistného"},
    {"PAGE_ZAKLAD", "N_socfond", "Sociálny fond"},
    {"PAGE_ZAKLAD", "N_clenovia_organov", "Členovia orgánov"},
    {"PAGE_ZAKLAD", "N_pohotovost", "Pohotovosť"},
    {"PAGE_ZAKLAD", "N_odstupne", "Odstupné"},
    // gross and net
    {"PAGE_ZAKLAD", "N_brutto", "Hrubá mzda"},
    {"PAGE_ZAKLAD", "N_poist", "Poistné zamestnanca"},
    {"PAGE_ZAKLAD", "N_ddp", "DDP zamestnanec"},
    {"PAGE_ZAKLAD", "CALC_DAN", "Daň"},
    {"PAGE_ZAKLAD", "D_vyrovnanie", "Ročné zúčtovanie dane"},
    {"PAGE_ZAKLAD", "Vyrovnanie_zp", "Ročné zúčtovanie ZP"},
    {"PAGE_ZAKLAD", "N_netto", "Čistá mzda"},
    {"PAGE_ZAKLAD", "Nd_spolu", "Dávky spolu"},
    // deductions and payout
    {"PAGE_ZAKLAD", "Ne_pozicky", "Pôžičky"},
    {"PAGE_ZAKLAD", "Ne_odborar", "Odbory"},
    {"PAGE_ZAKLAD", "Ne_poistovna", "Poisťovňa"},
    {"PAGE_ZAKLAD", "Ne_exekucia", "Sporenie, exekúcie a iné"},
    {"PAGE_ZAKLAD", "Ne_stravne", "Stravné"},
    {"PAGE_ZAKLAD", "Ne_zaloha", "Záloha"},
    {"PAGE_ZAKLAD", "Spor_plat", "Na účet celá mzda"},
    {"PAGE_ZAKLAD", "Sporenie", "Sporenie"},
    {"PAGE_ZAKLAD", "Vyplata", "K výplate"},

    // Contributions and tax: the funds the employee and the firm pay
    {"PAGE_POISTNE", "U_zdrav", "Zdravotné / Účasť"},
    {"PAGE_POISTNE", "F_zdravot", "Zdravotné / Sadzba prac."},
    {"PAGE_POISTNE", "Fz_zdravot", "Zdravotné / Sadzba firma"},
    {"PAGE_POISTNE", "O_zdravot", "Zdravotné / Poistné prac."},
    {"PAGE_POISTNE", "Oz_zdravot", "Zdravotné / Poistné firma"},
    {"PAGE_POISTNE", "U_nemoc", "Nemocenské / Účasť"},
    {"PAGE_POISTNE", "F_nemoc", "Nemocenské / Sadzba prac."},
    {"PAGE_POISTNE", "Fz_nemoc", "Nemocenské / Sadzba firma"},
    {"PAGE_POISTNE", "O_nemoc", "Nemocenské / Poistné prac."},
    {"PAGE_POISTNE", "Oz_nemoc", "Nemocenské / Poistné firma"},
    {"PAGE_POISTNE", "U_dochod", "Dôchodkové / Účasť"},
    {"PAGE_POISTNE", "F_dochod", "Dôchodkové / Sadzba prac."},
    {"PAGE_POISTNE", "Fz_dochod", "Dôchodkové / Sadzba firma"},
    {"PAGE_POISTNE", "O_dochod", "Dôchodkové / Poistné prac."},
    {"PAGE_POISTNE", "Oz_dochod", "Dôchodkové / Poistné firma"},
    {"PAGE_POISTNE", "U_fondzam", "V nezamestnanosti / Účasť"},
    {"PAGE_POISTNE", "F_fondz", "V nezamestnanosti / Sadzba prac."},
    {"PAGE_POISTNE", "Fz_fondz", "V nezamestnanosti / Sadzba firma"},
    {"PAGE_POISTNE", "O_fondzam", "V nezamestnanosti / Poistné prac."},
    {"PAGE_POISTNE", "Oz_fondzam", "V nezamestnanosti / Poistné firma"},
    {"PAGE_POISTNE", "U_invalid", "Invalidné / Účasť"},
    {"PAGE_POISTNE", "F_invalid", "Invalidné / Sadzba prac."},
    {"PAGE_POISTNE", "Fz_invalid", "Invalidné / Sadzba firma"},
    {"PAGE_POISTNE", "O_invalid", "Invalidné / Poistné prac."},
    {"PAGE_POISTNE", "Oz_invalid", "Invalidné / Poistné firma"},
    // the funds only the firm pays
    {"PAGE_POISTNE", "U_uraz", "Úrazové / Účasť"},
    {"PAGE_POISTNE", "Fz_uraz", "Úrazové / Sadzba firma"},
    {"PAGE_POISTNE", "Oz_uraz", "Úrazové / Poistné firma"},
    {"PAGE_POISTNE", "U_rezerva", "Rezervný fond / Účasť"},
    {"PAGE_POISTNE", "Fz_rezerva", "Rezervný fond / Sadzba firma"},
    {"PAGE_POISTNE", "Oz_rezerva", "Rezervný fond / Poistné firma"},
    {"PAGE_POISTNE", "U_garancne", "Garančné / Účasť"},
    {"PAGE_POISTNE", "Fz_garfond", "Garančné / Sadzba firma"},
    {"PAGE_POISTNE", "Oz_garancne", "Garančné / Poistné firma"},
    // insurers
    {"PAGE_POISTNE", "KZP", "Zdravotná poisťovňa"},
    {"PAGE_POISTNE", "KDP", "Doplnková dôchodková spoločnosť"},
    // assessment bases; the last one is what other employers pay on, not this one's
    {"PAGE_POISTNE", "N_zaklad_zp", "Zdravotné poistenie"},
    {"PAGE_POISTNE", "N_zaklad_np", "Nemocenské poistenie"},
    {"PAGE_POISTNE", "N_zaklad_dp", "Dôchodkové poistenie"},
    {"PAGE_POISTNE", "N_zaklad_fz", "Poistenie v nezamestnanosti"},
    {"PAGE_POISTNE", "N_zaklad_ip", "Invalidné poistenie"},
    {"PAGE_POISTNE", "N_zaklad_up", "Úrazové poistenie"},
    {"PAGE_POISTNE", "N_zaklad_rf", "Rezervný fond"},
    {"PAGE_POISTNE", "N_zaklad_gp", "Garančné poistenie"},
    {"PAGE_POISTNE", "N_zaklad_poist", "Základ poistného u iných zamestnávateľov"},
    // tax: the second partial base is the withholding tax's
    {"PAGE_POISTNE", "Poc_nezaop_deti", "Počet nezaopatrených detí"},
    {"PAGE_POISTNE", "Automatika", "Základy poistného vypočítať automaticky"},
    {"PAGE_POISTNE", "Dan_vyrovnana", "Zrážka dane"},
    {"PAGE_POISTNE", "F_dan_sadzba1", "Sadzba zrážkovej dane"},
    {"PAGE_POISTNE", "D_preddavok", "Preddavok na daň"},
    {"PAGE_POISTNE", "D_dan", "Zrážková daň"},
    {"PAGE_POISTNE", "D_bonus_predpis", "Daňový bonus (nárok)"},
    {"PAGE_POISTNE", "D_bonus_cerpany", "Daňový bonus (čerpaný)"},
    {"PAGE_POISTNE", "Nc_minimum", "Nezdaniteľná čiastka"},
    {"PAGE_POISTNE", "Pouz_auto", "Zvýš.dane za používanie auta"},
    {"PAGE_POISTNE", "Zvys_ostatne", "Ost.položky zvyš.základ dane"},
    {"PAGE_POISTNE", "U_nezdc", "Nezd.čiastka na daňovníka"},
    {"PAGE_POISTNE", "D_ciastzd1", "Čiastkový základ dane - mesačný"},
    {"PAGE_POISTNE", "D_ciastzd2", "Čiastkový základ dane - zrážkový"},
    // supplementary pension saving
    {"PAGE_POISTNE", "N_ddp", "Príspevok zamestnanca"},
    {"PAGE_POISTNE", "Nz_ddp", "Príspevok zamestnávateľa"},
    {"PAGE_POISTNE", "N_sadzba_ddp", "Sadzba zamestnanca"},
    {"PAGE_POISTNE", "Nz_sadzba_ddp", "Sadzba zamestnávateľa"},
    // others; Rezerva1 is the switch of guarantee insurance from agreements
    {"PAGE_POISTNE", "V_nepoisteny", "Kal.dni, za ktoré neplatí poistenie do SP"},
    {"PAGE_POISTNE", "Miera_poklesu", "Miera poklesu schopnosti"},
    {"PAGE_POISTNE", "VYNIMKA_VZ", "Výnimka z minimálneho základu"},
    {"PAGE_POISTNE", "V_nepoist_zp", "Dni bez zdravotného poistenia"},
    {"PAGE_POISTNE", "Rezerva1", "Platiť garančné z dohôd"},

    // Surcharges: the six fixed ones with the firm's rates, the five free ones named by the
    // firm (the demo firm names only the first)
    {"PAGE_PRIPL", "Vh_nadcas", "Nadčas / Hodiny"},
    {"PAGE_PRIPL", "F_NADCAS", "Nadčas / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL_NADCAS", "Nadčas / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_nadcas", "Nadčas / Suma"},
    {"PAGE_PRIPL", "Vh_sobota", "Sobota / Hodiny"},
    {"PAGE_PRIPL", "F_SOBOTA", "Sobota / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL_SOBOTA", "Sobota / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_sobota", "Sobota / Suma"},
    {"PAGE_PRIPL", "Vh_nedela", "Nedeľa / Hodiny"},
    {"PAGE_PRIPL", "F_NEDELA", "Nedeľa / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL_NEDELA", "Nedeľa / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_nedela", "Nedeľa / Suma"},
    {"PAGE_PRIPL", "Vh_sviatok", "Sviatok / Hodiny"},
    {"PAGE_PRIPL", "F_SVIATOK", "Sviatok / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL_SVIATOK", "Sviatok / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_sviatok", "Sviatok / Suma"},
    {"PAGE_PRIPL", "Vh_noc", "Noc / Hodiny"},
    {"PAGE_PRIPL", "F_NOC", "Noc / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL_NOC", "Noc / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_noc", "Noc / Suma"},
    {"PAGE_PRIPL", "Vh_skod", "Sťažené prostredie / Hodiny"},
    {"PAGE_PRIPL", "F_SKOD", "Sťažené prostredie / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL_SKODP", "Sťažené prostredie / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_skod", "Sťažené prostredie / Suma"},
    {"PAGE_PRIPL", "Vh_priplat1", "práca vo výškach / Hodiny"},
    {"PAGE_PRIPL", "F_priplat1", "práca vo výškach / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL1", "práca vo výškach / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_priplat1", "práca vo výškach / Suma"},
    {"PAGE_PRIPL", "Vh_priplat2", "Príplatok 2 / Hodiny"},
    {"PAGE_PRIPL", "F_priplat2", "Príplatok 2 / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL2", "Príplatok 2 / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_priplat2", "Príplatok 2 / Suma"},
    {"PAGE_PRIPL", "Vh_priplat3", "Príplatok 3 / Hodiny"},
    {"PAGE_PRIPL", "F_priplat3", "Príplatok 3 / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL3", "Príplatok 3 / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_priplat3", "Príplatok 3 / Suma"},
    {"PAGE_PRIPL", "Vh_priplat4", "Príplatok 4 / Hodiny"},
    {"PAGE_PRIPL", "F_priplat4", "Príplatok 4 / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL4", "Príplatok 4 / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_priplat4", "Príplatok 4 / Suma"},
    {"PAGE_PRIPL", "Vh_priplat5", "Príplatok 5 / Hodiny"},
    {"PAGE_PRIPL", "F_priplat5", "Príplatok 5 / Sadzba"},
    {"PAGE_PRIPL", "CALC_PRIPL5", "Príplatok 5 / Druh sadzby"},
    {"PAGE_PRIPL", "Vp_priplat5", "Príplatok 5 / Suma"},
    // control totals: index 2 is the withholding tax's, index 3 the one-off income's taxed
    // by the annual bands
    {"PAGE_PRIPL", "N_priplat", "Príplatky spolu"},
    {"PAGE_PRIPL", "N_mzda", "Mzda pre priemer"},
    {"PAGE_PRIPL", "N_zaklad_zp", "Základ ZP"},
    {"PAGE_PRIPL", "N_zaklad_np", "Základ NP"},
    {"PAGE_PRIPL", "N_zaklad_dp", "Základ DP"},
    {"PAGE_PRIPL", "N_zaklad_fz", "Základ FZ"},
    {"PAGE_PRIPL", "N_poist1", "Poistné pre mesačné zdanenie"},
    {"PAGE_PRIPL", "N_poist3", "Poistné z jednorazových príjmov"},
    {"PAGE_PRIPL", "N_poist", "Poistné spolu"},
    {"PAGE_PRIPL", "D_ciastzd1", "Čiastkový základ dane - mesačný"},
    {"PAGE_PRIPL", "D_ciastzd2", "Čiastkový základ dane - zrážkový"},
    {"PAGE_PRIPL", "D_ciastzd3", "Čiastkový základ dane - ročný"},
    {"PAGE_PRIPL", "D_zdanmzda1", "Základ dane - mesačný"},
    {"PAGE_PRIPL", "D_zdanmzda2", "Základ dane - zrážkový"},
    {"PAGE_PRIPL", "D_zdanmzda3", "Základ dane - ročný"},
    {"PAGE_PRIPL", "D_preddavok1", "Preddavok dane - mesačný"},
    {"PAGE_PRIPL", "D_preddavok3", "Preddavok dane - ročný"},
    {"PAGE_PRIPL", "D_dan", "Daň zrazená osobitnou sadzbou"},

    // The deduction under the deductions grid
    {"PAGE_ZRAZKY", "Typ", "Typ zrážky"},
    {"PAGE_ZRAZKY", "Predcislo_u", "Predčíslo"},
    {"PAGE_ZRAZKY", "Cislo_u", "Číslo účtu"},
    {"PAGE_ZRAZKY", "Banka_u", "Kód banky"},
    {"PAGE_ZRAZKY", "VSym", "Variabilný symbol"},
    {"PAGE_ZRAZKY", "KSym", "Konštantný symbol"},
    {"PAGE_ZRAZKY", "SSym_u", "Špecif.symbol"},
    {"PAGE_ZRAZKY", "Spp", "Správa pre prijímateľa"},
    {"PAGE_ZRAZKY", "Suma", "Suma"},
    {"PAGE_ZRAZKY", "Typ_sumy", "Typ sumy"},
    {"PAGE_ZRAZKY", "Poznamka", "Poznámka"},

    // Fields of the years before 2005; Nd_rucne keeps the typed net daily wage
    {"PAGE_USE", "U_dopravne_mimoriadne", "Úhrada mimoriadnych výdavkov"},
    {"PAGE_USE", "Dopravne", "Dopravné"},
    {"PAGE_USE", "Dopravne_mimoriadne", "Dopravné mimoriadne"},
    {"PAGE_USE", "N_jednoraz1", "Jednorázová mzda 1"},
    {"PAGE_USE", "V_mesiace1", "Počet mesiacov, za ktoré sa vypláca jednorázová mzda 1"},
    {"PAGE_USE", "N_jednoraz2", "Jednorázová mzda 2"},
    {"PAGE_USE", "V_mesiace2", "Počet mesiacov, za ktoré sa vypláca jednorázová mzda 2"},
    {"PAGE_USE", "Nc_deti", "Nezdaniteľná čiastka na deti"},
    {"PAGE_USE", "Nc_ine", "Iné nezdaniteľné čiastky"},
    {"PAGE_USE", "PRHRMEZA", "Započítateľný hrubý mesačný zárobok"},
    {"PAGE_USE", "Nd_rucne", "Ručný výpočet čistej dennej mzdy"},
    {"PAGE_USE", "N_dohody_opc", "Dohody o pracovnej činnosti"},

    // Sickness and state benefits
    {"PAGE_ND", "V_pn1", "PN - dni pásmo 1"},
    {"PAGE_ND", "V_pn2", "PN - dni pásmo 2"},
    {"PAGE_ND", "F_pn1", "PN - sadzba 1"},
    {"PAGE_ND", "F_pn2", "PN - sadzba 2"},
    {"PAGE_ND", "N_pn1", "Nemocenské 1"},
    {"PAGE_ND", "N_pn2", "Nemocenské 2"},
    {"PAGE_ND", "V_ocr1", "OČR - dni 1"},
    {"PAGE_ND", "V_ocr2", "OČR - dni 2"},
    {"PAGE_ND", "N_ocr1", "Ošetrovné 1"},
    {"PAGE_ND", "N_ocr2", "Ošetrovné 2"},
    {"PAGE_ND", "Cista_denna_mzda", "Čistá denná mzda"},
    {"PAGE_ND", "U_materska", "Peň.pomoc v materstve"},
    {"PAGE_ND", "V_materska", "Materská - dni"},
    {"PAGE_ND", "Nd_materska", "Materské"},
    {"PAGE_ND", "U_rodic", "Rodičovský príspevok"},
    {"PAGE_ND", "Nd_rodic", "Výška rodičovského príspevku"},
    {"PAGE_ND", "Nd_pridavky", "Prídavky na deti"},
    {"PAGE_ND", "Nd_ine", "Iné dávky"},
    {"PAGE_ND", "Nd_spolu", "Dávky spolu"},
};

using Kluc = std::pair<QString, QString>; // tab, field (upper case)

QString pole(const QWidget *w) { return w->property(dbctrl::kFieldProperty).toString(); }

// The caption of a cell of a table: its row's caption and its column's heading.
QString popisBunky(QGridLayout *grid, int row, int column)
{
    auto text = [grid](int r, int c) {
        QLayoutItem *item = grid->itemAtPosition(r, c);
        auto *label = item ? qobject_cast<QLabel *>(item->widget()) : nullptr;
        return label ? label->text() : QStringLiteral("?");
    };
    return text(row, 0) + QStringLiteral(" / ") + text(0, column);
}

// Every data control of the record's tabs with the caption the clerk reads for it: the
// label whose buddy it is, or in a table its row's caption and its column's heading. A
// control without a caption gets "(none)", one with two of them both.
std::multimap<Kluc, QString> popisyObrazovky(QTabWidget *tabs)
{
    std::multimap<Kluc, QString> out;
    for (int i = 0; i < tabs->count(); ++i) {
        QWidget *page = tabs->widget(i);
        QHash<const QWidget *, QStringList> captions;
        for (QLabel *label : page->findChildren<QLabel *>())
            if (label->buddy())
                captions[label->buddy()] << label->text();
        for (QWidget *w : page->findChildren<QWidget *>()) {
            if (pole(w).isEmpty() || !w->parentWidget())
                continue;
            QStringList texts = captions.value(w);
            if (auto *grid = qobject_cast<QGridLayout *>(w->parentWidget()->layout()); grid && texts.isEmpty()) {
                int row = 0, column = 0, rs = 0, cs = 0;
                const int index = grid->indexOf(w);
                if (index >= 0) {
                    grid->getItemPosition(index, &row, &column, &rs, &cs);
                    auto *heading = grid->itemAtPosition(0, column);
                    // A table has headings in row 0; a form of pairs has none there.
                    if (row > 0 && column > 0 && heading && qobject_cast<QLabel *>(heading->widget()))
                        texts << popisBunky(grid, row, column);
                }
            }
            if (texts.isEmpty())
                texts << QStringLiteral("(none)");
            for (const QString &t : texts)
                out.emplace(Kluc{page->objectName(), pole(w).toUpper()}, t);
        }
    }
    return out;
}

class ScreenCaptions : public PayrollScreenTest {};

TEST_F(ScreenCaptions, EveryCaptionNamesTheFieldItLabels)
{
    TFormMainVyp &f = openScreen();
    auto *tabs = f.findChild<QTabWidget *>(QStringLiteral("N_VYPL"));
    ASSERT_NE(tabs, nullptr);

    std::multimap<Kluc, QString> expected;
    for (const Popis &p : kPopisy)
        expected.emplace(Kluc{QString::fromUtf8(p.tabNamed), QString::fromUtf8(p.pole).toUpper()},
                         QString::fromUtf8(p.text));
    const std::multimap<Kluc, QString> actual = popisyObrazovky(tabs);

    for (const auto &[key, caption] : expected) {
        const auto [from, to] = actual.equal_range(key);
        QStringList shown;
        for (auto it = from; it != to; ++it)
            shown << it->second;
        const QString text = shown.join(QStringLiteral(" | "));
        EXPECT_TRUE(text == caption) << key.first.toStdString() << " " << key.second.toStdString() << ": shows \""
                                     << text.toStdString() << "\", should show \"" << caption.toStdString() << "\"";
    }
    // Nothing on the tabs that the table above does not name.
    for (const auto &[key, caption] : actual)
        EXPECT_EQ(expected.count(key), 1u)
            << "not in the table: " << key.first.toStdString() << " " << key.second.toStdString() << " \""
            << caption.toStdString() << "\"";
}

} // namespace
