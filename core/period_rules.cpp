#include "core/period_rules.h"

#include "core/app_ini.h"
#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/ini/ini_file.h"

#include <QFileInfo>
#include <cmath>
#include <optional>

namespace tarix::core {

namespace {

const QString kDanOd = QStringLiteral("DAN-OD");
const QString kDanSadzba = QStringLiteral("DAN-SADZBA");
const QString kDanSumaplus = QStringLiteral("DAN-SUMAPLUS");

QString pasmo(int n) { return QStringLiteral("PASMO_%1").arg(n); }

// A number as the year files write it: decimal point or comma. Blank: no value.
std::optional<double> cislo(const QString &text, bool *ok)
{
    const QString t = text.trimmed();
    *ok = true;
    if (t.isEmpty())
        return std::nullopt;
    QString normalized = t;
    normalized.replace(u',', u'.');
    const double v = normalized.toDouble(ok);
    if (!*ok)
        return std::nullopt;
    return v;
}

void nieJeCislo(const ini::IniFile &ini, const QString &section, const QString &key,
                const QString &value)
{
    MyConsts::Sprava_upozornenie(
        QStringLiteral("Súbor %1: hodnota \"%2\" kľúča %3 v sekcii [%4] nie je číslo, nebola zapísaná.")
            .arg(QFileInfo(ini.fileName()).fileName(), value, key, section));
}

// The value of a key as a number; reports a value that is not one (and gives nothing).
std::optional<double> citajCislo(const ini::IniFile &ini, const QString &section,
                                 const QString &key, bool *bad)
{
    const QString text = ini.readString(section, key, QString());
    bool ok = true;
    std::optional<double> v = cislo(text, &ok);
    *bad = !ok;
    if (!ok)
        nieJeCislo(ini, section, key, text);
    return v;
}

void openWhenClosed(db::Table &t)
{
    if (!t.isActive())
        t.open();
}

} // namespace

int Rezim_vynimiek_obdobia(int period) { return period >= 200608 && period <= 200612 ? 1 : 0; }

void Nastav_filter_vynimiek(TDM &dm, int mode)
{
    dm.setRezim_filtra_vynimiek(mode);
    dm.CIS5_.setFilter(mode == 1 ? QString::fromLatin1(kFilterVynimiek2006) : QString());
    dm.CIS5_.setFiltered(false);
    if (dm.CIS5_.isActive())
        dm.CIS5_.refresh();
}

void Nastav_filter_vynimiek_obdobia(TDM &dm)
{
    Nastav_filter_vynimiek(dm, Rezim_vynimiek_obdobia(dm.Aktualne_obdobie()));
}

void Over_zmenu_roka(int rememberedYear, int newYear)
{
    if (newYear == rememberedYear)
        return;
    if (newYear >= 2005 || rememberedYear >= 2005)
        throw EMyError(Msg(65115));
}

QString Subor_roka(int year) { return QStringLiteral("ROK%1.INI").arg(year); }

PonukaImportu Ponuka_importu(int year)
{
    if (year >= 2002 && year <= 2004)
        return {true, true, true};
    if (year == 2000 || year == 2001)
        return {true, true, false};
    if (year == 1999)
        return {true, false, false};
    return {};
}

namespace {

struct Pasmo {
    double od, sadzba, sumaplus;
};

// What a year file holds, read and checked before anything is written.
struct UdajeRoka {
    bool pasma = false;
    QList<Pasmo> zoznamPasiem;
    bool parametre = false;
    QList<QPair<int, double>> hodnotyParametrov; // id, value
    bool setup = false;
    QList<QPair<QString, double>> hodnotySetupu;   // field, value
};

// The bands of the file; 65130 when band 1 is missing in any of the three sections.
QList<Pasmo> citajPasma(const ini::IniFile &ini, const QString &iniPath)
{
    for (const QString &section : {kDanOd, kDanSadzba, kDanSumaplus})
        if (ini.readString(section, pasmo(1), QString()).trimmed().isEmpty())
            throw EMyError(Msg(65130, QFileInfo(iniPath).fileName()));
    QList<Pasmo> bands;
    for (int n = 1;; ++n) {
        if (ini.readString(kDanSumaplus, pasmo(n), QString()).trimmed().isEmpty())
            break;
        bool badOd = false, badSadzba = false, badSuma = false;
        const auto od = citajCislo(ini, kDanOd, pasmo(n), &badOd);
        const auto sadzba = citajCislo(ini, kDanSadzba, pasmo(n), &badSadzba);
        const auto suma = citajCislo(ini, kDanSumaplus, pasmo(n), &badSuma);
        if (badOd || badSadzba || badSuma)
            continue;
        bands << Pasmo{od.value_or(0), sadzba.value_or(0), suma.value_or(0)};
    }
    return bands;
}

QList<QPair<int, double>> citajParametre(const ini::IniFile &ini)
{
    const QString section = QStringLiteral("PARAMETRE_NUM");
    const db::SqlResult rows = session().run(QStringLiteral("select id, skratka from \":tarix_comm:cis_par\""));
    QList<QPair<int, double>> values;
    for (const QString &key : ini.keys(section)) {
        int id = -1;
        for (int r = 0; r < rows.rowCount() && id < 0; ++r)
            if (rows.asString(r, 1).compare(key, Qt::CaseInsensitive) == 0)
                id = int(rows.asInteger(r, 0));
        if (id < 0)
            continue;
        bool bad = false;
        const auto value = citajCislo(ini, section, key, &bad);
        if (bad || !value)
            continue;
        values.append({id, *value});
    }
    return values;
}

// The set-up values by field; the set-up table is left open or closed as it was.
QList<QPair<QString, double>> citajSetup(TDM &dm, const ini::IniFile &ini)
{
    const QString section = QStringLiteral("SETUP");
    const QStringList keys = ini.keys(section);
    if (keys.isEmpty())
        return {};
    db::Table &set = dm.TSET_;
    const bool wasOpen = set.isActive();
    openWhenClosed(set);
    QList<QPair<QString, double>> values;
    set.first();
    if (!set.isEmpty()) {
        for (const QString &key : keys) {
            db::Field *f = set.findField(key);
            const bool numeric = f && !f->isCalculated() && !f->isLookup()
                                 && (f->type() == db::FieldType::SmallInt
                                     || f->type() == db::FieldType::Integer
                                     || f->type() == db::FieldType::Float
                                     || f->type() == db::FieldType::Money);
            const QString text = ini.readString(section, key, QString());
            bool ok = true;
            const auto value = cislo(text, &ok);
            const bool integral = f && (f->type() == db::FieldType::SmallInt
                                        || f->type() == db::FieldType::Integer);
            if (!numeric || !ok || !value || (integral && *value != std::trunc(*value))) {
                nieJeCislo(ini, section, key, text);
                continue;
            }
            values.append({f->name(), *value});
        }
    }
    if (!wasOpen)
        set.close();
    return values;
}

// Reads every chosen part of the file (warnings and 65130 come here, before any write).
UdajeRoka citajUdajeRoka(TDM &dm, const QString &iniPath, bool pasma, bool parametre)
{
    const ini::IniFile ini(iniPath);
    UdajeRoka u;
    if (pasma) {
        u.pasma = true;
        u.zoznamPasiem = citajPasma(ini, iniPath);
    }
    if (parametre) {
        u.parametre = true;
        u.hodnotyParametrov = citajParametre(ini);
        u.setup = true;
        u.hodnotySetupu = citajSetup(dm, ini);
    }
    return u;
}

// The writes; the caller holds the transaction.
void zapisPasma(const QList<Pasmo> &bands)
{
    db::Session &s = session();
    s.execute(QStringLiteral("delete from \":tarix_comm:dzp\""));
    for (const Pasmo &b : bands)
        s.execute(QStringLiteral("insert into \":tarix_comm:dzp\" (d_od, d_sadzba, d_sumaplus, "
                                 "d_presah) values (:p1, :p2, :p3, 0)"),
                  {{QStringLiteral("p1"), b.od},
                   {QStringLiteral("p2"), b.sadzba},
                   {QStringLiteral("p3"), b.sumaplus}});
}

void zapisParametre(const QList<QPair<int, double>> &values)
{
    for (const auto &[id, value] : values)
        session().execute(QStringLiteral("update \":tarix_comm:cis_par\" set hodnota=:p1 where id=:p2"),
                          {{QStringLiteral("p1"), value}, {QStringLiteral("p2"), id}});
}

void zapisSetup(TDM &dm, const QList<QPair<QString, double>> &values)
{
    if (values.isEmpty())
        return;
    db::Table &set = dm.TSET_;
    openWhenClosed(set);
    db::EditGuard guard(set);
    set.first();
    if (set.isEmpty())
        return;
    set.edit();
    for (const auto &[name, value] : values) {
        // A value the field refuses (out of its range) throws and the whole import is undone.
        set.fieldByName(name).setAsFloat(value);
    }
    set.post();
}

void zapisUdajeRoka(TDM &dm, const UdajeRoka &u)
{
    if (u.pasma)
        zapisPasma(u.zoznamPasiem);
    if (u.parametre)
        zapisParametre(u.hodnotyParametrov);
    if (u.setup)
        zapisSetup(dm, u.hodnotySetupu);
}

// Brings the year's datasets in line with the tables after the writes (or their undoing).
// `setupWasOpen`: the set-up table's state before the import.
void obnovTabulkyRoka(TDM &dm, const UdajeRoka &u, bool bandsWereOpen, bool setupWasOpen)
{
    if (u.pasma && bandsWereOpen && !dm.TDZP_.isActive())
        dm.TDZP_.open();
    if (u.parametre)
        for (db::Table *t : {&dm.CIS0_, &dm.CIS0X_})
            if (t->isActive())
                t->refresh();
    if (u.setup) {
        if (!setupWasOpen && dm.TSET_.isActive())
            dm.TSET_.close();
        else if (dm.TSET_.isActive())
            dm.TSET_.refresh();
    }
}

// Writes the year's data in one transaction; `predZapisom` runs first inside it (the period
// row). A failure leaves every table as it was and is reported as the import's failure.
template <typename F>
void zapisVTransakcii(TDM &dm, const UdajeRoka &u, const QString &iniPath, F predZapisom)
{
    const bool bandsWereOpen = dm.TDZP_.isActive();
    const bool setupWasOpen = dm.TSET_.isActive();
    // The band table re-reads its rows once they are all written.
    if (u.pasma)
        dm.TDZP_.close();
    try {
        db::Transaction transaction(&session());
        predZapisom();
        zapisUdajeRoka(dm, u);
        transaction.commit();
    } catch (const std::exception &e) {
        try {
            obnovTabulkyRoka(dm, u, bandsWereOpen, setupWasOpen);
        } catch (...) {
        }
        if (!u.pasma && !u.parametre)
            throw;
        throw EMyError(QStringLiteral("Údaje zo súboru %1 sa nepodarilo nastaviť, nič nebolo zmenené: %2")
                           .arg(QFileInfo(iniPath).fileName(), errorText(e)));
    }
    obnovTabulkyRoka(dm, u, bandsWereOpen, setupWasOpen);
}

} // namespace

std::optional<ImportRoka> Zvol_import_roka(int year, const QString &programFolder)
{
    const PonukaImportu offer = Ponuka_importu(year);
    if (!offer.pasma && !offer.parametre)
        return std::nullopt;
    const QString name = Subor_roka(year);
    const QString path = programFolder + name;
    if (offer.lenExistujuci && !QFileInfo::exists(ini::IniFile(path).resolvedFileName()))
        return std::nullopt;
    ImportRoka choice;
    choice.subor = path;
    choice.pasma = offer.pasma && MyConsts::Otazka_ano_nie(Msg(65131, year, name));
    choice.parametre = offer.parametre && MyConsts::Otazka_ano_nie(Msg(65132, year, name));
    if (!choice.pasma && !choice.parametre)
        return std::nullopt;
    return choice;
}

void Ponukni_import_roka(TDM &dm, int year, const QString &programFolder)
{
    if (const auto choice = Zvol_import_roka(year, programFolder))
        Importuj_rok(dm, *choice);
}

void Importuj_rok(TDM &dm, const ImportRoka &choice)
{
    const UdajeRoka u = citajUdajeRoka(dm, choice.subor, choice.pasma, choice.parametre);
    zapisVTransakcii(dm, u, choice.subor, [] {});
    if (u.parametre)
        MyConsts::Nacitaj_parametre(session(), paramIni());
}

void Nacitaj_danove_pasma(TDM &dm, const QString &iniPath)
{
    Importuj_rok(dm, ImportRoka{iniPath, true, false});
}

void Nacitaj_parametre_roka(TDM &dm, const QString &iniPath)
{
    const ini::IniFile ini(iniPath);
    UdajeRoka u;
    u.parametre = true;
    u.hodnotyParametrov = citajParametre(ini);
    zapisVTransakcii(dm, u, iniPath, [] {});
}

void Nacitaj_setup_roka(TDM &dm, const QString &iniPath)
{
    const ini::IniFile ini(iniPath);
    UdajeRoka u;
    u.setup = true;
    u.hodnotySetupu = citajSetup(dm, ini);
    zapisVTransakcii(dm, u, iniPath, [] {});
}

void Potvrd_obdobie(TDM &dm, int rememberedYear, int newYear, int newMonth,
                    const QString &programFolder)
{
    if (newMonth < 1 || newMonth > 12)
        throw std::invalid_argument("month outside 1..12");
    Over_zmenu_roka(rememberedYear, newYear);

    // The questions and the reading of the year file come before the transaction: nothing is
    // held open while the clerk answers, and a file refused as a whole changes nothing.
    std::optional<ImportRoka> choice;
    if (newYear != rememberedYear && newYear < 2005)
        choice = Zvol_import_roka(newYear, programFolder);
    const UdajeRoka u = choice ? citajUdajeRoka(dm, choice->subor, choice->pasma, choice->parametre)
                               : UdajeRoka{};

    db::Table &priv = dm.TPRIV_;
    openWhenClosed(priv);
    // The period row and the year's data are kept together or not at all.
    zapisVTransakcii(dm, u, choice ? choice->subor : QString(), [&] {
        db::EditGuard guard(priv);
        priv.first();
        if (priv.isEmpty()) {
            priv.append();
            priv.fieldByName(QStringLiteral("SID")).setAsInteger(0);
        } else {
            priv.edit();
        }
        priv.fieldByName(QStringLiteral("ROK")).setAsInteger(newYear);
        priv.fieldByName(QStringLiteral("MESIAC")).setAsInteger(newMonth);
        priv.post();
    });
    if (u.parametre)
        MyConsts::Nacitaj_parametre(session(), paramIni());
    const int period = newYear * 100 + newMonth;
    MyConsts::Uprav_parameter_28(period);
    Nastav_filter_vynimiek(dm, Rezim_vynimiek_obdobia(period));
}

QList<QPair<int, QString>> Zoznam_stredisk(TDM &dm)
{
    if (dm.CIS2_.isActive())
        dm.CIS2_.setFiltered(false);
    QList<QPair<int, QString>> list;
    const db::SqlResult rows =
        session().run(QStringLiteral("select id, nazov from \":tarix_data:cis_vm\" order by id"));
    for (int r = 0; r < rows.rowCount(); ++r)
        list.append({int(rows.asInteger(r, 0)), rows.asString(r, 1)});
    return list;
}

void Nastav_stredisko(TDM &dm, int sid)
{
    db::Table &priv = dm.TPRIV_;
    openWhenClosed(priv);
    db::EditGuard guard(priv);
    priv.first();
    if (priv.isEmpty())
        throw EMyError(QStringLiteral("Nie je zvolené výplatné obdobie."));
    priv.edit();
    priv.fieldByName(QStringLiteral("SID")).setAsInteger(sid);
    priv.post();
}

} // namespace tarix::core
