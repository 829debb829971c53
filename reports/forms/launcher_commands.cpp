#include "reports/forms/launcher_commands.h"

#include "core/commands.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "platform/errors.h"
#include "platform/ui/user_interface.h"
#include "reports/dispatcher.h"
#include "reports/forms/f_par_form.h"

#include <QDir>
#include <QFileInfo>

namespace tarix::reports {

void runLauncher(const QString &id, bool prebiehaEditacia)
{
    const ReportLauncher *s = reportLauncher(id);
    if (!s)
        throw EMyError(QStringLiteral("Neznáma tlačová zostava %1").arg(id));
    LauncherState stav = launcherState();
    stav.prebiehaEditacia = prebiehaEditacia;
    TMyReportParam p;
    Priprav_parametre_zostavy(p);
    if (const std::optional<TMyReportParam> request = launcherRequest(*s, stav, p))
        ParForm::Zobraz_parametre_zostavy(*request);
}

bool isSpXmlStatement(const QString &fileName)
{
    const QFileInfo f(fileName);
    return f.fileName().startsWith(QLatin1String("SP"), Qt::CaseInsensitive)
           && f.suffix().compare(QLatin1String("xml"), Qt::CaseInsensitive) == 0;
}

QString supplementaryControlFile()
{
    const QString programFolder = core::appPaths().programFolder;
    struct BackToProgramFolder {
        QString folder;
        ~BackToProgramFolder() { QDir::setCurrent(folder); }
    } back{programFolder};

    ui::FileDialogRequest request;
    request.caption = Msg(65159);
    request.initialFolder = QDir(programFolder).filePath(QStringLiteral("vystupy"));
    request.filter = QStringLiteral("SP - XML files (sp*.xml)|sp*.xml");
    request.defaultExtension = QStringLiteral("xml");
    QString chosen;
    do {
        chosen = ui::current().chooseOpenFile(request);
        if (chosen.isEmpty())
            return {};
    } while (!isSpXmlStatement(chosen));

    const QFileInfo xml(chosen);
    const QString txt = xml.completeBaseName() + QStringLiteral(".txt");
    const QString routine = QString::fromUtf16(kZapisKontrolnehoSuboru);
    const ReportRun *write = reportRegister().findReport(routine);
    if (!write)
        throw EMyError(unavailableReportText(routine));
    TMyReportParam p;
    p.Vstupny_subor = xml.absoluteFilePath();
    p.Vystupny_subor = xml.absoluteDir().filePath(txt);
    (*write)(p);
    MyConsts::reportFilesWritten(Msg(65151, txt), {p.Vystupny_subor});
    return chosen;
}

void registerLauncherCommands(core::CommandRegistry &commands)
{
    for (const ReportLauncher &s : reportLaunchers()) {
        const QString id = QString::fromLatin1(s.id);
        if (commands.declares(id))
            commands.add(id, [id](const core::CommandContext &) { runLauncher(id); });
    }
    const QString checkFile = QStringLiteral("tlac_sp_xml_k");
    if (commands.declares(checkFile))
        commands.add(checkFile, [](const core::CommandContext &) { supplementaryControlFile(); });
}

} // namespace tarix::reports
