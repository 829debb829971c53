#include "reports/forms/form_tla1.h"

#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "platform/db/table.h"
#include "platform/errors.h"
#include "platform/format/clock.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarix::reports {

TFormTLA1::TFormTLA1(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormTLA1"));
    setWindowTitle(QStringLiteral("TARIX  - doplnkové údaje"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);

    auto *outer = new QVBoxLayout(this);
    auto *nav = new QHBoxLayout;
    const auto navButton = [this, nav](const QString &text, const QString &hint) {
        auto *b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(hint);
        nav->addWidget(b);
        return b;
    };
    NavEdit = navButton(QStringLiteral("Oprava"), QStringLiteral("Oprava záznamu"));
    NavPost = navButton(QStringLiteral("Potvrdiť"), QStringLiteral("Potrvdenie zmien"));
    NavCancel = navButton(QStringLiteral("Zrušiť"), QStringLiteral("Ignorovanie zmien"));
    nav->addStretch();
    outer->addLayout(nav);

    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto *box = new QWidget;
    box->setAutoFillBackground(true);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    box->setPalette(pal);
    auto *form = new QFormLayout(box);
    const auto edit = [&](const QString &caption, const char *field, int length) {
        auto *e = new QLineEdit(box);
        e->setObjectName(QString::fromLatin1(field));
        e->setMaxLength(length);
        form->addRow(new QLabel(caption, box), e);
        m_polia.push_back({e, field});
        return e;
    };
    Edit_vykaz_zostavil = edit(QStringLiteral("Výkaz zostavil (meno)"), "VYKAZ_ZOSTAVIL", 60);
    Edit_telefon = edit(QStringLiteral("Telefón"), "TELEFON", 20);
    Edit_fax = edit(QStringLiteral("Fax"), "FAX", 20);
    Edit_mail = edit(QStringLiteral("Mail"), "MAIL", 30);
    Edit_kontaktna_osoba = edit(QStringLiteral("Kontaktná osoba (miesto)"), "KONTAKTNA_OSOBA", 60);
    Edit_den = edit(QStringLiteral("Dňa"), "DEN", 10);
    Edit_miesto = edit(QStringLiteral("Miesto"), "MIESTO", 20);
    scroll->setWidget(box);
    outer->addWidget(scroll);

    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button1->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    outer->addLayout(buttons);

    const auto guarded = [this](void (TFormTLA1::*action)()) {
        return [this, action] {
            try {
                (this->*action)();
            } catch (const EMyError &e) {
                MyConsts::Sprava_chyba(e.text());
            }
        };
    };
    connect(NavEdit, &QToolButton::clicked, this, guarded(&TFormTLA1::editRecord));
    connect(NavPost, &QToolButton::clicked, this, guarded(&TFormTLA1::confirmation));
    connect(NavCancel, &QToolButton::clicked, this, guarded(&TFormTLA1::ignoreEdit));
    connect(Button1, &QPushButton::clicked, this, guarded(&TFormTLA1::confirmEdit));

    // A row without a date gets today's, already posted.
    db::Table &t = tabulka();
    if (!t.isActive())
        t.open();
    if (!t.isEmpty() && t.fieldByName(QStringLiteral("DEN")).asString().isEmpty()) {
        t.edit();
        t.fieldByName(QStringLiteral("DEN")).setAsDate(fmt::today());
        t.post();
    }
    showRecord();
    setState();
}

TFormTLA1::~TFormTLA1()
{
    db::Table &t = tabulka();
    if (t.isEditing())
        t.cancel();
}

db::Table &TFormTLA1::tabulka() const
{
    return core::DM().TTLA_;
}

void TFormTLA1::showRecord()
{
    db::Table &t = tabulka();
    const bool row = t.isActive() && !t.isEmpty();
    for (const Pole &p : m_polia)
        p.edit->setText(row ? t.fieldByName(QString::fromLatin1(p.field)).text() : QString());
}

void TFormTLA1::writeToRecord()
{
    db::Table &t = tabulka();
    for (const Pole &p : m_polia) {
        db::Field &f = t.fieldByName(QString::fromLatin1(p.field));
        if (p.edit->text() != f.text())
            f.setText(p.edit->text());
    }
}

void TFormTLA1::setState()
{
    const bool editing = tabulka().isEditing();
    for (const Pole &p : m_polia)
        p.edit->setReadOnly(!editing);
    NavEdit->setEnabled(!editing && tabulka().isActive() && !tabulka().isEmpty());
    NavPost->setEnabled(editing);
    NavCancel->setEnabled(editing);
}

void TFormTLA1::editRecord()
{
    tabulka().edit();
    setState();
}

void TFormTLA1::confirmation()
{
    db::Table &t = tabulka();
    if (!t.isEditing())
        return;
    writeToRecord();
    t.post();
    showRecord();
    setState();
}

void TFormTLA1::ignoreEdit()
{
    db::Table &t = tabulka();
    if (t.isEditing())
        t.cancel();
    showRecord();
    setState();
}

void TFormTLA1::confirmEdit()
{
    if (tabulka().isEditing())
        throw EMyError(Msg(65199));
    accept();
}

void TFormTLA1::reject()
{
    // Closing by the window discards a pending edit.
    ignoreEdit();
    QDialog::reject();
}

} // namespace tarix::reports
