// Format-style patterns: the one engine behind the message table and the number texts.
#include <gtest/gtest.h>

#include "platform/format/format_pattern.h"

#include <cmath>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

using namespace tarix::fmt;

namespace {

enum class Kind { Integer, Text };

static_assert(std::is_constructible_v<FormatArg, int>);
static_assert(std::is_constructible_v<FormatArg, unsigned short>);
static_assert(std::is_constructible_v<FormatArg, qint64>);
static_assert(std::is_constructible_v<FormatArg, double>);
static_assert(std::is_constructible_v<FormatArg, float>);
static_assert(std::is_constructible_v<FormatArg, QString>);
static_assert(std::is_constructible_v<FormatArg, QStringView>);
static_assert(std::is_constructible_v<FormatArg, const char *>);
static_assert(std::is_constructible_v<FormatArg, const char16_t *>);
static_assert(std::is_constructible_v<FormatArg, std::string>);
// Each of these would silently turn into a number.
static_assert(!std::is_constructible_v<FormatArg, bool>);
static_assert(!std::is_constructible_v<FormatArg, char>);
static_assert(!std::is_constructible_v<FormatArg, char16_t>);
static_assert(!std::is_constructible_v<FormatArg, Kind>);

struct PatternCase {
    const char16_t *pattern;
    std::vector<FormatArg> args;
    const char16_t *expected; // nullptr: refused with FormatError
    Style style = Style::screen();
};

QString run(const PatternCase &c)
{
    const QStringView p(c.pattern);
    const auto &a = c.args;
    switch (a.size()) {
    case 0: return format(p, {}, c.style);
    case 1: return format(p, {a[0]}, c.style);
    case 2: return format(p, {a[0], a[1]}, c.style);
    case 3: return format(p, {a[0], a[1], a[2]}, c.style);
    default: return format(p, {a[0], a[1], a[2], a[3]}, c.style);
    }
}

const PatternCase kFilled[] = {
    // Texts: width pads (left or right), precision cuts.
    {u"%s!", {"Ahoj"}, u"Ahoj!"},
    {u"[%5s|%-5s]", {"ab", "cd"}, u"[   ab|cd   ]"},
    {u"[%.2s]", {"abcdef"}, u"[ab]"},
    {u"[%.0s]", {"abc"}, u"[]"},
    {u"[%2s]", {"abcdef"}, u"[abcdef]"}, // width never cuts
    {u"[%.9999s]", {"ab"}, u"[ab]"},      // the largest width and precision still taken
    {u"Súbor %s", {QStringLiteral("Ťažký_ľad.txt")}, u"Súbor Ťažký_ľad.txt"},
    {u"%s", {QString()}, u""},
    // Integers: precision is the least number of digits, the sign in front of them.
    {u"%d", {42}, u"42"},
    {u"%d", {-42}, u"-42"},
    {u"%2d - ", {5}, u" 5 - "},
    {u"DATA%.2d", {7}, u"DATA07"},
    {u"DATA%.2d", {12}, u"DATA12"},
    {u"[%.3d]", {-7}, u"[-007]"},
    {u"[%6d]", {-1}, u"[    -1]"},
    {u"[%6d]", {1234567}, u"[1234567]"},
    {u"[%-6d]", {42}, u"[42    ]"},
    {u"%d", {qint64(9876543210LL)}, u"9876543210"},
    {u"%d", {-2147483648LL - 1}, u"-2147483649"},
    {u"%d", {std::numeric_limits<qint64>::min()}, u"-9223372036854775808"},
    {u"%6d", {qint64(std::floor(-0.5))}, u"    -1"}, // rounded down by the caller first
    {u"%6d", {qint64(std::floor(1234.99))}, u"  1234"},
    {u"%d", {0u}, u"0"},
    // Fixed and thousands-separated numbers; an integer argument is accepted.
    {u"%10.2n", {1234.5}, u"  1 234,50"},
    {u"%10.2n", {-1234567.891}, u"-1 234 567,89"},
    {u"%10.0n", {1234567.5}, u" 1 234 568"},
    {u"%2.0n", {5}, u" 5"},
    {u"%2.0n", {5.0}, u" 5"},
    {u"%n", {1000}, u"1 000,00"},
    {u"%0.0f", {1234567.5}, u"1234568"},
    {u"%5.0f", {42}, u"   42"},
    {u"%5.2f", {3.14159}, u" 3,14"},
    {u"%f", {2.5}, u"2,50"},
    {u"%.2f", {0.285}, u"0,29"}, // halves away from zero on the decimal value
    {u"%8.0f", {0.0}, u"       0"},
    {u"%8.0f", {-0.3}, u"       0"}, // never "-0"
    {u"%-8.1f|", {-2.25}, u"-2,3    |"},
    {u"%31.10f", {2.5}, u"                   2,5000000000"},
    {u"%.2f", {std::nan("")}, u"NAN"},
    {u"%g", {1234.5}, u"1234,5"},
    {u"%g", {1500}, u"1500"},
    {u"%.4g", {2.0 / 3.0}, u"0,6667"},
    // Files: a decimal point and no thousands separators.
    {u"%.2f", {1234.5}, u"1234.50", Style::point()},
    {u"%.2f", {10}, u"10.00", Style::point()},
    {u"\"%0.2f\"", {1234.5}, u"\"1234.50\"", Style::point()},
    {u"%.2f", {-0.001}, u"0.00", Style::point()},
    {u"%.2f", {21474836.475}, u"21474836.48", Style::point()},
    {u"%10.2n", {1234567.5}, u"1234567.50", Style::point()},
    {u"%g", {0.1 + 0.2}, u"0.3", Style::point()},
    // Percent signs, the index form, upper-case types, several values.
    {u"100%%", {}, u"100%"},
    {u"%d%%", {45}, u"45%"},
    {u"%%d", {}, u"%d"},
    {u"%1:s %0:s %s", {"a", "b"}, u"b a b"},
    {u"%0:s-%0:s", {"x"}, u"x-x"},
    {u"[%1:-4d|%0:3s]", {"ab", 7}, u"[7   | ab]"},
    {u"%1:.2f / %0:d", {3, 2.5}, u"2,50 / 3"},
    {u"%D/%S/%N", {5, "x", 1000}, u"5/x/1 000,00"},
    {u"%s: %d ks po %.2f", {"Obed", 3, 2.5}, u"Obed: 3 ks po 2,50"},
    {u"%d/%d v strediskách %s", {3, 2006, "1,2,5"}, u"3/2006 v strediskách 1,2,5"},
    {u"bez hodnôt", {}, u"bez hodnôt"},
    {u"", {}, u""},
};

// Each is a fault of the calling code, never a text shown to the user.
const PatternCase kRefused[] = {
    {u"koniec %", {3}, nullptr},             // "%" at the end
    {u"50%", {}, nullptr},
    {u"%-5", {3}, nullptr},                  // no type after width
    {u"%1:", {3, 4}, nullptr},
    {u"%.f", {2.5}, nullptr},                // a precision without digits
    {u"%q", {1}, nullptr},                   // unknown type
    {u"% d", {1}, nullptr},
    {u"%d", {}, nullptr},                    // missing values
    {u"%d/%d", {3}, nullptr},
    {u"%2:s", {"a", "b"}, nullptr},
    {u"%d", {1.5}, nullptr},                 // wrong kinds
    {u"rok %d", {QStringLiteral("2006")}, nullptr},
    {u"súbor %s", {2006}, nullptr},
    {u"%s", {2.5}, nullptr},
    {u"%f", {"x"}, nullptr},
    {u"%g", {QString()}, nullptr},
    {u"%d", {1, 2}, nullptr},                // values no placeholder uses
    {u"%s a %s", {"x", "y", 3}, nullptr},
    {u"%1:s", {"a", "b"}, nullptr},
    {u"100%%", {5}, nullptr},
    {u"%10000s", {"a"}, nullptr},           // width, precision and index beyond 9999:
    {u"%2147483648d", {1}, nullptr},        // 10 digits used to overflow the counter
    {u"%.99999999999f", {1.5}, nullptr},
    {u"%4294967297:s", {"a"}, nullptr},
};

} // namespace

TEST(FormatPattern, PlaceholdersFilledWithTheirValues)
{
    for (const PatternCase &c : kFilled) {
        const QString pattern = QString::fromUtf16(c.pattern);
        try {
            EXPECT_EQ(run(c), QString::fromUtf16(c.expected)) << pattern.toStdString();
        } catch (const std::exception &e) {
            ADD_FAILURE() << pattern.toStdString() << " threw " << e.what();
        }
    }
}

TEST(FormatPattern, PatternsThatDoNotFitTheirValuesAreRefused)
{
    for (const PatternCase &c : kRefused) {
        const std::string pattern = QString::fromUtf16(c.pattern).toStdString();
        try {
            const QString text = run(c);
            ADD_FAILURE() << pattern << " gave \"" << text.toStdString() << "\"";
        } catch (const FormatError &e) {
            // The message names the pattern, so that the faulty call can be found.
            EXPECT_NE(std::string(e.what()).find(pattern), std::string::npos) << e.what();
        }
    }
    // Callers that catch the standard type catch it too.
    EXPECT_THROW(format(u"%d", {1.5}), std::invalid_argument);
}
