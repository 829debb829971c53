#include "core/helpers/app_paths.h"

#include <QCoreApplication>
#include <QDir>

namespace tarix::core {

namespace {
AppPaths g_paths;

QString withSlash(QString path)
{
    if (!path.endsWith('/'))
        path += '/';
    return path;
}
} // namespace

QString normalizeFolder(const QString &typed, const QString &base)
{
    QString text = typed.trimmed();
    text.replace('\\', '/');
    if (text.isEmpty())
        return withSlash(QDir::cleanPath(base));
    if (QDir::isRelativePath(text))
        text = base + '/' + text;
    return withSlash(QDir::cleanPath(text));
}

AppPaths deriveAppPaths(const QString &programFolder, const QString &networkPath,
                        const QString &importPath)
{
    AppPaths p;
    p.programFolder = normalizeFolder(programFolder, QDir::currentPath());
    p.networkRoot = normalizeFolder(networkPath, p.programFolder);
    p.importFolder = importPath.trimmed().isEmpty()
                         ? p.programFolder + "importy/"
                         : normalizeFolder(importPath, p.programFolder);
    p.commonFolder = p.networkRoot + "COMMON/";
    p.backupFolder = p.networkRoot + "ZALOHA/";
    p.storeFolder = p.networkRoot + "SKLAD/";
    p.firmDataFolder = p.networkRoot + "DATA01/";
    p.privateFolder = p.programFolder + "PRIVATE/";
    return p;
}

QString locateProgramFolder()
{
    const QString home = qEnvironmentVariable("TARIX_HOME");
    if (!home.isEmpty())
        return normalizeFolder(home, QDir::currentPath());
    return normalizeFolder(QCoreApplication::applicationDirPath(), QDir::currentPath());
}

const AppPaths &appPaths() { return g_paths; }
void setAppPaths(const AppPaths &paths) { g_paths = paths; }

} // namespace tarix::core
