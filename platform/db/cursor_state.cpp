#include "platform/db/dataset.h"
#include "platform/db/table.h"

namespace tarix::db {

struct CursorStateGuard::State {
    QString filterText;
    bool filtered = false;
    std::function<bool(DataSet &)> callback;
    Bookmark position;
    bool active = false;
    // tables
    bool isTable = false;
    QString indexName, indexFieldNames;
    std::optional<QVariantList> rangeStart, rangeEnd;
    bool rangeEquals = false;
    DataSource *master = nullptr;
    QString masterFields;
};

CursorStateGuard::CursorStateGuard(DataSet &ds) : m_ds(ds), m_state(std::make_unique<State>())
{
    State &s = *m_state;
    s.filterText = ds.m_filterText;
    s.filtered = ds.m_filtered;
    s.callback = ds.m_filterCallback;
    s.active = ds.isActive();
    s.position = ds.bookmark();
    if (auto *t = dynamic_cast<Table *>(&ds)) {
        s.isTable = true;
        s.indexName = t->m_indexName;
        s.indexFieldNames = t->m_indexFieldNames;
        s.rangeStart = t->m_rangeStart;
        s.rangeEnd = t->m_rangeEnd;
        s.rangeEquals = t->m_rangeEquals;
        s.master = t->masterSource();
        s.masterFields = t->m_masterFieldsText;
    }
}

CursorStateGuard::~CursorStateGuard()
{
    State &s = *m_state;
    try {
        if (m_ds.isEditing())
            m_ds.cancel();
        if (s.isTable) {
            auto &t = static_cast<Table &>(m_ds);
            // The rows are read once below, for the order, range and link as they were.
            if (!s.indexFieldNames.isEmpty()) {
                if (s.indexFieldNames != t.m_indexFieldNames)
                    t.setOrder(QString(), s.indexFieldNames);
            } else if (s.indexName != t.m_indexName || !t.m_indexFieldNames.isEmpty()) {
                t.setOrder(s.indexName, QString());
            }
            t.m_masterLink.setDataSource(s.master);
            t.m_masterFieldsText = s.masterFields;
            t.m_masterFields = s.masterFields.split(u';', Qt::SkipEmptyParts);
            for (QString &f : t.m_masterFields)
                f = f.trimmed();
            t.m_rangeStart = s.rangeStart;
            t.m_rangeEnd = s.rangeEnd;
            t.m_rangeEquals = s.rangeEquals;
            if (t.isActive())
                t.m_masterLinked = t.readMasterValues(t.m_masterValues);
        }
        m_ds.m_filterCallback = s.callback;
        m_ds.m_filterText = s.filterText;
        m_ds.m_filtered = s.filtered;
        m_ds.m_filterExpr = s.filtered ? FilterExpression::parse(s.filterText) : FilterExpression();
        if (!s.active) {
            m_ds.close();
            return;
        }
        if (!m_ds.isActive())
            m_ds.open();
        m_ds.reloadRows();
        const int p = s.position.isValid() ? m_ds.positionOfId(s.position.id) : -1;
        m_ds.m_pos = p >= 0 ? p : (m_ds.rowCount() > 0 ? 0 : -1);
        m_ds.loadCurrent();
        m_ds.m_bof = m_ds.m_pos <= 0;
        m_ds.m_eof = m_ds.rowCount() == 0;
        m_ds.notifyDataSetChanged();
    } catch (...) {
        // Restoring must not throw out of a destructor; the dataset keeps what it has.
    }
}

} // namespace tarix::db
