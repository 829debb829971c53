#include "components/grid/plugin/mask_edit_plus.h"

#include "platform/dbctrl/field_link.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>

namespace tarix::grid {

QString applyCharCase(CharCaseEx charCase, const QString &text)
{
    switch (charCase) {
    case CharCaseEx::cxNormal: return text;
    case CharCaseEx::cxUpper: return text.toUpper();
    case CharCaseEx::cxLower: return text.toLower();
    case CharCaseEx::cxAsSentence:
    case CharCaseEx::cxCapLetters: {
        QString out = text.toLower();
        bool first = true;
        for (qsizetype i = 0; i < out.size(); ++i) {
            const QChar c = out.at(i);
            if (c.isLetter()) {
                if (first || (charCase == CharCaseEx::cxCapLetters && i > 0 && out.at(i - 1) == u' '))
                    out[i] = c.toUpper();
                first = false;
            }
        }
        return out;
    }
    }
    return text;
}

QString qtInputMask(const QString &editMask)
{
    if (editMask.isEmpty())
        return {};
    // The mask ends at the first unescaped ';'; the third field is the blank character.
    QString mask;
    QStringList fields;
    QString field;
    for (qsizetype i = 0; i < editMask.size(); ++i) {
        const QChar c = editMask.at(i);
        if (c == u'\\' && i + 1 < editMask.size() && fields.isEmpty()) {
            field += c;
            field += editMask.at(++i);
        } else if (c == u';') {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    const QString source = fields.value(0);
    const QString blank = fields.size() > 2 && !fields.at(2).isEmpty() ? fields.at(2).left(1)
                                                                       : QStringLiteral("_");
    static const QString qtSpecial = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}");
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        switch (c.unicode()) {
        case u'L': mask += u'A'; break;
        case u'l': mask += u'a'; break;
        case u'A': mask += u'N'; break;
        case u'a': mask += u'n'; break;
        case u'C': mask += u'X'; break;
        case u'c': mask += u'x'; break;
        case u'0': mask += u'9'; break;
        case u'9': mask += u'0'; break;
        case u'#': mask += u'#'; break;
        case u'!': break;
        case u'>':
            mask += u'>';
            break;
        case u'<':
            if (i + 1 < source.size() && source.at(i + 1) == u'>') {
                mask += u'!';
                ++i;
            } else {
                mask += u'<';
            }
            break;
        case u'\\':
            if (i + 1 < source.size()) {
                const QChar next = source.at(++i);
                if (qtSpecial.contains(next))
                    mask += u'\\';
                mask += next;
            }
            break;
        default:
            if (qtSpecial.contains(c))
                mask += u'\\';
            mask += c;
            break;
        }
    }
    return mask + u';' + blank;
}

TMaskEditPlus::TMaskEditPlus(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    recreate();
}

void TMaskEditPlus::recreate()
{
    // Like the original's window re-creation: the text stays, the editor is made anew.
    const QString text = m_editor ? rawText() : QString();
    delete m_editor;
    m_line = nullptr;
    m_plain = nullptr;
    if (m_multiLine) {
        m_plain = new QPlainTextEdit(this);
        m_plain->setLineWrapMode(m_wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        m_plain->setTabChangesFocus(true);
        m_plain->setReadOnly(m_readOnly);
        m_plain->setPlainText(text);
        QTextOption option = m_plain->document()->defaultTextOption();
        option.setAlignment(m_alignment);
        m_plain->document()->setDefaultTextOption(option);
        connect(m_plain, &QPlainTextEdit::textChanged, this, &TMaskEditPlus::processChange);
        m_editor = m_plain;
    } else {
        m_line = new QLineEdit(this);
        m_line->setFrame(false);
        m_line->setAlignment(m_alignment);
        m_line->setReadOnly(m_readOnly);
        m_line->setInputMask(qtInputMask(m_editMask));
        m_line->setText(text);
        connect(m_line, &QLineEdit::textChanged, this, &TMaskEditPlus::processChange);
        m_editor = m_line;
    }
    layout()->addWidget(m_editor);
    setFocusProxy(m_editor);
    emit editorRecreated(m_editor);
}

QString TMaskEditPlus::rawText() const
{
    return m_plain ? m_plain->toPlainText() : m_line->text();
}

QString TMaskEditPlus::Text() const
{
    return rawText();
}

void TMaskEditPlus::setText(const QString &text)
{
    // A text set by the program goes through the same processing as a typed one.
    writeText(text);
    if (!m_textProcessing)
        m_accepted = rawText();
}

void TMaskEditPlus::writeText(const QString &text)
{
    if (m_plain)
        m_plain->setPlainText(text);
    else
        m_line->setText(text);
}

void TMaskEditPlus::setAlignment(Qt::Alignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    recreate();
}

void TMaskEditPlus::setMultiLine(bool value)
{
    if (value == m_multiLine)
        return;
    if (value)
        m_editMask.clear();
    m_multiLine = value;
    recreate();
}

void TMaskEditPlus::setWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    recreate();
}

void TMaskEditPlus::setTextProcessing(bool value)
{
    if (value && !m_editMask.isEmpty()) {
        m_editMask.clear();
        recreate();
    }
    m_textProcessing = value;
}

void TMaskEditPlus::setEditMask(const QString &mask)
{
    m_editMask = mask;
    if (!mask.isEmpty()) {
        m_textProcessing = false;
        m_multiLine = false;
    }
    recreate();
}

void TMaskEditPlus::setReadOnly(bool value)
{
    m_readOnly = value;
    if (m_plain)
        m_plain->setReadOnly(value);
    else
        m_line->setReadOnly(value);
}

int TMaskEditPlus::caretLine() const
{
    return m_plain ? m_plain->textCursor().blockNumber() : 0;
}

int TMaskEditPlus::lineCount() const
{
    return m_plain ? m_plain->document()->blockCount() : 1;
}

int TMaskEditPlus::selectionStart() const
{
    if (m_plain)
        return m_plain->textCursor().selectionStart();
    return m_line->hasSelectedText() ? m_line->selectionStart() : m_line->cursorPosition();
}

int TMaskEditPlus::selectionEnd() const
{
    if (m_plain)
        return m_plain->textCursor().selectionEnd();
    return m_line->hasSelectedText() ? m_line->selectionEnd() : m_line->cursorPosition();
}

void TMaskEditPlus::setSelection(int start, int end)
{
    const int size = int(rawText().size());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, 0, size);
    if (m_plain) {
        QTextCursor cursor = m_plain->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        m_plain->setTextCursor(cursor);
        m_plain->ensureCursorVisible();
    } else {
        m_line->setSelection(start, end - start);
    }
}

void TMaskEditPlus::processChange()
{
    if (m_processing)
        return;
    if (!m_textProcessing) {
        emit textChanged();
        return;
    }
    m_processing = true;
    QString text = applyCharCase(m_charCase, rawText());
    int selStart = selectionStart();
    int selEnd = selectionEnd();
    bool accept = true;
    // A callback that fails refuses the text (its message is shown); nothing of it reaches
    // the event loop.
    if (OnAcceptValue
        && !dbctrl::runReported([&] { OnAcceptValue(*this, text, m_accepted, selStart, selEnd, accept); }))
        accept = false;
    if (accept) {
        m_accepted = text;
        if (text != rawText())
            writeText(text);
    } else {
        writeText(m_accepted);
    }
    setSelection(selStart, selEnd);
    m_processing = false;
    emit textChanged();
}

} // namespace tarix::grid
