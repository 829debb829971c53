#pragma once
// A data source joins a dataset to the things that follow it: data-aware controls, grids
// and detail datasets (DataLink). A disabled source passes nothing on: its grid stands still
// and detail datasets linked through it show all their rows until it is enabled again.
#include "platform/db/dataset.h"

#include <QList>
#include <functional>

namespace tarix::db {

class DataLink;

class DataSource {
public:
    explicit DataSource(DataSet *dataSet = nullptr);
    ~DataSource();
    DataSource(const DataSource &) = delete;
    DataSource &operator=(const DataSource &) = delete;

    void setDataSet(DataSet *dataSet);
    DataSet *dataSet() const { return m_dataSet; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // The dataset's state as the source passes it on (Inactive while disabled).
    DataSetState state() const;
    // Typing into a linked control switches the dataset to edit (off by default).
    bool autoEdit = false;

    std::function<void(DataSource &)> onStateChange;
    // field: the changed field; nullptr when the current row changed or rows were re-read.
    std::function<void(DataSource &, Field *field)> onDataChange;
    std::function<void(DataSource &)> onUpdateData;

    void addLink(DataLink *link);
    void removeLink(DataLink *link);

    // Called by the dataset.
    enum Event { StateChange, DataSetChange, Scroll, RecordChange, UpdateData };
    void dataEvent(Event event, Field *field);
    void dataSetDestroyed();

private:
    void updateState();
    DataSet *m_dataSet = nullptr;
    bool m_enabled = true;
    DataSetState m_state = DataSetState::Inactive;
    QList<DataLink *> m_links;
};

// Something that follows a data source (a control, a grid, a detail dataset).
class DataLink {
public:
    DataLink() = default;
    virtual ~DataLink();
    DataLink(const DataLink &) = delete;
    DataLink &operator=(const DataLink &) = delete;

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return m_source; }
    DataSet *dataSet() const { return m_source ? m_source->dataSet() : nullptr; }
    // The source is enabled and its dataset open.
    bool isActive() const;

    virtual void activeChanged() {}
    virtual void dataSetChanged() {}
    virtual void dataSetScrolled() {}
    virtual void recordChanged(Field *field) {}
    virtual void editingChanged() {}
    virtual void updateData() {}

private:
    friend class DataSource;
    DataSource *m_source = nullptr;
};

} // namespace tarix::db
