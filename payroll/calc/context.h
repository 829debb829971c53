#pragma once
// Everything the monthly payroll calculation reads besides the payroll record itself.
// The caller (the payroll dataset's events, bulk posting, import, batch recalculation)
// fills one CalcContext from the open period, the employee of the record, the firm
// header, the year's parameters and the month's detail rows; the calculation never
// looks anything up by itself.
#include "payroll/calc/employee_data.h"
#include "payroll/calc/firm_header.h"
#include "payroll/calc/year_setup.h"

#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace tarix::payroll {

// One slot of the statutory parameter array (table Cis_par of the year, by id 1 to 99).
struct StatutoryParam {
    int Id = 0; // 0: slot not loaded
    QString Skratka;
    double Hodnota = 0.0;
    QString Popis;
};

// The 99 statutory parameter entries. Calculation code reads a slot's value by its id.
struct StatutoryParams {
    std::array<StatutoryParam, 100> entries{}; // index 1..99; index 0 unused

    // Value of slot `id` (0 for an id outside 1..99).
    double hodnota(int id) const { return id >= 1 && id <= 99 ? entries[id].Hodnota : 0.0; }
    // Stores a value into slot `id` (and marks the slot as loaded).
    void set(int id, double value, const QString &skratka = {}, const QString &popis = {});
};

// One band of the annual income-tax table (DZP).
struct TaxBand {
    double D_od = 0.0;       // band start, annual income
    double D_sadzba = 0.0;   // rate in percent
    double D_sumaplus = 0.0; // fixed annual tax of the lower bands
    double D_presah = 0.0;
};
// The bands in key order (ascending D_od).
using TaxBands = std::vector<TaxBand>;

// The surcharge on high taxes of TRX.INI section "Milionarska_Dan": valid for open
// periods from Obdobie_od to Obdobie_do, with up to nine (band, rate) pairs compared
// with the computed tax.
struct SurchargeTable {
    int Obdobie_od = 199805;
    int Obdobie_do = 199903;
    struct Pair {
        double Pasmo = 0.0;  // the tax from which the pair applies (annual)
        double Sadzba = 0.0; // surcharge in percent of the tax
    };
    std::vector<Pair> pairs;   // in the order read, at most 9
    bool rocnyPrepinac = false; // the annual settlement adds the surcharge only when on

    // Reads the section through `readInt(key, default)`: "Obdobie_od" (default 199805),
    // "Obdobie_do" (199903) and "Pasmo1".."Pasmo9" / "Sadzba1".."Sadzba9" (default 0).
    // A pair is kept only when its band is at least 367200 and its rate lies above 0 and
    // below 50; kept pairs are numbered without gaps.
    static SurchargeTable Nacitaj_milionarsku_dan(
        const std::function<int(const QString &key, int defaultValue)> &readInt);
};

// One deduction row of the payroll month (table Zrv).
struct ZrvRow {
    int ZRID = 0;
    QString Typ;      // "P", "O", "Y", "S", "X"
    double Suma = 0.0; // fixed amount or percent, by Typ_sumy
    int Typ_sumy = 0;  // 0 fixed, 1 % of gross, 2 % of gross less holiday pay, 3 % of net
    double Vypocitana_suma = 0.0;
};

// One piece-work item of the payroll month (table hsu).
struct HsuRow {
    int HSUID = 0;
    int UKID = 0;
    double Pocet = 0.0;
    double Suma1 = 0.0; // unit price
    double Suma = 0.0;  // Pocet x Suma1
};

struct CalcContext {
    int Aktualne_obdobie = 0; // the open period yyyymm (the tax surcharge window tests it)
    EmployeeData employee;     // the employee of the record (by Code_emp)
    FirmHeader firm;
    YearSetup setup;
    StatutoryParams params;
    TaxBands taxBands;
    SurchargeTable surcharge;
    std::vector<ZrvRow> deductions; // the month's deduction rows of the record
    std::vector<HsuRow> pieceWork;  // the month's piece-work items of the record
    bool Rezim_importu = false;     // survey-takers' import: piece-work is not summed

    int Aktualny_rok() const { return Aktualne_obdobie / 100; }
};

// Totals of the month's deductions by type, from the last computation of the rows.
struct DeductionSums {
    double P = 0.0, O = 0.0, Y = 0.0, X = 0.0, S = 0.0;
    bool allZero() const { return P == 0 && O == 0 && Y == 0 && X == 0 && S == 0; }
};

// What the calculation computes besides the record: each deduction row's amount (same
// order as CalcContext::deductions; the caller stores it into Vypocitana_suma) and the
// totals by type.
struct CalcResult {
    std::vector<double> Vypocitana_suma;
    DeductionSums Sumy_zrazok;
};

} // namespace tarix::payroll
