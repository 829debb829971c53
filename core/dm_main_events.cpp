#include "core/dm_main.h"

namespace tarix::core {

// The events of the module's own tables (firm header, tax bands, period row). Called once
// by the module's constructor.
void Nastav_udalosti_hlavneho_modulu(TDM &dm)
{
    Q_UNUSED(dm);
}

} // namespace tarix::core
