#pragma once
// The employment-fund statement from 200005, with the guarantee fund (code FZ1A; code FZ1
// from 200005).
#include "reports/recap/rexfz1.h"

namespace tarix::reports {

class TReportFZ1A : public TReportFZ {
public:
    TReportFZ1A() : TReportFZ(true) {}
};

} // namespace tarix::reports
