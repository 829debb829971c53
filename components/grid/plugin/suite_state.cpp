#include "components/grid/plugin/suite_state.h"

namespace tarix::grid {

const VisioClass &TIStateVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TIStateVisio>(
        "TIStateVisio", "I-State", "State Visios", "The State visio based on integer data type.", "1.2");
    return cls;
}

const VisioClass &TSStateVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TSStateVisio>(
        "TSStateVisio", "S-State", "State Visios", "The State visio based on string data type.", "1.2");
    return cls;
}

const VisioClass &TBStateVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TBStateVisio>(
        "TBStateVisio", "B-State", "State Visios", "The State visio based on boolean data type.", "1.2");
    return cls;
}

} // namespace tarix::grid
