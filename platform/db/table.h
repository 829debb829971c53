#pragma once
// A table dataset: one table of an alias's database (or of a folder given by path), in the
// order of its key or of a named index, narrowed by a range, a master link and a filter.
//
// The row list (rowids with their key values) of the current range, master link and filter
// is read at once in index order; rows are read by rowid when the cursor reaches them.
// Posts write by rowid with prepared statements and keep the list in order in memory.
//
// Ranges work on the current index's fields. Both ends are included; values not given are
// blank, and blank sorts first: a start (E, P) takes every row from (E, P, anything) on, and
// an end (E, P + 1) leaves out every row of (E, P + 1) whose remaining key fields are filled,
// so the range (E, P)..(E, P + 1) holds exactly the rows of (E, P). setRangeEquals gives the
// rows whose leading key fields equal the values.
#include "platform/db/datasource.h"
#include "platform/db/schema.h"

#include <QHash>
#include <optional>

namespace tarix::db {

class Statement;

class Table : public DataSet {
public:
    friend class CursorStateGuard;
    explicit Table(Session *session = nullptr);
    ~Table() override;

    // Alias ("TARIX_DATA") and table name ("Zam.DB", "zam"); a table name holding a folder
    // ("/x/DATA01/INF.DB") opens that folder's database without an alias.
    void setDatabaseName(const QString &alias);
    QString databaseName() const { return m_alias; }
    void setTableName(const QString &name);
    QString tableName() const { return m_table; }
    // Whether the table exists (its database can be read and holds it).
    bool exists();
    const TableDef &tableDef() const { return m_def; }

    // ---- order -------------------------------------------------------------------------------
    // Named index ("ZAM1"); empty: the key. Switching keeps the current row.
    void setIndexName(const QString &name);
    QString indexName() const { return m_indexName; }
    // Order by these fields ("Code_emp;V_obdobie") instead of a named index.
    void setIndexFieldNames(const QString &fields);
    QString indexFieldNames() const { return m_indexFieldNames; }
    QStringList indexFields() const; // fields of the current order (open tables)

    // ---- ranges ------------------------------------------------------------------------------
    void setRange(const QVariantList &start, const QVariantList &end);
    void setRangeEquals(const QVariantList &leadingValues);
    void cancelRange();
    // The order by `fields` ("V_obdobie;Code_emp") and the rows whose leading fields equal
    // `leadingValues`, set together: the row list is read once, for the range only.
    void setOrderedRange(const QString &fields, const QVariantList &leadingValues);
    bool hasRange() const { return m_rangeStart.has_value() || m_rangeEnd.has_value(); }

    // ---- find on the current index -----------------------------------------------------------
    // First row whose leading index fields equal the values (fewer values than index fields:
    // a key prefix). Returns false and stays put when there is none.
    bool findKey(const QVariantList &values);
    // First row at or after the values; the last row when all are before them.
    void findNearest(const QVariantList &values);

    // ---- master / detail ---------------------------------------------------------------------
    // The leading fields of the current index follow the master's fields ("Code_numb;Code_emp")
    // while the master's data source is enabled; disabled, every row shows.
    void setMasterSource(DataSource *source);
    DataSource *masterSource() const { return m_masterLink.dataSource(); }
    void setMasterFields(const QString &fields);
    QString masterFields() const { return m_masterFieldsText; }

    QVariant lookup(const QString &keyFields, const QVariantList &values,
                    const QString &resultFields) override;
    QString aliasName() const override { return m_alias; }
    bool usesSchema(const QString &schema) const override { return isActive() && m_def.schema == schema; }

protected:
    void doOpen() override;
    void doClose() override;
    int rowCount() const override { return int(m_order.size()); }
    void fetchRow(int pos, Record &rec) override;
    void fetchRowForEdit(int pos, Record &rec) override;
    int writeRow(Record &rec, bool inserting) override;
    void deleteRow(int pos) override;
    void reloadRows() override;
    int positionOfId(qint64 id) const override;
    int findRow(const QVector<int> &fields, const QVariantList &values, LocateOptions options) override;

private:
    struct KeyCol {
        int field;
        QString collation;
        bool desc;
    };
    class MasterLink : public DataLink {
    public:
        explicit MasterLink(Table &t) : m_table(t) {}
        void activeChanged() override;
        void dataSetChanged() override;
        void dataSetScrolled() override;
        void recordChanged(Field *field) override;

    private:
        Table &m_table;
    };

    void switchOrder(const QString &name, const QString &fields);
    // The order by a named index or by fields, without reading the rows again (the old
    // order kept when the new one cannot be made).
    void setOrder(const QString &name, const QString &fields);
    // Reads the columns of a stepped statement (from column `first` on) into rec.
    void readColumns(Statement &st, int first, Record &rec);
    // Sets rec's data values from its values as read.
    void valuesFromRead(Record &rec) const;
    // Reads the row at pos into rec (rec.read empty when it is gone); with `marked`, returns
    // when it was read (taken before the read, so that a commit the read missed moves it).
    ReadMark readRow(int pos, Record &rec, bool marked);
    void buildOrder();
    void loadRows();
    void masterChanged(bool force);
    bool readMasterValues(QVariantList &values) const;
    QVariantList toKeyStorage(const QVariantList &values) const;
    int comparePrefix(size_t row, const QVariantList &bound) const;
    int compareKeyWithRow(const QVector<QVariant> &key, qint64 id, size_t row) const;
    bool rowInRange(const QVector<QVariant> &key) const;
    // The conditions of the row list; with `shape`, only their form is noted there and
    // the text is left empty (binds are filled either way).
    QString whereClause(QVariantList &binds, QByteArray *shape = nullptr) const;
    QString orderClause() const;
    QString quotedTable() const;
    // Reads the row's stored values into rec.read (empty when the row is gone).
    void readStored(qint64 id, Record &rec);
    // Binds the rowid and the values read from parameter `first` on (m_matchSql).
    void bindMatch(Statement &st, int first, qint64 id, const StoredValues &read) const;
    void invalidatePositions() { m_posIndex.clear(); }
    // When the current record's values were read from the database (see ReadMark).
    void markRead(const Record &rec, qint64 id);
    ReadMark m_readMark;
    // Rows read ahead of the cursor over an ordered range (setOrderedRange), which is gone
    // through in key order, row after row: the next rows of the list are read in one
    // statement and each is handed out once. They stand for a read of their own while the
    // read checks stand as they were when they were read, this dataset's saves of one row
    // each counted in; anything else written, rolled back or committed drops them. Inside a
    // transaction they are locked where the database does not hold still by itself.
    struct ReadAhead {
        bool enabled = false;
        ReadMark mark;
        QHash<qint64, StoredValues> rows; // by rowid, as stored
        int end = -1;                         // position after the last row read
        int window = 1;                       // rows the next read takes
        quint64 lockEpoch = 0;                // Session::rowLockEpoch when read; 0: not locked
        qint64 handedOut = 0;                 // rowid of the last row handed out locked; 0: none
    };
    ReadAhead m_ahead;
    // Whether a save of row `id` with its values as read cannot fail its row check: the row
    // was handed out read ahead under this transaction's lock, no lock was given up since and
    // nothing of this session has written or rolled back since (the read checks stand). No
    // other program can change it before the transaction ends, so the save needs no answer.
    bool saveIsCertain(qint64 id);
    QHash<int, QString> m_aheadSql; // by rows and lock
    bool takeReadAhead(int pos, Record &rec);
    void noteOwnWrite(qint64 id, qint64 changesBefore, qint64 rowsWritten);
    // Whether the current record's data values are exactly those converted from its values
    // as read (not as assigned by a post): an edit then starts from them as they are.
    bool m_valuesAsRead = false;
    // What the row holds after a write of the values `bound` (the storage form of the
    // fields at `fields`) over `base` (the stored values before; empty for an insert): the
    // bound values as the columns' affinities keep them. False when a value would be
    // converted by its column, so that only a read of the row can tell.
    bool storedAfterWrite(const StoredValues &base, const int *fields, const QVariant *bound, int count,
                          StoredValues &stored) const;
    // SQLite's type affinity of each column, from its declared type.
    enum class Affinity : unsigned char { Integer, Text, Blob, Real, Numeric };
    static Affinity affinityOfDeclared(const QString &declared);
    QVector<Affinity> m_affinity;
    // The kind of stored value that is a field's value as it is (Real for Float and Money,
    // Integer for the integer types, Null for the rest: converted).
    QVector<StoredValues::Kind> m_numberKind;
    int lowerBound(const QVariantList &bound) const;

    QString m_alias;
    QString m_table;
    QString m_pathSchema;
    TableDef m_def;
    QString m_indexName;
    QString m_indexFieldNames;
    QVector<KeyCol> m_keyCols;   // index fields, then key fields not among them
    int m_indexFieldCount = 0;   // ranges and the master link apply to these
    std::optional<QVariantList> m_rangeStart, m_rangeEnd; // as stored
    bool m_rangeEquals = false;
    MasterLink m_masterLink{*this};
    QStringList m_masterFields;
    QString m_masterFieldsText;
    bool m_masterLinked = false;
    QVariantList m_masterValues; // as stored
    // The row list: slots (rowid and key values) appended as rows become known, and the
    // order of the slots; inserting a row into the order moves plain integers only.
    std::vector<qint64> m_slotIds;
    std::vector<QVariant> m_slotKeys; // m_keyCols.size() per slot
    std::vector<int> m_order;
    qint64 idAt(size_t pos) const { return m_slotIds[size_t(m_order[pos])]; }
    const QVariant &keyAt(size_t pos, size_t k) const
    {
        return m_slotKeys[size_t(m_order[pos]) * size_t(m_keyCols.size()) + k];
    }
    void clearRows();
    void insertRowAt(size_t pos, qint64 id, const QVector<QVariant> &key);
    void eraseRowAt(size_t pos);
    mutable QHash<qint64, int> m_posIndex;
    QString m_selectSql, m_insertSql, m_deleteSql, m_matchSql;
    // Texts made once per opening (order) or per shape (the row list's select by the
    // conditions it has; the update by the set of fields it writes).
    QString m_orderSql;
    QHash<QByteArray, QString> m_listSql;
    QHash<QByteArray, QString> m_updateSql;
    QString listSql(const QVector<int> &cols, QVariantList &binds);
};

// Compares two values as SQLite orders them (NULL, numbers, texts by collation, blobs).
int compareStoredValues(const QVariant &a, const QVariant &b, const QString &collation);

} // namespace tarix::db
