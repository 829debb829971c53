#pragma once
// The employer's quarterly overviews of withheld tax advances and of the tax bonus, one
// column per month of the calendar quarter holding the report period (code "DNS2"):
// TReportDNS2 before 2004, TReportDNS2A for 2004 to 2006 and TReportPR2007 from 2007.
// The monthly sums come from the wage recapitulation's month queries.
#include "reports/report.h"

#include <array>

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace tax_overview {

// The sums of one month of the chosen cost centres.
struct Mesiac {
    double a = 0;          // Σ d_preddavok
    double dan = 0;        // Σ d_dan
    double bonus = 0;      // Σ d_bonus_cerpany
    double vyrovnanie = 0; // Σ d_vyrovnanie
    double n = 0;          // underpayments of the settlement withheld (positive)
    double o = 0;          // overpayments refunded
    double t3 = 0;         // tax withheld by deduction in the month before
};
Mesiac loadMonth(db::Session &session, int obdobie, int strediskoOd, int strediskoDo);

// The three periods of the quarter holding `obdobie`.
std::array<int, 3> quarterPeriods(int obdobie);

// One column of TReportDNS2A.
struct ColumnDNS2A {
    double r1 = 0, r2 = 0, r3 = 0, r5 = 0, r6 = 0, r7 = 0;
    double A = 0, B = 0, C = 0, D = 0;
};
ColumnDNS2A computeDNS2A(const Mesiac &m);

// One column of TReportPR2007; R is the bonus still unpaid after the month.
struct ColumnPR2007 {
    double r1 = 0, r2 = 0, r3 = 0, r4 = 0, r5 = 0, r6 = 0, r8 = 0, r9 = 0, r10 = 0;
    double A = 0, B = 0, C = 0;
    double R = 0;
};
// The quarter's columns: the bonus not covered in a month is carried to the next, where
// it reduces the advances first and then the tax withheld by deduction. With
// `zrazkovaMinulehoMesiaca` (statutory parameter 32 = 1) row 8 is the withholding tax of
// the month before, else the month's own.
std::array<ColumnPR2007, 3> computePR2007(const std::array<Mesiac, 3> &mesiace, bool zrazkovaMinulehoMesiaca);

} // namespace tax_overview

// The three overviews share their frame: the quarter's months read, the captions filled.
class TReportTaxOverview : public TReport {
public:
    std::array<tax_overview::Mesiac, 3> Mesiace;
    std::array<int, 3> Obdobia{};

    void Otvor_data() override;
    bool hasData() const override { return true; }

protected:
    // Fills the month columns from Mesiace.
    virtual void fillColumns() = 0;
    void setColumn(const QString &riadok, int stlpec, const QString &text);
};

class TReportDNS2A : public TReportTaxOverview {
public:
    TReportDNS2A();

protected:
    void fillColumns() override;
};

class TReportPR2007 : public TReportTaxOverview {
public:
    TReportPR2007();

protected:
    void fillColumns() override;
};

class TReportDNS2 : public TReportTaxOverview {
public:
    TReportDNS2();

protected:
    void fillColumns() override;
};

} // namespace tarix::reports
