// The texts the clerk and the employee read carry none of the misspellings once found in
// them: every source and data file of the program (not the tests) is searched.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QStringList>

namespace {

TEST(ProgramTexts, NoneOfTheCorrectedMisspellingsIsLeft)
{
    const QStringList misspelt{
        QStringLiteral("BRIGÁDNCIKEJ"),          QStringLiteral("záväzkly"),
        QStringLiteral("Hlásnie"),               QStringLiteral("výučtovaní"),
        QStringLiteral("Zaokrúľovanie"),         QStringLiteral("zamestancov"),
        QStringLiteral("evidenčného list dôch"), QStringLiteral("vygenerovaných %d súborov"),
        QStringLiteral("\"Výživné\""),
    };
    const QString root = QStringLiteral(TARIX_SOURCE_DIR);
    QStringList files{root + QStringLiteral("/README.md")};
    for (const char *dir : {"app", "components", "core", "data", "filings", "payroll", "platform", "reports", "tools"}) {
        QDirIterator it(root + u'/' + QLatin1String(dir), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
    }
    ASSERT_GT(files.size(), 100);
    int searched = 0;
    for (const QString &path : files) {
        if (!path.endsWith(QLatin1String(".cpp")) && !path.endsWith(QLatin1String(".h"))
            && !path.endsWith(QLatin1String(".sql")) && !path.endsWith(QLatin1String(".md"))
            && !path.endsWith(QLatin1String(".txt")) && !path.endsWith(QLatin1String(".ini")))
            continue;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString text = QString::fromUtf8(f.readAll());
        ++searched;
        for (const QString &word : misspelt)
            EXPECT_FALSE(text.contains(word)) << path.toStdString() << ": " << word.toStdString();
    }
    EXPECT_GT(searched, 100);
}

} // namespace
