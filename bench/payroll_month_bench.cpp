// Speed (wall-clock time) of the payroll data module on a month of a large firm: 10,000 generated employees
// (copies of the demo firm's ten kinds, with their standing deductions) in an installation
// made in a temporary folder. items_per_second is payroll records per second of
//  - CreateMonth: a new payroll record per employee (defaults, averages, deductions copied,
//    computed) posted through the payroll table, as the payroll screen does;
//  - RecalculateMonth: the batch recalculation of the month after a change of the year's
//    health rate, so that every record is computed and stored again (target: the month of
//    10,000 records in under 2 seconds);
//  - RecalculateUnchangedMonth: the same run when nothing changed (nothing to store);
//  - RawSqliteUpdate: the floor the two above are measured against: the same rows of the
//    payroll table, every stored column, updated through the SQLite C API with one prepared
//    statement in one transaction, on a copy of the firm's database file in its journal mode;
//  - RawSqliteCommits: the same rows each updated in a transaction of its own: the commit
//    cost CreateMonth/0 (each record posted on its own) pays beside CreateMonth/1;
//  - OpenFirmYear: opening the firm and year (registered tables opened, upgrades checked,
//    parameters loaded) on the demo firm (0) and on the generated firm (1).
// CreateMonth/1 and RecalculateMonth run again as ".../server" on the same firm made on the
// database server of TARIX_TEST_PG (tools/pg_test_cluster.sh: a local socket; that cluster
// runs without fsync, so its commits cost less than the embedded ones on disk); without
// the variable they are skipped. There round_trips_per_record counts the exchanges with the
// server and server_cpu_s the server process's processor time per run.
// Every benchmark reports peak_rss_MB: the process's peak resident set during its runs.
#include "support/payroll_entry.h"
#include "core/dm_main.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "payroll/dm_v.h"
#include "payroll/ini_settings.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/db/pg_connection.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/demo_context.h"
#include "support/installation.h"
#include "bench_main.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tarix;

namespace {

constexpr int kEmployees = 10000;

// The peak resident set from now on: the kernel's high-water mark is reset, and read
// back when the benchmark's runs are done.
class PeakMemory {
public:
    PeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }
    static double megabytes()
    {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("VmHWM:", 0) == 0)
                return std::stod(line.substr(6)) / 1024.0;
        return 0;
    }
    void report(benchmark::State &state) const { state.counters["peak_rss_MB"] = megabytes(); }
};

test::DemoOptions firmOpening()
{
    test::DemoOptions options;
    options.parameters = true;
    return options;
}

struct Firm {
    test::Installation dir;
    test::DemoContext demo;
    db::Session &session = demo.session();
    ui::ScriptedUserInterface ui;
    std::unique_ptr<ui::ScopedUserInterface> scope;
    std::unique_ptr<payroll::TDMV> dmv;
    bool monthMade = false;

    explicit Firm(test::Backend backend = test::Backend::Embedded) : dir(backend), demo(dir)
    {
        // The firm makes its January 2007 itself: the installation without the demo's payrolls.
        dir.install(test::kDemo2007WithoutPayrolls);
        scope = std::make_unique<ui::ScopedUserInterface>(ui);
        demo.open(dir, firmOpening());
        generateEmployees();
        dmv = std::make_unique<payroll::TDMV>();
        dmv->TVYP_.open();
    }

    // The firm closed, so that a benchmark can open it its own way, and opened again.
    void closeFirm()
    {
        dmv.reset();
        demo.close();
    }
    void reopenFirm()
    {
        demo.open(dir, firmOpening());
        dmv = std::make_unique<payroll::TDMV>();
        dmv->TVYP_.open();
        monthMade = session.run("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200701").asInteger(0, 0)
                    == kEmployees;
    }

    ~Firm()
    {
        dmv.reset();
        demo.close();
    }

    // The processor time the server's process has used for this session so far, in seconds;
    // 0 when the server is not on this machine or its process cannot be read.
    double serverCpuSeconds()
    {
        db::PgConnection *c = session.serverConnection();
        if (!c)
            return 0;
        if (serverPid == 0)
            serverPid = c->exec("select pg_backend_pid()").value(0, 0).toLongLong();
        std::ifstream stat("/proc/" + std::to_string(serverPid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const size_t end = text.rfind(')');
        if (end == std::string::npos)
            return 0;
        std::istringstream fields(text.substr(end + 2));
        std::string field;
        double ticks = 0;
        // After the name: state is field 3; utime and stime are fields 14 and 15.
        for (int i = 3; i <= 15 && fields >> field; ++i)
            if (i >= 14)
                ticks += std::stod(field);
        return ticks / double(sysconf(_SC_CLK_TCK));
    }
    qint64 serverPid = 0;
    double serverCpu = 0; // of the timed runs

    // Employees 1..10 of the demo firm copied into codes 1001.. with personal numbers
    // 100001.., each with its standing deductions; the ten originals removed.
    void generateEmployees()
    {
        session.attach(core::kAliasData);
        const QString s = session.schemaOf(core::kAliasData);
        QStringList columns;
        for (const db::FieldDef &f : session.tableDef(core::kAliasData, "zam").fields)
            if (f.name.compare("Code_emp", Qt::CaseInsensitive) && f.name.compare("Code_numb", Qt::CaseInsensitive))
                columns << f.name;
        const QString list = columns.join(", ");
        session.executeRaw(QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                   "INSERT INTO %2.zam (Code_emp, Code_numb, %3) "
                                   "SELECT 1000 + i, 100000 + i, %4 FROM n JOIN %2.zam z ON z.Code_emp = (i - 1) % 10 + 1")
                               .arg(kEmployees)
                               .arg(s, list, "z." + columns.join(", z.")));
        session.executeRaw(QString("INSERT INTO %1.zrz (Code_emp, Typ, Datum_od, Datum_do, Obdobie_od, Obdobie_do, "
                                   "Cislo_u, Banka_u, Prijemca, Suma, Typ_sumy) "
                                   "SELECT e.Code_emp, r.Typ, r.Datum_od, r.Datum_do, r.Obdobie_od, r.Obdobie_do, "
                                   "r.Cislo_u, r.Banka_u, r.Prijemca, r.Suma, r.Typ_sumy "
                                   "FROM %1.zam e JOIN %1.zrz r ON r.Code_emp = (e.Code_emp - 1001) % 10 + 1 "
                                   "WHERE e.Code_emp > 1000")
                               .arg(s));
        session.executeRaw(QString("DELETE FROM %1.zam WHERE Code_emp <= 10; DELETE FROM %1.zrz WHERE Code_emp <= 10").arg(s));
    }

    void clearMonth()
    {
        dmv->TVYP_.close();
        session.execute("delete from \":tarix_data:vyp\" where v_obdobie = 200701");
        session.execute("delete from \":tarix_data:zrv\" where v_obdobie = 200701");
        dmv->TVYP_.open();
        monthMade = false;
    }

    // Each record posted on its own (as from the payroll screen), or all in one transaction
    // (as a bulk run would).
    void makeMonth(bool oneTransaction)
    {
        std::optional<db::Transaction> tx;
        if (oneTransaction)
            tx.emplace(&session);
        for (int i = 1; i <= kEmployees; ++i)
            test::postWholeMonth(*dmv, 100000 + i, 1000 + i);
        if (tx)
            tx->commit();
        monthMade = true;
    }

    void recalculate()
    {
        ui.answerYes().answerYes();
        if (dmv->Prepocitanie_vyplat(0) != kEmployees)
            throw std::runtime_error("the batch did not store every record");
        ui.clearEvents();
    }
};

Firm &firm()
{
    static Firm f;
    return f;
}

// The same firm on the test cluster's server; null (and the benchmark skipped) without one.
Firm *serverFirm(benchmark::State &state)
{
    if (qEnvironmentVariableIsEmpty("TARIX_TEST_PG")) {
        state.SkipWithError("no PostgreSQL test server: TARIX_TEST_PG is not set");
        return nullptr;
    }
    static Firm f(test::Backend::Server);
    return &f;
}

void createMonth(benchmark::State &state, Firm &f, bool oneTransaction)
{
    const PeakMemory peak;
    for (auto _ : state) {
        state.PauseTiming();
        f.clearMonth();
        const double cpu = f.serverCpuSeconds();
        state.ResumeTiming();
        f.makeMonth(oneTransaction);
        state.PauseTiming();
        f.serverCpu += f.serverCpuSeconds() - cpu;
        state.ResumeTiming();
    }
    peak.report(state);
    state.SetItemsProcessed(state.iterations() * kEmployees);
    state.SetLabel(oneTransaction ? "items_per_second = payroll records created/second, one transaction"
                                  : "items_per_second = payroll records created/second, each posted on its own");
}

void BM_CreateMonth(benchmark::State &state) { createMonth(state, firm(), state.range(0) != 0); }
BENCHMARK(BM_CreateMonth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void recalculateMonth(benchmark::State &state, Firm &f)
{
    if (!f.monthMade)
        f.makeMonth(true);
    const PeakMemory peak;
    int rate = 4;
    for (auto _ : state) {
        state.PauseTiming();
        rate = rate == 4 ? 5 : 4;
        f.session.execute("update \":tarix_comm:setup\" set f_zdravot = :r", {{"r", rate}});
        const double cpu = f.serverCpuSeconds();
        state.ResumeTiming();
        f.recalculate();
        state.PauseTiming();
        f.serverCpu += f.serverCpuSeconds() - cpu;
        state.ResumeTiming();
    }
    peak.report(state);
    state.SetItemsProcessed(state.iterations() * kEmployees);
    state.SetLabel("items_per_second = payroll records recalculated and stored/second");
}

void BM_RecalculateMonth(benchmark::State &state) { recalculateMonth(state, firm()); }
BENCHMARK(BM_RecalculateMonth)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();


void BM_RecalculateUnchangedMonth(benchmark::State &state)
{
    Firm &f = firm();
    if (!f.monthMade)
        f.makeMonth(true);
    const PeakMemory peak;
    for (auto _ : state)
        f.recalculate();
    peak.report(state);
    state.SetItemsProcessed(state.iterations() * kEmployees);
    state.SetLabel("items_per_second = payroll records recalculated/second");
}
BENCHMARK(BM_RecalculateUnchangedMonth)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// A copy of the firm's database opened on a plain SQLite connection in the firm's journal
// mode, with the month's rows of the payroll table as stored (every column, kept as SQLite
// values) and one prepared statement updating a row's every column by rowid.
struct RawCopy {
    QString journal, synchronous, file;
    sqlite3 *conn = nullptr;
    std::vector<std::vector<sqlite3_value *>> rows;
    std::vector<sqlite3_int64> ids;
    int columns = 0;
    int rateColumn = -1;
    sqlite3_stmt *update = nullptr;

    explicit RawCopy(benchmark::State &state)
    {
        Firm &f = firm();
        if (!f.monthMade)
            f.makeMonth(true);
        const QString schema = f.session.schemaOf(core::kAliasData);
        journal = f.session.run(QString("PRAGMA \"%1\".journal_mode").arg(schema)).asString(0, 0);
        synchronous = f.session.run(QString("PRAGMA \"%1\".synchronous").arg(schema)).asString(0, 0);
        const QString original = QDir(f.dir.firmFolder(1)).filePath(db::Session::databaseFileName);
        file = QDir(f.dir.path()).filePath("raw_baseline.db");
        QFile::remove(file);
        if (!QFile::copy(original, file)) {
            state.SkipWithError("the firm's database could not be copied");
            return;
        }
        sqlite3_open(file.toUtf8().constData(), &conn);
        exec("PRAGMA journal_mode = " + journal);
        exec("PRAGMA synchronous = " + synchronous);

        QStringList sets;
        sqlite3_stmt *read = nullptr;
        sqlite3_prepare_v2(conn, "SELECT rowid, * FROM vyp WHERE v_obdobie = 200701", -1, &read, nullptr);
        const int n = sqlite3_column_count(read) - 1;
        for (int c = 0; c < n; ++c) {
            const QString name = QString::fromUtf8(sqlite3_column_name(read, c + 1));
            sets << QString("\"%1\" = ?%2").arg(name).arg(c + 1);
            if (!name.compare("F_zdravot", Qt::CaseInsensitive))
                rateColumn = c;
        }
        while (sqlite3_step(read) == SQLITE_ROW) {
            ids.push_back(sqlite3_column_int64(read, 0));
            std::vector<sqlite3_value *> row(static_cast<size_t>(n), nullptr);
            for (int c = 0; c < n; ++c)
                row[size_t(c)] = sqlite3_value_dup(sqlite3_column_value(read, c + 1));
            rows.push_back(std::move(row));
        }
        sqlite3_finalize(read);
        columns = int(sets.size());
        sqlite3_prepare_v2(conn, QString("UPDATE vyp SET %1 WHERE rowid = ?%2").arg(sets.join(", ")).arg(columns + 1).toUtf8().constData(),
                           -1, &update, nullptr);
    }
    ~RawCopy()
    {
        sqlite3_finalize(update);
        for (auto &row : rows)
            for (sqlite3_value *v : row)
                sqlite3_value_free(v);
        sqlite3_close(conn);
        QFile::remove(file);
    }
    RawCopy(const RawCopy &) = delete;
    RawCopy &operator=(const RawCopy &) = delete;

    void exec(const QString &sql) { sqlite3_exec(conn, sql.toUtf8().constData(), nullptr, nullptr, nullptr); }

    // Row r stored again with the health rate changed to `rate`.
    void updateRow(benchmark::State &state, size_t r, double rate)
    {
        for (int c = 0; c < columns; ++c) {
            if (c == rateColumn)
                sqlite3_bind_double(update, c + 1, rate);
            else
                sqlite3_bind_value(update, c + 1, rows[r][size_t(c)]);
        }
        sqlite3_bind_int64(update, columns + 1, ids[r]);
        if (sqlite3_step(update) != SQLITE_DONE)
            state.SkipWithError(sqlite3_errmsg(conn));
        sqlite3_reset(update);
    }

    void report(benchmark::State &state) const
    {
        state.counters["rows"] = double(ids.size());
        state.counters["columns"] = columns;
        state.SetItemsProcessed(state.iterations() * qint64(ids.size()));
        state.SetLabel(QString("journal_mode=%1 synchronous=%2").arg(journal, synchronous).toStdString());
    }
};

// The month's rows stored again through the raw copy, the health rate changed at each
// run; one transaction for the whole month or one for each row.
void rawUpdates(benchmark::State &state, bool transactionPerRow)
{
    RawCopy raw(state);
    if (!raw.conn)
        return;
    const PeakMemory peak;
    double rate = 0.04;
    for (auto _ : state) {
        rate = rate == 0.04 ? 0.05 : 0.04;
        if (!transactionPerRow)
            raw.exec("BEGIN IMMEDIATE");
        for (size_t r = 0; r < raw.rows.size(); ++r) {
            if (transactionPerRow)
                raw.exec("BEGIN IMMEDIATE");
            raw.updateRow(state, r, rate);
            if (transactionPerRow)
                raw.exec("COMMIT");
        }
        if (!transactionPerRow)
            raw.exec("COMMIT");
    }
    peak.report(state);
    raw.report(state);
}

// The raw floor: the month's rows of the payroll table, every stored column bound, updated
// by rowid through one prepared statement in one transaction of a plain SQLite connection.
void BM_RawSqliteUpdate(benchmark::State &state) { rawUpdates(state, false); }
BENCHMARK(BM_RawSqliteUpdate)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The commit cost of the month posted one record at a time (CreateMonth/0): the same rows,
// each updated in a transaction of its own, so each pays the database's commit (the
// journal written and synced, the file synced, the journal removed) and nothing else.
void BM_RawSqliteCommits(benchmark::State &state) { rawUpdates(state, true); }
BENCHMARK(BM_RawSqliteCommits)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Opening a firm and year as the program does: the registered tables opened, the data
// upgrades checked, the year's parameters loaded. 0: the demo firm of a fresh installation;
// 1: the generated firm of 10,000 employees.
void BM_OpenFirmYear(benchmark::State &state)
{
    test::DemoOptions options = firmOpening();
    options.upgrades = true;
    options.registerTables = true;
    options.openTables = true;
    std::unique_ptr<test::Installation> demoFirm;
    Firm *big = nullptr;
    if (state.range(0) == 0) {
        demoFirm = std::make_unique<test::Installation>();
        demoFirm->install({true, 2007, 2007});
    } else {
        big = &firm();
        big->closeFirm();
    }
    const test::Installation &where = big ? big->dir : *demoFirm;
    ui::ScriptedUserInterface answers;
    ui::ScopedUserInterface scope(answers);
    const PeakMemory peak;
    for (auto _ : state) {
        test::DemoContext context;
        context.open(where, options);
        state.PauseTiming();
        context.close();
        state.ResumeTiming();
    }
    peak.report(state);
    if (big)
        big->reopenFirm();
    state.SetLabel(state.range(0) ? "10,000-employee firm" : "demo firm");
}
BENCHMARK(BM_OpenFirmYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The same two on the database server, named after the embedded ones; registered last, so
// that they run after every benchmark of the embedded firm (the firm on the server becomes
// the data modules' session).
// round_trips_per_record: exchanges with the server per payroll record.
// server_cpu_s: the server process's processor time in the timed runs, per run (0 when the
// server's process is not readable from here).
void countRoundTrips(benchmark::State &state, Firm &f, qint64 before)
{
    const qint64 trips = f.session.serverConnection()->roundTrips() - before;
    state.counters["round_trips_per_record"] = double(trips) / double(state.iterations() * kEmployees);
    state.counters["server_cpu_s"] = f.serverCpu / double(state.iterations());
    f.serverCpu = 0;
}

const auto *const kServerCreate =
    benchmark::RegisterBenchmark("BM_CreateMonth/1/server", [](benchmark::State &state) {
        if (Firm *f = serverFirm(state)) {
            const qint64 before = f->session.serverConnection()->roundTrips();
            createMonth(state, *f, true);
            countRoundTrips(state, *f, before);
        }
    })->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
const auto *const kServerRecalculate =
    benchmark::RegisterBenchmark("BM_RecalculateMonth/server", [](benchmark::State &state) {
        if (Firm *f = serverFirm(state)) {
            if (!f->monthMade)
                f->makeMonth(true);
            const qint64 before = f->session.serverConnection()->roundTrips();
            recalculateMonth(state, *f);
            countRoundTrips(state, *f, before);
        }
    })->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks(argc, argv); }
