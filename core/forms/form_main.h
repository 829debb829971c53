#pragma once
// The main window TFormMain: the program's menus and the pages of the employee card.
// It lives for the whole run. Its menu bar is built from the table of core/forms/main_menu.h;
// the employee lists' display mode it sets lives in core/app_state.h.
#include "core/app_state.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QMenu;
class QAction;
class QActionGroup;
class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;

namespace tarix::db {
class DataSet;
class Table;
} // namespace tarix::db

namespace tarix::dbctrl {
class DBGrid;
class DBNavigator;
} // namespace tarix::dbctrl

namespace tarix::core {

class TDM;
struct MainMenuItem;
class TEmployeeCard;
class TMyMenu;
class TMyMenuItem;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(QWidget *parent = nullptr);
    ~TFormMain() override;

    QMenu *menuSystem() const { return m_system; }
    QMenu *mainMenu() const { return m_hlavne; }
    QMenu *overviewsMenu() const { return m_prehlady; }
    QMenu *settingsMenu() const { return m_nastavenia; }
    QMenu *openFirmMenu() const { return m_otvorenieFirmy; }
    QMenu *dropFirmMenu() const { return m_zrusenieFirmy; }

    // Number of the open firm, 0 when none is open.
    int openFirm() const;

    // Enables the menus for the current state: with no firm open only "Systém" works. The
    // items of the subsystems' commands are enabled while their command is registered and
    // its rule allows (an item whose window is not built yet shows disabled).
    void Akcia_priprav_menu();

    // "Koniec": asks before ending the program; true when the window closes.
    bool Akcia_system_koniec();

    // Opens the private period and password tables and runs the login (the dialog, or
    // `login` when given); true when a user logged in.
    bool logIn(const std::function<bool(TDM &)> &login = {});

    // Lists the firms with their years under "Výber firmy" and the firms under
    // "Zrušenie firmy".
    void Vytvor_menu_firiem();

    // A year item of "Výber firmy": opens that firm and year; true when it is open.
    bool Akcia_otvorenie_db(int firm, int year);
    // Closes every registered table.
    void Akcia_zatvorenie_db();
    // The entries that depend on whether the employer pays sickness benefits itself.
    void Menu_maly_velky_zavod();
    // Caption and status bar with firm, period and cost centre.
    void Obnov_titulok();
    // The period dialog, then the caption.
    void Akcia_obdobie();
    // The cost-centre choice; from the menu item "Zmena strediska" a firm with fewer than
    // two centres is told so.
    void Akcia_stredisko(bool fromMenu = false);

    // ---- pages ---------------------------------------------------------------------------------
    // The notebook N: the start page, the employee card, the employee choice, the tax bands
    // (page_ids.h) and the subsystems' pages. The employee pages exist only when the
    // employee modules do.
    QStackedWidget *notebook() const { return m_n; }
    QString currentPageName() const;
    // Shows a page of N (as the program's commands do; no guard).
    void showPage(const QString &page);
    // Shows a subsystem's page (main_window_pages.h); a page of a selection mode sets the
    // mode and the employee list's filter first, as the card's entry does.
    void showRegisteredPage(const QString &page);
    // The operation menu of a subsystem's page; null when it has none.
    QMenu *pageOperations(const QString &page) const { return m_operacieStranok.value(page); }
    TEmployeeCard *cardWindow() const { return m_karta; }
    dbctrl::DBGrid *employeeList() const { return m_dbgZamPravy; }
    dbctrl::DBGrid *employeeSelection() const { return m_dbgZamf; }
    QWidget *listPanel() const { return m_sbZamPravy; }
    QMenu *employeeOperations() const { return m_operacieZam; }
    QMenu *dzpOperations() const { return m_operacieDzp; }
    QMenu *ppvOperations() const { return m_operaciePpv; }
    QMenu *zamfOperations() const { return m_operacieZamf; }
    const QList<TMyMenu *> &tabsMenu() const { return m_myMenus; }
    // Selection mode: 'Z' employee card, 'R' annual tax settlement.
    QChar employeeSelectionMode() const { return m_rezimVyberu; }

    // True while any of the watched tables (employee and its detail records, contracts,
    // annual settlement, piece-work) is in edit or insert state.
    bool Prebieha_editacia() const;
    // Called when the employee choice reports another employee; nothing to do here.
    void Zmena_udajov_zamestnanca();

    // "&Zamestnanci": the employee card.
    void employeesAction();
    // "&Daň z príjmu - ročná tabuľka ": the tax band page.
    void dzpAction();
    // The returns: the card's (to EMPTY, EMyError 65199 while an edit is pending), the tax
    // table's (refused while the bands are edited), the contracts' (to the employee choice,
    // refused while a contract is edited), the choice page's button (to EMPTY, no check).
    void returnFromEmployee();
    void returnFromDzp();
    void returnFromPpv();
    void returnFromZamf();
    // "&Výber": mode 'Z' shows the card.
    void Akcia_zamf_vyber();

    // Employee filters and orders.
    void Akcia_zam_sucasny();
    void Akcia_zam_vyradeny();
    void Akcia_zam_vsetci();
    void Akcia_zam_obnov_filter();
    void Akcia_zam_zoradit1(); // by name
    void Akcia_zam_zoradit2(); // by personal number

    // A "Nový pracovnoprávny vzťah" item: a new contract of kind tag + 10.
    void newDocumentAction(int tag);
    // Item of a tab's operation menu.
    void myMenuAction(TMyMenuItem *item);
    // Enables the items of the shown operation menus by their tables' states.
    void refreshOperations();
    // Status-bar panel 1 for a field's hint (entering it) or empty (leaving it).
    void showHint(const QString &hint);

signals:
    // An item of "Zrušenie firmy" was chosen.
    void zrusenieFirmy(int firm);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setPeriodItems();
    void setYearPages();
    void buildMenu();
    void refreshCommandItems();
    // An item of a subsystem's command under `parent`; disabled until refreshed.
    QAction *addCommand(QMenu *parent, const MainMenuItem &item);
    void addOperationItems(QMenu *menu);
    void buildPages();
    void buildOperations();
    void NPageChanged();
    void NX_ZAMChanged();
    bool canChangeTab();
    void hideOperations();
    void setOperations(QMenu *menu, const db::DataSet *table);
    void pressPageButton(dbctrl::DBNavigator *list, dbctrl::DBNavigator *detail, int tag);
    void showFilter(QChar mode);
    void sortBy(int order);
    void cancelPending();
    void attachHints(QWidget *root);

    QStackedWidget *m_n = nullptr;
    TEmployeeCard *m_karta = nullptr; // owned by the page ZAM1
    QScrollArea *m_sbZam = nullptr;
    QWidget *m_sbZamPravy = nullptr;
    dbctrl::DBGrid *m_dbgZamPravy = nullptr;
    dbctrl::DBGrid *m_dbgZamf = nullptr;
    QLabel *m_panelZamf = nullptr;
    QLabel *m_panelHotova = nullptr;
    dbctrl::DBNavigator *m_dbnDzp = nullptr;
    QPushButton *m_dzpNavrat = nullptr;
    QMenu *m_operacieZam = nullptr;
    QMenu *m_operacieDzp = nullptr;
    QMenu *m_operaciePpv = nullptr;
    QMenu *m_operacieZamf = nullptr;
    QList<TMyMenu *> m_myMenus;
    // The subsystems' pages: their operation menus and selection modes by page name.
    QHash<QString, QMenu *> m_operacieStranok;
    QHash<QString, QChar> m_rezimyStranok;
    QList<QActionGroup *> m_zobrazenie;
    // The items of the subsystems' commands, and the submenus shown only with an item.
    QList<QAction *> m_commandItems;
    QList<QMenu *> m_commandSubmenus;
    QChar m_rezimVyberu = u'Z';
    bool m_menimStranku = false;

    QMenu *m_system;
    QMenu *m_hlavne;
    QMenu *m_prehlady;
    QMenu *m_nastavenia;
    QMenu *m_otvorenieFirmy;
    QMenu *m_zrusenieFirmy;
    bool m_closing = false;
};

} // namespace tarix::core
