// The figures of the firm of every case agree wherever they are printed or filed: each
// row of the table names the figures that must be equal (each read from the report's
// printout, its data function or the file written) and the test compares them.
#include "every_case_filings.h"

#include "filings/rex_hp.h"
#include "filings/rex_sp_xml.h"
#include "filings/rex_zp_txt.h"
#include "reports/health/zp2005vy.h"
#include "reports/lists/rekapitulacia_miezd.h"
#include "reports/recap/rexnz.h"
#include "reports/social/sp2005vy.h"

#include <QFile>
#include <QRegularExpression>


using namespace tarix;
using namespace tarix::reports;
using namespace Qt::StringLiterals;

namespace {

struct Figure {
    std::string source;
    double value;
};
// Figures that must be equal, under what they stand for.
struct Agreement {
    std::string what;
    std::vector<Figure> figures;
};

class EveryCaseFigures;
using FigureSource = std::vector<Agreement> (EveryCaseFigures::*)();

struct CrossCheck {
    const char *name;
    FigureSource figures;
};

void PrintTo(const CrossCheck &c, std::ostream *os) { *os << c.name; }

class EveryCaseFigures : public filings::fixtures::EveryCaseFilings, public ::testing::WithParamInterface<CrossCheck> {
public:
    // Gross pay: the payroll list's SPOLU, the wage recapitulation, the payslips.
    std::vector<Agreement> grossPay()
    {
        const rpt::PreparedReport *vl = run(request(u"VL"_s, kPeriod));
        const double list = vl ? columnTotal(*vl, u"QRDB_N_brutto"_s) : std::nan("");
        TMyReportParam p = request(u"VL3"_s, kPeriod);
        const double recap = wage_recap::wageRecap(session, wage_recap::requestRange(p))[u"n_brutto"_s];
        const rpt::PreparedReport *payslip_layouts = run(request(u"VP"_s, kPeriod));
        const double payslips = payslip_layouts ? sumOf(*payslip_layouts, u"QRDB_N_brutto"_s) : std::nan("");
        return {{"gross pay of the month",
                 {{"VL SPOLU", list},
                  {"VL3", recap},
                  {"payslips", payslips},
                  {"payroll records", value("select sum(n_brutto) from \":tarix_data:vyp\" where v_obdobie = 200704")}}}};
    }

    // The social insurer: the statement, its XML and the cost recapitulation's line.
    std::vector<Agreement> socialInsurance()
    {
        const double statement = SP2005VY::computeTotals(session, kPeriod, 1, 99)(0, SP2005VY::kSpolu);
        const QString path = filings::RexSpXml::writeStatement(request(u"SPXML/2.5"_s, kPeriod), session);
        QFile f(path);
        double xml = std::nan("");
        if (f.open(QIODevice::ReadOnly)) {
            const QRegularExpressionMatch m =
                QRegularExpression(u"<spoluPoistne>([^<]*)</spoluPoistne>"_s).match(QString::fromUtf8(f.readAll()));
            if (m.hasMatch())
                xml = amountOf(m.captured(1));
        }
        return {{"social insurance of the month",
                 {{"statement SP", statement}, {"XML", xml}, {"NZ", costLine(u"soc.poisťovne - spolu"_s)}}}};
    }

    // Each health insurer: its statement, its 514 batch file and its cost line.
    std::vector<Agreement> healthInsurers()
    {
        std::vector<Agreement> out;
        const TMyReportParam p = request(u"ZPTXT"_s, kPeriod);
        const filings::RexZpTxt::Batch batch = filings::RexZpTxt::batch514(session, p, QDate(2007, 5, 10));
        for (const HealthSums &s : ZP2005VY::computeStatements(session, kPeriod, 1, 99)) {
            double header = std::nan(""), lines = 0;
            for (const filings::RexZpTxt::BatchFile &file : batch.subory) {
                if (file.kzp != s.kzp)
                    continue;
                const QStringList rows = QString::fromLatin1(file.obsah).split(u"\r\n"_s, Qt::SkipEmptyParts);
                for (int i = 2; i < rows.size(); ++i) {
                    const QStringList fields = rows[i].split(u'|');
                    if (i == 2)
                        header = fields.size() > 17 ? fields[17].toDouble() : std::nan("");
                    else
                        lines += fields.last().toDouble();
                }
            }
            const QString insurer = QString::number(s.kzp);
            out.push_back({"health insurer " + insurer.toStdString(),
                           {{"statement", s.grandTotal().grandTotal()},
                            {"514 total", header},
                            {"514 persons", lines},
                            {"NZ", costLine(u"zdrav.poisťovne č."_s + insurer + u" - spolu"_s)}}});
        }
        EXPECT_FALSE(out.empty());
        return out;
    }

    // The payment order straight from the payroll and the stored order of the same parts.
    std::vector<Agreement> paymentOrders()
    {
        const int before = previewHost.shownCount;
        filings::REXHP::runHpReport(request(u"HP"_s, kPeriod), filings::Parametre_hp{});
        const bool shown = previewHost.shownCount > before && !previewHost.last.pages.empty();
        const double hp = shown ? sumOf(previewHost.last, u"QRDB_sporenie"_s) : std::nan("");
        const double hpTotal = shown ? amountOf(textOf(previewHost.last.pages.back(), u"QRL_celkom"_s)) : std::nan("");
        TMyReportParam p = request(u"HP1"_s, kPeriod);
        p.Rezerva1 = kOrder;
        const rpt::PreparedReport *hp1 = run(p);
        return {{"payment orders of the month",
                 {{"HP items", hp},
                  {"HP total", hpTotal},
                  {"HP1 items", hp1 ? sumOf(*hp1, u"QRDB_SUMA"_s) : std::nan("")},
                  {"HP1 pages' totals", hp1 ? sumOf(*hp1, u"QRDB_celkom"_s) : std::nan("")}}}};
    }

    // The settlement forms: every row the form defines as a sum equals its printed rows,
    // in each year's layout, for the high earner and the ordinary employee.
    std::vector<Agreement> settlementRows()
    {
        struct Rule {
            int fromYear, toYear;
            const char *row;
            std::vector<std::pair<double, const char *>> terms; // sign, row
            bool floorAtZero = false;
        };
        const auto nc6 = std::vector<std::pair<double, const char *>>{
            {1, "Nc_minimum"}, {1, "Nc_deti"}, {1, "Nc_partner"}, {1, "Nc_invalid_ciast"}, {1, "Nc_invalid_ztp"}, {1, "Nc_dary"}};
        const Rule rules[] = {
            {2000, 2001, "Ciastzd_spolu", {{1, "Ciastzd1"}, {1, "Ciastzd2"}}},
            {2000, 2003, "Nc_spolu", nc6},
            {2000, 2003, "Zdanmzda", {{1, "Ciastzd_spolu"}, {-1, "Nc_spolu"}}, true},
            {2000, 2000, "CALC_PREPLATOK", {{1, "Uhrn_preddavkov"}, {-1, "Dan"}}},
            {2002, 2003, "Ciastzd_spolu", {{1, "Uhrn_brutto"}, {-1, "Poistne"}, {-1, "DDP"}}},
            {2002, 2003, "Preplatok", {{1, "Uhrn_preddavkov"}, {-1, "Dan"}, {-1, "Nedoplatok_nepenaznych"}}},
            {2004, 2004, "Ciastzd_spolu", {{1, "Uhrn_brutto"}, {-1, "Poistne"}, {-1, "DDP"}}},
            {2005, 9999, "Ciastzd_spolu", {{1, "Uhrn_brutto"}, {-1, "Poistne"}}},
            // From 2004 rows 02 a) and b) print the amounts the computation used.
            {2004, 2004, "Nc_spolu", {{1, "CALC_NC_MINIMUM"}, {1, "CALC_NC_PARTNER"}}},
            {2005, 9999, "Nc_do_limitu", {{1, "DDP"}, {1, "Nc_ucelove_sporenie"}, {1, "Nc_zivotne_poistenie"}}},
            {2005, 9999, "Nc_spolu", {{1, "CALC_NC_MINIMUM"}, {1, "CALC_NC_PARTNER"}, {1, "Nc_do_limitu"}}},
            {2004, 9999, "Zdanmzda_round", {{1, "Ciastzd_spolu"}, {-1, "Nc_spolu"}}, true},
            // rows 07 - 08 = 05 - 06; 11 - 10 = 09 - 04 + 05 - 06; 13 - 12 = 09 - 04
            {2004, 9999, "CALC_PREPL_BONUS-CALC_NEDOPL_BONUS", {{1, "D_bonus_narok"}, {-1, "D_bonus_cerpany"}}},
            {2004, 9999, "CALC_PREPL_DAN-CALC_NEDOPL_DAN",
             {{1, "Uhrn_preddavkov"}, {-1, "Dan"}, {1, "D_bonus_narok"}, {-1, "D_bonus_cerpany"}}},
            {2004, 9999, "CALC_PREPL_BB-CALC_NEDOPL_BB", {{1, "Uhrn_preddavkov"}, {-1, "Dan"}}},
        };
        std::vector<Agreement> out;
        for (const int year : kSettlementYears) {
            for (const auto &[who, codeEmp] : {std::pair{"high earner", kHighEarner}, std::pair{"ordinary", kOrdinary}}) {
                TMyReportParam p = request(u"RZ"_s, year * 100 + 12);
                p.Zamestnanec_od = p.Zamestnanec_do = codeEmp;
                const rpt::PreparedReport *r = run(p);
                const std::string form = "RZ " + std::to_string(year) + " " + who;
                if (!r || r->pages.empty()) {
                    out.push_back({form + " printed", {{"pages", 0}, {"expected", 1}}});
                    continue;
                }
                const rpt::PreparedPage &page = r->pages[0];
                // A printed row; a pair "A-B" is the difference of two rows of one result. An
                // empty box is 0, a row the page does not print at all is no figure.
                const auto row = [&](const QString &name) {
                    double v = 0, sign = 1;
                    for (const QString &part : name.split(u'-')) {
                        if (!page.findText(u"QRDB_"_s + part))
                            return std::nan("");
                        const double x = amountOf(textOf(page, u"QRDB_"_s + part));
                        v += sign * (std::isnan(x) ? 0 : x);
                        sign = -1;
                    }
                    return v;
                };
                for (const Rule &rule : rules) {
                    if (year < rule.fromYear || year > rule.toYear)
                        continue;
                    double sum = 0;
                    std::string terms;
                    for (const auto &[sign, term] : rule.terms) {
                        sum += sign * row(QString::fromLatin1(term));
                        terms += (sign < 0 ? " - " : terms.empty() ? "" : " + ") + std::string(term);
                    }
                    if (rule.floorAtZero)
                        sum = std::max(sum, 0.0);
                    out.push_back({form + ": " + rule.row,
                                   {{"printed", row(QString::fromLatin1(rule.row))}, {terms, sum}}});
                }
            }
        }
        return out;
    }

private:
    // The SPOLU of the column a detail control prints in (the summary text under it).
    static double columnTotal(const rpt::PreparedReport &r, const QString &detail)
    {
        std::optional<double> left;
        for (const rpt::PreparedPage &page : r.pages)
            if (const rpt::PreparedItem *d = page.findText(detail)) {
                left = d->rect.left();
                break;
            }
        if (!left || r.pages.empty())
            return std::nan("");
        for (const rpt::PreparedItem *t : r.pages.back().texts())
            if (t->name.startsWith(u"QRExpr_") && std::abs(t->rect.left() - *left) < 0.01
                && !t->name.startsWith(u"QRExpr_skupina"))
                return amountOf(t->text());
        return std::nan("");
    }

    // The cost recapitulation's line whose text ends so.
    double costLine(const QString &ending)
    {
        for (const REXNZ::Riadok &r : REXNZ::Vypocet_rekapitulacie(session, request(u"NZ"_s, kPeriod), false))
            if (r.text.endsWith(ending))
                return r.suma;
        return std::nan("");
    }
};

TEST_P(EveryCaseFigures, AgreeWhereverTheyArePrintedOrFiled)
{
    const std::vector<Agreement> agreements = (this->*GetParam().figures)();
    ASSERT_FALSE(agreements.empty());
    for (const Agreement &a : agreements) {
        SCOPED_TRACE(a.what);
        ASSERT_GE(a.figures.size(), 2u);
        const Figure &first = a.figures.front();
        EXPECT_FALSE(std::isnan(first.value)) << first.source << " not found";
        for (const Figure &f : a.figures) {
            EXPECT_FALSE(std::isnan(f.value)) << f.source << " not found";
            EXPECT_NEAR(f.value, first.value, 0.005) << f.source << " against " << first.source;
        }
    }
}

// The fixture's month holds each case the figures are to add up over, computed.
TEST_F(EveryCaseFigures, TheMonthHoldsEveryCase)
{
    const auto field = [&](int codeEmp, const char *name) {
        return value(QStringLiteral("select %1 from \":tarix_data:vyp\" where v_obdobie = 200704 and code_emp = %2")
                         .arg(QString::fromLatin1(name))
                         .arg(codeEmp));
    };
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200704"),
              count("select count(*) from \":tarix_data:zam\""));
    EXPECT_EQ(field(kAdvance, "Ne_zaloha"), 3000);
    EXPECT_GT(field(kCash, "Vyplata"), 0);
    EXPECT_EQ(field(kCash, "Sporenie"), 0);
    EXPECT_GT(field(kSick, "N_nahrada_pn"), 0);
    EXPECT_EQ(count("select count(*) from \":tarix_data:nep\" where v_obdobie = 200704"), 1);
    EXPECT_DOUBLE_EQ(field(kPieceWork, "N_ukolova"), 40 * 110 + 55.5 * 42.5);
    EXPECT_EQ(field(kHoliday, "V_holiday"), 3);
    EXPECT_NEAR(value("select vypocitana_suma from \":tarix_data:zrv\" where v_obdobie = 200704 and typ = 'X'"),
                std::round(field(kPercentage, "N_netto") * 0.2), 1);
    EXPECT_EQ(field(kAdvance, "Vyrovnanie_zp"), 1234);
    EXPECT_EQ(field(kCash, "Vyrovnanie_zp"), -300);
    EXPECT_EQ(count("select count(*) from \":tarix_data:davka601\" where v_rok = 2007 and v_mesiac = 4"), 1);
    // Both settlements of 2007 computed, the high earner's non-taxable amount reduced.
    const auto settlement = [&](int codeEmp, const char *name) {
        return value(QStringLiteral("select %1 from \":tarix_data:rzp\" where v_rok = 2007 and code_emp = %2")
                         .arg(QString::fromLatin1(name))
                         .arg(codeEmp));
    };
    EXPECT_GT(settlement(kOrdinary, "Dan"), 0);
    EXPECT_LT(settlement(kHighEarner, "Nc_spolu"),
              settlement(kHighEarner, "Nc_minimum") + settlement(kHighEarner, "Nc_partner"));
    for (const int year : kSettlementYears)
        EXPECT_EQ(count(QStringLiteral("select count(*) from \":tarix_data:rzp\" where v_rok = %1").arg(year)), 2)
            << year;
}

const CrossCheck kCrossChecks[] = {
    {"GrossPay", &EveryCaseFigures::grossPay},
    {"SocialInsurance", &EveryCaseFigures::socialInsurance},
    {"HealthInsurers", &EveryCaseFigures::healthInsurers},
    {"PaymentOrders", &EveryCaseFigures::paymentOrders},
    {"SettlementRows", &EveryCaseFigures::settlementRows},
};

INSTANTIATE_TEST_SUITE_P(Figures, EveryCaseFigures, ::testing::ValuesIn(kCrossChecks),
                         [](const ::testing::TestParamInfo<CrossCheck> &info) { return std::string(info.param.name); });

} // namespace
