#include "reports/taxreport/xfdf_text.h"

#include "platform/format/format.h"

namespace tarix::reports::tax_blocks {

QString wholeNumberText(double v) { return fmt::format(u"%0.0f", {v}); }

QString lastDigit(int rok) { return QString::number(rok).mid(3, 1); }

} // namespace tarix::reports::tax_blocks
