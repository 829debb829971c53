#include "support/widgets/modal_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace tarix::test {

void whileDialogs(const std::function<void()> &body, const std::function<void(QWidget *)> &handle, int limitMs)
{
    QTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w)
            return;
        if (++ticks * 10 > limitMs) {
            if (auto *d = qobject_cast<QDialog *>(w))
                d->done(QDialog::Rejected);
            ADD_FAILURE() << "a dialog stayed open: " << w->objectName().toStdString();
            return;
        }
        if (w->property("tarixHandled").toBool())
            return;
        w->setProperty("tarixHandled", true);
        handle(w);
    });
    timer.start(10);
    body();
    timer.stop();
}

} // namespace tarix::test
