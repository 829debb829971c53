#pragma once
// The pocket calculator "Kalkulačka": one window created at start-up and kept for the
// run (not modal), so that its memory survives between uses.
#include <QDialog>

class QLabel;
class QPushButton;

namespace tarix::core {

class TFormCalc : public QDialog {
    Q_OBJECT
public:
    // 0: the next digit starts a new number; 1: a number is being entered; 2: error.
    enum Status { csFirst = 0, csValid = 1, csError = 2 };

    // Characters of CalcKey besides digits, the decimal separator and the operators
    // "+", "-", "*", "/", "%", "=".
    static constexpr QChar kBack = QChar(8);
    static constexpr QChar kEnter = QChar(13);
    static constexpr QChar kNegate = QChar(u'_');
    static constexpr QChar kClear = QChar(u'C');
    // The decimal separator shown, as on a Slovak desktop.
    static constexpr QChar kDecimalSeparator = QChar(u',');

    explicit TFormCalc(QWidget *parent = nullptr);

    // One key: a digit, a decimal separator ("," or "."), an operator, "=" or Enter,
    // "C", "_" (sign change) or Backspace. In the error state every key but "C" is
    // ignored.
    void CalcKey(QChar key);

    // The keys that are not characters.
    void squareRoot();
    void reciprocal();
    void memoryClear();
    void memoryRecall();
    void memoryStore();
    void memoryAdd();

    // The displayed value: 0 in the error state and for a display that is no number
    // (empty or only a sign).
    double displayValue() const;
    // Shows a value as "%31.10f" without trailing zeros and without a trailing
    // decimal separator; a value that is no finite number shows the error.
    void setDisplayValue(double value);
    // The text of a value on the display ("%31.10f", trailing zeros and separator cut).
    static QString formatDisplay(double value);

    QString displayText() const;
    QString memoryText() const;
    double memory() const { return m_memory; }
    Status status() const { return m_status; }
    QChar pendingOperator() const { return m_operator; }

    QLabel *displayLabel() const { return m_display; }
    QLabel *memoryLabel() const { return m_memoryLabel; }
    // The calculator's button with the given caption ("7", "+/-", "MR", "OK", ...).
    QPushButton *button(const QString &caption) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setError();
    void showMemoryIndicator();
    QPushButton *addButton(const QString &caption, const QString &name);

    QLabel *m_display;
    QLabel *m_memoryLabel;
    Status m_status = csFirst;
    QChar m_operator = u'='; // none yet acts like "="
    double m_operand = 0;
    double m_memory = 0;
};

// The calculator of the run. createFormCalc makes it (start-up calls it once, with the
// main window as parent so that it ends with the main window); formCalc() gives it, or
// nullptr when none exists.
TFormCalc *createFormCalc(QWidget *parent);
TFormCalc *formCalc();

} // namespace tarix::core
