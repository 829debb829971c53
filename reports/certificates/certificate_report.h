#pragma once
// What the four editions of the income and tax-advance certificate share: the main query
// Q0_ (one page per employee) whose calculated fields come from the figures computed for
// the whole selection before the preview, the employer header QINF_ with its address, the
// captions of the set-up, and the blocks their layouts are drawn from.
#include "platform/db/query.h"
#include "platform/report/description.h"
#include "reports/certificates/certificate_figures.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <QStringList>

#include <map>

namespace tarix::reports {

namespace PZ {

inline const rpt::FontSpec kArial6{QStringLiteral("Arial"), 6};
inline const rpt::FontSpec kArial7{QStringLiteral("Arial"), 7};
inline const rpt::FontSpec kArial7b{QStringLiteral("Arial"), 7, true};
inline const rpt::FontSpec kArial8{QStringLiteral("Arial"), 8};
inline const rpt::FontSpec kArial8b{QStringLiteral("Arial"), 8, true};
inline const rpt::FontSpec kArial9{QStringLiteral("Arial"), 9};
inline const rpt::FontSpec kArial9b{QStringLiteral("Arial"), 9, true};
inline const rpt::FontSpec kArial12b{QStringLiteral("Arial"), 12, true};

inline constexpr double kSirka = 190;      // the page inside its margins
inline constexpr double kRiadok = 8;       // one numbered row of the form
inline constexpr double kStlpecSumy = 134; // where the amounts' column starts

// A numbered row: number, caption of two lines (three with `popis3`), the field in the
// amounts' column; without a field the column stays empty. `cislo` names its controls.
rpt::BlockUse Riadok(const QString &cislo, const QString &popis1, const QString &popis2, const QString &pole,
                     double y, const QString &maska, const QString &popis3 = {});
// The height of a row: kRiadok, or taller with a third caption line.
double rowHeight(const QString &popis3);
// A caption over a framed field, at (x, y), w wide.
rpt::BlockUse Pole(const QString &popis, const QString &pole, double x, double y, double w);
// One child's line k: name and birth date, months, amount (PZ2: the disability column).
rpt::BlockUse childRow(int k, double y, const QString &maska, bool ztp = false);

const rpt::BlockLibrary &certificateBlocks();

using LayoutItems = std::vector<rpt::LayoutItem>;
// The title "P O T V R D E N I E", the lines under it (the last one ends in the year,
// QRL_obdobie) and "(v Sk)"; returns the height taken.
double titleHeading(LayoutItems &p, const QStringList &riadky);
// The employee's name (under `popisMena`), birth number, address and postcode at y;
// returns the height taken.
double employeeHead(LayoutItems &p, double y, const QString &popisMena);
// "Vypracoval:", "Dňa:", "Číslo telefónu:" with the request's contact texts at (x, y).
void contactBlock(LayoutItems &p, double x, double y);
// The signature box at (x, y), w wide and h tall, with its caption lines at its bottom.
void signatureBlock(LayoutItems &p, double x, double y, double w, double h, const QStringList &riadky);
// The foot of the certificate from 2005 at y: the contact, the paying employer's tax number,
// name and address, his signature box, and under them the notes, `vyskaPoznamok` tall.
void payerFooter(LayoutItems &p, double y, const QString &poznamky, double vyskaPoznamok);
// Row 07's heading over the children's lines: number, caption, the months and amount columns.
void childrenHeading(LayoutItems &p, const QString &cislo, double y, double vyska, const QString &popis1,
                   const QString &popis2, const QString &stlpec1);

} // namespace PZ

class CertificateReport : public TReport {
public:
    ~CertificateReport() override;

    db::Query Q0_;
    db::Query QINF_;
    DataSetSource S0_;
    DataSetSource SINF_;

    // The figures of the selection, in the order of Q0_.
    const std::vector<PZ::CertificateFigures> &certificateFigures() const { return m_udaje; }

    void Otvor_data() override;
    void Zatvor_data() override;
    bool hasData() const override;

protected:
    explicit CertificateReport(PZ::FormSheet t);
    // Builds the layout; each printed field is checked against its query.
    void assemble(const rpt::LayoutDesc &popis);
    // Sets a label's caption when the layout has it.
    void setLabelText(const QString &meno, const QString &text);
    // The employer's address of the form's foot (with the tax number and name from 2005).
    QString firmAddress(const db::DataSet &inf) const;

    PZ::FormSheet m_tlacivo;

private:
    void computeReportFields(db::DataSet &ds);

    std::vector<PZ::CertificateFigures> m_udaje;
    std::map<int, size_t> m_podlaKodu;
};

} // namespace tarix::reports
