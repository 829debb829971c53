// The main window's menus, pages and navigation: the notebook N with the start page, the
// employee card, the employee choice and the tax band page; the operation menus of the
// pages; the pending-edit guard and the employee list's filters and orders.
#include "core/card_page_provider.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/firm_opening.h"
#include "core/forms/form_about.h"
#include "core/forms/card_fields.h"
#include "core/forms/my_menu.h"
#include "core/forms/employee_card.h"
#include "core/forms/form_main.h"
#include "core/forms/form_menu_pomoc.h"
#include "core/forms/main_menu.h"
#include "core/forms/main_window_pages.h"
#include "core/forms/page_builders.h"
#include "core/forms/page_ids.h"
#include "core/forms/page_rules.h"
#include "core/forms/window_caption.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/module_registry.h"
#include "platform/dbctrl/db_combo_box.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_memo.h"
#include "platform/dbctrl/db_navigator.h"

#include <QAction>
#include <QActionGroup>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <type_traits>
#include <utility>

namespace tarix::core {

using dbctrl::DBNavigator;
using dbctrl::NavigateButton;
using dbctrl::runReported;

namespace {

bool firmOpen() { return hasDM() && DM().TINF_.isActive(); }

void showMenu(QMenu *menu, bool visible)
{
    if (!menu)
        return;
    menu->menuAction()->setVisible(visible);
    menu->menuAction()->setEnabled(visible);
}

QAction *faultyItem(QMenu *menu, const QString &caption, const char *name, int tag = 0)
{
    QAction *a = menu->addAction(caption);
    if (name)
        a->setObjectName(QString::fromLatin1(name));
    if (tag)
        a->setProperty("tag", tag);
    return a;
}

void attachPage(db::Table &t, const QString &fields = QStringLiteral("Code_emp"))
{
    t.setMasterFields(fields);
    t.setMasterSource(&DMZ().DS_ZAM1);
}

// A page of the employee's rows with a form and a grid: the rows follow the employee, the
// first one current, every row shown, both sources on.
void showEmployeeList(db::Table &t, db::DataSource &form, db::DataSource &grid)
{
    attachPage(t);
    t.first();
    t.setFiltered(false);
    form.setEnabled(true);
    grid.setEnabled(true);
}

void filterList(db::Table &t, const QString &filter)
{
    t.setFiltered(false);
    t.setFilter(filter);
    t.setFiltered(true);
}

} // namespace

// ---- building ------------------------------------------------------------------------------------

void TFormMain::buildMenu()
{
    // The window's own commands; the employee items need the employee modules, the tax
    // band table the main module.
    struct OwnCommand {
        std::function<void()> run;
        bool available = true;
        QChar listMode = {}; // the mode a display item chooses
    };
    const bool employees = hasDMZ() && hasDMP();
    const std::map<QString, OwnCommand> ownCommands = {
        {QStringLiteral("koniec"), {[this] { Akcia_system_koniec(); }}},
        {QStringLiteral("zamestnanci"), {[this] { employeesAction(); }, employees}},
        {QStringLiteral("zam_sucasny"), {[this] { Akcia_zam_sucasny(); }, employees, kZobrazSucasnych}},
        {QStringLiteral("zam_vyradeny"), {[this] { Akcia_zam_vyradeny(); }, employees, kZobrazVyradenych}},
        {QStringLiteral("zam_vsetci"), {[this] { Akcia_zam_vsetci(); }, employees, kZobrazVsetkych}},
        {QStringLiteral("zmena_strediska"), {[this] { Akcia_stredisko(true); }}},
        {QStringLiteral("zmena_obdobia"), {[this] { Akcia_obdobie(); }}},
        {QStringLiteral("dzp"), {[this] { dzpAction(); }, hasDM()}},
    };

    QHash<QString, QMenu *> menus;
    QActionGroup *displayGroup = nullptr;
    for (const MainMenuItem &item : mainMenuItems()) {
        const QString parentName = QString::fromLatin1(item.parent);
        QMenu *parent = parentName.isEmpty() ? nullptr : menus.value(parentName);
        // Only menus stand on the menu bar, and an entry only under a menu declared before it.
        if (!parent && (item.kind != MainMenuItem::Kind::Menu || !parentName.isEmpty()))
            continue;
        const QString caption = QString::fromUtf8(item.caption);
        const QString name = QString::fromLatin1(item.objectName);
        switch (item.kind) {
        case MainMenuItem::Kind::Menu: {
            QMenu *menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menus.insert(name, menu);
            break;
        }
        case MainMenuItem::Kind::Separator:
            parent->addSeparator();
            break;
        case MainMenuItem::Kind::Command: {
            const QString id = QString::fromLatin1(item.id);
            if (item.runner == MainMenuItem::Runner::Subsystem) {
                addCommand(parent, item);
                break;
            }
            const auto own = ownCommands.find(id);
            if (own == ownCommands.end() || !own->second.available)
                break;
            QAction *a = faultyItem(parent, caption, item.objectName);
            if (!own->second.listMode.isNull()) {
                if (!displayGroup)
                    m_zobrazenie << (displayGroup = new QActionGroup(this));
                a->setCheckable(true);
                a->setProperty("rezim", QString(own->second.listMode));
                displayGroup->addAction(a);
            }
            connect(a, &QAction::triggered, this, [run = own->second.run] { runReported(run); });
            break;
        }
        }
    }
    // Submenus with items of the table show only with one of them; those the window fills
    // itself (the firms) are left alone.
    for (const MainMenuItem &item : mainMenuItems())
        if (item.kind != MainMenuItem::Kind::Separator && *item.parent)
            if (QMenu *menu = menus.value(QString::fromLatin1(item.parent));
                menu && qobject_cast<QMenu *>(menu->parent()) && !m_commandSubmenus.contains(menu))
                m_commandSubmenus << menu;

    m_system = menus.value(QStringLiteral("System"));
    m_otvorenieFirmy = menus.value(QStringLiteral("Otvorenie_firmy"));
    m_zrusenieFirmy = menus.value(QStringLiteral("Zrusenie_firmy"));
    m_hlavne = menus.value(QStringLiteral("Hlavne"));
    m_prehlady = menus.value(QStringLiteral("Prehlady"));
    m_nastavenia = menus.value(QStringLiteral("Nastavenia"));

    // Showing a menu brings its items up to date (the main menus their own state too).
    for (QMenu *menu : std::as_const(menus))
        if (menu == m_system || menu == m_hlavne || menu == m_prehlady)
            connect(menu, &QMenu::aboutToShow, this, &TFormMain::Akcia_priprav_menu);
        else
            connect(menu, &QMenu::aboutToShow, this, &TFormMain::refreshCommandItems);
}

QAction *TFormMain::addCommand(QMenu *parent, const MainMenuItem &item)
{
    const QString id = QString::fromLatin1(item.id);
    QAction *a = faultyItem(parent, QString::fromUtf8(item.caption), item.objectName);
    a->setProperty("commandId", id);
    a->setVisible(!item.hidden);
    a->setEnabled(false);
    m_commandItems << a;
    connect(a, &QAction::triggered, this, [this, id, refresh = item.refreshesEmployeeList] {
        runReported([&] {
            const CommandRegistry &commands = mainMenuCommands();
            const Command *command = commands.find(id);
            // The rule may have changed since the menu was shown.
            if (!command || !commands.isEnabled(id))
                return;
            const CommandHandler run = command->run;
            run(CommandContext{this});
            if (refresh)
                Akcia_zam_obnov_filter();
        });
    });
    return a;
}

// The table's entries of an operation menu (built with its page, not on the menu bar).
void TFormMain::addOperationItems(QMenu *menu)
{
    QHash<QString, QMenu *> menus{{menu->objectName(), menu}};
    for (const MainMenuItem &item : operationMenuItems()) {
        QMenu *parent = menus.value(QString::fromLatin1(item.parent));
        if (!parent)
            continue;
        if (item.kind == MainMenuItem::Kind::Menu) {
            QMenu *sub = parent->addMenu(QString::fromUtf8(item.caption));
            sub->setObjectName(QString::fromLatin1(item.objectName));
            menus.insert(sub->objectName(), sub);
            connect(sub, &QMenu::aboutToShow, this, &TFormMain::refreshCommandItems);
        } else if (item.kind == MainMenuItem::Kind::Separator) {
            parent->addSeparator();
        } else if (item.runner == MainMenuItem::Runner::Subsystem) {
            addCommand(parent, item);
        }
    }
}

// A subsystem's item may be chosen while its command is registered and the command's rule
// allows (an item whose window is not built yet stays disabled); whether it shows is decided
// by the table and the firm's state. A submenu of the table's items shows while one of them
// does.
void TFormMain::refreshCommandItems()
{
    const CommandRegistry &commands = mainMenuCommands();
    for (QAction *a : std::as_const(m_commandItems))
        a->setEnabled(commands.isEnabled(a->property("commandId").toString()));
    // Inner submenus come after their parents in the table: the innermost are decided first.
    for (auto it = m_commandSubmenus.crbegin(); it != m_commandSubmenus.crend(); ++it) {
        const QList<QAction *> actions = (*it)->actions();
        (*it)->menuAction()->setVisible(std::any_of(actions.begin(), actions.end(), [](QAction *a) {
            return !a->isSeparator() && a->isVisible();
        }));
    }
}

void TFormMain::buildPages()
{
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    m_n = new QStackedWidget(central);
    m_n->setObjectName(QStringLiteral("N"));
    layout->addWidget(m_n, 1);

    // The start page. It shows no web link: the product has no web page yet.
    auto *empty = new QWidget(m_n);
    empty->setObjectName(kPageStart);
    m_n->addWidget(empty);

    if (hasDM()) {
        DzpPage dzp = buildDzpPage(m_n);
        m_dbnDzp = dzp.navigator;
        m_dzpNavrat = dzp.navrat;
        m_dbnDzp->onClick = [this](NavigateButton) { refreshOperations(); };
        connect(m_dzpNavrat, &QPushButton::clicked, this, [this] { runReported([this] { returnFromDzp(); }); });
        attachHints(dzp.pageNamed);
        m_n->addWidget(dzp.pageNamed);
    }

    if (hasDMZ() && hasDMP()) {
        auto *zam1 = new QWidget(m_n);
        zam1->setObjectName(kPageEmployeeCard);
        auto *zl = new QVBoxLayout(zam1);
        zl->setContentsMargins(0, 0, 0, 0);
        m_sbZam = new QScrollArea(zam1);
        m_sbZam->setObjectName(QStringLiteral("SB_ZAM"));
        m_sbZam->setWidgetResizable(true);
        m_karta = new TEmployeeCard;
        m_sbZam->setWidget(m_karta);
        zl->addWidget(m_sbZam);
        m_n->addWidget(zam1);

        EmployeeChoice vyber = buildEmployeeChoice(m_n);
        m_panelZamf = vyber.panel;
        m_panelHotova = vyber.panelHotova;
        m_dbgZamf = vyber.mriezka;
        m_n->addWidget(vyber.pageNamed);
        connect(vyber.vyber, &QPushButton::clicked, this, [this] { runReported([this] { Akcia_zamf_vyber(); }); });
        connect(vyber.navrat, &QPushButton::clicked, this, [this] { runReported([this] { returnFromZamf(); }); });
        connect(m_dbgZamf, &dbctrl::DBGrid::rowActivated, this,
                [this] { runReported([this] { Akcia_zamf_vyber(); }); });
        connect(m_dbgZamf, &dbctrl::DBGrid::titleClicked, this, [this](int, const QString &field) {
            sortBy(int(sortByColumn(field, true)));
        });

        EmployeeList zoznam = buildEmployeeList(central);
        m_sbZamPravy = zoznam.panel;
        m_dbgZamPravy = zoznam.mriezka;
        m_sbZamPravy->hide();
        layout->addWidget(m_sbZamPravy);
        connect(zoznam.navrat, &QPushButton::clicked, this, [this] { runReported([this] { returnFromEmployee(); }); });
        connect(m_dbgZamPravy, &dbctrl::DBGrid::titleClicked, this, [this](int, const QString &field) {
            sortBy(int(sortByColumn(field, false)));
        });

        // The card's header and tabs.
        TEmployeeCard *cardWindow = m_karta;
        connect(cardWindow->listButton(), &QToolButton::clicked, this, [this](bool on) {
            m_sbZamPravy->setVisible(on);
        });
        connect(cardWindow->returnButton(), &QPushButton::clicked, this,
                [this] { runReported([this] { returnFromEmployee(); }); });
        cardWindow->NX_ZAM()->mozeZmenit = [this](int) { return canChangeTab(); };
        connect(cardWindow->NX_ZAM(), &QTabWidget::currentChanged, this, [this] { NX_ZAMChanged(); });
        for (DBNavigator *nav : cardWindow->findChildren<DBNavigator *>())
            nav->onClick = [this](NavigateButton) { refreshOperations(); };
        if (const CardTab *z = cardWindow->tabNamed(kTabEmployee))
            z->navDetail->beforeAction = [this](NavigateButton b) {
                // A refused post turns the card to the field it names.
                db::Table &t = DMZ().TZAM_;
                if (b != NavigateButton::Post || !t.isEditing())
                    return;
                try {
                    t.post();
                } catch (const EItemError &e) {
                    if (m_karta)
                        m_karta->focusEmployeeField(e.faultyItem());
                    throw;
                }
            };
        if (const CardTab *z = cardWindow->tabNamed(kTabContracts))
            z->navDetail->beforeAction = [](NavigateButton b) {
                if (b == NavigateButton::Edit && DMP().TPPV_.isEmpty())
                    throw EMyError(Msg(65198));
            };
        attachHints(cardWindow);
    }

    // The subsystems' pages (annual settlement, bulk entry); a page whose module does not
    // exist is left out.
    for (const MainWindowPage &registered : mainWindowPages()) {
        QWidget *page = registered.create ? registered.create(m_n) : nullptr;
        if (!page)
            continue;
        page->setObjectName(registered.name);
        m_n->addWidget(page);
        if (!registered.selectionMode.isNull())
            m_rezimyStranok.insert(registered.name, registered.selectionMode);
        if (QMenu *menu = registered.operations ? registered.operations(page) : nullptr)
            m_operacieStranok.insert(registered.name, menu);
        attachHints(page);
    }

    auto *pom = new QWidget(m_n);
    pom->setObjectName(QStringLiteral("POM"));
    m_n->addWidget(pom);
    m_n->setCurrentWidget(empty);

    setCentralWidget(central);
    statusPanel(statusBar(), 0);
    statusPanel(statusBar(), 1);
    connect(m_n, &QStackedWidget::currentChanged, this, [this] { NPageChanged(); });
}

void TFormMain::buildOperations()
{
    // The menus of the card's tabs, in the program's order; the piece-work menu needs the
    // source of the registered piece-work page.
    if (m_karta) {
        TDMZ &dmz = DMZ();
        db::DataSource *zuk = pieceWorkPage() ? pieceWorkPage()->dataSource() : nullptr;
        const std::tuple<const char *, db::DataSource *, QLatin1String> menus[] = {
            {"Operácie-ev.dôchodkov", &dmz.DS_DOCH, kTabPensions},
            {"Operácie-neprítomnosť", &dmz.DS_NEP, kTabAbsences},
            {"Operácie-výkony", zuk, kTabPieceWork},
            {"Operácie-zrážky", &dmz.DS_ZRZ, kTabDeductions},
            {"Operácie-evidencia detí", &dmz.DS_DETI, kTabChildren},
            {"Operácie-ev.list dôch.poist.", &dmz.DS_ELDP, kTabPensionRecord},
            {"Operácie-údaje pre ZP (dávka 601)", &dmz.DS_ZP5, kTabBatch601},
        };
        for (const auto &[caption, source, page] : menus) {
            if (!source || !m_karta->tabNamed(page))
                continue;
            auto *menu = new TMyMenu(menuBar(), QString::fromUtf8(caption), source, this);
            menu->setProperty("stranka", QString(page));
            connect(menu, &TMyMenu::polozkaZvolena, this, &TFormMain::myMenuAction);
            m_myMenus << menu;
        }
    }

    auto fixed = [this](const QString &caption, const char *name) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        showMenu(menu, false);
        return menu;
    };
    auto stlac = [this](QMenu *menu, const QString &caption, int tag, std::function<DBNavigator *()> list,
                        std::function<DBNavigator *()> detail) {
        QAction *a = faultyItem(menu, caption, nullptr, tag);
        connect(a, &QAction::triggered, this, [this, tag, list, detail] { pressPageButton(list(), detail(), tag); });
        return a;
    };
    auto navrat = [this](QMenu *menu, void (TFormMain::*handler)()) {
        QAction *a = faultyItem(menu, QStringLiteral("&Návrat"), nullptr);
        a->setProperty("navrat", true);
        connect(a, &QAction::triggered, this, [this, handler] { runReported([this, handler] { (this->*handler)(); }); });
    };

    if (m_karta) {
        const CardTab *zam = m_karta->tabNamed(kTabEmployee);
        const CardTab *ppv = m_karta->tabNamed(kTabContracts);
        auto zamList = [zam] { return zam->navZoznam; };
        auto zamDetail = [zam] { return zam->navDetail; };

        m_operacieZam = fixed(QStringLiteral("&Operácie-zamestnanci"), "Operacie_zam1");
        stlac(m_operacieZam, QStringLiteral("Nový zamestnanec"), 1, zamList, zamDetail);
        stlac(m_operacieZam, QStringLiteral("Oprava údajov zamestnanca"), 2, zamList, zamDetail);
        stlac(m_operacieZam, QStringLiteral("Vymazanie zamestnanca"), 3, zamList, zamDetail);
        stlac(m_operacieZam, QStringLiteral("Zápis zmien"), 4, zamList, zamDetail);
        stlac(m_operacieZam, QStringLiteral("Ignorovanie zmien"), 5, zamList, zamDetail);
        m_operacieZam->addSeparator();
        const std::pair<const char *, QLatin1String> tabs[] = {
            {"(1) &Osobné údaje o zamestnancovi", kTabEmployee},
            {"(2) &Zrážky zo mzdy", kTabDeductions},
            {"(3) Evidencia &detí", kTabChildren},
            {"(4) Evidencia &neprítomnosti", kTabAbsences},
            {"(5) Evidencia pracovných výkonov", kTabPieceWork},
        };
        for (const auto &[caption, page] : tabs) {
            const QString name = page;
            if (!m_karta->tabNamed(name))
                continue;
            connect(faultyItem(m_operacieZam, QString::fromUtf8(caption), nullptr), &QAction::triggered, this,
                    [this, name] {
                        if (m_karta && m_karta->NX_ZAM()->changePage(name) && name == kTabEmployee)
                            m_karta->NY_ZAM()->setCurrentIndex(0);
                    });
        }
        addOperationItems(m_operacieZam);
        m_operacieZam->addSeparator();
        connect(faultyItem(m_operacieZam, QStringLiteral("Zoradenie podľa abecedy"), "mnu_zoradit1"), &QAction::triggered,
                this, &TFormMain::Akcia_zam_zoradit1);
        connect(faultyItem(m_operacieZam, QStringLiteral("Zoradenie podľa osobného čísla"), "mnu_zoradit2"),
                &QAction::triggered, this, &TFormMain::Akcia_zam_zoradit2);
        m_operacieZam->addSeparator();
        auto *group = new QActionGroup(this);
        const std::tuple<const char *, QChar, void (TFormMain::*)()> filters[] = {
            {"Zobrazovať len platných zamestnancov", kZobrazSucasnych, &TFormMain::Akcia_zam_sucasny},
            {"Zobrazovať len ukončených zamestnancov", kZobrazVyradenych, &TFormMain::Akcia_zam_vyradeny},
            {"Zobrazovať všetkých zamestnancov", kZobrazVsetkych, &TFormMain::Akcia_zam_vsetci},
        };
        for (const auto &[caption, mode, handler] : filters) {
            QAction *a = faultyItem(m_operacieZam, QString::fromUtf8(caption), nullptr);
            a->setCheckable(true);
            a->setProperty("rezim", QString(mode));
            group->addAction(a);
            connect(a, &QAction::triggered, this, [this, h = handler] { runReported([this, h] { (this->*h)(); }); });
        }
        m_zobrazenie << group;
        m_operacieZam->addSeparator();
        navrat(m_operacieZam, &TFormMain::returnFromEmployee);
        connect(m_operacieZam, &QMenu::aboutToShow, this, [this] {
            setOperations(m_operacieZam, &DMZ().TZAM_);
            refreshCommandItems();
        });

        m_operaciePpv = fixed(QStringLiteral("&Operácie-prac.vzťahy"), "Operacie_ppv1");
        QMenu *nove = m_operaciePpv->addMenu(QStringLiteral("Nový pracovnoprávny vzťah"));
        nove->setObjectName(QStringLiteral("mnu_ppv_novy"));
        nove->menuAction()->setProperty("tag", 1);
        const std::tuple<const char *, int, const char *> kinds[] = {
            {"Pracovná zmluva", 0, "mnu_ppv_zml"},
            {"Dodatok k pracovnej zmluve", 4, "mnu_ppv_zmld"},
            {"Dohoda o vykonaní práce", 1, "mnu_ppv_dvp"},
            {"Dohoda o pracovnej činnosti", 2, "mnu_ppv_dpc"},
            {"Dohoda o brigádnickej činnosti študentov", 3, "mnu_ppv_dbps"},
        };
        for (const auto &[caption, tag, name] : kinds)
            connect(faultyItem(nove, QString::fromUtf8(caption), name), &QAction::triggered, this,
                    [this, t = tag] { runReported([this, t] { newDocumentAction(t); }); });
        auto ppvList = [ppv] { return ppv->navZoznam; };
        auto ppvDetail = [ppv] { return ppv->navDetail; };
        stlac(m_operaciePpv, QStringLiteral("Oprava údajov o prac. vzťahu"), 2, ppvList, ppvDetail);
        stlac(m_operaciePpv, QStringLiteral("Vymazanie prac.vzťahu"), 3, ppvList, ppvDetail);
        stlac(m_operaciePpv, QStringLiteral("Zápis zmien"), 4, ppvList, ppvDetail);
        stlac(m_operaciePpv, QStringLiteral("Ignorovanie zmien"), 5, ppvList, ppvDetail);
        m_operaciePpv->addSeparator();
        addOperationItems(m_operaciePpv);
        navrat(m_operaciePpv, &TFormMain::returnFromPpv);
        connect(m_operaciePpv, &QMenu::aboutToShow, this, [this] {
            setOperations(m_operaciePpv, &DMP().TPPV_);
            refreshCommandItems();
        });

        m_operacieZamf = fixed(QStringLiteral("&Operácie-výber zamestnanca"), "Operacie_zamf1");
        connect(faultyItem(m_operacieZamf, QStringLiteral("Zoradenie podľa abecedy"), nullptr), &QAction::triggered, this,
                &TFormMain::Akcia_zam_zoradit1);
        connect(faultyItem(m_operacieZamf, QStringLiteral("Zoradenie podľa osobného čísla"), nullptr),
                &QAction::triggered, this, &TFormMain::Akcia_zam_zoradit2);
        connect(faultyItem(m_operacieZamf, QStringLiteral("Výber zamestnanca"), "mnu_zamf_vyber"), &QAction::triggered,
                this, [this] { runReported([this] { Akcia_zamf_vyber(); }); });
        m_operacieZamf->addSeparator();
        navrat(m_operacieZamf, &TFormMain::returnFromEmployee);
    }

    // A subsystem page's menu stands on the menu bar while its page is shown; its return
    // item leaves the page as the employee card's does.
    for (auto it = m_operacieStranok.cbegin(); it != m_operacieStranok.cend(); ++it) {
        QMenu *menu = it.value();
        menuBar()->addMenu(menu);
        showMenu(menu, false);
        for (QAction *a : menu->actions())
            if (a->property("navrat").toBool())
                connect(a, &QAction::triggered, this, [this] { runReported([this] { returnFromEmployee(); }); });
    }

    if (m_dbnDzp) {
        m_operacieDzp = fixed(QStringLiteral("&Operácie-daň z príjmu"), "Operacie_dzp1");
        auto nav = [this] { return m_dbnDzp; };
        stlac(m_operacieDzp, QStringLiteral("Nová položka"), 1, nav, nav);
        stlac(m_operacieDzp, QStringLiteral("Oprava položky"), 2, nav, nav);
        stlac(m_operacieDzp, QStringLiteral("Vymazanie položky"), 3, nav, nav);
        stlac(m_operacieDzp, QStringLiteral("Zápis zmien"), 4, nav, nav);
        stlac(m_operacieDzp, QStringLiteral("Ignorovanie zmien"), 5, nav, nav);
        m_operacieDzp->addSeparator();
        navrat(m_operacieDzp, &TFormMain::returnFromDzp);
        connect(m_operacieDzp, &QMenu::aboutToShow, this, [this] { setOperations(m_operacieDzp, &DM().TDZP_); });
    }
}

void TFormMain::attachHints(QWidget *root)
{
    auto connectHint = [this](QWidget *w, auto *control) {
        connect(control, &std::remove_pointer_t<decltype(control)>::entered, this,
                [this, w] { showHint(w->property(kVlastnostNapoveda).toString()); });
        connect(control, &std::remove_pointer_t<decltype(control)>::exited, this, [this] { showHint({}); });
    };
    for (auto *e : root->findChildren<dbctrl::DBEdit *>())
        connectHint(e, e);
    for (auto *c : root->findChildren<dbctrl::DBComboBox *>())
        connectHint(c, c);
    for (auto *c : root->findChildren<dbctrl::DBLookupComboBox *>())
        connectHint(c, c);
    for (auto *m : root->findChildren<dbctrl::DBMemo *>())
        connectHint(m, m);
}

// ---- pages -----------------------------------------------------------------------------------------

QString TFormMain::currentPageName() const
{
    return m_n && m_n->currentWidget() ? m_n->currentWidget()->objectName() : kPageStart;
}

void TFormMain::showPage(const QString &page)
{
    QWidget *w = m_n->findChild<QWidget *>(page, Qt::FindDirectChildrenOnly);
    if (!w)
        return;
    if (w == m_n->currentWidget())
        NPageChanged();
    else
        m_n->setCurrentWidget(w);
}

void TFormMain::hideOperations()
{
    for (QMenu *menu : {m_operacieZam, m_operacieDzp, m_operaciePpv, m_operacieZamf})
        showMenu(menu, false);
    for (TMyMenu *menu : m_myMenus)
        menu->showMyMenu(false);
    for (QMenu *menu : std::as_const(m_operacieStranok))
        showMenu(menu, false);
}

void TFormMain::NPageChanged()
{
    if (m_sbZam) {
        m_sbZam->horizontalScrollBar()->setValue(0);
        m_sbZam->verticalScrollBar()->setValue(0);
    }
    if (m_sbZamPravy) {
        m_sbZamPravy->hide();
        m_dbgZamPravy->setColumnWidth(0, 0);
    }
    hideOperations();
    Akcia_priprav_menu();

    const QString page = currentPageName();
    if (page == kPageStart) {
        cancelPending();
        // Detail tables follow the employee only while the card shows them.
        for (db::Table *t : moduleRegistry().watchedTables().followingEmployee)
            t->setMasterSource(nullptr);
        if (hasDMZ())
            DMZ().TNEP_.setIndexName(QString());
        DMA().Vypni_zdroje_dat();
        // The tables write every change at once; there is no buffer to flush.
    } else if (page == kPageEmployeeChoice) {
        showMenu(m_operacieZamf, true);
        m_panelZamf->setText(selectionHeading(m_rezimVyberu));
        m_panelHotova->hide();
        m_dbgZamf->setFocus(Qt::OtherFocusReason);
    } else if (page == kPageEmployeeCard) {
        m_karta->NY_ZAM()->setCurrentIndex(m_karta->NY_ZAM()->pageIndex(kTabPersonal));
        const int udaje = m_karta->NX_ZAM()->pageIndex(kTabEmployee);
        if (m_karta->NX_ZAM()->currentIndex() != udaje)
            m_karta->NX_ZAM()->setCurrentIndex(udaje);
        showMenu(m_operacieZam, true);
        setOperations(m_operacieZam, &DMZ().TZAM_);
        m_sbZamPravy->show();
        m_karta->listButton()->setChecked(true);
    } else if (page == kPageTaxBands) {
        showMenu(m_operacieDzp, true);
        setOperations(m_operacieDzp, &DM().TDZP_);
    } else if (m_rezimyStranok.contains(page) || m_operacieStranok.contains(page)) {
        showMenu(m_operacieStranok.value(page), true);
        // A page of a selection mode works on the employee chosen in the list beside it,
        // whose first column then shows.
        if (m_rezimyStranok.contains(page) && m_sbZamPravy) {
            m_sbZamPravy->show();
            m_dbgZamPravy->setColumnWidth(0, 42);
        }
    }

    // A page that names its focus widget (the bulk entry's grid) gives it the focus.
    if (QWidget *current = m_n->currentWidget(); current && current->focusProxy())
        current->setFocus(Qt::OtherFocusReason);
    else if (page != kPageEmployeeChoice)
        if (QWidget *current = m_n->currentWidget())
            for (QLineEdit *e : current->findChildren<QLineEdit *>())
                if (e->isVisibleTo(current) && e->isEnabled() && (e->focusPolicy() & Qt::TabFocus)) {
                    e->setFocus(Qt::OtherFocusReason);
                    break;
                }
}

bool TFormMain::canChangeTab()
{
    if (!Prebieha_editacia())
        return true;
    MyConsts::Sprava_informacia(Msg(65199));
    return false;
}

void TFormMain::NX_ZAMChanged()
{
    if (!m_karta)
        return;
    if (m_sbZam) {
        m_sbZam->horizontalScrollBar()->setValue(0);
        m_sbZam->verticalScrollBar()->setValue(0);
    }
    hideOperations();
    Akcia_priprav_menu();

    const QString page = m_karta->NX_ZAM()->currentPageName();
    for (TMyMenu *menu : m_myMenus)
        if (menu->property("stranka").toString() == page)
            menu->showMyMenu(true);

    runReported([&] {
        TDMZ &dmz = DMZ();
        const int year = DM().Aktualny_rok();
        if (page == kTabEmployee) {
            showMenu(m_operacieZam, true);
            setOperations(m_operacieZam, &dmz.TZAM_);
        } else if (page == kTabChildren) {
            showEmployeeList(dmz.TDET_, dmz.DS_DETI, dmz.DS_DGRID);
        } else if (page == kTabDeductions) {
            showEmployeeList(dmz.TZRZ_, dmz.DS_ZRZ, dmz.DS_ZRZG);
        } else if (page == kTabPieceWork) {
            db::Table *zuk = pieceWorkPage() ? pieceWorkPage()->table() : nullptr;
            const CardTab *z = m_karta->tabNamed(page);
            if (zuk && z) {
                attachPage(*zuk, QStringLiteral("Code_numb;Code_emp"));
                if (db::Field *f = zuk->findField(QStringLiteral("Code_numb")))
                    f->setVisible(false);
                z->detail->setEnabled(true);
            }
        } else if (page == kTabAbsences) {
            dmz.TNEP_.setIndexName(QStringLiteral("NEP1"));
            attachPage(dmz.TNEP_);
            dmz.TNEP_.setFiltered(false);
            dmz.TNEP_.last();
            dmz.DS_NEP.setEnabled(true);
            dmz.DS_NEPG.setEnabled(true);
        } else if (page == kTabPensions || page == kTabPensionRecord) {
            const bool doch = page == kTabPensions;
            db::Table &t = doch ? dmz.TDOCH_ : dmz.TELDP_;
            attachPage(t);
            t.last();
            (doch ? dmz.DS_DOCH : dmz.DS_ELDP).setEnabled(true);
        } else if (page == kTabContracts) {
            showMenu(m_operaciePpv, true);
            TDMP &dmp = DMP();
            showEmployeeList(dmp.TPPV_, dmp.DS_PPV, dmp.DS_PGRID);
            m_karta->PC_PPV()->setCurrentIndex(m_karta->PC_PPV()->pageIndex(TDMP::documentPage(
                dmp.TPPV_.isEmpty() ? QVariant() : dmp.TPPV_.value(QStringLiteral("TYP")))));
            setOperations(m_operaciePpv, &dmp.TPPV_);
        } else if (page == kTabHealth) {
            m_karta->NX_ZDR()->setCurrentIndex(m_karta->NX_ZDR()->pageIndex(kTabHealthEmployee));
            attachPage(dmz.TZP1_);
            filterList(dmz.TZP1_, QStringLiteral("v_rok=%1").arg(year));
            attachPage(dmz.TZP2_);
            attachPage(dmz.TZP3_);
            filterList(dmz.TZP3_, QStringLiteral("v_rok=%1 and typ='VV'").arg(year));
            attachPage(dmz.TZP4_);
            filterList(dmz.TZP4_, QStringLiteral("v_rok=%1 and typ=1").arg(year - 1));
            for (db::DataSource *s : {&dmz.DS_ZP1, &dmz.DS_ZP2, &dmz.DS_ZP3, &dmz.DS_ZP4})
                s->setEnabled(true);
        } else if (page == kTabBatch601) {
            attachPage(dmz.TZP5_);
            filterList(dmz.TZP5_, QStringLiteral("v_rok=%1").arg(year));
            dmz.DS_ZP5.setEnabled(true);
            if (!dmz.TZP5_.isActive())
                dmz.TZP5_.open();
        }
    });
    refreshOperations();
}

// ---- operation menus -------------------------------------------------------------------------------

void TFormMain::setOperations(QMenu *menu, const db::DataSet *table)
{
    if (!menu)
        return;
    const bool editing = table && table->isEditing();
    for (QAction *a : menu->actions()) {
        const int tag = a->property("tag").toInt();
        if (tag >= 1 && tag <= 5)
            a->setEnabled(itemAllowed(tag, editing));
        else if (a->property("navrat").toBool())
            a->setEnabled(operationState(editing).navrat);
    }
    if (menu == m_operacieDzp && m_dzpNavrat)
        m_dzpNavrat->setEnabled(operationState(editing).navrat);
}

void TFormMain::refreshOperations()
{
    if (m_operacieZam && m_operacieZam->menuAction()->isVisible())
        setOperations(m_operacieZam, &DMZ().TZAM_);
    if (m_operaciePpv && m_operaciePpv->menuAction()->isVisible())
        setOperations(m_operaciePpv, &DMP().TPPV_);
    if (m_operacieDzp && m_operacieDzp->menuAction()->isVisible())
        setOperations(m_operacieDzp, &DM().TDZP_);
    for (TMyMenu *menu : m_myMenus)
        if (menu->isShown())
            menu->setMenuItems();
}

void TFormMain::pressPageButton(DBNavigator *list, DBNavigator *detail, int tag)
{
    const OperationButton t = operationButton(tag);
    if (DBNavigator *nav = t.zoznam ? list : detail)
        nav->btnClick(t.tlacidlo);
    refreshOperations();
}

void TFormMain::myMenuAction(TMyMenuItem *item)
{
    if (!item || !item->dataSource() || !item->dataSource()->dataSet())
        return;
    runReported([item] { runOperation(*item->dataSource()->dataSet(), item->tag()); });
    item->menu()->setMenuItems();
}

void TFormMain::newDocumentAction(int tag)
{
    db::Table &t = DMP().TPPV_;
    t.insert();
    t.setValue(QStringLiteral("TYP"), newDocumentType(tag));
    if (m_karta)
        m_karta->PC_PPV()->setCurrentIndex(
            m_karta->PC_PPV()->pageIndex(TDMP::documentPage(t.value(QStringLiteral("TYP")))));
    refreshOperations();
}

// ---- guard, commands, returns --------------------------------------------------------------------

bool TFormMain::Prebieha_editacia() const
{
    const std::vector<db::Table *> guarded = moduleRegistry().watchedTables().guarded;
    return core::Prebieha_editacia(QList<const db::DataSet *>(guarded.begin(), guarded.end()));
}

void TFormMain::cancelPending()
{
    const WatchedTables watched = moduleRegistry().watchedTables();
    std::vector<db::Table *> tables = watched.droppedOnStartPage;
    tables.insert(tables.end(), watched.guarded.begin(), watched.guarded.end());
    for (db::Table *t : tables)
        if (t->isEditing()) {
            try {
                t->cancel();
            } catch (const std::exception &) {
                // A refused cancel leaves nothing more to do on the way out.
            }
        }
}

void TFormMain::Zmena_udajov_zamestnanca() {}

void TFormMain::employeesAction()
{
    if (!m_karta)
        return;
    TDMZ &dmz = DMZ();
    for (db::DataSource *s : {&dmz.DS_ZAM1, &dmz.DS_ZGRID, &dmz.DS_NEP})
        s->setEnabled(true);
    m_rezimVyberu = u'Z';
    showPage(kPageEmployeeCard);
}

void TFormMain::showRegisteredPage(const QString &page)
{
    if (const QChar mode = m_rezimyStranok.value(page); !mode.isNull() && hasDMZ()) {
        DMZ().DS_ZGRID.setEnabled(true);
        m_rezimVyberu = mode;
        Akcia_zam_obnov_filter();
    }
    showPage(page);
}

void TFormMain::dzpAction()
{
    DM().DS_DZP.setEnabled(true);
    DM().DS_DZPG.setEnabled(!DM().TDZP_.isEditing());
    showPage(kPageTaxBands);
}

void TFormMain::returnFromEmployee()
{
    checkChangesFinished(Prebieha_editacia());
    showPage(kPageStart);
}

void TFormMain::returnFromDzp()
{
    checkChangesFinished(DM().TDZP_.isEditing());
    showPage(kPageStart);
}

void TFormMain::returnFromPpv()
{
    checkChangesFinished(DMP().TPPV_.isEditing());
    showPage(kPageEmployeeChoice);
}

void TFormMain::returnFromZamf() { showPage(kPageStart); }

void TFormMain::Akcia_zamf_vyber()
{
    if (!m_karta)
        return;
    if (m_rezimVyberu == u'R') {
        if (DMZ().TZAM_.isEmpty())
            throw EMyError(Msg(65050));
        // The annual settlement pages come with the payroll module.
        if (const MainWindowPage *page = mainWindowPageForMode(m_rezimVyberu))
            showPage(page->name);
        return;
    }
    showPage(kPageEmployeeCard);
}

// ---- employee filters and orders -------------------------------------------------------------------

void TFormMain::showFilter(QChar mode)
{
    if (!hasDMZ())
        return;
    TDMZ &dmz = DMZ();
    // Re-filtering would post or drop the employee being edited behind the user's back.
    checkChangesFinished(dmz.TZAM_.isEditing());
    setEmployeeViewMode(mode);
    for (QActionGroup *group : m_zobrazenie)
        for (QAction *a : group->actions())
            a->setChecked(a->property("rezim").toString() == QString(mode));
    if (firmOpen())
        dmz.Nastav_filter_zamestnancov(employeeFilter(mode, DM().Aktualne_obdobie(), DM().Filter_stredisk()));
}

void TFormMain::Akcia_zam_sucasny() { showFilter(kZobrazSucasnych); }
void TFormMain::Akcia_zam_vyradeny() { showFilter(kZobrazVyradenych); }
void TFormMain::Akcia_zam_vsetci() { showFilter(kZobrazVsetkych); }

void TFormMain::Akcia_zam_obnov_filter()
{
    const QChar mode = employeeViewMode();
    showFilter(mode == kZobrazVsetkych || mode == kZobrazVyradenych ? mode : kZobrazSucasnych);
}

void TFormMain::sortBy(int order)
{
    if (!hasDMZ() || SortOrder(order) == SortOrder::Ziadne)
        return;
    db::Table &t = DMZ().TZAM_;
    if (t.isEditing())
        return;
    runReported([&] { t.setIndexName(sortIndex(SortOrder(order))); });
}

void TFormMain::Akcia_zam_zoradit1() { sortBy(int(SortOrder::PodlaMena)); }
void TFormMain::Akcia_zam_zoradit2() { sortBy(int(SortOrder::PodlaCisla)); }

void TFormMain::showHint(const QString &hint) { statusPanel(statusBar(), 1)->setText(hintText(hint)); }

} // namespace tarix::core
