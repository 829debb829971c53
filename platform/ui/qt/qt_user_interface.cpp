#include "platform/ui/qt/qt_user_interface.h"

#include "platform/ui/display_text.h"
#include "platform/ui/file_filter.h"
#include "platform/ui/qt/form_my_otazka.h"
#include "platform/ui/qt/form_progress.h"
#include "platform/ui/qt/window_fit.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

namespace tarix::ui {

namespace {

// The user answers a dialog with the normal pointer even while a run shows the
// hourglass; the hourglass comes back when the dialog is closed.
class NormalCursorWhileAsking {
public:
    explicit NormalCursorWhileAsking(bool busy) : m_busy(busy)
    {
        if (m_busy)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursorWhileAsking()
    {
        if (m_busy)
            QGuiApplication::restoreOverrideCursor();
    }

private:
    bool m_busy;
};

} // namespace

QtUserInterface::QtUserInterface() = default;

QtUserInterface::~QtUserInterface()
{
    if (m_progress)
        closeProgress();
    if (m_busy)
        setBusyCursor(false);
}

void QtUserInterface::setMainWindow(QWidget *mainWindow)
{
    m_mainWindow = mainWindow;
}

QWidget *QtUserInterface::mainWindow() const
{
    return m_mainWindow.data();
}

QWidget *QtUserInterface::dialogParent() const
{
    // The answer returns to the window that asked, and it stays in front. The progress
    // dialog only shows a run and is closed by it; it never owns a dialog.
    if (QWidget *asking = askingWindow(m_progress.data()))
        return asking;
    return m_mainWindow.data();
}

void QtUserInterface::showMessage(MessageKind kind, const QString &text)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case MessageKind::Information:
        icon = QMessageBox::Information;
        break;
    case MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageKind::Error:
        icon = QMessageBox::Critical;
        break;
    }
    QMessageBox box(icon, messageCaption(kind), lineBreaksForDisplay(text), QMessageBox::Ok,
                    dialogParent());
    box.setWindowModality(Qt::ApplicationModal);
    NormalCursorWhileAsking cursor(m_busy);
    box.exec();
}

bool QtUserInterface::askYesNo(const QString &question)
{
    TFormMyOtazka form(dialogParent());
    form.setQuestion(question);
    NormalCursorWhileAsking cursor(m_busy);
    return form.ask();
}

bool QtUserInterface::isProgressOpen() const
{
    return !m_progress.isNull();
}

void QtUserInterface::openProgress()
{
    if (m_progress)
        return;
    // No parent: the dialog stays on top of whatever window is active.
    m_progress = new TFormProgress(nullptr);
    m_progress->show();
}

void QtUserInterface::setProgress(int percent)
{
    if (m_progress)
        m_progress->Nastav_priebeh(percent);
}

void QtUserInterface::closeProgress()
{
    TFormProgress *dialog = m_progress.data();
    m_progress.clear();
    if (!dialog)
        return;
    dialog->hide();
    // Closed from a handler that runs inside the dialog's own event processing: the
    // dialog is still on the stack, so it is freed later.
    if (TFormProgress::isProcessingEvents())
        dialog->deleteLater();
    else
        delete dialog;
}

TFormProgress *QtUserInterface::progressDialog() const
{
    return m_progress.data();
}

QString QtUserInterface::chooseFile(const FileDialogRequest &request, bool save,
                                    int *chosenFilterIndex)
{
    QFileDialog dialog(dialogParent(), request.caption, request.initialFolder);
    // Qt's own dialog: the same behaviour (case-insensitive filters, options) on every
    // desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontResolveSymlinks, true);
    }
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    const int index = request.filterIndex >= 1 && request.filterIndex <= filters.size()
                          ? request.filterIndex
                          : 1;
    dialog.selectNameFilter(filters.at(index - 1));
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);

    NormalCursorWhileAsking cursor(m_busy);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return QString();
    if (chosenFilterIndex) {
        // With the details hidden the dialog names the chosen filter by its
        // description only.
        const QString chosen = dialog.selectedNameFilter();
        int found = index;
        for (qsizetype i = 0; i < filters.size(); ++i) {
            const QString &f = filters.at(i);
            if (f == chosen || f.left(f.lastIndexOf(QLatin1String(" ("))).simplified() == chosen) {
                found = int(i) + 1;
                break;
            }
        }
        *chosenFilterIndex = found;
    }
    return QDir::cleanPath(files.first());
}

QString QtUserInterface::chooseOpenFile(const FileDialogRequest &request, int *chosenFilterIndex)
{
    return chooseFile(request, false, chosenFilterIndex);
}

QString QtUserInterface::chooseSaveFile(const FileDialogRequest &request, int *chosenFilterIndex)
{
    return chooseFile(request, true, chosenFilterIndex);
}

QString QtUserInterface::chooseFolder(const QString &caption, const QString &initialFolder)
{
    NormalCursorWhileAsking cursor(m_busy);
    const QString folder = QFileDialog::getExistingDirectory(
        dialogParent(), caption, initialFolder,
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    return folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

void QtUserInterface::setBusyCursor(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void QtUserInterface::setMainWindowEnabled(bool enabled)
{
    if (m_mainWindow)
        m_mainWindow->setEnabled(enabled);
}

} // namespace tarix::ui
