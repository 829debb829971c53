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
class TKartaZam;
class TMyMenu;
class TMyMenuItem;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(QWidget *parent = nullptr);
    ~TFormMain() override;

    QMenu *menuSystem() const { return m_system; }
    QMenu *menuHlavne() const { return m_hlavne; }
    QMenu *menuPrehlady() const { return m_prehlady; }
    QMenu *menuNastavenia() const { return m_nastavenia; }
    QMenu *menuOtvorenieFirmy() const { return m_otvorenieFirmy; }
    QMenu *menuZrusenieFirmy() const { return m_zrusenieFirmy; }

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
    bool Prihlasenie(const std::function<bool(TDM &)> &login = {});

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
    QString aktualnaStranka() const;
    // Shows a page of N (as the program's commands do; no guard).
    void Zobraz_stranku(const QString &page);
    // Shows a subsystem's page (main_window_pages.h); a page of a selection mode sets the
    // mode and the employee list's filter first, as the card's entry does.
    void Zobraz_registrovanu_stranku(const QString &page);
    // The operation menu of a subsystem's page; null when it has none.
    QMenu *operacieStranky(const QString &page) const { return m_operacieStranok.value(page); }
    TKartaZam *karta() const { return m_karta; }
    dbctrl::DBGrid *zoznamZamestnancov() const { return m_dbgZamPravy; }
    dbctrl::DBGrid *vyberZamestnancov() const { return m_dbgZamf; }
    QWidget *panelZoznamu() const { return m_sbZamPravy; }
    QMenu *operacieZam() const { return m_operacieZam; }
    QMenu *operacieDzp() const { return m_operacieDzp; }
    QMenu *operaciePpv() const { return m_operaciePpv; }
    QMenu *operacieZamf() const { return m_operacieZamf; }
    const QList<TMyMenu *> &menuZaloziek() const { return m_myMenus; }
    // Selection mode: 'Z' employee card, 'R' annual tax settlement.
    QChar rezimVyberu() const { return m_rezimVyberu; }

    // True while any of the watched tables (employee and its detail records, contracts,
    // annual settlement, piece-work) is in edit or insert state.
    bool Prebieha_editacia() const;
    // Called when the employee choice reports another employee; nothing to do here.
    void Zmena_udajov_zamestnanca();

    // "&Zamestnanci": the employee card.
    void Akcia_zamestnanci();
    // "&Daň z príjmu - ročná tabuľka ": the tax band page.
    void Akcia_dzp();
    // The returns: the card's (to EMPTY, EMyError 65199 while an edit is pending), the tax
    // table's (refused while the bands are edited), the contracts' (to the employee choice,
    // refused while a contract is edited), the choice page's button (to EMPTY, no check).
    void Akcia_navrat_zam();
    void Akcia_navrat_dzp();
    void Akcia_navrat_ppv();
    void Akcia_navrat_zamf();
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
    void Akcia_novy_dokument(int tag);
    // Item of a tab's operation menu.
    void Akcia_mymenu(TMyMenuItem *item);
    // Enables the items of the shown operation menus by their tables' states.
    void Obnov_operacie();
    // Status-bar panel 1 for a field's hint (entering it) or empty (leaving it).
    void Zobraz_napovedu(const QString &hint);

signals:
    // An item of "Zrušenie firmy" was chosen.
    void zrusenieFirmy(int firm);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Nastav_polozky_obdobia();
    void Nastav_stranky_roka();
    void vytvorMenu();
    void refreshCommandItems();
    // An item of a subsystem's command under `parent`; disabled until refreshed.
    QAction *pridajPrikaz(QMenu *parent, const MainMenuItem &item);
    void pridajPolozkyOperacii(QMenu *menu);
    void vytvorStranky();
    void vytvorOperacie();
    void NPageChanged();
    void NX_ZAMChanged();
    bool mozeZmenitZalozku();
    void Skry_operacie();
    void Nastav_operacie(QMenu *menu, const db::DataSet *table);
    void Stlac(dbctrl::DBNavigator *list, dbctrl::DBNavigator *detail, int tag);
    void Zobraz_filter(QChar mode);
    void Zorad(int order);
    void Zrus_rozpracovane();
    void Pripoj_napovedy(QWidget *root);

    QStackedWidget *m_n = nullptr;
    TKartaZam *m_karta = nullptr; // owned by the page ZAM1
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
