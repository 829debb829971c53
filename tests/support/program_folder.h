#pragma once
// The process-wide pieces that start-up makes for a program folder before any window:
// the folders derived from it, TRX.INI and PARAM.INI, and the program's session on the
// start-up folders (core::session()). No firm is open until a test opens one.
#include <QString>

namespace tarix::test {

class ProgramFolder {
public:
    ProgramFolder() = default;
    ProgramFolder(const ProgramFolder &) = delete;
    ProgramFolder &operator=(const ProgramFolder &) = delete;
    ~ProgramFolder();

    // `root` with its trailing separator, as the program keeps folders. With a server's
    // connection string the session runs there (each folder its schema), as start-up opens
    // it when TRX.INI names the server.
    void open(const QString &root, const QString &serverConninfo = {});
    // Leaves the open firm, ends the program's session, and empties what an opening left
    // in the process: the statutory parameters and the "Priplatky" provider.
    void close();

private:
    bool m_open = false;
};

} // namespace tarix::test
