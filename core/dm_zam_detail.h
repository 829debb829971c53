#pragma once
// Small helpers shared by the event files of the employee module.
#include "core/session.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/session.h"

#include <QDate>
#include <QString>
#include <initializer_list>
#include <utility>

namespace tarix::core::employee_detail {

// The session the module's tables use.
db::Session &dbSession();

// Rows of one SQL text of the program's dialect.
db::SqlResult detailQuery(const QString &sql, const db::Params &params = {},
                    const QString &alias = QString::fromLatin1(kAliasData));

// Field labels shown to users (and named by the required-field refusal).
void setFieldLabels(db::DataSet &ds, std::initializer_list<std::pair<const char *, const char *>> labels);

// A list source follows its main source: disabled while the dataset is in edit or insert
// state, enabled otherwise; checked on every state and data change of the main source while
// that source is enabled.
void joinLists(db::DataSource &main, std::initializer_list<db::DataSource *> lists);

// Bank account and symbol fields: prefix and number must be digits (the check digit is not
// enforced), bank code and specific symbol empty or whole numbers.
void setAccountCheck(db::DataSet &ds, const QString &prefix, const QString &number,
                        const QString &bank, const QString &specific);

// The date as the comparisons of the program read it: an empty date is 30.12.1899.
QDate dateOrZero(const QDate &date);

// The three name parts, each trimmed, joined by one blank (an empty part keeps its blank),
// cut to 100 characters.
QString joinName(const QString &a, const QString &b, const QString &c);

} // namespace tarix::core::employee_detail
