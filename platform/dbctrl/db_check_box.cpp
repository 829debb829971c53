#include "platform/dbctrl/db_check_box.h"

#include "platform/db/dataset.h"

namespace tarix::dbctrl {

DBCheckBox::DBCheckBox(QWidget *parent) : QCheckBox(parent) { init(); }

DBCheckBox::DBCheckBox(const QString &text, QWidget *parent) : QCheckBox(text, parent) { init(); }

void DBCheckBox::init()
{
    m_link.onDataChange = [this] { showFieldValue(); };
    m_link.onUpdateData = [this] {
        const QString values = m_pending ? valueChecked() : valueUnchecked();
        field()->setText(values.section(u';', 0, 0));
    };
}

DBCheckBox::~DBCheckBox()
{
    m_link.onDataChange = nullptr;
    m_link.onUpdateData = nullptr;
}

void DBCheckBox::setValueChecked(const QString &values)
{
    m_checked = values;
    showFieldValue();
}

void DBCheckBox::setValueUnchecked(const QString &values)
{
    m_unchecked = values;
    showFieldValue();
}

QString DBCheckBox::valueChecked() const
{
    if (!m_checked.isEmpty())
        return m_checked;
    const db::Field *f = field();
    return f && f->type() == db::FieldType::Boolean ? QStringLiteral("True") : QStringLiteral("1");
}

QString DBCheckBox::valueUnchecked() const
{
    if (!m_unchecked.isEmpty())
        return m_unchecked;
    const db::Field *f = field();
    return f && f->type() == db::FieldType::Boolean ? QStringLiteral("False") : QStringLiteral("0");
}

bool DBCheckBox::matches(const QString &text, const QString &values)
{
    const QStringList l = values.split(u';');
    for (const QString &v : l)
        if (text.compare(v.trimmed(), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void DBCheckBox::showFieldValue()
{
    bool on = false;
    if (db::Field *f = field(); f && f->isBound()) {
        if (f->type() == db::FieldType::Boolean && m_checked.isEmpty())
            on = f->asBoolean();
        else
            on = !f->isNull() && matches(dbctrl::displayText(f, TextForm::Edit), valueChecked());
    }
    setChecked(on);
}

void DBCheckBox::nextCheckState()
{
    // The state always mirrors the field: a click asks for the other value to be written.
    if (!m_link.acceptsInput() || !m_link.edit())
        return;
    m_pending = !isChecked();
    m_link.setModified();
    m_link.updateRecord();
}

} // namespace tarix::dbctrl
