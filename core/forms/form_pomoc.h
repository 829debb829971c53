#pragma once
// "TARIX - Popis významu skratiek": the abbreviations used on the payslip screen.
#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;
class QTreeWidget;

namespace tarix::core {

struct Skratka {
    QString skratka; // the abbreviation as shown (some carry a trailing blank)
    QString popis;   // its meaning
};

// The abbreviations in the order they are listed.
const QList<Skratka> &payrollShortcuts();

class TFormPomoc : public QDialog {
    Q_OBJECT
public:
    explicit TFormPomoc(QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    QPushButton *okButton() const { return m_ok; }

private:
    QTreeWidget *m_list;
    QPushButton *m_ok;
};

} // namespace tarix::core
