#pragma once
// What the employment documents, the letters and the pension record read alike: one row of
// a query by column name, the firm header with its country, a country's name, the parts of
// a file name taken from names, and the year of a period.
#include "platform/db/sql_result.h"

#include <QDate>
#include <QString>

namespace tarix::db {
class Session;
}

namespace tarix::reports::documents {

// One row of a result, read by column name (case-insensitive). A row past the end or a
// column the result lacks reads as empty, so that a letter without data writes blanks.
class DataRow {
public:
    DataRow() = default;
    DataRow(db::SqlResult result, int row) : m_result(std::move(result)), m_row(row) {}

    bool exists() const { return m_row >= 0 && m_row < m_result.rowCount(); }
    QVariant value(const QString &column) const;
    // Trimmed text; "" for an empty value.
    QString text(const QString &column) const;
    QDate date(const QString &column) const;
    double number(const QString &column) const;
    bool isNull(const QString &column) const { return !value(column).isValid() || value(column).isNull(); }

private:
    db::SqlResult m_result;
    int m_row = -1;
};

// The firm header's row (Inf).
DataRow firmHeading(db::Session &session);
// The country's name (CIS_STAT NAZOV) of a three-letter code; empty for an empty or
// unknown code.
QString countryName(db::Session &session, const QString &kod3);

// A name as a part of a file name: trimmed, every "/" and "\" turned into "_" and control
// characters dropped, so that a name never leads the file into another folder.
QString fileNamePart(const QString &text);
// "<prefix><birth number without "/" and blanks>_<surname>_<name><suffix>".
QString employeeFileName(const QString &prefix, const QString &rodneCislo, const QString &priezvisko,
                                 const QString &meno, const QString &pripona);

} // namespace tarix::reports::documents
