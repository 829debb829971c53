#pragma once
// The yes/no question: caption "Otázka", a question icon Image1, the read-only memo
// StaticText1 with the question, buttons BitBtn1 "&Ano" (yes) and BitBtn2 "&Nie" (no).
// "&Nie" is both the default and the cancel button and has the focus when the dialog
// opens, so Enter and Esc answer no; only "&Ano" answers yes.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarix::ui {

class TFormMyOtazka : public QDialog {
    Q_OBJECT
public:
    // Modal results of the two buttons.
    static constexpr int mrYes = 6;
    static constexpr int mrNo = 7;

    explicit TFormMyOtazka(QWidget *parent = nullptr);

    void setQuestion(const QString &text);
    QString question() const;

    // Shows the dialog modally; true only when it ended with "&Ano".
    bool ask();

    QLabel *Image1;
    QPlainTextEdit *StaticText1;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;

public slots:
    // Esc and closing the window answer no.
    void reject() override;
};

} // namespace tarix::ui
