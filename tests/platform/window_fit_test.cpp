// Windows fitted to the screen they are shown on: content larger than the screen scrolls
// (the menu bar and the status bar stay outside the scrolled part), a window too large is
// made smaller and moved onto the screen, a narrow window is widened to show its title, and
// the message of a window goes to that window.
#include "platform/ui/qt/qt_user_interface.h"
#include "platform/ui/qt/window_fit.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>
#include <memory>

using namespace tarix;

namespace {

bool onScreen(const QWidget &w)
{
    return w.screen()->availableGeometry().contains(w.geometry().marginsAdded(ui::frameAllowance(&w)));
}

// A piece of content that cannot be smaller than the whole screen.
QLabel *hugeContent(QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("obsah"), parent);
    label->setObjectName(QStringLiteral("Huge"));
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    label->setMinimumSize(screen + QSize(400, 300));
    return label;
}

} // namespace

TEST(WindowFit, ContentLargerThanTheScreenScrollsInEveryKindOfWindow)
{
    ui::fitWindowsToScreen();

    // A dialog with a menu bar above and a status bar below its content.
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *menu = new QMenuBar(&dialog);
    layout->setMenuBar(menu);
    QLabel *huge = hugeContent(&dialog);
    layout->addWidget(huge);
    auto *status = new QStatusBar(&dialog);
    layout->addWidget(status);
    dialog.setWindowTitle(QStringLiteral("Parametre zamestnávateľa"));
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(onScreen(dialog)) << dialog.geometry().width() << "x" << dialog.geometry().height();
    auto *scroll = dialog.findChild<QScrollArea *>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_TRUE(scroll->isAncestorOf(huge));
    EXPECT_FALSE(scroll->isAncestorOf(menu));
    EXPECT_FALSE(scroll->isAncestorOf(status));
    EXPECT_EQ(menu->parentWidget(), &dialog);
    EXPECT_EQ(huge->size(), huge->minimumSize()); // shown whole, by scrolling

    // A main window's central widget.
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Operácie"));
    auto *central = new QWidget;
    auto *inner = new QVBoxLayout(central);
    QLabel *big = hugeContent(central);
    inner->addWidget(big);
    window.setCentralWidget(central);
    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(onScreen(window));
    auto *mainScroll = qobject_cast<QScrollArea *>(window.centralWidget());
    ASSERT_NE(mainScroll, nullptr);
    EXPECT_EQ(mainScroll->widget(), central);

    // Shown again, nothing is wrapped twice.
    window.hide();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.centralWidget(), mainScroll);
    EXPECT_EQ(mainScroll->widget(), central);
}

TEST(WindowFit, ALargeWindowShrinksOntoTheScreenAndStaysWhereItWasPut)
{
    ui::fitWindowsToScreen();
    const QRect room = ui::windowRoom(nullptr);
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Výplaty")));
    dialog.resize(room.size() + QSize(300, 200));
    dialog.move(room.topLeft() + QPoint(500, 400));
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(onScreen(dialog));
    EXPECT_EQ(dialog.size(), ui::windowRoom(&dialog).size());
    EXPECT_EQ(dialog.findChild<QScrollArea *>(), nullptr); // its content can shrink

    // A small window the clerk moved keeps its place.
    dialog.hide();
    dialog.resize(300, 200);
    dialog.move(room.topLeft() + QPoint(40, 30));
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.pos(), room.topLeft() + QPoint(40, 30));
    EXPECT_EQ(dialog.size(), QSize(std::max(300, ui::titleWidth(&dialog)), 200));
}

TEST(WindowFit, ANarrowWindowShowsItsTitleWholeAndAFixedOneStaysFixed)
{
    ui::fitWindowsToScreen();
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("PARAMETRE ZOSTAVY \"HROMADNÝ PRÍKAZ\""));
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Zálohy")));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    dialog.show();
    QApplication::processEvents();
    const int title = ui::titleWidth(&dialog);
    EXPECT_GT(title, 200);
    EXPECT_EQ(dialog.width(), title);
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()); // still of fixed size
}

TEST(WindowFit, AMessageBelongsToTheWindowThatAsked)
{
    QMainWindow main;
    main.showMaximized();
    auto *order = new QMainWindow(&main);
    ui::keepAboveOwner(order);
    order->setAttribute(Qt::WA_DeleteOnClose);
    order->show();
    order->activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), order);
    // The window manager keeps it above the main window: a dialog of it.
    EXPECT_EQ(order->windowType(), Qt::Dialog);
    EXPECT_EQ(order->parentWidget(), &main);

    ui::QtUserInterface qt;
    qt.setMainWindow(&main);
    QWidget *owner = nullptr;
    QTimer::singleShot(50, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            owner = box->parentWidget();
            box->accept();
        }
    });
    qt.showMessage(ui::MessageKind::Information, QStringLiteral("Príkaz je uložený."));
    EXPECT_EQ(owner, order);
    EXPECT_TRUE(order->isVisible());
    EXPECT_EQ(order->parentWidget(), &main);
    order->close();
}
