#pragma once
// The employer's yearly report on withheld tax advances and the tax bonus from 2004, parts
// I ("Vyúčtovanie tax_blocks") and II ("Výpočet odvodovej povinnosti"): the rows computed over
// the payroll records of the whole firm's year, printed (code "DNS3" from 200401) or
// written as the form-data file of the tax office's PDF form (code "VD_A_PDF").
#include "reports/report.h"

#include <QByteArray>
#include <QDate>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace VD2005A {

// One month of the year's payroll records: Σ d_vyrovnanie, Σ d_preddavok, Σ d_bonus_cerpany.
struct Mesiac {
    double vyrovnanie = 0;
    double preddavok = 0;
    double bonus = 0;
};

// What the yearly sums give.
struct Input {
    double A = 0; // Σ d_preddavok
    double C = 0; // Σ d_bonus_cerpany
    double D = 0; // Σ (d_ciastzd + n_poist)
    std::vector<Mesiac> mesiace;
    int N = 0;    // employees listed in part III
    int NB = 0;   // of them, those paid a bonus
};

// The rows of parts I and II.
struct Statement {
    double D = 0, R1 = 0, R2 = 0, R3 = 0, R5 = 0, R6 = 0, R7 = 0, R10 = 0, R11 = 0;
    double C = 0, E = 0;          // rows A = C, B = C - E, C = D = E
    double D1 = 0, D2 = 0, d = 0; // part II
    int N = 0, NB = 0, P = 1;     // counts and the pages of part III
};

// Pages of part III, four employees a page: (n - 1) div 4 + 1, so none gives one page.
int pageCount(int n);
// The rows from the sums.
Statement computeFigures(const Input &v);
// The sums of the year's payroll records.
Input loadInput(db::Session &session, int rok);

// The employer's data the form-data file names.
struct VdHeading {
    QString DIC, DANOVY_URAD, TYP_ZEL, FO_Surname, FO_Name, FO_Titul_pred, NAZOV, ADR_ULICA, ADR_CISLO, ADR_PSC,
        ADR_MESTO, ADR_TELEFON, ADR_FAX;
    QDate DATUM_RZP;
};
VdHeading loadHeading(db::Session &session);

// The form-data document for the PDF form `sablona`.
QByteArray vdXfdf(int rok, const Statement &v, const VdHeading &h, const TMyReportParam &p, const QString &sablona);
// "RH1_" + year + ".xfdf" in the firm's output folder.
QString xfdfName(int rok);
// The form "rh2004.pdf" in the installation's frm folder.
QString pdfTemplate();

// Form-data run (code "VD_A_PDF").
void Export_xfdf(const TMyReportParam &p);

} // namespace VD2005A

class TReportVD2005A : public TReport {
public:
    TReportVD2005A();
    VD2005A::Statement Vysledok;

    // The computation and the captions.
    void Priprav_zostavu();
    void Otvor_data() override { Priprav_zostavu(); }
    bool hasData() const override { return true; }
};

} // namespace tarix::reports
