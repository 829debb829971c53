// Events and guards of the payroll table TVYP_ and its two data sources.
#include "payroll/dm_v.h"

#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/myconsts.h"
#include "payroll/calc/calc_fields.h"
#include "payroll/calc/validators.h"
#include "payroll/dm_vyp_context.h"
#include "payroll/dm_vyp_internal.h"
#include "platform/db/session.h"
#include "platform/errors.h"

#include <optional>

namespace tarix::payroll {


namespace {

QString textOf(const db::Field &f) { return f.asString(); }

std::optional<double> optionalNumber(const db::Field &f)
{
    return f.isNull() ? std::nullopt : std::optional<double>(f.asFloat());
}

} // namespace

void TDMV::setPayrollEvents()
{
    db::Table &t = TVYP_;
    watchDerivedInputs();

    t.afterOpen = [this](db::DataSet &) {
        m_adapter->reset();
        m_menaNacitane = false;
    };
    t.afterRefresh = [this](db::DataSet &) { m_menaNacitane = false; };

    t.beforeInsert = [this](db::DataSet &) {
        const EmployeeKey e = currentEmployee();
        if (!e.isValid())
            throw EMyError(Msg(65050));
        db::Session &s = TVYP_.session();
        const int open = detail::openPayrollPeriod(s);
        const int year = open / 100;
        const int month = open % 100;
        // The employee's payrolls of the period and the employee's row in one look; exactly
        // one payroll is a duplicate, as Existuje_vyplata counts. What is read here is what
        // the new record's defaults start from.
        auto n = std::make_unique<NewEmployee>(loadNewPayroll(e, year, month));
        if (!Bez_kontroly_duplicity && n->pocetVyplat == 1)
            throw EMyError(Msg(65071));
        if (n->vystup.isValid() && MyConsts::Obdobie_z_datumu(n->vystup) < year * 100 + month)
            throw EMyError(Msg(65051));
        m_vkladany = e;
        m_osobneCisla.insert(e.Code_emp, e.Code_numb);
        if (n->found)
            m_vyplata->keepEmployee(s, n->employee, n->bezZrazok, n->bezUkolov);
        m_novyZamestnanec = std::move(n);
    };
    t.onNewRecord = [this](db::DataSet &) { newPayrollRecord(); };

    t.beforeEdit = [this](db::DataSet &) { Kontrola_uzavierky(); };
    t.afterEdit = [this](db::DataSet &) { m_zrazkovaPotvrdena = false; };
    t.afterInsert = [this](db::DataSet &) { m_zrazkovaPotvrdena = false; };

    t.beforePostQuestions = [this](db::DataSet &) { TVYP_BeforePostQuestions(); };
    t.beforePost = [this](db::DataSet &) { TVYP_BeforePost(); };
    t.afterPost = [this](db::DataSet &) {
        m_zrazkovaPotvrdena = false;
        finishNewPayroll();
        if (!m_davka)
            refreshDetails();
    };

    t.beforeCancel = [this](db::DataSet &ds) {
        if (!m_davka) {
            Zrus_neukoncene_zmeny(TZRV_, 65168, true);
            Zrus_neukoncene_zmeny(THSU_, 65169, true);
        }
        m_zrusenyVklad.reset();
        if (ds.state() == db::DataSetState::Insert)
            m_zrusenyVklad = Vyplata{ds.fieldByName(QStringLiteral("Code_emp")).asInt(),
                                     ds.fieldByName(QStringLiteral("V_obdobie")).asInt()};
    };
    t.afterCancel = [this](db::DataSet &) {
        m_zrazkovaPotvrdena = false;
        // The details copied for a payroll that was never stored go with it.
        if (const auto cancelled = std::exchange(m_zrusenyVklad, std::nullopt)) {
            deleteDetailsOfDroppedPayroll(cancelled->codeEmp, cancelled->period);
            finishNewPayroll();
        }
        refreshDetails();
    };

    t.beforeDeleteQuestions = [this](db::DataSet &) { TVYP_BeforeDeleteQuestions(); };
    t.beforeDelete = [this](db::DataSet &) { TVYP_BeforeDelete(); };
    t.afterDelete = [this](db::DataSet &) { refreshDetails(); };

    t.onCalcFields = [this](db::DataSet &ds) {
        if (Rezim_importu || m_davka)
            return;
        PayRecord r = m_adapter->read(ds);
        computePayrollCalcFields(r, employeeFullName(r.Code_emp));
        m_adapter->writeCalculated(ds, r);
    };
    for (const char *name : {"MES", "MESROK", "CALC_TEXT_PREMII"})
        t.addCalculatedField(QString::fromLatin1(name), db::FieldType::String, 100);
    t.addCalculatedField(QStringLiteral("CALC_NETTO_ZRAZKY"), db::FieldType::Money);
    for (const char *name : {"CALC_PRIPL_NADCAS", "CALC_PRIPL_SOBOTA", "CALC_PRIPL_NEDELA",
                             "CALC_PRIPL_SVIATOK", "CALC_PRIPL_NOC", "CALC_PRIPL_SKODP"})
        t.addCalculatedField(QString::fromLatin1(name), db::FieldType::String, 20);
    for (const char *name : {"CALC_PRIPL1", "CALC_PRIPL2", "CALC_PRIPL3", "CALC_PRIPL4",
                             "CALC_PRIPL5", "CALC_V_FMES_HOD", "CALC_V_DEN_HOD", "CALC_HOD_ROZDIEL"})
        t.addCalculatedField(QString::fromLatin1(name), db::FieldType::String, 50);
    t.addCalculatedField(QStringLiteral("CALC_DAN"), db::FieldType::Money).setDisplayFormat(QStringLiteral("0.00"));
    t.addCalculatedField(QStringLiteral("CALC_KAL_DNI"), db::FieldType::Integer);

    // Display formats and labels of the stored fields.
    t.declareField(QStringLiteral("V_priemer2")).setDisplayFormat(QStringLiteral("0.0000"));
    db::Field &cdm = t.declareField(QStringLiteral("Cista_denna_mzda"));
    cdm.setDisplayFormat(QStringLiteral("0.0000"));
    cdm.setLabel(QStringLiteral("Čistá denná mzda"));
    t.declareField(QStringLiteral("N_oslobodeny")).setLabel(QStringLiteral("Príjem oslobod.od dane"));
    t.declareField(QStringLiteral("V_mesiace1"))
        .setLabel(QStringLiteral("Počet mesiacov, za ktoré sa vypláca jednorázová mzda 1"));
    t.declareField(QStringLiteral("V_mesiace2"))
        .setLabel(QStringLiteral("Počet mesiacov, za ktoré sa vypláca jednorázová mzda 2"));
    t.declareField(QStringLiteral("Rezerva1")).setDisplayFormat(QStringLiteral("0"));
    t.declareField(QStringLiteral("F_dan_sadzba1")).setDisplayFormat(QStringLiteral("0%"));
    for (const char *name : {"Miera_poklesu", "F_zdravot", "F_nemoc", "F_dochod", "F_fondz",
                             "F_invalid", "Fz_zdravot", "Fz_nemoc", "Fz_dochod", "Fz_fondz",
                             "Fz_invalid", "Fz_uraz", "Fz_rezerva", "Fz_garfond"})
        t.declareField(QString::fromLatin1(name)).setDisplayFormat(QStringLiteral("0.00%"));
    for (const char *name : {"F_pn_dni", "F_pn1", "F_pn2", "F_ocr", "F_uraz"})
        t.declareField(QString::fromLatin1(name)).setDisplayFormat(QStringLiteral("0%"));

    // Field checks.
    for (const char *name : {"V_den", "V_holiday", "V_absencia"}) {
        t.declareField(QString::fromLatin1(name)).onValidate = [this](db::Field &f) {
            try {
                Kontrola_desatinnej_casti(optionalNumber(f));
            } catch (const EMyError &e) {
                rejectPayroll(e.text());
            }
        };
    }
    t.declareField(QStringLiteral("F_typ_premii")).onValidate = [](db::Field &f) {
        TVYP_F_typ_premiiValidate(f.asInt());
    };
    for (const char *name : {"U_zdrav", "U_nemoc", "U_dochod", "U_fondzam", "U_invalid"})
        t.declareField(QString::fromLatin1(name)).onValidate = [](db::Field &f) {
            TVYP_U_poistenieValidate(f.asInt());
        };
    t.declareField(QStringLiteral("U_rezerva")).onValidate = [](db::Field &f) {
        TVYP_U_poistenie2Validate(f.asInt());
    };
    t.declareField(QStringLiteral("VYNIMKA_VZ")).onValidate = [](db::Field &f) {
        TVYP_VYNIMKA_VZValidate(textOf(f), f.dataSet().fieldByName(QStringLiteral("V_obdobie")).asInt());
    };
    t.declareField(QStringLiteral("V_nepoisteny")).onValidate = [](db::Field &f) {
        TVYP_V_nepoistenyValidate(f.asInt(), f.dataSet().fieldByName(QStringLiteral("V_obdobie")).asInt());
    };

    // While a payroll is edited the payroll grid and the employee grid stand still.
    DS_VYPL.onStateChange = [this](db::DataSource &source) {
        const bool editing = source.state() == db::DataSetState::Edit
                             || source.state() == db::DataSetState::Insert;
        DS_VGRID.setEnabled(!editing);
        if (core::hasDMZ())
            core::DMZ().DS_ZAMF.setEnabled(!editing);
    };
    // The detail tables follow the payroll of the grid.
    DS_VGRID.onDataChange = [this](db::DataSource &, db::Field *field) {
        if (!field)
            limitDetails(false);
    };
}

void TDMV::limitDetails(bool vzdy)
{
    const EmployeeKey e = currentEmployee();
    // The record being inserted counts too, so that the rows copied into it show.
    const int period = TVYP_.isActive() && (TVYP_.isEditing() || !TVYP_.isEmpty())
                           ? TVYP_.fieldByName(QStringLiteral("V_obdobie")).asInt()
                           : 0;
    if (!vzdy && m_rozsah.codeEmp == e.Code_emp && m_rozsah.codeNumb == e.Code_numb
        && m_rozsah.period == period && THSU_.hasRange() && TZRV_.hasRange())
        return;
    // Exactly the rows of this payroll: the end key's last field one higher.
    if (THSU_.isActive() && !THSU_.isEditing()) {
        THSU_.setFiltered(false);
        THSU_.setRange({period, e.Code_numb, e.Code_emp}, {period, e.Code_numb, e.Code_emp + 1});
        THSU_.first();
    }
    if (TZRV_.isActive() && !TZRV_.isEditing()) {
        TZRV_.setFiltered(false);
        TZRV_.setRange({e.Code_emp, period}, {e.Code_emp, period + 1});
        TZRV_.first();
    }
    m_rozsah = {e.Code_emp, e.Code_numb, period};
}

void TDMV::TVYP_BeforeDeleteQuestions()
{
    Kontrola_uzavierky();
    if (!MyConsts::Otazka_ano_nie(Msg(65040)) || !MyConsts::Otazka_ano_nie(Msg(65041)))
        throw EMyError(Msg(65042));
}

void TDMV::TVYP_BeforeDelete()
{
    // The payroll's deductions and piece-work items go in the delete's own transaction.
    const int codeEmp = TVYP_.fieldByName(QStringLiteral("Code_emp")).asInt();
    const int period = TVYP_.fieldByName(QStringLiteral("V_obdobie")).asInt();
    db::Session &s = TVYP_.session();
    const db::Params key{{QStringLiteral("e"), codeEmp}, {QStringLiteral("p"), period}};
    s.execute(QStringLiteral("delete from \":tarix_data:zrv\" where code_emp = :e and v_obdobie = :p"), key);
    s.execute(QStringLiteral("delete from \":tarix_data:hsu\" where v_obdobie = :p and code_emp = :e"), key);
}

void TDMV::Zrus_neukoncene_zmeny(db::DataSet &detail, int questionId, bool abortOnNo)
{
    Zrusit_zmeny_detailu = true;
    if (!detail.isActive() || !detail.isEditing())
        return;
    if (MyConsts::Otazka_ano_nie(Msg(questionId))) {
        detail.cancel();
        return;
    }
    Zrusit_zmeny_detailu = false;
    if (abortOnNo)
        throw EAbort();
}

void TDMV::refreshDetails()
{
    for (db::Table *t : {&TZRV_, &THSU_})
        if (t->isActive() && !t->isEditing())
            t->refresh();
}

} // namespace tarix::payroll
