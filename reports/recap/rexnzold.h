#pragma once
// The cost recapitulation before 2004 (code NZ before 200401): the older lines with the
// marks Z, U, F, E, D, S, X, P and Y, written to nakl and printed.
#include "reports/recap/rexnz.h"

namespace tarix::reports {

namespace REXNZOLD {
// Every line of the request's month; with `zapis` they replace nakl (after all are computed).
std::vector<REXNZ::Riadok> Vypocet_rekapitulacie(db::Session &session, const TMyReportParam &p, bool zapis);
} // namespace REXNZOLD

class TReportNZOLD : public TReportNZ {
public:
    TReportNZOLD();

protected:
    void computeFigures() override;
};

} // namespace tarix::reports
