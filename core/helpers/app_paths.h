#pragma once
// The folders of one installation, fixed at start-up.
//
// Paths are kept as absolute, cleaned paths with "/" separators and a trailing "/",
// so that a folder and a name join by plain concatenation. A value read from TRX.INI
// may use backslashes or slashes, end with a separator or not, and be relative to the
// program folder: each gives the same folders. No path is ever cut short.
#include <QString>

namespace tarix::core {

struct AppPaths {
    QString programFolder;  // folder of the executable (or $TARIX_HOME)
    QString networkRoot;    // [NETWORK] Network_Path, default the program folder
    QString importFolder;   // [IMPORT] Gfk_Path, default program folder + "importy/"
    QString commonFolder;   // network root + "COMMON/"
    QString backupFolder;   // network root + "ZALOHA/"
    QString storeFolder;    // network root + "SKLAD/"
    QString firmDataFolder; // network root + "DATA01/" until a firm is opened
    QString privateFolder;  // program folder + "PRIVATE/"

    // True when the data folders lie elsewhere than the program folder (shared root).
    bool sharedNetworkRoot() const { return networkRoot != programFolder; }
};

// Turns a folder text as typed by the user (backslashes or slashes, trailing
// separator or none, absolute or relative to `base`) into the form above.
QString normalizeFolder(const QString &typed, const QString &base);

// Derives every folder from the program folder and the two INI values; an empty
// value means the key is missing and its default applies.
AppPaths deriveAppPaths(const QString &programFolder, const QString &networkPath,
                        const QString &importPath);

// The program folder of this run: $TARIX_HOME when set, else the executable's folder.
QString locateProgramFolder();

// The process-wide paths (set once by start-up; tests may set their own).
const AppPaths &appPaths();
void setAppPaths(const AppPaths &paths);

} // namespace tarix::core
