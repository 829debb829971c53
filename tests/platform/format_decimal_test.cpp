#include <gtest/gtest.h>

#include "platform/format/decimal.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iomanip>
#include <limits>
#include <random>
#include <vector>

using tarix::fmt::Rounding;
using tarix::fmt::roundDecimal;
using tarix::fmt::toDecimal;

namespace {

struct RoundCase {
    double value;
    int decimals;
    Rounding mode;
    double expected;
};

const char *name(Rounding m)
{
    switch (m) {
    case Rounding::HalfAwayFromZero: return "HalfAwayFromZero";
    case Rounding::HalfEven: return "HalfEven";
    case Rounding::HalfTowardZero: return "HalfTowardZero";
    case Rounding::AwayFromZero: return "AwayFromZero";
    case Rounding::TowardZero: return "TowardZero";
    case Rounding::Floor: return "Floor";
    case Rounding::Ceiling: return "Ceiling";
    }
    return "?";
}

} // namespace

TEST(FormatDecimal, RoundsTheDecimalValueNotTheBinaryOne)
{
    const RoundCase cases[] = {
        // Binary values just below the tie: decided on the decimal text.
        {0.285, 2, Rounding::HalfAwayFromZero, 0.29},
        {1.005, 2, Rounding::HalfAwayFromZero, 1.01},
        {2.675, 2, Rounding::HalfAwayFromZero, 2.68},
        {1.015, 2, Rounding::HalfEven, 1.02},
        {1.025, 2, Rounding::HalfEven, 1.02},
        {-2.675, 2, Rounding::HalfAwayFromZero, -2.68},
        // Arithmetic noise is not a remainder.
        {0.1 + 0.2, 2, Rounding::AwayFromZero, 0.3},
        {0.1 + 0.2, 2, Rounding::TowardZero, 0.3},
        {0.07, 2, Rounding::AwayFromZero, 0.07},
        {0.29, 2, Rounding::TowardZero, 0.29},
        {1.1 * 3, 1, Rounding::AwayFromZero, 3.3},
        {12345.0, 2, Rounding::AwayFromZero, 12345.0},
        {12345.0, 0, Rounding::Ceiling, 12345.0},
        // Halves in every half mode.
        {0.5, 0, Rounding::HalfAwayFromZero, 1},
        {1.5, 0, Rounding::HalfAwayFromZero, 2},
        {2.5, 0, Rounding::HalfAwayFromZero, 3},
        {-0.5, 0, Rounding::HalfAwayFromZero, -1},
        {-2.5, 0, Rounding::HalfAwayFromZero, -3},
        {0.5, 0, Rounding::HalfEven, 0},
        {1.5, 0, Rounding::HalfEven, 2},
        {2.5, 0, Rounding::HalfEven, 2},
        {12.5, 0, Rounding::HalfEven, 12},
        {13.5, 0, Rounding::HalfEven, 14},
        {-0.5, 0, Rounding::HalfEven, 0},
        {-2.5, 0, Rounding::HalfEven, -2},
        {2.5, 0, Rounding::HalfTowardZero, 2},
        {2.51, 0, Rounding::HalfTowardZero, 3},
        {-2.5, 0, Rounding::HalfTowardZero, -2},
        {-2.51, 0, Rounding::HalfTowardZero, -3},
        // Directed modes.
        {2.01, 0, Rounding::AwayFromZero, 3},
        {-2.01, 0, Rounding::AwayFromZero, -3},
        {2.99, 0, Rounding::TowardZero, 2},
        {-2.99, 0, Rounding::TowardZero, -2},
        {-0.5, 0, Rounding::Floor, -1},
        {1234.99, 0, Rounding::Floor, 1234},
        {-0.5, 0, Rounding::Ceiling, 0},
        {0.01, 0, Rounding::Ceiling, 1},
        // Carries through nines and places above the digits of the value.
        {9.995, 2, Rounding::HalfAwayFromZero, 10},
        {99999.999, 2, Rounding::AwayFromZero, 100000},
        {0.0000001, 2, Rounding::AwayFromZero, 0.01},
        {-0.0000001, 2, Rounding::AwayFromZero, -0.01},
        {0.004, 2, Rounding::HalfAwayFromZero, 0},
        {0.005, 2, Rounding::HalfEven, 0},
        {0.015, 2, Rounding::HalfEven, 0.02},
        // Negative places: tens and hundreds.
        {1201, -1, Rounding::AwayFromZero, 1210},
        {150, -2, Rounding::HalfEven, 200},
        {250, -2, Rounding::HalfEven, 200},
        {1249.99, -2, Rounding::HalfAwayFromZero, 1200},
        {40, -2, Rounding::AwayFromZero, 100},
        {40, -3, Rounding::AwayFromZero, 1000},
        // No 32-bit limit.
        {21474836.475, 2, Rounding::HalfAwayFromZero, 21474836.48},
        {21474836.47, 2, Rounding::AwayFromZero, 21474836.47},
        {1e9 + 0.005, 2, Rounding::HalfAwayFromZero, 1000000000.01},
        {9999999999.995, 2, Rounding::HalfAwayFromZero, 10000000000},
        {-98765432109.87, 1, Rounding::TowardZero, -98765432109.8},
        {5e15, 2, Rounding::AwayFromZero, 5e15},
        {1e300, 2, Rounding::HalfEven, 1e300},
        {1e-300, 2, Rounding::HalfEven, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(roundDecimal(c.value, c.decimals, c.mode), c.expected)
            << c.value << " at " << c.decimals << " " << name(c.mode);
    }
}

TEST(FormatDecimal, ZeroResultHasNoSignAndNonFiniteStaysAsItIs)
{
    EXPECT_FALSE(std::signbit(roundDecimal(-0.001, 2, Rounding::TowardZero)));
    EXPECT_FALSE(std::signbit(roundDecimal(-0.4, 0, Rounding::HalfEven)));
    EXPECT_FALSE(std::signbit(roundDecimal(-0.0, 2, Rounding::HalfEven)));
    EXPECT_TRUE(std::isnan(roundDecimal(std::nan(""), 2, Rounding::HalfEven)));
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(roundDecimal(-inf, 2, Rounding::AwayFromZero), -inf);
}

TEST(FormatDecimal, DigitsForFormatters)
{
    struct Case {
        double value;
        int decimals;
        bool negative;
        const char *integer;
        const char *fraction;
    } const cases[] = {
        {1234.5, 0, false, "1235", ""},
        {-1234.5, 2, true, "1234", "50"},
        {-0.004, 2, false, "0", "00"}, // rounds to zero: no minus
        {0.0, 3, false, "0", "000"},
        {-0.0, 0, false, "0", ""},
        {1e20, 2, false, "100000000000000000000", "00"},
        {123.456, -1, false, "120", ""},
        {0.30000000000000004, 17, false, "0", "30000000000000000"},
        {0.05, 1, false, "0", "1"},
    };
    for (const auto &c : cases) {
        const auto d = toDecimal(c.value, c.decimals, Rounding::HalfAwayFromZero);
        EXPECT_EQ(d.negative, c.negative) << c.value;
        EXPECT_EQ(d.integer, c.integer) << c.value;
        EXPECT_EQ(d.fraction, c.fraction) << c.value;
    }
}

TEST(FormatDecimal, SignificantDigits)
{
    const auto a = tarix::fmt::toSignificant(1234.5678, 6, Rounding::HalfAwayFromZero);
    EXPECT_EQ(a.integer, "1234");
    EXPECT_EQ(a.fraction, "57");
    const auto b = tarix::fmt::toSignificant(987654321, 3, Rounding::HalfAwayFromZero);
    EXPECT_EQ(b.integer, "988000000");
    EXPECT_EQ(b.fraction, "");
    const auto c = tarix::fmt::toSignificant(0.000123456, 2, Rounding::HalfAwayFromZero);
    EXPECT_EQ(c.integer, "0");
    EXPECT_EQ(c.fraction, "00012");
}

// The rounding decides most values on integers; it must give bit for bit what the rounding
// on the digits' text gives, for every mode, place and snap place.
namespace {

std::uint64_t bitsOf(double v)
{
    std::uint64_t b = 0;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

void expectSameAsText(double value, int decimals, Rounding mode, int snap)
{
    const double fast = tarix::fmt::roundDecimalSnapped(value, decimals, mode, snap);
    const double text = tarix::fmt::roundDecimalSnappedByText(value, decimals, mode, snap);
    ASSERT_EQ(bitsOf(fast), bitsOf(text)) << std::setprecision(17) << value << " at " << decimals << " snapped at "
                                          << snap << " " << name(mode) << ": " << fast << " vs " << text;
}

constexpr Rounding kModes[] = {Rounding::HalfAwayFromZero, Rounding::HalfEven, Rounding::HalfTowardZero,
                               Rounding::AwayFromZero,     Rounding::TowardZero, Rounding::Floor,
                               Rounding::Ceiling};

void expectSameAsTextEverywhere(double value)
{
    for (Rounding mode : kModes)
        for (int decimals = -4; decimals <= 10; ++decimals)
            for (int snap : {decimals, 8, 6, 12, 20}) {
                expectSameAsText(value, decimals, mode, snap);
                expectSameAsText(-value, decimals, mode, snap);
            }
}

} // namespace

TEST(FormatDecimal, IntegerRoundingGivesTheTextsResult)
{
    // Hard cases: powers of ten and their neighbours (the digits' count changes there),
    // ties in the 16th digit, noise of differences, the ends of the range the integers
    // take, values whose 15 digits round up to the next power of ten.
    std::vector<double> hard = {0.0,
                                0.285,
                                1.005,
                                2.675,
                                0.1 + 0.2,
                                1000.1 - 1000,
                                0.07,
                                1.1 * 3,
                                9999999999.995,
                                99999999999999.95,
                                999999999999999.0,
                                999999999999999.9,
                                1e15,
                                0.99999999999999994,
                                0.999999999999999,
                                0.9999999999999995,
                                9.9999999999999995,
                                1e-7,
                                0.99999999e-7,
                                1.00000001e-7,
                                123456789012345.6,
                                0.000123456789012345,
                                5e-324,
                                1e300,
                                0.5,
                                2.5,
                                0.125,
                                0.0625,
                                1234567890.12345,
                                33554432.005};
    for (int e = -8; e <= 16; ++e) {
        const double p = std::pow(10.0, e);
        hard.push_back(p);
        hard.push_back(std::nextafter(p, 0.0));
        hard.push_back(std::nextafter(p, 1e300));
        hard.push_back(p * 0.5);
        hard.push_back(p * 9.99999999999999);
        hard.push_back(p * 9.999999999999999);
    }
    // Exact ties at the 16th significant digit (a binary value with a 5 there).
    for (double t : {0.5, 1.5, 2.5, 12.5, 1234567890123.5, 17592186044416.5, 281474976710655.5})
        hard.push_back(t);
    for (double v : hard)
        expectSameAsTextEverywhere(v);
}

TEST(FormatDecimal, IntegerRoundingGivesTheTextsResultOverARandomSweep)
{
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<std::int64_t> cents(0, 10'000'000'00);
    std::uniform_real_distribution<double> rate(0.0, 1.0);
    std::uniform_int_distribution<int> exponent(-9, 16);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> ulps(-3, 3);
    std::vector<double> values;
    for (int i = 0; i < 30000; ++i) {
        const double amount = double(cents(random)) / 100;
        values.push_back(amount);                                  // typed amounts
        values.push_back(amount * rate(random));                   // amounts times rates
        values.push_back(amount - double(cents(random)) / 100);    // noise of differences
        values.push_back(rate(random) * std::pow(10.0, exponent(random))); // any size
        // Just beside a tie at two, three and four places.
        const double tie = (std::floor(amount * 10) + 0.5) / 1000 * std::pow(10.0, exponent(random) % 4);
        values.push_back(tie + ulps(random) * std::numeric_limits<double>::epsilon() * tie);
        // Any bit pattern of a finite double.
        double any = 0;
        const std::uint64_t b = bits(random);
        std::memcpy(&any, &b, sizeof any);
        if (std::isfinite(any))
            values.push_back(any);
    }
    std::uniform_int_distribution<int> modeOf(0, 6);
    std::uniform_int_distribution<int> decimalsOf(-3, 9);
    std::uniform_int_distribution<int> snapOf(-3, 14);
    for (double v : values) {
        const int decimals = decimalsOf(random);
        expectSameAsText(v, decimals, kModes[modeOf(random)], decimals);
        expectSameAsText(v, decimals, kModes[modeOf(random)], 8);
        expectSameAsText(v, decimals, kModes[modeOf(random)], snapOf(random));
    }
}
