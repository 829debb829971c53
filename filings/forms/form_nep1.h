#pragma once
// "Sociálna poisťovňa - registračný list hromadný (XML)": the registration-list rows of the
// absence table (nep rows with TypRL filled, of every employee), ticked in the grid and
// written as one XML file of bulk registration lists with its check file ("createLayout XML"),
// and the choice of the files written before ("Prezerať XML").
//
// While the window is open the absence table has no master link and shows only the
// registration-list rows; closing it gives the table back its master link, filter and row,
// so that the employee card shows the current employee's absences again.
#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

namespace tarix::core {
class TDMZ;
}

namespace tarix::grid {
class TExDBGrid;
}

namespace tarix::filings {

class TFormNEP1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormNEP1(QWidget *parent = nullptr);
    ~TFormNEP1() override;

    // "createLayout XML". Returns the path written; empty when nothing was written.
    QString btn_xmlClick();
    // "Prezerať XML".
    void btn_xml_viewClick();
    void Nastav_titulok();
    // The menu states by the employee table's state (the "&Operácie" menu opening).
    void setMenuState();

    grid::TExDBGrid *DBG1 = nullptr;
    QToolButton *btn_xml = nullptr;
    QToolButton *btn_xml_view = nullptr;
    QPushButton *btn_navrat = nullptr;
    QMenu *Operacie = nullptr;
    QAction *Novy_zaznam = nullptr;
    QAction *Oprava_zaznamu = nullptr;
    QAction *Vymazanie_riadku = nullptr;
    QAction *postChanges = nullptr;
    QAction *ignoreChanges = nullptr;
    QAction *Vytvor_xml = nullptr;
    QAction *Navrat = nullptr;

private:
    struct PovodnyStav;
    void showRegistrationSheetFile();
    void refreshTable();

    core::TDMZ *m_dmz = nullptr;
    std::unique_ptr<PovodnyStav> m_povodny;
};

// The window of the run, created on demand and brought to the front when it is open.
TFormNEP1 *showRegistrationSheets(QWidget *owner);
// Registers the main menu's "sp_reglisty".
void registerRegistrationSheetsCommand();

} // namespace tarix::filings
