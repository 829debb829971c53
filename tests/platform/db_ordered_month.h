#pragma once
// A month of payroll rows gone through in key order as the batch does, on both backends,
// with a window of four rows read ahead so that the month's twelve rows come in reads of
// 1, 2, 4, 4 and 1.
#include "db_test_schema.h"

#include "platform/db/pg_connection.h"
#include "platform/db/table.h"

#include <memory>

namespace tarix::db::testing {

class OrderedMonthTest : public BackendTest {
protected:
    static constexpr int kPeriod = 200501;
    static constexpr int kRows = 12;

    // The month's rows (v_den = emp × 1.5), then `more` (rows outside the month, say).
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        in.s.setReadAheadRows(4);
        for (int emp = 1; emp <= kRows; ++emp)
            insertVyp(in.s, emp, kPeriod, emp * 1.5);
        addRows();
        vyp = std::make_unique<Table>(&in.s);
        vyp->setDatabaseName(QStringLiteral("TARIX_DATA"));
        vyp->setTableName(QStringLiteral("Vyp"));
        vyp->open();
        vyp->setOrderedRange(QStringLiteral("V_obdobie;Code_emp"), {kPeriod});
    }
    virtual void addRows() {}

    static QString insertText()
    {
        return QStringLiteral("insert into vyp (code_emp, v_obdobie, v_den, n_brutto) values (:e, :p, :d, 0)");
    }
    static Params insertParams(int emp, int period, double den)
    {
        return {{QStringLiteral("e"), emp}, {QStringLiteral("p"), period}, {QStringLiteral("d"), den}};
    }
    static void insertVyp(Session &s, int emp, int period, double den)
    {
        s.execute(insertText(), insertParams(emp, period, den), QStringLiteral("TARIX_DATA"));
    }
    // The batch's step without its checks: the row by its key, an edit from what was read,
    // the save. False when the key is not there.
    bool recalculateRow(int emp)
    {
        if (!vyp->findKey({kPeriod, emp}) || vyp->fieldByName(QStringLiteral("Code_emp")).asInt() != emp)
            return false;
        vyp->edit();
        vyp->fieldByName(QStringLiteral("N_brutto")).setValue(vyp->fieldByName(QStringLiteral("V_den")).asFloat() * 100);
        vyp->post();
        return true;
    }
    qint64 roundTrips() const { return onServer() ? in.s.serverConnection()->roundTrips() : 0; }

    std::unique_ptr<Table> vyp;
};

} // namespace tarix::db::testing
