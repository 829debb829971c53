#include "platform/format/decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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
    if (!std::isfinite(value))
        return value;
    decimals = std::clamp(decimals, -kMaxDecimals, kMaxDecimals);
    Digits d = significantDigits(value);
    if (!roundDigits(d, decimals, mode))
        return value; // no digit below the place: the value is already there
    return toDouble(d, value);
}

double roundDecimalSnapped(double value, int decimals, Rounding mode, int snapDecimals)
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
