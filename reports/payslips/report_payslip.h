#pragma once
// The payslip "POTVRDENIE O PRÍJMOCH A ZRÁŽKACH ZA OBDOBIE": one detail band per payroll
// record of the month, its lines read from the month's payroll record (Vyp) joined to the
// employee (Zam). The layouts of the three law periods (before 2004, 2004, from 2005) in
// their full and short forms differ in the lines they print and in how the total labour
// cost is computed; the query, the head, the page rule and the set-up are shared here.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <QHash>
#include <array>

namespace tarix::rpt {
struct BlockLibrary;
struct LayoutDesc;
} // namespace tarix::rpt

namespace tarix::reports {

// The payslips from 2005 on, both layouts.
class TReportVP2005A;
class TReportVP2005B;
// 2004.
class TReportVP2;
class TReportVP2T;
// Before 2004.
class TReportVP;

// Registers the run routines of every payslip layout under their class names.
void registerPayslips();

namespace payslip_layouts {

// How a value prints (the display format of its field).
enum class ReportKind {
    Suma,     // amounts "0.00"
    Dni,      // day and hour counts "0.0"
    Sadzba,   // rates in per cent "0.00%"
    wholeNumberText,     // whole numbers and codes, as they are
    Priemer,  // averages and hourly rates of the oldest payslip "0"
    Text,
};
QString formatValue(ReportKind documentKind);

// Which of the law periods' query and calculated fields the layout uses.
enum class Obdobie { Do2004, Rok2004, Od2005 };

// The kind of a field the payslips print, and so its display format: an amount unless
// the field is one of the others (days and hours, rates, codes, texts; before 2004 the
// averages and the hourly rate print without decimals).
ReportKind fieldKind(const QString &pole, Obdobie obdobie);

// The blocks the payslip layouts share, and the layouts.
const rpt::BlockLibrary &payslipBlocks();
rpt::LayoutDesc layoutVP2005A();
rpt::LayoutDesc layoutVP2005B();
rpt::LayoutDesc layoutVP2();
rpt::LayoutDesc layoutVP2T();
rpt::LayoutDesc layoutVP();

} // namespace payslip_layouts

class TReportPayslip : public TReport {
public:
    ~TReportPayslip() override;

    // The month's payroll records of the employee and cost-centre ranges, with Zam.
    db::Query Q1_;
    // Holiday taken in the year up to the month, for the current row of Q1_.
    db::Query Q2_;
    DataSetSource S1_;

    rpt::Band *DetailBand1 = nullptr;
    rpt::ReportLabel *QRLAB_doplatky = nullptr;
    std::array<rpt::ReportLabel *, 5> QRLAB_priplatky{};

    void Otvor_data() override;
    void Zatvor_data() override;

    // The texts of the main query (parameters P1..P5).
    static QString Text_Q1(payslip_layouts::Obdobie obdobie);
    static QString Text_Q2();

protected:
    explicit TReportPayslip(payslip_layouts::Obdobie obdobie);

    // Builds the layout; the fields it prints are checked against the query's columns.
    void assemble(const rpt::LayoutDesc &popis);
    // Leaves out the rows of surcharges the firm has not named, unless the payroll has one.
    void showNamedSurcharges();

private:
    void addComputedFields();
    void computeReportFields(db::DataSet &ds);
    void setFormats();
    QString holidayText(db::DataSet &ds);

    payslip_layouts::Obdobie m_obdobie;
    // Display formats of the fields the layout prints.
    QHash<QString, QString> m_formaty;
    // The year's rounding of contributions (places, mode), read when the data open.
    int m_zaokrMiesta = -2;
    int m_zaokrSposob = 2;
};

class TReportVP2005A : public TReportPayslip {
public:
    TReportVP2005A();
};

class TReportVP2005B : public TReportPayslip {
public:
    TReportVP2005B();
};

class TReportVP2 : public TReportPayslip {
public:
    TReportVP2();
};

class TReportVP2T : public TReportPayslip {
public:
    TReportVP2T();
};

class TReportVP : public TReportPayslip {
public:
    TReportVP();
};

} // namespace tarix::reports
