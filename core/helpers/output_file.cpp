#include "core/helpers/output_file.h"

#include "core/helpers/app_paths.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "platform/db/field.h"
#include "platform/errors.h"
#include "platform/format/format_pattern.h"
#include "platform/shell/launcher.h"
#include "platform/shell/paths.h"
#include "platform/ui/user_interface.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <map>

#include <stdexcept>

namespace tarix::MyConsts {

namespace {
bool exists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(shell::findCaseInsensitive(path)).isFile();
}

void checkFiles(OutputFiles &files, bool outputExists)
{
    files.outputExisted = outputExists;
    files.writeAllowed = true;
    if (files.outputExisted && files.askOverwrite)
        files.writeAllowed = ui::current().askYesNo(Msg(65109, files.output));
}
} // namespace

void Kontrola_suborov(OutputFiles &files)
{
    if (!files.input.isEmpty() && !exists(files.input))
        throw EMyError(Msg(65129, files.input));
    checkFiles(files, exists(files.output));
}

void Kontrola_suborov(std::vector<OutputFiles> &files)
{
    QSet<QString> inputs;
    for (const OutputFiles &f : files)
        if (!f.input.isEmpty() && !inputs.contains(f.input)) {
            if (!exists(f.input))
                throw EMyError(Msg(65129, f.input));
            inputs.insert(f.input);
        }
    std::map<QString, shell::FolderEntries> folders;
    for (OutputFiles &f : files) {
        const QFileInfo output(shell::fromWindowsPath(f.output));
        const QString folder = output.path();
        auto at = folders.find(folder);
        if (at == folders.end())
            at = folders.emplace(folder, shell::FolderEntries(folder)).first;
        checkFiles(f, !f.output.isEmpty() && QFileInfo(at->second.path(output.fileName())).isFile());
    }
}

void Otvor_vytvoreny_subor(const QString &path)
{
    if (!exists(path))
        throw EMyError(Msg(65129, path));
    if (!ui::current().askYesNo(Msg(65126, path)))
        return;
    const QString file = shell::findCaseInsensitive(path);
    ShellUtils::ShellOpenFile(file, QString(), QFileInfo(file).absolutePath());
}

void reportFilesWritten(const QString &message, const QStringList &files)
{
    if (files.isEmpty())
        throw std::logic_error("reportFilesWritten: no file written");
    for (const QString &f : files)
        if (!exists(f))
            throw EMyError(Msg(65129, QDir::toNativeSeparators(f)));
    Sprava_informacia(message);
}

void reportNothingWritten(const QString &reason)
{
    Sprava_informacia(reason + QStringLiteral("\nŽiadny súbor nebol vytvorený."));
}

QString Format_pola(const QString &format, const db::Field &field)
{
    if (field.asString().isEmpty())
        return {};
    switch (field.type()) {
    case db::FieldType::Money:
        return fmt::format(format, {field.asFloat()});
    case db::FieldType::SmallInt:
        return fmt::format(format, {qint64(field.asInteger())});
    default:
        return {};
    }
}

QString outputFolderFor(OutputPlace place)
{
    switch (place) {
    case OutputPlace::ProgramOutputs:
        return core::appPaths().programFolder + QStringLiteral("vystupy/");
    case OutputPlace::ProgramExcel:
        return core::appPaths().programFolder + QStringLiteral("excel/");
    case OutputPlace::FirmOutputs:
        break;
    }
    QString folder = outputFolderOrDefault();
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString nameComponent(const QString &fieldCaption, const QString &value)
{
    const QString v = value.trimmed();
    bool bad = v.isEmpty() || v.contains(u'/') || v.contains(u'\\') || v.contains(QStringLiteral(".."));
    for (const QChar c : v)
        bad = bad || c.category() == QChar::Other_Control;
    if (bad)
        throw EMyError(QStringLiteral("Údaj \"%1\" (%2) nemožno použiť v názve súboru.").arg(fieldCaption, value));
    return v;
}

} // namespace tarix::MyConsts
