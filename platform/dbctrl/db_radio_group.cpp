#include "platform/dbctrl/db_radio_group.h"

#include "platform/db/dataset.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace tarix::dbctrl {

DBRadioGroup::DBRadioGroup(QWidget *parent) : QGroupBox(parent) { init(); }

DBRadioGroup::DBRadioGroup(const QString &title, QWidget *parent) : QGroupBox(title, parent) { init(); }

void DBRadioGroup::init()
{
    m_group = new QButtonGroup(this);
    m_layout = new QGridLayout(this);
    m_link.onDataChange = [this] { showFieldValue(); };
    m_link.onUpdateData = [this] { field()->setText(valueOf(m_pending)); };
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) {
        if (!chooseItem(id))
            showFieldValue();
    });
}

DBRadioGroup::~DBRadioGroup()
{
    m_link.onDataChange = nullptr;
    m_link.onUpdateData = nullptr;
}

void DBRadioGroup::setItems(const QStringList &captions)
{
    m_items = captions;
    rebuild();
}

void DBRadioGroup::setValues(const QStringList &values)
{
    m_values = values;
    showFieldValue();
}

void DBRadioGroup::setColumns(int columns)
{
    m_columns = qMax(1, columns);
    rebuild();
}

QString DBRadioGroup::valueOf(int index) const
{
    if (index < 0 || index >= m_items.size())
        return {};
    return index < m_values.size() ? m_values[index] : m_items[index];
}

void DBRadioGroup::rebuild()
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    const int perColumn = (int(m_items.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_items.size(); ++i) {
        auto *b = new QRadioButton(m_items[i], this);
        m_group->addButton(b, i);
        m_layout->addWidget(b, perColumn ? i % perColumn : 0, perColumn ? i / perColumn : 0);
        m_buttons << b;
    }
    showFieldValue();
}

QRadioButton *DBRadioGroup::button(int index) const { return m_buttons.value(index); }

int DBRadioGroup::itemIndex() const { return m_group->checkedId(); }

void DBRadioGroup::showFieldValue()
{
    int index = -1;
    if (db::Field *f = field(); f && f->isBound() && !f->isNull()) {
        const QString t = dbctrl::displayText(f, TextForm::Edit);
        for (int i = 0; i < m_items.size() && index < 0; ++i)
            if (valueOf(i).compare(t, Qt::CaseInsensitive) == 0)
                index = i;
    }
    // An exclusive group cannot uncheck its last button; switch exclusivity off meanwhile.
    m_group->setExclusive(false);
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setChecked(i == index);
    m_group->setExclusive(true);
}

bool DBRadioGroup::chooseItem(int index)
{
    if (index < 0 || index >= m_items.size())
        return false;
    if (!m_link.acceptsInput() || !m_link.edit())
        return false;
    m_pending = index;
    m_link.setModified();
    return m_link.updateRecord();
}

} // namespace tarix::dbctrl
