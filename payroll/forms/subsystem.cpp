#include "payroll/forms/subsystem.h"

#include "core/app_ini.h"
#include "core/firm_opening.h"
#include "core/forms/main_menu.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "payroll/dm_vyp.h"
#include "payroll/dm_vyp_internal.h"
#include "payroll/forms/form_main_vyp.h"
#include "payroll/forms/settlement_commands.h"
#include "payroll/ini_settings.h"
#include "payroll/modules.h"

namespace tarix::payroll {

void runNetDailyWage()
{
    const int year = detail::Otvorene_obdobie(DMV().TVYP_.session()) / 100;
    if (!MyConsts::Otazka_ano_nie(Msg(65110, year)))
        return;
    // A failure passes to the caller, which shows it; the end message is only for a run
    // that stored every card.
    DMV().Vypocet_cistej_dennej_mzdy(year);
    MyConsts::Sprava_informacia(Msg(65111));
}

void registerNetDailyWageCommand(core::CommandRegistry &commands)
{
    const QString id = QString::fromLatin1(kNetDailyWageCommand);
    if (commands.declares(id))
        commands.add(id, [](const core::CommandContext &) { runNetDailyWage(); });
}

void registerSubsystem(core::StartupHooks &hooks)
{
    registerModules();
    registerCommands();
    registerNetDailyWageCommand(core::mainMenuCommands());
    registerSettlementCommands(core::mainMenuCommands());
    // The parameter-33 upgrade takes the compatibility value read from TRX.INI.
    core::appendStep(hooks.afterDataModules,
                     [] { core::setPriplatky([] { return nastavenia().Priplatky; }); });
    core::appendStep(hooks.readCalculationSettings,
                     [] { setNastavenia(Nacitaj_nastavenia(core::trxIni())); });
}

} // namespace tarix::payroll
