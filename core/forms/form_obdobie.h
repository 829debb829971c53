#pragma once
// TFormObdobie: the choice of the payroll period (month, and the year for years before
// 2005, when several years shared one data folder). The period is stored only by "O&K".
#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace tarix::core {

class TDM;

class TFormObdobie : public QDialog {
    Q_OBJECT
public:
    TFormObdobie(TDM &dm, const QString &programFolder, QWidget *parent = nullptr);

    // The chosen month (1..12) and the year as typed.
    int mesiac() const;
    void setMesiac(int month);
    QLineEdit *rokEdit() const { return m_rok; }
    QPushButton *okButton() const { return m_ok; }
    int rememberedPeriodYear() const { return m_rememberedYear; }

    // Without a cancel button the dialog closes only through "O&K".
    void reject() override {}
    // However the dialog is closed, the exemption mode follows the period then stored.
    void done(int result) override;

private:
    void loadPeriod();
    void okClicked();

    TDM &m_dm;
    QString m_programFolder;
    QButtonGroup *m_months;
    QLineEdit *m_rok;
    QPushButton *m_ok;
    int m_rememberedYear = 0;
    int m_rememberedMonth = 0;
};

// Shows the period dialog modally (it stores the period itself).
void runPeriodChoice(TDM &dm, const QString &programFolder, QWidget *parent);

} // namespace tarix::core
