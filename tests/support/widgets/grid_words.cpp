#include "support/widgets/grid_words.h"

#include "platform/db/field.h"
#include "platform/dbctrl/db_grid.h"

#include <QHeaderView>

namespace tarix::test {

namespace {

// A title nobody gave: the field's own name, or a name with the underscores of a field name.
bool titledByFieldName(const QString &title, const QString &field, const db::Field *f)
{
    if (title.contains(u'_'))
        return true;
    return title.compare(field, Qt::CaseInsensitive) == 0 && !(f && f->hasLabel());
}

} // namespace

QStringList gridWordFaults(const QString &where, const dbctrl::DBGrid &grid, bool widths)
{
    QStringList faults;
    const dbctrl::DBGridModel &m = *grid.gridModel();
    const QHeaderView *header = grid.horizontalHeader();
    const QString at = where + u'/' + grid.objectName() + u' ';
    constexpr int kRowsLooked = 40;
    for (int c = 0; c < m.columnCount(); ++c) {
        if (grid.isColumnHidden(c))
            continue;
        const QString title = m.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString field = m.effectiveColumns()[c].fieldName;
        if (titledByFieldName(title, field, m.declaredField(c)))
            faults << at + QStringLiteral("titled by the field name ") + title;
        if (widths && grid.columnWidth(c) < header->sectionSizeHint(c))
            faults << at + QStringLiteral("title cut: ") + title;
        for (int r = 0; r < qMin(m.rowCount(), kRowsLooked); ++r) {
            const QString text = m.data(m.index(r, c), Qt::DisplayRole).toString();
            if (text == QLatin1String("True") || text == QLatin1String("False"))
                faults << at + title + QStringLiteral(" shows ") + text;
            // A column sized by its values; a text wider than the widest column may be cut.
            if (widths && m.effectiveColumns()[c].width < 0
                && grid.columnWidth(c) < dbctrl::DBGrid::kWidestColumn
                && grid.fontMetrics().horizontalAdvance(text) + 6 > grid.columnWidth(c))
                faults << at + title + QStringLiteral(" cuts ") + text;
        }
    }
    faults.removeDuplicates();
    return faults;
}

} // namespace tarix::test
