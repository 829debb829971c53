#include "platform/dbctrl/db_memo.h"

#include "platform/db/dataset.h"

#include <QKeyEvent>
#include <QTextCursor>

namespace tarix::dbctrl {

DBMemo::DBMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    m_link.onDataChange = [this] { showFieldValue(); };
    m_link.onEditingChange = [this] { updateInputState(); };
    m_link.onUpdateData = [this] { field()->setText(toPlainText()); };
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::userEdited);
    setReadOnly(true);
}

DBMemo::~DBMemo()
{
    m_link.onDataChange = nullptr;
    m_link.onEditingChange = nullptr;
    m_link.onUpdateData = nullptr;
}

void DBMemo::showFieldValue()
{
    const QString t = dbctrl::displayText(field(), TextForm::Edit);
    if (t == toPlainText())
        return;
    m_loading = true;
    setPlainText(t);
    m_loading = false;
}

void DBMemo::userEdited()
{
    if (m_loading)
        return;
    if (!m_link.isEditing()) {
        // autoEdit: start the edit, then put the typed text back (the switch re-shows the
        // record).
        const QString typed = toPlainText();
        const int cursor = textCursor().position();
        if (!m_link.edit()) {
            m_link.reset();
            return;
        }
        m_loading = true;
        setPlainText(typed);
        QTextCursor c = textCursor();
        c.setPosition(qMin(cursor, int(typed.size())));
        setTextCursor(c);
        m_loading = false;
    }
    m_link.setModified();
}

bool DBMemo::commit() { return m_link.updateRecord(); }

void DBMemo::updateInputState() { setReadOnly(!m_link.acceptsInput()); }

void DBMemo::keyPressEvent(QKeyEvent *event)
{
    // The source's autoEdit may have been switched since the state was last shown.
    updateInputState();
    if (event->key() == Qt::Key_Escape && m_link.isModified()) {
        m_link.reset();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DBMemo::focusInEvent(QFocusEvent *event)
{
    updateInputState();
    QPlainTextEdit::focusInEvent(event);
    if (movesBetweenFields(event))
        emit entered();
}

void DBMemo::contextMenuEvent(QContextMenuEvent *event)
{
    updateInputState();
    QPlainTextEdit::contextMenuEvent(event);
}

void DBMemo::focusOutEvent(QFocusEvent *event)
{
    const bool leaving = movesBetweenFields(event);
    if (leaving)
        commit();
    QPlainTextEdit::focusOutEvent(event);
    if (leaving)
        emit exited();
}

} // namespace tarix::dbctrl
