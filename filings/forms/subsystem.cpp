#include "filings/forms/subsystem.h"

#include "core/startup_hooks.h"
#include "filings/forms/form_nep1.h"
#include "filings/rex_sp_xml.h"
#include "reports/dispatcher.h"
#include "reports/forms/launcher_commands.h"

namespace tarix::filings {

void registerSubsystem(core::StartupHooks &hooks)
{
    // Each filing registers its routine or menu command here, after the reports it reads.
    core::appendStep(hooks.afterDataModules, [] {
        reports::Register_zostav().Registruj(QString::fromUtf16(reports::kZapisKontrolnehoSuboru),
                                             [](const reports::TMyReportParam &p) { RexSpXml::Zapis_kontrolny_subor(p); });
    });
    registerRegListyCommand();
}

} // namespace tarix::filings
