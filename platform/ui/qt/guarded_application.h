#pragma once
// The program's application object: no exception ever leaves a menu action, a button or a
// window event into Qt's event loop. What a handler lets through is shown by the one
// routine that reports errors (ui::reportException) and the event counts as not handled;
// the program goes on, as it does after any refused operation.
#include <QApplication>

namespace tarix::ui {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace tarix::ui
