#pragma once
// "E v i d e n c i a    n e p r í t o m n o s t i": per employee on a new page, the absences
// of the calendar year counted for the registration list (relation kind 1, the interruption
// of kind 4 left out) with their calendar days and the year's total.
#include "reports/sheets/sheet_report.h"

#include <QHash>

namespace tarix::reports {

class TReportML2 : public sheets::SheetReport {
public:
    TReportML2();
    ~TReportML2() override;

    db::Query Q1_;   // the employee's absences of the year
    DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

    // The employees employed on some day of the year (its days set by
    // MyConsts::setPeriodDays when the data are opened).
    static QString Text_Q0();
    static QString Text_Q1();

private:
    void Q1_CalcFields(db::DataSet &ds);
    // The texts of the absence kinds (Typrl) and of the interruptions (Prerus1).
    QHash<QString, QString> m_typy;
    QHash<qint64, QString> m_prerusenia;
};

} // namespace tarix::reports
