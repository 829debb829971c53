#include "reports/documents/contract_document.h"

#include "core/helpers/address.h"
#include "core/helpers/code_texts.h"
#include "core/helpers/text_utils.h"
#include "platform/format/dates.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using documents::reportFont;
using ReportKind = ContractDocument::ReportKind;

namespace {

constexpr double kSirka = 190;
constexpr double kRiadok = 5;
const QString kBodky = u"................................"_s;

// A numbered point: its heading (a fixed text), the contract's fields in the blanks below
// it, and fixed lines of wording after them.
struct Bod {
    QString nadpis;
    QStringList polia;
    QStringList pevne = {};
};

struct Obsah {
    QString nadpis;
    // The parties: the older agreements name the worker's personal data line by line, the
    // contracts name both parties in one line each, the newer agreements in between.
    enum class pageList { Podrobne, Subjekty, Zamestnanec } strany;
    QString pracovnik;              // "a pracovník" / "a zamestnanec"
    QStringList uvod;               // the lines before the points
    std::vector<Bod> body;
    QStringList zaver = {};         // fixed lines after the points
    QString podpisPracovnika;
    bool potvrdenieSkoly = false;
};

Obsah documentContent(ReportKind documentKind)
{
    switch (documentKind) {
    case ReportKind::DPC:
        return {u"DOHODA O PRACOVNEJ ČINNOSTI"_s, Obsah::pageList::Podrobne, u"a pracovník"_s,
                {u"uzavierajú podľa § 232 a nasl. Zákonníka práce túto"_s, u"dohodu o pracovnej činnosti:"_s},
                {
                    {u"1. Dojednaná práca (druh práce):"_s, {u"R1"_s, u"R2"_s, u"R3"_s}},
                    {u"2. Dojednaný rozsah týždenného pracovného času :"_s, {u"R4"_s}},
                    {u"3. Dohoda sa uzaviera na dobu"_s, {u"R5"_s}},
                    {u"4. Pracovník bude vykonávať práce"_s, {u"R6"_s}},
                    {u"5. Dojednaná odmena:"_s, {u"R7"_s}},
                    {u"6. Odmena za vykonanú prácu je splatná:"_s, {u"R8"_s}},
                },
                {u"Dohoda je vyhotovená v dvoch vyhotoveniach, z ktorých jedno dostane pracovník a jedno zamestnávateľ."_s},
                u"podpis pracovníka"_s};
    case ReportKind::DVP:
        return {u"DOHODA O VYKONANÍ PRÁCE"_s, Obsah::pageList::Podrobne, u"a pracovník"_s,
                {u"uzavierajú podľa § 232 a nasl. Zákonníka práce túto"_s,
                 u"d o h o d u   o   v y k o n a n í   p r á c e :"_s},
                {
                    {u"1. Dojednaná pracovná úloha:"_s, {u"R1"_s, u"R2"_s, u"R3"_s}},
                    {u"2. Dojednaný rozsah práce (pracovnej úlohy)"_s, {u"R4"_s}},
                    {u"3. Pracovná úloha bude vykonaná do "_s, {u"R5"_s}},
                    {u"4. Pracovník vykoná pracovnú úlohu"_s, {u"R6"_s}},
                    {u"5. Dojednaná odmena:"_s, {u"R7"_s}},
                    {u"6. Odmena za vykonanie pracovnej úlohy je splatná:"_s, {u"R8"_s}},
                },
                {u"Dohoda je vyhotovená v dvoch vyhotoveniach, z ktorých jedno dostane pracovník a jedno zamestnávateľ."_s},
                u"podpis pracovníka"_s};
    case ReportKind::ZML:
        return {u"PRACOVNÁ ZMLUVA"_s, Obsah::pageList::Subjekty, u"a"_s,
                {u"uzavierajú podľa § 42 a nasl. Zákonníka práce túto pracovnú zmluvu:"_s},
                {
                    {u"1. Pracovník nastúpi do práce dňa"_s, {u"NASTUP"_s}},
                    {u"2. Pracovný pomer je dohodnutý na dobu"_s, {u"R1"_s}},
                    {u"3. So skúšobnou dobou"_s, {u"R2"_s}},
                    {u"4. Pracovník sa zaväzuje vykonávať práce podľa pokynov zamestnávateľa, dodržiavať"_s, {},
                     {u"    pracovnú disciplínu a predpisy o bezpečnosti a ochrane zdravia pri práci."_s}},
                    {u"5. Zamestnávateľ sa zaväzuje prideľovať pracovníkovi prácu podľa tejto zmluvy, platiť mu"_s, {},
                     {u"    za vykonanú prácu mzdu a vytvárať mu podmienky na plnenie pracovných úloh."_s}},
                    {u"6. Ďalšie dohodnuté podmienky"_s, {u"R3"_s, u"R4"_s, u"R5"_s, u"R6"_s}},
                    {u"7. Zmluvu možno meniť len písomnou dohodou zmluvných strán."_s, {}},
                    {u"8. Zmluva je vyhotovená v dvoch vyhotoveniach, z ktorých jedno dostane pracovník"_s, {},
                     {u"    a jedno zamestnávateľ."_s}},
                },
                {},
                u"podpis pracovníka"_s};
    case ReportKind::ZML2:
        return {u"PRACOVNÁ   ZMLUVA"_s, Obsah::pageList::Subjekty, u"a"_s,
                {u"uzavierajú túto pracovnú zmluvu"_s},
                {
                    {u"1. Zamestnanec nastúpi do práce dňa "_s + kBodky, {u"NASTUP"_s}},
                    {u"2. Zamestnanec bude vykonávať (uviesť druh práce) "_s, {u"R1"_s}},
                    {u"3. Miesto výkonu práce (uviesť konkrétne pracovisko)"_s, {u"R2"_s}},
                    {u"4. Pracovný pomer je dohodnutý na dobu"_s, {u"R3"_s}},
                    {u"5. Mzdové podmienky a výplatné termíny"_s, {u"R9"_s}},
                    {u"6. Ustanovený týždenný pracovný čas u zamestnávateľa je"_s, {u"R10"_s}},
                    {u"7. Zamestnancovi patrí dovolenka za kalendárny rok vo výmere"_s, {u"R11"_s}},
                    {u"8. Zamestnávateľ a zamestnanec sa dohodli na skúšobnej lehote v trvaní"_s, {u"R4"_s}},
                    {u"9. Ostatné práva a povinnosti zamestnanca a zamestnávateľa upravuje Zákonník práce"_s, {},
                     {u"    a pracovný poriadok zamestnávateľa."_s}},
                    {u"10. Ďalšie dohodnuté podmienky"_s, {u"R5"_s, u"R6"_s, u"R12"_s}},
                },
                {u"Zmluva je vyhotovená v dvoch vyhotoveniach, z ktorých jedno dostane zamestnanec a jedno zamestnávateľ."_s},
                u"podpis zamestnanca"_s};
    case ReportKind::DPC2:
        return {u"DOHODA O PRACOVNEJ ČINNOSTI"_s, Obsah::pageList::Zamestnanec, u"a zamestnanec"_s,
                {u"uzatvárajú podľa Zákonníka práce túto dohodu o pracovnej činnosti:"_s},
                {
                    {u"1. Dohodnutá práca (druh práce):"_s, {u"R1"_s, u"R2"_s, u"R3"_s}},
                    {u"2. Dohodnutá odmena:"_s, {u"R4"_s}},
                    {u"3. Dohodnutý rozsah pracovného času :"_s, {u"R5"_s}},
                    {u"4. Doba, na ktorú sa dohoda uzatvára"_s, {u"R6"_s}},
                    {u"5. Zamestnanec bude vykonávať práce"_s, {u"R7"_s}},
                    {u"6. Odmena za vykonanú prácu je splatná:"_s, {u"R8"_s}},
                    {u"7. Ďaľšie dohodnuté podmienky (§ 224 Zákonníka práce):"_s, {u"R10"_s, u"R11"_s, u"R12"_s}},
                },
                {u"Dohoda je vyhotovená v dvoch vyhotoveniach, z ktorých jedno dostane zamestnanec a jedno zamestnávateľ."_s},
                u"podpis zamestnanca"_s};
    case ReportKind::DVP2:
        return {u"DOHODA O VYKONANÍ PRÁCE"_s, Obsah::pageList::Zamestnanec, u"a zamestnanec"_s,
                {u"uzatvárajú podľa Zákonníka práce túto dohodu o vykonaní práce:"_s},
                {
                    {u"1. Dohodnutá pracovná úloha:"_s, {u"R1"_s, u"R2"_s, u"R3"_s}},
                    {u"2. Dohodnutá odmena:"_s, {u"R4"_s}},
                    {u"3. Doba, v ktorej sa má pracovná úloha vykonať"_s, {u"R5"_s}},
                    {u"4. Predpokladaný rozsah práce (pracovnej úlohy) v hodinách spolu"_s, {u"R6"_s}},
                    {u"5. Zamestnanec vykoná pracovnú úlohu"_s, {u"R7"_s, u"R8"_s}},
                    {u"6. Odmena za vykonanie pracovnej úlohy je splatná pod dokončení a odovzdaní práce."_s, {u"R9"_s}},
                    {u"7. Ďaľšie dohodnuté podmienky (§ 224 Zákonníka práce):"_s, {u"R10"_s, u"R12"_s}},
                },
                {u"Dohoda je vyhotovená v dvoch vyhotoveniach, z ktorých jedno dostane zamestnanec a jedno zamestnávateľ."_s},
                u"podpis zamestnanca"_s};
    case ReportKind::DBPS:
        return {u"DOHODA O BRIGÁDNICKEJ PRÁCI ŠTUDENTOV"_s, Obsah::pageList::Zamestnanec, u"a zamestnanec"_s,
                {u"uzatvárajú podľa Zákonníka práce túto dohodu o brigádnickej práci študentov:"_s},
                {
                    {u"1. Dohodnutá práca (druh práce):"_s, {u"R1"_s, u"R2"_s, u"R3"_s}},
                    {u"2. Dohodnutá odmena:"_s, {u"R4"_s}},
                    {u"3. Dohodnutý rozsah pracovného času:"_s, {u"R5"_s}},
                    {u"4. Doba na ktorú sa dohoda uzatvára:"_s, {u"R6"_s}},
                    {u"5. Zamestnanec bude vykonávať práce:"_s, {u"R7"_s}},
                    {u"6. Odmena za vykonanú prácu je splatná :"_s, {u"R8"_s}},
                    {u"7. Ďaľšie dohodnuté podmienky (§ 224 Zákonníka práce):"_s, {u"R9"_s, u"R10"_s, u"R12"_s}},
                },
                {u"Dohoda je vyhotovená v dvoch vyhotoveniach, z ktorých jedno dostane zamestnanec a jedno zamestnávateľ."_s},
                u"podpis zamestnanca"_s, true};
    }
    return {};
}

QString documentClassName(ReportKind documentKind)
{
    switch (documentKind) {
    case ReportKind::DPC: return u"TReportDPC"_s;
    case ReportKind::DVP: return u"TReportDVP"_s;
    case ReportKind::ZML: return u"TReportZML"_s;
    case ReportKind::ZML2: return u"TReportZML2"_s;
    case ReportKind::DPC2: return u"TReportDPC2"_s;
    case ReportKind::DVP2: return u"TReportDVP2"_s;
    case ReportKind::DBPS: return u"TReportDBPS"_s;
    }
    return {};
}

rpt::LayoutDesc reportLayout(ReportKind documentKind)
{
    using namespace rpt;
    const Obsah o = documentContent(documentKind);
    std::vector<LayoutItem> v;
    double y = 0;
    int pevny = 0;
    const auto text = [&](const QString &meno, double x, double w, const QString &t, const FontSpec &f,
                          Qt::Alignment a = Qt::AlignLeft) { v.push_back(label(meno, {x, y, w, kRiadok}, t, f, a)); };
    const auto pole = [&](const QString &meno, double x, double w, const QString &p, bool tucne = false) {
        v.push_back(dbText(u"QRDB_"_s + meno, {x, y, w, kRiadok}, p, reportFont(10, tucne)));
    };
    const auto pevne = [&](const QString &t, const FontSpec &f = reportFont(10), Qt::Alignment a = Qt::AlignLeft) {
        text(u"QRL_text"_s + QString::number(++pevny), 0, kSirka, t, f, a);
        y += kRiadok;
    };
    // A caption followed by a field on the same line.
    const auto udaj = [&](const QString &meno, double x, double sirkaPopisu, double sirkaPola, const QString &popis,
                          const QString &p, bool tucne = false) {
        text(u"QRL_"_s + meno, x, sirkaPopisu, popis, reportFont(10));
        pole(meno, x + sirkaPopisu, sirkaPola, p, tucne);
    };

    v.push_back(label(u"QRL_NADPIS"_s, {0, y, kSirka, 9}, o.nadpis, reportFont(15, true), Qt::AlignCenter));
    y += 16;

    switch (o.strany) {
    case Obsah::pageList::Podrobne:
        udaj(u"NAZOV"_s, 0, 40, 150, u"Zamestnávateľ"_s, u"NAZOV"_s, true);
        y += 6;
        udaj(u"CALC_ADRESA"_s, 0, 40, 150, u"so sídlom v"_s, u"CALC_ADRESA"_s);
        y += 8;
        udaj(u"CALC_TMP"_s, 0, 40, 150, o.pracovnik, u"CALC_TMP"_s, true);
        y += 6;
        udaj(u"Born_date"_s, 0, 40, 45, u"narod."_s, u"Born_date"_s);
        udaj(u"CALC_STAV"_s, 90, 28, 72, u"rodinný stav"_s, u"CALC_STAV"_s);
        y += 6;
        udaj(u"Zamestnanie"_s, 0, 40, 150, u"zamestnanie"_s, u"Zamestnanie"_s);
        y += 6;
        udaj(u"CALC_TP"_s, 0, 40, 150, u"trvalý pobyt"_s, u"CALC_TP"_s);
        y += 6;
        udaj(u"C_op"_s, 0, 55, 35, u"občiansky preukaz evid. čís."_s, u"C_op"_s);
        udaj(u"Born_numb"_s, 100, 28, 62, u"rodné číslo"_s, u"Born_numb"_s);
        y += 10;
        break;
    case Obsah::pageList::Subjekty:
        udaj(u"CALC_SUBJ1"_s, 0, 32, 158, u"Zamestnávateľ:"_s, u"CALC_SUBJ1"_s, true);
        y += 6;
        text(u"QRL_dalej_zamestnavatel"_s, 32, 158, u"(ďalej zamestnávateľ)"_s, reportFont(9));
        y += 7;
        text(u"QRL_a"_s, 0, 32, o.pracovnik, reportFont(10));
        y += 7;
        udaj(u"CALC_SUBJ2"_s, 0, 32, 158, documentKind == ReportKind::ZML ? u"Pracovník:"_s : u"Zamestnanec:"_s, u"CALC_SUBJ2"_s, true);
        y += 6;
        udaj(u"C_op"_s, 32, 55, 40, u"občiansky preukaz evid. čís."_s, u"C_op"_s);
        udaj(u"Born_date"_s, 130, 18, 42, u"narod."_s, u"Born_date"_s);
        y += 10;
        break;
    case Obsah::pageList::Zamestnanec:
        udaj(u"NAZOV"_s, 0, 40, 150, u"Zamestnávateľ"_s, u"NAZOV"_s, true);
        y += 6;
        udaj(u"CALC_ADRESA"_s, 0, 40, 150, u"so sídlom"_s, u"CALC_ADRESA"_s);
        y += 8;
        udaj(u"CALC_TMP"_s, 0, 40, 150, o.pracovnik, u"CALC_TMP"_s, true);
        y += 6;
        udaj(u"Born_date"_s, 0, 40, 45, u"nar."_s, u"Born_date"_s);
        udaj(u"C_op"_s, 90, 40, 60, u"číslo obč. preukazu"_s, u"C_op"_s);
        y += 6;
        udaj(u"CALC_TP"_s, 0, 40, 150, u"trvalý pobyt"_s, u"CALC_TP"_s);
        y += 10;
        break;
    }

    for (int i = 0; i < o.uvod.size(); ++i) {
        // The parties line is the one caption the amendment changes.
        if (i == 0)
            v.push_back(label(u"QRL_UZATV"_s, {0, y, kSirka, kRiadok}, o.uvod[i], reportFont(10, true), Qt::AlignCenter));
        else
            text(u"QRL_uvod"_s + QString::number(i), 0, kSirka, o.uvod[i], reportFont(10, true), Qt::AlignCenter);
        y += kRiadok;
    }
    y += 5;

    int cislo = 0;
    for (const Bod &b : o.body) {
        ++cislo;
        const QString meno = cislo == 1 ? u"QRL_BOD1"_s : u"QRL_bod"_s + QString::number(cislo);
        if (b.polia == QStringList{u"NASTUP"_s}) {
            // The start date stands on the point's own line, after its dots.
            v.push_back(label(meno, {0, y, 125, kRiadok}, b.nadpis, reportFont(10, true)));
            pole(u"NASTUP"_s, 128, 62, u"NASTUP"_s, true);
            y += kRiadok + 2;
            continue;
        }
        v.push_back(label(meno, {0, y, kSirka, kRiadok}, b.nadpis, reportFont(10, true)));
        y += kRiadok;
        for (const QString &t : b.pevne)
            pevne(t);
        for (const QString &p : b.polia) {
            pole(p, 6, kSirka - 6, p);
            y += kRiadok;
        }
        y += 2;
    }
    y += 2;
    for (const QString &t : o.zaver)
        pevne(t, reportFont(9));
    y += 6;
    v.push_back(dbText(u"QRDB_CALC_V"_s, {0, y, 120, kRiadok}, u"CALC_V"_s, reportFont(10)));
    y += 25;
    v.push_back(horizontalLine(u"QRS_podpis_pracovnika"_s, {0, y, 70, 0.5}));
    v.push_back(horizontalLine(u"QRS_podpis_zamestnavatela"_s, {110, y, 80, 0.5}));
    y += 1;
    text(u"QRL_podpis_pracovnika"_s, 0, 70, o.podpisPracovnika, reportFont(9), Qt::AlignCenter);
    text(u"QRL_podpis_zamestnavatela"_s, 110, 80, u"pečiatka a podpis zamestnávateľa"_s, reportFont(9), Qt::AlignCenter);
    y += 10;
    if (o.potvrdenieSkoly) {
        v.push_back(horizontalLine(u"QRS_skola"_s, {0, y, kSirka, 0.5}));
        y += 3;
        pevne(u"Potvrdenie školy"_s, reportFont(10, true));
        v.push_back(dbText(u"QRDB_CALC_POTVRD"_s, {0, y, kSirka, kRiadok}, u"CALC_POTVRD"_s, reportFont(10)));
        y += kRiadok;
        pevne(u"je študentom dennej formy štúdia na našej škole."_s);
        y += 20;
        v.push_back(horizontalLine(u"QRS_podpis_skoly"_s, {110, y, 80, 0.5}));
        y += 1;
        text(u"QRL_podpis_skoly"_s, 110, 80, u"pečiatka a podpis školy"_s, reportFont(9), Qt::AlignCenter);
        y += kRiadok;
    }

    return LayoutDesc{
        .name = documentClassName(documentKind),
        .title = o.nadpis.simplified(),
        .bands = {BandDesc{.kind = BandKind::Detail, .name = u"dokument"_s, .height = y + 2, .items = v,
                           .forceNewPage = true}},
    };
}

} // namespace

QString ContractDocument::Text_Q0()
{
    return u"select inf.nazov, inf.adr_ulica, inf.adr_cislo, inf.adr_mesto, inf.adr_psc, z.surname, z.name, z.title,\n"
           u"z.born_date, z.born_numb, z.rod_stav, z.pohlavie, z.c_op, z.tp_street, z.tp_city, z.tp_zip, z.zamestnanie, a.*\n"
           u"from ppv a, zam z, inf where a.pid = :p1 and z.code_emp = a.code_emp"_s;
}

QString ContractDocument::nameText(const QString &titul, const QString &meno, const QString &priezvisko)
{
    return MyConsts::Cele_meno(titul, meno, priezvisko);
}

QString ContractDocument::placeAndDateText(const QString &miesto, const QDate &datum)
{
    return u"V "_s + miesto + u" dňa "_s + fmt::shortDate(datum);
}

ContractDocument::ContractDocument(ReportKind documentKind) : m_druh(documentKind)
{
    Q0_.setSql(Text_Q0());
    for (const char *f : {"CALC_ADRESA", "CALC_TMP", "CALC_TP", "CALC_STAV", "CALC_V", "CALC_SUBJ1", "CALC_SUBJ2",
                          "CALC_POTVRD"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 250);
    Q0_.onCalcFields = [documentKind](db::DataSet &ds) {
        const auto t = [&](const char *f) { return ds.fieldByName(QString::fromLatin1(f)).asString(); };
        const auto d = [&](const char *f) { return ds.fieldByName(QString::fromLatin1(f)).asDate(); };
        const auto znak = [&](const char *f) {
            const QString s = t(f);
            return s.isEmpty() ? QChar() : s.at(0);
        };
        // The older texts write the street as it is stored; the newer ones with its number.
        const bool starsie = documentKind == ReportKind::DPC || documentKind == ReportKind::DVP || documentKind == ReportKind::ZML;
        const QString adresa = starsie ? t("adr_ulica") + u", "_s + t("adr_psc") + u' ' + t("adr_mesto")
                                       : MyConsts::Text_adresy(t("adr_ulica"), t("adr_cislo"), t("adr_psc"), t("adr_mesto"));
        const QString meno = nameText(t("title"), t("name"), t("surname"));
        const QString tp = t("tp_street") + u", "_s + t("tp_zip") + u' ' + t("tp_city");
        ds.setValue(u"CALC_ADRESA"_s, adresa);
        ds.setValue(u"CALC_TMP"_s, meno);
        ds.setValue(u"CALC_TP"_s, tp);
        ds.setValue(u"CALC_STAV"_s, MyConsts::Text_rodinneho_stavu(znak("rod_stav"), znak("pohlavie")).left(50));
        ds.setValue(u"CALC_V"_s, placeAndDateText(t("MIESTO"), d("DATUM")));
        ds.setValue(u"CALC_SUBJ1"_s, t("nazov") + u", "_s + adresa);
        ds.setValue(u"CALC_SUBJ2"_s, meno + u", bytom "_s + tp + u", nar. "_s + t("born_numb") + u" (ďalej pracovník)."_s);
        ds.setValue(u"CALC_POTVRD"_s, u"Potvrdzujeme, že "_s + meno + u"  nar. "_s + fmt::shortDate(d("born_date")));
    };
    assemble(reportLayout(documentKind));
}

ContractDocument::~ContractDocument() = default;

void ContractDocument::setContractLabels(const QString &kod)
{
    if (kod == u"ZML2") {
        setLabelText(u"QRL_NADPIS"_s, u"PRACOVNÁ   ZMLUVA"_s);
        setLabelText(u"QRL_BOD1"_s, u"1. Zamestnanec nastúpi do práce dňa "_s + kBodky);
        setLabelText(u"QRL_UZATV"_s, u"uzavierajú túto pracovnú zmluvu"_s);
    } else if (kod == u"ZMLD") {
        setLabelText(u"QRL_NADPIS"_s, u"DODATOK K PRACOVNEJ ZMLUVE"_s);
        setLabelText(u"QRL_BOD1"_s, u"1. Dodatok k pracovnej zmluve je platný od "_s + kBodky);
        setLabelText(u"QRL_UZATV"_s, u"uzavierajú tento dodatok k pracovnej zmluve"_s);
    }
}

void ContractDocument::Otvor_data()
{
    if (m_druh == ReportKind::ZML2)
        setContractLabels(Param.Kod_zostavy);
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Rezerva1);
    Q0_.open();
}

void ContractDocument::Zatvor_data() { Q0_.close(); }

} // namespace tarix::reports
