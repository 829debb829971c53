#pragma once
// The dialog "PARAMETRE PRE NOVÝ RIADOK DO ČíSELNíKA": the kind of a new bookkeeping line
// (health insurer or supplementary pension fund, employee's or firm's side) and the
// insurer's or fund's code.
#include "core/dm_code_tables_pu.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tarix::core {

// The dialog shown modally; nothing when the user cancelled.
std::optional<NewPuLine> showParPu();
// Makes the dialog the choice of new lines (start-up does it).
void useParPuDialog();

class TFormParPU : public QDialog {
    Q_OBJECT
public:
    explicit TFormParPU(QWidget *parent = nullptr);

    // The line chosen by "O&K"; nothing before that.
    const std::optional<NewPuLine> &riadok() const { return m_riadok; }

    QComboBox *CB1() const { return m_cb1; }
    QLineEdit *edit_kod() const { return m_kod; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    // "O&K": a choice that fails the checks is shown as an error and the dialog stays open.
    void confirmLine();

    QComboBox *m_cb1;
    QLineEdit *m_kod;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    std::optional<NewPuLine> m_riadok;
};

} // namespace tarix::core
