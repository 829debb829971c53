#include "platform/db/datasource.h"

#include <QtGlobal>

#include <exception>

namespace tarix::db {

DataSource::DataSource(DataSet *dataSet) { setDataSet(dataSet); }

DataSource::~DataSource()
{
    if (m_dataSet)
        m_dataSet->removeDataSource(this);
    // Whatever followed this source now follows nothing: a detail table shows all its rows
    // again, a control shows nothing.
    const QList<DataLink *> links = m_links;
    m_links.clear();
    for (DataLink *l : links)
        l->m_source = nullptr;
    // A detail reads its rows again, which may fail (the connection went): each link is told,
    // and what it throws is logged, never thrown out of the destructor.
    for (DataLink *l : links) {
        try {
            l->activeChanged();
        } catch (const std::exception &e) {
            qWarning("A link of a data source that went did not follow: %s", e.what());
        }
    }
}

void DataSource::setDataSet(DataSet *dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->removeDataSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->addDataSource(this);
    updateState();
    for (const QList<DataLink *> links = m_links; DataLink *l : links)
        l->activeChanged();
}

void DataSource::dataSetDestroyed()
{
    m_dataSet = nullptr;
    updateState();
    for (const QList<DataLink *> links = m_links; DataLink *l : links)
        l->activeChanged();
}

void DataSource::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    updateState();
    for (const QList<DataLink *> links = m_links; DataLink *l : links)
        l->activeChanged();
}

DataSetState DataSource::state() const { return m_state; }

void DataSource::updateState()
{
    DataSetState s = (m_enabled && m_dataSet) ? m_dataSet->state() : DataSetState::Inactive;
    if (s == DataSetState::CalcFields)
        s = DataSetState::Browse;
    if (s == m_state)
        return;
    const bool activeChange = (s == DataSetState::Inactive) != (m_state == DataSetState::Inactive);
    m_state = s;
    if (!activeChange)
        for (const QList<DataLink *> links = m_links; DataLink *l : links)
            l->editingChanged();
    if (onStateChange)
        onStateChange(*this);
}

void DataSource::dataEvent(Event event, Field *field)
{
    if (event == StateChange) {
        const bool wasActive = m_state != DataSetState::Inactive;
        updateState();
        const bool nowActive = m_state != DataSetState::Inactive;
        if (wasActive != nowActive)
            for (const QList<DataLink *> links = m_links; DataLink *l : links)
                l->activeChanged();
        return;
    }
    if (!m_enabled || m_state == DataSetState::Inactive)
        return;
    switch (event) {
    case DataSetChange:
        for (const QList<DataLink *> links = m_links; DataLink *l : links)
            l->dataSetChanged();
        break;
    case Scroll:
        for (const QList<DataLink *> links = m_links; DataLink *l : links)
            l->dataSetScrolled();
        break;
    case RecordChange:
        for (const QList<DataLink *> links = m_links; DataLink *l : links)
            l->recordChanged(field);
        break;
    case UpdateData:
        for (const QList<DataLink *> links = m_links; DataLink *l : links)
            l->updateData();
        if (onUpdateData)
            onUpdateData(*this);
        return;
    default:
        break;
    }
    if (onDataChange)
        onDataChange(*this, event == RecordChange ? field : nullptr);
}

void DataSource::addLink(DataLink *link)
{
    if (!m_links.contains(link))
        m_links.append(link);
}

void DataSource::removeLink(DataLink *link) { m_links.removeAll(link); }

DataLink::~DataLink()
{
    if (m_source)
        m_source->removeLink(this);
}

void DataLink::setDataSource(DataSource *source)
{
    if (source == m_source)
        return;
    if (m_source)
        m_source->removeLink(this);
    m_source = source;
    if (m_source)
        m_source->addLink(this);
    activeChanged();
}

bool DataLink::isActive() const
{
    return m_source && m_source->isEnabled() && m_source->dataSet() && m_source->dataSet()->isActive();
}

} // namespace tarix::db
