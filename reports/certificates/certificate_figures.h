#pragma once
// The figures of the employer's income and tax-advance certificate of one employee's year,
// computed without printing: the sums of the year's payrolls (Q0_), the months of row 02
// and of the non-taxable part (QPOM_), the children entitled to the tax bonus (QDET_) with
// their amounts and months, the pension saving of row 09 (QDDP_), the payrolls taxed by
// withholding (Q00_) and the paid bonus of each month (QBON_). The four editions of the
// form (from 2006, 2005, 2004, 2001 to 2003) share the computation and differ where each
// function says. The report forms copy these figures into their calculated fields.
#include <QString>
#include <QVariant>

#include <array>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::reports {

struct TMyReportParam;

namespace PZ {

enum class FormSheet {
    PZ2006, // from 2006: bonus matched to the paid bonus in 2007, withholding rows
    PZ2005, // 2005: 400 Sk / 450 Sk a month, ten children printed
    PZ3,    // 2004: months x parameter 28, ten children
    PZ2,    // 2001 to 2003: months x the dialog's amount, doubled for a disabled child, six children
};

// The most children computed and the most printed on the form.
int Pocet_deti(FormSheet t);
int printedChildren(FormSheet t);

// The monthly bonus amounts of the years that have them by law.
inline constexpr double kBonus2007_1_6 = 540.0;
inline constexpr double kBonus2007_7_12 = 555.0;
inline constexpr double kBonus2005_1_8 = 400.0;
inline constexpr double kBonus2005_9_12 = 450.0;

// The paid bonus of each month not yet matched to a child (2007), and the months the
// child being computed was matched to or is entitled in (index 0 = January).
struct BonusMonths {
    std::array<double, 12> zostatok{};
    std::array<quint8, 12> priznaky{};
};

// The tax bonus of one child entitled from month `od` to month `po` of year `rok`, with
// `mesacne` the monthly amount the form takes by default (statutory parameter 28, or the
// dialog's amount for PZ2, doubled there for a disabled child by the caller). The months
// outside 1..12 are not counted; `po` before `od` gives 0.
// - PZ2006, year 2007: 540 Sk in months 1-6, 555 Sk in 7-12, each only in a month whose
//   remaining paid bonus is above 0; the amount is taken from that month's remainder and
//   the month is flagged. Children are matched in their order, the first takes first.
// - PZ2006, other years: months x `mesacne`, the months od..po flagged.
// - PZ2005, year 2005: 400 Sk in months 1-8, 450 Sk in 9-12; other years months x `mesacne`.
// - PZ3, PZ2: months x `mesacne`.
// The flags are cleared first.
double Suma_bonusu(FormSheet t, int rok, int od, int po, double mesacne, BonusMonths &m);

// Whether the paid bonus of the year is matched to the children month by month, so that a
// remainder is a difference worth the clerk's check (65038): the 2006 form in 2007.
bool pairsBonus(FormSheet t, int rok);

struct Child {
    QString CALC_DIETA; // "name surname , d.M.yyyy" (PZ3, PZ2: " - " after the first child)
    QString CALC_MES;   // the months: "1-5,7,9-12" (PZ2006) or "od - do"
    double CALC_NC = 0;
    QString CALC_ZTP;   // PZ2: "ŤZP" for a disabled child
};

struct CertificateFigures {
    int code_emp = 0;
    // The sums of Q0_ (invalid when the year has no payroll taxed by advances).
    QVariant n_brutto, d_ciastzd, n_poist, xx_o_zdravot, n_ddp, nz_ddp, d_preddavok, nc_minimum;
    QString TMP;             // "title name surname"; a missing title leaves a leading blank
    QString ADR;             // "street, city", or the city alone
    QString CALC_MESIACE;    // row 02: "1, 2, 3"
    QString CALC_MES_NC_MIN; // row 06: the months whose own non-taxable part is above 0
    QString CALC_DDP;        // row 09
    QString CALC_NZ_DDP;     // row 10 (PZ2006)
    std::vector<Child> deti; // computed (at most Pocet_deti), in the order of their records
    double CALC_BONUS_CELKOM = 0;
    // Rows 12 to 14 (PZ2006): the payrolls taxed by withholding.
    double CALC_R13 = 0, CALC_R14A = 0, CALC_R14B = 0, CALC_R15 = 0;
    // The paid bonus left over after matching it to the children (2007).
    double Nesparovany_bonus = 0;
    bool Rozdiel_bonusu = false;
};

// The main query's text (SQLite form): one row per employee of the code and centre range
// with payrolls in the year, ordered by code. PZ2006 lists also employees whose every
// payroll of the year is taxed by withholding; the others only those with an advance-taxed
// payroll.
QString Text_Q0(FormSheet t);

// The figures of every employee the main query lists for the request's year (request
// period div 100), in its order. `parameter28` is the monthly bonus of the year's
// parameters; the request gives the ranges, the dialog's values of rows 09 and 10 (PZ2006,
// PZ2005) and the monthly amount per child (PZ2).
std::vector<CertificateFigures> certificateData(db::Session &session, FormSheet t, const TMyReportParam &p,
                                                double parameter28);

// The title, name and surname of row "head": trimmed, joined by blanks, 100 characters.
QString nameWithTitle(const QString &titul, const QString &meno, const QString &priezvisko);
// "street, city"; the city alone without a street.
QString residenceAddress(const QString &ulica, const QString &mesto);

} // namespace PZ

} // namespace tarix::reports
