#include "platform/report/datasource.h"
#include "platform/report/maskformat.h"

namespace tarix::rpt {

QString ReportDataSource::displayText(const QString &field) const
{
    return formatValue(QString(), value(field));
}

MemoryDataSource::MemoryDataSource(std::vector<QVariantMap> rows) : m_rows(std::move(rows))
{
    rebuildView();
}

void MemoryDataSource::setRows(std::vector<QVariantMap> rows)
{
    m_rows = std::move(rows);
    rebuildView();
}

void MemoryDataSource::appendRow(const QVariantMap &row)
{
    m_rows.push_back(row);
    rebuildView();
}

void MemoryDataSource::setMasterFilter(RowFilter filter)
{
    m_filter = std::move(filter);
    rebuildView();
}

void MemoryDataSource::rebuildView()
{
    m_view.clear();
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (!m_filter || m_filter(m_rows[size_t(i)]))
            m_view.push_back(i);
    m_pos = 0;
    m_eof = m_view.empty();
}

void MemoryDataSource::first()
{
    m_pos = 0;
    m_eof = m_view.empty();
}

void MemoryDataSource::next()
{
    if (m_eof)
        return;
    if (m_pos + 1 < int(m_view.size()))
        ++m_pos;
    else
        m_eof = true;   // the last row stays current
}

bool MemoryDataSource::eof() const { return m_eof; }
bool MemoryDataSource::isEmpty() const { return m_view.empty(); }

const QVariantMap *MemoryDataSource::current() const
{
    if (m_view.empty())
        return nullptr;
    return &m_rows[size_t(m_view[size_t(m_pos)])];
}

bool MemoryDataSource::hasField(const QString &field) const
{
    const QVariantMap *row = current();
    if (!row && !m_rows.empty())
        row = &m_rows.front();
    if (!row)
        return false;
    for (auto it = row->cbegin(); it != row->cend(); ++it)
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QVariant MemoryDataSource::value(const QString &field) const
{
    const QVariantMap *row = current();
    if (!row)
        return {};
    auto exact = row->constFind(field);
    if (exact != row->cend())
        return exact.value();
    for (auto it = row->cbegin(); it != row->cend(); ++it)
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return it.value();
    return {};
}

QString MemoryDataSource::displayText(const QString &field) const
{
    if (m_display)
        return m_display(field, value(field));
    return ReportDataSource::displayText(field);
}

void MemoryDataSource::reopen()
{
    rebuildView();
}

int MemoryDataSource::recordCount() const { return int(m_view.size()); }

QVariant MemoryDataSource::bookmark() const
{
    if (m_view.empty())
        return {};
    return m_pos;
}

void MemoryDataSource::gotoBookmark(const QVariant &mark)
{
    if (!mark.isValid() || m_view.empty())
        return;
    m_pos = qBound(0, mark.toInt(), int(m_view.size()) - 1);
    m_eof = false;
}

} // namespace tarix::rpt
