#include "components/grid/plugin/suite_addit.h"

namespace tarix::grid {

const VisioClass &TOwnerDrawVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TOwnerDrawVisio>(
        "TOwnerDrawVisio", "OwnerDraw", "Additional", "The owner draw visio.", "1.0");
    return cls;
}

} // namespace tarix::grid

namespace tarix::grid {

void TOwnerDrawVisio::GetVisioData(int &imageIndex, QString &text, CellFont &font)
{
    if (OnDraw) {
        OnDraw(*this, imageIndex, text, font);
        return;
    }
    imageIndex = -1;
    text = QStringLiteral("sample");
}

} // namespace tarix::grid
