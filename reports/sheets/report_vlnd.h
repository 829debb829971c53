#pragma once
// "Výplatná listina - súhrn nemocenských dávok za": the month's sickness benefits of every
// employee who got any, by name or by employee code, with the sums of every column.
#include "reports/sheets/sheet_report.h"

namespace tarix::reports {

class TReportVLND : public sheets::SheetReport {
public:
    TReportVLND();
    ~TReportVLND() override;

    void Otvor_data() override;
    void Zatvor_data() override;

    static QString Text_Q0(bool podlaPriezviska);
};

} // namespace tarix::reports
