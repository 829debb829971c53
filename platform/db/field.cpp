#include "platform/db/field.h"

#include "platform/db/dataset.h"
#include "platform/db/db_error.h"

namespace tarix::db {

Field::Field(DataSet &owner, const QString &name, FieldKind kind, FieldType type, int size)
    : m_owner(&owner), m_name(name), m_kind(kind), m_type(type), m_size(size)
{
}

void Field::bind(int index, FieldType type, int size, bool required)
{
    m_index = index;
    if (m_kind == FieldKind::Data) {
        m_type = type;
        m_size = size;
        if (!m_requiredSet)
            m_required = required;
    }
}

void Field::setRequired(bool r)
{
    m_required = r;
    m_requiredSet = true;
    m_owner->postChecksChanged();
}

QString Field::displayFormat() const
{
    if (m_displayFormat.isEmpty() && m_type == FieldType::Money)
        return QStringLiteral("0.00");
    return m_displayFormat;
}

QVariant Field::value() const
{
    if (m_index < 0)
        throw StateError(QStringLiteral("Položka %1 nie je dostupná (údaje nie sú otvorené).").arg(m_name));
    if (m_kind != FieldKind::Data)
        m_owner->calculateIfPending();
    const Record &r = m_owner->currentRecord();
    return m_index < r.values.size() ? r.values[m_index] : QVariant();
}

QVariant Field::oldValue() const
{
    if (m_index < 0)
        return {};
    return m_owner->valueBeforeEdit(m_index);
}

void Field::setValueSilently(const QVariant &v)
{
    Record &r = m_owner->currentRecordRef();
    if (m_index >= 0 && m_index < r.values.size())
        m_owner->valueForAssignment(r, m_index) = v;
}

void Field::setValue(const QVariant &v)
{
    if (m_index < 0)
        throw StateError(QStringLiteral("Položka %1 nie je dostupná (údaje nie sú otvorené).").arg(m_name));
    if (!m_owner->canAssign(*this))
        throw StateError(QStringLiteral("Údaje %1 nie sú v režime opravy ani pridávania (položka %2).")
                             .arg(m_owner->objectName(), m_name));
    if (m_readOnly && m_owner->state() != DataSetState::CalcFields)
        throw StateError(QStringLiteral("Položku %1 nie je možné meniť.").arg(label()));
    QVariant nv;
    try {
        nv = normalizeValue(m_type, v, m_size);
    } catch (const FieldValueError &) {
        throw FieldValueError(QStringLiteral("'%1' nie je platná hodnota položky %2.").arg(v.toString(), label()));
    }
    if (nv.isValid() && isNumericType(m_type) && (m_min || m_max)) {
        const double d = variantToDouble(nv);
        if ((m_min && d < *m_min) || (m_max && d > *m_max))
            throw FieldValueError(QStringLiteral("Hodnota %1 položky %2 je mimo povoleného rozsahu %3 až %4.")
                                      .arg(defaultDisplayText(nv, m_type, {}), label(),
                                           m_min ? QString::number(*m_min) : QString(),
                                           m_max ? QString::number(*m_max) : QString()));
    }
    // The new value goes in and the old one comes out into nv, kept to be put back.
    m_owner->valueForAssignment(m_owner->currentRecordRef(), m_index).swap(nv);
    if (onValidate && m_owner->state() != DataSetState::CalcFields) {
        try {
            onValidate(*this);
        } catch (...) {
            m_owner->currentRecordRef().values[m_index] = std::move(nv);
            throw;
        }
    }
    if (m_owner->state() == DataSetState::CalcFields)
        return;
    if (onChange)
        onChange(*this);
    m_owner->fieldChanged(*this);
}

QString Field::displayText() const
{
    if (onGetText) {
        QString t = formatDisplay(value(), m_type, displayFormat());
        onGetText(const_cast<Field &>(*this), t, true);
        return t;
    }
    return formatDisplay(value(), m_type, displayFormat());
}

QString Field::text() const
{
    const QVariant v = value();
    QString t;
    if (m_type == FieldType::Date)
        t = dateText(variantToDate(v));
    else if (isNumericType(m_type))
        t = v.isValid() ? defaultDisplayText(v, isIntegerType(m_type) ? m_type : FieldType::Float, {}) : QString();
    else
        t = formatDisplay(v, m_type, {});
    if (onGetText)
        onGetText(const_cast<Field &>(*this), t, false);
    return t;
}

void Field::setText(const QString &text)
{
    if (onSetText) {
        onSetText(*this, text);
        return;
    }
    setValue(text);
}

} // namespace tarix::db
