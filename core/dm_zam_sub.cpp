// Events of the employee's detail tables: children, standing deductions, absences and
// registration-list events, pension entitlements and pension-insurance record lines.
#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/dm_zam_detail.h"
#include "core/helpers/code_texts.h"
#include "core/helpers/messages.h"
#include "core/helpers/periods.h"
#include "platform/format/dates.h"

namespace tarix::core {

using namespace employee_detail;

namespace {

db::Field &pole(db::DataSet &ds, const char *name) { return ds.fieldByName(QString::fromLatin1(name)); }

// ---- children ------------------------------------------------------------------------------

void setChildrenEvents(TDMZ &dmz)
{
    db::Table &t = dmz.TDET_;
    setFieldLabels(t, {{"Priezvisko", "Priezvisko"},
                      {"Meno", "Meno"},
                      {"RC", "Rodné číslo"},
                      {"DAT_NAR", "Dátum narodenia"},
                      {"PD", "Prídavky na dieťa"},
                      {"ZTP", "Zdravotne ťažko postihnuté"},
                      {"NC", "Nezdaniteľná časť"},
                      {"DAN_BONUS", "Daňový bonus"},
                      {"ZNIZ_POISTNE", "Zníženie poistného"},
                      {"MES_OD", "Mesiac od"},
                      {"MES_DO", "Mesiac do"}});
    t.addCalculatedField(QStringLiteral("CALC_MP"), db::FieldType::String, 100);
    t.addCalculatedField(QStringLiteral("CALC_VEK"), db::FieldType::String, 10).setLabel(QStringLiteral("Vek"));
    t.addCalculatedField(QStringLiteral("CALC_POTREBA"), db::FieldType::Money).setLabel(QStringLiteral("Životné minimum"));
    t.addCalculatedField(QStringLiteral("CALC_PRIDAVKY1"), db::FieldType::Money)
        .setLabel(QStringLiteral("Prídavky - 1. pásmo"));
    t.addCalculatedField(QStringLiteral("CALC_PRIDAVKY2"), db::FieldType::Money)
        .setLabel(QStringLiteral("Prídavky - 2. pásmo"));

    t.onNewRecord = [&dmz](db::DataSet &ds) {
        pole(ds, "Code_emp").setValue(dmz.currentEmployeeCode());
        pole(ds, "MES_OD").setValue(DM().Aktualny_mesiac());
        pole(ds, "MES_DO").setValue(12);
        pole(ds, "NC").setValue(true);
        pole(ds, "PD").setValue(true);
        pole(ds, "ZTP").setValue(false);
    };
    t.beforePost = [](db::DataSet &ds) {
        const bool od = !pole(ds, "MES_OD").isNull();
        const bool doo = !pole(ds, "MES_DO").isNull();
        if (od && !doo)
            throw EMyError(Msg(65037));
        if (doo && !od)
            throw EMyError(Msg(65036));
    };
    t.onCalcFields = [&dmz](db::DataSet &ds) {
        pole(ds, "CALC_MP").setValue(pole(ds, "Meno").asString() + u' ' + pole(ds, "Priezvisko").asString());
        const QString born = fmt::formatDate(pole(ds, "DAT_NAR").asDate(), u"yyyymm");
        const QString age = dmz.Vek_dietata(born);
        pole(ds, "CALC_VEK").setValue(age);
        double a1 = 0, a2 = 0;
        pole(ds, "CALC_POTREBA").setValue(dmz.Pridavky_na_dieta(age, a1, a2));
        pole(ds, "CALC_PRIDAVKY1").setValue(a1);
        pole(ds, "CALC_PRIDAVKY2").setValue(a2);
    };
    joinLists(dmz.DS_DETI, {&dmz.DS_DGRID});
}

// ---- standing deductions -------------------------------------------------------------------

void setDeductionEvents(TDMZ &dmz)
{
    db::Table &t = dmz.TZRZ_;
    setFieldLabels(t, {{"Typ", "Typ zrážky"},
                      {"Datum_od", "Platnosť od"},
                      {"Datum_do", "Platnosť do"},
                      {"Predcislo_u", "Predčíslie účtu"},
                      {"Cislo_u", "Číslo účtu"},
                      {"Banka_u", "Kód banky"},
                      {"Ssym_u", "Špecifický symbol"},
                      {"Vsym", "Variabilný symbol"},
                      {"Ksym", "Konštantný symbol"},
                      {"Prijemca", "Názov príjemcu"},
                      {"Spp", "Správa pre prijímateľa"},
                      {"Suma", "Suma"},
                      {"Poznamka", "Poznámka"},
                      {"Typ_sumy", "Typ sumy"}});
    t.declareField(QStringLiteral("Typ")).onValidate = [](db::Field &f) {
        static const QStringList kinds{"P", "O", "Y", "S", "X"};
        if (!kinds.contains(f.asString()))
            throw EMyError(Msg(65028));
    };
    setAccountCheck(t, QStringLiteral("Predcislo_u"), QStringLiteral("Cislo_u"), QStringLiteral("Banka_u"),
                       QStringLiteral("Ssym_u"));
    t.onNewRecord = [&dmz](db::DataSet &ds) {
        pole(ds, "Code_emp").setValue(dmz.currentEmployeeCode());
        pole(ds, "Suma").setValue(0);
        pole(ds, "Typ_sumy").setValue(0);
    };
    t.beforePost = [](db::DataSet &ds) {
        const QDate od = pole(ds, "Datum_od").asDate();
        const QDate doo = pole(ds, "Datum_do").asDate();
        pole(ds, "Obdobie_od").setValue(od.isValid() ? QVariant(MyConsts::Obdobie_z_datumu(od)) : QVariant());
        // An open-ended deduction runs to the last period there is.
        pole(ds, "Obdobie_do").setValue(doo.isValid() ? MyConsts::Obdobie_z_datumu(doo) : 999999);
    };
    joinLists(dmz.DS_ZRZ, {&dmz.DS_ZRZG});
}

// ---- absences ------------------------------------------------------------------------------

QString typRL(db::DataSet &ds) { return pole(ds, "TypRL").asString().trimmed(); }

void setAbsenceEvents(TDMZ &dmz)
{
    db::Table &t = dmz.TNEP_;
    setFieldLabels(t, {{"Datum_od", "Dátum od"},
                      {"Datum_do", "Dátum do"},
                      {"Typ", "Druh neprítomnosti"},
                      {"TypRL", "Typ"},
                      {"TypRL2", "Typ udalosti"},
                      {"Prerusenie", "Dôvod prerušenia poistenia"},
                      {"V_obdobie", "Obdobie"},
                      {"Prac_dni", "Pracovné dni"},
                      {"Dovod", "Poznámka"}});
    TDM &dm = DM();
    t.addLookupField(QStringLiteral("L_TYPRL"), db::FieldType::String, 40, &dm.CIS8_, QStringLiteral("TypRL"),
                     QStringLiteral("Typ"), QStringLiteral("Popis"));
    t.addLookupField(QStringLiteral("L_TYPRL2"), db::FieldType::String, 20, &dm.CIS12_, QStringLiteral("TypRL2"),
                     QStringLiteral("ID"), QStringLiteral("POPIS"));
    t.addLookupField(QStringLiteral("L_PRERUS1"), db::FieldType::String, 200, &dm.CIS7_,
                     QStringLiteral("Prerusenie"), QStringLiteral("ID"), QStringLiteral("POPIS"));
    t.addCalculatedField(QStringLiteral("Calc_kal_dni"), db::FieldType::Integer).setLabel(QStringLiteral("Kalendárne dni"));
    t.addCalculatedField(QStringLiteral("Calc_typ_nep"), db::FieldType::String, 100).setLabel(QStringLiteral("Popis druhu"));
    t.addCalculatedField(QStringLiteral("L_ZAM"), db::FieldType::String, 200);

    t.onNewRecord = [&dmz](db::DataSet &ds) { pole(ds, "Code_emp").setValue(dmz.currentEmployeeCode()); };

    t.declareField(QStringLiteral("Prerusenie")).onValidate = [](db::Field &f) {
        if (!f.isNull() && typRL(f.dataSet()) != QLatin1String("PE"))
            throw EMyError(Msg(65094));
    };
    t.declareField(QStringLiteral("TypRL")).onValidate = [&dmz](db::Field &f) {
        db::DataSet &ds = f.dataSet();
        const QString kind = f.asString().trimmed();
        if (kind != QLatin1String("PA") && kind != QLatin1String("OD"))
            return;
        // The dates come from the absence's own employee, read by key.
        const QVariant code = pole(ds, "Code_emp").isNull() ? QVariant(dmz.currentEmployeeCode())
                                                            : pole(ds, "Code_emp").value();
        const auto r = detailQuery(QStringLiteral("select nastup, vystup from zam where code_emp = :p1"),
                             {{QStringLiteral("p1"), code}});
        const QVariant date = r.rowCount() ? r.value(0, kind == QLatin1String("PA") ? 0 : 1) : QVariant();
        if (kind == QLatin1String("OD") && !date.isValid())
            throw EMyError(Msg(65052));
        pole(ds, "Datum_od").setValue(date);
        pole(ds, "Datum_do").setValue(date);
    };

    t.beforePost = [](db::DataSet &ds) {
        const QString kind = typRL(ds);
        db::Field &kind2 = pole(ds, "TypRL2");
        if (kind == QLatin1String("OD"))
            kind2.setValue(3);
        else if (kind == QLatin1String("PA") || kind == QLatin1String("ZM"))
            kind2.setValue(2);
        else if (kind != QLatin1String("PE"))
            kind2.setValue(1);
        if (kind2.isNull())
            throw EMyError(Msg(65072, "Typ udalosti"));
        // Events of one day.
        if (kind2.asInt() == 2)
            pole(ds, "Datum_do").setValue(pole(ds, "Datum_od").value());
        else if (kind2.asInt() == 3)
            pole(ds, "Datum_od").setValue(pole(ds, "Datum_do").value());
        if (pole(ds, "Prerusenie").isNull() && kind == QLatin1String("PE")
            && (kind2.asInt() == 1 || kind2.asInt() == 2))
            throw EMyError(Msg(65095));
        const QDate od = pole(ds, "Datum_od").asDate();
        const QDate doo = pole(ds, "Datum_do").asDate();
        if (od.isValid() && doo.isValid()) {
            if (od > doo)
                throw EMyError(Msg(65163));
            const int year = DM().Aktualny_rok();
            if (od.year() != year)
                throw EMyError(Msg(65033));
            if (doo.year() != year)
                throw EMyError(Msg(65034));
        }
    };

    t.onCalcFields = [&dmz](db::DataSet &ds) {
        const db::Field &code = pole(ds, "Code_emp");
        pole(ds, "L_ZAM").setValue(code.isNull() ? QString() : dmz.listItem(code.asInt()));
        const QDate od = pole(ds, "Datum_od").asDate();
        const QDate doo = pole(ds, "Datum_do").asDate();
        pole(ds, "Calc_kal_dni").setValue(od.isValid() && doo.isValid() ? od.daysTo(doo) + 1 : 0);
        pole(ds, "Calc_typ_nep").setValue(MyConsts::Text_druhu_nepritomnosti(pole(ds, "Typ").asInt()));
    };
    joinLists(dmz.DS_NEP, {&dmz.DS_NEPG});
}

// ---- pension entitlements and pension-insurance record lines -------------------------------

void setPensionEvents(TDMZ &dmz)
{
    db::Table &t = dmz.TDOCH_;
    setFieldLabels(t, {{"Typ", "Typ dôchodku"},
                      {"Datum_od", "Dátum začiatku nároku"},
                      {"Datum_do", "Dátum ukončenia nároku"}});
    t.addLookupField(QStringLiteral("L_DOCH"), db::FieldType::String, 80, &DM().CIS13_, QStringLiteral("Typ"),
                     QStringLiteral("TYP"), QStringLiteral("POPIS"))
        .setLabel(QStringLiteral("Druh dôchodku"));
    t.onNewRecord = [&dmz](db::DataSet &ds) { pole(ds, "Code_emp").setValue(dmz.currentEmployeeCode()); };
    // An empty end counts as earlier than any date, so it is refused too.
    t.declareField(QStringLiteral("Datum_do")).onValidate = [](db::Field &f) {
        const QDate doo = f.asDate();
        if (!doo.isValid() || doo < dateOrZero(pole(f.dataSet(), "Datum_od").asDate()))
            throw EMyError(Msg(65163));
    };

    db::Table &e = dmz.TELDP_;
    setFieldLabels(e, {{"Datum_od", "Dátum od"},
                      {"Datum_do", "Dátum do"},
                      {"Znak", "Znak poistenia"},
                      {"VZ", "Vymeriavací základ"},
                      {"Vyluka_VZ", "VZ počas vylúč.dôb"},
                      {"Vyluka_dni", "Kal.dni vylúč. dôb"}});
    e.addLookupField(QStringLiteral("L_ZNAK"), db::FieldType::String, 40, &DM().CIS14_, QStringLiteral("Znak"),
                     QStringLiteral("Znak"), QStringLiteral("Popis"));
    e.onNewRecord = [&dmz](db::DataSet &ds) { pole(ds, "Code_emp").setValue(dmz.currentEmployeeCode()); };
    e.beforePost = [](db::DataSet &ds) {
        const QDate od = pole(ds, "Datum_od").asDate();
        const QDate doo = pole(ds, "Datum_do").asDate();
        if (od.isValid() && doo.isValid() && doo < od)
            throw EMyError(Msg(65163));
    };
}

} // namespace

void setChildRecordEvents(TDMZ &dmz)
{
    setChildrenEvents(dmz);
    setDeductionEvents(dmz);
    setAbsenceEvents(dmz);
    setPensionEvents(dmz);
}

} // namespace tarix::core
