#pragma once
// Printing prepared pages on a printer (the window side: QPrinter needs Qt Widgets).
#include "platform/report/prepared.h"

class QPrinter;

namespace tarix::rpt {

// The printer defaults of the reports: A4 in the report's orientation, the whole paper as
// the drawing area, one copy, no duplex, automatic paper source.
void configurePrinter(QPrinter &printer, const PreparedReport &report);

// Prints the pages within the printer's page ranges (all when none are set), as many
// copies as the printer's copy count (collated by hand when the printer cannot copy).
// Returns the number of pages sent.
int printReport(const PreparedReport &report, QPrinter &printer);

} // namespace tarix::rpt
