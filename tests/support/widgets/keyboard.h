#pragma once
// The keyboard and focus of a clerk at a widget: key presses sent as the window system
// sends them, so that the widget's own handlers run.
#include <QString>
#include <Qt>

class QWidget;

namespace tarix::test {

// One key pressed and released.
void pressKey(QWidget *w, int key, const QString &text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier);
// A text typed key by key (into whatever the widget has selected).
void typeText(QWidget *w, const QString &text);
// The focus comes into the widget, or leaves it for another one (Tab).
void enter(QWidget *w);
void leave(QWidget *w);
// Types over the widget's text: a line edit's text selected first.
void typeOver(QWidget *w, const QString &text);
// Enters a line edit, types over its text and leaves it, as with Tab from field to field.
void typeInto(QWidget *w, const QString &text);

} // namespace tarix::test
