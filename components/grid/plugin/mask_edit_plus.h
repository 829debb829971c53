#pragma once
// TMaskEditPlus: the editor of the visios' edit form. One line with an edit mask, or several
// lines with word wrap; every change of the text is brought to the letter case of CharCaseEx
// and offered to OnAcceptValue, which may change or refuse it (then the previously accepted
// text comes back).
#include <QString>
#include <QWidget>

#include <functional>

class QLineEdit;
class QPlainTextEdit;

namespace tarix::grid {

enum class CharCaseEx { cxNormal, cxUpper, cxLower, cxAsSentence, cxCapLetters };

// The text in the letter case of `charCase`: cxAsSentence lower case with the first letter
// upper, cxCapLetters lower case with the first letter and each letter after a space upper.
QString applyCharCase(CharCaseEx charCase, const QString &text);

// The original's edit mask ("mask;save literals;blank") as a Qt input mask: its mask
// characters become Qt's (L A, l a, A N, a n, C X, c x, 0 9, 9 0, <> !), its literals that
// Qt would read as mask characters are escaped, "!" (trim leading blanks) is dropped and the
// blank character carries over ("_" when none is given). An empty mask stays empty.
QString qtInputMask(const QString &editMask);

class TMaskEditPlus : public QWidget {
    Q_OBJECT
public:
    explicit TMaskEditPlus(QWidget *parent = nullptr);

    QString Text() const;
    void setText(const QString &text);

    CharCaseEx charCaseEx() const { return m_charCase; }
    void setCharCaseEx(CharCaseEx value) { m_charCase = value; }
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment value);
    bool multiLine() const { return m_multiLine; }
    // Switching it on clears the edit mask.
    void setMultiLine(bool value);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool value);
    bool textProcessing() const { return m_textProcessing; }
    // Switching it on clears the edit mask.
    void setTextProcessing(bool value);
    QString editMask() const { return m_editMask; }
    // A mask switches text processing and multiple lines off.
    void setEditMask(const QString &mask);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool value);

    // The line of the caret (0-based) and the number of lines of the text.
    int caretLine() const;
    int lineCount() const;
    int selectionStart() const;
    int selectionEnd() const;
    void setSelection(int start, int end);
    // The editing widget inside (a line edit or a plain-text edit).
    QWidget *editor() const { return m_editor; }

    // text: the text after the letter case (may be changed); prevText: the text accepted
    // before; selStart/selEnd may be moved; accept = false refuses the text.
    std::function<void(TMaskEditPlus &sender, QString &text, const QString &prevText,
                       int &selStart, int &selEnd, bool &accept)>
        OnAcceptValue;

signals:
    void textChanged();
    // The editing widget was made anew (multiple lines, alignment, word wrap or mask changed).
    void editorRecreated(QWidget *editor);

private:
    void recreate();
    void processChange();
    void writeText(const QString &text);
    QString rawText() const;

    CharCaseEx m_charCase = CharCaseEx::cxNormal;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_multiLine = true;
    bool m_wordWrap = true;
    bool m_textProcessing = true;
    bool m_readOnly = false;
    QString m_editMask;
    QString m_accepted;
    bool m_processing = false;
    QWidget *m_editor = nullptr;
    QLineEdit *m_line = nullptr;
    QPlainTextEdit *m_plain = nullptr;
};

} // namespace tarix::grid
