#include "reports/taxreport/report_vd2005a.h"

#include "core/firm_opening.h"
#include "core/helpers/address.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/form_data_pages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/xml_output.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/format/format.h"
#include "platform/shell/atomic_file.h"
#include "reports/taxreport/tax_blocks.h"
#include "reports/taxreport/xfdf_text.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace VD2005A {

int pageCount(int n) { return (n - 1) / 4 + 1; }

Statement computeFigures(const Input &in)
{
    Statement v;
    double E = 0;
    for (const Mesiac &m : in.mesiace) {
        const double t = m.preddavok - m.vyrovnanie;
        // Underpayments of earlier settlements are withheld (negative), overpayments refunded.
        if (m.vyrovnanie <= 0)
            v.R2 += -m.vyrovnanie;
        else
            v.R3 += m.vyrovnanie;
        // A bonus beyond the month's own advances came from the employer's money.
        if (m.bonus - t > 0 && t >= 0)
            E += m.bonus - t;
        else if (t >= 0)
            v.R11 += t - m.bonus;
    }
    v.D = in.D;
    v.C = in.C;
    v.E = E;
    v.R1 = in.A;
    v.R5 = v.R1 + v.R2 - v.R3;
    v.R6 = v.R5 < in.C ? -v.R5 : -in.C;
    v.R7 = v.R5 + v.R6;
    v.R10 = v.R7;
    v.D1 = v.R10;
    v.D2 = v.R11;
    v.d = v.D1 - v.D2;
    v.N = in.N;
    v.NB = in.NB;
    v.P = pageCount(in.N);
    return v;
}

Input loadInput(db::Session &session, int rok)
{
    const db::Params p{{u"p1"_s, rok}};
    Input v;
    const db::SqlResult q0 = session.run(
        u"select sum(d_preddavok) d_preddavok, sum(d_dan) d_dan, sum(d_bonus_cerpany) d_bonus_cerpany, "
        "sum(d_ciastzd+n_poist) d_ciastzd from vyp where v_rok = :p1"_s,
        p, core::kAliasData);
    if (q0.rowCount()) {
        v.A = q0.asFloat(0, 0);
        v.C = q0.asFloat(0, 2);
        v.D = q0.asFloat(0, 3);
    }
    const db::SqlResult q1 = session.run(
        u"select sum(d_preddavok) d_preddavok, sum(d_bonus_cerpany) d_bonus_cerpany, sum(d_vyrovnanie) d_vyrovnanie "
        "from vyp where v_rok=:p1 group by v_mesiac order by v_mesiac"_s,
        p, core::kAliasData);
    for (int i = 0; i < q1.rowCount(); ++i)
        v.mesiace.push_back({.vyrovnanie = q1.asFloat(i, 2), .preddavok = q1.asFloat(i, 0), .bonus = q1.asFloat(i, 1)});
    v.N = session
              .run(u"select code_emp,count(*) from vyp where v_rok= :p1 and dan_vyrovnana = 0 and (d_ciastzd>0 or "
                   "d_bonus_cerpany>0 or d_preddavok>0) group by code_emp"_s,
                   p, core::kAliasData)
              .rowCount();
    v.NB = session
               .run(u"select code_emp,count(*) from vyp where v_rok= :p1 and dan_vyrovnana = 0 and d_bonus_cerpany > 0 "
                    "group by code_emp"_s,
                    p, core::kAliasData)
               .rowCount();
    return v;
}

VdHeading loadHeading(db::Session &session)
{
    const db::SqlResult r = session.run(u"select * from inf"_s, {}, core::kAliasData);
    VdHeading h;
    if (r.rowCount() == 0)
        return h;
    const auto t = [&](const char *pole) { return r.asString(0, r.columnIndex(QString::fromLatin1(pole))).trimmed(); };
    h.DIC = t("DIC");
    h.DANOVY_URAD = t("DANOVY_URAD");
    h.TYP_ZEL = t("TYP_ZEL");
    h.FO_Surname = t("FO_Surname");
    h.FO_Name = t("FO_Name");
    h.FO_Titul_pred = t("FO_Titul_pred");
    h.NAZOV = t("NAZOV");
    h.ADR_ULICA = t("ADR_ULICA");
    h.ADR_CISLO = t("ADR_CISLO");
    h.ADR_PSC = t("ADR_PSC");
    h.ADR_MESTO = t("ADR_MESTO");
    h.ADR_TELEFON = t("ADR_TELEFON");
    h.ADR_FAX = t("ADR_FAX");
    h.DATUM_RZP = r.asDate(0, r.columnIndex(u"DATUM_RZP"_s));
    return h;
}

QByteArray vdXfdf(int rok, const Statement &v, const VdHeading &h, const TMyReportParam &p, const QString &sablona)
{
    using tax_blocks::wholeNumberText;
    using tax_blocks::lastDigit;
    MyConsts::XmlText x;
    MyConsts::xfdfBegin(x);
    const auto pole = [&](const char *meno, const QString &hodnota) { x.Xml_pole(QString::fromLatin1(meno), hodnota); };
    pole("Druh_hlasenia_1", u"x"_s);
    pole("Druh_hlasenia_2", u" "_s);
    pole("Druh_hlasenia_3", u" "_s);
    pole("DIC", h.DIC);
    pole("Danovy_urad", h.DANOVY_URAD);
    pole("za_rok", lastDigit(rok));
    pole("Datum_zistenia_den", {});
    pole("Datum_zistenia_mesiac", {});
    pole("Datum_zistenia_rok", {});
    if (h.TYP_ZEL == u"FO") {
        pole("FO_priezvisko", h.FO_Surname);
        pole("FO_meno", h.FO_Name);
        pole("FO_titul", h.FO_Titul_pred);
    } else {
        pole("PO_meno", h.NAZOV);
        pole("PO_pravna_forma", {});
    }
    pole("Sidlo_ulica", h.ADR_ULICA);
    pole("Sidlo_cislo", h.ADR_CISLO);
    pole("Sidlo_psc", h.ADR_PSC);
    pole("Sidlo_obec", h.ADR_MESTO);
    const MyConsts::HouseNumbers tel = MyConsts::Cisla_domu(h.ADR_TELEFON);
    pole("Sidlo_tel_p", tel.pred_lomkou);
    pole("Sidlo_tel", tel.posledne);
    const MyConsts::HouseNumbers fax = MyConsts::Cisla_domu(h.ADR_FAX);
    pole("Sidlo_fax_p", fax.pred_lomkou);
    pole("Sidlo_fax", fax.posledne);
    if (h.DATUM_RZP.isValid()) {
        pole("Datum_zuctovania_den", fmt::formatDate(h.DATUM_RZP, u"dd"));
        pole("Datum_zuctovania_mes", fmt::formatDate(h.DATUM_RZP, u"MM"));
        pole("Datum_zuctovania_rok", lastDigit(h.DATUM_RZP.year()));
    }
    pole("C1_00", wholeNumberText(v.D));
    pole("C1_01", wholeNumberText(v.R1));
    pole("C1_02", wholeNumberText(v.R2));
    pole("C1_03", wholeNumberText(v.R3));
    pole("C1_04z", u" "_s);
    pole("C1_04", u"0"_s);
    pole("C1_05", wholeNumberText(v.R5));
    // The form holds the sign in a box of its own.
    if (v.R6 == 0) {
        pole("C1_06z", u" "_s);
        pole("C1_06", u"0"_s);
    } else if (v.R6 > 0) {
        pole("C1_06z", u"+"_s);
        pole("C1_06", wholeNumberText(v.R6));
    } else {
        pole("C1_06z", u"-"_s);
        pole("C1_06", wholeNumberText(-v.R6));
    }
    pole("C1_07", wholeNumberText(v.R7));
    pole("C1_08", u"0"_s);
    pole("C1_09", u"0"_s);
    pole("C1_10", wholeNumberText(v.R10));
    pole("C1_11", wholeNumberText(v.R11));
    pole("C1_A", wholeNumberText(v.C));
    pole("C1_B", wholeNumberText(v.C - v.E));
    pole("C1_C", wholeNumberText(v.E));
    pole("C1_D", wholeNumberText(v.E));
    pole("C2_1", wholeNumberText(v.D1));
    pole("C2_2", wholeNumberText(v.D2));
    if (v.d < 0) {
        pole("C2_3", wholeNumberText(-v.d));
        pole("C2_4", u"0"_s);
    } else {
        pole("C2_3", u"0"_s);
        pole("C2_4", wholeNumberText(v.d));
    }
    pole("pocet_zam", QString::number(v.N));
    pole("pocet_zam_bonus", QString::number(v.NB));
    pole("pocet_stran", QString::number(v.P));
    const QString den = p.Den.isValid() ? QString::number(p.Den.day()) : QString();
    const QString mes = p.Den.isValid() ? QString::number(p.Den.month()) : QString();
    const QString r = p.Den.isValid() ? lastDigit(p.Den.year()) : QString();
    pole("Datum_den", den);
    pole("Datum_mes", mes);
    pole("Datum_rok", r);
    pole("Vypracoval", p.Vykaz_zostavil);
    pole("Datum_vypr_den", den);
    pole("Datum_vypr_mes", mes);
    pole("Datum_vypr_rok", r);
    const MyConsts::HouseNumbers kontakt = MyConsts::Cisla_domu(p.Telefon);
    pole("Tel_p", kontakt.pred_lomkou);
    pole("tel", kontakt.posledne);
    MyConsts::xfdfEnd(x, sablona);
    return x.bytes();
}

QString xfdfName(int rok)
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + u"RH1_"_s + QString::number(rok)
           + u".xfdf"_s;
}

QString pdfTemplate() { return core::Priecinok_formularov(core::appPaths().networkRoot) + u"rh2004.pdf"_s; }

void Export_xfdf(const TMyReportParam &p)
{
    runGuarded([&] {
        struct Priebeh {
            ~Priebeh() { MyConsts::Zobraz_priebeh(100); }
        } priebeh;
        db::Session &session = *db::Session::defaultSession();
        const int rok = p.Obdobie / 100;
        const Statement v = computeFigures(loadInput(session, rok));
        const VdHeading h = loadHeading(session);
        MyConsts::OutputFiles subory{.input = pdfTemplate(), .output = xfdfName(rok)};
        MyConsts::Kontrola_suborov(subory);
        if (!subory.writeAllowed)
            return;
        shell::writeFileAtomically(subory.output, vdXfdf(rok, v, h, p, subory.input));
        MyConsts::Otvor_vytvoreny_subor(subory.output);
    });
}

} // namespace VD2005A

// ---- the printed form ---------------------------------------------------------------------------

namespace {

using namespace tax_blocks;
using rpt::label;

rpt::LayoutDesc layoutVD2005A()
{
    rpt::LayoutDesc l;
    l.name = u"TReportVD2005A"_s;
    l.title = u"Hlásenie o vyúčtovaní dane - časť I. a II."_s;
    l.previewZoom = 80;
    l.printIfEmpty = true;

    std::vector<rpt::LayoutItem> strana{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 6},
              u"HLÁSENIE o vyúčtovaní dane a o úhrne príjmov zo závislej činnosti"_s, kArial11b, Qt::AlignHCenter),
        label(u"QRL_DIC"_s, {0, 9, 10, 4.5}, u"DIČ"_s, kArial9b),
        filledLabel(u"QR_DIC"_s, {11, 9, 50, 4.5}, kArial9),
        label(u"QRL_za_rok"_s, {140, 9, 16, 4.5}, u"za rok "_s, kArial9b),
        filledLabel(u"QR_ROK"_s, {156, 9, 20, 4.5}, kArial9b),
        titleHeading(u"cast1"_s, u"Časť I. - Vyúčtovanie dane"_s, 15),
        label(u"QRL_Sk1"_s, {160, 15.8, 28, 4}, u"(v celých Sk)"_s, kArial8, Qt::AlignRight),
        rpt::Stack{.top = 22,
                   .width = kSirka,
                   .lines = {Riadok(u"R0"_s, u"0"_s,
                                    u"Zúčtované a vyplatené zdaniteľné príjmy zo závislej činnosti, vrátane zdaniteľných  "
                                    "príjmov zo sociálneho fondu v peňažnej aj v nepeňažnej forme za zdaňovacie obdobie, "
                                    "za ktoré sa hlásenie podáva"_s)}},
        rpt::rectangle(u"QRS_uhrnne"_s, {0, 31, kSirka, 12}),
        Popis(u"QRL_uhrnne"_s, {12, 31.6, 176, 11},
              u"Úhrnné údaje\nz podaných prehľadov o zrazených a odvedených preddavkoch na daň z príjmov zo závislej "
              "činnosti ( 5 zákona)\na o daňovom bonuse za celé zdaňovacie obdobie, za ktoré sa hlásenie podáva"_s,
              kArial7),
        rpt::Stack{
            .top = 43,
            .width = kSirka,
            .lines =
                {
                    Riadok(u"R1"_s, u"1"_s,
                           u"Zrazené preddavky  na  daň zo zúčtovaných  a  vyplatených zdaniteľných  miezd (vrátane "
                           "príjmov zo sociálneho fondu) v peňažnej aj v nepeňažnej forme za celé zdaňovacie obdobie"_s),
                    Riadok(u"R2"_s, u"2"_s,
                           u"Zrazené nedoplatky na dani z ročného zúčtovania za  predchádzajúce  zdaňovacie obdobie"_s),
                    Riadok(u"R3"_s, u"3"_s,
                           u"Vrátené preplatky na dani z ročného zúčtovania za  predchádzajúce  zdaňovacie obdobie"_s),
                    Riadok(u"R4"_s, u"4"_s,
                           u"Nedoplatky na dani (+) a preplatky na dani (-) za predchádzajúce zdaňovacie obdobia podľa  "
                           "§  40 zákona"_s),
                    Riadok(u"R5"_s, u"5"_s, u"Úhrn riadkov 1 až 4\n(r. 1 + r. 2 - r. 3 ±  r. 4)"_s),
                    Riadok(u"R6"_s, u"6"_s,
                           u"Priznaná a vyplatená suma daňového bonusu (-) a vybratá suma daňového bonusu (+), o ktorú "
                           "sa znižuje (zvyšuje) úhrnná suma preddavkov na daň a dane"_s),
                    Riadok(u"R7"_s, u"7"_s, u"Úhrn riadkov 5 a 6\n(r. 5 ±  r. 6)"_s),
                    Riadok(u"R8"_s, u"8"_s, u"Odvedené nedoplatky na dani z predchádzajúcich zdaňovacích období"_s),
                    Riadok(u"R9"_s, u"9"_s, u"Uplatnené preplatky na dani z predchádzajúcich zdaňovacích období"_s),
                    Riadok(u"R10"_s, u"10"_s, u"Odvodová povinnosť\n(r. 7 + r. 8 - r. 9)"_s),
                    Riadok(u"R11"_s, u"11"_s, u"Odvedené"_s),
                    Riadok(u"RA"_s, u"A"_s, u"Celková vyplatená suma daňového bonusu"_s),
                    Riadok(u"RB"_s, u"B"_s,
                           u"Suma daňového bonusu vyplatená z úhrnu zrazených preddavkov na daň a dane"_s),
                    Riadok(u"RC"_s, u"C"_s, u"Suma daňového bonusu vyplatená z prostriedkov zamestnávateľa"_s),
                    Riadok(u"RD"_s, u"D"_s,
                           u"Suma vyplateného daňového bonusu vyžiadaná od miestne príslušného správcu dane na "
                           "poukázanie"_s),
                },
        },
        // Part II below the fifteen rows of part I.
        titleHeading(u"cast2"_s, u"Časť II. - Výpočet odvodovej povinnosti"_s, 43 + 15 * 9 + 3),
        label(u"QRL_Sk2"_s, {160, 43 + 15 * 9 + 3.8, 28, 4}, u"(v celých Sk)"_s, kArial8, Qt::AlignRight),
        rpt::Stack{
            .top = 43 + 15 * 9 + 9,
            .width = kSirka,
            .lines =
                {
                    Riadok(u"D1"_s, u"1"_s,
                           u"Na preddavkoch na daň a na dani malo byť za zdaňovacie obdobie odvedené        r. 10 (časť "
                           "I.)"_s),
                    Riadok(u"D2"_s, u"2"_s,
                           u"Skutočne odvedené preddavky na daň a daň za zdaňovacie obdobie                 r. 11 (časť "
                           "I.)"_s),
                    Riadok(u"D3"_s, u"3"_s, u"Preplatok (-)\nrozdiel r. 1 a r. 2 < 0"_s),
                    Riadok(u"D4"_s, u"4"_s, u"Nedoplatok (+)\nrozdiel r. 1 a r. 2 > 0"_s),
                    Riadok(u"N"_s, {}, u"Počet zamestnancov uvedených v časti III."_s, 7),
                    Riadok(u"NB"_s, {}, u"Z toho zamestnanci, ktorým bol vyplatený daňový bonus"_s, 7),
                    Riadok(u"P"_s, {}, u"Počet strán časti III."_s, 7),
                },
        },
    };

    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader,
                                    .name = u"PageHeaderBand1"_s,
                                    .height = 43 + 15 * 9 + 9 + 4 * 9 + 3 * 7 + 1,
                                    .items = std::move(strana)});
    return l;
}

} // namespace

TReportVD2005A::TReportVD2005A()
{
    Sirky_ramcekov = kRamceky_1_8;
    rpt::buildReportForm(*this, layoutVD2005A(), tax_blocks::taxBlocks());
    tax_blocks::markFilledLabels(*this);
}

void TReportVD2005A::Priprav_zostavu()
{
    using tax_blocks::setBlock;
    using tax_blocks::sumLabel;
    const int rok = Param.Obdobie / 100;
    Vysledok = VD2005A::computeFigures(VD2005A::loadInput(*db::Session::defaultSession(), rok));
    const VD2005A::Statement &v = Vysledok;
    setBlock(*this, u"QR_DIC"_s, VD2005A::loadHeading(*db::Session::defaultSession()).DIC);
    setBlock(*this, u"QR_ROK"_s, QString::number(rok));
    const std::pair<const char16_t *, double> riadky[] = {
        {u"R0", v.D},   {u"R1", v.R1},  {u"R2", v.R2},  {u"R3", v.R3},        {u"R4", 0},   {u"R5", v.R5},
        {u"R6", v.R6},  {u"R7", v.R7},  {u"R8", 0},     {u"R9", 0},           {u"R10", v.R10}, {u"R11", v.R11},
        {u"RA", v.C},   {u"RB", v.C - v.E}, {u"RC", v.E}, {u"RD", v.E},       {u"D1", v.D1}, {u"D2", v.D2},
        {u"D3", v.d < 0 ? -v.d : 0}, {u"D4", v.d >= 0 ? v.d : 0},
        {u"N", v.N},    {u"NB", v.NB},  {u"P", v.P},
    };
    for (const auto &[meno, hodnota] : riadky)
        setBlock(*this, QString::fromUtf16(meno), sumLabel(hodnota));
}

} // namespace tarix::reports
