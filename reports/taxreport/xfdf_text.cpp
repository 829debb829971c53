#include "reports/taxreport/xfdf_text.h"

#include "platform/format/format.h"

namespace tarix::reports::dane {

QString Cele(double v) { return fmt::format(u"%0.0f", {v}); }

QString Posledna_cislica(int rok) { return QString::number(rok).mid(3, 1); }

} // namespace tarix::reports::dane
