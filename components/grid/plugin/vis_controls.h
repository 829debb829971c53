#pragma once
// The visios' editor forms: frameless pop-ups over a cell of the host grid (TVisioForm and
// its edit forms) and under it (the drop-down list). Each keeps its visio; its keys go to
// the form's handlers, which by default ask the host grid to move on (Tab), post (Enter),
// cancel (Esc) or change the row (Up, Down in one line).
#include "components/grid/plugin/dbgp.h"
#include "components/grid/plugin/list_box_plus.h"
#include "components/grid/plugin/mask_edit_plus.h"

#include <QFrame>

class QToolButton;

namespace tarix::grid {

enum class DropDownPlacement { dlpLeft, dlpCenter, dlpRight };

// Where a list form of `size` goes under `cell` (screen coordinates): dlpLeft from the
// cell's left edge, dlpCenter centred under the cell, dlpRight ending at the cell's right
// edge; moved back onto `screen` when it would leave it on the right or at the bottom.
QRect dropDownRect(const QRect &cell, QSize size, DropDownPlacement placement, const QRect &screen);

class TVisioForm : public QFrame {
    Q_OBJECT
public:
    // owner: the window the form belongs to (the grid's); the form takes the designer's
    // edit surface colour, or the grid's colour when that is none.
    TVisioForm(QWidget *owner, TSectionVisio &visio);

    TSectionVisio &ownerVisio() const { return m_visio; }
    // The current cell of the grid in screen coordinates.
    QRect currentCellOnScreen() const;
    // An edit form covers the current cell exactly.
    void placeOverCell();

protected:
    virtual void FormActivate() {}
    virtual void formDeactivate() {}
    // Returns whether the key was handled.
    virtual bool formKeyDown(QKeyEvent &event);
    // The form's editor is single-line (Up and Down change the row then).
    virtual bool singleLine() const { return true; }

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Keys of `child` go to formKeyDown first.
    void routeKeys(QWidget *child);

private:
    TSectionVisio &m_visio;
};

// A visio form with a thin border (the drop-down list).
class TVisioToolForm : public TVisioForm {
    Q_OBJECT
public:
    TVisioToolForm(QWidget *owner, TSectionVisio &visio);
    // Puts the form under the current cell by `placement`.
    void placeUnderCell(DropDownPlacement placement);
};

// The edit form: one TMaskEditPlus named "maskEdit".
class TVFStandard : public TVisioForm {
    Q_OBJECT
public:
    TVFStandard(QWidget *owner, TSectionVisio &visio);
    TMaskEditPlus &maskEdit() const { return *m_edit; }

protected:
    bool singleLine() const override { return !m_edit->multiLine(); }

private:
    TMaskEditPlus *m_edit;
};

// The edit form with a speed button named "speedButton" at its right edge.
class TVFStandardSB : public TVFStandard {
    Q_OBJECT
public:
    TVFStandardSB(QWidget *owner, TSectionVisio &visio);
    QToolButton &speedButton() const { return *m_button; }

private:
    QToolButton *m_button;
};

// The drop-down list form: a panel named "Panel" holding a TListBoxPlus named "listBox".
class TVTFDropDown : public TVisioToolForm {
    Q_OBJECT
public:
    TVTFDropDown(QWidget *owner, TSectionVisio &visio);
    QFrame &formPanel() const { return *m_panel; }
    TListBoxPlus &listBox() const { return *m_list; }

protected:
    bool formKeyDown(QKeyEvent &event) override;

private:
    QFrame *m_panel;
    TListBoxPlus *m_list;
};

} // namespace tarix::grid
