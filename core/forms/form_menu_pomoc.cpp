#include "core/forms/form_menu_pomoc.h"

#include "core/helpers/app_paths.h"
#include "core/forms/form_about.h"
#include "core/forms/form_calc.h"
#include "core/forms/form_pomoc.h"
#include "core/helpers/file_choice.h"
#include "platform/shell/launcher.h"
#include "platform/shell/paths.h"
#include "platform/ui/user_interface.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace tarix::core {

namespace {

// Why an item has nothing to start: its tooltip, and the message should it be triggered.
QString withoutXmlEditor()
{
    return QStringLiteral("XML editor nie je nastavený: v priečinku programu nie je program %1.")
        .arg(QString::fromLatin1(kXmlEditorFile));
}
QString withoutOdbc()
{
    return QStringLiteral("ODBC manažér patrí systému Windows; TARIX tu má údaje v databázach SQLite "
                          "a ODBC nepotrebuje.");
}
QString withoutWeb() { return QStringLiteral("TARIX zatiaľ nemá vlastnú webovú stránku."); }

// The shell did not take it: the clerk learns what was missing rather than seeing nothing.
bool told(bool started, const QString &what)
{
    if (!started && ui::hasCurrent())
        ui::current().showMessage(ui::MessageKind::Warning, what);
    return started;
}

} // namespace

TFormMenuPomoc::TFormMenuPomoc(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("FormMenuPomoc"));
}

TFormMenuPomoc::~TFormMenuPomoc() = default;

QMenu *TFormMenuPomoc::Pridaj_menu_pomoc(QWidget *owner, QMenuBar *menu)
{
    QMenu *pomoc = menu->addMenu(QStringLiteral("Pomoc"));
    pomoc->setObjectName(QStringLiteral("Pomoc"));
    // A disabled item says why in its tooltip.
    pomoc->setToolTipsVisible(true);
    const QPointer<QWidget> window(owner);

    auto add = [&](const QString &caption, const char *name, auto handler) {
        QAction *action = pomoc->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };

    add(QStringLiteral("TARIX - popis zmien verzie"), "PopisZmien", [this] { changesClicked(); });
    pomoc->addSeparator();
    add(QStringLiteral("Kalkulačka"), "Kalkulacka", [this, window] { calculatorClicked(window); });
    add(QStringLiteral("&XML editor"), "XmlEditor", [this] { xmlEditorClicked(); });
    add(QStringLiteral("&ODBC manažér"), "OdbcManazer", [this] { odbcManagerClicked(); });
    add(QStringLiteral("&Popis významu skratiek vo výplate"), "PopisSkratiek",
        [this, window] { shortcutsClicked(window); });
    pomoc->addSeparator();
    add(QStringLiteral("&Výber súboru"), "VyberTlacovehoSuboru",
        [this] { VyberTlacovehoSuboruClick(); });
    pomoc->addSeparator();
    add(QStringLiteral("Internet - informácie o TARIX"), "Internet", [this] { internetClicked(); });
    pomoc->addSeparator();
    add(QStringLiteral("&O programe (verzia programu)"), "OPrograme",
        [this, window] { aboutClicked(window); });

    // Items with nothing to start on this system stay in their place, disabled.
    auto disable = [&](const char *name, const QString &why) {
        QAction *action = pomoc->findChild<QAction *>(QString::fromLatin1(name));
        action->setEnabled(false);
        action->setToolTip(why);
        action->setStatusTip(why);
    };
    if (xmlEditor().isEmpty())
        disable("XmlEditor", withoutXmlEditor());
    disable("OdbcManazer", withoutOdbc());
    if (QString::fromLatin1(kTarixWebPage).isEmpty())
        disable("Internet", withoutWeb());
    return pomoc;
}

QString TFormMenuPomoc::xmlEditor() const
{
    const QString folder = appPaths().programFolder;
    if (folder.isEmpty())
        return {};
    const QFileInfo editor(shell::findCaseInsensitive(folder + QString::fromLatin1(kXmlEditorFile)));
    return editor.isFile() && editor.isExecutable() ? editor.absoluteFilePath() : QString();
}


bool TFormMenuPomoc::changesClicked()
{
    const QString file = appPaths().programFolder + QString::fromLatin1(kChangeListFile);
    return told(ShellUtils::ShellOpenFile(file, QString(), QString(), ShellUtils::SW_SHOWNORMAL),
                QStringLiteral("Popis zmien verzie sa nepodarilo otvoriť: %1").arg(file));
}

void TFormMenuPomoc::calculatorClicked(QWidget *owner)
{
    // Made at start-up; should it be missing, the window asking gets one.
    TFormCalc *calc = formCalc();
    if (!calc)
        calc = createFormCalc(owner);
    calc->show();
    calc->raise();
    calc->activateWindow();
}

bool TFormMenuPomoc::xmlEditorClicked()
{
    const QString editor = xmlEditor();
    if (editor.isEmpty())
        return told(false, withoutXmlEditor());
    // It works on the files the program writes to the program folder's "vystupy".
    QString work = appPaths().programFolder + QStringLiteral("vystupy");
    if (!QFileInfo(shell::findCaseInsensitive(work)).isDir())
        work = appPaths().programFolder;
    return told(ShellUtils::ShellOpenFile(editor, QString(), work, ShellUtils::SW_SHOWMAXIMIZED),
                QStringLiteral("XML editor sa nepodarilo spustiť: %1").arg(editor));
}

bool TFormMenuPomoc::odbcManagerClicked()
{
    // The Windows ODBC administrator has no counterpart here (the menu item is disabled).
    return told(false, withoutOdbc());
}

void TFormMenuPomoc::shortcutsClicked(QWidget *owner)
{
    TFormPomoc form(owner);
    form.exec();
}

void TFormMenuPomoc::VyberTlacovehoSuboruClick()
{
    MyConsts::Vyber_a_otvor_subor(MyConsts::outputFolderOrDefault(), QStringLiteral("*.*"));
}

bool TFormMenuPomoc::internetClicked()
{
    const QString page = QString::fromLatin1(kTarixWebPage);
    if (page.isEmpty())
        return told(false, withoutWeb());
    return told(ShellUtils::ShellOpenFile(page, QString(), QString(), ShellUtils::SW_SHOWNORMAL),
                QStringLiteral("Webovú stránku %1 sa nepodarilo otvoriť.").arg(page));
}

void TFormMenuPomoc::aboutClicked(QWidget *owner)
{
    if (!m_about)
        m_about = new TFormAbout(owner);
    m_about->setProgramFolder(appPaths().programFolder);
    m_about->exec();
}

TFormMenuPomoc &formMenuHelp()
{
    static TFormMenuPomoc holder;
    return holder;
}

} // namespace tarix::core
