#include "components/grid/plugin/suite_addit.h"

namespace tarix::grid {

const VisioClass &TOwnerDrawVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TOwnerDrawVisio>(
        "TOwnerDrawVisio", "OwnerDraw", "Additional", "The owner draw visio.", "1.0");
    return cls;
}

} // namespace tarix::grid
