#pragma once
// Files and outside programs: delete (optionally into the desktop's trash), test
// attributes, copy in blocks, open a document with the desktop's default program, and run
// a program while the main window is hidden, waiting for its end with the interface alive.
//
// Names may use backslashes as separators, and existing files and folders are found
// without regard to case.
#include <QString>
#include <functional>

class QWidget;

namespace tarix::ShellUtils {

// Show commands of the callers. A started program's window is its own business on this
// desktop, so they are accepted and not passed on.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;

// Attribute bits for FileHasAttributes.
inline constexpr int faReadOnly = 0x01;  // the owner may not write it
inline constexpr int faHidden = 0x02;    // its name starts with '.'
inline constexpr int faSysFile = 0x04;   // never set here
inline constexpr int faDirectory = 0x10; // a folder
inline constexpr int faArchive = 0x20;   // never set here

// Exit code of the last program ExecuteAndWait ran to its end: the program's exit status,
// -1 when it was killed by a signal, 259 when ExecuteAndWait returned while it was still
// running (the application was ending).
extern int Kod_ukoncenia;

// Deletes a file or a whole folder with everything in it, without asking. With
// toRecycleBin it goes into the desktop's trash instead (and is left where it is when the trash
// cannot take it: nothing is deleted for good that was meant to be recoverable).
// False when the name does not exist or the deletion failed (a folder may then be
// partly deleted, as with the shell). Refuses the root folder.
bool ShellDeleteFile(const QString &name, bool toRecycleBin);

// True when the file or folder exists and has all the given bits (faDirectory and the
// others above). A name that does not exist has no attributes: false.
bool FileHasAttributes(const QString &name, int bits);

// Copies source to destination in blocks of 8192 bytes. A destination that is an existing
// folder gets the source's file name appended. An existing destination file is replaced,
// but only once the whole copy has been written (a failure keeps it as it was and never
// leaves a truncated file).
// Throws shell::EFOpenError ("Cannot open file %s", source), shell::EFCreateError
// ("Cannot create file %s", destination), shell::EReadError / shell::EWriteError.
void CopyFileTo(const QString &source, const QString &destination);

// Opens a document (or a folder, or a URL) with the desktop's default program, or starts a
// program with the parameters (a command line; double quotes group words); returns at once.
// folder: the working folder of a started program. True when it was handed over.
bool ShellOpenFile(const QString &file, const QString &parameters = QString(),
                   const QString &folder = QString(), int showCmd = SW_SHOWNORMAL);

// Starts a program (or opens a document with the desktop's opener) and waits for its end.
// The main window is hidden meanwhile and shown and raised again afterwards (also when the
// start fails). The wait runs an event loop, so the interface stays alive; it also ends
// when the application is ending. Returns -1 when the program cannot be started, 0
// otherwise; the exit code goes to Kod_ukoncenia.
// A document is opened through xdg-open, which may return before the document's program
// has ended; then so does the wait.
int ExecuteAndWait(const QString &file, const QString &parameters = QString(),
                   const QString &folder = QString(), int showCmd = SW_SHOWNORMAL);

// The window ExecuteAndWait hides. By default the application's visible QMainWindow,
// else the active window. Set by the program at start-up; an empty function restores
// the default.
void setMainWindowProvider(std::function<QWidget *()> provider);

} // namespace tarix::ShellUtils
