#include "platform/db/sql_result.h"

#include "platform/db/db_error.h"

#include <stdexcept>

namespace tarix::db {

int SqlResult::columnIndex(const QString &name) const
{
    if (m_columns.size() <= 8) {
        for (int i = 0; i < m_columns.size(); ++i)
            if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    if (m_byName.isEmpty())
        for (int i = int(m_columns.size()); i-- > 0;) // the first of a name wins
            m_byName.insert(m_columns[i].toCaseFolded(), i);
    return m_byName.value(name.toCaseFolded(), -1);
}

int SqlResult::checkedColumn(const QString &name) const
{
    const int c = columnIndex(name);
    if (c < 0)
        throw DbError(QStringLiteral("Výsledok neobsahuje stĺpec %1").arg(name));
    return c;
}

QVariant SqlResult::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size())
        throw std::out_of_range("SqlResult: row or column out of range");
    return m_rows[row][column];
}

QVariant SqlResult::value(int row, const QString &column) const { return value(row, checkedColumn(column)); }

QString SqlResult::text(int row, int column) const
{
    return formatDisplay(value(row, column), m_types.at(column), QString());
}

QString SqlResult::text(int row, const QString &column) const { return text(row, checkedColumn(column)); }

} // namespace tarix::db
