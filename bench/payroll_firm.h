#pragma once
// The generated firm of the payroll-month benchmarks: 10,000 employees (copies of the demo
// firm's ten kinds, with their standing deductions) in an installation made in a temporary
// folder, with the payroll data module open on it; and the raw floor the month's runs are
// measured against (R): the month's rows of the payroll table, every stored column, updated
// through the SQLite C API with one prepared statement, on a copy of the firm's database file
// in its journal mode.
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

namespace tarix::bench {

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

inline test::DemoOptions firmOpening()
{
    test::DemoOptions options;
    options.parameters = true;
    return options;
}

// Employees 1..10 of the demo firm copied `count` times over into codes 1001.. with
// personal numbers 100001.. (the originals stay); returns the firm's schema.
inline QString copyDemoEmployees(db::Session &session, int count)
{
    session.attach(core::kAliasData);
    const QString s = session.schemaOf(core::kAliasData);
    QStringList columns;
    for (const db::FieldDef &f : session.tableDef(core::kAliasData, "zam").fields)
        if (f.name.compare("Code_emp", Qt::CaseInsensitive) && f.name.compare("Code_numb", Qt::CaseInsensitive))
            columns << f.name;
    session.executeRaw(QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                               "INSERT INTO %2.zam (Code_emp, Code_numb, %3) "
                               "SELECT 1000 + i, 100000 + i, %4 FROM n JOIN %2.zam z ON z.Code_emp = (i - 1) % 10 + 1")
                           .arg(count)
                           .arg(s, columns.join(", "), "z." + columns.join(", z.")));
    return s;
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
        const QString s = copyDemoEmployees(session, kEmployees);
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

    RawCopy(benchmark::State &state, Firm &f)
    {
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

    // The month's rows stored again with the health rate `rate`: in one transaction, or
    // each row in a transaction of its own.
    void storeMonth(benchmark::State &state, double rate, bool transactionPerRow)
    {
        if (!transactionPerRow)
            exec("BEGIN IMMEDIATE");
        for (size_t r = 0; r < rows.size(); ++r) {
            if (transactionPerRow)
                exec("BEGIN IMMEDIATE");
            updateRow(state, r, rate);
            if (transactionPerRow)
                exec("COMMIT");
        }
        if (!transactionPerRow)
            exec("COMMIT");
    }

    void report(benchmark::State &state) const
    {
        state.counters["rows"] = double(ids.size());
        state.counters["columns"] = columns;
        state.SetItemsProcessed(state.iterations() * qint64(ids.size()));
        state.SetLabel(QString("journal_mode=%1 synchronous=%2").arg(journal, synchronous).toStdString());
    }
};

} // namespace tarix::bench
