#include "core/forms/employee_card.h"

#include "core/card_page_provider.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/forms/card_fields.h"
#include "core/forms/form_main.h"
#include "core/forms/page_ids.h"
#include "core/helpers/messages.h"
#include "core/forms/page_rules.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_navigator.h"
#include "platform/dbctrl/screen_builder.h"
#include "platform/errors.h"

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
    explicit TStrankyBar(TPages *owner) : QTabBar(owner), m_owner(owner) {}

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        const int index = tabAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && index >= 0 && index != currentIndex()) {
            m_owner->changePage(index);
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
                m_owner->changePage(i);
                break;
            }
        event->accept();
    }
    void wheelEvent(QWheelEvent *event) override { event->ignore(); }

private:
    TPages *m_owner;
};

} // namespace

TPages::TPages(QWidget *parent) : QTabWidget(parent) { setTabBar(new TStrankyBar(this)); }

bool TPages::changePage(int index)
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

bool TPages::changePage(const QString &pageName) { return changePage(pageIndex(pageName)); }

int TPages::pageIndex(const QString &pageName) const
{
    for (int i = 0; i < count(); ++i)
        if (widget(i)->objectName() == pageName)
            return i;
    return -1;
}

QString TPages::currentPageName() const { return currentWidget() ? currentWidget()->objectName() : QString(); }

void TPages::keyPressEvent(QKeyEvent *event)
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
            changePage(i);
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

QLabel *cardTitle(const QString &text, QWidget *parent, const QString &name)
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

QHBoxLayout *navigatorRow(DBNavigator *list, DBNavigator *detail)
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

TEmployeeCard::TEmployeeCard(QWidget *parent) : QWidget(parent)
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

    m_nxZam = new TPages(this);
    m_nxZam->setObjectName(QStringLiteral("NX_ZAM"));
    layout->addWidget(m_nxZam, 1);

    buildDetails();
    buildDeductions();
    buildChildren();
    buildWork();
    buildAbsence();
    buildPensions();
    buildPpv();
    buildEldp();
    buildHealth();
    buildBatch601();
    m_nxZam->setCurrentIndex(0);
}

TEmployeeCard::~TEmployeeCard() = default;

QWidget *TEmployeeCard::pageNamed(const QString &name, const QString &title)
{
    auto *page = new QWidget;
    page->setObjectName(name);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    if (!title.isEmpty())
        layout->addWidget(cardTitle(title, page, QStringLiteral("Panel_") + name));
    return page;
}

void TEmployeeCard::addCardTab(QWidget *page, const QString &caption, db::DataSource *detail,
                              db::DataSource *list, DBNavigator *navList, DBNavigator *navDetail)
{
    m_nxZam->addTab(page, caption);
    m_zalozky.append({page->objectName(), detail, list, navList, navDetail});
}

const CardTab *TEmployeeCard::tabNamed(const QString &pageName) const
{
    for (const CardTab &z : m_zalozky)
        if (z.nazov == pageName)
            return &z;
    return nullptr;
}

QWidget *TEmployeeCard::buildDetails()
{
    TDMZ &dmz = DMZ();
    db::DataSource *src = &dmz.DS_ZAM1;
    QWidget *page = pageNamed(kTabEmployee, QStringLiteral("  1.11 Zamestnanci"));
    auto *navList = buildNavigator(page, &dmz.DS_ZGRID, QStringLiteral("DBN_zam1"), true);
    auto *navDetail = buildNavigator(page, src, QStringLiteral("DBN_zam2"), false);
    page->layout()->addItem(navigatorRow(navList, navDetail));

    m_nyZam = new TPages(page);
    m_nyZam->setObjectName(QStringLiteral("NY_ZAM"));
    page->layout()->addWidget(m_nyZam);

    const dbctrl::ScreenGroup osobne{
        .columns = 2,
        .controls = {{"Code_numb"},
                      {"SID"},
                      {"CALC_STREDISKO", {}, R},
                      {"Title"},
                      {"Name"},
                      {"Surname"},
                      {"Prev_name"},
                      {"Pohlavie", {}, Z, "M;Z"},
                      {"Born_date", {}, D},
                      {"Born_numb"},
                      {"Born_city"},
                      {"Rod_stav", {}, V, "L_ROD_STAV"},
                      {"Narodnost"},
                      {"Stat_obcan", {}, V, "L_STAT_OBCAN"},
                      {"C_op"},
                      {"C_pasu"},
                      {"C_vodicaku"},
                      {"SSN"},
                      {"SSN_STATP"},
                      {"CPP"},
                      {"Education"}}};

    const dbctrl::ScreenGroup kontakty{
        .columns = 2,
        .controls = {{"Tp_street"},
                      {"Tp_city"},
                      {"Tp_zip"},
                      {"Tp_zip2"},
                      {"Stat_tp", {}, V, "L_STAT_TP"},
                      {"Pp_street"},
                      {"Pp_city"},
                      {"Pp_zip"},
                      {"Pp_zip2"},
                      {"Stat_pp", {}, V, "L_STAT_PP"},
                      {"Tel1"},
                      {"Tel2"},
                      {"Fax"},
                      {"Mail"},
                      {"Predcislo_u"},
                      {"Cislo_u"},
                      {"Banka_u"},
                      {"Banka2_u"},
                      {"SSym_u"},
                      {"Vsym_u"},
                      {"Ksym_u"}}};

    const dbctrl::ScreenGroup pracovne{
        .columns = 3,
        .controls = {{"Zamestnanie"},
                      {"Nastup", {}, D},
                      {"Vystup", {}, D},
                      {"TYPZEC", {}, V, "L_TYPZEC"},
                      {"Fz_uvazok", {}, Z, ";0;1;2;3"},
                      {"CALC_FZ_UVAZOK", {}, R},
                      {"Fz_typzam", {}, Z, ";O;Z;D"},
                      {"CALC_FZ_TYPZAM", {}, R},
                      {"Fz_hlavne", {}, L},
                      {"F_doba"},
                      {"ZPS", {}, L},
                      {"ZTP", {}, L},
                      {"Miera_poklesu"},
                      {"VYHL", {}, L},
                      {"RZP", {}, L},
                      {"Dan_zrazkou", {}, L},
                      {"Dan_nerezident", {}, L},
                      {"U_sviatky", {}, L},
                      {"MV_plat"},
                      {"V_sadzba"},
                      {"Fixny_mv_plat", {}, L},
                      {"F_sadzba_premii"},
                      {"Pouz_auto"},
                      {"Zvys_ostatne"},
                      {"Holiday"},
                      {"Holiday_old"},
                      {"W_holiday"},
                      {"PN_DENNE"},
                      {"Nc_minimum"},
                      {"Ne_zaloha"},
                      {"Ne_pozicky"},
                      {"Ne_odborar"},
                      {"Ne_poistovna"},
                      {"Ne_exekucia"},
                      {"Spor_plat"},
                      {"Sporenie"},
                      {"N_ddp"},
                      {"N_sadzba_ddp"},
                      {"Nz_ddp"},
                      {"Nz_sadzba_ddp"},
                      {"KDP"},
                      {"L_KDP", {}, R},
                      {"KZP", {}, V, "L_KZP"},
                      {"U_zdrav", {}, T, {}, kHintPoistenie},
                      {"U_nemoc", {}, T, {}, kHintPoistenie},
                      {"U_dochod", {}, T, {}, kHintPoistenie},
                      {"U_fondzam", {}, T, {}, kHintPoistenie},
                      {"U_invalid", {}, T, {}, kHintPoistenie},
                      {"U_uraz", {}, T, {}, kHintPoistenie2},
                      {"U_rezerva", {}, T, {}, kHintPoistenie2},
                      {"U_garancne", {}, T, {}, kHintPoistenie2},
                      {"U_sds"},
                      {"VYNIMKA_VZ", {}, V, "L_VVZ"}}};
    dbctrl::ScreenBuilder card(src, QStringLiteral("TZAM_"));
    card.colorRolesByKind = true;
    card.addPages(m_nyZam, {{kTabPersonal, QStringLiteral("Osobné údaje"), {osobne}},
                            {kTabContacts, QStringLiteral("Kontaktné údaje"), {kontakty}},
                            {kTabWork, QStringLiteral("Pracovné údaje"), {pracovne}}});

    addCardTab(page, QStringLiteral("Zamestnanci"), src, &dmz.DS_ZGRID, navList, navDetail);
    return page;
}

QWidget *TEmployeeCard::buildDeductions()
{
    TDMZ &dmz = DMZ();
    QWidget *page = pageNamed(kTabDeductions, QStringLiteral("  1.12 Zrážky zo mzdy"));
    auto *navList = buildNavigator(page, &dmz.DS_ZRZG, QStringLiteral("DBN_zrz1"), true);
    auto *navDetail = buildNavigator(page, &dmz.DS_ZRZ, QStringLiteral("DBN_zrz2"), false);
    page->layout()->addItem(navigatorRow(navList, navDetail));
    page->layout()->addWidget(buildGrid(page, &dmz.DS_ZRZG, QStringLiteral("DBG_zrz"),
                                             {{"Typ", "Typ", 40},
                                              {"Datum_od", {}, 80},
                                              {"Datum_do", {}, 80},
                                              {"Suma", {}, 80},
                                              {"Prijemca", "Príjemca", 160}}));
    page->layout()->addWidget(buildForm(page, &dmz.DS_ZRZ, QStringLiteral("TZRZ_"),
                                              {{"Typ", {}, Z, "P;O;Y;S;X"},
                                               {"Datum_od", {}, D},
                                               {"Datum_do", {}, D},
                                               {"Suma"},
                                               {"Typ_sumy"},
                                               {"Prijemca"},
                                               {"Predcislo_u"},
                                               {"Cislo_u"},
                                               {"Banka_u"},
                                               {"Ssym_u"},
                                               {"Vsym"},
                                               {"Ksym"},
                                               {"Spp"},
                                               {"Poznamka"}}));
    addCardTab(page, QStringLiteral("Zrážky"), &dmz.DS_ZRZ, &dmz.DS_ZRZG, navList, navDetail);
    return page;
}

QWidget *TEmployeeCard::buildChildren()
{
    TDMZ &dmz = DMZ();
    QWidget *page = pageNamed(kTabChildren, QStringLiteral("  1.13 Evidencia detí"));
    auto *navList = buildNavigator(page, &dmz.DS_DGRID, QStringLiteral("DBN_deti1"), true);
    auto *navDetail = buildNavigator(page, &dmz.DS_DETI, QStringLiteral("DBN_deti2"), false);
    page->layout()->addItem(navigatorRow(navList, navDetail));
    page->layout()->addWidget(buildGrid(page, &dmz.DS_DGRID, QStringLiteral("DBG_deti"),
                                             {{"Priezvisko", {}, 120},
                                              {"Meno", {}, 90},
                                              {"RC", {}, 90},
                                              {"DAT_NAR", "Dátum nar.", 80},
                                              {"CALC_VEK", {}, 40}}));
    page->layout()->addWidget(buildForm(page, &dmz.DS_DETI, QStringLiteral("TDET_"),
                                              {{"Priezvisko"},
                                               {"Meno"},
                                               {"RC"},
                                               {"DAT_NAR", {}, D},
                                               {"PD", {}, L},
                                               {"ZTP", {}, L},
                                               {"NC", {}, L},
                                               {"DAN_BONUS", {}, L},
                                               {"ZNIZ_POISTNE", {}, L},
                                               {"MES_OD"},
                                               {"MES_DO"},
                                               {"CALC_VEK", {}, R},
                                               {"CALC_POTREBA", {}, R},
                                               {"CALC_PRIDAVKY1", {}, R},
                                               {"CALC_PRIDAVKY2", {}, R}}));
    addCardTab(page, QStringLiteral("Deti"), &dmz.DS_DETI, &dmz.DS_DGRID, navList, navDetail);
    return page;
}

// Piece-work items belong to the payroll subsystem; the tab is there when it registered
// the page and its module exists.
QWidget *TEmployeeCard::buildWork()
{
    db::DataSource *zuk = pieceWorkPage() ? pieceWorkPage()->dataSource() : nullptr;
    if (!zuk)
        return nullptr;
    QWidget *page = pageNamed(kTabPieceWork, QStringLiteral("  1.14 Evidencia výkonov"));
    auto *navList = buildNavigator(page, zuk, QStringLiteral("DBN_zuk1"), true);
    auto *navDetail = buildNavigator(page, zuk, QStringLiteral("DBN_zuk2"), false);
    page->layout()->addItem(navigatorRow(navList, navDetail));
    page->layout()->addWidget(buildGrid(page, zuk, QStringLiteral("DBG_zuk"),
                                             {{"UKID", {}, 80},
                                              {"CALC_POPIS", {}, 260},
                                              {"HODNOTA", {}, 90}}));
    page->layout()->addWidget(buildForm(page, zuk, QStringLiteral("TZUK_"),
                                              {{"UKID"},
                                               {"CALC_POPIS", {}, R},
                                               {"HODNOTA"}}));
    addCardTab(page, QStringLiteral("Výkony"), zuk, zuk, navList, navDetail);
    return page;
}

QWidget *TEmployeeCard::buildAbsence()
{
    TDMZ &dmz = DMZ();
    QWidget *page = pageNamed(kTabAbsences, QStringLiteral("  1.15 Evidencia neprítomnosti"));
    auto *navList = buildNavigator(page, &dmz.DS_NEPG, QStringLiteral("DBN_nep1"), true);
    auto *navDetail = buildNavigator(page, &dmz.DS_NEP, QStringLiteral("DBN_nep2"), false);
    auto *row = navigatorRow(navList, navDetail);
    m_sbTypNep = new QToolButton(page);
    m_sbTypNep->setObjectName(QStringLiteral("SB_typ_nep"));
    m_sbTypNep->setText(QStringLiteral("Druhy neprítomnosti"));
    m_sbTypNep->setCheckable(true);
    m_sbTypNep->setFocusPolicy(Qt::NoFocus);
    row->addWidget(m_sbTypNep);
    page->layout()->addItem(row);

    auto *body = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(buildGrid(page, &dmz.DS_NEPG, QStringLiteral("DBG_nep"),
                                   {{"Datum_od", {}, 80},
                                    {"Datum_do", {}, 80},
                                    {"TypRL", {}, 40},
                                    {"Calc_typ_nep", "Druh neprítomnosti", 160},
                                    {"Calc_kal_dni", "Kal.dni", 50}}));
    left->addWidget(buildForm(page, &dmz.DS_NEP, QStringLiteral("TNEP_"),
                                    {{"TypRL", {}, V, "L_TYPRL"},
                                     {"Datum_od", {}, D},
                                     {"Datum_do", {}, D},
                                     {"Typ"},
                                     {"Calc_typ_nep", {}, R},
                                     {"TypRL2", {}, V, "L_TYPRL2"},
                                     {"Prerusenie", {}, V, "L_PRERUS1"},
                                     {"V_obdobie"},
                                     {"Prac_dni"},
                                     {"Calc_kal_dni", {}, R},
                                     {"Dovod"}}));
    body->addLayout(left, 1);
    m_dsCisNep = std::make_unique<db::DataSource>(&DM().CIS8_);
    m_dbgCisNep = buildGrid(page, m_dsCisNep.get(), QStringLiteral("DBG_cis_nep"),
                                 {{"Typ", {}, 40}, {"Popis", {}, 200}});
    m_dbgCisNep->setVisible(false);
    body->addWidget(m_dbgCisNep);
    static_cast<QVBoxLayout *>(page->layout())->addLayout(body, 1);
    connect(m_sbTypNep, &QToolButton::clicked, this, [this](bool on) { showAbsenceKinds(on); });

    addCardTab(page, QStringLiteral("Neprítomnosť"), &dmz.DS_NEP, &dmz.DS_NEPG, navList, navDetail);
    return page;
}

void TEmployeeCard::showAbsenceKinds(bool visible)
{
    m_dbgCisNep->setVisible(visible);
    m_sbTypNep->setChecked(visible);
}

QWidget *TEmployeeCard::buildPensions()
{
    TDMZ &dmz = DMZ();
    QWidget *page = pageNamed(kTabPensions, QStringLiteral("  1.16 Evidencia dôchodkov"));
    auto *navList = buildNavigator(page, &dmz.DS_DOCH, QStringLiteral("DBN_doch1"), true);
    auto *navDetail = buildNavigator(page, &dmz.DS_DOCH, QStringLiteral("DBN_doch2"), false);
    page->layout()->addItem(navigatorRow(navList, navDetail));
    auto *body = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(buildGrid(page, &dmz.DS_DOCH, QStringLiteral("DBG_doch"),
                                   {{"Typ", "Typ", 40},
                                    {"L_DOCH", {}, 200},
                                    {"Datum_od", "Nárok od", 80},
                                    {"Datum_do", "Nárok do", 80}}));
    left->addWidget(buildForm(page, &dmz.DS_DOCH, QStringLiteral("TDOCH_"),
                                    {{"Typ", {}, V, "L_DOCH"},
                                     {"Datum_od", {}, D},
                                     {"Datum_do", {}, D}}));
    body->addLayout(left, 1);
    m_dsCisDoch = std::make_unique<db::DataSource>(&DM().CIS13_);
    body->addWidget(buildGrid(page, m_dsCisDoch.get(), QStringLiteral("DBG_cis_doch"),
                                   {{"TYP", {}, 40}, {"POPIS", {}, 220}}));
    static_cast<QVBoxLayout *>(page->layout())->addLayout(body, 1);
    addCardTab(page, QStringLiteral("Dôchodok"), &dmz.DS_DOCH, &dmz.DS_DOCH, navList, navDetail);
    return page;
}

QWidget *TEmployeeCard::buildPpv()
{
    TDMP &dmp = DMP();
    QWidget *page = pageNamed(kTabContracts, QStringLiteral("  1.17  Pracovnoprávne vzťahy"));
    auto *navList = buildNavigator(page, &dmp.DS_PGRID, QStringLiteral("DBN_ppv1"), true);
    auto *navDetail = buildNavigator(page, &dmp.DS_PPV, QStringLiteral("DBN_ppv2"), false);
    page->layout()->addItem(navigatorRow(navList, navDetail));
    page->layout()->addWidget(buildGrid(page, &dmp.DS_PGRID, QStringLiteral("DBG_ppv"),
                                             {{"TYP", "Druh", 40},
                                              {"NASTUP", {}, 80},
                                              {"VYSTUP", {}, 80},
                                              {"DATUM", {}, 80},
                                              {"R1", {}, 240}}));
    m_pcPpv = new TPages(page);
    m_pcPpv->setObjectName(QStringLiteral("PC_PPV"));
    m_pcPpv->tabBar()->hide();
    const std::pair<QLatin1String, const char *> kinds[] = {
        {TDMP::kPageContract, "Pracovná zmluva"},
        {TDMP::kPageWorkAgreement, "Dohoda o vykonaní práce"},
        {TDMP::kPageActivityAgreement, "Dohoda o pracovnej činnosti"},
        {TDMP::kPageStudentAgreement, "Dohoda o brigádnickej práci študentov"},
        {TDMP::kPageNoDocument, "Prázdna"},
        {TDMP::kPageContractAmendment, "Dodatok k pracovnej zmluve"},
    };
    for (const auto &[name, caption] : kinds) {
        const QString pageName = name;
        QWidget *sub = nullptr;
        if (pageName == TDMP::kPageNoDocument) {
            sub = new QWidget;
        } else {
            sub = new QWidget;
            auto *l = new QVBoxLayout(sub);
            l->setContentsMargins(0, 0, 0, 0);
            l->addWidget(cardTitle(QString::fromUtf8(caption), sub, QStringLiteral("Panel_") + pageName));
            l->addWidget(buildForm(sub, &dmp.DS_PPV, pageName.mid(5) + u'_',
                                         {{"NASTUP", {}, D},
                                          {"VYSTUP", {}, D},
                                          {"R1"},
                                          {"R2"},
                                          {"R3"},
                                          {"R4"},
                                          {"R5"},
                                          {"R6"},
                                          {"R7"},
                                          {"R8"},
                                          {"R9"},
                                          {"R10"},
                                          {"R11"},
                                          {"R12"},
                                          {"MIESTO"},
                                          {"DATUM", {}, D}},
                                         1));
        }
        sub->setObjectName(pageName);
        m_pcPpv->addTab(sub, QString::fromUtf8(caption));
    }
    m_pcPpv->setCurrentIndex(m_pcPpv->pageIndex(TDMP::kPageNoDocument));
    page->layout()->addWidget(m_pcPpv);
    page->layout()->addWidget(printButton(QStringLiteral("ppv_tlac"), QStringLiteral("&Tlač"), page, false));
    addCardTab(page, QStringLiteral("Pracovnoprávne vzťahy"), &dmp.DS_PPV, &dmp.DS_PGRID, navList, navDetail);
    return page;
}

CommandRegistry &cardPrintCommands()
{
    static CommandRegistry commands(
        {QStringLiteral("ppv_tlac"), QStringLiteral("Butt_tlac_doklad"), QStringLiteral("Butt_tlac_oznam"),
         QStringLiteral("Butt_tlac_eldp")});
    return commands;
}

QPushButton *TEmployeeCard::printButton(const QString &id, const QString &caption, QWidget *parent, bool strazEditacie)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(id == u"ppv_tlac" ? QStringLiteral("Butt_ppv_tlac") : id);
    b->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    m_tlac.insert(id, b);
    connect(b, &QPushButton::clicked, this, [this, id, strazEditacie] {
        runReported([&] {
            // The health-insurance prints wait until no record of the window is being edited.
            if (strazEditacie)
                if (const auto *hlavne = qobject_cast<const TFormMain *>(window()); hlavne && hlavne->Prebieha_editacia())
                    throw EMyError(Msg(65199));
            const Command *command = cardPrintCommands().find(id);
            if (!command)
                return;
            const CommandHandler run = command->run;
            run(CommandContext{this});
        });
    });
    return b;
}

QWidget *TEmployeeCard::buildEldp()
{
    TDMZ &dmz = DMZ();
    QWidget *page = pageNamed(kTabPensionRecord, QStringLiteral("  1.18 Evid.list dôch.poistenia"));
    auto *navList = buildNavigator(page, &dmz.DS_ELDP, QStringLiteral("DBN_eldp1"), true);
    auto *navDetail = buildNavigator(page, &dmz.DS_ELDP, QStringLiteral("DBN_eldp2"), false);
    page->layout()->addItem(navigatorRow(navList, navDetail));
    page->layout()->addWidget(buildGrid(page, &dmz.DS_ELDP, QStringLiteral("DBG_eldp"),
                                             {{"Datum_od", {}, 80},
                                              {"Datum_do", {}, 80},
                                              {"Znak", "Znak", 40},
                                              {"VZ", {}, 100},
                                              {"Vyluka_VZ", "VZ vylúč.dôb", 90},
                                              {"Vyluka_dni", "Dni vylúč.dôb", 80}}));
    page->layout()->addWidget(buildForm(page, &dmz.DS_ELDP, QStringLiteral("TELDP_"),
                                              {{"Datum_od", {}, D},
                                               {"Datum_do", {}, D},
                                               {"Znak", {}, V, "L_ZNAK"},
                                               {"VZ"},
                                               {"Vyluka_VZ"},
                                               {"Vyluka_dni"}}));
    page->layout()->addWidget(printButton(QStringLiteral("Butt_tlac_eldp"),
                                            QStringLiteral("Tlač evidenčného listu (PDF)"), page, false));
    addCardTab(page, QStringLiteral("Evid.list dôch.poistenia"), &dmz.DS_ELDP, &dmz.DS_ELDP, navList,
                  navDetail);
    return page;
}

QWidget *TEmployeeCard::buildHealth()
{
    TDMZ &dmz = DMZ();
    QWidget *page = pageNamed(kTabHealth, QString());
    m_nxZdr = new TPages(page);
    m_nxZdr->setObjectName(QStringLiteral("NX_ZDR"));
    page->layout()->addWidget(m_nxZdr);

    auto *zamnec = new QWidget;
    zamnec->setObjectName(kTabHealthEmployee);
    auto *zl = new QVBoxLayout(zamnec);
    zl->addItem(navigatorRow(buildNavigator(zamnec, &dmz.DS_ZP1, QStringLiteral("DBN_zp1a"), true),
                                  buildNavigator(zamnec, &dmz.DS_ZP1, QStringLiteral("DBN_zp1b"), false)));
    zl->addWidget(buildForm(zamnec, &dmz.DS_ZP1, QStringLiteral("TZP1_"),
                                  {{"V_rok", {}, R},
                                   {"ROK", {}, R},
                                   {"KZP", {}, V, "L_KZP"},
                                   {"Typ_zuctovania", {}, V, "L_TYP_ZUCT"},
                                   {"Datum_ziadosti", {}, D},
                                   {"Datum_vykonania", {}, D},
                                   {"Datum_doklad", {}, D},
                                   {"Pocet_zamtelov"},
                                   {"Zamnec_od", {}, D},
                                   {"Zamnec_do", {}, D},
                                   {"Uhrn_prijmov"},
                                   {"Uhrn_preddav_zamnec"},
                                   {"Uhrn_preddav_zamtel"},
                                   {"Uhrn_minim_zakladov"},
                                   {"Preddavky_dan_uzn"}}));
    zl->addItem(navigatorRow(buildNavigator(zamnec, &dmz.DS_ZP3, QStringLiteral("DBN_zp3a"), true),
                                  buildNavigator(zamnec, &dmz.DS_ZP3, QStringLiteral("DBN_zp3b"), false)));
    auto *vysledok = buildGrid(zamnec, &dmz.DS_ZP3, QStringLiteral("DBG_zp3"),
                                    {{"Typ", {}, 40},
                                     {"Rok", {}, 50},
                                     {"A1", {}, 60},
                                     {"A2", {}, 60},
                                     {"X1", {}, 80},
                                     {"X2", {}, 80},
                                     {"X3", {}, 80},
                                     {"X4", {}, 80}});
    // The results have no fields of their own: their cells are typed into.
    vysledok->setReadOnly(false);
    zl->addWidget(vysledok);
    zl->addWidget(printButton(QStringLiteral("Butt_tlac_oznam"), QStringLiteral("Tlač oznámenia"), zamnec, true));
    m_nxZdr->addTab(zamnec, QStringLiteral("Ročné zúčtovanie "));

    auto *doklad = new QWidget;
    doklad->setObjectName(kTabHealthDocument);
    auto *dl = new QVBoxLayout(doklad);
    dl->addItem(navigatorRow(buildNavigator(doklad, &dmz.DS_ZP2, QStringLiteral("DBN_zp2a"), true),
                                  buildNavigator(doklad, &dmz.DS_ZP2, QStringLiteral("DBN_zp2b"), false)));
    dl->addWidget(buildGrid(doklad, &dmz.DS_ZP2, QStringLiteral("DBG_zp2"),
                                 {{"Datum_od", {}, 80}, {"Datum_do", {}, 80}, {"Dovod", {}, 220}}));
    dl->addWidget(buildForm(doklad, &dmz.DS_ZP2, QStringLiteral("TZP2_"),
                                  {{"Datum_od", {}, D}, {"Datum_do", {}, D}, {"Dovod"}}));
    m_vypocetZp = new QPushButton(QStringLiteral("Výpočet podkladov pre doklad"), doklad);
    m_vypocetZp->setObjectName(QStringLiteral("Butt_vypocet_zp"));
    dl->addWidget(m_vypocetZp, 0, Qt::AlignLeft);
    dl->addItem(navigatorRow(buildNavigator(doklad, &dmz.DS_ZP4, QStringLiteral("DBN_zp4a"), true),
                                  buildNavigator(doklad, &dmz.DS_ZP4, QStringLiteral("DBN_zp4b"), false)));
    auto *mesiace = buildGrid(doklad, &dmz.DS_ZP4, QStringLiteral("DBG_zp4"),
                                   {{"V_mesiac", {}, 50},
                                    {"X1", {}, 90},
                                    {"X2", {}, 90},
                                    {"X3", {}, 90},
                                    {"X4", {}, 90},
                                    {"X5", {}, 90}});
    // The monthly basis is corrected in its cells too.
    mesiace->setReadOnly(false);
    dl->addWidget(mesiace);
    dl->addWidget(printButton(QStringLiteral("Butt_tlac_doklad"), QStringLiteral("Tlač dokladu"), doklad, true));
    m_nxZdr->addTab(doklad, QStringLiteral("Doklad o preddavkoch"));
    connect(m_vypocetZp, &QPushButton::clicked, this, [] { runReported([] { DMZ().Vypocet_podkladov_zp(); }); });

    addCardTab(page, QStringLiteral("Zdravotné poistenie"), nullptr, nullptr, nullptr, nullptr);
    return page;
}

QWidget *TEmployeeCard::buildBatch601()
{
    TDMZ &dmz = DMZ();
    QWidget *page = pageNamed(kTabBatch601, QString());
    auto *nav = buildNavigator(page, &dmz.DS_ZP5, QStringLiteral("DBN_zp5"), true);
    nav->setVisibleButtons({NavigateButton::First, NavigateButton::Prior, NavigateButton::Next, NavigateButton::Last,
                            NavigateButton::Insert, NavigateButton::Delete, NavigateButton::Edit,
                            NavigateButton::Post, NavigateButton::Cancel, NavigateButton::Refresh});
    page->layout()->addItem(navigatorRow(nav, nullptr));
    auto *body = new QHBoxLayout;
    auto *grid = buildGrid(page, &dmz.DS_ZP5, QStringLiteral("DBG_zp5"),
                                {{"Kod_zmeny", {}, 110},
                                 {"Platnost_zmeny", {}, 130},
                                 {"Datum_zmeny", {}, 90},
                                 {"Id_cislo", {}, 110},
                                 {"KZP", {}, 90}});
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
    addCardTab(page, QStringLiteral("Zdr.poist.-typ dávky 601"), &dmz.DS_ZP5, &dmz.DS_ZP5, nav, nav);
    return page;
}

bool TEmployeeCard::focusEmployeeField(const QString &field)
{
    QWidget *control = findDataControl(this, &DMZ().DS_ZAM1, field);
    if (!control)
        return false;
    m_nxZam->setCurrentIndex(m_nxZam->pageIndex(kTabEmployee));
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
