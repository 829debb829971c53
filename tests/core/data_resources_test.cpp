#include <QFile>
#include <gtest/gtest.h>

// The installation's table definitions and seed rows are compiled into the program.
TEST(DataResources, SchemaAndSeedFilesAreEmbedded)
{
    for (const char *name : {":/data/schema/firm.sql", ":/data/schema/year.sql",
                             ":/data/schema/private.sql", ":/data/seed/firm-template.sql",
                             ":/data/seed/private.sql", ":/data/seed/year/ROK2007.sql"}) {
        QFile f(QString::fromLatin1(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        EXPECT_GT(f.size(), 0) << name;
    }
}
