// The pocket calculator: key sequences clicked on its buttons, its keyboard, its memory.
#include "core/forms/form_calc.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using tarix::core::TFormCalc;

namespace {

// Clicks the buttons named by the blank-separated captions.
void click(TFormCalc &calc, const QString &captions)
{
    const QStringList keys = captions.split(u' ', Qt::SkipEmptyParts);
    for (const QString &caption : keys) {
        QPushButton *b = calc.button(caption);
        ASSERT_NE(b, nullptr) << caption.toStdString();
        b->click();
    }
}

struct KeyCase {
    const char *keys;
    const char *display; // without the leading blanks of a shown result
};

void PrintTo(const KeyCase &c, std::ostream *os) { *os << '"' << c.keys << '"'; }

class CalcKeysTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(CalcKeysTest, ShowsTheExpectedDisplay)
{
    TFormCalc calc;
    click(calc, QString::fromUtf8(GetParam().keys));
    EXPECT_EQ(calc.displayText().trimmed(), QString::fromUtf8(GetParam().display));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CalcKeysTest,
    ::testing::Values(
        // entry
        KeyCase{"0 0 7", "7"}, KeyCase{",", "0,"}, KeyCase{"1 , , 5", "1,5"},
        KeyCase{"1 , 5 0", "1,50"}, KeyCase{"0 , 0 5", "0,05"},
        // arithmetic, chained left to right
        KeyCase{"1 2 + 3 =", "15"}, KeyCase{"9 - 1 2 =", "-3"}, KeyCase{"3 * 4 + 2 =", "14"},
        KeyCase{"5 / 2 =", "2,5"}, KeyCase{"1 , 5 + 1 , 5 =", "3"},
        KeyCase{"1 / 3 =", "0,3333333333"}, KeyCase{"2 = 3 =", "3"},
        KeyCase{"5 + =", "5"}, KeyCase{"6 * * 7 =", "42"}, KeyCase{"6 * - 2 =", "4"},
        // percent: of the first operand for "+" and "-", a hundredth for "*" and "/"
        KeyCase{"2 0 0 + 1 0 %", "220"}, KeyCase{"2 0 0 + 1 0 % =", "220"},
        KeyCase{"5 0 * 1 0 %", "5"}, KeyCase{"1 0 - 1 0 %", "9"},
        KeyCase{"1 0 0 / 2 0 %", "500"}, KeyCase{"7 %", "7"},
        // sign change and Backspace
        KeyCase{"2 +/-", "-2"}, KeyCase{"2 +/- +/-", "2"}, KeyCase{"1 2 Back", "1"},
        KeyCase{"7 Back", "0"}, KeyCase{"Back", "0"}, KeyCase{"5 +/- Back", "0"},
        KeyCase{"1 2 3 +/- Back", "-12"}, KeyCase{"1 , Back", "1"},
        KeyCase{"2 + 3 = Back", "0"}, KeyCase{"1 2 + 3 = Back", "1"},
        KeyCase{"5 +/- Back 3", "3"},
        // errors: only "C" leaves them
        KeyCase{"1 / 0 =", "Chyba"}, KeyCase{"1 / 0 = 5 + sqrt 1/x Back +/- =", "Chyba"},
        KeyCase{"1 / 0 = C", "0"}, KeyCase{"1 / 0 = C 4 sqrt", "2"},
        KeyCase{"4 +/- sqrt", "Chyba"}, KeyCase{"0 1/x", "Chyba"},
        KeyCase{"4 1/x", "0,25"}, KeyCase{"2 sqrt", "1,4142135624"},
        KeyCase{"9 sqrt 5", "5"}, KeyCase{"1 / 0 , 0 =", "Chyba"},
        // memory
        KeyCase{"5 MS C MR", "5"}, KeyCase{"5 MS C 3 M+ C MR", "8"},
        KeyCase{"5 MS 3", "53"},
        KeyCase{"5 MS MC C MR", "0"}, KeyCase{"MR 7", "7"}, KeyCase{"2 MS C MR 5", "25"},
        KeyCase{"5 MS 1 / 0 = MC MS M+ MR C MR", "5"}));

TEST(CalcTest, ResultsKeepTheBlanksOfTheWidth31Format)
{
    EXPECT_EQ(TFormCalc::formatDisplay(2.5), QString(19, u' ') + QStringLiteral("2,5"));
    // The blanks pad the full "%31.10f" text; the zeros are cut afterwards.
    EXPECT_EQ(TFormCalc::formatDisplay(3.0), QString(19, u' ') + QStringLiteral("3"));
    EXPECT_EQ(TFormCalc::formatDisplay(-0.125), QString(18, u' ') + QStringLiteral("-0,125"));
    EXPECT_EQ(TFormCalc::formatDisplay(100), QString(17, u' ') + QStringLiteral("100"));
    EXPECT_EQ(TFormCalc::formatDisplay(0), QString(19, u' ') + QStringLiteral("0"));
    EXPECT_EQ(TFormCalc::formatDisplay(-1e-11), QString(19, u' ') + QStringLiteral("0"));
    // Only decimal zeros are cut.
    EXPECT_EQ(TFormCalc::formatDisplay(1e20), QStringLiteral("1") + QString(20, u'0'));
    EXPECT_EQ(TFormCalc::formatDisplay(-500), QString(16, u' ') + QStringLiteral("-500"));
    EXPECT_EQ(TFormCalc::formatDisplay(1e-11).trimmed(), QStringLiteral("0"));

    TFormCalc calc;
    click(calc, QStringLiteral("5 / 2 ="));
    EXPECT_EQ(calc.displayText(), QString(19, u' ') + QStringLiteral("2,5"));
    EXPECT_DOUBLE_EQ(calc.displayValue(), 2.5);
}

TEST(CalcTest, ErrorStateReadsZeroAndIgnoresEverythingButClear)
{
    TFormCalc calc;
    click(calc, QStringLiteral("8 MS 1 / 0 ="));
    EXPECT_EQ(calc.status(), TFormCalc::csError);
    EXPECT_EQ(calc.displayValue(), 0);
    click(calc, QStringLiteral("MC M+ MS MR 3 , sqrt"));
    EXPECT_EQ(calc.displayText(), QStringLiteral("Chyba"));
    EXPECT_EQ(calc.memory(), 8);
    EXPECT_EQ(calc.memoryText(), QStringLiteral("M"));

    calc.CalcKey(u'c'); // keys are upper-cased
    EXPECT_EQ(calc.status(), TFormCalc::csFirst);
    EXPECT_EQ(calc.displayText(), QStringLiteral("0"));
    EXPECT_EQ(calc.pendingOperator(), QChar(u'='));
}

TEST(CalcTest, ADisplayThatIsNoNumberReadsZeroAndBackspaceNeverFails)
{
    TFormCalc calc;
    const char *odd[] = {"", "-", " ", "   -", "x"};
    for (const char *text : odd) {
        calc.displayLabel()->setText(QString::fromLatin1(text));
        EXPECT_EQ(calc.displayValue(), 0) << text;
        calc.CalcKey(TFormCalc::kBack);
        EXPECT_EQ(calc.displayText(), QStringLiteral("0")) << text;
    }
    calc.displayLabel()->setText(QStringLiteral("-"));
    click(calc, QStringLiteral("+/-"));
    EXPECT_EQ(calc.displayText().trimmed(), QStringLiteral("0"));
}

TEST(CalcTest, OverflowShowsTheError)
{
    TFormCalc calc;
    const auto enter1e300 = [&] {
        calc.CalcKey(u'1');
        for (int i = 0; i < 300; ++i)
            calc.CalcKey(u'0');
    };
    enter1e300();
    click(calc, QStringLiteral("MS * MR ="));
    EXPECT_EQ(calc.displayText(), QStringLiteral("Chyba"));

    click(calc, QStringLiteral("C MC"));
    enter1e300();
    click(calc, QStringLiteral("* 1 0 0 0 0 0 0 0 = MS"));
    for (int i = 0; i < 20 && calc.status() != TFormCalc::csError; ++i)
        click(calc, QStringLiteral("M+"));
    EXPECT_EQ(calc.displayText(), QStringLiteral("Chyba"));
    EXPECT_GT(calc.memory(), 1e308); // the last sum that was a number
}

TEST(CalcTest, MemoryIndicatorFollowsTheMemory)
{
    TFormCalc calc;
    EXPECT_EQ(calc.memoryText(), QString());
    click(calc, QStringLiteral("5 MS"));
    EXPECT_EQ(calc.memoryText(), QStringLiteral("M"));
    EXPECT_EQ(calc.memory(), 5);
    click(calc, QStringLiteral("C 5 +/- M+"));
    EXPECT_EQ(calc.memory(), 0);
    EXPECT_EQ(calc.memoryText(), QString());
    click(calc, QStringLiteral("C 2 , 5 M+ M+"));
    EXPECT_EQ(calc.memory(), 5);
    EXPECT_EQ(calc.memoryText(), QStringLiteral("M"));
    click(calc, QStringLiteral("C 0 MS"));
    EXPECT_EQ(calc.memoryText(), QString());
    click(calc, QStringLiteral("C 7 MS MC"));
    EXPECT_EQ(calc.memory(), 0);
    EXPECT_EQ(calc.memoryText(), QString());
    // MR continues the entry with the recalled value.
    click(calc, QStringLiteral("C 4 MS C MR"));
    EXPECT_EQ(calc.status(), TFormCalc::csValid);
}

TEST(CalcTest, CalcKeyAcceptsBothSeparatorsAndEnter)
{
    TFormCalc calc;
    for (QChar key : QStringLiteral("1.5+1,25"))
        calc.CalcKey(key);
    calc.CalcKey(TFormCalc::kEnter);
    EXPECT_EQ(calc.displayText().trimmed(), QStringLiteral("2,75"));
    calc.CalcKey(TFormCalc::kNegate);
    EXPECT_EQ(calc.displayText().trimmed(), QStringLiteral("-2,75"));
    calc.CalcKey(u'x'); // no key of the calculator
    EXPECT_EQ(calc.displayText().trimmed(), QStringLiteral("-2,75"));
}

void press(QWidget &w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString &text = QString())
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&w, &event);
}

TEST(CalcTest, KeyboardDrivesTheCalculatorAndEscapeDoesNotCloseIt)
{
    TFormCalc calc;
    calc.show();
    press(calc, Qt::Key_1);
    press(calc, Qt::Key_2);
    press(calc, Qt::Key_Period, Qt::KeypadModifier);
    press(calc, Qt::Key_5, Qt::KeypadModifier);
    press(calc, Qt::Key_Plus, Qt::KeypadModifier);
    press(calc, Qt::Key_3);
    press(calc, Qt::Key_Comma);
    press(calc, Qt::Key_5);
    press(calc, Qt::Key_Backspace);
    press(calc, Qt::Key_Return);
    EXPECT_EQ(calc.displayText().trimmed(), QStringLiteral("15,5"));
    EXPECT_TRUE(calc.isVisible());

    press(calc, Qt::Key_Asterisk, Qt::KeypadModifier);
    press(calc, Qt::Key_2);
    press(calc, Qt::Key_Equal);
    EXPECT_EQ(calc.displayText().trimmed(), QStringLiteral("31"));
    press(calc, Qt::Key_Slash, Qt::KeypadModifier);
    press(calc, Qt::Key_0, Qt::KeypadModifier);
    press(calc, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(calc.displayText(), QStringLiteral("Chyba"));

    press(calc, Qt::Key_Escape);
    EXPECT_EQ(calc.displayText(), QStringLiteral("0"));
    EXPECT_TRUE(calc.isVisible());
    EXPECT_EQ(calc.result(), QDialog::Rejected);

    // The operators of the main keyboard are not the calculator's keys.
    press(calc, Qt::Key_9);
    press(calc, Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-"));
    press(calc, Qt::Key_Minus, Qt::KeypadModifier);
    press(calc, Qt::Key_4);
    press(calc, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(calc.displayText().trimmed(), QStringLiteral("5"));
}

TEST(CalcTest, OkAndCancelCloseWithTheirResultAndKeepTheMemory)
{
    TFormCalc calc;
    calc.show();
    click(calc, QStringLiteral("6 MS"));
    calc.button(QStringLiteral("OK"))->click();
    EXPECT_FALSE(calc.isVisible());
    EXPECT_EQ(calc.result(), QDialog::Accepted);

    calc.show();
    calc.button(QStringLiteral("Cancel"))->click();
    EXPECT_FALSE(calc.isVisible());
    EXPECT_EQ(calc.result(), QDialog::Rejected);
    click(calc, QStringLiteral("C MR"));
    EXPECT_EQ(calc.displayText().trimmed(), QStringLiteral("6"));
}

TEST(CalcTest, OneCalculatorForTheRun)
{
    EXPECT_EQ(tarix::core::formCalc(), nullptr);
    QWidget owner;
    TFormCalc *calc = tarix::core::createFormCalc(&owner);
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(tarix::core::createFormCalc(nullptr), calc);
    EXPECT_EQ(tarix::core::formCalc(), calc);
    EXPECT_EQ(calc->windowTitle(), QStringLiteral("Kalkulačka"));
    EXPECT_EQ(calc->displayText(), QStringLiteral("0"));
    EXPECT_EQ(calc->displayLabel()->objectName(), QStringLiteral("DisplayLabel"));
    EXPECT_EQ(calc->memoryLabel()->objectName(), QStringLiteral("MemoryLabel"));
    delete calc;
    EXPECT_EQ(tarix::core::formCalc(), nullptr);
}

TEST(CalcTest, HasEveryKey)
{
    TFormCalc calc;
    const char *captions[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                              ",", "+/-", "/", "*", "-", "+", "=", "%", "sqrt", "1/x",
                              "C", "Back", "MC", "MR", "MS", "M+", "OK", "Cancel"};
    for (const char *caption : captions)
        EXPECT_NE(calc.button(QString::fromLatin1(caption)), nullptr) << caption;
}

} // namespace
