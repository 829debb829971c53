#pragma once
// The program started on a program folder as app/main.cpp starts it (windows not shown),
// with the login dialog answered, and a firm opened through the menu "Výber firmy" with
// its cost-centre and period dialogs answered.
#include "core/forms/startup.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace tarix::core {
class TFormMain;
}

namespace tarix::test {

// A login dialog handler that enters each text in turn and confirms it (the default: the
// empty password of a new installation). A window that is not the login dialog fails the
// test.
std::function<void(QWidget *)> loginWith(const QStringList &entries = {QString()});

// core::startProgram on the folder with the hooks, the login answered by `login`.
// Returns null when the program ends at start-up.
core::TFormMain *startWithLogin(const QString &programFolder, const core::StartupHooks &hooks,
                                const std::function<void(QWidget *)> &login = loginWith());

// Chooses the year item of a firm of the menu (by its place, the first by default) and
// answers the dialogs that follow: the whole firm, and the month. Throws SetupFailure when
// the menu has no such firm or year.
void openFirmFromMenu(core::TFormMain &main, int year, int month, int firmIndex = 0);

} // namespace tarix::test
