#include "filings/rex_sp_xml.h"

#include "core/helpers/address.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/numbered_files.h"
#include "core/helpers/output_file.h"
#include "core/helpers/text_utils.h"
#include "core/helpers/unicode_utils.h"
#include "core/helpers/xml_output.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/clock.h"
#include "platform/format/dates.h"
#include "platform/format/format_pattern.h"
#include "platform/shell/atomic_file.h"
#include "platform/shell/file_errors.h"
#include "platform/ui/user_interface.h"
#include "reports/report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace tarix::filings::RexSpXml {

namespace {

constexpr int kRiadkovVBloku = 100;
// Added once per line, for the line end the receiving side counts.
constexpr quint32 kZaRiadok = 23;

void addRow(QByteArray &out, const QByteArray &riadok)
{
    out += riadok;
    out += "\r\n";
}

} // namespace

QByteArray controlFileName(const QByteArray &xml)
{
    QByteArray out;
    addRow(out, "TARIX Personalistika a Mzdy");
    addRow(out, "3.20H3");
    addRow(out, "Norix Software House");

    // The receiver keeps a signed 32-bit sum; unsigned arithmetic wraps the same way.
    quint32 suma = 0;
    int riadkov = 0;
    qsizetype zaciatok = 0;
    do {
        qsizetype koniec = xml.indexOf('\n', zaciatok);
        const qsizetype dalsi = koniec < 0 ? xml.size() : koniec + 1;
        if (koniec < 0)
            koniec = xml.size();
        qsizetype dlzka = koniec - zaciatok;
        if (dlzka > 0 && xml.at(zaciatok + dlzka - 1) == '\r')
            --dlzka;
        const QString riadok = UnicodeUtils::Utf8ToWide(xml.mid(zaciatok, dlzka));
        for (const QChar c : riadok)
            suma += c.unicode();
        suma += kZaRiadok;
        if (++riadkov == kRiadkovVBloku) {
            addRow(out, QByteArray::number(qint32(suma)));
            suma = 0;
            riadkov = 0;
        }
        zaciatok = dalsi;
    } while (zaciatok < xml.size());
    addRow(out, QByteArray::number(qint32(suma)));
    return out;
}

void Zapis_kontrolny_subor(const QString &xmlPath, const QString &checkPath)
{
    QFile f(xmlPath);
    if (!f.open(QIODevice::ReadOnly))
        throw shell::EFileOpenError(xmlPath);
    const QByteArray xml = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw shell::EReadError(xmlPath);
    shell::writeFileAtomically(checkPath, controlFileName(xml));
}

void Zapis_kontrolny_subor(const reports::TMyReportParam &p)
{
    Zapis_kontrolny_subor(p.Vstupny_subor, p.Vystupny_subor);
}

// ---- the statement ------------------------------------------------------------------------------

namespace {

// The insurer's schema of version 2.5: its namespace (with the version) and where its
// schema lies (the namespace without the version, a blank, the schema file).
constexpr char16_t kNamespace25[] = u"http://www.socpoist.sk/xsd/SPVykazPoist/v2.5";
constexpr char16_t kSchemaLocation25[] = u"http://www.socpoist.sk/xsd/SPVykazPoist SPVykazPoist-v2.5.xsd";
constexpr char16_t kXsi[] = u"http://www.w3.org/2001/XMLSchema-instance";

QString wholeNumberText(double v) { return fmt::format(u"%0.0f", {v}); }

} // namespace

QString attachmentSum(double v)
{
    // The annex rounds to the nearest whole number, a half to the even one.
    return QString::number(qint64(std::nearbyint(v)));
}

bool isVersion25(const QString &kodZostavy) { return kodZostavy == u"SPXML/2.5"; }

XmlEmployer loadEmployer(db::Session &session)
{
    const db::SqlResult r = session.run(QStringLiteral(
        "select i.*, (select s.akronym from \":tarix_comm:cis_stat\" s where s.kod3 = i.adr_stat) L_ADR_STAT_AAA "
        "from \":tarix_data:inf\" i"));
    XmlEmployer z;
    if (r.rowCount() == 0)
        return z;
    const auto t = [&](const char *pole) { return db::variantToString(r.value(0, QString::fromLatin1(pole))).trimmed(); };
    z.ICZ = t("ICZ");
    z.ICO = t("ICO");
    z.NAZOV = t("NAZOV");
    z.ADR_ULICA = t("ADR_ULICA");
    z.ADR_CISLO = t("ADR_CISLO");
    z.ADR_ULICA1 = t("ADR_ULICA1");
    z.ADR_PSC = t("ADR_PSC");
    z.ADR_MESTO = t("ADR_MESTO");
    z.ADR_TELEFON = t("ADR_TELEFON");
    z.ADR_FAX = t("ADR_FAX");
    z.ADR_EMAIL = t("ADR_EMAIL");
    z.L_ADR_STAT_AAA = t("L_ADR_STAT_AAA");
    z.NAZOV_BANKY = t("NAZOV_BANKY");
    z.BANKA_U = t("BANKA_U");
    z.PREDCISLO_U = t("PREDCISLO_U");
    z.CISLO_U = t("CISLO_U");
    return z;
}

QByteArray Zapis_xml(const SpStatementData &u)
{
    const bool v25 = isVersion25(u.param.Kod_zostavy);
    const XmlEmployer &z = u.zamestnavatel;
    MyConsts::XmlText x;
    x.Xml_riadok(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    x.Xml_riadok(QStringLiteral("<!-- Vytvorene: dna ") + fmt::shortDate(u.vytvorene.date()) + u' '
                 + fmt::longTime(u.vytvorene.time()) + QStringLiteral(" -->"));
    if (v25) {
        x.Xml_prvy_atribut(QStringLiteral("xmlns"), QString::fromUtf16(kNamespace25));
        x.Xml_pridaj_atribut(QStringLiteral("xmlns:xsi"), QString::fromUtf16(kXsi));
        x.Xml_pridaj_atribut(QStringLiteral("xsi:schemaLocation"), QString::fromUtf16(kSchemaLocation25));
    } else {
        x.Xml_prvy_atribut(QStringLiteral("xmlns:xsi"), QString::fromUtf16(kXsi));
        x.Xml_pridaj_atribut(QStringLiteral("xsi:noNamespaceSchemaLocation"), QStringLiteral("SPVykazPoist_EZU_v2.4.1.xsd"));
    }
    x.Xml_zaciatok_s_atributmi(QStringLiteral("spVykazPoistneho"));
    const auto e = [&](const char *tag, const QString &value) { x.Xml_element(QString::fromLatin1(tag), value); };
    const auto zac = [&](const char *tag) { x.Xml_zaciatok(QString::fromLatin1(tag)); };
    const auto kon = [&](const char *tag) { x.Xml_koniec(QString::fromLatin1(tag)); };
    e("typDoc", QStringLiteral("MVP00001"));
    e("obdobie", MyConsts::Dopln_zlava(QString::number(u.param.Obdobie % 100), 2, u'0')
                     + QString::number(u.param.Obdobie / 100));
    e("typVykazu", QString(u.param.Typ_vykazu));

    zac("zamestnavatel");
    zac("identifikacia");
    e(v25 ? "icz" : "ick", z.ICZ);
    zac("identifikator");
    e("ico", z.ICO);
    kon("identifikator");
    e("nazov", z.NAZOV);
    kon("identifikacia");
    if (v25) {
        zac("korAdresa");
        zac("adresa");
        const MyConsts::SplitAddress a = MyConsts::Rozloz_adresu(z.ADR_ULICA1);
        if (!a.ulica.isEmpty()) {
            e("ulica", a.ulica);
            e("oCislo", a.posledne_cislo);
            if (!a.cislo_pred_lomkou.isEmpty())
                e("supCislo", a.cislo_pred_lomkou);
        } else {
            e("supCislo", a.posledne_cislo);
        }
        e("obec", z.ADR_MESTO);
        e("psc", z.ADR_PSC);
        e("stat", z.L_ADR_STAT_AAA);
        kon("adresa");
    } else {
        zac("sidlo");
        e("ulica", z.ADR_ULICA);
        e("oCislo", z.ADR_CISLO);
        e("psc", z.ADR_PSC);
        e("obec", z.ADR_MESTO);
    }
    e("tel", z.ADR_TELEFON);
    e("fax", z.ADR_FAX);
    e("mail", z.ADR_EMAIL);
    if (v25) {
        kon("korAdresa");
    } else {
        e("stat", QStringLiteral("Slovenská republika"));
        kon("sidlo");
    }
    zac("ucet");
    e("nazovSidloBanky", z.NAZOV_BANKY);
    e("kodBanky", z.BANKA_U);
    e("cisloUctu", MyConsts::Spoj_s_pomlckou(z.PREDCISLO_U, z.CISLO_U));
    kon("ucet");
    kon("zamestnavatel");

    using namespace reports::REXSP1;
    const Suma_SP1 &s = u.sucty[0];
    const auto suma = [&](const char *tag, int slot) { e(tag, wholeNumberText(s[size_t(slot)])); };
    const auto fond = [&](const char *skupina, const char *pocet, int pocetSlot, const char *zamtel, int zamtelSlot,
                          const char *zamnec, int zamnecSlot) {
        zac(skupina);
        suma(pocet, pocetSlot);
        suma(zamtel, zamtelSlot);
        if (zamnec)
            suma(zamnec, zamnecSlot);
        kon(skupina);
    };
    zac("poistne");
    fond("np", "pocZamNP", P_NEMOC, "npZamtel", Z_NEMOC, "npZamnec", O_NEMOC);
    fond("sp", "pocZamSP", P_DOCHOD, "spZamtel", Z_DOCHOD, "spZamnec", O_DOCHOD);
    fond("ip", "pocZamIP", P_INVALID, "ipZamtel", Z_INVALID, "ipZamnec", O_INVALID);
    fond("pvn", "pocZamPvN", P_FONDZAM, "pvnZamtel", Z_FONDZAM, "pvnZamnec", O_FONDZAM);
    fond("up", "pocZamUP", P_URAZ, "upZamtel", Z_URAZ, nullptr, 0);
    fond("gp", "pocZamGP", P_GARANCNE, "gpZamtel", Z_GARANCNE, nullptr, 0);
    if (v25)
        fond("rfs", "pocZamRfs", P_REZERVA, "rfsZamtel", Z_REZERVA, nullptr, 0);
    else
        fond("pdRf", "pocZamPdRF", P_REZERVA, "pdRfZamtel", Z_REZERVA, nullptr, 0);
    suma("spoluPoistne", P_SPOLU);
    kon("poistne");

    if (!v25) {
        zac("davkyNP");
        const auto davka = [&](const char *tag, int prva) {
            // suma, pocetPripadov, pocetDni, pocetZamncov: the slots from the last down.
            zac(tag);
            suma("suma", prva + 3);
            suma("pocetPripadov", prva + 2);
            suma("pocetDni", prva + 1);
            suma("pocetZamncov", prva);
            kon(tag);
        };
        davka("nemocenske", PZ_PN);
        davka("osetrovne", PZ_OCR);
        davka("materske", PZ_MATERSKA);
        davka("vyrovnavaciaDavka", PZ_VYROVDAV);
        suma("spoluDavkyNP", D_SPOLU);
        kon("davkyNP");
        suma("rozdielPoistneDavky", R_SPOLU);
    }

    zac("vystavenie");
    e("zostavil", u.param.Vykaz_zostavil);
    e("datum", fmt::formatDate(u.vytvorene.date(), v25 ? fmt::kDottedDate : fmt::kIsoDate));
    kon("vystavenie");

    zac("priloha");
    zac("poistneZamestnancov");
    int pc = 0;
    for (const reports::REXSP1P::Riadok &r : u.priloha) {
        const auto a = [&](const char *meno, const QString &hodnota) {
            x.Xml_pridaj_atribut(QString::fromLatin1(meno), hodnota);
        };
        x.Xml_prvy_atribut(QStringLiteral("pc"), QString::number(++pc));
        a("rc", r.CALC_BORN_NUMB);
        if (!v25)
            a("pocDeti", QString::number(r.poc_nezaop_deti));
        a("pocDni", QString::number(r.v_dni));
        a("vynimkaVZ", r.vynimka_vz);
        if (v25)
            a("rozsahSP", r.CALC_ROZSAH_SP);
        else
            a("ipNeplati", r.u_invalid == 0 ? QStringLiteral("1") : QStringLiteral("0"));
        a("vzNpGp", attachmentSum(r.n_zaklad_np));
        a(v25 ? "vzSpIpPvn" : "vzSpIpPvnPdrf", attachmentSum(r.n_zaklad_dp));
        a("vzUp", attachmentSum(r.n_zaklad_up));
        a("npZamtel", attachmentSum(r.oz_nemoc));
        a("npZamnec", attachmentSum(r.o_nemoc));
        a("spZamtel", attachmentSum(r.oz_dochod));
        a("spZamnec", attachmentSum(r.o_dochod));
        a("ipZamtel", attachmentSum(r.oz_invalid));
        a("ipZamnec", attachmentSum(r.o_invalid));
        a("pvnZamtel", attachmentSum(r.oz_fondzam));
        a("pvnZamnec", attachmentSum(r.o_fondzam));
        a("upZamtel", attachmentSum(r.oz_uraz));
        x.Xml_prazdny_element(QStringLiteral("poistneZamestnanca"));
    }
    kon("poistneZamestnancov");
    kon("priloha");
    kon("spVykazPoistneho");
    return x.bytes();
}

namespace {

// Both files are built before anything is written, then written one after the other;
// when the second cannot be written the first is removed again, so that neither stays
// and the next run takes the same number.
void writePair(const QString &xmlPath, const QByteArray &xml, const QString &txtPath, const QByteArray &txt)
{
    shell::writeFileAtomically(xmlPath, xml);
    try {
        shell::writeFileAtomically(txtPath, txt);
    } catch (...) {
        QFile::remove(xmlPath);
        throw;
    }
}

} // namespace

QString writeStatement(const reports::TMyReportParam &p, db::Session &session)
{
    SpStatementData u;
    u.param = p;
    u.vytvorene = fmt::now();
    u.zamestnavatel = loadEmployer(session);

    const QString folder = MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramOutputs);
    const QString base = (isVersion25(p.Kod_zostavy) ? QStringLiteral("SPVykaz-v2.5_") : QStringLiteral("SPVykaz_"))
                         + MyConsts::nameComponent(QStringLiteral("IČO"), u.zamestnavatel.ICO) + u'_'
                         + QString::number(p.Obdobie) + u'_';
    if (!QDir().mkpath(folder))
        throw shell::EFileCreateError(folder);
    const int cislo = MyConsts::Volne_cislo_suboru(folder, base, QStringLiteral("xml"), 3);
    if (cislo == 0)
        throw EMyError(QStringLiteral("V priečinku %1 sú obsadené všetky čísla 001 až 999 súborov %2nnn.xml; "
                                      "presuňte staršie výkazy inam.")
                           .arg(QDir::toNativeSeparators(folder), base));
    const QString posledny = MyConsts::Posledny_subor();
    if (!posledny.isEmpty() && !ui::current().askYesNo(Msg(65108, posledny)))
        return {};

    u.sucty = reports::REXSP1::Sucty_vykazu(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do);
    u.priloha = reports::REXSP1P::attachmentRows(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do);
    const QByteArray xml = Zapis_xml(u);
    const QByteArray txt = controlFileName(xml);

    const QString name = base + MyConsts::Dopln_zlava(QString::number(cislo), 3, u'0') + QStringLiteral(".xml");
    const QString xmlPath = folder + name;
    writePair(xmlPath, xml, folder + name.left(name.size() - 4) + QStringLiteral(".txt"), txt);
    return xmlPath;
}

void Export_xml_vykazu(const reports::TMyReportParam &p)
{
    reports::runGuarded([&] {
        const QString path = writeStatement(p, *db::Session::defaultSession());
        if (!path.isEmpty())
            MyConsts::reportFilesWritten(Msg(65151, QDir::toNativeSeparators(path)), {path});
    });
}

} // namespace tarix::filings::RexSpXml
