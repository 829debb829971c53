#include "core/forms/form_heslo.h"

#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "platform/errors.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tarix::core {

namespace {
constexpr int kMaxDlzkaHesla = 20;

QLineEdit *passwordEdit(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(kMaxDlzkaHesla);
    e->setEchoMode(QLineEdit::Password);
    return e;
}

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

TFormHeslo::TFormHeslo(TDM &dm, QWidget *parent) : QDialog(parent), m_login(dm)
{
    setObjectName(QStringLiteral("FormHeslo"));
    setWindowTitle(QStringLiteral(" Prihlásenie do programu "));
    setModal(true);

    m_n = new QStackedWidget(this);
    m_n->setObjectName(QStringLiteral("N"));

    m_pageMain = new QWidget(m_n);
    m_pageMain->setObjectName(QStringLiteral("MAIN"));
    m_password = passwordEdit("Password", m_pageMain);
    m_cbZmena = new QCheckBox(QStringLiteral("Zmena hesla"), m_pageMain);
    m_cbZmena->setObjectName(QStringLiteral("CB_ZMENA"));
    m_okBtn = button(QStringLiteral("&Prihlásenie"), "OKBtn", m_pageMain);
    m_cancelBtn = button(QStringLiteral("&Koniec"), "CancelBtn", m_pageMain);
    {
        auto *v = new QVBoxLayout(m_pageMain);
        v->addWidget(new QLabel(QStringLiteral("Vložte vstupné heslo"), m_pageMain));
        v->addWidget(m_password);
        v->addWidget(m_cbZmena);
        auto *h = new QHBoxLayout;
        h->addStretch();
        h->addWidget(m_okBtn);
        h->addWidget(m_cancelBtn);
        v->addLayout(h);
    }

    m_pageZmena = new QWidget(m_n);
    m_pageZmena->setObjectName(QStringLiteral("ZMENA"));
    m_password1 = passwordEdit("Password1", m_pageZmena);
    m_password2 = passwordEdit("Password2", m_pageZmena);
    m_ok2 = button(QStringLiteral("O&K"), "Ok2", m_pageZmena);
    m_storno2 = button(QStringLiteral("&Storno"), "Storno2", m_pageZmena);
    {
        auto *v = new QVBoxLayout(m_pageZmena);
        v->addWidget(new QLabel(QStringLiteral("Zadajte nové heslo"), m_pageZmena));
        v->addWidget(m_password1);
        v->addWidget(new QLabel(QStringLiteral("Potvrďte nové heslo"), m_pageZmena));
        v->addWidget(m_password2);
        auto *h = new QHBoxLayout;
        h->addStretch();
        h->addWidget(m_ok2);
        h->addWidget(m_storno2);
        v->addLayout(h);
    }

    m_n->addWidget(m_pageMain);
    m_n->addWidget(m_pageZmena);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_n);

    connect(m_okBtn, &QPushButton::clicked, this, &TFormHeslo::okClicked);
    connect(m_cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ok2, &QPushButton::clicked, this, &TFormHeslo::ok2Clicked);
    connect(m_storno2, &QPushButton::clicked, this, &TFormHeslo::storno2Clicked);

    m_password->clear();
    m_n->setCurrentWidget(m_pageMain);
    m_okBtn->setDefault(true);
    m_password->setFocus();
}

bool TFormHeslo::onChangePage() const { return m_n->currentWidget() == m_pageZmena; }

void TFormHeslo::okClicked()
{
    try {
        switch (m_login.checkPassword(m_password->text())) {
        case Login::Vysledok::Prihlaseny:
            if (m_cbZmena->isChecked())
                showChange();
            else
                accept();
            break;
        case Login::Vysledok::Odmietnuty:
            m_password->selectAll();
            m_password->setFocus();
            break;
        case Login::Vysledok::Koniec:
            reject();
            break;
        }
    } catch (const EAbort &) {
    } catch (const std::exception &e) {
        // The password table could not be read: nobody can log in.
        MyConsts::Sprava_chyba(QString::fromStdString(e.what()));
        reject();
    }
}

void TFormHeslo::showChange()
{
    m_password1->clear();
    m_password2->clear();
    m_n->setCurrentWidget(m_pageZmena);
    m_okBtn->setDefault(false);
    m_ok2->setDefault(true);
    m_password1->setFocus();
}

void TFormHeslo::ok2Clicked()
{
    try {
        if (m_login.changePassword(m_password1->text(), m_password2->text()))
            accept();
        else
            m_password1->setFocus();
    } catch (const EMyError &e) {
        // The login stays valid; the user may try again or give up the change.
        MyConsts::Sprava_chyba(e.text());
    }
}

void TFormHeslo::storno2Clicked()
{
    MyConsts::Sprava_informacia(Msg(65192));
    accept();
}

bool runLogin(TDM &dm, QWidget *parent)
{
    TFormHeslo form(dm, parent);
    form.exec();
    return form.loggedIn();
}

} // namespace tarix::core
