#include "reports/social/sp2005vy.h"

#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/form_data_pages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/periods.h"
#include "core/helpers/text_utils.h"
#include "core/helpers/xml_output.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/format_pattern.h"
#include "platform/report/description.h"
#include "platform/shell/atomic_file.h"
#include "reports/dispatcher.h"
#include "reports/report_query.h"
#include "reports/social/social_blocks.h"
#include "reports/social/sp2005pr.h"

namespace tarix::reports {

namespace SP2005VY {

void Sucty::Vynuluj_sucty()
{
    for (auto &slot : m_s)
        slot.fill(0);
}

namespace {

// The columns of a payroll record each fund adds: the insured flag (counted), the
// employee's premium (none for the funds only the employer pays) and the employer's.
struct fundRow {
    const char *priznak;
    const char *zamestnanec;
    const char *zamestnavatel;
    int pocet;
};
constexpr fundRow kFondy[] = {
    {"u_nemoc", "o_nemoc", "oz_nemoc", kPocetNP},
    {"u_dochod", "o_dochod", "oz_dochod", kPocetSP},
    {"u_invalid", "o_invalid", "oz_invalid", kPocetIP},
    {"u_fondzam", "o_fondzam", "oz_fondzam", kPocetPvN},
    {"u_uraz", nullptr, "oz_uraz", kPocetUP},
    {"u_garancne", nullptr, "oz_garancne", kPocetGP},
    {"u_rezerva", nullptr, "oz_rezerva", kPocetRFS},
};

QString Text_Q0()
{
    QStringList stlpce{QStringLiteral("sid")};
    for (const fundRow &f : kFondy) {
        stlpce << QString::fromLatin1(f.priznak);
        if (f.zamestnanec)
            stlpce << QString::fromLatin1(f.zamestnanec);
        stlpce << QString::fromLatin1(f.zamestnavatel);
    }
    return QStringLiteral("select %1 from \":tarix_data:vyp\" where v_obdobie=:p1 and sid between :p2 and :p3")
        .arg(stlpce.join(u','));
}

QString accountNumber(const QString &predcislo, const QString &cislo, const QString &banka)
{
    return MyConsts::Spoj_s_pomlckou(predcislo.trimmed(), cislo.trimmed()) + QStringLiteral(" / ") + banka.trimmed();
}

QString wholeNumberText(double v) { return fmt::format(u"%0.0f", {v}); }

} // namespace

Sucty computeTotals(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    Sucty s;
    const db::SqlResult r = session.run(Text_Q0(), {{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}});
    for (int i = 0; i < r.rowCount(); ++i) {
        const qint64 sid = db::variantToInteger(r.value(i, 0));
        if (sid < 1 || sid >= kPocetSlotov)
            throw EMyError(QStringLiteral("Výplata v stredisku %1: výkaz sčíta len strediská 1 až 99.").arg(sid));
        int c = 1;
        for (const fundRow &f : kFondy) {
            if (db::variantToInteger(r.value(i, c++)) != 0)
                s(int(sid), f.pocet) += 1;
            if (f.zamestnanec)
                s(int(sid), f.pocet + 1) += r.asFloat(i, c++);
            s(int(sid), f.zamestnanec ? f.pocet + 2 : f.pocet + 1) += r.asFloat(i, c++);
        }
    }
    for (int slot = 1; slot < kPocetSlotov; ++slot)
        for (int c = 0; c <= kRFS_zamestnavatel; ++c)
            s(0, c) += s(slot, c);
    double spolu = 0;
    for (int c : {kNP_zamestnanec, kSP_zamestnanec, kIP_zamestnanec, kPvN_zamestnanec, kNP_zamestnavatel,
                  kSP_zamestnavatel, kIP_zamestnavatel, kPvN_zamestnavatel, kUP_zamestnavatel, kGP_zamestnavatel,
                  kRFS_zamestnavatel})
        spolu += s(0, c);
    s(0, kSpolu) = spolu;
    return s;
}

Heading loadHeading(db::Session &session)
{
    const db::SqlResult r = session.run(QStringLiteral("select * from \":tarix_data:inf\""));
    Heading h;
    if (r.rowCount() == 0)
        return h;
    const auto t = [&](const char *pole) { return db::variantToString(r.value(0, QString::fromLatin1(pole))).trimmed(); };
    h.NAZOV = t("NAZOV");
    h.ICZ = t("ICZ");
    h.ICO = t("ICO");
    h.CALC_CISLO_UCTU = accountNumber(t("PREDCISLO_U"), t("CISLO_U"), t("BANKA_U"));
    h.NAZOV_BANKY = t("NAZOV_BANKY");
    h.ADR_MESTO = t("ADR_MESTO");
    h.ADR_PSC = t("ADR_PSC");
    h.ADR_ULICA = t("ADR_ULICA");
    h.ADR_CISLO = t("ADR_CISLO");
    h.ADR_TELEFON = t("ADR_TELEFON");
    h.ADR_FAX = t("ADR_FAX");
    h.ADR_EMAIL = t("ADR_EMAIL");
    return h;
}

MyConsts::FormFields headingFields(const TMyReportParam &p, const Heading &h, int annexPages)
{
    MyConsts::FormFields f;
    const auto pole = [&](const char *meno, const QString &hodnota) { f.append({QString::fromLatin1(meno), hodnota}); };
    pole("b12c96nfobdobie", MyConsts::Text_obdobia(p.Obdobie));
    pole("b12c96nfZamNaz", h.NAZOV);
    pole("b12c96nfZamNaz_2", {});
    pole("b12c96nfZamNaz_3", {});
    pole("b12c96nfick", h.ICZ);
    pole("b12c96nfidentifikator", h.ICO);
    pole("b12c96nfcislo_kod_uctu", h.CALC_CISLO_UCTU);
    pole("b12c96nfnazovSidloBanky", h.NAZOV_BANKY);
    pole("b12c96nfobec", h.ADR_MESTO);
    pole("b12c96nfPocStr", QString::number(annexPages));
    pole("b12c96nfpsc", h.ADR_PSC);
    pole("b12c96nfstat", {});
    pole("b12c96nftypVykazu", QString(p.Typ_vykazu));
    pole("b12c96nfulica", h.ADR_ULICA);
    pole("b12c96nfsupCislo_oCislo", h.ADR_CISLO);
    pole("b12c96nftel", h.ADR_TELEFON);
    pole("b12c96nffax", h.ADR_FAX);
    pole("b12c96nfmail", h.ADR_EMAIL);
    pole("b12c96nfDatVyp", p.Den_textom);
    pole("b12c96nfFormVyp", p.Vykaz_zostavil);
    return f;
}

QByteArray statementXfdf(const TMyReportParam &p, const Sucty &s, const Heading &h, int annexPages,
                       const QString &sablona)
{
    MyConsts::XmlText x;
    MyConsts::xfdfBegin(x);
    for (const MyConsts::FormField &f : headingFields(p, h, annexPages))
        x.Xml_pole(f.name, f.value);
    const auto suma = [&](const char *meno, int stlpec) { x.Xml_pole(QString::fromLatin1(meno), wholeNumberText(s(0, stlpec))); };
    suma("b12c96nfnpZamnec", kNP_zamestnanec);
    suma("b12c96nfnpZamtel", kNP_zamestnavatel);
    suma("b12c96nfspZamnec", kSP_zamestnanec);
    suma("b12c96nfspZamtel", kSP_zamestnavatel);
    suma("b12c96nfipZamnec", kIP_zamestnanec);
    suma("b12c96nfipZamtel", kIP_zamestnavatel);
    suma("b12c96nfpvnZamnec", kPvN_zamestnanec);
    suma("b12c96nfpvnZamtel", kPvN_zamestnavatel);
    suma("b12c96nfupZamtel", kUP_zamestnavatel);
    suma("b12c96nfgpZamtel", kGP_zamestnavatel);
    suma("b12c96nfpdrfZamtel", kRFS_zamestnavatel);
    suma("b12c96nfpocZamGP", kPocetGP);
    suma("b12c96nfpocZamIP", kPocetIP);
    suma("b12c96nfpocZamNP", kPocetNP);
    suma("b12c96nfpocZamPdRF", kPocetRFS);
    suma("b12c96nfpocZamPvN", kPocetPvN);
    suma("b12c96nfpocZamSP", kPocetSP);
    suma("b12c96nfpocZamUP", kPocetUP);
    suma("b12c96nfspoluPoistne", kSpolu);
    MyConsts::xfdfEnd(x, sablona);
    return x.bytes();
}

QString xfdfName(int obdobie)
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + QStringLiteral("MesVykPCB_")
           + QString::number(obdobie) + QStringLiteral(".xfdf");
}

QString pdfTemplate()
{
    return core::Priecinok_formularov(core::appPaths().networkRoot) + QStringLiteral("MesVykPCB_web.pdf");
}

QString sumLabel(double v) { return fmt::format(u"%10.0n", {v}); }

QString statementPeriodText(int obdobie)
{
    return QString::number(MyConsts::Mesiac_obdobia(obdobie)) + QStringLiteral(" / ")
           + QString::number(MyConsts::Rok_obdobia(obdobie));
}

void Spusti_zostavu(const TMyReportParam &p) { reports::Spusti_zostavu<TReportSP2005VY>(p); }

void Export_xfdf(const TMyReportParam &p)
{
    runGuarded([&] {
        db::Session &session = *db::Session::defaultSession();
        const Sucty s = computeTotals(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do);
        const Heading h = loadHeading(session);
        // The statement states how many pages its annex of the same month has.
        const int annexPages = SP2005PR::annexPageCount(
            REXSP1P::attachmentRows(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do).size());
        MyConsts::OutputFiles subory{.input = pdfTemplate(), .output = xfdfName(p.Obdobie)};
        MyConsts::Kontrola_suborov(subory);
        if (subory.writeAllowed)
            shell::writeFileAtomically(subory.output, statementXfdf(p, s, h, annexPages, subory.input));
        MyConsts::Otvor_vytvoreny_subor(subory.output);
    });
}

} // namespace SP2005VY

// ---- the printed form ---------------------------------------------------------------------------

TReportSP2005VY::TReportSP2005VY()
{
    nahlad = PreviewMode::Len_s_udajmi;
    Sirky_ramcekov = kRamceky_1_5;

    prepareQuery(Q1_, QStringLiteral("Q1_"), core::kAliasData, QStringLiteral("select * from inf;"));
    for (const char *f : {"CALC_FIRMA", "CALC_OBDOBIE", "CALC_CISLO_UCTU"})
        Q1_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q1_.onCalcFields = [this](db::DataSet &ds) { computeStatementFields(ds); };
    S1_.setDataSet(&Q1_);
    mainDataSource = &S1_;
    registerDataSource(QStringLiteral("Q1_"), &S1_);

    rpt::buildReportForm(*this, SP2005VY::layoutSP2005VY(), social::socialBlocks(), checkFields({{&S1_, &Q1_}}));
    social::markFilledLabels(*this);
}

TReportSP2005VY::~TReportSP2005VY() = default;

void TReportSP2005VY::computeStatementFields(db::DataSet &ds)
{
    const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString(); };
    ds.setValue(QStringLiteral("CALC_FIRMA"), QStringLiteral("FIRMA: ") + Param.Text_firmy);
    ds.setValue(QStringLiteral("CALC_OBDOBIE"), social::Text_obdobia(Param.Obdobie));
    ds.setValue(QStringLiteral("CALC_CISLO_UCTU"), SP2005VY::accountNumber(t("PREDCISLO_U"), t("CISLO_U"), t("BANKA_U")));
}

void TReportSP2005VY::Priprav_vykaz()
{
    if (auto *l = findAs<rpt::ReportLabel>(QStringLiteral("QR_OBDOBIE")))
        l->caption = SP2005VY::statementPeriodText(Param.Obdobie);
    social::markStatementKind(*this, Param.Typ_vykazu, QStringLiteral("QR_RIADNY"), QStringLiteral("QR_OPRAVNY"));
    Sucty = SP2005VY::computeTotals(Q1_.session(), Param.Obdobie, Param.Stredisko_od, Param.Stredisko_do);
    fillTotals();
    Q1_.close();
    Q1_.open();
}

void TReportSP2005VY::fillTotals()
{
    using namespace SP2005VY;
    const struct {
        const char *nazov;
        int stlpec;
    } polia[] = {
        {"LO_NEMOC", kNP_zamestnanec},     {"LZ_NEMOC", kNP_zamestnavatel},   {"LP_NEMOC", kPocetNP},
        {"LO_DOCHOD", kSP_zamestnanec},    {"LZ_DOCHOD", kSP_zamestnavatel},  {"LP_DOCHOD", kPocetSP},
        {"LO_INVALID", kIP_zamestnanec},   {"LZ_INVALID", kIP_zamestnavatel}, {"LP_INVALID", kPocetIP},
        {"LO_FONDZAM", kPvN_zamestnanec},  {"LZ_FONDZAM", kPvN_zamestnavatel}, {"LP_FONDZAM", kPocetPvN},
        {"LZ_URAZ", kUP_zamestnavatel},    {"LP_URAZ", kPocetUP},             {"LZ_GARANCNE", kGP_zamestnavatel},
        {"LP_GARANCNE", kPocetGP},         {"LZ_REZERVA", kRFS_zamestnavatel}, {"LP_REZERVA", kPocetRFS},
        {"LP_SPOLU", kSpolu},
    };
    for (const auto &p : polia)
        if (auto *l = findAs<rpt::ReportLabel>(QString::fromLatin1(p.nazov)))
            l->caption = sumLabel(Sucty(0, p.stlpec));
}

void TReportSP2005VY::Zatvor_data() { Q1_.close(); }

bool TReportSP2005VY::hasData() const { return Q1_.isActive() && !Q1_.isEmpty(); }

} // namespace tarix::reports
