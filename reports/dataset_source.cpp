#include "reports/dataset_source.h"

#include "platform/db/query.h"
#include "platform/db/session.h"

namespace tarix::reports {

DataSetSource::DataSetSource(db::DataSet *dataSet, db::DataSet *master)
    : m_ds(dataSet), m_master(master)
{
}

db::Field *DataSetSource::field(const QString &name) const
{
    return m_ds ? m_ds->findField(name) : nullptr;
}

void DataSetSource::first()
{
    if (active())
        m_ds->first();
}

void DataSetSource::next()
{
    if (active() && !m_ds->eof())
        m_ds->next();
}

bool DataSetSource::eof() const
{
    return !active() || m_ds->isEmpty() || m_ds->eof();
}

bool DataSetSource::isEmpty() const
{
    return !active() || m_ds->isEmpty();
}

bool DataSetSource::hasField(const QString &name) const
{
    return field(name) != nullptr;
}

QVariant DataSetSource::value(const QString &name) const
{
    if (isEmpty())
        return {};
    db::Field *f = field(name);
    return f && f->isBound() ? f->value() : QVariant();
}

QString DataSetSource::displayText(const QString &name) const
{
    if (isEmpty())
        return {};
    db::Field *f = field(name);
    return f && f->isBound() ? f->displayText() : QString();
}

void DataSetSource::reopen()
{
    if (!m_ds)
        return;
    if (m_reopen) {
        m_reopen(*m_ds);
    } else if (auto *q = dynamic_cast<db::Query *>(m_ds); q && m_master) {
        // The master's values are read before the detail closes: both may share a session
        // but never a cursor.
        db::Params values;
        const bool masterHasRow = m_master->isActive() && !m_master->isEmpty();
        for (const QString &name : q->parameterNames()) {
            db::Field *mf = m_master->findField(name);
            if (mf)
                values.set(name, masterHasRow ? mf->value() : QVariant());
        }
        q->close();
        for (const auto &[name, v] : values.values())
            q->setParam(name, v);
        q->open();
    }
    first();
}

int DataSetSource::recordCount() const
{
    return active() ? m_ds->recordCount() : 0;
}

QVariant DataSetSource::bookmark() const
{
    if (isEmpty())
        return {};
    const db::Bookmark b = m_ds->bookmark();
    return b.isValid() ? QVariant::fromValue(b.id) : QVariant();
}

void DataSetSource::gotoBookmark(const QVariant &mark)
{
    if (!mark.isValid() || isEmpty())
        return;
    m_ds->gotoBookmark(db::Bookmark{mark.toLongLong()});
}

QSet<QString> queryFields(db::Query &q)
{
    QSet<QString> polia;
    db::Session &session = q.session();
    const db::SqlRewrite rw = session.rewrite(q.sqlText(), q.databaseName());
    {
        db::Session::Lease st(session, rw.sql);
        for (int i = 0; i < st->columnCount(); ++i)
            polia.insert(st->columnName(i).toLower());
    }
    for (const db::Field *f : q.fields())
        polia.insert(f->name().toLower());
    return polia;
}

rpt::FieldCheck checkFields(const std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> &zdroje)
{
    std::vector<std::pair<const rpt::ReportDataSource *, QSet<QString>>> polia;
    for (const auto &[zdroj, dotaz] : zdroje)
        polia.emplace_back(zdroj, queryFields(*dotaz));
    return [polia](const rpt::ReportDataSource &zdroj, const QString &pole) {
        for (const auto &[z, p] : polia)
            if (z == &zdroj)
                return p.contains(pole.toLower());
        return zdroj.hasField(pole);
    };
}

} // namespace tarix::reports
