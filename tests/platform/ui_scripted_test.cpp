// The scripted user interface: answers in order, records what was shown, and fails
// loudly on anything it was not told to answer.
#include "platform/ui/scripted_user_interface.h"

#include <gtest/gtest.h>

using namespace tarix::ui;
using Kind = ScriptedUserInterface::EventKind;

TEST(ScriptedUserInterfaceTest, RecordsEverythingInOrder)
{
    ScriptedUserInterface ui;
    ui.answerYes().answerNo().answerFile("/tmp/a.zip", 2);
    ui.showMessage(MessageKind::Information, "info");
    EXPECT_TRUE(ui.askYesNo("first ?"));
    ui.showMessage(MessageKind::Warning, "warn");
    EXPECT_FALSE(ui.askYesNo("second ?"));
    ui.showMessage(MessageKind::Error, "error");
    int index = 0;
    EXPECT_EQ(ui.chooseOpenFile({"Výber súboru", "/tmp", "", "*.zip|*.zip|*.*|*.*", 1, "zip"},
                                &index),
              QStringLiteral("/tmp/a.zip"));
    EXPECT_EQ(index, 2);

    const auto &events = ui.events();
    ASSERT_EQ(events.size(), 6u);
    const Kind expected[] = {Kind::Information, Kind::Question, Kind::Warning,
                             Kind::Question,    Kind::Error,    Kind::OpenFile};
    for (size_t i = 0; i < events.size(); ++i)
        EXPECT_EQ(events[i].kind, expected[i]) << "event " << i;
    EXPECT_EQ(events[1].text, QStringLiteral("first ?"));
    EXPECT_TRUE(events[1].answer);
    EXPECT_EQ(events[5].detail, QStringLiteral("Výber súboru"));
    EXPECT_EQ(ui.messages(), (QStringList{"info", "first ?", "warn", "second ?", "error"}));
    EXPECT_EQ(ui.messages(MessageKind::Warning), QStringList{"warn"});
    EXPECT_EQ(ui.questions(), (QStringList{"first ?", "second ?"}));
    EXPECT_TRUE(ui.failures().isEmpty());
    EXPECT_EQ(ui.pendingAnswers(), 0);
}

TEST(ScriptedUserInterfaceTest, UnscriptedQuestionFailsInsteadOfGuessing)
{
    ScriptedUserInterface ui;
    EXPECT_THROW(ui.askYesNo("Vymazať položku ?"), UnscriptedInteraction);
    ASSERT_EQ(ui.failures().size(), 1);
    EXPECT_TRUE(ui.failures().first().contains("Vymazať položku ?"));
    EXPECT_TRUE(ui.questions().isEmpty()) << "an unanswered question was recorded as asked";
}

TEST(ScriptedUserInterfaceTest, AnswerOfAnotherKindOrForAnotherQuestionFails)
{
    {
        ScriptedUserInterface ui;
        ui.answerFile("/tmp/x.xml");
        EXPECT_THROW(ui.askYesNo("Pokračovať ?"), UnscriptedInteraction);
        EXPECT_EQ(ui.pendingAnswers(), 1) << "the mismatched answer was used up";
        ui.cancelFile(); // queue: file, cancel
        EXPECT_EQ(ui.chooseSaveFile({}), QStringLiteral("/tmp/x.xml"));
        EXPECT_EQ(ui.chooseSaveFile({}), QString());
    }
    {
        ScriptedUserInterface ui;
        ui.answerYes(QStringLiteral("Vymazať výplatu ?"));
        EXPECT_THROW(ui.askYesNo("Vymazať zamestnanca ?"), UnscriptedInteraction);
        EXPECT_EQ(ui.failures().size(), 1);
        EXPECT_TRUE(ui.askYesNo("Vymazať výplatu ?"));
    }
    {
        ScriptedUserInterface ui;
        EXPECT_THROW(ui.chooseOpenFile({}), UnscriptedInteraction);
        EXPECT_THROW(ui.chooseFolder("Adresár", "/tmp"), UnscriptedInteraction);
        ui.answerFolder("/srv/backup");
        EXPECT_EQ(ui.chooseFolder("Adresár", "/tmp"), QStringLiteral("/srv/backup"));
        EXPECT_EQ(ui.failures().size(), 2);
    }
}

TEST(ScriptedUserInterfaceTest, CancelledFileChoiceLeavesTheFilterIndexAlone)
{
    ScriptedUserInterface ui;
    ui.cancelFile();
    int index = -1;
    EXPECT_EQ(ui.chooseOpenFile({}, &index), QString());
    EXPECT_EQ(index, -1);
    ASSERT_EQ(ui.events().size(), 1u);
    EXPECT_FALSE(ui.events()[0].answer);
}

TEST(ScriptedUserInterfaceTest, ProgressPositionWithoutDialogIsAFault)
{
    ScriptedUserInterface ui;
    EXPECT_THROW(ui.setProgress(10), UnscriptedInteraction);
    ui.openProgress();
    ui.openProgress(); // already open: no second dialog
    ui.setProgress(10);
    ui.closeProgress();
    EXPECT_EQ(ui.progressOpenCount(), 1);
    EXPECT_EQ(ui.progressValues(), std::vector<int>{10});
}
