#include "filings/forms/subsystem.h"

namespace tarix::filings {

void registerSubsystem(core::StartupHooks &hooks)
{
    // Each filing registers its routine or menu command here, after the reports it reads.
    (void)hooks;
}

} // namespace tarix::filings
