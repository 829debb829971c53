#include "core/forms/karta_zam.h"

#include "core/card_page_provider.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/forms/card_fields.h"
#include "core/forms/page_rules.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_navigator.h"
#include "platform/dbctrl/screen_builder.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace tarix::core {

using namespace dbctrl;

// ---- a tab widget whose changes may be refused ----------------------------------------------

namespace {

class TStrankyBar : public QTabBar {
public:
    explicit TStrankyBar(TStranky *owner) : QTabBar(owner), m_owner(owner) {}

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        const int index = tabAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && index >= 0 && index != currentIndex()) {
            m_owner->Zmen(index);
            event->accept();
            return;
        }
        QTabBar::mousePressEvent(event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        int step = 0;
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Up)
            step = -1;
        else if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Down)
            step = 1;
        if (step == 0) {
            QTabBar::keyPressEvent(event);
            return;
        }
        for (int i = currentIndex() + step; i >= 0 && i < count(); i += step)
            if (isTabEnabled(i) && isTabVisible(i)) {
                m_owner->Zmen(i);
                break;
            }
        event->accept();
    }
    void wheelEvent(QWheelEvent *event) override { event->ignore(); }

private:
    TStranky *m_owner;
};

} // namespace

TStranky::TStranky(QWidget *parent) : QTabWidget(parent) { setTabBar(new TStrankyBar(this)); }

bool TStranky::Zmen(int index)
{
    if (index == currentIndex())
        return true;
    if (index < 0 || index >= count())
        return false;
    if (mozeZmenit && !mozeZmenit(index))
        return false;
    setCurrentIndex(index);
    return true;
}

bool TStranky::Zmen(const QString &pageName) { return Zmen(indexStranky(pageName)); }

int TStranky::indexStranky(const QString &pageName) const
{
    for (int i = 0; i < count(); ++i)
        if (widget(i)->objectName() == pageName)
            return i;
    return -1;
}

QString TStranky::aktualnaStranka() const { return currentWidget() ? currentWidget()->objectName() : QString(); }

void TStranky::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+Tab and Ctrl+PgUp/PgDown go through the same refusal as clicks.
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int step = 0;
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_PageDown))
        step = 1;
    else if (ctrl && (event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp))
        step = -1;
    if (step == 0) {
        QTabWidget::keyPressEvent(event);
        return;
    }
    const int n = count();
    for (int k = 1; k < n; ++k) {
        const int i = ((currentIndex() + step * k) % n + n) % n;
        if (isTabEnabled(i) && isTabVisible(i)) {
            Zmen(i);
            break;
        }
    }
    event->accept();
}

// ---- the card ----------------------------------------------------------------------------------

namespace {

// The kinds in the card's field tables.
constexpr dbctrl::ControlKind T = dbctrl::ControlKind::Edit;
constexpr dbctrl::ControlKind D = dbctrl::ControlKind::DateEdit;
constexpr dbctrl::ControlKind L = dbctrl::ControlKind::CheckBox;
constexpr dbctrl::ControlKind V = dbctrl::ControlKind::LookupCombo; // over the lookup field in `items`
constexpr dbctrl::ControlKind Z = dbctrl::ControlKind::Combo;       // the fixed texts of `items` ("M;Z")
constexpr dbctrl::ControlKind R = dbctrl::ControlKind::Label;       // only shown (calculated, lookup)

QLabel *titulok(const QString &text, QWidget *parent, const QString &name)
{
    auto *panel = new QLabel(text, parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    QFont f = panel->font();
    f.setBold(true);
    panel->setFont(f);
    panel->setMinimumHeight(22);
    return panel;
}

QHBoxLayout *riadokNavigatorov(DBNavigator *list, DBNavigator *detail)
{
    auto *row = new QHBoxLayout;
    if (list)
        row->addWidget(list);
    row->addSpacing(16);
    if (detail)
        row->addWidget(detail);
    row->addStretch();
    return row;
}

} // namespace

TKartaZam::TKartaZam(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KartaZam"));
    TDMZ &dmz = DMZ();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    // Header: the employee's name, the list toggle and the return.
    auto *header = new QHBoxLayout;
    m_meno = new DBEdit(this);
    m_meno->setObjectName(QStringLiteral("DBE_meno"));
    m_meno->setDataSource(&dmz.DS_ZAM1);
    m_meno->setDataField(QStringLiteral("PMT"));
    m_meno->setDataReadOnly(true);
    m_meno->setFocusPolicy(Qt::NoFocus);
    m_sbZoznam = new QToolButton(this);
    m_sbZoznam->setObjectName(QStringLiteral("SB_zoznam"));
    m_sbZoznam->setText(QStringLiteral("Zoznam"));
    m_sbZoznam->setCheckable(true);
    m_sbZoznam->setChecked(true);
    m_sbZoznam->setFocusPolicy(Qt::NoFocus);
    m_navrat = new QPushButton(QStringLiteral("&Návrat"), this);
    m_navrat->setObjectName(QStringLiteral("Butt_zam_navrat"));
    m_navrat->setFocusPolicy(Qt::NoFocus);
    header->addWidget(new QLabel(QStringLiteral("Zamestnanec:"), this));
    header->addWidget(m_meno, 1);
    header->addWidget(m_sbZoznam);
    header->addWidget(m_navrat);
    layout->addLayout(header);

    m_nxZam = new TStranky(this);
    m_nxZam->setObjectName(QStringLiteral("NX_ZAM"));
    layout->addWidget(m_nxZam, 1);

    vytvorUdaje();
    vytvorZrazky();
    vytvorDeti();
    vytvorVykony();
    vytvorNepritomnost();
    vytvorDochodky();
    vytvorPpv();
    vytvorEldp();
    vytvorZp();
    vytvorDavku601();
    m_nxZam->setCurrentIndex(0);
}

TKartaZam::~TKartaZam() = default;

QWidget *TKartaZam::stranka(const QString &name, const QString &title)
{
    auto *page = new QWidget;
    page->setObjectName(name);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    if (!title.isEmpty())
        layout->addWidget(titulok(title, page, QStringLiteral("Panel_") + name));
    return page;
}

void TKartaZam::pridajZalozku(QWidget *page, const QString &caption, db::DataSource *detail,
                              db::DataSource *list, DBNavigator *navList, DBNavigator *navDetail)
{
    m_nxZam->addTab(page, caption);
    m_zalozky.append({page->objectName(), detail, list, navList, navDetail});
}

const ZalozkaKarty *TKartaZam::zalozka(const QString &pageName) const
{
    for (const ZalozkaKarty &z : m_zalozky)
        if (z.nazov == pageName)
            return &z;
    return nullptr;
}

QWidget *TKartaZam::vytvorUdaje()
{
    TDMZ &dmz = DMZ();
    db::DataSource *src = &dmz.DS_ZAM1;
    QWidget *page = stranka(QStringLiteral("PAGE_UDAJE"), QStringLiteral("  1.11 Zamestnanci"));
    auto *navList = Vytvor_navigator(page, &dmz.DS_ZGRID, QStringLiteral("DBN_zam1"), true);
    auto *navDetail = Vytvor_navigator(page, src, QStringLiteral("DBN_zam2"), false);
    page->layout()->addItem(riadokNavigatorov(navList, navDetail));

    m_nyZam = new TStranky(page);
    m_nyZam->setObjectName(QStringLiteral("NY_ZAM"));
    page->layout()->addWidget(m_nyZam);

    const dbctrl::ScreenGroup osobne{
        .columns = 2,
        .controls = {{"Code_numb", "Osobné číslo"},
                      {"SID", "Číslo strediska"},
                      {"CALC_STREDISKO", "Stredisko", R},
                      {"Title", "Titul"},
                      {"Name", "Meno"},
                      {"Surname", "Priezvisko"},
                      {"Prev_name", "Predch.priezvisko"},
                      {"Pohlavie", "Pohlavie (M/Z)", Z, "M;Z"},
                      {"Born_date", "Dátum narodenia", D},
                      {"Born_numb", "Rodné číslo"},
                      {"Born_city", "Miesto narodenia"},
                      {"Rod_stav", "Rodinný stav", V, "L_ROD_STAV"},
                      {"Narodnost", "Národnosť"},
                      {"Stat_obcan", "Štátne občianstvo", V, "L_STAT_OBCAN"},
                      {"C_op", "Číslo obč.preukazu"},
                      {"C_pasu", "Číslo pasu"},
                      {"C_vodicaku", "Číslo vodič.preukazu"},
                      {"SSN", "Číslo sociálneho poistenia"},
                      {"SSN_STATP", "Číslo soc.poistenia v štáte občianstva"},
                      {"CPP", "Číslo povolenia k pobytu"},
                      {"Education", "Vzdelanie"}}};

    const dbctrl::ScreenGroup kontakty{
        .columns = 2,
        .controls = {{"Tp_street", "Trvalý pobyt - ulica"},
                      {"Tp_city", "Trvalý pobyt - obec"},
                      {"Tp_zip", "Trvalý pobyt - PSČ"},
                      {"Tp_zip2", "Trvalý pobyt - PSČ v zahraničí"},
                      {"Stat_tp", "Trvalý pobyt - štát", V, "L_STAT_TP"},
                      {"Pp_street", "Prechodný pobyt - ulica"},
                      {"Pp_city", "Prechodný pobyt - obec"},
                      {"Pp_zip", "Prechodný pobyt - PSČ"},
                      {"Pp_zip2", "Prechodný pobyt - PSČ v zahraničí"},
                      {"Stat_pp", "Prechodný pobyt - štát", V, "L_STAT_PP"},
                      {"Tel1", "Telefón 1"},
                      {"Tel2", "Telefón 2"},
                      {"Fax", "Fax"},
                      {"Mail", "E-mail"},
                      {"Predcislo_u", "Predčíslie účtu"},
                      {"Cislo_u", "Číslo účtu"},
                      {"Banka_u", "Kód banky"},
                      {"Banka2_u", "Názov banky"},
                      {"SSym_u", "Špecifický symbol"},
                      {"Vsym_u", "Variabilný symbol"},
                      {"Ksym_u", "Konštantný symbol"}}};

    const dbctrl::ScreenGroup pracovne{
        .columns = 3,
        .controls = {{"Zamestnanie", "Funkcia"},
                      {"Nastup", "Dátum nástupu", D},
                      {"Vystup", "Dátum ukonč.prac.pomeru", D},
                      {"TYPZEC", "Typ vzťahu FO k zamestnávateľovi", V, "L_TYPZEC"},
                      {"Fz_uvazok", "Úväzok (0-3)", Z, ";0;1;2;3"},
                      {"CALC_FZ_UVAZOK", "Druh úväzku", R},
                      {"Fz_typzam", "Druh osoby (O,Z,D)", Z, ";O;Z;D"},
                      {"CALC_FZ_TYPZAM", "Druh osoby", R},
                      {"Fz_hlavne", "Hlavný pracovný pomer", L},
                      {"F_doba", "Denný úväzok v hodinách"},
                      {"ZPS", "Má zmenenú prac.schopnosť ZPS", L},
                      {"ZTP", "Zdravotne ťažko postihnutý", L},
                      {"Miera_poklesu", "Miera poklesu schopnosti"},
                      {"VYHL", "Podpísané vyhlásenie na daň", L},
                      {"RZP", "Ročné zúčtovanie preddavkov dane", L},
                      {"Dan_zrazkou", "Daň zrážať osobitnou sadzbou dane", L},
                      {"Dan_nerezident", "Daňový nerezident", L},
                      {"U_sviatky", "Náhrada za sviatky", L},
                      {"MV_plat", "Dohodnutý mesačný plat"},
                      {"V_sadzba", "Hodinová sadzba"},
                      {"Fixny_mv_plat", "Pevná výška dohodnutého platu", L},
                      {"F_sadzba_premii", "Sadzba prémií"},
                      {"Pouz_auto", "Používanie služobného auta"},
                      {"Zvys_ostatne", "Ostatné zvýšenia"},
                      {"Holiday", "Nárok na dovolenku"},
                      {"Holiday_old", "Nevyčerpaná dovolenka z min.rokov"},
                      {"W_holiday", "Čerpaná dovolenka"},
                      {"PN_DENNE", "Denný vymer.zákl.pre náhr.PN"},
                      {"Nc_minimum", "Nezdaniteľná časť"},
                      {"Ne_zaloha", "Zrážka - záloha"},
                      {"Ne_pozicky", "Zrážka - pôžičky"},
                      {"Ne_odborar", "Zrážka - odbory"},
                      {"Ne_poistovna", "Zrážka - poisťovňa"},
                      {"Ne_exekucia", "Zrážka - exekúcia"},
                      {"Spor_plat", "Sporenie - spôsob"},
                      {"Sporenie", "Sporenie - suma"},
                      {"N_ddp", "DDP zamestnanec - suma"},
                      {"N_sadzba_ddp", "DDP zamestnanec - sadzba"},
                      {"Nz_ddp", "DDP zamestnávateľ - suma"},
                      {"Nz_sadzba_ddp", "DDP zamestnávateľ - sadzba"},
                      {"KDP", "Kód dôchodkovej poisťovne - III.pilier"},
                      {"L_KDP", "Doplnková dôchodková poisťovňa", R},
                      {"KZP", "Kód zdrav.poisťovne", V, "L_KZP"},
                      {"U_zdrav", "Zdravotné poistenie", T, {}, kHintPoistenie},
                      {"U_nemoc", "Nemocenské poistenie", T, {}, kHintPoistenie},
                      {"U_dochod", "Dôchodkové poistenie", T, {}, kHintPoistenie},
                      {"U_fondzam", "Poistenie v nezamestnanosti", T, {}, kHintPoistenie},
                      {"U_invalid", "Invalidné poistenie", T, {}, kHintPoistenie},
                      {"U_uraz", "Úrazové poistenie", T, {}, kHintPoistenie2},
                      {"U_rezerva", "Rezervný fond solidarity", T, {}, kHintPoistenie2},
                      {"U_garancne", "Garančné poistenie", T, {}, kHintPoistenie2},
                      {"U_sds", "Účasť na dôch.sporení - II.pilier"},
                      {"VYNIMKA_VZ", "Výnimka výšky vymer.základu", V, "L_VVZ"}}};
    dbctrl::ScreenBuilder card(src, QStringLiteral("TZAM_"));
    card.colorRolesByKind = true;
    card.addPages(m_nyZam, {{QStringLiteral("PAGE_OSOBNE"), QStringLiteral("Osobné údaje"), {osobne}},
                            {QStringLiteral("PAGE_KONTAKTY"), QStringLiteral("Kontaktné údaje"), {kontakty}},
                            {QStringLiteral("PAGE_PRACOVNE"), QStringLiteral("Pracovné údaje"), {pracovne}}});

    pridajZalozku(page, QStringLiteral("Zamestnanci"), src, &dmz.DS_ZGRID, navList, navDetail);
    return page;
}

QWidget *TKartaZam::vytvorZrazky()
{
    TDMZ &dmz = DMZ();
    QWidget *page = stranka(QStringLiteral("PAGE_ZRAZKY"), QStringLiteral("  1.12 Zrážky zo mzdy"));
    auto *navList = Vytvor_navigator(page, &dmz.DS_ZRZG, QStringLiteral("DBN_zrz1"), true);
    auto *navDetail = Vytvor_navigator(page, &dmz.DS_ZRZ, QStringLiteral("DBN_zrz2"), false);
    page->layout()->addItem(riadokNavigatorov(navList, navDetail));
    page->layout()->addWidget(Vytvor_mriezku(page, &dmz.DS_ZRZG, QStringLiteral("DBG_zrz"),
                                             {{"Typ", "Typ", 40},
                                              {"Datum_od", "Platnosť od", 80},
                                              {"Datum_do", "Platnosť do", 80},
                                              {"Suma", "Suma", 80},
                                              {"Prijemca", "Príjemca", 160}}));
    page->layout()->addWidget(Vytvor_formular(page, &dmz.DS_ZRZ, QStringLiteral("TZRZ_"),
                                              {{"Typ", "Typ zrážky (P,O,Y,S,X)", Z, "P;O;Y;S;X"},
                                               {"Datum_od", "Platnosť od", D},
                                               {"Datum_do", "Platnosť do", D},
                                               {"Suma", "Suma"},
                                               {"Typ_sumy", "Typ sumy"},
                                               {"Prijemca", "Názov príjemcu"},
                                               {"Predcislo_u", "Predčíslie účtu"},
                                               {"Cislo_u", "Číslo účtu"},
                                               {"Banka_u", "Kód banky"},
                                               {"Ssym_u", "Špecifický symbol"},
                                               {"Vsym", "Variabilný symbol"},
                                               {"Ksym", "Konštantný symbol"},
                                               {"Spp", "Správa pre prijímateľa"},
                                               {"Poznamka", "Poznámka"}}));
    pridajZalozku(page, QStringLiteral("Zrážky"), &dmz.DS_ZRZ, &dmz.DS_ZRZG, navList, navDetail);
    return page;
}

QWidget *TKartaZam::vytvorDeti()
{
    TDMZ &dmz = DMZ();
    QWidget *page = stranka(QStringLiteral("PAGE_DETI"), QStringLiteral("  1.13 Evidencia detí"));
    auto *navList = Vytvor_navigator(page, &dmz.DS_DGRID, QStringLiteral("DBN_deti1"), true);
    auto *navDetail = Vytvor_navigator(page, &dmz.DS_DETI, QStringLiteral("DBN_deti2"), false);
    page->layout()->addItem(riadokNavigatorov(navList, navDetail));
    page->layout()->addWidget(Vytvor_mriezku(page, &dmz.DS_DGRID, QStringLiteral("DBG_deti"),
                                             {{"Priezvisko", "Priezvisko", 120},
                                              {"Meno", "Meno", 90},
                                              {"RC", "Rodné číslo", 90},
                                              {"DAT_NAR", "Dátum nar.", 80},
                                              {"CALC_VEK", "Vek", 40}}));
    page->layout()->addWidget(Vytvor_formular(page, &dmz.DS_DETI, QStringLiteral("TDET_"),
                                              {{"Priezvisko", "Priezvisko"},
                                               {"Meno", "Meno"},
                                               {"RC", "Rodné číslo"},
                                               {"DAT_NAR", "Dátum narodenia", D},
                                               {"PD", "Prídavky na dieťa", L},
                                               {"ZTP", "Zdravotne ťažko postihnuté", L},
                                               {"NC", "Nezdaniteľná časť", L},
                                               {"DAN_BONUS", "Daňový bonus", L},
                                               {"ZNIZ_POISTNE", "Zníženie poistného", L},
                                               {"MES_OD", "Mesiac od"},
                                               {"MES_DO", "Mesiac do"},
                                               {"CALC_VEK", "Vek", R},
                                               {"CALC_POTREBA", "Životné minimum", R},
                                               {"CALC_PRIDAVKY1", "Prídavky - 1. pásmo", R},
                                               {"CALC_PRIDAVKY2", "Prídavky - 2. pásmo", R}}));
    pridajZalozku(page, QStringLiteral("Deti"), &dmz.DS_DETI, &dmz.DS_DGRID, navList, navDetail);
    return page;
}

// Piece-work items belong to the payroll subsystem; the tab is there when it registered
// the page and its module exists.
QWidget *TKartaZam::vytvorVykony()
{
    db::DataSource *zuk = pieceWorkPage() ? pieceWorkPage()->dataSource() : nullptr;
    if (!zuk)
        return nullptr;
    QWidget *page = stranka(QStringLiteral("PAGE_VYKONY"), QStringLiteral("  1.14 Evidencia výkonov"));
    auto *navList = Vytvor_navigator(page, zuk, QStringLiteral("DBN_zuk1"), true);
    auto *navDetail = Vytvor_navigator(page, zuk, QStringLiteral("DBN_zuk2"), false);
    page->layout()->addItem(riadokNavigatorov(navList, navDetail));
    page->layout()->addWidget(Vytvor_mriezku(page, zuk, QStringLiteral("DBG_zuk"),
                                             {{"UKID", "Kód výkonu", 80},
                                              {"CALC_POPIS", "Popis výkonu", 260},
                                              {"HODNOTA", "Hodnota", 90}}));
    page->layout()->addWidget(Vytvor_formular(page, zuk, QStringLiteral("TZUK_"),
                                              {{"UKID", "Kód výkonu"},
                                               {"CALC_POPIS", "Popis výkonu", R},
                                               {"HODNOTA", "Hodnota"}}));
    pridajZalozku(page, QStringLiteral("Výkony"), zuk, zuk, navList, navDetail);
    return page;
}

QWidget *TKartaZam::vytvorNepritomnost()
{
    TDMZ &dmz = DMZ();
    QWidget *page = stranka(QStringLiteral("PAGE_NEP"), QStringLiteral("  1.15 Evidencia neprítomnosti"));
    auto *navList = Vytvor_navigator(page, &dmz.DS_NEPG, QStringLiteral("DBN_nep1"), true);
    auto *navDetail = Vytvor_navigator(page, &dmz.DS_NEP, QStringLiteral("DBN_nep2"), false);
    auto *row = riadokNavigatorov(navList, navDetail);
    m_sbTypNep = new QToolButton(page);
    m_sbTypNep->setObjectName(QStringLiteral("SB_typ_nep"));
    m_sbTypNep->setText(QStringLiteral("Druhy neprítomnosti"));
    m_sbTypNep->setCheckable(true);
    m_sbTypNep->setFocusPolicy(Qt::NoFocus);
    row->addWidget(m_sbTypNep);
    page->layout()->addItem(row);

    auto *body = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(Vytvor_mriezku(page, &dmz.DS_NEPG, QStringLiteral("DBG_nep"),
                                   {{"Datum_od", "Dátum od", 80},
                                    {"Datum_do", "Dátum do", 80},
                                    {"TypRL", "Typ", 40},
                                    {"Calc_typ_nep", "Druh neprítomnosti", 160},
                                    {"Calc_kal_dni", "Kal.dni", 50}}));
    left->addWidget(Vytvor_formular(page, &dmz.DS_NEP, QStringLiteral("TNEP_"),
                                    {{"TypRL", "Typ", V, "L_TYPRL"},
                                     {"Datum_od", "Dátum od", D},
                                     {"Datum_do", "Dátum do", D},
                                     {"Typ", "Druh neprítomnosti"},
                                     {"Calc_typ_nep", "Popis druhu", R},
                                     {"TypRL2", "Typ udalosti", V, "L_TYPRL2"},
                                     {"Prerusenie", "Dôvod prerušenia poistenia", V, "L_PRERUS1"},
                                     {"V_obdobie", "Obdobie"},
                                     {"Prac_dni", "Pracovné dni"},
                                     {"Calc_kal_dni", "Kalendárne dni", R},
                                     {"Dovod", "Poznámka"}}));
    body->addLayout(left, 1);
    m_dsCisNep = std::make_unique<db::DataSource>(&DM().CIS8_);
    m_dbgCisNep = Vytvor_mriezku(page, m_dsCisNep.get(), QStringLiteral("DBG_cis_nep"),
                                 {{"Typ", "Typ", 40}, {"Popis", "Popis", 200}});
    m_dbgCisNep->setVisible(false);
    body->addWidget(m_dbgCisNep);
    static_cast<QVBoxLayout *>(page->layout())->addLayout(body, 1);
    connect(m_sbTypNep, &QToolButton::clicked, this, [this](bool on) { Zobraz_druhy_nepritomnosti(on); });

    pridajZalozku(page, QStringLiteral("Neprítomnosť"), &dmz.DS_NEP, &dmz.DS_NEPG, navList, navDetail);
    return page;
}

void TKartaZam::Zobraz_druhy_nepritomnosti(bool visible)
{
    m_dbgCisNep->setVisible(visible);
    m_sbTypNep->setChecked(visible);
}

QWidget *TKartaZam::vytvorDochodky()
{
    TDMZ &dmz = DMZ();
    QWidget *page = stranka(QStringLiteral("PAGE_DOCH"), QStringLiteral("  1.16 Evidencia dôchodkov"));
    auto *navList = Vytvor_navigator(page, &dmz.DS_DOCH, QStringLiteral("DBN_doch1"), true);
    auto *navDetail = Vytvor_navigator(page, &dmz.DS_DOCH, QStringLiteral("DBN_doch2"), false);
    page->layout()->addItem(riadokNavigatorov(navList, navDetail));
    auto *body = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(Vytvor_mriezku(page, &dmz.DS_DOCH, QStringLiteral("DBG_doch"),
                                   {{"Typ", "Typ", 40},
                                    {"L_DOCH", "Druh dôchodku", 200},
                                    {"Datum_od", "Nárok od", 80},
                                    {"Datum_do", "Nárok do", 80}}));
    left->addWidget(Vytvor_formular(page, &dmz.DS_DOCH, QStringLiteral("TDOCH_"),
                                    {{"Typ", "Typ dôchodku", V, "L_DOCH"},
                                     {"Datum_od", "Dátum začiatku nároku", D},
                                     {"Datum_do", "Dátum ukončenia nároku", D}}));
    body->addLayout(left, 1);
    m_dsCisDoch = std::make_unique<db::DataSource>(&DM().CIS13_);
    body->addWidget(Vytvor_mriezku(page, m_dsCisDoch.get(), QStringLiteral("DBG_cis_doch"),
                                   {{"TYP", "Typ", 40}, {"POPIS", "Druh dôchodku", 220}}));
    static_cast<QVBoxLayout *>(page->layout())->addLayout(body, 1);
    pridajZalozku(page, QStringLiteral("Dôchodok"), &dmz.DS_DOCH, &dmz.DS_DOCH, navList, navDetail);
    return page;
}

QWidget *TKartaZam::vytvorPpv()
{
    TDMP &dmp = DMP();
    QWidget *page = stranka(QStringLiteral("PAGE_PPV"), QStringLiteral("  1.17  Pracovnoprávne vzťahy"));
    auto *navList = Vytvor_navigator(page, &dmp.DS_PGRID, QStringLiteral("DBN_ppv1"), true);
    auto *navDetail = Vytvor_navigator(page, &dmp.DS_PPV, QStringLiteral("DBN_ppv2"), false);
    page->layout()->addItem(riadokNavigatorov(navList, navDetail));
    page->layout()->addWidget(Vytvor_mriezku(page, &dmp.DS_PGRID, QStringLiteral("DBG_ppv"),
                                             {{"TYP", "Druh", 40},
                                              {"NASTUP", "Nástup", 80},
                                              {"VYSTUP", "Výstup", 80},
                                              {"DATUM", "Dátum", 80},
                                              {"R1", "1. riadok", 240}}));
    m_pcPpv = new TStranky(page);
    m_pcPpv->setObjectName(QStringLiteral("PC_PPV"));
    m_pcPpv->tabBar()->hide();
    const std::pair<const char *, const char *> kinds[] = {
        {"PAGE_PPV_ZML", "Pracovná zmluva"},
        {"PAGE_PPV_DVP", "Dohoda o vykonaní práce"},
        {"PAGE_PPV_DPC", "Dohoda o pracovnej činnosti"},
        {"PAGE_PPV_DBPS", "Dohoda o brigádnickej práci študentov"},
        {"PAGE_PPV_EMPTY", "Prázdna"},
        {"PAGE_PPV_ZMLD", "Dodatok k pracovnej zmluve"},
    };
    for (const auto &[name, caption] : kinds) {
        const QString pageName = QString::fromLatin1(name);
        QWidget *sub = nullptr;
        if (pageName == QLatin1String("PAGE_PPV_EMPTY")) {
            sub = new QWidget;
        } else {
            sub = new QWidget;
            auto *l = new QVBoxLayout(sub);
            l->setContentsMargins(0, 0, 0, 0);
            l->addWidget(titulok(QString::fromUtf8(caption), sub, QStringLiteral("Panel_") + pageName));
            l->addWidget(Vytvor_formular(sub, &dmp.DS_PPV, pageName.mid(5) + u'_',
                                         {{"NASTUP", "Nástup", D},
                                          {"VYSTUP", "Výstup", D},
                                          {"R1", "1. riadok"},
                                          {"R2", "2. riadok"},
                                          {"R3", "3. riadok"},
                                          {"R4", "4. riadok"},
                                          {"R5", "5. riadok"},
                                          {"R6", "6. riadok"},
                                          {"R7", "7. riadok"},
                                          {"R8", "8. riadok"},
                                          {"R9", "9. riadok"},
                                          {"R10", "10. riadok"},
                                          {"R11", "11. riadok"},
                                          {"R12", "12. riadok"},
                                          {"MIESTO", "Miesto"},
                                          {"DATUM", "Dátum", D}},
                                         1));
        }
        sub->setObjectName(pageName);
        m_pcPpv->addTab(sub, QString::fromUtf8(caption));
    }
    m_pcPpv->setCurrentIndex(m_pcPpv->indexStranky(QStringLiteral("PAGE_PPV_EMPTY")));
    page->layout()->addWidget(m_pcPpv);
    pridajZalozku(page, QStringLiteral("Pracovnoprávne vzťahy"), &dmp.DS_PPV, &dmp.DS_PGRID, navList, navDetail);
    return page;
}

QWidget *TKartaZam::vytvorEldp()
{
    TDMZ &dmz = DMZ();
    QWidget *page = stranka(QStringLiteral("PAGE_ELDP"), QStringLiteral("  1.18 Evid.list dôch.poistenia"));
    auto *navList = Vytvor_navigator(page, &dmz.DS_ELDP, QStringLiteral("DBN_eldp1"), true);
    auto *navDetail = Vytvor_navigator(page, &dmz.DS_ELDP, QStringLiteral("DBN_eldp2"), false);
    page->layout()->addItem(riadokNavigatorov(navList, navDetail));
    page->layout()->addWidget(Vytvor_mriezku(page, &dmz.DS_ELDP, QStringLiteral("DBG_eldp"),
                                             {{"Datum_od", "Dátum od", 80},
                                              {"Datum_do", "Dátum do", 80},
                                              {"Znak", "Znak", 40},
                                              {"VZ", "Vymeriavací základ", 100},
                                              {"Vyluka_VZ", "VZ vylúč.dôb", 90},
                                              {"Vyluka_dni", "Dni vylúč.dôb", 80}}));
    page->layout()->addWidget(Vytvor_formular(page, &dmz.DS_ELDP, QStringLiteral("TELDP_"),
                                              {{"Datum_od", "Dátum od", D},
                                               {"Datum_do", "Dátum do", D},
                                               {"Znak", "Znak poistenia", V, "L_ZNAK"},
                                               {"VZ", "Vymeriavací základ"},
                                               {"Vyluka_VZ", "VZ počas vylúč.dôb"},
                                               {"Vyluka_dni", "Kal.dni vylúč. dôb"}}));
    pridajZalozku(page, QStringLiteral("Evid.list dôch.poistenia"), &dmz.DS_ELDP, &dmz.DS_ELDP, navList,
                  navDetail);
    return page;
}

QWidget *TKartaZam::vytvorZp()
{
    TDMZ &dmz = DMZ();
    QWidget *page = stranka(QStringLiteral("PAGE_ZP"), QString());
    m_nxZdr = new TStranky(page);
    m_nxZdr->setObjectName(QStringLiteral("NX_ZDR"));
    page->layout()->addWidget(m_nxZdr);

    auto *zamnec = new QWidget;
    zamnec->setObjectName(QStringLiteral("PAGE_ZP_ZAMNEC"));
    auto *zl = new QVBoxLayout(zamnec);
    zl->addItem(riadokNavigatorov(Vytvor_navigator(zamnec, &dmz.DS_ZP1, QStringLiteral("DBN_zp1a"), true),
                                  Vytvor_navigator(zamnec, &dmz.DS_ZP1, QStringLiteral("DBN_zp1b"), false)));
    zl->addWidget(Vytvor_formular(zamnec, &dmz.DS_ZP1, QStringLiteral("TZP1_"),
                                  {{"V_rok", "Rok vykonania zúčtovania", R},
                                   {"ROK", "Rok", R},
                                   {"KZP", "Kód zdravotnej poisťovne", V, "L_KZP"},
                                   {"Typ_zuctovania", "Spôsob zúčtovania", V, "L_TYP_ZUCT"},
                                   {"Datum_ziadosti", "Dátum podania žiadosti", D},
                                   {"Datum_vykonania", "Dátum ročného zúčtovania", D},
                                   {"Datum_doklad", "Dátum vystavenia potvrdenia", D},
                                   {"Pocet_zamtelov", "Počet iných zamestnávateľov"},
                                   {"Zamnec_od", "Zamestnanec od", D},
                                   {"Zamnec_do", "Zamestnanec do", D},
                                   {"Uhrn_prijmov", "Úhrn príjmov"},
                                   {"Uhrn_preddav_zamnec", "Úhrn preddavkov zamestnanca"},
                                   {"Uhrn_preddav_zamtel", "Úhrn preddavkov zamestnávateľa"},
                                   {"Uhrn_minim_zakladov", "Úhrn minimálnych základov"},
                                   {"Preddavky_dan_uzn", "Preddavky - daňovo uznané"}}));
    zl->addItem(riadokNavigatorov(Vytvor_navigator(zamnec, &dmz.DS_ZP3, QStringLiteral("DBN_zp3a"), true),
                                  Vytvor_navigator(zamnec, &dmz.DS_ZP3, QStringLiteral("DBN_zp3b"), false)));
    auto *vysledok = Vytvor_mriezku(zamnec, &dmz.DS_ZP3, QStringLiteral("DBG_zp3"),
                                    {{"Typ", "Typ", 40},
                                     {"Rok", "Rok", 50},
                                     {"A1", "A1", 60},
                                     {"A2", "A2", 60},
                                     {"X1", "X1", 80},
                                     {"X2", "X2", 80},
                                     {"X3", "X3", 80},
                                     {"X4", "X4", 80}});
    // The results have no fields of their own: their cells are typed into.
    vysledok->setReadOnly(false);
    zl->addWidget(vysledok);
    m_nxZdr->addTab(zamnec, QStringLiteral("Ročné zúčtovanie "));

    auto *doklad = new QWidget;
    doklad->setObjectName(QStringLiteral("PAGE_ZP_DOKLAD"));
    auto *dl = new QVBoxLayout(doklad);
    dl->addItem(riadokNavigatorov(Vytvor_navigator(doklad, &dmz.DS_ZP2, QStringLiteral("DBN_zp2a"), true),
                                  Vytvor_navigator(doklad, &dmz.DS_ZP2, QStringLiteral("DBN_zp2b"), false)));
    dl->addWidget(Vytvor_mriezku(doklad, &dmz.DS_ZP2, QStringLiteral("DBG_zp2"),
                                 {{"Datum_od", "Dátum od", 80}, {"Datum_do", "Dátum do", 80}, {"Dovod", "Dôvod", 220}}));
    dl->addWidget(Vytvor_formular(doklad, &dmz.DS_ZP2, QStringLiteral("TZP2_"),
                                  {{"Datum_od", "Dátum od", D}, {"Datum_do", "Dátum do", D}, {"Dovod", "Dôvod"}}));
    m_vypocetZp = new QPushButton(QStringLiteral("Výpočet podkladov pre doklad"), doklad);
    m_vypocetZp->setObjectName(QStringLiteral("Butt_vypocet_zp"));
    dl->addWidget(m_vypocetZp, 0, Qt::AlignLeft);
    dl->addItem(riadokNavigatorov(Vytvor_navigator(doklad, &dmz.DS_ZP4, QStringLiteral("DBN_zp4a"), true),
                                  Vytvor_navigator(doklad, &dmz.DS_ZP4, QStringLiteral("DBN_zp4b"), false)));
    auto *mesiace = Vytvor_mriezku(doklad, &dmz.DS_ZP4, QStringLiteral("DBG_zp4"),
                                   {{"V_mesiac", "Mesiac", 50},
                                    {"X1", "Príjem", 90},
                                    {"X2", "Preddavok zamestnávateľa", 90},
                                    {"X3", "Minimálny základ", 90},
                                    {"X4", "Preddavok zamestnanca", 90},
                                    {"X5", "Preddavok ZPS", 90}});
    // The monthly basis is corrected in its cells too.
    mesiace->setReadOnly(false);
    dl->addWidget(mesiace);
    m_nxZdr->addTab(doklad, QStringLiteral("Doklad o preddavkoch"));
    connect(m_vypocetZp, &QPushButton::clicked, this, [] { runReported([] { DMZ().Vypocet_podkladov_zp(); }); });

    pridajZalozku(page, QStringLiteral("Zdravotné poistenie"), nullptr, nullptr, nullptr, nullptr);
    return page;
}

QWidget *TKartaZam::vytvorDavku601()
{
    TDMZ &dmz = DMZ();
    QWidget *page = stranka(QStringLiteral("PAGE_DAVKA601"), QString());
    auto *nav = Vytvor_navigator(page, &dmz.DS_ZP5, QStringLiteral("DBN_zp5"), true);
    nav->setVisibleButtons({NavigateButton::First, NavigateButton::Prior, NavigateButton::Next, NavigateButton::Last,
                            NavigateButton::Insert, NavigateButton::Delete, NavigateButton::Edit,
                            NavigateButton::Post, NavigateButton::Cancel, NavigateButton::Refresh});
    page->layout()->addItem(riadokNavigatorov(nav, nullptr));
    auto *body = new QHBoxLayout;
    auto *grid = Vytvor_mriezku(page, &dmz.DS_ZP5, QStringLiteral("DBG_zp5"),
                                {{"Kod_zmeny", "Kód zmeny (2 znaky)", 110},
                                 {"Platnost_zmeny", "Platnosť zmeny (Z,K,X)", 130},
                                 {"Datum_zmeny", "Dátum zmeny", 90},
                                 {"Id_cislo", "Identifikačné číslo", 110},
                                 {"KZP", "Kód ZP (2 znaky)", 90}});
    // A change report is typed into its row: the tab has no fields beside the grid.
    grid->setReadOnly(false);
    body->addWidget(grid, 1);
    auto *help = new QPlainTextEdit(page);
    help->setObjectName(QStringLiteral("Memo_davka601"));
    help->setReadOnly(true);
    help->setFocusPolicy(Qt::NoFocus);
    help->setPlainText(QStringLiteral(
        "Platnosť zmeny:\n"
        "  Z - začiatok kategórie poistenca,\n"
        "  K - koniec kategórie poistenca,\n"
        "  X - zrušenie celého riadku.\n\n"
        "Kód zmeny:\n"
        "  2 - platiteľom poistného je zamestnanec,\n"
        "  1 a písmeno A až U - platiteľom poistného je štát; písmeno určuje titul, "
        "z ktorého štát platí (napr. 1M)."));
    help->setMaximumWidth(260);
    body->addWidget(help);
    static_cast<QVBoxLayout *>(page->layout())->addLayout(body, 1);
    pridajZalozku(page, QStringLiteral("Zdr.poist.-typ dávky 601"), &dmz.DS_ZP5, &dmz.DS_ZP5, nav, nav);
    return page;
}

bool TKartaZam::Zameraj_pole_zamestnanca(const QString &field)
{
    QWidget *control = findDataControl(this, &DMZ().DS_ZAM1, field);
    if (!control)
        return false;
    m_nxZam->setCurrentIndex(m_nxZam->indexStranky(QStringLiteral("PAGE_UDAJE")));
    for (QWidget *w = control->parentWidget(); w; w = w->parentWidget()) {
        if (w->objectName().startsWith(QLatin1String("PAGE_")) && m_nyZam->indexOf(w) >= 0) {
            m_nyZam->setCurrentWidget(w);
            break;
        }
    }
    control->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace tarix::core
