#pragma once
// The report engine reads the report forms' queries and tables through this adapter.
//
// The dataset's cursor is the report's cursor: first() and next() move the dataset itself
// (so calculated fields are computed for the row the band prints, and detail queries
// linked through a data source follow), next() on the last row sets eof() and keeps that
// row current, as the engine expects. A closed dataset reads as a source without rows.
//
// A sub-detail source is re-opened for every row of its master band: with a master
// dataset set, the detail query is closed, each of its parameters that names a field of
// the master takes that field's value in the master's current row, and it is opened again.
// A query linked to its master through a data source re-runs by itself when the master
// moves; its source only rewinds.
#include "platform/db/dataset.h"
#include "platform/report/datasource.h"
#include "platform/report/description.h"

#include <QSet>

#include <functional>
#include <utility>
#include <vector>

namespace tarix::db {
class Query;
}

namespace tarix::reports {

class DataSetSource : public rpt::ReportDataSource {
public:
    explicit DataSetSource(db::DataSet *dataSet = nullptr, db::DataSet *master = nullptr);

    void setDataSet(db::DataSet *dataSet) { m_ds = dataSet; }
    db::DataSet *dataSet() const { return m_ds; }

    // The master whose current row gives the detail query its parameters on reopen().
    void setMaster(db::DataSet *master) { m_master = master; }
    db::DataSet *master() const { return m_master; }

    // Replaces what reopen() does (for details that are not parameterised queries).
    using ReopenHandler = std::function<void(db::DataSet &dataSet)>;
    void setReopenHandler(ReopenHandler handler) { m_reopen = std::move(handler); }

    void first() override;
    void next() override;
    bool eof() const override;
    bool isEmpty() const override;
    bool hasField(const QString &field) const override;
    QVariant value(const QString &field) const override;
    // The field's display text: its OnGetText, else its value by its display format.
    QString displayText(const QString &field) const override;
    void reopen() override;
    int recordCount() const override;
    QVariant bookmark() const override;
    void gotoBookmark(const QVariant &mark) override;

private:
    bool active() const { return m_ds && m_ds->isActive(); }
    db::Field *field(const QString &name) const;

    db::DataSet *m_ds = nullptr;
    db::DataSet *m_master = nullptr;
    ReopenHandler m_reopen;
};

// The names (lower case) of a query's result columns and declared fields, read from its
// prepared statement without running it: what a layout may bind to.
QSet<QString> queryFields(db::Query &q);
// A field check for the layout builder: the queries' sources by their known fields, any
// other source asked itself.
rpt::FieldCheck checkFields(const std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> &zdroje);

} // namespace tarix::reports
