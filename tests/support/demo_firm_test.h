#pragma once
// A test on its own copy of the demo installation with a firm opened for a period (see
// DemoContext), and the scripted user interface, on the embedded database or on the test
// cluster's server (skipped without one). `dir` is the program folder, `session`
// the default session on the firm, `demo` the context (period, options).
#include "support/demo_context.h"
#include "support/installation.h"
#include "support/pg_test_server.h"
#include "support/scripted_test.h"

#include <utility>

namespace tarix::test {

template <class Script = ui::ScriptedUserInterface>
class DemoFirmTest : public ScriptedTest<Script> {
protected:
    explicit DemoFirmTest(core::InstallationOptions installation = {true, 2007, 2007}, DemoOptions options = {},
                          Backend backend = Backend::Embedded)
        : dir(backend), m_installation(installation), m_options(std::move(options))
    {
    }

    void SetUp() override
    {
        if (dir.backend() == Backend::Server && !dir.onServer())
            GTEST_SKIP() << kNoPgServer;
        dir.install(m_installation);
        demo.open(dir, m_options);
    }
    void TearDown() override
    {
        demo.close();
        ScriptedTest<Script>::TearDown();
    }

    // The program folder with its trailing separator.
    QString root() const { return dir.root(); }

    // The year folder of the session (the open period stays).
    void openYear(int year) { session.setAlias(QStringLiteral("TARIX_COMM"), dir.yearFolder(year)); }

    Installation dir;
    DemoContext demo{dir};
    db::Session &session = demo.session();

private:
    core::InstallationOptions m_installation;
    DemoOptions m_options;
};

} // namespace tarix::test
