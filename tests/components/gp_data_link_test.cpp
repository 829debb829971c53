// The suite's data helpers over a real table: the record number the lookup visio counts and
// the data link that passes notifications to its handlers.
#include "components/grid/plugin/dbgprtm.h"
#include "platform/db/table.h"
#include "platform/db/temp_installation.h"

#include <gtest/gtest.h>

namespace tarix::grid::testing {
namespace {

const QString kDdl = QStringLiteral(R"(
CREATE TABLE Stat (Kod VARCHAR(3) NOT NULL, Nazov VARCHAR(30), PRIMARY KEY (Kod));
INSERT INTO Stat VALUES ('203', 'Česká republika');
INSERT INTO Stat VALUES ('616', 'Poľsko');
INSERT INTO Stat VALUES ('703', 'Slovenská republika');
CREATE TABLE Prazdna (Kod VARCHAR(3) NOT NULL, PRIMARY KEY (Kod));
)");

class GpDataLinkTest : public ::testing::Test {
protected:
    db::TempInstallation inst;
    db::Table stat{&inst.session()};
    db::DataSource source{&stat};

    GpDataLinkTest()
    {
        inst.addAlias("TARIX_DATA", "DATA01", kDdl);
        stat.setDatabaseName("TARIX_DATA");
        stat.setTableName("Stat");
    }
};

TEST_F(GpDataLinkTest, GetRecordNumberCountsTheRecordsBeforeTheCurrentOne)
{
    EXPECT_THROW(GetRecordNumber(nullptr), EMyError);
    try {
        GetRecordNumber(&stat);
        ADD_FAILURE() << "a closed dataset gave a number";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), "\"GetRecordNumber\" fail. \"DataSet\" is unassigned or inactive");
    }

    stat.open();
    stat.last();
    EXPECT_EQ(GetRecordNumber(&stat), 2);
    EXPECT_EQ(stat.recordNumber(), 1); // walked back to the first record
    EXPECT_EQ(GetRecordNumber(&stat), 0);

    db::Table empty(&inst.session());
    empty.setDatabaseName("TARIX_DATA");
    empty.setTableName("Prazdna");
    empty.open();
    EXPECT_EQ(GetRecordNumber(&empty), -1);
}

TEST_F(GpDataLinkTest, TheLinkCallsItsBoundHandlersWithTheScrollDistance)
{
    TGPDataLink link;
    QStringList heard;
    link.OnActiveChanged = [&](TGPDataLink &l) {
        EXPECT_EQ(&l, &link);
        heard << QStringLiteral("active %1").arg(l.isActive());
    };
    link.OnDataSetScrolled = [&](TGPDataLink &, int distance) {
        heard << QStringLiteral("scrolled %1").arg(distance);
    };
    link.setDataSource(&source);
    stat.open();
    stat.next();
    stat.last();
    stat.first();
    EXPECT_EQ(heard, QStringList({"active 0", "active 1", "scrolled 1", "scrolled 1", "scrolled -2"}));

    // Unbound handlers make their notifications do nothing.
    TGPDataLink quiet;
    quiet.setDataSource(&source);
    stat.next();
    quiet.layoutChanged();
    db::Field *field = &stat.fieldByName("Kod");
    quiet.focusControl(field);
    EXPECT_EQ(field, &stat.fieldByName("Kod"));
}

TEST_F(GpDataLinkTest, AFocusHandlerThatClearsTheFieldMarksTheRequestHandled)
{
    TGPDataLink link;
    link.setDataSource(&source);
    stat.open();
    db::Field *const kod = &stat.fieldByName("Kod");
    for (const bool handled : {false, true}) {
        link.OnFocusControl = [&](TGPDataLink &, db::Field *&f) {
            EXPECT_EQ(f, kod);
            if (handled)
                f = nullptr;
        };
        db::Field *field = kod;
        link.focusControl(field);
        EXPECT_EQ(field, handled ? nullptr : kod) << handled;
    }
}

} // namespace
} // namespace tarix::grid::testing
