#include "core/dm_main.h"

namespace tarix::core {

// The editing rules of the code tables (questions before adding and deleting, rows that
// cannot be deleted, calculated texts). Called once by the module's constructor.
void Nastav_udalosti_ciselnikov(TDM &dm)
{
    Q_UNUSED(dm);
}

} // namespace tarix::core
