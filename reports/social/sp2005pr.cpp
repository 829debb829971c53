#include "reports/social/sp2005pr.h"

#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/output_file.h"
#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/format/format_pattern.h"
#include "platform/report/description.h"
#include "reports/report_query.h"
#include "reports/social/social_blocks.h"

#include <QFileInfo>

namespace tarix::reports {

namespace SP2005PR {

bool pays(int kod) { return kod == 1 || kod == 2 || kod == 4 || kod == 5; }

namespace {

QString wholeNumberText(double v) { return fmt::format(u"%0.0f", {v}); }

} // namespace

MyConsts::FormFields rowFields(const REXSP1P::Riadok &r, int poradie)
{
    MyConsts::FormFields f;
    const auto pole = [&](const char *meno, const QString &hodnota) { f.append({QString::fromLatin1(meno), hodnota}); };
    pole("b12c96nfFOPorCis.0.", QString::number(poradie));
    pole("b12c96nfFORC.0.", r.CALC_BORN_NUMB);
    pole("b12c96nfVymZakNP.0.", wholeNumberText(r.n_zaklad_np));
    pole("b12c96nfVymZakSP.0.", wholeNumberText(r.n_zaklad_dp));
    pole("b12c96nfVymZakUP.0.", wholeNumberText(r.n_zaklad_up));
    if (!pays(r.u_fondzam))
        pole("b12c96nfPvNneplati.0.", QStringLiteral("PvN"));
    if (!pays(r.u_invalid))
        pole("b12c96nfIPneplaticb.0.", QStringLiteral("IP"));
    if (!pays(r.u_nemoc))
        pole("b12c96nfNPneplaticb.0.", QStringLiteral("NP"));
    pole("b12c96nfFOPocDni.0.", QString::number(r.v_dni));
    pole("b12c96nfZamNP.0.", wholeNumberText(r.oz_nemoc));
    pole("b12c96nfZamSP.0.", wholeNumberText(r.oz_dochod));
    pole("b12c96nfZamIP.0.", wholeNumberText(r.oz_invalid));
    pole("b12c96nfZamPvN.0.", wholeNumberText(r.oz_fondzam));
    pole("b12c96nfZamUP.0.", wholeNumberText(r.oz_uraz));
    pole("b12c96nfFONP.0.", wholeNumberText(r.o_nemoc));
    pole("b12c96nfFOSP.0.", wholeNumberText(r.o_dochod));
    pole("b12c96nfFOIP.0.", wholeNumberText(r.o_invalid));
    pole("b12c96nfFOPvN.0.", wholeNumberText(r.o_fondzam));
    return f;
}

int annexPageCount(std::size_t rows) { return MyConsts::formDataPageCount(qsizetype(rows), kNaStranu); }

MyConsts::FormDataPages statementPages(const TMyReportParam &p, const SP2005VY::Heading &h,
                               const std::vector<REXSP1P::Riadok> &riadky, const QString &sablona)
{
    MyConsts::FormDataPages s;
    s.stem = baseName(p.Obdobie);
    s.form = sablona;
    s.recordsPerPage = kNaStranu;
    const MyConsts::FormFields hlavicka = SP2005VY::headingFields(p, h, annexPageCount(riadky.size()));
    s.pageFields = [hlavicka](int strana) {
        MyConsts::FormFields f = hlavicka;
        f.append({QStringLiteral("b12c96nfCisStrany"), QString::number(strana)});
        return f;
    };
    s.records.reserve(qsizetype(riadky.size()));
    // A declined page's rows are skipped with it, so the running number is the row's own.
    int poradie = 0;
    for (const REXSP1P::Riadok &r : riadky)
        s.records.append(rowFields(r, ++poradie));
    return s;
}

QString baseName(int obdobie)
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + QStringLiteral("MesVykPRI_")
           + QString::number(obdobie);
}

QString pdfTemplate()
{
    return core::Priecinok_formularov(core::appPaths().networkRoot) + QStringLiteral("file_ext_document_278.pdf");
}

void Spusti_zostavu(const TMyReportParam &p) { reports::Spusti_zostavu<TReportSP2005PR>(p); }

void Export_xfdf(const TMyReportParam &p)
{
    runGuarded([&] {
        db::Session &session = *db::Session::defaultSession();
        const std::vector<REXSP1P::Riadok> riadky =
            REXSP1P::attachmentRows(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do);
        const SP2005VY::Heading h = SP2005VY::loadHeading(session);
        const MyConsts::FormDataPagesResult r = MyConsts::writeFormDataPages(statementPages(p, h, riadky, pdfTemplate()));
        const QString obdobie = QString::number(p.Obdobie);
        MyConsts::Vyber_a_otvor_subor(QFileInfo(r.lastFile).absolutePath(),
                                      QStringLiteral("MesVykPri") + obdobie + QStringLiteral(" files(*.XFDF)|MesVykPRI_")
                                          + obdobie + QStringLiteral("*.XFDF|*.XFDF|*.XFDF"));
    });
}

} // namespace SP2005PR

// ---- the printed annex ------------------------------------------------------------------------

TReportSP2005PR::TReportSP2005PR()
{
    Sirky_ramcekov = kRamceky_1_5;

    prepareQuery(Q0_, QStringLiteral("Q0_"), core::kAliasData, TReportSP1P::Text_Q0());
    for (const char *f : {"CALC_MESIAC", "CALC_MPT", "CALC_U_INVALID", "CALC_U_FONDZAM", "CALC_U_NEMOC", "CALC_BORN_NUMB"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) { computeFieldsQ0(ds); };
    prepareQuery(Q1_, QStringLiteral("Q1_"), core::kAliasData, QStringLiteral("select * from inf;"));
    for (const char *f : {"CALC_FIRMA", "CALC_OBDOBIE", "CALC_CISLO_UCTU"})
        Q1_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q1_.onCalcFields = [this](db::DataSet &ds) { computeFieldsQ1(ds); };
    S0_.setDataSet(&Q0_);
    S1_.setDataSet(&Q1_);
    mainDataSource = &S0_;
    registerDataSource(QStringLiteral("Q0_"), &S0_);
    registerDataSource(QStringLiteral("Q1_"), &S1_);
    rpt::buildReportForm(*this, SP2005PR::layoutSP2005PR(), social::socialBlocks(),
                         checkFields({{&S0_, &Q0_}, {&S1_, &Q1_}}));
    social::markFilledLabels(*this);
}

TReportSP2005PR::~TReportSP2005PR() = default;

void TReportSP2005PR::computeFieldsQ0(db::DataSet &ds)
{
    const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString().trimmed(); };
    const auto x = [&](const char *pole) {
        return ds.fieldByName(QString::fromLatin1(pole)).asInteger() == 0 ? QStringLiteral("X") : QString();
    };
    ds.setValue(QStringLiteral("CALC_MESIAC"), t("v_mesiac") + QStringLiteral(" / ") + t("v_rok"));
    ds.setValue(QStringLiteral("CALC_MPT"), MyConsts::Cele_meno(t("name"), t("surname"), t("title")).left(100));
    ds.setValue(QStringLiteral("CALC_U_INVALID"), x("u_invalid"));
    ds.setValue(QStringLiteral("CALC_U_FONDZAM"), x("u_fondzam"));
    ds.setValue(QStringLiteral("CALC_U_NEMOC"), x("u_nemoc"));
    ds.setValue(QStringLiteral("CALC_BORN_NUMB"), MyConsts::Odstran_lomky_a_medzery(t("born_numb")));
}

void TReportSP2005PR::computeFieldsQ1(db::DataSet &ds)
{
    ds.setValue(QStringLiteral("CALC_FIRMA"), QStringLiteral("FIRMA: ") + Param.Text_firmy);
    ds.setValue(QStringLiteral("CALC_OBDOBIE"), social::Text_obdobia(Param.Obdobie));
    ds.setValue(QStringLiteral("CALC_CISLO_UCTU"), social::firmAccountNumber(ds));
}

void TReportSP2005PR::Otvor_data()
{
    Q0_.close();
    Q1_.close();
    Q0_.setParam(QStringLiteral("P1"), Param.Obdobie);
    Q0_.setParam(QStringLiteral("P2"), Param.Stredisko_od);
    Q0_.setParam(QStringLiteral("P3"), Param.Stredisko_do);
    Q0_.open();
    Q1_.open();
    const auto nastav = [&](const char *meno, const QString &text) {
        if (auto *l = findAs<rpt::ReportLabel>(QString::fromLatin1(meno)))
            l->caption = text;
    };
    // The period of the first line; an empty month leaves the box empty.
    nastav("QR_OBDOBIE", Q0_.isEmpty() ? QString() : Q0_.fieldByName(QStringLiteral("CALC_MESIAC")).asString());
    social::markStatementKind(*this, Param.Typ_vykazu, QStringLiteral("QR_RIADNY"), QStringLiteral("QR_OPRAVNY"));
}

void TReportSP2005PR::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

} // namespace tarix::reports
