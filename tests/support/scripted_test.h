#pragma once
// The scripted user interface installed for a test: every message, question and file
// choice goes to `scripted` (answers are scripted in the test), and at the end of the
// test no interaction may have gone without its scripted answer.
#include "platform/ui/scripted_user_interface.h"

#include <gtest/gtest.h>

namespace tarix::test {

// Every question, file or folder choice had a fitting scripted answer.
inline void expectAllScripted(const ui::ScriptedUserInterface &scripted)
{
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
}

// `Script` may be a ScriptedUserInterface that records more (it must be default-made).
template <class Script = ui::ScriptedUserInterface>
class ScriptedTest : public ::testing::Test {
protected:
    void TearDown() override { expectAllScripted(scripted); }

    Script scripted;
    ui::ScopedUserInterface scope{scripted};
};

} // namespace tarix::test
