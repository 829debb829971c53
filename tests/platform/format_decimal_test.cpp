#include <gtest/gtest.h>

#include "platform/format/decimal.h"

#include <cmath>
#include <limits>

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
