#pragma once
// The liability-insurance statement from 200201 for the social insurer: the base and the
// premium split into millions, thousands and units, the rate into its whole and its
// hundredths.
#include "reports/recap/rexpoi.h"

#include <array>

namespace tarix::reports {

namespace REXPOI2 {

// Millions, thousands, units of a whole amount; a group below 1 is empty, a group after a
// filled one has three digits: 1 000 500 -> "1", "000", "500"; 25 300 -> "", "25", "300".
std::array<QString, 3> Rozdel_na_trojice(qint64 suma);
// The rate's boxes: the whole per mille and the hundredths in two digits (5.2 -> "5", "20").
std::array<QString, 2> rateInBoxes(double promile);

rpt::LayoutDesc layoutPOI2();

} // namespace REXPOI2

class TReportPOI2 : public TReportInsurance {
public:
    TReportPOI2();

protected:
    void fillForm() override;
};

} // namespace tarix::reports
