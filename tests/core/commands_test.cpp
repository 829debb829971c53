// The command registry: only the ids its menu declares are accepted, at registration;
// rules, replacement and scoped registration; the main menu declares the subsystems' items.
#include "core/commands.h"
#include "core/forms/main_menu.h"

#include <gtest/gtest.h>

using namespace tarix;
using core::CommandContext;
using core::CommandRegistry;

namespace {

const auto kNothing = [](const CommandContext &) {};

} // namespace

TEST(CommandRegistry, RefusesAtRegistrationWhatTheMenuDoesNotDeclare)
{
    CommandRegistry registry({"vyplaty", "prepocitanie_vyplat"});
    struct Case {
        const char *id;
        bool withHandler;
        const char *reason; // null: accepted
    } cases[] = {
        {"vyplaty", true, nullptr},
        {"prikazy_platby", true, "the menu has no item for it"},
        {"Vyplaty", true, "the menu has no item for it"}, // ids are exact
        {"", true, "the menu has no item for it"},
        {"prepocitanie_vyplat", false, "registered without a handler"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        const core::CommandHandler run = c.withHandler ? core::CommandHandler(kNothing) : core::CommandHandler();
        if (!c.reason) {
            EXPECT_NO_THROW(registry.add(c.id, run));
            EXPECT_NE(registry.find(c.id), nullptr);
            continue;
        }
        try {
            registry.add(c.id, run);
            ADD_FAILURE() << "accepted";
        } catch (const core::UnknownCommand &e) {
            EXPECT_EQ(e.id(), c.id);
            const std::string what = e.what();
            EXPECT_NE(what.find('"' + std::string(c.id) + '"'), std::string::npos) << what;
            EXPECT_NE(what.find(c.reason), std::string::npos) << what;
        }
        EXPECT_EQ(registry.find(c.id), nullptr);
    }
    EXPECT_EQ(registry.ids(), QStringList{"vyplaty"});
}

TEST(CommandRegistry, RunsTheLatestHandlerUnderItsRule)
{
    CommandRegistry registry({"a", "b"});
    QStringList ran;
    bool allowed = false;
    registry.add("a", [&](const CommandContext &) { ran << "a1"; }, [&] { return allowed; });
    registry.add("b", [&](const CommandContext &) { ran << "b"; });

    EXPECT_FALSE(registry.isEnabled("a"));
    allowed = true;
    EXPECT_TRUE(registry.isEnabled("a"));
    EXPECT_TRUE(registry.isEnabled("b")); // no rule: always
    EXPECT_FALSE(registry.isEnabled("c")); // nothing registered

    // A second registration replaces the first, rule included.
    registry.add("a", [&](const CommandContext &) { ran << "a2"; });
    allowed = false;
    EXPECT_TRUE(registry.isEnabled("a"));
    registry.find("a")->run({});
    EXPECT_EQ(ran, QStringList{"a2"});

    registry.remove("b");
    EXPECT_EQ(registry.find("b"), nullptr);
    EXPECT_FALSE(registry.isEnabled("b"));
}

TEST(CommandRegistry, ScopedCommandRestoresWhatWasRegistered)
{
    CommandRegistry registry({"a", "b"});
    QStringList ran;
    registry.add("a", [&](const CommandContext &) { ran << "before"; });
    {
        core::ScopedCommand a(registry, "a", [&](const CommandContext &) { ran << "scoped"; });
        core::ScopedCommand b(registry, "b", kNothing);
        registry.find("a")->run({});
        EXPECT_NE(registry.find("b"), nullptr);
    }
    registry.find("a")->run({});
    EXPECT_EQ(ran, (QStringList{"scoped", "before"}));
    EXPECT_EQ(registry.find("b"), nullptr);
    // An undeclared id is refused before anything changes.
    EXPECT_THROW(core::ScopedCommand(registry, "x", kNothing), core::UnknownCommand);
    EXPECT_EQ(registry.ids(), QStringList{"a"});
}

TEST(MainMenuCommands, DeclaresTheSubsystemsItemsOnly)
{
    core::CommandRegistry &commands = core::mainMenuCommands();
    // The subsystems' items, those of windows still to be built and the report launchers
    // among them, also of the operation menus.
    for (const char *id : {"vyplaty", "rozdelenie_dane", "prepocitanie_vyplat", "vypocet_cistej_dennej_mzdy",
                           "mnu_garpoist", "mnu_setup1", "mnu_cis_vm1", "mnu_pridanie_firmy", "tlac_vp",
                           "tlac_sp_xml_k", "zam_tlac_ml", "ppv_tlac"})
        EXPECT_TRUE(commands.declares(id)) << id;
    // The window runs its own items: a subsystem cannot take them over.
    for (const char *own : {"koniec", "zamestnanci", "zam_sucasny", "zmena_obdobia", "dzp"}) {
        ASSERT_NE(core::mainMenuItem(own), nullptr) << own;
        EXPECT_THROW(commands.add(own, kNothing), core::UnknownCommand) << own;
    }
    EXPECT_THROW(commands.add("mnu_vyplaty", kNothing), core::UnknownCommand); // an object name, not an id
    EXPECT_TRUE(commands.ids().isEmpty());

    // Every id and object name of the table is unique, and every entry's menu comes first.
    QStringList ids, names;
    for (const core::MainMenuItem &item : core::mainMenuItems()) {
        if (*item.parent) {
            EXPECT_TRUE(names.contains(item.parent)) << item.parent;
        }
        if (item.kind == core::MainMenuItem::Kind::Separator)
            continue;
        EXPECT_FALSE(names.contains(item.objectName)) << item.objectName;
        names << item.objectName;
        if (item.kind == core::MainMenuItem::Kind::Command) {
            EXPECT_FALSE(ids.contains(item.id)) << item.id;
            ids << item.id;
        }
    }
}
