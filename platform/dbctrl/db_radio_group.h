#pragma once
// A data-aware group of radio buttons. Each item has a caption and the value written into
// the field when it is chosen (the caption itself when no values are given); the button
// whose value equals the field's text is checked, none when no value matches.
#include "platform/dbctrl/data_control.h"

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace tarix::dbctrl {

class DBRadioGroup : public QGroupBox, public DataControl {
    Q_OBJECT
public:
    explicit DBRadioGroup(QWidget *parent = nullptr);
    explicit DBRadioGroup(const QString &title, QWidget *parent = nullptr);
    ~DBRadioGroup() override;

    void setItems(const QStringList &captions);
    QStringList items() const { return m_items; }
    void setValues(const QStringList &values);
    QStringList values() const { return m_values; }
    // Buttons are laid out in this many columns, filled column by column.
    void setColumns(int columns);
    int columns() const { return m_columns; }

    // The checked item, -1 when none.
    int itemIndex() const;
    QRadioButton *button(int index) const;
    // Chooses an item as a click does; false when the group takes no input now or the
    // field refused the value.
    bool chooseItem(int index);

private:
    void init();
    void rebuild();
    void showFieldValue();
    QString valueOf(int index) const;
    QStringList m_items;
    QStringList m_values;
    int m_columns = 1;
    QButtonGroup *m_group = nullptr;
    QGridLayout *m_layout = nullptr;
    QList<QRadioButton *> m_buttons;
    int m_pending = -1;
};

} // namespace tarix::dbctrl
