#include <gtest/gtest.h>

#include "core/helpers/rounding.h"
#include "platform/errors.h"

#include <cmath>

using namespace tarix::MyConsts;

namespace {

struct Case {
    int places;
    int mode;
    double value;
    double expected;
};

void expectCases(std::initializer_list<Case> cases)
{
    for (const auto &c : cases)
        EXPECT_EQ(Zaokruhli_sumu(c.places, c.mode, c.value), c.expected)
            << "places " << c.places << " mode " << c.mode << " value " << c.value;
}

} // namespace

TEST(Zaokruhli_sumu, ExamplesAndListedEdges)
{
    expectCases({
        {-1, 2, 0.25, 0.2},
        {-2, 0, 12.341, 12.35},
        {0, 1, -7.9, -7},
        {1, 0, 1201, 1210},
        {2, 2, 150, 200},
        {-2, 0, 10.001, 10.01},
        {-2, 0, -10.001, -10.01},
        {-2, 0, 10.00, 10.00},
        {0, 4, 0.5, 0},
        {0, 4, 0.51, 1},
        {0, 4, -0.9, 0},
    });
}

TEST(Zaokruhli_sumu, DecimalAmountsStayExact)
{
    expectCases({
        {-2, 0, 0.07, 0.07},
        {-2, 1, 0.29, 0.29},
        {-2, 0, 0.1 + 0.2, 0.3},
        {-2, 1, 0.1 + 0.2, 0.3},
        {-1, 0, 0.1 + 0.2, 0.3},
        {0, 0, 0.1 + 0.2, 1},
        {0, 1, 0.1 + 0.2, 0},
        {-2, 0, 1.1 * 1.1, 1.21},
        {-2, 0, 0.7 * 100 / 100, 0.7},
        {-2, 0, 1.005, 1.01},
        {-2, 1, 1.005, 1.00},
        {-2, 2, 1.005, 1.00},
        {-2, 4, 1.005, 1.00},
        {-2, 0, 2.675, 2.68},
        {-2, 1, 2.675, 2.67},
        {-2, 2, 2.675, 2.68},
        {-2, 2, 2.665, 2.66},
        {-2, 4, 2.675, 2.67},
        {-2, 4, 2.6751, 2.68},
    });
    // 12345.00 is 12345 at every position up to units, in every mode.
    for (int mode : {0, 1, 2, 3, 4, 7})
        for (int places : {-2, -1, 0})
            EXPECT_EQ(Zaokruhli_sumu(places, mode, 12345.00), 12345.0)
                << places << " " << mode;
}

TEST(Zaokruhli_sumu, EveryModeAtEveryPosition)
{
    expectCases({
        // tens and hundreds
        {1, 0, 12345, 12350}, {1, 1, 12345, 12340}, {1, 2, 12345, 12340},
        {1, 4, 12345, 12340}, {1, 2, 12355, 12360}, {1, 4, 12356, 12360},
        {2, 0, 12345, 12400}, {2, 1, 12345, 12300}, {2, 2, 12345, 12300},
        {2, 4, 12345, 12300}, {2, 2, 250, 200}, {2, 2, 350, 400},
        {2, 4, 1250, 1200}, {2, 4, 1251, 1300}, {2, 0, 40, 100}, {2, 0, 0, 0},
        {1, 0, 1200, 1200}, {1, 0, 1200.01, 1210}, {1, 2, 125, 120}, {1, 2, 135, 140},
        // units
        {0, 0, 2.01, 3}, {0, 1, 2.99, 2}, {0, 2, 2.5, 2}, {0, 2, 3.5, 4},
        {0, 2, 0.5, 0}, {0, 2, 1.5, 2}, {0, 4, 2.5, 2}, {0, 4, 2.51, 3}, {0, 4, 3.5, 3},
        // tenths and hundredths
        {-1, 0, 0.21, 0.3}, {-1, 1, 0.29, 0.2}, {-1, 2, 0.35, 0.4}, {-1, 4, 0.35, 0.3},
        {-1, 4, 0.36, 0.4}, {-2, 2, 0.125, 0.12}, {-2, 2, 0.135, 0.14},
        {-2, 4, 0.125, 0.12}, {-2, 4, 0.1251, 0.13},
        // modes 3 and unknown modes leave the value as it is
        {-2, 3, 12.3456, 12.3456}, {-2, 7, 12.3456, 12.3456}, {0, -1, 2.5, 2.5},
        {2, 3, 0.1 + 0.2, 0.1 + 0.2},
    });
}

TEST(Zaokruhli_sumu, NegativeAmounts)
{
    expectCases({
        {-1, 2, -0.25, -0.2}, {-2, 0, -12.341, -12.35}, {-2, 1, -12.349, -12.34},
        {0, 2, -2.5, -2}, {0, 2, -3.5, -4}, {0, 2, -0.5, 0},
        {0, 4, -2.6, -2}, {0, 4, -2.4, -2}, {-2, 4, -0.129, -0.12},
        {1, 0, -1201, -1210}, {2, 2, -150, -200}, {2, 2, -250, -200}, {2, 2, -350, -400},
        {-2, 1, -0.001, 0}, {-2, 0, -0.001, -0.01}, {-2, 0, -1.005, -1.01},
    });
    EXPECT_FALSE(std::signbit(Zaokruhli_sumu(-2, 1, -0.001))); // no "-0"
    EXPECT_FALSE(std::signbit(Zaokruhli_sumu(0, 4, -0.9)));
}

TEST(Zaokruhli_sumu, NoThirtyTwoBitLimit)
{
    expectCases({
        {-2, 2, 21474836.475, 21474836.48},
        {-2, 2, 21474836.485, 21474836.48},
        {-2, 0, 21474836.471, 21474836.48},
        {-2, 0, 30000000.555, 30000000.56},
        {-2, 0, 123456789.991, 123456790},
        {-2, 1, -98765432.129, -98765432.12},
        {-2, 2, 1e9 + 0.125, 1000000000.12},
        {-2, 0, 1e9 + 0.125, 1000000000.13},
        {-2, 4, 1e9 + 0.125, 1000000000.12},
        {-2, 4, 1e9 + 0.126, 1000000000.13},
        {0, 0, 1e9, 1e9},
        {2, 0, 1e9 + 1, 1000000100},
        {-2, 1, 5e10 + 0.019, 50000000000.01},
    });
}

TEST(Zaokruhli_sumu, EveryCentAmountIsLeftAsItIs)
{
    for (int n = -100000; n <= 100000; ++n) {
        const double value = n / 100.0;
        for (int mode : {0, 1, 2, 4}) {
            const double r = Zaokruhli_sumu(-2, mode, value);
            if (r != value) {
                ADD_FAILURE() << value << " mode " << mode << " gave " << r;
                return;
            }
        }
    }
}

TEST(Zaokruhli_sumu, ThousandthsMatchIntegerArithmetic)
{
    // n thousandths rounded to hundredths, computed on the integer n for comparison.
    auto expected = [](int n, int mode) {
        const int sign = n < 0 ? -1 : 1;
        int q = n / 10;
        const int r = std::abs(n % 10);
        switch (mode) {
        case 0: if (r != 0) q += sign; break;
        case 1: break;
        case 2: if (r > 5 || (r == 5 && q % 2 != 0)) q += sign; break;
        case 4: if (n > 0 && r > 5) q += 1; break;
        }
        return q / 100.0;
    };
    for (int n = -100000; n <= 100000; ++n) {
        for (int mode : {0, 1, 2, 4}) {
            const double r = Zaokruhli_sumu(-2, mode, n / 1000.0);
            if (r != expected(n, mode)) {
                ADD_FAILURE() << n / 1000.0 << " mode " << mode << " gave " << r
                              << " expected " << expected(n, mode);
                return;
            }
        }
    }
}

// Sums and differences of amounts leave binary noise far below the rounding place (1000.1 -
// 1000 is 0.10000000000002274); the rounding decides on the amount they stand for.
TEST(Zaokruhli_sumu, SumsAndDifferencesOfAmounts)
{
    expectCases({
        {-2, Nahor, 1000.1 - 1000, 0.1},
        {-2, Nadol, 1000.3 - 1000, 0.3},
        {-1, Normal, 20000.45 - 20000, 0.4},
        {-1, Do50hDole, 20000.45 - 20000, 0.4},
        {-2, Nahor, (0.1 + 0.2) - 0.3, 0},
        {-2, Nadol, 0.3 - (0.1 + 0.2), 0},
        {0, Do50hDole, 16432.4 - 16381.9, 50},
        {-2, Nahor, 1000 - 1000.1, -0.1},
        {-2, Nadol, 1000 - 1000.3, -0.3},
        {-1, Normal, 20000 - 20000.45, -0.4},
        // the largest amounts still rounded to hundredths
        {-2, Nadol, 21474836.47 - 21474836, 0.47},
        {-2, Nahor, 30000000.01 - 30000000, 0.01},
        {-2, Nahor, 1234567.89 - 1234567.8, 0.09},
    });
    double total = 0;
    for (int i = 0; i < 1000; ++i)
        total += 0.1; // 99.9999999999986
    EXPECT_EQ(Zaokruhli_sumu(0, Nadol, total), 100);
    EXPECT_EQ(Zaokruhli_sumu(-2, Nahor, total), 100);
    EXPECT_FALSE(std::signbit(Zaokruhli_sumu(-2, Nadol, 0.3 - (0.1 + 0.2)))); // no "-0"
}

// Percentage deductions take (gross less holiday and public-holiday pay) x percent x 0.01
// to whole units, exact halves to the even neighbour; the halves must be seen as halves.
TEST(Zaokruhli_sumu, DeductionPercentagesOfDifferences)
{
    struct Row {
        double brutto, holiday, sviatok, percent, expected;
    };
    const Row rows[] = {
        {16432.40, 16382.40, 0, 5, 2},        // 2.5
        {16420.03, 16270.03, 0, 1, 2},        // 1.5
        {16432.40, 16282.40, 0, 3, 4},        // 4.5
        {16420.03, 16270.03, 0, 25, 38},      // 37.5
        {46002.20, 1100.54, 44591.66, 25, 78},  // 77.5
        {47794.33, 17338.73, 27723.10, 20, 546}, // 546.5
        {38353.64, 15364.44, 21731.70, 20, 252}, // 251.5
        {1250.50, 0, 0, 10, 125},             // 125.05
        {1250.50, 250.50, 0, 50, 500},
    };
    for (const Row &r : rows) {
        const double base = r.brutto - r.holiday - r.sviatok;
        EXPECT_EQ(Zaokruhli_sumu(0, Normal, base * r.percent * 0.01), r.expected)
            << r.brutto << " - " << r.holiday << " - " << r.sviatok << " at " << r.percent
            << " %";
    }
}

// Every difference (base + c/100) - base and every sum of two cent amounts rounds as the
// cents themselves, at hundredths, tenths and units, for bases up to the largest amounts.
TEST(Zaokruhli_sumu, DifferencesMatchIntegerArithmeticOfCents)
{
    // c cents rounded at `places` (-2, -1, 0), computed on integers for comparison.
    auto expected = [](long long c, int places, int mode) {
        long long unit = 1;
        for (int p = -2; p < places; ++p)
            unit *= 10;
        const long long sign = c < 0 ? -1 : 1;
        long long q = c / unit;
        const long long r2 = 2 * std::llabs(c % unit);
        switch (mode) {
        case Nahor: if (r2 != 0) q += sign; break;
        case Nadol: break;
        case Normal: if (r2 > unit || (r2 == unit && q % 2 != 0)) q += sign; break;
        case Do50hDole: if (c > 0 && r2 > unit) q += 1; break;
        }
        return double(q * unit) / 100.0;
    };
    auto check = [&](double value, long long cents, const char *what, double base) {
        for (int places : {-2, -1, 0})
            for (int mode : {Nahor, Nadol, Normal, Do50hDole}) {
                const double r = Zaokruhli_sumu(places, mode, value);
                if (r != expected(cents, places, mode)) {
                    ADD_FAILURE() << what << " base " << base << " cents " << cents
                                  << " places " << places << " mode " << mode << " gave "
                                  << r << " expected " << expected(cents, places, mode);
                    return false;
                }
            }
        return true;
    };
    for (double base : {0.3, 1000.0, 20000.0, 99999.99, 1234567.89, 4194304.01, 21474836.47,
                        33000000.0}) {
        for (long long c = -1500; c <= 1500; ++c) {
            if (!check((base + double(c) / 100) - base, c, "difference", base))
                return;
            if (!check((base - double(c) / 100) - base, -c, "difference", base))
                return;
        }
    }
    for (long long a = -300; a <= 300; ++a)
        for (long long b = -300; b <= 300; b += 7)
            if (!check(double(a) / 100 + double(b) / 100, a + b, "sum", 0))
                return;
}

TEST(AmountHelpers, GreaterSmallerAndVariants)
{
    EXPECT_EQ(Vacsia_hodnota(2.5, -3), 2.5);
    EXPECT_EQ(Mensia_hodnota(2.5, -3), -3);
    EXPECT_EQ(Variant_na_sumu(QVariant()), 0);
    EXPECT_EQ(Variant_na_sumu(QVariant(QMetaType::fromType<double>())), 0); // null double
    EXPECT_EQ(Variant_na_sumu(QVariant(12.34567)), 12.3457);
    EXPECT_EQ(Variant_na_sumu(QVariant(qint64(1500))), 1500);
    EXPECT_EQ(Variant_na_sumu(QVariant(0.1 + 0.2)), 0.3);
    EXPECT_EQ(Variant_na_sumu(QVariant(QStringLiteral("12,5"))), 12.5);
    EXPECT_THROW(Variant_na_sumu(QVariant(QStringLiteral("x"))), tarix::EMyError);
    EXPECT_THROW(Variant_na_sumu(QVariant(1e300)), tarix::EMyError);
}
