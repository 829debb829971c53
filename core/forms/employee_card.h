#pragma once
// The employee card (page ZAM1 of the main window): the page control NX_ZAM with one tab
// per record kind of an employee, each with its title, list grid, detail fields, a list
// navigator and a detail navigator, all bound to the data sources of TDMZ, TDMP and TDM.
#include "core/commands.h"

#include <QHash>
#include <QTabWidget>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QToolButton;

namespace tarix::db {
class DataSource;
class Table;
} // namespace tarix::db

namespace tarix::dbctrl {
class DBEdit;
class DBGrid;
class DBNavigator;
} // namespace tarix::dbctrl

namespace tarix::core {

// What the card's print buttons run, by the buttons' ids: the contracts' "&Tlač"
// ("ppv_tlac", as the contracts menu's item), the health-insurance tab's "Tlač dokladu" and
// "Tlač oznámenia" ("Butt_tlac_doklad", "Butt_tlac_oznam") and the pension-record tab's
// button ("Butt_tlac_eldp"). The report subsystem registers the commands; a button whose
// command is not registered does nothing.
CommandRegistry &cardPrintCommands();

// A tab widget whose tab changes by the user (click, keys) may be refused: `mozeZmenit`
// is asked with the new index first.
class TPages : public QTabWidget {
    Q_OBJECT
public:
    explicit TPages(QWidget *parent = nullptr);
    std::function<bool(int index)> mozeZmenit;
    // Changes to the tab as the user does; false when refused.
    bool changePage(int index);
    bool changePage(const QString &pageName);
    int pageIndex(const QString &pageName) const;
    QString currentPageName() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// One tab of the card with the sources and navigators the window's menus use.
struct CardTab {
    QString nazov;                        // "PAGE_DETI"
    db::DataSource *detail = nullptr;     // the detail fields' source (and the menus')
    db::DataSource *zoznam = nullptr;     // the list grid's source
    dbctrl::DBNavigator *navZoznam = nullptr;
    dbctrl::DBNavigator *navDetail = nullptr;
};

class TEmployeeCard : public QWidget {
    Q_OBJECT
public:
    explicit TEmployeeCard(QWidget *parent = nullptr);
    ~TEmployeeCard() override;

    TPages *NX_ZAM() const { return m_nxZam; }
    TPages *NY_ZAM() const { return m_nyZam; }
    TPages *PC_PPV() const { return m_pcPpv; }
    TPages *NX_ZDR() const { return m_nxZdr; }
    QToolButton *listButton() const { return m_sbZoznam; }
    QToolButton *absenceKindsButton() const { return m_sbTypNep; }
    dbctrl::DBGrid *absenceKindsGrid() const { return m_dbgCisNep; }
    QPushButton *returnButton() const { return m_navrat; }
    QPushButton *healthCalcButton() const { return m_vypocetZp; }
    // The print button of an id of cardPrintCommands().
    QPushButton *printButton(const QString &id) const { return m_tlac.value(id); }
    // The name of the employee whose card is shown.
    dbctrl::DBEdit *employeeName() const { return m_meno; }

    const CardTab *tabNamed(const QString &pageName) const;
    const QList<CardTab> &cardTabs() const { return m_zalozky; }

    // Shows or hides the absence-kind grid; the toggle's Down state follows.
    void showAbsenceKinds(bool visible);
    // Turns the card to the page holding the control of `field` (of the employee table)
    // and gives it the focus; false when no control edits it.
    bool focusEmployeeField(const QString &field);

private:
    QWidget *buildDetails();
    QWidget *buildDeductions();
    QWidget *buildChildren();
    QWidget *buildWork();
    QWidget *buildAbsence();
    QWidget *buildPensions();
    QWidget *buildPpv();
    QWidget *buildEldp();
    QWidget *buildHealth();
    QWidget *buildBatch601();
    QWidget *pageNamed(const QString &name, const QString &title);
    QPushButton *printButton(const QString &id, const QString &caption, QWidget *parent, bool strazEditacie);
    void addCardTab(QWidget *page, const QString &caption, db::DataSource *detail, db::DataSource *list,
                       dbctrl::DBNavigator *navList, dbctrl::DBNavigator *navDetail);

    TPages *m_nxZam = nullptr;
    TPages *m_nyZam = nullptr;
    TPages *m_pcPpv = nullptr;
    TPages *m_nxZdr = nullptr;
    QToolButton *m_sbZoznam = nullptr;
    QToolButton *m_sbTypNep = nullptr;
    dbctrl::DBGrid *m_dbgCisNep = nullptr;
    QPushButton *m_navrat = nullptr;
    QPushButton *m_vypocetZp = nullptr;
    QHash<QString, QPushButton *> m_tlac;
    dbctrl::DBEdit *m_meno = nullptr;
    QList<CardTab> m_zalozky;
    // Sources of the code grids shown beside the absence and pension lists.
    std::unique_ptr<db::DataSource> m_dsCisNep, m_dsCisDoch;
};

} // namespace tarix::core
