#pragma once
// Datasets: the cursor model the program is written against (tables and queries).
//
// States: Inactive -> (open) Browse -> insert/append (BeforeInsert, BeforeScroll,
// OnNewRecord, AfterInsert, AfterScroll) or edit (BeforeEdit, AfterEdit) -> post
// (BeforePost, required fields, write, AfterPost) or cancel (BeforeCancel, AfterCancel)
// -> Browse; delete (BeforeDelete, BeforeScroll, write, AfterDelete, AfterScroll).
// An exception thrown by a Before... event (EMyError, or EAbort for a silent refusal) leaves
// the dataset in the state it had before the refused operation; so does one thrown by
// OnNewRecord (the insert is abandoned) and a failed write (the record stays in edit or
// insert). A post and a delete are atomic: the event's writes and the row's write are one
// savepoint, rolled back together on failure.
//
// Moving (First, Next, ...) while a record is edited posts it first when it was modified
// and cancels it otherwise.
#include "platform/db/field.h"
#include "platform/db/filter_expr.h"

#include <QHash>
#include <bit>
#include <QList>
#include <exception>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tarix::db {

class Session;
class DataSource;
class DbError;

enum class DataSetState { Inactive, Browse, Edit, Insert, CalcFields };

// What OnPostError / OnDeleteError decide: let the error propagate, abort silently (the
// record keeps its state), or try the write again.
enum class ErrorAction { Fail, Abort, Retry };

// Identity of a row that survives Refresh: its rowid (tables, live queries) or its place in
// the result (read-only queries).
struct Bookmark {
    qint64 id = -1;
    bool isValid() const { return id >= 0; }
    friend bool operator==(const Bookmark &a, const Bookmark &b) { return a.id == b.id; }
    friend bool operator!=(const Bookmark &a, const Bookmark &b) { return a.id != b.id; }
};

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false; // texts: the field begins with the value
};

// One row of a dataset: values of all fields (data fields first, then calculated and
// lookup fields), with the row's identity.
struct Record {
    qint64 id = -1;
    QVector<QVariant> values;
    // The row's stored values exactly as read (tables and live queries): a save and a delete
    // write only when the row still holds them. Empty when not read from the database.
    StoredValues read;
    bool calculated = false;
};

class DataSet {
public:
    friend class CursorStateGuard;
    using Event = std::function<void(DataSet &)>;
    using ErrorEvent = std::function<void(DataSet &, const DbError &, ErrorAction &)>;

    explicit DataSet(Session *session = nullptr);
    virtual ~DataSet();
    DataSet(const DataSet &) = delete;
    DataSet &operator=(const DataSet &) = delete;

    void setSession(Session *session);
    Session &session() const; // the given session or the default one
    // Name for messages ("TVYP_").
    QString objectName() const { return m_objectName; }
    void setObjectName(const QString &n) { m_objectName = n; }

    // ---- open and close ---------------------------------------------------------------------
    void open();
    void close();
    bool isActive() const { return m_state != DataSetState::Inactive; }
    void setActive(bool active) { active ? open() : close(); }
    DataSetState state() const { return m_calcDepth > 0 ? DataSetState::CalcFields : m_state; }
    bool isEditing() const { return m_state == DataSetState::Edit || m_state == DataSetState::Insert; }

    // ---- fields --------------------------------------------------------------------------------
    int fieldCount() const { return int(m_fields.size()); }
    Field &field(int index) const { return *m_fields.at(size_t(index)); }
    Field *findField(const QString &name) const; // case-insensitive, first of the name
    Field &fieldByName(const QString &name) const; // throws DbError when absent
    QList<Field *> fields() const;
    // A data field known before the dataset is opened, so that events can be attached at
    // construction. Opening fails when the table or query has no such column.
    Field &declareField(const QString &name);
    Field &addCalculatedField(const QString &name, FieldType type, int size = 0);
    Field &addLookupField(const QString &name, FieldType type, int size, DataSet *lookupDataSet,
                          const QString &keyFields, const QString &lookupKeyFields,
                          const QString &resultField);
    QVariant value(const QString &fieldName) const { return fieldByName(fieldName).value(); }
    void setValue(const QString &fieldName, const QVariant &v) { fieldByName(fieldName).setValue(v); }

    // ---- navigation ----------------------------------------------------------------------------
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance);
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool isEmpty() const;
    int recordCount() const;
    int recordNumber() const; // 1-based; 0 when empty or inserting
    void setRecordNumber(int recordNumber);

    // ---- editing ------------------------------------------------------------------------------
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    bool isModified() const { return m_modified; }
    // Posts a modified pending edit, cancels an unmodified one.
    void checkBrowseMode();
    // Re-reads the rows (and calculated fields), keeping the current row.
    void refresh();

    // ---- bookmarks, locate, lookup -----------------------------------------------------------
    Bookmark bookmark() const;
    bool bookmarkValid(const Bookmark &b) const;
    void gotoBookmark(const Bookmark &b); // throws DbError when the row is not in the dataset
    // <0, 0, >0 by the rows' order in the dataset.
    int compareBookmarks(const Bookmark &a, const Bookmark &b) const;
    // The bookmarks in the dataset's order (marked grid rows); those no longer in it dropped.
    QList<Bookmark> sortBookmarks(const QList<Bookmark> &bookmarks) const;
    // Moves to the first row (in the dataset's order, within range and filter) whose fields
    // ("A;B") equal the values. Returns false and stays put when none does.
    bool locate(const QString &fields, const QVariantList &values, LocateOptions options = {});
    // The result field(s) of the first row whose key fields equal the values, without moving
    // this dataset; invalid QVariant when none (several result fields: a QVariantList).
    virtual QVariant lookup(const QString &keyFields, const QVariantList &values,
                            const QString &resultFields);

    // ---- filters -------------------------------------------------------------------------------
    // The text and the switch are separate: a text set while filtering is off does nothing
    // until switched on. Blank texts compare equal to '' in filters.
    void setFilter(const QString &text);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }
    // Record filter callback (applies while filtering is on, beside the text); set it with
    // setFilterCallback so that an open dataset re-reads its rows.
    void setFilterCallback(std::function<bool(DataSet &)> callback);
    bool hasFilterCallback() const { return bool(m_filterCallback); }

    // ---- data sources --------------------------------------------------------------------------
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // ---- reading other rows without moving (grids) ---------------------------------------
    // Runs fn with the row at pos (0-based) as the current record: fields read that row,
    // calculated fields computed. No events fire; the current row is restored.
    void withRowAt(int pos, const std::function<void()> &fn);

    // ---- events -------------------------------------------------------------------------------
    Event beforeOpen, afterOpen, beforeClose, afterClose;
    Event beforeInsert, afterInsert, onNewRecord;
    Event beforeEdit, afterEdit;
    Event beforePost, afterPost;
    Event beforeCancel, afterCancel;
    Event beforeDelete, afterDelete;
    // Run before the post's or delete's transaction begins and before beforePost /
    // beforeDelete: the place for questions to the user, so that no transaction stays
    // open while the user answers. An exception refuses the operation as from beforePost.
    Event beforePostQuestions, beforeDeleteQuestions;
    Event beforeScroll, afterScroll;
    Event beforeRefresh, afterRefresh;
    Event onCalcFields;
    ErrorEvent onPostError, onDeleteError;
    // Recompute calculated fields after every change of a data field while editing (when
    // one of them is read next, so that a record assigned field by field is computed once).
    bool autoCalcFields = true;

    // Whether rows may be inserted, edited and deleted (read-only query results may not).
    virtual bool canModify() const { return true; }

    // ---- session hooks (called by Session) ----------------------------------------------------
    virtual QString aliasName() const { return {}; }
    virtual bool usesSchema(const QString &schema) const { return false; }
    void handleRollback();
    void detachSession();

    // Used by DataSource / Field.
    void addDataSource(DataSource *ds);
    void removeDataSource(DataSource *ds);
    const Record &currentRecord() const { return *m_active; }
    Record &currentRecordRef() { return *m_active; }
    // The record as it was before the pending edit (after a post or cancel: before the last
    // one, until the cursor moves or the record is read again): its row's values as read,
    // and each field's value. A field not assigned since the edit began still holds it.
    const StoredValues &readBeforeEdit() const { return m_oldRecord.read; }
    const QVariant &valueBeforeEdit(int index) const;
    // Whether the field was assigned since the edit began (false: it holds its value as it
    // was before the edit); and whether any was.
    bool assignedSinceEdit(int index) const
    {
        return !m_beforeKept || (m_beforeMarks[size_t(index) >> 6] >> (index & 63) & 1);
    }
    bool anyAssignedSinceEdit() const { return !m_beforeKept || m_beforeCount > 0; }
    // Calls fn(index) for each field below `limit` that may have been assigned since the
    // edit began (every one when that is not known), in the order of the fields.
    template <class Fn>
    void forEachAssignedSinceEdit(int limit, Fn &&fn) const
    {
        if (!m_beforeKept) {
            for (int i = 0; i < limit; ++i)
                fn(i);
            return;
        }
        for (size_t w = 0; w < m_beforeMarks.size() && m_beforeCount > 0; ++w)
            for (quint64 bits = m_beforeMarks[w]; bits; bits &= bits - 1) {
                const int i = int(w * 64) + std::countr_zero(bits);
                if (i >= limit)
                    return;
                fn(i);
            }
    }
    void fieldChanged(Field &f);
    // Computes the current record's calculated fields when a change of a data field left
    // them to be computed (Field reads them through this).
    void calculateIfPending();
    bool canAssign(const Field &f) const;
    QVariant filterValue(const Field &f, const Record &rec) const;

private:
    template <class Write>
    void withErrorEvent(const ErrorEvent &event, Write &&write);

protected:
    // ---- what subclasses provide ------------------------------------------------------------
    // Builds the field list (bindFields) and the row list.
    virtual void doOpen() = 0;
    virtual void doClose() = 0;
    virtual int rowCount() const = 0;
    // Fills rec.id and the data values of the row at pos.
    virtual void fetchRow(int pos, Record &rec) = 0;
    // Reads the row at pos for an edit (default: fetchRow); throws RecordChangedError when
    // the row is gone.
    virtual void fetchRowForEdit(int pos, Record &rec) { fetchRow(pos, rec); }
    // When values were read from the database: an edit that begins while nothing can have
    // written since (no change through the session, no rollback, no commit of another
    // connection to the schema's file) starts from them without a re-read.
    struct ReadMark {
        qint64 id = -1;
        qint64 changes = -1;
        quint64 generation = 0;
        qint64 dataVersion = -1;
        bool operator==(const ReadMark &) const = default;
    };
    ReadMark readMarkNow(qint64 id, const QString &schema);
    // Writes the record; returns its new position in the list, or -1 when it no longer
    // belongs to the dataset (range, filter). Throws on failure (nothing changed then).
    virtual int writeRow(Record &rec, bool inserting) = 0;
    virtual void deleteRow(int pos) = 0;
    // Re-reads the row list (keeping the rows' identities).
    virtual void reloadRows() = 0;
    // Position of the first row whose fields equal the values (already normalised to the
    // fields' types), -1 when none. Default: reads row after row.
    virtual int findRow(const QVector<int> &fields, const QVariantList &values, LocateOptions options);
    // Applies a changed filter (default: re-read the rows).
    virtual void refilterRows() { reloadRows(); }
    virtual int positionOfId(qint64 id) const = 0;
    // Default values of a new record (blank).
    virtual void initNewRecord(Record &rec);

    // ---- helpers for subclasses ---------------------------------------------------------------
    struct ColumnInfo {
        QString name;
        FieldType type;
        int size;
        bool required;
    };
    // Creates or re-binds the data fields for the columns, then calculated and lookup fields.
    void bindFields(const QVector<ColumnInfo> &columns);
    int dataFieldCount() const { return m_dataFieldCount; }
    // Whether a record passes the filter text and callback (while filtering is on).
    bool passesFilter(Record &rec);
    bool filterActive() const { return m_filtered && (!m_filterExpr.isEmpty() || m_filterCallback); }
    const FilterExpression &filterExpression() const { return m_filterExpr; }
    bool hasFilterText() const { return m_filtered && !m_filterExpr.isEmpty(); }
    // After the row list changed: go to the first row (fires scroll events).
    void rowsChanged();
    // Re-reads the rows keeping the current row when it is still there.
    void resync();
    void notifyDataSetChanged();
    void computeCalculatedFields(Record &rec);
    void loadCurrent();
    Record m_buffer; // the current record
    Record *m_active = &m_buffer;
    int m_pos = -1;  // position of the current row, -1 when none

private:
    friend class Field;
    void setState(DataSetState s);
    void notify(int event, Field *field = nullptr);
    void moveTo(int pos, bool scrollEvents);
    void doInsert(bool appending);
    int indexOfField(const QString &name) const;
    void fieldsChanged(); // forgets the name look-ups
    void checkActive() const;
    void checkModifiable() const;
    void checkBrowse(const char *what) const;
    void applyFilterChange();
    void checkRequired();
    // The data fields a post checks (logicals, blank ones stored as false; required fields),
    // in the order of the fields; made again when a field's requirement changes.
    std::vector<int> m_postChecked;
    bool m_postCheckedKnown = false;
    void postChecksChanged() { m_postCheckedKnown = false; }
    void computeLookups(Record &rec);

    Session *m_session = nullptr;      // as given; null: the default session
    Session *m_registeredIn = nullptr; // the session this open dataset is registered with
    bool m_sessionGone = false;
    QString m_objectName;
    DataSetState m_state = DataSetState::Inactive;
    int m_calcDepth = 0;
    std::vector<std::unique_ptr<Field>> m_fields;
    std::vector<std::unique_ptr<Field>> m_retired; // fields of an earlier open no longer present
    mutable QHash<QString, int> m_nameCache;   // name as asked for -> index (-1: none)
    mutable QHash<QString, int> m_foldedIndex; // case-folded name -> first index
    bool m_hasLookups = false; // whether any field is a lookup field
    int m_dataFieldCount = 0;
    // The record before the edit. While an edit's record is kept field by field
    // (m_beforeKept), m_oldRecord holds its id and values as read only, and the fields'
    // values are the current record's, except for those assigned since: each one's value
    // before its first assignment is in m_beforeValues (m_beforeMarks marks which). An
    // edit then costs a copy of the fields it assigns, not of the whole record.
    Record m_oldRecord;
    bool m_beforeKept = false;
    std::vector<QVariant> m_beforeValues;
    std::vector<quint64> m_beforeMarks;
    int m_beforeCount = 0;
    // Before a value of the current record is changed: its value before the edit kept.
    void keepBefore(int index)
    {
        if (m_beforeKept && !(m_beforeMarks[size_t(index) >> 6] >> (index & 63) & 1))
            keepBeforeValue(index);
    }
    void keepBeforeValue(int index);
    void startBeforeEdit();
    void releaseBeforeEdit();
    // Before the current record is replaced as a whole: the record before the edit made whole.
    void settleBeforeEdit();
    // The current record put back as it was before the edit.
    void restoreBeforeEdit();
    // A value of the current record (or of the record the calculation works on), about to
    // be assigned.
    QVariant &valueForAssignment(Record &rec, int index)
    {
        if (&rec == &m_buffer)
            keepBefore(index);
        return rec.values[index];
    }
    int m_insertPos = -1;
    bool m_modified = false;
    bool m_bof = true;
    bool m_eof = true;
    QString m_filterText;
    bool m_filtered = false;
    FilterExpression m_filterExpr;
    std::function<bool(DataSet &)> m_filterCallback;
    QList<DataSource *> m_dataSources;
    int m_disableCount = 0;
    bool m_pendingChange = false;
    bool m_stale = false;
    bool m_calcPending = false; // the current record's calculated fields wait for a read
    bool m_inNewRecord = false; // OnNewRecord runs
};

} // namespace tarix::db

namespace tarix::db {

// Cancels a pending edit or insert of the dataset when the scope is left by an exception
// (a batch that fails on a record does not leave it in edit).
class EditGuard {
public:
    explicit EditGuard(DataSet &ds) : m_ds(ds), m_exceptions(std::uncaught_exceptions()) {}
    ~EditGuard()
    {
        if (std::uncaught_exceptions() > m_exceptions && m_ds.isEditing()) {
            try {
                m_ds.cancel();
            } catch (...) {
            }
        }
    }
    EditGuard(const EditGuard &) = delete;
    EditGuard &operator=(const EditGuard &) = delete;

private:
    DataSet &m_ds;
    int m_exceptions;
};

// Controls and detail datasets do not follow the dataset record by record while the scope
// lasts; at its end they are told once. Their reading then may fail (the connection went
// during the run that the scope ends by an exception): the failure is logged, never thrown
// out of the destructor.
class ControlsDisabled {
public:
    explicit ControlsDisabled(DataSet &ds) : m_ds(ds) { m_ds.disableControls(); }
    ~ControlsDisabled();
    ControlsDisabled(const ControlsDisabled &) = delete;
    ControlsDisabled &operator=(const ControlsDisabled &) = delete;

private:
    DataSet &m_ds;
};

// Keeps a shared dataset as it was: filter text, filtering switch and callback, the current
// row, and for tables the index, range and master link; restored when the scope ends.
class CursorStateGuard {
public:
    explicit CursorStateGuard(DataSet &ds);
    ~CursorStateGuard();
    CursorStateGuard(const CursorStateGuard &) = delete;
    CursorStateGuard &operator=(const CursorStateGuard &) = delete;

private:
    struct State;
    DataSet &m_ds;
    std::unique_ptr<State> m_state;
};

} // namespace tarix::db
