#pragma once
// Field types and the one set of value rules of the dataset layer.
//
// Values are QVariant: an invalid QVariant is NULL (blank), kept apart from 0.
//  - text:     QString; a blank text ("") is NULL, both when assigned and when posted;
//              longer texts are cut to the field size.
//  - integers: qint64; float and money: double (stored REAL).
//  - logical:  bool, stored 0/1; a blank logical reads as false and is posted as 0.
//  - date:     QDate, stored as text 'yyyy-MM-dd'; an invalid or null QDate is NULL.
//  - time:     QTime 'hh:mm:ss'; timestamp QDateTime 'yyyy-MM-dd hh:mm:ss'.
//  - memo:     QString (blank is NULL); blob: QByteArray (empty is NULL).
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>
#include <functional>

namespace tarix::db {

// The variant's type id, read in place (QVariant::typeId() is a call into the library;
// the layer asks it for each of hundreds of fields of every record it reads or writes).
inline int typeIdOf(const QVariant &v) { return v.data_ptr().typeId(); }

enum class FieldType {
    Unknown,
    String,   // VARCHAR(n)
    SmallInt, // SMALLINT
    Integer,  // INTEGER
    AutoInc,  // AUTOINC_INT
    Float,    // FLOAT (also REAL, DOUBLE, NUMERIC)
    Money,    // MONEY_REAL
    Boolean,  // LOGICAL
    Date,     // DATE
    Time,     // TIME
    DateTime, // TIMESTAMP
    Memo,     // MEMO_TEXT (also TEXT)
    Blob      // BLOB
};

// Declared column type (as in the table definition files) -> field type and text size.
FieldType fieldTypeFromDeclared(const QString &declared, int *size = nullptr);
QString fieldTypeName(FieldType t);

inline bool isIntegerType(FieldType t)
{
    return t == FieldType::SmallInt || t == FieldType::Integer || t == FieldType::AutoInc;
}
inline bool isNumericType(FieldType t)
{
    return isIntegerType(t) || t == FieldType::Float || t == FieldType::Money;
}
inline bool isTextType(FieldType t) { return t == FieldType::String || t == FieldType::Memo; }

// Any value a caller assigns -> the canonical value of the type (NULL for blanks).
// Texts are parsed ("12,5" and "12.5", "1.2.2005" and "2005-02-01", "True"/"1").
// Throws FieldValueError when the value cannot be a value of the type.
QVariant normalizeValue(FieldType type, const QVariant &value, int size = 0);

// Canonical value -> what is bound to SQLite; SQLite value (as read) -> canonical value.
QVariant toStorage(FieldType type, const QVariant &value);
QVariant fromStorage(FieldType type, const QVariant &stored);

// Readers that arithmetic wants: a blank number is 0, a blank logical false.
double variantToDouble(const QVariant &v);
qint64 variantToInteger(const QVariant &v);
bool variantToBool(const QVariant &v);
QString variantToString(const QVariant &v); // the value as plain text (dates 'yyyy-MM-dd')
QDate variantToDate(const QVariant &v);

// Display texts. A formatter may be installed once (the number-mask formatter); it gets the
// canonical value, its type and the display format (may be empty) and returns the text.
using DisplayFormatter = std::function<QString(const QVariant &value, FieldType type,
                                               const QString &displayFormat)>;
// Stays a setter, not a registry entry: a test seam in platform/, below the core's registries.
void setDisplayFormatter(DisplayFormatter formatter); // empty: back to the default
QString formatDisplay(const QVariant &value, FieldType type, const QString &displayFormat);
// The built-in rules: money "0.00", dates "d.M.yyyy", integers plain, decimal comma,
// logicals "True"/"False", NULL empty. A format "0.00"/"0.0000"/"0%"/"0.00%" gives the
// number of decimals (and a literal "%").
QString defaultDisplayText(const QVariant &value, FieldType type, const QString &displayFormat);

// The text form of dates the layer writes and parses (filters, display): d.M.yyyy.
QString dateText(const QDate &d);

// A row's values in the forms the database stores them (NULL, qint64, double, and the rest
// as variants: texts, blobs), as a save matches them and binds them. Numbers and NULLs sit
// in place, so the record kept for a save's row check is copied and compared without a
// variant per field; the rest are kept as given. Copies share until one is changed.
class StoredValues {
public:
    enum class Kind : quint8 { Null, Integer, Real, Other };

    StoredValues() = default;
    explicit StoredValues(int n) : m_slots(n) {}
    // Each value as given (an invalid variant is NULL).
    StoredValues(const QVector<QVariant> &values); // NOLINT: a row of variants is a row

    int size() const { return int(m_slots.size()); }
    bool isEmpty() const { return m_slots.isEmpty(); }
    bool isDetached() const { return m_slots.isDetached() && (m_others.isEmpty() || m_others.isDetached()); }
    void clear();
    void resize(int n);

    Kind kind(int i) const { return m_slots[i].kind; }
    qint64 integer(int i) const { return m_slots[i].integer; } // kind Integer
    double real(int i) const { return m_slots[i].real; }       // kind Real
    const QVariant &other(int i) const { return m_others[i]; } // kind Other
    // The value as a variant: qint64, double, invalid for NULL, the rest as given.
    QVariant at(int i) const;
    QVariant operator[](int i) const { return at(i); }

    void set(int i, const QVariant &v);
    void setNull(int i) { slot(i) = Slot(); }
    void setInteger(int i, qint64 v)
    {
        Slot &s = slot(i);
        s.integer = v;
        s.kind = Kind::Integer;
    }
    void setReal(int i, double v)
    {
        Slot &s = slot(i);
        s.real = v;
        s.kind = Kind::Real;
    }

    // Every value the same kind and the same (numbers by value, the rest as variants).
    friend bool operator==(const StoredValues &a, const StoredValues &b);
    friend class Statement; // reads a whole row into the slots at once

private:
    struct Slot {
        union {
            qint64 integer = 0;
            double real;
        };
        Kind kind = Kind::Null;
    };
    Slot &slot(int i) { return m_slots[i]; }
    QVector<Slot> m_slots;
    QVector<QVariant> m_others; // sized as m_slots once a value of kind Other is kept
};

// Column types of a result: a column with a declared type converts its stored values by that
// type; a column without one (an expression, an aggregate) gets the type its values show:
// any text makes it a text column, else any real a float column, else an integer column.
class ResultColumnTypes {
public:
    explicit ResultColumnTypes(QVector<FieldType> declared);
    // The value of column c as the program sees it.
    QVariant take(int c, QVariant stored);
    FieldType type(int c) const;

private:
    QVector<FieldType> m_declared;
    QVector<bool> m_text, m_real, m_int;
};

} // namespace tarix::db
