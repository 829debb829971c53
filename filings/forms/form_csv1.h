#pragma once
// "Tlač údajov o zamestnacoch": the export layouts of the employee table. The layouts
// (left), the fields each exports with their column widths ("Položky, ktoré sa budú
// tlačiť") and the others ("Položky, ktoré sa nebudú tlačiť"); fields are included,
// excluded and moved, a width is edited, every layout can be rebuilt ("Inicializácia"),
// and the employees of the chosen view are written as "zostava" + layout + ".CSV" and
// ".SLK" into the program's "excel" folder.
//
// The employee view chosen here stays on the employee table after the window closes.
#include <QDialog>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

namespace tarix::dbctrl {
class DBEdit;
class DBGrid;
class DBNavigator;
} // namespace tarix::dbctrl

namespace tarix::filings {

class TFormCsv1 : public QDialog {
    Q_OBJECT
public:
    explicit TFormCsv1(QWidget *parent = nullptr);
    ~TFormCsv1() override;

    // The operations (each also in the menu "&Operácie").
    void Btn_vyradClick();
    void Btn_zaradClick();
    void Btn_horeClick();
    void Btn_doleClick();
    // Returns whether both files were written.
    bool Btn_tlacClick();
    void Button1Click();
    // The three employee views.
    void showCurrent();
    void showExcluded();
    void showAll();
    // The enabled states by the exported fields' state (edit or not).
    void Akcia_priprav_csv();

    QMenuBar *MainMenu1 = nullptr;
    QMenu *Operacie = nullptr;
    QAction *mnu_vyrad = nullptr;
    QAction *mnu_zarad = nullptr;
    QAction *mnu_hore = nullptr;
    QAction *mnu_dole = nullptr;
    QAction *mnu_tlac = nullptr;
    QAction *mnu_edit = nullptr;
    QAction *mnu_post = nullptr;
    QAction *mnu_cancel = nullptr;
    QAction *Zobrazisasnchzamestanncov1 = nullptr;
    QAction *Zobrazivyradenchzamestnancov1 = nullptr;
    QAction *Zobrazivetkchzamestnancov1 = nullptr;
    QAction *Mnu_navrat = nullptr;
    QPushButton *Btn_vyrad = nullptr;
    QPushButton *Btn_zarad = nullptr;
    QPushButton *Btn_hore = nullptr;
    QPushButton *Btn_dole = nullptr;
    QPushButton *Btn_tlac = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Btn_navrat = nullptr;
    dbctrl::DBGrid *DBG_TL1 = nullptr;
    dbctrl::DBGrid *DBG_TL2a = nullptr;
    dbctrl::DBGrid *DBG_TL2b = nullptr;
    dbctrl::DBNavigator *DBN2 = nullptr;
    QWidget *Panel_Zmena = nullptr;
    dbctrl::DBEdit *Edit_sirka = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    bool editsLayout() const;
    void setLayoutFilter(const QString &prefix);
};

// Shows the window modally; the main menu's "Tlač údajov o zamestnacoch".
void showExportLayouts(QWidget *owner);
// Registers the main menu's "mnu_csv1".
void registerCsvCommand();

} // namespace tarix::filings
