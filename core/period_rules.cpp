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

void Ponukni_import_roka(TDM &dm, int year, const QString &programFolder)
{
    const PonukaImportu offer = Ponuka_importu(year);
    if (!offer.pasma && !offer.parametre)
        return;
    const QString name = Subor_roka(year);
    const QString path = programFolder + name;
    if (offer.lenExistujuci && !QFileInfo::exists(ini::IniFile(path).resolvedFileName()))
        return;
    if (offer.pasma && MyConsts::Otazka_ano_nie(Msg(65131, year, name)))
        Nacitaj_danove_pasma(dm, path);
    if (offer.parametre && MyConsts::Otazka_ano_nie(Msg(65132, year, name))) {
        Nacitaj_parametre_roka(dm, path);
        Nacitaj_setup_roka(dm, path);
        MyConsts::Nacitaj_parametre(session(), paramIni());
    }
}

void Nacitaj_danove_pasma(TDM &dm, const QString &iniPath)
{
    const ini::IniFile ini(iniPath);
    for (const QString &section : {kDanOd, kDanSadzba, kDanSumaplus})
        if (ini.readString(section, pasmo(1), QString()).trimmed().isEmpty())
            throw EMyError(Msg(65130, QFileInfo(iniPath).fileName()));

    struct Band {
        double od, sadzba, sumaplus;
    };
    QList<Band> bands;
    for (int n = 1;; ++n) {
        if (ini.readString(kDanSumaplus, pasmo(n), QString()).trimmed().isEmpty())
            break;
        bool badOd = false, badSadzba = false, badSuma = false;
        const auto od = citajCislo(ini, kDanOd, pasmo(n), &badOd);
        const auto sadzba = citajCislo(ini, kDanSadzba, pasmo(n), &badSadzba);
        const auto suma = citajCislo(ini, kDanSumaplus, pasmo(n), &badSuma);
        if (badOd || badSadzba || badSuma)
            continue;
        bands << Band{od.value_or(0), sadzba.value_or(0), suma.value_or(0)};
    }

    const bool wasOpen = dm.TDZP_.isActive();
    dm.TDZP_.close();
    db::Session &s = session();
    {
        db::Transaction transaction(&s);
        s.execute(QStringLiteral("delete from \":tarix_comm:dzp\""));
        for (const Band &b : bands)
            s.execute(QStringLiteral("insert into \":tarix_comm:dzp\" (d_od, d_sadzba, d_sumaplus, "
                                     "d_presah) values (:p1, :p2, :p3, 0)"),
                      {{QStringLiteral("p1"), b.od},
                       {QStringLiteral("p2"), b.sadzba},
                       {QStringLiteral("p3"), b.sumaplus}});
        transaction.commit();
    }
    if (wasOpen)
        dm.TDZP_.open();
}

void Nacitaj_parametre_roka(TDM &dm, const QString &iniPath)
{
    const ini::IniFile ini(iniPath);
    const QString section = QStringLiteral("PARAMETRE_NUM");
    db::Session &s = session();
    const db::SqlResult rows = s.run(QStringLiteral("select id, skratka from \":tarix_comm:cis_par\""));
    bool changed = false;
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
        s.execute(QStringLiteral("update \":tarix_comm:cis_par\" set hodnota=:p1 where id=:p2"),
                  {{QStringLiteral("p1"), *value}, {QStringLiteral("p2"), id}});
        changed = true;
    }
    if (changed)
        for (db::Table *t : {&dm.CIS0_, &dm.CIS0X_})
            if (t->isActive())
                t->refresh();
}

void Nacitaj_setup_roka(TDM &dm, const QString &iniPath)
{
    const ini::IniFile ini(iniPath);
    const QString section = QStringLiteral("SETUP");
    const QStringList keys = ini.keys(section);
    if (keys.isEmpty())
        return;
    db::Table &set = dm.TSET_;
    const bool wasOpen = set.isActive();
    openWhenClosed(set);
    db::EditGuard guard(set);
    set.first();
    if (set.isEmpty())
        return;
    set.edit();
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
        if (!numeric || !ok || !value || (integral && *value != double(qint64(*value)))) {
            nieJeCislo(ini, section, key, text);
            continue;
        }
        if (integral)
            f->setAsInteger(qint64(*value));
        else
            f->setAsFloat(*value);
    }
    set.post();
    if (!wasOpen)
        set.close();
}

void Potvrd_obdobie(TDM &dm, int rememberedYear, int newYear, int newMonth,
                    const QString &programFolder)
{
    if (newMonth < 1 || newMonth > 12)
        throw std::invalid_argument("month outside 1..12");
    Over_zmenu_roka(rememberedYear, newYear);

    db::Table &priv = dm.TPRIV_;
    openWhenClosed(priv);
    {
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
    }
    const int period = newYear * 100 + newMonth;
    MyConsts::Uprav_parameter_28(period);
    if (newYear != rememberedYear && newYear < 2005)
        Ponukni_import_roka(dm, newYear, programFolder);
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
