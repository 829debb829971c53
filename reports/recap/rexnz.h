#pragma once
// The cost recapitulation of a month (code NZ from 200401, and the computation the
// bookkeeping entries "PU" run for any period): line by line what the firm owes to each
// institution and what it pays out, with the mark and number by which payment orders and
// bookkeeping entries find an amount. With the write flag the lines replace the private
// table nakl in one transaction, after all of them are computed: a failing statement ends
// the run with its message and leaves the previous nakl whole.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <optional>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace REXNZ {

// One line of the recapitulation (one row of nakl).
struct Riadok {
    int riadok = 0;
    QString text;
    double suma = 0;
    QString symbol;                 // empty: the line identifies nothing
    int cislo = 0;
    std::optional<double> suma1;    // the second amount of two-amount lines

    bool operator==(const Riadok &) const = default;
};

// Whether a mark belongs to a bookkeeping line: "(", ")", "*", "+", "[", "]".
bool isAccountingSymbol(const QString &symbol);

// Collects the lines as the report code filters them: "PU" keeps only the bookkeeping
// one-amount lines, any other code skips them; two-amount lines are always kept. Every
// kept line takes the next number.
class RowList {
public:
    explicit RowList(bool lenUctovne) : m_lenUctovne(lenUctovne) {}
    void add(const QString &text, const QString &symbol, int cislo, double suma);
    void add(const QString &text, double suma) { add(text, {}, 0, suma); }
    void addTwo(const QString &text, double suma1, double suma2);
    std::vector<Riadok> riadky;

private:
    bool m_lenUctovne;
};

// The tax block's lines from advances A, underpayments N, overpayments R, bonus B, the
// month's withholding tax and W (the one transferred: the month's, or with parameter 32
// not 0 the month before's).
void taxBlock(RowList &z, double A, double N, double R, double B, double danMesiaca, double W,
                 bool zrazkaZaMinulyMesiac);

// Computes every line of the request's Obdobie and centre range (progress 0, 25, 50, 65,
// 75, 85, 100); with `zapis` the lines replace nakl. Raises on any failure before writing.
std::vector<Riadok> Vypocet_rekapitulacie(db::Session &session, const TMyReportParam &p, bool zapis);

// Replaces nakl by the lines in one transaction.
void writeCost(db::Session &session, const std::vector<Riadok> &riadky);

// The employment fund's lines before 2004 (FZ1 before 200005, FZ1A from it); its
// employees' part is added to `zam`, the employer's with the guarantee fund to `firma`.
void laborOfficeBefore2004(RowList &z, db::Session &session, const TMyReportParam &p, double &zam,
                          double &firma);

// The health insurers of the month, each with its employees' and employer's part as its
// statement computes them: ZP2005VY from 200501, ZP before. A failing statement raises.
struct HealthInsurer {
    int kzp = 0;
    double zam = 0;
    double firma = 0;
};
std::vector<HealthInsurer> healthInsurers(db::Session &session, int obdobie, int sidOd, int sidDo);

// The social fund's base and contribution: n_mzda rounded by ZAOKRUH7/ZAOKRUH7SM, and
// F_SOCFOND per cent of it rounded by ZAOKRUH8/ZAOKRUH8SM.
struct SocialFund {
    double zaklad = 0;
    double odvod = 0;
};
SocialFund computeSocialFund(db::Session &session, double n_mzda);

// The supplementary pension funds of the month: per fund code, employees' and employer's part.
struct DdpFund {
    int kdp = 0;
    double n_ddp = 0;
    double nz_ddp = 0;
};
std::vector<DdpFund> ddpFunds(db::Session &session, int obdobie, int sidOd, int sidDo);

// "REKAPITULÁCIA NÁKLADOV ZA " + month in capitals + " " + year.
QString titleHeading(int obdobie);

} // namespace REXNZ

// The printed recapitulation: nakl in RIADOK order.
class TReportNZ : public TReport {
public:
    TReportNZ();
    ~TReportNZ() override;

    db::Query T0_;
    DataSetSource S0_;

    void Otvor_data() override;
    void Zatvor_data() override;

protected:
    // The computation that fills nakl for this form.
    virtual void computeFigures();
    explicit TReportNZ(const rpt::LayoutDesc &layout);
};

namespace REXNZ {
// The layout of the recapitulation's table; `dveSumy`: with the second amount's column.
rpt::LayoutDesc layoutNZ(const QString &meno, bool dveSumy);
} // namespace REXNZ

} // namespace tarix::reports
