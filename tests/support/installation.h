#pragma once
// A fresh installation in a temporary folder: the program folder with TRX.INI, PRIVATE/,
// COMMON/ROKyyyy/ for the chosen years, the template firm DATA/ and the demo firm DATA01/,
// as the program's installation generator makes them from data/. The generator runs once
// per test program for each set of options; every installation is a copy of that one, so
// that a test may change its data freely and the next test starts from the shipped rows.
#include "core/installation.h"

#include <QString>
#include <QTemporaryDir>

namespace tarix::test {

class Installation {
public:
    // An empty temporary folder; install() fills it.
    Installation();
    Installation(const Installation &) = delete;
    Installation &operator=(const Installation &) = delete;

    // Copies the generator's installation for these options into the folder. Every step
    // is checked: a failed one throws SetupFailure naming the file and the reason.
    void install(const core::InstallationOptions &options = {});
    bool isInstalled() const { return m_installed; }
    const core::InstallationOptions &options() const { return m_options; }

    // The program folder, without and with the trailing separator the program keeps.
    QString path() const { return m_dir.path(); }
    QString root() const { return m_dir.path() + QLatin1Char('/'); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // "DATA01", "COMMON/ROK2007" and "PRIVATE" of this installation.
    QString firmFolder(int firm = 1) const;
    QString yearFolder(int year) const;
    QString privateFolder() const;

private:
    QTemporaryDir m_dir;
    core::InstallationOptions m_options;
    bool m_installed = false;
};

// Copies a folder with its files and subfolders; each copy is checked (SetupFailure).
void copyFolder(const QString &from, const QString &to);

// Runs SQLite text straight on a folder's database, outside any session (data of an old
// version, damaged tables). A failing statement throws SetupFailure with SQLite's text.
void sqlOn(const QString &folder, const QString &script);

} // namespace tarix::test
