#pragma once
// The wage recapitulation's figures, read without printing: the sums of every payroll
// record of a period range and cost-centre range, and the month queries the cost
// recapitulation and the tax overviews run with their own parameters. The recapitulation
// report (TReportVL3) prints what these functions return.
#include <QHash>
#include <QString>
#include <optional>

namespace tarix::db {
class Session;
class SqlResult;
} // namespace tarix::db

namespace tarix::reports {

struct TMyReportParam;

namespace wage_recap {

// The period range a request recapitulates: one month, the chosen Obdobie, when the
// request's first and last periods are equal; otherwise the months 1 to 12 of the year of
// Obdobie.
struct RecapRange {
    int obdobieOd = 0;
    int obdobieDo = 0;
    int strediskoOd = 1;
    int strediskoDo = 99;

    bool isMonthly() const { return obdobieOd == obdobieDo; }
};
RecapRange requestRange(const TMyReportParam &p);

// The names (lower case) of the fields and computed sums the recapitulation prints.
struct Sumy {
    int pocet = 0;                         // payroll records summed
    QHash<QString, double> hodnoty;        // field name (lower case) -> sum
    // Withholding tax of the month before a monthly recapitulation; empty for a range.
    std::optional<double> d_dan_minula;

    // The sum of a field (0 for a field not summed or without rows).
    double operator[](const QString &pole) const { return hodnoty.value(pole.toLower()); }
};

// Every summed name: the payroll record's fields the recapitulation prints, and the
// computed ones: calc_brutto_dohody (gross of records whose tax is settled by withholding,
// Dan_vyrovnana = 1), calc_dan_nedoplatok (underpayments of the annual settlement as a
// positive sum), calc_dan_preplatok (overpayments and zero), calc_zrazky (all deductions).
const QStringList &sumFields();

// The sums over the range's payroll records (of employees on file), and for one month
// the withholding tax of the month before (January: December of the year before).
Sumy wageRecap(db::Session &session, const RecapRange &rozsah);

// ---- the month queries (parameters P1 period, P2, P3 centre range) -------------------------
// Q1_: the sums of one month the cost recapitulation posts, d_nedoplatok and d_preplatok of
// Q2a_ and Q2b_ among them.
QString Text_Q1();
// Q2a_: the underpayments of the annual tax settlement (d_nedoplatok, positive).
QString Text_Q2a();
// Q2b_: the overpayments (d_preplatok).
QString Text_Q2b();
// Q3_: the withholding tax of a month (d_dan); run for the month before.
QString Text_Q3();

db::SqlResult monthSums(db::Session &session, int obdobie, int strediskoOd, int strediskoDo);
double taxArrears(db::Session &session, int obdobie, int strediskoOd, int strediskoDo);
double taxOverpayments(db::Session &session, int obdobie, int strediskoOd, int strediskoDo);
// The withholding tax of the month before `obdobie`.
double lastMonthWithholdingTax(db::Session &session, int obdobie, int strediskoOd, int strediskoDo);

} // namespace wage_recap
} // namespace tarix::reports
