#pragma once
// The reports' registration: the report classes of the dispatcher and printing from the
// payroll screen.
#include "core/startup_hooks.h"

namespace tarix::reports {

void registerSubsystem(core::StartupHooks &hooks);

} // namespace tarix::reports
