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
#include "platform/db/db_health.h"
#include "platform/db/session.h"
#include "platform/db/table.h"
#include "platform/errors.h"

#include <QDir>

namespace tarix::core {

namespace {
OpenFirm g_otvorena;
std::function<int()> g_priplatky;
std::function<void()> g_obnovTitulku;

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// The year of the period row (the row is made when a new private folder lacks it).
void writeYear(TDM &dm, int year)
{
    db::Table &privateFolderDb = dm.TPRIV_;
    if (!privateFolderDb.isActive())
        privateFolderDb.open();
    db::EditGuard guard(privateFolderDb);
    privateFolderDb.first();
    if (privateFolderDb.isEmpty()) {
        privateFolderDb.append();
        privateFolderDb.fieldByName(QStringLiteral("MESIAC")).setAsInteger(1);
        privateFolderDb.fieldByName(QStringLiteral("SID")).setAsInteger(0);
    } else {
        privateFolderDb.edit();
    }
    privateFolderDb.fieldByName(QStringLiteral("ROK")).setAsInteger(year);
    privateFolderDb.post();
}

// The upgrades wrote behind the open tables' backs: they read their rows again.
void refreshRegisteredTables()
{
    for (db::Table *t : DMA().tables())
        if (t->isActive())
            t->refresh();
}

} // namespace

QString firmFolderName(int firm) { return QStringLiteral("DATA") + twoDigits(firm); }

QString firmFolderPath(const QString &networkRoot, int firm)
{
    return networkRoot + firmFolderName(firm) + u'/';
}

QString yearDataFolder(const QString &networkRoot, int year)
{
    return networkRoot + QStringLiteral("COMMON/ROK%1/").arg(year < kPrvyOsobitnyRok ? 2004 : year);
}

QString firmOutputFolder(const QString &networkRoot, int firm, int year)
{
    return networkRoot + QStringLiteral("vystupy/") + firmFolderName(firm) + u'/'
           + QString::number(year) + u'/';
}

QString Priecinok_formularov(const QString &networkRoot) { return networkRoot + QStringLiteral("frm/"); }

QString FirmEntry::popis() const
{
    if (problem.isEmpty())
        return nazov + u' ' + twoDigits(cislo);
    return firmFolderName(cislo) + QString::fromUtf16(busy ? kBusySuffix : kDamagedSuffix);
}

QList<int> yearsWithParameters(const QString &networkRoot, QStringList *unreadable, db::Session *session)
{
    if (!session)
        session = db::Session::defaultSession();
    QList<int> years;
    for (int y = kPrvyRokMenu; y <= kPoslednyRokMenu; ++y) {
        const db::DatabaseHealth h = db::checkFolderDatabase(
            session, networkRoot + QStringLiteral("COMMON/ROK%1").arg(y), QStringLiteral("cis_par"));
        // A folder without a database, or a database of another kind, is no year.
        if (h.state == db::DatabaseState::Missing || h.tableMissing)
            continue;
        years << y;
        if (!h.ok() && unreadable)
            *unreadable << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(h.file), h.reason);
    }
    return years;
}

bool readFirmName(db::Session &session, const QString &firmFolder, QString &name,
                       QString *problem, bool *busy)
{
    name.clear();
    if (problem)
        problem->clear();
    if (busy)
        *busy = false;
    // Checked without the session first, so that a missing folder is never created.
    const db::DatabaseHealth h = db::checkFolderDatabase(&session, firmFolder, QStringLiteral("INF"));
    if (h.state == db::DatabaseState::Missing)
        return false;
    if (!h.ok()) {
        if (problem)
            *problem = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(h.file), h.reason);
        if (busy)
            *busy = h.state == db::DatabaseState::Busy;
        return false;
    }
    try {
        db::Table header(&session);
        header.setTableName(QDir(firmFolder).filePath(QStringLiteral("INF.DB")));
        header.open();
        header.first();
        if (!header.isEmpty())
            name = header.fieldByName(QStringLiteral("NAZOV")).asString();
        header.close();
        return true;
    } catch (const std::exception &e) {
        if (problem)
            *problem = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(h.file),
                                                    QString::fromUtf8(e.what()));
        return false;
    }
}

QList<FirmEntry> firmList(db::Session &session, const QString &networkRoot,
                                  QStringList *unreadableYears)
{
    QList<FirmEntry> firms;
    const QList<int> years = yearsWithParameters(networkRoot, unreadableYears, &session);
    if (years.isEmpty())
        return firms;
    for (int n = kPrvaFirma; n <= kPoslednaFirma; ++n) {
        FirmEntry item;
        if (!readFirmName(session, firmFolderPath(networkRoot, n), item.nazov,
                               &item.problem, &item.busy)
            && item.problem.isEmpty())
            continue;
        item.cislo = n;
        item.roky = years;
        firms << item;
    }
    return firms;
}

const OpenFirm &openedFirm() { return g_otvorena; }

void setSurcharges(std::function<int()> provider) { g_priplatky = std::move(provider); }

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

void closeFirmTables() { DMA().Zatvor_tabulky(); }

void dropOpenFirm()
{
    closeFirmTables();
    g_otvorena = OpenFirm{};
    MyConsts::setOutputFolder(QString());
}

bool openFirmAndYear(int firm, int year, const OpeningSteps &kroky)
{
    auto call = [](const std::function<void()> &f) {
        if (f)
            f();
    };
    // Whatever fails leaves no firm open and no year's values behind.
    auto fail = [&](const std::exception *e) {
        if (e)
            showError(*e);
        try {
            dropOpenFirm();
        } catch (const std::exception &closeError) {
            // The firm is dropped whatever its tables say as they close.
            qWarning("Closing the firm's tables failed: %s", closeError.what());
            g_otvorena = OpenFirm{};
            MyConsts::setOutputFolder(QString());
        }
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        try {
            call(kroky.priprav_menu);
        } catch (const std::exception &menuError) {
            showError(menuError);
        }
        return false;
    };

    TDM &dm = DM();
    db::Session &s = session();
    try {
        dropOpenFirm();
        s.closeAll();
        // A server that restarted or ended this workstation's session meanwhile: the firm
        // opens on a new connection.
        s.restoreConnection();
    } catch (const std::exception &e) {
        return fail(&e);
    }

    AppPaths paths = appPaths();
    const QString root = paths.networkRoot;
    OpenFirm opened;
    opened.firma = firm;
    opened.rok = year;
    opened.priecinokFirmy = firmFolderPath(root, firm);
    opened.priecinokRoka = yearDataFolder(root, year);
    opened.priecinokFormularov = Priecinok_formularov(root);
    opened.vystupnyPriecinok = firmOutputFolder(root, firm, year);

    try {
        // A damaged, busy or read-only database is named before anything is opened or
        // written, rather than failing half-way with the first table or the first save.
        checkDatabase(paths.privateFolder, QStringLiteral("PRIV"),
                      QStringLiteral("pracovnej stanice"), true);
        checkDatabase(opened.priecinokFirmy, QStringLiteral("INF"), QStringLiteral("firmy"), true);
        // The opening's upgrades write to the year's parameters too.
        checkDatabase(opened.priecinokRoka, QStringLiteral("cis_par"),
                      QStringLiteral("roka %1").arg(year), true);
        s.setAlias(kAliasPriv, paths.privateFolder);
        s.setAlias(kAliasData, opened.priecinokFirmy);
        s.setAlias(kAliasDatx, opened.priecinokFirmy);
        s.setAlias(kAliasComm, opened.priecinokRoka);
        paths.firmDataFolder = opened.priecinokFirmy;
        paths.commonFolder = opened.priecinokRoka;
        setAppPaths(paths);

        writeYear(dm, year);
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
        MyConsts::adjustParameter28(dm.Aktualne_obdobie());
        // The exemption texts follow the period stored now, however the period dialog
        // ended (or when none was shown): a mode left from the previous firm or year must
        // not outlive it.
        setPeriodExceptionFilter(dm);
        QDir().mkpath(opened.vystupnyPriecinok);
        MyConsts::setOutputFolder(opened.vystupnyPriecinok);
    } catch (const std::exception &e) {
        return fail(&e);
    }
    return true;
}

void checkDatabase(const QString &folder, const QString &table, const QString &what,
                   bool forWriting)
{
    db::Session *session = db::Session::defaultSession();
    const db::DatabaseHealth h = db::checkFolderDatabase(session, folder, table);
    const QString file = QDir::toNativeSeparators(h.file);
    switch (h.state) {
    case db::DatabaseState::Healthy:
        break;
    case db::DatabaseState::Missing:
        throw EMyError(QStringLiteral("Databáza %1 %2 neexistuje.").arg(what, file));
    case db::DatabaseState::Busy:
        throw EMyError(QStringLiteral("Databázu %1 %2 používa iný program a neuvoľnil ju ani po "
                                      "%3 s čakania (%4). Skúste to znova neskôr.")
                           .arg(what, file)
                           .arg(db::kDatabaseBusyWaitMs / 1000)
                           .arg(h.reason));
    case db::DatabaseState::Damaged:
        throw EMyError(QStringLiteral("Databáza %1 %2 je poškodená a nedá sa čítať: %3")
                           .arg(what, file, h.reason));
    }
    if (forWriting && !db::databaseWritable(session, folder, table))
        throw EMyError(session && session->isServer()
                           ? QStringLiteral("Databáza %1 %2 je len na čítanie: prihlásenie na server nemá "
                                            "právo zápisu, zmeny by sa nedali uložiť. Požiadajte správcu "
                                            "o právo zápisu.")
                                 .arg(what, file)
                           : QStringLiteral("Databáza %1 %2 je len na čítanie: súbor alebo jeho "
                                            "priečinok nemá právo zápisu, zmeny by sa nedali uložiť. "
                                            "Požiadajte správcu o právo zápisu.")
                                 .arg(what, file));
}

void setTitleRefresh(std::function<void()> refresh) { g_obnovTitulku = std::move(refresh); }

void refreshWindowCaption()
{
    if (g_obnovTitulku)
        g_obnovTitulku();
}

void showError(const std::exception &e)
{
    if (dynamic_cast<const EAbort *>(&e))
        return;
    MyConsts::Sprava_chyba(errorText(e));
}

} // namespace tarix::core
