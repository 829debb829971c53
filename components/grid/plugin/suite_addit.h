#pragma once
// The additional suite: the visio "OwnerDraw", whose cells its owner fills through OnDraw.
#include "components/grid/plugin/custom_visio.h"

namespace tarix::grid {

class TOwnerDrawVisio : public TCustomVisio {
public:
    explicit TOwnerDrawVisio(GridSection &section) : TCustomVisio(section, staticClass()) {}
    static const VisioClass &staticClass();

    std::function<void(TCustomVisio &, int &imageIndex, QString &text, CellFont &font)> OnDraw;

    // OnDraw's answer; without it -1 and "sample".
    void GetVisioData(int &imageIndex, QString &text, CellFont &font) override;
};

} // namespace tarix::grid
