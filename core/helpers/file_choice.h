#pragma once
// Choosing output files and running them: the firm's output folder and the
// choose-and-run loop of "Výber súboru".
#include <QString>

namespace tarix::MyConsts {

// The open firm's output folder. Empty until a firm is opened (and after it is closed).
QString outputFolder();
void setOutputFolder(const QString &folder);

// The folder the file choice starts in: the firm's output folder, or the network
// root's "vystupy" folder while no firm has set one.
QString outputFolderOrDefault();

// The name (without extension) a report saved to a file proposes: the report's code, its
// period (yyyymm) and what it is of (an employee's number, a cost centre), joined by "_":
// "VP2005A_200703_102". Empty parts and a zero period are left out; characters that cannot
// stand in a file name become "-".
QString outputFileBaseName(const QString &reportCode, int period, const QString &subject);

// Asks for a file (open dialog "Výber súboru", starting in `folder`, with the filter in
// the program's form, e.g. "*.*") and runs the chosen file with the shell, maximised,
// with its own folder as working folder, waiting for its end. The dialog then opens
// again in the folder of the file just run, until the user cancels. Afterwards the
// current folder is the program folder again.
// Returns the number of files chosen.
int Vyber_a_otvor_subor(const QString &folder, const QString &filter);

} // namespace tarix::MyConsts
