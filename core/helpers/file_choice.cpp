#include "core/helpers/file_choice.h"

#include "core/helpers/app_paths.h"
#include "platform/shell/launcher.h"
#include "platform/ui/user_interface.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace tarix::MyConsts {

namespace {
QString &outputFolderValue()
{
    static QString value;
    return value;
}
} // namespace

QString outputFolder() { return outputFolderValue(); }

void setOutputFolder(const QString &folder) { outputFolderValue() = folder; }

QString outputFolderOrDefault()
{
    if (!outputFolder().isEmpty())
        return outputFolder();
    return core::appPaths().networkRoot + QStringLiteral("vystupy");
}

QString outputFileBaseName(const QString &reportCode, int period, const QString &subject)
{
    QStringList parts;
    for (const QString &part : {reportCode.trimmed(), period > 0 ? QString::number(period) : QString(),
                                subject.trimmed()})
        if (!part.isEmpty())
            parts << part;
    QString name = parts.join(u'_');
    for (QChar &ch : name)
        if (QStringView(u"/\\:*?\"<>| ").contains(ch) || ch.unicode() < 32)
            ch = u'-';
    return name;
}

int Vyber_a_otvor_subor(const QString &folder, const QString &filter)
{
    // The dialog and the programs started may move the current folder; the program's
    // relative names expect the program folder.
    const auto restore = qScopeGuard([] {
        const QString programFolder = core::appPaths().programFolder;
        if (!programFolder.isEmpty())
            QDir::setCurrent(programFolder);
    });

    ui::FileDialogRequest request;
    request.caption = QStringLiteral("Výber súboru");
    request.initialFolder = folder;
    request.filter = filter;

    int chosen = 0;
    for (;;) {
        const QString file = ui::current().chooseOpenFile(request);
        if (file.isEmpty())
            break;
        ++chosen;
        const QFileInfo info(file);
        ShellUtils::ExecuteAndWait(info.absoluteFilePath(), QString(), info.absolutePath(),
                                   ShellUtils::SW_SHOWMAXIMIZED);
        // The next choice starts where the last one was made.
        request.initialFolder = info.absolutePath();
        request.fileName = info.fileName();
    }
    return chosen;
}

} // namespace tarix::MyConsts
