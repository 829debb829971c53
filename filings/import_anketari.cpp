#include "filings/import_anketari.h"

#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/checks.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/parameters.h"
#include "core/helpers/periods.h"
#include "core/helpers/text_utils.h"
#include "payroll/dm_v.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/db_error.h"
#include "platform/db/session.h"
#include "platform/db/sql_result.h"
#include "platform/errors.h"
#include "platform/format/dates.h"
#include "platform/shell/atomic_file.h"
#include "platform/shell/file_errors.h"
#include "platform/shell/launcher.h"
#include "platform/shell/paths.h"
#include "platform/ui/user_interface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <set>

namespace tarix::filings::survey_import {

using namespace Qt::Literals::StringLiterals;

namespace {

// The fields a row must have: 0 to 19.
constexpr int kPocetPoli = 20;

enum Pole {
    kOsobneCislo = 0,
    kMesiac = 1,
    kRok = 2,
    kDohodaOvp = 3,
    kDoplatok = 4,
    kMeno = 5,
    kPriezvisko = 6,
    kUlica = 7,
    kObec = 8,
    kPsc = 9,
    kUcet = 10,
    kSpecifickySymbol = 11,
    kNastup = 12,
    kBanka = 13,
    kNezdanitelne = 14,
    kZdravotnaPoistovna = 15,
    kRodneCislo = 16,
    kSporenie = 18,
    kStredisko = 19,
};

// One line of the file as the first pass read it.
struct Riadok {
    int cislo = 0;        // line number from 1
    QStringList polia;
    bool tentoMesiac = false;
    QString chyba;        // why the line cannot be imported (empty: it can)
    int osobne = 0;
    double dohodaOvp = 0;
    double doplatok = 0;
    QDate nastup;
    int stredisko = 1;     // the row's centre
    int oznacene = 0;      // the centre the row names for the deletion (0: none)
    bool odmietnuty = false; // the clerk declined the new employee's duplicate birth number
};

QString lineText(int cislo, const QString &dovod)
{
    return u"riadok %1: %2"_s.arg(cislo).arg(dovod);
}

double Suma(const QString &text)
{
    // A blank amount is 0, as the field takes it; anything else must be a number.
    return MyConsts::Text_na_realne_cislo(MyConsts::Prazdny_na_nulu(text));
}

// Reads one line: its fields and what keeps it from being imported.
Riadok readLine(int cislo, const QByteArray &bajty, int rok, int mesiac)
{
    Riadok r;
    r.cislo = cislo;
    QString text;
    try {
        text = codepage::fromCp1250(bajty, codepage::Mode::Strict);
    } catch (const codepage::ECodePageError &e) {
        r.polia = MyConsts::Rozdel_riadok_csv(codepage::fromCp1250(bajty, codepage::Mode::Lenient));
        r.tentoMesiac = true;
        r.chyba = lineText(cislo, u"bajt 0x%1 nie je znak kódovania Windows-1250"_s.arg(
                                         QString::number(uint(e.codePoint()), 16).toUpper()));
        return r;
    }
    r.polia = MyConsts::Rozdel_riadok_csv(text);
    const int pocet = int(text.count(u';')) + 1;
    if (pocet < kPocetPoli) {
        // Too short to tell its month: listed rather than guessed.
        r.tentoMesiac = true;
        r.chyba = lineText(cislo, u"počet položiek %1, potrebných je aspoň %2"_s.arg(pocet).arg(kPocetPoli));
        return r;
    }
    const QStringList &f = r.polia;
    // The month is written without a leading zero: "03" is another month's row.
    if (f[kRok] != QString::number(rok) || f[kMesiac] != QString::number(mesiac))
        return r;
    r.tentoMesiac = true;
    try {
        r.osobne = MyConsts::Text_na_cele_cislo(f[kOsobneCislo]);
    } catch (const EMyError &e) {
        r.chyba = lineText(cislo, u"osobné číslo \"%1\": %2"_s.arg(f[kOsobneCislo], e.text()));
        return r;
    }
    for (const auto &[pole, ciel] : {std::pair{kDohodaOvp, &r.dohodaOvp}, std::pair{kDoplatok, &r.doplatok}}) {
        try {
            *ciel = Suma(f[pole]);
        } catch (const EMyError &e) {
            r.chyba = lineText(cislo, u"suma \"%1\": %2"_s.arg(f[pole], e.text()));
            return r;
        }
    }
    QString nastup = f[kNastup].trimmed();
    if (nastup.endsWith(u" 0:00:00"_s))
        nastup.chop(8);
    r.nastup = fmt::parseDate(nastup);
    if (!nastup.trimmed().isEmpty() && !r.nastup.isValid()) {
        r.chyba = lineText(cislo, u"dátum nástupu \"%1\" nie je dátum"_s.arg(f[kNastup]));
        return r;
    }
    const QString sid = f[kStredisko].trimmed();
    bool ok = true;
    const int cisloStrediska = sid.isEmpty() ? 0 : sid.toInt(&ok);
    if (!ok) {
        r.chyba = lineText(cislo, u"stredisko \"%1\": %2"_s.arg(sid, Msg(65194)));
        return r;
    }
    r.stredisko = cisloStrediska == 0 ? 1 : cisloStrediska;
    QString nazov;
    if (!core::DM().Nazov_strediska(r.stredisko, nazov)) {
        r.chyba = lineText(cislo, Msg(65032));
        return r;
    }
    if (cisloStrediska >= 1 && cisloStrediska <= 99)
        r.oznacene = cisloStrediska;
    return r;
}

QList<Riadok> readFile(const QByteArray &subor, int obdobie)
{
    QList<Riadok> riadky;
    int cislo = 0;
    for (QByteArray line : subor.split('\n')) {
        ++cislo;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        riadky.push_back(readLine(cislo, line, obdobie / 100, obdobie % 100));
    }
    return riadky;
}

QString costCenterList(const QList<Riadok> &riadky)
{
    std::set<int> strediska;
    for (const Riadok &r : riadky)
        if (r.tentoMesiac && r.chyba.isEmpty() && r.oznacene != 0)
            strediska.insert(r.oznacene);
    QStringList out;
    for (int s : strediska)
        out << QString::number(s);
    return out.join(u',');
}

QString errorLine(const Riadok &r, const QString &text)
{
    return u"Os.číslo: "_s + MyConsts::Dopln_sprava(r.polia.value(kOsobneCislo), 6, u' ') + text;
}

// Replaces an event of a dataset for the scope and puts the old one back.
class NahradenaUdalost {
public:
    NahradenaUdalost(db::DataSet::Event &slot, db::DataSet::Event udalost) : m_slot(slot), m_povodna(slot)
    {
        m_slot = std::move(udalost);
    }
    ~NahradenaUdalost() { m_slot = std::move(m_povodna); }
    NahradenaUdalost(const NahradenaUdalost &) = delete;
    NahradenaUdalost &operator=(const NahradenaUdalost &) = delete;

private:
    db::DataSet::Event &m_slot;
    db::DataSet::Event m_povodna;
};

// The import's own question of the employee module (a new employee whose birth number is
// known already, 65049), asked for every row before the transaction begins.
void birthNumberQuestions(QList<Riadok> &riadky, db::Session &s)
{
    for (Riadok &r : riadky) {
        if (!r.tentoMesiac || !r.chyba.isEmpty())
            continue;
        const QString rc = MyConsts::Odstran_lomky_a_medzery(r.polia[kRodneCislo]);
        if (rc.isEmpty())
            continue;
        if (s.run(u"select 1 from \":tarix_data:zam\" where code_numb = :n"_s, {{"n", r.osobne}}).rowCount() > 0)
            continue;
        const db::SqlResult z = s.run(u"select code_numb, surname, name from \":tarix_data:zam\" "
                                      "where replace(replace(born_numb, '/', ''), ' ', '') = :p order by code_numb"_s,
                                      {{"p", rc}});
        if (z.rowCount() == 0)
            continue;
        const QString meno = z.asString(0, 1).trimmed() + u' ' + z.asString(0, 2).trimmed();
        r.odmietnuty = !MyConsts::Otazka_ano_nie(Msg(65049, rc, z.text(0, 0), meno));
    }
}

// Whether a failure belongs to its row (listed, the row skipped) rather than to the
// database (the whole import ends with nothing stored).
bool lineError(const std::exception_ptr &e)
{
    try {
        std::rethrow_exception(e);
    } catch (const db::RequiredFieldError &) {
        return true;
    } catch (const db::FieldValueError &) {
        return true;
    } catch (const db::KeyViolation &) {
        return true;
    } catch (const db::RecordChangedError &) {
        return true;
    } catch (const db::DbError &) {
        return false;
    } catch (const EMyError &) {
        return true;
    } catch (const EAbort &) {
        return true;
    } catch (...) {
        return false;
    }
}

QString errorMessage(const std::exception_ptr &e)
{
    try {
        std::rethrow_exception(e);
    } catch (const EMyError &x) {
        return x.text();
    } catch (const EAbort &) {
        return u"Spracovanie riadku bolo prerušené."_s;
    } catch (const std::exception &x) {
        return QString::fromUtf8(x.what());
    } catch (...) {
        return u"Neznáma chyba."_s;
    }
}

class Import {
public:
    Import(const QList<Riadok> &riadky, int obdobie, const QString &strediska)
        : m_riadky(riadky), m_obdobie(obdobie), m_strediska(strediska), m_dmz(core::DMZ()), m_dmv(payroll::DMV()),
          m_session(m_dmv.TVYP_.session())
    {
    }

    // The deletion and every row in one transaction; a database error raises with
    // nothing stored.
    void Spusti(Vysledok &v)
    {
        db::Table &zam = m_dmz.TZAM_;
        db::Table &vyp = m_dmv.TVYP_;
        if (!zam.isActive())
            zam.open();
        if (!vyp.isActive())
            vyp.open();
        zam.checkBrowseMode();
        vyp.checkBrowseMode();
        db::CursorStateGuard zamKurzor(zam);
        db::CursorStateGuard vypKurzor(vyp);
        zam.setFiltered(false);
        vyp.setFiltered(false);
        vyp.setIndexName(QString());

        struct Rezim {
            payroll::TDMV &dmv;
            explicit Rezim(payroll::TDMV &d) : dmv(d) { dmv.Rezim_importu = true; }
            ~Rezim()
            {
                dmv.Rezim_importu = false;
                // As when no payroll screen is open: a new payroll follows the employee table.
                dmv.setEmployee(0, 0);
            }
        } rezim(m_dmv);
        // The questions of a new employee were asked before the transaction began.
        NahradenaUdalost otazky(zam.beforePostQuestions, [this](db::DataSet &) {
            if (m_aktualny && m_aktualny->odmietnuty)
                throw EMyError(u"Zamestnanec s rovnakým rodným číslom už je v databáze; riadok nebol uložený."_s);
        });

        db::Transaction tx(&m_session);
        payroll::BatchScope davka(m_dmv);
        if (!m_strediska.isEmpty()) {
            // The payrolls go with their deductions and piece-work items, as a deleted payroll does.
            const db::Params p{{"p", m_obdobie}};
            const QString vybrane = u"select code_emp from \":tarix_data:vyp\" where v_obdobie = :p and sid in ("_s
                                    + m_strediska + u')';
            m_session.execute(u"delete from \":tarix_data:zrv\" where v_obdobie = :p and code_emp in ("_s + vybrane
                                  + u')',
                              p);
            m_session.execute(u"delete from \":tarix_data:hsu\" where v_obdobie = :p and code_emp in ("_s + vybrane
                                  + u')',
                              p);
            m_session.execute(u"delete from \":tarix_data:vyp\" where v_obdobie = :p and sid in ("_s + m_strediska
                                  + u')',
                              p);
            vyp.refresh();
        }

        int pocet = 0;
        for (const Riadok &r : m_riadky)
            if (r.tentoMesiac)
                ++pocet;
        int hotove = 0;
        for (const Riadok &r : m_riadky) {
            if (!r.tentoMesiac)
                continue;
            if (!r.chyba.isEmpty())
                v.chyby << errorLine(r, u"chyba: "_s + r.chyba);
            else
                Importuj_riadok(r, v);
            ++hotove;
            MyConsts::Zobraz_priebeh(std::min(99, hotove * 100 / std::max(1, pocet)));
        }
        tx.commit();
    }

private:
    void Importuj_riadok(const Riadok &r, Vysledok &v)
    {
        db::Table &zam = m_dmz.TZAM_;
        db::Table &vyp = m_dmv.TVYP_;
        m_aktualny = &r;
        QStringList chyby;
        try {
            // The employee and his payroll are stored together or not at all.
            db::Transaction riadok(&m_session);
            {
                db::EditGuard gz(zam);
                db::EditGuard gv(vyp);
                Zamestnanec(r, chyby);
                Vyplata(r);
            }
            riadok.commit();
            ++v.importovane;
            v.chyby << chyby;
        } catch (...) {
            const std::exception_ptr e = std::current_exception();
            if (!lineError(e))
                throw;
            v.chyby << errorLine(r, u"chyba: "_s + errorMessage(e));
        }
        m_aktualny = nullptr;
    }

    void Zamestnanec(const Riadok &r, QStringList &chyby)
    {
        db::Table &zam = m_dmz.TZAM_;
        const QStringList &f = r.polia;
        if (m_dmz.Najdi_osobne_cislo(r.osobne))
            zam.edit();
        else
            zam.append();
        const auto set = [&](const char *pole, const QVariant &hodnota) {
            zam.fieldByName(QString::fromLatin1(pole)).setValue(hodnota);
        };
        set("Code_numb", r.osobne);
        set("Name", f[kMeno]);
        set("Surname", f[kPriezvisko]);
        set("Tp_street", f[kUlica]);
        set("Tp_city", f[kObec]);
        set("Tp_zip", f[kPsc]);
        set("Nastup", r.nastup.isValid() ? QVariant(r.nastup) : QVariant());
        const bool nezdanitelne = f[kNezdanitelne] != u"0"_s;
        set("VYHL", nezdanitelne);
        const QString kzp = MyConsts::Odstran_uvodzovky(f[kZdravotnaPoistovna]).trimmed();
        set("KZP", kzp.isEmpty() ? 0 : MyConsts::Text_na_cele_cislo(kzp));
        set("Born_numb", MyConsts::Odstran_lomky_a_medzery(f[kRodneCislo]));
        set("Spor_plat", f[kSporenie] == u"0"_s ? 0 : 1);
        set("SID", r.stredisko);
        set("Zamestnanie", u"neuvedená"_s);
        set("Fz_hlavne", false);
        set("U_sviatky", false);
        for (const char *pole : {"U_zdrav", "U_nemoc", "U_dochod", "U_fondzam", "U_invalid", "U_garancne", "U_rezerva"})
            set(pole, 0);
        set("U_uraz", 1);
        // A survey-taker has no holiday entitlement; a new card needs the two values.
        for (const char *pole : {"Holiday", "Holiday_old"})
            if (zam.fieldByName(QString::fromLatin1(pole)).isNull())
                set(pole, 0);

        // The account: a bad one is listed and stored as the check leaves it.
        QString predcislie, cislo;
        try {
            const MyConsts::SplitAccount u = MyConsts::Rozloz_cislo_uctu(f[kUcet]);
            predcislie = u.predcislie;
            cislo = u.cislo;
            if (predcislie == u"000000"_s && cislo == u"0000000000"_s)
                chyby << errorLine(r, u"chybné číslo účtu"_s);
        } catch (const EMyError &e) {
            chyby << errorLine(r, u"chyba: "_s + e.text());
        }
        set("Predcislo_u", predcislie);
        set("Cislo_u", cislo);
        set("Banka_u", f[kBanka]);
        set("SSym_u", f[kSpecifickySymbol]);
        zam.post();
    }

    void Vyplata(const Riadok &r)
    {
        db::Table &zam = m_dmz.TZAM_;
        db::Table &vyp = m_dmv.TVYP_;
        const int codeEmp = zam.fieldByName(u"Code_emp"_s).asInt();
        m_dmv.setEmployee(r.osobne, codeEmp);
        // Narrowed to the one payroll: finding and storing it costs the same in any month.
        vyp.setRangeEquals({codeEmp, m_obdobie});
        vyp.append();
        const bool nezdanitelne = r.polia[kNezdanitelne] != u"0"_s;
        vyp.fieldByName(u"N_dohody_ovp"_s).setValue(r.dohodaOvp);
        vyp.fieldByName(u"N_doplatok"_s).setValue(r.doplatok);
        vyp.fieldByName(u"U_nezdc"_s).setValue(nezdanitelne);
        vyp.fieldByName(u"VYNIMKA_VZ"_s).setValue(u"6"_s);
        const bool zrazkou = !nezdanitelne && !(r.dohodaOvp > MyConsts::Parametre(31).Hodnota);
        vyp.fieldByName(u"Dan_vyrovnana"_s).setValue(zrazkou ? 1 : 0);
        if (m_obdobie >= 200608) {
            vyp.fieldByName(u"U_garancne"_s).setValue(1);
            vyp.fieldByName(u"Rezerva1"_s).setValue(1.0);
        }
        vyp.post();
    }

    const QList<Riadok> &m_riadky;
    int m_obdobie;
    QString m_strediska;
    core::TDMZ &m_dmz;
    payroll::TDMV &m_dmv;
    db::Session &m_session;
    const Riadok *m_aktualny = nullptr;
};

} // namespace

QString Vstupny_subor(int obdobie)
{
    return QString::number(obdobie / 100 % 100).rightJustified(2, u'0')
           + QString::number(obdobie % 100).rightJustified(2, u'0') + u".txt"_s;
}

QString surveyErrorFile(int obdobie)
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramOutputs) + u"chyby1_"_s + QString::number(obdobie)
           + u".txt"_s;
}

QString costCenters(const QByteArray &subor, int obdobie) { return costCenterList(readFile(subor, obdobie)); }

Vysledok mnu_imp2Click()
{
    Vysledok v;
    core::TDM &dm = core::DM();
    payroll::TDMV &dmv = payroll::DMV();
    const int obdobie = dm.Aktualne_obdobie();
    const QString vstup = shell::findCaseInsensitive(core::appPaths().importFolder + Vstupny_subor(obdobie));

    // A closed month is refused before anything is read or asked.
    const QDate uzavierka = dmv.closingDate();
    const int obdobieUzavierky = MyConsts::Obdobie_z_datumu(uzavierka);
    if (obdobieUzavierky != 0 && obdobieUzavierky >= obdobie) {
        MyConsts::Sprava_chyba(Msg(65134, fmt::shortDate(uzavierka)));
        return v;
    }
    if (!MyConsts::Otazka_ano_nie(Msg(65155, vstup)))
        return v;
    QFile file(vstup);
    if (!QFileInfo(vstup).isFile()) {
        MyConsts::Sprava_informacia(Msg(65129, vstup));
        return v;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        MyConsts::Sprava_chyba(shell::EFileOpenError(vstup).text());
        return v;
    }
    const QByteArray obsah = file.readAll();
    file.close();

    QList<Riadok> riadky = readFile(obsah, obdobie);
    const QString strediska = costCenterList(riadky);
    if (!strediska.isEmpty()
        && !MyConsts::Otazka_ano_nie(Msg(65156, obdobie % 100, obdobie / 100, strediska)))
        return v;
    db::Session &session = dmv.TVYP_.session();
    birthNumberQuestions(riadky, session);

    v.spustene = true;
    QString zrusenie;
    {
        ui::ProgressScope priebeh;
        MyConsts::Zobraz_priebeh(0);
        try {
            Import(riadky, obdobie, strediska).Spusti(v);
        } catch (...) {
            v.zrusene = true;
            v.importovane = 0;
            zrusenie = errorMessage(std::current_exception()) + u"\nImport bol zrušený, žiadna výplata nebola zmenená."_s;
            v.chyby << u"chyba: "_s + QString(zrusenie).replace(u'\n', u' ');
        }
        MyConsts::Zobraz_priebeh(100);
    }
    if (core::hasDMZ() && core::DMZ().TZAM_.isActive())
        core::DMZ().TZAM_.refresh();

    const QString chybovy = surveyErrorFile(obdobie);
    QStringList lines{u"NAČÍTANIE ÚDAJOV O ANKETÁROCH - ZOZNAM CHÝB"_s, QString(43, u'-')};
    lines << v.chyby;
    bool chybovyZapisany = false;
    try {
        QDir().mkpath(QFileInfo(chybovy).absolutePath());
        shell::writeFileAtomically(chybovy, codepage::cp1250TextFileBytes(lines, codepage::Mode::Lenient));
        chybovyZapisany = true;
    } catch (const EMyError &) {
        MyConsts::Sprava_chyba(Msg(65123, chybovy));
    }
    if (v.zrusene) {
        MyConsts::Sprava_chyba(zrusenie);
        return v;
    }
    if (v.chyby.isEmpty())
        MyConsts::Sprava_informacia(Msg(65154, v.importovane));
    else if (chybovyZapisany) // a list that could not be written is not opened (65123 said so)
        ShellUtils::ShellOpenFile(chybovy, QString(), QFileInfo(chybovy).absolutePath());
    return v;
}

} // namespace tarix::filings::survey_import
