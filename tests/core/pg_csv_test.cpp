// TPgCSV: the code tables written to and read from delimited Windows-1250 files, compared
// byte for byte.
#include "core/helpers/pg_csv.h"
#include "core/helpers/messages.h"
#include "core/period_rules.h"
#include "firm_fixture.h"

#include <QFile>
#include <QTemporaryDir>

using namespace tarix;

namespace {

class PgCsv : public firmtest::FirmFixture {
protected:
    void SetUp() override
    {
        install({true, 2007, 2007});
        core::OpeningSteps steps;
        steps.vyber_obdobia = [this] { core::confirmPeriod(core::DM(), 2007, 2007, 3, root()); };
        ASSERT_TRUE(core::openFirmAndYear(1, 2007, steps));
        // A centre whose name holds the separator and a Slovak capital.
        s().execute("insert into \":tarix_data:cis_vm\" (ID, NAZOV) values (3, 'Sklad; Žilina')");
        centres().refresh();
        scripted.clearEvents();
        ASSERT_TRUE(out.isValid());
    }

    db::Table &centres() { return core::DM().CIS2_; }
    QString file(const char *name) const { return out.filePath(QString::fromLatin1(name)); }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // The code-list editor's settings.
    MyConsts::TPgCSV editorCsv(const QString &path)
    {
        MyConsts::TPgCSV csv;
        csv.Dataset = &centres();
        csv.CSVFile = path;
        csv.Seprator = u';';
        csv.Delimiter = u';';
        csv.FieldIndicator = QChar(0);
        csv.EmptyTable = true;
        return csv;
    }

    QTemporaryDir out;
};

// The cost-centre code list of the demo firm with centre 3 added, written by hand:
// - no header line; one line per centre in key order; every line ends in CR LF (0D 0A);
// - the default map is every field of the table in its order: ID, NAZOV and the
//   calculated CALC_NAZOV ("number - name");
// - Windows-1250: "á" is E1, "ž" is 9E, "Ž" is 8E;
// - a value holding ";" is enclosed in '"' so that it reads back as one value.
const QByteArray kCentres = QByteArray("1;Centr\xE1la Trnava;1 - Centr\xE1la Trnava\r\n"
                                       "2;Stavby a mont\xE1\x9E"
                                       "e;2 - Stavby a mont\xE1\x9E"
                                       "e\r\n"
                                       "3;\"Sklad; \x8Eilina\";\"3 - Sklad; \x8Eilina\"\r\n");

} // namespace

TEST_F(PgCsv, TheCostCentresAreWrittenWithTheDefaultMapInWindows1250)
{
    MyConsts::TPgCSV csv = editorCsv(file("Cis_vm.CSV"));
    QList<int> progress;
    csv.ExportProgress = [&](MyConsts::TPgCSV &, int n) { progress << n; };
    csv.DataSetToCSV();
    EXPECT_EQ(bytes(file("Cis_vm.CSV")), kCentres);
    EXPECT_EQ(progress, (QList<int>{0, 1, 2}));
}

TEST_F(PgCsv, MapItemsAreFieldsOrLiteralTextAndAppendingAddsTheLinesAgain)
{
    MyConsts::TPgCSV csv;
    csv.Dataset = &centres();
    csv.CSVFile = file("map.csv");
    csv.CSVMap = "$ID;VM;$NAZOV"; // "VM" is literal: it does not start with "$"
    csv.EmptyTable = false;
    centres().setFilter("ID < 3");
    centres().setFiltered(true);
    const QByteArray once = "1;VM;Centr\xE1la Trnava\r\n"
                            "2;VM;Stavby a mont\xE1\x9E"
                            "e\r\n";
    csv.DataSetToCSV();
    EXPECT_EQ(bytes(csv.CSVFile), once);
    csv.DataSetToCSV();
    EXPECT_EQ(bytes(csv.CSVFile), once + once);
    // EmptyTable starts the file anew.
    csv.EmptyTable = true;
    csv.DataSetToCSV();
    EXPECT_EQ(bytes(csv.CSVFile), once);

    // With UseDelimiter every value is enclosed in the delimiter.
    csv.UseDelimiter = true;
    csv.CSVMap = "$ID;$NAZOV";
    csv.DataSetToCSV();
    EXPECT_EQ(bytes(csv.CSVFile), QByteArray("\"1\";\"Centr\xE1la Trnava\"\r\n"
                                             "\"2\";\"Stavby a mont\xE1\x9E"
                                             "e\"\r\n"));
}

TEST_F(PgCsv, AnEmptyTableGivesAnEmptyFile)
{
    QFile old(file("empty.csv"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old line\r\n");
    old.close();
    centres().setFilter("ID > 50");
    centres().setFiltered(true);
    MyConsts::TPgCSV csv = editorCsv(file("empty.csv"));
    csv.DataSetToCSV();
    EXPECT_EQ(bytes(file("empty.csv")), QByteArray());
}

TEST_F(PgCsv, ImportAppendsARecordPerLineAndSkipsTheIgnoredItem)
{
    QFile in(file("in.csv"));
    ASSERT_TRUE(in.open(QIODevice::WriteOnly));
    in.write("\"7\";\"x\";\"Sklad \xCF" "umbier\"\r\n" // "Ď" is CF
             "\"8\";\"y\";\"Dielne; Ko\x9A" "ice\"\r\n");
    in.close();
    MyConsts::TPgCSV csv;
    csv.Dataset = &centres();
    csv.CSVFile = in.fileName();
    csv.CSVMap = "$ID;$POZN;$NAZOV";
    csv.IgnoreString = "$pozn"; // compared without regard to case
    csv.UseDelimiter = true;
    scripted.answerYes(Msg(65177)).answerYes(Msg(65177));
    csv.CSVToDataSet();
    EXPECT_EQ(one("select NAZOV from \":tarix_data:cis_vm\" where ID = 7").toString(), "Sklad Ďumbier");
    EXPECT_EQ(one("select NAZOV from \":tarix_data:cis_vm\" where ID = 8").toString(), "Dielne; Košice");
}

TEST_F(PgCsv, ValuesWrittenWithQuotesReadBackAsOneValue)
{
    MyConsts::TPgCSV csv;
    const struct Case {
        QStringList values;
        QByteArray line;
    } cases[] = {
        {{"a", "b;c"}, "a;\"b;c\""},
        {{"say \"hi\"", ""}, "\"say \"\"hi\"\"\";"},
        {{"two\r\nlines", "x"}, "\"two\r\nlines\";x"},
        {{"", "", ""}, ";;"},
    };
    for (const Case &c : cases) {
        const QString line = csv.riadok(c.values);
        EXPECT_EQ(line.toUtf8(), c.line);
        const auto rows = csv.csvValues(line + "\r\n");
        ASSERT_EQ(rows.size(), 1) << c.line.constData();
        EXPECT_EQ(rows.first(), c.values);
    }
}

TEST_F(PgCsv, ExportThenImportGivesTheSameNames)
{
    MyConsts::TPgCSV out1 = editorCsv(file("cis.csv"));
    out1.CSVMap = QString(QChar(0)) + "NAZOV";
    out1.DataSetToCSV();
    s().execute("delete from \":tarix_data:cis_vm\" where ID = 3");
    centres().refresh();
    // The names come back into new centres 11, 12, 13 (the key from an outside counter).
    int next = 11;
    centres().onNewRecord = [&next](db::DataSet &ds) { ds.fieldByName("ID").setAsInteger(next++); };
    scripted.answerYes().answerYes().answerYes();
    MyConsts::TPgCSV in1 = editorCsv(file("cis.csv"));
    in1.CSVMap = QString(QChar(0)) + "NAZOV";
    in1.CSVToDataSet();
    centres().onNewRecord = nullptr;
    EXPECT_EQ(one("select NAZOV from \":tarix_data:cis_vm\" where ID = 13").toString(), "Sklad; Žilina");
}
