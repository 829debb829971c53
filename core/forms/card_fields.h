#pragma once
// The employee card's shorthand for its screen description: forms, list grids and
// navigators made from their tables by the screen builder, as every tab of the card has
// them.
#include "platform/dbctrl/screen_description.h"

#include <QString>
#include <QVector>

class QWidget;

namespace tarix::db {
class DataSource;
}

namespace tarix::dbctrl {
class DBGrid;
class DBNavigator;
} // namespace tarix::dbctrl

namespace tarix::core {

// Property of a control holding the field's hint (shown in the status bar while the
// control has the focus).
inline constexpr const char *kVlastnostNapoveda = dbctrl::kHintProperty;

// A form of the fields laid out in `columns` label/control pairs per row. Each control is
// named prefix + field ("TZAM_Surname").
QWidget *buildForm(QWidget *parent, db::DataSource *source, const QString &prefix,
                         const QVector<dbctrl::ScreenControl> &fields, int columns = 2);

// A list grid over the source, its cells read-only (a grid without detail fields beside it
// takes typing once setReadOnly(false)).
dbctrl::DBGrid *buildGrid(QWidget *parent, db::DataSource *source, const QString &name,
                               const QVector<dbctrl::ScreenColumn> &columns);

// A navigator over the source with the buttons a list (moving, inserting, deleting) or a
// detail (editing, posting, cancelling) needs.
dbctrl::DBNavigator *buildNavigator(QWidget *parent, db::DataSource *source, const QString &name,
                                      bool list);

} // namespace tarix::core
