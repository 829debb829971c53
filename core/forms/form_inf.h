#pragma once
// TFormInf: the employer header Inf.db (TDM.TINF_) on three tabs, with the eleven pairs of
// allowance-kind buttons "P" (percentage) and "HS" (hourly rate) that mirror the two
// eight-character texts TDM keeps of the header's allowance flags.
#include "core/forms/form_main_vzor.h"

#include <QList>
#include <QPair>
#include <functional>

class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tarix::db {
class Field;
}

namespace tarix::core {

class TFormInf : public TFormMainVzor {
    Q_OBJECT
public:
    explicit TFormInf(QWidget *parent = nullptr);
    ~TFormInf() override;

    bool setupIsEditing() const override;
    void cancelChanges() override;

    QTabWidget *PAGE_MAIN = nullptr;
    dbctrl::DBNavigator *DBN_firma = nullptr;
    QPushButton *btn_firma_navrat = nullptr;

    // The eleven pairs in order: overtime, Saturday, Sunday, public holiday, night,
    // difficult environment, the employer's allowances 1 to 5.
    struct SurchargePair {
        QRadioButton *p;
        QRadioButton *hs;
    };
    const QList<SurchargePair> &surchargePairs() const { return m_pary; }

    // Checks the buttons from TDM's two texts ("0" = P, anything else HS).
    void Nacitaj_typy_priplatkov();
    // A click on an allowance button: while editing the texts follow the buttons, otherwise
    // the buttons are put back as the texts say.
    void surchargeClicked();
    // The item states (run when the menu opens and after a navigator click).
    void setEditState();

private:
    // TDM's texts as the stored flags say, and the buttons as the texts say.
    void refreshTexts();

    QList<SurchargePair> m_pary;
    std::function<void(db::Field &)> m_icoBefore;
    std::function<void(db::Field &)> m_dicBefore;
};

// The two allowance texts from the eleven pair states (true = P): positions 1 and 8 of the
// first and 6 to 8 of the second are always "0".
QPair<QString, QString> surchargeTexts(const QList<bool> &percenta);
// The eleven pair states (true = P) from the two texts.
QList<bool> surchargeTypes(const QString &text1, const QString &text2);

// The employer's company number: at most 8 digits; the tax number: digits only. A value
// breaking the rule is refused with a message naming the field. Both become parts of file
// names and filing identifiers.
void checkIco(const QString &ico);
void checkDic(const QString &dic);

namespace MainInf {
// Creates the employer screen, shows it modally and frees it.
void Show_FormInf(QWidget *parent = nullptr);
} // namespace MainInf

} // namespace tarix::core
