// "Výber súboru": files chosen one after another are run until the dialog is cancelled.
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "platform/ui/scripted_user_interface.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace tarix;

namespace {

// Keeps every file dialog request besides answering from the script.
class RecordingUserInterface : public ui::ScriptedUserInterface {
public:
    QString chooseOpenFile(const ui::FileDialogRequest &request, int *chosenFilterIndex) override
    {
        requests.push_back(request);
        return ScriptedUserInterface::chooseOpenFile(request, chosenFilterIndex);
    }
    std::vector<ui::FileDialogRequest> requests;
};

class FileChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = QDir(dir.path()).canonicalPath();
        ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("prog/vystupy")));
        ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("elsewhere")));
        savedPaths = core::appPaths();
        savedCurrent = QDir::currentPath();
        core::setAppPaths(core::deriveAppPaths(root + QStringLiteral("/prog"), QString(), QString()));
        MyConsts::setOutputFolder(QString());
    }
    void TearDown() override
    {
        core::setAppPaths(savedPaths);
        MyConsts::setOutputFolder(QString());
        QDir::setCurrent(savedCurrent);
    }

    // A program that notes the folder it runs in.
    QString writeScript(const QString &folder, const QString &name)
    {
        QDir().mkpath(folder);
        const QString path = folder + u'/' + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\npwd -P >> ran.txt\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    QTemporaryDir dir;
    QString root;
    core::AppPaths savedPaths;
    QString savedCurrent;
};

TEST_F(FileChoiceTest, RunsEachChosenFileInItsFolderUntilCancelled)
{
    const QString out = root + QStringLiteral("/out");
    const QString first = writeScript(out, QStringLiteral("zostava.sh"));
    const QString second = writeScript(root + QStringLiteral("/other"), QStringLiteral("druha.sh"));
    QDir::setCurrent(root + QStringLiteral("/elsewhere"));

    RecordingUserInterface script;
    ui::ScopedUserInterface installed(script);
    script.answerFile(first).answerFile(second).answerFile(first).cancelFile();

    EXPECT_EQ(MyConsts::Vyber_a_otvor_subor(out, QStringLiteral("*.*")), 3);
    EXPECT_TRUE(script.failures().isEmpty());
    EXPECT_EQ(script.pendingAnswers(), 0);

    QFile ranOut(out + QStringLiteral("/ran.txt"));
    ASSERT_TRUE(ranOut.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(ranOut.readAll()), out + u'\n' + out + u'\n');
    QFile ranOther(root + QStringLiteral("/other/ran.txt"));
    ASSERT_TRUE(ranOther.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(ranOther.readAll()), root + QStringLiteral("/other\n"));

    ASSERT_EQ(script.requests.size(), 4u);
    for (const auto &request : script.requests) {
        EXPECT_EQ(request.caption, QStringLiteral("Výber súboru"));
        EXPECT_EQ(request.filter, QStringLiteral("*.*"));
    }
    EXPECT_EQ(script.requests[0].initialFolder, out);
    // Each next choice starts at the file just run.
    EXPECT_EQ(script.requests[1].initialFolder, out);
    EXPECT_EQ(script.requests[1].fileName, QStringLiteral("zostava.sh"));
    EXPECT_EQ(script.requests[2].initialFolder, root + QStringLiteral("/other"));
    EXPECT_EQ(script.requests[3].fileName, QStringLiteral("zostava.sh"));

    // Back in the program folder afterwards.
    EXPECT_EQ(QDir(QDir::currentPath()).canonicalPath(), root + QStringLiteral("/prog"));
}

TEST_F(FileChoiceTest, CancelAtOnceRunsNothingAndStillReturnsToTheProgramFolder)
{
    QDir::setCurrent(root + QStringLiteral("/elsewhere"));
    RecordingUserInterface script;
    ui::ScopedUserInterface installed(script);
    script.cancelFile();
    EXPECT_EQ(MyConsts::Vyber_a_otvor_subor(root, QStringLiteral("*.*")), 0);
    EXPECT_EQ(QDir(QDir::currentPath()).canonicalPath(), root + QStringLiteral("/prog"));
}

TEST_F(FileChoiceTest, AFileThatCannotBeStartedDoesNotEndTheChoice)
{
    RecordingUserInterface script;
    ui::ScopedUserInterface installed(script);
    const QString good = writeScript(root + QStringLiteral("/out"), QStringLiteral("ok.sh"));
    script.answerFile(root + QStringLiteral("/out/missing.sh")).answerFile(good).cancelFile();
    EXPECT_EQ(MyConsts::Vyber_a_otvor_subor(root, QStringLiteral("*.*")), 2);
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("/out/ran.txt")));
}

TEST_F(FileChoiceTest, OutputFolderFallsBackToTheNetworkRootsVystupy)
{
    EXPECT_EQ(MyConsts::outputFolder(), QString());
    EXPECT_EQ(MyConsts::outputFolderOrDefault(), root + QStringLiteral("/prog/vystupy"));

    core::setAppPaths(core::deriveAppPaths(root + QStringLiteral("/prog"), root + QStringLiteral("/net"),
                                           QString()));
    EXPECT_EQ(MyConsts::outputFolderOrDefault(), root + QStringLiteral("/net/vystupy"));

    MyConsts::setOutputFolder(root + QStringLiteral("/DATA01/vystupy"));
    EXPECT_EQ(MyConsts::outputFolder(), root + QStringLiteral("/DATA01/vystupy"));
    EXPECT_EQ(MyConsts::outputFolderOrDefault(), root + QStringLiteral("/DATA01/vystupy"));
}

} // namespace
