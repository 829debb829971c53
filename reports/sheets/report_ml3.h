#pragma once
// The yearly wage sheet "M z d o v ý    l i s t" from 2004: per employee with a payroll in
// the year a new page with the master data, one row of 19 three-line columns per payroll
// month ordered by month, the year's sums of every cell and the children claimed for tax.
#include "reports/sheets/sheet_report.h"

namespace tarix::reports {

namespace sheets {
// A column of a wage sheet's month rows: up to three lines, each a caption over a field.
struct Riadok {
    const char *popis;
    const char *pole;
};
struct SheetColumn {
    Riadok riadky[3];
};
} // namespace sheets

class TReportML3 : public sheets::SheetReport {
public:
    TReportML3();
    ~TReportML3() override;

    db::Query Q1_;   // the employee's payroll records of the year
    db::Query Q2_;   // the children claimed for tax
    DataSetSource S1_;
    DataSetSource S2_;

    void Otvor_data() override;
    void Zatvor_data() override;

    static QString Text_Q0();
    static QString Text_Q1();
    static QString Text_Q2();

    using Riadok = sheets::Riadok;
    using SheetColumn = sheets::SheetColumn;
    static const std::vector<SheetColumn> &sheetColumns();
    // Days and hours print with one decimal place ("0.0"), amounts whole ("0").
    static QString mask(const QString &pole);

protected:
    // The sheet before 2004 (TReportML) differs in its payroll query, its columns, the
    // second address's caption and its other incomes; it prints even when empty.
    explicit TReportML3(bool pred2004);

private:
    void Q0_CalcFields(db::DataSet &ds);
    void Q1_CalcFields(db::DataSet &ds);
    bool m_pred2004 = false;
};


namespace sheets {
// The employee heading of a wage sheet (the second address captioned as given) and the
// fields its calculated fields fill, shared by the sheets before and from 2004.
void addHeadingFields(db::Query &q);
void computeHeading(db::DataSet &ds, const QString &firma);
std::vector<rpt::LayoutItem> sheetHeading(const QString &druha_adresa);
// The layout of a wage sheet with the given columns of the month rows.
rpt::LayoutDesc sheetLayout(const QString &nazov, const std::vector<SheetColumn> &stlpce, const QString &druha_adresa);
} // namespace sheets

} // namespace tarix::reports
