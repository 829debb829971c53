#pragma once
// TFormCis: the one modal editor of the code tables: a grid over the table, a navigator
// to move (DBN1) and one to confirm or drop an edit (DBN2), the menu "&Operácie", and
// "&Exp.XLS", which writes the table to a CSV file through TPgCSV.
#include "core/helpers/pg_csv.h"
#include "platform/db/datasource.h"

#include <QDialog>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

namespace tarix::db {
class Table;
}
namespace tarix::dbctrl {
class DBGrid;
class DBNavigator;
} // namespace tarix::dbctrl

namespace tarix::core {

// The institution kinds of the payee table (CIS4_): its first column's pick list.
QStringList institutionKinds();

class TFormCis : public QDialog {
    Q_OBJECT
public:
    explicit TFormCis(QWidget *parent = nullptr);
    ~TFormCis() override;

    // Prepares the editor for `table` with the title and shows it modally.
    void Zobraz_ciselnik(const QString &title, db::Table &table);
    // The preparation alone (Zobraz_ciselnik without the modal run).
    void prepareCodeTable(const QString &title, db::Table &table);

    // A menu item: acts on the table by its component name; any other item closes.
    void operationClicked(QAction *item);
    // "&Exp.XLS": asks for the file and writes the table; the file is then opened.
    void Button1Click();
    // The states of the items, navigators and "&Návrat" for the table's state.
    void setEditState();

    QLabel *Panel0 = nullptr;
    QPushButton *Btn_navrat = nullptr;
    QPushButton *Button1 = nullptr;
    dbctrl::DBNavigator *DBN1 = nullptr;
    dbctrl::DBNavigator *DBN2 = nullptr;
    dbctrl::DBGrid *DBGrid1 = nullptr;
    QWidget *PanelLegenda1 = nullptr;
    QMenuBar *MainMenu1 = nullptr;
    QMenu *Mnu_operacie = nullptr;
    QAction *Mnu_insert = nullptr;
    QAction *Mnu_edit = nullptr;
    QAction *Mnu_delete = nullptr;
    QAction *Mnu_post = nullptr;
    QAction *Mnu_cancel = nullptr;
    QAction *Mnu_navrat = nullptr;

    db::DataSource DS1;
    MyConsts::TPgCSV PgCSV1;
    // The save dialog's proposal: folder and file name.
    QString saveFolder() const { return m_saveFolder; }
    QString saveFileName() const { return m_saveFileName; }
    // The pick list of grid column 0 (empty: none).
    QStringList pickList() const { return m_pickList; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    bool isEditingRecord() const;
    bool canClose();

    QString m_saveFolder;
    QString m_saveFileName;
    QStringList m_pickList;
};

// Creates the editor, shows `table` with the title modally and frees it.
void Zobraz_ciselnik(const QString &title, db::Table &table, QWidget *parent = nullptr);

} // namespace tarix::core
