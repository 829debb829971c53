#include "platform/db/table.h"

#include "platform/db/db_error.h"
#include "platform/db/session.h"
#include "platform/db/sk_collation.h"
#include "platform/db/sql_dialect.h"

#include <QDir>
#include <QFileInfo>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

namespace tarix::db {

namespace {

QStringList splitNames(const QString &s)
{
    QStringList l;
    for (const QString &p : s.split(u';', Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty())
            l << p.trimmed();
    return l;
}

int rank(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return 0;
    switch (typeIdOf(v)) {
    case QMetaType::QString: return 2;
    case QMetaType::QByteArray: return 3;
    default: return 1;
    }
}

int asciiCaseCompare(const QString &a, const QString &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x + 32);
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y + 32);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}
} // namespace

int compareStoredValues(const QVariant &a, const QVariant &b, const QString &collation)
{
    // Integers (most keys) without the ranks and conversions.
    if (typeIdOf(a) == QMetaType::LongLong && typeIdOf(b) == QMetaType::LongLong) {
        const qint64 x = *static_cast<const qint64 *>(a.constData()), y = *static_cast<const qint64 *>(b.constData());
        return x < y ? -1 : x > y ? 1 : 0;
    }
    const int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    switch (ra) {
    case 0: return 0;
    case 1:
        if (typeIdOf(a) == QMetaType::LongLong && typeIdOf(b) == QMetaType::LongLong) {
            const qint64 x = a.toLongLong(), y = b.toLongLong();
            return x < y ? -1 : x > y ? 1 : 0;
        } else {
            const double x = variantToDouble(a), y = variantToDouble(b);
            return x < y ? -1 : x > y ? 1 : 0;
        }
    case 2: {
        const QString x = a.toString(), y = b.toString();
        if (collation == u"SK")
            return compareSlovak(x, y);
        if (collation == u"NOCASE")
            return asciiCaseCompare(x, y);
        int c;
        if (collation == u"RTRIM") {
            QString tx = x, ty = y;
            while (tx.endsWith(u' '))
                tx.chop(1);
            while (ty.endsWith(u' '))
                ty.chop(1);
            c = tx.compare(ty);
        } else {
            c = x.compare(y);
        }
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    default: {
        const QByteArray x = a.toByteArray(), y = b.toByteArray();
        const int c = x.compare(y);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    }
}

// ---- master link ----------------------------------------------------------------------------

void Table::MasterLink::activeChanged() { m_table.masterChanged(true); }
void Table::MasterLink::dataSetChanged() { m_table.masterChanged(true); }
void Table::MasterLink::dataSetScrolled() { m_table.masterChanged(false); }
void Table::MasterLink::recordChanged(Field *field)
{
    if (!field)
        return;
    for (const QString &n : m_table.m_masterFields)
        if (n.compare(field->name(), Qt::CaseInsensitive) == 0) {
            m_table.masterChanged(false);
            return;
        }
}

// ---- Table ----------------------------------------------------------------------------------

Table::Table(Session *session) : DataSet(session) {}

Table::~Table()
{
    try {
        close();
    } catch (...) {
    }
    m_masterLink.setDataSource(nullptr);
}

void Table::setDatabaseName(const QString &alias)
{
    if (isActive())
        throw StateError(QStringLiteral("Alias nie je možné zmeniť otvorenej tabuľke %1.").arg(m_table));
    m_alias = alias;
}

void Table::setTableName(const QString &name)
{
    if (isActive())
        throw StateError(QStringLiteral("Názov nie je možné zmeniť otvorenej tabuľke %1.").arg(m_table));
    m_table = name;
}

bool Table::exists()
{
    if (m_table.contains(u'/') || m_table.contains(u'\\')) {
        QString t = m_table;
        t.replace(u'\\', u'/');
        return session().tableExistsAt(QFileInfo(t).path(), QFileInfo(t).fileName());
    }
    return session().tableExists(m_alias, m_table);
}

QString Table::quotedTable() const { return quoteSqlName(m_def.schema) + u'.' + quoteSqlName(m_def.name); }

void Table::doOpen()
{
    Session &s = session();
    if (m_table.contains(u'/') || m_table.contains(u'\\')) {
        QString t = m_table;
        t.replace(u'\\', u'/');
        const QString folder = QFileInfo(t).path();
        QString schema;
        try {
            schema = s.attachFolder(folder);
        } catch (const TableOpenError &e) {
            throw TableOpenError(folder, QFileInfo(t).fileName(), e.reason());
        }
        try {
            m_def = s.tableDefInSchema(schema, QFileInfo(t).fileName());
        } catch (...) {
            s.releaseFolder(schema);
            throw;
        }
        m_pathSchema = schema;
    } else {
        if (m_alias.isEmpty())
            throw TableOpenError(QString(), m_table, QStringLiteral("tabuľka nemá zadaný alias"));
        m_def = s.tableDef(m_alias, m_table);
    }
    try {
        QVector<ColumnInfo> cols;
        for (const FieldDef &f : m_def.fields)
            cols.append({f.name, f.type == FieldType::Unknown ? FieldType::Memo : f.type, f.size, f.required});
        bindFields(cols);
        buildOrder();
        QStringList names;
        QStringList marks;
        for (const FieldDef &f : m_def.fields) {
            names << quoteSqlName(f.name);
            marks << QStringLiteral("?");
        }
        m_affinity.clear();
        m_numberKind.clear();
        for (const FieldDef &f : m_def.fields) {
            m_affinity.append(affinityOfDeclared(f.declaredType));
            m_numberKind.append(f.type == FieldType::Float || f.type == FieldType::Money ? StoredValues::Kind::Real
                                : isIntegerType(f.type)                                 ? StoredValues::Kind::Integer
                                                                                        : StoredValues::Kind::Null);
        }
        m_selectSql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(names.join(u", "), quotedTable());
        m_insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(quotedTable(), names.join(u", "), marks.join(u", "))
                      + s.insertedRowidClause();
        // A save and a delete match the row by its rowid and every stored value as read;
        // texts compare binary so that a change of case alone is seen.
        QStringList match;
        match << QStringLiteral("rowid = ?");
        for (const FieldDef &f : m_def.fields)
            match << quoteSqlName(f.name) + QStringLiteral(" IS ? COLLATE BINARY");
        m_matchSql = match.join(QStringLiteral(" AND "));
        m_deleteSql = QStringLiteral("DELETE FROM %1 WHERE %2").arg(quotedTable(), m_matchSql);
        m_updateSql.clear();
        m_aheadSql.clear();
        m_masterLinked = readMasterValues(m_masterValues);
        loadRows();
    } catch (const TableOpenError &) {
        doClose();
        throw;
    } catch (const FieldMissingError &e) {
        // The table's stored definition lacks what the program declares of it.
        const QString folder = s.folderOfSchema(m_def.schema);
        doClose();
        throw TableOpenError(folder, m_table, QStringLiteral("v tabuľke chýba položka %1; databáza je poškodená "
                                                             "alebo z inej verzie programu")
                                                  .arg(e.fields().join(QStringLiteral(", "))));
    } catch (const DbError &e) {
        const QString folder = s.folderOfSchema(m_def.schema);
        doClose();
        throw TableOpenError(folder, m_table, e.text().section(u'\n', 0, 0));
    }
}

void Table::clearRows()
{
    m_readMark = ReadMark();
    m_ahead = ReadAhead();
    m_slotIds.clear();
    m_slotKeys.clear();
    m_order.clear();
    invalidatePositions();
}

void Table::insertRowAt(size_t pos, qint64 id, const QVector<QVariant> &key)
{
    const int slot = int(m_slotIds.size());
    m_slotIds.push_back(id);
    m_slotKeys.insert(m_slotKeys.end(), key.begin(), key.end());
    m_order.insert(m_order.begin() + qsizetype(pos), slot);
    invalidatePositions();
}

void Table::eraseRowAt(size_t pos)
{
    m_order.erase(m_order.begin() + qsizetype(pos));
    invalidatePositions();
}

void Table::doClose()
{
    clearRows();
    if (!m_pathSchema.isEmpty()) {
        const QString schema = m_pathSchema;
        m_pathSchema.clear();
        try {
            session().releaseFolder(schema);
        } catch (...) {
        }
    }
}

QStringList Table::indexFields() const
{
    QStringList l;
    for (int i = 0; i < m_indexFieldCount; ++i)
        l << m_def.fields[m_keyCols[i].field].name;
    return l;
}

void Table::buildOrder()
{
    m_keyCols.clear();
    m_orderSql.clear();
    m_listSql.clear();
    if (!m_indexFieldNames.isEmpty()) {
        for (const QString &n : splitNames(m_indexFieldNames)) {
            const int i = m_def.fieldIndex(n);
            if (i < 0)
                throw DbError(QStringLiteral("Položka %1 neexistuje v tabuľke %2.").arg(n, m_def.name));
            m_keyCols.append({i, m_def.fields[i].collation, false});
        }
    } else {
        const IndexDef *ix = m_def.index(m_indexName);
        if (!ix)
            throw DbError(QStringLiteral("Index %1 neexistuje v tabuľke %2.").arg(m_indexName, m_def.name));
        for (int k = 0; k < ix->fields.size(); ++k)
            m_keyCols.append({ix->fields[k], ix->collations.value(k, QStringLiteral("BINARY")), ix->descending.value(k)});
    }
    m_indexFieldCount = int(m_keyCols.size());
    for (int k = 0; k < m_def.primaryKey.fields.size(); ++k) {
        const int f = m_def.primaryKey.fields[k];
        if (std::none_of(m_keyCols.begin(), m_keyCols.end(), [&](const KeyCol &c) { return c.field == f; }))
            m_keyCols.append({f, m_def.primaryKey.collations.value(k, QStringLiteral("BINARY")), false});
    }
}

QString Table::orderClause() const
{
    QStringList parts;
    for (const KeyCol &c : m_keyCols)
        parts << quoteSqlName(m_def.fields[c.field].name) + QStringLiteral(" COLLATE ") + c.collation + (c.desc ? QStringLiteral(" DESC") : QString())
                     + session().blanksFirstClause(c.desc);
    parts << QStringLiteral("rowid");
    return QStringLiteral(" ORDER BY ") + parts.join(u", ");
}

QVariantList Table::toKeyStorage(const QVariantList &values) const
{
    QVariantList out;
    for (int i = 0; i < values.size() && i < m_keyCols.size(); ++i) {
        const FieldDef &f = m_def.fields[m_keyCols[i].field];
        out << toStorage(f.type, normalizeValue(f.type, values[i], f.size));
    }
    return out;
}

QString Table::whereClause(QVariantList &binds, QByteArray *shape) const
{
    QStringList conds;
    // One condition: its text, or its form (operator and key column) in the shape.
    auto cond = [&](int k, char op, const QString &text) {
        if (shape) {
            shape->append(op);
            shape->append(char(k));
        } else {
            conds << quoteSqlName(m_def.fields[m_keyCols[k].field].name) + text;
        }
    };
    auto collated = [&](int k, const QString &op) { return QStringLiteral(" COLLATE ") + m_keyCols[k].collation + op; };
    if (m_masterLinked) {
        for (int k = 0; k < m_masterValues.size(); ++k) {
            if (!m_masterValues[k].isValid()) {
                cond(k, 'n', QStringLiteral(" IS NULL"));
            } else {
                cond(k, '=', shape ? QString() : collated(k, QStringLiteral(" = ?")));
                binds << m_masterValues[k];
            }
        }
    }
    if (m_rangeStart || m_rangeEnd) {
        static const QVariantList none;
        const QVariantList &s = m_rangeStart ? *m_rangeStart : none;
        const QVariantList &e = m_rangeEnd ? *m_rangeEnd : none;
        int k = 0;
        while (k < s.size() && k < e.size() && s[k].isValid() && e[k].isValid()
               && compareStoredValues(s[k], e[k], m_keyCols[k].collation) == 0) {
            cond(k, '=', shape ? QString() : collated(k, QStringLiteral(" = ?")));
            binds << s[k];
            ++k;
        }
        const bool desc = k < m_keyCols.size() && m_keyCols[k].desc;
        if (k < s.size() && s[k].isValid()) {
            cond(k, desc ? '<' : '>', shape ? QString() : collated(k, desc ? QStringLiteral(" <= ?") : QStringLiteral(" >= ?")));
            binds << s[k];
        }
        if (k < e.size() && e[k].isValid()) {
            cond(k, desc ? '}' : '{', shape ? QString() : collated(k, desc ? QStringLiteral(" >= ?") : QStringLiteral(" <= ?")));
            binds << e[k];
        }
    }
    return conds.isEmpty() ? QString() : QStringLiteral(" WHERE ") + conds.join(QStringLiteral(" AND "));
}

// The select of the row list: made once for each form of its conditions (a range narrowed
// to one record after another runs the same text).
QString Table::listSql(const QVector<int> &cols, QVariantList &binds)
{
    QByteArray shape;
    shape.reserve(2 * cols.size() + 16);
    for (int c : cols) {
        shape.append(char(c & 0xFF));
        shape.append(char(c >> 8));
    }
    shape.append('|');
    whereClause(binds, &shape);
    if (auto it = m_listSql.constFind(shape); it != m_listSql.constEnd())
        return *it;
    QStringList names;
    names << QStringLiteral("rowid");
    for (int c : cols)
        names << quoteSqlName(m_def.fields[c].name);
    QVariantList again;
    if (m_orderSql.isEmpty())
        m_orderSql = orderClause();
    const QString sql = QStringLiteral("SELECT %1 FROM %2").arg(names.join(u", "), quotedTable()) + whereClause(again) + m_orderSql;
    if (m_listSql.size() > 64)
        m_listSql.clear();
    m_listSql.insert(shape, sql);
    return sql;
}

int Table::comparePrefix(size_t row, const QVariantList &bound) const
{
    for (int k = 0; k < bound.size() && k < m_keyCols.size(); ++k) {
        int c = compareStoredValues(keyAt(row, size_t(k)), bound[k], m_keyCols[k].collation);
        if (m_keyCols[k].desc)
            c = -c;
        if (c != 0)
            return c;
    }
    return 0;
}

bool Table::rowInRange(const QVector<QVariant> &key) const
{
    auto cmp = [&](const QVariantList &bound) {
        for (int k = 0; k < bound.size() && k < key.size(); ++k) {
            int c = compareStoredValues(key[k], bound[k], m_keyCols[k].collation);
            if (m_keyCols[k].desc)
                c = -c;
            if (c != 0)
                return c;
        }
        return 0;
    };
    if (m_masterLinked && cmp(m_masterValues) != 0)
        return false;
    if (m_rangeStart && cmp(*m_rangeStart) < 0)
        return false;
    if (m_rangeEnd) {
        const int c = cmp(*m_rangeEnd);
        if (c > 0)
            return false;
        if (c == 0 && !m_rangeEquals) {
            // Key fields beyond the end values are blank in the end key: a filled one is after it.
            for (int k = int(m_rangeEnd->size()); k < key.size(); ++k)
                if (key[k].isValid())
                    return false;
        }
    }
    return true;
}

void Table::loadRows()
{
    clearRows();
    Session &s = session();
    // Columns read for the list: the key, and what the filter needs.
    QVector<int> cols;
    for (const KeyCol &c : m_keyCols)
        cols << c.field;
    const bool callback = isFiltered() && hasFilterCallback();
    if (callback) {
        for (int i = 0; i < m_def.fields.size(); ++i)
            if (!cols.contains(i))
                cols << i;
    } else if (hasFilterText()) {
        for (const QString &n : filterExpression().fieldNames()) {
            const int i = m_def.fieldIndex(n);
            if (i < 0)
                throw DbError(QStringLiteral("Položka %1 z filtra neexistuje v tabuľke %2.").arg(n, m_def.name));
            if (!cols.contains(i))
                cols << i;
        }
    }
    QVariantList binds;
    const QString sql = listSql(cols, binds);
    const bool filtering = filterActive();
    const int nk = int(m_keyCols.size());
    Record tmp;
    tmp.values = QVector<QVariant>(fieldCount());
    QVector<QVariant> key(nk);
    Session::Lease st(s, sql);
    for (int i = 0; i < binds.size(); ++i)
        st->bind(i + 1, binds[i]);
    while (st->step()) {
        const qint64 id = st->columnInt64(0);
        // Read into the same variants row after row: numbers keep their storage.
        for (int k = 0; k < nk; ++k)
            st->columnInto(k + 1, key[k]);
        if (!rowInRange(key))
            continue;
        if (filtering) {
            tmp.id = id;
            for (int j = 0; j < cols.size(); ++j)
                tmp.values[cols[j]] = fromStorage(m_def.fields[cols[j]].type, st->column(j + 1));
            if (!passesFilter(tmp))
                continue;
        }
        m_order.push_back(int(m_slotIds.size()));
        m_slotIds.push_back(id);
        for (int k = 0; k < nk; ++k)
            m_slotKeys.push_back(key[k]);
    }
}

void Table::reloadRows() { loadRows(); }

int Table::positionOfId(qint64 id) const
{
    if (m_posIndex.isEmpty() && !m_order.empty()) {
        m_posIndex.reserve(qsizetype(m_order.size()));
        for (size_t i = 0; i < m_order.size(); ++i)
            m_posIndex.insert(idAt(i), int(i));
    }
    return m_posIndex.value(id, -1);
}

// SQLite's rules for the affinity of a declared column type, in their order.
Table::Affinity Table::affinityOfDeclared(const QString &declared)
{
    const QString t = declared.toUpper();
    if (t.contains(u"INT"))
        return Table::Affinity::Integer;
    if (t.contains(u"CHAR") || t.contains(u"CLOB") || t.contains(u"TEXT"))
        return Table::Affinity::Text;
    if (t.contains(u"BLOB") || t.trimmed().isEmpty())
        return Table::Affinity::Blob;
    if (t.contains(u"REAL") || t.contains(u"FLOA") || t.contains(u"DOUB"))
        return Table::Affinity::Real;
    return Table::Affinity::Numeric;
}


bool Table::storedAfterWrite(const StoredValues &base, const int *fields, const QVariant *bound, int count,
                             StoredValues &stored) const
{
    const int n = int(m_def.fields.size());
    if (m_affinity.size() != n)
        return false;
    StoredValues out = base.size() == n ? base : StoredValues(n);
    for (int k = 0; k < count; ++k) {
        const int i = fields[k];
        const QVariant &v = bound[k];
        const Affinity a = m_affinity[i];
        const bool number = typeIdOf(v) == QMetaType::Double || typeIdOf(v) == QMetaType::LongLong;
        if (!number && (!v.isValid() || v.isNull())) {
            out.setNull(i);
            continue;
        }
        switch (typeIdOf(v)) {
        case QMetaType::LongLong:
            if (a == Affinity::Real)
                return false;
            if (a == Affinity::Text)
                return false;
            out.set(i, v);
            break;
        case QMetaType::Double: {
            const double d = *static_cast<const double *>(v.constData());
            // An integral double in an integer or numeric column becomes an integer; a
            // number in a text column becomes text; NaN is stored as NULL.
            if (std::isnan(d) || a == Affinity::Text
                || ((a == Affinity::Integer || a == Affinity::Numeric) && d == std::trunc(d)))
                return false;
            out.set(i, v);
            break;
        }
        case QMetaType::QString: {
            const QString *text = static_cast<const QString *>(v.constData());
            // Texts that a numeric column may convert, and those that do not come back
            // from the database as the same QString, are read.
            if (!(a == Affinity::Text || a == Affinity::Blob) || text->isEmpty() || !text->isValidUtf16())
                return false;
            out.set(i, v);
            break;
        }
        case QMetaType::QByteArray:
            out.set(i, v);
            break;
        default:
            return false;
        }
    }
    stored = std::move(out);
    return true;
}

void Table::fetchRow(int pos, Record &rec)
{
    const bool current = &rec == &m_buffer;
    const ReadMark mark = readRow(pos, rec, current);
    if (current) {
        m_readMark = mark;
        m_valuesAsRead = true;
    }
}

DataSet::ReadMark Table::readRow(int pos, Record &rec, bool marked)
{
    const qint64 id = idAt(size_t(pos));
    rec.id = id;
    // Taken before the read: a commit that lands between the two then moves what a later
    // look compares with, and the row is read again.
    ReadMark mark = marked ? readMarkNow(id, m_def.schema) : ReadMark();
    if (takeReadAhead(pos, rec)) {
        mark.id = id;
    } else {
        Session::Lease st(session(), m_selectSql);
        st->bind(1, id);
        if (st->step())
            readColumns(*st, 0, rec);
        else
            rec.read.clear();
    }
    if (rec.read.size() != int(m_def.fields.size())) {
        if (!rec.values.isDetached() || rec.values.size() < fieldCount())
            rec.values = QVector<QVariant>(fieldCount());
        for (int i = 0; i < int(m_def.fields.size()); ++i)
            rec.values[i] = QVariant();
        rec.read.clear();
        return ReadMark();
    }
    return mark;
}

bool Table::takeReadAhead(int pos, Record &rec)
{
    if (!m_ahead.enabled)
        return false;
    Session &s = session();
    const qint64 id = rec.id;
    m_ahead.handedOut = 0;
    if (!m_ahead.rows.isEmpty()) {
        ReadMark now = readMarkNow(-1, m_def.schema);
        if (now == m_ahead.mark) {
            if (const auto kept = m_ahead.rows.constFind(id); kept != m_ahead.rows.cend()) {
                // Handed out once: a second read of the row (after a refused save, say)
                // reads it anew.
                rec.read = kept.value();
                m_ahead.rows.erase(kept);
                m_ahead.handedOut = m_ahead.lockEpoch != 0 ? id : 0;
                valuesFromRead(rec);
                return true;
            }
        } else {
            // Something may have written since: the rows still waiting are not trusted,
            // and a cursor whose reads keep being overtaken reads one row at a time.
            m_ahead.rows.clear();
            m_ahead.window = 1;
            m_ahead.end = -1;
        }
    }
    // A cursor that went on from where the last rows read ended takes twice as many next
    // time; one that jumped starts again from one row (read the plain way).
    const int limit = s.readAheadRows();
    m_ahead.window = pos == m_ahead.end ? qMin(m_ahead.window * 2, limit) : 1;
    m_ahead.rows.clear();
    m_ahead.end = pos + 1;
    if (m_ahead.window <= 1)
        return false;
    const int count = qMin(m_ahead.window, rowCount() - pos);
    const QString lock = s.readAheadLockClause();
    const int textKey = m_ahead.window * 2 + (lock.isEmpty() ? 0 : 1);
    auto text = m_aheadSql.constFind(textKey);
    if (text == m_aheadSql.cend()) {
        QStringList names;
        for (const FieldDef &f : m_def.fields)
            names << quoteSqlName(f.name);
        QStringList marks;
        for (int i = 0; i < m_ahead.window; ++i)
            marks << QStringLiteral("?");
        text = m_aheadSql.insert(textKey, QStringLiteral("SELECT %1, rowid FROM %2 WHERE rowid IN (%3)%4")
                                              .arg(names.join(u", "), quotedTable(), marks.join(u", "), lock));
    }
    m_ahead.mark = readMarkNow(-1, m_def.schema);
    m_ahead.lockEpoch = lock.isEmpty() ? 0 : s.rowLockEpoch();
    {
        Session::Lease st(s, *text);
        // A shorter list at the end of the range repeats its last rowid.
        for (int i = 0; i < m_ahead.window; ++i)
            st->bind(i + 1, idAt(size_t(pos + qMin(i, count - 1))));
        const int n = int(m_def.fields.size());
        while (st->step()) {
            StoredValues read(n);
            for (int i = 0; i < n; ++i)
                st->columnInto(i, read, i);
            m_ahead.rows.insert(st->columnInt64(n), std::move(read));
        }
    }
    m_ahead.end = pos + count;
    const auto kept = m_ahead.rows.constFind(id);
    if (kept == m_ahead.rows.cend()) {
        rec.read.clear(); // gone
        return true;
    }
    rec.read = kept.value();
    m_ahead.rows.erase(kept);
    m_ahead.handedOut = m_ahead.lockEpoch != 0 ? id : 0;
    valuesFromRead(rec);
    return true;
}

bool Table::saveIsCertain(qint64 id)
{
    const bool certain = m_ahead.handedOut == id && id != 0 && m_ahead.lockEpoch != 0
                         && m_ahead.lockEpoch == session().rowLockEpoch()
                         && readMarkNow(-1, m_def.schema) == m_ahead.mark;
    // Once saved, the row's next save awaits its answer.
    m_ahead.handedOut = 0;
    return certain;
}

// This dataset's save of one row leaves the other rows read ahead as they were (the row
// itself was handed out before it was edited); anything more leaves the next look to drop
// them.
void Table::noteOwnWrite(qint64 id, qint64 changesBefore, qint64 rowsWritten)
{
    m_ahead.rows.remove(id);
    if (rowsWritten == 1 && m_ahead.mark.changes == changesBefore)
        m_ahead.mark.changes = changesBefore + 1;
}

void Table::readColumns(Statement &st, int first, Record &rec)
{
    const int n = int(m_def.fields.size());
    // Storage shared with another record (the record as it was before an edit) is
    // replaced, not copied and then overwritten.
    if (!rec.read.isDetached() || rec.read.size() != n)
        rec.read = StoredValues(n);
    st.columnsInto(first, rec.read);
    valuesFromRead(rec);
}

void Table::valuesFromRead(Record &rec) const
{
    const int n = int(m_def.fields.size());
    if (!rec.values.isDetached() || rec.values.size() < fieldCount())
        rec.values = QVector<QVariant>(fieldCount());
    QVariant *values = rec.values.data();
    const StoredValues &read = rec.read;
    const StoredValues::Kind *numberKind = m_numberKind.constData();
    if (m_numberKind.size() != n)
        throw StateError(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(m_table));
    for (int i = 0; i < n; ++i) {
        // A number stored in the field's own form is its value; put in place without a
        // temporary variant.
        const StoredValues::Kind kind = read.kind(i);
        if (kind == StoredValues::Kind::Null)
            values[i] = QVariant();
        else if (kind == numberKind[i])
            kind == StoredValues::Kind::Real ? values[i].setValue(read.real(i)) : values[i].setValue(read.integer(i));
        else
            values[i] = fromStorage(m_def.fields.at(i).type, read.at(i));
    }
}

void Table::markRead(const Record &rec, qint64 id)
{
    m_readMark = rec.read.size() == int(m_def.fields.size()) ? readMarkNow(id, m_def.schema) : ReadMark();
}

void Table::fetchRowForEdit(int pos, Record &rec)
{
    const qint64 id = idAt(size_t(pos));
    const Record &current = currentRecord();
    if (&current == &m_buffer && current.id == id && m_readMark.id == id
        && current.read.size() == int(m_def.fields.size()) && readMarkNow(id, m_def.schema) == m_readMark) {
        // Nothing can have changed the row since it was read: its values as read stand.
        rec.id = id;
        rec.read = current.read;
        if (m_valuesAsRead && current.values.size() == fieldCount()) {
            // The current values are those of the row as read (calculated fields are
            // computed again by the edit).
            rec.values = current.values;
            return;
        }
        if (rec.values.size() < fieldCount())
            rec.values.resize(fieldCount());
        for (int i = 0; i < rec.read.size(); ++i)
            rec.values[i] = fromStorage(m_def.fields[i].type, rec.read.at(i));
        return;
    }
    const ReadMark mark = readRow(pos, rec, true);
    if (rec.read.isEmpty())
        throw RecordChangedError();
    m_readMark = mark;
    m_valuesAsRead = true;
}

void Table::readStored(qint64 id, Record &rec)
{
    Session::Lease st(session(), m_selectSql);
    st->bind(1, id);
    const int n = int(m_def.fields.size());
    if (!st->step()) {
        rec.read.clear();
        return;
    }
    if (!rec.read.isDetached() || rec.read.size() != n)
        rec.read = StoredValues(n);
    st->columnsInto(0, rec.read);
}

void Table::bindMatch(Statement &st, int first, qint64 id, const StoredValues &read) const
{
    st.bind(first, id);
    st.bindRow(first + 1, read);
}

int Table::compareKeyWithRow(const QVector<QVariant> &key, qint64 id, size_t row) const
{
    const size_t stride = size_t(m_keyCols.size());
    for (size_t k = 0; k < stride; ++k) {
        int c = compareStoredValues(key[int(k)], keyAt(row, k), m_keyCols[int(k)].collation);
        if (m_keyCols[int(k)].desc)
            c = -c;
        if (c != 0)
            return c;
    }
    const qint64 other = idAt(row);
    return id < other ? -1 : id > other ? 1 : 0;
}

int Table::writeRow(Record &rec, bool inserting)
{
    Session &s = session();
    const int n = int(m_def.fields.size());
    qint64 id = rec.id;
    if (inserting) {
        QVector<QVariant> bound(n);
        qint64 rowsWritten = 0;
        {
            Session::Lease st(s, m_insertSql);
            for (int i = 0; i < n; ++i) {
                bound[i] = toStorage(m_def.fields[i].type, rec.values[i]);
                st->bind(i + 1, bound[i]);
            }
            const qint64 before = s.totalChanges();
            st->exec();
            rowsWritten = s.totalChanges() - before;
        }
        id = s.lastInsertRowid();
        bool reread = m_def.rowidAlias >= 0 && !rec.values[m_def.rowidAlias].isValid();
        for (int i = 0; i < n && !reread; ++i)
            if (m_def.fields[i].type == FieldType::AutoInc && !rec.values[i].isValid())
                reread = true;
        // The row holds what was bound unless a trigger wrote (then more than the one row
        // changed) or a column converts a value: only then is it read back.
        QVarLengthArray<int, 300> all(n);
        for (int i = 0; i < n; ++i)
            all[i] = i;
        if (reread || rowsWritten != 1 || !storedAfterWrite({}, all.data(), bound.constData(), n, rec.read))
            readStored(id, rec);
        if (&rec == &m_buffer) {
            markRead(rec, id);
            m_valuesAsRead = reread;
        }
        if (reread)
            for (int i = 0; i < n && i < rec.read.size(); ++i)
                rec.values[i] = fromStorage(m_def.fields[i].type, rec.read.at(i));
    } else {
        const StoredValues &oldRead = readBeforeEdit();
        if (oldRead.size() != n)
            throw RecordChangedError();
        // The fields that differ from the record before the edit (only those assigned since
        // can); the text of the update for that set of fields is made once.
        QVarLengthArray<int, 64> written;
        QByteArray shape(qsizetype((n + 7) / 8), '\0');
        // Read through const pointers: the record is only compared here, never detached.
        const QVariant *current = rec.values.constData();
        forEachAssignedSinceEdit(n, [&](int i) {
            const QVariant &a = current[i];
            const QVariant &b = valueBeforeEdit(i);
            const int type = typeIdOf(a);
            const bool same = type == typeIdOf(b)
                              && (type == QMetaType::Double
                                      ? *static_cast<const double *>(a.constData()) == *static_cast<const double *>(b.constData())
                                  : type == QMetaType::LongLong
                                      ? *static_cast<const qint64 *>(a.constData()) == *static_cast<const qint64 *>(b.constData())
                                      : (!a.isValid() || a == b));
            if (!same) {
                written.append(i);
                shape[i / 8] = char(shape[i / 8] | (1 << (i % 8)));
            }
        });
        if (!written.isEmpty()) {
            // A row read ahead and locked in this transaction, with nothing written to the
            // table since, cannot differ from what was read: its save matches the rowid
            // alone (the whole-row comparison is most of the server's work per save) and
            // goes without waiting for the answer.
            const bool certain = saveIsCertain(id);
            shape.append(certain ? '\1' : '\0');
            auto text = m_updateSql.constFind(shape);
            if (text == m_updateSql.constEnd()) {
                QStringList sets;
                for (int i : written)
                    sets << quoteSqlName(m_def.fields[i].name) + QStringLiteral(" = ?");
                if (m_updateSql.size() > 256)
                    m_updateSql.clear();
                text = m_updateSql.insert(shape, QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                                     .arg(quotedTable(), sets.join(u", "),
                                                          certain ? QStringLiteral("rowid = ?") : m_matchSql));
            }
            qint64 changed = 0;
            qint64 rowsWritten = 0;
            QVarLengthArray<QVariant, 64> bound;
            {
                Session::Lease st(s, *text);
                int b = 0;
                for (int i : written) {
                    bound.append(toStorage(m_def.fields[i].type, rec.values[i]));
                    st->bind(++b, bound.back());
                }
                if (certain)
                    st->bind(b + 1, id);
                else
                    bindMatch(*st, b + 1, id, oldRead);
                const qint64 before = s.totalChanges();
                // The post's level is rolled back only when the post fails after this
                // write; the transaction is then lost with it, never stored in part.
                changed = certain ? st->execDeferred(1, true) : st->exec();
                rowsWritten = s.totalChanges() - before;
                noteOwnWrite(id, before, rowsWritten);
            }
            if (changed != 1)
                throw RecordChangedError();
            if (m_def.rowidAlias >= 0 && rec.values[m_def.rowidAlias].isValid())
                id = rec.values[m_def.rowidAlias].toLongLong();
            // What is stored now (triggers included) is what the next save or delete matches:
            // the values as read with the written ones in place, unless a trigger wrote too
            // or a column converts a value, and then the row is read back.
            if (rowsWritten != 1
                || !storedAfterWrite(oldRead, written.data(), bound.data(), int(written.size()), rec.read))
                readStored(id, rec);
            if (&rec == &m_buffer) {
                markRead(rec, id);
                m_valuesAsRead = false;
            }
        }
    }
    // Keep the row list in order.
    QVector<QVariant> key(m_keyCols.size());
    for (int k = 0; k < m_keyCols.size(); ++k)
        key[k] = toStorage(m_def.fields[m_keyCols[k].field].type, rec.values[m_keyCols[k].field]);
    if (!inserting) {
        const int oldPos = m_pos >= 0 && size_t(m_pos) < m_order.size() && idAt(size_t(m_pos)) == rec.id
                               ? m_pos
                               : positionOfId(rec.id);
        // A row that keeps its key and id keeps its place: the list and its positions stay.
        if (oldPos >= 0 && id == rec.id && compareKeyWithRow(key, id, size_t(oldPos)) == 0 && rowInRange(key)
            && passesFilter(rec)) {
            const size_t slot = size_t(m_order[size_t(oldPos)]) * size_t(m_keyCols.size());
            for (int k = 0; k < m_keyCols.size(); ++k)
                m_slotKeys[slot + size_t(k)] = key[k];
            return oldPos;
        }
        if (oldPos >= 0)
            eraseRowAt(size_t(oldPos));
    }
    invalidatePositions();
    rec.id = id;
    if (!rowInRange(key) || !passesFilter(rec))
        return -1;
    size_t lo = 0, hi = m_order.size();
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        if (compareKeyWithRow(key, id, mid) < 0)
            hi = mid;
        else
            lo = mid + 1;
    }
    insertRowAt(lo, id, key);
    return int(lo);
}

void Table::deleteRow(int pos)
{
    const qint64 id = idAt(size_t(pos));
    // The values read are those of the current record (as read when the cursor came to it,
    // or when its edit began); another row is read now.
    Record other;
    const Record *rec = &currentRecord();
    if (rec->id != id || rec->read.size() != m_def.fields.size()) {
        other.values = QVector<QVariant>(fieldCount());
        fetchRow(pos, other);
        rec = &other;
    }
    if (rec->read.size() != m_def.fields.size())
        throw RecordChangedError();
    qint64 changed = 0;
    {
        Session::Lease st(session(), m_deleteSql);
        bindMatch(*st, 1, id, rec->read);
        changed = st->exec();
    }
    if (changed != 1)
        throw RecordChangedError();
    eraseRowAt(size_t(pos));
}

// ---- order, ranges, find ------------------------------------------------------------------

void Table::setIndexName(const QString &name)
{
    if (name == m_indexName && m_indexFieldNames.isEmpty())
        return;
    switchOrder(name, QString());
}

void Table::setIndexFieldNames(const QString &fields)
{
    if (fields == m_indexFieldNames)
        return;
    switchOrder(fields.isEmpty() ? m_indexName : QString(), fields);
}

void Table::setOrder(const QString &name, const QString &fields)
{
    const QString oldName = m_indexName, oldFields = m_indexFieldNames;
    m_indexName = name;
    m_indexFieldNames = fields;
    if (!isActive())
        return;
    try {
        buildOrder();
    } catch (...) {
        m_indexName = oldName;
        m_indexFieldNames = oldFields;
        buildOrder();
        throw;
    }
}

// A new order keeps the current row and drops the range, which belonged to the old index.
void Table::switchOrder(const QString &name, const QString &fields)
{
    if (!isActive()) {
        setOrder(name, fields);
        return;
    }
    checkBrowseMode();
    setOrder(name, fields);
    m_rangeStart.reset();
    m_rangeEnd.reset();
    m_masterLinked = readMasterValues(m_masterValues);
    resync();
}

void Table::setRange(const QVariantList &start, const QVariantList &end)
{
    if (!isActive())
        throw StateError(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(m_table));
    if (start.size() > m_keyCols.size() || end.size() > m_keyCols.size())
        throw DbError(QStringLiteral("Rozsah tabuľky %1 má viac hodnôt ako index položiek.").arg(m_table));
    checkBrowseMode();
    m_rangeStart = toKeyStorage(start);
    m_rangeEnd = toKeyStorage(end);
    m_rangeEquals = false;
    reloadRows();
    rowsChanged();
}

void Table::setRangeEquals(const QVariantList &values)
{
    if (!isActive())
        throw StateError(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(m_table));
    if (values.size() > m_keyCols.size())
        throw DbError(QStringLiteral("Rozsah tabuľky %1 má viac hodnôt ako index položiek.").arg(m_table));
    checkBrowseMode();
    m_rangeStart = toKeyStorage(values);
    m_rangeEnd = m_rangeStart;
    m_rangeEquals = true;
    reloadRows();
    rowsChanged();
}

void Table::setOrderedRange(const QString &fields, const QVariantList &values)
{
    if (!isActive())
        throw StateError(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(m_table));
    checkBrowseMode();
    const QString oldName = m_indexName, oldFields = m_indexFieldNames;
    m_indexFieldNames = fields;
    if (fields.isEmpty())
        m_indexName.clear();
    try {
        buildOrder();
        if (values.size() > m_keyCols.size())
            throw DbError(QStringLiteral("Rozsah tabuľky %1 má viac hodnôt ako index položiek.").arg(m_table));
        m_rangeStart = toKeyStorage(values);
    } catch (...) {
        m_indexName = oldName;
        m_indexFieldNames = oldFields;
        buildOrder();
        throw;
    }
    m_rangeEnd = m_rangeStart;
    m_rangeEquals = true;
    m_masterLinked = readMasterValues(m_masterValues);
    reloadRows();
    // Gone through in key order: the rows are read ahead (until the row list is read again).
    m_ahead.enabled = true;
    rowsChanged();
}

void Table::cancelRange()
{
    if (!hasRange())
        return;
    m_rangeStart.reset();
    m_rangeEnd.reset();
    m_rangeEquals = false;
    if (isActive()) {
        checkBrowseMode();
        resync();
    }
}

int Table::lowerBound(const QVariantList &bound) const
{
    // A cursor that goes through the list in order looks for the row after its own, or
    // for its own again: each is tried before a search, at one or two comparisons.
    const size_t n = m_order.size();
    for (const int hint : {m_pos + 1, m_pos}) {
        if (hint < 0 || size_t(hint) > n)
            continue;
        const size_t h = size_t(hint);
        if ((h == n || comparePrefix(h, bound) >= 0) && (h == 0 || comparePrefix(h - 1, bound) < 0))
            return hint;
    }
    size_t lo = 0, hi = n;
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        if (comparePrefix(mid, bound) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return int(lo);
}

bool Table::findKey(const QVariantList &values)
{
    if (!isActive())
        throw StateError(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(m_table));
    checkBrowseMode();
    const QVariantList bound = toKeyStorage(values);
    const int p = lowerBound(bound);
    if (p >= rowCount() || comparePrefix(size_t(p), bound) != 0)
        return false;
    setRecordNumber(p + 1);
    return true;
}

void Table::findNearest(const QVariantList &values)
{
    if (!isActive())
        throw StateError(QStringLiteral("Tabuľka %1 nie je otvorená.").arg(m_table));
    checkBrowseMode();
    const int p = qMin(lowerBound(toKeyStorage(values)), rowCount() - 1);
    if (p >= 0)
        setRecordNumber(p + 1);
}

// ---- master / detail ----------------------------------------------------------------------

void Table::setMasterSource(DataSource *source)
{
    m_masterLink.setDataSource(source);
}

void Table::setMasterFields(const QString &fields)
{
    m_masterFieldsText = fields;
    m_masterFields = splitNames(fields);
    masterChanged(true);
}

bool Table::readMasterValues(QVariantList &values) const
{
    values.clear();
    if (m_masterFields.isEmpty() || !m_masterLink.isActive())
        return false;
    DataSet *master = m_masterLink.dataSet();
    QVariantList raw;
    for (const QString &n : m_masterFields)
        raw << master->fieldByName(n).value();
    if (raw.size() > m_keyCols.size())
        throw DbError(QStringLiteral("Tabuľka %1 nemá index pre prepojenie %2.").arg(m_table, m_masterFieldsText));
    values = toKeyStorage(raw);
    return true;
}

void Table::masterChanged(bool force)
{
    if (!isActive())
        return;
    QVariantList values;
    const bool linked = readMasterValues(values);
    if (!force && linked == m_masterLinked) {
        bool same = values.size() == m_masterValues.size();
        for (int k = 0; same && k < values.size(); ++k)
            same = compareStoredValues(values[k], m_masterValues[k], m_keyCols[k].collation) == 0
                && values[k].isValid() == m_masterValues[k].isValid();
        if (same)
            return;
    }
    checkBrowseMode();
    m_masterLinked = linked;
    m_masterValues = values;
    reloadRows();
    rowsChanged();
}

int Table::findRow(const QVector<int> &fields, const QVariantList &values, LocateOptions options)
{
    // Exact matches of stored fields are found by SQL and the earliest of them in the
    // dataset's order is taken; anything else (case, prefixes, calculated fields) row by row.
    bool bySql = true;
    for (int i = 0; i < fields.size() && bySql; ++i)
        bySql = fields[i] < dataFieldCount()
            && !((options.caseInsensitive || options.partialKey) && typeIdOf(values[i]) == QMetaType::QString);
    if (!bySql)
        return DataSet::findRow(fields, values, options);
    QStringList conds;
    QVariantList binds;
    for (int i = 0; i < fields.size(); ++i) {
        const FieldDef &f = m_def.fields[fields[i]];
        const QVariant v = toStorage(f.type, values[i]);
        if (!v.isValid()) {
            conds << quoteSqlName(f.name) + QStringLiteral(" IS NULL");
        } else {
            conds << quoteSqlName(f.name) + QStringLiteral(" = ?");
            binds << v;
        }
    }
    Session::Lease st(session(), QStringLiteral("SELECT rowid FROM %1 WHERE %2").arg(quotedTable(), conds.join(QStringLiteral(" AND "))));
    for (int i = 0; i < binds.size(); ++i)
        st->bind(i + 1, binds[i]);
    int best = -1;
    while (st->step()) {
        const int p = positionOfId(st->columnInt64(0));
        if (p >= 0 && (best < 0 || p < best))
            best = p;
    }
    return best;
}

// ---- lookup ---------------------------------------------------------------------------------

QVariant Table::lookup(const QString &keyFields, const QVariantList &values, const QString &resultFields)
{
    if (!isActive())
        open();
    // Straight from the table: the cursor, range and filter of this dataset stay as they are.
    const QStringList keys = splitNames(keyFields);
    const QStringList results = splitNames(resultFields);
    QStringList conds;
    QVariantList binds;
    for (int i = 0; i < keys.size(); ++i) {
        const int f = m_def.fieldIndex(keys[i]);
        if (f < 0)
            throw DbError(QStringLiteral("Položka %1 neexistuje v tabuľke %2.").arg(keys[i], m_def.name));
        const QVariant v = toStorage(m_def.fields[f].type, normalizeValue(m_def.fields[f].type, values.value(i), 0));
        if (!v.isValid()) {
            conds << quoteSqlName(m_def.fields[f].name) + QStringLiteral(" IS NULL");
        } else {
            conds << quoteSqlName(m_def.fields[f].name) + QStringLiteral(" = ?");
            binds << v;
        }
    }
    QStringList cols;
    QVector<int> rf;
    for (const QString &r : results) {
        const int f = m_def.fieldIndex(r);
        if (f < 0)
            throw DbError(QStringLiteral("Položka %1 neexistuje v tabuľke %2.").arg(r, m_def.name));
        cols << quoteSqlName(m_def.fields[f].name);
        rf << f;
    }
    const QString sql = QStringLiteral("SELECT %1 FROM %2%3%4 LIMIT 1")
                            .arg(cols.join(u", "), quotedTable(),
                                 conds.isEmpty() ? QString() : QStringLiteral(" WHERE ") + conds.join(QStringLiteral(" AND ")),
                                 orderClause());
    Session::Lease st(session(), sql);
    for (int i = 0; i < binds.size(); ++i)
        st->bind(i + 1, binds[i]);
    if (!st->step())
        return {};
    if (rf.size() == 1)
        return fromStorage(m_def.fields[rf[0]].type, st->column(0));
    QVariantList l;
    for (int i = 0; i < rf.size(); ++i)
        l << fromStorage(m_def.fields[rf[i]].type, st->column(i));
    return l;
}

} // namespace tarix::db
