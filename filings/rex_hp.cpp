#include "filings/rex_hp.h"

#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/number_format.h"
#include "reports/dispatcher.h"
#include "reports/filled_label.h"
#include "reports/recap/recap_blocks.h"
#include "reports/recap/rexnz.h"
#include "reports/report_query.h"

#include <cmath>

namespace tarix::filings {

using namespace Qt::StringLiterals;
using reports::recap::kArial12b;
using reports::recap::kArial8;
using reports::recap::kArial8b;
using reports::recap::kArial9;
using reports::recap::kArial9b;
using reports::recap::kSirka;
using rpt::BandDesc;
using rpt::BandKind;
using rpt::ControlDesc;
using rpt::dbText;
using rpt::label;

namespace REXHP {

int itemsPerPage()
{
    const double n = MyConsts::Parametre(17).Hodnota;
    if (!(n >= 1))
        throw EMyError(u"Parameter 17 (HP_POLOZIEK - počet položiek hromadného príkazu na jednu stranu) má "
                       u"hodnotu %1, musí byť aspoň 1."_s.arg(fmt::general(n)));
    return int(std::floor(n));
}

std::vector<int> pageList(int pocet, int naStranu)
{
    std::vector<int> out;
    out.reserve(size_t(std::max(pocet, 0)));
    int k = 0, p = 1;
    for (int i = 0; i < pocet; ++i) {
        if (++k > naStranu) {
            ++p;
            k = 1;
        }
        out.push_back(p);
    }
    return out;
}

QHash<int, double> markPages(db::Session &session, int hpid, int naStranu)
{
    db::Transaction tr(&session);
    const db::SqlResult r = session.run(
        u"select seqid, suma from \":tarix_data:hp2\" where hpid=:p1 order by seqid"_s, {{u"p1"_s, hpid}});
    const std::vector<int> strany = pageList(r.rowCount(), naStranu);
    QHash<int, double> sumy;
    for (int i = 0; i < r.rowCount(); ++i) {
        session.execute(u"update \":tarix_data:hp2\" set strana=:p1 where hpid=:p2 and seqid=:p3"_s,
                        {{u"p1"_s, strany[size_t(i)]}, {u"p2"_s, hpid}, {u"p3"_s, r.value(i, 0)}});
        sumy[strany[size_t(i)]] += r.asFloat(i, 1);
    }
    tr.commit();
    return sumy;
}

// The order's items print with this mask; their totals print as they do.
const QString kMaskaSumy = u"### ### ### ##0.00"_s;

QString sumLabel(double suma) { return fmt::formatFloat(kMaskaSumy, suma); }

void runHp1Report(const reports::TMyReportParam &p)
{
    if (p.Rezerva1 < 1) {
        MyConsts::Sprava_chyba(Msg(65127));
        return;
    }
    reports::Spusti_zostavu<TReportHP1>(p);
}

void runHp2Report(const reports::TMyReportParam &p)
{
    if (p.Rezerva1 < 1) {
        MyConsts::Sprava_chyba(Msg(65127));
        return;
    }
    reports::Spusti_zostavu<TReportHP2>(p);
}

void runHpReport(const reports::TMyReportParam &p, const Parametre_hp &volby)
{
    if (!volby.cast_a && !volby.cast_b && !volby.cast_c) {
        MyConsts::Sprava_chyba(Msg(65046));
        return;
    }
    reports::Spusti_zostavu(p, [volby] {
        auto r = std::make_unique<TReportHP>();
        r->Volby = volby;
        return std::unique_ptr<reports::TReport>(std::move(r));
    });
}

QString hpQueryText(const Parametre_hp &volby)
{
    // Every part lists its rows in its own order; the parts follow one another as chosen.
    // A levy is paid to the payee's account, as the stored order pays it (old_cislo_u holds
    // the employer's payer number at an insurer, no account).
    const QString a =
        u"select 1 cast_hp, x.riadok kluc, 0 kluc2, '3' poradie, x.suma sporenie, '      ' predcislo_u, "
        u"y.cislo_u, y.banka_u, y.ssym_u, y.ksym, y.vsym, '          ' title, "
        u"'                    ' name, '                    ' surname, y.spp, y.prijemca "
        u"from \":tarix_priv:nakl\" x,cis_bu y where x.ident_symbol=y.buid_typ and x.ident_cislo=y.buid_kod "
        u"and x.suma > 0 and y.cislo_u <> ''"_s;
    const QString b =
        u"select 2 cast_hp, z.code_numb kluc, v.code_emp kluc2, '1' poradie, v.sporenie, z.predcislo_u, z.cislo_u, "
        u"z.banka_u, z.ssym_u, i.ksym_u ksym, '          ' vsym, z.title, z.name, z.surname, "
        u"'                    ' spp, '                              ' prijemca from vyp v,zam z,inf i "
        u"where v.code_emp=z.code_emp and v.v_obdobie = :p1 and v.sid between :p2 and :p3 and v.sporenie > 0 "_s;
    // A deduction pays what the month's calculation deducted; a percentage row keeps its
    // rate in suma.
    const QString c =
        u"select 3 cast_hp, z.code_numb kluc, v.zrid kluc2, '2' poradie, v.vypocitana_suma sporenie, v.predcislo_u, "
        u"v.cislo_u, v.banka_u, v.ssym_u, v.ksym, v.vsym, z.title, z.name, z.surname, v.spp, v.prijemca "
        u"from zrv v,zam z where v.code_emp=z.code_emp and v.v_obdobie = :p1 and v.code_emp in "
        u"(select x.code_emp from vyp x where x.v_obdobie = :p1 and x.sid between :p2 and :p3) "
        u"and v.vypocitana_suma > 0 and v.cislo_u <> '' "_s;
    QStringList casti;
    if (volby.cast_a)
        casti << a;
    if (volby.cast_b)
        casti << b;
    if (volby.cast_c)
        casti << c;
    return casti.join(u"\nunion all\n"_s) + u"\norder by cast_hp, kluc, kluc2"_s;
}

} // namespace REXHP

namespace {

const rpt::FontSpec kArial10b{u"Arial"_s, 10, true};

ControlDesc orderDatum(const QString &meno, rpt::Box box, const QString &pole, const rpt::FontSpec &font = kArial9,
                 Qt::Alignment a = Qt::AlignLeft, const QString &maska = {})
{
    return dbText(meno, box, pole, font, a, maska);
}

using REXHP::kMaskaSumy;

// A heading over a column: a framed box with its caption.
void columnHeading(std::vector<rpt::LayoutItem> &items, const QString &meno, rpt::Box box, const QString &text,
                    Qt::Alignment a = Qt::AlignCenter)
{
    items.push_back(rpt::rectangle(u"QRS_"_s + meno, box));
    items.push_back(label(u"QRL_"_s + meno, {box.left + 0.5, box.top + 0.5, box.width - 1, box.height - 1}, text,
                          kArial8b, a));
}

// The group that starts a new page for every printed page of the order (STRANA).
BandDesc pageGroup()
{
    return BandDesc{.kind = BandKind::GroupHeader, .name = u"QRGroup1"_s, .height = 0, .forceNewPage = true,
                    .expression = u"STRANA"_s};
}

rpt::LayoutDesc layoutHP1()
{
    std::vector<rpt::LayoutItem> h{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 7}, u"Hromadný príkaz na úhradu"_s, kArial12b, Qt::AlignCenter),
        label(u"QRL_tarchu"_s, {0, 10, 45, 5}, u"Na ťarchu účtu číslo:"_s, kArial9b),
        orderDatum(u"QRDB_ucet"_s, {45, 10, 75, 5}, u"Q0_.CALC_CISLO_U"_s, kArial9b),
        label(u"QRL_celkom"_s, {0, 16, 45, 5}, u"Zúčtujte celkom:"_s, kArial9b),
        orderDatum(u"QRDB_celkom"_s, {45, 16, 40, 5}, u"CALC_SUMA_STRANY"_s, kArial9b),
        label(u"QRL_splatnost"_s, {0, 22, 45, 5}, u"Splatnosť dňa:"_s, kArial9b),
        orderDatum(u"QRDB_splatnost"_s, {45, 22, 40, 5}, u"Q0_.DATUM_SPLATNOSTI"_s, kArial9b),
        label(u"QRL_porcislo"_s, {130, 10, 35, 5}, u"Poradové číslo:"_s, kArial9),
        orderDatum(u"QRDB_porcislo"_s, {165, 10, 25, 5}, u"Q0_.POR_CISLO"_s, kArial9, Qt::AlignRight),
        rpt::sysData(u"QRSD_strana"_s, {130, 16, 60, 5}, rpt::SysDataKind::PageNumber, kArial9, u"Strana: "_s,
                     Qt::AlignRight),
    };
    columnHeading(h, u"por"_s, {0, 30, 14, 10}, u"Por.č."_s);
    columnHeading(h, u"ucet"_s, {14, 30, 66, 10}, u"v prospech účtu číslo:"_s);
    columnHeading(h, u"suma"_s, {80, 30, 32, 10}, u"suma"_s);
    columnHeading(h, u"symboly"_s, {112, 30, 78, 5}, u"Symboly platby"_s);
    columnHeading(h, u"vs"_s, {112, 35, 30, 5}, u"variabilný"_s);
    columnHeading(h, u"ks"_s, {142, 35, 16, 5}, u"k.s."_s);
    columnHeading(h, u"ss"_s, {158, 35, 32, 5}, u"špecifický"_s);

    std::vector<rpt::LayoutItem> d{
        rpt::sysData(u"QRSD_por"_s, {0.5, 0.5, 12, 4.5}, rpt::SysDataKind::DetailNumber, kArial9, {},
                     Qt::AlignRight),
        orderDatum(u"QRDB_CALC_CISLO_U"_s, {15, 0.5, 64, 4.5}, u"CALC_CISLO_U"_s),
        orderDatum(u"QRDB_SUMA"_s, {80.5, 0.5, 31, 4.5}, u"SUMA"_s, kArial9, Qt::AlignRight, kMaskaSumy),
        orderDatum(u"QRDB_VSYM"_s, {114, 0.5, 27, 4.5}, u"VSYM"_s),
        orderDatum(u"QRDB_KSYM"_s, {143, 0.5, 14, 4.5}, u"KSYM"_s),
        orderDatum(u"QRDB_SSYM"_s, {159, 0.5, 30, 4.5}, u"SSYM"_s),
        rpt::horizontalLine(u"QRS_riadok"_s, {0, 5.5, kSirka, 0.3}),
    };
    std::vector<rpt::LayoutItem> s{
        rpt::horizontalLine(u"QRS_podpis"_s, {120, 20, 70, 0.3}),
        label(u"QRL_podpis"_s, {120, 21, 70, 5}, u"pečiatka a podpis príkazcu"_s, kArial8, Qt::AlignCenter),
    };
    return rpt::LayoutDesc{
        .name = u"TReportHP1"_s,
        .title = u"Hromadný príkaz na úhradu"_s,
        .printIfEmpty = true,
        .bands = {BandDesc{.kind = BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 41,
                           .items = std::move(h)},
                  pageGroup(),
                  BandDesc{.kind = BandKind::Detail, .name = u"DetailBand1"_s, .height = 6, .items = std::move(d)},
                  BandDesc{.kind = BandKind::Summary, .name = u"SummaryBand1"_s, .height = 27,
                           .items = std::move(s)}},
    };
}

rpt::LayoutDesc layoutHP2()
{
    std::vector<rpt::LayoutItem> h{
        label(u"QRL_banke"_s, {0, 0, 95, 5}, u"Banke ............................................."_s, kArial9),
        label(u"QRL_pobocke"_s, {0, 6, 95, 5}, u"Pobočke ............................................."_s,
              kArial9),
        label(u"QRL_nadpis"_s, {0, 13, kSirka, 7}, u"HROMADNÝ PRÍKAZ NA ÚHRADU"_s, kArial12b, Qt::AlignCenter),
    };
    columnHeading(h, u"h_ucet"_s, {0, 22, 60, 5}, u"Číslo účtu platiteľa"_s);
    columnHeading(h, u"h_banka"_s, {60, 22, 22, 5}, u"Kód banky"_s);
    columnHeading(h, u"h_suma"_s, {82, 22, 40, 5}, u"Celková suma"_s);
    columnHeading(h, u"h_mena"_s, {122, 22, 18, 5}, u"Mena"_s);
    columnHeading(h, u"h_datum"_s, {140, 22, 50, 5}, u"Dátum splatnosti"_s);
    for (const auto &[meno, box] : std::vector<std::pair<QString, rpt::Box>>{{u"v_ucet"_s, {0, 27, 60, 6}},
                                                                            {u"v_banka"_s, {60, 27, 22, 6}},
                                                                            {u"v_suma"_s, {82, 27, 40, 6}},
                                                                            {u"v_mena"_s, {122, 27, 18, 6}},
                                                                            {u"v_datum"_s, {140, 27, 50, 6}}})
        h.push_back(rpt::rectangle(u"QRS_"_s + meno, box));
    h.push_back(orderDatum(u"QRDB_ucet"_s, {1, 28, 58, 4.5}, u"Q0_.CALC_CISLO_U"_s, kArial10b, Qt::AlignCenter));
    h.push_back(orderDatum(u"QRDB_banka"_s, {61, 28, 20, 4.5}, u"Q0_.BANKA_U"_s, kArial10b, Qt::AlignCenter));
    h.push_back(orderDatum(u"QRDB_celkom"_s, {83, 28, 38, 4.5}, u"CALC_SUMA_STRANY"_s, kArial10b, Qt::AlignRight));
    h.push_back(label(u"QRL_skk"_s, {123, 28, 16, 4.5}, u"SKK"_s, kArial10b, Qt::AlignCenter));
    h.push_back(orderDatum(u"QRDB_splatnost"_s, {141, 28, 48, 4.5}, u"Q0_.DATUM_SPLATNOSTI"_s, kArial10b,
                     Qt::AlignCenter));
    h.push_back(rpt::sysData(u"QRSD_strana"_s, {130, 34, 60, 4}, rpt::SysDataKind::PageNumber, kArial8,
                             u"Strana: "_s, Qt::AlignRight));
    columnHeading(h, u"c_ucet"_s, {0, 39, 60, 10}, u"Číslo účtu príjemcu"_s);
    columnHeading(h, u"c_banka"_s, {60, 39, 22, 10}, u"Kód banky"_s);
    columnHeading(h, u"c_suma"_s, {82, 39, 32, 10}, u"Suma"_s);
    columnHeading(h, u"c_symboly"_s, {114, 39, 76, 5}, u"Symboly platieb"_s);
    columnHeading(h, u"c_vs"_s, {114, 44, 28, 5}, u"Variabilný"_s);
    columnHeading(h, u"c_ks"_s, {142, 44, 20, 5}, u"Konštantný"_s);
    columnHeading(h, u"c_ss"_s, {162, 44, 28, 5}, u"Špecifický"_s);

    std::vector<rpt::LayoutItem> d{
        orderDatum(u"QRDB_CALC_CISLO_U"_s, {1, 0.5, 58, 4.5}, u"CALC_CISLO_U"_s),
        orderDatum(u"QRDB_BANKA_U"_s, {61, 0.5, 20, 4.5}, u"BANKA_U"_s, kArial9, Qt::AlignCenter),
        orderDatum(u"QRDB_SUMA"_s, {83, 0.5, 30, 4.5}, u"SUMA"_s, kArial9, Qt::AlignRight, kMaskaSumy),
        orderDatum(u"QRDB_VSYM"_s, {116, 0.5, 25, 4.5}, u"VSYM"_s),
        orderDatum(u"QRDB_KSYM"_s, {143, 0.5, 18, 4.5}, u"KSYM"_s),
        orderDatum(u"QRDB_SSYM"_s, {163, 0.5, 26, 4.5}, u"SSYM"_s),
        rpt::horizontalLine(u"QRS_riadok"_s, {0, 5.5, kSirka, 0.3}),
    };
    std::vector<rpt::LayoutItem> s{
        label(u"QRL_ks"_s, {0, 3, 40, 5}, u"Konštantný symbol"_s, kArial9),
        rpt::rectangle(u"QRS_ks"_s, {40, 2, 30, 6}),
        rpt::horizontalLine(u"QRS_miesto"_s, {0, 22, 80, 0.3}),
        label(u"QRL_miesto"_s, {0, 23, 80, 5}, u"Miesto a dátum vystavenia"_s, kArial8, Qt::AlignCenter),
        rpt::horizontalLine(u"QRS_podpis"_s, {120, 22, 70, 0.3}),
        label(u"QRL_podpis"_s, {120, 23, 70, 5}, u"Pečiatka, podpis"_s, kArial8, Qt::AlignCenter),
    };
    return rpt::LayoutDesc{
        .name = u"TReportHP2"_s,
        .title = u"Hromadný príkaz na úhradu - VÚB"_s,
        .printIfEmpty = true,
        .bands = {BandDesc{.kind = BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 50,
                           .items = std::move(h)},
                  pageGroup(),
                  BandDesc{.kind = BandKind::Detail, .name = u"DetailBand1"_s, .height = 6, .items = std::move(d)},
                  BandDesc{.kind = BandKind::Summary, .name = u"SummaryBand1"_s, .height = 29,
                           .items = std::move(s)}},
    };
}

rpt::LayoutDesc layoutHP()
{
    std::vector<rpt::LayoutItem> h{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 7}, u"HROMADNÝ PRÍKAZ NA ÚHRADU"_s, kArial12b, Qt::AlignCenter),
        label(u"QRL_prikazca"_s, {0, 9, 60, 5}, u"P r í k a z c a"_s, kArial9b),
    };
    columnHeading(h, u"h_predcislie"_s, {0, 15, 22, 5}, u"Predčíslie"_s);
    columnHeading(h, u"h_ucet"_s, {22, 15, 40, 5}, u"Číslo účtu príkazcu"_s);
    columnHeading(h, u"h_banka"_s, {62, 15, 20, 5}, u"Kód banky"_s);
    columnHeading(h, u"h_nazov"_s, {82, 15, 108, 5}, u"Názov účtu príkazcu"_s);
    for (const auto &[meno, box] : std::vector<std::pair<QString, rpt::Box>>{{u"v_predcislie"_s, {0, 20, 22, 6}},
                                                                            {u"v_ucet"_s, {22, 20, 40, 6}},
                                                                            {u"v_banka"_s, {62, 20, 20, 6}},
                                                                            {u"v_nazov"_s, {82, 20, 108, 6}}})
        h.push_back(rpt::rectangle(u"QRS_"_s + meno, box));
    h.push_back(orderDatum(u"QRDB_f_predcislie"_s, {1, 21, 20, 4.5}, u"QINF_.PREDCISLO_U"_s, kArial9, Qt::AlignCenter));
    h.push_back(orderDatum(u"QRDB_f_ucet"_s, {23, 21, 38, 4.5}, u"QINF_.CISLO_U"_s, kArial9, Qt::AlignCenter));
    h.push_back(orderDatum(u"QRDB_f_banka"_s, {63, 21, 18, 4.5}, u"QINF_.BANKA_U"_s, kArial9, Qt::AlignCenter));
    h.push_back(orderDatum(u"QRDB_f_nazov"_s, {83, 21, 106, 4.5}, u"QINF_.NAZOV"_s));
    columnHeading(h, u"h_celkom"_s, {0, 28, 50, 5}, u"Celková suma"_s);
    columnHeading(h, u"h_mena"_s, {50, 28, 20, 5}, u"Mena"_s);
    columnHeading(h, u"h_datum"_s, {70, 28, 40, 5}, u"Dátum splatnosti"_s);
    for (const auto &[meno, box] : std::vector<std::pair<QString, rpt::Box>>{
             {u"v_celkom"_s, {0, 33, 50, 6}}, {u"v_mena"_s, {50, 33, 20, 6}}, {u"v_datum"_s, {70, 33, 40, 6}}})
        h.push_back(rpt::rectangle(u"QRS_"_s + meno, box));
    h.push_back(reports::filledLabel(u"QRL_celkom"_s, {1, 34, 48, 4.5}, kArial10b, Qt::AlignRight));
    h.push_back(label(u"QRL_skk"_s, {51, 34, 18, 4.5}, u"Skk"_s, kArial10b, Qt::AlignCenter));
    h.push_back(rpt::sysData(u"QRSD_strana"_s, {130, 34, 60, 4}, rpt::SysDataKind::PageNumber, kArial8,
                             u"Strana: "_s, Qt::AlignRight));
    h.push_back(label(u"QRL_prijemca"_s, {0, 41, 60, 5}, u"P r í j e m c a"_s, kArial9b));
    struct Stlpec {
        const char16_t *meno, *text;
        double x, w;
    };
    const Stlpec stlpce[] = {{u"predcislie", u"Predčíslie", 0, 17},      {u"ucet", u"Číslo účtu príjemcu", 17, 28},
                             {u"banka", u"Kód banky", 45, 11},           {u"suma", u"Suma", 56, 23},
                             {u"vs", u"Variabilný symbol", 79, 19},      {u"ks", u"Konštantný sym.", 98, 19},
                             {u"ss", u"Špecifický sym.", 117, 18},       {u"nazov", u"Názov príjemcu", 135, 30},
                             {u"spp", u"Správa pre príjemcu", 165, 25}};
    for (const Stlpec &s : stlpce) {
        ControlDesc box = rpt::rectangle(u"QRS_c_"_s + QString::fromUtf16(s.meno), {s.x, 47, s.w, 9});
        h.push_back(box);
        ControlDesc l = label(u"QRL_c_"_s + QString::fromUtf16(s.meno), {s.x + 0.5, 47.5, s.w - 1, 8},
                              QString::fromUtf16(s.text), kArial8b, Qt::AlignCenter);
        l.wordWrap = true;
        h.push_back(l);
    }
    // The payee and the message wrap inside their columns; the row grows with them, so its
    // rule is drawn above it (and under the last row by the summary band).
    ControlDesc prijemca = orderDatum(u"QRDB_CALC_PRIJEMCA"_s, {135.5, 0.5, 29, 4.5}, u"CALC_PRIJEMCA"_s, kArial8);
    ControlDesc sprava = orderDatum(u"QRDB_CALC_SPP"_s, {165.5, 0.5, 24, 4.5}, u"CALC_SPP"_s, kArial8);
    for (ControlDesc *c : {&prijemca, &sprava}) {
        c->wordWrap = true;
        c->autoStretch = true;
    }
    std::vector<rpt::LayoutItem> d{
        rpt::horizontalLine(u"QRS_riadok"_s, {0, 0, kSirka, 0.3}),
        orderDatum(u"QRDB_predcislo_u"_s, {0.5, 0.5, 16, 4.5}, u"predcislo_u"_s, kArial8),
        orderDatum(u"QRDB_CALC_CISLO_U"_s, {17.5, 0.5, 27, 4.5}, u"CALC_CISLO_U"_s, kArial8),
        orderDatum(u"QRDB_banka_u"_s, {45.5, 0.5, 10, 4.5}, u"banka_u"_s, kArial8, Qt::AlignCenter),
        orderDatum(u"QRDB_sporenie"_s, {56.5, 0.5, 21, 4.5}, u"sporenie"_s, kArial8, Qt::AlignRight, kMaskaSumy),
        orderDatum(u"QRDB_vsym"_s, {80, 0.5, 17.5, 4.5}, u"vsym"_s, kArial8),
        orderDatum(u"QRDB_ksym"_s, {99, 0.5, 17.5, 4.5}, u"ksym"_s, kArial8),
        orderDatum(u"QRDB_ssym_u"_s, {118, 0.5, 16.5, 4.5}, u"ssym_u"_s, kArial8),
        prijemca,
        sprava,
    };
    std::vector<rpt::LayoutItem> s{
        rpt::horizontalLine(u"QRS_posledny"_s, {0, 0, kSirka, 0.3}),
        rpt::horizontalLine(u"QRS_miesto"_s, {0, 20, 80, 0.3}),
        label(u"QRL_miesto"_s, {0, 21, 80, 5}, u"Miesto a dátum vystavenia"_s, kArial8, Qt::AlignCenter),
        rpt::horizontalLine(u"QRS_podpis"_s, {120, 20, 70, 0.3}),
        label(u"QRL_podpis"_s, {120, 21, 70, 5}, u"Podpis(y), pečiatka príkazcu"_s, kArial8, Qt::AlignCenter),
    };
    return rpt::LayoutDesc{
        .name = u"TReportHP"_s,
        .title = u"Hromadný príkaz na úhradu výplat"_s,
        .printIfEmpty = true,
        .bands = {BandDesc{.kind = BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 57,
                           .items = std::move(h)},
                  BandDesc{.kind = BandKind::Detail, .name = u"DetailBand1"_s, .height = 6, .items = std::move(d)},
                  BandDesc{.kind = BandKind::Summary, .name = u"SummaryBand1"_s, .height = 27,
                           .items = std::move(s)}},
    };
}

} // namespace

// ---- TReportHP1, TReportHP2 ----------------------------------------------------------------

TReportHP1::TReportHP1() : TReportHP1(layoutHP1(), false) {}

TReportHP1::TReportHP1(const rpt::LayoutDesc &layout, bool bankaZvlast) : m_bankaZvlast(bankaZvlast)
{
    reports::prepareQuery(Q0_, u"Q0_"_s, QString::fromLatin1(core::kAliasData),
                           u"select * from hp1 where hpid=:hpid"_s);
    Q0_.addCalculatedField(u"CALC_CISLO_U"_s, db::FieldType::String, 40);
    reports::prepareQuery(Q1_, u"THP2_"_s, QString::fromLatin1(core::kAliasData),
                           u"select * from hp2 where hpid=:hpid order by seqid"_s);
    Q1_.addCalculatedField(u"CALC_CISLO_U"_s, db::FieldType::String, 40);
    Q1_.addCalculatedField(u"CALC_SUMA_STRANY"_s, db::FieldType::String, 30);
    auto cisloU = [this](db::DataSet &ds) {
        const QString u = ds.fieldByName(u"CISLO_U"_s).asString();
        ds.setValue(u"CALC_CISLO_U"_s,
                    m_bankaZvlast ? u : u + u" / "_s + ds.fieldByName(u"BANKA_U"_s).asString());
    };
    Q0_.onCalcFields = cisloU;
    Q1_.onCalcFields = [this, cisloU](db::DataSet &ds) {
        cisloU(ds);
        ds.setValue(u"CALC_SUMA_STRANY"_s,
                    REXHP::sumLabel(m_sumyStran.value(int(ds.fieldByName(u"STRANA"_s).asInteger()))));
    };
    S0_.setDataSet(&Q1_);
    S1_.setDataSet(&Q0_);
    mainDataSource = &S0_;
    registerDataSource(u"THP2_"_s, &S0_);
    registerDataSource(u"Q0_"_s, &S1_);
    rpt::buildReportForm(*this, layout, reports::social::socialBlocks(),
                         reports::checkFields({{&S0_, &Q1_}, {&S1_, &Q0_}}));
}

TReportHP1::~TReportHP1() = default;

void TReportHP1::Otvor_data()
{
    const int hpid = Param.Rezerva1;
    m_sumyStran = REXHP::markPages(Q1_.session(), hpid, REXHP::itemsPerPage());
    Q0_.close();
    Q0_.setParam(u"hpid"_s, hpid);
    Q0_.open();
    Q1_.close();
    Q1_.setParam(u"hpid"_s, hpid);
    Q1_.open();
}

void TReportHP1::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

TReportHP2::TReportHP2() : TReportHP1(layoutHP2(), true) {}

// ---- TReportHP --------------------------------------------------------------------------

TReportHP::TReportHP()
{
    Q0_.setObjectName(u"Q0_"_s);
    Q0_.setDatabaseName(QString::fromLatin1(core::kAliasData));
    // Every part, so that the layout's fields are checked; the run keeps the chosen ones.
    Q0_.setSql(REXHP::hpQueryText(Parametre_hp{}));
    for (const char *pole : {"CALC_CISLO_U", "CALC_TMP", "CALC_PRIJEMCA", "CALC_SPP"})
        Q0_.addCalculatedField(QString::fromLatin1(pole), db::FieldType::String, 80);
    Q0_.onCalcFields = [this](db::DataSet &ds) {
        auto t = [&ds](const char16_t *pole) { return ds.fieldByName(QString::fromUtf16(pole)).asString(); };
        // The prefix has a column of its own.
        ds.setValue(u"CALC_CISLO_U"_s, t(u"cislo_u"));
        const QString meno = MyConsts::Cele_meno(t(u"title"), t(u"name"), t(u"surname"));
        ds.setValue(u"CALC_TMP"_s, meno);
        const bool vyplata = t(u"poradie") == u"1";
        ds.setValue(u"CALC_PRIJEMCA"_s, vyplata ? (Volby.mena ? meno : QString()) : t(u"prijemca"));
        ds.setValue(u"CALC_SPP"_s, vyplata ? Volby.spp : t(u"spp"));
    };
    reports::recap::prepareInformation(QINF_);
    QINF_.setObjectName(u"QINF_"_s);
    S0_.setDataSet(&Q0_);
    SINF_.setDataSet(&QINF_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);
    registerDataSource(u"QINF_"_s, &SINF_);
    rpt::buildReportForm(*this, layoutHP(), reports::social::socialBlocks(),
                         reports::checkFields({{&S0_, &Q0_}, {&SINF_, &QINF_}}));
}

TReportHP::~TReportHP() = default;

void TReportHP::Otvor_data()
{
    db::Session &s = Q0_.session();
    if (Volby.cast_a)
        reports::REXNZ::Vypocet_rekapitulacie(s, Param, true);
    Q0_.close();
    Q0_.setSql(REXHP::hpQueryText(Volby));
    if (Volby.cast_b || Volby.cast_c) {
        Q0_.setParam(u"p1"_s, Param.Obdobie);
        Q0_.setParam(u"p2"_s, Param.Stredisko_od);
        Q0_.setParam(u"p3"_s, Param.Stredisko_do);
    }
    Q0_.open();
    double spolu = 0;
    for (Q0_.first(); !Q0_.eof(); Q0_.next())
        spolu += Q0_.fieldByName(u"sporenie"_s).asFloat();
    Q0_.first();
    reports::recap::setRecapBox(*this, u"QRL_celkom"_s, REXHP::sumLabel(spolu));
    QINF_.close();
    QINF_.open();
}

void TReportHP::Zatvor_data()
{
    Q0_.close();
    QINF_.close();
}

void registerBulkOrders()
{
    reports::reportRegister().registerReport(u"TReportHP1"_s, REXHP::runHp1Report);
    reports::reportRegister().registerReport(u"TReportHP2"_s, REXHP::runHp2Report);
}

} // namespace tarix::filings
