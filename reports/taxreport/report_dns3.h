#pragma once
// The employer's yearly overview of tax advances before 2001 (code "DNS3"): the RTF
// template "vzor1.rtf" of the frm folder filled with the year's monthly sums into
// "hlasenie.rtf" in the firm's output folder.
#include "reports/report_param.h"

#include <array>

namespace tarix::db {
class Session;
}

namespace tarix::MyConsts {
class TemplateText;
}

namespace tarix::reports::DNS3 {

// The sums of one month (index 0 to 11) and of the year (index 12).
struct Sumy {
    double a = 0; // advances withheld
    double n = 0; // underpayments of the settlement withheld
    double o = 0; // overpayments refunded
    double t = 0; // tax withheld by deduction
};
std::array<Sumy, 13> loadSums(db::Session &session, int rok, int strediskoOd, int strediskoDo);

// The keys of the template: "$rok", "$firma" and for each month mm 01 to 12 and the year
// 13 "$ss01r" + mm = a, "$ss02r" = n, "$ss03r" = o, "$ss07r" = a + n - o, "$ss09r" = t and
// "$ss11r" = a + n - o + t, amounts as "%8.0f".
void addKeys(MyConsts::TemplateText &sablona, int rok, const QString &firma, const std::array<Sumy, 13> &sumy);

QString rtfTemplate();   // frm folder + "vzor1.rtf"
QString Vystupny_subor(); // output folder + "hlasenie.rtf"

// The run: the template checked, an existing output replaced only when the clerk agrees,
// the result offered to open.
void Vypln_sablonu_rtf(const TMyReportParam &p);

} // namespace tarix::reports::DNS3
