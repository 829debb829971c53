// The annual income-tax settlement of an employee (Rzp): a new record pre-filled from the
// year's payroll sums, its computation by the rules of its year, the calculated result
// fields and the refusals of inserting, changing and deleting.
#include "payroll/dm_v.h"

#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/myconsts.h"
#include "core/helpers/parameters.h"
#include "payroll/calc/settlement_allowances.h"
#include "payroll/calc/tax_bands.h"
#include "payroll/dm_vyp_context.h"
#include "payroll/dm_vyp_internal.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/number_format.h"

#include <algorithm>

namespace tarix::payroll {

namespace {

const QString kRokField = QStringLiteral("V_rok");

// Fields set to 0 in a new settlement (the rest stay blank until the pre-fill).
const char *const kNulovePolia[] = {
    "Ciastzd1",   "Ciastzd2",        "Ciastzd_spolu", "Nc_minimum",       "Nc_deti",
    "Nc_partner", "Nc_invalid_ciast", "Nc_invalid_ztp", "Nc_dary",          "Nc_spolu",
    "Zdanmzda",   "Zdanmzda_round",  "Dan",           "Preddavky1",       "Preddavky2",
    "Uhrn_preddavkov", "Preplatok",  "Uhrn_nepenaznych", "Nedoplatok_nepenaznych",
    "D_bonus_narok", "D_bonus_cerpany", "Nc_ucelove_sporenie", "Nc_zivotne_poistenie",
    "Nc_do_limitu"};

// Fields the settlement fills from the year's payrolls or computes from the other fields;
// the clerk types only the rest.
const char *const kComputedFields[] = {
    "Uhrn_brutto", "Poistne",         "DDP",          "Ciastzd1",       "Ciastzd_spolu",
    "Nc_do_limitu", "Nc_spolu",       "Zdanmzda",     "Zdanmzda_round", "Dan",
    "Preddavky1",  "Uhrn_preddavkov", "D_bonus_narok", "D_bonus_cerpany", "Preplatok"};

const char *const kCalcMoney[] = {"CALC_BONUS_PREPL", "CALC_BONUS_NEDOPL", "CALC_DAN_PREPL",
                                  "CALC_DAN_NEDOPL",  "CALC_BB_PREPL",     "CALC_BB_NEDOPL"};

// The cap of savings, life insurance and supplementary pension together (from 2005).
constexpr double kLimitSporenia = 12000.0;

double clip(double v) { return MyConsts::Zaokruhli_sumu(0, MyConsts::Nadol, v); }

int openYear(db::Session &s)
{
    if (core::hasDM())
        return core::DM().Aktualny_rok();
    return detail::openPayrollPeriod(s) / 100;
}

} // namespace

void TDMV::setRzpEvents()
{
    db::Table &t = TRZP_;
    t.addCalculatedField(QStringLiteral("CALC_PREPLATOK"), db::FieldType::String, 50);
    for (const char *name : kCalcMoney)
        t.addCalculatedField(QString::fromLatin1(name), db::FieldType::Money)
            .setDisplayFormat(QStringLiteral("0"));
    for (const char *name : kNulovePolia)
        t.declareField(QString::fromLatin1(name)).setDisplayFormat(QStringLiteral("0"));
    for (const char *name : kComputedFields)
        t.declareField(QString::fromLatin1(name)).setComputed(true);
    DS_RZP.autoEdit = false;

    t.beforeInsert = [this](db::DataSet &) {
        db::Session &s = TRZP_.session();
        const int rok = openYear(s);
        if (rok < 2002)
            throw EMyError(Msg(65060));
        const EmployeeKey e = currentEmployee();
        XRZP_.close();
        XRZP_.setParam(QStringLiteral("p1"), e.Code_emp);
        XRZP_.setParam(QStringLiteral("p2"), rok);
        XRZP_.open();
        const int pocet = XRZP_.fieldByName(QStringLiteral("pocet")).asInt();
        XRZP_.close();
        if (pocet > 0)
            throw EMyError(Msg(65056));
    };
    t.onNewRecord = [this](db::DataSet &ds) {
        ds.setValue(QStringLiteral("Code_emp"), currentEmployee().Code_emp);
        ds.setValue(kRokField, openYear(TRZP_.session()));
        for (const char *name : kNulovePolia)
            ds.setValue(QString::fromLatin1(name), 0.0);
    };
    t.afterInsert = [this](db::DataSet &ds) {
        const int rok = ds.fieldByName(kRokField).asInt();
        const int codeEmp = ds.fieldByName(QStringLiteral("Code_emp")).asInt();
        db::Query &q = rok < 2006 ? QRZP_ : QRZP07_;
        q.close();
        q.setParam(QStringLiteral("p1"), codeEmp);
        q.setParam(QStringLiteral("p2"), rok);
        q.open();
        auto sum = [&q](const char *name) { return q.fieldByName(QString::fromLatin1(name)).asFloat(); };
        const double vyrovnanieZp = sum("vyrovnanie_zp");
        // 2006 taxed a positive health-insurance settlement through the annual settlement.
        const double pridavokZp = rok == 2006 && vyrovnanieZp > 0 ? vyrovnanieZp : 0.0;
        auto set = [&ds](const char *name, double v) { ds.setValue(QString::fromLatin1(name), v); };
        if (rok < 2006) {
            set("Ciastzd1", sum("d_ciastzd"));
            set("Preddavky1", sum("d_preddavok"));
            set("Uhrn_brutto", rok >= 2005 ? sum("n_brutto") - sum("n_ddp") : sum("n_brutto"));
        } else {
            set("Ciastzd1", sum("d_ciastzd") + pridavokZp);
            set("Preddavky1", sum("d_preddavok") + sum("d_dan"));
            set("Uhrn_brutto", sum("n_brutto") + pridavokZp);
        }
        set("Pom_nc_minimum", sum("nc_minimum"));
        set("Pom_nc_deti", sum("nc_deti"));
        set("Pom_nc_ine", sum("nc_ine"));
        set("Poistne", sum("n_poist"));
        set("DDP", sum("n_ddp"));
        set("Uhrn_osobitna", sum("d_osobitna"));
        set("Dan_osobitna", sum("d_dan"));
        set("D_bonus_narok", sum("d_bonus_narok"));
        set("D_bonus_cerpany", sum("d_bonus_cerpany"));
        q.close();
        const db::SqlResult vyhl = TRZP_.session().run(
            QStringLiteral("select vyhl from \":tarix_data:zam\" where code_emp = :e"),
            {{QStringLiteral("e"), codeEmp}});
        if (vyhl.rowCount() > 0 && vyhl.asBoolean(0, 0))
            set("Nc_minimum", MyConsts::Parametre(23).Hodnota * 12);
        Vypocet_rocneho_zuctovania();
    };
    auto pred2002 = [](db::DataSet &ds) {
        if (ds.fieldByName(kRokField).asInt() < 2002)
            throw EMyError(Msg(65060));
    };
    t.beforeEdit = pred2002;
    t.beforePost = [this](db::DataSet &) { Vypocet_rocneho_zuctovania(); };
    t.beforeDeleteQuestions = [pred2002](db::DataSet &ds) {
        pred2002(ds);
        if (!MyConsts::Otazka_ano_nie(Msg(65057)) || !MyConsts::Otazka_ano_nie(Msg(65058)))
            throw EMyError(Msg(65059));
    };
    t.onCalcFields = [](db::DataSet &ds) {
        const int rok = ds.fieldByName(kRokField).asInt();
        const double preplatok = ds.fieldByName(QStringLiteral("Preplatok")).asFloat();
        if (rok < 2004) {
            const QString text = fmt::formatFloat(u"0", preplatok);
            ds.setValue(QStringLiteral("CALC_PREPLATOK"),
                        preplatok < 0 ? text : QStringLiteral("+ ") + text);
            return;
        }
        for (const char *name : kCalcMoney)
            ds.setValue(QString::fromLatin1(name), 0.0);
        auto dvojica = [&ds](double v, const char *kladne, const char *zaporne) {
            if (v > 0)
                ds.setValue(QString::fromLatin1(kladne), v);
            else
                ds.setValue(QString::fromLatin1(zaporne), -v);
        };
        const double bonus = ds.fieldByName(QStringLiteral("D_bonus_narok")).asFloat()
                             - ds.fieldByName(QStringLiteral("D_bonus_cerpany")).asFloat();
        dvojica(bonus, "CALC_BONUS_PREPL", "CALC_BONUS_NEDOPL");
        dvojica(preplatok, "CALC_DAN_PREPL", "CALC_DAN_NEDOPL");
        dvojica(preplatok - bonus, "CALC_BB_PREPL", "CALC_BB_NEDOPL");
    };
    DS_RZP.onStateChange = [this](db::DataSource &source) {
        const bool editing = source.state() == db::DataSetState::Edit
                             || source.state() == db::DataSetState::Insert;
        DS_RGRID.setEnabled(!editing);
        if (core::hasDMZ())
            core::DMZ().DS_ZAMF.setEnabled(true);
    };

    XRZP_.setSql(QStringLiteral("select count(*) pocet from rzp where code_emp = :p1 and v_rok = :p2"));
    const QString sumy = QStringLiteral(
        "sum(d_preddavok) d_preddavok, sum(nc_minimum) nc_minimum, sum(nc_deti) nc_deti, "
        "sum(nc_ine) nc_ine, sum(n_poist) n_poist, sum(n_ddp) n_ddp, ");
    const QString koniec = QStringLiteral(
        "sum(d_ciastzd2) d_osobitna, sum(d_dan) d_dan, sum(d_bonus_predpis) d_bonus_narok, "
        "sum(d_bonus_cerpany) d_bonus_cerpany, sum(vyrovnanie_zp) vyrovnanie_zp from vyp where "
        "code_emp = :p1 and v_obdobie between :p2 * 100 + 1 and :p2 * 100 + 12");
    QRZP_.setSql(QStringLiteral("select sum(d_ciastzd) d_ciastzd, ") + sumy
                 + QStringLiteral("sum(d_ciastzd-d_ciastzd2+n_poist+n_ddp) n_brutto, ") + koniec
                 + QStringLiteral(" and dan_vyrovnana=0"));
    QRZP07_.setSql(QStringLiteral("select sum(d_ciastzd+d_ciastzd2) d_ciastzd, ") + sumy
                   + QStringLiteral("sum(d_ciastzd+d_ciastzd2+n_poist) n_brutto, ") + koniec);
}

void TDMV::Vypocet_rocneho_zuctovania()
{
    db::Table &t = TRZP_;
    if (!t.isEditing())
        return;
    auto get = [&t](const char *name) { return t.fieldByName(QString::fromLatin1(name)).asFloat(); };
    auto set = [&t](const char *name, double v) { t.fieldByName(QString::fromLatin1(name)).setValue(v); };
    const int rok = t.fieldByName(kRokField).asInt();

    // 1. the partial base from employment
    if (rok >= 2005)
        set("Ciastzd1", get("Uhrn_brutto") - get("Poistne"));
    else if (rok >= 2002)
        set("Ciastzd1", get("Uhrn_brutto") - get("Poistne") - get("DDP"));
    // 2. the tax base
    double zaklad = get("Ciastzd1") + get("Ciastzd2");
    if (rok >= 2004)
        zaklad = clip(zaklad);
    set("Ciastzd_spolu", zaklad);
    // 3. the non-taxable amounts
    double ncSpolu = 0.0;
    if (rok < 2004) {
        ncSpolu = get("Nc_minimum") + get("Nc_deti") + get("Nc_partner") + get("Nc_invalid_ciast")
                  + get("Nc_invalid_ztp") + get("Nc_dary");
    } else {
        // Only the annual settlement reduces them; the entered amounts stay as entered.
        const SettlementAllowances used =
            settlementAllowances(rok, zaklad, get("Nc_minimum"), get("Nc_partner"));
        ncSpolu = used.taxpayer + used.spouse;
        if (rok >= 2005) {
            const double doLimitu =
                std::min(kLimitSporenia, get("Nc_ucelove_sporenie") + get("Nc_zivotne_poistenie") + get("DDP"));
            set("Nc_do_limitu", doLimitu);
            ncSpolu += doLimitu;
        }
    }
    set("Nc_spolu", ncSpolu);
    // 4.-6. taxable income and the tax from the bands
    const double zdanmzda = std::max(0.0, zaklad - ncSpolu);
    set("Zdanmzda", zdanmzda);
    const double zaokruhlena =
        rok < 2004 ? MyConsts::Zaokruhli_sumu(2, MyConsts::Nadol, zdanmzda) : clip(zdanmzda);
    set("Zdanmzda_round", zaokruhlena);
    db::Session &s = t.session();
    double dan = Dan_podla_pasiem(Nacitaj_danove_pasma(s), iniSettings().milionarskaDan,
                                  detail::openPayrollPeriod(s), false, zaokruhlena);
    if (rok >= 2004)
        dan = clip(dan);
    set("Dan", dan);
    // 7.-8. advances and the result
    const double preddavky = get("Preddavky1") + get("Preddavky2");
    set("Uhrn_preddavkov", preddavky);
    if (rok < 2004)
        set("Preplatok", preddavky - dan - get("Nedoplatok_nepenaznych") - get("Nedoplatok_nepen2"));
    else
        set("Preplatok", preddavky - dan - get("D_bonus_cerpany") + get("D_bonus_narok"));
}

} // namespace tarix::payroll
