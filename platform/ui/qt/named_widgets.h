#pragma once
// Menu items and buttons made with their object names, by which the windows' tests and the
// command registry find them.
#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QPushButton>

namespace tarix::ui {

inline QAction *namedAction(QMenu *menu, const char *name, const QString &text)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

// A button of `parent`, added to `layout` when one is given.
inline QPushButton *namedButton(QWidget *parent, const char *name, const QString &text, QLayout *layout = nullptr)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    if (layout)
        layout->addWidget(b);
    return b;
}

} // namespace tarix::ui
