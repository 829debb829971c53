#pragma once
// The program started on a program folder as app/main.cpp starts it (windows not shown),
// with the login dialog answered, and a firm opened through the menu "Výber firmy" with
// its cost-centre and period dialogs answered; and the fixture of a test that starts it.
#include "core/forms/startup.h"
#include "support/scripted_test.h"
#include "support/widgets/menu_registers.h"

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

// A test that starts the program: the scripted user interface, and the menu's registers
// (start-up registers the settings' commands) kept before the test and restored after the
// derived tear-down has ended the program.
template <class Script = ui::ScriptedUserInterface>
class ProgramStartTest : public ScriptedTest<Script> {
protected:
    void SetUp() override
    {
        ScriptedTest<Script>::SetUp();
        registers.keep();
    }
    void TearDown() override
    {
        registers.restore();
        ScriptedTest<Script>::TearDown();
    }

    MenuRegisters registers;
};

} // namespace tarix::test
