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

    // The main window: parent of the dialogs, and the window that
    // MainWindowDisabledScope disables. May be null (dialogs then have no parent).
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

private:
    QString chooseFile(const FileDialogRequest &request, bool save, int *chosenFilterIndex);
    QWidget *dialogParent() const;

    QPointer<QWidget> m_mainWindow;
    QPointer<TFormProgress> m_progress;
    bool m_busy = false;
};

} // namespace tarix::ui
