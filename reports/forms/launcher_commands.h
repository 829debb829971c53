#pragma once
// The main menu's report commands: every launcher of reports/launchers.h that the menu
// declares runs through the report entry, and the check file of an XML statement asks
// for its statement file.
#include "reports/launchers.h"

#include <QString>

namespace tarix::core {
class CommandRegistry;
}

namespace tarix::reports {

// Runs the launcher `id`: the defaults of the open period and centre, the launcher's
// request, the report entry. A guard's refusal (65199, 65061) raises EMyError; a contract
// of a kind without a print does nothing. `prebiehaEditacia`: whether a table the main
// window watches is being edited (the health-insurance tab's buttons refuse then).
void runLauncher(const QString &id, bool prebiehaEditacia = false);

// Whether a file may be the social insurer's XML statement: its name begins with "SP"
// and its extension is ".xml", both without regard to case.
bool isSpXmlStatement(const QString &fileName);

// "Dodatočné vytvorenie kontrolného TXT súboru": asks for the statement (title 65159,
// "sp*.xml", from the program's "vystupy" folder) until a valid one is chosen or the
// clerk cancels, and writes its check file through the routine
// "RexSpXml.Zapis_kontrolny_subor" (the statement in Vstupny_subor, the ".txt" in
// Vystupny_subor), then 65151. A routine that is not registered answers with the
// dispatcher's "not available" text. Returns the chosen file, empty when cancelled. The
// current folder is the program folder afterwards.
QString supplementaryControlFile();
inline constexpr char16_t kZapisKontrolnehoSuboru[] = u"RexSpXml.Zapis_kontrolny_subor";

// Registers a command for every launcher the registry declares and the check-file command.
void registerLauncherCommands(core::CommandRegistry &commands);

} // namespace tarix::reports
