#include "reports/documents/document_data.h"

#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/db/session.h"

namespace tarix::reports::documents {

QVariant DataRow::value(const QString &column) const
{
    if (!exists())
        return {};
    const int c = m_result.columnIndex(column);
    return c < 0 ? QVariant() : m_result.value(m_row, c);
}

QString DataRow::text(const QString &column) const { return db::variantToString(value(column)).trimmed(); }

QDate DataRow::date(const QString &column) const { return db::variantToDate(value(column)); }

double DataRow::number(const QString &column) const { return db::variantToDouble(value(column)); }

DataRow firmHeading(db::Session &session)
{
    return DataRow(session.run(QStringLiteral("select * from \":tarix_data:inf\"")), 0);
}

QString countryName(db::Session &session, const QString &kod3)
{
    if (kod3.trimmed().isEmpty())
        return {};
    const db::SqlResult r = session.run(QStringLiteral("select nazov from \":tarix_comm:cis_stat\" where kod3 = :p1"),
                                        {{QStringLiteral("p1"), kod3.trimmed()}});
    return r.rowCount() ? r.asString(0, 0).trimmed() : QString();
}

QString fileNamePart(const QString &text)
{
    QString out;
    for (const QChar c : text.trimmed()) {
        if (c == u'/' || c == u'\\')
            out += u'_';
        else if (c.category() != QChar::Other_Control)
            out += c;
    }
    return out;
}

QString employeeFileName(const QString &prefix, const QString &rodneCislo, const QString &priezvisko,
                                 const QString &meno, const QString &pripona)
{
    return prefix + fileNamePart(MyConsts::Odstran_lomky_a_medzery(rodneCislo)) + u'_'
           + fileNamePart(priezvisko) + u'_' + fileNamePart(meno) + pripona;
}

} // namespace tarix::reports::documents
