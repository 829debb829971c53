#pragma once
// The state one run of the program shares between its windows and modules. Each kind has
// one home; this header keeps the kinds that had none and names the homes of the others:
//
//   the installation's folders      core/helpers/app_paths.h   appPaths(); set at start-up,
//                                   opening a firm re-points the firm and year folders
//   TRX.INI and PARAM.INI           core/app_ini.h             trxIni(), paramIni()
//   the calculation's settings      payroll/ini_settings.h     nastavenia(), read from
//                                   TRX.INI once the main window is shown; the data upgrades
//                                   reach its Priplatky through core::Priplatky()
//   the session and its aliases     core/session.h             session(), kAliasData ...
//   the open firm and year          core/firm_opening.h        openedFirm()
//   the open period, cost centre    the private table Priv     TDM::Aktualne_obdobie(),
//                                   (core/dm_main.h)           Aktualne_stredisko() ...
//   the year's statutory values     core/helpers/parameters.h  MyConsts::Parametre()
//   the output folder of the firm   core/helpers/file_choice.h MyConsts::outputFolder()
//   the data modules                DM(), DMZ(), DMP() (core), DMV() (payroll)
//   the main menu's commands        core/commands.h, filled by each subsystem's
//                                   registerCommands()
//   the employee lists' mode        here
#include <QChar>

namespace tarix::core {

// ---- the employee lists' display mode -----------------------------------------------------------

// What the employee lists show: the current employees, those who left, or all. The clerk
// chooses it on the main window ("Zamestnanci - zobrazovanie"); the main window's list and
// the report parameter dialog's employee list both follow it.
inline constexpr QChar kZobrazSucasnych = u'S';
inline constexpr QChar kZobrazVyradenych = u'V';
inline constexpr QChar kZobrazVsetkych = u'A';

// The mode of this run; a run starts with the current employees.
QChar employeeViewMode();
void setEmployeeViewMode(QChar mode);

} // namespace tarix::core
