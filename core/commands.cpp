#include "core/commands.h"

#include "core/helpers/dialogs.h"

namespace tarix::core {

UnknownCommand::UnknownCommand(const QString &id, const char *reason)
    : std::invalid_argument(QStringLiteral("command \"%1\": %2").arg(id, QString::fromLatin1(reason)).toStdString()),
      m_id(id)
{
}

CommandRegistry::CommandRegistry(QStringList declared) : m_declared(std::move(declared)) {}

void CommandRegistry::add(const QString &id, CommandHandler run, CommandRule enabled)
{
    if (!declares(id))
        throw UnknownCommand(id, "the menu has no item for it");
    if (!run)
        throw UnknownCommand(id, "registered without a handler");
    m_commands[id] = Command{std::move(run), std::move(enabled)};
}

void CommandRegistry::remove(const QString &id) { m_commands.erase(id); }

const Command *CommandRegistry::find(const QString &id) const
{
    const auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : &it->second;
}

bool CommandRegistry::isEnabled(const QString &id) const
{
    const Command *c = find(id);
    return c && (!c->enabled || c->enabled());
}

QStringList CommandRegistry::ids() const
{
    QStringList out;
    for (const auto &[id, _] : m_commands)
        out << id;
    return out;
}

ScopedCommand::ScopedCommand(CommandRegistry &registry, const QString &id, CommandHandler run,
                             CommandRule enabled)
    : m_registry(registry), m_id(id)
{
    if (const Command *c = registry.find(id)) {
        m_before = *c;
        m_hadBefore = true;
    }
    registry.add(id, std::move(run), std::move(enabled));
}

ScopedCommand::~ScopedCommand()
{
    if (m_hadBefore)
        m_registry.add(m_id, m_before.run, m_before.enabled);
    else
        m_registry.remove(m_id);
}

void addShownCommand(CommandRegistry &registry, const QString &id, std::function<void(QWidget *owner)> run,
                     CommandRule enabled)
{
    if (!registry.declares(id))
        return;
    registry.add(
        id,
        [run = std::move(run)](const CommandContext &c) { MyConsts::runAndShowError([&] { run(c.owner); }); },
        std::move(enabled));
}

} // namespace tarix::core
