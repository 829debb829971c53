#pragma once
// The employee data module TDMZ: the employee table (Zam) and the employee's detail tables
// (children, standing deductions, absences, pension entitlements, pension-insurance record
// lines, and the health-insurance settlement records), with the defaults, internal numbers,
// validations and refusals of their events.
//
// The module never moves or re-filters a dataset it does not own as a side effect of an
// event; look-ups of other rows run as key queries. Questions go through platform/ui.
#include "core/data_module.h"
#include "platform/errors.h"

#include <QString>
#include <functional>

namespace tarix::core {

// A refusal of a post that names the field the employee card turns to and focuses.
class EItemError : public EMyError {
public:
    EItemError(const QString &text, const QString &field) : EMyError(text), m_field(field) {}
    const QString &faultyItem() const noexcept { return m_field; }

private:
    QString m_field;
};

class TDMZ : public DataModule {
public:
    TDMZ();
    ~TDMZ() override;

    // ---- tables (alias TARIX_DATA) --------------------------------------------------------
    db::Table &TZAM_;  // Zam.DB, employees
    db::Table &TDET_;  // Deti.db, children
    db::Table &TZRZ_;  // Zrz.db, standing deductions
    db::Table &TNEP_;  // nep.db, absences and registration-list events
    db::Table &TDOCH_; // DOCH.db, pension entitlements
    db::Table &TELDP_; // ELDP.db, pension-insurance record lines
    db::Table &TZP1_;  // Zp_znec.db, health-insurance settlement requests
    db::Table &TZP2_;  // Zp_pstat.db, periods without health insurance
    db::Table &TZP3_;  // Zp_univ.DB, universal records of the health-insurance forms
    db::Table &TZP4_;  // Zp_tab.db, monthly basis of the advance certificate
    db::Table &TZP5_;  // Davka601.DB, change reports to the health insurer

    db::Query &QCODE1_; // largest internal number among the employees
    db::Query &QCODE2_; // largest internal number among the payroll records
    db::Query &QDET2_;  // numbers of an employee's children by claim

    // ---- data sources -----------------------------------------------------------------------
    db::DataSource &DS_ZAM1;  // the employee card (detail tables link to it)
    db::DataSource &DS_ZGRID; // the right-hand employee list
    db::DataSource &DS_ZAMF;  // the employee choice (payroll screen, choice page)
    db::DataSource &DS_DETI, &DS_DGRID;
    db::DataSource &DS_ZRZ, &DS_ZRZG;
    db::DataSource &DS_NEP, &DS_NEPG, &DS_NEP2;
    db::DataSource &DS_DOCH;
    db::DataSource &DS_ELDP;
    db::DataSource &DS_ZP1, &DS_ZP2, &DS_ZP3, &DS_ZP4, &DS_ZP5;

    // ---- employees --------------------------------------------------------------------------
    // The larger of the largest internal numbers of employees and of payroll records (0 for
    // none); a new employee gets it + 1.
    int Max_kod_zamestnanca();
    // Code_emp of the current employee of TZAM_; EMyError 65050 when there is none (empty
    // table, or a new employee not posted yet).
    int currentEmployeeCode() const;

    // Employee filters of the main window's views.
    void Nastav_filter_zamestnancov(const QString &filter);
    void Uloz_filter_zamestnancov();
    void Obnov_filter_zamestnancov();

    // Moves TZAM_ to the employee with personal number n and returns true; false when no
    // employee has it (the cursor then stands on personal number n + 1 when there is one,
    // else on the first row).
    bool Najdi_osobne_cislo(int n);

    // List entry of an employee: surname, name, title, "(zruš.)" for one who left, "," and
    // the personal number. Read by key; empty when no employee has that internal number.
    QString listItem(int codeEmp) const;

    // ---- children ---------------------------------------------------------------------------
    // Numbers of the current employee's children with ZNIZ_POISTNE, DAN_BONUS and PD set.
    // Errors are swallowed: counts not read stay 0.
    void Pocet_deti(int &znizPoistne, int &danBonus, int &pridavky);
    // Age in whole years in the open period of a child born in the month "yyyymm"; empty
    // for a month after the open period or a text that is not a whole number.
    QString Vek_dietata(const QString &birthMonth) const;
    // Income limit of the age; the two allowances go to the outputs. From 200301 the
    // parameter "PRIDAV_NA_DIETA" is added to both allowances. Empty age: all 0. Errors are
    // swallowed (result 0, allowances the addition known by then).
    double Pridavky_na_dieta(const QString &age, double &allowance1, double &allowance2) const;

    // ---- health insurance -------------------------------------------------------------------
    // Rebuilds the monthly basis of the current employee's advance certificate of the
    // previous year (after question 65065), in one transaction.
    void Vypocet_podkladov_zp();

    // ---- hooks of the windows (empty until a window sets them) --------------------------------
    // Called when the employee choice source reports a change (another employee, a refresh).
    std::function<void()> Zmena_udajov_zamestnanca;
    // The payroll screen's hook; set only while that screen is open.
    std::function<void()> Zmena_zamestnanca_vyplaty;

private:
    QString m_ulozenyFilter;
};

// Event wiring of the module, kept in files of their own (called once by the constructor).
void setEmployeeEvents(TDMZ &dmz);   // dm_zam_events.cpp
void setChildRecordEvents(TDMZ &dmz);    // dm_zam_sub.cpp
void setHealthEvents(TDMZ &dmz);    // dm_zp.cpp

// The process-wide instance; throws when start-up has not created it.
TDMZ &DMZ();
bool hasDMZ();
// Start-up's creator of the module (after the main module TDM).
void createDMZ();
void destroyDMZ();

} // namespace tarix::core
