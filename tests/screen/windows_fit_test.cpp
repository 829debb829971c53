// The program's windows on a laptop's screen of 1366 x 768: the login window and every
// window that an item of the main menu opens fits the screen with a window manager's frame
// around it, shows its title whole and belongs to a window of the program; so does a
// report's preview. The payment-order window stays in front of the main window after a
// message.
#include "laptop_fixture.h"

using namespace tarix;

namespace {

class WindowsOnALaptop : public screentest::ProgramOnALaptop {};

} // namespace

TEST_F(WindowsOnALaptop, EveryWindowOfTheMenuFitsTheScreenShowsItsTitleAndHasAnOwner)
{
    EXPECT_TRUE(problems(main).isEmpty()) << problems(main).join('\n').toStdString();

    QStringList found;
    QSet<QString> seen;
    const size_t chosen = walkMenu([&](QWidget *w) {
        seen << QString::fromLatin1(w->metaObject()->className());
        found << problems(w);
    });
    EXPECT_GT(chosen, 80u);
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
    // The windows that were cut off on such a screen were among them.
    for (const char *window : {"tarix::payroll::TFormMainVyp", "tarix::core::TFormInf", "tarix::core::TFormSetup",
                               "tarix::filings::TFormHP1", "tarix::reports::TFParForm"})
        EXPECT_TRUE(seen.contains(QString::fromLatin1(window))) << window;
}

TEST_F(WindowsOnALaptop, AReportsPreviewFitsTheScreen)
{
    QStringList found;
    int previews = 0;
    test::whileDialogs([&] { choose("tlac_vp"); },
                       [&](QWidget *w) {
                           if (auto *form = qobject_cast<reports::TFParForm *>(w)) {
                               form->Button1->click();
                           } else if (auto *d = qobject_cast<rpt::PreviewDialog *>(w)) {
                               ++previews;
                               found << problems(d);
                               d->accept();
                           } else {
                               found << problems(w);
                               if (auto *dialog = qobject_cast<QDialog *>(w))
                                   dialog->reject();
                           }
                       },
                       30000);
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
}

// The payment-order window is a window of its own beside the maximised main window: a
// message it asks for belongs to it, and it stays the main window's, above it.
TEST_F(WindowsOnALaptop, ThePaymentOrderWindowStaysInFrontAfterAMessage)
{
    filings::TFormHP1 *form = openWindow<filings::TFormHP1>("mnu_hp1");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->parentWidget(), main);
    // A window manager keeps only a dialog-type window above the window it belongs to.
    EXPECT_EQ(form->windowType(), Qt::Dialog);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(problems(form).isEmpty()) << problems(form).join('\n').toStdString();

    ui::QtUserInterface qt;
    qt.setMainWindow(main);
    ui::ScopedUserInterface real(qt);
    form->activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), form);

    QWidget *owner = nullptr;
    bool boxShown = false;
    QTimer::singleShot(50, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxShown = true;
            owner = box->parentWidget();
            box->accept();
        }
    });
    qt.showMessage(ui::MessageKind::Warning, QStringLiteral("Hromadný príkaz nemá položky."));
    EXPECT_TRUE(boxShown);
    EXPECT_EQ(owner, form);
    QApplication::processEvents();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->parentWidget(), main);

    // The order's parameter dialog, run straight from the payroll's report, belongs to the
    // window that asked too.
    form->activateWindow();
    QApplication::processEvents();
    const reports::ReportRun *hp = reports::reportRegister().findReport("TReportHP");
    ASSERT_NE(hp, nullptr);
    QWidget *dialogOwner = nullptr;
    test::whileDialogs([&] { (*hp)(reports::TMyReportParam{}); },
                       [&](QWidget *w) {
                           if (auto *d = qobject_cast<filings::TFormParHP *>(w)) {
                               dialogOwner = d->parentWidget();
                               EXPECT_TRUE(problems(d).isEmpty()) << problems(d).join('\n').toStdString();
                           }
                           if (auto *d = qobject_cast<QDialog *>(w))
                               d->reject();
                       });
    EXPECT_EQ(dialogOwner, form);
}
