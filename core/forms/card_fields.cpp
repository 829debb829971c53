#include "core/forms/card_fields.h"

#include "platform/dbctrl/db_check_box.h"
#include "platform/dbctrl/db_combo_box.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_navigator.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>

namespace tarix::core {

using namespace dbctrl;

namespace {

template <class Control>
Control *bind(Control *c, db::DataSource *source, const QString &field)
{
    c->setDataSource(source);
    c->setDataField(field);
    return c;
}

} // namespace

QWidget *Vytvor_formular(QWidget *parent, db::DataSource *source, const QString &prefix,
                         std::initializer_list<PopisPola> fields, int columns)
{
    auto *form = new QWidget(parent);
    auto *grid = new QGridLayout(form);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    int i = 0;
    for (const PopisPola &p : fields) {
        const QString field = QString::fromLatin1(p.pole);
        QWidget *control = nullptr;
        switch (p.druh) {
        case DruhPola::Text: control = bind(new DBEdit(form), source, field); break;
        case DruhPola::Datum: control = bind(new DBDateEdit(form), source, field); break;
        case DruhPola::Zobraz: {
            auto *e = bind(new DBEdit(form), source, field);
            e->setDataReadOnly(true);
            e->setFocusPolicy(Qt::NoFocus);
            control = e;
            break;
        }
        case DruhPola::Logicky: {
            auto *c = bind(new DBCheckBox(form), source, field);
            control = c;
            break;
        }
        case DruhPola::Vyber:
            control = bind(new DBLookupComboBox(form), source, QString::fromLatin1(p.polozky));
            break;
        case DruhPola::Zoznam: {
            auto *c = bind(new DBComboBox(form), source, field);
            c->setItems(QString::fromUtf8(p.polozky).split(u';'));
            control = c;
            break;
        }
        }
        control->setObjectName(prefix + field);
        control->setProperty(kVlastnostPole, field);
        if (p.napoveda) {
            control->setProperty(kVlastnostNapoveda, QString::fromLatin1(p.napoveda));
        }
        const int row = i / columns;
        const int col = (i % columns) * 2;
        auto *label = new QLabel(QString::fromUtf8(p.popis), form);
        label->setBuddy(control);
        grid->addWidget(label, row, col);
        grid->addWidget(control, row, col + 1);
        ++i;
    }
    for (int c = 0; c < columns; ++c)
        grid->setColumnStretch(c * 2 + 1, 1);
    grid->setRowStretch(i / columns + 1, 1);
    return form;
}

DBGrid *Vytvor_mriezku(QWidget *parent, db::DataSource *source, const QString &name,
                       std::initializer_list<StlpecMriezky> columns)
{
    auto *grid = new DBGrid(parent);
    grid->setObjectName(name);
    QVector<DBGridColumn> cols;
    for (const StlpecMriezky &c : columns)
        cols.push_back({QString::fromLatin1(c.pole), QString::fromUtf8(c.titulok), c.sirka, true});
    grid->setColumns(cols);
    grid->setReadOnly(true);
    grid->setDataSource(source);
    return grid;
}

DBNavigator *Vytvor_navigator(QWidget *parent, db::DataSource *source, const QString &name, bool list)
{
    auto *nav = new DBNavigator(parent);
    nav->setObjectName(name);
    nav->setDataSource(source);
    using B = NavigateButton;
    if (list)
        nav->setVisibleButtons({B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete, B::Refresh});
    else
        nav->setVisibleButtons({B::Edit, B::Post, B::Cancel});
    nav->setHints({"Prvý záznam", "Predchádzajúci záznam", "Nasledujúci záznam", "Posledný záznam",
                   "Nový záznam", "Vymazanie záznamu", "Oprava záznamu", "Zápis zmien", "Ignorovanie zmien",
                   "Obnovenie údajov"});
    return nav;
}

QWidget *Najdi_ovladac(QWidget *root, db::DataSource *source, const QString &field)
{
    for (QWidget *w : root->findChildren<QWidget *>()) {
        auto *control = dynamic_cast<DataControl *>(w);
        if (!control || control->dataSource() != source)
            continue;
        if (w->property(kVlastnostPole).toString().compare(field, Qt::CaseInsensitive) == 0
            || control->dataField().compare(field, Qt::CaseInsensitive) == 0)
            return w;
    }
    return nullptr;
}

} // namespace tarix::core
