// Health-insurance annual settlement records of the employee module: the settlement
// request, periods without insurance, the universal form record, the monthly basis of the
// advance certificate (and its rebuild) and the change reports to the insurer.
#include "core/dm_main.h"
#include "core/dm_sql.h"
#include "core/dm_zam.h"
#include "core/dm_zam_detail.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/rounding.h"
#include "core/helpers/text_utils.h"
#include "platform/format/clock.h"
#include "platform/format/dates.h"

#include <algorithm>
#include <cmath>

namespace tarix::core {

using namespace employee_detail;

namespace {

db::Field &pole(db::DataSet &ds, const char *name) { return ds.fieldByName(QString::fromLatin1(name)); }

void askToDelete(db::DataSet &)
{
    if (!MyConsts::Otazka_ano_nie(Msg(65073)))
        throw EMyError(Msg(65074));
}

// KZP of the current employee row (0 when blank).
QVariant employeeKzp(TDMZ &dmz) { return dmz.TZAM_.fieldByName(QStringLiteral("KZP")).value(); }

// ---- settlement request --------------------------------------------------------------------

void setRequest(TDMZ &dmz)
{
    db::Table &t = dmz.TZP1_;
    setFieldLabels(t, {{"V_rok", "Rok vykonania zúčtovania"},
                      {"ROK", "Rok"},
                      {"KZP", "Kód zdravotnej poisťovne"},
                      {"Typ_zuctovania", "Spôsob zúčtovania"},
                      {"Datum_ziadosti", "Dátum podania žiadosti"},
                      {"Datum_vykonania", "Dátum ročného zúčtovania"},
                      {"Datum_doklad", "Dátum vystavenia potvrdenia"},
                      {"Pocet_zamtelov", "Počet iných zamestnávateľov"},
                      {"Zamnec_od", "Zamestnanec od"},
                      {"Zamnec_do", "Zamestnanec do"},
                      {"Uhrn_prijmov", "Úhrn príjmov"},
                      {"Uhrn_preddav_zamnec", "Úhrn preddavkov zamestnanca"},
                      {"Uhrn_preddav_zamtel", "Úhrn preddavkov zamestnávateľa"},
                      {"Uhrn_minim_zakladov", "Úhrn minimálnych základov"},
                      {"Preddavky_dan_uzn", "Preddavky - daňovo uznané"}});
    TDM &dm = DM();
    t.addLookupField(QStringLiteral("L_KZP"), db::FieldType::String, 40, &dm.CIS1_, QStringLiteral("KZP"),
                     QStringLiteral("ID"), QStringLiteral("TEXT"));
    t.addLookupField(QStringLiteral("L_TYP_ZUCT"), db::FieldType::String, 80, &dm.CIS15_,
                     QStringLiteral("Typ_zuctovania"), QStringLiteral("ID"), QStringLiteral("TEXT"));

    // One request per employee and year: a second one is not started. Asked of the
    // database, so that it holds whatever the table happens to show.
    t.beforeInsert = [&dmz](db::DataSet &) {
        const auto r = detailQuery(QStringLiteral("select count(*) from zp_znec where code_emp = :p1 and v_rok = :p2"),
                             {{QStringLiteral("p1"), dmz.currentEmployeeCode()},
                              {QStringLiteral("p2"), DM().Aktualny_rok()}});
        if (r.asInteger(0, 0) > 0)
            throw EAbort();
    };
    t.onNewRecord = [&dmz](db::DataSet &ds) {
        const int year = DM().Aktualny_rok();
        if (year < 2006)
            throw EMyError(Msg(65100));
        pole(ds, "Code_emp").setValue(dmz.currentEmployeeCode());
        pole(ds, "V_rok").setValue(year);
        pole(ds, "ROK").setValue(year - 1);
        pole(ds, "KZP").setValue(employeeKzp(dmz));
    };
    t.beforePost = [](db::DataSet &ds) {
        const int settled = pole(ds, "ROK").isNull() ? DM().Aktualny_rok() - 1 : pole(ds, "ROK").asInt();
        const QDate od = pole(ds, "Zamnec_od").asDate();
        const QDate doo = pole(ds, "Zamnec_do").asDate();
        for (const QDate &d : {od, doo})
            if (d.isValid() && d.year() != settled)
                throw EMyError(Msg(65101, fmt::shortDate(d)));
        if (od.isValid() && doo.isValid() && doo < od)
            throw EMyError(Msg(65163));
    };
    t.beforeDeleteQuestions = askToDelete;
}

// ---- periods without insurance, universal record, monthly basis ----------------------------

void setPeriodsAndRecords(TDMZ &dmz)
{
    db::Table &p = dmz.TZP2_;
    setFieldLabels(p, {{"Datum_od", "Dátum od"}, {"Datum_do", "Dátum do"}, {"Dovod", "Dôvod"}});
    p.onNewRecord = [&dmz](db::DataSet &ds) { pole(ds, "Code_emp").setValue(dmz.currentEmployeeCode()); };
    p.beforePost = [](db::DataSet &ds) {
        // An empty date counts as 30.12.1899: an empty end is refused once a start is given.
        if (dateOrZero(pole(ds, "Datum_do").asDate()) < dateOrZero(pole(ds, "Datum_od").asDate()))
            throw EMyError(Msg(65163));
    };
    p.beforeDeleteQuestions = askToDelete;

    db::Table &u = dmz.TZP3_;
    // A record of any of the insurer's forms: its columns mean what the form's kind gives
    // them, so they are named by kind of content.
    setFieldLabels(u, {{"Typ", "Druh záznamu"},
                      {"Rok", "Rok"},
                      {"A1", "Text A1"},
                      {"A2", "Text A2"},
                      {"X1", "Suma X1"},
                      {"X2", "Suma X2"},
                      {"X3", "Suma X3"},
                      {"X4", "Suma X4"}});
    u.onNewRecord = [&dmz](db::DataSet &ds) { pole(ds, "Code_emp").setValue(dmz.currentEmployeeCode()); };
    u.beforePost = [](db::DataSet &ds) {
        if (pole(ds, "Typ").asString().trimmed() == QLatin1String("VV")
            && pole(ds, "A1").asString().trimmed() != QLatin1String("3"))
            pole(ds, "A2").clear();
    };

    // The monthly basis of the certificate of advances.
    setFieldLabels(dmz.TZP4_, {{"V_mesiac", "Mesiac"},
                              {"X1", "Príjem"},
                              {"X2", "Preddavok zamestnávateľa"},
                              {"X3", "Minimálny základ"},
                              {"X4", "Preddavok zamestnanca"},
                              {"X5", "Preddavok ZPS"}});
    // Rows of the monthly basis are written by its rebuild only.
    dmz.TZP4_.beforeInsert = [](db::DataSet &) { throw EAbort(); };
}

// ---- change reports ------------------------------------------------------------------------

void setBatch601(TDMZ &dmz)
{
    db::Table &t = dmz.TZP5_;
    setFieldLabels(t, {{"Kod_zmeny", "Kód zmeny (2 znaky)"},
                      {"Platnost_zmeny", "Platnosť zmeny (Z,K,X)"},
                      {"Datum_zmeny", "Dátum zmeny"},
                      {"Id_cislo", "Identifikačné číslo"},
                      {"KZP", "Kód ZP (2 znaky)"}});
    t.onNewRecord = [&dmz](db::DataSet &ds) {
        pole(ds, "Code_emp").setValue(dmz.currentEmployeeCode());
        pole(ds, "Datum_zmeny").setValue(fmt::today());
        // The insurer code travels as two characters: longer codes keep their first two.
        const QVariant kzp = employeeKzp(dmz);
        const QString text = kzp.isValid() ? QString::number(db::variantToInteger(kzp)) : QString();
        pole(ds, "KZP").setValue(MyConsts::Dopln_zlava(text, 2, u'0').toInt());
    };
    t.beforePost = [&dmz](db::DataSet &ds) {
        // A report keeps its own employee; only one without any gets the current one.
        if (pole(ds, "Code_emp").isNull())
            pole(ds, "Code_emp").setValue(dmz.currentEmployeeCode());
        const QDate d = pole(ds, "Datum_zmeny").asDate();
        if (!d.isValid())
            return; // refused as a required field
        pole(ds, "V_rok").setValue(fmt::formatDate(d, u"yyyy").toInt());
        pole(ds, "V_mesiac").setValue(fmt::formatDate(d, u"m").toInt());
        if (d.year() != DM().Aktualny_rok())
            throw EMyError(Msg(65035));
    };
    t.declareField(QStringLiteral("Kod_zmeny")).onValidate = [](db::Field &f) {
        const QString code = f.asString();
        if (code.isEmpty())
            return;
        const bool ok = code.size() == 1 ? code == QLatin1String("2")
                                         : code.size() == 2 && code[1] >= u'A' && code[1] <= u'U';
        if (!ok)
            throw EMyError(Msg(65187));
    };
}

QString sqlCislo(double v) { return QString::number(v, 'g', 17); }

// Fixed working-day count of a month of the certificate.
int daysOfMonth(int month)
{
    switch (month) {
    case 5:
    case 6:
    case 8:
        return 22;
    case 3:
    case 4:
    case 10:
    case 12:
        return 21;
    default:
        return 20;
    }
}

// The minimum health basis of a month of the certificate.
double minimumBase(double minMzda, double hodiny, int daysOfMonth, qint64 dniNahrady)
{
    // The hourly minimum wage (the month's minimum wage over an eight-hour day) for each
    // working day not covered by sick-leave compensation. More compensation days than the
    // month's working days leave no day, never a negative basis. The compensation days are
    // whole days (their columns are whole numbers; a fractional sum read from the query
    // rounds to the nearest day). The basis is rounded up to whole units and its whole
    // part taken.
    const qint64 dni = std::max<qint64>(daysOfMonth - dniNahrady, 0);
    return std::trunc(
        MyConsts::Zaokruhli_sumu(0, MyConsts::Nahor, minMzda / 8.0 * hodiny / daysOfMonth * double(dni)));
}

} // namespace

void TDMZ::Vypocet_podkladov_zp()
{
    const int code = currentEmployeeCode();
    if (!MyConsts::Otazka_ano_nie(Msg(65065)))
        return;
    const int y = DM().Aktualny_rok() - 1;
    {
        // Delete, twelve empty months and the figures of the payroll records: all or nothing.
        db::Transaction tr(&dbSession());
        TDMSQL &writer = DMSQL2();
        writer.Vykonaj_sql(QStringLiteral("delete from \":tarix_data:zp_tab\" where code_emp=%1 and v_rok=%2 and typ=1")
                               .arg(code)
                               .arg(y));
        for (int m = 1; m <= 12; ++m)
            writer.Vykonaj_sql(QStringLiteral("insert into \":tarix_data:zp_tab\" (code_emp,v_rok,v_mesiac,typ,X1,X2,X3,X4,X5) "
                                              "values (%1,%2,%3,1,0,0,0,0,0);")
                                   .arg(code)
                                   .arg(y)
                                   .arg(m));
        TDMSQL &reader = DMSQL();
        reader.Vykonaj_sql(QStringLiteral("select v_mesiac,n_prijem_zp,f_zdravot,o_zdravot,oz_zdravot,f_doba,v_fmes,"
                                          "v_nahrada_pn1+v_nahrada_pn2,f_min_mzda from \":tarix_data:vyp\" v "
                                          "where v.v_rok=%1 and v.code_emp=%2;")
                               .arg(y)
                               .arg(code));
        const db::SqlResult rows = reader.result();
        for (int i = 0; i < rows.rowCount(); ++i) {
            const int month = int(rows.asInteger(i, 0));
            const double h = std::min(rows.asFloat(i, 5), 8.0);
            const int d = daysOfMonth(month);
            const qint64 p = rows.asInteger(i, 7);
            const double minimum = minimumBase(rows.asFloat(i, 8), h, d, p);
            writer.Vykonaj_sql(
                QStringLiteral("update \":tarix_data:zp_tab\" set X1=%1,X2=%2,X3=%3,X4=%4,X5=%5 "
                               "where code_emp=%6 and v_rok=%7 and v_mesiac=%8 and typ=1")
                    .arg(sqlCislo(rows.asFloat(i, 1)), sqlCislo(rows.asFloat(i, 2)), sqlCislo(minimum),
                         sqlCislo(rows.asFloat(i, 3)),
                         sqlCislo(MyConsts::Zaokruhli_sumu(0, MyConsts::Normal, rows.asFloat(i, 4))))
                    .arg(code)
                    .arg(y)
                    .arg(month));
        }
        tr.commit();
    }
    if (TZP4_.isActive() && !TZP4_.isEditing())
        TZP4_.refresh();
    MyConsts::Sprava_informacia(Msg(65066));
}

void setHealthEvents(TDMZ &dmz)
{
    setRequest(dmz);
    setPeriodsAndRecords(dmz);
    setBatch601(dmz);
}

} // namespace tarix::core
