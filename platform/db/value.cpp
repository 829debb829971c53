#include "platform/db/value.h"

#include "platform/db/db_error.h"
#include "platform/format/number_format.h"

#include <QRegularExpression>
#include <cmath>

namespace tarix::db {

FieldType fieldTypeFromDeclared(const QString &declared, int *size)
{
    static const QRegularExpression sized(QStringLiteral("^\\s*([A-Za-z_]+)\\s*\\(\\s*(\\d+)"));
    QString d = declared.trimmed().toUpper();
    int n = 0;
    if (auto m = sized.match(d); m.hasMatch()) {
        n = m.captured(2).toInt();
        d = m.captured(1);
    }
    if (const int sp = int(d.indexOf(u' ')); sp > 0)
        d = d.left(sp);
    if (size)
        *size = 0;
    if (d == u"VARCHAR" || d == u"CHAR" || d == u"NVARCHAR" || d == u"CHARACTER") {
        if (size)
            *size = n;
        return FieldType::String;
    }
    if (d == u"SMALLINT")
        return FieldType::SmallInt;
    if (d == u"INTEGER" || d == u"INT" || d == u"BIGINT")
        return FieldType::Integer;
    if (d == u"AUTOINC_INT")
        return FieldType::AutoInc;
    if (d == u"FLOAT" || d == u"REAL" || d == u"DOUBLE" || d == u"NUMERIC" || d == u"DECIMAL")
        return FieldType::Float;
    if (d == u"MONEY_REAL")
        return FieldType::Money;
    if (d == u"LOGICAL" || d == u"BOOLEAN")
        return FieldType::Boolean;
    if (d == u"DATE")
        return FieldType::Date;
    if (d == u"TIME")
        return FieldType::Time;
    if (d == u"TIMESTAMP" || d == u"DATETIME")
        return FieldType::DateTime;
    if (d == u"MEMO_TEXT" || d == u"TEXT" || d == u"CLOB")
        return FieldType::Memo;
    if (d == u"BLOB")
        return FieldType::Blob;
    return FieldType::Unknown;
}

QString fieldTypeName(FieldType t)
{
    switch (t) {
    case FieldType::String: return QStringLiteral("String");
    case FieldType::SmallInt: return QStringLiteral("SmallInt");
    case FieldType::Integer: return QStringLiteral("Integer");
    case FieldType::AutoInc: return QStringLiteral("AutoInc");
    case FieldType::Float: return QStringLiteral("Float");
    case FieldType::Money: return QStringLiteral("Money");
    case FieldType::Boolean: return QStringLiteral("Boolean");
    case FieldType::Date: return QStringLiteral("Date");
    case FieldType::Time: return QStringLiteral("Time");
    case FieldType::DateTime: return QStringLiteral("DateTime");
    case FieldType::Memo: return QStringLiteral("Memo");
    case FieldType::Blob: return QStringLiteral("Blob");
    case FieldType::Unknown: break;
    }
    return QStringLiteral("Unknown");
}

namespace {

bool isBlank(const QVariant &v)
{
    // Numbers first and without copies: they are most of a record.
    switch (typeIdOf(v)) {
    case QMetaType::Double:
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Bool:
        return false;
    case QMetaType::QString: return static_cast<const QString *>(v.constData())->isEmpty();
    case QMetaType::QByteArray: return static_cast<const QByteArray *>(v.constData())->isEmpty();
    case QMetaType::QDate: return !static_cast<const QDate *>(v.constData())->isValid();
    case QMetaType::QDateTime: return !static_cast<const QDateTime *>(v.constData())->isValid();
    case QMetaType::QTime: return !static_cast<const QTime *>(v.constData())->isValid();
    default: return !v.isValid() || v.isNull();
    }
}

[[noreturn]] void badValue(const QVariant &v, FieldType t)
{
    throw FieldValueError(QStringLiteral("'%1' nie je platná hodnota typu %2")
                              .arg(v.toString(), fieldTypeName(t)));
}

double parseNumber(const QVariant &v, FieldType t)
{
    switch (typeIdOf(v)) {
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return double(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return v.toDouble();
    default: break;
    }
    QString s = v.toString().trimmed();
    s.remove(u' ');
    s.remove(QChar(0x00A0));
    s.replace(u',', u'.');
    bool ok = false;
    const double d = s.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        badValue(v, t);
    return d;
}

QDate parseDate(const QVariant &v, FieldType t)
{
    if (typeIdOf(v) == QMetaType::QDate)
        return v.toDate();
    if (typeIdOf(v) == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString s = v.toString().trimmed();
    QDate d = QDate::fromString(s, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        d = QDate::fromString(s, QStringLiteral("d.M.yyyy"));
    if (!d.isValid() && s.size() > 10)
        d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        badValue(v, t);
    return d;
}

} // namespace

QVariant normalizeValue(FieldType type, const QVariant &value, int size)
{
    // Numbers already in the type's own form (what the program computes and reads) stay.
    if (typeIdOf(value) == QMetaType::Double && (type == FieldType::Float || type == FieldType::Money))
        return *static_cast<const double *>(value.constData()) == 0.0 ? QVariant(0.0) : value;
    if (typeIdOf(value) == QMetaType::LongLong && (type == FieldType::Integer || type == FieldType::AutoInc))
        return value;
    if (typeIdOf(value) == QMetaType::Bool && type == FieldType::Boolean)
        return value;
    if (typeIdOf(value) == QMetaType::QString && isTextType(type)) {
        const QString &text = *static_cast<const QString *>(value.constData());
        if (text.isEmpty())
            return {};
        if (type == FieldType::Memo || size <= 0 || text.size() <= size)
            return value;
    }
    if (isBlank(value))
        return {};
    switch (type) {
    case FieldType::String:
    case FieldType::Memo: {
        QString s = typeIdOf(value) == QMetaType::QDate ? dateText(value.toDate()) : value.toString();
        if (typeIdOf(value) == QMetaType::Double)
            s = QString::number(value.toDouble(), 'g', 15);
        if (type == FieldType::String && size > 0 && s.size() > size)
            s.truncate(size);
        if (s.isEmpty())
            return {};
        return s;
    }
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc: {
        qint64 n;
        if (typeIdOf(value) == QMetaType::LongLong || typeIdOf(value) == QMetaType::Int)
            n = value.toLongLong();
        else {
            const double d = parseNumber(value, type);
            if (std::fabs(d) > 9.2e18)
                badValue(value, type);
            n = qint64(std::llround(d));
        }
        if (type == FieldType::SmallInt && (n < -32768 || n > 32767))
            badValue(value, type);
        return QVariant::fromValue<qint64>(n);
    }
    case FieldType::Float:
    case FieldType::Money: {
        const double d = parseNumber(value, type);
        return d == 0.0 ? QVariant(0.0) : QVariant(d); // no negative zero
    }
    case FieldType::Boolean: {
        if (typeIdOf(value) == QMetaType::QString) {
            const QString s = value.toString().trimmed().toLower();
            if (s.isEmpty())
                return {};
            if (s == u"true" || s == u"t" || s == u"1" || s == u"áno" || s == u"ano" || s == u"yes")
                return true;
            if (s == u"false" || s == u"f" || s == u"0" || s == u"nie" || s == u"no")
                return false;
            badValue(value, type);
        }
        return parseNumber(value, type) != 0.0;
    }
    case FieldType::Date: {
        const QDate d = parseDate(value, type);
        // The desktop engine's day zero is a blank date, never a date of its own.
        if (!d.isValid() || d == QDate(1899, 12, 30))
            return {};
        return d;
    }
    case FieldType::Time: {
        if (typeIdOf(value) == QMetaType::QTime)
            return value;
        if (typeIdOf(value) == QMetaType::QDateTime)
            return value.toDateTime().time();
        QTime tm = QTime::fromString(value.toString().trimmed(), QStringLiteral("H:mm:ss"));
        if (!tm.isValid())
            tm = QTime::fromString(value.toString().trimmed(), QStringLiteral("H:mm"));
        if (!tm.isValid())
            badValue(value, type);
        return tm;
    }
    case FieldType::DateTime: {
        if (typeIdOf(value) == QMetaType::QDateTime)
            return value;
        if (typeIdOf(value) == QMetaType::QDate)
            return QDateTime(value.toDate(), QTime(0, 0));
        const QString s = value.toString().trimmed();
        QDateTime dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!dt.isValid())
            dt = QDateTime::fromString(s, QStringLiteral("d.M.yyyy H:mm:ss"));
        if (!dt.isValid())
            dt = QDateTime(parseDate(value, type), QTime(0, 0));
        return dt;
    }
    case FieldType::Blob:
        return value.toByteArray();
    case FieldType::Unknown:
        break;
    }
    return value;
}

QVariant toStorage(FieldType type, const QVariant &value)
{
    if (isBlank(value))
        return {};
    switch (type) {
    case FieldType::Boolean: return qint64(value.toBool() ? 1 : 0);
    case FieldType::Date: return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case FieldType::Time: return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case FieldType::DateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default: return value;
    }
}

QVariant fromStorage(FieldType type, const QVariant &stored)
{
    // The common cases first (a row of a table is read column by column): a value SQLite
    // gives in the field's own form is already its value.
    switch (typeIdOf(stored)) {
    case QMetaType::Double:
        if (type == FieldType::Float || type == FieldType::Money)
            return stored;
        break;
    case QMetaType::LongLong:
        if (isIntegerType(type))
            return stored;
        break;
    case QMetaType::QString:
        if (isTextType(type))
            return static_cast<const QString *>(stored.constData())->isEmpty() ? QVariant() : stored;
        break;
    default: break;
    }
    if (!stored.isValid() || stored.isNull())
        return {};
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        if (typeIdOf(stored) == QMetaType::Double)
            return QString::number(stored.toDouble(), 'g', 15);
        return stored.toString().isEmpty() ? QVariant() : QVariant(stored.toString());
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
        if (typeIdOf(stored) == QMetaType::LongLong)
            return stored;
        return QVariant::fromValue<qint64>(qint64(std::llround(variantToDouble(stored))));
    case FieldType::Float:
    case FieldType::Money:
        return variantToDouble(stored);
    case FieldType::Boolean:
        if (typeIdOf(stored) == QMetaType::QString) {
            try {
                return normalizeValue(type, stored);
            } catch (const FieldValueError &) {
                return false;
            }
        }
        return variantToDouble(stored) != 0.0;
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        try {
            return normalizeValue(type, stored);
        } catch (const FieldValueError &) {
            return {};
        }
    case FieldType::Blob:
        return stored.toByteArray();
    case FieldType::Unknown:
        break;
    }
    return stored;
}

double variantToDouble(const QVariant &v)
{
    if (isBlank(v))
        return 0.0;
    switch (typeIdOf(v)) {
    case QMetaType::Double: return v.toDouble();
    case QMetaType::LongLong:
    case QMetaType::Int: return double(v.toLongLong());
    case QMetaType::Bool: return v.toBool() ? 1.0 : 0.0;
    default: break;
    }
    try {
        return parseNumber(v, FieldType::Float);
    } catch (const FieldValueError &) {
        return 0.0;
    }
}

qint64 variantToInteger(const QVariant &v)
{
    if (isBlank(v))
        return 0;
    if (typeIdOf(v) == QMetaType::LongLong || typeIdOf(v) == QMetaType::Int)
        return v.toLongLong();
    return qint64(std::llround(variantToDouble(v)));
}

bool variantToBool(const QVariant &v)
{
    if (isBlank(v))
        return false;
    if (typeIdOf(v) == QMetaType::Bool)
        return v.toBool();
    try {
        return normalizeValue(FieldType::Boolean, v).toBool();
    } catch (const FieldValueError &) {
        return false;
    }
}

QString variantToString(const QVariant &v)
{
    if (isBlank(v))
        return {};
    switch (typeIdOf(v)) {
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime: return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return v.toString();
    }
}

QDate variantToDate(const QVariant &v)
{
    if (isBlank(v))
        return {};
    try {
        return normalizeValue(FieldType::Date, v).toDate();
    } catch (const FieldValueError &) {
        return {};
    }
}

QString dateText(const QDate &d)
{
    return d.isValid() ? d.toString(QStringLiteral("d.M.yyyy")) : QString();
}

namespace {
DisplayFormatter &installedFormatter()
{
    static DisplayFormatter f;
    return f;
}

} // namespace

void setDisplayFormatter(DisplayFormatter formatter) { installedFormatter() = std::move(formatter); }

QString formatDisplay(const QVariant &value, FieldType type, const QString &displayFormat)
{
    if (installedFormatter())
        return installedFormatter()(value, type, displayFormat);
    return defaultDisplayText(value, type, displayFormat);
}

QString defaultDisplayText(const QVariant &value, FieldType type, const QString &displayFormat)
{
    if (isBlank(value))
        return {};
    QString format = displayFormat;
    if (format.isEmpty() && type == FieldType::Money)
        format = QStringLiteral("0.00");
    switch (type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Float:
    case FieldType::Money: {
        const double d = variantToDouble(value);
        if (format.isEmpty()) {
            if (isIntegerType(type) || (typeIdOf(value) == QMetaType::LongLong))
                return QString::number(variantToInteger(value));
            QString s = QString::number(d, 'g', 15);
            if (s == u"-0")
                s = QStringLiteral("0");
            return s.replace(u'.', u',');
        }
        // A declared mask goes through the program's one number formatter: Slovak
        // separators, thousands groups where the mask asks for them, halves rounded on the
        // decimal value.
        return fmt::formatFloat(format, d);
    }
    case FieldType::Boolean:
        return variantToBool(value) ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Date:
        return dateText(variantToDate(value));
    case FieldType::Time:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case FieldType::DateTime: {
        const QDateTime dt = value.toDateTime();
        return dateText(dt.date()) + u' ' + dt.time().toString(QStringLiteral("HH:mm:ss"));
    }
    case FieldType::Blob:
        return QStringLiteral("(BLOB)");
    default:
        if (typeIdOf(value) == QMetaType::Double)
            return defaultDisplayText(value, FieldType::Float, displayFormat);
        if (typeIdOf(value) == QMetaType::LongLong)
            return QString::number(value.toLongLong());
        return value.toString();
    }
}

ResultColumnTypes::ResultColumnTypes(QVector<FieldType> declared)
    : m_declared(std::move(declared)), m_text(m_declared.size(), false),
      m_real(m_declared.size(), false), m_int(m_declared.size(), false)
{
}

QVariant ResultColumnTypes::take(int c, QVariant stored)
{
    if (m_declared[c] != FieldType::Unknown)
        return fromStorage(m_declared[c], stored);
    if (stored.isValid()) {
        if (typeIdOf(stored) == QMetaType::Double)
            m_real[c] = true;
        else if (typeIdOf(stored) == QMetaType::LongLong)
            m_int[c] = true;
        else
            m_text[c] = true;
    }
    return stored;
}

FieldType ResultColumnTypes::type(int c) const
{
    if (m_declared[c] != FieldType::Unknown)
        return m_declared[c];
    return m_text[c] ? FieldType::String
           : m_real[c] ? FieldType::Float
           : m_int[c]  ? FieldType::Integer
                       : FieldType::Unknown;
}

// ---- a row in its stored forms -----------------------------------------------------------

StoredValues::StoredValues(const QVector<QVariant> &values) : m_slots(values.size())
{
    for (int i = 0; i < values.size(); ++i)
        set(i, values[i]);
}

void StoredValues::clear()
{
    m_slots.clear();
    m_others.clear();
}

void StoredValues::resize(int n)
{
    m_slots.resize(n);
    if (!m_others.isEmpty())
        m_others.resize(n);
}

QVariant StoredValues::at(int i) const
{
    const Slot &s = m_slots[i];
    switch (s.kind) {
    case Kind::Integer: return QVariant::fromValue<qint64>(s.integer);
    case Kind::Real: return QVariant(s.real);
    case Kind::Other: return m_others[i];
    case Kind::Null: break;
    }
    return {};
}

void StoredValues::set(int i, const QVariant &v)
{
    switch (typeIdOf(v)) {
    case QMetaType::LongLong: setInteger(i, *static_cast<const qint64 *>(v.constData())); return;
    case QMetaType::Double: setReal(i, *static_cast<const double *>(v.constData())); return;
    case QMetaType::UnknownType: setNull(i); return;
    default: break;
    }
    if (m_others.size() != m_slots.size())
        m_others.resize(m_slots.size());
    m_others[i] = v;
    slot(i).kind = Kind::Other;
}

bool operator==(const StoredValues &a, const StoredValues &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        const StoredValues::Slot &x = a.m_slots[i], &y = b.m_slots[i];
        if (x.kind != y.kind)
            return false;
        switch (x.kind) {
        case StoredValues::Kind::Integer:
            if (x.integer != y.integer)
                return false;
            break;
        case StoredValues::Kind::Real:
            if (!(x.real == y.real))
                return false;
            break;
        case StoredValues::Kind::Other:
            if (a.m_others[i] != b.m_others[i])
                return false;
            break;
        case StoredValues::Kind::Null: break;
        }
    }
    return true;
}

} // namespace tarix::db
