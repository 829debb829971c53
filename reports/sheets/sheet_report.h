#pragma once
// What the wage sheets, absence records and per-employee lists share: the base of their
// report forms (a main query Q0_, registered as "Q0_"), the texts their calculated fields
// build alike, and the fonts and page footer of their layouts.
#include "platform/db/query.h"
#include "platform/report/description.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <QDate>
#include <QSet>

namespace tarix::reports::sheets {

rpt::FontSpec reportFont(double body, bool tucne = false);
rpt::FontSpec narrowFont(double body, bool tucne = false);

// Trimmed first name, surname and title joined by single blanks, the first 100 characters.
QString nameSurnameTitle(const QString &meno, const QString &priezvisko, const QString &titul);
// "street, zip city"; "zip city" when the street is empty.
QString sheetAddress(const QString &ulica, const QString &psc, const QString &mesto);
// Calendar days of an absence, both days counted; 0 when either date is missing.
int sheetCalendarDays(const QDate &od, const QDate &po);
// The first and last day of a period yyyymm.
QDate sheetFirstDay(int obdobie);
QDate sheetLastDay(int obdobie);

// A report form whose main data are the query Q0_; further queries register themselves.
class SheetReport : public TReport {
public:
    ~SheetReport() override;

    db::Query Q0_;
    DataSetSource S0_;

protected:
    SheetReport();

    // Sets a query up on the firm's data under its name.
    static void prepareQuery(db::Query &q, const QString &meno, const QString &text);
    // Builds the layout; each printed field is checked against the columns of its query.
    void assemble(const rpt::LayoutDesc &popis, const rpt::BlockLibrary &bloky,
                const std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> &ine = {});
};

// The blocks the layouts share: the page footer with the print date and the program line,
// the wage sheet's employee heading.
const rpt::BlockLibrary &sheetBlocks();

} // namespace tarix::reports::sheets
