#pragma once
// Payroll periods (yyyymm integers), dates built from parts, month names.
#include <QDate>
#include <QString>

#include <array>

namespace tarix::MyConsts {

int Mesiac_obdobia(int period); // period mod 100
int Rok_obdobia(int period);    // period div 100

// The period moved by a signed number of months (200501, -1 -> 200412; 200412, 13 -> 200601).
int Posun_obdobie(int period, int months);

// Days of the period's month (February by the Gregorian leap rule); 0 for a month
// outside 1..12.
int Pocet_dni_mesiaca(int period);

// yyyymm and yyyymmdd of a date; 0 for an empty date.
int Obdobie_z_datumu(const QDate &date);
int Datum_ako_cislo(const QDate &date);

// "MMYYYY": 200503 -> "032005".
QString Text_obdobia(int period);

// The date of day `day` in the month: a day below 1 or above 31 means 31, and a day the
// month does not have becomes its last day (31 of April -> 30 April). A month outside
// 1..12 (or an impossible year) gives a null QDate.
QDate Zostav_datum(int year, int month, int day);

// "ROK" + year: "ROK2005".
QString Nazov_priecinka_roka(int year);

// "január" .. "december", or "JANUÁR" .. "DECEMBER"; empty for another month.
QString Nazov_mesiaca(int month, bool upperCase);

// Twelve month flags (1 = month set, index 0 = January) -> runs joined by ",": one month
// as its number, two adjacent months as "3,4", three or more as "1-5" (months 1-5, 7 and
// 9-12 give "1-5,7,9-12"). A flag other than 0 or 1 neither starts nor ends a run.
QString Text_zoznamu_mesiacov(const std::array<quint8, 12> &flags);

} // namespace tarix::MyConsts
