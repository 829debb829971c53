#pragma once
// What every file writer does around writing: the checks before (the template must exist,
// an existing output is replaced only after the clerk agreed), where a file goes, the
// parts of its name taken from data, the offer to open the result, and a field's value
// as the outputs write it. The bytes themselves are written at once through a temporary
// file beside the target (shell::writeFileAtomically), never piecemeal.
#include <QString>
#include <QStringList>

#include <vector>

namespace tarix::db {
class Field;
}

namespace tarix::MyConsts {

// The files of one output and what the check decided.
struct OutputFiles {
    QString input;             // template or input file; empty: the output needs none
    QString output;
    bool askOverwrite = true;  // ask before replacing an existing output
    // Set by Kontrola_suborov:
    bool writeAllowed = false;
    bool outputExisted = false;
};

// The checks before writing: a named input that does not exist raises EMyError 65129
// naming it; an existing output with askOverwrite asks 65109 naming it, and "No" forbids
// writing. In every other case writing is allowed.
void Kontrola_suborov(OutputFiles &files);
// The same checks for the outputs of one run, in order (each input checked once): the
// folders are read once rather than once per file, for runs of many numbered files.
void Kontrola_suborov(std::vector<OutputFiles> &files);

// Offers to open a written file (65126); "Yes" hands it to the desktop's program for its
// kind and returns at once (the program window stays usable). A file that does not exist
// raises EMyError 65129.
void Otvor_vytvoreny_subor(const QString &path);

// The message that ends a run which wrote `files`: shown only when every one of them
// exists, so that the clerk is never told of a file that is not there; a missing one
// raises EMyError 65129 naming it instead. An empty list is a fault of the caller (a run
// that wrote nothing says so with reportNothingWritten).
void reportFilesWritten(const QString &message, const QStringList &files);

// The message that ends a run which found nothing to write: `reason`, then that no file
// was made. It names no file.
void reportNothingWritten(const QString &reason);

// A field's value as an output writes it: empty for an empty value, the format applied
// to the value of a currency or small-integer field, empty for other kinds.
QString Format_pola(const QString &format, const db::Field &field);

// Where a generated file goes. The program folder's "vystupy" and "excel" hold what is
// shared by the installation (bank files, statement and registration XML with their check
// files, import error lists, SYLK and CSV exports); everything else goes to the open
// firm's output folder "vystupy/DATAnn/yyyy".
enum class OutputPlace { ProgramOutputs, ProgramExcel, FirmOutputs };
QString outputFolderFor(OutputPlace place);

// A part of a file name taken from data (ICO, birth number, surname, name): returned
// trimmed, or EMyError naming the field when it is empty or holds a path separator,
// "..", or a control character, so that no file lands outside its folder.
QString nameComponent(const QString &fieldCaption, const QString &value);

} // namespace tarix::MyConsts
