#pragma once
// The filings' registration: the electronic statements and files for the insurers, the
// tax office and the bank, and their menu commands.
#include "core/startup_hooks.h"

namespace tarix::filings {

void registerSubsystem(core::StartupHooks &hooks);

} // namespace tarix::filings
