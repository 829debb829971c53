#include "platform/db/filter_expr.h"

#include <QDate>
#include <QVariantMap>
#include <gtest/gtest.h>

using tarix::db::FilterExpression;
using tarix::db::FilterSyntaxError;

namespace {

// A row whose fields are found without regard to case; an unknown field throws.
struct Row {
    Row(QList<QPair<QString, QVariant>> f = {}) : fields(std::move(f)) {}
    QList<QPair<QString, QVariant>> fields;
    mutable QStringList asked;

    QVariant operator()(const QString &name) const
    {
        asked.append(name);
        for (const auto &f : fields)
            if (f.first.compare(name, Qt::CaseInsensitive) == 0)
                return f.second;
        throw std::out_of_range("unknown field " + name.toStdString());
    }
};

bool matches(const QString &text, const Row &row)
{
    return FilterExpression::parse(text).matches(std::cref(row));
}

QVariant blankOf(QMetaType type)
{
    return QVariant(type);
}

const QVariant kBlank;
const QVariant kBlankDate = blankOf(QMetaType::fromType<QDate>());
const QVariant kBlankText = blankOf(QMetaType::fromType<QString>());
const QVariant kBlankBool = blankOf(QMetaType::fromType<bool>());
const QVariant kBlankNumber = blankOf(QMetaType::fromType<double>());

QVariant date(int y, int m, int d)
{
    return QDate(y, m, d);
}

struct Case {
    const char *text;
    Row row;
    bool expected;
};

void runCases(const std::vector<Case> &cases)
{
    for (const Case &c : cases) {
        try {
            EXPECT_EQ(matches(QString::fromUtf8(c.text), c.row), c.expected) << c.text;
        } catch (const std::exception &e) {
            ADD_FAILURE() << c.text << ": " << e.what();
        }
    }
}

const char *kEmployed = "(Vystup=null or Vystup>='1.1.2007') and Nastup<='31.1.2007' and 1<=sid and sid<=99";
const char *kLeft = "(Vystup<>null and Vystup<'1.1.2007') and Nastup<='31.1.2007' and 1<=sid and sid<=99";

} // namespace

TEST(FilterExpression, EmployeesOfAMonth)
{
    auto row = [](QVariant vystup, QVariant nastup, QVariant sid) {
        return Row{{{QStringLiteral("Vystup"), vystup}, {QStringLiteral("NASTUP"), nastup}, {QStringLiteral("sid"), sid}}};
    };
    runCases({
        {kEmployed, row(kBlank, date(2005, 3, 1), 1), true},
        {kEmployed, row(kBlankDate, date(2007, 1, 31), 99), true},
        {kEmployed, row(date(2007, 1, 1), date(2005, 3, 1), 5), true},   // left on the first day
        {kEmployed, row(date(2006, 12, 31), date(2005, 3, 1), 5), false}, // left before
        {kEmployed, row(kBlank, date(2007, 2, 1), 5), false},            // starts later
        {kEmployed, row(kBlank, kBlankDate, 5), false},                  // no start date
        {kEmployed, row(kBlank, date(2005, 3, 1), 0), false},
        {kEmployed, row(kBlank, date(2005, 3, 1), 100), false},
        {kEmployed, row(kBlank, date(2005, 3, 1), qint64(42)), true},
        {kEmployed, row(kBlank, date(2005, 3, 1), 42.0), true},
        {kLeft, row(date(2006, 12, 31), date(2005, 3, 1), 5), true},
        {kLeft, row(kBlankDate, date(2005, 3, 1), 5), false},
        {kLeft, row(date(2007, 1, 1), date(2005, 3, 1), 5), false},
        {"Vystup=null", row(kBlank, kBlank, 1), true},
        {"Vystup=NULL", row(date(2007, 1, 1), kBlank, 1), false},
        {"Vystup>='2007-01-01'", row(date(2007, 1, 1), kBlank, 1), true},
        {"Vystup>='01.01.2007'", row(date(2007, 1, 1), kBlank, 1), true},
        {"'1.1.2007'<=Vystup", row(date(2006, 12, 31), kBlank, 1), false},
        {"'1.1.2007'<=Vystup", row(date(2007, 1, 2), kBlank, 1), true},
    });
}

TEST(FilterExpression, TextRangesInCharacterCodeOrder)
{
    auto id = [](QVariant v) { return Row{{{QStringLiteral("ID"), v}}}; };
    auto typ = [](QVariant v) { return Row{{{QStringLiteral("TypRL"), v}}}; };
    const char *ids = "(ID >='0' AND ID<='2') OR (ID>='A' AND ID<='E')";
    runCases({
        {ids, id(QStringLiteral("0")), true},
        {ids, id(QStringLiteral("2")), true},
        {ids, id(QStringLiteral("3")), false},
        {ids, id(QStringLiteral("C")), true},
        {ids, id(QStringLiteral("E")), true},
        {ids, id(QStringLiteral("F")), false},
        {ids, id(QStringLiteral("c")), false}, // case matters: 'c' comes after 'E'
        {ids, id(kBlankText), false},
        {"TypRL>='AA' and TypRL<='ZZ'", typ(QStringLiteral("AB")), true},
        {"TypRL>='AA' and TypRL<='ZZ'", typ(QStringLiteral("A")), false},
        {"TypRL>='AA' and TypRL<='ZZ'", typ(QStringLiteral("ZZZ")), false},
        {"TypRL>='AA' and TypRL<='ZZ'", typ(QStringLiteral("ČA")), false}, // not by Slovak collation
        {"TypRL>'Z'", typ(QStringLiteral("a")), true},
        {"typrl='O''Brien'", typ(QStringLiteral("O'Brien")), true},
        {"typrl=''''", typ(QStringLiteral("'")), true},
        {"typ_rl2='x'", Row{{{QStringLiteral("TYP_RL2"), QStringLiteral("x")}}}, true},
    });
}

TEST(FilterExpression, NumbersLogicalsAndCombinations)
{
    auto payroll = [](QVariant period, QVariant diff) {
        return Row{{{QStringLiteral("V_obdobie"), period}, {QStringLiteral("d_vyrovnanie"), diff}}};
    };
    auto print = [](QVariant v) { return Row{{{QStringLiteral("Tlacit"), v}}}; };
    const char *settled = "V_obdobie=200701 and d_vyrovnanie<>0";
    runCases({
        {settled, payroll(200701, 12.5), true},
        {settled, payroll(200701, 0.0), false},
        {settled, payroll(200701, kBlankNumber), false}, // a blank difference is no difference
        {settled, payroll(200701, kBlank), false},
        {settled, payroll(200702, -3.0), false},
        {settled, payroll(QStringLiteral("200701"), -3.0), true}, // numeric text compares as a number
        {"v_obdobie=200701.0", payroll(200701, 0.0), true},
        {"v_obdobie>-1", payroll(0, 0.0), true},
        {"d_vyrovnanie='12.5'", payroll(1, 12.5), true},
        {"d_vyrovnanie < 0.1", payroll(1, 0.05), true},
        {"Tlacit<>False", print(true), true},
        {"Tlacit<>False", print(false), false},
        {"Tlacit<>False", print(kBlankBool), false},
        {"Tlacit<>False", print(kBlank), false},
        {"Tlacit=false", print(kBlankBool), true},
        {"Tlacit=false", print(kBlank), true},
        {"Tlacit=TRUE", print(kBlank), false},
        {"Tlacit=1", print(true), true},
        {"Tlacit=0", print(kBlankBool), true},
        {"Tlacit='True'", print(true), true},
        {"Tlacit=null", print(kBlankBool), true},
        {"Tlacit<>null", print(false), true},
        {"not Tlacit=True", print(false), true},
        {"not (v_obdobie=1 or v_obdobie=2)", payroll(3, 0.0), true},
        {"v_obdobie=1 or v_obdobie=2 and d_vyrovnanie=5", payroll(1, 0.0), true}, // and binds first
        {"(v_obdobie=1 or v_obdobie=2) and d_vyrovnanie=5", payroll(1, 0.0), false},
        {"not not v_obdobie=1", payroll(1, 0.0), true},
        {"1=1", payroll(1, 0.0), true},
        {"code_emp=9007199254740993", Row{{{QStringLiteral("code_emp"), qint64(9007199254740993LL)}}}, true},
        {"code_emp=9007199254740992", Row{{{QStringLiteral("code_emp"), qint64(9007199254740993LL)}}}, false},
    });
}

TEST(FilterExpression, BlankRules)
{
    auto cislo = [](QVariant v) { return Row{{{QStringLiteral("cislo_u"), v}}}; };
    runCases({
        {"cislo_u=''", cislo(QString()), true},
        {"cislo_u=''", cislo(kBlankText), true},
        {"cislo_u=''", cislo(kBlank), true},
        {"cislo_u<>''", cislo(QString()), false},
        {"cislo_u<>''", cislo(QStringLiteral("123")), true},
        {"cislo_u=null", cislo(QString()), true},
        {"cislo_u<>null", cislo(QStringLiteral("1")), true},
        {"cislo_u<'A'", cislo(QString()), true},   // a blank text is the least text
        {"cislo_u<>'A'", cislo(kBlankText), true},
        {"cislo_u<>'A'", cislo(kBlank), false},    // untyped blank: only null tests hold
        {"cislo_u>null", cislo(QStringLiteral("1")), true},
        {"cislo_u>null", cislo(kBlank), false},
        {"cislo_u>=null", cislo(kBlank), true},
        {"cislo_u<null", cislo(QStringLiteral("1")), false},
        {"null=null", cislo(kBlank), true},
        {"cislo_u<>5", cislo(kBlankNumber), false},
        {"cislo_u<5", cislo(kBlankNumber), false},
        {"cislo_u>5", cislo(kBlankNumber), false},
    });
    // Two blank fields are equal.
    runCases({{"a=b", Row{{{QStringLiteral("a"), kBlank}, {QStringLiteral("b"), kBlankDate}}}, true},
              {"a<>b", Row{{{QStringLiteral("a"), kBlank}, {QStringLiteral("b"), kBlankDate}}}, false}});
}

TEST(FilterExpression, EmptyMatchesEverything)
{
    FilterExpression none;
    EXPECT_TRUE(none.isEmpty());
    EXPECT_TRUE(none.matches([](const QString &) -> QVariant { throw std::logic_error("not asked"); }));
    EXPECT_TRUE(FilterExpression::parse(QStringLiteral("   ")).isEmpty());
    EXPECT_FALSE(FilterExpression::parse(QStringLiteral("id=1")).isEmpty());
}

TEST(FilterExpression, FieldNamesOnceInOrder)
{
    EXPECT_EQ(FilterExpression::parse(QString::fromUtf8(kEmployed)).fieldNames(),
              (QStringList{QStringLiteral("Vystup"), QStringLiteral("Nastup"), QStringLiteral("sid")}));
    EXPECT_EQ(FilterExpression::parse(QStringLiteral("V_OBDOBIE=1 and v_obdobie=2 and 'x'=Typ")).fieldNames(),
              (QStringList{QStringLiteral("V_OBDOBIE"), QStringLiteral("Typ")}));
}

TEST(FilterExpression, UnknownFieldPropagatesAndOrStopsEarly)
{
    Row row{{{QStringLiteral("id"), 1}}};
    EXPECT_THROW(matches(QStringLiteral("nic=1"), row), std::out_of_range);
    row.asked.clear();
    EXPECT_TRUE(matches(QStringLiteral("id=1 or nic=1"), row));
    EXPECT_EQ(row.asked, QStringList{QStringLiteral("id")});
    EXPECT_FALSE(matches(QStringLiteral("id=2 and nic=1"), row));
}

TEST(FilterExpression, SyntaxErrorsNameTheTextAndPosition)
{
    struct Bad {
        const char *text;
        qsizetype position;
    } cases[] = {
        {"id=", 3},
        {"id==1", 3},
        {"(id=1", 0},
        {"id=1)", 4},
        {"id='abc", 3},
        {"id 1", 3},
        {"and id=1", 0},
        {"id=1 and", 8},
        {"id=1x", 3},
        {"id=1 # 2", 5},
        {"id", 2},
        {"id=1 id=2", 5},
        {"()", 1},
        {"id=\"x\"", 3},
    };
    for (const Bad &b : cases) {
        try {
            FilterExpression::parse(QString::fromUtf8(b.text));
            ADD_FAILURE() << "no error for " << b.text;
        } catch (const FilterSyntaxError &e) {
            EXPECT_EQ(e.position(), b.position) << b.text << ": " << e.what();
            EXPECT_EQ(e.filterText(), QString::fromUtf8(b.text));
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(b.text))) << e.what();
            EXPECT_TRUE(e.message().contains(QString::number(b.position + 1))) << e.what();
        }
    }
}

TEST(FilterExpression, LiteralsThatDoNotFitTheFieldAreErrors)
{
    struct Bad {
        const char *text;
        Row row;
        qsizetype position;
    } cases[] = {
        {"Vystup>='32.1.2007'", Row{{{QStringLiteral("Vystup"), date(2007, 1, 1)}}}, 8},
        {"Vystup>='2007'", Row{{{QStringLiteral("Vystup"), date(2007, 1, 1)}}}, 8},
        {"sid='abc'", Row{{{QStringLiteral("sid"), 5}}}, 4},
        {"Vystup=5", Row{{{QStringLiteral("Vystup"), date(2007, 1, 1)}}}, 7},
        {"Tlacit=2", Row{{{QStringLiteral("Tlacit"), true}}}, 7},
        {"Tlacit='ano'", Row{{{QStringLiteral("Tlacit"), true}}}, 7},
    };
    for (const Bad &b : cases) {
        try {
            matches(QString::fromUtf8(b.text), b.row);
            ADD_FAILURE() << "no error for " << b.text;
        } catch (const FilterSyntaxError &e) {
            EXPECT_EQ(e.position(), b.position) << b.text << ": " << e.what();
        }
    }
    // Data that does not fit is simply not matched: the text is fine.
    runCases({
        {"id=5", Row{{{QStringLiteral("id"), QStringLiteral("A")}}}, false},
        {"id<5", Row{{{QStringLiteral("id"), QStringLiteral("10x")}}}, true}, // as texts: "10x" < "5"
        {"a=b", Row{{{QStringLiteral("a"), date(2007, 1, 1)}, {QStringLiteral("b"), QStringLiteral("x")}}}, false},
    });
}
