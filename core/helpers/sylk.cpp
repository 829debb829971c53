#include "core/helpers/sylk.h"

namespace tarix::MyConsts {

QStringList sylkBegin() { return {QStringLiteral("ID;PWXL;N;E"), QStringLiteral("P;PGeneral")}; }

QString sylkEnd() { return QStringLiteral("E"); }

QString sylkText(QString text)
{
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return u'"' + text.replace(QStringLiteral(";"), QStringLiteral(";;")) + u'"';
}

QString sylkWidth(int column, int width) { return QStringLiteral("F;W%1 %1 %2").arg(column).arg(width); }

QString sylkCell(int row, int column, const QString &text)
{
    return QStringLiteral("C;Y%1;X%2;K").arg(row).arg(column) + sylkText(text);
}

} // namespace tarix::MyConsts
