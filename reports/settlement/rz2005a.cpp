#include "reports/settlement/rz2005a.h"

#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/text_utils.h"
#include "platform/errors.h"
#include "platform/format/number_format.h"

#include <QDir>

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using settlement::RzForm;
using settlement::RzFooter;
using settlement::RiadokRz;

rpt::LayoutDesc TReportRZ_2005::reportLayout()
{
    RzForm f{
        .nazov = u"TReportRZ_2005"_s,
        .titul = u"Ročné zúčtovanie preddavkov na daň"_s,
        .nadpis = {u"ROČNÉ  ZÚČTOVANIE  PREDDAVKOV  NA  DAŇ"_s,
                   u"Z PRÍJMOV FYZICKEJ OSOBY ZO ZÁVISLEJ ČINNOSTI A DAŇOVÝ BONUS"_s, u"ZA ROK"_s},
        .zakon = u"podľa zákona č. 595/2003 Z. z. o daniach z príjmov v znení neskorších predpisov (ďalej len "
                 u"\"zákon\")"_s,
        .menoPopis = u"Meno a priezvisko zamestnanca :"_s,
        .riadky =
            {
                {{}, u"I. časť"_s, {}},
                {u"00"_s,
                 u"Úhrn  zúčtovaných  a  vyplatených  príjmov  zo závislej činnosti  ( §  5   zákona)  v peňažnej i v "
                 u"nepeňažnej forme, vrátane príjmov zo sociálneho fondu, doplatkov za minulé roky, okrem príjmov ktoré "
                 u"nie sú predmetom dane a príjmov oslobodených od dane."_s,
                 u"Uhrn_brutto"_s, u",0"_s, 2},
                {{}, u"Poistné a príspevky (§ 5 ods. 8 zákona)"_s, u"Poistne"_s},
                {u"01"_s,
                 u"Základ dane  zaokrúhlený na celé koruny nadol [úhrn príjmov z r. 00 znížený o poistné a príspevky]"_s,
                 u"Ciastzd_spolu"_s},
                {u"02 a)"_s, u"Nezdaniteľné časti základu dane podľa § 11 zákona ods. 1 písm.  a)  na daňovníka"_s,
                 u"CALC_NC_MINIMUM"_s},
                {u"02 b)"_s, u"b)  na manželku (manžela)"_s, u"CALC_NC_PARTNER"_s},
                {u"02 c)"_s, u"c)  zaplatené a uplatnené príspevky na doplnkové dôchodkové sporenie (poistenie)"_s,
                 u"DDP"_s},
                {u"02 d)"_s, u"d)  zaplatená a uplatnená suma fin. prostriedkov na účelové sporenie"_s,
                 u"Nc_ucelove_sporenie"_s, u"0"_s},
                {u"02 e)"_s, u"e)  zaplatená a uplatnená suma fin. prostriedkov na životné poistenie"_s,
                 u"Nc_zivotne_poistenie"_s, u"0"_s},
                {u"02 f)"_s, u"f)  Spolu   c) + d) + e) = max. 12 000 Sk"_s, u"Nc_do_limitu"_s},
                {u"02"_s, u"Spolu  a) + b) + f)"_s, u"Nc_spolu"_s},
                {u"03"_s, u"Zdaniteľná mzda  (r. 01 - r. 02)"_s, u"Zdanmzda_round"_s},
            },
        .pata = RzFooter::Zamestnavatel,
        .poznamky =
            {
                u"1) U cudzích štátnych príslušníkov sa uvedie dátum narodenia."_s,
                u"2) Na účely použitia 2% podielu zaplatenej dane na osobitné účely podľa § 50 zákona sa použije "
                u"rozdiel riadkov 04 a 05"_s,
                u"    (§ 50 ods. 2 zákona - daň znížená o daňový bonus)."_s,
                u"Poznámka: Tlačivo slúži pre zamestnanca aj ako doklad na účely podľa § 39 ods. 5 a 6 zákona."_s,
            },
    };
    for (RiadokRz &r : settlement::taxAndBonusRows()) {
        if (r.pole == u"Dan")
            r.popis += u"  2)"_s;
        f.riadky.push_back(r);
    }
    return settlement::rzLayout(f);
}

TReportRZ_2005::TReportRZ_2005() : SettlementReport(u"+,0;-,0;0"_s, true)
{
    Sirky_ramcekov = kRamceky_1_8;
    assemble(reportLayout());
    if (auto *l = findAs<rpt::ReportLabel>(u"QRL_born_numb"_s))
        l->caption = u"Rodné číslo 1) :"_s;
}

TReportRZ_2005::~TReportRZ_2005() = default;

namespace RZ2005A {

namespace {

// A part of a file name taken from data: no folder may come of it.
QString namePart(const QString &text)
{
    QString out;
    for (const QChar c : text)
        if (c != u'/' && c != u'\\' && c.category() != QChar::Other_Control)
            out += c;
    return out.trimmed();
}

QString suma(double v) { return fmt::fixed(v, 0); }

Certificate readCertificate(const db::DataSet &q, const db::DataSet &inf)
{
    const auto t = [&](const char *pole) { return q.fieldByName(QString::fromLatin1(pole)).asString(); };
    const auto n = [&](const char *pole) { return q.fieldByName(QString::fromLatin1(pole)).asFloat(); };
    Certificate z;
    z.v_rok = int(q.fieldByName(u"v_rok"_s).asInteger());
    z.surname = t("surname");
    z.name = t("name");
    z.title = t("title");
    z.born_numb = t("born_numb");
    z.tp_street = t("tp_street");
    z.tp_zip = t("tp_zip");
    z.tp_city = t("tp_city");
    z.tel1 = t("tel1");
    z.Dan = n("Dan");
    z.D_bonus_narok = n("D_bonus_narok");
    z.D_bonus_cerpany = n("D_bonus_cerpany");
    z.Preplatok = n("Preplatok");
    if (inf.isActive() && !inf.isEmpty()) {
        z.DIC = inf.fieldByName(u"DIC"_s).asString();
        z.CALC_ADRESA = settlement::firmAddress(inf);
    }
    return z;
}

void Export_rtf(const TMyReportParam &p, DocumentKind d)
{
    runGuarded([&] {
        TReportRZ_2005 r;
        r.Nastav_parametre(p);
        r.setPrintOptions();
        struct Zatvor {
            TReportRZ_2005 &r;
            ~Zatvor() { closeWithoutThrowing("The settlement form's data were not closed", [this] { r.Zatvor_data(); }); }
        } zatvor{r};
        r.Otvor_data();
        if (r.Q0_.isEmpty()) {
            const int rok = p.Obdobie / 100;
            MyConsts::Sprava_chyba(Msg(65062, rok - 1, rok));
            return;
        }
        // The rows first: the questions below must not hold the query open on a moving row.
        std::vector<Certificate> doklady;
        for (r.Q0_.first(); !r.Q0_.eof(); r.Q0_.next())
            doklady.push_back(readCertificate(r.Q0_, r.QINF_));
        r.Zatvor_data();

        const QString sablona = core::Priecinok_formularov(core::appPaths().networkRoot) + templateFile(d);
        const QString priecinok = MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs);
        QDir().mkpath(priecinok);
        for (const Certificate &z : doklady) {
            MyConsts::OutputFiles subory{.input = sablona, .output = priecinok + documentName(d, z)};
            MyConsts::Kontrola_suborov(subory);
            if (subory.writeAllowed) {
                MyConsts::TemplateText t(MyConsts::TemplateText::Format::Rtf);
                addKeys(t, d, z, p);
                t.Sablona_vypln(subory.input, subory.output);
            }
            MyConsts::Otvor_vytvoreny_subor(subory.output);
        }
    });
}

} // namespace

QString templateFile(DocumentKind d)
{
    return d == DocumentKind::Nezisk1 ? u"Vyhlasenie_2%_vzor.rtf"_s : u"Potvrd_dane_nezisk_sektor_vzor.rtf"_s;
}

QString documentName(DocumentKind d, const Certificate &z)
{
    return (d == DocumentKind::Nezisk1 ? u"vyh1_"_s : u"vyh2_"_s) + MyConsts::Odstran_lomky_a_medzery(z.born_numb) + u'_'
           + namePart(z.surname) + u'_' + namePart(z.name) + u".rtf"_s;
}

void addKeys(MyConsts::TemplateText &t, DocumentKind d, const Certificate &z, const TMyReportParam &p)
{
    t.Sablona_vymaz();
    const double danBezBonusu = z.Dan - z.D_bonus_narok;
    if (d == DocumentKind::Nezisk1) {
        t.Sablona_pridaj(u"$ROK"_s, QString::number(z.v_rok));
        t.Sablona_pridaj(u"$PRIEZVISKO"_s, z.surname, 48);
        t.Sablona_pridaj(u"$MENO"_s, z.name, 48);
        // One box per digit: the birth number without "/" and blanks, the tenth digit in $RC0.
        const QString rc = MyConsts::Odstran_lomky_a_medzery(z.born_numb);
        for (int i = 1; i <= 10; ++i)
            t.Sablona_pridaj(u"$RC"_s + QString::number(i % 10), rc.mid(i - 1, 1));
        t.Sablona_pridaj(u"$ADRESA"_s, z.tp_street, 48);
        t.Sablona_pridaj(u"$PSC"_s, z.tp_zip, 48);
        t.Sablona_pridaj(u"$OBEC"_s, z.tp_city, 48);
        t.Sablona_pridaj(u"$STAT"_s, u"Slovensko"_s, 48);
        t.Sablona_pridaj(u"$TELEFON"_s, z.tel1, 48);
        t.Sablona_pridaj(u"$RR9"_s, suma(danBezBonusu));
        t.Sablona_pridaj(u"$RR10"_s, suma(settlement::twoPercentOfTax(danBezBonusu)));
        t.Sablona_pridaj(u"$MIESTO"_s, p.Miesto, 30);
        t.Sablona_pridaj(u"$DEN"_s, p.Den_textom, 16);
        return;
    }
    const settlement::ResultSplit v = settlement::splitResult(z.D_bonus_narok, z.D_bonus_cerpany, z.Preplatok);
    t.Sablona_pridaj(u"$ROK"_s, QString::number(z.v_rok));
    t.Sablona_pridaj(u"$MENO"_s, settlement::titleNameSurname(z.title, z.name, z.surname));
    t.Sablona_pridaj(u"$RODNE_CISLO"_s, z.born_numb);
    t.Sablona_pridaj(u"$ADRESA"_s, settlement::rzAddress(z.tp_street, z.tp_city));
    t.Sablona_pridaj(u"$PSC"_s, z.tp_zip);
    t.Sablona_pridaj(u"$RR1"_s, suma(z.Dan));
    t.Sablona_pridaj(u"$RR2"_s, suma(z.D_bonus_narok));
    t.Sablona_pridaj(u"$RR3"_s, suma(danBezBonusu));
    t.Sablona_pridaj(u"$RR4"_s, suma(v.nedoplDan));
    t.Sablona_pridaj(u"$RR5"_s, suma(v.preplDan));
    t.Sablona_pridaj(u"$RR6A"_s, {});
    t.Sablona_pridaj(u"$RR6B"_s, {});
    t.Sablona_pridaj(u"$SPRAVCA_DANE"_s, {});
    t.Sablona_pridaj(u"$DIC"_s, z.DIC);
    t.Sablona_pridaj(u"$ZAMTEL"_s, z.CALC_ADRESA);
    t.Sablona_pridaj(u"$VYPRACOVAL"_s, p.Vykaz_zostavil, 43);
    t.Sablona_pridaj(u"$DEN"_s, p.Den_textom);
}

void Spusti_zostavu(const TMyReportParam &p) { reports::Spusti_zostavu<TReportRZ_2005>(p); }

void Export_rtf_nezisk1(const TMyReportParam &p) { Export_rtf(p, DocumentKind::Nezisk1); }
void Export_rtf_nezisk2(const TMyReportParam &p) { Export_rtf(p, DocumentKind::Nezisk2); }

} // namespace RZ2005A

} // namespace tarix::reports
