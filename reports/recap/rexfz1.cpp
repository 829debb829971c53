#include "reports/recap/rexfz1.h"

#include "core/helpers/address.h"
#include "core/helpers/periods.h"
#include "core/helpers/rounding.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/format/number_format.h"
#include "reports/recap/recap_blocks.h"
#include "reports/recap/rexfz1a.h"

#include <algorithm>

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace REXFZ1 {

namespace {

enum Stlpec : int { cU_fondzam, cF_firma_zps, cN_zaklad_fz, cFz_fondz, cFz_garfond, cZps, cZtp, cO_fondzam, cF_fondz };

const char kQ1[] = "select u_fondzam, f_firma_zps, n_zaklad_fz, fz_fondz, fz_garfond, zps, ztp, o_fondzam, f_fondz "
                   "from \":tarix_data:vyp\" where v_obdobie=:p1 and sid between :p2 and :p3 and u_fondzam>0";

// Base x rate per cent, any fraction of a crown up (decided on the decimal value).
double contribution(double zaklad, double sadzba)
{
    return MyConsts::Zaokruhli_sumu(0, MyConsts::Nahor, zaklad * sadzba * 0.01);
}

} // namespace

Sumy Sucty_vykazu(db::Session &session, int obdobie, int sidOd, int sidDo, bool sGarancnym)
{
    Sumy s;
    // Groups: A without and B with F_firma_zps; C and D the same for the guarantee-only code 5.
    double zakladA = 0, zakladB = 0, zakladC = 0, zakladD = 0;
    double sadzbaA = 0, sadzbaB = 0, garA = 0, garB = 0, sadzbaZamestnanca = 0;
    const db::SqlResult r = session.run(QString::fromLatin1(kQ1), {{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}});
    for (int i = 0; i < r.rowCount(); ++i) {
        const int kod = int(db::variantToInteger(r.value(i, cU_fondzam)));
        const bool zps = r.value(i, cF_firma_zps).toBool();
        const double zaklad = r.asFloat(i, cN_zaklad_fz);
        const auto zvys = [&] {
            double &sadzba = zps ? sadzbaB : sadzbaA;
            double &gar = zps ? garB : garA;
            sadzba = std::max(sadzba, r.asFloat(i, cFz_fondz));
            gar = std::max(gar, r.asFloat(i, cFz_garfond));
        };
        if (kod == 1 || kod == 3) {
            (zps ? zakladB : zakladA) += zaklad;
            zvys();
        } else if (kod == 5 && sGarancnym) {
            (zps ? zakladD : zakladC) += zaklad;
            zvys();
        }
        // Code 4 pays the employer's share too: its rate is not the employee's.
        if (kod >= 1 && kod <= 3)
            sadzbaZamestnanca = std::max(sadzbaZamestnanca, r.asFloat(i, cF_fondz));
        s.pocet += 1;
        if (r.value(i, cZps).toBool()) {
            s.pocet_zps += 1;
            if (r.value(i, cZtp).toBool())
                s.pocet_ztp += 1;
        }
        s.n_zaklad_fz += zaklad;
        s.o_fondzam += r.asFloat(i, cO_fondzam);
    }
    s.oz_fondzam = contribution(zakladA, sadzbaA);
    s.oz_fondzam1 = contribution(zakladB, sadzbaB);
    if (sGarancnym) {
        s.oz_garfond = contribution(zakladA + zakladC, garA);
        s.oz_garfond1 = contribution(zakladB + zakladD, garB);
    }
    const db::SqlResult rok =
        session.run(u"select f_fondz, fz_fondz, fz_fondz1, fz_garfond, fz_garfond1 from \":tarix_comm:setup\""_s);
    const auto rocna = [&](int stlpec) { return rok.rowCount() ? rok.asFloat(0, stlpec) : 0.0; };
    const auto pouzita = [&](double sadzba, int stlpec) { return sadzba > 0 ? sadzba : rocna(stlpec); };
    s.employeeRate = pouzita(sadzbaZamestnanca, 0);
    s.employerRate = pouzita(sadzbaA, 1);
    s.employerRate1 = pouzita(sadzbaB, 2);
    s.guaranteeRate = pouzita(garA, 3);
    s.guaranteeRate1 = pouzita(garB, 4);
    return s;
}

QString rateText(double rate) { return fmt::formatFloat(u"0.##", rate) + u'%'; }

QString sumLabel(double v) { return fmt::formatFloat(u"### ### ###", v); }

void Spusti_zostavu(const TMyReportParam &p)
{
    if (p.Obdobie < 200005)
        reports::Spusti_zostavu<TReportFZ1>(p);
    else
        reports::Spusti_zostavu<TReportFZ1A>(p);
}

} // namespace REXFZ1

namespace {

using namespace recap;
using rpt::label;

rpt::LayoutDesc layoutFZ(bool sGarancnym)
{
    rpt::LayoutDesc l;
    l.name = sGarancnym ? u"TReportFZ1A"_s : u"TReportFZ1"_s;
    l.title = u"Mesačný výkaz o odvode príspevku na poistenie v nezamestnanosti"_s;
    l.previewZoom = 80;

    std::vector<rpt::LayoutItem> d{
        label(u"QRL_kod"_s, {150, 0, 40, 4}, sGarancnym ? u"Prísp  (NÚP)  1-12"_s : u"P (MPSVR SR) 1-12"_s, kArial8,
              Qt::AlignRight),
        label(u"QRL_nadpis1"_s, {0, 5, kSirka, 6}, u"MESAČNÝ VÝKAZ O ODVODE PRÍSPEVKU NA POISTENIE V NEZAMESTNANOSTI"_s,
              kArial12b, Qt::AlignHCenter),
    };
    if (sGarancnym)
        d.push_back(label(u"QRL_nadpis2"_s, {0, 11, kSirka, 6}, u"A PRÍSPEVKU DO GARANČNÉHO FONDU"_s, kArial12b,
                          Qt::AlignHCenter));
    d.push_back(label(u"QRL_za"_s, {60, 18, 20, 5}, u"za mesiac"_s, kArial9));
    d.push_back(filledLabel(u"MESIAC"_s, {80, 18, 34, 5}, kArial9b));
    d.push_back(filledLabel(u"V_ROK"_s, {114, 18, 16, 5}, kArial9b));
    // The labour office and the employer.
    d.push_back(rpt::rectangle(u"QRS_oup"_s, {0, 25, kSirka, 24}));
    d.push_back(label(u"QRL_oup"_s, {2, 26, 60, 4}, u"Okresný úrad práce"_s, kArial8b));
    d.push_back(filledLabel(u"OUP_NAZOV"_s, {2, 31, 120, 4.5}, kArial9));
    d.push_back(filledLabel(u"OUP_ULICA"_s, {2, 36, 120, 4.5}, kArial9));
    d.push_back(filledLabel(u"CALC_OUP_PSCMESTO"_s, {2, 41, 120, 4.5}, kArial9));
    d.push_back(label(u"QRL_ucet_oup"_s, {124, 26, 64, 8}, u"Účet, na ktorý odvádzateľ odvádza príspevky"_s, kArial7));
    d.push_back(filledLabel(u"FZ_UCET"_s, {124, 36, 64, 4.5}, kArial9));
    d.push_back(rpt::rectangle(u"QRS_firma"_s, {0, 51, kSirka, 42}));
    d.push_back(label(u"QRL_firma"_s, {2, 52, 120, 4}, u"Odvádzateľ príspevkov (zamestnávateľ)"_s, kArial8b));
    d.push_back(label(u"QRL_ico"_s, {2, 57, 20, 4}, u"IČO"_s, kArial8));
    d.push_back(filledLabel(u"ICO"_s, {24, 57, 40, 4.5}, kArial9));
    d.push_back(label(u"QRL_nazov"_s, {2, 63, 40, 4}, u"Názov a adresa"_s, kArial8));
    d.push_back(filledLabel(u"CALC_NAZOVADRESA"_s, {44, 63, 144, 4.5}, kArial9));
    d.push_back(label(u"QRL_vs"_s, {2, 70, 50, 4}, u"Číslo variabilného symbolu *"_s, kArial8));
    boxFields(d, u"VS"_s, 12, 56, 69, 6);
    d.push_back(label(u"QRL_ucet"_s, {2, 77, 52, 4}, u"Číslo účtu v peňažnom ústave"_s, kArial8));
    d.push_back(filledLabel(u"CALC_CISLOUCTU"_s, {56, 77, 90, 4.5}, kArial9));
    d.push_back(label(u"QRL_okec"_s, {2, 83, 20, 4}, u"OKEČ**"_s, kArial8));
    d.push_back(filledLabel(u"OKEC"_s, {24, 83, 30, 4.5}, kArial9));
    d.push_back(label(u"QRL_den"_s, {60, 83, 70, 4}, sGarancnym ? u"Deň splatnosti príspevkov"_s
                                                          : u"Deň splatnosti príspevku na poistenie v nezamestnanosti"_s,
                      kArial8));
    d.push_back(filledLabel(u"FZ_DEN"_s, {134, 83, 20, 4.5}, kArial9));

    double y = 97;
    if (sGarancnym) {
        d.push_back(label(u"QRL_oddiel"_s, {0, y, 40, 5}, u"I. ODDIEL"_s, kArial9b));
        y += 6;
        Riadok(d, u"CALC_POCET"_s, y, u"1. POČET PLATITEĽOV PRÍSPEVKU NA POISTENIE V NEZAMESTNANOSTI   ***"_s, u"osôb"_s);
        Riadok(d, u"CALC_POCET_ZPS"_s, y += 7, u"z toho - 1.1. občanov so ZPS ****"_s);
        Riadok(d, u"CALC_POCET_ZTP"_s, y += 7, u"           - 1.2. občanov so ZPS s ŤZP *****"_s);
        Riadok(d, u"N_ZAKLAD_FZ"_s, y += 7, u"2. ÚHRN VYMERIAVACÍCH ZÁKLADOV (zamestnancov)"_s, u"Sk"_s);
        Riadok(d, u"CALC_OZ_FONDZAM"_s, y += 7, u"3. PRÍSPEVOK NA POISTENIE V NEZAMESTNANOSTI - 3.1. platený zamestnávateľom"_s, u"Sk"_s);
        Riadok(d, u"CALC_OZ_FONDZAM1"_s, y += 7, u"3.2. platený zamestnávateľom"_s, u"Sk"_s);
        Riadok(d, u"O_FONDZAM"_s, y += 7, u"3.3. platený zamestnancom"_s, u"Sk"_s);
        Riadok(d, u"CALC_ODVOD_FZ"_s, y += 7, u"4. ÚHRN (3.1. + 3.2. + 3.3.)"_s, u"Sk"_s, true);
        Riadok(d, u"CALC_OZ_GARFOND"_s, y += 7, u"5. PRÍSPEVOK DO GARANČNÉHO FONDU - 5.1. platený zamestnávateľom"_s, u"Sk"_s);
        Riadok(d, u"CALC_OZ_GARFOND1"_s, y += 7, u"5.2. platený zamestnávateľom"_s, u"Sk"_s);
        Riadok(d, u"CALC_ODVOD_SPOLU"_s, y += 7, u"6. UHRADENÉ PRÍSPEVKY SPOLU (4. + 5.1. + 5.2. )"_s, u"Sk"_s, true);
    } else {
        Riadok(d, u"CALC_POCET"_s, y, u"POČET PLATITEĽOV PRÍSPEVKU (zamestnancov),"_s);
        Riadok(d, u"CALC_POCET_ZPS"_s, y += 7, u"- občanov so ZPS"_s);
        Riadok(d, u"CALC_POCET_ZTP"_s, y += 7, u"- občanov so ZPS s ŤZP"_s);
        Riadok(d, u"N_ZAKLAD_FZ"_s, y += 7, u"ÚHRN VYMERIAVACÍCH ZÁKLADOV (zamestnancov)"_s, u"Sk"_s);
        Riadok(d, u"CALC_OZ_FONDZAM"_s, y += 7, u"PRÍSPEVOK NA POISTENIE  V NEZAMESTNANOSTI - platený zamestnávateľom"_s, u"Sk"_s);
        Riadok(d, u"CALC_OZ_FONDZAM1"_s, y += 7, u"platený zamestnávateľom"_s, u"Sk"_s);
        Riadok(d, u"O_FONDZAM"_s, y += 7, u"platený zamestnancom"_s, u"Sk"_s);
        Riadok(d, u"CALC_O_SPOLU"_s, y += 7, u"UHRADENÝ PRÍSPEVOK SPOLU"_s, u"Sk"_s, true);
    }
    y += 12;
    d.push_back(label(u"QRL_predlozeny"_s, {0, y, 90, 4}, u"Predložený dňa:            (vyplní OÚP)"_s, kArial8));
    d.push_back(label(u"QRL_zostavil"_s, {100, y, 60, 4}, u"Výkaz zostavil  - Meno, podpis"_s, kArial8));
    d.push_back(filledLabel(u"QR_Vykaz_zostavil"_s, {100, y + 5, 90, 4.5}, kArial9));
    d.push_back(label(u"QRL_telefon"_s, {100, y + 11, 30, 4}, u"Telefónne číslo"_s, kArial8));
    d.push_back(filledLabel(u"QR_telefon"_s, {130, y + 11, 60, 4.5}, kArial9));
    d.push_back(label(u"QRL_peciatka"_s, {0, y + 20, kSirka, 4}, u"Odtlačok pečiatky a podpis oprávneného zástupcu"_s,
                      kArial8));
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = y + 26,
                                    .items = std::move(d)});
    return l;
}

} // namespace

TReportFZ::TReportFZ(bool sGarancnym) : m_sGarancnym(sGarancnym)
{
    Sirky_ramcekov = kRamceky_1_5;
    recap::prepareInformation(T0_);
    for (const char *f : {"CALC_NAZOVADRESA", "CALC_CISLOUCTU", "CALC_OUP_PSCMESTO"})
        T0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    T0_.onCalcFields = [this](db::DataSet &ds) { T0_CalcFields(ds); };
    S0_.setDataSet(&T0_);
    mainDataSource = &S0_;
    registerDataSource(u"T0_"_s, &S0_);
    rpt::buildReportForm(*this, layoutFZ(sGarancnym), social::socialBlocks(), checkFields({{&S0_, &T0_}}));
    social::markFilledLabels(*this);
    for (const char *meno : {"CALC_OZ_FONDZAM", "CALC_OZ_FONDZAM1", "O_FONDZAM", "CALC_OZ_GARFOND", "CALC_OZ_GARFOND1"})
        if (const auto *l = findAs<rpt::ReportLabel>(u"QRL_"_s + QString::fromLatin1(meno)))
            m_rateCaptions.insert(l->name, l->caption);
}

void TReportFZ::setRateCaptions()
{
    const QHash<QString, double> sadzby{
        {u"QRL_CALC_OZ_FONDZAM"_s, Sumy.employerRate},   {u"QRL_CALC_OZ_FONDZAM1"_s, Sumy.employerRate1},
        {u"QRL_O_FONDZAM"_s, Sumy.employeeRate},         {u"QRL_CALC_OZ_GARFOND"_s, Sumy.guaranteeRate},
        {u"QRL_CALC_OZ_GARFOND1"_s, Sumy.guaranteeRate1},
    };
    for (auto it = m_rateCaptions.cbegin(); it != m_rateCaptions.cend(); ++it)
        recap::setRecapBox(*this, it.key(), it.value() + u" ("_s + REXFZ1::rateText(sadzby.value(it.key())) + u')');
}

TReportFZ::~TReportFZ() = default;

namespace {

QString Pole(const db::DataSet &ds, const char *meno)
{
    return ds.fieldByName(QString::fromLatin1(meno)).asString().trimmed();
}

} // namespace

void TReportFZ::T0_CalcFields(db::DataSet &ds)
{
    ds.setValue(u"CALC_NAZOVADRESA"_s,
                (Pole(ds, "NAZOV") + u", "_s
                 + MyConsts::Text_adresy(Pole(ds, "ADR_ULICA"), Pole(ds, "ADR_CISLO"), Pole(ds, "ADR_PSC"),
                                         Pole(ds, "ADR_MESTO")))
                    .left(100));
    const QString predcislo = Pole(ds, "PREDCISLO_U");
    ds.setValue(u"CALC_CISLOUCTU"_s, ((predcislo.isEmpty() ? QString() : predcislo + u" - "_s) + Pole(ds, "CISLO_U")
                                      + u" / "_s + Pole(ds, "BANKA_U"))
                                         .left(100));
    ds.setValue(u"CALC_OUP_PSCMESTO"_s, (Pole(ds, "OUP_PSC") + u' ' + Pole(ds, "OUP_MESTO")).left(100));
}

void TReportFZ::Otvor_data()
{
    using namespace recap;
    setRecapBox(*this, u"QR_Vykaz_zostavil"_s, Param.Vykaz_zostavil);
    setRecapBox(*this, u"QR_telefon"_s, Param.Telefon);
    T0_.close();
    T0_.open();
    Sumy = REXFZ1::Sucty_vykazu(T0_.session(), Param.Obdobie, Param.Stredisko_od, Param.Stredisko_do, m_sGarancnym);
    setRateCaptions();
    const auto suma = [&](const QString &meno, double v) { setRecapBox(*this, meno, REXFZ1::sumLabel(v)); };
    setRecapBox(*this, u"MESIAC"_s, MyConsts::Nazov_mesiaca(Param.Obdobie % 100, true));
    setRecapBox(*this, u"V_ROK"_s, QString::number(Param.Obdobie / 100));
    setRecapBox(*this, u"CALC_POCET"_s, QString::number(Sumy.pocet));
    setRecapBox(*this, u"CALC_POCET_ZPS"_s, QString::number(Sumy.pocet_zps));
    setRecapBox(*this, u"CALC_POCET_ZTP"_s, QString::number(Sumy.pocet_ztp));
    suma(u"N_ZAKLAD_FZ"_s, Sumy.n_zaklad_fz);
    suma(u"CALC_OZ_FONDZAM"_s, Sumy.oz_fondzam);
    suma(u"CALC_OZ_FONDZAM1"_s, Sumy.oz_fondzam1);
    suma(u"O_FONDZAM"_s, Sumy.o_fondzam);
    suma(u"CALC_ODVOD_FZ"_s, Sumy.fzContribution());
    suma(u"CALC_OZ_GARFOND"_s, Sumy.oz_garfond);
    suma(u"CALC_OZ_GARFOND1"_s, Sumy.oz_garfond1);
    suma(u"CALC_ODVOD_SPOLU"_s, Sumy.totalContribution());
    suma(u"CALC_O_SPOLU"_s, Sumy.fzContribution());
    if (!T0_.isEmpty()) {
        for (const char *f : {"OUP_NAZOV", "OUP_ULICA", "CALC_OUP_PSCMESTO", "FZ_UCET", "ICO", "CALC_NAZOVADRESA",
                              "CALC_CISLOUCTU", "OKEC", "FZ_DEN"})
            setRecapBox(*this, QString::fromLatin1(f), Pole(T0_, f));
        fillBoxes(*this, u"VS"_s, 12, Pole(T0_, "FZ_VS"));
    }
}

void TReportFZ::Zatvor_data() { T0_.close(); }

bool TReportFZ::hasData() const { return T0_.isActive() && !T0_.isEmpty(); }

} // namespace tarix::reports
