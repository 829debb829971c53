#pragma once
// TRzpPages: the main window's annual tax settlement pages of the current employee, one
// per settlement form (RZP2003 before 2004, RZP2004 for 2004, RZP2005 from 2005), with the
// operation menu Operacie_rzp1. Leaving any input field recomputes the settlement
// (SET_RZP). The main window adds the widget as its settlement page and shows it with
// showRzpPage(open year).
#include "core/commands.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <QWidget>

class QMenu;
class QStackedWidget;

namespace tarix::payroll {

class TDMV;

// The page of a settlement year.
QString rzpPage(int rok);

// Printing from the settlement menu: the command of the print item's launcher id
// ("rzp_tlac_rz", "rzp_tlac_rz2004b", "rzp_tlac_nezisk1", "rzp_tlac_nezisk2") prints the
// settlement current in the module (currentSettlement), the page being the command's
// owner. The reports subsystem registers them; an item without a command prints nothing.
core::CommandRegistry &settlementPrintCommands();

// The settlement a print item prints: its employee, its year (null when empty) and whether
// it is being edited.
struct SettlementState {
    int codeEmp = 0;
    QVariant rok;
    bool isEditingRecord = false;
};
SettlementState currentSettlement(TDMV &dm);

class TRzpPages : public QWidget {
    Q_OBJECT
public:
    explicit TRzpPages(TDMV &dm, QWidget *parent = nullptr);

    // Enables the settlement's sources and shows the page of the year.
    void showRzpPage(int rok);
    // The page shown now (RZP2003, RZP2004, RZP2005) and a page by name.
    QString currentPageName() const;
    QWidget *pageNamed(const QString &name) const;
    // "&Operácie-ročné zúčtovanie".
    QMenu *Operacie_rzp1() const { return m_operacie; }

    // The operations of the menu; a refusal is shown and leaves the settlement as it was.
    void newRzpSettlement();
    void editSettlement();
    void deleteSettlement();
    void postChanges();
    void ignoreChanges();
    // A print item: the launcher `spustac` with the current settlement.
    void printSettlement(const QString &spustac);

private:
    QWidget *buildPage(int formular);
    void SET_RZP();
    void perform(const std::function<void()> &operacia);

    TDMV &m_dm;
    QStackedWidget *m_stranky;
    QMenu *m_operacie;
};

} // namespace tarix::payroll
