#include "platform/format/number_format.h"

#include "platform/format/decimal.h"

#include <cmath>
#include <vector>

namespace tarix::fmt {
namespace {

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Integer digits with thousands separators.
QString groupDigits(const std::string &digits, QChar separator)
{
    QString out;
    const int n = int(digits.size());
    out.reserve(n + n / 3);
    for (int i = 0; i < n; ++i) {
        out += QChar::fromLatin1(digits[size_t(i)]);
        const int fromRight = n - 1 - i;
        if (!separator.isNull() && fromRight > 0 && fromRight % 3 == 0)
            out += separator;
    }
    return out;
}

QString fixedText(double value, int decimals, const Style &style, bool grouped)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    decimals = std::max(decimals, 0);
    const DecimalDigits d = toDecimal(value, decimals, Rounding::HalfAwayFromZero);
    QString out;
    if (d.negative)
        out += u'-';
    out += groupDigits(d.integer, grouped ? style.thousandsSeparator : QChar());
    if (decimals > 0) {
        out += style.decimalSeparator;
        out += QString::fromLatin1(d.fraction.data(), qsizetype(d.fraction.size()));
    }
    return out;
}

// ---- display masks ----------------------------------------------------------------------

struct Token {
    enum Kind { Literal, Digit, Point } kind;
    QString text;       // Literal
    bool zero = false;  // Digit: "0" (true) or "#"
    bool fraction = false;
};

struct Section {
    std::vector<Token> tokens;
    bool thousands = false;
    int intPlaceholders = 0;
    int forcedInt = 0;      // integer placeholders from the leftmost "0" on
    int fracPlaceholders = 0;
    int minFrac = 0;        // decimals up to the last "0"
    int firstInt = -1;      // token index of the first / last integer placeholder
    int lastInt = -1;
    bool empty = true;
};

Section parseSection(QStringView s)
{
    Section sec;
    sec.empty = s.isEmpty();
    bool afterPoint = false;
    int firstZeroInt = -1;
    auto literal = [&](QString text) {
        if (!sec.tokens.empty() && sec.tokens.back().kind == Token::Literal)
            sec.tokens.back().text += text;
        else
            sec.tokens.push_back({Token::Literal, std::move(text)});
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = s.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? s.size() : end;
            literal(s.mid(i + 1, stop - i - 1).toString());
            i = stop;
        } else if (c == u'0' || c == u'#') {
            Token t{Token::Digit, {}};
            t.zero = c == u'0';
            t.fraction = afterPoint;
            if (afterPoint) {
                ++sec.fracPlaceholders;
                if (t.zero)
                    sec.minFrac = sec.fracPlaceholders;
            } else {
                if (t.zero && firstZeroInt < 0)
                    firstZeroInt = sec.intPlaceholders;
                ++sec.intPlaceholders;
                if (sec.firstInt < 0)
                    sec.firstInt = int(sec.tokens.size());
                sec.lastInt = int(sec.tokens.size());
            }
            sec.tokens.push_back(t);
        } else if (c == u'.') {
            if (!afterPoint) {
                afterPoint = true;
                sec.tokens.push_back({Token::Point, {}});
            }
        } else if (c == u',') {
            sec.thousands = true;
        } else {
            literal(QString(c));
        }
    }
    sec.forcedInt = firstZeroInt < 0 ? 0 : sec.intPlaceholders - firstZeroInt;
    return sec;
}

std::vector<QStringView> splitSections(QStringView mask)
{
    std::vector<QStringView> out;
    qsizetype start = 0;
    QChar quote;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            out.push_back(mask.mid(start, i - start));
            start = i + 1;
            if (out.size() == 2)
                break; // a third section runs to the end
        }
    }
    out.push_back(mask.mid(start));
    if (out.size() == 3) {
        // Anything after a further ";" is not a section of its own.
        QStringView third = out[2];
        QChar q;
        for (qsizetype i = 0; i < third.size(); ++i) {
            const QChar c = third[i];
            if (!q.isNull()) {
                if (c == q)
                    q = QChar();
            } else if (c == u'"' || c == u'\'') {
                q = c;
            } else if (c == u';') {
                out[2] = third.left(i);
                break;
            }
        }
    }
    return out;
}

QString applySection(const Section &sec, double magnitude, bool minus, const Style &style)
{
    const DecimalDigits d =
        toDecimal(magnitude, sec.fracPlaceholders, Rounding::HalfAwayFromZero);
    std::string intDigits = d.integer == "0" ? std::string() : d.integer;
    if (int(intDigits.size()) < sec.forcedInt)
        intDigits.insert(0, size_t(sec.forcedInt - int(intDigits.size())), '0');
    const int len = int(intDigits.size());
    const int n = sec.intPlaceholders;

    int keptFrac = sec.fracPlaceholders;
    while (keptFrac > sec.minFrac && d.fraction[size_t(keptFrac - 1)] == '0')
        --keptFrac;

    QString out;
    bool minusPending = minus;
    bool digitPrinted = false;
    auto emitMinus = [&] {
        if (minusPending) {
            out += u'-';
            minusPending = false;
        }
    };
    auto emitIntDigit = [&](int fromRight) {
        emitMinus();
        out += QChar::fromLatin1(intDigits[size_t(len - 1 - fromRight)]);
        digitPrinted = true;
        if (sec.thousands && !style.thousandsSeparator.isNull() && fromRight > 0
            && fromRight % 3 == 0)
            out += style.thousandsSeparator;
    };

    int intIndex = 0;
    int fracIndex = 0;
    for (int t = 0; t < int(sec.tokens.size()); ++t) {
        const Token &tok = sec.tokens[size_t(t)];
        switch (tok.kind) {
        case Token::Literal:
            if (t > sec.firstInt && t < sec.lastInt && sec.firstInt >= 0 && !digitPrinted)
                break; // a separator between placeholders before the first digit
            out += tok.text;
            break;
        case Token::Digit:
            if (tok.fraction) {
                if (fracIndex < keptFrac)
                    out += QChar::fromLatin1(d.fraction[size_t(fracIndex)]);
                ++fracIndex;
            } else {
                const int fromRight = n - 1 - intIndex;
                if (intIndex == 0)
                    for (int r = len - 1; r > fromRight; --r)
                        emitIntDigit(r);
                if (fromRight < len)
                    emitIntDigit(fromRight);
                ++intIndex;
            }
            break;
        case Token::Point:
            if (keptFrac > 0) {
                emitMinus();
                out += style.decimalSeparator;
            }
            break;
        }
    }
    if (minusPending)
        out.prepend(u'-');
    return out;
}

bool roundsToZero(double magnitude, int decimals)
{
    const DecimalDigits d = toDecimal(magnitude, decimals, Rounding::HalfAwayFromZero);
    return d.integer == "0" && d.fraction.find_first_not_of('0') == std::string::npos;
}

} // namespace

QString formatFloat(QStringView mask, double value, const Style &style)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    if (mask.isEmpty())
        return general(value, style);

    const std::vector<QStringView> parts = splitSections(mask);
    const Section first = parseSection(parts[0]);
    const double magnitude = std::fabs(value);

    if (roundsToZero(magnitude, first.fracPlaceholders)) {
        if (parts.size() == 3) {
            const Section zero = parseSection(parts[2]);
            return zero.empty ? QString() : applySection(zero, 0.0, false, style);
        }
        return applySection(first, 0.0, false, style);
    }
    if (value < 0 && parts.size() >= 2) {
        const Section negative = parseSection(parts[1]);
        if (!negative.empty)
            return applySection(negative, magnitude, false, style);
    }
    return applySection(first, magnitude, value < 0, style);
}

QString fixed(double value, int decimals, const Style &style)
{
    return fixedText(value, decimals, style, false);
}

QString number(double value, int decimals, const Style &style)
{
    return fixedText(value, decimals, style, true);
}

QString general(double value, const Style &style, int digits)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    const DecimalDigits d = toSignificant(value, digits, Rounding::HalfAwayFromZero);
    std::string fraction = d.fraction;
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    QString out;
    if (d.negative)
        out += u'-';
    out += QString::fromLatin1(d.integer.data(), qsizetype(d.integer.size()));
    if (!fraction.empty()) {
        out += style.decimalSeparator;
        out += QString::fromLatin1(fraction.data(), qsizetype(fraction.size()));
    }
    return out;
}

QString plain(double value, int decimals, const Style &style)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    QString out = fixedText(value, decimals, {style.decimalSeparator, QChar()}, false);
    if (out.contains(style.decimalSeparator)) {
        while (out.endsWith(u'0'))
            out.chop(1);
        if (out.endsWith(style.decimalSeparator))
            out.chop(1);
    }
    return out == u"-0" ? QStringLiteral("0") : out;
}

int maskDecimals(QStringView mask)
{
    if (mask.isEmpty())
        return -1;
    return parseSection(splitSections(mask)[0]).fracPlaceholders;
}

QString integer(qint64 value, int minDigits)
{
    // The magnitude as unsigned, so that the smallest qint64 has one too.
    const quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    if (digits.size() < minDigits)
        digits.prepend(QString(minDigits - digits.size(), u'0'));
    return value < 0 ? u'-' + digits : digits;
}

QString padLeft(const QString &text, int width)
{
    return text.size() >= width ? text : QString(width - text.size(), u' ') + text;
}

QString padRight(const QString &text, int width)
{
    return text.size() >= width ? text : text + QString(width - text.size(), u' ');
}

} // namespace tarix::fmt
