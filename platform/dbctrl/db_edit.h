#pragma once
// Single-line data-aware edits: DBEdit (any field) and DBDateEdit (a date field, typed as
// d.M.yyyy or chosen from a calendar; empty means no date).
//
// The edit shows the field's display text ("25 000,00") whenever the cursor is not in it, in
// every state of the dataset, and its edit text ("25000") only while the cursor is in it and
// it takes input; it is read-only unless the dataset is in edit or insert state (or the
// source's autoEdit lets typing start the edit). The typed text is written into the field
// when the edit is left or Enter is pressed; Esc drops it.
#include "platform/dbctrl/data_control.h"

#include <QDate>
#include <QLineEdit>

class QCalendarWidget;

namespace tarix::dbctrl {

class DBEdit : public QLineEdit, public DataControl {
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);
    ~DBEdit() override;

    // Writes the typed text into the field now (as leaving the edit does). False when the
    // field refused it (the edit shows the old value again).
    bool commit();

signals:
    // The user entered or left the edit (after its text was written).
    void entered();
    void exited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // The text shown for the field now.
    virtual QString fieldText(db::Field &field) const;
    virtual void writeField(db::Field &field, const QString &text);
    virtual void updateInputState();

private:
    void showFieldValue();
    void userEdited(const QString &text);

    // The cursor is in the edit (entered and not left for another field; a popup or
    // another window taking the focus for a while does not count as leaving).
    bool m_typedIn = false;
};

class DBDateEdit : public DBEdit {
    Q_OBJECT
public:
    explicit DBDateEdit(QWidget *parent = nullptr);
    ~DBDateEdit() override;

    // Opens the calendar under the edit (when the edit takes input).
    void showCalendar();
    QCalendarWidget *calendar() const { return m_calendar; }
    // Puts the date into the field as if chosen in the calendar (an invalid date clears
    // it). False when the edit takes no input now or the field refused the date.
    bool chooseDate(const QDate &date);

protected:
    void updateInputState() override;

private:
    QAction *m_calendarAction = nullptr;
    QCalendarWidget *m_calendar = nullptr;
};

} // namespace tarix::dbctrl
