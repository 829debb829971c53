#pragma once
// The payroll data module TDMV: the payroll table Vyp (one record per employee and month)
// with its deductions (Zrv) and piece-work items (hsu) of the month, the piece-work code
// tables (Cis_uk, zam_uk), the settlement table (Rzp), the bulk-entry buffer (Hsv) and the
// queries that read earlier payrolls.
//
// Every payroll record is stored freshly computed: the post handler of TVYP_ builds the
// calculation's context explicitly (the employee read by key, the firm header, the year's
// Setup and tax bands, the statutory slots, the TRX.INI surcharge table, the record's
// deductions and piece-work items), runs the calculation and writes the result into the
// record and the deduction amounts into the Zrv rows, all inside the post's transaction.
// The payroll screen, bulk posting, import and batch recalculation all post through it, so
// the same inputs give the same stored record whichever way it was made.
//
// No transaction is held while the user answers: the post and delete handlers ask their
// questions (withholding tax 65043, the day/hour and closing-date refusals, 65040/65041)
// first, with the dataset's own still-empty transaction closed, and begin it again before
// they read or write. A batch run asks nothing per record.
#include "core/data_module.h"
#include "payroll/calc/context.h"
#include "payroll/calc/derived_inputs.h"
#include "payroll/calc/vyp_record.h"
#include "platform/db/sql_result.h"

#include <QDate>
#include <QHash>
#include <QStringList>

#include <memory>
#include <optional>

namespace tarix::db {
class Claim;
}

namespace tarix::payroll {

class PayrollRecordAdapter;
class SharedContextCache;
class MonthDetails;
class RecordDetails;
struct NewEmployee;
struct PeriodSums;

// An employee by the key of Zam.
struct EmployeeKey {
    int Code_numb = 0;
    int Code_emp = 0;
    bool isValid() const { return Code_emp != 0; }
};

class TDMV : public core::DataModule {
public:
    TDMV();
    ~TDMV() override;

    // ---- components ---------------------------------------------------------------------
    db::Table &TVYP_;      // Vyp.DB (TARIX_DATA), payroll records
    db::Table &TRZP_;      // Rzp.DB, annual tax settlements (index fields Code_emp)
    db::Table &THSV_;      // Hsv.DB (TARIX_PRIV), bulk-entry buffer
    db::Table &TZRV_;      // Zrv.db, deductions of the month
    db::Table &TCUK_;      // Cis_uk.DB, piece-work tasks
    db::Table &TZUK_;      // zam_uk.DB, tasks assigned to employees
    db::Table &THSU_;      // hsu, piece-work items of the month
    db::Query &QVYP_;      // one employee's payroll of one month
    db::Query &QPRX_;      // sums of an employee's earlier payrolls
    db::Query &QPRY1_;     // monthly shares of one-off payment 1
    db::Query &QPRY2_;     // monthly shares of one-off payment 2
    db::Query &QPOCZ_;     // number of an employee's payrolls
    db::Query &QPOCM_;     // number of payrolls of a month
    db::Query &QEXP_;      // all payrolls of a month (exports)
    db::Query &QCDM_;      // per-employee sums for the average daily earnings
    db::Query &QDDP1_;     // supplementary-pension totals per company
    db::Query &QPPP_;      // filled at run time
    db::Query &QRZP_;      // settlement queries (their texts belong to the settlement)
    db::Query &QRZP07_;
    db::Query &XRZP_;
    db::Query &QHSV1_;     // bulk entry: existing payrolls
    db::Query &QHSV2_;     // bulk entry: employees of the month without a payroll
    db::Query &QZRV_;      // live deductions of one payroll
    db::Query &QHSU1_;
    db::Query &QHSU2_;
    db::Query &QHSU3_;     // piece-work total of one payroll
    db::Query &QHSU4_;     // unit price of a task: the employee's first, the code list's second
    db::DataSource &DS_VYPL;
    db::DataSource &DS_VGRID;
    db::DataSource &DS_CDM;
    db::DataSource &DS_RZP;
    db::DataSource &DS_RGRID;
    db::DataSource &DS_HSV;
    db::DataSource &DS_ZRV;
    db::DataSource &DS_ZRVG;
    db::DataSource &DS_CUK;
    db::DataSource &DS_ZUK;
    db::DataSource &DS_HSU;
    db::DataSource &DS_HSUG;

    // ---- module state -------------------------------------------------------------------
    // Inserting a payroll record skips the check for an existing payroll of the month.
    bool Bez_kontroly_duplicity = false;
    // Survey-takers' import: no calculated fields, piece-work neither copied nor summed.
    bool Rezim_importu = false;
    // Pending edits of a detail table were dropped (read by the payroll screen).
    bool Zrusit_zmeny_detailu = false;
    // Set by the program just before each of its own inserts into Hsv or hsu.
    bool Povolene_vlozenie = false;
    // Totals by type of the deductions of the last calculation.
    DeductionSums Sumy_zrazok;

    // ---- the current employee -----------------------------------------------------------
    // The employee a new payroll record is made for: the one set here, or (none set) the
    // current row of the employee module's TZAM_ when that module exists.
    void setEmployee(int codeNumb, int codeEmp);
    EmployeeKey currentEmployee() const;
    // The personal number of an employee, read by key (remembered, checked on every use);
    // 0 when the employee does not exist.
    int employeePersonalNumber(int codeEmp);

    // ---- calculation --------------------------------------------------------------------
    // Computes the current payroll record of TVYP_ while it is in edit or insert state:
    // the results go into the record's fields; the deduction rows show their amounts
    // through CALC_VYP_SUMA, their stored amounts change only with the record's post.
    // Does nothing in browse state. A step's refusal raises EMyError (the record keeps
    // what it had before the call).
    void Vypocet_vyplaty();
    // The context of a payroll record as the calculation reads it now.
    CalcContext payrollContext(const PayRecord &record);
    // The current record of TVYP_ and its computed copy (nothing is written).
    PayRecord currentPayroll() const;
    PayRecord computedCopy(const PayRecord &record);

    // ---- guards and lookups -------------------------------------------------------------
    // The closing-date rule for the current payroll record (error box 65134 and a silent
    // abort for a month up to the closing date).
    void Kontrola_uzavierky();
    // The firm's closing date (null when blank) and its period (0 when blank).
    QDate closingDate();
    int closedPeriod();
    // Offers to drop pending edits of a detail table (question `questionId`); with
    // `abortOnNo` a No aborts the calling operation silently.
    void Zrus_neukoncene_zmeny(db::DataSet &detail, int questionId, bool abortOnNo);
    bool Existuje_vyplata(int codeEmp, int year, int month);
    int Pocet_vyplat_zamestnanca(int codeEmp);
    bool Znizena_sadzba_zp(int period, bool flag, double value) const;
    // The health-insurance statement's test of its second row (period, ZTP flag, degree of
    // reduced working capacity): the same rule as Znizena_sadzba_zp.
    bool Nad_hranicou_prijmu(int period, bool flag, double value) const;

    // ---- new record helpers -------------------------------------------------------------
    int Fond_pracovnych_dni(int month);
    int Pocet_sviatkov(int month);
    void Dopln_fond_mesiaca();
    // `known`, when given, holds sums already read (used when they are of the same periods).
    double Priemerny_zarobok(int codeEmp, int firstPeriod, bool flag, int lastPeriod,
                             const PeriodSums *known = nullptr);
    void Vypocet_stvrtrocneho_priemeru(const PeriodSums *known = nullptr);
    double Vypocet_pravdepodobneho_zarobku(int codeEmp, int firstPeriod, bool flag, int lastPeriod);
    void Dopln_pravdepodobny_zarobok();

    // ---- deductions and piece-work ------------------------------------------------------
    // The amount of one deduction row against the current payroll record.
    double Suma_zrazky(double suma, int typSumy) const;
    // Replaces the deduction rows of payroll (codeEmp, period) by the employee's standing
    // deductions valid in that period; one transaction. Rows of an existing payroll are
    // never touched.
    void Kopiruj_trvale_zrazky(int codeEmp, int period);
    // Clears the details a new payroll of this workstation left behind when the program
    // ended before the payroll was stored or cancelled.
    void cleanUpUnfinishedPayroll();
    // Replaces the piece-work items of payroll (period, employee) by the employee's
    // assigned tasks with count 0; one transaction. Skipped in import mode.
    void Kopiruj_ukolove_polozky(int period, const EmployeeKey &employee);
    // Narrows the month's deductions and piece-work to the current payroll record (also one
    // being inserted); skipped when they already show it, unless `vzdy`.
    void limitDetails(bool vzdy = false);

    // ---- batch recalculation of the open month ------------------------------------------
    // Recomputes and stores the selected payroll records of the open month (mode 0 all,
    // 1 with D_vyrovnanie, 2 with Vyrovnanie_zp, 3 with Rezerva1 = 1). Keys first, then one
    // record after another, all in one transaction; the first failure rolls every record
    // back and raises EMyError naming the employee (personal number and name) and the
    // cause, whatever failed. Returns the number of records stored.
    int Prepocitanie_vyplat(int mode);
    // The same for the open cost-centre range, deciding withholding tax or advance per
    // record.
    int Rozdelenie_dane();
    // Writes into every employee's card (PN_DENNE of Zam) the average daily earnings of
    // the year before `year`: the sick-pay base of his payrolls of that year per calendar
    // day not spent sick, caring or on sickness compensation, to four decimals. Employees
    // without payrolls in that year or without such days keep their value. One transaction:
    // a failure changes no card and raises EMyError naming the employee and the cause.
    void Vypocet_cistej_dennej_mzdy(int year);

    // True while a batch run is computing (no questions, no per-record refreshes).
    bool batchMode() const { return m_davka; }

    // ---- annual tax settlement, its posting and bulk entry (dm_vyp_rzp*.cpp, dm_vyp_hsv.cpp)
    // Computes the current settlement of TRZP_ by the rules of its year while it is in edit
    // or insert state; nothing in browse state.
    void Vypocet_rocneho_zuctovania();
    // Post the results of last year's settlements (tax: Rzp.Preplatok into D_vyrovnanie;
    // health insurance: -X1 of the "VV" rows of Zp_univ into Vyrovnanie_zp) into the payrolls
    // of the open period, recalculate those payrolls and write the protocol rzpYYYY.txt.
    void Zauctovanie_preplatkov_dane();
    void Zauctovanie_preplatkov_zp();
    // The protocol file of the settlement year `year` (folder "vystupy" of the program).
    static QString postingProtocol(int year);
    // Bulk entry: fills Hsv for the open period and centre range; posts its marked rows.
    void Napln_hsv();
    void Uctuj_hsv();
    void Uctuj_riadok_hsv();
    // Payroll records written by the last Uctuj_hsv.
    int Pocet_zauctovanych = 0;
    // The marked rows the last Uctuj_hsv could not post, each as "<Os.č.> <name>: <reason>"
    // (its employee deleted or renumbered since the fill, a refusal of the payroll's checks).
    const QStringList &rowsNotPosted() const { return m_rowsNotPosted; }

private:
    QStringList m_rowsNotPosted;
    friend class BatchScope;

    void setPayrollEvents();
    void setDetailEvents();
    void postChecks(const PayRecord &computed); // the checks of a post on the computed record
    void TVYP_BeforePostQuestions();
    void TVYP_BeforePost();
    void TVYP_BeforeDeleteQuestions();
    void TVYP_BeforeDelete();
    void newPayrollRecord();              // OnNewRecord
    // What a new record of employee `e` in the month looks at, in one statement: the guard's
    // count, the employee's row, the children, the sums of the quarterly average.
    NewEmployee loadNewPayroll(const EmployeeKey &e, int year, int month);
    // The alias the sums of earlier payrolls from firstPeriod on are read through.
    QString aliasSum(int firstPeriod);
    void refreshDetails();
    void deleteDetailsOfDroppedPayroll(int codeEmp, int period);
    // The note of a new payroll whose copied details are stored before it (dm_vyp_pending.cpp).
    void markNewPayroll(int codeEmp, int period);
    void dropNewPayrollMark();
    // The claim on the employee's new payroll of the period, held from before its details are
    // copied until it is stored or cancelled: another program making the same payroll is
    // refused (rejectPayroll, naming the employee) before it touches a row. Inside a larger
    // transaction nothing is claimed, as nothing is noted.
    void claimNewPayroll(int codeEmp, int period);
    // The new payroll is stored, cancelled or abandoned: its note and its claim go.
    void finishNewPayroll();
    [[noreturn]] void rejectPayroll(const QString &text); // error box + silent abort, or EMyError in a batch
    void sharedContext(CalcContext &c);
    const CalcContext &prepareContext(const PayRecord &record);
    // The computation into the record; with `zapisatZrazky` (the post) also the deduction
    // amounts into the Zrv rows.
    PayRecord computeAndPost(bool zapisatZrazky);
    // The record as the calculation takes it: the inputs it derived itself zeroed.
    PayRecord calculationInput(const PayRecord &record, const CalcContext &c) const;
    // Notes the clerk's typing into the inputs the calculation may derive.
    void watchDerivedInputs();
    // One of the sums queries (QPRX_, QPRY1_, QPRY2_) over the periods firstPeriod..lastPeriod.
    db::SqlResult earlierPayrollSums(const db::Query &query, const QString &alias, int codeEmp, int firstPeriod,
                                     int lastPeriod);
    int recomputeMonth(int period, const QString &condition, const db::Params &conditionParams,
                          bool taxSplit);
    QString employeeFullName(int codeEmp);
    // Settlement and bulk-entry events (dm_vyp_rzp.cpp, dm_vyp_hsv.cpp).
    void setRzpEvents();
    void setHsvEvents();
    void postOverpayments(bool zdravotne);

    std::unique_ptr<PayrollRecordAdapter> m_adapter;
    std::unique_ptr<SharedContextCache> m_spolocny; // the firm's and year's part of the context
    std::unique_ptr<MonthDetails> m_mesiac;         // the month's details during a batch run
    std::unique_ptr<RecordDetails> m_vyplata;       // the details of the record computed last
    bool m_kontextZMesiaca = false;                 // the last context came from m_mesiac
    EmployeeKey m_zamestnanec;             // set by setEmployee
    EmployeeKey m_vkladany;                // the employee of the record being inserted
    std::unique_ptr<NewEmployee> m_novyZamestnanec; // what its guard read, for its defaults
    QHash<int, int> m_osobneCisla;             // Code_emp -> Code_numb
    QHash<int, QString> m_mena;                // Code_emp -> display name (calculated fields)
    bool m_menaNacitane = false;
    bool m_zrazkovaPotvrdena = false;          // 65043 answered yes for the pending record
    struct Vyplata {
        int codeEmp = 0, period = 0;
    };
    std::optional<Vyplata> m_zrusenyVklad;    // the insert being cancelled
    QString m_poznamka;                       // the note of a new payroll this module wrote
    std::unique_ptr<db::Claim> m_claim;       // the claim on the new payroll being made
    bool m_davka = false;
    CalcContext m_kontext; // the context of the last computation (its common part kept in a batch)
    DerivedInputs m_derivedInputs; // the inputs of the edited record the calculation derived
    bool m_writingCalculation = false; // the calculation's results are being written
    std::optional<QDate> m_davkovaUzavierka;
    struct DetailRange {
        int codeEmp = -1, codeNumb = -1, period = -1;
    } m_rozsah;
};

// The batch state of the module for the scope of one run of the program's own posts (batch
// recalculation, the survey-takers' import): nothing is asked per record, a refusal comes
// back as EMyError, the common part of the context and the closing date are read once.
// Given a period (the batch recalculation), the month's employees, deductions and
// piece-work are read once too and used while nothing they came from changes.
class BatchScope {
public:
    explicit BatchScope(TDMV &dm);
    BatchScope(TDMV &dm, int period);
    ~BatchScope();
    BatchScope(const BatchScope &) = delete;
    BatchScope &operator=(const BatchScope &) = delete;

private:
    TDMV &m_dm;
};

// The process-wide instance (created fourth at start-up).
TDMV &DMV();
bool hasDMV();
void createDMV();
void destroyDMV();

} // namespace tarix::payroll
