#pragma once
// The base of the employment documents' and the pension record's report forms: the main
// query Q0_ on the firm's data (registered as "Q0_"), further queries set up alike, the
// layout built with every printed field checked against its query, and the fonts.
#include "platform/db/query.h"
#include "platform/report/description.h"
#include "reports/dataset_source.h"
#include "reports/run_frame.h"

namespace tarix::reports::documents {

rpt::FontSpec Pismo(double body, bool tucne = false);
rpt::FontSpec Patkove(double body, bool tucne = false);

class DocumentReport : public TReport {
public:
    ~DocumentReport() override;

    db::Query Q0_;
    DataSetSource S0_;

protected:
    DocumentReport();

    static void Priprav_dotaz(db::Query &q, const QString &meno, const QString &text);
    void Zostav(const rpt::LayoutDesc &popis,
                const std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> &ine = {});
    // Sets the caption of a label of the layout, when it has one of the name.
    void Nastav_popis(const QString &meno, const QString &text);
};

} // namespace tarix::reports::documents
