#pragma once
// The report parameter dialog "Parametre tlačovej zostavy" and the entry of every report
// request. The entry copies the caller's request into the unit's copy, shows the dialog
// (or only passes the request through it when the request says so) and runs the
// dispatcher when the user starts the report.
#include "reports/report_param.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;

namespace tarix::reports {

class TFParForm : public QDialog {
    Q_OBJECT
public:
    // What closed the dialog.
    enum Run { Nic = 0, Spustit = 1, Koniec = 2 };

    // Works on `param`, the unit's copy of the request: choosing a centre and typing the
    // individual value write there. Creation stamps today's date into the statement
    // contact row and fills the centre and employee lists.
    explicit TFParForm(TMyReportParam &param, QWidget *parent = nullptr);
    ~TFParForm() override;

    // Sets the controls from a request (fill).
    void Nacitaj_parametre(const TMyReportParam &p);
    // Writes the controls into a request (apply).
    void Prevezmi_parametre(TMyReportParam &p);
    // Fills the employee list for the centre range of the unit's copy, in the employee lists'
    // mode the clerk chose on the main window (core/app_state.h): with no leaving date for
    // the current employees, with one for those who left, else all.
    void Napln_zamestnancov();
    // "&runForm": checks the entries and applies them into the unit's copy; a failed check
    // raises EMyError and leaves the dialog open. On success the dialog closes.
    void runForm();

    Run run() const { return m_beh; }
    // Whether the last fill found the request's centre and employee in the lists.
    bool costCenterFound() const { return m_strediskoNajdene; }
    bool employeeFound() const { return m_zamestnanecNajdeny; }

    // Controls.
    QTabWidget *PageControl1;      // one page "Vstupné parametre"
    QComboBox *CB_rok;
    QComboBox *CB_mesiac;
    QCheckBox *Cb_ramceky;
    QCheckBox *CB_nadpisy;
    QCheckBox *CB_abeceda;
    QPushButton *Button5;
    QComboBox *CB_stred;           // item data: the centre number (0: the whole firm)
    QTabWidget *Page_Control3;
    QWidget *PAGE_VYBER_ZAM;
    QWidget *PAGE_VYBER_ZP;
    QWidget *PAGE_PZ2006;
    QComboBox *CB_zam;             // item data: Code_emp (0: everybody)
    QLabel *Label_ine;
    QLineEdit *Edit_ine;
    QLabel *Label_ine2;
    QLineEdit *Edit_ine2;
    QComboBox *Combo_ZP;           // item data: the insurer's ID
    QLineEdit *Edit_n_ddp;
    QLineEdit *Edit_mesiace;
    QLineEdit *Edit_nz_ddp;
    QStackedWidget *PageControl2;
    QWidget *PAGE_SPXML;
    QWidget *PAGE_EMPTY;
    QLineEdit *Edit_vykaz_riadny;
    QPushButton *Button1;          // "&runForm"
    QPushButton *Button2;          // "&Koniec"

    // Whether a page of Page_Control3 is shown.
    bool pageVisible(QWidget *page) const;

private slots:
    void CB_stredChange(int index);
    void Edit_ineChange();
    void Button1Click();
    void Button2Click();
    void Button5Click();

private:
    void fillCostCenters();
    void showFormPage(QWidget *page, bool visible);

    TMyReportParam &m_param;
    Run m_beh = Nic;
    bool m_strediskoNajdene = true;
    bool m_zamestnanecNajdeny = true;
};

namespace ParForm {

// The entry of every report request; always returns 0. With Bez_dialogu the request only
// passes through the dialog without showing it, and the report runs at once (a centre or
// employee the request names stays as named even when the dialog's lists lack it);
// otherwise the report runs only when the user starts it with "&runForm". Nothing is
// raised to the caller.
int Zobraz_parametre_zostavy(const TMyReportParam &p);

// Copies the statement contact data of Tlac_par into the request, each cut to its field's
// length (all empty when the table has no row).
void Prevezmi_udaje_vykazu(TMyReportParam &p);

} // namespace ParForm

} // namespace tarix::reports
