#include "platform/dbctrl/db_combo_box.h"

#include "platform/db/dataset.h"
#include "platform/errors.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>

namespace tarix::dbctrl {

namespace {

bool changesChoice(const QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_F4:
        return true;
    default:
        return !e->text().isEmpty() && e->text().at(0).isPrint();
    }
}

} // namespace

// ---- DBComboBox ------------------------------------------------------------------------------

DBComboBox::DBComboBox(QWidget *parent) : QComboBox(parent)
{
    setInsertPolicy(QComboBox::NoInsert);
    m_link.onDataChange = [this] { showFieldValue(); };
    m_link.onEditingChange = [this] {
        if (QLineEdit *le = lineEdit())
            le->setReadOnly(!m_link.acceptsInput());
    };
    m_link.onUpdateData = [this] { field()->setText(m_pending); };
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!chooseItem(index))
            showFieldValue();
    });
}

DBComboBox::~DBComboBox()
{
    m_link.onDataChange = nullptr;
    m_link.onEditingChange = nullptr;
    m_link.onUpdateData = nullptr;
}

void DBComboBox::setItems(const QStringList &items)
{
    m_items = items;
    const QSignalBlocker block(this);
    clear();
    addItems(items);
    showFieldValue();
}

void DBComboBox::setEditable(bool editable)
{
    if (editable == isEditable())
        return;
    QComboBox::setEditable(editable);
    if (QLineEdit *le = lineEdit()) {
        le->setReadOnly(!m_link.acceptsInput());
        connect(le, &QLineEdit::textEdited, this, &DBComboBox::userEdited);
    }
    showFieldValue();
}

void DBComboBox::showFieldValue()
{
    const QString t = dbctrl::displayText(field(), TextForm::Edit);
    const QSignalBlocker block(this);
    int index = -1;
    for (int i = 0; i < m_items.size() && index < 0; ++i)
        if (m_items[i].compare(t, Qt::CaseInsensitive) == 0)
            index = i;
    setCurrentIndex(index);
    if (isEditable())
        setEditText(t);
}

void DBComboBox::userEdited(const QString &typed)
{
    if (!m_link.isEditing()) {
        if (!m_link.edit()) {
            m_link.reset();
            return;
        }
        setEditText(typed);
    }
    m_link.setModified();
}

bool DBComboBox::chooseItem(int index)
{
    if (index < 0 || index >= m_items.size())
        return false;
    if (!m_link.acceptsInput() || !m_link.edit())
        return false;
    m_pending = m_items[index];
    m_link.setModified();
    return m_link.updateRecord();
}

bool DBComboBox::commit()
{
    if (isEditable() && m_link.isModified())
        m_pending = currentText();
    return m_link.updateRecord();
}

void DBComboBox::showPopup()
{
    if (m_link.acceptsInput())
        QComboBox::showPopup();
}

void DBComboBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_link.isModified()) {
        m_link.reset();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && isEditable())
        commit();
    if (!isEditable() && changesChoice(event) && !m_link.acceptsInput()) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DBComboBox::focusInEvent(QFocusEvent *event)
{
    QComboBox::focusInEvent(event);
    if (movesBetweenFields(event))
        emit entered();
}

void DBComboBox::focusOutEvent(QFocusEvent *event)
{
    const bool leaving = movesBetweenFields(event);
    if (leaving && isEditable())
        commit();
    QComboBox::focusOutEvent(event);
    if (leaving)
        emit exited();
}

void DBComboBox::wheelEvent(QWheelEvent *event)
{
    if (!m_link.acceptsInput())
        return;
    QComboBox::wheelEvent(event);
}

// ---- DBLookupComboBox ------------------------------------------------------------------------

class DBLookupComboBox::ListLink : public db::DataLink {
public:
    explicit ListLink(DBLookupComboBox &c) : m_combo(c) {}
    void activeChanged() override { m_combo.reloadList(); }
    void dataSetChanged() override { m_combo.reloadList(); }

private:
    DBLookupComboBox &m_combo;
};

DBLookupComboBox::DBLookupComboBox(QWidget *parent)
    : QComboBox(parent), m_listLink(std::make_unique<ListLink>(*this))
{
    m_model = new QStandardItemModel(this);
    setModel(m_model);
    m_link.setLookupWritable(true);
    m_link.onDataChange = [this] {
        applyLookupDefinition();
        showFieldValue();
    };
    m_link.onUpdateData = [this] {
        db::Field *target = keyTarget();
        if (!target)
            throw EAbort();
        target->setValue(m_keys.value(m_pendingRow));
    };
    connect(this, &QComboBox::activated, this, [this](int row) {
        if (!chooseRow(row))
            showFieldValue();
    });
}

DBLookupComboBox::~DBLookupComboBox()
{
    m_link.onDataChange = nullptr;
    m_link.onUpdateData = nullptr;
    m_listLink->setDataSource(nullptr);
}

void DBLookupComboBox::setListSource(db::DataSource *source)
{
    m_givenSource = source;
    m_listLink->setDataSource(source);
}

db::DataSource *DBLookupComboBox::listSource() const { return m_listLink->dataSource(); }

void DBLookupComboBox::setKeyField(const QString &name)
{
    m_keyField = name;
    reloadList();
}

void DBLookupComboBox::setListField(const QString &names)
{
    m_listFields = names.split(u';', Qt::SkipEmptyParts);
    for (QString &n : m_listFields)
        n = n.trimmed();
    reloadList();
}

void DBLookupComboBox::setListFieldIndex(int index)
{
    m_listFieldIndex = index;
    reloadList();
}

void DBLookupComboBox::applyLookupDefinition()
{
    // Bound to a lookup field without a list of its own: the field's definition gives it.
    db::Field *f = field();
    if (m_givenSource || !f || !f->isLookup())
        return;
    const db::Field::LookupDef &d = f->lookupDef();
    if (!d.dataSet || d.lookupKeyFields.isEmpty())
        return;
    if (!m_ownSource)
        m_ownSource = std::make_unique<db::DataSource>();
    const bool changed = m_ownSource->dataSet() != d.dataSet || m_keyField != d.lookupKeyFields.first()
                         || m_listFields != QStringList{d.resultField};
    if (!changed)
        return;
    m_keyField = d.lookupKeyFields.first();
    m_listFields = QStringList{d.resultField};
    m_listFieldIndex = 0;
    m_ownSource->setDataSet(d.dataSet);
    if (!d.dataSet->isActive())
        runReported([&] { d.dataSet->open(); });
    if (m_listLink->dataSource() != m_ownSource.get())
        m_listLink->setDataSource(m_ownSource.get()); // reloads the list
    else
        reloadList();
}

db::Field *DBLookupComboBox::keyTarget() const
{
    db::Field *f = field();
    if (!f)
        return nullptr;
    if (f->isLookup()) {
        const QStringList &keys = f->lookupDef().keyFields;
        return keys.isEmpty() ? nullptr : f->dataSet().findField(keys.first());
    }
    return f;
}

QVariant DBLookupComboBox::keyValue() const
{
    db::Field *target = keyTarget();
    if (!target)
        return {};
    try {
        return target->value();
    } catch (const std::exception &) {
        return {};
    }
}

int DBLookupComboBox::rowOfKey(const QVariant &key) const
{
    if (!key.isValid() || m_keys.isEmpty())
        return -1;
    db::DataSet *list = m_listLink->dataSet();
    db::Field *listKey = list ? list->findField(m_keyField) : nullptr;
    QVariant wanted;
    try {
        wanted = listKey ? db::normalizeValue(listKey->type(), key, 0) : key;
    } catch (const std::exception &) {
        return -1; // not even a value of the key's type
    }
    for (int i = 0; i < m_keys.size(); ++i) {
        const QVariant &k = m_keys[i];
        if (!k.isValid())
            continue;
        if (k.typeId() == QMetaType::Double || wanted.typeId() == QMetaType::Double) {
            if (db::variantToDouble(k) == db::variantToDouble(wanted))
                return i;
        } else if (k == wanted) {
            return i;
        }
    }
    return -1;
}

void DBLookupComboBox::reloadList()
{
    m_model->clear();
    m_keys.clear();
    db::DataSet *list = m_listLink->isActive() ? m_listLink->dataSet() : nullptr;
    db::Field *keyF = list ? list->findField(m_keyField) : nullptr;
    QList<db::Field *> listF;
    if (list)
        for (const QString &n : m_listFields)
            if (db::Field *f = list->findField(n))
                listF << f;
    if (list && keyF && !listF.isEmpty()) {
        const int n = list->recordCount();
        m_keys.reserve(n);
        for (int pos = 0; pos < n; ++pos) {
            QList<QStandardItem *> row;
            QVariant key;
            try {
                list->withRowAt(pos, [&] {
                    key = keyF->value();
                    for (db::Field *f : listF)
                        row << new QStandardItem(dbctrl::displayText(f));
                });
            } catch (const std::exception &) {
                qDeleteAll(row);
                continue;
            }
            m_keys << key;
            m_model->appendRow(row);
        }
    }
    const int column = qBound(0, m_listFieldIndex, qMax(0, int(listF.size()) - 1));
    setModelColumn(column);
    if (listF.size() > 1 && !qobject_cast<QTableView *>(view())) {
        auto *table = new QTableView(this);
        table->horizontalHeader()->hide();
        table->verticalHeader()->hide();
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setShowGrid(false);
        setView(table);
    }
    if (auto *table = qobject_cast<QTableView *>(view()))
        table->resizeColumnsToContents();
    showFieldValue();
}

void DBLookupComboBox::showFieldValue()
{
    const QSignalBlocker block(this);
    setCurrentIndex(rowOfKey(keyValue()));
}

bool DBLookupComboBox::chooseRow(int row)
{
    if (row < 0 || row >= m_keys.size())
        return false;
    if (!keyTarget() || !m_link.acceptsInput() || !m_link.edit())
        return false;
    m_pendingRow = row;
    m_link.setModified();
    return m_link.updateRecord();
}

void DBLookupComboBox::showPopup()
{
    if (m_link.acceptsInput())
        QComboBox::showPopup();
}

void DBLookupComboBox::wheelEvent(QWheelEvent *event)
{
    if (!m_link.acceptsInput())
        return;
    QComboBox::wheelEvent(event);
}

void DBLookupComboBox::focusInEvent(QFocusEvent *event)
{
    QComboBox::focusInEvent(event);
    if (movesBetweenFields(event))
        emit entered();
}

void DBLookupComboBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    if (movesBetweenFields(event))
        emit exited();
}

void DBLookupComboBox::keyPressEvent(QKeyEvent *event)
{
    if (changesChoice(event) && !m_link.acceptsInput()) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace tarix::dbctrl
