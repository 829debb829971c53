// Posting of last year's settlement results into the payrolls of the open period: the tax
// settlement (Rzp.Preplatok into D_vyrovnanie) and the health-insurance annual settlement
// (-X1 of the "VV" rows of Zp_univ into Vyrovnanie_zp). One UPDATE writes every result,
// the protocol compares what was computed with what the payroll now holds, and every
// payroll the UPDATE touched is recalculated so that its net pay carries the new result.
#include "payroll/dm_v.h"

#include "core/dm_main.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/myconsts.h"
#include "payroll/dm_vyp_internal.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/dates.h"
#include "platform/format/number_format.h"
#include "platform/shell/launcher.h"
#include "platform/ui/user_interface.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace tarix::payroll {

namespace {

// The amount as the protocol prints it: the shortest general form, decimal comma and no
// thousands separators.
QString protocolNumber(double v)
{
    return fmt::general(v, fmt::Style{QChar(u','), QChar()});
}

QStringList protocolHeading(bool zdravotne)
{
    return {zdravotne ? QStringLiteral("PROTOKOL O VÝSLEDKU ZAÚČTOVANIA PREPLATKOV/NEDOPL. ZDR.POIST. DO VÝPLATY")
                      : QStringLiteral("PROTOKOL O VÝSLEDKU ZAÚČTOVANIA PREPLATKOV/NEDOPLATKOV DANE DO VÝPLATY"),
            QStringLiteral(" "),
            QString(44, u' ') + QStringLiteral("Preplatok (+)  "),
            QString(44, u' ') + QStringLiteral("Nedoplatok(-)"),
            QStringLiteral("Os.č.   Priezvisko a meno              vypočítaný   zaúčtovaný   výsledok"),
            QStringLiteral("------- ------------------------------ ------------ ------------ ---------")};
}

QString periodName(int period)
{
    if (core::hasDM())
        return core::DM().Nazov_obdobia(false);
    return MyConsts::Nazov_mesiaca(period % 100, false) + u' ' + QString::number(period / 100);
}

} // namespace

QString TDMV::postingProtocol(int year)
{
    QString folder = core::appPaths().programFolder;
    if (folder.isEmpty())
        folder = QDir::currentPath() + u'/';
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder + QStringLiteral("vystupy/rzp") + QString::number(year) + QStringLiteral(".txt");
}

void TDMV::Zauctovanie_preplatkov_dane() { postOverpayments(false); }

void TDMV::Zauctovanie_preplatkov_zp() { postOverpayments(true); }

void TDMV::postOverpayments(bool zdravotne)
{
    db::Session &s = TVYP_.session();
    const int obdobie = detail::openPayrollPeriod(s);
    const int rokZuctovania = obdobie / 100 - 1;
    // The health settlement is kept under the year it is carried out in (the card and the
    // statements write it so): the open year.
    const int rokZaznamov = zdravotne ? obdobie / 100 : rokZuctovania;

    if (!MyConsts::Otazka_ano_nie(Msg(zdravotne ? 65087 : 65086)))
        return;
    if (!MyConsts::Otazka_ano_nie(Msg(zdravotne ? 65089 : 65088, periodName(obdobie), rokZuctovania)))
        return;

    // Settled payrolls stay as they are: nothing is written into a closed month.
    const QDate uzavierka = closingDate();
    const int obdobieUzavierky = MyConsts::Obdobie_z_datumu(uzavierka);
    if (obdobieUzavierky != 0 && obdobieUzavierky >= obdobie) {
        MyConsts::Sprava_chyba(Msg(65134, fmt::shortDate(uzavierka)));
        return;
    }

    const db::Params rok{{QStringLiteral("r"), rokZaznamov}};
    if (zdravotne) {
        // Two results of one employee would post an arbitrary one of them.
        const db::SqlResult dvojite = s.run(
            QStringLiteral("select u.code_emp, z.code_numb, z.title, z.name, z.surname "
                           "from \":tarix_data:zp_univ\" u left join \":tarix_data:zam\" z on z.code_emp = u.code_emp "
                           "where u.v_rok = :r and u.typ = 'VV' group by u.code_emp, z.code_numb, z.title, "
                           "z.name, z.surname having count(*) > 1 order by u.code_emp"),
            rok);
        if (dvojite.rowCount() > 0) {
            const QString meno = MyConsts::Cele_meno(dvojite.asString(0, 2), dvojite.asString(0, 3),
                                                     dvojite.asString(0, 4));
            MyConsts::Sprava_chyba(
                QStringLiteral("Zamestnanec %1 (os. č. %2) má za rok %3 viac ročných zúčtovaní "
                               "zdravotného poistenia. Zaúčtovanie bolo zastavené, žiadna výplata "
                               "nebola zmenená.")
                    .arg(meno.isEmpty() ? QString::number(dvojite.asInteger(0, 0)) : meno,
                         QString::number(dvojite.asInteger(0, 1)), QString::number(rokZaznamov)));
            return;
        }
    }

    std::optional<ui::BusyCursorScope> hodiny(std::in_place);
    const QString subor = postingProtocol(rokZuctovania);
    QDir().mkpath(QFileInfo(subor).absolutePath());

    const QString cP = QStringLiteral("v_obdobie=") + QString::number(obdobie);
    const QString cR = QStringLiteral("v_rok=") + QString::number(rokZaznamov);
    if (zdravotne) {
        s.execute(QStringLiteral("update \":tarix_data:vyp\" set vyrovnanie_zp=(select -X1 preplatok from "
                                 "\":tarix_data:zp_univ\" where ")
                  + cR + QStringLiteral(" and code_emp=vyp.code_emp and typ='VV') where ") + cP
                  + QStringLiteral(" and exists (select 1 from \":tarix_data:zp_univ\" where ") + cR
                  + QStringLiteral(" and code_emp=vyp.code_emp and typ='VV');"));
    } else {
        s.execute(QStringLiteral("update \":tarix_data:vyp\" set d_vyrovnanie=(select max(preplatok) from "
                                 "\":tarix_data:rzp\" where ")
                  + cR + QStringLiteral(" and code_emp=vyp.code_emp) where ") + cP
                  + QStringLiteral(" and exists (select 1 from \":tarix_data:rzp\" where ") + cR
                  + QStringLiteral(" and code_emp=vyp.code_emp);"));
    }

    const db::SqlResult r = zdravotne
        ? s.run(QStringLiteral("select zam.code_numb,zam.surname,zam.name,zam.title,-univ.X1 preplatok,"
                               "vyrovnanie_zp,vyp.code_emp from \":tarix_data:zp_univ\" univ "
                               "LEFT OUTER JOIN \":tarix_data:vyp\" vyp ON vyp.code_emp=univ.code_emp AND vyp.")
                + cP + QStringLiteral(" JOIN \":tarix_data:zam\" zam ON zam.code_emp=univ.code_emp where univ.")
                + cR + QStringLiteral(" and univ.typ='VV' order by univ.code_emp;"))
        : s.run(QStringLiteral("select zam.code_numb,zam.surname,zam.name,zam.title,rzp.preplatok,"
                               "d_vyrovnanie,vyp.code_emp from \":tarix_data:rzp\" rzp "
                               "LEFT OUTER JOIN \":tarix_data:vyp\" vyp ON vyp.code_emp=rzp.code_emp AND vyp.")
                + cP + QStringLiteral(" JOIN \":tarix_data:zam\" zam ON zam.code_emp=rzp.code_emp where rzp.")
                + cR + QStringLiteral(" order by rzp.code_emp;"));

    QStringList riadky = protocolHeading(zdravotne);
    const int n = r.rowCount();
    int chyby = 0;
    {
        ui::ProgressScope progress;
        MyConsts::Zobraz_priebeh(0);
        for (int i = 0; i < n; ++i) {
            MyConsts::Zobraz_priebeh(qRound(double(i + 1) / n * 100));
            const double vypocitany = r.asFloat(i, 4);
            QString riadok = MyConsts::Dopln_zlava(QString::number(r.asInteger(i, 0)), 7, u' ') + u' '
                             + MyConsts::Dopln_sprava(MyConsts::Spoj_tri_texty(r.asString(i, 1), r.asString(i, 2),
                                                                               r.asString(i, 3)),
                                                      30, u' ')
                             + u' ' + MyConsts::Dopln_zlava(protocolNumber(vypocitany), 12, u' ') + u' ';
            if (r.isNull(i, 6)) {
                riadok += MyConsts::Dopln_sprava(QStringLiteral("neex.výplata"), 12, u' ') + QStringLiteral(" CHYBA");
                ++chyby;
            } else {
                const double zauctovany = r.asFloat(i, 5);
                riadok += MyConsts::Dopln_zlava(protocolNumber(zauctovany), 12, u' ');
                if (zauctovany == vypocitany) {
                    riadok += QStringLiteral(" OK");
                } else {
                    riadok += QStringLiteral(" CHYBA");
                    ++chyby;
                }
            }
            riadky << riadok;
        }
        codepage::writeCp1250TextFile(subor, riadky, codepage::Mode::Lenient);
        MyConsts::Zobraz_priebeh(100);
    }

    if (n == 0) {
        hodiny.reset();
        MyConsts::Sprava_chyba(Msg(65090, rokZuctovania));
        return;
    }

    // Every payroll the UPDATE wrote, also one whose result is now 0.
    const QString dotknute = zdravotne
        ? QStringLiteral(" and exists (select 1 from \":tarix_data:zp_univ\" u where u.v_rok = :r "
                         "and u.code_emp = v.code_emp and u.typ = 'VV')")
        : QStringLiteral(" and exists (select 1 from \":tarix_data:rzp\" x where x.v_rok = :r "
                         "and x.code_emp = v.code_emp)");
    recomputeMonth(obdobie, dotknute, rok, false);
    hodiny.reset();

    if (chyby > 0)
        MyConsts::Sprava_chyba(Msg(zdravotne ? 65092 : 65091));
    ShellUtils::ShellOpenFile(subor, QString(), QString(), ShellUtils::SW_SHOWNORMAL);
}

} // namespace tarix::payroll
