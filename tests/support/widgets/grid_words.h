#pragma once
// What a clerk reads in a grid: every column titled in words (never a field's name), the
// title whole, a logical field as a check box rather than "True"/"False", and a value not
// cut where the column could grow.
#include <QString>
#include <QStringList>

namespace tarix::dbctrl {
class DBGrid;
}

namespace tarix::test {

// What is wrong with the grid's words, one line each, beginning with `where` and the
// grid's name. The widths (titles and values cut) are looked at only with `widths`: a grid
// that is not shown has none yet.
QStringList gridWordFaults(const QString &where, const dbctrl::DBGrid &grid, bool widths = true);

} // namespace tarix::test
