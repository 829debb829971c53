#pragma once
// The statement of premiums and benefits before 2004 (code "SPV" before 200401): the
// premium table of the statement before 2004 (sickness insurance and pension security per
// cost centre, the employer's premium of each rate group rounded up per centre) and the
// sickness and family benefits the employer paid in the month.
#include "reports/social/rexsp.h"

#include <array>
#include <vector>

namespace tarix::reports {

namespace REXSPV {

// The benefits of one centre, in the order of the payroll record's fields N_pn, N_ocr,
// Nd_materska, Nd_rodic, Nd_pridavky, Nd_ine, Nd_spolu.
enum BenefitKind : int { N_PN, N_OCR, ND_MATERSKA, ND_RODIC, ND_PRIDAVKY, ND_INE, ND_SPOLU, kPocetDavok };
using Benefits = std::array<double, kPocetDavok>;

struct Sumy {
    // The premiums as the statement before 2004 sums them.
    REXSP::Sumy poistne;
    // Row n (1 to 99) centre n, row 0 the totals.
    std::vector<Benefits> davky = std::vector<Benefits>(100, Benefits{});
};

// The premiums and the benefits of the month's payroll records of centres sidOd..sidDo. A
// failing query or a centre outside 1..99 raises.
Sumy Sucty_vykazu(db::Session &session, int obdobie, int sidOd, int sidDo);

// The premium table with the title of this statement and the benefits below it.
rpt::LayoutDesc layoutSPV();

} // namespace REXSPV

class TReportSPV : public TReportSP {
public:
    TReportSPV();
    ~TReportSPV() override;

    REXSPV::Sumy SumySPV;

    // The premium table's set-up, then the benefits of row 0.
    void Otvor_data() override;
};

} // namespace tarix::reports
