#pragma once
// "EVIDENCIA NEPRÍTOMNOSTI ZA": every absence that touches the month, one line each in the
// order of its start.
#include "reports/sheets/sheet_report.h"

namespace tarix::reports {

class TReportEN : public sheets::SheetReport {
public:
    TReportEN();
    ~TReportEN() override;

    void Otvor_data() override;
    void Zatvor_data() override;

    static QString Text_Q0();
};

} // namespace tarix::reports
