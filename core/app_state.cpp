#include "core/app_state.h"

namespace tarix::core {

namespace {
QChar g_rezimZobrazenia = kZobrazSucasnych;
} // namespace

QChar Rezim_zobrazenia_zamestnancov() { return g_rezimZobrazenia; }
void Nastav_rezim_zobrazenia_zamestnancov(QChar mode) { g_rezimZobrazenia = mode; }

} // namespace tarix::core
