#pragma once
// The additional suite: the visio "OwnerDraw", whose cells its owner paints. It stands in
// the registry under its name; what it paints comes with the section visios.
#include "components/grid/plugin/dbgp.h"

namespace tarix::grid {

class TOwnerDrawVisio : public TSectionVisio {
public:
    explicit TOwnerDrawVisio(GridSection &section) : TSectionVisio(section, staticClass()) {}
    static const VisioClass &staticClass();
};

} // namespace tarix::grid
