#pragma once
// What the whole grid plug-in suite shares: its exception and the helpers that raise it,
// the record number of a dataset as the lookup visio counts it, and the data link that
// passes a data source's notifications on to bound handlers.
#include "platform/db/datasource.h"
#include "platform/errors.h"
#include "platform/format/format_pattern.h"

#include <QString>
#include <functional>

namespace tarix::grid {

// The suite's own failures (a plug-in name nobody registered, a full registry, an
// unlock without a lock). A text for the user like every EMyError.
class EGridPlugIn : public EMyError {
public:
    using EMyError::EMyError;
};

// Raises EGridPlugIn with "Msg\r\r[designerClassName.MethodName]".
[[noreturn]] void RaiseGridPlugInError(const QString &msg, const QString &className,
                                       const QString &methodName);
// The same with Msg formatted first from a pattern and its values ("%s", "%d").
[[noreturn]] void RaiseGridPlugInErrorFmt(const QString &pattern,
                                          std::initializer_list<fmt::FormatArg> args,
                                          const QString &className, const QString &methodName);

// The 0-based position of the current record counted by walking back to the first one
// (the cursor ends on the first record); -1 on an empty dataset. An unassigned or closed
// dataset raises EMyError.
int GetRecordNumber(db::DataSet *dataSet);

// A data link whose notifications call the handlers bound to it, each with the link first;
// an unbound handler makes its notification do nothing.
class TGPDataLink : public db::DataLink {
public:
    std::function<void(TGPDataLink &)> OnActiveChanged;
    std::function<void(TGPDataLink &)> OnDataSetChanged;
    // distance: how many records the cursor moved (negative: back).
    std::function<void(TGPDataLink &, int distance)> OnDataSetScrolled;
    // The handler may clear the field to mark the request handled.
    std::function<void(TGPDataLink &, db::Field *&field)> OnFocusControl;
    std::function<void(TGPDataLink &)> OnEditingChanged;
    std::function<void(TGPDataLink &)> OnLayoutChanged;
    std::function<void(TGPDataLink &, db::Field *field)> OnRecordChanged;
    std::function<void(TGPDataLink &)> OnUpdateData;

    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled() override;
    void recordChanged(db::Field *field) override;
    void editingChanged() override;
    void updateData() override;
    // Our data sources raise neither of these two; the owner of the link calls them.
    // focusControl hands the handler a copy and clears `field` when the handler cleared it.
    void focusControl(db::Field *&field);
    void layoutChanged();

private:
    int currentRecordNumber() const;
    int m_lastRecNo = 0;
};

} // namespace tarix::grid
