#include "platform/ui/qt/guarded_application.h"

#include "platform/ui/user_interface.h"

#include <exception>

namespace tarix::ui {

GuardedApplication::GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        try {
            reportException(e);
        } catch (...) {
            qWarning("An error could not be shown: %s", e.what());
        }
    } catch (...) {
        qWarning("An unknown exception left an event handler");
    }
    return false;
}

} // namespace tarix::ui
