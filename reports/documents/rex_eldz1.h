#pragma once
// The employee's pension-insurance record sheet: "ELDZ1" prints per employee and year the
// gross income, the assessment bases, the worked and the counted insured days up to the
// chosen period; "ELDP_PDF" writes the record lines of the chosen employee (ELDP) with the
// employer's and his own data as the form-data (XFDF) file of the insurer's PDF form.
#include "platform/db/sql_result.h"
#include "reports/documents/document_data.h"
#include "reports/documents/document_report.h"

#include <QByteArray>
#include <QDate>

namespace tarix::reports {

class TReportELDZ1 : public documents::DocumentReport {
public:
    TReportELDZ1();
    ~TReportELDZ1() override;

    // The years of the current employee, with CALC_dni.
    db::Query Q1_;
    DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

    static QString Text_Q0();
    static QString Text_Q1();
};

namespace RexELDZ1 {

// The counted insured days of year `rok` for an employee who entered on `nastup` and left
// on `vystup` (either may be empty), up to the end of the period yyyymm when it lies in
// that year: from 1 January or the entry in the year, to 31 December, the leaving in the
// year or the period's last day, whichever is earliest; an end before the start counts one day.
int CALC_dni(int rok, const QDate &nastup, const QDate &vystup, int obdobie);

// A form field of record line n: the name itself for the first line, else name + "_" + n.
QString Nazov_pola(const QString &pole, int riadok);

// The form-data document for the employee `zamestnanec` (a Zam row), his record lines
// `riadky` (ELDP rows in order) and the firm header, for the PDF form `sablona`.
QByteArray eldpXfdf(const TMyReportParam &p, const documents::DataRow &zamestnanec, const db::SqlResult &riadky,
                     const documents::DataRow &firma, const QString &sablona);

// "ELDP_" + birth number without "/" and blanks + "_" + surname + "_" + name + ".xfdf" in
// the firm's output folder.
QString xfdfName(const documents::DataRow &zamestnanec);
// The installation's "frm" folder + "eldp_form_1.5.pdf".
QString pdfTemplate();

// Print run (code "ELDZ1").
void Spusti_zostavu(const TMyReportParam &p);
// Form-data run (code "ELDP_PDF") for the employee of the request (Zamestnanec_od).
void Export_xfdf(const TMyReportParam &p);

} // namespace RexELDZ1

} // namespace tarix::reports
