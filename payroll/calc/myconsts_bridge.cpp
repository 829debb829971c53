// TEMPORARY STAND-IN, delete at merge together with myconsts_bridge.h: trivial versions
// of the MyConsts helpers so that the payroll layer builds before the real ones are on
// main. The rounding snaps binary noise off the scaled value so that decimal amounts
// round as the exact routine rounds them.
#include "payroll/calc/myconsts_bridge.h"

#include <cmath>

namespace tarix::MyConsts {

double Zaokruhli_sumu(int places, int mode, double value)
{
    double s = 1.0;
    for (int i = 0; i < std::abs(places); ++i)
        s *= 10.0;
    double x = places >= 0 ? value / s : value * s;
    const double snapped = std::round(x * 1e6) / 1e6;
    if (std::fabs(snapped - x) <= 1e-7 * std::max(1.0, std::fabs(x)))
        x = snapped;
    const double whole = std::trunc(x);
    const double frac = x - whole;
    switch (mode) {
    case 0:
        if (frac != 0.0)
            x = x >= 0 ? whole + 1 : whole - 1;
        break;
    case 1:
        x = whole;
        break;
    case 2:
        x = std::nearbyint(x); // default rounding mode: halves to even
        break;
    case 4:
        x = frac > 0.5 ? std::round(x) : whole;
        break;
    default:
        break;
    }
    return places >= 0 ? x * s : x / s;
}

int Mesiac_obdobia(int period) { return period % 100; }
int Rok_obdobia(int period) { return period / 100; }

int Posun_obdobie(int period, int months)
{
    int year = period / 100;
    int month = period % 100 + months;
    while (month < 1) {
        month += 12;
        --year;
    }
    while (month > 12) {
        month -= 12;
        ++year;
    }
    return year * 100 + month;
}

int Pocet_dni_mesiaca(int period)
{
    const int year = period / 100;
    switch (period % 100) {
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

QString Nazov_mesiaca(int month, bool upperCase)
{
    static const char16_t *names[] = {u"január", u"február", u"marec", u"apríl", u"máj",
                                      u"jún", u"júl", u"august", u"september", u"október",
                                      u"november", u"december"};
    if (month < 1 || month > 12)
        return {};
    const QString name = QString::fromUtf16(names[month - 1]);
    return upperCase ? name.toUpper() : name;
}

QString Bajt_na_binarny_text(quint8 value)
{
    QString text;
    for (int bit = 7; bit >= 0; --bit)
        text += (value >> bit) & 1 ? u'1' : u'0';
    return text;
}

QString Priznaky_na_text(quint8 flags)
{
    return flags == 1 ? QStringLiteral("01111110") : Bajt_na_binarny_text(flags);
}

QString Text_typu_premie(int type)
{
    switch (type) {
    case 0: return QStringLiteral("individuálna výška");
    case 1: return QStringLiteral("percentuálna sadzba");
    case 2: return QStringLiteral("hodinová sadzba");
    default: return {};
    }
}

QString Text_typu_sadzby(int type)
{
    switch (type) {
    case 0: return QStringLiteral("percentuálna");
    case 1: return QStringLiteral("hodinová");
    default: return {};
    }
}

} // namespace tarix::MyConsts
