#include "core/forms/startup.h"

#include "core/forms/main_menu.h"
#include "core/forms/settings_commands.h"

#include "core/app_ini.h"
#include "core/database_server.h"
#include "core/helpers/app_paths.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/forms/form_about.h"
#include "core/forms/form_calc.h"
#include "core/forms/form_main.h"
#include "core/forms/form_menu_pomoc.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/installation.h"
#include "core/module_registry.h"
#include "core/session.h"
#include "core/version.h"
#include "platform/db/pg_connection.h"
#include "platform/db/session.h"
#include "platform/db/table.h"
#include "platform/errors.h"
#include "platform/shell/desktop/main_window.h"
#include "platform/report/qt/preview.h"
#include "core/forms/form_par_pu.h"
#include "platform/shell/launcher.h"
#include "platform/ui/qt/qt_user_interface.h"
#include "platform/ui/qt/window_fit.h"
#include "platform/ui/user_interface.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <memory>

namespace tarix::core {

namespace {
std::unique_ptr<ui::QtUserInterface> g_qtUi;
std::unique_ptr<TFormMain> g_mainWindow;

QString native(const QString &path) { return QDir::toNativeSeparators(QDir::cleanPath(path)); }

// Why a folder cannot hold a database: the nearest part of its path that exists is a file,
// or cannot be written. Empty when nothing of the kind is seen.
QString folderProblem(const QString &folder)
{
    QString path = QDir::cleanPath(folder);
    while (!path.isEmpty()) {
        const QFileInfo fi(path);
        if (fi.exists()) {
            if (!fi.isDir())
                return QStringLiteral("%1 je súbor, nie priečinok").arg(native(path));
            if (!fi.isWritable())
                return QStringLiteral("do priečinka %1 nie je možné zapisovať").arg(native(path));
            return {};
        }
        const int slash = path.lastIndexOf(u'/');
        if (slash <= 0)
            break;
        path.truncate(slash);
    }
    return {};
}

// A new workstation on a database server gets its private schema there.
void makeServerPrivateSchema(db::Session &session, const QString &privateFolder)
{
    const QString schema = session.serverSchemaOfFolder(privateFolder);
    db::PgConnection &conn = *session.serverConnection();
    try {
        createServerPrivateSchema(conn, schema);
    } catch (const std::exception &e) {
        throw EMyError(QStringLiteral("Nepodarilo sa vytvoriť databázu pracovnej stanice na serveri %1 "
                                      "(schéma %2): %3")
                           .arg(conn.serverName(), schema, errorText(e)));
    }
}

// A new workstation gets its private folder with the open period and an empty program
// password; a folder that cannot hold it is named with the reason.
void createPrivateFolder(const QString &folder)
{
    try {
        createFolderDatabase(folder, FolderKind::Private, privateSeedResources());
    } catch (const std::exception &e) {
        const QString problem = folderProblem(folder);
        throw EMyError(QStringLiteral("Nepodarilo sa vytvoriť databázu pracovnej stanice v "
                                      "priečinku %1: %2")
                           .arg(native(folder), problem.isEmpty() ? errorText(e) : problem));
    }
}

TFormMain *startSteps(const StartupOptions &options, const StartupHooks &hooks);
} // namespace

TFormMain *startProgram(const StartupOptions &options, const StartupHooks &hooks)
{
    // The user interface first: whatever fails from here on is told to the user.
    if (!ui::hasCurrent()) {
        g_qtUi = std::make_unique<ui::QtUserInterface>();
        ui::setCurrent(g_qtUi.get());
    }
    try {
        return startSteps(options, hooks);
    } catch (const std::exception &e) {
        // The program never ends without saying why.
        if (!dynamic_cast<const EAbort *>(&e))
            MyConsts::Sprava_chyba(
                QStringLiteral("Program nie je možné spustiť.\n%1").arg(errorText(e)));
        if (g_qtUi)
            g_qtUi->setMainWindow(nullptr);
        g_mainWindow.reset();
        return nullptr;
    }
}

namespace {
TFormMain *startSteps(const StartupOptions &options, const StartupHooks &hooks)
{
    // The program folder, then both INI files, then the folders derived from them.
    const QString programFolder = options.programFolder.isEmpty()
                                      ? locateProgramFolder()
                                      : normalizeFolder(options.programFolder, QDir::currentPath());
    openAppIni(programFolder);
    ini::IniFile &trx = trxIni();
    const QString networkPath = trx.readString("NETWORK", "Network_Path", QString());
    setAppPaths(deriveAppPaths(programFolder, networkPath, trx.readString("IMPORT", "Gfk_Path", QString())));
    // A network folder that is not there (a share not mounted, a typing error) is named, not
    // taken for an installation without firms.
    if (!networkPath.trimmed().isEmpty() && !QFileInfo(appPaths().networkRoot).isDir())
        throw EMyError(QStringLiteral("Sieťový priečinok %1 (TRX.INI, [NETWORK] Network_Path) neexistuje alebo nie je "
                                      "dostupný.")
                           .arg(native(appPaths().networkRoot)));

    // A workstation keeps its own private folder beside the program, or on a database server
    // named in TRX.INI its own private schema there. A server is used or the program ends
    // saying why; it never goes on with the folders instead.
    const QString server = databaseServerSetting();
    const QString privateFolder = appPaths().privateFolder;
    if (server.isEmpty()) {
        const QFileInfo privateFile(privateFolder + db::Session::databaseFileName);
        if (!privateFile.exists() && !privateFile.isSymLink())
            createPrivateFolder(privateFolder);
    } else {
        checkDatabaseServer(server);
    }

    // The session's aliases on the start-up folders (on the server, their schemas).
    openStartupSession(appPaths(), server);
    if (!server.isEmpty())
        makeServerPrivateSchema(session(), privateFolder);
    // A damaged private database is named here, not taken for a refused login.
    checkDatabase(privateFolder, QStringLiteral("PRIV"), QStringLiteral("pracovnej stanice"),
                  false);

    std::unique_ptr<TFormAbout> splash;
    if (options.showWindows) {
        splash = std::make_unique<TFormAbout>();
        splash->setSplash(true);
        splash->setProgramFolder(QDir::toNativeSeparators(appPaths().programFolder));
        splash->show();
        QApplication::processEvents();
    }
    QApplication::setApplicationName(QStringLiteral("TARIX"));
    // No display name: the platform would append it to every window's caption.

    moduleRegistry().createAll();
    // The main module is the core's own; the window's creation needs it.
    if (!hasDM())
        createDM();
    if (hooks.afterDataModules)
        hooks.afterDataModules();
    // The core's own settings screens, code lists and firm administration.
    registerSettingsCommands(mainMenuCommands());

    g_mainWindow = std::make_unique<TFormMain>();
    // Outside programs started with a wait hide the main window meanwhile.
    ShellUtils::setMainWindowProvider([] { return static_cast<QWidget *>(g_mainWindow.get()); });
    // A document that no program of the desktop opens is never passed over in silence.
    ShellUtils::setOpenFailureReporter([](const QString &text) {
        if (ui::hasCurrent())
            MyConsts::Sprava_upozornenie(text);
        else
            qWarning("%s", qUtf8Printable(text));
    });
    // Every window fits the clerk's screen.
    ui::fitWindowsToScreen();
    // A preview belongs to the window that asked for the report, as a message does.
    rpt::installDialogPreviewHost([]() -> QWidget * { return g_qtUi ? g_qtUi->dialogParent() : ui::askingWindow(); });
    useParPuDialog();
    if (g_qtUi)
        g_qtUi->setMainWindow(g_mainWindow.get());

    // The window's creation: the login, then the firms; without either the program ends.
    // The splash would stand over the login dialog, so it goes first.
    splash.reset();
    auto end = [&](int message) -> TFormMain * {
        MyConsts::Sprava_chyba(Msg(message));
        if (g_qtUi)
            g_qtUi->setMainWindow(nullptr);
        g_mainWindow.reset();
        return nullptr;
    };
    // The login's tables open here, so that a failure to read them ends the program with
    // its own reason rather than with the message of a refused login.
    for (db::Table *t : {&DM().TPRIV_, &DM().TSYS_})
        if (!t->isActive())
            t->open();
    if (!g_mainWindow->logIn(options.login))
        return end(65193);
    g_mainWindow->Vytvor_menu_firiem();
    if (g_mainWindow->openFirmMenu()->isEmpty())
        return end(65176);
    DMA().Vypni_zdroje_dat();

    // The help menu holder and the calculator live for the whole run.
    formMenuHelp().Pridaj_menu_pomoc(g_mainWindow.get(), g_mainWindow->menuBar());
    createFormCalc(g_mainWindow.get());

    g_mainWindow->Akcia_priprav_menu();
    if (options.showWindows)
        g_mainWindow->show();

    if (hooks.readCalculationSettings)
        hooks.readCalculationSettings();
    reportIniProblems(trx);
    return g_mainWindow.get();
}
} // namespace

void endProgram()
{
    if (g_qtUi)
        g_qtUi->setMainWindow(nullptr);
    g_mainWindow.reset();
    closeSession();
    if (g_qtUi && ui::hasCurrent() && &ui::current() == g_qtUi.get())
        ui::setCurrent(nullptr);
    g_qtUi.reset();
}

int runProgram(QApplication &app, const StartupHooks &hooks)
{
    TFormMain *main = startProgram(StartupOptions{}, hooks);
    int code = 1;
    try {
        code = main ? app.exec() : 1;
    } catch (const std::exception &e) {
        // Nothing the message loop let through ends the program without a word.
        MyConsts::Sprava_chyba(QStringLiteral("Program bol ukončený pre chybu:\n%1").arg(errorText(e)));
        code = 1;
    }
    endProgram();
    moduleRegistry().destroyAll();
    return code;
}

} // namespace tarix::core
