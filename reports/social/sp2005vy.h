#pragma once
// The monthly statement of social-insurance premiums and contributions from 2005
// ("MESAČNÝ VÝKAZ POISTNÉHO A PRÍSPEVKOV"): the month's payroll records of a cost-centre
// range summed per fund (employee shares, employer shares, insured employees), printed on
// the one-page form (codes "SP" and "SPV" from 200501) or written as the form-data file
// of the insurer's PDF form (code "SP_PDF").
#include "core/helpers/form_data_pages.h"
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <QByteArray>
#include <array>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::rpt {
struct LayoutDesc;
}

namespace tarix::reports {

namespace SP2005VY {

// Columns of one slot of the totals.
enum StatementColumn : int {
    kPocetNP = 0, kNP_zamestnanec = 1, kNP_zamestnavatel = 2,
    kPocetSP = 3, kSP_zamestnanec = 4, kSP_zamestnavatel = 5,
    kPocetIP = 6, kIP_zamestnanec = 7, kIP_zamestnavatel = 8,
    kPocetPvN = 9, kPvN_zamestnanec = 10, kPvN_zamestnavatel = 11,
    kPocetUP = 12, kUP_zamestnavatel = 13,
    kPocetGP = 14, kGP_zamestnavatel = 15,
    kPocetRFS = 16, kRFS_zamestnavatel = 17,
    kSpolu = 34,
};
inline constexpr int kPocetStlpcov = 38;
inline constexpr int kPocetSlotov = 100;

// Slot n (1 to 99) holds cost centre n; slot 0 the totals, with column 34 the sum of
// every premium.
class Sucty {
public:
    Sucty() : m_s(kPocetSlotov) {}
    double operator()(int slot, int stlpec) const { return m_s.at(size_t(slot)).at(size_t(stlpec)); }
    double &operator()(int slot, int stlpec) { return m_s.at(size_t(slot)).at(size_t(stlpec)); }
    // Every value 0.
    void Vynuluj_sucty();

private:
    std::vector<std::array<double, kPocetStlpcov>> m_s;
};

// The totals of the month's payroll records of centres sidOd..sidDo. A record of a centre
// outside 1..99 or a failing query raises (the statement then prints nothing).
Sucty computeTotals(db::Session &session, int obdobie, int sidOd, int sidDo);

// The firm and contact data the form-data file writes, besides the totals.
struct Heading {
    QString NAZOV, ICZ, ICO, CALC_CISLO_UCTU, NAZOV_BANKY, ADR_MESTO, ADR_PSC, ADR_ULICA, ADR_CISLO,
        ADR_TELEFON, ADR_FAX, ADR_EMAIL;
};
// Reads the firm header (Inf).
Heading loadHeading(db::Session &session);

// The firm's fields of the form data, "b12c96nfobdobie" to "b12c96nfFormVyp", in order
// (the annex's pages write them too).
MyConsts::FormFields headingFields(const TMyReportParam &p, const Heading &h, int annexPages);

// The form-data (XFDF) document of the statement, for the PDF form `sablona`.
QByteArray statementXfdf(const TMyReportParam &p, const Sucty &s, const Heading &h, int annexPages,
                       const QString &sablona);

// "MesVykPCB_" + period + ".xfdf" in the firm's output folder.
QString xfdfName(int obdobie);
// The PDF form the file fills: the installation's "frm" folder + "MesVykPCB_web.pdf".
QString pdfTemplate();

// Print run (codes "SP", "SPV" from 200501).
void Spusti_zostavu(const TMyReportParam &p);
// Form-data run (code "SP_PDF").
void Export_xfdf(const TMyReportParam &p);

// "%10.0n" of a slot-0 value.
QString sumLabel(double v);
// The label "za obdobie": month without a leading zero + " / " + year.
QString statementPeriodText(int obdobie);

rpt::LayoutDesc layoutSP2005VY();

} // namespace SP2005VY

class TReportSP2005VY : public TReport {
public:
    TReportSP2005VY();
    ~TReportSP2005VY() override;

    // The firm header (one row), with CALC_FIRMA, CALC_OBDOBIE, CALC_CISLO_UCTU.
    db::Query Q1_;
    DataSetSource S1_;
    SP2005VY::Sucty Sucty;

    // Set-up: the period label, the totals, the firm header opened.
    void Priprav_vykaz();
    void Otvor_data() override { Priprav_vykaz(); }
    void Zatvor_data() override;
    bool hasData() const override;

private:
    void computeStatementFields(db::DataSet &ds);
    void fillTotals();
};

} // namespace tarix::reports
