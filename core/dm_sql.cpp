#include "core/dm_sql.h"

#include "platform/db/session.h"

namespace tarix::core {

void TDMSQL::Vykonaj_sql(const QString &text)
{
    m_result = db::SqlResult();
    m_rows = m_columns = 0;
    db::Session *s = db::Session::defaultSession();
    if (!s)
        throw std::logic_error("no database session");
    if (text.trimmed().left(6).toUpper() == QLatin1String("SELECT")) {
        m_result = s->run(text);
        m_rows = m_result.rowCount();
        m_columns = m_result.columnCount();
    } else {
        s->execute(text);
    }
}

QString TDMSQL::Vysledok(int row, int column) const
{
    if (row < 1 || row > m_rows || column < 1 || column > m_columns)
        return {};
    return m_result.text(row - 1, column - 1);
}

TDMSQL &DMSQL()
{
    static TDMSQL instance;
    return instance;
}

TDMSQL &DMSQL2()
{
    static TDMSQL instance;
    return instance;
}

} // namespace tarix::core
