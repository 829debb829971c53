#pragma once
// The link between a data-aware control and one field of a data source's dataset.
//
// Editing is explicit: a control accepts input only while the dataset is in edit or insert
// state, unless the source's autoEdit is on (then typing puts the dataset in edit first).
// What the user typed stays in the control until it is written into the field: when the
// control is left or Enter is pressed (edits, memos, date edits), at once for check boxes,
// radio groups and combos, and before every post or move of the dataset (the dataset asks
// its links to write their pending changes first).
//
// A refusal of the written value (the field's validation raising EMyError or EAbort, a
// typed text that is not a value of the field) leaves the field as it was and puts its old
// value back into the control; the text of an EMyError is shown as an error box through
// platform/ui, an EAbort stays silent (whoever raised it has told the user). When the
// refusal happens while a post or a move asks for the pending change, that post or move is
// refused silently after the message (the record stays in edit).
#include "platform/db/datasource.h"

#include <QString>
#include <functional>

namespace tarix::dbctrl {

// Which text of a field a control shows: the display text (display format, OnGetText
// asked for display) or the edit text (the plain value, a number with at most the decimals
// its display format shows, without separators; OnGetText asked for editing). A
// control shows the edit text only while the clerk types in it, in any other case (also
// while its record is edited) the display text.
enum class TextForm { Display, Edit };

// The text of a field as every data-aware control shows it. Empty when there is no field,
// when the field is no longer bound or its dataset is closed, and when the text cannot be
// produced: an exception from OnGetText, the display formatter or a calculated value read
// on a half-filled record. The control then shows nothing and the screen goes on; the
// failure goes to the log, never into an error box (controls show their fields on every
// scroll and repaint, and a box each time would stop the screen).
QString displayText(const db::Field *field, TextForm form = TextForm::Display);

// Shows an exception's text as an error box (EMyError: its text; other exceptions: what());
// an EAbort is silent.
void reportException(const std::exception &e);

// Runs fn; returns true when it completed. EAbort is swallowed, any other exception is shown
// by reportException. For the handlers of buttons and menus, which must not let exceptions
// into the event loop.
bool runReported(const std::function<void()> &fn);

class FieldDataLink : public db::DataLink {
public:
    FieldDataLink() = default;

    void setFieldName(const QString &name);
    const QString &fieldName() const { return m_fieldName; }
    // The bound field while the link is active and the dataset has it, otherwise nullptr.
    db::Field *field() const { return isActive() ? m_field : nullptr; }

    // The control's own read-only switch (beside the field's and the dataset's).
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // A lookup field is changed by writing its key (the lookup combo does); other controls
    // only show it. Computed fields (db::Field::isComputed) are only shown.
    void setLookupWritable(bool writable) { m_lookupWritable = writable; }

    // The field may be changed through the control at all: active, field present and
    // writable (a data field, or a lookup field where allowed), dataset modifiable, control
    // not read-only.
    bool canModify() const;
    // The dataset (as the source passes it on) is in edit or insert state.
    bool isEditing() const;
    // The control takes input now: it can modify, and the dataset is editing or the
    // source's autoEdit would put it in edit.
    bool acceptsInput() const;
    // Puts the dataset in edit when it is not editing and autoEdit allows it. A refusal
    // (BeforeEdit) is reported. Returns whether the dataset is editing now.
    bool edit();

    // The user changed the control's content (not yet written into the field).
    void setModified() { m_modified = true; }
    bool isModified() const { return m_modified; }
    // Drops the typed content and shows the field's value again.
    void reset();
    // Writes a pending change into the field. A refusal is reported and the control shows
    // the field's (old) value again; returns false then. True when nothing was pending.
    bool updateRecord();

    // ---- what the control provides ---------------------------------------------------------
    // Show the field's value (field() may be null: show nothing).
    std::function<void()> onDataChange;
    // Whether the control takes input may have changed (read-only look, text form).
    std::function<void()> onEditingChange;
    // Write the control's content into field() (may throw; the link handles refusals).
    std::function<void()> onUpdateData;

    // ---- DataLink --------------------------------------------------------------------------
    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled() override;
    void recordChanged(db::Field *field) override;
    void editingChanged() override;
    void updateData() override;

private:
    void resolveField();
    void showValue();
    void editingStateChanged();

    QString m_fieldName;
    db::Field *m_field = nullptr;
    bool m_readOnly = false;
    bool m_lookupWritable = false;
    bool m_modified = false;
};

} // namespace tarix::dbctrl
