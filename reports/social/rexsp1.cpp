#include "reports/social/rexsp1.h"

#include "core/helpers/periods.h"
#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/format_pattern.h"
#include "reports/report_query.h"
#include "reports/social/social_blocks.h"

namespace tarix::reports {

namespace REXSP1 {

const char *Nazov_pola(int pole)
{
    static const char *const kNazvy[kPocetPoli] = {
        "P_NEMOC",     "O_NEMOC",     "Z_NEMOC",     "P_DOCHOD",    "O_DOCHOD",    "Z_DOCHOD",    "P_INVALID",
        "O_INVALID",   "Z_INVALID",   "P_FONDZAM",   "O_FONDZAM",   "Z_FONDZAM",   "P_URAZ",      "Z_URAZ",
        "P_GARANCNE",  "Z_GARANCNE",  "P_REZERVA",   "Z_REZERVA",   "PZ_PN",       "PD_PN",       "PP_PN",
        "VY_PN",       "PZ_OCR",      "PD_OCR",      "PP_OCR",      "VY_OCR",      "PZ_MATERSKA", "PD_MATERSKA",
        "PP_MATERSKA", "VY_MATERSKA", "PZ_VYROVDAV", "PD_VYROVDAV", "PP_VYROVDAV", "VY_VYROVDAV", "P_SPOLU",
        "D_SPOLU",     "R_SPOLU"};
    return kNazvy[pole];
}

namespace {

// The columns of the query, in this order.
enum StatementColumn : int {
    cSid,
    cO_nemoc, cO_dochod, cO_invalid, cO_fondzam,
    cOz_nemoc, cOz_dochod, cOz_invalid, cOz_fondzam, cOz_uraz, cOz_garancne, cOz_rezerva,
    cU_nemoc, cU_dochod, cU_invalid, cU_fondzam, cU_uraz, cU_garancne, cU_rezerva,
    cN_pn, cV_pn, cN_ocr, cV_ocr12, cNd_materska, cV_materska,
};

const char kQ0[] =
    "select sid, o_nemoc, o_dochod, o_invalid, o_fondzam, oz_nemoc, oz_dochod, oz_invalid, oz_fondzam, oz_uraz, "
    "oz_garancne, oz_rezerva, u_nemoc, u_dochod, u_invalid, u_fondzam, u_uraz, u_garancne, u_rezerva, n_pn, v_pn, "
    "n_ocr, v_ocr12, nd_materska, v_materska from \":tarix_data:vyp\" where v_obdobie=:p1 and sid between :p2 and :p3";

} // namespace

Sumy Sucty_vykazu(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    Sumy s;
    const db::SqlResult r = session.run(QString::fromLatin1(kQ0), {{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}});
    for (int i = 0; i < r.rowCount(); ++i) {
        const qint64 sid = db::variantToInteger(r.value(i, cSid));
        if (sid < 1 || sid > 99)
            throw EMyError(QStringLiteral("Výplata v stredisku %1: výkaz sčíta len strediská 1 až 99.").arg(sid));
        Suma_SP1 &row = s[int(sid)];
        const auto v = [&](int c) { return r.asFloat(i, c); };
        row[O_NEMOC] += v(cO_nemoc);
        row[O_DOCHOD] += v(cO_dochod);
        row[O_INVALID] += v(cO_invalid);
        row[O_FONDZAM] += v(cO_fondzam);
        row[Z_NEMOC] += v(cOz_nemoc);
        row[Z_DOCHOD] += v(cOz_dochod);
        row[Z_INVALID] += v(cOz_invalid);
        row[Z_FONDZAM] += v(cOz_fondzam);
        row[Z_URAZ] += v(cOz_uraz);
        row[Z_GARANCNE] += v(cOz_garancne);
        row[Z_REZERVA] += v(cOz_rezerva);
        const std::pair<int, int> pocty[] = {{cU_nemoc, P_NEMOC},     {cU_dochod, P_DOCHOD},   {cU_invalid, P_INVALID},
                                             {cU_fondzam, P_FONDZAM}, {cU_uraz, P_URAZ},       {cU_garancne, P_GARANCNE},
                                             {cU_rezerva, P_REZERVA}};
        for (const auto &[priznak, pocet] : pocty)
            if (db::variantToInteger(r.value(i, priznak)) != 0)
                row[pocet] += 1;
        const auto davka = [&](int suma, int dni, int pz) {
            if (v(suma) > 0) {
                row[pz] += 1;          // employees
                row[pz + 2] += 1;      // cases
                row[pz + 1] += v(dni); // days
                row[pz + 3] += v(suma);
            }
        };
        davka(cN_pn, cV_pn, PZ_PN);
        davka(cN_ocr, cV_ocr12, PZ_OCR);
        davka(cNd_materska, cV_materska, PZ_MATERSKA);
    }
    for (int riadok = 1; riadok <= 99; ++riadok)
        for (int p = 0; p < P_SPOLU; ++p)
            s[0][p] += s[riadok][p];
    Suma_SP1 &t = s[0];
    t[P_SPOLU] = t[O_NEMOC] + t[O_DOCHOD] + t[O_INVALID] + t[O_FONDZAM] + t[Z_NEMOC] + t[Z_DOCHOD] + t[Z_INVALID]
                 + t[Z_FONDZAM] + t[Z_URAZ] + t[Z_GARANCNE] + t[Z_REZERVA];
    t[D_SPOLU] = t[VY_PN] + t[VY_OCR] + t[VY_MATERSKA] + t[VY_VYROVDAV];
    t[R_SPOLU] = t[P_SPOLU] - t[D_SPOLU];
    return s;
}

QString numberText(double v) { return fmt::format(u"%10.0n", {v}); }

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace social;
using rpt::label;

rpt::LayoutDesc layoutSP1()
{
    rpt::LayoutDesc l;
    l.name = u"TReportSP1"_s;
    l.title = u"Mesačný výkaz poistného"_s;
    l.previewZoom = 80;

    rpt::ControlDesc nadpis = label(u"QR_Nadpis"_s, {0, 0, kSirka, 6}, u"Mesačný výkaz poistného"_s, kArial12b,
                                    Qt::AlignHCenter);
    nadpis.tag = 1;
    rpt::ControlDesc obdobie = label(u"QR_OBDOBIE"_s, {146, 17.8, 42, 4.5}, {}, kArial9b);
    obdobie.tag = 1;
    rpt::ControlDesc spolu = label(u"LP_SPOLU"_s, {111, 180.8, 33, 4.5}, {}, kArial9b, Qt::AlignRight);
    spolu.tag = 1;

    std::vector<rpt::LayoutItem> hlava{
        nadpis,
        sectionRow(u"sekcia1"_s, u"*    1. Základná identifikácia"_s, 8),
        social::Pole(u"IČZ"_s, u"ICZ"_s, 0, 14, 50),
        label(u"QRL_za_obdobie"_s, {144, 14, 45, 3}, u"za obdobie"_s, kArial6),
        rpt::rectangle(u"QRS_obdobie"_s, {144, 17, 46, 6}),
        obdobie,
        sectionRow(u"sekcia2"_s, u"*    2. Identifikácia zamestnávateľa"_s, 26),
        social::Pole(u"Názov zamestnávateľa"_s, u"NAZOV"_s, 0, 32, 136),
        social::Pole(u"IČO"_s, u"ICO"_s, 138, 32, 52),
        sectionRow(u"sekcia3"_s, u"*    3. Korešpondenčná adresa zamestnávateľa"_s, 44),
        social::Pole(u"Ulica"_s, u"ADR_ULICA"_s, 0, 50, 100),
        social::Pole(u"Číslo súpisné/orientačné"_s, u"ADR_CISLO"_s, 102, 50, 40),
        social::Pole(u"Telefón"_s, u"ADR_TELEFON"_s, 144, 50, 46),
        social::Pole(u"Obec"_s, u"ADR_MESTO"_s, 0, 60, 100),
        social::Pole(u"PSČ"_s, u"ADR_PSC"_s, 102, 60, 40),
        social::Pole(u"Fax"_s, u"ADR_FAX"_s, 144, 60, 46),
        blank(u"stat"_s, u"Štát"_s, 0, 70, 60),
        social::Pole(u"Email"_s, u"ADR_EMAIL"_s, 62, 70, 128),
        sectionRow(u"sekcia4"_s, u"*    4. Bankový účet zamestnávateľa"_s, 82),
        social::Pole(u"Názov banky"_s, u"NAZOV_BANKY"_s, 0, 88, 100),
        social::Pole(u"Číslo účtu"_s, u"CALC_CISLO_UCTU"_s, 102, 88, 88),
        sectionRow(u"sekcia5"_s, u"*    5. Súhrn poistného"_s, 102),
        rpt::Stack{.left = 0,
                   .top = 109,
                   .width = kSirka,
                   .lines = {
                       fundRow(u"NEMOC"_s, u"NP"_s, u"(nemocenské poistenie)"_s, true),
                       fundRow(u"DOCHOD"_s, u"SP"_s, u"(starobné poistenie)"_s, true),
                       fundRow(u"INVALID"_s, u"IP"_s, u"(invalidné poistenie)"_s, true),
                       fundRow(u"FONDZAM"_s, u"PvN"_s, u"(poistenie v nezamestnanosti"_s, true),
                       fundRow(u"URAZ"_s, u"UP"_s, u"(úrazové poistenie)"_s, false),
                       fundRow(u"GARANCNE"_s, u"GP"_s, u"(garančné poistenie)"_s, false),
                       fundRow(u"REZERVA"_s, u"PdRF"_s, u"(poistenie do rezervného fondu)"_s, false),
                   }},
        rpt::rectangle(u"QRS_spolu"_s, {0, 179, kSirka, 8}),
        label(u"QRL_spolu"_s, {1, 180.8, 100, 4.5}, u"Poistné spolu"_s, kArial9b),
        spolu,
        label(u"QRL_SkSpolu"_s, {145, 180.8, 6, 4.5}, u"Sk"_s, kArial7),
    };

    const auto davka = [](const QString &k, const QString &text) {
        return rpt::BlockUse{.block = u"davka"_s, .args = {{u"k"_s, k}, {u"text"_s, text}}};
    };
    rpt::ControlDesc dSpolu = label(u"LD_SPOLU"_s, {159, 38, 24, 4.5}, {}, kArial9b, Qt::AlignRight);
    dSpolu.tag = 1;
    rpt::ControlDesc rSpolu = label(u"LR_SPOLU"_s, {159, 53, 24, 4.5}, {}, kArial9b, Qt::AlignRight);
    rSpolu.tag = 1;
    std::vector<rpt::LayoutItem> davky{
        sectionRow(u"sekcia6"_s, u"*    6. Súhrn dávok NP"_s, 2),
        label(u"QRL_D_hlava1"_s, {63, 8.5, 30, 3}, u"Počet zamestnancov"_s, kArial6, Qt::AlignRight),
        label(u"QRL_D_hlava2"_s, {95, 8.5, 28, 3}, u"Počet dní"_s, kArial6, Qt::AlignRight),
        label(u"QRL_D_hlava3"_s, {127, 8.5, 28, 3}, u"Počet prípadov"_s, kArial6, Qt::AlignRight),
        label(u"QRL_D_hlava4"_s, {159, 8.5, 30, 3}, u"Vyplatené dávky"_s, kArial6, Qt::AlignRight),
        rpt::Stack{.left = 0,
                   .top = 12,
                   .width = kSirka,
                   .lines = {davka(u"PN"_s, u"Nemocenské"_s), davka(u"OCR"_s, u"Ošetrovné"_s),
                             davka(u"MATERSKA"_s, u"Materské"_s), davka(u"VYROVDAV"_s, u"Vyrovnávacia dávka"_s)}},
        rpt::rectangle(u"QRS_D_spolu"_s, {0, 37, kSirka, 6.5}),
        label(u"QRL_D_spolu"_s, {1, 38, 100, 4.5}, u"Dávky NP spolu"_s, kArial9b),
        dSpolu,
        label(u"QRL_D_Sk"_s, {184, 38, 5, 4.5}, u"Sk"_s, kArial7),
        sectionRow(u"sekcia7"_s, u"*    7. Súhrn poistného  a dávok NP"_s, 46),
        rpt::rectangle(u"QRS_R_spolu"_s, {0, 52, kSirka, 6.5}),
        label(u"QRL_R_spolu"_s, {1, 53, 150, 4.5}, u"Rozdiel medzi poistným a vyplatenými dávkami NP (+,-)"_s,
              kArial8),
        rSpolu,
        label(u"QRL_R_Sk"_s, {184, 53, 5, 4.5}, u"Sk"_s, kArial7),
    };

    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = 189,
                                    .items = std::move(hlava)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Child, .name = u"ChildBand1"_s, .height = 61,
                                    .items = std::move(davky), .master = u"DetailBand1"_s});
    return l;
}

} // namespace

} // namespace REXSP1

TReportSP1::TReportSP1()
{
    nahlad = PreviewMode::Len_s_udajmi;
    Sirky_ramcekov = kRamceky_1_5;
    prepareQuery(Q1_, QStringLiteral("Q1_"), core::kAliasData, QStringLiteral("select * from inf;"));
    for (const char *f : {"CALC_OBDOBIE", "CALC_CISLO_UCTU"})
        Q1_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q1_.onCalcFields = [this](db::DataSet &ds) { computeStatementFields(ds); };
    S1_.setDataSet(&Q1_);
    mainDataSource = &S1_;
    registerDataSource(QStringLiteral("Q1_"), &S1_);
    rpt::buildReportForm(*this, REXSP1::layoutSP1(), social::socialBlocks(), checkFields({{&S1_, &Q1_}}));
    social::markFilledLabels(*this);
}

TReportSP1::~TReportSP1() = default;

void TReportSP1::computeStatementFields(db::DataSet &ds)
{
    ds.setValue(QStringLiteral("CALC_OBDOBIE"), social::Text_obdobia(Param.Obdobie));
    ds.setValue(QStringLiteral("CALC_CISLO_UCTU"), social::firmAccountNumber(ds));
}

void TReportSP1::Otvor_data()
{
    using namespace REXSP1;
    if (auto *l = findAs<rpt::ReportLabel>(QStringLiteral("QR_OBDOBIE")))
        l->caption = QString::number(MyConsts::Mesiac_obdobia(Param.Obdobie)) + QStringLiteral(" / ")
                     + QString::number(MyConsts::Rok_obdobia(Param.Obdobie));
    const bool davky = Param.Kod_zostavy == u"SPV";
    if (davky)
        findAs<rpt::ReportLabel>(QStringLiteral("QR_Nadpis"))->caption = QStringLiteral("Mesačný výkaz poistného a dávok NP");
    findAs<rpt::Band>(QStringLiteral("ChildBand1"))->enabled = davky;

    Sumy = Sucty_vykazu(Q1_.session(), Param.Obdobie, Param.Stredisko_od, Param.Stredisko_do);
    for (int p = 0; p < kPocetPoli; ++p) {
        // The old-age employee label keeps its original spelling.
        const QString meno = QStringLiteral("L") + QString::fromLatin1(Nazov_pola(p));
        if (auto *l = findAs<rpt::ReportLabel>(meno); l && l->tag != 0)
            l->caption = numberText(Sumy[0][p]);
    }
    Q1_.close();
    Q1_.open();
}

void TReportSP1::Zatvor_data() { Q1_.close(); }

bool TReportSP1::hasData() const { return Q1_.isActive() && !Q1_.isEmpty(); }

} // namespace tarix::reports
