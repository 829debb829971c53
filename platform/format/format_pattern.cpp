#include "platform/format/format_pattern.h"

#include <QVarLengthArray>

namespace tarix::fmt {

namespace {

// Far above any column of a report or file; keeps a mistyped pattern from overflowing the
// number or asking for a text of gigabytes.
constexpr int kMaxWidthOrPrecision = 9999;

[[noreturn]] void fail(QStringView pattern, const QString &why)
{
    throw FormatError(QStringLiteral("Format \"%1\": %2").arg(pattern.toString(), why));
}

QString kindOf(const std::variant<qint64, double, QString> &arg)
{
    if (const auto *n = std::get_if<qint64>(&arg))
        return QStringLiteral("the integer %1").arg(*n);
    if (const auto *d = std::get_if<double>(&arg))
        return QStringLiteral("the number %1").arg(general(*d, Style::point()));
    return QStringLiteral("the text \"%1\"").arg(std::get<QString>(arg));
}

} // namespace

QString format(QStringView pattern, std::initializer_list<FormatArg> args, const Style &style)
{
    const FormatArg *values = args.begin();
    const int count = int(args.size());
    QVarLengthArray<bool, 16> used(count, false);
    int next = 0;
    QString out;
    out.reserve(pattern.size() + 16);
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = pattern[i];
        if (c != u'%') {
            out += c;
            continue;
        }
        if (i + 1 < n && pattern[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        // "%" [index ":"] ["-"] [width] ["." precision] type
        qsizetype j = i + 1;
        auto readNumber = [&](int &into) {
            bool any = false;
            into = 0;
            while (j < n && pattern[j].unicode() >= u'0' && pattern[j].unicode() <= u'9') {
                into = into * 10 + (pattern[j].unicode() - u'0');
                if (into > kMaxWidthOrPrecision)
                    fail(pattern, QStringLiteral("a width, precision or index above %1").arg(kMaxWidthOrPrecision));
                any = true;
                ++j;
            }
            return any;
        };
        int first = 0;
        bool haveWidth = readNumber(first);
        if (haveWidth && j < n && pattern[j] == u':') {
            next = first;
            ++j;
            haveWidth = false;
        }
        bool left = false;
        if (!haveWidth && j < n && pattern[j] == u'-') {
            left = true;
            ++j;
        }
        int width = first;
        if (!haveWidth)
            readNumber(width);
        int precision = -1;
        if (j < n && pattern[j] == u'.') {
            ++j;
            if (!readNumber(precision))
                fail(pattern, QStringLiteral("a precision without digits"));
        }
        if (j >= n)
            fail(pattern, QStringLiteral("a placeholder without its type at the end"));
        const QChar type = pattern[j].toLower();
        if (type != u'd' && type != u'f' && type != u'n' && type != u'g' && type != u's')
            fail(pattern, QStringLiteral("unknown placeholder type '%1'").arg(pattern[j]));
        if (next >= count)
            fail(pattern, QStringLiteral("no value for placeholder %1").arg(next + 1));
        used[next] = true;
        const auto &arg = values[next++].value();

        auto asNumber = [&]() -> double {
            if (const auto *d = std::get_if<double>(&arg))
                return *d;
            if (const auto *v = std::get_if<qint64>(&arg))
                return double(*v);
            fail(pattern, QStringLiteral("\"%") + type + QStringLiteral("\" needs a number, got ")
                              + kindOf(arg));
        };
        QString piece;
        switch (type.unicode()) {
        case u'd':
            if (const auto *v = std::get_if<qint64>(&arg))
                piece = integer(*v, std::max(precision, 1));
            else
                fail(pattern, QStringLiteral("\"%d\" needs an integer, got %1").arg(kindOf(arg)));
            break;
        case u'f':
            piece = fixed(asNumber(), precision < 0 ? 2 : precision, style);
            break;
        case u'n':
            piece = number(asNumber(), precision < 0 ? 2 : precision, style);
            break;
        case u'g':
            piece = general(asNumber(), style, precision < 0 ? 15 : precision);
            break;
        default: // 's'
            if (const auto *s = std::get_if<QString>(&arg))
                piece = precision < 0 ? *s : s->left(precision);
            else
                fail(pattern, QStringLiteral("\"%s\" needs a text, got %1").arg(kindOf(arg)));
            break;
        }
        out += left ? padRight(piece, width) : padLeft(piece, width);
        i = j;
    }
    for (int k = 0; k < count; ++k)
        if (!used[k])
            fail(pattern, QStringLiteral("value %1 is used by no placeholder").arg(k + 1));
    return out;
}

} // namespace tarix::fmt
