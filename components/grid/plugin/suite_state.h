#pragma once
// The state visios "I-State", "S-State" and "B-State" (a field's integer, text or logical
// value shown and switched as one of a list of states). Each stands in the registry under
// its name; what it paints and edits comes with the state visios.
#include "components/grid/plugin/dbgp.h"

namespace tarix::grid {

class TIStateVisio : public TSectionVisio {
public:
    explicit TIStateVisio(GridSection &section) : TSectionVisio(section, staticClass()) {}
    static const VisioClass &staticClass();
};

class TSStateVisio : public TSectionVisio {
public:
    explicit TSStateVisio(GridSection &section) : TSectionVisio(section, staticClass()) {}
    static const VisioClass &staticClass();
};

class TBStateVisio : public TSectionVisio {
public:
    explicit TBStateVisio(GridSection &section) : TSectionVisio(section, staticClass()) {}
    static const VisioClass &staticClass();
};

} // namespace tarix::grid
