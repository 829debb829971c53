#include "reports/recap/rexpoi.h"

#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/helpers/rounding.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/format/number_format.h"
#include "reports/recap/recap_blocks.h"
#include "reports/recap/rexpoi2.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace REXPOI {

bool quarterEnd(int obdobie)
{
    const int m = obdobie % 100;
    return m == 3 || m == 6 || m == 9 || m == 12;
}

int quarterFirstMonth(int obdobie)
{
    const int m = obdobie % 100;
    return (obdobie / 100) * 100 + ((m - 1) / 3) * 3 + 1;
}

double Poistne(double brutto, double promile, double minimum)
{
    const double p = MyConsts::Zaokruhli_sumu(0, MyConsts::Nadol, brutto * promile * 0.001);
    return p < minimum ? minimum : p;
}

PoiData computeFigures(db::Session &session, int obdobie, bool novy)
{
    // The older form counts the health-insured and sums the listed wage parts of the
    // sickness-insured; the newer one every employee and the gross less both agreements.
    // A blank part counts as 0 rather than dropping the employee's whole wage from the sum.
    const QString sql = novy
        ? u"select (select count(distinct code_emp) from vyp where v_obdobie between :p1 and :p2) pocet, "
          "(select sum(ifnull(n_brutto, 0)-ifnull(n_dohody_ovp, 0)-ifnull(n_dohody_opc, 0)) from vyp where v_obdobie "
          "between :p1 and :p2) n_brutto, "
          "inf.f_poistne from inf"_s
        : u"select (select count(distinct code_emp) from vyp where v_obdobie between :p1 and :p2 and u_zdrav>0) pocet, "
          "(select sum(ifnull(V_PLAT, 0) + ifnull(N_premie, 0) + ifnull(N_odmeny, 0) + ifnull(N_priplat, 0) + "
          "ifnull(N_Nahrada, 0) + ifnull(N_HOLIDAY, 0) + ifnull(N_SVIATOK, 0) + ifnull(N_Jednoraz1, 0) + "
          "ifnull(N_Jednoraz2, 0)) from vyp where v_obdobie between :p1 and :p2 and u_nemoc>0) n_brutto, "
          "inf.f_poistne from inf"_s;
    const int od = quarterFirstMonth(obdobie);
    const db::SqlResult r = session.run(sql, {{"p1", od}, {"p2", od + 2}}, core::kAliasData);
    PoiData u;
    if (r.rowCount() > 0) {
        u.pocet = int(r.asInteger(0, 0));
        u.n_brutto = r.asFloat(0, 1);
        u.f_poistne = r.asFloat(0, 2);
    }
    u.poistne = Poistne(u.n_brutto, u.f_poistne, MyConsts::Parametre(18).Hodnota);
    return u;
}

PoiData computeFigures(db::Session &session, int obdobie) { return computeFigures(session, obdobie, obdobie >= 200201); }

} // namespace REXPOI

namespace {

using namespace recap;
using rpt::label;

rpt::LayoutDesc layoutPOI()
{
    rpt::LayoutDesc l;
    l.name = u"TReportPOI"_s;
    l.title = u"Výkaz zákonného poistenia zodpovednosti organizácie za škodu"_s;
    l.previewZoom = 80;
    std::vector<rpt::LayoutItem> d{
        label(u"QRL_poistovna"_s, {0, 0, kSirka, 5}, u"SLOVENSKÁ POISŤOVŇA, a.s."_s, kArial9b),
        label(u"QRL_nadpis"_s, {0, 8, kSirka, 6}, u"V Ý K A Z"_s, kArial12b, Qt::AlignHCenter),
        label(u"QRL_nadpis2"_s, {0, 15, kSirka, 5}, u"zákonného poistenia zodpovednosti organizácie za škodu v zmysle"_s,
              kArial9, Qt::AlignHCenter),
        label(u"QRL_nadpis3"_s, {0, 20, kSirka, 5},
              u"§ 205 d) Zákonníka práce, vyhlášky Ministerstva financií SR č. 280 / 1993 Z. z."_s, kArial9,
              Qt::AlignHCenter),
        label(u"QRL_stvrtrok"_s, {30, 28, 130, 5},
              u"Kalendárny štvrťrok .........................   rok ..................."_s, kArial9),
        filledLabel(u"QRLab_stvrtrok"_s, {70, 27.5, 16, 5}, kArial9b, Qt::AlignHCenter),
        filledLabel(u"QRLab_rok"_s, {105, 27.5, 22, 5}, kArial9b, Qt::AlignHCenter),
    };
    double y = 37;
    Riadok(d, u"nazov"_s, y, u"Poistený"_s);
    Riadok(d, u"CALC_ULICA"_s, y += 7, u"Adresa: ulica"_s);
    Riadok(d, u"adr_mesto"_s, y += 7, u"mesto"_s);
    Riadok(d, u"adr_psc"_s, y += 7, u"PSČ"_s);
    Riadok(d, u"ico"_s, y += 7, u"Identifikačné číslo"_s);
    Riadok(d, u"okec"_s, y += 7, u"Druh činnosti (OKEČ - kód)"_s);
    Riadok(d, u"CALC_CISLO_U"_s, y += 7, u"Číslo účtu poisteného"_s);
    y += 11;
    Riadok(d, u"pocet"_s, y, u"1. Počet pracovníkov"_s);
    Riadok(d, u"n_brutto"_s, y += 7, u"2. Hrubé mzdy a odmeny zúčtované všetkým pracovníkom podľa údajov účtovníctva"_s,
           u"Sk"_s);
    Riadok(d, u"f_poistne"_s, y += 7, u"3. Sadzba poistného podľa druhu činnosti v promile"_s, u"‰"_s);
    Riadok(d, u"CALC_POISTNE"_s, y += 7, u"4. Poistné  (bod 2 x bod 3) / 1000"_s, u"Sk"_s, true);
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = y + 12,
                                    .items = std::move(d)});
    return l;
}

QString Pole(const db::DataSet &ds, const char *meno)
{
    return ds.fieldByName(QString::fromLatin1(meno)).asString().trimmed();
}

} // namespace

TReportInsurance::TReportInsurance(bool novy) : m_novy(novy)
{
    Sirky_ramcekov = kRamceky_1_5;
    recap::prepareInformation(T0_);
    S0_.setDataSet(&T0_);
    mainDataSource = &S0_;
    registerDataSource(u"T0_"_s, &S0_);
    rpt::buildReportForm(*this, novy ? REXPOI2::layoutPOI2() : layoutPOI(), social::socialBlocks(),
                         checkFields({{&S0_, &T0_}}));
    social::markFilledLabels(*this);
}

TReportInsurance::~TReportInsurance() = default;

void TReportInsurance::Zobraz_zostavu()
{
    if (!REXPOI::quarterEnd(Param.Obdobie)) {
        MyConsts::Sprava_chyba(Msg(65107));
        return;
    }
    TReport::Zobraz_zostavu();
}

void TReportInsurance::Otvor_data()
{
    T0_.close();
    T0_.open();
    PoiData = REXPOI::computeFigures(T0_.session(), Param.Obdobie, m_novy);
    const int q = (Param.Obdobie % 100 - 1) / 3 + 1;
    recap::setRecapBox(*this, u"QRLab_stvrtrok"_s, QString::number(q));
    fillForm();
}

void TReportInsurance::Zatvor_data() { T0_.close(); }

TReportPOI::TReportPOI() : TReportInsurance(false) {}

void TReportPOI::fillForm()
{
    using recap::setRecapBox;
    setRecapBox(*this, u"QRLab_rok"_s, QString::number(Param.Obdobie / 100));
    if (!T0_.isEmpty()) {
        for (const char *f : {"nazov", "adr_mesto", "adr_psc", "ico", "okec"})
            setRecapBox(*this, QString::fromLatin1(f), Pole(T0_, f));
        const QString ulica = Pole(T0_, "adr_ulica"), cislo = Pole(T0_, "adr_cislo");
        setRecapBox(*this, u"CALC_ULICA"_s, cislo.isEmpty() ? ulica : ulica + u' ' + cislo);
        const QString predcislo = Pole(T0_, "predcislo_u");
        setRecapBox(*this, u"CALC_CISLO_U"_s, (predcislo.isEmpty() ? QString() : predcislo + u" - "_s) + Pole(T0_, "cislo_u")
                                             + u" / "_s + Pole(T0_, "banka_u"));
    }
    setRecapBox(*this, u"pocet"_s, QString::number(PoiData.pocet));
    setRecapBox(*this, u"n_brutto"_s, fmt::formatFloat(u"### ### ##0.00", PoiData.n_brutto));
    setRecapBox(*this, u"f_poistne"_s, fmt::formatFloat(u"0.00", PoiData.f_poistne));
    setRecapBox(*this, u"CALC_POISTNE"_s, fmt::formatFloat(u"0", PoiData.poistne));
}

} // namespace tarix::reports
