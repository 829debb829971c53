#include "core/app_ini.h"

#include "core/helpers/dialogs.h"
#include "core/helpers/form_colors.h"

#include <QFileInfo>
#include <memory>

namespace tarix::core {

namespace {
std::unique_ptr<ini::IniFile> g_trx;
std::unique_ptr<ini::IniFile> g_param;
} // namespace

void openAppIni(const QString &programFolder)
{
    g_trx = std::make_unique<ini::IniFile>(programFolder + "TRX.INI");
    g_param = std::make_unique<ini::IniFile>(programFolder + "PARAM.INI");
}

ini::IniFile &trxIni()
{
    if (!g_trx)
        throw std::logic_error("TRX.INI is not open");
    return *g_trx;
}

ini::IniFile &paramIni()
{
    if (!g_param)
        throw std::logic_error("PARAM.INI is not open");
    return *g_param;
}

void reportIniProblems(ini::IniFile &file)
{
    const auto problems = file.problems();
    if (problems.isEmpty())
        return;
    QStringList lines;
    for (const auto &p : problems)
        lines << QStringLiteral("[%1] %2 = %3").arg(p.section, p.key, p.value);
    MyConsts::Sprava_upozornenie(
        QStringLiteral("Niektoré hodnoty súboru %1 nie je možné prečítať, platia pre ne "
                       "predvolené hodnoty:\n%2")
            .arg(QFileInfo(file.resolvedFileName()).fileName(), lines.join('\n')));
    file.clearProblems();
}

bool Nastav_farby_formulara(QObject *form)
{
    if (!g_trx)
        return false;
    const MyConsts::FormColors colors = MyConsts::readFormColors(*g_trx);
    MyConsts::Nastav_farby_formulara(form, colors);
    return colors.pole1 != -1 || colors.pole2 != -1;
}

} // namespace tarix::core
