#include "core/forms/main_menu.h"

namespace tarix::core {

namespace {

using Kind = MainMenuItem::Kind;
using Runner = MainMenuItem::Runner;

MainMenuItem menu(const char *parent, const char *name, const char *caption)
{
    return {Kind::Menu, parent, name, caption};
}

MainMenuItem separator(const char *parent) { return {Kind::Separator, parent}; }

// An item the main window runs itself.
MainMenuItem own(const char *parent, const char *name, const char *caption, const char *id)
{
    return {Kind::Command, parent, name, caption, id, Runner::Window};
}

// An item of a subsystem's command.
MainMenuItem provided(const char *parent, const char *name, const char *caption, const char *id,
                      bool refreshesEmployeeList = false)
{
    return {Kind::Command, parent, name, caption, id, Runner::Subsystem, refreshesEmployeeList};
}

} // namespace

const std::vector<MainMenuItem> &mainMenuItems()
{
    static const std::vector<MainMenuItem> items = {
        menu("", "System", "&Systém"),
        // Filled with the firms of the installation (TFormMain::Vytvor_menu_firiem).
        menu("System", "Otvorenie_firmy", "&Výber firmy"),
        menu("System", "Zrusenie_firmy", "&Zrušenie firmy"),
        separator("System"),
        own("System", "Koniec", "&Koniec programu", "koniec"),

        menu("", "Hlavne", "&Menu"),
        own("Hlavne", "mnu_zamestnanci", "&Zamestnanci", "zamestnanci"),
        menu("Hlavne", "mnu_zobrazovanie", "Zamestnanci - zobrazovanie"),
        own("mnu_zobrazovanie", "mnu_zobr_s", "Zobrazovať len platných zamestancov", "zam_sucasny"),
        own("mnu_zobrazovanie", "mnu_zobr_v", "Zobrazovať len ukončených zamestnancov", "zam_vyradeny"),
        own("mnu_zobrazovanie", "mnu_zobr_a", "Zobrazovať všetkých zamestnancov", "zam_vsetci"),
        separator("Hlavne"),
        provided("Hlavne", "mnu_vyplaty", "&Výplaty", "vyplaty"),
        menu("Hlavne", "mnu_nastroje", "Nástroje"),
        provided("mnu_nastroje", "mnu_rozdelenie_dane", "Rozdelenie dane na preddavky a zrážky podľa sumy",
                 "rozdelenie_dane"),
        provided("Hlavne", "mnu_prepocet", "Prepočítanie všetkých výplat", "prepocitanie_vyplat", true),
        own("Hlavne", "mnu_zmena_strediska", "Zmena &strediska", "zmena_strediska"),
        own("Hlavne", "mnu_zmena_obdobia", "Zmena výplatného &obdobia", "zmena_obdobia"),

        menu("", "Prehlady", "&Tlačové zostavy"),

        menu("", "Nastavenia", "&Nastavenia"),
        own("Nastavenia", "mnu_dzp", "&Daň z príjmu - ročná tabuľka ", "dzp"),
    };
    return items;
}

const MainMenuItem *mainMenuItem(const QString &id)
{
    for (const MainMenuItem &item : mainMenuItems())
        if (item.kind == Kind::Command && id == QLatin1String(item.id))
            return &item;
    return nullptr;
}

CommandRegistry &mainMenuCommands()
{
    static CommandRegistry registry([] {
        QStringList ids;
        for (const MainMenuItem &item : mainMenuItems())
            if (item.kind == Kind::Command && item.runner == Runner::Subsystem)
                ids << QString::fromLatin1(item.id);
        return ids;
    }());
    return registry;
}

} // namespace tarix::core
