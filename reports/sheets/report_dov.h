#pragma once
// "PREHĽAD DOVOLENIEK KU KONCU MESIACA": for each employee still employed with a holiday
// entitlement, the entitlement, the holiday taken from January up to the month and what
// remains (never below 0).
#include "reports/sheets/sheet_report.h"

#include <QHash>

namespace tarix::reports {

class TReportDOV : public sheets::SheetReport {
public:
    TReportDOV();
    ~TReportDOV() override;

    db::Query Q1_;   // holiday days taken per employee

    void Otvor_data() override;
    void Zatvor_data() override;

    // The employees of the month (the days set by MyConsts::setPeriodDays) with a holiday
    // entitlement.
    static QString Text_Q0(bool podlaPriezviska);
    static QString Text_Q1();

private:
    void Q0_CalcFields(db::DataSet &ds);
    QHash<qint64, double> m_cerpane;
};

} // namespace tarix::reports
