#pragma once
// The annex of the settlement notice ("Zoznam zamestnancov, za ktorých bolo vykonané ročné
// zúčtovanie poistného", code "ZP05OZPR"): per insurer on a page of its own, each settled
// employee's under- or overpayment and who carried out the settlement.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <utility>

namespace tarix::reports {

namespace ZP05OZPR {
// The marks of who settled (A1): ("X" in the employer's column, "X" in the employee's) for
// "1" and "2"; any other value marks neither.
std::pair<QString, QString> insurerMarks(const QString &a1);
} // namespace ZP05OZPR

class TReportZP05OZPR : public TReport {
public:
    TReportZP05OZPR();
    ~TReportZP05OZPR() override;

    db::Query Q0_;   // one row per insurer
    db::Query Q1_;   // the insurer's settled employees
    DataSetSource S0_;
    DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

private:
    int m_poradie = 0;
};

} // namespace tarix::reports
