#pragma once
// TFormStred: the choice of the cost centre the workstation works on (0 = the whole firm).
#include <QDialog>

class QPushButton;
class QTableWidget;

namespace tarix::core {

class TDM;

class TFormStred : public QDialog {
    Q_OBJECT
public:
    explicit TFormStred(TDM &dm, QWidget *parent = nullptr);

    QTableWidget *grid() const { return m_sg1; }
    QPushButton *okButton() const { return m_ok; }

    // Without a cancel button the dialog closes only through "O&K".
    void reject() override {}

private:
    void okClicked();

    TDM &m_dm;
    QTableWidget *m_sg1;
    QPushButton *m_ok;
};

// Shows the cost-centre dialog modally (it stores the centre itself).
void runCostCenterChoice(TDM &dm, QWidget *parent);

} // namespace tarix::core
