#pragma once
// A data-aware multi-line edit (memo and long text fields). Enter starts a new line; the
// text is written into the field when the memo is left (and before a post). Esc drops it.
#include "platform/dbctrl/data_control.h"

#include <QPlainTextEdit>

namespace tarix::dbctrl {

class DBMemo : public QPlainTextEdit, public DataControl {
    Q_OBJECT
public:
    explicit DBMemo(QWidget *parent = nullptr);
    ~DBMemo() override;

    // Writes the typed text into the field now; false when the field refused it.
    bool commit();

signals:
    // The user entered or left the memo (after its text was written).
    void entered();
    void exited();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void showFieldValue();
    void updateInputState();
    void userEdited();
    bool m_loading = false;
};

} // namespace tarix::dbctrl
