// What every file writer does around writing: the check of its files with the overwrite
// question, the offer to open the result, the message after writing, where files go, and
// the parts of a file name taken from data.
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "platform/errors.h"
#include "platform/shell/launcher.h"
#include "support/scripted_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

using namespace tarix;
using MyConsts::OutputFiles;

namespace {

class OutputFileTest : public test::ScriptedTest<> {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    void write(const QString &p, const QByteArray &bytes)
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
};

struct CheckCase {
    const char *name;
    bool inputNamed;
    bool inputExists;
    bool outputExists;
    bool ask;
    std::optional<bool> answer; // the clerk's answer when the question comes
    bool raises;
    bool writeAllowed;
};

// The check as a truth table: a named template must exist; an existing output is replaced
// only when no question is wanted or the clerk said yes.
const CheckCase kChecks[] = {
    {"missing template", true, false, false, true, std::nullopt, true, false},
    {"missing template, output exists", true, false, true, true, std::nullopt, true, false},
    {"new output", true, true, false, true, std::nullopt, false, true},
    {"existing output, yes", true, true, true, true, true, false, true},
    {"existing output, no", true, true, true, true, false, false, false},
    {"existing output, no question wanted", true, true, true, false, std::nullopt, false, true},
    {"no template needed, new output", false, false, false, true, std::nullopt, false, true},
    {"no template needed, existing output, no", false, false, true, true, false, false, false},
};

} // namespace

TEST_F(OutputFileTest, CheckOfFilesAsATruthTable)
{
    for (const CheckCase &c : kChecks) {
        SCOPED_TRACE(c.name);
        QTemporaryDir d;
        OutputFiles f;
        f.input = c.inputNamed ? d.filePath(QStringLiteral("vzor.pdf")) : QString();
        f.output = d.filePath(QStringLiteral("out.xfdf"));
        f.askOverwrite = c.ask;
        if (c.inputExists)
            write(f.input, "pdf");
        if (c.outputExists)
            write(f.output, "old");
        if (c.answer)
            scripted.answer(*c.answer, Msg(65109, f.output));
        if (c.raises) {
            try {
                MyConsts::Kontrola_suborov(f);
                ADD_FAILURE() << "no error";
            } catch (const EMyError &e) {
                EXPECT_EQ(e.text(), Msg(65129, f.input));
            }
            continue;
        }
        MyConsts::Kontrola_suborov(f);
        EXPECT_EQ(f.writeAllowed, c.writeAllowed);
        EXPECT_EQ(f.outputExisted, c.outputExists);
    }
}

TEST_F(OutputFileTest, OfferToOpenTheWrittenFile)
{
    QStringList started;
    ShellUtils::setStartHook([&](const QString &program, const QStringList &arguments, const QString &) {
        started << program + u' ' + arguments.join(u' ');
        return true;
    });
    const QString file = path("MesVykPCB_200703.xfdf");
    try {
        MyConsts::Otvor_vytvoreny_subor(file);
        ADD_FAILURE() << "no error for a missing file";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65129, file));
    }
    write(file, "x");
    scripted.answerNo(Msg(65126, file));
    MyConsts::Otvor_vytvoreny_subor(file);
    EXPECT_TRUE(started.isEmpty());
    scripted.answerYes(Msg(65126, file));
    MyConsts::Otvor_vytvoreny_subor(file);
    ShellUtils::setStartHook({});
    ASSERT_EQ(started.size(), 1);
    EXPECT_TRUE(started.at(0).contains(file)) << started.at(0).toStdString();
}

TEST_F(OutputFileTest, ASuccessMessageNamesOnlyFilesThatExist)
{
    const QString a = path("tb070410.XML");
    const QString b = path("tb070410.txt");
    write(a, "x");
    // One of the files is missing: the clerk reads of the missing file, not of success.
    try {
        MyConsts::reportFilesWritten("Hotovo.", {a, b});
        ADD_FAILURE() << "no error for a missing file";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65129, QDir::toNativeSeparators(b)));
    }
    EXPECT_TRUE(scripted.messages().isEmpty());
    write(b, "y");
    MyConsts::reportFilesWritten("Hotovo.", {a, b});
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{"Hotovo."});
    // A run with nothing to write names no file.
    scripted.clearEvents();
    MyConsts::reportNothingWritten("Nie je čo vykázať.");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information),
              QStringList{"Nie je čo vykázať.\nŽiadny súbor nebol vytvorený."});
}

TEST_F(OutputFileTest, FilesGoToTheProgramsOrTheFirmsOutputFolder)
{
    const core::AppPaths saved = core::appPaths();
    core::setAppPaths(core::deriveAppPaths(dir.path(), QString(), QString()));
    const QString root = core::appPaths().programFolder;
    MyConsts::setOutputFolder(root + QStringLiteral("vystupy/DATA01/2007/"));
    EXPECT_EQ(MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramOutputs), root + QStringLiteral("vystupy/"));
    EXPECT_EQ(MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramExcel), root + QStringLiteral("excel/"));
    EXPECT_EQ(MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs),
              root + QStringLiteral("vystupy/DATA01/2007/"));
    MyConsts::setOutputFolder(QString());
    core::setAppPaths(saved);
}

TEST_F(OutputFileTest, NamePartsFromDataMayNotLeaveTheFolder)
{
    struct Case {
        QString value;
        bool accepted;
    };
    const Case cases[] = {
        {QStringLiteral("36214582"), true},     {QStringLiteral(" Čierny "), true},
        {QStringLiteral("780101/1234"), false}, {QStringLiteral("a\\b"), false},
        {QStringLiteral(".."), false},          {QStringLiteral("x..y"), false},
        {QStringLiteral(""), false},            {QStringLiteral("   "), false},
        {QStringLiteral("a\tb"), false},        {QStringLiteral("a\nb"), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        if (c.accepted) {
            EXPECT_EQ(MyConsts::nameComponent(QStringLiteral("Priezvisko"), c.value), c.value.trimmed());
            continue;
        }
        try {
            MyConsts::nameComponent(QStringLiteral("Rodné číslo"), c.value);
            ADD_FAILURE() << "accepted";
        } catch (const EMyError &e) {
            EXPECT_TRUE(e.text().contains(QStringLiteral("Rodné číslo"))) << e.text().toStdString();
        }
    }
}
