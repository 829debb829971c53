#pragma once
// The bookkeeping entries of a month (code PU): the recapitulation's bookkeeping lines
// (written to nakl) copied into the posting scheme cis_pu, printed with the debit and
// credit accounts.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace REXPU {
// Empties the scheme's amounts, recomputes the recapitulation with the code "PU" into nakl
// and takes each scheme line's amount from it: a line without a nakl row stays NULL, line
// 17.5 takes the "*" 1750 line, line 12 is the sum of lines 1 to 11. One transaction.
void updatePuCodes(db::Session &session, const TMyReportParam &p);
// "Vstupy do podvojného účtovníctva - " + month in capitals + " " + year.
QString titleHeading(int obdobie);
} // namespace REXPU

class TReportPU : public TReport {
public:
    TReportPU();
    ~TReportPU() override;

    db::Query T0_;
    DataSetSource S0_;

    void Otvor_data() override;
    void Zatvor_data() override;

private:
    void T0_CalcFields(db::DataSet &ds);
};

} // namespace tarix::reports
