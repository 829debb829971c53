// The paged form-data writer: records spread over numbered page files, the page's own
// fields first, the row appended to each record field's name, every page checked before
// it is written and a declined page's records never carried to the next page.
#include "core/helpers/form_data_pages.h"
#include "core/helpers/messages.h"
#include "platform/errors.h"
#include "support/scripted_test.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace tarix;
using MyConsts::FormDataPages;
using MyConsts::FormFields;
using tarix::test::readFile;
using tarix::test::writeFile;

namespace {

// Records numbered from 1 with the field "c." (the number) and "m." (a name).
FormDataPages numbered(const QString &stem, const QString &form, int count, int perPage)
{
    FormDataPages p;
    p.stem = stem;
    p.form = form;
    p.recordsPerPage = perPage;
    p.pageFields = [](int page) { return FormFields{{QStringLiteral("strana"), QString::number(page)}}; };
    for (int i = 1; i <= count; ++i)
        p.records.append(FormFields{{QStringLiteral("c."), QString::number(i)}, {QStringLiteral("m."), QStringLiteral("x")}});
    return p;
}

class FormDataPagesTest : public test::ScriptedTest<> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        form = tmp.filePath(QStringLiteral("form.pdf"));
        writeFile(form, "%PDF");
        stem = tmp.filePath(QStringLiteral("Out_200501"));
    }
    QTemporaryDir tmp;
    QString form;
    QString stem;
};

} // namespace

// Page 2 of four records with two per page, byte for byte (tests/core/expected/
// form_data_page_2.xfdf): the XML declaration and the xfdf element of the PDF form data;
// each field as <field name=...>, <value>...</value>, </field> on three CR LF lines; the
// page's field before its records; the rows numbered from 0 on every page (records 3 and
// 4 are "c.0" and "c.1"); values escaped ("&", "<", ">") and in UTF-8 ("Ľ", U+013D, is
// C4 BD); an empty value still written; the form's href escaped too.
TEST(FormDataPage, OnePageByteForByte)
{
    FormDataPages p;
    p.stem = QStringLiteral("/out/x");
    p.form = QStringLiteral("/frm/f&x.pdf");
    p.recordsPerPage = 2;
    p.pageFields = [](int page) { return FormFields{{QStringLiteral("strana"), QString::number(page)}}; };
    p.records = {
        FormFields{{QStringLiteral("c."), QStringLiteral("1")}},
        FormFields{{QStringLiteral("c."), QStringLiteral("2")}},
        FormFields{{QStringLiteral("c."), QStringLiteral("3")}, {QStringLiteral("m."), QStringLiteral("Ľ & <S>")}},
        FormFields{{QStringLiteral("c."), QStringLiteral("4")}, {QStringLiteral("m."), QString()}},
    };
    EXPECT_EQ(MyConsts::formDataPage(p, 2), readFile(QStringLiteral(TARIX_SOURCE_DIR "/tests/core/expected/form_data_page_2.xfdf")));
    EXPECT_EQ(MyConsts::formDataPageFile(QStringLiteral("/out/MesVykPRI_200501"), 2),
              QStringLiteral("/out/MesVykPRI_200501_str2.xfdf"));
}

// How many files and which records each holds: at least one page, a full last page
// starts no empty one.
TEST_F(FormDataPagesTest, RecordsSpreadOverNumberedPages)
{
    const struct {
        int records;
        int perPage;
        QList<QList<int>> pages; // the record numbers on each page
    } cases[] = {
        {0, 8, {{}}},
        {8, 8, {{1, 2, 3, 4, 5, 6, 7, 8}}},
        {9, 8, {{1, 2, 3, 4, 5, 6, 7, 8}, {9}}},
        {17, 8, {{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14, 15, 16}, {17}}},
        {5, 2, {{1, 2}, {3, 4}, {5}}},
    };
    int run = 0;
    for (const auto &c : cases) {
        const QString s = stem + QString::number(++run);
        const MyConsts::FormDataPagesResult r = MyConsts::writeFormDataPages(numbered(s, form, c.records, c.perPage));
        ASSERT_EQ(r.pages, c.pages.size()) << c.records;
        ASSERT_EQ(r.written.size(), c.pages.size()) << c.records;
        EXPECT_EQ(r.lastFile, MyConsts::formDataPageFile(s, int(c.pages.size())));
        for (int page = 1; page <= c.pages.size(); ++page) {
            const QString file = MyConsts::formDataPageFile(s, page);
            EXPECT_EQ(r.written.at(page - 1), file);
            const QByteArray b = readFile(file);
            EXPECT_TRUE(b.contains("<field name=\"strana\">\r\n<value>" + QByteArray::number(page) + "</value>"));
            const QList<int> &expected = c.pages.at(page - 1);
            EXPECT_EQ(b.count("<field name=\"c."), expected.size()) << c.records << " page " << page;
            for (int row = 0; row < expected.size(); ++row)
                EXPECT_TRUE(b.contains("<field name=\"c." + QByteArray::number(row) + "\">\r\n<value>"
                                       + QByteArray::number(expected.at(row)) + "</value>"))
                    << c.records << " page " << page << " row " << row;
        }
        EXPECT_FALSE(QFile::exists(MyConsts::formDataPageFile(s, int(c.pages.size()) + 1)));
    }
}

// Each existing page is asked about on its own; "No" keeps that file as it was and its
// records go nowhere else: the next page still holds its own records from row 0.
TEST_F(FormDataPagesTest, ADeclinedPageKeepsItsFileAndSkipsItsRecords)
{
    const QString page1 = MyConsts::formDataPageFile(stem, 1);
    const QString page2 = MyConsts::formDataPageFile(stem, 2);
    writeFile(page1, "earlier page 1");
    writeFile(page2, "earlier page 2");
    scripted.answerNo(Msg(65109, page1)).answerYes(Msg(65109, page2));
    const MyConsts::FormDataPagesResult r = MyConsts::writeFormDataPages(numbered(stem, form, 5, 3));
    EXPECT_EQ(readFile(page1), "earlier page 1");
    EXPECT_EQ(r.written, QStringList{page2});
    EXPECT_EQ(r.lastFile, page2);
    const QByteArray b = readFile(page2);
    EXPECT_TRUE(b.contains("<field name=\"c.0\">\r\n<value>4</value>"));
    EXPECT_TRUE(b.contains("<field name=\"c.1\">\r\n<value>5</value>"));
    EXPECT_FALSE(b.contains("<field name=\"c.2\""));
    EXPECT_FALSE(b.contains("<value>1</value>"));
}

// The form the files fill must exist: the run stops before any page is written.
TEST_F(FormDataPagesTest, AMissingFormWritesNothing)
{
    const QString missing = tmp.filePath(QStringLiteral("nie.pdf"));
    try {
        MyConsts::writeFormDataPages(numbered(stem, missing, 3, 2));
        FAIL() << "no error";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65129, missing));
    }
    EXPECT_TRUE(QDir(tmp.path()).entryList({QStringLiteral("*.xfdf")}, QDir::Files).isEmpty());
}

// A page that cannot be written stops the run before any page is replaced, and leaves no
// temporary file behind.
TEST_F(FormDataPagesTest, AFailedPageReplacesNoPage)
{
    const QString page1 = MyConsts::formDataPageFile(stem, 1);
    writeFile(page1, "earlier page 1");
    scripted.answerYes(Msg(65109, page1));
    FormDataPages p = numbered(stem, form, 6, 2);
    const QString missingFolder = tmp.filePath(QStringLiteral("nie/strana3.xfdf"));
    p.pageFile = [&](int page) { return page == 3 ? missingFolder : MyConsts::formDataPageFile(stem, page); };
    EXPECT_THROW(MyConsts::writeFormDataPages(p), EMyError);
    EXPECT_EQ(readFile(page1), "earlier page 1");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral("Out_200501_str1.xfdf"), QStringLiteral("form.pdf")}));
}

// A program killed while it writes the pages leaves each page either as it was or complete:
// a child writes two versions of the pages in turn and is killed at different moments of a
// run; every page is then one whole version of itself.
TEST_F(FormDataPagesTest, ACrashWhileThePagesAreWrittenLeavesEachPageAsItWasOrComplete)
{
    constexpr int kRecords = 1600;
    const auto version = [&](char mark) {
        FormDataPages p = numbered(stem, form, kRecords, 8);
        for (FormFields &r : p.records)
            r[1].value = QString(400, QLatin1Char(mark)) + r[0].value;
        return p;
    };
    const FormDataPages a = version('A');
    const FormDataPages b = version('B');
    const int pages = MyConsts::formDataPageCount(kRecords, 8);
    MyConsts::writeFormDataPages(a);

    for (const int delayUs : {0, 500, 2000, 5000, 10000, 20000, 40000, 80000}) {
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(started[0]);
            for (int run = 0;; ++run) {
                for (int page = 0; page < pages; ++page)
                    scripted.answerYes();
                if (write(started[1], "r", 1) != 1)
                    _exit(2);
                try {
                    MyConsts::writeFormDataPages(run % 2 ? a : b);
                } catch (...) {
                    _exit(3);
                }
            }
        }
        close(started[1]);
        char c = 0;
        ASSERT_EQ(read(started[0], &c, 1), 1) << "the child did not start writing";
        usleep(useconds_t(delayUs));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        close(started[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended on its own, status " << status;
        for (int page = 1; page <= pages; ++page) {
            const QByteArray written = readFile(MyConsts::formDataPageFile(stem, page));
            EXPECT_TRUE(written == MyConsts::formDataPage(a, page) || written == MyConsts::formDataPage(b, page))
                << "page " << page << " after " << delayUs << " us: " << written.size() << " bytes";
        }
    }
}
