#include "reports/certificates/report_bo2005.h"

#include "core/helpers/address.h"
#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "reports/certificates/certificate_report.h"
#include "reports/report_query.h"

#include <algorithm>

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace BO {

BonusSplit splitBonus(double preddavky, double dan, double vyrovnanie, double bonus, int obdobie)
{
    double t = preddavky - vyrovnanie;
    // From 2007 the month's tax also covers the bonus before the employer's funds do.
    if (obdobie >= 200701)
        t += dan;
    t = std::max(t, 0.0);
    if (t < bonus)
        return {t, bonus - t};
    return {bonus, 0};
}

QString Text_obdobia(int obdobie) { return QString::number(obdobie % 100) + u'/' + QString::number(obdobie / 100); }

QString accountNumber(const QString &predcislo, const QString &cislo, const QString &banka)
{
    return MyConsts::Spoj_s_pomlckou(predcislo.trimmed(), cislo.trimmed()) + u'/' + banka.trimmed();
}

} // namespace BO

namespace {

using namespace PZ;

const QString kData = QString::fromLatin1(core::kAliasData);

const char16_t *const kRiadky[][2] = {
    {u"01", u"Daňový bonus vyplatený všetkým oprávneným zamestnancom v úhrnnej sume, z toho"},
    {u"02", u"- daňový bonus vyplatený z úhrnu zrazených preddavkov na daň"},
    {u"03", u"- daňový bonus vyplatený z prostriedkov zamestnávateľa, ktorý je platiteľom dane"},
    {u"04", u"Žiadame poukázať sumu daňového bonusu v sume ( z riadku 03 )"},
};
// Row 04 repeats row 03 under its own field, so that each box has a name of its own.
const char *const kPolia[] = {"d_bonus_cerpany", "CALC_bonus_vypl", "CALC_bonus_vlastne", "CALC_ziadost"};

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    LayoutItems p;
    p.push_back(label(u"QRL_nadpis"_s, {0, 0, kSirka, 6}, u"Žiadosť o poukázanie sumy daňového bonusu"_s, kArial12b,
                      Qt::AlignHCenter));
    p.push_back(label(u"QRL_titul1"_s, {0, 7, kSirka, 4},
                      u"na vyživované dieťa (\"daňový bonus\") podľa zákona č. 595/2003 Z. z. o dani z príjmov, vyplateného za príslušný"_s,
                      kArial8, Qt::AlignHCenter));
    p.push_back(label(u"QRL_titul2"_s, {0, 11, kSirka, 4},
                      u"kalendárny mesiac (mesiace) oprávneným zamestnancom z prostriedkov zamestnávateľa, ktorý je platiteľom dane"_s,
                      kArial8, Qt::AlignHCenter));
    p.push_back(label(u"QRL_mesiace"_s, {0, 18, 30, 4}, u"Mesiac (mesiace):"_s, kArial9b));
    p.push_back(label(u"QR_mesiace"_s, {30, 18, 30, 4}, {}, kArial9b));

    // The tax office's boxes, filled by hand.
    p.push_back(label(u"QRL_urad"_s, {0, 25, 94, 3.5}, u"Adresa daňového úradu:"_s, kArial7));
    p.push_back(rectangle(u"QRS_urad"_s, {0, 29, 94, 22}));
    p.push_back(label(u"QRL_doslo"_s, {96, 25, 94, 3.5}, u"Došlo dňa: (vyplní správca dane):"_s, kArial7));
    p.push_back(rectangle(u"QRS_doslo"_s, {96, 29, 94, 22}));

    p.push_back(label(u"QRL_platitel"_s, {0, 54, 124, 3.5}, u"Meno a adresa zamestnávateľa, ktorý je platiteľom dane:"_s,
                      kArial7));
    p.push_back(rectangle(u"QRS_platitel"_s, {0, 58, kSirka, 17}));
    p.push_back(dbText(u"QRDB_NAZOV"_s, {1, 59, 188, 4.5}, u"QINF_.NAZOV"_s, kArial9));
    p.push_back(dbText(u"QRDB_CALC_ADRESA"_s, {1, 64, 188, 4.5}, u"QINF_.CALC_ADRESA"_s, kArial9));
    p.push_back(label(u"QRL_tel"_s, {1, 70, 10, 4}, u"Tel.:"_s, kArial8));
    p.push_back(label(u"QR_telefon"_s, {11, 70, 60, 4}, {}, kArial9));
    p.push_back(Pole(u"IČO platiteľa dane:"_s, u"QINF_.ICO"_s, 0, 77, 94));
    p.push_back(Pole(u"DIČ platiteľa dane:"_s, u"QINF_.DIC"_s, 96, 77, 94));

    // Tab. 1 with the month's figures, Tab. 2 the correction filled by hand.
    double y = 90;
    p.push_back(label(u"QRL_tab1"_s, {0, y, 20, 4}, u"Tab.1"_s, kArial9b));
    p.push_back(label(u"QRL_obd"_s, {120, y, 16, 4}, u"Obdobie:"_s, kArial8));
    p.push_back(label(u"QRL_obdobie"_s, {136, y, 30, 4}, {}, kArial9b));
    y += 5;
    for (int i = 0; i < 4; ++i, y += kRiadok) {
        const QString n = QString::fromUtf16(kRiadky[i][0]);
        const QString pole = QString::fromLatin1(kPolia[i]);
        BlockUse r = Riadok(n, QString::fromUtf16(kRiadky[i][1]), {}, pole, y, u"0"_s);
        r.patches.push_back({.name = u"QRDB_"_s + pole, .width = 46});
        p.push_back(r);
        p.push_back(label(u"QRL_sk"_s + n, {182, y + 2, 7, 4}, u"Sk"_s, kArial8));
    }
    y += 4;
    p.push_back(label(u"QRL_tab2"_s, {0, y, 40, 4}, u"Tab.2 - opravná"_s, kArial9b));
    y += 5;
    for (int i = 0; i < 4; ++i, y += kRiadok) {
        const QString n = u"o"_s + QString::fromUtf16(kRiadky[i][0]);
        BlockUse r = Riadok(n, QString::fromUtf16(kRiadky[i][1]), {}, {}, y, {});
        r.patches.push_back({.name = u"QRL_c"_s + n, .text = QString::fromUtf16(kRiadky[i][0])});
        p.push_back(r);
        p.push_back(label(u"QRL_sk"_s + n, {182, y + 2, 7, 4}, u"Sk"_s, kArial8));
    }

    y += 6;
    p.push_back(label(u"QRL_datum_vyplaty"_s, {0, y, 80, 4}, u"Dátum vyplatenia mzdy a daňového bonusu:"_s, kArial8));
    p.push_back(horizontalLine(u"QRS_datum_vyplaty"_s, {80, y + 4, 60, 0}));
    y += 7;
    p.push_back(label(u"QRL_ucet"_s, {0, y, 80, 4}, u"Číslo účtu zamestnávateľa, ktorý je platiteľom dane:"_s, kArial8));
    p.push_back(dbText(u"QRDB_CALC_CISLO_UCTU"_s, {80, y, 110, 4}, u"QINF_.CALC_CISLO_UCTU"_s, kArial9));
    y += 6;
    p.push_back(label(u"QRL_banka"_s, {0, y, 80, 4}, u"Názov peňažného ústavu:"_s, kArial8));
    p.push_back(dbText(u"QRDB_NAZOV_BANKY"_s, {80, y, 110, 4}, u"QINF_.NAZOV_BANKY"_s, kArial9));
    y += 10;
    p.push_back(label(u"QRL_v"_s, {0, y, 5, 4}, u"V"_s, kArial8));
    p.push_back(label(u"QR_Vykaz_miesto"_s, {6, y, 60, 4}, {}, kArial9));
    p.push_back(label(u"QRL_dna"_s, {0, y + 6, 10, 4}, u"Dňa:"_s, kArial8));
    p.push_back(label(u"QR_Vykaz_dna"_s, {10, y + 6, 56, 4}, {}, kArial9));
    signatureBlock(p, 120, y - 4, 70, 26, {u"Podpis a odtlačok pečiatky"_s, u"zamestnávateľa, ktorý je platiteľom dane"_s});

    return LayoutDesc{
        .name = u"TReportBO2005"_s,
        .title = u"Žiadosť o poukázanie daňového bonusu"_s,
        .previewZoom = 80,
        .bands = {BandDesc{.kind = BandKind::Detail, .name = u"DetailBand1"_s, .height = 276, .items = std::move(p)}},
    };
}

} // namespace

TReportBO2005::TReportBO2005()
{
    prepareQuery(Q0_, u"Q0_"_s, kData,
                  u"select sum(d_preddavok) d_preddavok, sum(d_dan) d_dan, sum(d_vyrovnanie) d_vyrovnanie, "
                  u"sum(d_bonus_cerpany) d_bonus_cerpany from vyp where sid between :p3 and :p4 "
                  u"and v_obdobie between :obdobie1 and :obdobie2"_s);
    for (const char *f : {"CALC_bonus_vypl", "CALC_bonus_vlastne", "CALC_ziadost"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::Float);
    Q0_.onCalcFields = [this](db::DataSet &ds) {
        const auto v = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asFloat(); };
        const BO::BonusSplit r = BO::splitBonus(v("d_preddavok"), v("d_dan"), v("d_vyrovnanie"),
                                                  v("d_bonus_cerpany"), Param.Obdobie);
        ds.setValue(u"CALC_bonus_vypl"_s, r.z_preddavkov);
        ds.setValue(u"CALC_bonus_vlastne"_s, r.vlastne);
        ds.setValue(u"CALC_ziadost"_s, r.vlastne);
    };
    prepareQuery(QINF_, u"QINF_"_s, kData, u"select * from inf"_s);
    QINF_.addCalculatedField(u"CALC_CISLO_UCTU"_s, db::FieldType::String, 100);
    QINF_.addCalculatedField(u"CALC_ADRESA"_s, db::FieldType::String, 255);
    QINF_.onCalcFields = [](db::DataSet &ds) {
        const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString().trimmed(); };
        ds.setValue(u"CALC_CISLO_UCTU"_s, BO::accountNumber(t("PREDCISLO_U"), t("CISLO_U"), t("BANKA_U")));
        ds.setValue(u"CALC_ADRESA"_s, MyConsts::Text_adresy(t("ADR_ULICA"), t("ADR_CISLO"), t("ADR_PSC"), t("ADR_MESTO")));
    };
    S0_.setDataSet(&Q0_);
    SINF_.setDataSet(&QINF_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);
    registerDataSource(u"QINF_"_s, &SINF_);
    rpt::buildReportForm(*this, reportLayout(), PZ::certificateBlocks(), checkFields({{&S0_, &Q0_}, {&SINF_, &QINF_}}));
    for (rpt::ReportLabel *l : all<rpt::ReportLabel>())
        if (l->name.startsWith(u"QR_") || l->name == u"QRL_obdobie")
            l->dataRole = true;
}

TReportBO2005::~TReportBO2005() = default;

void TReportBO2005::Otvor_data()
{
    const auto nastav = [&](const QString &meno, const QString &text) {
        if (auto *l = findAs<rpt::ReportLabel>(meno))
            l->caption = text;
    };
    nastav(u"QRL_obdobie"_s, BO::Text_obdobia(Param.Obdobie));
    nastav(u"QR_mesiace"_s, BO::Text_obdobia(Param.Obdobie));
    nastav(u"QR_telefon"_s, Param.Telefon);
    nastav(u"QR_Vykaz_miesto"_s, Param.Miesto);
    nastav(u"QR_Vykaz_dna"_s, Param.Den_textom);
    Q0_.close();
    Q0_.setParam(u"p3"_s, Param.Stredisko_od);
    Q0_.setParam(u"p4"_s, Param.Stredisko_do);
    Q0_.setParam(u"obdobie1"_s, Param.Obdobie);
    Q0_.setParam(u"obdobie2"_s, Param.Obdobie);
    Q0_.open();
    QINF_.close();
    QINF_.open();
}

void TReportBO2005::Zatvor_data()
{
    QINF_.close();
    Q0_.close();
}

bool TReportBO2005::hasData() const { return Q0_.isActive() && !Q0_.isEmpty(); }

} // namespace tarix::reports
