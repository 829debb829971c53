#include "platform/ui/qt/window_fit.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace tarix::ui {

namespace {

// A frame as common window managers draw it before the real one is known: thin borders
// and a title bar.
constexpr QMargins kCommonFrame(8, 40, 8, 8);
// The title bar's icon, its three buttons and the space around the caption.
constexpr int kTitleBarExtras = 150;
// Marks a window whose content has been put into a scroll area.
constexpr char kScrolledProperty[] = "tarixContentScrolls";

QMargins shownFrame(const QWidget *window)
{
    if (!window || !window->isVisible())
        return {};
    const QWindow *handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

bool fittedKind(const QWidget *window)
{
    const Qt::WindowType type = window->windowType();
    if (type != Qt::Window && type != Qt::Dialog)
        return false;
    // A message box sizes itself to the screen as it is shown.
    return !qobject_cast<const QMessageBox *>(window);
}

// The content of the window (without its menu bar and status bar) moved into a scroll area
// that fills the window.
void scrollContent(QWidget *window)
{
    if (window->property(kScrolledProperty).toBool())
        return;
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("ScreenFitScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    if (auto *main = qobject_cast<QMainWindow *>(window)) {
        QWidget *content = main->takeCentralWidget();
        if (!content) {
            delete scroll;
            return;
        }
        scroll->setWidget(content);
        main->setCentralWidget(scroll);
    } else {
        QLayout *layout = window->layout();
        if (!layout) {
            delete scroll;
            return;
        }
        QWidget *menu = layout->menuBar();
        if (menu)
            layout->setMenuBar(nullptr);
        QWidget *status = nullptr;
        if (layout->count() > 0)
            if (auto *bar = qobject_cast<QStatusBar *>(layout->itemAt(layout->count() - 1)->widget())) {
                layout->removeWidget(bar);
                status = bar;
            }
        auto *content = new QWidget;
        content->setObjectName(QStringLiteral("ScreenFitContent"));
        // Moves the layout with the widgets it holds; the window is left without one.
        content->setLayout(layout);
        scroll->setWidget(content);
        auto *outer = new QVBoxLayout(window);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->setSpacing(0);
        if (menu)
            outer->setMenuBar(menu);
        outer->addWidget(scroll, 1);
        if (status)
            outer->addWidget(status);
    }
    window->setProperty(kScrolledProperty, true);
}

// Widens the window to `width`; a window of fixed size stays fixed at the new width.
void widen(QWidget *window, int width)
{
    QLayout *layout = window->layout();
    if (layout && layout->sizeConstraint() == QLayout::SetFixedSize) {
        const int height = window->height();
        layout->setSizeConstraint(QLayout::SetNoConstraint);
        window->setFixedSize(width, height);
        return;
    }
    if (window->maximumWidth() >= width)
        window->resize(width, window->height());
}

class WindowFitting : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Sent before the window reaches the screen: it appears fitted.
        if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow() && fittedKind(widget))
                fitToScreen(widget);
        }
        return false;
    }
};

} // namespace

QMargins frameAllowance(const QWidget *window)
{
    QMargins frame = shownFrame(window);
    if (!frame.isNull())
        return frame;
    for (QWidget *other : QApplication::topLevelWidgets()) {
        if (other == window || !fittedKind(other))
            continue;
        frame = shownFrame(other);
        if (!frame.isNull())
            return frame;
    }
    return kCommonFrame;
}

QRect windowRoom(const QWidget *window)
{
    QScreen *screen = window ? window->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return screen->availableGeometry().marginsRemoved(frameAllowance(window));
}

int titleWidth(const QWidget *window)
{
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window->windowTitle().trimmed()) + kTitleBarExtras;
}

void fitToScreen(QWidget *window)
{
    if (!window || !window->isWindow())
        return;
    const QRect room = windowRoom(window);
    if (room.isEmpty())
        return;
    if (QLayout *layout = window->layout())
        layout->activate();
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    if (least.width() > room.width() || least.height() > room.height()) {
        scrollContent(window);
        if (QLayout *layout = window->layout())
            layout->activate();
    }
    if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;

    const int title = std::min(titleWidth(window), room.width());
    if (window->width() < title)
        widen(window, title);
    const QSize size = window->size().boundedTo(room.size()).expandedTo(window->minimumSize());
    if (size != window->size())
        window->resize(size);

    // A window placed before (by the clerk, or by the program) stays where it is as far as
    // the screen allows. One never placed is left to its dialog, which centres it over its
    // owner, or to the window manager, which places it on the screen.
    if (!window->testAttribute(Qt::WA_Moved))
        return;
    const QRect now = window->geometry();
    QPoint topLeft = now.topLeft();
    topLeft.setX(std::clamp(topLeft.x(), room.left(), std::max(room.left(), room.right() - size.width() + 1)));
    topLeft.setY(std::clamp(topLeft.y(), room.top(), std::max(room.top(), room.bottom() - size.height() + 1)));
    if (topLeft != now.topLeft())
        window->move(window->pos() + (topLeft - now.topLeft()));
}

QWidget *askingWindow(const QWidget *except)
{
    for (QWidget *asking : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
        if (!asking || asking == except || !asking->isVisible())
            continue;
        if (asking->windowType() == Qt::Popup || asking->windowType() == Qt::ToolTip)
            continue;
        return asking;
    }
    // Between two windows (one closed, the next not yet active): the program's main window.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != except && w->isVisible() && w->windowType() == Qt::Window && qobject_cast<QMainWindow *>(w))
            return w;
    return nullptr;
}

void keepAboveOwner(QWidget *window)
{
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                           | Qt::WindowCloseButtonHint);
}

void fitWindowsToScreen()
{
    static QPointer<WindowFitting> fitting;
    if (fitting || !qApp)
        return;
    fitting = new WindowFitting(qApp);
    qApp->installEventFilter(fitting);
}

} // namespace tarix::ui
