#include "reports/health/zp05ozvy.h"

#include "core/session.h"
#include "platform/report/description.h"
#include "reports/filled_label.h"
#include "reports/report_query.h"
#include "reports/social/social_blocks.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace tarix::reports::social;
using rpt::dbText;
using rpt::label;

namespace ZP05OZVY {

QString Text_Q0()
{
    return u"select ZNEC.kzp, count(*) pocet, sum(UNIV.X1) nedopl_znec, sum(UNIV.X2) nedopl_ztel, "
           u"(select old_cislo_u from \":tarix_data:cis_bu\" b where b.buid_typ='Z' and b.buid_kod=ZNEC.kzp) "
           u"old_cislo_u from \":tarix_data:zp_univ\" UNIV, \":tarix_data:zp_znec\" ZNEC where UNIV.v_rok=:p1 "
           u"and UNIV.typ='VV' and ZNEC.v_rok=UNIV.v_rok and ZNEC.code_emp=UNIV.code_emp group by ZNEC.kzp "
           u"having count(*)>0 order by ZNEC.kzp"_s;
}

QString statementYearText(int obdobie)
{
    return u"o preplatkoch a nedoplatkoch za jednotlivých zamestnancov za rok "_s + QString::number(obdobie / 100 - 1);
}

QString unpaidLiabilitiesCaption(int obdobie)
{
    return u"Neuhradené záväzky zamestnávateľa za rok "_s + QString::number(obdobie / 100 - 1);
}

} // namespace ZP05OZVY

namespace {

const rpt::FontSpec kArial14b{u"Arial"_s, 14, true};

rpt::LayoutDesc layoutZP05OZVY()
{
    rpt::LayoutDesc l;
    l.name = u"TReportZP05OZVY"_s;
    l.title = u"Oznámenie zamestnávateľa"_s;
    std::vector<rpt::LayoutItem> s{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 7}, u"OZNÁMENIE ZAMESTNÁVATEĽA"_s, kArial14b, Qt::AlignHCenter),
        [] {
            rpt::ControlDesc c = label(u"QRLabel_rok"_s, {0, 8, kSirka, 5}, {}, kArial9b, Qt::AlignHCenter);
            c.tag = 1;
            return c;
        }(),
        label(u"QRL_riadne"_s, {30, 15, 20, 4}, u"riadne"_s, kArial8),
        rpt::rectangle(u"QRS_riadne"_s, {50, 15, 4, 4}),
        filledLabel(u"QR_RIADNE"_s, {50, 15, 4, 4}, kArial8b, Qt::AlignHCenter),
        label(u"QRL_opravne"_s, {80, 15, 20, 4}, u"opravné"_s, kArial8),
        rpt::rectangle(u"QRS_opravne"_s, {100, 15, 4, 4}),
        filledLabel(u"QR_OPRAVNE"_s, {100, 15, 4, 4}, kArial8b, Qt::AlignHCenter),
        label(u"QRL_dodatocne"_s, {130, 15, 20, 4}, u"dodatočné"_s, kArial8),
        rpt::rectangle(u"QRS_dodatocne"_s, {152, 15, 4, 4}),
        sectionRow(u"oddiel1"_s, u"I. ODDIEL - Údaje o zamestnávateľovi"_s, 22),
        Pole(u"01 Názov platiteľa poistného"_s, u"CALC_FIRMA"_s, 0, 29, kSirka),
        Pole(u"02 Číslo platiteľa poistného"_s, u"old_cislo_u"_s, 0, 40, 60),
        Pole(u"03 Rodné číslo/Číslo povolenia na pobyt"_s, u"Q1_.FO_RC"_s, 62, 40, 60),
        Pole(u"04 IČO"_s, u"Q1_.ICO"_s, 124, 40, 32),
        Pole(u"05 DIČ"_s, u"Q1_.DIC"_s, 158, 40, 32),
        label(u"QRL_sidlo"_s, {0, 51, kSirka, 4}, u"06 Sídlo alebo miesto podnikania na území Slovenskej republiky"_s,
              kArial7),
        Pole(u"Ulica"_s, u"Q1_.ADR_ULICA"_s, 0, 56, 100),
        Pole(u"Číslo"_s, u"Q1_.ADR_CISLO"_s, 102, 56, 30),
        Pole(u"PSČ"_s, u"Q1_.ADR_PSC"_s, 134, 56, 56),
        Pole(u"Obec"_s, u"Q1_.ADR_MESTO"_s, 0, 67, 100),
        Pole(u"Kód zdravotnej poisťovne"_s, u"kzp"_s, 102, 67, 88),
        Pole(u"Číslo telefónu"_s, u"Q1_.ADR_TELEFON"_s, 0, 78, 60),
        Pole(u"Číslo faxu"_s, u"Q1_.ADR_FAX"_s, 62, 78, 60),
        Pole(u"Email"_s, u"Q1_.ADR_EMAIL"_s, 124, 78, 66),
        sectionRow(u"oddiel2"_s, u"II. ODDIEL - Výsledok ročného zúčtovania poistného"_s, 92),
    };
    const struct {
        const char16_t *cislo, *popis, *pole;
    } riadky[] = {
        {u"21", u"Počet zamestnancov", u"pocet"},
        {u"22", u"Výsledný nedoplatok (+) / preplatok (-) za zamestnancov", u"nedopl_znec"},
        {u"23", u"Výsledný nedoplatok (+) / preplatok (-) za zamestnávateľa", u"nedopl_ztel"},
        {u"24", u"Spolu nedoplatok (+) / preplatok (-) (p. 22 + p. 23)", u"R24"},
        {u"25", u"Neuhradené záväzky zamestnávateľa za rok", u"R25"},
        {u"26", u"Ostatné neuhradené záväzky voči zdravotnej poisťovni", u"R26"},
        {u"27", u"Spolu nedoplatok (+) / preplatok (-) po započítaní neuhradených záväzkov zamestnávateľa "
                u"(p. 24 + p. 25 + p. 23)", u"R27"},
    };
    double y = 99;
    for (const auto &r : riadky) {
        const QString pole = QString::fromUtf16(r.pole);
        s.push_back(rpt::rectangle(u"QRS_"_s + pole, {0, y, kSirka, 9}));
        s.push_back(label(u"QRL_c"_s + pole, {1, y + 2.5, 7, 4}, QString::fromUtf16(r.cislo), kArial8b));
        rpt::ControlDesc p = label(u"QRL_"_s + pole, {9, y + 0.5, 138, 8}, QString::fromUtf16(r.popis), kArial8);
        p.wordWrap = true;
        s.push_back(p);
        s.push_back(dbText(u"QRDB_"_s + pole, {150, y + 2.5, 38, 4.5}, pole, kArial9b, Qt::AlignRight,
                           pole == u"pocet" ? u"0"_s : u"0.00"_s));
        y += 10;
    }
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail,
                                    .name = u"DetailBand1"_s,
                                    .height = y + 2,
                                    .items = std::move(s),
                                    .forceNewPage = true});
    return l;
}

} // namespace

TReportZP05OZVY::TReportZP05OZVY()
{
    nahlad = PreviewMode::Len_s_udajmi;
    Sirky_ramcekov = kRamceky_1_4;
    prepareQuery(Q0_, u"Q0_"_s, core::kAliasData, ZP05OZVY::Text_Q0());
    Q0_.addCalculatedField(u"CALC_FIRMA"_s, db::FieldType::String, 100);
    for (const char *f : {"R24", "R25", "R26", "R27"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::Float, 0);
    Q0_.onCalcFields = [this](db::DataSet &ds) { Q0_CalcFields(ds); };
    prepareQuery(Q1_, u"Q1_"_s, core::kAliasData, u"select * from inf"_s);
    S0_.setDataSet(&Q0_);
    S1_.setDataSet(&Q1_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);
    registerDataSource(u"Q1_"_s, &S1_);
    rpt::buildReportForm(*this, layoutZP05OZVY(), socialBlocks(), checkFields({{&S0_, &Q0_}, {&S1_, &Q1_}}));
    markFilledLabels(*this);
}

TReportZP05OZVY::~TReportZP05OZVY() = default;

void TReportZP05OZVY::Q0_CalcFields(db::DataSet &ds)
{
    ds.setValue(u"CALC_FIRMA"_s, Param.Text_firmy);
    const double r24 = ds.fieldByName(u"nedopl_znec"_s).asFloat() + ds.fieldByName(u"nedopl_ztel"_s).asFloat();
    ds.setValue(u"R24"_s, r24);
    ds.setValue(u"R25"_s, 0.0);
    ds.setValue(u"R26"_s, 0.0);
    ds.setValue(u"R27"_s, r24);
}

void TReportZP05OZVY::Otvor_data()
{
    if (auto *l = findAs<rpt::ReportLabel>(u"QRLabel_rok"_s))
        l->caption = ZP05OZVY::statementYearText(Param.Obdobie);
    // Row 25 names the settled year, the year before the period's.
    if (auto *l = findAs<rpt::ReportLabel>(u"QRL_R25"_s))
        l->caption = ZP05OZVY::unpaidLiabilitiesCaption(Param.Obdobie);
    social::markStatementKind(*this, Param.Typ_vykazu, u"QR_RIADNE"_s, u"QR_OPRAVNE"_s);
    Q1_.close();
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Obdobie / 100);
    Q0_.open();
    Q1_.open();
}

void TReportZP05OZVY::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

} // namespace tarix::reports
