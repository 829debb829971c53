#include "platform/dbctrl/field_link.h"

#include "platform/db/dataset.h"
#include "platform/errors.h"
#include "platform/format/number_format.h"
#include "platform/ui/user_interface.h"

#include <QtGlobal>

namespace tarix::dbctrl {

namespace {

// The text a number is edited as: with at most the decimals the field shows, so that a value
// the program computed (an average, a share) reads "194,08" in the edit as beside it, not
// with fifteen digits; trailing zeros and thousands separators are left out. What the clerk
// types stays in the control as typed until it is written.
QString editText(const db::Field &field)
{
    const db::FieldType type = field.type();
    if (field.onGetText || (type != db::FieldType::Float && type != db::FieldType::Money) || field.isNull())
        return field.text();
    const int decimals = fmt::maskDecimals(field.displayFormat());
    if (decimals < 0)
        return field.text();
    return fmt::plain(field.asFloat(), decimals);
}

} // namespace

QString displayText(const db::Field *field, TextForm form)
{
    if (!field || !field->isBound() || !field->dataSet().isActive())
        return {};
    try {
        return form == TextForm::Edit ? editText(*field) : field->displayText();
    } catch (const std::exception &e) {
        qWarning("Field %s of %s shows no text: %s", qPrintable(field->name()),
                 qPrintable(field->dataSet().objectName()), e.what());
        return {};
    }
}

void reportException(const std::exception &e)
{
    ui::reportException(e);
}

bool runReported(const std::function<void()> &fn)
{
    try {
        fn();
        return true;
    } catch (const std::exception &e) {
        reportException(e);
    }
    return false;
}

void FieldDataLink::setFieldName(const QString &name)
{
    if (name == m_fieldName)
        return;
    m_fieldName = name;
    activeChanged();
}

void FieldDataLink::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    editingStateChanged();
}

void FieldDataLink::resolveField()
{
    m_field = nullptr;
    if (isActive() && !m_fieldName.isEmpty())
        m_field = dataSet()->findField(m_fieldName);
}

bool FieldDataLink::canModify() const
{
    // isActive first: a source destroyed meanwhile leaves the link without one.
    if (!isActive() || !m_field || m_readOnly || m_field->isReadOnly() || m_field->isComputed()
        || !dataSet()->canModify())
        return false;
    return m_field->kind() == db::FieldKind::Data || (m_lookupWritable && m_field->isLookup());
}

bool FieldDataLink::isEditing() const
{
    if (!isActive())
        return false;
    const db::DataSetState s = dataSource()->state();
    return s == db::DataSetState::Edit || s == db::DataSetState::Insert;
}

bool FieldDataLink::acceptsInput() const
{
    return canModify() && (isEditing() || dataSource()->autoEdit);
}

bool FieldDataLink::edit()
{
    if (isEditing())
        return true;
    if (!canModify() || !dataSource()->autoEdit)
        return false;
    runReported([this] { dataSet()->edit(); });
    return isEditing();
}

void FieldDataLink::showValue()
{
    if (onDataChange)
        onDataChange();
}

void FieldDataLink::editingStateChanged()
{
    if (onEditingChange)
        onEditingChange();
}

void FieldDataLink::reset()
{
    m_modified = false;
    showValue();
}

bool FieldDataLink::updateRecord()
{
    if (!m_modified)
        return true;
    if (!field() || !onUpdateData) {
        reset();
        return false;
    }
    const bool ok = runReported([this] { onUpdateData(); });
    // Accepted: show the value as the field normalised it; refused: the old value.
    reset();
    return ok;
}

void FieldDataLink::activeChanged()
{
    resolveField();
    m_modified = false;
    editingStateChanged();
    showValue();
}

void FieldDataLink::dataSetChanged()
{
    // The dataset may have been reopened with other fields.
    resolveField();
    m_modified = false;
    editingStateChanged();
    showValue();
}

void FieldDataLink::dataSetScrolled()
{
    m_modified = false;
    showValue();
}

void FieldDataLink::recordChanged(db::Field *field)
{
    // Calculated and lookup fields follow every change of the record.
    if (field && field != m_field && m_field && m_field->kind() == db::FieldKind::Data)
        return;
    m_modified = false;
    showValue();
}

void FieldDataLink::editingChanged()
{
    m_modified = false;
    editingStateChanged();
    showValue();
}

void FieldDataLink::updateData()
{
    if (!m_modified || !m_field || !onUpdateData)
        return;
    try {
        onUpdateData();
    } catch (const std::exception &e) {
        reportException(e);
        reset();
        // The post or move that asked for the change stops here; the user has been told.
        throw EAbort();
    }
    m_modified = false;
}

} // namespace tarix::dbctrl
