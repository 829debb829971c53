#include "reports/lists/rekapitulacia_miezd.h"

#include "core/helpers/periods.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/db/sql_result.h"
#include "reports/report_param.h"

#include <QStringList>

namespace tarix::reports::wage_recap {

using namespace Qt::Literals::StringLiterals;

RecapRange requestRange(const TMyReportParam &p)
{
    RecapRange r;
    if (p.Obdobie_od == p.Obdobie_do) {
        r.obdobieOd = r.obdobieDo = p.Obdobie;
    } else {
        const int rok = p.Obdobie / 100;
        r.obdobieOd = rok * 100 + 1;
        r.obdobieDo = rok * 100 + 12;
    }
    r.strediskoOd = p.Stredisko_od;
    r.strediskoDo = p.Stredisko_do;
    return r;
}

namespace {

// The fields summed as they are.
const char *const kPolia[] = {
    "v_hodina", "v_plat", "n_priplat", "n_odmeny", "n_clenovia_organov", "n_pohotovost", "n_premie",
    "n_jednoraz1", "n_jednoraz2", "v_holiday", "n_holiday", "v_sviatok", "n_sviatok", "vh_nahrada", "n_nahrada",
    "vh_nemohol", "n_nemohol", "v_nahrada_pn1", "v_nahrada_pn2", "n_nahrada_pn", "n_mimo_poistne",
    "vyrovnanie_zp", "n_dohody_ovp", "n_dohody_opc", "n_socfond", "n_odstupne", "n_brutto", "n_poist1",
    "n_poist3", "dopravne", "dopravne_mimoriadne", "n_ddp", "nz_ddp", "pouz_auto", "zvys_ostatne", "d_ciastzd",
    "nc_minimum", "nc_deti", "nc_ine", "d_zdanmzda1", "d_zdanmzda3", "d_zdanmzda2", "d_preddavok1",
    "d_preddavok3", "d_preddavok", "d_dan", "d_bonus_cerpany", "d_vyrovnanie",
    "vh_nadcas", "vp_nadcas", "vh_sobota", "vp_sobota", "vh_nedela", "vp_nedela", "vh_sviatok", "vp_sviatok",
    "vh_noc", "vp_noc", "vh_skod", "vp_skod", "vh_priplat1", "vp_priplat1", "vh_priplat2", "vp_priplat2",
    "vh_priplat3", "vp_priplat3", "vh_priplat4", "vp_priplat4", "vh_priplat5", "vp_priplat5",
    "o_zdravot", "o_nemoc", "o_dochod", "o_fondzam", "o_invalid", "n_poist", "n_pn1", "n_pn2", "n_ocr",
    "nd_materska", "nd_rodic", "nd_pridavky", "nd_ine", "nd_spolu", "n_doplatok", "n_oslobodeny", "n_netto",
    "sporenie", "ne_stravne", "ne_poistovna", "ne_pozicky", "ne_odborar", "ne_exekucia", "ne_zaloha", "vyplata",
};

// The computed sums: name and the per-record value (a blank counts as 0).
struct Vypocet {
    const char *name;
    const char *sql;
};
const Vypocet kVypocty[] = {
    {"calc_brutto_dohody", "case when v.dan_vyrovnana = 1 then ifnull(v.n_brutto, 0) else 0 end"},
    {"calc_dan_nedoplatok", "case when v.d_vyrovnanie < 0 then -v.d_vyrovnanie else 0 end"},
    {"calc_dan_preplatok", "case when v.d_vyrovnanie >= 0 then v.d_vyrovnanie else 0 end"},
    {"calc_zrazky", "ifnull(v.sporenie, 0) + ifnull(v.ne_stravne, 0) + ifnull(v.ne_poistovna, 0) + "
                    "ifnull(v.ne_pozicky, 0) + ifnull(v.ne_odborar, 0) + ifnull(v.ne_exekucia, 0) + "
                    "ifnull(v.ne_zaloha, 0)"},
};

const QString &sumsText()
{
    static const QString text = [] {
        QStringList s{u"select count(*) pocet"_s};
        for (const char *f : kPolia)
            s << u", sum(v.%1) %1"_s.arg(QString::fromLatin1(f));
        for (const Vypocet &v : kVypocty)
            s << u", sum(%1) %2"_s.arg(QString::fromLatin1(v.sql), QString::fromLatin1(v.name));
        s << u"from vyp v,zam z"_s
          << u"where v.v_obdobie between :p1 and :p1x and v.sid between :p2 and :p3 and z.code_emp=v.code_emp"_s;
        return s.join(u'\n');
    }();
    return text;
}

db::Params Parametre(int obdobie, int strediskoOd, int strediskoDo)
{
    return {{u"p1"_s, obdobie}, {u"p2"_s, strediskoOd}, {u"p3"_s, strediskoDo}};
}

double firstNumber(const db::SqlResult &r) { return r.rowCount() ? r.asFloat(0, 0) : 0; }

} // namespace

const QStringList &sumFields()
{
    static const QStringList polia = [] {
        QStringList p;
        for (const char *f : kPolia)
            p << QString::fromLatin1(f);
        for (const Vypocet &v : kVypocty)
            p << QString::fromLatin1(v.name);
        return p;
    }();
    return polia;
}

Sumy wageRecap(db::Session &session, const RecapRange &rozsah)
{
    db::Params params{{u"p1"_s, rozsah.obdobieOd},
                      {u"p1x"_s, rozsah.obdobieDo},
                      {u"p2"_s, rozsah.strediskoOd},
                      {u"p3"_s, rozsah.strediskoDo}};
    const db::SqlResult r = session.run(sumsText(), params, core::kAliasData);
    Sumy s;
    s.pocet = r.rowCount() ? int(r.asInteger(0, 0)) : 0;
    const QStringList &polia = sumFields();
    for (int i = 0; i < polia.size(); ++i)
        s.hodnoty.insert(polia[i], r.rowCount() ? r.asFloat(0, i + 1) : 0.0);
    if (rozsah.isMonthly())
        s.d_dan_minula = lastMonthWithholdingTax(session, rozsah.obdobieOd, rozsah.strediskoOd,
                                                       rozsah.strediskoDo);
    return s;
}

// The settlements' arrears and overpayments of the records summed: columns of the month's
// sums too, so that a run needing all of them reads the month once.
const QString kArrears = u"-sum(case when d_vyrovnanie < 0 then d_vyrovnanie end) d_nedoplatok"_s;
const QString kOverpayments = u"sum(case when d_vyrovnanie > 0 then d_vyrovnanie end) d_preplatok"_s;

QString Text_Q1()
{
    return u"select sum(n_brutto) n_brutto, sum(v_plat) v_plat, sum(n_priplat) n_priplat, sum(n_premie) n_premie, "
           "sum(n_odmeny) n_odmeny, sum(n_sviatok) n_sviatok, sum(n_holiday) n_holiday, sum(n_nahrada) n_nahrada, "
           "sum(n_nemohol) n_nemohol, sum(n_nahrada_pn) n_nahrada_pn, sum(n_pohotovost) n_pohotovost, "
           "sum(n_dohody_ovp) n_dohody_ovp, sum(n_odstupne) n_odstupne, sum(n_socfond) n_socfond, "
           "sum(n_mimo_poistne) n_mimo_poistne, sum(ne_zaloha) ne_zaloha, sum(ne_pozicky) ne_pozicky, "
           "sum(ne_odborar) ne_odborar, sum(ne_poistovna) ne_poistovna, sum(ne_exekucia) ne_exekucia, "
           "sum(ne_stravne) ne_stravne, sum(n_mzda) n_mzda, max(f_poistne) f_poistne, sum(n_doplatok) n_doplatok, "
           "sum(d_preddavok) d_preddavok, sum(d_dan) d_dan, sum(d_bonus_cerpany) d_bonus_cerpany, "
           "sum(d_preddavok+d_dan-d_bonus_cerpany) dan_spolu, sum(d_vyrovnanie) d_vyrovnanie, "
           "sum(nd_spolu) nd_spolu, sum(vyplata) vy_hot, sum(sporenie) vy_spor, "
           "sum(ne_poistovna+ne_pozicky+ne_odborar+ne_exekucia+ne_stravne) vy_zraz, sum(ne_zaloha) vy_zaloha, "
           "sum(dan_vyrovnana*(n_brutto-n_odstupne-n_jednoraz1-n_jednoraz2)) n_brutto_dohody, "
           "sum(vyrovnanie_zp) vyrovnanie_zp, "_s
           + kArrears + u", "_s + kOverpayments
           + u"\nfrom vyp v where v_obdobie = :p1 and v.sid between :p2 and :p3"_s;
}

QString Text_Q2a() { return u"select "_s + kArrears + u" from vyp v where v_obdobie = :p1 and v.sid between :p2 and :p3"_s; }

QString Text_Q2b()
{
    return u"select "_s + kOverpayments + u" from vyp v where v_obdobie = :p1 and v.sid between :p2 and :p3"_s;
}

QString Text_Q3()
{
    return u"select sum(d_dan) d_dan from vyp v where v_obdobie = :p1 and v.sid between :p2 and :p3 and d_dan > 0"_s;
}

db::SqlResult monthSums(db::Session &session, int obdobie, int strediskoOd, int strediskoDo)
{
    return session.run(Text_Q1(), Parametre(obdobie, strediskoOd, strediskoDo), core::kAliasData);
}

double taxArrears(db::Session &session, int obdobie, int strediskoOd, int strediskoDo)
{
    return firstNumber(session.run(Text_Q2a(), Parametre(obdobie, strediskoOd, strediskoDo), core::kAliasData));
}

double taxOverpayments(db::Session &session, int obdobie, int strediskoOd, int strediskoDo)
{
    return firstNumber(session.run(Text_Q2b(), Parametre(obdobie, strediskoOd, strediskoDo), core::kAliasData));
}

double lastMonthWithholdingTax(db::Session &session, int obdobie, int strediskoOd, int strediskoDo)
{
    return firstNumber(session.run(Text_Q3(), Parametre(MyConsts::Posun_obdobie(obdobie, -1), strediskoOd, strediskoDo),
                                  core::kAliasData));
}

} // namespace tarix::reports::wage_recap
