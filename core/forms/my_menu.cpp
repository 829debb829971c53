#include "core/forms/my_menu.h"

#include "core/forms/page_rules.h"
#include "platform/db/datasource.h"

#include <QMenu>
#include <QMenuBar>

namespace tarix::core {

TMyMenuItem::TMyMenuItem(TMyMenu *owner, db::DataSource *source, int tag, const QString &caption,
                         const QVariant &value1, const QVariant &value2)
    : QAction(caption, owner->top()), m_owner(owner), m_source(source), m_tag(tag), m_value1(value1),
      m_value2(value2)
{
}

const QStringList &operationItems()
{
    static const QStringList captions{"Nový záznam", "Oprava údajov", "Vymazanie záznamu", "Zápis zmien",
                                      "Ignorovanie zmien"};
    return captions;
}

TMyMenu::TMyMenu(QMenuBar *bar, const QString &caption, db::DataSource *source, QObject *parent)
    : QObject(parent), m_source(source)
{
    m_top = bar->addMenu(caption);
    for (int tag = 1; tag <= 5; ++tag) {
        auto *item = new TMyMenuItem(this, source, tag, operationItems()[tag - 1]);
        m_top->addAction(item);
        m_items << item;
        connect(item, &QAction::triggered, this, [this, item] { emit polozkaZvolena(item); });
    }
    connect(m_top, &QMenu::aboutToShow, this, &TMyMenu::setMenuItems);
    showMyMenu(false);
}

TMyMenu::~TMyMenu() = default;

void TMyMenu::showMyMenu(bool visible)
{
    m_top->menuAction()->setVisible(visible);
    m_top->menuAction()->setEnabled(visible);
    if (visible)
        setMenuItems();
}

bool TMyMenu::isShown() const { return m_top->menuAction()->isVisible(); }

void TMyMenu::setMenuItems()
{
    const db::DataSet *ds = m_source ? m_source->dataSet() : nullptr;
    const bool editing = ds && ds->isEditing();
    for (TMyMenuItem *item : m_items)
        item->setEnabled(itemAllowed(item->tag(), editing));
}

void runOperation(db::DataSet &ds, int tag)
{
    switch (tag) {
    case 1: ds.insert(); break;
    case 2:
        if (!ds.isEmpty())
            ds.edit();
        break;
    case 3:
        if (!ds.isEmpty())
            ds.deleteRecord();
        break;
    case 4: ds.post(); break;
    case 5: ds.cancel(); break;
    default: break;
    }
}

} // namespace tarix::core
