#pragma once
// Data-aware combo boxes.
//
// DBComboBox: a fixed list of texts; the chosen text is written into the field at once. A
// value not in the list shows empty, unless the combo is editable (then it shows the text
// and typed texts are written when the combo is left or Enter is pressed).
//
// DBLookupComboBox: the rows of a lookup dataset (a code table): the field holds a key,
// the combo shows the list text of the row with that key (empty for an unknown key) and
// lists the rows in the lookup dataset's order, one column per list field. Choosing a row
// writes its key into the field at once. Bound to a lookup field of the dataset, it takes
// the lookup dataset, keys and result field from the field's definition and writes the key
// field.
#include "platform/dbctrl/data_control.h"

#include <QComboBox>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

class QStandardItemModel;

namespace tarix::dbctrl {

class DBComboBox : public QComboBox, public DataControl {
    Q_OBJECT
public:
    explicit DBComboBox(QWidget *parent = nullptr);
    ~DBComboBox() override;

    void setItems(const QStringList &items);
    QStringList items() const { return m_items; }
    // An editable combo takes texts that are not in the list.
    void setEditable(bool editable);

    // Chooses an item as the user does; false when the combo takes no input now or the
    // field refused the value.
    bool chooseItem(int index);
    // Writes a typed text (editable combos) now.
    bool commit();

    void showPopup() override;

signals:
    // The user entered or left the combo (after a typed text was written).
    void entered();
    void exited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void showFieldValue();
    void userEdited(const QString &text);
    QStringList m_items;
    QString m_pending;
};

class DBLookupComboBox : public QComboBox, public DataControl {
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget *parent = nullptr);
    ~DBLookupComboBox() override;

    // The lookup rows: their data source, the key field and the list fields ("Nazov" or
    // "Kod;Nazov"); the closed combo shows list field number listFieldIndex.
    void setListSource(db::DataSource *source);
    db::DataSource *listSource() const;
    void setKeyField(const QString &name);
    QString keyField() const { return m_keyField; }
    void setListField(const QString &names);
    QString listField() const { return m_listFields.join(u';'); }
    void setListFieldIndex(int index);
    int listFieldIndex() const { return m_listFieldIndex; }

    // The key of the current record (invalid when blank) and the row shown (-1: none).
    QVariant keyValue() const;
    int rowOfKey(const QVariant &key) const;
    // The list text of the current key, empty for an unknown key.
    QString displayText() const { return currentIndex() >= 0 ? currentText() : QString(); }
    int rowCountOfList() const { return int(m_keys.size()); }
    // Chooses a row of the list as the user does; false when the combo takes no input now
    // or the field refused the key.
    bool chooseRow(int row);
    // Re-reads the lookup rows.
    void reloadList();

    void showPopup() override;

signals:
    // The user entered or left the combo.
    void entered();
    void exited();

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    class ListLink;
    void showFieldValue();
    db::Field *keyTarget() const; // the field the key is written into
    void applyLookupDefinition();
    std::unique_ptr<ListLink> m_listLink;
    std::unique_ptr<db::DataSource> m_ownSource; // for a lookup field's dataset
    db::DataSource *m_givenSource = nullptr;
    QString m_keyField;
    QStringList m_listFields;
    int m_listFieldIndex = 0;
    QStandardItemModel *m_model = nullptr;
    QVector<QVariant> m_keys;
    int m_pendingRow = -1;
};

} // namespace tarix::dbctrl
