#pragma once
// The blocks the tax office's forms share: a numbered row with its caption and one value
// (the yearly report), the same row with three month columns (the quarterly overviews),
// a framed title, and the small helpers of the forms' set-ups.
#include "platform/report/description.h"
#include "reports/filled_label.h"

namespace tarix::reports::tax_blocks {

inline constexpr double kSirka = 190; // the page inside its margins

inline const rpt::FontSpec kArial6{QStringLiteral("Arial"), 6};
inline const rpt::FontSpec kArial7{QStringLiteral("Arial"), 7};
inline const rpt::FontSpec kArial8{QStringLiteral("Arial"), 8};
inline const rpt::FontSpec kArial8b{QStringLiteral("Arial"), 8, true};
inline const rpt::FontSpec kArial9{QStringLiteral("Arial"), 9};
inline const rpt::FontSpec kArial9b{QStringLiteral("Arial"), 9, true};
inline const rpt::FontSpec kArial11b{QStringLiteral("Arial"), 11, true};

// A row of the yearly report: number, caption (wrapped) and the value label `meno`, h tall.
rpt::BlockUse Riadok(const QString &meno, const QString &cislo, const QString &popis, double h = 9);
// A row of a quarterly overview: number, caption and the labels meno_A, meno_B, meno_C.
rpt::BlockUse Riadok3(const QString &meno, const QString &cislo, const QString &popis, double h = 9);
// A framed heading across the page at y.
rpt::BlockUse titleHeading(const QString &meno, const QString &text, double y);

const rpt::BlockLibrary &taxBlocks();

// A wrapped caption.
rpt::ControlDesc Popis(const QString &meno, rpt::Box box, const QString &text, const rpt::FontSpec &font);

// The labels the set-up fills (tag not 0) keep their data when only data is printed.
void markFilledLabels(rpt::ReportForm &form);
// Sets a label's caption; a name the layout lacks is a fault of the layout.
void setBlock(rpt::ReportForm &form, const QString &meno, const QString &text);

// Amounts as the forms print them without separators ("1500", "-12,5").
QString sumLabel(double v);

} // namespace tarix::reports::tax_blocks
