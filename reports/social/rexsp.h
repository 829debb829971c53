#pragma once
// The social-insurance statement before 2004, "Mesačný výkaz poistného": sickness
// insurance and pension security only. The employer's premiums are recomputed per cost
// centre from the assessment bases and the month's highest employer rate of each group
// (A, B sickness; C, D pension; B and D for employees with ZPS1), each centre rounded up
// to whole crowns on its own.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <array>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::rpt {
struct LayoutDesc;
}

namespace tarix::reports {

namespace REXSP {

struct Suma_SP {
    int Pocet = 0;
    double O_nemoc = 0, O_nemoc2 = 0, O_dochod = 0, O_dochod2 = 0;
    // Rows 1-99: the bases of the groups; row 0: the employer's premiums of the groups.
    double Nemoc_a = 0, Nemoc_b = 0, Dochod_c = 0, Dochod_d = 0;
    // Row 0: the total bases of the groups.
    double Zaklad_a = 0, Zaklad_b = 0, Zaklad_c = 0, Zaklad_d = 0;
};

struct Sumy {
    std::vector<Suma_SP> riadky = std::vector<Suma_SP>(100);
    // The month's highest employer rates of the groups, per cent.
    double Sadzba_a = 0, Sadzba_b = 0, Sadzba_c = 0, Sadzba_d = 0;
};

// Whether a participation code counts the employee (1 to 5), adds the employee's part
// (1, 2, 4, 5) and the employer's base (1 and 3).
bool isCounted(int kod);
bool employeePaysSp(int kod);
bool employerPaysSp(int kod);

// The statement's totals; a failing query or a centre outside 1..99 raises.
Sumy Sucty_vykazu(db::Session &session, int obdobie, int sidOd, int sidDo);

// "%10.2n".
QString sumLabel(double v);

// The printed statement: the firm's data, the premium table and the signatures.
rpt::LayoutDesc layoutSP();

} // namespace REXSP

class TReportSP : public TReport {
public:
    TReportSP();
    ~TReportSP() override;

protected:
    // A statement drawn on the premium table's layout with more of its own.
    explicit TReportSP(const rpt::LayoutDesc &layout);

public:

    db::Query Q1_;
    db::Query Q2_;
    DataSetSource S1_;
    DataSetSource S2_;
    REXSP::Sumy Sumy;

    void Otvor_data() override;
    void Zatvor_data() override;
    bool hasData() const override;

private:
    void computeStatementFields(db::DataSet &ds);
};

} // namespace tarix::reports
