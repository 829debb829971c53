#include "filings/rex_reg_listy.h"

#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/helpers/address.h"
#include "core/helpers/numbered_files.h"
#include "core/helpers/text_utils.h"
#include "core/helpers/xml_output.h"
#include "platform/db/session.h"
#include "platform/db/table.h"
#include "platform/errors.h"
#include "platform/format/dates.h"
#include "platform/shell/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarix::filings {

using MyConsts::XmlText;

namespace {

// An element only when its value is not blank.
void optional(XmlText &x, const char *tag, const QString &value)
{
    x.Xml_element_neprazdny(QString::fromLatin1(tag), value);
}

void element(XmlText &x, const char *tag, const QString &value) { x.Xml_element(QString::fromLatin1(tag), value); }
void startOf(XmlText &x, const char *tag) { x.Xml_zaciatok(QString::fromLatin1(tag)); }
void endOf(XmlText &x, const char *tag) { x.Xml_koniec(QString::fromLatin1(tag)); }

// <tag a="v"/> with one attribute.
void isBlank(XmlText &x, const char *tag, const char *attribute, const QString &value)
{
    x.Xml_prvy_atribut(QString::fromLatin1(attribute), value);
    x.Xml_prazdny_element(QString::fromLatin1(tag));
}

// ulica, supCislo (the number before "/") and oCislo (the last number), the numbers only
// when found.
void splitAddress(XmlText &x, const QString &line)
{
    const MyConsts::SplitAddress a = MyConsts::Rozloz_adresu(line);
    element(x, "ulica", a.ulica);
    optional(x, "supCislo", a.cislo_pred_lomkou);
    optional(x, "oCislo", a.posledne_cislo);
}

void zamestnavatel(XmlText &x, const RlEmployer &z)
{
    startOf(x, "zamestnavatel");
    startOf(x, "identifikacia");
    element(x, "icz", z.icz);
    startOf(x, "identifikator");
    element(x, "ico", z.ico);
    endOf(x, "identifikator");
    element(x, "nazov", z.nazov);
    endOf(x, "identifikacia");
    if (z.typZel.trimmed() == QLatin1String("FO")) {
        startOf(x, "fOsoba");
        startOf(x, "identifikatorFO");
        element(x, "rc", z.foRc);
        element(x, "cpp", z.foCpp);
        endOf(x, "identifikatorFO");
        element(x, "priezvisko", z.foSurname);
        element(x, "meno", z.foName);
        optional(x, "titul", z.foTitulPred);
        endOf(x, "fOsoba");
    }
    startOf(x, "adresaZel");
    // The correspondence address when there is one, else the seat; here stat comes before
    // zipKod.
    const bool ka = !z.kaMesto.isEmpty();
    startOf(x, "adresa");
    splitAddress(x, ka ? z.kaUlica : z.adrUlica1);
    element(x, "obec", ka ? z.kaMesto : z.adrMesto);
    element(x, "psc", ka ? z.kaPsc : z.adrPsc);
    element(x, "stat", ka ? z.kaStat : z.adrStat);
    optional(x, "zipKod", ka ? z.kaZip : z.adrZip);
    endOf(x, "adresa");
    element(x, "tel", z.adrTelefon);
    element(x, "fax", z.adrFax);
    element(x, "mail", z.adrEmail);
    endOf(x, "adresaZel");
    endOf(x, "zamestnavatel");
}

void person(XmlText &x, const char *tag, const RlEmployee &z)
{
    startOf(x, tag);
    optional(x, "rodPriezvisko", z.prevName);
    element(x, "datNarodenia", Text_datumu(z.bornDate));
    element(x, "miestoNarodenia", z.bornCity);
    element(x, "statP", z.statObcan);
    optional(x, "ssnStatP", z.ssnStatP);
    optional(x, "cpp", z.cpp);
    element(x, "stav", z.rodStav);
    optional(x, "dochodok", z.dochodok);
    endOf(x, tag);
}

// The employee's addresses: zipKod before stat.
void employeeAddress(XmlText &x, const QString &street, const QString &city, const QString &zip,
                        const QString &zip2, const QString &stat)
{
    startOf(x, "adresa");
    splitAddress(x, street);
    element(x, "obec", city);
    element(x, "psc", zip);
    optional(x, "zipKod", zip2);
    element(x, "stat", stat);
    endOf(x, "adresa");
}

void addressesAndAccount(XmlText &x, const RlEmployee &z)
{
    employeeAddress(x, z.tpStreet, z.tpCity, z.tpZip, z.tpZip2, z.statTp);
    startOf(x, "korAdresa");
    if (!z.ppCity.isEmpty())
        employeeAddress(x, z.ppStreet, z.ppCity, z.ppZip, z.ppZip2, z.statPp);
    element(x, "tel", z.tel1);
    element(x, "fax", z.fax);
    element(x, "mail", z.mail);
    endOf(x, "korAdresa");
    if (!z.cisloU.isEmpty() && !z.bankaU.isEmpty()) {
        startOf(x, "ucet");
        element(x, "nazovSidloBanky", z.banka2U);
        element(x, "kodBanky", z.bankaU);
        element(x, "cisloUctu", MyConsts::Spoj_s_pomlckou(z.predcisloU, z.cisloU));
        endOf(x, "ucet");
    }
}

void interruptionStart(XmlText &x, const RlRow &r)
{
    x.Xml_prvy_atribut(QStringLiteral("datVzniku"), Text_datumu(r.datumOd));
    x.Xml_pridaj_atribut(QStringLiteral("dovod"), r.prerusenie);
    x.Xml_prazdny_element(QStringLiteral("vznikPrerus"));
}

void event(XmlText &x, const RlRow &r)
{
    const RlEmployee &z = r.employeeOf;
    const QString typ = r.typRL.trimmed();
    if (typ == QLatin1String("PA")) {
        startOf(x, "prihlaska");
        person(x, "identFODopl", z);
        addressesAndAccount(x, z);
        element(x, "datVznikPoist", Text_datumu(r.datumOd));
        endOf(x, "prihlaska");
    } else if (typ == QLatin1String("ZM")) {
        x.Xml_prvy_atribut(QStringLiteral("datUplatnenia"), Text_datumu(r.datumOd));
        x.Xml_zaciatok_s_atributmi(QStringLiteral("zmena"));
        person(x, "identFODoplZmena", z);
        addressesAndAccount(x, z);
        element(x, "datVznikPoist", Text_datumu(r.datumOd));
        endOf(x, "zmena");
    } else if (typ == QLatin1String("PE")) {
        startOf(x, "prerusenie");
        if (r.typRL2 == 1) {
            startOf(x, "vznik_zanikPrerus");
            interruptionStart(x, r);
            isBlank(x, "zanikPrerus", "datZaniku", Text_datumu(r.datumDo));
            endOf(x, "vznik_zanikPrerus");
        } else if (r.typRL2 == 2) {
            interruptionStart(x, r);
        } else if (r.typRL2 == 3) {
            isBlank(x, "zanikPrerus", "datZaniku", Text_datumu(r.datumDo));
        }
        endOf(x, "prerusenie");
    } else if (typ == QLatin1String("MD")) {
        startOf(x, "prerusenie");
        if (r.typRL2 == 1) {
            startOf(x, "zac_konMD_RD");
            isBlank(x, "zacMD_RD", "datZac", Text_datumu(r.datumOd));
            isBlank(x, "konMD_RD", "datKon", Text_datumu(r.datumDo));
            endOf(x, "zac_konMD_RD");
        } else if (r.typRL2 == 2) {
            isBlank(x, "zacMD_RD", "datZac", Text_datumu(r.datumOd));
        } else if (r.typRL2 == 3) {
            isBlank(x, "konMD_RD", "datKon", Text_datumu(r.datumDo));
        }
        endOf(x, "prerusenie");
    } else if (typ == QLatin1String("OD")) {
        const QString pomer = employmentRelation(z.typZec, z.fzUvazok);
        if (pomer.isEmpty()) {
            startOf(x, "odhlaska");
        } else {
            x.Xml_prvy_atribut(QStringLiteral("pracPomer"), pomer);
            x.Xml_zaciatok_s_atributmi(QStringLiteral("odhlaska"));
        }
        element(x, "datZanikPoist", Text_datumu(r.datumDo));
        endOf(x, "odhlaska");
    }
}

void registrationSheet(XmlText &x, const RlRow &r)
{
    const RlEmployee &z = r.employeeOf;
    x.Xml_prvy_atribut(QStringLiteral("typRL"), rlType(r.typRL));
    x.Xml_zaciatok_s_atributmi(QStringLiteral("regListZec"));
    startOf(x, "identFO");
    optional(x, "icp", z.ssn);
    element(x, "rodneC", z.bornNumb);
    element(x, "priezvisko", z.surname);
    element(x, "meno", z.name);
    element(x, "titul", z.title);
    element(x, "pohlavie", Pohlavie(z.pohlavie));
    endOf(x, "identFO");
    const QString typZec = zecType(z.typZec);
    if (typZec.isEmpty()) {
        startOf(x, "typRegListuZec");
    } else {
        x.Xml_prvy_atribut(QStringLiteral("typZec"), typZec);
        x.Xml_zaciatok_s_atributmi(QStringLiteral("typRegListuZec"));
    }
    event(x, r);
    endOf(x, "typRegListuZec");
    endOf(x, "regListZec");
}

QString text(const db::SqlResult &r, const char *column)
{
    return r.rowCount() ? db::variantToString(r.value(0, QString::fromLatin1(column))) : QString();
}

QDate datum(const db::SqlResult &r, const char *column)
{
    return r.rowCount() ? db::variantToDate(r.value(0, QString::fromLatin1(column))) : QDate();
}

} // namespace

QString zecType(int typZec)
{
    switch (typZec) {
    case 1: return QStringLiteral("PP");
    case 2: return QStringLiteral("D");
    default: return {};
    }
}

QString employmentRelation(int typZec, const QString &fzUvazok)
{
    if (typZec == 1)
        return fzUvazok.trimmed() == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("2");
    if (typZec == 2)
        return QStringLiteral("2");
    return {};
}

QString Pohlavie(const QString &pohlavie)
{
    return pohlavie.trimmed() == QLatin1String("M") ? QStringLiteral("1") : QStringLiteral("2");
}

QString rlType(const QString &typRL)
{
    const QString t = typRL.trimmed();
    return t == QLatin1String("MD") ? QStringLiteral("PE") : t;
}

QString Text_datumu(const QDate &date) { return fmt::formatDate(date, fmt::kDottedDate); }

QString Zapis_xml_reg_listov(const RlEmployer &zamestnavatelRL, const QList<RlRow> &riadky)
{
    XmlText x;
    x.Xml_riadok(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    const QString ns = QString::fromUtf16(kRegListyNamespace);
    x.Xml_prvy_atribut(QStringLiteral("xmlns"), ns);
    x.Xml_pridaj_atribut(QStringLiteral("xmlns:xsi"), QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"));
    x.Xml_pridaj_atribut(QStringLiteral("xsi:schemaLocation"), ns + u' ' + QString::fromUtf16(kRegListySchema));
    // The root's line begins with one blank.
    x.Xml_riadok(QStringLiteral(" <spRegListZec ") + x.Xml_atributy() + u'>');
    element(x, "typDoc", QStringLiteral("RLZEC0001"));
    zamestnavatel(x, zamestnavatelRL);
    startOf(x, "zoznamRLZec");
    startOf(x, "regListyZec");
    for (const RlRow &r : riadky)
        registrationSheet(x, r);
    endOf(x, "regListyZec");
    endOf(x, "zoznamRLZec");
    startOf(x, "vystavenie");
    element(x, "zostavil", zamestnavatelRL.vykazZostavil);
    element(x, "datumVyst", Text_datumu(zamestnavatelRL.den));
    endOf(x, "vystavenie");
    endOf(x, "spRegListZec");
    return x.text();
}

// ---- reading ------------------------------------------------------------------------------------

RlEmployer loadEmployer()
{
    db::Session &s = core::DM().TINF_.session();
    const db::SqlResult inf = s.run(QStringLiteral("select * from \":tarix_data:inf\""));
    const db::SqlResult tla = s.run(QStringLiteral("select * from \":tarix_data:tlac_par\""));
    core::TDM &dm = core::DM();
    RlEmployer z;
    z.icz = text(inf, "ICZ");
    z.ico = text(inf, "ICO");
    z.nazov = text(inf, "NAZOV");
    z.typZel = text(inf, "TYP_ZEL");
    z.foRc = text(inf, "FO_RC");
    z.foCpp = text(inf, "FO_CPP");
    z.foSurname = text(inf, "FO_Surname");
    z.foName = text(inf, "FO_Name");
    z.foTitulPred = text(inf, "FO_Titul_pred");
    z.kaUlica = text(inf, "KA_ULICA");
    z.kaMesto = text(inf, "KA_MESTO");
    z.kaPsc = text(inf, "KA_PSC");
    z.kaStat = dm.Akronym_statu(text(inf, "KA_STAT"));
    z.kaZip = text(inf, "KA_ZIP");
    z.adrUlica1 = text(inf, "ADR_ULICA1");
    z.adrMesto = text(inf, "ADR_MESTO");
    z.adrPsc = text(inf, "ADR_PSC");
    z.adrStat = dm.Akronym_statu(text(inf, "ADR_STAT"));
    z.adrZip = text(inf, "ADR_ZIP");
    z.adrTelefon = text(inf, "ADR_TELEFON");
    z.adrFax = text(inf, "ADR_FAX");
    z.adrEmail = text(inf, "ADR_EMAIL");
    z.vykazZostavil = text(tla, "VYKAZ_ZOSTAVIL");
    z.den = datum(tla, "DEN");
    return z;
}

namespace {

RlEmployee employeeOf(const db::Table &zam)
{
    core::TDM &dm = core::DM();
    auto t = [&](const char *f) { return zam.fieldByName(QString::fromLatin1(f)).asString(); };
    RlEmployee z;
    z.codeEmp = zam.fieldByName(QStringLiteral("Code_emp")).asInt();
    z.ssn = t("SSN");
    z.ssnStatP = t("SSN_STATP");
    z.bornNumb = t("Born_numb");
    z.surname = t("Surname");
    z.name = t("Name");
    z.title = t("Title");
    z.pohlavie = t("Pohlavie");
    z.typZec = zam.fieldByName(QStringLiteral("TYPZEC")).asInt();
    z.fzUvazok = t("Fz_uvazok");
    z.prevName = t("Prev_name");
    z.bornDate = zam.fieldByName(QStringLiteral("Born_date")).asDate();
    z.bornCity = t("Born_city");
    z.statObcan = dm.Akronym_statu(t("Stat_obcan"));
    z.cpp = t("CPP");
    z.rodStav = t("Rod_stav");
    z.tpStreet = t("Tp_street");
    z.tpCity = t("Tp_city");
    z.tpZip = t("Tp_zip");
    z.tpZip2 = t("Tp_zip2");
    z.statTp = dm.Akronym_statu(t("Stat_tp"));
    z.ppStreet = t("Pp_street");
    z.ppCity = t("Pp_city");
    z.ppZip = t("Pp_zip");
    z.ppZip2 = t("Pp_zip2");
    z.statPp = dm.Akronym_statu(t("Stat_pp"));
    z.tel1 = t("Tel1");
    z.fax = t("Fax");
    z.mail = t("Mail");
    z.predcisloU = t("Predcislo_u");
    z.cisloU = t("Cislo_u");
    z.bankaU = t("Banka_u");
    z.banka2U = t("Banka2_u");
    // The type of the employee's last pension row (by its start).
    const db::SqlResult doch = zam.session().run(
        QStringLiteral("select Typ from \":tarix_data:doch\" where Code_emp = :code "
                       "order by Datum_od desc, rowid desc limit 1"),
        {{QStringLiteral("code"), z.codeEmp}});
    z.dochodok = doch.rowCount() && !doch.isNull(0, 0) ? doch.asString(0, 0) : QString();
    return z;
}

} // namespace

QList<RlRow> loadRows(const QList<db::Bookmark> &marked)
{
    core::TDMZ &dmz = core::DMZ();
    db::Table &nep = dmz.TNEP_;
    QList<RlRow> riadky;
    // Each row's own values first, then the employees: the absence table stays on its row.
    {
        const db::Bookmark here = nep.bookmark();
        for (const db::Bookmark &b : marked) {
            nep.gotoBookmark(b);
            RlRow r;
            r.typRL = nep.fieldByName(QStringLiteral("TypRL")).asString();
            r.typRL2 = nep.fieldByName(QStringLiteral("TypRL2")).asInt();
            r.datumOd = nep.fieldByName(QStringLiteral("Datum_od")).asDate();
            r.datumDo = nep.fieldByName(QStringLiteral("Datum_do")).asDate();
            r.prerusenie = nep.fieldByName(QStringLiteral("Prerusenie")).asString();
            r.employeeOf.codeEmp = nep.fieldByName(QStringLiteral("Code_emp")).asInt();
            riadky << r;
        }
        if (nep.bookmarkValid(here))
            nep.gotoBookmark(here);
    }
    db::Table &zam = dmz.TZAM_;
    // The employee table's index, filter and row come back whatever happens here.
    db::CursorStateGuard keep(zam);
    zam.setIndexName(QStringLiteral("Zam1"));
    for (RlRow &r : riadky) {
        const int code = r.employeeOf.codeEmp;
        if (zam.isEmpty() || zam.fieldByName(QStringLiteral("Code_emp")).asInt() != code) {
            zam.setFilter(QStringLiteral("code_emp=%1").arg(code));
            zam.setFiltered(true);
        }
        if (zam.isEmpty())
            throw EMyError(QStringLiteral("Zamestnanec s interným číslom %1 neexistuje.").arg(code));
        r.employeeOf = employeeOf(zam);
    }
    return riadky;
}

// ---- the file -----------------------------------------------------------------------------------

QString registrationSheetsBaseName(const QString &ico, int year)
{
    return QStringLiteral("SPRLZEC_") + ico + u'_' + QString::number(year) + u'_';
}

QString writeRegistrationSheetsFile(const QString &folder, const QString &ico, int year, const QString &document,
                               CheckFileWriter writeCheckFile)
{
    if (!QDir().mkpath(folder))
        throw EMyError(QStringLiteral("Priečinok %1 sa nedá vytvoriť.").arg(QDir::toNativeSeparators(folder)));
    const QString base = registrationSheetsBaseName(ico, year);
    const int number = MyConsts::Volne_cislo_suboru(folder, base, QStringLiteral("xml"), 5);
    if (number == 0)
        throw EMyError(QStringLiteral("V priečinku %1 už nie je voľné číslo pre súbor %2nnnnn.xml.")
                           .arg(QDir::toNativeSeparators(folder), base));
    const QString name = base + QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0')) + QStringLiteral(".xml");
    const QString xmlPath = QDir(folder).filePath(name);
    const QString checkPath = QDir(folder).filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".txt"));
    // The list is written whole (temporary file, then renamed); the check file is made from
    // it. When the check file fails, neither file stays.
    shell::writeFileAtomically(xmlPath, document.toUtf8());
    try {
        writeCheckFile(xmlPath, checkPath);
    } catch (...) {
        QFile::remove(xmlPath);
        QFile::remove(checkPath);
        throw;
    }
    return xmlPath;
}

} // namespace tarix::filings
