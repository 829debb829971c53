#pragma once
// Makes the widgets of a screen description (screen_description.h): the data-aware
// controls bound to their fields, their captions, groups, tables and tab pages. A control
// whose caption is not given (a null text; an empty one is no caption) is captioned with
// its field's label, and a grid column without a title shows the field's label.
//
// A field control is named by the builder's prefix and its field ("TZAM_Surname"); a field
// that already has a control of that name from the same builder gets "_2", "_3" ... (a
// screen may show a field on several tabs). Widgets are made in the order of the
// description, which is the order the focus moves through them.
#include "platform/dbctrl/screen_description.h"

#include <QHash>
#include <QString>
#include <functional>

class QGridLayout;
class QTabWidget;
class QWidget;

namespace tarix::db {
class DataSource;
class Field;
}

namespace tarix::dbctrl {

class DBGrid;

class ScreenBuilder {
public:
    // `source`: the data source of every control that names none.
    explicit ScreenBuilder(db::DataSource *source = nullptr, const QString &prefix = {});

    // A data source that controls name in their `source`.
    void addSource(const QString &name, db::DataSource *source);

    // Runs for every control made from a description (after it is bound and named), so that
    // a window connects its own handlers.
    std::function<void(const ScreenControl &, QWidget *)> onControl;

    // Controls, grids and pages without a colour role of their own get one by their kind:
    // fields the clerk types Pole1, fields only shown Pole2, grids and pages Pozadie. The
    // editing screens switch it on, so that the colour section recolours them as a whole.
    bool colorRolesByKind = false;

    // One control (no caption beside it).
    QWidget *control(const ScreenControl &c, QWidget *parent);
    DBGrid *grid(const ScreenControl &c, QWidget *parent);
    DBNavigator *navigator(const ScreenControl &c, QWidget *parent);
    // A group: its group box, or a widget holding its form.
    QWidget *group(const ScreenGroup &g, QWidget *parent);
    // A page named as described (without a parent: for the caller's tab widget).
    QWidget *page(const ScreenPage &p, QWidget *parent = nullptr);
    // Each page as a tab of `tabs`, with its caption.
    void addPages(QTabWidget *tabs, const QVector<ScreenPage> &pages);

private:
    void layOut(const ScreenGroup &g, QWidget *host);
    db::DataSource *sourceOf(const ScreenControl &c) const;
    QString nameOf(const ScreenControl &c);
    QString captionOf(const ScreenControl &c) const;
    // The field a control names, as its data source declares it (also before it is open).
    const db::Field *fieldOf(const ScreenControl &c) const;
    // The control only shows its field: described so, a caption, or a computed field.
    bool showsOnly(const ScreenControl &c) const;
    ColorRole roleOf(const ScreenControl &c) const;

    db::DataSource *m_source;
    QString m_prefix;
    QHash<QString, db::DataSource *> m_sources;
    QHash<QString, int> m_names; // generated name (upper case) -> controls so named
};

// Marks a widget with its colour role (kColorRoleProperty); None removes the mark. The
// builder marks what a description gives a role; a window marks the widgets it makes by
// hand the same way.
void setColorRole(QWidget *w, ColorRole role);

// The control under `root` that edits `field` of `source` (compared without regard to case;
// a lookup combo is found by its key field), or nullptr.
QWidget *findDataControl(QWidget *root, db::DataSource *source, const QString &field);

} // namespace tarix::dbctrl
