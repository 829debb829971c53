#pragma once
// The blocks the social-insurance forms share and the small builders of their uses.
#include "reports/dataset_source.h"
#include "platform/report/description.h"

#include <QSet>

namespace tarix::db {
class DataSet;
class Query;
}

namespace tarix::reports::social {

inline constexpr double kSirka = 190;        // the page inside its margins
inline constexpr double kRiadokFondu = 10;   // one fund line

inline const rpt::FontSpec kArial6{QStringLiteral("Arial"), 6};
inline const rpt::FontSpec kArial7{QStringLiteral("Arial"), 7};
inline const rpt::FontSpec kArial8{QStringLiteral("Arial"), 8};
inline const rpt::FontSpec kArial8b{QStringLiteral("Arial"), 8, true};
inline const rpt::FontSpec kArial9{QStringLiteral("Arial"), 9};
inline const rpt::FontSpec kArial9b{QStringLiteral("Arial"), 9, true};
inline const rpt::FontSpec kArial12b{QStringLiteral("Arial"), 12, true};

// A caption over a framed value of a field, at (x, y), w wide.
rpt::BlockUse Pole(const QString &popis, const QString &pole, double x, double y, double w);
// A caption over an empty frame (filled in by hand).
rpt::BlockUse blank(const QString &meno, const QString &popis, double x, double y, double w);
// A framed section heading across the page.
rpt::BlockUse sectionRow(const QString &meno, const QString &text, double y);
// The line of one fund; k names its labels (LP_k, LO_k, LZ_k). Without an employee
// share the employee's box shows "x x x x".
rpt::BlockUse fundRow(const QString &k, const QString &kod, const QString &popis, bool zamestnanec);

const rpt::BlockLibrary &socialBlocks();

// "za mesiac  MM / YYYY" of a period yyyymm.
QString Text_obdobia(int obdobie);
// The firm's account of the firm header's row: "prefix-number / bank".
QString firmAccountNumber(const db::DataSet &inf);
// The labels the set-up fills (tag not 0) keep their data when only data is printed.
void markFilledLabels(rpt::ReportForm &form);
// Ticks the box of the statement's kind the request asks for ("O" corrective, otherwise
// regular): "X" into the label `regularBox` or `correctiveBox`, the other one empty.
void markStatementKind(rpt::ReportForm &form, QChar kind, const QString &regularBox, const QString &correctiveBox);

} // namespace tarix::reports::social
