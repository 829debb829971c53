#include "platform/ui/user_interface.h"

#include "platform/errors.h"

#include <QtGlobal>

#include <algorithm>

namespace tarix::ui {

namespace {

UserInterface *g_current = nullptr;

// Number of active ProgressScopes, and the number that was active when the shown
// progress dialog was opened (its owner's depth).
int g_progressDepth = 0;
int g_progressOwnerDepth = 0;

int g_busyDepth = 0;
int g_mainWindowDisabledDepth = 0;

} // namespace

UserInterface::~UserInterface() = default;

QString messageCaption(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return QStringLiteral("Informácia");
    case MessageKind::Warning:
        return QStringLiteral("Upozornenie");
    case MessageKind::Error:
        return QStringLiteral(" Chyba");
    }
    return QString();
}

UserInterface &current()
{
    if (!g_current)
        throw NoUserInterface();
    return *g_current;
}

bool hasCurrent()
{
    return g_current != nullptr;
}

void reportException(const std::exception &e)
{
    if (dynamic_cast<const EAbort *>(&e))
        return;
    const QString text = errorText(e);
    if (hasCurrent())
        current().showMessage(MessageKind::Error, text);
    else
        qWarning("%s", qPrintable(text));
}

void setCurrent(UserInterface *ui)
{
    g_current = ui;
}

ScopedUserInterface::ScopedUserInterface(UserInterface &ui) : m_previous(g_current)
{
    g_current = &ui;
}

ScopedUserInterface::~ScopedUserInterface()
{
    g_current = m_previous;
}

void showProgress(int percent)
{
    UserInterface &ui = current();
    if (!ui.isProgressOpen()) {
        ui.openProgress();
        g_progressOwnerDepth = g_progressDepth;
    }
    ui.setProgress(std::clamp(percent, 0, 100));
    // Only the run that opened the dialog (or a run outside every scope) closes it;
    // a nested run's 100 ends the nested run, not the dialog.
    if (percent == 100 && g_progressDepth <= g_progressOwnerDepth && ui.isProgressOpen())
        ui.closeProgress();
}

ProgressScope::ProgressScope()
{
    ++g_progressDepth;
}

ProgressScope::~ProgressScope()
{
    --g_progressDepth;
    if (!g_current)
        return;
    try {
        // The scope that owned the shown dialog has ended: close it, whether the run
        // reached 100 or was left by an exception.
        if (g_current->isProgressOpen() && g_progressDepth < g_progressOwnerDepth) {
            g_current->closeProgress();
            g_progressOwnerDepth = g_progressDepth;
        }
    } catch (...) {
        qWarning("ui::ProgressScope: closing the progress dialog failed");
    }
}

int progressDepth()
{
    return g_progressDepth;
}

BusyCursorScope::BusyCursorScope()
{
    if (g_busyDepth++ == 0 && g_current)
        g_current->setBusyCursor(true);
}

BusyCursorScope::~BusyCursorScope()
{
    if (--g_busyDepth == 0 && g_current) {
        try {
            g_current->setBusyCursor(false);
        } catch (...) {
            qWarning("ui::BusyCursorScope: restoring the cursor failed");
        }
    }
}

MainWindowDisabledScope::MainWindowDisabledScope()
{
    if (g_mainWindowDisabledDepth++ == 0 && g_current)
        g_current->setMainWindowEnabled(false);
}

MainWindowDisabledScope::~MainWindowDisabledScope()
{
    if (--g_mainWindowDisabledDepth == 0 && g_current) {
        try {
            g_current->setMainWindowEnabled(true);
        } catch (...) {
            qWarning("ui::MainWindowDisabledScope: enabling the main window failed");
        }
    }
}

} // namespace tarix::ui
