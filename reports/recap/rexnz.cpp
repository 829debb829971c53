#include "reports/recap/rexnz.h"

#include "core/helpers/dialogs.h"
#include "core/helpers/parameters.h"
#include "core/helpers/periods.h"
#include "core/helpers/rounding.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/db/sql_result.h"
#include "platform/ui/user_interface.h"
#include "reports/health/rexzp.h"
#include "reports/health/zp2005vy.h"
#include "reports/lists/rekapitulacia_miezd.h"
#include "reports/recap/recap_blocks.h"
#include "reports/recap/rexfz1.h"
#include "reports/recap/rexpoi.h"
#include "reports/report_query.h"
#include "reports/social/rexsp.h"
#include "reports/social/rexsp1.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace REXNZ {

bool isAccountingSymbol(const QString &symbol)
{
    return !symbol.isEmpty() && QStringView(u"()*+[]").contains(symbol.at(0));
}

void RowList::add(const QString &text, const QString &symbol, int cislo, double suma)
{
    if (isAccountingSymbol(symbol) != m_lenUctovne)
        return;
    riadky.push_back({int(riadky.size()) + 1, text, suma, symbol, cislo, std::nullopt});
}

void RowList::addTwo(const QString &text, double suma1, double suma2)
{
    riadky.push_back({int(riadky.size()) + 1, text, suma1, {}, 0, suma2});
}

void taxBlock(RowList &z, double A, double N, double R, double B, double danMesiaca, double W,
                 bool zrazkaZaMinulyMesiac)
{
    const double X = A + N - R;
    // The bonus is set against the advances first, what is left against the withholding tax.
    const double K1 = X > 0 && B > 0 ? std::min(X, B) : 0.0;
    const double zvysok = B - K1;
    const double K2 = W > 0 && zvysok > 0 ? std::min(W, zvysok) : 0.0;
    if (zrazkaZaMinulyMesiac) {
        z.add(u"Daňový úrad - preddavky dane"_s, A);
        z.addTwo(u"Daňový úrad - 1.zrážková daň / 2.zrážková daň za minulý mesiac"_s, danMesiaca, W);
    } else {
        z.addTwo(u"Daňový úrad - 1.preddavky dane / 2.zrážková daň"_s, A, W);
    }
    z.addTwo(u"Daňový úrad - 1.nedoplatky dane z RZ / 2.preplatky dane z RZ"_s, N, R);
    z.add(u"Daňový úrad - celková suma vyplateného bonusu"_s, B);
    z.add(u"Daňový úrad - preddavky + RZ - bonusy"_s, u"E"_s, 0, X - K1);
    z.add(u"Daňový úrad - zrážky - bonusy"_s, u"F"_s, 0, W - K2);
    z.add(u"Daňový úrad - odvod dane spolu"_s, u"D"_s, 0, X - K1 + W - K2);
    if (B - X - W > 0)
        z.add(u"Daňový úrad - PREPLATOK !!!"_s, B - X - W);
}

std::vector<HealthInsurer> healthInsurers(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    const std::vector<HealthSums> vykazy = obdobie >= 200501 ? ZP2005VY::computeStatements(session, obdobie, sidOd, sidDo)
                                                         : RexZP::computeStatements(session, obdobie, sidOd, sidDo);
    std::vector<HealthInsurer> out;
    for (const HealthSums &v : vykazy) {
        const Suma_ZP &t = v.grandTotal();
        out.push_back({v.kzp, t.O_zdravot_a + t.O_zdravot_b, t.Oz_zdravot_a + t.Oz_zdravot_b});
    }
    return out;
}

SocialFund computeSocialFund(db::Session &session, double n_mzda)
{
    const db::SqlResult s =
        session.run(u"select zaokruh7, zaokruh7sm, zaokruh8, zaokruh8sm from \":tarix_comm:setup\""_s);
    const db::SqlResult inf = session.run(u"select f_socfond from \":tarix_data:inf\""_s);
    const auto c = [&](int i) { return s.rowCount() ? int(s.asInteger(0, i)) : 0; };
    SocialFund f;
    f.zaklad = MyConsts::Zaokruhli_sumu(c(0), c(1), n_mzda);
    const double sadzba = inf.rowCount() ? inf.asFloat(0, 0) : 0.0;
    f.odvod = MyConsts::Zaokruhli_sumu(c(2), c(3), 0.01 * sadzba * f.zaklad);
    return f;
}

std::vector<DdpFund> ddpFunds(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    const db::SqlResult r = session.run(
        u"select kdp, sum(n_ddp) as n_ddp, sum(nz_ddp) as nz_ddp from vyp where v_obdobie= :p1 and sid between :p2 "
        "and :p3 and (n_ddp>0 or nz_ddp>0) group by kdp order by kdp"_s,
        {{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}}, core::kAliasData);
    std::vector<DdpFund> fondy;
    for (int i = 0; i < r.rowCount(); ++i)
        fondy.push_back({int(r.asInteger(i, 0)), r.asFloat(i, 1), r.asFloat(i, 2)});
    return fondy;
}

QString titleHeading(int obdobie)
{
    return u"REKAPITULÁCIA NÁKLADOV ZA "_s + MyConsts::Nazov_mesiaca(obdobie % 100, true) + u' '
           + QString::number(obdobie / 100);
}

namespace {

// Running totals of the insurance lines.
struct Priebezne {
    double zam = 0;   // employees' parts (health insurers; before 2004 the employment fund too)
    double firma = 0; // employer's parts
    double spZam = 0; // the social insurer's employees' total
    double spFirma = 0;
};

void socialInsurer(RowList &z, db::Session &session, const TMyReportParam &p, Priebezne &t)
{
    if (p.Obdobie >= 200401) {
        using namespace REXSP1;
        const Suma_SP1 s = Sucty_vykazu(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do)[0];
        z.addTwo(u"NP (nemocenské poistenie)    - 1.zamestnanci/2.zamestnávateľ"_s, s[O_NEMOC], s[Z_NEMOC]);
        z.addTwo(u"SP (starobné poistenie)      - 1.zamestnanci/2.zamestnávateľ"_s, s[O_DOCHOD], s[Z_DOCHOD]);
        z.addTwo(u"IP (invalidné poistenie)     - 1.zamestnanci/2.zamestnávateľ"_s, s[O_INVALID], s[Z_INVALID]);
        z.addTwo(u"PvN(poist. v nezamestnanosti)- 1.zamestnanci/2.zamestnávateľ"_s, s[O_FONDZAM], s[Z_FONDZAM]);
        z.addTwo(u"1.UP (úrazové poistenie) / 2.GP (garančné poistenie)"_s, s[Z_URAZ], s[Z_GARANCNE]);
        z.add(u"PdRF(poistenie do rezervného fondu"_s, s[Z_REZERVA]);
        z.add(u"PdRF(poistenie do rezervného fondu"_s, u"+"_s, 42, s[Z_REZERVA]);
        const QString plus = u"+"_s;
        z.add(u"NP (nemocenské poistenie)    - zam."_s, plus, 30, s[O_NEMOC]);
        z.add(u"SP (starobné poistenie)      - zam."_s, plus, 31, s[O_DOCHOD]);
        z.add(u"IP (invalidné poistenie)     - zam."_s, plus, 32, s[O_INVALID]);
        z.add(u"PvN(poist. v nezamestnanosti)- zam."_s, plus, 33, s[O_FONDZAM]);
        z.add(u"NP (nemocenské poistenie)    - firma"_s, plus, 36, s[Z_NEMOC]);
        z.add(u"SP (starobné poistenie)      - firma"_s, plus, 37, s[Z_DOCHOD]);
        z.add(u"IP (invalidné poistenie)     - firma"_s, plus, 38, s[Z_INVALID]);
        z.add(u"PvN(poist. v nezamestnanosti)- firma"_s, plus, 39, s[Z_FONDZAM]);
        z.add(u"UP (úrazové poistenie)"_s, plus, 40, s[Z_URAZ]);
        z.add(u"GP (garančné poistenie)"_s, plus, 41, s[Z_GARANCNE]);
        t.spZam = s[O_NEMOC] + s[O_DOCHOD] + s[O_INVALID] + s[O_FONDZAM];
        t.spFirma = s[Z_NEMOC] + s[Z_DOCHOD] + s[Z_INVALID] + s[Z_FONDZAM] + s[Z_URAZ] + s[Z_GARANCNE] + s[Z_REZERVA];
        z.addTwo(u"Poistné do soc.poisťovne - 1.zamestnanci/2.zamestnávateľ"_s, t.spZam, t.spFirma);
        z.add(u"Poistné do soc.poisťovne - spolu"_s, t.spZam + t.spFirma);
    } else {
        const REXSP::Suma_SP s = REXSP::Sucty_vykazu(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do).riadky[0];
        z.add(u"Odvod nemoc.poistenia - zamestnanci"_s, s.O_nemoc);
        z.add(u"Odvod nemoc.poistenia - zamestnávateľ"_s, s.Nemoc_a + s.Nemoc_b);
        z.add(u"Odvod dôchod.poistenia - zamestnanci"_s, s.O_dochod);
        z.add(u"Odvod dôchod.poistenia - zamestnávateľ"_s, s.Dochod_c + s.Dochod_d);
        t.spZam = s.O_nemoc + s.O_dochod;
        t.spFirma = s.Nemoc_a + s.Nemoc_b + s.Dochod_c + s.Dochod_d;
        z.add(u"Odvod poistného do soc.poisťovne - zamestnanci"_s, t.spZam);
        z.add(u"Odvod poistného do soc.poisťovne - zamestnávateľ"_s, t.spFirma);
        z.add(u"Odvod poistného do soc.poisťovne - spolu"_s, t.spZam + t.spFirma);
    }
}

} // namespace

void laborOfficeBefore2004(RowList &z, db::Session &session, const TMyReportParam &p, double &zam,
                          double &firma)
{
    const bool sGarancnym = p.Obdobie >= 200005;
    const REXFZ1::Sumy f = REXFZ1::Sucty_vykazu(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do, sGarancnym);
    z.add(u"Odvod na úrad práce do fondu zam. - zamestnanci"_s, f.o_fondzam);
    z.add(u"Odvod na úrad práce do fondu zam. - zamestnávateľ"_s, f.employerPart());
    const double garancny = f.oz_garfond + f.oz_garfond1;
    if (sGarancnym) {
        z.add(u"Odvod na úrad práce do fondu zam. - spolu"_s, f.fzContribution());
        z.add(u"Odvod na úrad práce do garančného fondu"_s, garancny);
        z.add(u"Odvod na úrad práce spolu"_s, u"U"_s, 0, f.totalContribution());
    } else {
        z.add(u"Odvod na úrad práce do fondu zam. - spolu"_s, u"U"_s, 0, f.fzContribution());
    }
    zam += f.o_fondzam;
    firma += f.employerPart() + garancny;
}

std::vector<Riadok> Vypocet_rekapitulacie(db::Session &session, const TMyReportParam &p, bool zapis)
{
    ui::ProgressScope priebeh;
    const int P = p.Obdobie, od = p.Stredisko_od, po = p.Stredisko_do;
    RowList z(p.Kod_zostavy == u"PU");
    Priebezne t;
    MyConsts::Zobraz_priebeh(0);

    // 1. Health insurers.
    for (const HealthInsurer &zp : healthInsurers(session, P, od, po)) {
        const QString k = QString::number(zp.kzp);
        z.addTwo(u"Poistné do zdrav.poisťovne č."_s + k + u" - 1.zamestnanci/2.zamestnávateľ"_s, zp.zam, zp.firma);
        z.add(u"Poistné do zdrav.poisťovne č."_s + k + u" - spolu"_s, u"Z"_s, zp.kzp, zp.zam + zp.firma);
        z.add(u"Poistné do ZP č."_s + k + u" - zam."_s, u"["_s, zp.kzp, zp.zam);
        z.add(u"Poistné do ZP č."_s + k + u" - firma."_s, u"]"_s, zp.kzp, zp.firma);
        t.zam += zp.zam;
        t.firma += zp.firma;
    }
    z.addTwo(u"Poistné do zdrav.poisťovní - 1.zamestnanci/2.zamestnávateľ"_s, t.zam, t.firma);
    z.add(u"Poistné do zdrav.poisťovní - spolu"_s, t.zam + t.firma);
    MyConsts::Zobraz_priebeh(25);

    // 2. The social insurer.
    socialInsurer(z, session, p, t);
    MyConsts::Zobraz_priebeh(50);

    // 3. The labour office; from 2004 the running totals hold the health insurers' parts.
    if (P < 200401)
        laborOfficeBefore2004(z, session, p, t.zam, t.firma);
    z.add(u"Poistné - zamestnanci"_s, t.zam);
    z.add(u"Poistné - zamestnávateľ"_s, t.firma);
    z.add(u"Poistné - spolu"_s, t.zam + t.firma);
    MyConsts::Zobraz_priebeh(65);

    // 4. The tax office, the payout and the wage components.
    {
        const db::SqlResult q1 = wage_recap::monthSums(session, P, od, po);
        const auto v = [&](const char *pole) {
            const int c = q1.columnIndex(QString::fromLatin1(pole));
            return q1.rowCount() && c >= 0 ? q1.asFloat(0, c) : 0.0;
        };
        const double A = v("d_preddavok");
        const double N = v("d_nedoplatok");
        const double R = v("d_preplatok");
        const double B = v("d_bonus_cerpany");
        const bool minulyMesiac = MyConsts::Parametre(32).Hodnota != 0;
        const double W = minulyMesiac ? wage_recap::lastMonthWithholdingTax(session, P, od, po) : v("d_dan");
        taxBlock(z, A, N, R, B, v("d_dan"), W, minulyMesiac);

        z.add(u"Výplata - zálohy"_s, v("vy_zaloha"));
        z.addTwo(u"Výplata - 1.v hotovosti/2.bezhotovostne"_s, v("vy_hot"), v("vy_spor"));
        z.add(u"Výplata - zrážky"_s, v("vy_zraz"));
        z.add(u"Výplata - spolu"_s, v("vy_zaloha") + v("vy_hot") + v("vy_spor") + v("vy_zraz"));
        const double sp = t.spZam + t.spFirma;
        z.addTwo(u"Sociálna poisťovňa 1.Poistné/2.Dávky NP"_s, sp, v("nd_spolu"));
        z.add(u"Sociálna poisťovňa - výsledná suma odvodu"_s, u"S"_s, 0, sp - v("nd_spolu"));
        z.add(u"Hrubý príjem"_s, v("n_brutto"));
        z.add(u"Hrubý príjem - zdanený osob.sadzbou dane"_s, v("n_brutto_dohody"));
        const QString plus = u"+"_s;
        z.add(u"Daňový úrad - preddavky"_s, plus, 17, A);
        z.add(u"Daňový úrad - zrážky"_s, u"*"_s, 1750, W);
        z.add(u"Daňový úrad - nedoplatky z ročného zúčt."_s, plus, 20, N);
        z.add(u"Daňový úrad - preplatky z ročného zúčt."_s, plus, 21, R);
        const SocialFund f = computeSocialFund(session, v("n_mzda"));
        z.add(u"Základ pre výpočet odvodu do sociálneho fondu"_s, f.zaklad);
        z.add(u"Odvod do sociálneho fondu"_s, u"X"_s, 0, f.odvod);
        z.add(u"Odvod do sociálneho fondu"_s, plus, 44, f.odvod);
        const struct {
            const char16_t *text;
            int cislo;
            const char *pole;
        } mzdy[] = {{u"Základné mzdy", 1, "v_plat"},           {u"Mzdové príplatky", 2, "n_priplat"},
                    {u"Prémie", 3, "n_premie"},                {u"Odmeny", 4, "n_odmeny"},
                    {u"Náhrady sviatok", 5, "n_sviatok"},      {u"Náhrady dovolenka", 6, "n_holiday"},
                    {u"Náhrady neprítomnosť", 7, "n_nahrada"}, {u"Náhrady za neprac. 60%", 8, "n_nemohol"},
                    {u"Náhrady za PN", 9, "n_nahrada_pn"},     {u"Náhrady za pohotovosť", 10, "n_pohotovost"},
                    {u"Odmeny z DoVP", 13, "n_dohody_ovp"},    {u"Odstupné zákonné", 14, "n_odstupne"},
                    {u"Príspevky zo SF", 15, "n_socfond"},     {u"Príjmy mimo poistného", 16, "n_mimo_poistne"}};
        for (const auto &m : mzdy)
            z.add(QString::fromUtf16(m.text), plus, m.cislo, v(m.pole));
        const double zp = v("vyrovnanie_zp");
        if (zp > 0)
            z.addTwo(u"Ročné zúčtovanie zdrav. poistenia 1.Preplatok/2.Nedoplatok"_s, zp, 0);
        else
            z.addTwo(u"Ročné zúčtovanie zdrav. poistenia 1.Preplatok/2.Nedoplatok"_s, 0, zp);
        const struct {
            const char16_t *text;
            int cislo;
            const char *pole;
        } zrazky[] = {{u"Zálohy na mzdu", 23, "ne_zaloha"}, {u"Pôžičky", 24, "ne_pozicky"},
                      {u"Odbory", 25, "ne_odborar"},        {u"Poistenie", 26, "ne_poistovna"},
                      {u"Ost.zrážky", 27, "ne_exekucia"},   {u"Stravné", 28, "ne_stravne"},
                      {u"Daňový bonus", 22, "d_bonus_cerpany"}};
        for (const auto &m : zrazky)
            z.add(QString::fromUtf16(m.text), plus, m.cislo, v(m.pole));
    }
    MyConsts::Zobraz_priebeh(75);

    // 5. The liability insurance, in the last month of a quarter before 2004.
    if (P < 200401 && REXPOI::quarterEnd(P))
        z.add(u"Zákonné poistenie zodpovednosti organiz. za škodu"_s, u"P"_s, 0,
                 REXPOI::computeFigures(session, P).poistne);
    MyConsts::Zobraz_priebeh(85);

    // 6. The supplementary pension funds.
    for (const DdpFund &f : ddpFunds(session, P, od, po)) {
        const QString k = u"DDP č."_s + QString::number(f.kdp);
        z.addTwo(k + u" - 1.zamestnanci/2.zamestnávateľ"_s, f.n_ddp, f.nz_ddp);
        z.add(k + u" - spolu"_s, u"Y"_s, f.kdp, f.n_ddp + f.nz_ddp);
        z.add(k + u" - zam."_s, u"("_s, f.kdp, f.n_ddp);
        z.add(k + u" - firma"_s, u")"_s, f.kdp, f.nz_ddp);
    }

    if (zapis)
        writeCost(session, z.riadky);
    MyConsts::Zobraz_priebeh(100);
    return std::move(z.riadky);
}

void writeCost(db::Session &session, const std::vector<Riadok> &riadky)
{
    db::Transaction tr(&session);
    session.execute(u"delete from \":tarix_priv:nakl\""_s);
    for (const Riadok &r : riadky)
        session.execute(u"insert into \":tarix_priv:nakl\" (riadok, text, suma, ident_symbol, ident_cislo, suma1) "
                        "values (:p1, :p2, :p3, :p4, :p5, :p6)"_s,
                        {{"p1", r.riadok},
                         {"p2", r.text},
                         {"p3", r.suma},
                         {"p4", r.symbol},
                         {"p5", r.cislo},
                         {"p6", r.suma1 ? QVariant(*r.suma1) : QVariant()}});
    tr.commit();
}

} // namespace REXNZ

} // namespace tarix::reports

namespace tarix::reports {

namespace REXNZ {

rpt::LayoutDesc layoutNZ(const QString &meno, bool dveSumy)
{
    using namespace recap;
    using rpt::label;
    rpt::LayoutDesc l;
    l.name = meno;
    l.title = u"Rekapitulácia nákladov"_s;
    std::vector<rpt::LayoutItem> h{
        label(u"QRL_vykaz"_s, {0, 0, 20, 5}, u"VÝKAZ:"_s, kArial9b),
        filledLabel(u"QRL_Nadpis"_s, {22, 0, 168, 5}, kArial9b),
        label(u"QRL_firma"_s, {0, 6, 20, 5}, u"FIRMA:"_s, kArial9b),
        rpt::dbText(u"QRDB_CALC_FIRMA"_s, {22, 6, 168, 5}, u"CALC_FIRMA"_s, kArial9, Qt::AlignLeft),
        rpt::horizontalLine(u"QRS_ciara"_s, {0, 12.5, kSirka, 1}),
    };
    std::vector<rpt::LayoutItem> d{
        rpt::dbText(u"QRDB_TEXT"_s, {0, 0.5, 112, 4.5}, u"TEXT"_s, kArial9, Qt::AlignLeft),
        rpt::dbText(u"QRDB_SUMA"_s, {114, 0.5, 36, 4.5}, u"SUMA"_s, kArial9, Qt::AlignRight),
    };
    std::get<rpt::ControlDesc>(d[1]).mask = u"### ### ### ##0.00"_s;
    if (dveSumy) {
        rpt::ControlDesc s1 = rpt::dbText(u"QRDB_SUMA1"_s, {152, 0.5, 38, 4.5}, u"SUMA1"_s, kArial9, Qt::AlignRight);
        // A zero second amount prints empty, a negative one without its sign.
        s1.mask = u"###,###,##0.00;###,###,##0.00;"_s;
        d.push_back(s1);
    }
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 14,
                                    .items = std::move(h)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = 5.5,
                                    .items = std::move(d)});
    return l;
}

} // namespace REXNZ

TReportNZ::TReportNZ() : TReportNZ(REXNZ::layoutNZ(u"TReportNZ"_s, true)) {}

TReportNZ::TReportNZ(const rpt::LayoutDesc &layout)
{
    prepareQuery(T0_, u"T0_"_s, core::kAliasPriv, u"select * from nakl order by riadok"_s);
    T0_.addCalculatedField(u"CALC_FIRMA"_s, db::FieldType::String, 100);
    T0_.onCalcFields = [this](db::DataSet &ds) { ds.setValue(u"CALC_FIRMA"_s, Param.Text_firmy); };
    S0_.setDataSet(&T0_);
    mainDataSource = &S0_;
    registerDataSource(u"T0_"_s, &S0_);
    rpt::buildReportForm(*this, layout, social::socialBlocks(), checkFields({{&S0_, &T0_}}));
    social::markFilledLabels(*this);
}

TReportNZ::~TReportNZ() = default;

void TReportNZ::computeFigures() { REXNZ::Vypocet_rekapitulacie(T0_.session(), Param, true); }

void TReportNZ::Otvor_data()
{
    recap::setRecapBox(*this, u"QRL_Nadpis"_s, REXNZ::titleHeading(Param.Obdobie));
    computeFigures();
    T0_.close();
    T0_.open();
}

void TReportNZ::Zatvor_data() { T0_.close(); }

} // namespace tarix::reports
