#pragma once
// The payroll screen TFormMainVyp: the clerk chooses an employee and creates, edits,
// deletes and prints the employee's payroll records of the open year. Every control is
// bound to the data sources of TDMV and to the employee choice TDMZ.DS_ZAMF; the screen
// keeps no data of its own. Shown modally from the main menu and freed when it closes.
//
// The records are computed on leaving each input field and on every post; a field that the
// next calculation overwrites whatever was typed is shown read-only (see prepisane_polia.h).
#include "core/commands.h"
#include "platform/dbctrl/db_navigator.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStackedWidget;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QPushButton;

namespace tarix::dbctrl {
class DBEdit;
class DBGrid;
class DataControl;
struct ScreenControl;
} // namespace tarix::dbctrl

namespace tarix::payroll {

class TDMV;

// Printing from the payroll screen: the command of a report code ("VP" the payslip, "VYK"
// the piece-work) prints for the payroll record current in DMV().TVYP_ (its Code_emp and
// V_obdobie), the screen being the command's owner. The reports subsystem registers them;
// a code without a command prints nothing.
core::CommandRegistry &payrollScreenPrintCommands();

namespace MainVyp {
// True while the payroll screen is open (from its activation until it closes).
bool Vyplaty_otvorene();
} // namespace MainVyp

// Creates the payroll screen, shows it modally and frees it when it closes (the main
// menu's "&Výplaty").
void openPayrollScreen(QWidget *parent);

// Registers the payroll subsystem's commands of the main menu: the payroll screen, the
// recalculation of the month's payrolls and the split of the tax into advances and
// withholding (core/forms/main_menu.h).
void registerCommands();

class TFormMainVyp : public QDialog {
    Q_OBJECT
public:
    explicit TFormMainVyp(QWidget *parent = nullptr);
    ~TFormMainVyp() override;

    // ---- the handlers ----------------------------------------------------------------------
    // First and every later activation (run when the screen is shown).
    void FormActivate();
    // Whether the screen may close: asks 65172 about pending edits (No keeps it open),
    // then drops them and leaves the data modules as the main window expects them.
    bool FormClose();
    // The notebook page changed: scroll positions, menus, the employee's payrolls and
    // details, focus.
    void NPageChanged();
    // "&Výber": EMyError 65050 for an empty employee list, else the payroll page.
    void Akcia_zamf_vyber();
    void DBG_zamfTitleClick(const QString &fieldName);
    // "&Návrat" of the payroll page: pending detail edits may be dropped (a No aborts);
    // EMyError 65199 while the payroll record is edited; else back to the employee list.
    void Akcia_vypl_navrat();
    // The payroll operations press the navigators' buttons; true when the action completed
    // (a refusal was reported).
    bool Akcia_vypl_insert();
    bool Akcia_vypl_edit();
    bool Akcia_vypl_delete();
    bool Akcia_vypl_post();
    bool Akcia_vypl_cancel();
    // Enables the operations for the payroll record's state, then the detail menus.
    void Akcia_priprav_vypl1();
    bool akcia_zrv(dbctrl::NavigateButton b);
    void akcia_priprav_zrv();
    bool akcia_hsu(dbctrl::NavigateButton b);
    void akcia_priprav_vykon();
    // Leaving a tab: pending detail edits may be dropped; false keeps the tab.
    bool N_VYPLChanging();
    void N_VYPLChange();
    // Field exits: the calculation (and for MV_plat the probable earnings first).
    void SET_ALL();
    void SET_ALL_MV_PLAT();
    // Field entries: the hint of the field in status panel 1.
    void Hint_zobraz(const QString &hint);
    void Hint_zmaz();
    // Printing the payslip (only while the record is browsing) and the piece-work report
    // (error box 65199 unless the record is browsing).
    void ShowReportVP1();
    void ShowReportVYK();
    // Runs the registered print command of that report code, if any.
    void runPrintCommand(const QString &code);
    // Caption and status bar with firm, cost centre and the open period.
    void Nastav_titulok();
    // The employee-change hook of the employee module while the screen is open (nothing to
    // do: the payroll page reads the employee when it is entered).
    void Zmena_zamestnanca() {}

    // ---- what tests and the menus reach -------------------------------------------------------
    QStackedWidget *N = nullptr;          // pages "ZAMF" and "VYPL1"
    QWidget *Page_zamf = nullptr;
    QWidget *Page_vypl1 = nullptr;
    QLabel *Panel_zamf = nullptr;
    dbctrl::DBGrid *DBG_zamf = nullptr;
    QPushButton *Butt_zamf_vyber = nullptr;
    QPushButton *Butt_zamf_navrat = nullptr;
    QToolButton *Butt_vypl_tlac = nullptr;
    QPushButton *Butt_vypl_navrat = nullptr;
    dbctrl::DBNavigator *DBN_vypl1 = nullptr; // insert, delete (DS_VGRID)
    dbctrl::DBNavigator *DBN_vypl2 = nullptr; // edit, post, cancel (DS_VYPL)
    dbctrl::DBGrid *DBGrid2 = nullptr;
    QTabWidget *N_VYPL = nullptr;
    dbctrl::DBGrid *DBG_hsu = nullptr;
    dbctrl::DBNavigator *DBN_hsu1 = nullptr;  // insert, delete
    dbctrl::DBNavigator *DBN_hsu2 = nullptr;  // edit, post, cancel
    QPushButton *Butt_vykon_tlac = nullptr;
    dbctrl::DBGrid *DBG_zrv = nullptr;
    dbctrl::DBNavigator *DBN_zrv1 = nullptr;  // insert, delete
    dbctrl::DBNavigator *DBN_zrv2 = nullptr;  // post, cancel
    QMenuBar *menuBar = nullptr;
    QStatusBar *statusBar = nullptr;
    QMenu *Menu_zamf = nullptr;   // "&Operácie-výber zamestnanca"
    QMenu *Menu_vypl = nullptr;   // "&Operácie-výplaty"
    QMenu *Menu_vykon = nullptr;  // "Operácie - výkonová mzda"
    QMenu *Menu_zrv = nullptr;    // "&Operácie - evidencia zrážok"

    // A menu item by its text ("Nová výplata"); the item of the employee menu for the
    // texts both menus have ("&Návrat") unless `menu` is given.
    QAction *makeAction(const QString &text, QMenu *menu = nullptr) const;
    // The controls of a payroll field (a field may stand on several tabs), and of a
    // deduction field.
    QList<QWidget *> fieldControls(const QString &field) const;
    QWidget *deductionControl(const QString &field) const;
    // The input fields shown read-only now because the calculation overwrites them.
    const QSet<QString> &overwrittenFields() const { return m_prepisane; }
    // The tab page of that object name ("PAGE_ZRAZKY").
    QWidget *tabNamed(const QString &name) const;
    // Shows a tab as its menu item does; false when leaving the current one was refused.
    bool showTab(const QString &name);
    // Recomputes which input fields the calculation overwrites and shows them read-only.
    void refreshReadOnlyFields();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Sledovanie;
    class SledovanieRiadku;
    // Narrows the deductions and piece-work items to the current payroll record (also one
    // being inserted); without `vzdy` only when that record changed.
    void limitDetails(bool vzdy);
    void buildZamfPage();
    void buildPayrollPage();
    void buildMenu();
    QWidget *buildWorkTab();
    QWidget *buildDeductionsTab();
    // Connects a control of a payroll field (made from the screen's tables) to the
    // calculation, the hints and the lists of input fields.
    void attachField(const dbctrl::ScreenControl &c, QWidget *w);
    void setTabsPeriod();
    void chooseTab(int index); // without the leave checks
    void cleanUp();                 // the clean-up of a close
    void focusFirstField();
    TDMV &dmv() const;

    QHash<QString, QList<QWidget *>> m_polia; // payroll field (upper case) -> controls
    QHash<QString, QList<dbctrl::DataControl *>> m_vstupne; // offered for input
    QStringList m_vstupnePolia;
    QSet<QString> m_prepisane;
    QHash<QString, QWidget *> m_zrazky;
    QHash<QString, QAction *> m_akcieZaloziek; // tab object name -> its menu item
    QList<QAction *> m_akcieVypl;
    std::unique_ptr<Sledovanie> m_sledVypl, m_sledZrv, m_sledHsu;
    std::unique_ptr<SledovanieRiadku> m_sledGrid;
    int m_poslednaZalozka = 0;
    bool m_prvaAktivacia = true;
    bool m_zatvorene = false;
    bool m_menimZalozku = false;
    // What the contracts table had before the screen narrowed it.
    QString m_ppvFilter;
    bool m_ppvFiltered = false;
    bool m_ppvZmenene = false;
};

} // namespace tarix::payroll
