#include "core/helpers/periods.h"

namespace tarix::MyConsts {
namespace {

int floorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

int Mesiac_obdobia(int period)
{
    return period % 100;
}

int Rok_obdobia(int period)
{
    return period / 100;
}

int Posun_obdobie(int period, int months)
{
    // Months counted from January of year 0, so that carrying works in both directions.
    const int index = Rok_obdobia(period) * 12 + Mesiac_obdobia(period) - 1 + months;
    const int year = floorDiv(index, 12);
    return year * 100 + (index - year * 12) + 1;
}

int Pocet_dni_mesiaca(int period)
{
    const int year = Rok_obdobia(period);
    switch (Mesiac_obdobia(period)) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return (year % 400 == 0 || (year % 4 == 0 && year % 100 != 0)) ? 29 : 28;
    default:
        return 0;
    }
}

int Obdobie_z_datumu(const QDate &date)
{
    return date.isValid() ? date.year() * 100 + date.month() : 0;
}

int Datum_ako_cislo(const QDate &date)
{
    return date.isValid() ? Obdobie_z_datumu(date) * 100 + date.day() : 0;
}

QString Text_obdobia(int period)
{
    return twoDigits(Mesiac_obdobia(period))
           + QString::number(Rok_obdobia(period)).rightJustified(4, u'0');
}

QDate Zostav_datum(int year, int month, int day)
{
    if (month < 1 || month > 12 || !QDate::isValid(year, month, 1))
        return {};
    if (day < 1 || day > 31)
        day = 31;
    while (day > 28 && !QDate::isValid(year, month, day))
        --day;
    return QDate(year, month, day);
}

QString Nazov_priecinka_roka(int year)
{
    return QStringLiteral("ROK") + QString::number(year);
}

QString Nazov_mesiaca(int month, bool upperCase)
{
    static const char16_t *const lower[12] = {
        u"január", u"február", u"marec", u"apríl", u"máj", u"jún",
        u"júl", u"august", u"september", u"október", u"november", u"december"};
    static const char16_t *const upper[12] = {
        u"JANUÁR", u"FEBRUÁR", u"MAREC", u"APRÍL", u"MÁJ", u"JÚN",
        u"JÚL", u"AUGUST", u"SEPTEMBER", u"OKTÓBER", u"NOVEMBER", u"DECEMBER"};
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf16((upperCase ? upper : lower)[month - 1]);
}

QString Text_zoznamu_mesiacov(const std::array<quint8, 12> &flags)
{
    QString out;
    auto addRun = [&out](int first, int last) {
        if (!out.isEmpty())
            out += u',';
        if (first == last)
            out += QString::number(first);
        else if (last == first + 1)
            out += QString::number(first) + u',' + QString::number(last);
        else
            out += QString::number(first) + u'-' + QString::number(last);
    };
    int runStart = 0; // 0: no run open
    for (int month = 1; month <= 12; ++month) {
        const quint8 flag = flags[size_t(month - 1)];
        if (flag == 1 && runStart == 0) {
            runStart = month;
        } else if (flag == 0 && runStart != 0) {
            addRun(runStart, month - 1);
            runStart = 0;
        }
    }
    if (runStart != 0)
        addRun(runStart, 12);
    return out;
}

} // namespace tarix::MyConsts
