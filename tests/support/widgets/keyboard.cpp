#include "support/widgets/keyboard.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace tarix::test {

void pressKey(QWidget *w, int key, const QString &text, Qt::KeyboardModifiers mods)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text)
        pressKey(w, ch.isLetterOrNumber() && ch.unicode() < 128 ? int(ch.toUpper().unicode()) : int(Qt::Key_unknown),
                 QString(ch));
}

void enter(QWidget *w)
{
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(w, &in);
}

void leave(QWidget *w)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

void typeOver(QWidget *w, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->selectAll();
    typeText(w, text);
}

void typeInto(QWidget *w, const QString &text)
{
    enter(w);
    typeOver(w, text);
    leave(w);
}

} // namespace tarix::test
