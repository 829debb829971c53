#pragma once
// The calculation's settings from TRX.INI, read once at start-up: the tax surcharge
// table (section "Milionarska_Dan"), the compatibility value `Priplatky` (section
// "Kompatibilita") and the caption text `Doplatky` (section "Texty").
#include "payroll/calc/context.h"

#include <QString>

namespace tarix::ini {
class IniFile;
}

namespace tarix::payroll {

struct IniSettings {
    SurchargeTable milionarskaDan;
    int Priplatky = 1;
    QString Doplatky = QStringLiteral("Doplatky");
};

// Reads the three sections in the program's order.
IniSettings loadSettings(ini::IniFile &trx);

// The settings of this run (defaults until start-up reads them).
const IniSettings &iniSettings();
void setSettings(const IniSettings &settings);

} // namespace tarix::payroll
