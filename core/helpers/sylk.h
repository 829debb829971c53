#pragma once
// Records of a SYLK spreadsheet file (what a spreadsheet program opens as a sheet): the
// file begins with "ID;PWXL;N;E" and "P;PGeneral", sets column widths with "F" records,
// holds one "C" record per text cell and ends with "E". Each record is one line of a
// Windows-1250 file with CR LF line ends.
#include <QString>
#include <QStringList>

namespace tarix::MyConsts {

// The two records every file begins with.
QStringList sylkBegin();
// The record that ends a file.
QString sylkEnd();
// A text as a cell's value: in double quotes, ";" doubled (a single one would end the
// record) and a line break turned into a blank (a record is one line). A '"' inside stays.
QString sylkText(QString text);
// "F;W" + column + " " + column + " " + width.
QString sylkWidth(int column, int width);
// "C;Y" + row + ";X" + column + ";K" + the quoted text.
QString sylkCell(int row, int column, const QString &text);

} // namespace tarix::MyConsts
