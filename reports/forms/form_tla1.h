#pragma once
// "TARIX  - doplnkové údaje": the statement contact row (Tlac_par) that every statement
// prints: who compiled it, the contact person, telephone, fax, mail, date and place.
// Editing is explicit: the fields change only after "editRecord záznamu"; "Potrvdenie zmien"
// posts and "ignoreEdit zmien" cancels. "&OK" refuses while an edit is pending, and
// closing the window otherwise discards a pending edit.
#include <QDialog>

class QLineEdit;
class QToolButton;
class QPushButton;

namespace tarix::db {
class Table;
}

namespace tarix::reports {

class TFormTLA1 : public QDialog {
    Q_OBJECT
public:
    explicit TFormTLA1(QWidget *parent = nullptr);
    ~TFormTLA1() override;

    // "&OK": raises EMyError 65199 while the row is being edited, else closes.
    void confirmEdit();

    // The navigator.
    void editRecord();
    void confirmation();
    void ignoreEdit();

    QLineEdit *Edit_vykaz_zostavil;
    QLineEdit *Edit_telefon;
    QLineEdit *Edit_fax;
    QLineEdit *Edit_mail;
    QLineEdit *Edit_kontaktna_osoba;
    QLineEdit *Edit_den;
    QLineEdit *Edit_miesto;
    QToolButton *NavEdit;
    QToolButton *NavPost;
    QToolButton *NavCancel;
    QPushButton *Button1;   // "&OK"

protected:
    void reject() override;

private:
    struct Pole {
        QLineEdit *edit;
        const char *field;
    };
    void showRecord();
    void writeToRecord();
    void setState();
    db::Table &tabulka() const;

    std::vector<Pole> m_polia;
};

} // namespace tarix::reports
