#include "platform/shell/launcher.h"

#include "platform/shell/paths.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QUrl>
#include <optional>
#include <utility>

namespace tarix::ShellUtils {

int Kod_ukoncenia = 0;

namespace {

constexpr int kStillActive = 259;

StartHook &startHook()
{
    static StartHook hook;
    return hook;
}

MainWindowHider &mainWindowHider()
{
    static MainWindowHider hider;
    return hider;
}

OpenFailureReporter &openFailureReporter()
{
    static OpenFailureReporter reporter;
    return reporter;
}

struct Launch {
    QString program;
    QStringList arguments;
    QString workingDirectory;
    bool document = false; // opened by the desktop's opener
    QString target;        // the document, folder or URL
};

bool isUrl(const QString &text)
{
    const qsizetype colon = text.indexOf(QLatin1String("://"));
    return colon > 1 && QUrl(text).isValid() && !QUrl(text).scheme().isEmpty();
}

// What starting `file` means on this desktop: a program to run, or a document, folder or
// URL for the opener. Nothing when it names nothing that exists.
std::optional<Launch> resolve(const QString &file, const QString &parameters, const QString &folder)
{
    Launch launch;
    if (!folder.isEmpty()) {
        launch.workingDirectory = shell::findCaseInsensitive(folder);
        if (!QFileInfo(launch.workingDirectory).isDir())
            return std::nullopt;
    }
    if (file.isEmpty())
        return std::nullopt;

    if (isUrl(file)) {
        launch.document = true;
        launch.target = file;
        return launch;
    }

    const QString given = shell::fromWindowsPath(file);
    QString path = given;
    if (QDir::isRelativePath(path) && !launch.workingDirectory.isEmpty())
        path = QDir(launch.workingDirectory).filePath(path);
    path = shell::findCaseInsensitive(path);
    const QFileInfo info(path);

    if (info.exists()) {
        if (info.isFile() && info.isExecutable()) {
            launch.program = info.absoluteFilePath();
            launch.arguments = QProcess::splitCommand(parameters);
        } else {
            launch.document = true;
            launch.target = info.absoluteFilePath();
        }
        return launch;
    }
    if (!given.contains(QLatin1Char('/'))) {
        const QString found = QStandardPaths::findExecutable(given);
        if (!found.isEmpty()) {
            launch.program = found;
            launch.arguments = QProcess::splitCommand(parameters);
            return launch;
        }
    }
    return std::nullopt;
}

// The opener program for a document, or nothing when the desktop has none.
bool useOpener(Launch &launch)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return false;
    launch.program = opener;
    launch.arguments = {launch.target};
    return true;
}

void reportNotOpened(const QString &target)
{
    const QString text = isUrl(target)
                             ? QStringLiteral("Adresu %1 nie je možné otvoriť: na tomto počítači nie je "
                                              "program, ktorý ju otvorí.")
                                   .arg(target)
                             : QStringLiteral("Súbor %1 nie je možné otvoriť: na tomto počítači nie je "
                                              "program, ktorý ho otvorí.")
                                   .arg(QDir::toNativeSeparators(target));
    if (openFailureReporter())
        openFailureReporter()(text);
    else
        qWarning("%s", qUtf8Printable(text));
}

// Whether the desktop's opener could not open the document: it ended soon after it
// started (an opener that ran longer had handed the document to a program the clerk saw,
// whatever that program answered when it was closed) with one of its exit codes for that:
// 2 no such file, 3 no program for it, 4 the program failed.
bool openerFoundNoProgram(int exitCode, const QElapsedTimer &running)
{
    constexpr qint64 kOpenerAnswerMs = 5000;
    return exitCode >= 2 && exitCode <= 4 && running.elapsed() < kOpenerAnswerMs;
}

// The opener ends at once when it finds no program for the document; a program it found
// may run long under it, so it is not waited for: its end is watched.
bool startOpener(const Launch &launch)
{
    auto *process = new QProcess;
    process->setProgram(launch.program);
    process->setArguments(launch.arguments);
    if (!launch.workingDirectory.isEmpty())
        process->setWorkingDirectory(launch.workingDirectory);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    const QString target = launch.target;
    QElapsedTimer running;
    running.start();
    QObject::connect(process, &QProcess::finished, process,
                     [process, target, running](int exitCode, QProcess::ExitStatus status) {
                         if (status == QProcess::NormalExit && openerFoundNoProgram(exitCode, running))
                             reportNotOpened(target);
                         process->deleteLater();
                     });
    process->start();
    if (!process->waitForStarted(-1)) {
        delete process;
        reportNotOpened(target);
        return false;
    }
    return true;
}

} // namespace

void setOpenFailureReporter(OpenFailureReporter reporter) { openFailureReporter() = std::move(reporter); }

void setStartHook(StartHook hook) { startHook() = std::move(hook); }

void setMainWindowHider(MainWindowHider hider) { mainWindowHider() = std::move(hider); }

bool ShellOpenFile(const QString &file, const QString &parameters, const QString &folder, int showCmd)
{
    std::optional<Launch> launch = resolve(file, parameters, folder);
    if (!launch)
        return false;
    if (launch->document && !useOpener(*launch)) {
        if (startHook())
            return startHook()(QString(), {launch->target}, launch->workingDirectory);
        const QUrl url = isUrl(launch->target) ? QUrl(launch->target) : QUrl::fromLocalFile(launch->target);
        if (QDesktopServices::openUrl(url))
            return true;
        reportNotOpened(launch->target);
        return false;
    }
    if (startHook())
        return startHook()(launch->program, launch->arguments, launch->workingDirectory);
    if (launch->document)
        return startOpener(*launch);
    return QProcess::startDetached(launch->program, launch->arguments, launch->workingDirectory);
}

int ExecuteAndWait(const QString &file, const QString &parameters, const QString &folder, int showCmd)
{
    std::function<void()> showAgainFn = mainWindowHider() ? mainWindowHider()() : nullptr;
    const auto showAgain = qScopeGuard([&] {
        if (showAgainFn)
            showAgainFn();
    });
    // The clerk reads that nothing opened with the main window back in front.
    const auto reportShown = [&showAgainFn](const QString &target) {
        if (showAgainFn)
            std::exchange(showAgainFn, nullptr)();
        reportNotOpened(target);
    };

    std::optional<Launch> launch = resolve(file, parameters, folder);
    if (!launch)
        return -1;
    if (launch->document && !useOpener(*launch)) {
        reportShown(launch->target);
        return -1;
    }

    // Not owned by anything: a program still running when the application ends is left
    // running, not killed with the QProcess.
    auto *process = new QProcess;
    process->setProgram(launch->program);
    process->setArguments(launch->arguments);
    if (!launch->workingDirectory.isEmpty())
        process->setWorkingDirectory(launch->workingDirectory);
    // The program's output is not ours to read, and it gets no input from us.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());

    QEventLoop loop;
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop,
                     &QEventLoop::quit);
    QElapsedTimer running;
    running.start();
    process->start();
    if (!process->waitForStarted(-1)) {
        delete process;
        return -1;
    }
    if (process->state() != QProcess::NotRunning)
        loop.exec();

    if (process->state() != QProcess::NotRunning) {
        Kod_ukoncenia = kStillActive;
        process->disconnect();
        return 0;
    }
    Kod_ukoncenia = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    delete process;
    if (launch->document && openerFoundNoProgram(Kod_ukoncenia, running))
        reportShown(launch->target);
    return 0;
}

} // namespace tarix::ShellUtils
