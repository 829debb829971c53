#pragma once
// The base of the employment documents' and the pension record's report forms: the main
// query Q0_ on the firm's data (registered as "Q0_"), further queries set up alike, the
// layout built with every printed field checked against its query, and the fonts.
#include "platform/db/query.h"
#include "platform/report/description.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

namespace tarix::reports::documents {

rpt::FontSpec reportFont(double body, bool tucne = false);
rpt::FontSpec footerBand(double body, bool tucne = false);

class DocumentReport : public TReport {
public:
    ~DocumentReport() override;

    db::Query Q0_;
    DataSetSource S0_;

protected:
    DocumentReport();

    static void prepareQuery(db::Query &q, const QString &meno, const QString &text);
    void assemble(const rpt::LayoutDesc &popis,
                const std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> &ine = {});
    // Sets the caption of a label of the layout, when it has one of the name.
    void setLabelText(const QString &meno, const QString &text);
};

} // namespace tarix::reports::documents
