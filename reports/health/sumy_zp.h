#pragma once
// The totals of a health-insurance statement: one row per cost centre (1 to 99) and row 0
// the insurer's total, each split into group A (insured persons without a health
// disability, before 2005: without changed working capacity) and group B (with). The
// statement ZP before 2005 and the advance statement ZP2005VY from 2005 fill the same
// shape; their printouts, the RTF statement, the cost recapitulation and the insurers'
// batch files read row 0.
#include <QString>

#include <array>
#include <vector>

namespace tarix::reports {

struct Suma_ZP {
    int Pocet_a = 0, Pocet_b = 0;               // persons reported
    double O_zdravot_a = 0, O_zdravot_b = 0;    // employees' part
    double Oz_zdravot_a = 0, Oz_zdravot_b = 0;  // employer's part
    double Zaklad_oz_a = 0, Zaklad_oz_b = 0;    // bases of the records the employer pays for
    double Zaklad_a = 0, Zaklad_b = 0;          // assessment bases
    int Platiaci_a = 0, Platiaci_b = 0;         // persons with a base above 0
    int Dni_a = 0, Dni_b = 0;                   // their insured calendar days
    double Prijem_a = 0, Prijem_b = 0;          // their income for the base

    void addUp(const Suma_ZP &s);
    // The four parts together.
    double grandTotal() const { return O_zdravot_a + O_zdravot_b + Oz_zdravot_a + Oz_zdravot_b; }
};

inline constexpr int kRiadkySum = 100;

// One insurer's statement.
struct HealthSums {
    int kzp = 0;
    std::array<Suma_ZP, kRiadkySum> Sumy{};
    // The highest employer rate met in each group (statement ZP before 2005).
    double Sadzba_oz_a = 0, Sadzba_oz_b = 0;
    // The highest employee rate met in each group.
    double employeeRate_a = 0, employeeRate_b = 0;

    const Suma_ZP &grandTotal() const { return Sumy[0]; }
    // The row of a centre; a centre outside 1..99 raises EMyError (the statement then
    // shows nothing rather than leave a record out).
    Suma_ZP &Riadok(qint64 sid);
    // Rows 1 to 99 added into row 0.
    void sumRow0();
};

} // namespace tarix::reports
