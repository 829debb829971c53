#include "payroll/forms/settlement_commands.h"

#include "core/dm_main.h"
#include "core/forms/form_obdobie.h"
#include "core/forms/main_window_pages.h"
#include "core/helpers/app_paths.h"
#include "payroll/dm_v.h"
#include "payroll/forms/hsv_page.h"
#include "payroll/forms/rzp_pages.h"
#include "platform/errors.h"
#include "platform/ui/user_interface.h"

namespace tarix::payroll {

void runBulkProcessing(QWidget *owner)
{
    if (core::hasDM())
        core::runPeriodChoice(core::DM(), core::appPaths().programFolder, owner);
    try {
        ui::BusyCursorScope busy;
        DMV().Napln_hsv();
    } catch (const EAbort &) {
        return; // a closed month: its message was shown
    }
    // The main window's bulk-entry page, filled, with the firm's surcharge titles.
    if (auto *page = qobject_cast<THsvPage *>(core::mainWindowPage(QString::fromLatin1(kBulkEntryPage)))) {
        page->setSurchargeColumns();
        core::showMainWindowPage(QString::fromLatin1(kBulkEntryPage));
    }
}

void showAnnualSettlement()
{
    auto *stranky = qobject_cast<TRzpPages *>(core::mainWindowPage(QString::fromLatin1(kSettlementPage)));
    if (!stranky)
        return;
    // The employee list with its filter first, so that the settlement follows the employee
    // chosen there; then the open year's form.
    core::showMainWindowPage(QString::fromLatin1(kSettlementPage));
    stranky->showRzpPage(core::DM().Aktualny_rok());
}

void registerSettlementCommands(core::CommandRegistry &commands)
{
    auto add = [&commands](const char *id, core::CommandHandler run) {
        if (commands.declares(QString::fromLatin1(id)))
            commands.add(QString::fromLatin1(id), std::move(run));
    };
    add(kBulkEntryCommand, [](const core::CommandContext &c) { runBulkProcessing(c.owner); });
    if (commands.declares(QString::fromLatin1(kSettlementCommand)))
        commands.add(
            QString::fromLatin1(kSettlementCommand), [](const core::CommandContext &) { showAnnualSettlement(); },
            [] { return hasDMV() && core::mainWindowPage(QString::fromLatin1(kSettlementPage)); });
    add(kTaxPostingCommand, [](const core::CommandContext &) { DMV().Zauctovanie_preplatkov_dane(); });
    add(kHealthPostingCommand, [](const core::CommandContext &) { DMV().Zauctovanie_preplatkov_zp(); });
}

} // namespace tarix::payroll
