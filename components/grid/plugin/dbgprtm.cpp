#include "components/grid/plugin/dbgprtm.h"

#include "platform/db/dataset.h"

namespace tarix::grid {

void RaiseGridPlugInError(const QString &msg, const QString &className, const QString &methodName)
{
    throw EGridPlugIn(QStringLiteral("%1\r\r[%2.%3]").arg(msg, className, methodName));
}

void RaiseGridPlugInErrorFmt(const QString &pattern, std::initializer_list<fmt::FormatArg> args,
                             const QString &className, const QString &methodName)
{
    RaiseGridPlugInError(fmt::format(pattern, args), className, methodName);
}

int GetRecordNumber(db::DataSet *dataSet)
{
    if (!dataSet || !dataSet->isActive())
        throw EMyError(QStringLiteral("\"GetRecordNumber\" fail. \"DataSet\" is unassigned or inactive"));
    const int n = dataSet->recordNumber();
    if (n == 0)
        return -1;
    return -dataSet->moveBy(-(n + 1));
}

int TGPDataLink::currentRecordNumber() const
{
    db::DataSet *ds = dataSet();
    return ds && ds->isActive() ? ds->recordNumber() : 0;
}

void TGPDataLink::activeChanged()
{
    m_lastRecNo = currentRecordNumber();
    if (OnActiveChanged)
        OnActiveChanged(*this);
}

void TGPDataLink::dataSetChanged()
{
    m_lastRecNo = currentRecordNumber();
    if (OnDataSetChanged)
        OnDataSetChanged(*this);
}

void TGPDataLink::dataSetScrolled()
{
    const int now = currentRecordNumber();
    const int distance = now - m_lastRecNo;
    m_lastRecNo = now;
    if (OnDataSetScrolled)
        OnDataSetScrolled(*this, distance);
}

void TGPDataLink::recordChanged(db::Field *field)
{
    if (OnRecordChanged)
        OnRecordChanged(*this, field);
}

void TGPDataLink::editingChanged()
{
    if (OnEditingChanged)
        OnEditingChanged(*this);
}

void TGPDataLink::updateData()
{
    if (OnUpdateData)
        OnUpdateData(*this);
}

void TGPDataLink::focusControl(db::Field *&field)
{
    if (!OnFocusControl)
        return;
    db::Field *copy = field;
    OnFocusControl(*this, copy);
    if (!copy)
        field = nullptr;
}

void TGPDataLink::layoutChanged()
{
    if (OnLayoutChanged)
        OnLayoutChanged(*this);
}

} // namespace tarix::grid
