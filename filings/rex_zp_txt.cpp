#include "filings/rex_zp_txt.h"

#include "core/dm_main.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/periods.h"
#include "core/helpers/text_utils.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/clock.h"
#include "platform/format/format_pattern.h"
#include "platform/shell/atomic_file.h"
#include "reports/dispatcher.h"
#include "reports/health/zp2005pr.h"
#include "reports/health/zp2005vy.h"
#include "reports/report.h"

#include <QDir>

#include <map>

namespace tarix::filings::RexZpTxt {

using namespace Qt::Literals::StringLiterals;
using reports::HealthSums;
using reports::TMyReportParam;

namespace {

constexpr int kSloty = 99;
const QString kPocetViet = u"%pocet_viet%"_s;

// One line: fields joined by "|", the last followed by CR LF.
class Riadok {
public:
    Riadok &Pole(const QString &text)
    {
        m_polia << text;
        return *this;
    }
    Riadok &Pole(int v) { return Pole(QString::number(v)); }
    QString Posledne_pole(const QString &text) const { return (QStringList(m_polia) << text).join(u'|') + u"\r\n"_s; }

private:
    QStringList m_polia;
};

struct Firma {
    QString NAZOV, ICO, DIC, FO_RC, FO_CPP, ADR_MESTO, ADR_ULICA, ADR_PSC, ADR_STAT, ADR_TELEFON, ADR_FAX, ADR_EMAIL,
        NAZOV_BANKY, PREDCISLO_U, CISLO_U, BANKA_U;
    int FZ_DEN = 0;
};

Firma loadFirm(db::Session &session)
{
    const db::SqlResult r = session.run(u"select * from \":tarix_data:inf\""_s);
    Firma f;
    if (r.rowCount() == 0)
        throw EMyError(u"Parametre zamestnávateľa nie sú vyplnené."_s);
    const auto t = [&](const char *pole) { return r.asString(0, r.columnIndex(QString::fromLatin1(pole))).trimmed(); };
    f.NAZOV = t("NAZOV");
    f.ICO = t("ICO");
    f.DIC = t("DIC");
    f.FO_RC = t("FO_RC");
    f.FO_CPP = t("FO_CPP");
    f.ADR_MESTO = t("ADR_MESTO");
    f.ADR_ULICA = t("ADR_ULICA");
    f.ADR_PSC = t("ADR_PSC");
    f.ADR_STAT = t("ADR_STAT");
    f.ADR_TELEFON = t("ADR_TELEFON");
    f.ADR_FAX = t("ADR_FAX");
    f.ADR_EMAIL = t("ADR_EMAIL");
    f.NAZOV_BANKY = t("NAZOV_BANKY");
    f.PREDCISLO_U = t("PREDCISLO_U");
    f.CISLO_U = t("CISLO_U");
    f.BANKA_U = t("BANKA_U");
    f.FZ_DEN = int(r.asInteger(0, r.columnIndex(u"FZ_DEN"_s)));
    return f;
}

// The DIČ as the insurers take it: without its first "SK", trimmed.
QString Dic(const QString &dic) { return MyConsts::Nahrad_text(dic, u"SK"_s, QString()).trimmed(); }

QString twoDigitText(int v) { return MyConsts::Dopln_zlava(QString::number(v), 2, u'0'); }

QString Datum(const QDate &d) { return QString::number(MyConsts::Datum_ako_cislo(d)); }

QString birthNumber(const QString &rc) { return MyConsts::Odstran_lomky_a_medzery(rc.trimmed()); }

QString batchFolder(int kzp) { return u"ZP"_s + QString::number(kzp); }

QByteArray byteCount(const QString &text) { return codepage::toCp1250(text); }

} // namespace

QString name514(int obdobie) { return u"N514"_s + QString::number(obdobie) + u".001"_s; }

QString name601(const QString &ico, const QDate &den)
{
    return MyConsts::Dopln_zlava(MyConsts::nameComponent(u"IČO"_s, ico), 8, u'0') + Datum(den) + u".601"_s;
}

QString Suma(double v) { return fmt::format(u"%.2f", {v}, fmt::Style::point()); }

Batch batch514(db::Session &session, const TMyReportParam &p, const QDate &dnes)
{
    const std::vector<HealthSums> vykazy =
        reports::ZP2005VY::computeStatements(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do);
    if (int(vykazy.size()) > kSloty)
        throw EMyError(u"Výkaz má %1 zdravotných poisťovní; dávka ich môže obsahovať najviac 99."_s.arg(vykazy.size()));
    const reports::ZP2005VY::Rates sadzby = reports::ZP2005VY::loadRates(session);
    const Firma f = loadFirm(session);
    core::TDM &dm = core::DM();

    // The three header lines of each insurer's statement.
    std::map<int, QString> hlavicky;
    for (const HealthSums &s : vykazy) {
        dm.Nacitaj_udaje_zp(s.kzp);
        const QString platitel = dm.Cislo_platitela_zp(s.kzp);
        const reports::Suma_ZP &r = s.grandTotal();
        QString h = Riadok()
                        .Pole(u"N"_s)
                        .Pole(u"514"_s)
                        .Pole(f.ICO)
                        .Pole(platitel)
                        .Pole(twoDigitText(s.kzp) + twoDigitText(dm.Udaje_cbu.Pobocka_zp))
                        .Pole(Datum(dnes))
                        .Pole(u"1"_s)
                        .Pole(kPocetViet)
                        .Pole(QString())
                        .Posledne_pole(QString());
        h += Riadok()
                 .Pole(p.Obdobie)
                 .Pole(f.FZ_DEN)
                 .Pole(f.NAZOV)
                 .Pole(f.ICO)
                 .Pole(platitel)
                 .Pole(Dic(f.DIC))
                 .Pole(f.ADR_TELEFON)
                 .Pole(f.ADR_FAX)
                 .Pole(f.ADR_EMAIL)
                 .Pole(f.BANKA_U)
                 .Pole(f.PREDCISLO_U)
                 .Posledne_pole(f.CISLO_U);
        h += Riadok()
                 .Pole(r.Pocet_a + r.Pocet_b)
                 .Pole(Suma(sadzby.FZ_ZDRAVOT))
                 .Pole(Suma(sadzby.F_ZDRAVOT))
                 .Pole(Suma(sadzby.FZ_ZDRAVOT1))
                 .Pole(Suma(sadzby.F_ZDRAVOT1))
                 .Pole(r.Pocet_a)
                 .Pole(r.Pocet_b)
                 .Pole(r.Dni_a)
                 .Pole(r.Dni_b)
                 .Pole(Suma(r.Prijem_a))
                 .Pole(Suma(r.Prijem_b))
                 .Pole(Suma(r.Zaklad_a))
                 .Pole(Suma(r.Zaklad_b))
                 .Pole(Suma(r.Oz_zdravot_a))
                 .Pole(Suma(r.O_zdravot_a))
                 .Pole(Suma(r.Oz_zdravot_b))
                 .Pole(Suma(r.O_zdravot_b))
                 .Pole(Suma(r.grandTotal()))
                 .Posledne_pole(QString());
        hlavicky[s.kzp] = h;
    }

    // The employee lines under each insurer's header.
    Batch d;
    const std::vector<reports::ZP2005PR::AttachmentRow> riadky =
        reports::ZP2005PR::attachmentRowsOf(session, p.Obdobie, p.Stredisko_od, p.Stredisko_do);
    for (size_t i = 0; i < riadky.size();) {
        const int kzp = riadky[i].kzp;
        QString telo;
        int c = 0;
        for (; i < riadky.size() && riadky[i].kzp == kzp; ++i) {
            const auto &x = riadky[i];
            telo += Riadok()
                        .Pole(++c)
                        .Pole(birthNumber(x.born_numb))
                        .Pole(x.dni_poist)
                        .Pole(Suma(x.fz_zdravot))
                        .Pole(Suma(x.f_zdravot))
                        .Pole(Suma(x.n_prijem_zp))
                        .Pole(Suma(x.n_zaklad_zp))
                        .Pole(Suma(x.oz_zdravot))
                        .Pole(Suma(x.o_zdravot))
                        .Posledne_pole(Suma(x.oz_zdravot + x.o_zdravot));
        }
        const auto h = hlavicky.find(kzp);
        if (h == hlavicky.end()) {
            d.upozornenia << u"Zdravotná poisťovňa č.%1 nemá výkaz preddavkov, jej súbor nebol vytvorený."_s.arg(kzp);
            continue;
        }
        const QString hlavicka = MyConsts::Nahrad_text(h->second, kPocetViet, QString::number(c));
        d.subory.push_back({kzp, batchFolder(kzp), name514(p.Obdobie), byteCount(hlavicka + telo)});
    }
    return d;
}

Batch Davka_601(db::Session &session, const TMyReportParam &p, const QDate &dnes)
{
    const std::vector<reports::ZP2005PR::InsuredChange> zmeny = reports::ZP2005PR::insuredChanges(
        session, MyConsts::Rok_obdobia(p.Obdobie), MyConsts::Mesiac_obdobia(p.Obdobie));
    Batch d;
    if (zmeny.empty())
        return d;
    const Firma f = loadFirm(session);
    core::TDM &dm = core::DM();
    const QString nazov = name601(f.ICO, dnes);
    for (size_t i = 0; i < zmeny.size();) {
        const int kzp = zmeny[i].kzp;
        QString telo;
        int c = 0;
        for (; i < zmeny.size() && zmeny[i].kzp == kzp; ++i) {
            const auto &x = zmeny[i];
            telo += Riadok()
                        .Pole(++c)
                        .Pole(birthNumber(x.born_numb))
                        .Pole(x.title.trimmed())
                        .Pole(x.name.trimmed())
                        .Pole(x.surname.trimmed())
                        .Pole(x.Kod_zmeny)
                        .Pole(x.Platnost_zmeny)
                        .Pole(Datum(x.Datum_zmeny))
                        .Posledne_pole(QString());
        }
        dm.Nacitaj_udaje_zp(kzp);
        const QString platitel = dm.Cislo_platitela_zp(kzp);
        const QString kod = twoDigitText(kzp);
        const QString pobocka = twoDigitText(dm.Udaje_cbu.Pobocka_zp);
        QString h = Riadok()
                        .Pole(u"N"_s)
                        .Pole(u"601"_s)
                        .Pole(f.ICO)
                        .Pole(dm.Udaje_cbu.Ico)
                        .Pole(kod + pobocka)
                        .Pole(Datum(dnes))
                        .Pole(u"1"_s)
                        .Pole(QString::number(c))
                        .Pole(u"1"_s)
                        .Posledne_pole(u"1"_s);
        h += Riadok()
                 .Pole(platitel)
                 .Pole(kod)
                 .Pole(pobocka)
                 .Pole(MyConsts::Mesiac_obdobia(p.Obdobie))
                 .Pole(MyConsts::Rok_obdobia(p.Obdobie))
                 .Pole(f.NAZOV)
                 .Pole(f.ICO)
                 .Pole(f.FO_RC)
                 .Pole(platitel)
                 .Pole(f.FO_CPP)
                 .Pole(Dic(f.DIC))
                 .Pole(u"PO"_s)
                 .Pole(f.ADR_MESTO)
                 .Pole(QString())
                 .Pole(f.ADR_ULICA)
                 .Pole(f.ADR_PSC)
                 .Pole(dm.Akronym_statu(f.ADR_STAT))
                 .Pole(f.ADR_TELEFON)
                 .Pole(f.ADR_FAX)
                 .Pole(f.ADR_EMAIL)
                 .Pole(f.NAZOV_BANKY)
                 .Pole(f.PREDCISLO_U)
                 .Pole(f.CISLO_U)
                 .Pole(f.BANKA_U)
                 .Posledne_pole(p.Vykaz_zostavil);
        d.subory.push_back({kzp, batchFolder(kzp), nazov, byteCount(h + telo)});
    }
    return d;
}

void writeBatch(const Batch &batch, const QString &folder)
{
    const QDir base(folder);
    shell::AtomicFileSet files;
    for (const BatchFile &s : batch.subory) {
        base.mkpath(s.priecinok);
        files.add(base.filePath(s.priecinok + u'/' + s.nazov), s.obsah);
    }
    files.commit();
}

void Export_davok_zp(const TMyReportParam &p)
{
    reports::runGuarded([&] {
        db::Session &session = *db::Session::defaultSession();
        const bool davka514 = p.Kod_zostavy == u"ZPTXT";
        const QDate dnes = fmt::today();
        const Batch d = davka514 ? batch514(session, p, dnes) : Davka_601(session, p, dnes);
        const QString obdobie = MyConsts::Nazov_mesiaca(MyConsts::Mesiac_obdobia(p.Obdobie), false) + u' '
                                + QString::number(MyConsts::Rok_obdobia(p.Obdobie));
        if (d.subory.empty()) {
            QString dovod = davka514
                                ? u"Za %1 nie sú žiadne údaje pre výkaz preddavkov zdravotným poisťovniam."_s.arg(obdobie)
                                : u"Za %1 nie sú žiadne zmeny poistencov, ktoré treba oznámiť zdravotným poisťovniam."_s
                                      .arg(obdobie);
            for (const QString &u : d.upozornenia)
                dovod += u"\n"_s + u;
            MyConsts::reportNothingWritten(dovod);
            return;
        }
        QString zaklad = MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs);
        writeBatch(d, zaklad);
        QStringList zapisane;
        for (const BatchFile &s : d.subory)
            zapisane << zaklad + s.priecinok + u'/' + s.nazov;
        if (zaklad.endsWith(u'/'))
            zaklad.chop(1);
        // Every insurer's file of one run bears the same name.
        QString sprava = Msg(65093, d.subory.front().nazov, zaklad);
        for (const QString &u : d.upozornenia)
            sprava += u"\n"_s + u;
        MyConsts::reportFilesWritten(sprava, zapisane);
    });
}

void registerHealthBatches()
{
    reports::reportRegister().registerReport(u"RexZpTxt.Export_davok_zp"_s, Export_davok_zp);
}

} // namespace tarix::filings::RexZpTxt
