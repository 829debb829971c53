#pragma once
// TFormSetup: the year parameters of Setup.DB (TDM.TSET_): PAGE1 the program parameters
// (working days, sick-pay limits, contribution rates and what they apply to), PAGE2 the
// rounding of each kind of amount as a pair of radio groups (position and mode).
#include "core/forms/form_main_vzor.h"

#include <QStringList>
#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace tarix::dbctrl {
class DBRadioGroup;
}

namespace tarix::core {

// One rounding row of PAGE2: its label, the position and mode fields, and whether it is a
// sick-benefit pair (those also offer "1h" and "do 50h dole").
struct RoundingPair {
    const char *label;
    const char *poloha;
    const char *sposob;
    bool davky;
};
const std::vector<RoundingPair> &roundingPairs();

// The items of a position group and the values stored for them (the rounding routine's
// place argument), and the same for a mode group (its mode argument).
QStringList positionItems(bool davky);
QStringList positionValues(bool davky);
QStringList methodItems(bool davky);
QStringList methodValues(bool davky);

class TFormSetup : public TFormMainVzor {
    Q_OBJECT
public:
    explicit TFormSetup(QWidget *parent = nullptr);
    ~TFormSetup() override;

    bool setupIsEditing() const override;
    void cancelChanges() override;

    QStackedWidget *N_SET = nullptr;
    QWidget *PAGE1 = nullptr;
    QWidget *PAGE2 = nullptr;
    dbctrl::DBNavigator *DBN_setup = nullptr;
    QPushButton *Butt_setup1_navrat = nullptr;

    // The position and mode groups of a position field (e.g. "ZAOKRUH4").
    dbctrl::DBRadioGroup *positionGroup(const QString &field) const;
    dbctrl::DBRadioGroup *methodGroup(const QString &field) const;

    // Shows "PAGE1" for 1, "PAGE2" for any other value.
    void showSetupPage(int page);
    // The item states after a navigator click.
    void setEditState();
};

namespace MainSet {
// Creates the year-parameter screen on `page` (1 the program parameters, any other the
// rounding), shows it modally and frees it.
void Show_FormSetup(int page, QWidget *parent = nullptr);
} // namespace MainSet

} // namespace tarix::core
