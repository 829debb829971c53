#include "platform/db/query.h"

#include "platform/db/db_error.h"
#include "platform/db/session.h"
#include "platform/db/sql_dialect.h"


namespace tarix::db {

namespace {
const QString kRowidColumn = QStringLiteral("tarix_rowid__");
} // namespace

Query::Query(Session *session) : DataSet(session) {}

Query::~Query()
{
    try {
        close();
    } catch (...) {
    }
    m_masterLink.setDataSource(nullptr);
}

void Query::invalidateSql()
{
    if (isActive())
        close();
}

void Query::setSql(const QString &text)
{
    invalidateSql();
    m_lines = text.split(u'\n');
}

void Query::setSqlLines(const QStringList &lines)
{
    invalidateSql();
    m_lines = lines;
}

void Query::addSqlLine(const QString &line)
{
    invalidateSql();
    m_lines << line;
}

void Query::clearSql()
{
    invalidateSql();
    m_lines.clear();
}

void Query::setDatabaseName(const QString &alias)
{
    if (alias.compare(m_alias, Qt::CaseInsensitive) == 0)
        return;
    invalidateSql();
    m_alias = alias;
}

void Query::setRequestLive(bool live)
{
    invalidateSql();
    m_requestLive = live;
}

void Query::setDataSource(DataSource *master) { m_masterLink.setDataSource(master); }

QStringList Query::parameterNames() { return session().rewrite(sqlText(), m_alias).parameters; }

bool Query::usesSchema(const QString &schema) const
{
    if (!isActive())
        return false;
    for (const QString &t : m_rw.tables)
        if (t.startsWith(schema + u'.'))
            return true;
    return false;
}

Params Query::effectiveParams(const SqlRewrite &rw) const
{
    Params p = m_params;
    if (m_masterLink.isActive()) {
        DataSet *master = m_masterLink.dataSet();
        for (const QString &name : rw.parameters)
            if (!p.contains(name))
                if (Field *f = master->findField(name))
                    p.set(name, f->value());
    }
    return p;
}

void Query::doOpen()
{
    run(true);
}

void Query::run(bool bindFieldsToo)
{
    Session &s = session();
    m_rw = s.rewrite(sqlText(), m_alias);
    m_live = m_requestLive || m_rw.forUpdate;
    QString sql = m_rw.sql;
    if (m_live) {
        if (m_rw.selectListPos < 0 || m_rw.firstTable.isEmpty())
            throw DbError(QStringLiteral("Dotaz nie je možné upravovať: %1").arg(sqlText()));
        const QString ref = m_rw.firstTableAlias.isEmpty() ? m_rw.firstTable : m_rw.firstTableAlias;
        sql.insert(m_rw.selectListPos, QStringLiteral(" %1.rowid AS %2,").arg(ref, kRowidColumn));
    }
    const Params params = effectiveParams(m_rw);
    m_lastMasterParams = params;
    Session::Lease st(s, sql);
    Session::bindParams(*st, m_rw, params);
    const int first = m_live ? 1 : 0;
    const int n = st->columnCount() - first;
    QVector<ColumnInfo> cols(n);
    QVector<bool> declared(n, false);
    m_columns = QVector<Column>(n);
    const std::vector<Statement::ColumnMeta> &meta = st->columns();
    for (int c = 0; c < n; ++c) {
        const Statement::ColumnMeta &m = meta[size_t(c + first)];
        cols[c].name = m.name;
        cols[c].type = FieldType::Unknown;
        cols[c].size = 0;
        cols[c].required = false;
        if (!m.declType.isEmpty()) {
            cols[c].type = m.declared;
            cols[c].size = m.size;
            declared[c] = cols[c].type != FieldType::Unknown;
        }
        m_columns[c] = {m.databaseName, m.originTable, m.originName};
    }
    m_liveColumns.clear();
    m_matchSql.clear();
    if (m_live) {
        const QString ft = m_rw.firstTable;
        m_liveSchema = ft.section(u'.', 0, 0);
        m_liveTable = ft.section(u'.', 1);
        // A save and a delete match the row by its rowid and the live table's values as read
        // (binary for texts, so a change of case alone is seen).
        QStringList match;
        QStringList names;
        match << QStringLiteral("rowid = ?");
        for (int c = 0; c < n; ++c)
            if (isLiveColumn(c)) {
                m_liveColumns << c;
                match << quoteSqlName(m_columns[c].originName) + QStringLiteral(" IS ? COLLATE BINARY");
                names << quoteSqlName(m_columns[c].originName);
            }
        m_matchSql = match.join(QStringLiteral(" AND "));
        m_readSql = QStringLiteral("SELECT %1 FROM %2.%3 WHERE rowid = ?")
                        .arg(names.isEmpty() ? QStringLiteral("rowid") : names.join(u", "), quoteSqlName(m_liveSchema), quoteSqlName(m_liveTable));
    }
    std::vector<Record> rows;
    QVector<FieldType> declaredTypes(n, FieldType::Unknown);
    for (int c = 0; c < n; ++c)
        if (declared[c])
            declaredTypes[c] = cols[c].type;
    ResultColumnTypes columnTypes(declaredTypes);
    qint64 counter = 0;
    // Taken before the rows are read: a commit while reading makes the next edit read again.
    m_rowsMark = m_live ? readMarkNow(-1, m_liveSchema) : ReadMark();
    m_rowMark = ReadMark();
    while (st->step()) {
        Record r;
        r.values = QVector<QVariant>(n);
        r.id = m_live ? st->columnInt64(0) : counter++;
        if (m_live)
            r.read = StoredValues(n);
        for (int c = 0; c < n; ++c) {
            QVariant raw = st->column(c + first);
            if (m_live)
                r.read.set(c, raw);
            r.values[c] = columnTypes.take(c, std::move(raw));
        }
        rows.push_back(std::move(r));
    }
    for (int c = 0; c < n; ++c)
        cols[c].type = columnTypes.type(c);
    if (bindFieldsToo)
        bindFields(cols);
    m_nextId = counter;
    m_rows = std::move(rows);
    applyFilter();
}

void Query::applyFilter()
{
    m_visible.clear();
    const bool filtering = filterActive();
    Record tmp;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (filtering) {
            tmp.id = m_rows[i].id;
            tmp.values = m_rows[i].values;
            tmp.values.resize(fieldCount());
            if (!passesFilter(tmp))
                continue;
        }
        m_visible.push_back(int(i));
    }
}

void Query::doClose()
{
    m_rows.clear();
    m_visible.clear();
}

void Query::reloadRows() { run(false); }

void Query::fetchRow(int pos, Record &rec)
{
    const Record &r = m_rows.at(size_t(m_visible.at(size_t(pos))));
    rec.id = r.id;
    if (rec.values.size() < fieldCount())
        rec.values.resize(fieldCount());
    for (int i = 0; i < r.values.size(); ++i)
        rec.values[i] = r.values[i];
    rec.read = r.read;
}

void Query::fetchRowForEdit(int pos, Record &rec)
{
    fetchRow(pos, rec);
    if (!m_live)
        return;
    ReadMark now = readMarkNow(rec.id, m_liveSchema);
    const bool rowUnchanged = now == m_rowMark;
    now.id = -1;
    if (rowUnchanged || now == m_rowsMark)
        return; // nothing can have written the row since it was read
    const int n = dataFieldCount();
    QVector<QVariant> stored(n);
    if (!readLive(rec.id, stored))
        throw RecordChangedError();
    // The live table's columns as stored now; the other columns stay as the query read them.
    Record &row = m_rows.at(size_t(m_visible.at(size_t(pos))));
    if (row.read.size() != n)
        row.read.resize(n);
    for (int c : std::as_const(m_liveColumns)) {
        row.read.set(c, stored[c]);
        row.values[c] = fromStorage(field(c).type(), stored[c]);
    }
    fetchRow(pos, rec);
    m_rowMark = now;
    m_rowMark.id = rec.id;
}

int Query::positionOfId(qint64 id) const
{
    for (size_t p = 0; p < m_visible.size(); ++p)
        if (m_rows[size_t(m_visible[p])].id == id)
            return int(p);
    return -1;
}

int Query::writeRow(Record &rec, bool inserting)
{
    if (!m_live)
        throw StateError(QStringLiteral("Výsledok dotazu nie je možné upravovať."));
    Session &s = session();
    const int n = dataFieldCount();
    QStringList cols;
    QVariantList binds;
    const StoredValues &oldRead = readBeforeEdit();
    if (!inserting && oldRead.size() != n)
        throw RecordChangedError();
    for (int c = 0; c < n; ++c) {
        if (!isLiveColumn(c))
            continue;
        if (!inserting) {
            const QVariant &a = rec.values[c], &b = valueBeforeEdit(c);
            if (a.isValid() == b.isValid() && (!a.isValid() || a == b))
                continue;
        }
        cols << quoteSqlName(m_columns[c].originName);
        binds << toStorage(field(c).type(), rec.values[c]);
    }
    const QString table = quoteSqlName(m_liveSchema) + u'.' + quoteSqlName(m_liveTable);
    qint64 id = rec.id;
    if (inserting) {
        QStringList marks;
        for (int i = 0; i < cols.size(); ++i)
            marks << QStringLiteral("?");
        Session::Lease st(s, (cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                             : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, cols.join(u", "), marks.join(u", ")))
                                 + s.insertedRowidClause());
        for (int i = 0; i < binds.size(); ++i)
            st->bind(i + 1, binds[i]);
        st->exec();
        id = s.lastInsertRowid();
    } else if (!cols.isEmpty()) {
        QStringList sets;
        for (const QString &c : cols)
            sets << c + QStringLiteral(" = ?");
        qint64 changed = 0;
        {
            Session::Lease st(s, QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(table, sets.join(u", "), m_matchSql));
            for (int i = 0; i < binds.size(); ++i)
                st->bind(i + 1, binds[i]);
            bindMatch(*st, int(binds.size()) + 1, rec.id, oldRead);
            changed = st->exec();
        }
        if (changed != 1)
            throw RecordChangedError();
    }
    rec.id = id;
    // What is stored now (triggers included) is what the next save or delete matches.
    if (inserting || !cols.isEmpty())
        readStored(rec, n);
    Record stored;
    stored.id = id;
    stored.values = rec.values.mid(0, n);
    stored.read = rec.read;
    int rowIndex = -1;
    if (inserting) {
        m_rows.push_back(stored);
        rowIndex = int(m_rows.size()) - 1;
    } else {
        for (size_t i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].id == id) {
                m_rows[i] = stored;
                rowIndex = int(i);
                break;
            }
    }
    const int oldPos = inserting ? -1 : positionOfId(id);
    if (oldPos >= 0)
        m_visible.erase(m_visible.begin() + oldPos);
    if (!passesFilter(rec))
        return -1;
    if (inserting) {
        m_visible.push_back(rowIndex);
        return int(m_visible.size()) - 1;
    }
    const int at = oldPos >= 0 ? oldPos : int(m_visible.size());
    m_visible.insert(m_visible.begin() + at, rowIndex);
    return at;
}

void Query::deleteRow(int pos)
{
    if (!m_live)
        throw StateError(QStringLiteral("Výsledok dotazu nie je možné upravovať."));
    const int rowIndex = m_visible.at(size_t(pos));
    const qint64 id = m_rows[size_t(rowIndex)].id;
    const StoredValues &read = m_rows[size_t(rowIndex)].read;
    if (read.size() != dataFieldCount())
        throw RecordChangedError();
    qint64 changed = 0;
    {
        Session::Lease st(session(), QStringLiteral("DELETE FROM %1.%2 WHERE %3").arg(quoteSqlName(m_liveSchema), quoteSqlName(m_liveTable), m_matchSql));
        bindMatch(*st, 1, id, read);
        changed = st->exec();
    }
    if (changed != 1)
        throw RecordChangedError();
    m_rows.erase(m_rows.begin() + rowIndex);
    m_visible.erase(m_visible.begin() + pos);
    for (int &v : m_visible)
        if (v > rowIndex)
            --v;
}

bool Query::isLiveColumn(int c) const
{
    const Column &col = m_columns[c];
    return !col.originName.isEmpty() && col.originTable.compare(m_liveTable, Qt::CaseInsensitive) == 0
        && col.originSchema.compare(m_liveSchema, Qt::CaseInsensitive) == 0;
}

void Query::bindMatch(Statement &st, int first, qint64 id, const StoredValues &read) const
{
    st.bind(first, id);
    for (int k = 0; k < m_liveColumns.size(); ++k)
        st.bind(first + 1 + k, read, m_liveColumns[k]);
}

void Query::readStored(Record &rec, int n)
{
    QVector<QVariant> read(n);
    readLive(rec.id, read);
    rec.read = std::move(read);
}

bool Query::readLive(qint64 id, QVector<QVariant> &read)
{
    Session::Lease st(session(), m_readSql);
    st->bind(1, id);
    if (!st->step())
        return false;
    for (int k = 0; k < m_liveColumns.size(); ++k)
        read[m_liveColumns[k]] = st->column(k);
    return true;
}

qint64 Query::execSql()
{
    if (isActive())
        close();
    const SqlRewrite rw = session().rewrite(sqlText(), m_alias);
    const SqlResult r = session().run(sqlText(), effectiveParams(rw), m_alias);
    m_rowsAffected = r.rowsAffected();
    return m_rowsAffected;
}

void Query::masterChanged()
{
    if (!isActive() || !m_masterLink.isActive())
        return;
    const Params p = effectiveParams(m_rw);
    bool same = p.values().size() == m_lastMasterParams.values().size();
    for (const auto &e : p.values())
        if (!same || !m_lastMasterParams.contains(e.first) || m_lastMasterParams.value(e.first) != e.second)
            same = false;
    if (same)
        return;
    close();
    open();
}

} // namespace tarix::db
