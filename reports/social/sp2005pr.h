#pragma once
// The annex of the monthly statement from 2005 ("MESAČNÝ VÝKAZ POISTNÉHO A PRÍSPEVKOV -
// príloha", code "SP1P" from 200501): one box per insured employee of the month with the
// assessment bases and the premiums per fund, eight employees to a page, printed, or
// written as form data for the insurer's PDF form, one file per page (code "SP_PDF_PR").
#include "core/helpers/form_data_pages.h"
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"
#include "reports/social/rexsp1p.h"
#include "reports/social/sp2005vy.h"

#include <vector>

namespace tarix::rpt {
struct LayoutDesc;
}

namespace tarix::reports {

namespace SP2005PR {

// Employees on one page of the form.
inline constexpr int kNaStranu = 8;

// Whether a participation code means the employee is insured in the form data (1, 2, 4
// and 5); any other code marks the fund "neplatí".
bool pays(int kod);

// The fields of one employee in the form data; the names end in "." and take the row on
// the page. `poradie` is the running number (from 1).
MyConsts::FormFields rowFields(const REXSP1P::Riadok &r, int poradie);

// The pages of the annex of `rows` employees (at least one), as the statement and every
// page of the annex state them.
int annexPageCount(std::size_t rows);

// The form-data pages of the annex: the firm's fields, the count of pages and the page
// number, then the rows.
MyConsts::FormDataPages statementPages(const TMyReportParam &p, const SP2005VY::Heading &h,
                               const std::vector<REXSP1P::Riadok> &riadky, const QString &sablona);

// "MesVykPRI_" + period in the firm's output folder (the pages add "_str" + n + ".xfdf").
QString baseName(int obdobie);
// The PDF form the files fill: the installation's "frm" folder + "file_ext_document_278.pdf".
QString pdfTemplate();

// Print run (code "SP1P" from 200501): always previewed.
void Spusti_zostavu(const TMyReportParam &p);
// Form-data run (code "SP_PDF_PR"): the pages, then the file choice on the output folder.
void Export_xfdf(const TMyReportParam &p);

rpt::LayoutDesc layoutSP2005PR();

} // namespace SP2005PR

class TReportSP2005PR : public TReport {
public:
    TReportSP2005PR();
    ~TReportSP2005PR() override;

    // The insured employees' payroll records, by personal number.
    db::Query Q0_;
    // The firm header with CALC_FIRMA, CALC_OBDOBIE, CALC_CISLO_UCTU.
    db::Query Q1_;
    DataSetSource S0_;
    DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

private:
    void computeFieldsQ0(db::DataSet &ds);
    void computeFieldsQ1(db::DataSet &ds);
};

} // namespace tarix::reports
