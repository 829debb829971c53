#pragma once
// The SQL helper TDMSQL: runs one SQL text given at run time. A text whose first six
// characters (after leading blanks) are "select" in any case is opened and its rows read;
// any other text is executed. Each call gives a fresh result: counts and cells of an
// earlier call never show through, and every row and column is read.
#include "platform/db/sql_result.h"

#include <QString>

namespace tarix::core {

class TDMSQL {
public:
    void Vykonaj_sql(const QString &text);

    int Pocet_riadkov() const { return m_rows; }
    int Pocet_stlpcov() const { return m_columns; }
    // The display text of a cell, rows and columns counted from 1; empty outside the result.
    QString Vysledok(int row, int column) const;
    QString Prvy_riadok(int column) const { return Vysledok(1, column); }
    // The typed result of the last call.
    const db::SqlResult &result() const { return m_result; }

private:
    db::SqlResult m_result;
    int m_rows = 0;
    int m_columns = 0;
};

// The two process-wide instances (the second survives a nested use of the first).
TDMSQL &DMSQL();
TDMSQL &DMSQL2();

} // namespace tarix::core
