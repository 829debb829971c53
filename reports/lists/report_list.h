#pragma once
// What the payroll lists and contribution breakdowns share: the base of their report forms
// (a main query over the month's payroll records, its fields known before it opens), the
// names printed in the lists, and the pieces of layout they draw alike.
#include "platform/db/query.h"
#include "platform/report/description.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <QSet>

namespace tarix::reports::pay_lists {

// The fonts of the lists.
rpt::FontSpec reportFont(double body, bool tucne = false);
rpt::FontSpec narrowFont(double body, bool tucne = false);

// The month and year of a period as the titles print them: "MAREC 2007" or "marec 2007".
QString monthAndYear(int obdobie, bool velke);

// Trimmed first name, surname and title joined by single blanks, the first 100 characters
// (the blanks stay even when a part is empty, as the lists have always printed them).
QString nameSurnameTitle(const QString &meno, const QString &priezvisko, const QString &titul);

// A report form whose main data are one query; Q0_ is registered as "Q0_".
class TReportList : public TReport {
public:
    ~TReportList() override;

    db::Query Q0_;
    DataSetSource S0_;

protected:
    TReportList();
    // Builds the layout; the fields the layout prints are checked against the queries'
    // columns (the main query's and those of `ine`, by their registered names).
    void assemble(const rpt::LayoutDesc &popis, const rpt::BlockLibrary &bloky,
                const std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> &ine = {});
};

// The title label, captioned at run time: tagged, so that it stays when only data print.
rpt::ControlDesc titleBlock(rpt::Box box, Qt::Alignment alignment = Qt::AlignLeft);

// An empty library for layouts that need no shared block.
const rpt::BlockLibrary &noBlocks();

} // namespace tarix::reports::pay_lists
