#include "platform/ui/qt/form_progress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace tarix::ui {

bool TFormProgress::s_processingEvents = false;

TFormProgress::TFormProgress(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FormProgress"));
    setWindowTitle(QStringLiteral("Pracujem..."));
    setWindowModality(Qt::ApplicationModal);
    PB1 = new QProgressBar(this);
    PB1->setObjectName(QStringLiteral("PB1"));
    PB1->setRange(0, 100);
    PB1->setValue(0);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PB1);
    resize(320, 60);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormProgress::Nastav_priebeh(int percent)
{
    PB1->setValue(std::clamp(percent, 0, 100));
    if (s_processingEvents)
        return; // called from the event processing below: no second level
    QPointer<TFormProgress> self(this);
    s_processingEvents = true;
    QCoreApplication::processEvents();
    s_processingEvents = false;
    if (self) // a handler run during the processing may have closed the dialog
        repaint();
}

void TFormProgress::closeEvent(QCloseEvent *event)
{
    // Only the run closes the dialog (it hides and frees it); the user cannot.
    event->ignore();
}

void TFormProgress::keyPressEvent(QKeyEvent *event)
{
    // Esc and the like do nothing: only the run closes the dialog.
    event->accept();
}

} // namespace tarix::ui
