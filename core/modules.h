#pragma once
// The core's data modules, declared with the module registry in the order they are created:
// the main module TDM, the employee module TDMZ, the documents module TDMP.

namespace tarix::core {

void registerModules();

} // namespace tarix::core
