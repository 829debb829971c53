#include "payroll/ini_settings.h"

#include "platform/ini/ini_file.h"

namespace tarix::payroll {

namespace {
IniSettings g_settings;
}

IniSettings loadSettings(ini::IniFile &trx)
{
    IniSettings s;
    s.milionarskaDan = SurchargeTable::Nacitaj_milionarsku_dan(
        [&trx](const QString &key, int def) {
            return trx.readInteger(QStringLiteral("Milionarska_Dan"), key, def);
        });
    s.Priplatky = trx.readInteger(QStringLiteral("Kompatibilita"), QStringLiteral("Priplatky"), 1);
    s.Doplatky = trx.readString(QStringLiteral("Texty"), QStringLiteral("Doplatky"),
                                QStringLiteral("Doplatky"))
                     .left(64);
    return s;
}

const IniSettings &iniSettings() { return g_settings; }
void setSettings(const IniSettings &settings) { g_settings = settings; }

} // namespace tarix::payroll
