#pragma once
// The annex of the monthly statement as a spreadsheet (code "SP1PXLS"): the rows of the
// printed annex, one line per insured employee, written as a SYLK file "priloha" + period
// + ".SLK" in the program's "excel" folder and offered to the desktop's spreadsheet
// program.
#include "reports/report_param.h"
#include "reports/social/rexsp1p.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace tarix::reports::ParForm {

// The file's bytes: "ID;PWXL;N;E", "P;PGeneral", the widths of the 17 columns, the header
// row, one row per employee (from row 2, the first cell the running number), "E".
// Windows-1250, CR LF; every value quoted, an inner ";" doubled and a line break turned
// into a blank.
QByteArray sylkAttachment(const std::vector<REXSP1P::Riadok> &riadky);

// The file of a period: the program's "excel" folder + "priloha" + yyyymm + ".SLK".
QString sylkFile(int obdobie);

// The routine "ParForm.Export_sylk": writes the file (replacing an earlier one without
// asking; one that cannot be written gives the error 65123 and nothing more), then asks
// 65125 and opens it with the desktop's program, or tells 65124.
void Export_sylk(const TMyReportParam &p);

} // namespace tarix::reports::ParForm
