#include "core/helpers/pg_csv.h"

#include "platform/codepage/cp1250.h"
#include "platform/db/dataset.h"
#include "platform/shell/atomic_file.h"
#include "platform/shell/file_errors.h"

#include <QFile>
#include <QRegularExpression>

namespace tarix::MyConsts {

namespace {

constexpr QChar kQuote = u'"';

// Opens the dataset for a run with AutoOpen and closes it afterwards.
class AutoOpenScope {
public:
    AutoOpenScope(db::DataSet &ds, bool autoOpen) : m_ds(ds), m_autoOpen(autoOpen)
    {
        if (m_autoOpen)
            m_ds.open();
    }
    ~AutoOpenScope()
    {
        if (m_autoOpen) {
            try {
                m_ds.close();
            } catch (...) {
            }
        }
    }

private:
    db::DataSet &m_ds;
    bool m_autoOpen;
};

} // namespace

QString TPgCSV::csvMap() const
{
    if (!CSVMap.trimmed().isEmpty() || !Dataset)
        return CSVMap;
    QString map;
    for (db::Field *f : Dataset->fields())
        map += FieldIndicator + f->name() + Seprator;
    map.chop(1);
    return map;
}

QStringList TPgCSV::csvItems(const QString &map) const { return map.split(Seprator); }

QString TPgCSV::riadok(const QStringList &values) const
{
    QStringList out;
    for (const QString &v : values) {
        if (UseDelimiter)
            out << Delimiter + v + Delimiter;
        else if (v.contains(Seprator) || v.contains(kQuote) || v.contains(u'\n') || v.contains(u'\r'))
            out << kQuote + QString(v).replace(kQuote, QStringLiteral("\"\"")) + kQuote;
        else
            out << v;
    }
    return out.join(Seprator);
}

void TPgCSV::DataSetToCSV()
{
    if (!Dataset)
        return;
    if (BeforeExport)
        BeforeExport();
    QByteArray bytes;
    if (!EmptyTable) {
        QFile old(CSVFile);
        if (old.exists()) {
            if (!old.open(QIODevice::ReadOnly))
                throw shell::EFileOpenError(CSVFile);
            bytes = old.readAll();
        }
    }
    {
        AutoOpenScope scope(*Dataset, AutoOpen);
        db::DataSet &ds = *Dataset;
        ds.first();
        const QStringList items = csvItems(csvMap());
        QStringList lines;
        int recordNumber = 0;
        while (!ds.eof()) {
            QStringList values;
            for (const QString &item : items) {
                if (!item.isEmpty() && item.at(0) == FieldIndicator)
                    values << ds.fieldByName(item.mid(1)).text();
                else
                    values << item;
            }
            lines << riadok(values);
            ds.next();
            if (ExportProgress)
                ExportProgress(*this, recordNumber);
            ++recordNumber;
        }
        // A line break inside a quoted value is kept as it is, not turned into a line end.
        for (const QString &line : lines)
            bytes += codepage::toCp1250(line) + "\r\n";
    }
    shell::writeFileAtomically(CSVFile, bytes);
    if (AfterExport)
        AfterExport();
}

QList<QStringList> TPgCSV::csvValues(const QString &text) const
{
    QList<QStringList> rows;
    if (UseDelimiter) {
        const QString inner = QString(Delimiter) + Seprator + Delimiter;
        static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
        for (const QString &line : text.split(lineEnd)) {
            if (line.isEmpty())
                continue;
            QStringList values = line.split(inner);
            if (values.first().startsWith(Delimiter))
                values.first().remove(0, 1);
            if (values.last().endsWith(Delimiter))
                values.last().chop(1);
            rows << values;
        }
        return rows;
    }
    // Plain values, and '"'-enclosed ones that may hold the separator, '"' or line breaks.
    QStringList values;
    QString value;
    bool quoted = false;
    bool any = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == kQuote) {
                if (i + 1 < n && text.at(i + 1) == kQuote) {
                    value += kQuote;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                value += c;
            }
            continue;
        }
        if (c == kQuote && value.isEmpty()) {
            quoted = true;
            any = true;
        } else if (c == Seprator) {
            values << value;
            value.clear();
            any = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            if (any || !value.isEmpty())
                rows << (values << value);
            values.clear();
            value.clear();
            any = false;
        } else {
            value += c;
            any = true;
        }
    }
    if (any || !value.isEmpty())
        rows << (values << value);
    return rows;
}

void TPgCSV::CSVToDataSet()
{
    if (!Dataset)
        return;
    QFile file(CSVFile);
    if (!file.open(QIODevice::ReadOnly))
        throw shell::EFileOpenError(CSVFile);
    const QString text = codepage::fromCp1250(file.readAll(), codepage::Mode::Lenient);
    file.close();
    if (BeforeImport)
        BeforeImport();
    AutoOpenScope scope(*Dataset, AutoOpen);
    db::DataSet &ds = *Dataset;
    const QStringList items = csvItems(csvMap());
    int recordNumber = 0;
    for (const QStringList &values : csvValues(text)) {
        ds.append();
        try {
            for (int i = 0; i < items.size(); ++i) {
                const QString &item = items.at(i);
                if (item.compare(IgnoreString, Qt::CaseInsensitive) == 0)
                    continue;
                QString name = item;
                if (!name.isEmpty() && name.at(0) == FieldIndicator)
                    name.remove(0, 1);
                ds.fieldByName(name).setText(values.value(i));
            }
            ds.post();
        } catch (...) {
            if (ds.isEditing())
                ds.cancel();
            throw;
        }
        if (ImportProgress)
            ImportProgress(*this, recordNumber);
        ++recordNumber;
    }
    if (AfterImport)
        AfterImport();
}

} // namespace tarix::MyConsts
