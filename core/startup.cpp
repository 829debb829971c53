#include "core/startup.h"

#include <QApplication>

namespace tarix::core {
int runProgram(QApplication &app)
{
    app.setApplicationName("TARIX");
    return 0;
}
}
