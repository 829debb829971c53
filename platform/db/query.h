#pragma once
// A query dataset: one SQL text of the program's dialect, run against a default alias that
// owns its unqualified table names (switchable, e.g. TARIX_DATA <-> TARIX_DATX), with named
// parameters set without regard to case. Rows are read at once when it opens.
//
// A query is read-only unless it is live (setRequestLive, or a text ending in
// "for update of ..."): live rows of a one-table select are written back by rowid.
// With a data source, parameters not set by hand take the master row's field of the same
// name and the query runs again whenever the master moves to a row with other values.
#include "platform/db/datasource.h"
#include "platform/db/params.h"
#include "platform/db/sql_dialect.h"

#include <QStringList>

namespace tarix::db {

class Statement;

class Query : public DataSet {
public:
    explicit Query(Session *session = nullptr);
    ~Query() override;

    // The text, kept as lines that are joined with line breaks.
    void setSql(const QString &text);
    void setSqlLines(const QStringList &lines);
    void addSqlLine(const QString &line);
    void clearSql();
    QStringList sqlLines() const { return m_lines; }
    QString sqlText() const { return m_lines.join(u'\n'); }

    void setDatabaseName(const QString &alias);
    QString databaseName() const { return m_alias; }

    Params &params() { return m_params; }
    void setParam(const QString &name, const QVariant &value) { m_params.set(name, value); }
    QVariant param(const QString &name) const { return m_params.value(name); }
    // Parameter names of the current text (lower case).
    QStringList parameterNames();

    void setDataSource(DataSource *master);
    DataSource *dataSource() const { return m_masterLink.dataSource(); }

    void setRequestLive(bool live);
    bool requestLive() const { return m_requestLive; }
    bool isLive() const { return m_live; }

    // Runs a statement that returns no rows; returns the rows changed.
    qint64 execSql();
    qint64 rowsAffected() const { return m_rowsAffected; }

    bool canModify() const override { return m_live; }
    QString aliasName() const override { return m_alias; }
    bool usesSchema(const QString &schema) const override;

protected:
    void doOpen() override;
    void doClose() override;
    int rowCount() const override { return int(m_visible.size()); }
    void fetchRow(int pos, Record &rec) override;
    void fetchRowForEdit(int pos, Record &rec) override;
    int writeRow(Record &rec, bool inserting) override;
    void deleteRow(int pos) override;
    void reloadRows() override;
    void refilterRows() override { applyFilter(); }
    int positionOfId(qint64 id) const override;

private:
    class MasterLink : public DataLink {
    public:
        explicit MasterLink(Query &q) : m_query(q) {}
        void activeChanged() override { m_query.masterChanged(); }
        void dataSetChanged() override { m_query.masterChanged(); }
        void dataSetScrolled() override { m_query.masterChanged(); }
        void recordChanged(Field *) override {}

    private:
        Query &m_query;
    };
    struct Column {
        QString originSchema, originTable, originName;
    };
    void run(bool bindFieldsToo);
    void applyFilter();
    Params effectiveParams(const SqlRewrite &rw) const;
    void masterChanged();
    void invalidateSql();
    bool isLiveColumn(int c) const;
    void bindMatch(Statement &st, int first, qint64 id, const StoredValues &read) const;
    void readStored(Record &rec, int n);
    // Reads the live table's columns of the row into `read` (sized to the fields); false when
    // the row is gone.
    bool readLive(qint64 id, QVector<QVariant> &read);

    QStringList m_lines;
    QString m_alias;
    Params m_params;
    Params m_lastMasterParams;
    bool m_requestLive = false;
    bool m_live = false;
    qint64 m_rowsAffected = 0;
    MasterLink m_masterLink{*this};
    SqlRewrite m_rw;
    QVector<Column> m_columns;
    QString m_liveSchema, m_liveTable;
    QVector<int> m_liveColumns; // result columns of the live table, matched on save
    QString m_matchSql, m_readSql;
    std::vector<Record> m_rows;     // every row read (data values)
    std::vector<int> m_visible;     // rows passing the filter, in order
    ReadMark m_rowsMark;            // when the rows were read (id -1: all of them)
    ReadMark m_rowMark;             // when one row was read again for an edit
    qint64 m_nextId = 0;
};

} // namespace tarix::db
