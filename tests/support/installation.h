#pragma once
// A fresh installation in a temporary folder: the program folder with TRX.INI, PRIVATE/,
// COMMON/ROKyyyy/ for the chosen years, the template firm DATA/ and the demo firm DATA01/,
// as the program's installation generator makes them from data/. The generator runs once
// per test program for each set of options; every installation is a copy of that one, so
// that a test may change its data freely and the next test starts from the shipped rows.
// On the database server the folders are schemas of the installation's own database on
// the test cluster, made by the server's generator, and TRX.INI names the server.
#include "core/installation.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace tarix::test {

class PgTestDatabase;

// Where an installation keeps its folders' tables: each folder its SQLite file, or each
// folder its schema on the test cluster's database server (pg_test_server.h).
enum class Backend { Embedded, Server };

// How a workstation reaches an installation: the network root (with its trailing
// separator), the server (empty when embedded) and its own program folder (with its
// trailing separator), whose PRIVATE is its private folder, or schema on the server.
struct Workstation {
    QString root;
    QString conninfo;
    QString programFolder;
};

// The demo installation of 2007 without the demo firm's payrolls of January to March (the
// generator's option): for tests that make those months themselves.
inline constexpr core::InstallationOptions kDemo2007WithoutPayrolls{true, 2007, 2007, false};

class Installation {
public:
    // An empty temporary folder; install() fills it. On the server a database of its own is
    // made on the test cluster now (so that a session can be made before install()); without
    // a test cluster the installation stays embedded and the test is expected to skip.
    explicit Installation(Backend backend = Backend::Embedded);
    ~Installation();
    Installation(const Installation &) = delete;
    Installation &operator=(const Installation &) = delete;

    // Copies the generator's installation for these options into the folder. Every step
    // is checked: a failed one throws SetupFailure naming the file and the reason.
    void install(const core::InstallationOptions &options = {});
    bool isInstalled() const { return m_installed; }
    // The backend asked for, and whether the folders really are schemas on a server.
    Backend backend() const { return m_backend; }
    bool onServer() const { return m_database != nullptr; }
    // The connection string of the installation's database; empty when embedded.
    QString serverConninfo() const;
    const core::InstallationOptions &options() const { return m_options; }

    // The program folder, without and with the trailing separator the program keeps.
    QString path() const { return m_dir.path(); }
    QString root() const { return m_dir.path() + QLatin1Char('/'); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // "DATA01", "COMMON/ROK2007" and "PRIVATE" of this installation.
    QString firmFolder(int firm = 1) const;
    QString yearFolder(int year) const;
    QString privateFolder() const;

    // The installation's own workstation (the program folder), or another one with its own
    // program folder and this installation as its network root.
    Workstation workstation(const QString &programFolder = {}) const;

    // Runs SQL text straight on a folder's tables, outside any session, on either backend
    // (on the server with the folder's schema first on the search path). A failing statement
    // throws SetupFailure with the backend's text.
    void sql(const QString &folder, const QString &script) const;

private:
    QTemporaryDir m_dir;
    Backend m_backend;
    std::unique_ptr<PgTestDatabase> m_database;
    core::InstallationOptions m_options;
    bool m_installed = false;
};

// Copies a folder with its files and subfolders; each copy is checked (SetupFailure).
void copyFolder(const QString &from, const QString &to);

// Runs SQLite text straight on a folder's database, outside any session (data of an old
// version, damaged tables). A failing statement throws SetupFailure with SQLite's text.
void sqlOn(const QString &folder, const QString &script);

} // namespace tarix::test
