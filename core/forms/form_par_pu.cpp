#include "core/forms/form_par_pu.h"

#include "core/helpers/dialogs.h"
#include "platform/errors.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarix::core {

TFormParPU::TFormParPU(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormParPU"));
    setWindowTitle(QStringLiteral("PARAMETRE PRE NOVÝ RIADOK DO ČíSELNíKA"));

    m_cb1 = new QComboBox(this);
    m_cb1->setObjectName(QStringLiteral("CB1"));
    m_cb1->addItems(puLineTypeItems());
    m_cb1->setPlaceholderText(QStringLiteral("<Vyber typ riadku>"));
    m_cb1->setCurrentIndex(-1);

    m_kod = new QLineEdit(this);
    m_kod->setObjectName(QStringLiteral("edit_kod"));
    m_kod->setMaxLength(3);

    m_ok = new QPushButton(QStringLiteral("O&K"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Zrušiť"), this);
    connect(m_ok, &QPushButton::clicked, this, [this] { confirmLine(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(m_cb1);
    form->addRow(QStringLiteral("Kód poisťovne"), m_kod);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void TFormParPU::confirmLine()
{
    try {
        m_riadok = newPuLineParameters(m_cb1->currentIndex(), m_kod->text());
    } catch (const EMyError &e) {
        m_riadok.reset();
        MyConsts::Sprava_chyba(e.text());
        return;
    }
    accept();
}

void useParPuDialog() { setPuLineDialog(showParPu); }

std::optional<NewPuLine> showParPu()
{
    TFormParPU form(QApplication::activeWindow());
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.riadok();
}

} // namespace tarix::core
