#include "platform/dbctrl/db_edit.h"

#include "platform/db/dataset.h"
#include "platform/format/clock.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QStyle>

namespace tarix::dbctrl {

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent)
{
    m_link.onDataChange = [this] { showFieldValue(); };
    m_link.onEditingChange = [this] { updateInputState(); };
    m_link.onUpdateData = [this] { writeField(*field(), text()); };
    connect(this, &QLineEdit::textEdited, this, &DBEdit::userEdited);
    QLineEdit::setReadOnly(true);
}

DBEdit::~DBEdit()
{
    m_link.onDataChange = nullptr;
    m_link.onEditingChange = nullptr;
    m_link.onUpdateData = nullptr;
}

QString DBEdit::fieldText(db::Field &f) const
{
    // The edit text only while the clerk types in the field; everywhere else the value is
    // read, so it shows as formatted.
    const bool editText = m_typedIn && m_link.acceptsInput();
    return dbctrl::displayText(&f, editText ? TextForm::Edit : TextForm::Display);
}

void DBEdit::writeField(db::Field &f, const QString &t) { f.setText(t); }

void DBEdit::updateInputState() { QLineEdit::setReadOnly(!m_link.acceptsInput()); }

void DBEdit::showFieldValue()
{
    QString t;
    int maxLength = 32767;
    if (db::Field *f = field()) {
        t = fieldText(*f);
        if (f->type() == db::FieldType::String && f->size() > 0 && m_link.acceptsInput())
            maxLength = qMax(f->size(), int(t.size()));
    }
    setMaxLength(maxLength);
    if (t != text())
        setText(t);
}

void DBEdit::userEdited(const QString &typed)
{
    if (!m_link.isEditing()) {
        // autoEdit: the first change puts the dataset in edit; the switch re-shows every
        // control of the record, so the typed text is put back afterwards.
        const int cursor = cursorPosition();
        if (!m_link.edit()) {
            m_link.reset();
            return;
        }
        setText(typed);
        setCursorPosition(cursor);
    }
    m_link.setModified();
}

bool DBEdit::commit() { return m_link.updateRecord(); }

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    // The source's autoEdit may have been switched since the state was last shown.
    updateInputState();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commit();
        break;
    case Qt::Key_Escape:
        if (m_link.isModified()) {
            m_link.reset();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void DBEdit::focusInEvent(QFocusEvent *event)
{
    updateInputState();
    m_typedIn = true;
    // The edit text before Qt's focus handling, which selects the whole text on Tab.
    if (!m_link.isModified())
        showFieldValue();
    QLineEdit::focusInEvent(event);
    if (movesBetweenFields(event))
        emit entered();
}

void DBEdit::contextMenuEvent(QContextMenuEvent *event)
{
    updateInputState();
    QLineEdit::contextMenuEvent(event);
}

void DBEdit::focusOutEvent(QFocusEvent *event)
{
    const bool leaving = movesBetweenFields(event);
    if (leaving) {
        commit();
        m_typedIn = false;
    }
    QLineEdit::focusOutEvent(event);
    if (!m_link.isModified())
        showFieldValue();
    if (leaving)
        emit exited();
}

// ---- DBDateEdit ------------------------------------------------------------------------------

DBDateEdit::DBDateEdit(QWidget *parent) : DBEdit(parent)
{
    m_calendarAction = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    m_calendarAction->setEnabled(false);
    connect(m_calendarAction, &QAction::triggered, this, &DBDateEdit::showCalendar);
    m_calendar = new QCalendarWidget(this);
    m_calendar->setWindowFlags(Qt::Popup);
    m_calendar->setGridVisible(true);
    m_calendar->hide();
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate &d) {
        m_calendar->hide();
        chooseDate(d);
    });
    connect(m_calendar, &QCalendarWidget::activated, this, [this](const QDate &d) {
        m_calendar->hide();
        chooseDate(d);
    });
}

DBDateEdit::~DBDateEdit() = default;

void DBDateEdit::updateInputState()
{
    DBEdit::updateInputState();
    m_calendarAction->setEnabled(m_link.acceptsInput());
}

void DBDateEdit::showCalendar()
{
    if (!m_link.acceptsInput())
        return;
    QDate d;
    if (db::Field *f = field())
        d = f->asDate();
    m_calendar->setSelectedDate(d.isValid() ? d : fmt::today());
    m_calendar->move(mapToGlobal(QPoint(0, height())));
    m_calendar->show();
    m_calendar->setFocus();
}

bool DBDateEdit::chooseDate(const QDate &date)
{
    if (!m_link.acceptsInput() || !m_link.edit())
        return false;
    setText(date.isValid() ? db::dateText(date) : QString());
    m_link.setModified();
    return commit();
}

} // namespace tarix::dbctrl
