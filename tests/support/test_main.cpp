// Test entry point: the program's application object exists for every test, so that widget
// code and event processing behave as in the program (offscreen platform under CTest).
#include "platform/ui/qt/guarded_application.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                   : qgetenv("QT_QPA_PLATFORM"));
    tarix::ui::GuardedApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
