// Progress by percent and the run scopes, against the scripted user interface.
#include "platform/ui/scripted_user_interface.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace tarix::ui;
using Kind = ScriptedUserInterface::EventKind;

namespace {

class ProgressTest : public ::testing::Test {
protected:
    ScriptedUserInterface ui;
    ScopedUserInterface installed{ui};

    std::vector<Kind> kinds() const
    {
        std::vector<Kind> result;
        for (const auto &e : ui.events())
            result.push_back(e.kind);
        return result;
    }
};

struct ProgressCase {
    const char *name;
    std::vector<int> calls;
    std::vector<int> shown;      // positions set on the dialog
    int opens;                   // how often a dialog was created
    bool openAtEnd;
};

const ProgressCase kProgressCases[] = {
    {"first call 100 creates and closes at once", {100}, {100}, 1, false},
    {"below 0 shows 0, above 100 shows 100 but stays open", {-5, 50, 150}, {0, 50, 100}, 1, true},
    {"only exactly 100 closes", {0, 99, 101, 100}, {0, 99, 100, 100}, 1, false},
    {"a run that stops before 100 leaves it open", {0, 40}, {0, 40}, 1, true},
    {"a call after 100 opens a new dialog", {0, 100, 30, 100}, {0, 100, 30, 100}, 2, false},
};

} // namespace

TEST_F(ProgressTest, PercentSequences)
{
    for (const ProgressCase &c : kProgressCases) {
        SCOPED_TRACE(c.name);
        ScriptedUserInterface fresh;
        ScopedUserInterface use(fresh);
        for (int p : c.calls)
            showProgress(p);
        EXPECT_EQ(fresh.progressValues(), c.shown);
        EXPECT_EQ(fresh.progressOpenCount(), c.opens);
        EXPECT_EQ(fresh.isProgressOpen(), c.openAtEnd);
        if (fresh.isProgressOpen())
            fresh.closeProgress();
    }
}

TEST_F(ProgressTest, ScopeClosesTheDialogWhenAnExceptionPasses)
{
    EXPECT_THROW(
        {
            ProgressScope run;
            showProgress(0);
            showProgress(30);
            throw std::runtime_error("database error");
        },
        std::runtime_error);
    EXPECT_FALSE(ui.isProgressOpen());
    EXPECT_EQ(progressDepth(), 0);
    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::ProgressOpen, Kind::Progress, Kind::Progress,
                                          Kind::ProgressClose}));
}

TEST_F(ProgressTest, ScopeClosesTheDialogOfARunThatNeverReached100)
{
    {
        ProgressScope run;
        showProgress(10);
    }
    EXPECT_FALSE(ui.isProgressOpen());
}

TEST_F(ProgressTest, InnerRunDoesNotCloseTheOuterRunsDialog)
{
    ProgressScope outer;
    showProgress(0);
    {
        ProgressScope inner;
        for (int p : {0, 50, 100})
            showProgress(p);
        EXPECT_TRUE(ui.isProgressOpen()) << "the inner run's 100 closed the outer dialog";
    }
    EXPECT_TRUE(ui.isProgressOpen());
    showProgress(50);
    EXPECT_EQ(ui.progressOpenCount(), 1) << "the dialog was closed and opened again";
    showProgress(100);
    EXPECT_FALSE(ui.isProgressOpen());
}

TEST_F(ProgressTest, InnerRunThatFailsLeavesTheOuterDialogToTheOuterRun)
{
    {
        ProgressScope outer;
        showProgress(0);
        try {
            ProgressScope inner;
            showProgress(20);
            throw std::runtime_error("inner failure");
        } catch (const std::runtime_error &) {
            // the outer run reports the failure and goes on
        }
        EXPECT_TRUE(ui.isProgressOpen());
        showProgress(60);
    }
    EXPECT_FALSE(ui.isProgressOpen());
    EXPECT_EQ(ui.progressOpenCount(), 1);
}

TEST_F(ProgressTest, InnerRunOpeningTheDialogItselfClosesIt)
{
    ProgressScope outer; // shows no progress of its own before the inner run
    {
        ProgressScope inner;
        showProgress(0);
        showProgress(100);
    }
    EXPECT_FALSE(ui.isProgressOpen());
    {
        ProgressScope inner;
        showProgress(0);
    } // left without 100
    EXPECT_FALSE(ui.isProgressOpen());
}

TEST_F(ProgressTest, DialogOpenedOutsideEveryScopeIsLeftToItsCaller)
{
    showProgress(0);
    {
        ProgressScope unrelated;
    }
    EXPECT_TRUE(ui.isProgressOpen());
    showProgress(100);
    EXPECT_FALSE(ui.isProgressOpen());
}

TEST_F(ProgressTest, BusyCursorAndMainWindowAreRestoredByNestedScopesAndExceptions)
{
    EXPECT_THROW(
        {
            MainWindowDisabledScope disabled;
            BusyCursorScope busy;
            {
                MainWindowDisabledScope again;
                BusyCursorScope busyAgain;
            }
            EXPECT_FALSE(ui.mainWindowEnabled()) << "an inner scope enabled the window";
            EXPECT_TRUE(ui.busyCursor());
            throw std::runtime_error("report failed");
        },
        std::runtime_error);
    EXPECT_TRUE(ui.mainWindowEnabled());
    EXPECT_FALSE(ui.busyCursor());
    // one switch each way, not one per scope
    EXPECT_EQ(ui.events(Kind::MainWindow).size(), 2u);
    EXPECT_EQ(ui.events(Kind::BusyCursor).size(), 2u);
}

TEST(UserInterfaceTest, NoInstalledInterfaceIsAnError)
{
    ASSERT_FALSE(hasCurrent());
    EXPECT_THROW(current(), NoUserInterface);
    EXPECT_THROW(showProgress(10), NoUserInterface);
    {
        // scopes without an interface do nothing and do not throw
        ProgressScope run;
        BusyCursorScope busy;
        MainWindowDisabledScope disabled;
    }
}

TEST(UserInterfaceTest, ScopedInterfaceRestoresThePreviousOne)
{
    ScriptedUserInterface a, b;
    {
        ScopedUserInterface useA(a);
        {
            ScopedUserInterface useB(b);
            EXPECT_EQ(&current(), &b);
        }
        EXPECT_EQ(&current(), &a);
    }
    EXPECT_FALSE(hasCurrent());
}

TEST(UserInterfaceTest, Captions)
{
    EXPECT_EQ(messageCaption(MessageKind::Information), QStringLiteral("Informácia"));
    EXPECT_EQ(messageCaption(MessageKind::Warning), QStringLiteral("Upozornenie"));
    EXPECT_EQ(messageCaption(MessageKind::Error), QStringLiteral(" Chyba"));
}
