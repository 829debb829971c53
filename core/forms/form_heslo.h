#pragma once
// TFormHeslo: the login dialog at every start, with the page that changes the program
// password after a successful login.
#include "core/login.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace tarix::core {

class TDM;

class TFormHeslo : public QDialog {
    Q_OBJECT
public:
    explicit TFormHeslo(TDM &dm, QWidget *parent = nullptr);

    // Whether a valid login happened (the dialog's own result does not matter: a login
    // stays valid when the password change is abandoned).
    bool loggedIn() const { return m_login.loggedIn(); }
    int failures() const { return m_login.failures(); }

    QStackedWidget *notebook() const { return m_n; }
    bool onChangePage() const;

private:
    void okClicked();
    void ok2Clicked();
    void storno2Clicked();
    void showChange();

    Login m_login;
    QStackedWidget *m_n;
    QWidget *m_pageMain;
    QWidget *m_pageZmena;
    QLineEdit *m_password;
    QCheckBox *m_cbZmena;
    QPushButton *m_okBtn;
    QPushButton *m_cancelBtn;
    QLineEdit *m_password1;
    QLineEdit *m_password2;
    QPushButton *m_ok2;
    QPushButton *m_storno2;
};

// Shows the login dialog modally; true when a user logged in.
bool runLogin(TDM &dm, QWidget *parent);

} // namespace tarix::core
