#include "filings/payment_orders.h"

#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/number_format.h"
#include "platform/shell/launcher.h"
#include "platform/ui/user_interface.h"
#include "reports/recap/rexnz.h"
#include "reports/report_param.h"

#include <QDir>
#include <QSet>

namespace tarix::filings {

using namespace Qt::StringLiterals;

namespace {

// Part a: the amounts owed to institutions, as the cost recapitulation left them in nakl,
// paid to the payees' accounts of cis_bu.
const QString kQ0A =
    u"select '3' poradie, x.suma sporenie, '      ' predcislo_u, y.cislo_u, y.banka_u, y.ssym_u, y.ksym, "
    u"y.vsym, y.buid_typ, y.buid_kod, x.text from \":tarix_priv:nakl\" x,cis_bu y "
    u"where x.ident_symbol=y.buid_typ and x.ident_cislo=y.buid_kod and x.suma > 0 and y.cislo_u <> '' "
    u"order by x.riadok"_s;
// Parts b and d: the employees' payroll records of the period and centre range.
const QString kQ0B =
    u"select '1' poradie, v.sporenie, z.predcislo_u, z.cislo_u, z.banka_u, z.ssym_u, z.ksym_u ksym, "
    u"z.vsym_u vsym, v.ne_zaloha, z.born_numb born_numb, z.surname, z.name, z.code_numb from vyp v,zam z "
    u"where v.code_emp=z.code_emp and v.v_obdobie = :p1 and v.sid between :p2 and :p3 "
    u"order by z.code_numb, v.code_emp"_s;
// Part c: the deductions of the period sent to third parties, of the employees whose payroll
// record of the period lies in the centre range (one record per employee and period, so
// the range is asked once rather than joined row by row).
const QString kQ0C =
    u"select '2' poradie, v.vypocitana_suma suma, v.predcislo_u, v.cislo_u, v.banka_u, v.ssym_u, v.ksym, "
    u"v.vsym, z.surname, z.name, v.poznamka pozn, z.code_numb from zrv v,zam z "
    u"where v.code_emp=z.code_emp and v.v_obdobie = :p1 "
    u"and v.code_emp in (select x.code_emp from vyp x where x.v_obdobie = :p1 and x.sid between :p2 and :p3) "
    u"and v.vypocitana_suma > 0 and v.cislo_u <> '' order by z.code_numb, v.code_emp, v.zrid"_s;

// Widths of the item's fields in Hp2.
constexpr int kDlzkaUctu = 20;
constexpr int kDlzkaBanky = 4;
constexpr int kDlzkaSymbolu = 10;
constexpr int kDlzkaKsym = 4;

QString columnText(const db::SqlResult &r, int row, const QString &column)
{
    return db::variantToString(r.value(row, column));
}

double columnNumber(const db::SqlResult &r, int row, const QString &column)
{
    return db::variantToDouble(r.value(row, column));
}

QString ucet(const QString &predcislo, const QString &cislo)
{
    return MyConsts::Prazdny_na_nulu(MyConsts::Spoj_s_pomlckou(predcislo.trimmed(), cislo.trimmed()));
}

QString employeeSource(const db::SqlResult &r, int row)
{
    return u"os.č. "_s + columnText(r, row, u"code_numb"_s) + u' '
           + MyConsts::Spoj_tri_texty(columnText(r, row, u"surname"_s), columnText(r, row, u"name"_s), QString());
}

// The variable symbol of parts b and d: the birth number without "/", the typed symbol, or
// the part's own fallback.
QString employeeVsym(const Parametre_hp &volby, const QString &rodneCislo, const QString &nahradny)
{
    if (volby.vsym_rc)
        return MyConsts::Odstran_lomky_a_medzery(rodneCislo).left(kDlzkaSymbolu);
    if (!volby.vsym.trimmed().isEmpty())
        return volby.vsym;
    return nahradny;
}

void castA(db::Session &s, int obdobie, std::vector<BulkOrderItem> &out)
{
    const db::SqlResult r = s.run(kQ0A, {}, QString::fromLatin1(core::kAliasData));
    const int mesiac = obdobie % 100;
    for (int i = 0; i < r.rowCount(); ++i) {
        BulkOrderItem p;
        p.suma = columnNumber(r, i, u"sporenie"_s);
        p.cislo_u = MyConsts::Prazdny_na_nulu(columnText(r, i, u"cislo_u"_s));
        p.banka_u = MyConsts::Prazdny_na_nulu(columnText(r, i, u"banka_u"_s));
        // The liability insurer is paid by the quarter: the quarter's digit and the year.
        if (columnText(r, i, u"buid_typ"_s) == u"P" && obdobie >= 200201)
            p.ssym = QString::number(mesiac / 3) + QString::number(obdobie / 100);
        else
            p.ssym = columnText(r, i, u"ssym_u"_s);
        p.ksym = columnText(r, i, u"ksym"_s);
        p.vsym = columnText(r, i, u"vsym"_s);
        p.zdroj = u"prevod poistného a dane \""_s + columnText(r, i, u"text"_s).trimmed() + u"\" ("_s
                  + columnText(r, i, u"buid_typ"_s) + u' ' + columnText(r, i, u"buid_kod"_s) + u')';
        out.push_back(std::move(p));
    }
}

void bankDataParts(const db::SqlResult &r, int obdobie, const Parametre_hp &volby, bool zalohy, const QString &ksymFirmy,
             std::vector<BulkOrderItem> &out)
{
    const QString mmrr = MyConsts::Dopln_zlava(QString::number(obdobie % 100), 2, u'0')
                         + MyConsts::Dopln_zlava(QString::number(obdobie / 100 % 100), 2, u'0');
    const QString pole = zalohy ? u"ne_zaloha"_s : u"sporenie"_s;
    for (int i = 0; i < r.rowCount(); ++i) {
        const double suma = columnNumber(r, i, pole);
        if (!(suma > 0))
            continue;
        BulkOrderItem p;
        p.suma = suma;
        p.cislo_u = ucet(columnText(r, i, u"predcislo_u"_s), columnText(r, i, u"cislo_u"_s));
        p.banka_u = MyConsts::Prazdny_na_nulu(columnText(r, i, u"banka_u"_s));
        const QString ksym = columnText(r, i, u"ksym"_s);
        if (zalohy) {
            p.ssym = columnText(r, i, u"ssym_u"_s);
            p.ksym = ksym.trimmed().isEmpty() ? ksymFirmy : ksym;
            p.vsym = employeeVsym(volby, columnText(r, i, u"born_numb"_s), columnText(r, i, u"vsym"_s));
            p.zdroj = u"záloha, "_s + employeeSource(r, i);
        } else {
            p.ssym = volby.mena ? (columnText(r, i, u"surname"_s).trimmed() + u' ' + columnText(r, i, u"name"_s).trimmed())
                                      .left(kDlzkaSymbolu)
                                      .trimmed()
                                : columnText(r, i, u"ssym_u"_s);
            p.ksym = ksym.trimmed().isEmpty() ? u"0138"_s : ksym;
            p.vsym = employeeVsym(volby, columnText(r, i, u"born_numb"_s), mmrr);
            p.zdroj = u"výplata, "_s + employeeSource(r, i);
        }
        out.push_back(std::move(p));
    }
}

void castC(db::Session &s, int obdobie, int sidOd, int sidDo, std::vector<BulkOrderItem> &out)
{
    const db::SqlResult r =
        s.run(kQ0C, {{u"p1"_s, obdobie}, {u"p2"_s, sidOd}, {u"p3"_s, sidDo}}, QString::fromLatin1(core::kAliasData));
    for (int i = 0; i < r.rowCount(); ++i) {
        BulkOrderItem p;
        p.suma = columnNumber(r, i, u"suma"_s);
        p.cislo_u = ucet(columnText(r, i, u"predcislo_u"_s), columnText(r, i, u"cislo_u"_s));
        p.banka_u = MyConsts::Prazdny_na_nulu(columnText(r, i, u"banka_u"_s));
        p.ssym = columnText(r, i, u"ssym_u"_s);
        p.ksym = columnText(r, i, u"ksym"_s);
        p.vsym = columnText(r, i, u"vsym"_s);
        p.zdroj = u"zrážka, "_s + employeeSource(r, i);
        out.push_back(std::move(p));
    }
}

// Why the item cannot be stored in Hp2; empty when it can. Texts are never cut: a shortened
// account would send the money elsewhere.
QString itemError(const BulkOrderItem &p)
{
    const struct {
        const char16_t *nazov;
        const QString &hodnota;
        int dlzka;
    } polia[] = {{u"číslo účtu", p.cislo_u, kDlzkaUctu},     {u"banka účtu", p.banka_u, kDlzkaBanky},
                 {u"špecifický symbol", p.ssym, kDlzkaSymbolu}, {u"konštantný symbol", p.ksym, kDlzkaKsym},
                 {u"variabilný symbol", p.vsym, kDlzkaSymbolu}};
    for (const auto &pole : polia)
        if (pole.hodnota.size() > pole.dlzka)
            return QString::fromUtf16(pole.nazov) + u" \""_s + pole.hodnota + u"\" je dlhší ako "_s
                   + QString::number(pole.dlzka) + u" znakov"_s;
    return {};
}

void saveItems(db::Session &s, int hpid, const std::vector<BulkOrderItem> &polozky)
{
    db::Transaction tr(&s);
    // The header may have been deleted by another program since the window showed it.
    const db::SqlResult hlavicka =
        s.run(u"select count(*) from \":tarix_data:hp1\" where hpid=:p1"_s, {{u"p1"_s, hpid}});
    if (!hlavicka.rowCount() || hlavicka.asInteger(0, 0) == 0)
        throw EMyError(Msg(65127));
    s.execute(u"delete from \":tarix_data:hp2\" where hpid=:p1"_s, {{u"p1"_s, hpid}});
    const QString insert = u"insert into \":tarix_data:hp2\" (hpid, suma, cislo_u, banka_u, ssym, ksym, vsym) "
                           u"values (:p1, :p2, :p3, :p4, :p5, :p6, :p7)"_s;
    for (const BulkOrderItem &p : polozky) {
        const QString chyba = itemError(p);
        if (!chyba.isEmpty())
            throw EMyError(u"Položku hromadného príkazu nie je možné uložiť (%1): %2.\n"
                           u"Generovanie bolo zrušené, položky hromadného príkazu zostali bez zmeny."_s
                               .arg(p.zdroj, chyba));
        auto text = [](const QString &v) { return v.isEmpty() ? QVariant() : QVariant(v); };
        s.execute(insert, {{u"p1"_s, hpid},
                           {u"p2"_s, p.suma},
                           {u"p3"_s, p.cislo_u},
                           {u"p4"_s, p.banka_u},
                           {u"p5"_s, text(p.ssym)},
                           {u"p6"_s, text(p.ksym)},
                           {u"p7"_s, text(p.vsym)}});
    }
    tr.commit();
}

} // namespace

std::vector<LeftOutLevy> leviesWithoutAccount(db::Session &session)
{
    // Each levy line with the number of its payee's rows that have an account.
    const db::SqlResult r = session.run(
        u"select x.text, x.suma, x.ident_symbol, (select count(*) from cis_bu y where y.buid_typ=x.ident_symbol "
        u"and y.buid_kod=x.ident_cislo and coalesce(y.cislo_u,'') <> '') ucty from \":tarix_priv:nakl\" x "
        u"where x.ident_symbol in ('D','E','F','P','S','U','X','Y','Z') order by x.riadok"_s,
        {}, QString::fromLatin1(core::kAliasData));
    QSet<QString> placene;
    for (int i = 0; i < r.rowCount(); ++i)
        if (r.asInteger(i, 3) > 0)
            placene.insert(r.asString(i, 2));
    // The tax office is paid either the total "D" or its two parts "E" and "F": a line is
    // left out only when the tax it carries goes by no other of them.
    const auto vynechane = [&](const QString &documentKind) {
        if (placene.contains(documentKind))
            return false;
        if (documentKind == u"D")
            return !placene.contains(u"E"_s) && !placene.contains(u"F"_s);
        if (documentKind == u"E" || documentKind == u"F")
            return !placene.contains(u"D"_s) && placene.contains(documentKind == u"E" ? u"F"_s : u"E"_s);
        return true;
    };
    std::vector<LeftOutLevy> out;
    for (int i = 0; i < r.rowCount(); ++i) {
        const double suma = r.asFloat(i, 1);
        if (suma > 0 && r.asInteger(i, 3) == 0 && vynechane(r.asString(i, 2)))
            out.push_back({r.asString(i, 0).trimmed(), suma});
    }
    return out;
}

QString leftOutLeviesText(const std::vector<LeftOutLevy> &levies)
{
    if (levies.empty())
        return {};
    QString text = u"Do hromadného príkazu neboli zaradené tieto odvody, lebo ich príjemca nemá "
                   u"v číselníku príjemcov platieb zadané číslo účtu:"_s;
    for (const LeftOutLevy &l : levies)
        text += u"\n    "_s + l.text + u": "_s + fmt::formatFloat(u"#,##0.00", l.amount) + u" Sk"_s;
    return text;
}

QStringList employeesWithoutAccount(db::Session &session, int obdobie)
{
    const db::SqlResult r = session.run(
        u"select z.code_numb from \":tarix_data:vyp\" v,\":tarix_data:zam\" z where v.v_obdobie=:p1 "
        u"and v.sporenie>0 and v.code_emp=z.code_emp and (z.cislo_u='0000000000' or z.cislo_u='') "
        u"order by z.code_numb"_s,
        {{u"p1"_s, obdobie}});
    QStringList out;
    for (int i = 0; i < r.rowCount(); ++i)
        out << r.asString(i, 0);
    return out;
}

bool Kontrola_uctov(db::Session &session, int obdobie, QString *subor)
{
    const QStringList chybni = employeesWithoutAccount(session, obdobie);
    if (chybni.isEmpty())
        return true;
    QStringList riadky{u"Hromadný príkaz nie je možné vygenerovať."_s, QString(),
                       u"Nie sú správne zadané čísla účtov na karte zamestnancov."_s, QString(),
                       u"Skontrolujte týchto zamestnancov :"_s, QString()};
    for (const QString &c : chybni)
        riadky << u"Os.číslo: "_s + c;
    const QString folder = MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramOutputs);
    QDir().mkpath(folder);
    const QString path = folder + u"chyby2_"_s + QString::number(obdobie) + u".txt"_s;
    codepage::writeCp1250TextFile(path, riadky);
    if (subor)
        *subor = path;
    ShellUtils::ShellOpenFile(path, QString(), folder);
    return false;
}

std::vector<BulkOrderItem> bulkOrderItems(db::Session &session, int obdobie, int sidOd, int sidDo,
                                                   const Parametre_hp &volby)
{
    std::vector<BulkOrderItem> out;
    if (volby.cast_a)
        castA(session, obdobie, out);
    if (volby.cast_b || volby.cast_d) {
        const db::SqlResult r = session.run(kQ0B, {{u"p1"_s, obdobie}, {u"p2"_s, sidOd}, {u"p3"_s, sidDo}},
                                            QString::fromLatin1(core::kAliasData));
        if (volby.cast_b)
            bankDataParts(r, obdobie, volby, false, QString(), out);
        if (volby.cast_d) {
            const db::SqlResult inf = session.run(u"select ksym_u from \":tarix_data:inf\""_s);
            bankDataParts(r, obdobie, volby, true, inf.rowCount() ? inf.asString(0, 0) : QString(), out);
        }
    }
    if (volby.cast_c)
        castC(session, obdobie, sidOd, sidDo, out);
    return out;
}

bool Generuj_polozky(db::Session &session, int hpid, int obdobie, int sidOd, int sidDo,
                     const std::function<std::optional<Parametre_hp>()> &volby)
{
    if (hpid < 1) {
        MyConsts::Sprava_chyba(Msg(65127));
        return false;
    }
    if (!Kontrola_uctov(session, obdobie))
        return false;
    const std::optional<Parametre_hp> zvolene = volby();
    if (!zvolene)
        return false;
    const Parametre_hp &v = *zvolene;
    if (!v.cast_a && !v.cast_b && !v.cast_c && !v.cast_d) {
        MyConsts::Sprava_chyba(Msg(65149));
        return false;
    }
    std::vector<LeftOutLevy> vynechane;
    try {
        ui::BusyCursorScope hodiny;
        if (v.cast_a) {
            reports::TMyReportParam p;
            p.Obdobie = p.Obdobie_od = p.Obdobie_do = obdobie;
            p.Stredisko_od = sidOd;
            p.Stredisko_do = sidDo;
            reports::REXNZ::Vypocet_rekapitulacie(session, p, true);
            vynechane = leviesWithoutAccount(session);
        }
        saveItems(session, hpid, bulkOrderItems(session, obdobie, sidOd, sidDo, v));
    } catch (const EAbort &) {
        return false;
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
        return false;
    }
    const QString chybajuce = leftOutLeviesText(vynechane);
    MyConsts::Sprava_upozornenie(chybajuce.isEmpty() ? Msg(65150) : Msg(65150) + u"\r\n\r\n"_s + chybajuce);
    return true;
}

} // namespace tarix::filings
