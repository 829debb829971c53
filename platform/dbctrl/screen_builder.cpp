#include "platform/dbctrl/screen_builder.h"

#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/dbctrl/db_check_box.h"
#include "platform/dbctrl/db_combo_box.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_memo.h"
#include "platform/dbctrl/db_radio_group.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>

namespace tarix::dbctrl {

namespace {

QStringList texts(const QString &list) { return list.isEmpty() ? QStringList() : list.split(u';'); }

bool placed(const ScreenControl &c) { return c.row >= 0 && c.column >= 0; }

} // namespace

ScreenBuilder::ScreenBuilder(db::DataSource *source, const QString &prefix) : m_source(source), m_prefix(prefix) {}

void ScreenBuilder::addSource(const QString &name, db::DataSource *source) { m_sources.insert(name, source); }

db::DataSource *ScreenBuilder::sourceOf(const ScreenControl &c) const
{
    if (c.source.isEmpty())
        return m_source;
    Q_ASSERT_X(m_sources.contains(c.source), "ScreenBuilder", "a control names a source the builder lacks");
    return m_sources.value(c.source);
}

const db::Field *ScreenBuilder::fieldOf(const ScreenControl &c) const
{
    if (c.field.isEmpty())
        return nullptr;
    db::DataSource *source = sourceOf(c);
    const db::DataSet *ds = source ? source->dataSet() : nullptr;
    return ds ? ds->findField(c.field) : nullptr;
}

bool ScreenBuilder::showsOnly(const ScreenControl &c) const
{
    if (c.readOnly || c.kind == ControlKind::Label)
        return true;
    const db::Field *f = fieldOf(c);
    return f && f->isComputed();
}

QString ScreenBuilder::captionOf(const ScreenControl &c) const
{
    // A caption given (also an empty one) stands; otherwise the field's label, so that the
    // screen and the field's messages name the field alike.
    if (!c.label.isNull() || c.field.isEmpty())
        return c.label;
    const db::Field *f = fieldOf(c);
    return f ? f->label() : c.field;
}

QString ScreenBuilder::nameOf(const ScreenControl &c)
{
    if (!c.name.isEmpty() || c.field.isEmpty())
        return c.name;
    const QString base = m_prefix + c.field;
    const int n = ++m_names[base.toUpper()];
    return n == 1 ? base : QStringLiteral("%1_%2").arg(base).arg(n);
}

ColorRole ScreenBuilder::roleOf(const ScreenControl &c) const
{
    if (c.color != ColorRole::None || !colorRolesByKind)
        return c.color;
    switch (c.kind) {
    case ControlKind::Grid: return ColorRole::Pozadie;
    case ControlKind::Edit:
    case ControlKind::DateEdit:
    case ControlKind::Combo:
    case ControlKind::LookupCombo:
    case ControlKind::Memo: return showsOnly(c) ? ColorRole::Pole2 : ColorRole::Pole1;
    case ControlKind::Label: return c.field.isEmpty() ? ColorRole::None : ColorRole::Pole2;
    default: return ColorRole::None;
    }
}

QWidget *ScreenBuilder::control(const ScreenControl &c, QWidget *parent)
{
    if (c.kind == ControlKind::Grid)
        return grid(c, parent);
    if (c.kind == ControlKind::Navigator)
        return navigator(c, parent);
    if (c.kind == ControlKind::Label && c.field.isEmpty()) {
        auto *label = new QLabel(c.label, parent);
        label->setObjectName(c.name);
        if (onControl)
            onControl(c, label);
        return label;
    }

    QWidget *w = nullptr;
    DataControl *data = nullptr;
    auto make = [&](auto *control) {
        w = control;
        data = control;
        return control;
    };
    switch (c.kind) {
    case ControlKind::Edit: make(new DBEdit(parent)); break;
    case ControlKind::DateEdit: make(new DBDateEdit(parent)); break;
    case ControlKind::Label: make(new DBEdit(parent))->setFocusPolicy(Qt::NoFocus); break;
    case ControlKind::Combo: {
        auto *combo = make(new DBComboBox(parent));
        if (c.editable)
            combo->setEditable(true);
        if (!c.items.isEmpty())
            combo->setItems(texts(c.items));
        break;
    }
    case ControlKind::LookupCombo: make(new DBLookupComboBox(parent)); break;
    case ControlKind::CheckBox: make(new DBCheckBox(parent)); break;
    case ControlKind::RadioGroup: {
        auto *group = make(new DBRadioGroup(parent));
        group->setItems(texts(c.items));
        group->setValues(texts(c.values));
        break;
    }
    case ControlKind::Memo: make(new DBMemo(parent)); break;
    case ControlKind::Grid:
    case ControlKind::Navigator: break; // made above
    }
    data->setDataSource(sourceOf(c));
    // A lookup combo is bound to the lookup field, which writes the key field it stands for.
    data->setDataField(c.kind == ControlKind::LookupCombo ? c.items : c.field);
    // A computed field is only shown wherever a screen puts it (the link refuses input into
    // it anyway; marking the control says so to the window's own handlers too).
    if (showsOnly(c))
        data->setDataReadOnly(true);
    if (auto *edit = qobject_cast<DBEdit *>(w); edit && c.alignment)
        edit->setAlignment(c.alignment);
    if (c.width >= 0)
        w->setMinimumWidth(c.width);
    w->setObjectName(nameOf(c));
    w->setProperty(kFieldProperty, c.field);
    if (!c.hint.isEmpty())
        w->setProperty(kHintProperty, c.hint);
    setColorRole(w, roleOf(c));
    if (onControl)
        onControl(c, w);
    return w;
}

DBGrid *ScreenBuilder::grid(const ScreenControl &c, QWidget *parent)
{
    auto *g = new DBGrid(parent);
    g->setObjectName(c.name);
    QVector<DBGridColumn> columns;
    for (const ScreenColumn &column : c.columns)
        columns.push_back({column.field, column.title, column.width});
    g->setColumns(columns);
    g->setReadOnly(c.readOnly);
    g->setDataSource(sourceOf(c));
    setColorRole(g, roleOf(c));
    if (onControl)
        onControl(c, g);
    return g;
}

DBNavigator *ScreenBuilder::navigator(const ScreenControl &c, QWidget *parent)
{
    auto *nav = new DBNavigator(parent);
    nav->setObjectName(c.name);
    nav->setDataSource(sourceOf(c));
    if (!c.buttons.isEmpty())
        nav->setVisibleButtons(c.buttons);
    if (!c.hints.isEmpty())
        nav->setHints(c.hints);
    if (onControl)
        onControl(c, nav);
    return nav;
}

void ScreenBuilder::layOut(const ScreenGroup &g, QWidget *host)
{
    auto *grid = new QGridLayout(host);
    if (!g.box) {
        grid->setContentsMargins(4, 4, 4, 4);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(3);
    }
    for (int i = 0; i < g.headings.size(); ++i)
        grid->addWidget(new QLabel(g.headings[i], host), 0, i);
    const int columns = qMax(1, g.columns);
    int pairs = 0;      // label/control pairs of the flow so far
    int lastRow = -1;   // of the controls standing at their own cells
    for (const ScreenControl &c : g.controls) {
        if (placed(c)) {
            grid->addWidget(control(c, host), c.row, c.column);
            lastRow = qMax(lastRow, c.row);
            continue;
        }
        const int row = pairs / columns;
        const int column = (pairs % columns) * 2;
        ++pairs;
        if (c.kind == ControlKind::Label && c.field.isEmpty()) {
            grid->addWidget(control(c, host), row, column);
            continue;
        }
        auto *label = new QLabel(captionOf(c), host);
        if (!c.labelName.isEmpty())
            label->setObjectName(c.labelName);
        QWidget *w = control(c, host);
        label->setBuddy(w);
        grid->addWidget(label, row, column);
        grid->addWidget(w, row, column + 1);
    }
    if (pairs > 0) {
        // Spare width goes to the controls, spare height below the last row.
        for (int c = 0; c < columns; ++c)
            grid->setColumnStretch(c * 2 + 1, 1);
        lastRow = qMax(lastRow, (pairs + columns - 1) / columns - 1);
    }
    grid->setRowStretch(lastRow + 1, 1);
}

QWidget *ScreenBuilder::group(const ScreenGroup &g, QWidget *parent)
{
    QWidget *host = g.box ? new QGroupBox(g.title, parent) : new QWidget(parent);
    layOut(g, host);
    return host;
}

QWidget *ScreenBuilder::page(const ScreenPage &p, QWidget *parent)
{
    QWidget *page = nullptr;
    if (!p.scrolled && p.groups.size() == 1 && !p.groups.first().box) {
        page = new QWidget(parent);
        layOut(p.groups.first(), page);
    } else {
        auto *content = new QWidget(p.scrolled ? nullptr : parent);
        auto *grid = new QGridLayout(content);
        const int perRow = qMax(1, p.groupsPerRow);
        int flowing = 0;
        for (const ScreenGroup &g : p.groups) {
            QWidget *w = group(g, content);
            int row = g.row;
            int column = g.column;
            if (row < 0 || column < 0) {
                row = flowing / perRow;
                column = flowing % perRow;
                ++flowing;
            }
            grid->addWidget(w, row, column, g.rowSpan, g.columnSpan, Qt::AlignTop);
            if (g.stretch > 0)
                grid->setColumnStretch(column, g.stretch);
        }
        page = content;
        if (p.scrolled) {
            auto *area = new QScrollArea(parent);
            area->setWidgetResizable(true);
            area->setFrameShape(QFrame::NoFrame);
            area->setWidget(content);
            page = area;
        }
    }
    page->setObjectName(p.name);
    setColorRole(page, p.color == ColorRole::None && colorRolesByKind ? ColorRole::Pozadie : p.color);
    return page;
}

void ScreenBuilder::addPages(QTabWidget *tabs, const QVector<ScreenPage> &pages)
{
    for (const ScreenPage &p : pages)
        tabs->addTab(page(p), p.caption);
}

void setColorRole(QWidget *w, ColorRole role)
{
    w->setProperty(kColorRoleProperty, role == ColorRole::None ? QVariant() : QVariant(QString::fromLatin1(colorRoleName(role))));
}

QWidget *findDataControl(QWidget *root, db::DataSource *source, const QString &field)
{
    for (QWidget *w : root->findChildren<QWidget *>()) {
        auto *control = dynamic_cast<DataControl *>(w);
        if (!control || control->dataSource() != source)
            continue;
        if (w->property(kFieldProperty).toString().compare(field, Qt::CaseInsensitive) == 0
            || control->dataField().compare(field, Qt::CaseInsensitive) == 0)
            return w;
    }
    return nullptr;
}

} // namespace tarix::dbctrl
