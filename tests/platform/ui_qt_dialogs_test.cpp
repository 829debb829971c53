// The real Qt dialogs under the offscreen platform: the yes/no question's keyboard
// defaults, the message boxes' captions and icons, and the progress dialog.
#include "platform/ui/qt/form_my_otazka.h"
#include "platform/ui/qt/form_progress.h"
#include "platform/ui/qt/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <stdexcept>

using namespace tarix::ui;

namespace {

// Runs `act` on the modal dialog as soon as one is shown (the caller then exec()s it).
// A dialog still open a while after the action is closed, so a wrong answer fails the
// test instead of hanging it. Only the dialog acted on is watched: the next dialog the
// test opens belongs to the next call, however soon it appears.
void whenModalShown(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto actedOn = std::make_shared<QPointer<QWidget>>();
    auto acted = std::make_shared<bool>(false);
    QObject::connect(timer, &QTimer::timeout, [=] {
        const auto finish = [timer] {
            timer->stop();
            timer->deleteLater();
        };
        if (!*acted) {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible()) {
                *acted = true;
                *actedOn = modal;
                clock->start();
                act(modal);
            } else if (clock->elapsed() > 10000) {
                finish();
            }
            return;
        }
        QWidget *dialog = actedOn->data();
        if (!dialog || !dialog->isVisible()) {
            finish();
        } else if (clock->elapsed() > 3000) {
            ADD_FAILURE() << "modal dialog left open";
            dialog->close();
            if (auto *d = qobject_cast<QDialog *>(dialog))
                d->done(-1);
            finish();
        }
    });
    timer->start();
}

// A key press and release delivered where the keyboard focus of the dialog is.
void pressKey(QWidget *dialog, int key)
{
    QWidget *target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

QList<TFormProgress *> progressWindows()
{
    QList<TFormProgress *> result;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<TFormProgress *>(w); p && p->isVisible())
            result.append(p);
    return result;
}

} // namespace

TEST(FormMyOtazkaTest, Layout)
{
    TFormMyOtazka form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Otázka"));
    EXPECT_EQ(form.BitBtn1->text(), QStringLiteral("&Ano"));
    EXPECT_EQ(form.BitBtn2->text(), QStringLiteral("&Nie"));
    EXPECT_TRUE(form.BitBtn2->isDefault());
    EXPECT_TRUE(form.StaticText1->isReadOnly());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    form.setQuestion(QStringLiteral("Prvý riadok\n\rDruhý riadok"));
    EXPECT_EQ(form.question(), QStringLiteral("Prvý riadok\nDruhý riadok"));
}

TEST(FormMyOtazkaTest, KeysAndButtonsGiveTheAnswer)
{
    struct Case {
        const char *name;
        std::function<void(TFormMyOtazka *)> act;
        bool expected;
    };
    const Case cases[] = {
        {"Enter", [](TFormMyOtazka *f) { pressKey(f, Qt::Key_Return); }, false},
        {"Enter on the keypad", [](TFormMyOtazka *f) { pressKey(f, Qt::Key_Enter); }, false},
        {"Esc", [](TFormMyOtazka *f) { pressKey(f, Qt::Key_Escape); }, false},
        {"click Nie", [](TFormMyOtazka *f) { f->BitBtn2->click(); }, false},
        {"click Ano", [](TFormMyOtazka *f) { f->BitBtn1->click(); }, true},
        {"Space on the focused button", [](TFormMyOtazka *f) { pressKey(f, Qt::Key_Space); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFormMyOtazka form;
        form.setQuestion(QStringLiteral("Vymazať položku ?"));
        whenModalShown([&](QWidget *w) {
            ASSERT_EQ(w, &form);
            c.act(&form);
        });
        EXPECT_EQ(form.ask(), c.expected);
    }
}

TEST(QtUserInterfaceTest, YesNoQuestionShowsTheTextAndEscAnswersNo)
{
    QtUserInterface ui;
    QString shownTitle, shownText;
    whenModalShown([&](QWidget *w) {
        auto *form = qobject_cast<TFormMyOtazka *>(w);
        ASSERT_NE(form, nullptr);
        shownTitle = form->windowTitle();
        shownText = form->StaticText1->toPlainText();
        pressKey(form, Qt::Key_Escape);
    });
    EXPECT_FALSE(ui.askYesNo(QStringLiteral("Prajete si ukončiť hromadné spracovanie výplat ?")));
    EXPECT_EQ(shownTitle, QStringLiteral("Otázka"));
    EXPECT_EQ(shownText, QStringLiteral("Prajete si ukončiť hromadné spracovanie výplat ?"));

    whenModalShown([](QWidget *w) { qobject_cast<TFormMyOtazka *>(w)->BitBtn1->click(); });
    EXPECT_TRUE(ui.askYesNo(QStringLiteral("Pokračovať ?")));
}

TEST(QtUserInterfaceTest, MessageBoxesCarryCaptionAndIcon)
{
    struct Case {
        MessageKind kind;
        const char16_t *caption;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        {MessageKind::Information, u"Informácia", QMessageBox::Information},
        {MessageKind::Warning, u"Upozornenie", QMessageBox::Warning},
        {MessageKind::Error, u" Chyba", QMessageBox::Critical},
    };
    QtUserInterface ui;
    for (const Case &c : cases) {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenModalShown([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            pressKey(box, Qt::Key_Return);
        });
        ui.showMessage(c.kind, QStringLiteral("Súbor a.txt bol vytvorený.\r\nKoniec"));
        EXPECT_EQ(title, QString::fromUtf16(c.caption));
        EXPECT_EQ(icon, c.icon);
        EXPECT_EQ(text, QStringLiteral("Súbor a.txt bol vytvorený.\nKoniec"));
    }
}

TEST(QtUserInterfaceTest, ProgressDialogOpensClampsAndCloses)
{
    QtUserInterface ui;
    ScopedUserInterface installed(ui);

    showProgress(100); // first call 100: created, shown, freed
    EXPECT_EQ(ui.progressDialog(), nullptr);
    EXPECT_TRUE(progressWindows().isEmpty());

    showProgress(-7);
    TFormProgress *dialog = ui.progressDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Pracujem..."));
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(dialog->PB1->minimum(), 0);
    EXPECT_EQ(dialog->PB1->maximum(), 100);
    EXPECT_EQ(dialog->PB1->value(), 0);

    showProgress(250);
    ASSERT_EQ(ui.progressDialog(), dialog) << "a value above 100 closed or replaced the dialog";
    EXPECT_EQ(dialog->PB1->value(), 100);
    showProgress(42);
    EXPECT_EQ(dialog->PB1->value(), 42);
    EXPECT_FALSE(dialog->close()) << "the user could close the progress dialog";

    showProgress(100);
    EXPECT_EQ(ui.progressDialog(), nullptr);
    EXPECT_TRUE(progressWindows().isEmpty());
}

TEST(QtUserInterfaceTest, ProgressScopeClosesTheDialogWhenTheRunFails)
{
    QtUserInterface ui;
    ScopedUserInterface installed(ui);
    EXPECT_THROW(
        {
            ProgressScope run;
            showProgress(0);
            ASSERT_EQ(progressWindows().size(), 1);
            throw std::runtime_error("failed");
        },
        std::runtime_error);
    EXPECT_EQ(ui.progressDialog(), nullptr);
    EXPECT_TRUE(progressWindows().isEmpty());
}

TEST(QtUserInterfaceTest, ProgressClosedFromAHandlerRunDuringEventProcessing)
{
    QtUserInterface ui;
    ScopedUserInterface installed(ui);
    showProgress(0);
    bool ranInside = false;
    // A handler that runs while Nastav_priebeh processes pending events ends the
    // progress: the dialog must not be freed under the running Nastav_priebeh, and
    // the handler's own position must not start a second level of event processing.
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            ranInside = TFormProgress::isProcessingEvents();
            showProgress(70);
            showProgress(100);
        },
        Qt::QueuedConnection);
    showProgress(10);
    EXPECT_TRUE(ranInside);
    EXPECT_EQ(ui.progressDialog(), nullptr);
    EXPECT_FALSE(TFormProgress::isProcessingEvents());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(progressWindows().isEmpty());
    showProgress(5); // a new run gets a new dialog
    ASSERT_NE(ui.progressDialog(), nullptr);
    EXPECT_EQ(ui.progressDialog()->PB1->value(), 5);
    showProgress(100);
}

TEST(QtUserInterfaceTest, MainWindowDisabledForTheScope)
{
    QtUserInterface ui;
    ScopedUserInterface installed(ui);
    QWidget mainWindow;
    ui.setMainWindow(&mainWindow);
    try {
        MainWindowDisabledScope disabled;
        BusyCursorScope busy;
        EXPECT_FALSE(mainWindow.isEnabled());
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
        throw std::runtime_error("report failed");
    } catch (const std::runtime_error &) {
    }
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtUserInterfaceTest, DialogsDuringABusyRunShowTheNormalPointer)
{
    QtUserInterface ui;
    ScopedUserInterface installed(ui);
    BusyCursorScope busy;
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    Qt::CursorShape whileAsking = Qt::BlankCursor;
    whenModalShown([&](QWidget *w) {
        whileAsking = QGuiApplication::overrideCursor()->shape();
        pressKey(w, Qt::Key_Escape);
    });
    EXPECT_FALSE(ui.askYesNo(QStringLiteral("Pokračovať ?")));
    EXPECT_EQ(whileAsking, Qt::ArrowCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

TEST(QtUserInterfaceTest, FileChoiceTakesCaptionFolderAndFilter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString zip = dir.filePath(QStringLiteral("Z0601D01.ZIP"));
    {
        QFile f(zip);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QtUserInterface ui;
    const FileDialogRequest request{QStringLiteral("Výber súboru so záložnou kópiou"), dir.path(),
                                    QString(), QStringLiteral("TARIX zip files (z*.zip)|z*.zip|Všetky|*.*"),
                                    2, QStringLiteral("zip")};
    QString title, selectedFilter, folder;
    QStringList filters;
    whenModalShown([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        folder = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_EQ(ui.chooseOpenFile(request), QString()) << "a cancelled choice must give no name";
    EXPECT_EQ(title, request.caption);
    EXPECT_EQ(QDir(folder), QDir(dir.path()));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_TRUE(filters.at(1).startsWith(selectedFilter)) << selectedFilter.toStdString();

    whenModalShown([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->selectNameFilter(dialog->nameFilters().at(0));
        // Typed as the clerk would: selectFile() leaves a name box that already has
        // the keyboard focus as it is.
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(zip);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    int index = 0;
    EXPECT_EQ(ui.chooseOpenFile(request, &index), zip);
    EXPECT_EQ(index, 1);
}
