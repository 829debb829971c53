#pragma once
// The user interface of the tests: answers questions and file choices from a script,
// in order, and records everything shown or asked.
//
// A question, file choice or folder choice with no scripted answer left, or with an
// answer of another kind, or whose text differs from the text the script expects, is
// a failure: it is recorded in failures() and UnscriptedInteraction is thrown. (Code
// that catches every exception and shows it may swallow the throw; tests check
// failures() too.)
#include "platform/ui/user_interface.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <stdexcept>
#include <vector>

namespace tarix::ui {

class UnscriptedInteraction : public std::logic_error {
public:
    explicit UnscriptedInteraction(const QString &what)
        : std::logic_error(what.toStdString()) {}
};

class ScriptedUserInterface : public UserInterface {
public:
    enum class EventKind {
        Information,
        Warning,
        Error,
        Question,      // text = question, answer = the scripted answer
        ProgressOpen,
        Progress,      // value = position set
        ProgressClose,
        OpenFile,      // text = the answer ("" = cancelled), caption in detail
        SaveFile,
        Folder,
        BusyCursor,    // value = 1 on, 0 off
        MainWindow,    // value = 1 enabled, 0 disabled
    };

    struct Event {
        Event(EventKind k, QString t = QString(), int v = 0, bool a = false,
              QString d = QString())
            : kind(k), text(std::move(t)), value(v), answer(a), detail(std::move(d)) {}
        EventKind kind;
        QString text;
        int value = 0;
        bool answer = false;
        QString detail; // caption of a file or folder dialog
    };

    ScriptedUserInterface();
    ~ScriptedUserInterface() override;

    // ---- script (answers are used in the order given) ----
    // Answers the next yes/no question; with expectedQuestion the question must read
    // exactly so.
    ScriptedUserInterface &answerYes(std::optional<QString> expectedQuestion = std::nullopt);
    ScriptedUserInterface &answerNo(std::optional<QString> expectedQuestion = std::nullopt);
    ScriptedUserInterface &answer(bool yes, std::optional<QString> expectedQuestion = std::nullopt);
    // Answers the next file dialog (open or save) with a file name, as chosen with the
    // given filter entry.
    ScriptedUserInterface &answerFile(const QString &fileName, int filterIndex = 1);
    ScriptedUserInterface &cancelFile();
    ScriptedUserInterface &answerFolder(const QString &folder);
    ScriptedUserInterface &cancelFolder();
    // Scripted answers not used yet.
    int pendingAnswers() const { return int(m_script.size()); }

    // ---- records ----
    const std::vector<Event> &events() const { return m_events; }
    std::vector<Event> events(EventKind kind) const;
    // Texts of the message boxes (all three kinds) and questions, in order.
    QStringList messages() const;
    QStringList messages(MessageKind kind) const;
    QStringList questions() const;
    // Every position set on the progress dialog, in order.
    std::vector<int> progressValues() const;
    int progressOpenCount() const;
    // Interactions that had no fitting scripted answer.
    const QStringList &failures() const { return m_failures; }
    bool mainWindowEnabled() const { return m_mainWindowEnabled; }
    bool busyCursor() const { return m_busy; }
    void clearEvents() { m_events.clear(); }

    // ---- UserInterface ----
    void showMessage(MessageKind kind, const QString &text) override;
    bool askYesNo(const QString &question) override;
    bool isProgressOpen() const override { return m_progressOpen; }
    void openProgress() override;
    void setProgress(int percent) override;
    void closeProgress() override;
    QString chooseOpenFile(const FileDialogRequest &request,
                           int *chosenFilterIndex = nullptr) override;
    QString chooseSaveFile(const FileDialogRequest &request,
                           int *chosenFilterIndex = nullptr) override;
    QString chooseFolder(const QString &caption, const QString &initialFolder) override;
    void setBusyCursor(bool busy) override;
    void setMainWindowEnabled(bool enabled) override;

private:
    enum class AnswerKind { YesNo, File, Folder };
    struct Answer {
        AnswerKind kind;
        bool yes = false;
        QString text; // file or folder; empty = cancel
        int filterIndex = 1;
        std::optional<QString> expected;
    };

    Answer take(AnswerKind kind, const QString &asked);
    [[noreturn]] void fail(const QString &what);
    QString chooseFile(EventKind kind, const FileDialogRequest &request, int *chosenFilterIndex);

    std::deque<Answer> m_script;
    std::vector<Event> m_events;
    QStringList m_failures;
    bool m_progressOpen = false;
    bool m_mainWindowEnabled = true;
    bool m_busy = false;
};

} // namespace tarix::ui
