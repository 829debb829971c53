// TARIX: personnel and payroll program.
#include "core/app_ini.h"
#include "core/dm_all.h"
#include "core/firm_opening.h"
#include "core/forms/startup.h"
#include "core/modules.h"
#include "payroll/dm_vyp.h"
#include "payroll/forms/form_main_vyp.h"
#include "payroll/ini_settings.h"
#include "payroll/modules.h"
#include "reports/forms/payroll_print.h"
#include "reports/payslips/vyplatna_paska.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Each subsystem's commands.
    tarix::payroll::registerCommands();
    tarix::reports::registerCommands();

    // The data modules in the program's order: each subsystem declares its own after those
    // of the subsystems it builds on.
    tarix::core::registerModules();
    tarix::payroll::registerModules();

    tarix::core::StartupHooks hooks;
    hooks.afterDataModules = [] {
        tarix::core::DMA().Registruj_tabulky();
        tarix::reports::Registruj_vyplatne_pasky();
        // The parameter-33 upgrade takes the compatibility value read from TRX.INI.
        tarix::core::setPriplatky([] { return tarix::payroll::nastavenia().Priplatky; });
    };
    hooks.readCalculationSettings = [] {
        tarix::payroll::setNastavenia(tarix::payroll::Nacitaj_nastavenia(tarix::core::trxIni()));
    };
    return tarix::core::runProgram(app, hooks);
}
