#include "payroll/forms/form_main_vyp.h"

#include "core/app_ini.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/forms/form_menu_pomoc.h"
#include "core/forms/main_menu.h"
#include "core/forms/window_caption.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "payroll/dm_v.h"
#include "payroll/forms/prepisane_polia.h"
#include "payroll/forms/vyp_layout.h"
#include "platform/dbctrl/db_check_box.h"
#include "platform/dbctrl/db_combo_box.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/field_link.h"
#include "platform/dbctrl/screen_builder.h"
#include "platform/errors.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace tarix::payroll {

using dbctrl::NavigateButton;

namespace {

bool g_otvorene = false;

const QString kZamf = QStringLiteral("ZAMF");
const QString kVypl1 = QStringLiteral("VYPL1");

// Texts of the menus.
const QString kNovaVyplata = QStringLiteral("Nová výplata");
const QString kOpravaVyplaty = QStringLiteral("Oprava výplaty");
const QString kVymazanieVyplaty = QStringLiteral("Vymazanie výplaty");
const QString kZapisZmien = QStringLiteral("Zápis zmien");
const QString kIgnorovanieZmien = QStringLiteral("Ignorovanie zmien");
const QString kNovyZaznam = QStringLiteral("Nový záznam");
const QString kOpravaUdajov = QStringLiteral("Oprava údajov");
const QString kVymazanieZaznamu = QStringLiteral("Vymazanie záznamu");
const QString kTlacPasky = QStringLiteral("&Tlač výplatnej pásky");
const QString kNavrat = QStringLiteral("&Návrat");

// The text of a field's hint ("%SMyAppHintPoistenie..." stand for the messages).
QString hintTextOf(const QString &hint)
{
    if (hint == MainVyp::kHintPoistenie)
        return Msg(65144);
    if (hint == MainVyp::kHintPoistenie2)
        return Msg(65145);
    return hint;
}

bool isEditingPayroll(const db::DataSet &ds) { return ds.isActive() && ds.isEditing(); }

db::Table *contractsTable()
{
    if (!core::hasDMP())
        return nullptr;
    db::Table &t = core::DMP().TPPV_;
    return t.isActive() ? &t : nullptr;
}

} // namespace

core::CommandRegistry &payrollScreenPrintCommands()
{
    static core::CommandRegistry commands({QStringLiteral("VP"), QStringLiteral("VYK")});
    return commands;
}

bool MainVyp::Vyplaty_otvorene() { return g_otvorene; }

void openPayrollScreen(QWidget *parent)
{
    TFormMainVyp form(parent);
    form.exec();
}

void registerCommands()
{
    using core::CommandContext;
    core::CommandRegistry &commands = core::mainMenuCommands();
    commands.add(QStringLiteral("vyplaty"), [](const CommandContext &c) { openPayrollScreen(c.owner); });
    commands.add(QStringLiteral("prepocitanie_vyplat"), [](const CommandContext &) { DMV().Prepocitanie_vyplat(0); });
    commands.add(QStringLiteral("rozdelenie_dane"), [](const CommandContext &) { DMV().Rozdelenie_dane(); });
}

// Follows a data source's state: `zmena` runs when editing starts or ends, or the source
// is switched on or off.
class TFormMainVyp::Sledovanie : public db::DataLink {
public:
    explicit Sledovanie(std::function<void()> zmena) : m_zmena(std::move(zmena)) {}
    void activeChanged() override { m_zmena(); }
    void editingChanged() override { m_zmena(); }

private:
    std::function<void()> m_zmena;
};

// Follows the rows of a data source: `zmena` runs when it moves or reads its rows again.
class TFormMainVyp::SledovanieRiadku : public db::DataLink {
public:
    explicit SledovanieRiadku(std::function<void()> zmena) : m_zmena(std::move(zmena)) {}
    void activeChanged() override { m_zmena(); }
    void dataSetChanged() override { m_zmena(); }
    void dataSetScrolled() override { m_zmena(); }

private:
    std::function<void()> m_zmena;
};

TDMV &TFormMainVyp::dmv() const { return DMV(); }

TFormMainVyp::TFormMainVyp(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormMainVyp"));
    setWindowTitle(QStringLiteral("Výplaty"));
    // Details a new payroll left behind when the program ended before it was stored go
    // before the month is shown; should that fail, the next new payroll tries again.
    try {
        dmv().cleanUpUnfinishedPayroll();
    } catch (const std::exception &e) {
        qWarning("Details of an unfinished payroll not cleared: %s", e.what());
    }
    resize(1200, 760);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    N = new QStackedWidget(this);
    N->setObjectName(QStringLiteral("N"));
    layout->addWidget(N, 1);
    statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(statusBar);
    core::statusPanel(statusBar, 0);
    core::statusPanel(statusBar, 1);

    buildZamfPage();
    buildPayrollPage();
    buildMenu();
    // What cannot be typed into looks so: results, and inputs the calculation overwrites;
    // unless the colour section of TRX.INI gives the fields colours of their own.
    if (!core::Nastav_farby_formulara(this))
        setStyleSheet(QStringLiteral("QLineEdit:read-only { background: palette(window); }"));
    for (auto *e : findChildren<dbctrl::DBEdit *>())
        e->installEventFilter(this);
    // Enter writes the field it is pressed in; it never presses a button of the screen.
    for (auto *b : findChildren<QPushButton *>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    m_sledVypl = std::make_unique<Sledovanie>([this] { Akcia_priprav_vypl1(); });
    m_sledVypl->setDataSource(&dmv().DS_VYPL);
    m_sledZrv = std::make_unique<Sledovanie>([this] { akcia_priprav_zrv(); });
    m_sledZrv->setDataSource(&dmv().DS_ZRV);
    m_sledHsu = std::make_unique<Sledovanie>([this] { akcia_priprav_vykon(); });
    m_sledHsu->setDataSource(&dmv().DS_HSU);
    m_sledGrid = std::make_unique<SledovanieRiadku>([this] { limitDetails(false); });
    m_sledGrid->setDataSource(&dmv().DS_VGRID);

    // Creation: the first tab and the employee choice.
    chooseTab(0);
    N->setCurrentWidget(Page_zamf);
    NPageChanged();
}

TFormMainVyp::~TFormMainVyp()
{
    // Freed without a close (its owner went first): nothing is asked, edits are dropped.
    if (!m_zatvorene)
        cleanUp();
    m_sledVypl.reset();
    m_sledZrv.reset();
    m_sledHsu.reset();
    m_sledGrid.reset();
}

// ---- building ------------------------------------------------------------------------------

void TFormMainVyp::buildZamfPage()
{
    Page_zamf = new QWidget(N);
    Page_zamf->setObjectName(kZamf);
    auto *v = new QVBoxLayout(Page_zamf);
    Panel_zamf = new QLabel(QStringLiteral("  1.04  Výber zamestnanca"), Page_zamf);
    Panel_zamf->setObjectName(QStringLiteral("Panel_zamf"));
    Panel_zamf->setFrameShape(QFrame::Panel);
    v->addWidget(Panel_zamf);

    DBG_zamf = dbctrl::ScreenBuilder(&core::DMZ().DS_ZAMF)
                   .grid({.kind = dbctrl::ControlKind::Grid,
                          .readOnly = true,
                          .name = QStringLiteral("DBG_zamf"),
                          .columns = {{"CODE_NUMB", "Osobné číslo", 90},
                                      {"PMT", "Priezvisko, Meno, Titul", 320},
                                      {"NASTUP", "Nástup", 90},
                                      {"VYSTUP", "Výstup", 90}}},
                         Page_zamf);
    DBG_zamf->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(DBG_zamf, &dbctrl::DBGrid::rowActivated, this,
            [this] { dbctrl::runReported([this] { Akcia_zamf_vyber(); }); });
    connect(DBG_zamf, &dbctrl::DBGrid::titleClicked, this,
            [this](int, const QString &field) { DBG_zamfTitleClick(field); });
    v->addWidget(DBG_zamf, 1);

    auto *buttons = new QHBoxLayout;
    Butt_zamf_vyber = new QPushButton(QStringLiteral("&Výber"), Page_zamf);
    Butt_zamf_vyber->setObjectName(QStringLiteral("Butt_zamf_vyber"));
    Butt_zamf_navrat = new QPushButton(kNavrat, Page_zamf);
    Butt_zamf_navrat->setObjectName(QStringLiteral("Butt_zamf_navrat"));
    connect(Butt_zamf_vyber, &QPushButton::clicked, this,
            [this] { dbctrl::runReported([this] { Akcia_zamf_vyber(); }); });
    connect(Butt_zamf_navrat, &QPushButton::clicked, this, [this] { close(); });
    buttons->addStretch(1);
    buttons->addWidget(Butt_zamf_vyber);
    buttons->addWidget(Butt_zamf_navrat);
    v->addLayout(buttons);
    N->addWidget(Page_zamf);
}

void TFormMainVyp::buildPayrollPage()
{
    TDMV &m = dmv();
    Page_vypl1 = new QWidget(N);
    Page_vypl1->setObjectName(kVypl1);
    auto *v = new QVBoxLayout(Page_vypl1);

    auto *top = new QHBoxLayout;
    auto *panel = new QLabel(QStringLiteral("  2.01  Výplaty"), Page_vypl1);
    panel->setObjectName(QStringLiteral("Panel_vypl"));
    top->addWidget(panel);
    Butt_vypl_tlac = new QToolButton(Page_vypl1);
    Butt_vypl_tlac->setObjectName(QStringLiteral("Butt_vypl_tlac"));
    Butt_vypl_tlac->setText(QStringLiteral("Tlač"));
    Butt_vypl_tlac->setToolTip(QStringLiteral("Tlač výplatnej pásky"));
    connect(Butt_vypl_tlac, &QToolButton::clicked, this, [this] { dbctrl::runReported([this] { ShowReportVP1(); }); });
    top->addWidget(Butt_vypl_tlac);

    DBN_vypl2 = new dbctrl::DBNavigator(Page_vypl1);
    DBN_vypl2->setObjectName(QStringLiteral("DBN_vypl2"));
    DBN_vypl2->setVisibleButtons({NavigateButton::Edit, NavigateButton::Post, NavigateButton::Cancel});
    DBN_vypl2->setDataSource(&m.DS_VYPL);
    DBN_vypl1 = new dbctrl::DBNavigator(Page_vypl1);
    DBN_vypl1->setObjectName(QStringLiteral("DBN_vypl1"));
    DBN_vypl1->setVisibleButtons({NavigateButton::Insert, NavigateButton::Delete});
    DBN_vypl1->setDataSource(&m.DS_VGRID);
    for (dbctrl::DBNavigator *nav : {DBN_vypl1, DBN_vypl2}) {
        nav->onClick = [this](NavigateButton) {
            // A new record's copied details, or the details of the record current again.
            limitDetails(true);
            Akcia_priprav_vypl1();
            refreshReadOnlyFields();
        };
    }
    top->addWidget(DBN_vypl1);
    top->addWidget(DBN_vypl2);
    top->addStretch(1);
    Butt_vypl_navrat = new QPushButton(kNavrat, Page_vypl1);
    Butt_vypl_navrat->setObjectName(QStringLiteral("Butt_vypl_navrat"));
    connect(Butt_vypl_navrat, &QPushButton::clicked, this,
            [this] { dbctrl::runReported([this] { Akcia_vypl_navrat(); }); });
    top->addWidget(Butt_vypl_navrat);
    v->addLayout(top);

    auto *split = new QHBoxLayout;
    DBGrid2 = dbctrl::ScreenBuilder(&m.DS_VGRID)
                  .grid({.kind = dbctrl::ControlKind::Grid,
                         .readOnly = true,
                         .name = QStringLiteral("DBGrid2"),
                         .columns = {{"MES", "Mesiac", 80}, {"V_rok", "Rok", 50}}},
                        Page_vypl1);
    DBGrid2->setFixedWidth(160);

    N_VYPL = new QTabWidget(Page_vypl1);
    N_VYPL->setObjectName(QStringLiteral("N_VYPL"));
    // The tabs of the record's fields; a field standing on several tabs has a control on each.
    const QVector<dbctrl::ScreenPage> &zalozky = MainVyp::payrollTabs();
    dbctrl::ScreenBuilder polia(&m.DS_VYPL, QStringLiteral("DB_"));
    polia.colorRolesByKind = true;
    polia.addSource(MainVyp::kFirmHeaderSource, &core::DM().DS_INF);
    polia.onControl = [this](const dbctrl::ScreenControl &c, QWidget *w) { attachField(c, w); };
    auto pridaj = [this](QWidget *page, const QString &name, const QString &caption) {
        page->setObjectName(name);
        N_VYPL->addTab(page, caption);
    };
    auto pridajPolia = [&](int index) { N_VYPL->addTab(polia.page(zalozky[index]), zalozky[index].caption); };
    pridajPolia(0);
    pridajPolia(1);
    pridajPolia(2);
    pridaj(buildWorkTab(), QStringLiteral("PAGE_VYKON"), QStringLiteral("Výkonová mzda"));
    pridaj(buildDeductionsTab(), QStringLiteral("PAGE_ZRAZKY"), QStringLiteral("Zrážky"));
    auto *nep = new QLabel(QStringLiteral("Evidencia neprítomnosti bola presunutá do karty zamestnanca."));
    nep->setAlignment(Qt::AlignCenter);
    pridaj(nep, QStringLiteral("PAGE_NEP"), QStringLiteral("Neprítomnosť"));
    pridajPolia(3);
    pridajPolia(4);
    connect(N_VYPL, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_menimZalozku)
            return;
        if (!N_VYPLChanging()) {
            chooseTab(m_poslednaZalozka);
            return;
        }
        m_poslednaZalozka = index;
        N_VYPLChange();
    });
    split->addWidget(DBGrid2);
    split->addWidget(N_VYPL, 1);
    v->addLayout(split, 1);
    N->addWidget(Page_vypl1);

    for (const QString &f : MainVyp::inputFields())
        if (m_vstupne.contains(f.toUpper()))
            m_vstupnePolia << f;
}

void TFormMainVyp::attachField(const dbctrl::ScreenControl &c, QWidget *w)
{
    // The firm's rates and the captions are only shown; the rest are fields of the record.
    auto *control = dynamic_cast<dbctrl::DataControl *>(w);
    if (!control || !c.source.isEmpty())
        return;
    const QString key = c.field.toUpper();
    m_polia[key] << w;
    if (!c.readOnly)
        m_vstupne[key] << control;
    if (auto *box = qobject_cast<dbctrl::DBCheckBox *>(w)) {
        connect(box, &QCheckBox::clicked, this, [this] { SET_ALL(); });
    } else if (auto *combo = qobject_cast<dbctrl::DBComboBox *>(w)) {
        connect(combo, &dbctrl::DBComboBox::exited, this, [this] { SET_ALL(); });
    } else if (auto *e = qobject_cast<dbctrl::DBEdit *>(w)) {
        if (key == QStringLiteral("MV_PLAT"))
            connect(e, &dbctrl::DBEdit::exited, this, [this] { SET_ALL_MV_PLAT(); });
        else
            connect(e, &dbctrl::DBEdit::exited, this, [this] { SET_ALL(); });
        if (!c.hint.isEmpty()) {
            const QString hint = c.hint;
            e->setToolTip(hintTextOf(hint));
            connect(e, &dbctrl::DBEdit::entered, this, [this, hint] { Hint_zobraz(hint); });
        }
    }
}

QWidget *TFormMainVyp::buildWorkTab()
{
    TDMV &m = dmv();
    auto *page = new QWidget;
    auto *v = new QVBoxLayout(page);
    auto *top = new QHBoxLayout;
    DBN_hsu2 = new dbctrl::DBNavigator(page);
    DBN_hsu2->setObjectName(QStringLiteral("DBN_hsu2"));
    DBN_hsu2->setVisibleButtons({NavigateButton::Edit, NavigateButton::Post, NavigateButton::Cancel});
    DBN_hsu2->setDataSource(&m.DS_HSU);
    DBN_hsu1 = new dbctrl::DBNavigator(page);
    DBN_hsu1->setObjectName(QStringLiteral("DBN_hsu1"));
    DBN_hsu1->setVisibleButtons({NavigateButton::Insert, NavigateButton::Delete});
    DBN_hsu1->setDataSource(&m.DS_HSU);
    DBN_hsu1->confirmDelete = true;
    for (dbctrl::DBNavigator *nav : {DBN_hsu1, DBN_hsu2})
        nav->onClick = [this](NavigateButton b) {
            akcia_priprav_vykon();
            // A stored item changes the month's piece-work wage: the record follows.
            if (b == NavigateButton::Post || b == NavigateButton::Delete)
                SET_ALL();
        };
    Butt_vykon_tlac = new QPushButton(QStringLiteral("výkonová mzda"), page);
    Butt_vykon_tlac->setObjectName(QStringLiteral("Butt_vykon_tlac"));
    connect(Butt_vykon_tlac, &QPushButton::clicked, this, [this] { dbctrl::runReported([this] { ShowReportVYK(); }); });
    top->addWidget(DBN_hsu1);
    top->addWidget(DBN_hsu2);
    top->addStretch(1);
    top->addWidget(Butt_vykon_tlac);
    v->addLayout(top);
    DBG_hsu = dbctrl::ScreenBuilder(&m.DS_HSU)
                  .grid({.kind = dbctrl::ControlKind::Grid,
                         .name = QStringLiteral("DBG_hsu"),
                         .columns = {{"UKID", {}, 80},
                                     {"LKP_POPIS_UKONU", {}, 300},
                                     {"Pocet", {}, 80},
                                     {"Suma1", {}, 90},
                                     {"Suma", {}, 100}}},
                        page);
    v->addWidget(DBG_hsu, 1);
    return page;
}

QWidget *TFormMainVyp::buildDeductionsTab()
{
    TDMV &m = dmv();
    auto *page = new QWidget;
    auto *v = new QVBoxLayout(page);
    auto *top = new QHBoxLayout;
    DBN_zrv1 = new dbctrl::DBNavigator(page);
    DBN_zrv1->setObjectName(QStringLiteral("DBN_zrv1"));
    DBN_zrv1->setVisibleButtons({NavigateButton::Insert, NavigateButton::Delete});
    DBN_zrv1->setDataSource(&m.DS_ZRV);
    DBN_zrv1->confirmDelete = true;
    DBN_zrv2 = new dbctrl::DBNavigator(page);
    DBN_zrv2->setObjectName(QStringLiteral("DBN_zrv2"));
    DBN_zrv2->setVisibleButtons({NavigateButton::Post, NavigateButton::Cancel});
    DBN_zrv2->setDataSource(&m.DS_ZRV);
    for (dbctrl::DBNavigator *nav : {DBN_zrv1, DBN_zrv2})
        nav->onClick = [this](NavigateButton b) {
            akcia_priprav_zrv();
            // A stored or deleted deduction changes the record's deduction totals.
            if (b == NavigateButton::Post || b == NavigateButton::Delete)
                SET_ALL();
        };
    top->addWidget(DBN_zrv1);
    top->addWidget(DBN_zrv2);
    top->addStretch(1);
    v->addLayout(top);

    DBG_zrv = dbctrl::ScreenBuilder(&m.DS_ZRVG)
                  .grid({.kind = dbctrl::ControlKind::Grid,
                         .readOnly = true,
                         .name = QStringLiteral("DBG_zrv"),
                         .columns = {{"Typ", "Typ", 40},
                                     {"CALC_TEXT_ZARAZKY", "Druh zrážky", 120},
                                     {"Prijemca", {}, 180},
                                     {"Suma", "Suma", 80},
                                     {"Typ_sumy", "Typ sumy", 60},
                                     {"CALC_VYP_SUMA", "Vypočítaná suma", 100}}},
                        page);
    v->addWidget(DBG_zrv, 1);

    dbctrl::ScreenBuilder zrazka(&m.DS_ZRV, QStringLiteral("DBZ_"));
    zrazka.colorRolesByKind = true;
    zrazka.onControl = [this](const dbctrl::ScreenControl &c, QWidget *w) {
        auto *e = qobject_cast<dbctrl::DBEdit *>(w);
        if (!e)
            return;
        m_zrazky.insert(c.field.toUpper(), e);
        if (!c.hint.isEmpty()) {
            const QString hint = c.hint;
            e->setToolTip(hint);
            connect(e, &dbctrl::DBEdit::entered, this, [this, hint] { Hint_zobraz(hint); });
            connect(e, &dbctrl::DBEdit::exited, this, [this] { Hint_zmaz(); });
        }
    };
    v->addWidget(zrazka.group(MainVyp::deductionFields(), page));
    return page;
}

void TFormMainVyp::buildMenu()
{
    auto runner = [](std::function<void()> fn) { return [fn] { dbctrl::runReported(fn); }; };

    Menu_zamf = menuBar->addMenu(QStringLiteral("&Operácie-výber zamestnanca"));
    Menu_zamf->setObjectName(QStringLiteral("Menu_zamf"));
    connect(Menu_zamf->addAction(QStringLiteral("Zoradenie podľa abecedy")), &QAction::triggered, this,
            [this] { DBG_zamfTitleClick(QStringLiteral("PMT")); });
    connect(Menu_zamf->addAction(QStringLiteral("Zoradenie podľa osobného čísla")), &QAction::triggered, this,
            [this] { DBG_zamfTitleClick(QStringLiteral("CODE_NUMB")); });
    connect(Menu_zamf->addAction(QStringLiteral("Výber zamestnanca")), &QAction::triggered, this,
            runner([this] { Akcia_zamf_vyber(); }));
    Menu_zamf->addSeparator();
    connect(Menu_zamf->addAction(kNavrat), &QAction::triggered, this, [this] { close(); });

    Menu_vypl = menuBar->addMenu(QStringLiteral("&Operácie-výplaty"));
    Menu_vypl->setObjectName(QStringLiteral("Menu_vypl"));
    connect(Menu_vypl, &QMenu::aboutToShow, this, [this] { Akcia_priprav_vypl1(); });
    connect(Menu_vypl->addAction(kNovaVyplata), &QAction::triggered, this, [this] { Akcia_vypl_insert(); });
    connect(Menu_vypl->addAction(kOpravaVyplaty), &QAction::triggered, this, [this] { Akcia_vypl_edit(); });
    connect(Menu_vypl->addAction(kVymazanieVyplaty), &QAction::triggered, this, [this] { Akcia_vypl_delete(); });
    connect(Menu_vypl->addAction(kZapisZmien), &QAction::triggered, this, [this] { Akcia_vypl_post(); });
    connect(Menu_vypl->addAction(kIgnorovanieZmien), &QAction::triggered, this, [this] { Akcia_vypl_cancel(); });
    Menu_vypl->addSeparator();

    Menu_vykon = Menu_vypl->addMenu(QStringLiteral("Operácie - výkonová mzda"));
    Menu_vykon->setObjectName(QStringLiteral("Menu_vykon"));
    connect(Menu_vykon, &QMenu::aboutToShow, this, [this] { akcia_priprav_vykon(); });
    const std::pair<QString, NavigateButton> vykon[] = {
        {kNovyZaznam, NavigateButton::Insert}, {kOpravaUdajov, NavigateButton::Edit},
        {kVymazanieZaznamu, NavigateButton::Delete}, {kZapisZmien, NavigateButton::Post},
        {kIgnorovanieZmien, NavigateButton::Cancel}};
    for (const auto &[text, button] : vykon) {
        const NavigateButton b = button;
        connect(Menu_vykon->addAction(text), &QAction::triggered, this, [this, b] { akcia_hsu(b); });
    }
    Menu_zrv = Menu_vypl->addMenu(QStringLiteral("&Operácie - evidencia zrážok"));
    Menu_zrv->setObjectName(QStringLiteral("Menu_zrv"));
    connect(Menu_zrv, &QMenu::aboutToShow, this, [this] { akcia_priprav_zrv(); });
    const std::pair<QString, NavigateButton> zrv[] = {
        {kNovyZaznam, NavigateButton::Insert}, {kVymazanieZaznamu, NavigateButton::Delete},
        {kZapisZmien, NavigateButton::Post}, {kIgnorovanieZmien, NavigateButton::Cancel}};
    for (const auto &[text, button] : zrv) {
        const NavigateButton b = button;
        connect(Menu_zrv->addAction(text), &QAction::triggered, this, [this, b] { akcia_zrv(b); });
    }
    Menu_vypl->addSeparator();
    const std::pair<const char *, const char *> tabs[] = {
        {"Základné údaje", "PAGE_ZAKLAD"}, {"Poistné a daň", "PAGE_POISTNE"}, {"Príplatky", "PAGE_PRIPL"},
        {"Zrážky zo mzdy", "PAGE_ZRAZKY"}, {"Neprítomnosť", "PAGE_NEP"},     {"Nepoužívané", "PAGE_USE"},
        {"Nemocenské dávky", "PAGE_ND"}};
    for (const auto &[text, page] : tabs) {
        const QString name = QString::fromLatin1(page);
        QAction *a = Menu_vypl->addAction(QString::fromUtf8(text));
        m_akcieZaloziek.insert(name, a);
        connect(a, &QAction::triggered, this, [this, name] { showTab(name); });
    }
    connect(Menu_vypl->addAction(QStringLiteral("Výkonová mzda")), &QAction::triggered, this,
            [this] { akcia_priprav_vykon(); });
    Menu_vypl->addSeparator();
    connect(Menu_vypl->addAction(kTlacPasky), &QAction::triggered, this,
            runner([this] { ShowReportVP1(); }));
    connect(Menu_vypl->addAction(kNavrat), &QAction::triggered, this, runner([this] { Akcia_vypl_navrat(); }));
}

// ---- lookups for the menus and tests ---------------------------------------------------------

QAction *TFormMainVyp::makeAction(const QString &text, QMenu *menu) const
{
    const QList<QMenu *> menus = menu ? QList<QMenu *>{menu} : QList<QMenu *>{Menu_zamf, Menu_vypl};
    for (QMenu *m : menus)
        for (QAction *a : m->actions())
            if (a->text() == text)
                return a;
    return nullptr;
}

QList<QWidget *> TFormMainVyp::fieldControls(const QString &field) const { return m_polia.value(field.toUpper()); }

QWidget *TFormMainVyp::deductionControl(const QString &field) const { return m_zrazky.value(field.toUpper()); }

QWidget *TFormMainVyp::tabNamed(const QString &name) const
{
    for (int i = 0; i < N_VYPL->count(); ++i)
        if (N_VYPL->widget(i)->objectName() == name)
            return N_VYPL->widget(i);
    return nullptr;
}

void TFormMainVyp::chooseTab(int index)
{
    m_menimZalozku = true;
    N_VYPL->setCurrentIndex(index);
    m_menimZalozku = false;
    m_poslednaZalozka = N_VYPL->currentIndex();
}

bool TFormMainVyp::showTab(const QString &name)
{
    QWidget *page = tabNamed(name);
    if (!page)
        return false;
    N_VYPL->setCurrentWidget(page);
    return N_VYPL->currentWidget() == page;
}

// ---- activation, caption, closing --------------------------------------------------------

void TFormMainVyp::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFormMainVyp::FormActivate()
{
    // The exception codes: the code table follows the payroll record while the record's
    // source is on, so the whole list is read with it off.
    if (!fieldControls(QStringLiteral("VYNIMKA_VZ")).isEmpty()) {
        QStringList codes;
        db::DataSource &vypl = dmv().DS_VYPL;
        const bool enabled = vypl.isEnabled();
        if (!isEditingPayroll(dmv().TVYP_))
            vypl.setEnabled(false);
        try {
            core::DM().Napln_zoznam_vynimiek(&codes);
        } catch (const std::exception &) {
            // An unreadable code table leaves the list empty; the field still takes a code.
        }
        vypl.setEnabled(enabled);
        for (QWidget *w : fieldControls(QStringLiteral("VYNIMKA_VZ")))
            static_cast<dbctrl::DBComboBox *>(w)->setItems(codes);
    }
    g_otvorene = true;
    if (core::hasDMZ())
        core::DMZ().Zmena_zamestnanca_vyplaty = [this] { Zmena_zamestnanca(); };
    if (m_prvaAktivacia) {
        m_prvaAktivacia = false;
        core::formMenuHelp().Pridaj_menu_pomoc(this, menuBar);
        Nastav_titulok();
    }
    statusBar->show();
    setTabsPeriod();
    // The free surcharges carry the names the firm gave them.
    db::Table &inf = core::DM().TINF_;
    if (inf.isActive() && !inf.isEmpty()) {
        const QStringList &fields = MainVyp::surchargeLabels();
        for (int i = 0; i < fields.size(); ++i)
            if (auto *label = findChild<QLabel *>(QStringLiteral("Label_") + fields[i]))
                if (db::Field *f = inf.findField(fields[i]))
                    label->setText(MainVyp::surchargeCaption(i + 1, f->asString()));
    }
}

void TFormMainVyp::setTabsPeriod()
{
    const bool pred2005 = core::DM().Aktualne_obdobie() < 200501;
    for (QWidget *w : fieldControls(QStringLiteral("Oz_zdravot")))
        w->setVisible(!pred2005);
    for (const char *page : {"PAGE_USE", "PAGE_ND"}) {
        const QString name = QString::fromLatin1(page);
        if (QWidget *w = tabNamed(name)) {
            const int i = N_VYPL->indexOf(w);
            N_VYPL->setTabEnabled(i, pred2005);
            N_VYPL->setTabVisible(i, pred2005);
        }
        if (QAction *a = m_akcieZaloziek.value(name))
            a->setVisible(pred2005);
    }
}

void TFormMainVyp::Nastav_titulok()
{
    try {
        core::TDM &dm = core::DM();
        const QString firm = dm.TINF_.isActive() && !dm.TINF_.isEmpty()
                                 ? dm.TINF_.fieldByName(QStringLiteral("NAZOV")).asString()
                                 : QString();
        core::Nastav_titulok_okna(this, statusBar, dm.Kratky_text_obdobia(), firm, dm.Text_strediska());
    } catch (const std::exception &) {
        // A caption is never worth an error box.
    }
}

bool TFormMainVyp::eventFilter(QObject *watched, QEvent *event)
{
    // The read-only look follows the edit's state (a style sheet is not re-read by itself).
    if (event->type() == QEvent::ReadOnlyChange)
        if (auto *w = qobject_cast<QWidget *>(watched)) {
            w->style()->unpolish(w);
            w->style()->polish(w);
        }
    return QDialog::eventFilter(watched, event);
}

void TFormMainVyp::closeEvent(QCloseEvent *event)
{
    if (m_zatvorene || FormClose())
        event->accept();
    else
        event->ignore();
}

void TFormMainVyp::reject()
{
    // Esc closes the screen through the same questions as the close button.
    if (m_zatvorene || FormClose())
        QDialog::reject();
}

bool TFormMainVyp::FormClose()
{
    TDMV &m = dmv();
    // Pending edits anywhere on the screen: the payroll record, a deduction, a piece-work item.
    const bool pending = isEditingPayroll(m.TVYP_) || isEditingPayroll(m.TZRV_) || isEditingPayroll(m.THSU_);
    if (pending && !MyConsts::Otazka_ano_nie(Msg(65172)))
        return false;
    cleanUp();
    return true;
}

void TFormMainVyp::cleanUp()
{
    m_zatvorene = true;
    TDMV &m = dmv();
    // The details first, so that cancelling the record asks nothing more.
    for (db::Table *t : {&m.THSU_, &m.TZRV_, &m.TVYP_}) {
        try {
            if (isEditingPayroll(*t))
                t->cancel();
        } catch (const std::exception &) {
            // A refused cancel leaves that table as it is; the rest is still put back.
        }
    }
    for (db::Table *t : {&m.TVYP_, &m.TZRV_, &m.THSU_}) {
        try {
            if (t->isActive() && t->hasRange())
                t->cancelRange();
        } catch (const std::exception &) {
        }
    }
    // The contracts table as the main window had it.
    if (m_ppvZmenene) {
        if (db::Table *ppv = contractsTable()) {
            try {
                if (!ppv->isEditing()) {
                    ppv->cancelRange();
                    ppv->setFiltered(false);
                    ppv->setFilter(m_ppvFilter);
                    ppv->setFiltered(m_ppvFiltered);
                }
            } catch (const std::exception &) {
            }
        }
        m_ppvZmenene = false;
    }
    m.DS_HSU.autoEdit = false;
    m.DS_ZRV.autoEdit = false;
    m.setEmployee(0, 0);
    core::DMA().Vypni_zdroje_dat();
    g_otvorene = false;
    if (core::hasDMZ())
        core::DMZ().Zmena_zamestnanca_vyplaty = nullptr;
}

// ---- pages -----------------------------------------------------------------------------------

void TFormMainVyp::NPageChanged()
{
    TDMV &m = dmv();
    // A page entered again starts at the top of its fields, not where it was left.
    for (auto *area : findChildren<QScrollArea *>())
        for (QScrollBar *bar : {area->verticalScrollBar(), area->horizontalScrollBar()})
            bar->setValue(0);
    for (QMenu *menu : {Menu_zamf, Menu_vypl, Menu_zrv, Menu_vykon}) {
        menu->setEnabled(false);
        menu->menuAction()->setVisible(false);
    }
    if (N->currentWidget() == Page_vypl1) {
        chooseTab(0);
        Menu_vypl->setEnabled(true);
        Menu_vypl->menuAction()->setVisible(true);
        if (isEditingPayroll(m.TVYP_)) {
            dbctrl::runReported([&m] { m.Vypocet_vyplaty(); });
        } else {
            const EmployeeKey e = m.currentEmployee();
            const int year = core::DM().Aktualny_rok();
            const int period = core::DM().Aktualne_obdobie();
            dbctrl::runReported([&] {
                // The employee's contracts that have not ended.
                if (db::Table *ppv = contractsTable(); ppv && !ppv->isEditing() && !ppv->masterSource()) {
                    if (!m_ppvZmenene) {
                        m_ppvFilter = ppv->filter();
                        m_ppvFiltered = ppv->isFiltered();
                        m_ppvZmenene = true;
                    }
                    ppv->setRangeEquals({e.Code_emp});
                    ppv->first();
                    ppv->setFilter(QStringLiteral("Vystup=null"));
                    ppv->setFiltered(true);
                }
                // The employee's payrolls of the open year, on the open period's (or the last).
                db::Table &vyp = m.TVYP_;
                if (vyp.isActive()) {
                    vyp.setRange({e.Code_emp, year * 100 + 1}, {e.Code_emp, year * 100 + 12});
                    if (!vyp.findKey({e.Code_emp, period}))
                        vyp.last();
                }
            });
            // The deductions and piece-work items of that payroll.
            limitDetails(true);
        }
        Menu_zrv->setEnabled(true);
        Menu_zrv->menuAction()->setVisible(true);
        Menu_vykon->setEnabled(true);
        Menu_vykon->menuAction()->setVisible(true);
        Akcia_priprav_vypl1();
        refreshReadOnlyFields();
        focusFirstField();
    } else {
        Menu_zamf->setEnabled(true);
        Menu_zamf->menuAction()->setVisible(true);
        Panel_zamf->setText(QStringLiteral("  1.04  Výplaty - výber zamestnanca"));
        DBG_zamf->setFocus();
    }
}

void TFormMainVyp::focusFirstField()
{
    QWidget *page = N_VYPL->currentWidget();
    if (!page)
        return;
    for (auto *e : page->findChildren<dbctrl::DBEdit *>())
        if (e->isEnabled() && !e->isReadOnly()) {
            e->setFocus();
            return;
        }
}

void TFormMainVyp::limitDetails(bool vzdy)
{
    TDMV &m = dmv();
    if (!N || N->currentWidget() != Page_vypl1)
        return;
    dbctrl::runReported([&] { m.limitDetails(vzdy); });
}

void TFormMainVyp::Akcia_zamf_vyber()
{
    db::Table &zam = core::DMZ().TZAM_;
    if (!zam.isActive() || zam.isEmpty())
        throw EMyError(Msg(65050));
    TDMV &m = dmv();
    m.setEmployee(zam.fieldByName(QStringLiteral("Code_numb")).asInt(),
                         zam.fieldByName(QStringLiteral("Code_emp")).asInt());
    m.DS_VYPL.setEnabled(true);
    m.DS_VGRID.setEnabled(true);
    core::DMZ().DS_ZAMF.setEnabled(true);
    N->setCurrentWidget(Page_vypl1);
    NPageChanged();
}

void TFormMainVyp::DBG_zamfTitleClick(const QString &fieldName)
{
    db::Table &zam = core::DMZ().TZAM_;
    if (!zam.isActive() || zam.isEditing())
        return;
    if (fieldName.compare(QStringLiteral("CODE_NUMB"), Qt::CaseInsensitive) == 0)
        zam.setIndexName(QString());
    else if (fieldName.compare(QStringLiteral("PMT"), Qt::CaseInsensitive) == 0)
        zam.setIndexName(QStringLiteral("ZAM1"));
}

void TFormMainVyp::Akcia_vypl_navrat()
{
    TDMV &m = dmv();
    m.Zrus_neukoncene_zmeny(m.TZRV_, 65168, true);
    m.Zrus_neukoncene_zmeny(m.THSU_, 65169, true);
    if (isEditingPayroll(m.TVYP_))
        throw EMyError(Msg(65199));
    N->setCurrentWidget(Page_zamf);
    NPageChanged();
}

// ---- the payroll operations ------------------------------------------------------------------

bool TFormMainVyp::Akcia_vypl_insert() { return DBN_vypl1->btnClick(NavigateButton::Insert); }
bool TFormMainVyp::Akcia_vypl_delete() { return DBN_vypl1->btnClick(NavigateButton::Delete); }
bool TFormMainVyp::Akcia_vypl_edit() { return DBN_vypl2->btnClick(NavigateButton::Edit); }
bool TFormMainVyp::Akcia_vypl_post() { return DBN_vypl2->btnClick(NavigateButton::Post); }
bool TFormMainVyp::Akcia_vypl_cancel() { return DBN_vypl2->btnClick(NavigateButton::Cancel); }

void TFormMainVyp::Akcia_priprav_vypl1()
{
    TDMV &m = dmv();
    const bool browsing = !isEditingPayroll(m.TVYP_);
    for (const QString &text : {kTlacPasky, kNovaVyplata, kOpravaVyplaty, kVymazanieVyplaty, kNavrat})
        if (QAction *a = makeAction(text, Menu_vypl))
            a->setEnabled(browsing);
    for (const QString &text : {kZapisZmien, kIgnorovanieZmien})
        if (QAction *a = makeAction(text, Menu_vypl))
            a->setEnabled(!browsing);
    Butt_vypl_tlac->setEnabled(browsing);
    Butt_vypl_navrat->setEnabled(browsing);
    // Piece-work items and deductions are typed into only while their payroll is edited.
    m.DS_HSU.autoEdit = !browsing;
    m.DS_ZRV.autoEdit = !browsing;
    if (browsing)
        m_prepisane.clear();
    akcia_priprav_zrv();
    akcia_priprav_vykon();
}

void TFormMainVyp::akcia_priprav_zrv()
{
    TDMV &m = dmv();
    const bool vyplata = isEditingPayroll(m.TVYP_);
    const bool detail = isEditingPayroll(m.TZRV_);
    for (QAction *a : Menu_zrv->actions()) {
        const QString t = a->text();
        if (t == kNovyZaznam || t == kVymazanieZaznamu)
            a->setEnabled(vyplata && !detail);
        else
            a->setEnabled(vyplata && detail);
    }
    DBN_zrv1->setEnabled(vyplata);
    DBN_zrv2->setEnabled(vyplata);
}

void TFormMainVyp::akcia_priprav_vykon()
{
    TDMV &m = dmv();
    const bool vyplata = isEditingPayroll(m.TVYP_);
    const bool detail = isEditingPayroll(m.THSU_);
    for (QAction *a : Menu_vykon->actions()) {
        const QString t = a->text();
        if (t == kNovyZaznam || t == kVymazanieZaznamu || t == kOpravaUdajov)
            a->setEnabled(vyplata && !detail);
        else
            a->setEnabled(vyplata && detail);
    }
    DBN_hsu1->setEnabled(vyplata);
    DBN_hsu2->setEnabled(vyplata);
}

bool TFormMainVyp::akcia_zrv(NavigateButton b)
{
    // The rows being changed are in sight.
    if (N_VYPL->currentWidget() != tabNamed(QStringLiteral("PAGE_ZRAZKY"))
        && !showTab(QStringLiteral("PAGE_ZRAZKY")))
        return false;
    const bool done = (b == NavigateButton::Insert || b == NavigateButton::Delete) ? DBN_zrv1->btnClick(b)
                                                                                    : DBN_zrv2->btnClick(b);
    akcia_priprav_zrv();
    return done;
}

bool TFormMainVyp::akcia_hsu(NavigateButton b)
{
    if (N_VYPL->currentWidget() != tabNamed(QStringLiteral("PAGE_VYKON"))
        && !showTab(QStringLiteral("PAGE_VYKON")))
        return false;
    const bool done = (b == NavigateButton::Insert || b == NavigateButton::Delete) ? DBN_hsu1->btnClick(b)
                                                                                    : DBN_hsu2->btnClick(b);
    akcia_priprav_vykon();
    return done;
}

bool TFormMainVyp::N_VYPLChanging()
{
    TDMV &m = dmv();
    bool allowed = true;
    dbctrl::runReported([&] {
        m.Zrus_neukoncene_zmeny(m.TZRV_, 65168, false);
        if (!m.Zrusit_zmeny_detailu) {
            allowed = false;
            return;
        }
        m.Zrus_neukoncene_zmeny(m.THSU_, 65169, false);
        allowed = m.Zrusit_zmeny_detailu;
    });
    if (allowed) {
        dbctrl::runReported([&m] { m.Vypocet_vyplaty(); });
        refreshReadOnlyFields();
    }
    return allowed;
}

void TFormMainVyp::N_VYPLChange()
{
    TDMV &m = dmv();
    QWidget *page = N_VYPL->currentWidget();
    if (page == tabNamed(QStringLiteral("PAGE_ZRAZKY"))) {
        m.DS_ZRV.setEnabled(true);
        akcia_priprav_zrv();
    } else if (page == tabNamed(QStringLiteral("PAGE_VYKON"))) {
        m.DS_HSU.setEnabled(true);
        akcia_priprav_vykon();
    }
}

// ---- field exits and entries -----------------------------------------------------------------

void TFormMainVyp::SET_ALL()
{
    dbctrl::runReported([this] { dmv().Vypocet_vyplaty(); });
    Hint_zmaz();
    refreshReadOnlyFields();
}

void TFormMainVyp::SET_ALL_MV_PLAT()
{
    TDMV &m = dmv();
    if (isEditingPayroll(m.TVYP_)) {
        dbctrl::runReported([&m] {
            m.TVYP_.fieldByName(QStringLiteral("PRHRMEZA")).setValue(0);
            m.Dopln_pravdepodobny_zarobok();
            m.Vypocet_vyplaty();
        });
        refreshReadOnlyFields();
    }
    Hint_zmaz();
}

void TFormMainVyp::Hint_zobraz(const QString &hint)
{
    core::statusPanel(statusBar, 1)->setText(hintTextOf(hint));
}

void TFormMainVyp::Hint_zmaz() { core::statusPanel(statusBar, 1)->clear(); }

void TFormMainVyp::refreshReadOnlyFields()
{
    TDMV &m = dmv();
    QSet<QString> overwritten;
    if (isEditingPayroll(m.TVYP_)) {
        try {
            const PayRecord record = m.currentPayroll();
            const CalcContext context = m.payrollContext(record);
            for (const QString &f : fieldsOverwrittenByCalculation(record, context, m_vstupnePolia))
                overwritten.insert(f.toUpper());
        } catch (const std::exception &) {
            // Without a context (an employee not found) nothing is computed either: every
            // field keeps its own value and stays open.
        }
    }
    m_prepisane = overwritten;
    for (auto it = m_vstupne.cbegin(); it != m_vstupne.cend(); ++it)
        for (dbctrl::DataControl *c : it.value())
            c->setDataReadOnly(overwritten.contains(it.key()));
}

// ---- printing --------------------------------------------------------------------------------

void TFormMainVyp::ShowReportVP1()
{
    db::Table &vyp = dmv().TVYP_;
    if (!vyp.isActive() || vyp.isEditing() || vyp.isEmpty())
        return;
    runPrintCommand(QStringLiteral("VP"));
}

void TFormMainVyp::ShowReportVYK()
{
    db::Table &vyp = dmv().TVYP_;
    if (isEditingPayroll(vyp)) {
        MyConsts::Sprava_chyba(Msg(65199));
        return;
    }
    if (!vyp.isActive() || vyp.isEmpty())
        return;
    runPrintCommand(QStringLiteral("VYK"));
}

void TFormMainVyp::runPrintCommand(const QString &code)
{
    if (const core::Command *command = payrollScreenPrintCommands().find(code)) {
        const core::CommandHandler run = command->run;
        run(core::CommandContext{this});
    }
}

} // namespace tarix::payroll
