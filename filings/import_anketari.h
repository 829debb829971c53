#pragma once
// "Import z TXT - Anketári": one month's survey-takers (persons paid under work agreements)
// read from the import folder's "yymm.txt" (Windows-1250, fields separated by ";"): for
// each row of the open month the employee is created or updated by his personal number and
// a payroll of the open month is added with the row's two amounts. The payrolls of the
// month in the centres the file names are deleted first.
//
// The deletion and every row are one transaction: a row the program refuses (a check of
// the employee or of the payroll, a payroll of the month that exists already, a line that
// cannot be read) is listed in "vystupy/chyby1_" + period + ".txt" and skipped, while a
// database error ends the import with the month as it was before. Every question is asked
// before that transaction begins; a closed month is refused before anything is touched.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarix::db {
class Session;
}

namespace tarix::filings::survey_import {

// The input file's name for a period: the year's last two digits, the month in two digits,
// ".txt" (200503 -> "0503.txt").
QString Vstupny_subor(int obdobie);
// The program folder's "vystupy/chyby1_" + period + ".txt".
QString surveyErrorFile(int obdobie);

// The centres a file's rows of the open period name (1 to 99), ascending, joined by ","
// ("2,5"); empty when none.
QString costCenters(const QByteArray &subor, int obdobie);

struct Vysledok {
    bool spustene = false;  // the rows were read (the clerk agreed and the month is open)
    bool zrusene = false;   // a database error ended it; nothing was stored
    int importovane = 0;    // payrolls stored
    QStringList chyby;      // the error file's lines after its two header lines
};

// The whole command: questions 65155 and 65156, the import, the error file, and at the
// end information 65154 or the error file shown.
Vysledok mnu_imp2Click();

} // namespace tarix::filings::survey_import
