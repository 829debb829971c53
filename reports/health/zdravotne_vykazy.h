#pragma once
// Registers the health-insurance statements' routines with the report dispatcher.
namespace tarix::reports {
void registerHealthStatements();
}
