#include "filings/forms/subsystem.h"

#include "filings/rex_zp_txt.h"

namespace tarix::filings {

void registerSubsystem(core::StartupHooks &hooks)
{
    // Each filing registers its routine or menu command here, after the reports it reads.
    core::appendStep(hooks.afterDataModules, [] { RexZpTxt::Registruj_davky_zp(); });
}

} // namespace tarix::filings
