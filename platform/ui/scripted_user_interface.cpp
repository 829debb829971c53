#include "platform/ui/scripted_user_interface.h"

#include <QtGlobal>

namespace tarix::ui {

namespace {

ScriptedUserInterface::EventKind eventKindOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return ScriptedUserInterface::EventKind::Information;
    case MessageKind::Warning:
        return ScriptedUserInterface::EventKind::Warning;
    case MessageKind::Error:
        break;
    }
    return ScriptedUserInterface::EventKind::Error;
}

QString kindName(int kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("yes/no question");
    case 1:
        return QStringLiteral("file choice");
    default:
        return QStringLiteral("folder choice");
    }
}

} // namespace

ScriptedUserInterface::ScriptedUserInterface() = default;

ScriptedUserInterface::~ScriptedUserInterface()
{
    if (!m_script.empty())
        qWarning("ScriptedUserInterface: %d scripted answer(s) were never asked for",
                 int(m_script.size()));
}

ScriptedUserInterface &ScriptedUserInterface::answerYes(std::optional<QString> expectedQuestion)
{
    return answer(true, std::move(expectedQuestion));
}

ScriptedUserInterface &ScriptedUserInterface::answerNo(std::optional<QString> expectedQuestion)
{
    return answer(false, std::move(expectedQuestion));
}

ScriptedUserInterface &ScriptedUserInterface::answer(bool yes,
                                                     std::optional<QString> expectedQuestion)
{
    m_script.push_back({AnswerKind::YesNo, yes, QString(), 1, std::move(expectedQuestion)});
    return *this;
}

ScriptedUserInterface &ScriptedUserInterface::answerFile(const QString &fileName, int filterIndex)
{
    m_script.push_back({AnswerKind::File, false, fileName, filterIndex, std::nullopt});
    return *this;
}

ScriptedUserInterface &ScriptedUserInterface::cancelFile()
{
    return answerFile(QString());
}

ScriptedUserInterface &ScriptedUserInterface::answerFolder(const QString &folder)
{
    m_script.push_back({AnswerKind::Folder, false, folder, 1, std::nullopt});
    return *this;
}

ScriptedUserInterface &ScriptedUserInterface::cancelFolder()
{
    return answerFolder(QString());
}

void ScriptedUserInterface::fail(const QString &what)
{
    m_failures.append(what);
    throw UnscriptedInteraction(what);
}

ScriptedUserInterface::Answer ScriptedUserInterface::take(AnswerKind kind, const QString &asked)
{
    if (m_script.empty())
        fail(QStringLiteral("unscripted %1: %2").arg(kindName(int(kind)), asked));
    Answer next = m_script.front();
    if (next.kind != kind)
        fail(QStringLiteral("the script answers a %1, but a %2 was asked: %3")
                 .arg(kindName(int(next.kind)), kindName(int(kind)), asked));
    if (next.expected && *next.expected != asked)
        fail(QStringLiteral("the script expected the question \"%1\", but \"%2\" was asked")
                 .arg(*next.expected, asked));
    m_script.pop_front();
    return next;
}

std::vector<ScriptedUserInterface::Event> ScriptedUserInterface::events(EventKind kind) const
{
    std::vector<Event> result;
    for (const Event &e : m_events)
        if (e.kind == kind)
            result.push_back(e);
    return result;
}

QStringList ScriptedUserInterface::messages() const
{
    QStringList result;
    for (const Event &e : m_events)
        if (e.kind == EventKind::Information || e.kind == EventKind::Warning
            || e.kind == EventKind::Error || e.kind == EventKind::Question)
            result.append(e.text);
    return result;
}

QStringList ScriptedUserInterface::messages(MessageKind kind) const
{
    QStringList result;
    for (const Event &e : events(eventKindOf(kind)))
        result.append(e.text);
    return result;
}

QStringList ScriptedUserInterface::questions() const
{
    QStringList result;
    for (const Event &e : events(EventKind::Question))
        result.append(e.text);
    return result;
}

std::vector<int> ScriptedUserInterface::progressValues() const
{
    std::vector<int> result;
    for (const Event &e : events(EventKind::Progress))
        result.push_back(e.value);
    return result;
}

int ScriptedUserInterface::progressOpenCount() const
{
    return int(events(EventKind::ProgressOpen).size());
}

void ScriptedUserInterface::showMessage(MessageKind kind, const QString &text)
{
    m_events.push_back({eventKindOf(kind), text});
}

bool ScriptedUserInterface::askYesNo(const QString &question)
{
    const Answer a = take(AnswerKind::YesNo, question);
    m_events.push_back({EventKind::Question, question, 0, a.yes});
    return a.yes;
}

void ScriptedUserInterface::openProgress()
{
    if (m_progressOpen)
        return;
    m_progressOpen = true;
    m_events.push_back({EventKind::ProgressOpen, QString()});
}

void ScriptedUserInterface::setProgress(int percent)
{
    if (!m_progressOpen)
        fail(QStringLiteral("progress %1 set while no progress dialog is shown").arg(percent));
    m_events.push_back({EventKind::Progress, QString(), percent});
}

void ScriptedUserInterface::closeProgress()
{
    if (!m_progressOpen)
        return;
    m_progressOpen = false;
    m_events.push_back({EventKind::ProgressClose, QString()});
}

QString ScriptedUserInterface::chooseFile(EventKind kind, const FileDialogRequest &request,
                                          int *chosenFilterIndex)
{
    const Answer a = take(AnswerKind::File, request.caption);
    m_events.push_back({kind, a.text, a.filterIndex, !a.text.isEmpty(), request.caption});
    if (chosenFilterIndex && !a.text.isEmpty())
        *chosenFilterIndex = a.filterIndex;
    return a.text;
}

QString ScriptedUserInterface::chooseOpenFile(const FileDialogRequest &request,
                                              int *chosenFilterIndex)
{
    return chooseFile(EventKind::OpenFile, request, chosenFilterIndex);
}

QString ScriptedUserInterface::chooseSaveFile(const FileDialogRequest &request,
                                              int *chosenFilterIndex)
{
    return chooseFile(EventKind::SaveFile, request, chosenFilterIndex);
}

QString ScriptedUserInterface::chooseFolder(const QString &caption, const QString &initialFolder)
{
    const Answer a = take(AnswerKind::Folder, caption);
    m_events.push_back({EventKind::Folder, a.text, 0, !a.text.isEmpty(), caption});
    return a.text;
}

void ScriptedUserInterface::setBusyCursor(bool busy)
{
    m_busy = busy;
    m_events.push_back({EventKind::BusyCursor, QString(), busy ? 1 : 0});
}

void ScriptedUserInterface::setMainWindowEnabled(bool enabled)
{
    m_mainWindowEnabled = enabled;
    m_events.push_back({EventKind::MainWindow, QString(), enabled ? 1 : 0});
}

} // namespace tarix::ui
