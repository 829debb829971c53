#pragma once
// The file of the open year's monthly payroll totals for the program Zefir:
// firm data folder + "Zefir/Mzdy" + year + ".txt", twelve blocks of ten lines, Windows-1250
// with CR LF line ends. Each month's amounts come from the cost recapitulation of that
// month, computed without writing the private table nakl.
//
// What each line takes from the recapitulation:
//   hrube mzdy   "Hrubý príjem"
//   np12         the employees' insurance: "Poistné - zamestnanci" (health insurers and,
//                before 2004, the employment fund) + the employees' part to the social
//                insurer
//   np38         the employer's insurance, the same way with the employer's parts
//   dan          "Daňový úrad - odvod tax_blocks spolu" (what goes to the tax office)
//   poistenie    hrube mzdy x the firm's liability-insurance rate (Inf.F_POISTNE, per
//                mille) x 0.001, to whole crowns away from zero
//   nemocenske   the benefits of "Sociálna poisťovňa 1.Poistné/2.Dávky NP"
//   zrazky       "Výplata - zrážky"
//   prijmy       what the employees were paid: "Výplata - zálohy" + both amounts of
//                "Výplata - 1.v hotovosti/2.bezhotovostne"
#include "reports/recap/rexnz.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::filings::Zefir {

struct Mesiac {
    double hrube_mzdy = 0;
    double np12 = 0;
    double np38 = 0;
    double dan = 0;
    double poistenie = 0;
    double nemocenske = 0;
    double zrazky = 0;
    double prijmy = 0;
};
using Rok = std::array<Mesiac, 12>;

// A month's amounts from its recapitulation lines (see above) and the rate per mille.
Mesiac monthSums(const std::vector<reports::REXNZ::Riadok> &riadky, int obdobie, double promile);

// An amount as the file writes it: rounded down to a whole number (towards minus infinity,
// on its value in hundredths), right-aligned in six characters, wider when needed.
QString Hodnota(double suma);

// The file's bytes: for each month "------------------", "Mesiac " + mm and the eight
// labelled lines.
QByteArray exportContent(const Rok &rok);

// The firm data folder of the session + "Zefir/Mzdy" + year + ".txt".
QString layoutFileName(db::Session &session, int rok);

// The twelve months of `rok` for the workstation's centre range (the request's defaults);
// progress m / 12 x 100 after month m.
Rok computeFigures(db::Session &session, int rok);

// "Export do súboru pre Zefir98": question 65152; the file of the open year replaced as a
// whole (a folder "Zefir" that is missing, or a file that cannot be written, is reported and
// keeps what was there); information 65153 naming the file. Returns the file written, empty
// when nothing was written.
QString Export_udajov();

} // namespace tarix::filings::Zefir
