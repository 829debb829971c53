#include "core/forms/form_calc.h"

#include "platform/format/format.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace tarix::core {

namespace {

const QString kErrorText = QStringLiteral("Chyba");

bool isOperator(QChar key)
{
    return key == u'+' || key == u'-' || key == u'*' || key == u'/' || key == u'%' ||
           key == u'=';
}

QPointer<TFormCalc> &theCalculator()
{
    static QPointer<TFormCalc> calc;
    return calc;
}

} // namespace

TFormCalc::TFormCalc(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormCalc"));
    setWindowTitle(QStringLiteral("Kalkulačka"));

    m_display = new QLabel(QStringLiteral("0"), this);
    m_display->setObjectName(QStringLiteral("DisplayLabel"));
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFrameShape(QFrame::Panel);
    m_display->setFrameShadow(QFrame::Sunken);
    m_display->setMinimumWidth(220);
    QFont mono = m_display->font();
    mono.setStyleHint(QFont::Monospace);
    m_display->setFont(mono);

    m_memoryLabel = new QLabel(QString(), this);
    m_memoryLabel->setObjectName(QStringLiteral("MemoryLabel"));
    m_memoryLabel->setAlignment(Qt::AlignCenter);
    m_memoryLabel->setFrameShape(QFrame::Panel);
    m_memoryLabel->setFrameShadow(QFrame::Sunken);
    m_memoryLabel->setFixedWidth(28);

    auto *top = new QHBoxLayout;
    top->addWidget(m_memoryLabel);
    top->addWidget(m_display, 1);

    auto *grid = new QGridLayout;
    grid->addWidget(addButton(QStringLiteral("Back"), QStringLiteral("BtnBack")), 0, 1, 1, 3);
    grid->addWidget(addButton(QStringLiteral("C"), QStringLiteral("BtnClear")), 0, 4, 1, 2);

    struct Cell {
        const char16_t *caption;
        const char *name;
        int row, column;
    };
    static const Cell cells[] = {
        {u"MC", "BtnMC", 1, 0},  {u"7", "Btn7", 1, 1},      {u"8", "Btn8", 1, 2},
        {u"9", "Btn9", 1, 3},    {u"/", "BtnDiv", 1, 4},    {u"sqrt", "BtnSqrt", 1, 5},
        {u"MR", "BtnMR", 2, 0},  {u"4", "Btn4", 2, 1},      {u"5", "Btn5", 2, 2},
        {u"6", "Btn6", 2, 3},    {u"*", "BtnMul", 2, 4},    {u"%", "BtnPercent", 2, 5},
        {u"MS", "BtnMS", 3, 0},  {u"1", "Btn1", 3, 1},      {u"2", "Btn2", 3, 2},
        {u"3", "Btn3", 3, 3},    {u"-", "BtnSub", 3, 4},    {u"1/x", "BtnRecip", 3, 5},
        {u"M+", "BtnMPlus", 4, 0}, {u"0", "Btn0", 4, 1},    {u"+/-", "BtnSign", 4, 2},
        {u",", "BtnDecimal", 4, 3}, {u"+", "BtnAdd", 4, 4}, {u"=", "BtnEquals", 4, 5},
    };
    for (const Cell &cell : cells) {
        const QString caption = QString::fromUtf16(cell.caption);
        grid->addWidget(addButton(caption, QString::fromLatin1(cell.name)), cell.row,
                        cell.column);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton *ok = addButton(QStringLiteral("OK"), QStringLiteral("OKButton"));
    QPushButton *cancel = addButton(QStringLiteral("Cancel"), QStringLiteral("CancelButton"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

QPushButton *TFormCalc::addButton(const QString &caption, const QString &name)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    // The keyboard belongs to the calculator: Enter means "=" and Esc means "C", never
    // a click on a focused or default button or the closing of the window.
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setDefault(false);

    if (caption == QLatin1String("OK")) {
        connect(b, &QPushButton::clicked, this, &QDialog::accept);
    } else if (caption == QLatin1String("Cancel")) {
        connect(b, &QPushButton::clicked, this, &QDialog::reject);
    } else if (caption == QLatin1String("sqrt")) {
        connect(b, &QPushButton::clicked, this, &TFormCalc::squareRoot);
    } else if (caption == QLatin1String("1/x")) {
        connect(b, &QPushButton::clicked, this, &TFormCalc::reciprocal);
    } else if (caption == QLatin1String("MC")) {
        connect(b, &QPushButton::clicked, this, &TFormCalc::memoryClear);
    } else if (caption == QLatin1String("MR")) {
        connect(b, &QPushButton::clicked, this, &TFormCalc::memoryRecall);
    } else if (caption == QLatin1String("MS")) {
        connect(b, &QPushButton::clicked, this, &TFormCalc::memoryStore);
    } else if (caption == QLatin1String("M+")) {
        connect(b, &QPushButton::clicked, this, &TFormCalc::memoryAdd);
    } else {
        QChar key;
        if (caption == QLatin1String("Back"))
            key = kBack;
        else if (caption == QLatin1String("+/-"))
            key = kNegate;
        else
            key = caption.at(0); // a digit, ",", "C" or an operator
        connect(b, &QPushButton::clicked, this, [this, key] { CalcKey(key); });
    }
    return b;
}

QPushButton *TFormCalc::button(const QString &caption) const
{
    const auto all = findChildren<QPushButton *>();
    for (QPushButton *b : all)
        if (b->text() == caption)
            return b;
    return nullptr;
}

QString TFormCalc::formatDisplay(double value)
{
    QString text = fmt::format(u"%31.10f", {value});
    const qsizetype separator = text.indexOf(kDecimalSeparator);
    if (separator >= 0) {
        qsizetype end = text.size();
        while (end > separator + 1 && text.at(end - 1) == u'0')
            --end;
        if (end == separator + 1)
            --end;
        text.truncate(end);
    }
    return text;
}

QString TFormCalc::displayText() const { return m_display->text(); }

QString TFormCalc::memoryText() const { return m_memoryLabel->text(); }

double TFormCalc::displayValue() const
{
    if (m_status == csError)
        return 0;
    QString text = m_display->text().trimmed();
    text.replace(kDecimalSeparator, u'.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

void TFormCalc::setDisplayValue(double value)
{
    if (!std::isfinite(value)) {
        setError();
        return;
    }
    m_display->setText(formatDisplay(value));
}

void TFormCalc::setError()
{
    m_status = csError;
    m_display->setText(kErrorText);
}

void TFormCalc::CalcKey(QChar key)
{
    key = key.toUpper();
    if (m_status == csError && key != kClear)
        return;
    if (key == u'.')
        key = kDecimalSeparator;

    if (key.isDigit() || key == kDecimalSeparator) {
        if (m_status == csFirst) {
            m_status = csValid;
            m_display->setText(QStringLiteral("0"));
        }
        QString text = m_display->text();
        if (key == kDecimalSeparator) {
            if (!text.contains(kDecimalSeparator))
                m_display->setText(text + key);
            return;
        }
        if (text.trimmed() == QLatin1String("0"))
            text.clear();
        m_display->setText(text + key);
        return;
    }

    if (key == kClear) {
        m_status = csFirst;
        m_display->setText(QStringLiteral("0"));
        m_operator = u'=';
        return;
    }

    if (key == kNegate) {
        setDisplayValue(-displayValue());
        return;
    }

    if (key == kBack) {
        // The blanks of a shown result do not count; whatever is left must still be a
        // number, so a lone sign becomes "0" as well.
        QString text = m_display->text().trimmed();
        if (text.size() <= 1 || (text.size() == 2 && text.startsWith(u'-')))
            text = QStringLiteral("0");
        else
            text.chop(1);
        m_display->setText(text);
        return;
    }

    if (key == kEnter)
        key = u'=';
    if (!isOperator(key))
        return;

    if (m_status == csValid) {
        m_status = csFirst;
        double value = displayValue();
        if (key == u'%') {
            if (m_operator == u'+' || m_operator == u'-')
                value = m_operand * value * 0.01;
            else if (m_operator == u'*' || m_operator == u'/')
                value = value * 0.01;
        }
        if (m_operator == u'*') {
            value = m_operand * value;
        } else if (m_operator == u'+') {
            value = m_operand + value;
        } else if (m_operator == u'-') {
            value = m_operand - value;
        } else if (m_operator == u'/') {
            if (value == 0) {
                setError();
                return;
            }
            value = m_operand / value;
        }
        setDisplayValue(value);
        if (m_status == csError)
            return;
    }
    m_operator = key;
    m_operand = displayValue();
}

void TFormCalc::squareRoot()
{
    if (m_status == csError)
        return;
    const double value = displayValue();
    m_status = csFirst;
    if (value < 0)
        setError();
    else
        setDisplayValue(std::sqrt(value));
}

void TFormCalc::reciprocal()
{
    if (m_status == csError)
        return;
    const double value = displayValue();
    m_status = csFirst;
    if (value == 0)
        setError();
    else
        setDisplayValue(1 / value);
}

void TFormCalc::showMemoryIndicator()
{
    m_memoryLabel->setText(m_memory != 0 ? QStringLiteral("M") : QString());
}

void TFormCalc::memoryClear()
{
    if (m_status == csError)
        return;
    m_memory = 0;
    m_memoryLabel->clear();
}

void TFormCalc::memoryRecall()
{
    if (m_status == csError)
        return;
    m_status = csValid;
    setDisplayValue(m_memory);
}

void TFormCalc::memoryStore()
{
    if (m_status == csError)
        return;
    m_memory = displayValue();
    showMemoryIndicator();
}

void TFormCalc::memoryAdd()
{
    if (m_status == csError)
        return;
    const double sum = m_memory + displayValue();
    if (!std::isfinite(sum)) {
        setError();
        return;
    }
    m_memory = sum;
    showMemoryIndicator();
}

void TFormCalc::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    QChar ch;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        ch = QChar(u'0' + (key - Qt::Key_0));
    else if (key == Qt::Key_Backspace)
        ch = kBack;
    else if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Equal)
        ch = u'=';
    else if (key == Qt::Key_Escape)
        ch = kClear;
    else if (key == Qt::Key_Comma || key == Qt::Key_Period)
        ch = kDecimalSeparator;
    else if (keypad && key == Qt::Key_Asterisk)
        ch = u'*';
    else if (keypad && key == Qt::Key_Plus)
        ch = u'+';
    else if (keypad && key == Qt::Key_Minus)
        ch = u'-';
    else if (keypad && key == Qt::Key_Slash)
        ch = u'/';

    if (ch.isNull()) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    CalcKey(ch);
}

TFormCalc *createFormCalc(QWidget *parent)
{
    QPointer<TFormCalc> &calc = theCalculator();
    if (!calc)
        calc = new TFormCalc(parent);
    return calc;
}

TFormCalc *formCalc() { return theCalculator(); }

} // namespace tarix::core
