// File dialog filters of the program turned into Qt name filters.
#include "platform/ui/display_text.h"
#include "platform/ui/file_filter.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace tarix::ui;

namespace {

// How Qt's file model matches a name against a filter pattern, telling case apart.
bool matches(const QString &pattern, const QString &name)
{
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern));
    return re.match(name).hasMatch();
}

} // namespace

TEST(FileFilterTest, EntriesOfTheProgramsFilters)
{
    const auto entries = parseFileFilter(
        "MesVykPri200601 files(*.XFDF)|MesVykPRI_200601*.XFDF|*.XFDF|*.XFDF");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].description, QStringLiteral("MesVykPri200601 files(*.XFDF)"));
    EXPECT_EQ(entries[0].patterns, QStringList{"MesVykPRI_200601*.XFDF"});
    EXPECT_EQ(entries[1].patterns, QStringList{"*.XFDF"});

    const auto all = parseFileFilter("*.*");
    ASSERT_EQ(all.size(), 1);
    EXPECT_EQ(all[0].patterns, QStringList{"*"});

    const auto several = parseFileFilter("Texty|*.txt;*.csv");
    ASSERT_EQ(several.size(), 1);
    EXPECT_EQ(several[0].patterns, (QStringList{"*.txt", "*.csv"}));

    EXPECT_TRUE(parseFileFilter("").isEmpty());
    EXPECT_EQ(qtNameFilters(""), QStringList{"* (*)"});
}

TEST(FileFilterTest, PatternsMatchWithoutRegardToCase)
{
    const QStringList filters = qtNameFilters("SP - XML files (sp*.xml)|sp*.xml");
    ASSERT_EQ(filters.size(), 1);
    // The last parenthesised group is what Qt reads as the patterns.
    EXPECT_EQ(filters[0], QStringLiteral("SP - XML files (sp*.xml) ([sS][pP]*.[xX][mM][lL])"));
    const QString pattern = caseInsensitivePattern("sp*.xml");
    struct Case {
        const char *name;
        bool expected;
    } cases[] = {
        {"sp2006_001.xml", true}, {"SP2006_001.XML", true}, {"Sp1.Xml", true},
        {"xsp1.xml", false},      {"sp1.xmlx", false},      {"sp1.txt", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(matches(pattern, c.name), c.expected) << c.name;
    EXPECT_TRUE(matches(caseInsensitivePattern("*"), "ZALOHA"));
    EXPECT_TRUE(matches(caseInsensitivePattern("z*.zip"), "Z0601D01.ZIP"));
}

TEST(DisplayTextTest, EveryLineBreakFormBecomesOneLineFeed)
{
    struct Case {
        const char *in;
        const char *out;
    } cases[] = {
        {"a\n\rb", "a\nb"},     {"a\r\nb", "a\nb"},       {"a\nb", "a\nb"},
        {"a\rb", "a\nb"},       {"a\r\n\r\nb", "a\n\nb"}, {"a\n\nb", "a\n\nb"},
        {"no break", "no break"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(lineBreaksForDisplay(c.in), QString::fromLatin1(c.out)) << c.in;
}
