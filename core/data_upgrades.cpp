#include "core/data_upgrades.h"

#include "platform/db/session.h"

namespace tarix::core {

namespace {

qint64 number(db::Session &s, const QString &sql, const db::Params &params = {})
{
    const db::SqlResult r = s.run(sql, params);
    return r.rowCount() == 0 || r.isNull(0, 0) ? 0 : r.asInteger(0, 0);
}

bool exists(db::Session &s, const QString &sql, const db::Params &params = {})
{
    return number(s, sql, params) > 0;
}

// The gross wage as the sum of its eighteen parts.
const QString kHrubaMzda = QStringLiteral(
    "V_PLAT+N_premie+N_odmeny+N_clenovia_organov+N_priplat+N_Nahrada+N_Nemohol+N_HOLIDAY"
    "+N_SVIATOK+N_DOHODY_OVP+N_DOHODY_OPC+N_socfond+N_pohotovost+N_odstupne+N_jednoraz1"
    "+N_jednoraz2+N_nahrada_pn+N_mimo_poistne");

// Blank flags and amounts of old payroll records become 0.
void nullsToZero(db::Session &s, const char *column)
{
    const QString where = QStringLiteral(" where %1 is null").arg(QLatin1String(column));
    if (exists(s, QStringLiteral("select count(*) from \":tarix_data:vyp\"") + where))
        s.execute(QStringLiteral("update \":tarix_data:vyp\" set %1=0").arg(QLatin1String(column))
                  + where);
}

// Sick leave (10) and child care (11) as kinds of the registration lists, and the
// absences of those kinds marked with them when the kind is added; maternity (MD).
void absenceKinds(db::Session &s)
{
    struct Kind {
        const char *typ, *popis;
        int nepTyp; // absences of this kind get the code when it is added; 0 none
    };
    static const Kind kinds[] = {{"10", "PN", 1}, {"11", "OČR", 2}, {"MD", "SP-materská dovolenka", 0}};
    for (const Kind &k : kinds) {
        const db::Params p{{QStringLiteral("p1"), QString::fromUtf8(k.typ)}};
        if (exists(s, QStringLiteral("select count(*) from \":tarix_comm:typrl\" where typ=:p1"), p))
            continue;
        s.execute(QStringLiteral("insert into \":tarix_comm:typrl\" (typ, popis) values (:p1, :p2)"),
                  {{QStringLiteral("p1"), QString::fromUtf8(k.typ)},
                   {QStringLiteral("p2"), QString::fromUtf8(k.popis)}});
        if (k.nepTyp)
            s.execute(QStringLiteral("update \":tarix_data:nep\" set typrl=:p1, typRL2=1, "
                                     "prerusenie=null where v_obdobie is not null and typ=:p2"),
                      {{QStringLiteral("p1"), QString::fromUtf8(k.typ)},
                       {QStringLiteral("p2"), k.nepTyp}});
    }
}

// The minimum wage of the employees was kept in another unit once: it is cleared once per
// firm, and the marker "SYS" in dual says it was done.
void clearOldMinimumWage(db::Session &s)
{
    const db::SqlResult r = s.run(QStringLiteral("select text from \":tarix_data:dual\""));
    if (r.rowCount() > 0 && r.asString(0, 0).size() == 3)
        return;
    s.execute(QStringLiteral("update \":tarix_data:zam\" set nc_minimum=null"));
    if (r.rowCount() == 0)
        s.execute(QStringLiteral("insert into \":tarix_data:dual\" (text) values ('SYS')"));
    else
        s.execute(QStringLiteral("update \":tarix_data:dual\" set text='SYS'"));
}

void withholdingTaxLine(db::Session &s)
{
    if (exists(s, QStringLiteral("select count(*) from \":tarix_data:cis_pu\" where id=17.50")))
        return;
    s.execute(QStringLiteral("insert into \":tarix_data:cis_pu\" values "
                             "(17.50,null,null,'daň zrážky',null,null,null,null,null)"));
}

void guaranteeInsuranceOfAgreements(db::Session &s)
{
    if (exists(s, QStringLiteral("select count(*) from \":tarix_data:inf\" where f_odstupm<>1")))
        s.execute(QStringLiteral("update \":tarix_data:inf\" set f_odstupm=1 where f_odstupm<>1"));
}

// The gross wage of the 2006 records with a health-insurance settlement is rebuilt.
void grossWage2006(db::Session &s)
{
    const QString where = QStringLiteral(" where v_obdobie between 200601 and 200612 and "
                                         "vyrovnanie_zp<>0 and ")
                          + kHrubaMzda + QStringLiteral("<>n_brutto");
    if (exists(s, QStringLiteral("select count(*) from \":tarix_data:vyp\"") + where))
        s.execute(QStringLiteral("update \":tarix_data:vyp\" set n_brutto=") + kHrubaMzda + where);
}

void parameter(db::Session &s, int id, const QString &skratka, const QVariant &hodnota,
               const QString &popis)
{
    const db::Params key{{QStringLiteral("p1"), id}};
    if (exists(s, QStringLiteral("select count(*) from \":tarix_comm:cis_par\" where id=:p1"), key))
        return;
    s.execute(QStringLiteral("insert into \":tarix_comm:cis_par\" (id, skratka, hodnota, popis) "
                             "values (:p1, :p2, :p3, :p4)"),
              {{QStringLiteral("p1"), id},
               {QStringLiteral("p2"), skratka},
               {QStringLiteral("p3"), hodnota},
               {QStringLiteral("p4"), popis}});
}

// Reason 8 of an interruption of insurance, with the texts of 6 and 7 of its time.
void interruptionReasons(db::Session &s)
{
    if (!exists(s, QStringLiteral("select count(*) from \":tarix_comm:prerus1\" where id=8"))) {
        s.execute(QStringLiteral(
            "insert into \":tarix_comm:prerus1\" (id, popis) values (8, 'trvanie dočasnej "
            "pracovnej neschopnosti odo dňa nasledujúceho po uplynutí 52 týždňov')"));
        s.execute(QStringLiteral("update \":tarix_comm:prerus1\" set popis='zamestnanec čerpá "
                                 "rodičovskú dovolenku' where id=6"));
        s.execute(QStringLiteral("update \":tarix_comm:prerus1\" set popis='SZČO má nárok na "
                                 "rodičovský príspevok' where id=7"));
    }
}

// Reason 0 is no reason.
void interruptionReasonZero(db::Session &s)
{
    if (exists(s, QStringLiteral("select count(*) from \":tarix_comm:prerus1\" where id=0")))
        s.execute(QStringLiteral("delete from \":tarix_comm:prerus1\" where id=0"));
}

// The old list of pension kinds had seven kinds; kind 6 was dropped and 7 became 6.
void pensionKinds(db::Session &s)
{
    if (number(s, QStringLiteral("select max(typ) from \":tarix_comm:cis_doch\"")) == 7) {
        s.execute(QStringLiteral("delete from \":tarix_comm:cis_doch\" where typ=6"));
        s.execute(QStringLiteral("update \":tarix_comm:cis_doch\" set typ=6 where typ=7"));
    }
    if (number(s, QStringLiteral("select max(typ) from \":tarix_data:doch\"")) == 7)
        s.execute(QStringLiteral("update \":tarix_data:doch\" set typ=6 where typ=7"));
}

} // namespace

void SpecialneCinnosti(db::Session &s, int priplatky)
{
    db::Transaction transaction(&s);
    nullsToZero(s, "v_nepoist_zp");
    absenceKinds(s);
    clearOldMinimumWage(s);
    withholdingTaxLine(s);
    nullsToZero(s, "vyrovnanie_zp");
    guaranteeInsuranceOfAgreements(s);
    nullsToZero(s, "rezerva1");
    grossWage2006(s);
    parameter(s, 32, QStringLiteral("ZRAZ_DAN_POSUN"), 0,
              QStringLiteral("Zrážková daň k preddavkovej posunutá o 1 mesiac(ÁNO=1,NIE=0)"));
    parameter(s, 33, QStringLiteral("POCITANIE_PRIPL"), priplatky,
              QStringLiteral("Počítanie príplatkov: 0=z hod.sadz.,1=z priem.mzdy"));
    interruptionReasons(s);
    pensionKinds(s);
    interruptionReasonZero(s);
    transaction.commit();
}

} // namespace tarix::core
