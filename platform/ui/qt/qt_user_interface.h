#pragma once
// The user interface of the running program: real Qt dialogs.
#include "platform/ui/user_interface.h"

#include <QPointer>

class QWidget;

namespace tarix::ui {

class TFormProgress;

class QtUserInterface : public UserInterface {
public:
    QtUserInterface();
    ~QtUserInterface() override;

    // The main window: the window that MainWindowDisabledScope disables, and the parent of
    // the dialogs when no other window of the program is active. May be null.
    void setMainWindow(QWidget *mainWindow);
    QWidget *mainWindow() const;

    void showMessage(MessageKind kind, const QString &text) override;
    bool askYesNo(const QString &question) override;

    bool isProgressOpen() const override;
    void openProgress() override;
    void setProgress(int percent) override;
    void closeProgress() override;
    // The shown progress dialog, or null.
    TFormProgress *progressDialog() const;

    QString chooseOpenFile(const FileDialogRequest &request,
                           int *chosenFilterIndex = nullptr) override;
    QString chooseSaveFile(const FileDialogRequest &request,
                           int *chosenFilterIndex = nullptr) override;
    QString chooseFolder(const QString &caption, const QString &initialFolder) override;

    void setBusyCursor(bool busy) override;
    void setMainWindowEnabled(bool enabled) override;

    // The window that asked for a dialog, its parent: the modal dialog running, else the
    // active window (never the progress dialog), else the main window.
    QWidget *dialogParent() const;

private:
    QString chooseFile(const FileDialogRequest &request, bool save, int *chosenFilterIndex);

    QPointer<QWidget> m_mainWindow;
    QPointer<TFormProgress> m_progress;
    bool m_busy = false;
};

} // namespace tarix::ui
