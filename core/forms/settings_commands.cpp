#include "core/forms/settings_commands.h"

#include "core/app_ini.h"
#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/firm_admin.h"
#include "core/firm_opening.h"
#include "core/forms/form_cis.h"
#include "core/forms/form_inf.h"
#include "core/forms/form_setup.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "platform/db/query.h"
#include "platform/db/table.h"
#include "platform/errors.h"

#include <functional>

namespace tarix::core {

namespace {

// Whether a firm is open: the settings screens edit its tables.
bool firmIsOpen() { return hasDM() && DM().TINF_.isActive(); }

// A code-list item: its title, its table and what it does before and after the editor.
struct Ciselnik {
    const char *id;
    const char *title;
    std::function<db::Table &(TDM &)> table;
    std::function<void(TDM &)> before;
    std::function<void(TDM &)> after;
};

void filterOff(db::Table &t)
{
    if (t.isActive())
        t.setFiltered(false);
}

const std::vector<Ciselnik> &codeTables()
{
    static const std::vector<Ciselnik> list = {
        {"mnu_cis_par", " 3.01 Číselník parametrov programu", [](TDM &dm) -> db::Table & { return dm.CIS0_; },
         [](TDM &dm) {
             // Read again from the open year's folder.
             dm.CIS0_.close();
             dm.CIS0_.open();
         },
         [](TDM &dm) {
             // The statutory values in memory follow what was edited.
             MyConsts::Nacitaj_parametre(session(), paramIni());
             MyConsts::adjustParameter28(dm.Aktualne_obdobie());
         }},
        {"mnu_cis_vm1", " 3.02 Číselník stredísk", [](TDM &dm) -> db::Table & { return dm.CIS2_; },
         [](TDM &dm) { filterOff(dm.CIS2_); }, {}},
        {"mnu_cis_zp", " 3.03 Číselník zdravotných poisťovní", [](TDM &dm) -> db::Table & { return dm.CIS1_; }, {},
         {}},
        {"mnu_cis_pd1", " 3.04 Číselník výšky príspevkov k prídavkom na deti",
         [](TDM &dm) -> db::Table & { return dm.CIS3_; }, [](TDM &dm) { filterOff(dm.CIS3_); }, {}},
        {"mnu_cis_banky", " 3.05 Číselník bankových účtov", [](TDM &dm) -> db::Table & { return dm.CIS4_; },
         [](TDM &dm) { filterOff(dm.CIS4_); },
         [](TDM &dm) {
             // The funds among the payees and the employees' lookups read the table again.
             dm.QDDP_.close();
             dm.QDDP_.open();
             if (hasDMZ() && DMZ().TZAM_.isActive())
                 DMZ().TZAM_.refresh();
         }},
        {"mnu_cis_vynimky", " 3.07 Číselník výnimiek z vymer.základu", [](TDM &dm) -> db::Table & { return dm.CIS5_; },
         {}, {}},
        {"mnu_cis_pu", " 3.08 Číselník pre vstupy do podvojného účtovníctva",
         [](TDM &dm) -> db::Table & { return dm.CISPUX_; }, [](TDM &dm) { dm.CISPUX_.open(); },
         [](TDM &dm) { dm.CISPUX_.close(); }},
    };
    return list;
}

} // namespace

QStringList settingsCommandIds()
{
    QStringList ids{QStringLiteral("mnu_setup1"), QStringLiteral("mnu_setup2"), QStringLiteral("mnu_inf")};
    for (const Ciselnik &c : codeTables())
        ids << QString::fromLatin1(c.id);
    ids << QStringLiteral("mnu_pridanie_firmy") << QStringLiteral("mnu_novy_rok_db") << QStringLiteral("mnu_zalohovanie")
        << QStringLiteral("mnu_obnova");
    return ids;
}

void registerSettingsCommands(CommandRegistry &registry)
{
    registry.add(QStringLiteral("mnu_setup1"),
                 [](const CommandContext &c) { MyConsts::runAndShowError([&] { MainSet::Show_FormSetup(1, c.owner); }); }, firmIsOpen);
    registry.add(QStringLiteral("mnu_setup2"),
                 [](const CommandContext &c) { MyConsts::runAndShowError([&] { MainSet::Show_FormSetup(2, c.owner); }); }, firmIsOpen);
    registry.add(QStringLiteral("mnu_inf"),
                 [](const CommandContext &c) { MyConsts::runAndShowError([&] { MainInf::Show_FormInf(c.owner); }); }, firmIsOpen);
    for (const Ciselnik &cis : codeTables()) {
        registry.add(
            QString::fromLatin1(cis.id),
            [&cis](const CommandContext &c) {
                MyConsts::runAndShowError([&] {
                    TDM &dm = DM();
                    if (cis.before)
                        cis.before(dm);
                    // The after-step runs also when the editor ended with an error.
                    struct After {
                        const Ciselnik &cis;
                        TDM &dm;
                        ~After()
                        {
                            if (cis.after)
                                MyConsts::runAndShowError([&] { cis.after(dm); });
                        }
                    } after{cis, dm};
                    Zobraz_ciselnik(QString::fromUtf8(cis.title), cis.table(dm), c.owner);
                });
            },
            firmIsOpen);
    }
    // Firm administration: adding a firm needs no open firm; the others work on the open
    // firm and year.
    const auto otvorenyRok = [] { return openedFirm().firma != 0; };
    registry.add(QStringLiteral("mnu_pridanie_firmy"), [](const CommandContext &) { MyConsts::runAndShowError([] { addFirm(); }); });
    registry.add(QStringLiteral("mnu_novy_rok_db"), [](const CommandContext &) { MyConsts::runAndShowError([] { createYear(); }); },
                 otvorenyRok);
    registry.add(QStringLiteral("mnu_zalohovanie"), [](const CommandContext &) { MyConsts::runAndShowError([] { backUp(); }); },
                 otvorenyRok);
    registry.add(QStringLiteral("mnu_obnova"), [](const CommandContext &) { MyConsts::runAndShowError([] { restoreBackup(); }); }, otvorenyRok);
}

} // namespace tarix::core
