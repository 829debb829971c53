#pragma once
// A field of a dataset: its metadata (name, label, type, size, required, display format,
// tag), its value in the dataset's current record, and its events.
//
// Assigning a value (setValue, the setAs... helpers, setText) is allowed while the dataset
// is in edit or insert state (calculated and lookup fields also while calculated fields are
// computed). The new value is normalised by the type's rules (value.h), put into the record,
// then OnValidate runs: an exception thrown there (EMyError, EAbort) puts the old value back
// and propagates. OnChange runs after a value was accepted.
#include "platform/db/value.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

namespace tarix::db {

class DataSet;

enum class FieldKind { Data, Calculated, Lookup };

class Field {
public:
    Field(DataSet &owner, const QString &name, FieldKind kind, FieldType type, int size);

    // ---- metadata ------------------------------------------------------------------------------
    const QString &name() const { return m_name; }
    FieldKind kind() const { return m_kind; }
    bool isCalculated() const { return m_kind == FieldKind::Calculated; }
    bool isLookup() const { return m_kind == FieldKind::Lookup; }
    FieldType type() const { return m_type; }
    int size() const { return m_size; }
    int index() const { return m_index; } // position among the dataset's fields
    DataSet &dataSet() const { return *m_owner; }

    // Label shown to users (captions, grid titles, the field's messages); the name when
    // none was set.
    QString label() const { return m_label.isEmpty() ? m_name : m_label; }
    bool hasLabel() const { return !m_label.isEmpty(); }
    void setLabel(const QString &label) { m_label = label; }
    bool required() const { return m_required; }
    void setRequired(bool r);
    QString displayFormat() const;
    void setDisplayFormat(const QString &f) { m_displayFormat = f; }
    int tag() const { return m_tag; }
    void setTag(int t) { m_tag = t; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool r) { m_readOnly = r; }
    // A value the program computes: a calculated field, or a stored one the program fills
    // from other values (its own writes go through). The clerk never types into it; every
    // control only shows it.
    bool isComputed() const { return m_kind == FieldKind::Calculated || m_computed; }
    void setComputed(bool c) { m_computed = c; }
    // Limits of a number field; a value outside is refused with FieldValueError.
    void setMinValue(std::optional<double> v) { m_min = v; }
    void setMaxValue(std::optional<double> v) { m_max = v; }
    std::optional<double> minValue() const { return m_min; }
    std::optional<double> maxValue() const { return m_max; }

    // ---- value in the current record ----------------------------------------------------------
    QVariant value() const;              // invalid QVariant when NULL
    void setValue(const QVariant &value);
    bool isNull() const { return !value().isValid(); }
    void clear() { setValue(QVariant()); }
    // The value when the record was read (before the pending edit).
    QVariant oldValue() const;

    QString asString() const { return variantToString(value()); }
    qint64 asInteger() const { return variantToInteger(value()); }
    int asInt() const { return int(variantToInteger(value())); }
    double asFloat() const { return variantToDouble(value()); } // a blank number is 0
    bool asBoolean() const { return variantToBool(value()); }   // a blank logical is false
    QDate asDate() const { return variantToDate(value()); }
    QDateTime asDateTime() const { return value().toDateTime(); }
    QByteArray asBytes() const { return value().toByteArray(); }
    void setAsString(const QString &v) { setValue(v); }
    void setAsInteger(qint64 v) { setValue(QVariant::fromValue(v)); }
    void setAsFloat(double v) { setValue(v); }
    void setAsBoolean(bool v) { setValue(v); }
    void setAsDate(const QDate &v) { setValue(v); }

    // Display text: OnGetText when set, otherwise the value by the display format.
    QString displayText() const;
    // Text for editing (OnGetText with displayText false, otherwise the plain value text).
    QString text() const;
    // Typed text: OnSetText when set, otherwise parsed by the type's rules.
    void setText(const QString &text);

    // ---- events ------------------------------------------------------------------------------
    std::function<void(Field &)> onValidate;
    std::function<void(Field &)> onChange;
    std::function<void(Field &, QString &text, bool displayText)> onGetText;
    std::function<void(Field &, const QString &text)> onSetText;

    // ---- lookup definition -------------------------------------------------------------------
    struct LookupDef {
        DataSet *dataSet = nullptr;
        QStringList keyFields;       // fields of this dataset
        QStringList lookupKeyFields; // fields of the lookup dataset
        QString resultField;
    };
    const LookupDef &lookupDef() const { return m_lookup; }

    // Used by the dataset when binding fields at open.
    void bind(int index, FieldType type, int size, bool required);
    void setLookupDef(const LookupDef &d) { m_lookup = d; }
    // Puts a value into the current record without events or state checks.
    void setValueSilently(const QVariant &value);
    bool isBound() const { return m_index >= 0; }
    void unbind() { m_index = -1; }

private:
    DataSet *m_owner;
    QString m_name;
    FieldKind m_kind;
    FieldType m_type;
    int m_size;
    int m_index = -1;
    QString m_label;
    bool m_required = false;
    bool m_requiredSet = false;
    QString m_displayFormat;
    int m_tag = 0;
    bool m_visible = true;
    bool m_readOnly = false;
    bool m_computed = false;
    std::optional<double> m_min, m_max;
    LookupDef m_lookup;
};

} // namespace tarix::db
