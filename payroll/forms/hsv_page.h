#pragma once
// THsvPage: the main window's bulk monthly entry page HSV: the grid DBGrid_HSV on
// TDMV.DS_HSV and the buttons "&Spusti účtovanie" (posts the marked rows) and "&Návrat".
// The bulk-entry command (settlement_commands.h) fills the table and shows the page.
#include <QWidget>

#include <functional>

class QPushButton;

namespace tarix::dbctrl {
class DBGrid;
}

namespace tarix::payroll {

class TDMV;

class THsvPage : public QWidget {
    Q_OBJECT
public:
    explicit THsvPage(TDMV &dm, QWidget *parent = nullptr);

    dbctrl::DBGrid *hsvGrid() const { return m_grid; }
    QPushButton *runAction() const { return m_spusti; }
    QPushButton *returnAction() const { return m_navrat; }
    // Columns 16 to 20 titled "P-" and the captions of the five free surcharges as the
    // payroll screen shows them (the firm's names, or the surcharge's number).
    void setSurchargeColumns();

    // "&Spusti účtovanie": asks 65082, posts the marked rows and ends with one message: their
    // count (65081) and the marked rows not posted, named with the reason.
    void runPosting();
    // "&Návrat": asks 65083; a yes leaves the page (returnAction()).
    void goBack();

signals:
    void opustit();

private:
    TDMV &m_dm;
    dbctrl::DBGrid *m_grid;
    QPushButton *m_spusti;
    QPushButton *m_navrat;
};

} // namespace tarix::payroll
