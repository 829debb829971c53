// The program's application object: an exception a handler lets through into the event loop
// is shown by the one routine that reports errors, and the program goes on.
#include "platform/errors.h"
#include "platform/ui/qt/guarded_application.h"
#include "support/scripted_test.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <stdexcept>

using namespace tarix;

using GuardedApplication = test::ScriptedTest<>;

TEST_F(GuardedApplication, AnExceptionLeavingAnEventHandlerIsShownAndTheProgramGoesOn)
{
    ASSERT_NE(dynamic_cast<ui::GuardedApplication *>(QCoreApplication::instance()), nullptr);
    const struct {
        const char *what;
        std::function<void()> fail;
        QStringList shown;
    } cases[] = {
        {"the program's refusal", [] { throw EMyError(QStringLiteral("Spojenie sa prerušilo.")); },
         {QStringLiteral("Spojenie sa prerušilo.")}},
        {"any other exception", [] { throw std::runtime_error("zlyhanie"); }, {QStringLiteral("zlyhanie")}},
        {"a refusal already told", [] { throw EAbort(); }, {}},
    };
    for (const auto &c : cases) {
        scripted.clearEvents();
        // A button clicked through the event loop, as the clerk clicks it.
        QPushButton button;
        QObject::connect(&button, &QPushButton::clicked, c.fail);
        QTimer::singleShot(0, &button, [&button] { button.click(); });
        bool after = false;
        QTimer::singleShot(0, [&after] { after = true; });
        EXPECT_NO_THROW(QCoreApplication::processEvents()) << c.what;
        EXPECT_EQ(scripted.messages(ui::MessageKind::Error), c.shown) << c.what;
        // The events after it are still delivered.
        QCoreApplication::processEvents();
        EXPECT_TRUE(after) << c.what;
    }
}
