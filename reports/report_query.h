#pragma once
// A report's query set up as its layout binds it: the name its fields are read by ("Q0_"),
// the alias of the database it reads, and its SQL text.
#include "platform/db/query.h"

#include <QString>

namespace tarix::reports {

inline void prepareQuery(db::Query &q, const QString &meno, const QString &alias, const QString &sql)
{
    q.setObjectName(meno);
    q.setDatabaseName(alias);
    q.setSql(sql);
}

} // namespace tarix::reports
