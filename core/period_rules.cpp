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

QString taxBand(int n) { return QStringLiteral("PASMO_%1").arg(n); }

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

void isNotNumber(const ini::IniFile &ini, const QString &section, const QString &key,
                const QString &value)
{
    MyConsts::Sprava_upozornenie(
        QStringLiteral("Súbor %1: hodnota \"%2\" kľúča %3 v sekcii [%4] nie je číslo, nebola zapísaná.")
            .arg(QFileInfo(ini.fileName()).fileName(), value, key, section));
}

// The value of a key as a number; reports a value that is not one (and gives nothing).
std::optional<double> readYearNumber(const ini::IniFile &ini, const QString &section,
                                 const QString &key, bool *bad)
{
    const QString text = ini.readString(section, key, QString());
    bool ok = true;
    std::optional<double> v = cislo(text, &ok);
    *bad = !ok;
    if (!ok)
        isNotNumber(ini, section, key, text);
    return v;
}

void openWhenClosed(db::Table &t)
{
    if (!t.isActive())
        t.open();
}

} // namespace

int periodExceptionMode(int period) { return period >= 200608 && period <= 200612 ? 1 : 0; }

void Nastav_filter_vynimiek(TDM &dm, int mode)
{
    dm.setExceptionFilterMode(mode);
    dm.CIS5_.setFilter(mode == 1 ? QString::fromLatin1(kFilterVynimiek2006) : QString());
    dm.CIS5_.setFiltered(false);
    if (dm.CIS5_.isActive())
        dm.CIS5_.refresh();
}

void setPeriodExceptionFilter(TDM &dm)
{
    Nastav_filter_vynimiek(dm, periodExceptionMode(dm.Aktualne_obdobie()));
}

void checkYearChange(int rememberedYear, int newYear)
{
    if (newYear == rememberedYear)
        return;
    if (newYear >= 2005 || rememberedYear >= 2005)
        throw EMyError(Msg(65115));
}

QString yearFile(int year) { return QStringLiteral("ROK%1.INI").arg(year); }

ImportOffer importOffer(int year)
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
QList<Pasmo> readBands(const ini::IniFile &ini, const QString &iniPath)
{
    for (const QString &section : {kDanOd, kDanSadzba, kDanSumaplus})
        if (ini.readString(section, taxBand(1), QString()).trimmed().isEmpty())
            throw EMyError(Msg(65130, QFileInfo(iniPath).fileName()));
    QList<Pasmo> bands;
    for (int n = 1;; ++n) {
        if (ini.readString(kDanSumaplus, taxBand(n), QString()).trimmed().isEmpty())
            break;
        bool badOd = false, badSadzba = false, badSuma = false;
        const auto od = readYearNumber(ini, kDanOd, taxBand(n), &badOd);
        const auto sadzba = readYearNumber(ini, kDanSadzba, taxBand(n), &badSadzba);
        const auto suma = readYearNumber(ini, kDanSumaplus, taxBand(n), &badSuma);
        if (badOd || badSadzba || badSuma)
            continue;
        bands << Pasmo{od.value_or(0), sadzba.value_or(0), suma.value_or(0)};
    }
    return bands;
}

QList<QPair<int, double>> readParameters(const ini::IniFile &ini)
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
        const auto value = readYearNumber(ini, section, key, &bad);
        if (bad || !value)
            continue;
        values.append({id, *value});
    }
    return values;
}

// The set-up values by field; the set-up table is left open or closed as it was.
QList<QPair<QString, double>> readSetup(TDM &dm, const ini::IniFile &ini)
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
                isNotNumber(ini, section, key, text);
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
UdajeRoka readYearData(TDM &dm, const QString &iniPath, bool pasma, bool parametre)
{
    const ini::IniFile ini(iniPath);
    UdajeRoka u;
    if (pasma) {
        u.pasma = true;
        u.zoznamPasiem = readBands(ini, iniPath);
    }
    if (parametre) {
        u.parametre = true;
        u.hodnotyParametrov = readParameters(ini);
        u.setup = true;
        u.hodnotySetupu = readSetup(dm, ini);
    }
    return u;
}

// The writes; the caller holds the transaction.
void writeBands(const QList<Pasmo> &bands)
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

void writeParameters(const QList<QPair<int, double>> &values)
{
    for (const auto &[id, value] : values)
        session().execute(QStringLiteral("update \":tarix_comm:cis_par\" set hodnota=:p1 where id=:p2"),
                          {{QStringLiteral("p1"), value}, {QStringLiteral("p2"), id}});
}

void writeSetup(TDM &dm, const QList<QPair<QString, double>> &values)
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

void writeYearData(TDM &dm, const UdajeRoka &u)
{
    if (u.pasma)
        writeBands(u.zoznamPasiem);
    if (u.parametre)
        writeParameters(u.hodnotyParametrov);
    if (u.setup)
        writeSetup(dm, u.hodnotySetupu);
}

// Brings the year's datasets in line with the tables after the writes (or their undoing).
// `setupWasOpen`: the set-up table's state before the import.
void restoreYearTables(TDM &dm, const UdajeRoka &u, bool bandsWereOpen, bool setupWasOpen)
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
void writeInTransaction(TDM &dm, const UdajeRoka &u, const QString &iniPath, F predZapisom)
{
    const bool bandsWereOpen = dm.TDZP_.isActive();
    const bool setupWasOpen = dm.TSET_.isActive();
    // The band table re-reads its rows once they are all written.
    if (u.pasma)
        dm.TDZP_.close();
    try {
        db::Transaction transaction(&session());
        predZapisom();
        writeYearData(dm, u);
        transaction.commit();
    } catch (const std::exception &e) {
        try {
            restoreYearTables(dm, u, bandsWereOpen, setupWasOpen);
        } catch (...) {
        }
        if (!u.pasma && !u.parametre)
            throw;
        throw EMyError(QStringLiteral("Údaje zo súboru %1 sa nepodarilo nastaviť, nič nebolo zmenené: %2")
                           .arg(QFileInfo(iniPath).fileName(), errorText(e)));
    }
    restoreYearTables(dm, u, bandsWereOpen, setupWasOpen);
}

} // namespace

std::optional<YearImport> chooseYearImport(int year, const QString &programFolder)
{
    const ImportOffer offer = importOffer(year);
    if (!offer.pasma && !offer.parametre)
        return std::nullopt;
    const QString name = yearFile(year);
    const QString path = programFolder + name;
    if (offer.lenExistujuci && !QFileInfo::exists(ini::IniFile(path).resolvedFileName()))
        return std::nullopt;
    YearImport choice;
    choice.subor = path;
    choice.pasma = offer.pasma && MyConsts::Otazka_ano_nie(Msg(65131, year, name));
    choice.parametre = offer.parametre && MyConsts::Otazka_ano_nie(Msg(65132, year, name));
    if (!choice.pasma && !choice.parametre)
        return std::nullopt;
    return choice;
}

void offerYearImport(TDM &dm, int year, const QString &programFolder)
{
    if (const auto choice = chooseYearImport(year, programFolder))
        importYear(dm, *choice);
}

void importYear(TDM &dm, const YearImport &choice)
{
    const UdajeRoka u = readYearData(dm, choice.subor, choice.pasma, choice.parametre);
    writeInTransaction(dm, u, choice.subor, [] {});
    if (u.parametre)
        MyConsts::Nacitaj_parametre(session(), paramIni());
}

void Nacitaj_danove_pasma(TDM &dm, const QString &iniPath)
{
    importYear(dm, YearImport{iniPath, true, false});
}

void Nacitaj_parametre_roka(TDM &dm, const QString &iniPath)
{
    const ini::IniFile ini(iniPath);
    UdajeRoka u;
    u.parametre = true;
    u.hodnotyParametrov = readParameters(ini);
    writeInTransaction(dm, u, iniPath, [] {});
}

void Nacitaj_setup_roka(TDM &dm, const QString &iniPath)
{
    const ini::IniFile ini(iniPath);
    UdajeRoka u;
    u.setup = true;
    u.hodnotySetupu = readSetup(dm, ini);
    writeInTransaction(dm, u, iniPath, [] {});
}

void confirmPeriod(TDM &dm, int rememberedYear, int newYear, int newMonth,
                    const QString &programFolder)
{
    if (newMonth < 1 || newMonth > 12)
        throw std::invalid_argument("month outside 1..12");
    checkYearChange(rememberedYear, newYear);

    // The questions and the reading of the year file come before the transaction: nothing is
    // held open while the clerk answers, and a file refused as a whole changes nothing.
    std::optional<YearImport> choice;
    if (newYear != rememberedYear && newYear < 2005)
        choice = chooseYearImport(newYear, programFolder);
    const UdajeRoka u = choice ? readYearData(dm, choice->subor, choice->pasma, choice->parametre)
                               : UdajeRoka{};

    db::Table &privateFolderDb = dm.TPRIV_;
    openWhenClosed(privateFolderDb);
    // The period row and the year's data are kept together or not at all.
    writeInTransaction(dm, u, choice ? choice->subor : QString(), [&] {
        db::EditGuard guard(privateFolderDb);
        privateFolderDb.first();
        if (privateFolderDb.isEmpty()) {
            privateFolderDb.append();
            privateFolderDb.fieldByName(QStringLiteral("SID")).setAsInteger(0);
        } else {
            privateFolderDb.edit();
        }
        privateFolderDb.fieldByName(QStringLiteral("ROK")).setAsInteger(newYear);
        privateFolderDb.fieldByName(QStringLiteral("MESIAC")).setAsInteger(newMonth);
        privateFolderDb.post();
    });
    if (u.parametre)
        MyConsts::Nacitaj_parametre(session(), paramIni());
    const int period = newYear * 100 + newMonth;
    MyConsts::adjustParameter28(period);
    Nastav_filter_vynimiek(dm, periodExceptionMode(period));
}

QList<QPair<int, QString>> costCenterList(TDM &dm)
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

void setCostCenter(TDM &dm, int sid)
{
    db::Table &privateFolderDb = dm.TPRIV_;
    openWhenClosed(privateFolderDb);
    db::EditGuard guard(privateFolderDb);
    privateFolderDb.first();
    if (privateFolderDb.isEmpty())
        throw EMyError(QStringLiteral("Nie je zvolené výplatné obdobie."));
    privateFolderDb.edit();
    privateFolderDb.fieldByName(QStringLiteral("SID")).setAsInteger(sid);
    privateFolderDb.post();
}

} // namespace tarix::core
