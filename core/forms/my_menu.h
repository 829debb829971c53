#pragma once
// The operation menus of the employee card's tabs: one top item of the main menu bar per
// tab with five items (new, edit, delete, post, cancel) acting on the tab's table. Built
// at run time when the main window is created; each is hidden until its tab is shown.
#include <QAction>
#include <QList>
#include <QObject>
#include <QVariant>

class QMenu;
class QMenuBar;

namespace tarix::db {
class DataSet;
class DataSource;
} // namespace tarix::db

namespace tarix::core {

class TMyMenu;

class TMyMenuItem : public QAction {
    Q_OBJECT
public:
    TMyMenuItem(TMyMenu *owner, db::DataSource *source, int tag, const QString &caption,
                const QVariant &value1 = {}, const QVariant &value2 = {});

    TMyMenu *menu() const { return m_owner; }
    db::DataSource *dataSource() const { return m_source; }
    // 1 new, 2 edit, 3 delete, 4 post, 5 cancel.
    int tag() const { return m_tag; }
    QVariant hodnota1() const { return m_value1; }
    QVariant hodnota2() const { return m_value2; }

private:
    TMyMenu *m_owner;
    db::DataSource *m_source;
    int m_tag;
    QVariant m_value1, m_value2;
};

class TMyMenu : public QObject {
    Q_OBJECT
public:
    // Appends the top item `caption` to the bar, hidden, with the five items.
    TMyMenu(QMenuBar *bar, const QString &caption, db::DataSource *source, QObject *parent = nullptr);
    ~TMyMenu() override;

    QMenu *top() const { return m_top; }
    const QList<TMyMenuItem *> &items() const { return m_items; }
    db::DataSource *dataSource() const { return m_source; }

    // Shows or hides the top item (shown means visible and enabled).
    void showMyMenu(bool visible);
    bool isShown() const;
    // Enables the items by the state of the table.
    void setMenuItems();

signals:
    // An item was chosen (every menu's items go to one handler of the window).
    void polozkaZvolena(TMyMenuItem *item);

private:
    QMenu *m_top;
    db::DataSource *m_source;
    QList<TMyMenuItem *> m_items;
};

// Captions of the items, Tag 1 to 5.
const QStringList &operationItems();

// What an item does to its table: 1 starts a new record; 2 edits and 3 deletes the current
// record, both only when there is one; 4 posts; 5 cancels.
void runOperation(db::DataSet &ds, int tag);

} // namespace tarix::core
