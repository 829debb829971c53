#pragma once
// What the annual settlement reports share: the texts and amounts their calculated fields
// build alike (the employee's name and address, the split of the settlement's result, the
// signed result text), the base of the per-employee reconciliation forms (the settlement
// rows of a year joined with the employees, and the firm header) and the row-by-row
// layout those forms are drawn from.
#include "platform/db/query.h"
#include "platform/report/description.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <QStringList>
#include <vector>

namespace tarix::reports::settlement {

// ---- texts and amounts ---------------------------------------------------------------

// Trimmed title, a blank, trimmed first name, a blank, trimmed surname; at most 100
// characters.
QString titleNameSurname(const QString &titul, const QString &meno, const QString &priezvisko);
// Trimmed first name, surname and title joined by single blanks (the summary list).
QString nameSurnameTitle(const QString &meno, const QString &priezvisko, const QString &titul);
// street + ", " + town, also with an empty street (the reconciliation forms).
QString rzAddress(const QString &ulica, const QString &mesto);
// street + ", " + town, or the town alone when the street is empty (the certificate).
QString pzAddress(const QString &ulica, const QString &mesto);
// The firm's name, ", " and its address.
QString firmAddress(const db::DataSet &inf);

// The settlement's result split into what goes to and from the employee. B is the bonus
// still owed (claim - paid), P the result (positive: the employee gets money back),
// D = P - B the result without the bonus. Each pair holds the positive part on one side
// and 0 on the other; a zero difference is 0 on both sides (never -0).
struct ResultSplit {
    double preplBonus = 0;  // CALC_PREPL_BONUS: B > 0
    double nedoplBonus = 0; // CALC_NEDOPL_BONUS: -B
    double preplDan = 0;    // CALC_PREPL_DAN: P > 0
    double nedoplDan = 0;   // CALC_NEDOPL_DAN: -P
    double preplBB = 0;     // CALC_PREPL_BB: D > 0
    double nedoplBB = 0;    // CALC_NEDOPL_BB: -D

    bool operator==(const ResultSplit &) const = default;
};
ResultSplit splitResult(double bonusNarok, double bonusCerpany, double preplatok);

// The result as printed: its text by `maska`, preceded by "+ " when it is 0 or more.
QString overpaymentText(double preplatok, const QString &maska);

// 2 % of the tax less the tax bonus, in whole crowns toward zero, reckoned in hallers so
// that 1150 gives 23 and not 22.
double twoPercentOfTax(double danBezBonusu);

// ---- the reconciliation forms --------------------------------------------------------

// One row of a form: its number, the caption (wrapped within `riadky` lines), the field
// printed in the amount box and its mask. A row without a field is a heading across the
// form; a row without a number continues the one above.
struct RiadokRz {
    QString cislo;
    QString popis;
    QString pole;
    QString maska = QStringLiteral(",0");
    int riadky = 1;
};

// The employer lines at the foot of a form.
enum class RzFooter {
    Vykonal,        // "Ročné zúčtovanie preddavkov vykonal", the date and the signature
    Platitel,       // the payer's tax number, name and address above that
    Zamestnavatel,  // the employer's tax number, telephone, name and address above that
};

struct RzForm {
    QString nazov;            // the layout's name, "TReportRZ4"
    QString titul;            // the preview's title
    QStringList nadpis;       // the heading lines, the last one followed by the year
    QString zakon;            // the line under the heading
    QString menoPopis;        // "Meno a priezvisko daňovníka:"
    std::vector<RiadokRz> riadky;
    RzFooter pata = RzFooter::Vykonal;
    QStringList poznamky;     // footnotes and the closing note
};

// Rows 04 to 13 of the forms from 2004 (tax, tax bonus and the split result).
std::vector<RiadokRz> taxAndBonusRows();

// The per-employee page of a reconciliation form: one detail band, a new page for each.
rpt::LayoutDesc rzLayout(const RzForm &f);
// The row block the forms are drawn with.
const rpt::BlockLibrary &rzBlocks();

// A reconciliation form: Q0_ holds the settlement rows of the year of the request's
// period in the employee and centre ranges (calculated TMP, ADR, CALC_PREPLATOK, the six
// split fields and the non-taxable amounts the computation used, CALC_NC_MINIMUM and
// CALC_NC_PARTNER), QINF_ the firm header with CALC_ADRESA. Nothing is previewed, and nothing
// said, when no settlement row is found.
class SettlementReport : public TReport {
public:
    ~SettlementReport() override;

    db::Query Q0_;
    db::Query QINF_;
    DataSetSource S0_;
    DataSetSource SINF_;

    // The settlement rows with the employees' data (`tel1` as well for the 2005 form), by
    // personal key so that one run always prints and writes them in the same order.
    static QString Text_Q0(bool telefon = false);

    void Otvor_data() override;
    void Zatvor_data() override;

protected:
    // `maskaPreplatku`: the display of the result in CALC_PREPLATOK.
    explicit SettlementReport(const QString &maskaPreplatku = QStringLiteral("0 Sk"), bool telefon = false);
    void assemble(const rpt::LayoutDesc &popis);

private:
    void computeReportFields(db::DataSet &ds);
    QString m_maskaPreplatku;
};

} // namespace tarix::reports::settlement
