#pragma once
// A data-aware check box. A logical field is checked when true; other fields when their
// text equals the checked value ("1" unless set). Several accepted texts may be given
// separated by ";" (compared without regard to case); the first is the one written. A blank
// field shows unchecked. A click writes the field at once.
#include "platform/dbctrl/data_control.h"

#include <QCheckBox>

namespace tarix::dbctrl {

class DBCheckBox : public QCheckBox, public DataControl {
    Q_OBJECT
public:
    explicit DBCheckBox(QWidget *parent = nullptr);
    explicit DBCheckBox(const QString &text, QWidget *parent = nullptr);
    ~DBCheckBox() override;

    // Empty: "True"/"False" for logical fields, "1"/"0" for the others.
    void setValueChecked(const QString &values);
    void setValueUnchecked(const QString &values);
    QString valueChecked() const;
    QString valueUnchecked() const;

protected:
    void nextCheckState() override;

private:
    void init();
    void showFieldValue();
    static bool matches(const QString &text, const QString &values);
    QString m_checked, m_unchecked;
    bool m_pending = false;
};

} // namespace tarix::dbctrl
