#include "core/forms/form_menu_pomoc.h"

#include "core/helpers/app_paths.h"
#include "core/forms/form_about.h"
#include "core/forms/form_calc.h"
#include "core/forms/form_pomoc.h"
#include "core/helpers/file_choice.h"
#include "platform/shell/launcher.h"

#include <QMenu>
#include <QMenuBar>

namespace tarix::core {

TFormMenuPomoc::TFormMenuPomoc(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("FormMenuPomoc"));
}

TFormMenuPomoc::~TFormMenuPomoc() = default;

QMenu *TFormMenuPomoc::Pridaj_menu_pomoc(QWidget *owner, QMenuBar *menu)
{
    QMenu *pomoc = menu->addMenu(QStringLiteral("Pomoc"));
    pomoc->setObjectName(QStringLiteral("Pomoc"));
    const QPointer<QWidget> window(owner);

    auto add = [&](const QString &caption, const char *name, auto handler) {
        QAction *action = pomoc->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };

    add(QStringLiteral("TARIX - popis zmien verzie"), "PopisZmien", [this] { PopisZmienClick(); });
    pomoc->addSeparator();
    add(QStringLiteral("Kalkulačka"), "Kalkulacka", [this, window] { KalkulackaClick(window); });
    add(QStringLiteral("&XML editor"), "XmlEditor", [this] { XmlEditorClick(); });
    add(QStringLiteral("&ODBC manažér"), "OdbcManazer", [this] { OdbcManazerClick(); });
    add(QStringLiteral("&Popis významu skratiek vo výplate"), "PopisSkratiek",
        [this, window] { PopisSkratiekClick(window); });
    pomoc->addSeparator();
    add(QStringLiteral("&Výber súboru"), "VyberTlacovehoSuboru",
        [this] { VyberTlacovehoSuboruClick(); });
    pomoc->addSeparator();
    add(QStringLiteral("Internet - informácie o TARIX"), "Internet", [this] { InternetClick(); });
    pomoc->addSeparator();
    add(QStringLiteral("&O programe (verzia programu)"), "OPrograme",
        [this, window] { OProgrameClick(window); });
    return pomoc;
}

bool TFormMenuPomoc::PopisZmienClick()
{
    return ShellUtils::ShellOpenFile(appPaths().programFolder + QStringLiteral("tarix_zmeny_2007.rtf"),
                                     QString(), QString(), ShellUtils::SW_SHOWNORMAL);
}

void TFormMenuPomoc::KalkulackaClick(QWidget *owner)
{
    // Made at start-up; should it be missing, the window asking gets one.
    TFormCalc *calc = formCalc();
    if (!calc)
        calc = createFormCalc(owner);
    calc->show();
    calc->raise();
    calc->activateWindow();
}

bool TFormMenuPomoc::XmlEditorClick()
{
    const QString folder = appPaths().programFolder;
    return ShellUtils::ShellOpenFile(folder + QStringLiteral("pxe.exe"), QString(),
                                     folder + QStringLiteral("vystupy"),
                                     ShellUtils::SW_SHOWMAXIMIZED);
}

bool TFormMenuPomoc::OdbcManazerClick()
{
    return ShellUtils::ShellOpenFile(QStringLiteral("odbcad32"), QString(),
                                     appPaths().programFolder, ShellUtils::SW_SHOWNORMAL);
}

void TFormMenuPomoc::PopisSkratiekClick(QWidget *owner)
{
    TFormPomoc form(owner);
    form.exec();
}

void TFormMenuPomoc::VyberTlacovehoSuboruClick()
{
    MyConsts::Vyber_a_otvor_subor(MyConsts::outputFolderOrDefault(), QStringLiteral("*.*"));
}

bool TFormMenuPomoc::InternetClick()
{
    return ShellUtils::ShellOpenFile(QString::fromLatin1(kTarixWebPage), QString(), QString(),
                                     ShellUtils::SW_SHOWNORMAL);
}

void TFormMenuPomoc::OProgrameClick(QWidget *owner)
{
    if (!m_about)
        m_about = new TFormAbout(owner);
    m_about->setProgramFolder(appPaths().programFolder);
    m_about->exec();
}

TFormMenuPomoc &FormMenuPomoc()
{
    static TFormMenuPomoc holder;
    return holder;
}

} // namespace tarix::core
