#include "reports/certificates/certificate_report.h"

#include "core/helpers/address.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "reports/report_query.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace PZ {

using rpt::BlockUse;
using rpt::label;

BlockUse Riadok(const QString &cislo, const QString &popis1, const QString &popis2, const QString &pole, double y,
                const QString &maska, const QString &popis3)
{
    BlockUse b{.block = u"riadok"_s,
               .place = {0, y, kSirka, kRiadok},
               .args = {{u"n"_s, cislo},
                        {u"c1"_s, popis1},
                        {u"c2"_s, popis2},
                        {u"c3"_s, popis3},
                        {u"pole"_s, pole.isEmpty() ? u"code_emp"_s : pole},
                        {u"maska"_s, maska}}};
    // A part of a row ("03a") prints without a number of its own.
    if (cislo.size() > 2)
        b.patches.push_back({.name = u"QRL_c"_s + cislo, .text = QString()});
    // A row without a field is filled by hand or by the set-up.
    if (pole.isEmpty())
        b.patches.push_back({.name = u"QRDB_code_emp"_s, .remove = true});
    if (popis3.isEmpty()) {
        b.patches.push_back({.name = u"QRL_r"_s + cislo + u'c', .remove = true});
    } else {
        const double h = rowHeight(popis3);
        b.place.height = h;
        for (const QString &n : {u"QRS_r"_s + cislo, u"QRS_r"_s + cislo + u"_1"_s, u"QRS_r"_s + cislo + u"_2"_s})
            b.patches.push_back({.name = n, .height = h});
    }
    return b;
}

double rowHeight(const QString &popis3) { return popis3.isEmpty() ? kRiadok : kRiadok + 3.3; }

BlockUse Pole(const QString &popis, const QString &pole, double x, double y, double w)
{
    return {.block = u"pole"_s, .place = {x, y, w, 0}, .args = {{u"popis"_s, popis}, {u"pole"_s, pole}}};
}

BlockUse childRow(int k, double y, const QString &maska, bool ztp)
{
    BlockUse b{.block = u"dieta"_s,
               .place = {0, y, kSirka, 0},
               .args = {{u"k"_s, QString::number(k)}, {u"maska"_s, maska}}};
    if (!ztp)
        b.patches.push_back({.name = u"QRDB_CALC_ZTP"_s + QString::number(k), .remove = true});
    else
        b.patches.push_back({.name = u"QRDB_CALC_DIETA"_s + QString::number(k), .left = 24, .width = 84});
    return b;
}

static rpt::BlockLibrary makeLibrary()
{
    constexpr unsigned kRoztiahnute = rpt::kAnchorLeft | rpt::kAnchorRight | rpt::kAnchorTop;
    rpt::BlockLibrary k;
    k.blocks = {
        // A numbered row: its number, a caption of up to two lines and the value in the
        // amounts' column.
        {.name = u"riadok"_s,
         .width = kSirka,
         .height = kRiadok,
         .items = {
             rpt::rectangle(u"QRS_r{n}"_s, {0, 0, kSirka, kRiadok}),
             label(u"QRL_c{n}"_s, {0.5, 2, 7, 4}, u"{n}"_s, kArial8b, Qt::AlignHCenter),
             rpt::verticalLine(u"QRS_r{n}_1"_s, {8, 0, 0, kRiadok}),
             label(u"QRL_r{n}"_s, {9, 0.7, 124, 3.3}, u"{c1}"_s, kArial7),
             label(u"QRL_r{n}b"_s, {9, 4, 124, 3.3}, u"{c2}"_s, kArial7),
             label(u"QRL_r{n}c"_s, {9, 7.3, 124, 3.3}, u"{c3}"_s, kArial7),
             rpt::verticalLine(u"QRS_r{n}_2"_s, {kStlpecSumy - 1, 0, 0, kRiadok}),
             rpt::dbText(u"QRDB_{pole}"_s, {kStlpecSumy, 1.8, kSirka - kStlpecSumy - 2, 4.5}, u"{pole}"_s, kArial9,
                         Qt::AlignRight, u"{maska}"_s),
         }},
        // A caption over a framed field.
        {.name = u"pole"_s,
         .width = 40,
         .height = 9,
         .items = {
             label(u"QRL_{pole}"_s, {0, 0, 40, 3}, u"{popis}"_s, kArial6).anchored(kRoztiahnute),
             rpt::rectangle(u"QRS_{pole}"_s, {0, 3, 40, 6}).anchored(kRoztiahnute),
             rpt::dbText(u"QRDB_{pole}"_s, {1, 3.8, 38, 4.5}, u"{pole}"_s, kArial9).anchored(kRoztiahnute),
         }},
        // One child of row 07: name and birth date, the months, the amount.
        {.name = u"dieta"_s,
         .width = kSirka,
         .height = 5,
         .items = {
             rpt::horizontalLine(u"QRS_d{k}"_s, {9, 5, kSirka - 9, 0}),
             label(u"QRL_d{k}"_s, {10, 0.7, 6, 4}, u"{k}."_s, kArial8),
             rpt::dbText(u"QRDB_CALC_ZTP{k}"_s, {16, 0.7, 8, 4}, u"CALC_ZTP{k}"_s, kArial8),
             rpt::dbText(u"QRDB_CALC_DIETA{k}"_s, {16, 0.7, 92, 4}, u"CALC_DIETA{k}"_s, kArial8),
             rpt::verticalLine(u"QRS_d{k}_1"_s, {109, 0, 0, 5}),
             rpt::dbText(u"QRDB_CALC_MES{k}"_s, {110, 0.7, 22, 4}, u"CALC_MES{k}"_s, kArial8, Qt::AlignHCenter),
             rpt::verticalLine(u"QRS_d{k}_2"_s, {kStlpecSumy - 1, 0, 0, 5}),
             rpt::dbText(u"QRDB_CALC_NC{k}"_s, {kStlpecSumy, 0.7, kSirka - kStlpecSumy - 2, 4}, u"CALC_NC{k}"_s,
                         kArial9, Qt::AlignRight, u"{maska}"_s),
         }},
    };
    return k;
}

const rpt::BlockLibrary &certificateBlocks()
{
    static const rpt::BlockLibrary k = makeLibrary();
    return k;
}

double titleHeading(LayoutItems &p, const QStringList &riadky)
{
    p.push_back(label(u"QRL_nadpis"_s, {0, 0, kSirka, 6}, u"P O T V R D E N I E"_s, kArial12b, Qt::AlignHCenter));
    double y = 7;
    for (int i = 0; i < riadky.size(); ++i, y += 4) {
        const bool posledny = i == riadky.size() - 1;
        p.push_back(label(u"QRL_titul"_s + QString::number(i + 1), {0, y, posledny ? 168 : kSirka, 4}, riadky[i],
                          kArial8b, posledny ? Qt::AlignRight : Qt::AlignHCenter));
    }
    p.push_back(label(u"QRL_obdobie"_s, {170, y - 4.5, 20, 5}, {}, kArial9b));
    p.push_back(label(u"QRL_sk"_s, {170, y, 20, 3.5}, u"(v Sk)"_s, kArial7, Qt::AlignRight));
    return y + 4;
}

double employeeHead(LayoutItems &p, double y, const QString &popisMena)
{
    p.push_back(Pole(popisMena, u"TMP"_s, 0, y, 124));
    p.push_back(Pole(u"Rodné číslo  :"_s, u"born_numb"_s, 126, y, 64));
    p.push_back(Pole(u"Adresa trvalého pobytu:"_s, u"ADR"_s, 0, y + 10, 150));
    p.push_back(Pole(u"PSČ:"_s, u"tp_zip"_s, 152, y + 10, 38));
    return 21;
}

void contactBlock(LayoutItems &p, double x, double y)
{
    const struct {
        const char16_t *popis;
        const char16_t *meno;
    } riadky[] = {{u"Vypracoval:", u"QR_Vykaz_zostavil"}, {u"Dňa:", u"QR_Vykaz_dna"}, {u"Číslo telefónu:", u"QR_telefon"}};
    for (const auto &r : riadky) {
        const QString meno = QString::fromUtf16(r.meno);
        p.push_back(label(u"QRL_"_s + meno.mid(3), {x, y, 22, 4}, QString::fromUtf16(r.popis), kArial8));
        p.push_back(label(meno, {x + 22, y, 70, 4}, {}, kArial9));
        y += 5;
    }
}

void signatureBlock(LayoutItems &p, double x, double y, double w, double h, const QStringList &riadky)
{
    p.push_back(rpt::rectangle(u"QRS_podpis"_s, {x, y, w, h}));
    double ly = y + h - 1 - 3.3 * riadky.size();
    for (int i = 0; i < riadky.size(); ++i, ly += 3.3)
        p.push_back(label(u"QRL_podpis"_s + QString::number(i + 1), {x + 1, ly, w - 2, 3.3}, riadky[i], kArial7,
                          Qt::AlignHCenter));
}

void payerFooter(LayoutItems &p, double y, const QString &poznamky, double vyskaPoznamok)
{
    contactBlock(p, 0, y);
    p.push_back(label(u"QRL_platitel"_s, {0, y + 16, 124, 3.5},
                      u"DIČ, meno a adresa zamestnávateľa, ktorý je platiteľom dane:"_s, kArial7));
    p.push_back(rpt::rectangle(u"QRS_platitel"_s, {0, y + 20, 124, 14}));
    rpt::ControlDesc adresa = rpt::dbText(u"QRDB_CALC_ADRESA"_s, {1, y + 21, 122, 12}, u"QINF_.CALC_ADRESA"_s, kArial8);
    adresa.wordWrap = true;
    p.push_back(adresa);
    signatureBlock(p, 128, y, 62, 34, {u"Podpis a odtlačok pečiatky"_s, u"zamestnávateľa, ktorý je"_s, u"platiteľom dane"_s});
    p.push_back(rpt::memo(u"QRM_poznamky"_s, {0, y + 36, kSirka, vyskaPoznamok}, poznamky, kArial6));
}

void childrenHeading(LayoutItems &p, const QString &cislo, double y, double vyska, const QString &popis1,
                   const QString &popis2, const QString &stlpec1)
{
    p.push_back(rpt::rectangle(u"QRS_r"_s + cislo, {0, y, kSirka, vyska}));
    p.push_back(label(u"QRL_c"_s + cislo, {0.5, y + 2, 7, 4}, cislo, kArial8b, Qt::AlignHCenter));
    p.push_back(rpt::verticalLine(u"QRS_r"_s + cislo + u"_1"_s, {8, y, 0, vyska}));
    p.push_back(label(u"QRL_r"_s + cislo, {9, y + 0.7, 99, 3.3}, popis1, kArial7));
    p.push_back(label(u"QRL_r"_s + cislo + u'b', {9, y + 4, 99, 3.3}, popis2, kArial7));
    p.push_back(rpt::verticalLine(u"QRS_r"_s + cislo + u"_2"_s, {109, y, 0, vyska}));
    p.push_back(label(u"QRL_r"_s + cislo + u"_mes"_s, {110, y + 2, 22, 3.3}, stlpec1, kArial7, Qt::AlignHCenter));
    p.push_back(rpt::verticalLine(u"QRS_r"_s + cislo + u"_3"_s, {kStlpecSumy - 1, y, 0, vyska}));
    p.push_back(label(u"QRL_r"_s + cislo + u"_suma"_s, {kStlpecSumy, y + 2, kSirka - kStlpecSumy - 2, 3.3}, u"suma"_s,
                      kArial7, Qt::AlignHCenter));
    p.push_back(rpt::horizontalLine(u"QRS_r"_s + cislo + u"_h"_s, {0, y + 8, kSirka, 0}));
}

} // namespace PZ

namespace {

const QString kData = QString::fromLatin1(core::kAliasData);

} // namespace

CertificateReport::CertificateReport(PZ::FormSheet t) : m_tlacivo(t)
{
    prepareQuery(Q0_, u"Q0_"_s, kData, PZ::Text_Q0(t));
    const int deti = PZ::Pocet_deti(t);
    for (const char *f : {"TMP", "ADR", "CALC_MESIACE", "CALC_MES_NC_MIN", "CALC_DDP", "CALC_NZ_DDP"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 255);
    for (const char *f : {"CALC_BONUS_CELKOM", "CALC_R03C", "CALC_R13", "CALC_R14A", "CALC_R14B", "CALC_R15"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::Float);
    for (int i = 1; i <= deti; ++i) {
        const QString n = QString::number(i);
        Q0_.addCalculatedField(u"CALC_DIETA"_s + n, db::FieldType::String, 100);
        Q0_.addCalculatedField(u"CALC_MES"_s + n, db::FieldType::String, 20);
        Q0_.addCalculatedField(u"CALC_ZTP"_s + n, db::FieldType::String, 3);
        Q0_.addCalculatedField(u"CALC_NC"_s + n, db::FieldType::Float);
    }
    Q0_.onCalcFields = [this](db::DataSet &ds) { computeReportFields(ds); };

    prepareQuery(QINF_, u"QINF_"_s, kData, u"select * from inf"_s);
    QINF_.addCalculatedField(u"CALC_ADRESA"_s, db::FieldType::String, 1000);
    QINF_.onCalcFields = [this](db::DataSet &ds) { ds.setValue(u"CALC_ADRESA"_s, firmAddress(ds)); };

    S0_.setDataSet(&Q0_);
    SINF_.setDataSet(&QINF_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);
    registerDataSource(u"QINF_"_s, &SINF_);
}

CertificateReport::~CertificateReport() = default;

void CertificateReport::assemble(const rpt::LayoutDesc &popis)
{
    rpt::buildReportForm(*this, popis, PZ::certificateBlocks(), checkFields({{&S0_, &Q0_}, {&SINF_, &QINF_}}));
    // The captions the set-up fills stay when only the data are printed.
    for (rpt::ReportLabel *l : all<rpt::ReportLabel>())
        if (l->name.startsWith(u"QR_") || l->name == u"QRL_obdobie")
            l->dataRole = true;
}

void CertificateReport::setLabelText(const QString &meno, const QString &text)
{
    if (auto *l = findAs<rpt::ReportLabel>(meno))
        l->caption = text;
}

QString CertificateReport::firmAddress(const db::DataSet &inf) const
{
    const auto t = [&](const char *pole) { return inf.fieldByName(QString::fromLatin1(pole)).asString().trimmed(); };
    const QString adresa = MyConsts::Text_adresy(t("ADR_ULICA"), t("ADR_CISLO"), t("ADR_PSC"), t("ADR_MESTO"));
    // The editions from 2005 have one box for the employer's tax number, name and address;
    // the older ones print the tax number and the name from their own fields.
    if (m_tlacivo == PZ::FormSheet::PZ2006 || m_tlacivo == PZ::FormSheet::PZ2005)
        return u"DIČ: "_s + t("DIC") + u'\n' + t("NAZOV") + u", "_s + adresa;
    return adresa;
}

void CertificateReport::Otvor_data()
{
    const int rok = Param.Obdobie / 100;
    setLabelText(u"QRL_obdobie"_s, QString::number(rok));
    setLabelText(u"QR_Vykaz_zostavil"_s, Param.Vykaz_zostavil);
    setLabelText(u"QR_Vykaz_dna"_s, Param.Den_textom);
    setLabelText(u"QR_telefon"_s, Param.Telefon);
    setLabelText(u"QR_R10"_s, Param.Hodnota_ine());

    // The figures of the whole selection first: a difference found in the bonus is told
    // once per employee, before the preview, not each time a page is drawn.
    const bool potrebujeParameter = m_tlacivo != PZ::FormSheet::PZ2;
    const double parameter28 = potrebujeParameter ? MyConsts::Parametre(28).Hodnota : 0;
    m_udaje = PZ::certificateData(Q0_.session(), m_tlacivo, Param, parameter28);
    m_podlaKodu.clear();
    for (size_t i = 0; i < m_udaje.size(); ++i)
        m_podlaKodu[m_udaje[i].code_emp] = i;
    for (const PZ::CertificateFigures &f : m_udaje)
        if (f.Rozdiel_bonusu)
            MyConsts::Sprava_chyba(Msg(65038, f.TMP));

    QINF_.close();
    QINF_.open();
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Zamestnanec_od);
    Q0_.setParam(u"p2"_s, Param.Zamestnanec_do);
    Q0_.setParam(u"p3"_s, Param.Stredisko_od);
    Q0_.setParam(u"p4"_s, Param.Stredisko_do);
    Q0_.setParam(u"obdobie1"_s, rok * 100 + 1);
    Q0_.setParam(u"obdobie2"_s, rok * 100 + 12);
    Q0_.open();
}

void CertificateReport::Zatvor_data()
{
    QINF_.close();
    Q0_.close();
}

bool CertificateReport::hasData() const { return Q0_.isActive() && !Q0_.isEmpty(); }

void CertificateReport::computeReportFields(db::DataSet &ds)
{
    const auto it = m_podlaKodu.find(int(ds.fieldByName(u"code_emp"_s).asInteger()));
    if (it == m_podlaKodu.end())
        return;
    const PZ::CertificateFigures &f = m_udaje[it->second];
    ds.setValue(u"TMP"_s, f.TMP);
    ds.setValue(u"ADR"_s, f.ADR);
    ds.setValue(u"CALC_MESIACE"_s, f.CALC_MESIACE);
    ds.setValue(u"CALC_MES_NC_MIN"_s, f.CALC_MES_NC_MIN);
    ds.setValue(u"CALC_DDP"_s, f.CALC_DDP);
    ds.setValue(u"CALC_NZ_DDP"_s, f.CALC_NZ_DDP);
    ds.setValue(u"CALC_BONUS_CELKOM"_s, f.CALC_BONUS_CELKOM);
    ds.setValue(u"CALC_R03C"_s, db::variantToDouble(f.n_poist) + db::variantToDouble(f.n_ddp));
    ds.setValue(u"CALC_R13"_s, f.CALC_R13);
    ds.setValue(u"CALC_R14A"_s, f.CALC_R14A);
    ds.setValue(u"CALC_R14B"_s, f.CALC_R14B);
    ds.setValue(u"CALC_R15"_s, f.CALC_R15);
    for (size_t i = 0; i < f.deti.size(); ++i) {
        const QString n = QString::number(i + 1);
        ds.setValue(u"CALC_DIETA"_s + n, f.deti[i].CALC_DIETA);
        ds.setValue(u"CALC_MES"_s + n, f.deti[i].CALC_MES);
        ds.setValue(u"CALC_ZTP"_s + n, f.deti[i].CALC_ZTP);
        ds.setValue(u"CALC_NC"_s + n, f.deti[i].CALC_NC);
    }
}

} // namespace tarix::reports
