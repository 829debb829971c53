#include "platform/format/decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace tarix::fmt {
namespace {

constexpr int kSignificant = 15;
// Beyond this, no double has a digit at the requested place anyway; the clamp keeps the
// digit strings short for absurd arguments.
constexpr int kMaxDecimals = 400;

// A value as 0.d1d2d3... x 10^point.
struct Digits {
    bool negative = false;
    std::string digits;
    int point = 0;

    char at(int i) const { return i >= 0 && i < int(digits.size()) ? digits[size_t(i)] : '0'; }
};

Digits significantDigits(double value)
{
    Digits d;
    d.negative = std::signbit(value);
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, kSignificant - 1);
    if (res.ec != std::errc())
        throw std::logic_error("decimal digits of a double");
    // "d.dddddddddddddde+XX"
    const std::string text(buf, res.ptr);
    const size_t e = text.find('e');
    d.digits.reserve(kSignificant);
    for (size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.digits.push_back(text[i]);
    d.point = std::atoi(text.c_str() + e + 1) + 1;
    return d;
}

bool allZero(const std::string &s, size_t from = 0)
{
    return std::all_of(s.begin() + long(std::min(from, s.size())), s.end(),
                       [](char c) { return c == '0'; });
}

// Rounds d to `decimals` places in place. Returns false when nothing had to be cut.
bool roundDigits(Digits &d, int decimals, Rounding mode)
{
    int keep = d.point + decimals;
    if (keep >= int(d.digits.size()))
        return false;
    if (keep < 0) {
        // Every digit lies below the rounding place: shift so that the kept part is empty.
        d.digits.insert(0, size_t(-keep), '0');
        d.point += -keep;
        keep = 0;
    }
    const std::string rest = d.digits.substr(size_t(keep));
    d.digits.resize(size_t(keep));

    const bool restZero = allZero(rest);
    const bool above = rest[0] > '5' || (rest[0] == '5' && !allZero(rest, 1));
    const bool tie = rest[0] == '5' && allZero(rest, 1);
    const bool lastOdd = keep > 0 && ((d.digits.back() - '0') % 2 == 1);

    bool up = false;
    switch (mode) {
    case Rounding::HalfAwayFromZero: up = above || tie; break;
    case Rounding::HalfEven: up = above || (tie && lastOdd); break;
    case Rounding::HalfTowardZero: up = above; break;
    case Rounding::AwayFromZero: up = !restZero; break;
    case Rounding::TowardZero: up = false; break;
    case Rounding::Floor: up = d.negative && !restZero; break;
    case Rounding::Ceiling: up = !d.negative && !restZero; break;
    }
    if (up) {
        int i = int(d.digits.size()) - 1;
        while (i >= 0 && d.digits[size_t(i)] == '9')
            d.digits[size_t(i--)] = '0';
        if (i >= 0) {
            ++d.digits[size_t(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        }
    }
    return true;
}

DecimalDigits collect(const Digits &d, int decimals)
{
    DecimalDigits out;
    for (int i = 0; i < d.point; ++i) {
        const char c = d.at(i);
        if (c != '0' || !out.integer.empty())
            out.integer.push_back(c);
    }
    if (out.integer.empty())
        out.integer.push_back('0');
    for (int i = 0; i < decimals; ++i)
        out.fraction.push_back(d.at(d.point + i));
    out.negative = d.negative && !(out.integer == "0" && allZero(out.fraction));
    return out;
}

// The double nearest to the digits of d; `fallback` when they cannot be read back.
double toDouble(const Digits &d, double fallback)
{
    if (allZero(d.digits))
        return 0.0;
    std::string text;
    if (d.negative)
        text.push_back('-');
    text += "0.";
    text += d.digits;
    text += 'e';
    text += std::to_string(d.point);
    double result = fallback;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), result);
    if (res.ec != std::errc())
        return fallback;
    return result;
}

// ---- the same decisions on integers, where they provably give the same result ----------
//
// |value| = 0.M x 10^point with M the 15 significant digits the text above holds, as an
// integer; rounding to a place is then one division with a remainder.
struct Scaled {
    bool negative = false;
    std::int64_t m = 0; // the digits, 0 or [1e14, 1e15)
    int point = 0;
};

constexpr std::int64_t kIntPow10[] = {1,
                                      10,
                                      100,
                                      1000,
                                      10000,
                                      100000,
                                      1000000,
                                      10000000,
                                      100000000,
                                      1000000000,
                                      10000000000,
                                      100000000000,
                                      1000000000000,
                                      10000000000000,
                                      100000000000000,
                                      1000000000000000,
                                      10000000000000000,
                                      100000000000000000,
                                      1000000000000000000};
// Every power of ten up to 1e22 is a double exactly.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The digits of `value` as to_chars gives them, by one multiplication with an exact power
// of ten: the fused multiply-add gives the product's rounding error exactly, so the exact
// product's nearest integer is known. False (take the text path) for values out of range
// and for an exact tie (whose rounding the text path decides).
bool scaledDigits(double value, Scaled &out)
{
    out.negative = std::signbit(value);
    const double a = std::fabs(value);
    if (a == 0) {
        out.m = 0;
        out.point = 1;
        return true;
    }
    if (!(a >= 1e-7 && a < 1e15))
        return false;
    int e2 = 0;
    std::frexp(a, &e2);
    // floor(log10(a)), give or take one; the range checks below settle it.
    int n = int(std::floor((e2 - 1) * 0.30102999566398120));
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 14 - n;
        if (k < 0 || k > 22)
            return false;
        const double scaled = a * kPow10[k];
        const double error = std::fma(a, kPow10[k], -scaled); // exact product = scaled + error
        if (scaled > 1e15 || (scaled == 1e15 && error >= 0)) {
            ++n;
            continue;
        }
        if (scaled < 1e14 || (scaled == 1e14 && error < 0)) {
            --n;
            continue;
        }
        // |error| <= 1/16 here: the exact product lies within [whole - 1/16, whole + 17/16).
        const double whole = std::floor(scaled);
        const double side = (scaled - whole - 0.5) + error; // each step exact or sign-keeping
        if (side == 0)
            return false;
        out.m = std::int64_t(whole) + (side > 0 ? 1 : 0);
        out.point = 15 - k;
        if (out.m == 1000000000000000) { // rounded up to the next power of ten
            out.m = 100000000000000;
            ++out.point;
        }
        return true;
    }
    return false;
}

// `digits` (a whole number of units of 10^-from) rounded to `to` places (to < from).
std::int64_t roundScaled(std::int64_t digits, bool negative, int cut, Rounding mode)
{
    if (cut > 18) // every digit lies far below the place: a remainder under a half
        return (mode == Rounding::AwayFromZero || (mode == Rounding::Floor && negative)
                || (mode == Rounding::Ceiling && !negative))
                       && digits != 0
                   ? 1
                   : 0;
    const std::int64_t unit = kIntPow10[cut];
    std::int64_t q = digits / unit;
    const std::int64_t rest = digits % unit;
    const std::int64_t half = unit / 2;
    const bool restZero = rest == 0;
    const bool above = rest > half;
    const bool tie = rest == half;
    bool up = false;
    switch (mode) {
    case Rounding::HalfAwayFromZero: up = above || tie; break;
    case Rounding::HalfEven: up = above || (tie && q % 2 == 1); break;
    case Rounding::HalfTowardZero: up = above; break;
    case Rounding::AwayFromZero: up = !restZero; break;
    case Rounding::TowardZero: up = false; break;
    case Rounding::Floor: up = negative && !restZero; break;
    case Rounding::Ceiling: up = !negative && !restZero; break;
    }
    return up ? q + 1 : q;
}

// roundDecimalSnapped on integers; false when it cannot be shown to give the same result.
bool roundFast(double value, int decimals, Rounding mode, int snapDecimals, double &result)
{
    if (decimals < -18 || decimals > 22)
        return false;
    Scaled s;
    if (!scaledDigits(value, s))
        return false;
    // The digits as a whole number of units of 10^-places.
    std::int64_t digits = s.m;
    int places = 15 - s.point;
    bool changed = false;
    if (decimals < snapDecimals && s.point + snapDecimals < 15) {
        digits = roundScaled(digits, s.negative, places - snapDecimals, Rounding::HalfEven);
        places = snapDecimals;
        changed = true;
    }
    if (s.point + decimals < 15 && decimals < places) {
        digits = roundScaled(digits, s.negative, places - decimals, mode);
        places = decimals;
        changed = true;
    }
    if (!changed) {
        result = value;
        return true;
    }
    if (digits == 0) {
        result = 0.0;
        return true;
    }
    // One correctly rounded operation on exact operands: the double nearest the decimal,
    // as reading its text gives it.
    if (places > 22 || places < -22 || digits > (std::int64_t(1) << 53))
        return false;
    const double magnitude = places >= 0 ? double(digits) / kPow10[places] : double(digits) * kPow10[-places];
    result = s.negative ? -magnitude : magnitude;
    return true;
}

} // namespace

DecimalDigits toDecimal(double value, int decimals, Rounding mode)
{
    if (!std::isfinite(value))
        throw std::invalid_argument("toDecimal of a value that is not finite");
    decimals = std::clamp(decimals, -kMaxDecimals, kMaxDecimals);
    Digits d = significantDigits(value);
    roundDigits(d, decimals, mode);
    return collect(d, decimals);
}

DecimalDigits toSignificant(double value, int digits, Rounding mode)
{
    if (!std::isfinite(value))
        throw std::invalid_argument("toSignificant of a value that is not finite");
    Digits d = significantDigits(value);
    if (allZero(d.digits))
        return {false, "0", ""};
    const int decimals = std::clamp(digits, 1, kSignificant) - d.point;
    roundDigits(d, decimals, mode);
    return collect(d, decimals);
}

double roundDecimal(double value, int decimals, Rounding mode)
{
    return roundDecimalSnapped(value, decimals, mode, decimals);
}

double roundDecimalSnapped(double value, int decimals, Rounding mode, int snapDecimals)
{
    if (!std::isfinite(value))
        return value;
    double fast = 0;
    if (roundFast(value, std::clamp(decimals, -kMaxDecimals, kMaxDecimals), mode,
                  std::clamp(snapDecimals, -kMaxDecimals, kMaxDecimals), fast))
        return fast;
    return roundDecimalSnappedByText(value, decimals, mode, snapDecimals);
}

double roundDecimalSnappedByText(double value, int decimals, Rounding mode, int snapDecimals)
{
    if (!std::isfinite(value))
        return value;
    decimals = std::clamp(decimals, -kMaxDecimals, kMaxDecimals);
    snapDecimals = std::clamp(snapDecimals, -kMaxDecimals, kMaxDecimals);
    Digits d = significantDigits(value);
    // Half-even at the snap place: the noise left there is far from any tie.
    const bool snapped = decimals < snapDecimals && roundDigits(d, snapDecimals, Rounding::HalfEven);
    const bool rounded = roundDigits(d, decimals, mode);
    if (!snapped && !rounded)
        return value;
    return toDouble(d, value);
}

} // namespace tarix::fmt
