#include "payroll/forms/subsystem.h"

#include "core/app_ini.h"
#include "core/firm_opening.h"
#include "payroll/forms/form_main_vyp.h"
#include "payroll/ini_settings.h"
#include "payroll/modules.h"

namespace tarix::payroll {

void registerSubsystem(core::StartupHooks &hooks)
{
    registerModules();
    registerCommands();
    // The parameter-33 upgrade takes the compatibility value read from TRX.INI.
    core::appendStep(hooks.afterDataModules,
                     [] { core::setPriplatky([] { return nastavenia().Priplatky; }); });
    core::appendStep(hooks.readCalculationSettings,
                     [] { setNastavenia(Nacitaj_nastavenia(core::trxIni())); });
}

} // namespace tarix::payroll
