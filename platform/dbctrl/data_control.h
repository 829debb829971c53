#pragma once
// What every single-field data-aware control has: its link to a field of a data source.
#include "platform/dbctrl/field_link.h"

#include <QFocusEvent>

namespace tarix::dbctrl {

// Whether a focus change enters or leaves the control as the user moves between fields
// (not a popup of its own, a menu or another window taking the focus for a while).
inline bool movesBetweenFields(const QFocusEvent *event)
{
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

class DataControl {
public:
    DataControl() = default;
    virtual ~DataControl() = default;
    DataControl(const DataControl &) = delete;
    DataControl &operator=(const DataControl &) = delete;

    void setDataSource(db::DataSource *source) { m_link.setDataSource(source); }
    db::DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataField(const QString &fieldName) { m_link.setFieldName(fieldName); }
    const QString &dataField() const { return m_link.fieldName(); }
    // The bound field while the source is enabled and its dataset open, otherwise nullptr.
    db::Field *field() const { return m_link.field(); }
    // The control's own read-only switch (the field's and the dataset's also apply).
    void setDataReadOnly(bool readOnly) { m_link.setReadOnly(readOnly); }
    bool isDataReadOnly() const { return m_link.isReadOnly(); }
    FieldDataLink &dataLink() { return m_link; }
    const FieldDataLink &dataLink() const { return m_link; }

protected:
    FieldDataLink m_link;
};

} // namespace tarix::dbctrl
