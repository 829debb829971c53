#include "core/helpers/numbered_files.h"

#include <QDir>
#include <QHash>

#include <algorithm>

namespace tarix::MyConsts {
namespace {

thread_local QString t_poslednySubor;

} // namespace

int Volne_cislo_suboru(const QString &folder, const QString &baseName,
                       const QString &extension, int digits)
{
    t_poslednySubor.clear();
    if (digits < 1)
        return 0;
    digits = std::min(digits, 9);
    int limit = 1;
    for (int i = 0; i < digits; ++i)
        limit *= 10;

    // Every name of the folder once, case-folded, with its name on disk.
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    QHash<QString, QString> existing;
    const QStringList names =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names)
        existing.insert(name.toCaseFolded(), name);

    for (int n = 1; n < limit; ++n) {
        const QString name = baseName + QString::number(n).rightJustified(digits, u'0')
                             + u'.' + extension;
        const auto it = existing.constFind(name.toCaseFolded());
        if (it == existing.constEnd())
            return n;
        t_poslednySubor = dir.filePath(it.value());
    }
    return 0;
}

int Volne_cislo_suboru(const QString &pathAndBase, const QString &extension, int digits)
{
    QString path = pathAndBase;
    path.replace(u'\\', u'/');
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return Volne_cislo_suboru(QString(), path, extension, digits);
    return Volne_cislo_suboru(slash == 0 ? QStringLiteral("/") : path.left(slash),
                              path.mid(slash + 1), extension, digits);
}

QString Posledny_subor()
{
    return t_poslednySubor;
}

} // namespace tarix::MyConsts
