#pragma once
// TFormParHP: the parameters of a bulk payment order ("PARAMETRE ZOSTAVY "HROMADNÝ
// PRÍKAZ""): which parts it holds and how the variable and specific symbols are formed.
#include "filings/payment_orders.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarix::filings {

class TFormParHP : public QDialog {
    Q_OBJECT
public:
    explicit TFormParHP(QWidget *parent = nullptr);
    ~TFormParHP() override;

    QCheckBox *cb_tlacit_a = nullptr;
    QCheckBox *cb_tlacit_b = nullptr;
    QCheckBox *cb_tlacit_c = nullptr;
    QCheckBox *cb_tlacit_d = nullptr;
    QCheckBox *cb_tlacit_mena = nullptr;
    QLineEdit *edit_spp = nullptr;
    QLineEdit *edit_vsym = nullptr;
    QCheckBox *cb_vsym_rc = nullptr;
    QPushButton *Button1 = nullptr;

    // What the controls say now.
    Parametre_hp Parametre() const;

    // Shows the dialog modally: the choices when the clerk confirmed them with "O&K",
    // nothing when the dialog was closed otherwise.
    static std::optional<Parametre_hp> Zobraz_parametre(QWidget *parent);
};

} // namespace tarix::filings
