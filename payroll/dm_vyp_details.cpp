// The detail tables of a payroll month: deductions (Zrv), piece-work items (hsu) and the
// piece-work code tables (Cis_uk, zam_uk); their events and the copies into a new month.
#include "payroll/dm_v.h"

#include "core/helpers/checks.h"
#include "core/helpers/code_texts.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/text_utils.h"
#include "payroll/calc/calculation.h"
#include "platform/db/db_error.h"
#include "platform/db/session.h"
#include "platform/errors.h"

namespace tarix::payroll {

namespace {

// "No payroll of employee :e in period :p", a condition of the statements that write a new
// payroll's details, so that the look travels with the write instead of costing a statement
// of its own. The unary plus keeps V_obdobie out of every index: the look goes by Code_emp,
// the key's first field, through that employee's few payrolls, on either database. With
// V_obdobie indexable the server took "Vyp.OBDOBIE" (V_obdobie first) while its statistics
// were older than the month being made (a new period looks empty to them), and so read every
// payroll of that month made so far, for each record; a range of the key's pair read the
// whole table while the statistics were those of a small one.
const QString kBezVyplaty = QStringLiteral(
    "not exists (select 1 from \":tarix_data:vyp\" where code_emp = :e and +v_obdobie = :p)");

// A duplicate key in a code table: "Duplicitný záznam." and the record stays open.
void duplicateRecord(db::DataSet &, const db::DbError &e, db::ErrorAction &action)
{
    if (dynamic_cast<const db::KeyViolation *>(&e)) {
        MyConsts::Sprava_chyba(Msg(65077));
        action = db::ErrorAction::Abort;
    }
}

void questionOrError(int questionId, int refusalId)
{
    if (!MyConsts::Otazka_ano_nie(Msg(questionId)))
        throw EMyError(Msg(refusalId));
}

} // namespace

void TDMV::setDetailEvents()
{
    // ---- deductions -------------------------------------------------------------------
    TZRV_.onNewRecord = [this](db::DataSet &ds) {
        ds.setValue(QStringLiteral("V_obdobie"), TVYP_.value(QStringLiteral("V_obdobie")));
        ds.setValue(QStringLiteral("Code_emp"), TVYP_.value(QStringLiteral("Code_emp")));
        ds.setValue(QStringLiteral("Typ_sumy"), 0);
        ds.setValue(QStringLiteral("Vypocitana_suma"), 0.0);
    };
    auto zrvGuard = [this](db::DataSet &) {
        if (!TVYP_.isEditing())
            rejectPayroll(Msg(65170));
    };
    TZRV_.beforeInsert = zrvGuard;
    TZRV_.beforeEdit = zrvGuard;
    // A row is typed while its payroll is edited, and that edit may still be cancelled: the
    // row keeps the amount the stored payroll deducts (0 for a new row) until the payroll's
    // post stores the new one; CALC_VYP_SUMA shows the new one meanwhile.
    TZRV_.addCalculatedField(QStringLiteral("CALC_VYP_SUMA"), db::FieldType::Money)
        .setDisplayFormat(QStringLiteral("0.00"));
    TZRV_.addCalculatedField(QStringLiteral("CALC_TEXT_ZARAZKY"), db::FieldType::String, 60);
    TZRV_.onCalcFields = [this](db::DataSet &ds) {
        ds.setValue(QStringLiteral("CALC_VYP_SUMA"),
                    Suma_zrazky(ds.fieldByName(QStringLiteral("Suma")).asFloat(),
                                ds.fieldByName(QStringLiteral("Typ_sumy")).asInt()));
        ds.setValue(QStringLiteral("CALC_TEXT_ZARAZKY"),
                    MyConsts::Text_druhu_zrazky(MyConsts::Prvy_znak(ds.fieldByName(QStringLiteral("Typ")).asString())));
    };
    TZRV_.declareField(QStringLiteral("Typ")).onValidate = [](db::Field &f) {
        const QChar first = MyConsts::Prvy_znak(f.asString());
        if (!QStringLiteral("OPSXY").contains(first))
            throw EMyError(Msg(65028));
    };
    TZRV_.declareField(QStringLiteral("Predcislo_u")).onValidate = [](db::Field &f) {
        MyConsts::Kontrola_predcislia_uctu(f.asString());
    };
    TZRV_.declareField(QStringLiteral("Cislo_u")).onValidate = [](db::Field &f) {
        MyConsts::Kontrola_cisla_uctu(f.asString());
    };
    for (const char *name : {"Suma", "Vypocitana_suma"})
        TZRV_.declareField(QString::fromLatin1(name)).setDisplayFormat(QStringLiteral("0.00"));
    DS_ZRV.onStateChange = [this](db::DataSource &source) {
        DS_ZRVG.setEnabled(source.state() != db::DataSetState::Edit
                           && source.state() != db::DataSetState::Insert);
    };

    // ---- piece-work items -------------------------------------------------------------
    THSU_.autoCalcFields = false;
    THSU_.addLookupField(QStringLiteral("LKP_POPIS_UKONU"), db::FieldType::String, 100, &TCUK_,
                         QStringLiteral("UKID"), QStringLiteral("UKID"), QStringLiteral("POPIS"));
    THSU_.onNewRecord = [this](db::DataSet &ds) {
        const EmployeeKey e = currentEmployee();
        ds.setValue(QStringLiteral("V_obdobie"), TVYP_.value(QStringLiteral("V_obdobie")));
        ds.setValue(QStringLiteral("Code_emp"), e.Code_emp);
        ds.setValue(QStringLiteral("Code_numb"), e.Code_numb);
    };
    auto hsuGuard = [this](db::DataSet &) {
        if (!TVYP_.isEditing())
            rejectPayroll(Msg(65171));
    };
    THSU_.beforeInsert = [this, hsuGuard](db::DataSet &ds) {
        hsuGuard(ds);
        Povolene_vlozenie = false;
    };
    THSU_.beforeEdit = hsuGuard;
    THSU_.declareField(QStringLiteral("UKID")).onChange = [this](db::Field &f) {
        db::DataSet &ds = f.dataSet();
        if (!ds.isEditing() || ds.fieldByName(QStringLiteral("Suma1")).asFloat() != 0.0)
            return;
        QHSU4_.close();
        QHSU4_.setParam(QStringLiteral("p1"), ds.fieldByName(QStringLiteral("Code_numb")).asInt());
        QHSU4_.setParam(QStringLiteral("p2"), f.asInt());
        QHSU4_.open();
        if (!QHSU4_.isEmpty())
            ds.setValue(QStringLiteral("Suma1"), QHSU4_.fieldByName(QStringLiteral("hodnota")).asFloat());
        QHSU4_.close();
    };
    auto sucetVykonu = [](db::Field &f) {
        db::DataSet &ds = f.dataSet();
        if (!ds.isEditing())
            return;
        ds.setValue(QStringLiteral("Suma"), ds.fieldByName(QStringLiteral("Pocet")).asFloat()
                                                * ds.fieldByName(QStringLiteral("Suma1")).asFloat());
    };
    THSU_.declareField(QStringLiteral("Pocet")).onChange = sucetVykonu;
    THSU_.declareField(QStringLiteral("Suma1")).onChange = sucetVykonu;
    DS_HSU.onStateChange = [this](db::DataSource &source) {
        DS_HSUG.setEnabled(source.state() != db::DataSetState::Edit
                           && source.state() != db::DataSetState::Insert);
    };

    // ---- piece-work code tables -------------------------------------------------------
    TCUK_.beforeInsert = [](db::DataSet &) { questionOrError(65177, 65178); };
    TCUK_.beforeDeleteQuestions = [](db::DataSet &) { questionOrError(65073, 65074); };
    TCUK_.onPostError = duplicateRecord;
    TZUK_.beforeInsert = [](db::DataSet &) { questionOrError(65177, 65178); };
    TZUK_.beforeDeleteQuestions = [](db::DataSet &) {
        if (!MyConsts::Otazka_ano_nie(Msg(65068)) || !MyConsts::Otazka_ano_nie(Msg(65069)))
            throw EMyError(Msg(65070));
    };
    TZUK_.onPostError = duplicateRecord;
    TZUK_.onNewRecord = [this](db::DataSet &ds) {
        const EmployeeKey e = currentEmployee();
        ds.setValue(QStringLiteral("Code_numb"), e.Code_numb);
        ds.setValue(QStringLiteral("Code_emp"), e.Code_emp);
    };
    TZUK_.addLookupField(QStringLiteral("CALC_POPIS"), db::FieldType::String, 60, &TCUK_,
                         QStringLiteral("UKID"), QStringLiteral("UKID"), QStringLiteral("POPIS"))
        .setReadOnly(true);
    for (db::Table *t : {&TCUK_, &TZUK_})
        t->declareField(QStringLiteral("HODNOTA")).setDisplayFormat(QStringLiteral("0.00"));
}

namespace {

// The month's deductions of an employee without a payroll of that month.
QString deleteZrv()
{
    return QStringLiteral("delete from \":tarix_data:zrv\" where code_emp = :e and v_obdobie = :p and ")
           + kBezVyplaty;
}

} // namespace

// Never touches the details of a payroll that exists; each statement looks for itself, so a
// payroll stored in between is left alone by the statements after it.
void TDMV::Kopiruj_trvale_zrazky(int codeEmp, int period)
{
    db::Session &s = TVYP_.session();
    const db::Params key{{QStringLiteral("e"), codeEmp}, {QStringLiteral("p"), period}};
    db::Transaction tx(&s);
    s.executeDeferred(deleteZrv(), key);
    s.executeDeferred(QStringLiteral(
                  "insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, prijemca, predcislo_u, "
                  "cislo_u, banka_u, ssym_u, vsym, ksym, spp, suma, typ_sumy, poznamka, vypocitana_suma) "
                  "select :p, code_emp, typ, prijemca, predcislo_u, cislo_u, banka_u, ssym_u, vsym, ksym, "
                  "spp, suma, typ_sumy, poznamka, 0 from \":tarix_data:zrz\" "
                  "where code_emp = :e and obdobie_od <= :p and obdobie_do >= :p and ")
                  + kBezVyplaty + QStringLiteral(" order by zrid"),
              key);
    tx.commit();
}

void TDMV::Kopiruj_ukolove_polozky(int period, const EmployeeKey &employee)
{
    if (Rezim_importu)
        return;
    db::Session &s = TVYP_.session();
    const db::Params key{{QStringLiteral("p"), period},
                         {QStringLiteral("n"), employee.Code_numb},
                         {QStringLiteral("e"), employee.Code_emp}};
    db::Transaction tx(&s);
    s.executeDeferred(QStringLiteral("delete from \":tarix_data:hsu\" where v_obdobie = :p and code_numb = :n "
                             "and code_emp = :e and ")
                  + kBezVyplaty,
              key);
    s.executeDeferred(QStringLiteral("insert into \":tarix_data:hsu\" (v_obdobie, code_numb, code_emp, ukid, "
                             "suma1, pocet, suma) select :p, code_numb, code_emp, ukid, hodnota, 0, 0 "
                             "from \":tarix_data:zam_uk\" where code_numb = :n and code_emp = :e and ")
                  + kBezVyplaty + QStringLiteral(" order by ukid"),
              key);
    tx.commit();
}

void TDMV::deleteDetailsOfDroppedPayroll(int codeEmp, int period)
{
    db::Session &s = TVYP_.session();
    const db::Params key{{QStringLiteral("e"), codeEmp}, {QStringLiteral("p"), period}};
    db::Transaction tx(&s);
    s.executeDeferred(deleteZrv(), key);
    s.executeDeferred(QStringLiteral("delete from \":tarix_data:hsu\" where v_obdobie = :p and code_emp = :e and ")
                  + kBezVyplaty,
              key);
    tx.commit();
}

} // namespace tarix::payroll
