#pragma once
// TFormMainVzor: the base of the modal editing screens (year parameters, employer header).
// It owns the menu "&Operácie" that presses the screen navigator's buttons, the close guard
// for a pending edit, "&Návrat", the shared Help menu, the caption and the colours.
#include "platform/dbctrl/db_navigator.h"

#include <QDialog>

class QAction;
class QMenu;
class QMenuBar;
class QStatusBar;
class QVBoxLayout;

namespace tarix::core {

class TFormMainVzor : public QDialog {
    Q_OBJECT
public:
    explicit TFormMainVzor(QWidget *parent = nullptr);
    ~TFormMainVzor() override;

    QMenuBar *MainMenu1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QMenu *oper1 = nullptr;
    QAction *insert1 = nullptr;
    QAction *edit1 = nullptr;
    QAction *delete1 = nullptr;
    QAction *post1 = nullptr;
    QAction *cancel1 = nullptr;
    QAction *navrat1 = nullptr;

    // The screen's navigator, set by the descendant when it builds it.
    dbctrl::DBNavigator *navigator() const { return m_navigator; }

    // Whether the screen's dataset is being edited (base: never).
    virtual bool setupIsEditing() const { return false; }
    // Drops the screen's pending edit (base: nothing to drop).
    virtual void cancelChanges() {}

    // An operation item: presses the navigator's button of the item.
    void operationClicked(QAction *item);
    // "&Návrat": refused with 65199 while editing, otherwise closes the screen.
    void navrat1Click();
    // Whether the screen may close: asks 65172 about a pending edit (no keeps it open), then
    // drops the edit and switches the grids' data sources off.
    bool FormClose();

protected:
    void setNavigator(dbctrl::DBNavigator *navigator);
    // The layout the descendant puts its header and pages into.
    QVBoxLayout *content() const { return m_obsah; }

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void firstActivation();

    dbctrl::DBNavigator *m_navigator = nullptr;
    QVBoxLayout *m_obsah = nullptr;
    bool m_prvaAktivacia = true;
    bool m_zatvorene = false;
};

// Operation item states: not editing -> edit and return on, post and cancel off; editing ->
// the reverse. `navrat` is the header's return button (may be null).
void setOperationState(TFormMainVzor &form, bool isEditingRecord, QWidget *navrat);

} // namespace tarix::core
