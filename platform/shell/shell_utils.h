#pragma once
// Files: delete (optionally into the desktop's trash), test attributes, copy in blocks.
// Outside programs are started by platform/shell/launcher.h.
//
// Names may use backslashes as separators, and existing files and folders are found
// without regard to case.
#include <QString>

namespace tarix::ShellUtils {

// Attribute bits for FileHasAttributes.
inline constexpr int faReadOnly = 0x01;  // the owner may not write it
inline constexpr int faHidden = 0x02;    // its name starts with '.'
inline constexpr int faSysFile = 0x04;   // never set here
inline constexpr int faDirectory = 0x10; // a folder
inline constexpr int faArchive = 0x20;   // never set here

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
// Throws shell::EFileOpenError ("Cannot open file %s", source), shell::EFileCreateError
// ("Cannot create file %s", destination), shell::EReadError / shell::EWriteError.
void CopyFileTo(const QString &source, const QString &destination);

} // namespace tarix::ShellUtils
