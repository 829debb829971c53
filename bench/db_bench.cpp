// Speed of the dataset layer on a generated firm: opening the registered tables, inserting
// payroll rows in one transaction, reading an employee's year and a month by range/query.
#include "core/session.h"
#include "platform/db/query.h"
#include "platform/db/session.h"
#include "platform/db/table.h"
#include "platform/db/temp_installation.h"
#include "bench_main.h"

#include <benchmark/benchmark.h>
#include <memory>

using namespace tarix::db;

namespace {

constexpr int kEmployees = 2000;
constexpr int kMonths = 48; // 96,000 payroll rows
constexpr int kPayrollMoneyColumns = 120;

QString payrollDdl(const QString &name)
{
    QString ddl = QStringLiteral("CREATE TABLE %1 (Code_emp INTEGER NOT NULL, V_obdobie INTEGER NOT NULL, V_rok SMALLINT, "
                                 "V_mesiac SMALLINT, SID SMALLINT, Version VARCHAR(6), Automatika LOGICAL")
                      .arg(name);
    for (int i = 0; i < kPayrollMoneyColumns; ++i)
        ddl += QStringLiteral(", N_%1 MONEY_REAL").arg(i);
    ddl += QStringLiteral(", PRIMARY KEY (Code_emp, V_obdobie));\n");
    return ddl;
}

QString firmDdl()
{
    // A month's payrolls are read through an index on the period; without it every query of
    // a month scans the whole table.
    QString ddl = payrollDdl(QStringLiteral("Vyp")) + payrollDdl(QStringLiteral("VypNew"))
        + QStringLiteral("CREATE INDEX \"Vyp.OBDOBIE\" ON Vyp (V_obdobie);\n");
    ddl += QStringLiteral("CREATE TABLE Zam (Code_emp INTEGER NOT NULL, Code_numb INTEGER NOT NULL, Surname VARCHAR(20) COLLATE SK, "
                          "Name VARCHAR(20) COLLATE SK, Nastup DATE, Vystup DATE, MV_plat MONEY_REAL, PRIMARY KEY (Code_emp));\n"
                          "CREATE INDEX \"Zam.ZAM1\" ON Zam (Surname, Name);\n");
    ddl += QStringLiteral("CREATE TABLE Zrv (V_obdobie INTEGER NOT NULL, Code_emp INTEGER NOT NULL, ZRID AUTOINC_INT, Typ VARCHAR(1), "
                          "Suma MONEY_REAL, PRIMARY KEY (Code_emp, V_obdobie, ZRID));\n");
    for (int t = 0; t < 37; ++t)
        ddl += QStringLiteral("CREATE TABLE Cis%1 (ID INTEGER NOT NULL, Nazov VARCHAR(40), Hodnota FLOAT, PRIMARY KEY (ID));\n").arg(t);
    return ddl;
}

struct Firm {
    TempInstallation inst;
    Firm()
    {
        inst.addAlias(tarix::core::kAliasData, QStringLiteral("DATA01"), firmDdl());
        Session &s = inst.session();
        Transaction t(&s);
        for (int e = 1; e <= kEmployees; ++e)
            s.execute(QStringLiteral("insert into zam (code_emp, code_numb, surname, name, mv_plat) values (:e, :e, :s, 'Ján', 500)"),
                      {{QStringLiteral("e"), e}, {QStringLiteral("s"), QStringLiteral("Priezvisko%1").arg(e % 377)}},
                      tarix::core::kAliasData);
        QString cols = QStringLiteral("code_emp, v_obdobie, v_rok, v_mesiac, sid");
        QString vals = QStringLiteral(":e, :p, 2005, 1, 1");
        for (int i = 0; i < kPayrollMoneyColumns; ++i) {
            cols += QStringLiteral(", n_%1").arg(i);
            vals += QStringLiteral(", :e * 1.5");
        }
        const QString ins = QStringLiteral("insert into vyp (%1) values (%2)").arg(cols, vals);
        for (int m = 0; m < kMonths; ++m)
            for (int e = 1; e <= kEmployees; ++e)
                s.execute(ins, {{QStringLiteral("e"), e}, {QStringLiteral("p"), 200501 + (m / 12) * 100 + m % 12}}, tarix::core::kAliasData);
        for (int t2 = 0; t2 < 37; ++t2)
            for (int r = 1; r <= 30; ++r)
                s.execute(QStringLiteral("insert into cis%1 values (:r, 'položka', 1.5)").arg(t2), {{QStringLiteral("r"), r}}, tarix::core::kAliasData);
        t.commit();
    }
};

Firm &firm()
{
    static Firm f;
    return f;
}

std::unique_ptr<Table> table(const QString &name, const QString &index = {})
{
    auto t = std::make_unique<Table>(&firm().inst.session());
    t->setDatabaseName(tarix::core::kAliasData);
    t->setTableName(name);
    t->setIndexName(index);
    return t;
}

// Opening the 40 tables of a firm (Vyp with all its rows, Zam by name, 38 code lists).
void BM_OpenFortyTables(benchmark::State &state)
{
    firm();
    std::vector<std::unique_ptr<Table>> tables;
    tables.push_back(table(QStringLiteral("Vyp")));
    tables.push_back(table(QStringLiteral("Zam"), QStringLiteral("ZAM1")));
    tables.push_back(table(QStringLiteral("Zrv")));
    for (int t = 0; t < 37; ++t)
        tables.push_back(table(QStringLiteral("Cis%1").arg(t)));
    for (auto _ : state) {
        for (auto &t : tables)
            t->open();
        state.PauseTiming();
        for (auto &t : tables)
            t->close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenFortyTables)->Unit(benchmark::kMillisecond);

// Appending and posting payroll rows through a table dataset, in one transaction.
void BM_InsertPayrollRows(benchmark::State &state)
{
    Session &s = firm().inst.session();
    auto t = table(QStringLiteral("VypNew"));
    t->open();
    QList<Field *> money;
    for (int i = 0; i < kPayrollMoneyColumns; ++i)
        money << &t->fieldByName(QStringLiteral("N_%1").arg(i));
    Field &emp = t->fieldByName(QStringLiteral("Code_emp"));
    Field &period = t->fieldByName(QStringLiteral("V_obdobie"));
    int batch = 0;
    for (auto _ : state) {
        ++batch;
        Transaction tx(&s);
        for (int e = 1; e <= 10000; ++e) {
            t->append();
            emp.setValue(e);
            period.setValue(200000 + batch);
            for (Field *f : money)
                f->setValue(e * 1.25);
            t->post();
        }
        tx.commit();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
    t->close();
    s.execute(QStringLiteral("delete from vypnew"), {}, tarix::core::kAliasData);
}
BENCHMARK(BM_InsertPayrollRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// One employee's payrolls of a year by range on the key (Code_emp, V_obdobie), read row by row.
void BM_RangeEmployeeYear(benchmark::State &state)
{
    auto t = table(QStringLiteral("Vyp"));
    t->open();
    int e = 1;
    double sum = 0;
    for (auto _ : state) {
        e = e % kEmployees + 1;
        t->setRange({e, 200601}, {e, 200612});
        while (!t->eof()) {
            sum += t->fieldByName(QStringLiteral("N_7")).asFloat();
            t->next();
        }
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_RangeEmployeeYear)->Unit(benchmark::kMicrosecond);

// A detail range of one payroll (the deduction rows of (E, P)).
void BM_RangeOnePayroll(benchmark::State &state)
{
    auto t = table(QStringLiteral("Vyp"));
    t->open();
    int e = 1;
    for (auto _ : state) {
        e = e % kEmployees + 1;
        t->setRange({e, 200603}, {e, 200604});
        benchmark::DoNotOptimize(t->recordCount());
    }
}
BENCHMARK(BM_RangeOnePayroll)->Unit(benchmark::kMicrosecond);

// All payrolls of a month (2,000 rows) through a query, every row read.
void BM_QueryMonth(benchmark::State &state)
{
    Query q(&firm().inst.session());
    q.setDatabaseName(tarix::core::kAliasData);
    q.setSql(QStringLiteral("select * from vyp where v_obdobie = :p1"));
    double sum = 0;
    for (auto _ : state) {
        q.setParam(QStringLiteral("p1"), 200702);
        q.open();
        Field &f = q.fieldByName(QStringLiteral("N_3"));
        while (!q.eof()) {
            sum += f.asFloat();
            q.next();
        }
        q.close();
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_QueryMonth)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks(argc, argv); }
