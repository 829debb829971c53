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

// A report launcher: a subsystem command whose id is the item's component name.
MainMenuItem report(const char *parent, const char *name, const char *caption)
{
    return provided(parent, name, caption, name);
}

// An item kept in the tree but never shown.
MainMenuItem hidden(MainMenuItem item)
{
    item.hidden = true;
    return item;
}

} // namespace

const std::vector<MainMenuItem> &mainMenuItems()
{
    // Items whose window or computation is not built yet are subsystem commands under
    // their component name: they stay disabled until a subsystem registers that id.
    static const std::vector<MainMenuItem> items = {
        menu("", "System", "&Systém"),
        // Filled with the firms of the installation (TFormMain::Vytvor_menu_firiem).
        menu("System", "Otvorenie_firmy", "&Výber firmy"),
        provided("System", "mnu_pridanie_firmy", "&Pridanie novej firmy", "mnu_pridanie_firmy"),
        menu("System", "Zrusenie_firmy", "&Zrušenie firmy"),
        separator("System"),
        own("System", "Koniec", "&Koniec programu", "koniec"),

        menu("", "Hlavne", "&Menu"),
        own("Hlavne", "mnu_zamestnanci", "&Zamestnanci", "zamestnanci"),
        menu("Hlavne", "mnu_zobrazovanie", "Zamestnanci - zobrazovanie"),
        own("mnu_zobrazovanie", "mnu_zobr_s", "Zobrazovať len platných zamestnancov", "zam_sucasny"),
        own("mnu_zobrazovanie", "mnu_zobr_v", "Zobrazovať len ukončených zamestnancov", "zam_vyradeny"),
        own("mnu_zobrazovanie", "mnu_zobr_a", "Zobrazovať všetkých zamestnancov", "zam_vsetci"),
        separator("Hlavne"),
        provided("Hlavne", "mnu_vyplaty", "&Výplaty", "vyplaty"),
        menu("Hlavne", "mnu_rz_dane", "Ročné zúčtovanie preddavkov dane"),
        provided("mnu_rz_dane", "mnu_rz_vypocet", "Ročné zúčtovanie preddavkov - &výpočet", "mnu_rz_vypocet"),
        provided("mnu_rz_dane", "mnu_rz_zauctovanie", "Zaúčtovanie sumy preplatku/nedopl. do výplat",
                 "mnu_rz_zauctovanie", true),
        menu("Hlavne", "mnu_rz_zp", "Ročné zúčtovanie zdravotného poistenia"),
        provided("mnu_rz_zp", "mnu_rz_zp_zauctovanie", "Zaúčtovanie sumy preplatku/nedopl. do výplat",
                 "mnu_rz_zp_zauctovanie", true),
        separator("Hlavne"),
        provided("Hlavne", "mnu_hsv", "&Hromadné spracovanie výplat", "mnu_hsv"),
        provided("Hlavne", "mnu_import_anketari", "Import z TXT - Anketári", "mnu_import_anketari", true),
        provided("Hlavne", "mnu_garpoist", "Nastav garančné poistenie všetkým zamestnancom", "mnu_garpoist", true),
        provided("Hlavne", "mnu_zefir1", "Export do súboru pre &Zefir98", "mnu_zefir1"),
        separator("Hlavne"),
        menu("Hlavne", "mnu_novy_rok", "Inicializácia nového roka"),
        provided("mnu_novy_rok", "mnu_novy_rok_db", "Založenie databáz pre nový rok", "mnu_novy_rok_db"),
        provided("mnu_novy_rok", "mnu_cista_denna_mzda", "Výpočet čistej dennej mzdy", "vypocet_cistej_dennej_mzdy",
                 true),
        provided("Hlavne", "mnu_zalohovanie", "Zálohovanie údajov", "mnu_zalohovanie"),
        provided("Hlavne", "mnu_obnova", "Obnova zo záložnej kópie", "mnu_obnova", true),
        separator("Hlavne"),
        menu("Hlavne", "mnu_nastroje", "Nástroje"),
        provided("mnu_nastroje", "mnu_rozdelenie_dane", "Rozdelenie dane na preddavky a zrážky podľa sumy",
                 "rozdelenie_dane"),
        provided("Hlavne", "mnu_prepocet", "Prepočítanie všetkých výplat", "prepocitanie_vyplat", true),
        separator("Hlavne"),
        own("Hlavne", "mnu_zmena_strediska", "Zmena &strediska", "zmena_strediska"),
        own("Hlavne", "mnu_zmena_obdobia", "Zmena výplatného &obdobia", "zmena_obdobia"),

        // The report launchers: each item's id is a row of the reports' launcher table.
        menu("", "Prehlady", "&Tlačové zostavy"),
        menu("Prehlady", "mnu_tlac_sp", "Sociálna poisťovňa"),
        report("mnu_tlac_sp", "tlac_sp_pdf", "Výkaz poistného (PDF)"),
        report("mnu_tlac_sp", "tlac_sp_pdf_pr", "Výkaz poistného - príloha (PDF)"),
        report("mnu_tlac_sp", "tlac_sp_xml25", "Výkaz poistného (XML) - verzia 2.5"),
        provided("mnu_tlac_sp", "sp_reglisty", "Hromadné registračné listy (XML) - verzia 1.5", "sp_reglisty"),
        provided("mnu_tlac_sp", "tlac_sp_xml_k", "Dodatočné vytvorenie kontrolného TXT súboru", "tlac_sp_xml_k"),
        report("mnu_tlac_sp", "tlac_sp_prihlas", "Tlačivo prihlásenie zamestnanca (EMAIL)"),
        report("mnu_tlac_sp", "tlac_sp1pxls", "Sociálna poisťovňa - výkaz poistného - príloha - v exceli"),
        report("mnu_tlac_sp", "tlac_eldz1", "Údaje na účely vedenia evidenčného listu dôch.zabezp."),
        menu("Prehlady", "mnu_tlac_zp", "Zdravotné poisťovne"),
        report("mnu_tlac_zp", "tlac_zp_rtf", "Výkaz poistného (RTF)"),
        report("mnu_tlac_zp", "tlac_zp2005pr", "Výkaz poistného - príloha"),
        report("mnu_tlac_zp", "tlac_zptxt", "Elektronický výkaz poistného (dávka 514)"),
        report("mnu_tlac_zp", "tlac_zp601", "Elektronický výkaz (dávka 601)"),
        menu("Prehlady", "mnu_tlac_du", "Daňový úrad"),
        report("mnu_tlac_du", "tlac_dns2", "Štvrťročný prehľad preddavkov a dani"),
        report("mnu_tlac_du", "tlac_dns3", "Hlásenie o vyúčtovaní dane z príjmov ročné, časti 1,2"),
        report("mnu_tlac_du", "tlac_vd2", "Hlásenie o vyúčtovaní dane z príjmov ročné, časť 3"),
        report("mnu_tlac_du", "tlac_vd_a_pdf", "Hlásenie o vyúčtovaní dane z príjmov ročné, časti 1,2 (PDF)"),
        report("mnu_tlac_du", "tlac_vd_b_pdf", "Hlásenie o vyúčtovaní dane z príjmov ročné, časť 3 (PDF)"),
        report("mnu_tlac_du", "tlac_pz", "Potvrdenie o zdaniteľnej &mzde"),
        report("mnu_tlac_du", "tlac_bo", "Žiadosť o poukázanie sumy daňového bonusu"),
        menu("Prehlady", "mnu_tlac_rz", "Ročné zúčtovanie preddavkov dane"),
        report("mnu_tlac_rz", "tlac_rz", "Tlač - Výkazy &1.strana"),
        report("mnu_tlac_rz", "tlac_rz2004b", "Tlač - Výkazy &2.strana"),
        report("mnu_tlac_rz", "tlac_rz2", "Tlač - &Súhrnná listina"),
        report("mnu_tlac_rz", "tlac_nezisk1", "Vyhlásenie o poukázaní 2%  - Príloha č.1"),
        report("mnu_tlac_rz", "tlac_nezisk2", "Potvrdenie o zaplatení dane - Príloha č.2"),
        menu("Prehlady", "mnu_tlac_rzzp", "Ročné zúčt.odvodov na zdrav.poistenie"),
        report("mnu_tlac_rzzp", "tlac_zdr_doklad", "Doklad o výške preddavkov"),
        menu("mnu_tlac_rzzp", "mnu_tlac_rzzp_oznam", "Oznámenie zamestnávateľa o ..."),
        report("mnu_tlac_rzzp_oznam", "tlac_zp05ozvy", "preplatkoch a nedoplatkoch - výkaz"),
        report("mnu_tlac_rzzp_oznam", "tlac_zp05ozpr", "preplatkoch a nedoplatkoch - príloha"),
        menu("Prehlady", "mnu_tlac_zam", "Zamestnanci"),
        report("mnu_tlac_zam", "tlac_dov", "Prehľad dovoleniek"),
        report("mnu_tlac_zam", "tlac_ml", "Mzdové &listy"),
        report("mnu_tlac_zam", "tlac_ml2", "Mzdové listy - evidencia neprítomnosti"),
        report("mnu_tlac_zam", "tlac_pp2", "&Potvrdenie o príjme"),
        report("mnu_tlac_zam", "tlac_vz", "Potvrdenie o výške vymeriavacieho základu"),
        provided("mnu_tlac_zam", "mnu_csv1", "Tlač údajov o zamestnacoch", "mnu_csv1"),
        menu("Prehlady", "mnu_tlac_vyp", "Výplaty"),
        report("mnu_tlac_vyp", "tlac_zl", "Zálohová listina"),
        report("mnu_tlac_vyp", "tlac_vl", "Výplatná listina súhrnná"),
        report("mnu_tlac_vyp", "tlac_vl2", "Výplatná listina k výplate v hotovosti"),
        report("mnu_tlac_vyp", "tlac_vlnd", "Výplatná listina - rozpis nemocenských dávok"),
        report("mnu_tlac_vyp", "tlac_zraz", "Zrážky zo mzdy - mesačný výkaz"),
        report("mnu_tlac_vyp", "tlac_vyk", "Výkonová mzda - mesačný výkaz"),
        report("mnu_tlac_vyp", "tlac_vp", "&Výplatné pásky zamestnancov"),
        // The old payment-order report is kept in the tree but never shown.
        hidden(report("mnu_tlac_vyp", "tlac_hp", "&Hromadný príkaz na úhradu výplat - formát z verzie 2.20")),
        provided("mnu_tlac_vyp", "mnu_hp1", "Hromadný príkaz na úhradu výplat", "mnu_hp1"),
        report("Prehlady", "tlac_nz", "Mesačné náklady zamestnávateľa"),
        report("Prehlady", "tlac_vl3_mesiac", "Mesačná rekapitulácia"),
        report("Prehlady", "tlac_vl3_rok", "Ročná rekapitulácia"),
        report("Prehlady", "tlac_en", "Mesačný výkaz neprítomnosti"),
        report("Prehlady", "tlac_pu", "Vstupy do podvojného účtovníctva"),
        menu("Prehlady", "mnu_tlac_odv", "Rozpis odvodov"),
        report("mnu_tlac_odv", "tlac_odv", "Rozpis odvodov poistného po zamestnancoch"),
        report("mnu_tlac_odv", "tlac_odvzp", "Rozpis odvodov zdrav.poistenia po zamestnancoch"),
        report("mnu_tlac_odv", "tlac_odvdp", "Rozpis odvodov DDP po zamestnancoch"),
        menu("Prehlady", "mnu_tlac_2003", "Tlačové zostavy pred 1.1.2004"),
        report("mnu_tlac_2003", "tlac_fz1", "Fond zamestnanosti - 1.časť"),
        report("mnu_tlac_2003", "tlac_fz2", "Fond zamestnanosti - 2.časť"),
        report("mnu_tlac_2003", "tlac_poi", "Výkaz zák. poistenia &zodpovednosti za škodu"),
        report("mnu_tlac_2003", "tlac_pp", "&Potvrdenia o príjme"),
        menu("Prehlady", "mnu_tlac_2006", "Tlačové zostavy pred 1.1.2007"),
        menu("mnu_tlac_2006", "mnu_tlac_2006_sp", "Sociálna poisťovňa"),
        report("mnu_tlac_2006_sp", "tlac_sp1", "Výkaz poistného"),
        report("mnu_tlac_2006_sp", "tlac_spv1", "Výkaz poistného a dávok"),
        report("mnu_tlac_2006_sp", "tlac_sp1p", "Výkaz poistného - príloha"),
        report("mnu_tlac_2006_sp", "tlac_spxml", "Výkaz poistného (XML) - verzia 2.4.1"),

        menu("", "Nastavenia", "&Nastavenia"),
        provided("Nastavenia", "mnu_setup1", "&Spoločné parametre programu", "mnu_setup1"),
        provided("Nastavenia", "mnu_setup2", "&Zaokrúhľovanie", "mnu_setup2"),
        provided("Nastavenia", "mnu_inf", "&Parametre zamestnávateľa", "mnu_inf"),
        own("Nastavenia", "mnu_dzp", "&Daň z príjmu - ročná tabuľka ", "dzp"),
        separator("Nastavenia"),
        provided("Nastavenia", "mnu_cis_par", "Číselník parametrov programu", "mnu_cis_par"),
        provided("Nastavenia", "mnu_cis_vm1", "Číselník stredísk", "mnu_cis_vm1"),
        provided("Nastavenia", "mnu_cis_zp", "Číselník zdravotných poisťovní", "mnu_cis_zp"),
        provided("Nastavenia", "mnu_cis_pd1", "Číselník príspevkov k prídavkom na deti", "mnu_cis_pd1"),
        provided("Nastavenia", "mnu_cis_banky", "Číselník bankových spojení", "mnu_cis_banky", true),
        provided("Nastavenia", "mnu_cis_uk", "Číselník pracovných výkonov", "mnu_cis_uk"),
        provided("Nastavenia", "mnu_cis_vynimky", "Číselník výnimiek z minimálneho vymer.základu", "mnu_cis_vynimky"),
        provided("Nastavenia", "mnu_cis_pu", "Číselník pre vstupy do podvoj. účtovníctva", "mnu_cis_pu"),

    };
    return items;
}

const std::vector<MainMenuItem> &operationMenuItems()
{
    static const std::vector<MainMenuItem> items = {
        menu("Operacie_zam1", "mnu_zam_tlac", "Tlačové zostavy"),
        report("mnu_zam_tlac", "zam_tlac_ml", "Mzdový list"),
        report("mnu_zam_tlac", "zam_tlac_ml2", "Mzdový list - evidencia neprítomnosti"),
        report("mnu_zam_tlac", "zam_tlac_pp2", "Potvrdenie o príjme"),
        report("mnu_zam_tlac", "zam_tlac_pz", "Potvrdenie o zdaniteľnej mzde"),
        report("mnu_zam_tlac", "zam_tlac_rz", "Ročné zúčtovanie preddavkov na daň"),
        report("Operacie_ppv1", "ppv_tlac", "&Tlač"),
    };
    return items;
}

const MainMenuItem *mainMenuItem(const QString &id)
{
    for (const auto *table : {&mainMenuItems(), &operationMenuItems()})
        for (const MainMenuItem &item : *table)
            if (item.kind == Kind::Command && id == QLatin1String(item.id))
                return &item;
    return nullptr;
}

CommandRegistry &mainMenuCommands()
{
    static CommandRegistry registry([] {
        QStringList ids;
        for (const auto *table : {&mainMenuItems(), &operationMenuItems()})
            for (const MainMenuItem &item : *table)
                if (item.kind == Kind::Command && item.runner == Runner::Subsystem)
                    ids << QString::fromLatin1(item.id);
        return ids;
    }());
    return registry;
}

} // namespace tarix::core
