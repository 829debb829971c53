#pragma once
// Every column of every row a query returns, in its order, as the layer hands them over:
// for comparing what is stored before and after something that must change nothing.
#include "platform/db/session.h"

#include <QList>
#include <QVariantList>

namespace tarix::test {

inline QList<QVariantList> storedRows(db::Session &s, const QString &sql, const db::Params &params = {})
{
    QList<QVariantList> rows;
    const db::SqlResult r = s.run(sql, params);
    for (int i = 0; i < r.rowCount(); ++i) {
        QVariantList row;
        for (int c = 0; c < r.columnCount(); ++c)
            row << r.value(i, c);
        rows << row;
    }
    return rows;
}

} // namespace tarix::test
