#pragma once
// Commands by id: what a menu item runs, and when it may be chosen. The subsystems above
// the core register their commands here (each through its own registerCommands(), called
// by the program at start-up), so that the core's windows offer them without knowing the
// subsystems. A registry knows the ids its menu declares and refuses any other id when it
// is registered, so that a misspelt or forgotten menu entry shows at start-up rather than
// as an item that never appears.
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <stdexcept>

class QWidget;

namespace tarix::core {

// What a command gets when it runs.
struct CommandContext {
    // The window whose menu ran it: the parent of the dialogs the command opens.
    QWidget *owner = nullptr;
};

using CommandHandler = std::function<void(const CommandContext &)>;
// Whether the command may be chosen now; a command without a rule always may.
using CommandRule = std::function<bool()>;

struct Command {
    CommandHandler run;
    CommandRule enabled;
};

// An id the menu does not declare, or a command without a handler.
class UnknownCommand : public std::invalid_argument {
public:
    explicit UnknownCommand(const QString &id, const char *reason);
    const QString &id() const { return m_id; }

private:
    QString m_id;
};

class CommandRegistry {
public:
    // `declared`: the ids of the menu's items that a subsystem provides.
    explicit CommandRegistry(QStringList declared);

    // Registers (or replaces) the command of a declared id; throws UnknownCommand naming
    // the id when the menu has no item for it or `run` is empty.
    void add(const QString &id, CommandHandler run, CommandRule enabled = {});
    void remove(const QString &id);
    // Forgets every registered command; the declared ids stay.
    void clear() { m_commands.clear(); }
    // nullptr when nothing is registered under the id.
    const Command *find(const QString &id) const;
    // Whether a registered command may be chosen now (false when none is registered).
    bool isEnabled(const QString &id) const;
    bool declares(const QString &id) const { return m_declared.contains(id); }
    const QStringList &declared() const { return m_declared; }
    QStringList ids() const;

private:
    QStringList m_declared;
    std::map<QString, Command> m_commands;
};

// Registers the command of a menu item the clerk chooses, when the menu declares the id
// (another menu is left alone): a refusal ends it silently, any other error is shown in
// the error box and never passed on.
void addShownCommand(CommandRegistry &registry, const QString &id, std::function<void(QWidget *owner)> run,
                     CommandRule enabled = {});

// Registers a command for its lifetime and restores what was registered before.
class ScopedCommand {
public:
    ScopedCommand(CommandRegistry &registry, const QString &id, CommandHandler run,
                  CommandRule enabled = {});
    ~ScopedCommand();
    ScopedCommand(const ScopedCommand &) = delete;
    ScopedCommand &operator=(const ScopedCommand &) = delete;

private:
    CommandRegistry &m_registry;
    QString m_id;
    Command m_before;
    bool m_hadBefore = false;
};

} // namespace tarix::core
