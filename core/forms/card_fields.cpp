#include "core/forms/card_fields.h"

#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_navigator.h"
#include "platform/dbctrl/screen_builder.h"

namespace tarix::core {

using namespace dbctrl;

QWidget *buildForm(QWidget *parent, db::DataSource *source, const QString &prefix,
                         const QVector<ScreenControl> &fields, int columns)
{
    ScreenBuilder builder(source, prefix);
    builder.colorRolesByKind = true;
    return builder.group({.columns = columns, .controls = fields}, parent);
}

DBGrid *buildGrid(QWidget *parent, db::DataSource *source, const QString &name,
                       const QVector<ScreenColumn> &columns)
{
    return ScreenBuilder(source).grid(
        {.kind = ControlKind::Grid, .readOnly = true, .name = name, .columns = columns, .color = ColorRole::Pozadie},
        parent);
}

DBNavigator *buildNavigator(QWidget *parent, db::DataSource *source, const QString &name, bool list)
{
    using B = NavigateButton;
    return ScreenBuilder(source).navigator(
        {.kind = ControlKind::Navigator,
         .name = name,
         .buttons = list ? QList<B>{B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete, B::Refresh}
                         : QList<B>{B::Edit, B::Post, B::Cancel},
         .hints = {"Prvý záznam", "Predchádzajúci záznam", "Nasledujúci záznam", "Posledný záznam", "Nový záznam",
                   "Vymazanie záznamu", "Oprava záznamu", "Zápis zmien", "Ignorovanie zmien", "Obnovenie údajov"}},
        parent);
}

} // namespace tarix::core
