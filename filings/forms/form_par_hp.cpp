#include "filings/forms/form_par_hp.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarix::filings {

using namespace Qt::StringLiterals;

TFormParHP::TFormParHP(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"FormParHP"_s);
    setWindowTitle(u"PARAMETRE ZOSTAVY \"HROMADNÝ PRÍKAZ\""_s);
    // A fixed dialog without the title bar's buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *layout = new QVBoxLayout(this);
    auto check = [this, layout](const QString &text, const QString &name, bool checked) {
        auto *c = new QCheckBox(text, this);
        c->setObjectName(name);
        c->setChecked(checked);
        layout->addWidget(c);
        return c;
    };
    cb_tlacit_a = check(u"Prevody poistného a dane"_s, u"cb_tlacit_a"_s, true);
    cb_tlacit_b = check(u"Prevody výplat"_s, u"cb_tlacit_b"_s, true);
    cb_tlacit_c = check(u"Prevody zrážok"_s, u"cb_tlacit_c"_s, true);
    cb_tlacit_d = check(u"Zálohy"_s, u"cb_tlacit_d"_s, false);
    cb_tlacit_mena = check(u"Tlačiť mená zamestnancov"_s, u"cb_tlacit_mena"_s, false);
    auto *form = new QFormLayout;
    edit_spp = new QLineEdit(this);
    edit_spp->setObjectName(u"edit_spp"_s);
    edit_spp->setMaxLength(Parametre_hp::kDlzkaSpp);
    form->addRow(u"Správa pre prijímateľa"_s, edit_spp);
    edit_vsym = new QLineEdit(this);
    edit_vsym->setObjectName(u"edit_vsym"_s);
    edit_vsym->setMaxLength(Parametre_hp::kDlzkaVsym);
    form->addRow(u"Variabilný symbol"_s, edit_vsym);
    layout->addLayout(form);
    cb_vsym_rc = check(u"Variabilný symbol - rodné číslo zamestnanca"_s, u"cb_vsym_rc"_s, false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    Button1 = new QPushButton(u"O&K"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setDefault(true);
    buttons->addWidget(Button1);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TFormParHP::~TFormParHP() = default;

Parametre_hp TFormParHP::Parametre() const
{
    Parametre_hp p;
    p.cast_a = cb_tlacit_a->isChecked();
    p.cast_b = cb_tlacit_b->isChecked();
    p.cast_c = cb_tlacit_c->isChecked();
    p.cast_d = cb_tlacit_d->isChecked();
    p.mena = cb_tlacit_mena->isChecked();
    p.vsym_rc = cb_vsym_rc->isChecked();
    p.spp = edit_spp->text();
    p.vsym = edit_vsym->text();
    return p;
}

std::optional<Parametre_hp> TFormParHP::Zobraz_parametre(QWidget *parent)
{
    TFormParHP dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Parametre();
}

} // namespace tarix::filings
