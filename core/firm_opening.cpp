#include "core/firm_opening.h"

#include "core/app_ini.h"
#include "core/helpers/app_paths.h"
#include "core/data_upgrades.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/parameters.h"
#include "core/period_rules.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/db/table.h"
#include "platform/errors.h"

#include <QDir>

namespace tarix::core {

namespace {
OtvorenaFirma g_otvorena;
std::function<int()> g_priplatky;
std::function<void()> g_obnovTitulku;

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// The year of the period row (the row is made when a new private folder lacks it).
void Zapis_rok(TDM &dm, int year)
{
    db::Table &priv = dm.TPRIV_;
    if (!priv.isActive())
        priv.open();
    db::EditGuard guard(priv);
    priv.first();
    if (priv.isEmpty()) {
        priv.append();
        priv.fieldByName(QStringLiteral("MESIAC")).setAsInteger(1);
        priv.fieldByName(QStringLiteral("SID")).setAsInteger(0);
    } else {
        priv.edit();
    }
    priv.fieldByName(QStringLiteral("ROK")).setAsInteger(year);
    priv.post();
}

// The upgrades wrote behind the open tables' backs: they read their rows again.
void refreshRegisteredTables()
{
    for (int i = 1; i <= TDMA::kPocet; ++i)
        if (db::Table *t = DMA().tabulka(i); t && t->isActive())
            t->refresh();
}

} // namespace

QString Nazov_priecinka_firmy(int firm) { return QStringLiteral("DATA") + twoDigits(firm); }

QString Priecinok_firmy(const QString &networkRoot, int firm)
{
    return networkRoot + Nazov_priecinka_firmy(firm) + u'/';
}

QString Priecinok_roka(const QString &networkRoot, int year)
{
    return networkRoot + QStringLiteral("COMMON/ROK%1/").arg(year < kPrvyOsobitnyRok ? 2004 : year);
}

QString Vystupny_priecinok(const QString &networkRoot, int firm, int year)
{
    return networkRoot + QStringLiteral("vystupy/") + Nazov_priecinka_firmy(firm) + u'/'
           + QString::number(year) + u'/';
}

QString Priecinok_formularov(const QString &networkRoot) { return networkRoot + QStringLiteral("frm/"); }

QString PolozkaFirmy::popis() const { return nazov + u' ' + twoDigits(cislo); }

QList<int> Roky_s_parametrami(const QString &networkRoot)
{
    QList<int> years;
    for (int y = kPrvyRokMenu; y <= kPoslednyRokMenu; ++y)
        if (db::tableExistsInFolder(networkRoot + QStringLiteral("COMMON/ROK%1").arg(y),
                                    QStringLiteral("cis_par")))
            years << y;
    return years;
}

bool Citaj_nazov_firmy(db::Session &session, const QString &firmFolder, QString &name)
{
    name.clear();
    // Checked without the session first, so that a missing folder is never created.
    if (!db::tableExistsInFolder(firmFolder, QStringLiteral("INF")))
        return false;
    try {
        db::Table header(&session);
        header.setTableName(QDir(firmFolder).filePath(QStringLiteral("INF.DB")));
        header.open();
        header.first();
        if (!header.isEmpty())
            name = header.fieldByName(QStringLiteral("NAZOV")).asString();
        header.close();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

QList<PolozkaFirmy> Zoznam_firiem(db::Session &session, const QString &networkRoot)
{
    QList<PolozkaFirmy> firms;
    const QList<int> years = Roky_s_parametrami(networkRoot);
    if (years.isEmpty())
        return firms;
    for (int n = kPrvaFirma; n <= kPoslednaFirma; ++n) {
        PolozkaFirmy item;
        if (!Citaj_nazov_firmy(session, Priecinok_firmy(networkRoot, n), item.nazov))
            continue;
        item.cislo = n;
        item.roky = years;
        firms << item;
    }
    return firms;
}

const OtvorenaFirma &otvorenaFirma() { return g_otvorena; }

void setPriplatky(std::function<int()> provider) { g_priplatky = std::move(provider); }

int Priplatky()
{
    if (g_priplatky)
        return g_priplatky();
    try {
        return trxIni().readInteger(QStringLiteral("Kompatibilita"), QStringLiteral("Priplatky"), 1);
    } catch (const std::logic_error &) {
        return 1; // no TRX.INI in this run
    }
}

void Zatvor_tabulky_firmy() { DMA().Zatvor_tabulky(); }

void Zrus_otvorenu_firmu()
{
    Zatvor_tabulky_firmy();
    g_otvorena = OtvorenaFirma{};
    MyConsts::setOutputFolder(QString());
}

bool Otvor_firmu_a_rok(int firm, int year, const KrokyOtvorenia &kroky)
{
    auto call = [](const std::function<void()> &f) {
        if (f)
            f();
    };
    // Whatever fails leaves no firm open and no year's values behind.
    auto fail = [&](const std::exception *e) {
        if (e)
            Zobraz_chybu(*e);
        Zrus_otvorenu_firmu();
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        try {
            call(kroky.priprav_menu);
        } catch (const std::exception &menuError) {
            Zobraz_chybu(menuError);
        }
        return false;
    };

    TDM &dm = DM();
    db::Session &s = session();
    Zrus_otvorenu_firmu();
    s.closeAll();

    AppPaths paths = appPaths();
    const QString root = paths.networkRoot;
    OtvorenaFirma opened;
    opened.firma = firm;
    opened.rok = year;
    opened.priecinokFirmy = Priecinok_firmy(root, firm);
    opened.priecinokRoka = Priecinok_roka(root, year);
    opened.priecinokFormularov = Priecinok_formularov(root);
    opened.vystupnyPriecinok = Vystupny_priecinok(root, firm, year);

    try {
        s.setAlias(kAliasPriv, paths.privateFolder);
        s.setAlias(kAliasData, opened.priecinokFirmy);
        s.setAlias(kAliasDatx, opened.priecinokFirmy);
        s.setAlias(kAliasComm, opened.priecinokRoka);
        paths.firmDataFolder = opened.priecinokFirmy;
        paths.commonFolder = opened.priecinokRoka;
        setAppPaths(paths);

        Zapis_rok(dm, year);
        if (!DMA().Otvor_tabulky())
            return fail(nullptr); // the table that stayed closed was named already
        SpecialneCinnosti(s, Priplatky());
        refreshRegisteredTables();
    } catch (const std::exception &e) {
        return fail(&e);
    }

    g_otvorena = opened;
    try {
        call(kroky.priprav_menu);
        call(kroky.menu_podla_zamestnavatela);
        call(kroky.vyber_strediska);
        call(kroky.vyber_obdobia);
        MyConsts::Nacitaj_parametre(s, paramIni());
        MyConsts::Uprav_parameter_28(dm.Aktualne_obdobie());
        // The exemption texts follow the period stored now, however the period dialog
        // ended (or when none was shown): a mode left from the previous firm or year must
        // not outlive it.
        Nastav_filter_vynimiek_obdobia(dm);
        QDir().mkpath(opened.vystupnyPriecinok);
        MyConsts::setOutputFolder(opened.vystupnyPriecinok);
    } catch (const std::exception &e) {
        return fail(&e);
    }
    return true;
}

void Nastav_obnovu_titulku(std::function<void()> refresh) { g_obnovTitulku = std::move(refresh); }

void Obnov_titulok_okna()
{
    if (g_obnovTitulku)
        g_obnovTitulku();
}

void Zobraz_chybu(const std::exception &e)
{
    if (dynamic_cast<const EAbort *>(&e))
        return;
    if (const auto *my = dynamic_cast<const EMyError *>(&e))
        MyConsts::Sprava_chyba(my->text());
    else
        MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
}

} // namespace tarix::core
