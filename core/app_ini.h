#pragma once
// The two INI files of the program folder that live for the whole run: TRX.INI (network
// root, import folder, colours and the calculation's settings) and PARAM.INI (the mirror
// of the open year's statutory parameters, written only).
#include "platform/ini/ini_file.h"

class QObject;

namespace tarix::core {

void openAppIni(const QString &programFolder);
ini::IniFile &trxIni();
ini::IniFile &paramIni();

// Reports every value of TRX.INI that could not be read (section, key, value) once,
// as a warning; the program goes on with the defaults.
void reportIniProblems(ini::IniFile &file);

// Recolours a window from section "COLOR" of TRX.INI (MyConsts::Nastav_farby_formulara);
// without an open TRX.INI the window keeps its colours.
// True when the section gives the input fields colours of their own.
bool Nastav_farby_formulara(QObject *form);

} // namespace tarix::core
