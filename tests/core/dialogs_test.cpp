// The MyConsts dialog helpers go through the current user interface.
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "platform/ui/scripted_user_interface.h"

#include <gtest/gtest.h>

using namespace tarix;
using ui::ScriptedUserInterface;
using Kind = ScriptedUserInterface::EventKind;

TEST(DialogsTest, MessagesAndQuestionsReachTheUserInterface)
{
    ScriptedUserInterface script;
    ui::ScopedUserInterface installed(script);
    script.answerYes(Msg(65053)).answerNo(Msg(65054));

    MyConsts::Sprava_informacia(Msg(65120, "a.txt"));
    EXPECT_TRUE(MyConsts::Otazka_ano_nie(Msg(65053)));
    EXPECT_FALSE(MyConsts::Otazka_ano_nie(Msg(65054)));
    MyConsts::Sprava_upozornenie(Msg(65150));
    MyConsts::Sprava_chyba(Msg(65179));

    const auto &events = script.events();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].kind, Kind::Information);
    EXPECT_EQ(events[0].text, QStringLiteral("Generovanie súboru a.txt bolo dokončené."));
    EXPECT_EQ(events[1].kind, Kind::Question);
    EXPECT_EQ(events[2].kind, Kind::Question);
    EXPECT_EQ(events[3].kind, Kind::Warning);
    EXPECT_EQ(events[4].kind, Kind::Error);
    EXPECT_EQ(events[4].text, QStringLiteral("Tlačová zostava neobsahuje žiadne údaje, je prázdna."));
    EXPECT_TRUE(script.failures().isEmpty());
}

TEST(DialogsTest, UnansweredQuestionFailsLoudly)
{
    ScriptedUserInterface script;
    ui::ScopedUserInterface installed(script);
    EXPECT_THROW(MyConsts::Otazka_ano_nie(Msg(65073)), ui::UnscriptedInteraction);
    EXPECT_EQ(script.failures().size(), 1);
}

TEST(DialogsTest, ProgressByPercent)
{
    ScriptedUserInterface script;
    ui::ScopedUserInterface installed(script);
    {
        ui::ProgressScope run;
        for (int month = 1; month <= 12; ++month)
            MyConsts::Zobraz_priebeh(month * 100 / 12);
        EXPECT_FALSE(script.isProgressOpen());
        MyConsts::Zobraz_priebeh(100); // the run's final 100 after the last month
    }
    EXPECT_FALSE(script.isProgressOpen());
    EXPECT_EQ(script.progressOpenCount(), 2);
    EXPECT_EQ(script.progressValues().front(), 8);
    EXPECT_EQ(script.progressValues().back(), 100);
}

TEST(DialogsTest, WithoutAUserInterfaceNothingIsShownSilently)
{
    ASSERT_FALSE(ui::hasCurrent());
    EXPECT_THROW(MyConsts::Sprava_chyba("x"), ui::NoUserInterface);
    EXPECT_THROW(MyConsts::Otazka_ano_nie("x"), ui::NoUserInterface);
}
