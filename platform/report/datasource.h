#pragma once
// The data side of the report engine.
//
// The engine reads rows only through ReportDataSource, so that it stays independent of
// the dataset layer: an adapter over a dataset implements this interface, and code-built
// reports use MemoryDataSource. The cursor follows the dataset convention the layouts were
// written for: next() on the last row sets eof() but leaves the last row current, so
// footers and the summary still read the last row's values.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <vector>

namespace tarix::rpt {

class ReportDataSource {
public:
    virtual ~ReportDataSource() = default;

    // Moves to the first row (eof() is true when there is none).
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    // True when there is no row at all.
    virtual bool isEmpty() const = 0;

    virtual bool hasField(const QString &field) const = 0;
    // The current row's value; an invalid QVariant is the null value.
    virtual QVariant value(const QString &field) const = 0;
    // The field's text with its own display format (used by data texts without a mask).
    virtual QString displayText(const QString &field) const;

    // Re-reads the rows; a sub-detail source is re-opened for each master row. The default
    // only rewinds.
    virtual void reopen() { first(); }

    // Optional: the number of rows, -1 when unknown.
    virtual int recordCount() const { return -1; }

    // Optional bookmarks: the engine returns to the last row of a group to print its
    // footers with that row current. A source without bookmarks returns an invalid value;
    // its group footers then see the first row of the next group.
    virtual QVariant bookmark() const { return {}; }
    virtual void gotoBookmark(const QVariant &mark) { Q_UNUSED(mark); }
};

// Rows held in memory; field names match case-insensitively. A master filter makes it a
// sub-detail source: reopen() keeps only the rows the filter accepts (the filter reads
// the master's current row itself).
class MemoryDataSource : public ReportDataSource {
public:
    MemoryDataSource() = default;
    explicit MemoryDataSource(std::vector<QVariantMap> rows);

    void setRows(std::vector<QVariantMap> rows);
    void appendRow(const QVariantMap &row);
    const std::vector<QVariantMap> &allRows() const { return m_rows; }

    using RowFilter = std::function<bool(const QVariantMap &row)>;
    void setMasterFilter(RowFilter filter);

    // Display texts for data texts without a mask; by default the engine's plain text.
    using DisplayFormatter = std::function<QString(const QString &field, const QVariant &value)>;
    void setDisplayFormatter(DisplayFormatter f) { m_display = std::move(f); }

    void first() override;
    void next() override;
    bool eof() const override;
    bool isEmpty() const override;
    bool hasField(const QString &field) const override;
    QVariant value(const QString &field) const override;
    QString displayText(const QString &field) const override;
    void reopen() override;
    int recordCount() const override;
    QVariant bookmark() const override;
    void gotoBookmark(const QVariant &mark) override;

    int position() const { return m_pos; }

private:
    void rebuildView();
    const QVariantMap *current() const;

    std::vector<QVariantMap> m_rows;
    std::vector<int> m_view;          // indexes of the visible rows
    RowFilter m_filter;
    DisplayFormatter m_display;
    int m_pos = 0;
    bool m_eof = true;
};

} // namespace tarix::rpt
