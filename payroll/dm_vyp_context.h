#pragma once
// The adapter between the payroll dataset and the pure calculation: the payroll record
// moved between a row of Vyp and PayRecord, and the context of the calculation read from
// the firm and year databases by key (never through a shared dataset, never moving one).
#include "payroll/calc/context.h"
#include "payroll/calc/vyp_record.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

#include <array>

#include <optional>
#include <vector>

namespace tarix::db {
class DataSet;
class Session;
class Statement;
} // namespace tarix::db

namespace tarix::payroll {

// Copies the payroll record between the current record of a dataset over Vyp and
// PayRecord. The field positions are looked up by name once per opening of the dataset.
class PayrollRecordAdapter {
public:
    // Forget the field positions (the dataset was opened again).
    void reset() { m_index.clear(); }
    // The stored fields of the dataset's current record (NULL reads as 0, false, "").
    PayRecord read(const db::DataSet &ds);
    // Assigns the stored fields whose value differs (normalised as the dataset stores
    // them) through the fields, so that validators and controls see them; the dataset
    // must be in edit or insert state. `before`, when given, is what read() gave for the
    // current record: a field equal there and not blank in the dataset is left alone
    // without a look at its stored value. Returns the number of fields assigned.
    int write(db::DataSet &ds, const PayRecord &r, const PayRecord *before = nullptr);
    // `current` (what read() gave for the current record) with every stored field the
    // pending edit changed put back to its value when the record was read.
    PayRecord asRead(const db::DataSet &ds, const PayRecord &current);
    // The calculated fields of the record into the dataset's calculated fields (while it
    // computes them).
    void writeCalculated(db::DataSet &ds, const PayRecord &r);

    // The number member of a field, taken out of the field table's variant once: a record
    // is read and compared field by field for every payroll.
    struct NumberMember {
        double PayRecord::*real = nullptr;
        std::optional<double> PayRecord::*optional = nullptr;
        int PayRecord::*integer = nullptr;
        bool text = false; // the field is a text (a blank one reads as "")
    };

private:
    void bind(const db::DataSet &ds);
    static bool takeNumber(PayRecord &r, const NumberMember &m, const QVariant &v);
    QVector<int> m_index;      // dataset field of each stored field, -1 when absent
    QVector<int> m_calcIndex;  // dataset field of each calculated field, -1 when absent
    std::vector<NumberMember> m_numbers; // of each field
};

// ---- the context, read by key -----------------------------------------------------------

// The firm header (first row of Inf of TARIX_DATA).
FirmHeader loadFirmHeader(db::Session &s);
// The year parameters (the row of Setup of TARIX_COMM).
YearSetup loadYearSettings(db::Session &s);
// The tax bands of the year in ascending order of D_od.
TaxBands Nacitaj_danove_pasma(db::Session &s);
// The statutory slots of the open year (core/helpers/parameters.h).
StatutoryParams statutoryParameters();
// What a new payroll record takes from the employee's card besides the calculation's
// fields (EmployeeData), read in the same statement, by column position.
class EmployeeCard {
public:
    enum ContextColumn {
        VYNIMKA_VZ, F_sadzba_premii, MV_plat, Fixny_mv_plat, V_sadzba, Pouz_auto, Zvys_ostatne, VYHL,
        Ne_zaloha, Ne_pozicky, Ne_odborar, Ne_poistovna, Ne_exekucia, Sporenie, N_ddp, N_sadzba_ddp,
        Nz_ddp, Nz_sadzba_ddp, Spor_plat, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz,
        U_rezerva, U_garancne, ZPS, ZTP, U_sviatky, Dan_zrazkou, PN_DENNE, Pocet
    };
    // The columns of Zam in the order of ContextColumn.
    static const std::array<const char *, Pocet> &contextColumns();
    // A blank number reads as 0, a blank logical as false.
    double num(ContextColumn c) const;
    int wholeNumber(ContextColumn c) const;
    bool log(ContextColumn c) const;
    QString text(ContextColumn c) const;

    // The columns of Zam a read of the employee selects: the calculation's fields, then
    // (withCard) the card's; each prefixed with `prefix` (a table's alias and a dot).
    static QString readColumnList(bool withCard, const QString &prefix = QString());
    // The employee's fields (and, given `karta`, the card's) from the columns readColumnList
    // put into a result row, the first of them at `first`.
    static void readColumns(db::Statement &st, int first, EmployeeData &e, EmployeeCard *karta);

private:
    std::array<QVariant, Pocet> m_hodnoty;
};

// The employee's calculation fields by the key of Zam (and, given `karta`, the card's
// fields a new payroll record starts from); false when there is no such row.
bool loadEmployee(db::Session &s, int codeNumb, int codeEmp, EmployeeData &e,
                         EmployeeCard *karta = nullptr);

// An employee's earlier payrolls of the periods first..last summed as the quarterly
// average takes them: the wages and the hours worked.
struct PeriodSums {
    int codeEmp = 0, first = 0, last = 0;
    double mzda = 0.0, hodiny = 0.0;
    bool areEqual(int e, int f, int l) const { return codeEmp == e && first == f && last == l; }
};

// What a new payroll record of a month looks at when it is inserted, in one statement: the
// employee's payrolls of the month (the duplicate guard counts them), the employee's row
// (leaving date, the calculation's fields, the card's), the counts of the employee's
// children the record's defaults take, (when asked for) the quarterly average's sums, and
// whether the month's details have anything to start from or already hold anything.
struct NewEmployee {
    qint64 pocetVyplat = 0; // the employee's payrolls of the month
    bool found = false;     // Zam has the employee's row
    QDate vystup;           // the leaving date; invalid when blank
    EmployeeData employee;
    EmployeeCard karta;
    qint64 detiZnizPoistne = 0, detiBonus = 0, detiPd = 0;
    std::optional<PeriodSums> sumy; // when asked for
    // No standing deduction of the employee runs in the month and no deduction row of the
    // month is stored (bezZrazok); the employee has no piece-work item and no item of the
    // month is stored (bezUkolov): copying them would change nothing, and reading them
    // would find nothing.
    bool bezZrazok = false, bezUkolov = false;
};
// `sumsSql`, when given, is the text of the sums of earlier payrolls (parameters p1 the
// employee, p2 and p3 the periods, columns sum_n_mzda and sum_hodina, over vyp of
// TARIX_DATA), read in the same statement for the periods first..last.
struct RequestedSums {
    QString sumsSql;
    int first = 0, last = 0;
};
NewEmployee loadNewEmployee(db::Session &s, int codeNumb, int codeEmp, int year, int month,
                                           const RequestedSums *sums = nullptr);
// The deduction rows of a payroll in ZRID order and (with `withPieceWork`) its piece-work
// items in HSUID order, in one statement.
void loadDetails(db::Session &s, int period, int codeNumb, int codeEmp, bool withPieceWork,
                     std::vector<ZrvRow> &deductions, std::vector<HsuRow> &pieceWork);
// Stores the computed amounts of the rows whose amount changed; returns the rows written.
// Runs inside the transaction of the payroll record's post, so that the rows and the
// record are stored together or not at all.
int writeDeductionSums(db::Session &s, int codeEmp, int period, const std::vector<ZrvRow> &rows,
                      const std::vector<double> &amounts);

// The firm's and the year's part of the calculation's context (the firm header with its
// closing date, the year's set-up, the tax bands), read once and used again while nothing
// it was read from can have changed: no write of this session to Inf, Setup or Dzp, no
// commit of another program to their files, no rollback, no database attached or re-pointed.
class SharedContextCache {
public:
    struct Data {
        FirmHeader firm;
        QDate Datum_uzav; // the closing date of the firm header
        YearSetup setup;
        TaxBands taxBands;
    };
    // The part as stored now: kept, or read again when it may have changed.
    const Data &get(db::Session &s);
    void reset() { m_data.reset(); }

private:
    struct Stamp {
        const db::Session *session = nullptr;
        quint64 attachments = 0, generation = 0;
        qint64 dataVersionData = 0, dataVersionComm = 0;
        quint64 writesInf = 0, writesSetup = 0, writesDzp = 0;
        bool operator==(const Stamp &) const = default;
    };
    static Stamp stampNow(db::Session &s);
    std::optional<Data> m_data;
    Stamp m_stamp;
};

// What the payroll rows read for a calculation were read from: the employees, the
// deductions and the piece-work items of the firm (and what a new month's details are
// copied from: the standing deductions and the employees' piece-work items). Equal marks
// mean nothing can have changed them: no write of this session to Zam, Zrv, Hsu, Zrz or
// Zam_uk, no commit of another program to the firm's file, no rollback, no database
// attached or re-pointed.
struct DetailMarks {
    const db::Session *session = nullptr;
    quint64 attachments = 0, generation = 0;
    qint64 dataVersion = 0;
    quint64 writesZam = 0, writesZrv = 0, writesHsu = 0, writesSources = 0;
    bool operator==(const DetailMarks &) const = default;
    // Nothing Zam was read from can have changed in between (the details may have).
    bool sameEmployees(const DetailMarks &o) const
    {
        return session == o.session && attachments == o.attachments && generation == o.generation
               && dataVersion == o.dataVersion && writesZam == o.writesZam;
    }
    static DetailMarks now(db::Session &s);
};

// The employee's fields, the deduction rows and the piece-work items of the one payroll
// record computed last outside a batch run, used again by the next computation of that
// record (a new record is computed when it is made, for the post's questions and by the
// post) while their marks stand.
class RecordDetails {
public:
    struct Key {
        int codeNumb = 0, codeEmp = 0, period = 0;
        bool pieceWork = true; // read (not in import mode)
        bool operator==(const Key &) const = default;
    };
    // The rows of `key` when they are held and still as stored; null otherwise.
    const CalcContext *current(db::Session &s, const Key &key);
    // Keeps the rows of `c` just read for `key`.
    void keep(db::Session &s, const Key &key, const CalcContext &c);
    // Keeps the employee's row a new record has just read (with its guard), so that the
    // record's first computation, after its details are copied, does not read it again;
    // and what the guard found of the month's details (NewEmployee::bezZrazok, bezUkolov).
    void keepEmployee(db::Session &s, const EmployeeData &e, bool bezZrazok, bool bezUkolov);
    struct EmptyDetails {
        bool zrazky = false, ukoly = false;
    };
    // What the guard found empty of that employee's details, while nothing they are read
    // from has changed since (otherwise nothing is known empty).
    EmptyDetails emptyDetails(db::Session &s, int codeNumb, int codeEmp);
    // That row, when it is the employee's and Zam still stands as it was read; taken once.
    std::optional<EmployeeData> takeEmployee(db::Session &s, int codeNumb, int codeEmp);
    void clear()
    {
        m_held = false;
        m_employee.reset();
    }

private:
    std::optional<EmployeeData> m_employee;
    DetailMarks m_employeeMarks;
    EmptyDetails m_empty;
    bool m_held = false;
    Key m_key;
    DetailMarks m_marks;
    CalcContext m_rows; // employee, deductions and pieceWork only
};

// The employees' calculation fields, the deduction rows and the piece-work items of one
// month, read at once for a batch run over the month's payrolls instead of by key for every
// record. They are used while nothing they were read from can have changed: no write of
// this session to Zam, Zrv or Hsu other than the deduction amounts the run stores through
// storedAmounts(), no commit of another program to the firm's file, no rollback, no
// database attached or re-pointed. Otherwise (and for another month) current() is false
// and the caller reads by key.
class MonthDetails {
public:
    void load(db::Session &s, int period);
    void clear() { m_period = 0; }
    // Whether the rows of `period` are held and still as stored.
    bool current(db::Session &s, int period);
    // The rows of a payroll (in the order of a read by key); the employee null when Zam
    // has no such row.
    const EmployeeData *employee(int codeNumb, int codeEmp) const;
    std::vector<ZrvRow> deductions(int codeEmp) const { return m_deductions.value(codeEmp); }
    std::vector<HsuRow> pieceWork(int codeNumb, int codeEmp) const { return m_pieceWork.value(key(codeNumb, codeEmp)); }
    // The deduction amounts writeDeductionSums has just stored for the employee's rows.
    void storedAmounts(db::Session &s, int codeEmp, const std::vector<double> &amounts);

private:
    static qint64 key(int codeNumb, int codeEmp) { return (qint64(codeNumb) << 32) | quint32(codeEmp); }
    int m_period = 0;
    DetailMarks m_stamp;
    QHash<qint64, EmployeeData> m_employees;
    QHash<int, std::vector<ZrvRow>> m_deductions;
    QHash<qint64, std::vector<HsuRow>> m_pieceWork;
};

// The text of a number in the general form (15 significant digits, decimal comma).
QString generalFieldNumber(double value);

} // namespace tarix::payroll
