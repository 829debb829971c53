#include "platform/db/dataset.h"

#include <algorithm>

#include "platform/db/datasource.h"
#include "platform/db/db_error.h"
#include "platform/db/session.h"

namespace tarix::db {

// Runs a write; a database error goes to the dataset's error event, which may retry the
// write, abort it silently (the record keeps its state) or let the error pass.
template <class Write>
void DataSet::withErrorEvent(const ErrorEvent &event, Write &&write)
{
    for (;;) {
        try {
            write();
            return;
        } catch (const DbError &e) {
            ErrorAction action = ErrorAction::Fail;
            if (event)
                event(*this, e, action);
            if (action == ErrorAction::Retry)
                continue;
            if (action == ErrorAction::Abort)
                throw EAbort();
            throw;
        }
    }
}


namespace {
QStringList splitFields(const QString &s)
{
    QStringList l;
    for (const QString &p : s.split(u';', Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty())
            l << p.trimmed();
    return l;
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    if (typeIdOf(a) == QMetaType::Double || typeIdOf(b) == QMetaType::Double)
        return variantToDouble(a) == variantToDouble(b);
    return a == b;
}
} // namespace

DataSet::DataSet(Session *session) : m_session(session) {}

DataSet::~DataSet()
{
    // Subclasses close themselves; here only what does not need them.
    if (m_registeredIn)
        m_registeredIn->unregisterDataSet(this);
    for (DataSource *ds : QList<DataSource *>(m_dataSources))
        ds->dataSetDestroyed();
}

void DataSet::setSession(Session *session)
{
    if (isActive())
        throw StateError(QStringLiteral("Reláciu nie je možné zmeniť otvoreným údajom %1.").arg(m_objectName));
    m_session = session;
    m_sessionGone = false;
}

Session &DataSet::session() const
{
    if (m_sessionGone)
        throw StateError(QStringLiteral("Databázová relácia už neexistuje."));
    Session *s = m_session ? m_session : Session::defaultSession();
    if (!s)
        throw StateError(QStringLiteral("Nie je vytvorená databázová relácia."));
    return *s;
}

void DataSet::detachSession()
{
    m_state = DataSetState::Inactive;
    if (m_registeredIn == m_session)
        m_sessionGone = true;
    m_registeredIn = nullptr;
}

// ---- fields -------------------------------------------------------------------------------------

// Fields are found by name on every access of the program's code: by a hash of the
// case-folded names (the first field of a name wins), and the spellings asked for
// remembered, so that a repeated look-up costs one hash of the name as given.
int DataSet::indexOfField(const QString &name) const
{
    if (const auto hit = m_nameCache.constFind(name); hit != m_nameCache.cend())
        return hit.value();
    if (m_foldedIndex.isEmpty()) {
        for (size_t i = 0; i < m_fields.size(); ++i)
            m_foldedIndex.insert(m_fields[i]->name().toCaseFolded(), int(i));
        for (size_t i = m_fields.size(); i-- > 0;) // the first of a name wins
            m_foldedIndex.insert(m_fields[i]->name().toCaseFolded(), int(i));
    }
    const int i = m_foldedIndex.value(name.toCaseFolded(), -1);
    m_nameCache.insert(name, i);
    return i;
}

void DataSet::fieldsChanged()
{
    postChecksChanged();
    m_nameCache.clear();
    m_foldedIndex.clear();
    m_hasLookups = std::any_of(m_fields.begin(), m_fields.end(),
                               [](const auto &f) { return f->kind() == FieldKind::Lookup; });
}

Field *DataSet::findField(const QString &name) const
{
    const int i = indexOfField(name);
    return i < 0 ? nullptr : m_fields[size_t(i)].get();
}

Field &DataSet::fieldByName(const QString &name) const
{
    if (Field *f = findField(name))
        return *f;
    throw DbError(QStringLiteral("Položka %1 neexistuje v %2.").arg(name, m_objectName));
}

QList<Field *> DataSet::fields() const
{
    QList<Field *> l;
    for (const auto &f : m_fields)
        l << f.get();
    return l;
}

Field &DataSet::declareField(const QString &name)
{
    if (Field *f = findField(name))
        return *f;
    if (isActive())
        throw StateError(QStringLiteral("Položku %1 nie je možné pridať k otvoreným údajom.").arg(name));
    m_fields.push_back(std::make_unique<Field>(*this, name, FieldKind::Data, FieldType::Unknown, 0));
    fieldsChanged();
    return *m_fields.back();
}

Field &DataSet::addCalculatedField(const QString &name, FieldType type, int size)
{
    if (isActive())
        throw StateError(QStringLiteral("Položku %1 nie je možné pridať k otvoreným údajom.").arg(name));
    if (findField(name))
        throw DbError(QStringLiteral("Položka %1 už existuje.").arg(name));
    m_fields.push_back(std::make_unique<Field>(*this, name, FieldKind::Calculated, type, size));
    fieldsChanged();
    return *m_fields.back();
}

Field &DataSet::addLookupField(const QString &name, FieldType type, int size, DataSet *lookupDataSet,
                               const QString &keyFields, const QString &lookupKeyFields,
                               const QString &resultField)
{
    if (isActive())
        throw StateError(QStringLiteral("Položku %1 nie je možné pridať k otvoreným údajom.").arg(name));
    if (findField(name))
        throw DbError(QStringLiteral("Položka %1 už existuje.").arg(name));
    m_fields.push_back(std::make_unique<Field>(*this, name, FieldKind::Lookup, type, size));
    fieldsChanged();
    Field::LookupDef d;
    d.dataSet = lookupDataSet;
    d.keyFields = splitFields(keyFields);
    d.lookupKeyFields = splitFields(lookupKeyFields);
    d.resultField = resultField;
    if (d.keyFields.size() != d.lookupKeyFields.size() || d.keyFields.isEmpty())
        throw DbError(QStringLiteral("Vyhľadávacia položka %1 má nesprávne kľúče.").arg(name));
    m_fields.back()->setLookupDef(d);
    return *m_fields.back();
}

void DataSet::bindFields(const QVector<ColumnInfo> &columns)
{
    std::vector<std::unique_ptr<Field>> data, extra;
    std::vector<std::unique_ptr<Field>> old = std::move(m_fields);
    m_fields.clear();
    fieldsChanged();
    for (const ColumnInfo &c : columns) {
        std::unique_ptr<Field> f;
        for (auto &o : old)
            if (o && o->kind() == FieldKind::Data && o->name().compare(c.name, Qt::CaseInsensitive) == 0) {
                f = std::move(o);
                break;
            }
        if (!f)
            f = std::make_unique<Field>(*this, c.name, FieldKind::Data, c.type, c.size);
        f->bind(int(data.size()), c.type, c.size, c.required);
        data.push_back(std::move(f));
    }
    QStringList missing;
    for (auto &o : old) {
        if (!o)
            continue;
        if (o->kind() == FieldKind::Data) {
            if (o->type() == FieldType::Unknown && !o->isBound())
                missing << o->name();
            o->unbind();
            // Kept alive (unbound) so that pointers held by callers never dangle.
            if (o->type() != FieldType::Unknown || o->isBound())
                m_retired.push_back(std::move(o));
            else
                extra.push_back(std::move(o)); // a declared field: stays declared
        } else {
            extra.push_back(std::move(o));
        }
    }
    if (!missing.isEmpty()) {
        // Put everything back as it was and refuse.
        for (auto &f : data)
            f->unbind();
        for (auto &f : data)
            m_fields.push_back(std::move(f));
        for (auto &f : extra)
            m_fields.push_back(std::move(f));
        fieldsChanged();
        throw FieldMissingError(missing, m_objectName);
    }
    m_dataFieldCount = int(data.size());
    for (auto &f : data)
        m_fields.push_back(std::move(f));
    for (auto &f : extra) {
        if (f->kind() == FieldKind::Data)
            continue; // declared, unused: drop
        f->bind(int(m_fields.size()), f->type(), f->size(), f->required());
        m_fields.push_back(std::move(f));
    }
    fieldsChanged();
    m_buffer.values = QVector<QVariant>(int(m_fields.size()));
    m_buffer.id = -1;
}

// ---- open / close -------------------------------------------------------------------------------

void DataSet::checkActive() const
{
    if (!isActive())
        throw StateError(QStringLiteral("Údaje %1 nie sú otvorené.").arg(m_objectName));
}

void DataSet::checkModifiable() const
{
    checkActive();
    if (!canModify())
        throw StateError(QStringLiteral("Údaje %1 nie je možné upravovať.").arg(m_objectName));
}

void DataSet::open()
{
    if (isActive())
        return;
    Session &s = session();
    if (beforeOpen)
        beforeOpen(*this);
    doOpen();
    s.registerDataSet(this);
    m_registeredIn = &s;
    m_state = DataSetState::Browse;
    m_modified = false;
    m_stale = false;
    const int n = rowCount();
    m_pos = n > 0 ? 0 : -1;
    m_bof = true;
    m_eof = n == 0;
    try {
        loadCurrent();
    } catch (...) {
        m_state = DataSetState::Inactive;
        s.unregisterDataSet(this);
        m_registeredIn = nullptr;
        doClose();
        throw;
    }
    notify(DataSource::StateChange);
    notify(DataSource::DataSetChange);
    if (afterOpen)
        afterOpen(*this);
    if (afterScroll)
        afterScroll(*this);
}

void DataSet::close()
{
    if (!isActive())
        return;
    if (beforeClose)
        beforeClose(*this);
    m_state = DataSetState::Inactive;
    m_calcDepth = 0;
    m_active = &m_buffer;
    doClose();
    if (m_registeredIn)
        m_registeredIn->unregisterDataSet(this);
    m_registeredIn = nullptr;
    m_pos = -1;
    m_bof = m_eof = true;
    m_modified = false;
    settleBeforeEdit();
    m_buffer.id = -1;
    for (QVariant &v : m_buffer.values)
        v = QVariant();
    notify(DataSource::StateChange);
    if (afterClose)
        afterClose(*this);
}

// ---- records ------------------------------------------------------------------------------------

void DataSet::initNewRecord(Record &rec)
{
    rec.id = -1;
    rec.values = QVector<QVariant>(fieldCount());
    rec.calculated = false;
}

void DataSet::computeLookups(Record &rec)
{
    if (!m_hasLookups)
        return;
    for (const auto &f : m_fields) {
        if (f->kind() != FieldKind::Lookup)
            continue;
        const Field::LookupDef &d = f->lookupDef();
        QVariant result;
        if (d.dataSet) {
            QVariantList keys;
            bool blank = false;
            for (const QString &k : d.keyFields) {
                const int i = indexOfField(k);
                if (i < 0)
                    throw DbError(QStringLiteral("Položka %1 neexistuje v %2.").arg(k, m_objectName));
                keys << rec.values[i];
                if (!rec.values[i].isValid())
                    blank = true;
            }
            if (!blank) {
                if (!d.dataSet->isActive())
                    d.dataSet->open();
                result = d.dataSet->lookup(d.lookupKeyFields.join(u';'), keys, d.resultField);
            }
        }
        QVariant &slot = valueForAssignment(rec, f->index());
        try {
            slot = normalizeValue(f->type(), result, f->size());
        } catch (const FieldValueError &) {
            slot = result;
        }
    }
}

void DataSet::computeCalculatedFields(Record &rec)
{
    if (m_dataFieldCount == fieldCount()) {
        rec.calculated = true;
        return;
    }
    if (&rec == &m_buffer)
        m_calcPending = false;
    // Only values actually held are blanked: a record that still shares its values with
    // the record as read (an edit not yet assigned to) is not copied for nothing.
    for (int i = m_dataFieldCount; i < rec.values.size(); ++i)
        if (rec.values.at(i).isValid())
            valueForAssignment(rec, i) = QVariant();
    Record *saved = m_active;
    m_active = &rec;
    ++m_calcDepth;
    try {
        computeLookups(rec);
        if (onCalcFields)
            onCalcFields(*this);
    } catch (...) {
        --m_calcDepth;
        m_active = saved;
        throw;
    }
    --m_calcDepth;
    m_active = saved;
    rec.calculated = true;
}

void DataSet::loadCurrent()
{
    settleBeforeEdit();
    if (m_pos >= 0 && m_pos < rowCount()) {
        // The read fills every data field and the calculation every other one: a record of
        // this dataset's own is read into in place (its numbers overwritten, not re-made).
        if (!m_buffer.values.isDetached() || m_buffer.values.size() != fieldCount())
            m_buffer.values = QVector<QVariant>(fieldCount());
        fetchRow(m_pos, m_buffer);
        computeCalculatedFields(m_buffer);
    } else {
        m_pos = -1;
        m_buffer.id = -1;
        m_buffer.values = QVector<QVariant>(fieldCount());
    }
}

void DataSet::withRowAt(int pos, const std::function<void()> &fn)
{
    checkActive();
    Record tmp;
    tmp.values = QVector<QVariant>(fieldCount());
    fetchRow(pos, tmp);
    computeCalculatedFields(tmp);
    Record *saved = m_active;
    m_active = &tmp;
    try {
        fn();
    } catch (...) {
        m_active = saved;
        throw;
    }
    m_active = saved;
}

// ---- navigation ----------------------------------------------------------------------------

bool DataSet::isEmpty() const { return !isActive() || (rowCount() == 0 && m_state != DataSetState::Insert); }

int DataSet::recordCount() const { return isActive() ? rowCount() : 0; }

int DataSet::recordNumber() const
{
    if (!isActive() || m_state == DataSetState::Insert || m_pos < 0)
        return 0;
    return m_pos + 1;
}

void DataSet::moveTo(int pos, bool scrollEvents)
{
    if (scrollEvents && beforeScroll)
        beforeScroll(*this);
    m_pos = pos;
    // The record as it was before the last edit belongs to the row being left; released,
    // it no longer shares the current record's storage, so the next row is read in place.
    if (!isEditing()) {
        releaseBeforeEdit();
        m_oldRecord = Record();
    }
    loadCurrent();
    notify(DataSource::Scroll);
    if (scrollEvents && afterScroll)
        afterScroll(*this);
}

void DataSet::first()
{
    checkActive();
    checkBrowseMode();
    const int n = rowCount();
    moveTo(n > 0 ? 0 : -1, true);
    m_bof = true;
    m_eof = n == 0;
}

void DataSet::last()
{
    checkActive();
    checkBrowseMode();
    const int n = rowCount();
    moveTo(n - 1, true);
    m_eof = true;
    m_bof = n == 0;
}

void DataSet::next()
{
    checkActive();
    checkBrowseMode();
    if (m_pos + 1 < rowCount()) {
        moveTo(m_pos + 1, true);
        m_bof = false;
        m_eof = false;
    } else {
        m_eof = true;
    }
}

void DataSet::prior()
{
    checkActive();
    checkBrowseMode();
    if (m_pos > 0) {
        moveTo(m_pos - 1, true);
        m_bof = false;
        m_eof = false;
    } else {
        m_bof = true;
    }
}

int DataSet::moveBy(int distance)
{
    int moved = 0;
    while (distance > 0 && !eof()) {
        const int before = m_pos;
        next();
        if (m_pos != before)
            ++moved;
        --distance;
    }
    while (distance < 0 && !bof()) {
        const int before = m_pos;
        prior();
        if (m_pos != before)
            --moved;
        ++distance;
    }
    return moved;
}

void DataSet::setRecordNumber(int recordNumber)
{
    checkActive();
    checkBrowseMode();
    const int n = rowCount();
    if (recordNumber < 1 || recordNumber > n)
        return;
    moveTo(recordNumber - 1, true);
    m_bof = recordNumber == 1;
    m_eof = false;
}

// ---- editing ------------------------------------------------------------------------------

void DataSet::setState(DataSetState s)
{
    if (m_state == s)
        return;
    m_state = s;
    notify(DataSource::StateChange);
}

bool DataSet::canAssign(const Field &f) const
{
    if (m_calcDepth > 0)
        return f.kind() != FieldKind::Data;
    return m_state == DataSetState::Edit || m_state == DataSetState::Insert;
}

void DataSet::fieldChanged(Field &f)
{
    if (f.kind() == FieldKind::Data) {
        m_modified = true;
        // Computed when one of them is read next (a control showing it, a filter, the
        // post), not after every assignment of a record that changes field by field.
        if (autoCalcFields && m_dataFieldCount != fieldCount() && m_active == &m_buffer)
            m_calcPending = true;
    }
    // A new record's fields are shown together when it is complete (DataSetChange).
    if (!m_inNewRecord)
        notify(DataSource::RecordChange, &f);
}

void DataSet::calculateIfPending()
{
    if (m_calcPending && m_calcDepth == 0 && m_active == &m_buffer)
        computeCalculatedFields(m_buffer);
}

void DataSet::checkBrowseMode()
{
    checkActive();
    if (!isEditing())
        return;
    notify(DataSource::UpdateData);
    if (m_modified)
        post();
    else
        cancel();
}

void DataSet::insert() { doInsert(false); }
void DataSet::append() { doInsert(true); }

void DataSet::doInsert(bool appending)
{
    checkModifiable();
    checkBrowseMode();
    if (beforeInsert)
        beforeInsert(*this);
    if (beforeScroll)
        beforeScroll(*this);
    // The record to go back to is the current one as it is now.
    releaseBeforeEdit();
    m_oldRecord = m_buffer;
    m_insertPos = appending ? rowCount() : qMax(m_pos, 0);
    initNewRecord(m_buffer);
    m_modified = false;
    setState(DataSetState::Insert);
    try {
        if (onNewRecord) {
            m_inNewRecord = true;
            try {
                onNewRecord(*this);
            } catch (...) {
                m_inNewRecord = false;
                throw;
            }
            m_inNewRecord = false;
        }
        // Computed when first read, like those of a record changed field by field.
        if (m_dataFieldCount != fieldCount())
            m_calcPending = true;
    } catch (...) {
        // The new record is abandoned; the dataset is back where it was.
        m_calcPending = false;
        m_buffer = m_oldRecord;
        m_modified = false;
        setState(DataSetState::Browse);
        if (m_stale)
            resync();
        throw;
    }
    m_modified = false;
    notify(DataSource::DataSetChange);
    if (afterInsert)
        afterInsert(*this);
    if (afterScroll)
        afterScroll(*this);
}

void DataSet::edit()
{
    checkModifiable();
    if (isEditing())
        return;
    if (rowCount() == 0) {
        append();
        return;
    }
    if (beforeEdit)
        beforeEdit(*this);
    // Start from the row as stored now: these are the values a save compares with.
    Record fresh; // sized by the read, which may share the values of the row as read
    fetchRowForEdit(m_pos, fresh);
    // The record before an earlier edit is let go first, so that the current record's
    // values are its own and are assigned in place.
    releaseBeforeEdit();
    m_oldRecord = Record();
    m_buffer = std::move(fresh);
    computeCalculatedFields(m_buffer);
    startBeforeEdit();
    m_modified = false;
    setState(DataSetState::Edit);
    if (afterEdit)
        afterEdit(*this);
}

// ---- the record before an edit ---------------------------------------------------------------

void DataSet::startBeforeEdit()
{
    m_oldRecord.id = m_buffer.id;
    m_oldRecord.read = m_buffer.read;
    m_oldRecord.calculated = m_buffer.calculated;
    m_oldRecord.values = QVector<QVariant>();
    const size_t n = size_t(m_buffer.values.size());
    if (m_beforeValues.size() < n)
        m_beforeValues.resize(n);
    m_beforeMarks.assign((n + 63) / 64, 0);
    m_beforeCount = 0;
    m_beforeKept = true;
}

void DataSet::keepBeforeValue(int index)
{
    m_beforeMarks[size_t(index) >> 6] |= quint64(1) << (index & 63);
    ++m_beforeCount;
    m_beforeValues[size_t(index)] = m_buffer.values.at(index);
}

void DataSet::releaseBeforeEdit()
{
    if (!m_beforeKept)
        return;
    forEachAssignedSinceEdit(int(m_beforeValues.size()), [&](int i) { m_beforeValues[size_t(i)] = QVariant(); });
    m_beforeKept = false;
    m_beforeCount = 0;
}

void DataSet::settleBeforeEdit()
{
    if (!m_beforeKept)
        return;
    QVector<QVariant> before = m_buffer.values;
    forEachAssignedSinceEdit(int(before.size()), [&](int i) { before[i] = m_beforeValues[size_t(i)]; });
    releaseBeforeEdit();
    m_oldRecord.values = std::move(before);
}

void DataSet::restoreBeforeEdit()
{
    forEachAssignedSinceEdit(int(m_buffer.values.size()),
                             [&](int i) { m_buffer.values[i] = std::move(m_beforeValues[size_t(i)]); });
    m_buffer.id = m_oldRecord.id;
    m_buffer.read = m_oldRecord.read;
    m_buffer.calculated = m_oldRecord.calculated;
    releaseBeforeEdit();
    m_oldRecord.values = m_buffer.values;
}

const QVariant &DataSet::valueBeforeEdit(int index) const
{
    static const QVariant blank;
    if (m_beforeKept) {
        if (index < 0 || index >= m_buffer.values.size())
            return blank;
        if (m_beforeMarks[size_t(index) >> 6] >> (index & 63) & 1)
            return m_beforeValues[size_t(index)];
        return m_buffer.values.constData()[index];
    }
    return index >= 0 && index < m_oldRecord.values.size() ? m_oldRecord.values.constData()[index] : blank;
}

DataSet::ReadMark DataSet::readMarkNow(qint64 id, const QString &schema)
{
    Session &s = session();
    ReadMark m;
    m.id = id;
    m.changes = s.totalChanges();
    m.generation = s.dataGeneration();
    // Commits of other connections to the file (own changes do not move it).
    m.dataVersion = s.dataVersion(schema);
    return m;
}

void DataSet::checkRequired()
{
    // Read through a const reference: only a blank logical is assigned (and so kept as an
    // assignment of the edit).
    const QVector<QVariant> &values = m_buffer.values;
    if (!m_postCheckedKnown) {
        m_postChecked.clear();
        for (int i = 0; i < m_dataFieldCount; ++i) {
            const Field &f = *m_fields[size_t(i)];
            if (f.type() == FieldType::Boolean || (f.required() && f.type() != FieldType::AutoInc))
                m_postChecked.push_back(i);
        }
        m_postCheckedKnown = true;
    }
    for (const int i : m_postChecked) {
        Field &f = *m_fields[size_t(i)];
        if (f.type() == FieldType::Boolean && !values.at(i).isValid())
            valueForAssignment(m_buffer, i) = false; // a blank logical is stored as false
        if (f.required() && f.type() != FieldType::AutoInc && !values.at(i).isValid())
            throw RequiredFieldError(f.name(), f.label());
    }
}

void DataSet::post()
{
    checkActive();
    if (!isEditing())
        return;
    notify(DataSource::UpdateData);
    const bool inserting = m_state == DataSetState::Insert;
    if (beforePostQuestions)
        beforePostQuestions(*this);
    Session &s = session();
    int newPos = -1;
    s.begin();
    try {
        if (beforePost)
            beforePost(*this);
        checkRequired();
        withErrorEvent(onPostError, [&] { newPos = writeRow(m_buffer, inserting); });
        s.commit();
    } catch (...) {
        s.rollback();
        throw;
    }
    m_modified = false;
    m_state = DataSetState::Browse;
    if (m_stale) {
        m_stale = false;
        const qint64 id = m_buffer.id;
        reloadRows();
        newPos = positionOfId(id);
    }
    if (newPos >= 0) {
        m_pos = newPos;
        computeCalculatedFields(m_buffer);
    } else {
        // The row left the dataset (range, filter): stand on the row now in its place.
        m_pos = qMin(inserting ? m_insertPos : m_pos, rowCount() - 1);
        loadCurrent();
    }
    m_bof = m_pos <= 0;
    m_eof = rowCount() == 0;
    notify(DataSource::StateChange);
    notify(DataSource::DataSetChange);
    if (afterPost)
        afterPost(*this);
}

void DataSet::cancel()
{
    checkActive();
    if (!isEditing())
        return;
    if (beforeCancel)
        beforeCancel(*this);
    const bool wasInsert = m_state == DataSetState::Insert;
    m_modified = false;
    m_calcPending = false; // the record as it was, computed then
    m_state = DataSetState::Browse;
    const bool restored = m_beforeKept;
    if (restored)
        restoreBeforeEdit();
    if (m_stale) {
        m_stale = false;
        const qint64 id = m_oldRecord.id;
        reloadRows();
        const int p = positionOfId(id);
        m_pos = p >= 0 ? p : qMin(m_pos, rowCount() - 1);
        loadCurrent();
    } else if (wasInsert) {
        m_buffer = m_oldRecord;
        if (m_pos >= rowCount())
            m_pos = rowCount() - 1;
        loadCurrent();
    } else if (!restored) {
        m_buffer = m_oldRecord;
    }
    notify(DataSource::StateChange);
    notify(DataSource::DataSetChange);
    if (afterCancel)
        afterCancel(*this);
    if (wasInsert && afterScroll)
        afterScroll(*this);
}

void DataSet::deleteRecord()
{
    checkActive();
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    checkModifiable();
    if (rowCount() == 0 || m_pos < 0)
        throw StateError(QStringLiteral("Neexistuje záznam, ktorý by bolo možné vymazať."));
    if (beforeDeleteQuestions)
        beforeDeleteQuestions(*this);
    Session &s = session();
    s.begin();
    try {
        if (beforeDelete)
            beforeDelete(*this);
        if (beforeScroll)
            beforeScroll(*this);
        withErrorEvent(onDeleteError, [&] { deleteRow(m_pos); });
        s.commit();
    } catch (...) {
        s.rollback();
        throw;
    }
    const bool wasEdit = m_state == DataSetState::Edit;
    m_state = DataSetState::Browse;
    m_modified = false;
    if (m_stale) {
        m_stale = false;
        reloadRows();
    }
    if (m_pos >= rowCount())
        m_pos = rowCount() - 1;
    loadCurrent();
    m_eof = rowCount() == 0;
    m_bof = m_pos <= 0;
    if (wasEdit)
        notify(DataSource::StateChange);
    notify(DataSource::DataSetChange);
    if (afterDelete)
        afterDelete(*this);
    if (afterScroll)
        afterScroll(*this);
}

void DataSet::refresh()
{
    checkActive();
    checkBrowseMode();
    if (beforeRefresh)
        beforeRefresh(*this);
    resync();
    if (afterRefresh)
        afterRefresh(*this);
}

void DataSet::resync()
{
    const qint64 id = m_buffer.id;
    reloadRows();
    const int p = id >= 0 ? positionOfId(id) : -1;
    m_pos = p >= 0 ? p : qMin(qMax(m_pos, 0), rowCount() - 1);
    loadCurrent();
    m_eof = rowCount() == 0;
    m_bof = m_pos <= 0;
    notify(DataSource::DataSetChange);
}

void DataSet::rowsChanged()
{
    if (beforeScroll)
        beforeScroll(*this);
    const int n = rowCount();
    m_pos = n > 0 ? 0 : -1;
    loadCurrent();
    m_bof = true;
    m_eof = n == 0;
    notify(DataSource::DataSetChange);
    if (afterScroll)
        afterScroll(*this);
}

void DataSet::notifyDataSetChanged() { notify(DataSource::DataSetChange); }

void DataSet::handleRollback()
{
    if (!isActive())
        return;
    if (isEditing()) {
        m_stale = true;
        return;
    }
    try {
        resync();
    } catch (...) {
        m_stale = true;
    }
}

// ---- bookmarks, locate ---------------------------------------------------------------------

Bookmark DataSet::bookmark() const
{
    if (!isActive() || m_pos < 0 || m_state == DataSetState::Insert)
        return {};
    return Bookmark{m_buffer.id};
}

bool DataSet::bookmarkValid(const Bookmark &b) const
{
    return isActive() && b.isValid() && positionOfId(b.id) >= 0;
}

void DataSet::gotoBookmark(const Bookmark &b)
{
    checkActive();
    checkBrowseMode();
    const int p = b.isValid() ? positionOfId(b.id) : -1;
    if (p < 0)
        throw DbError(QStringLiteral("Záznam sa v %1 nenašiel.").arg(m_objectName));
    moveTo(p, true);
    m_bof = m_eof = false;
}

int DataSet::compareBookmarks(const Bookmark &a, const Bookmark &b) const
{
    const int pa = positionOfId(a.id), pb = positionOfId(b.id);
    if (pa >= 0 && pb >= 0)
        return pa < pb ? -1 : pa > pb ? 1 : 0;
    return a.id < b.id ? -1 : a.id > b.id ? 1 : 0;
}

QList<Bookmark> DataSet::sortBookmarks(const QList<Bookmark> &bookmarks) const
{
    QList<QPair<int, Bookmark>> l;
    for (const Bookmark &b : bookmarks)
        if (const int p = b.isValid() ? positionOfId(b.id) : -1; p >= 0)
            l.append({p, b});
    std::sort(l.begin(), l.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<Bookmark> out;
    for (const auto &e : l)
        out << e.second;
    return out;
}

bool DataSet::locate(const QString &fieldList, const QVariantList &values, LocateOptions options)
{
    checkActive();
    checkBrowseMode();
    const QStringList names = splitFields(fieldList);
    if (names.size() != values.size())
        throw DbError(QStringLiteral("Počet hodnôt nezodpovedá počtu položiek (%1).").arg(fieldList));
    QVector<int> idx;
    QVariantList wanted;
    for (int i = 0; i < names.size(); ++i) {
        Field &f = fieldByName(names[i]);
        idx << f.index();
        wanted << normalizeValue(f.type(), values[i], 0);
    }
    const int p = findRow(idx, wanted, options);
    if (p < 0)
        return false;
    moveTo(p, true);
    m_bof = m_eof = false;
    return true;
}

int DataSet::findRow(const QVector<int> &idx, const QVariantList &wanted, LocateOptions options)
{
    const int n = rowCount();
    bool needsCalc = false;
    for (int i : idx)
        needsCalc = needsCalc || i >= m_dataFieldCount;
    Record tmp;
    for (int p = 0; p < n; ++p) {
        tmp.values = QVector<QVariant>(fieldCount());
        fetchRow(p, tmp);
        if (needsCalc)
            computeCalculatedFields(tmp);
        bool ok = true;
        for (int i = 0; i < idx.size() && ok; ++i) {
            const QVariant &have = tmp.values[idx[i]];
            const QVariant &want = wanted[i];
            if (typeIdOf(want) == QMetaType::QString && have.isValid()) {
                QString h = have.toString(), w = want.toString();
                const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
                ok = options.partialKey ? h.startsWith(w, cs) : h.compare(w, cs) == 0;
            } else {
                ok = sameValue(have, want);
            }
        }
        if (ok)
            return p;
    }
    return -1;
}

QVariant DataSet::lookup(const QString &keyFields, const QVariantList &values, const QString &resultFields)
{
    checkActive();
    const QStringList names = splitFields(keyFields);
    const QStringList results = splitFields(resultFields);
    QVector<int> idx;
    QVariantList wanted;
    for (int i = 0; i < names.size(); ++i) {
        Field &f = fieldByName(names[i]);
        idx << f.index();
        wanted << normalizeValue(f.type(), values.value(i), 0);
    }
    QVector<int> ridx;
    for (const QString &r : results)
        ridx << fieldByName(r).index();
    const int n = rowCount();
    Record tmp;
    for (int p = 0; p < n; ++p) {
        tmp.values = QVector<QVariant>(fieldCount());
        fetchRow(p, tmp);
        bool ok = true;
        for (int i = 0; i < idx.size() && ok; ++i)
            ok = sameValue(tmp.values[idx[i]], wanted[i]);
        if (ok) {
            if (ridx.size() == 1)
                return tmp.values[ridx[0]];
            QVariantList l;
            for (int r : ridx)
                l << tmp.values[r];
            return l;
        }
    }
    return {};
}

// ---- filters ------------------------------------------------------------------------------

void DataSet::setFilter(const QString &text)
{
    if (text == m_filterText)
        return;
    if (m_filtered) {
        FilterExpression e = FilterExpression::parse(text);
        m_filterText = text;
        m_filterExpr = e;
        applyFilterChange();
    } else {
        m_filterText = text;
    }
}

void DataSet::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    if (on)
        m_filterExpr = FilterExpression::parse(m_filterText);
    else
        m_filterExpr = FilterExpression();
    m_filtered = on;
    applyFilterChange();
}

void DataSet::setFilterCallback(std::function<bool(DataSet &)> callback)
{
    m_filterCallback = std::move(callback);
    if (m_filtered)
        applyFilterChange();
}

void DataSet::applyFilterChange()
{
    if (!isActive())
        return;
    checkBrowseMode();
    refilterRows();
    rowsChanged();
}

QVariant DataSet::filterValue(const Field &f, const Record &rec) const
{
    const QVariant &v = rec.values[f.index()];
    if (!v.isValid()) {
        if (isTextType(f.type()))
            return QStringLiteral(""); // a blank text is '' in filters
        if (f.type() == FieldType::Boolean)
            return false;
    }
    return v;
}

bool DataSet::passesFilter(Record &rec)
{
    if (!m_filtered)
        return true;
    if (&rec == &m_buffer)
        calculateIfPending();
    if (!m_filterExpr.isEmpty()) {
        const bool ok = m_filterExpr.matches([&](const QString &name) -> QVariant {
            const int i = indexOfField(name);
            if (i < 0)
                throw DbError(QStringLiteral("Položka %1 z filtra neexistuje v %2.").arg(name, m_objectName));
            return filterValue(*m_fields[size_t(i)], rec);
        });
        if (!ok)
            return false;
    }
    if (m_filterCallback) {
        Record *saved = m_active;
        m_active = &rec;
        bool ok = false;
        try {
            ok = m_filterCallback(*this);
        } catch (...) {
            m_active = saved;
            throw;
        }
        m_active = saved;
        return ok;
    }
    return true;
}

// ---- data sources ----------------------------------------------------------------------------

void DataSet::addDataSource(DataSource *ds)
{
    if (!m_dataSources.contains(ds))
        m_dataSources.append(ds);
}

void DataSet::removeDataSource(DataSource *ds) { m_dataSources.removeAll(ds); }

void DataSet::disableControls() { ++m_disableCount; }

ControlsDisabled::~ControlsDisabled()
{
    try {
        m_ds.enableControls();
    } catch (const std::exception &e) {
        qWarning("The controls of %s were not told the data changed: %s", qPrintable(m_ds.objectName()), e.what());
    } catch (...) {
        qWarning("The controls of %s were not told the data changed", qPrintable(m_ds.objectName()));
    }
}

void DataSet::enableControls()
{
    if (m_disableCount > 0 && --m_disableCount == 0 && m_pendingChange) {
        m_pendingChange = false;
        notify(DataSource::StateChange);
        notify(DataSource::DataSetChange);
    }
}

void DataSet::notify(int event, Field *field)
{
    if (m_dataSources.isEmpty())
        return;
    if (m_disableCount > 0) {
        m_pendingChange = true;
        return;
    }
    // A copy (a source may leave during the event), iterated const so that it is not detached.
    const QList<DataSource *> sources = m_dataSources;
    for (DataSource *ds : sources)
        ds->dataEvent(DataSource::Event(event), field);
}

} // namespace tarix::db
