#pragma once
// The rows of one SQL text, read at once: counts, typed values and display texts. Every call
// gives a fresh object, so no cell of an earlier call is ever seen; there is no row cap.
#include "platform/db/value.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace tarix::db {

class SqlResult {
public:
    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return int(m_columns.size()); }
    qint64 rowsAffected() const { return m_changes; }
    bool isEmpty() const { return m_rows.isEmpty(); }

    QString columnName(int column) const { return m_columns.at(column); }
    QStringList columnNames() const { return m_columns; }
    // First column of that name (case-insensitive), -1 when absent.
    int columnIndex(const QString &name) const;
    FieldType columnType(int column) const { return m_types.at(column); }

    // Typed values: NULL is an invalid QVariant; integers qint64, numbers double, dates QDate
    // for date columns, texts QString. Out-of-range rows/columns throw std::out_of_range.
    QVariant value(int row, int column) const;
    QVariant value(int row, const QString &column) const;
    bool isNull(int row, int column) const { return !value(row, column).isValid(); }
    double asFloat(int row, int column) const { return variantToDouble(value(row, column)); }
    qint64 asInteger(int row, int column) const { return variantToInteger(value(row, column)); }
    QString asString(int row, int column) const { return variantToString(value(row, column)); }
    QDate asDate(int row, int column) const { return variantToDate(value(row, column)); }
    bool asBoolean(int row, int column) const { return variantToBool(value(row, column)); }
    // Display text (integers as plain integers, money "0.00", dates d.M.yyyy).
    QString text(int row, int column) const;
    QString text(int row, const QString &column) const;

    // Building (the session fills it).
    void setColumns(const QStringList &names, const QVector<FieldType> &types)
    {
        m_columns = names;
        m_types = types;
        m_byName.clear();
    }
    void setColumnType(int column, FieldType t) { m_types[column] = t; }
    void addRow(QVector<QVariant> row) { m_rows.append(std::move(row)); }
    QVector<QVariant> &row(int r) { return m_rows[r]; }
    void setRowsAffected(qint64 n) { m_changes = n; }

private:
    int checkedColumn(const QString &name) const;
    QStringList m_columns;
    // Case-folded column name -> first column of it, made at the first look-up by name
    // (a wide result read field by field asks for every name).
    mutable QHash<QString, int> m_byName;
    QVector<FieldType> m_types;
    QVector<QVector<QVariant>> m_rows;
    qint64 m_changes = 0;
};

} // namespace tarix::db
