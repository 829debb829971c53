#include "core/helpers/sylk.h"

namespace tarix::MyConsts {

QStringList Sylk_zaciatok() { return {QStringLiteral("ID;PWXL;N;E"), QStringLiteral("P;PGeneral")}; }

QString Sylk_koniec() { return QStringLiteral("E"); }

QString Sylk_text(QString text)
{
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return u'"' + text.replace(QStringLiteral(";"), QStringLiteral(";;")) + u'"';
}

QString Sylk_sirka(int column, int width) { return QStringLiteral("F;W%1 %1 %2").arg(column).arg(width); }

QString Sylk_bunka(int row, int column, const QString &text)
{
    return QStringLiteral("C;Y%1;X%2;K").arg(row).arg(column) + Sylk_text(text);
}

} // namespace tarix::MyConsts
