#include "core/app_state.h"

namespace tarix::core {

namespace {
QChar g_rezimZobrazenia = kZobrazSucasnych;
} // namespace

QChar employeeViewMode() { return g_rezimZobrazenia; }
void setEmployeeViewMode(QChar mode) { g_rezimZobrazenia = mode; }

} // namespace tarix::core
