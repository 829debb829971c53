#include "core/helpers/parameters.h"

#include "core/helpers/messages.h"
#include "core/helpers/periods.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/number_format.h"
#include "platform/ini/ini_file.h"
#include "platform/shell/file_errors.h"

#include <QStringList>
#include <stdexcept>
#include <string>

namespace tarix::MyConsts {

namespace {

std::array<Parameter, 100> g_parametre;

// A text from the table must stay on its own line of PARAM.INI.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void writeMirror(ini::IniFile &paramIni)
{
    QStringList lines;
    for (int id = PrvyParameter; id <= PoslednyParameter; ++id) {
        const Parameter &p = g_parametre[id];
        if (p.Id == 0)
            continue;
        lines << QStringLiteral("[PARAMETER %1]").arg(id)
              << QStringLiteral("POPIS=") + oneLine(p.Popis)
              << QStringLiteral("SKRATKA=") + oneLine(p.Skratka)
              << QStringLiteral("HODNOTA=") + fmt::general(p.Hodnota, fmt::Style::point());
    }
    // One atomic write instead of a rewrite of the file per key; the file is only the
    // mirror of the year, so it holds nothing else. A character Windows-1250 cannot hold
    // becomes '?', as in every INI file.
    try {
        codepage::writeCp1250TextFile(paramIni.resolvedFileName(), lines, codepage::Mode::Lenient);
    } catch (const shell::EFileError &) {
        throw EMyError(ini::IniFile::unwritableText(paramIni.resolvedFileName()));
    }
}

} // namespace

std::array<Parameter, 100> &Parametre()
{
    return g_parametre;
}

Parameter &Parametre(int id)
{
    if (id < PrvyParameter || id > PoslednyParameter)
        throw std::out_of_range("parameter id " + std::to_string(id) + " outside 1..99");
    return g_parametre[id];
}

void Nacitaj_parametre(db::Session &session, ini::IniFile &paramIni)
{
    g_parametre.fill(Parameter{});

    const db::SqlResult rows = session.run(QStringLiteral(
        "select ID, SKRATKA, HODNOTA, POPIS from \":tarix_comm:cis_par\" order by ID"));
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (rows.isNull(r, 0))
            continue;
        const qint64 id = rows.asInteger(r, 0);
        if (id < PrvyParameter || id > PoslednyParameter)
            continue;
        Parameter &p = g_parametre[id];
        p.Id = int(id);
        p.Skratka = rows.asString(r, 1).left(MaxDlzkaSkratky);
        p.Hodnota = rows.isNull(r, 2) ? 0.0 : rows.asFloat(r, 2);
        p.Popis = rows.asString(r, 3).left(MaxDlzkaPopisu);
    }

    writeMirror(paramIni);
}

double Hodnota_parametra(const QString &skratka)
{
    for (int id = PrvyParameter; id <= PoslednyParameter; ++id) {
        const Parameter &p = g_parametre[id];
        if (p.Id != 0 && p.Skratka.compare(skratka, Qt::CaseInsensitive) == 0)
            return p.Hodnota;
    }
    throw EMyError(Msg(65128, skratka));
}

void adjustParameter28(int period)
{
    const int year = Rok_obdobia(period);
    const int month = Mesiac_obdobia(period);
    double &bonus = g_parametre[28].Hodnota;
    if (year == 2005)
        bonus = month <= 8 ? 400.0 : 450.0;
    else if (year == 2007)
        bonus = month <= 6 ? 540.0 : 555.0;
    else if (year == 2008)
        bonus = month <= 6 ? 555.0 : 582.0;
}

} // namespace tarix::MyConsts
