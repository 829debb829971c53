#include "core/helpers/text_utils.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

#include <cmath>
#include <limits>

namespace tarix::MyConsts {
namespace {

[[noreturn]] void notANumber()
{
    throw EMyError(Msg(65194));
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QStringView withoutSign(QStringView t, bool &negative)
{
    negative = false;
    if (!t.isEmpty() && (t[0] == u'+' || t[0] == u'-')) {
        negative = t[0] == u'-';
        t = t.mid(1);
    }
    return t;
}

QString bits(quint8 value)
{
    QString out(8, u'0');
    for (int i = 0; i < 8; ++i)
        if (value & (0x80 >> i))
            out[i] = u'1';
    return out;
}

quint8 readBits(const QString &text)
{
    if (text.size() < 8)
        notANumber();
    quint8 sum = 0;
    for (int i = 0; i < 8; ++i) {
        if (!isDigit(text[i]))
            notANumber();
        sum = quint8(sum + (text[i].unicode() - '0'));
        if (i < 7)
            sum = quint8(sum * 2);
    }
    return sum;
}

} // namespace

int Text_na_cele_cislo(const QString &text)
{
    bool negative = false;
    const QStringView digits = withoutSign(QStringView(text).trimmed(), negative);
    if (digits.isEmpty())
        notANumber();
    qint64 n = 0;
    for (QChar c : digits) {
        if (!isDigit(c))
            notANumber();
        n = n * 10 + (c.unicode() - '0');
        if (n > qint64(std::numeric_limits<int>::max()) + 1)
            notANumber();
    }
    if (negative)
        n = -n;
    if (n > std::numeric_limits<int>::max())
        notANumber();
    return int(n);
}

double Text_na_realne_cislo(const QString &text)
{
    bool negative = false;
    const QStringView body = withoutSign(QStringView(text).trimmed(), negative);
    QString plain;
    plain.reserve(body.size() + 1);
    bool point = false;
    bool digit = false;
    for (QChar c : body) {
        if (isDigit(c)) {
            digit = true;
            plain += c;
        } else if ((c == u',' || c == u'.') && !point) {
            point = true;
            plain += u'.';
        } else {
            notANumber();
        }
    }
    if (!digit)
        notANumber();
    bool ok = false;
    const double v = plain.toDouble(&ok); // QString::toDouble ignores the locale
    if (!ok || !std::isfinite(v))
        notANumber();
    return negative ? -v : v;
}

QString Dopln_zlava(const QString &text, int width, QChar fill)
{
    if (width <= 0)
        return {};
    if (text.size() >= width)
        return text.left(width);
    return QString(width - text.size(), fill) + text;
}

QString Dopln_sprava(const QString &text, int width, QChar fill)
{
    if (width <= 0)
        return {};
    if (text.size() >= width)
        return text.right(width);
    return text + QString(width - text.size(), fill);
}

QString Bez_posledneho_znaku(const QString &text)
{
    return text.left(text.size() - 1);
}

QChar Prvy_znak(const QString &text)
{
    return text.isEmpty() ? QChar(u' ') : text[0];
}

bool Len_cislice(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!isDigit(c))
            return false;
    return true;
}

QString Prazdny_na_nulu(const QString &text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("0") : text;
}

QString Prazdny_na_nahradny_text(const QString &text, const QString &substitute)
{
    return text.trimmed().isEmpty() ? substitute : text;
}

QString Nahrad_text(const QString &text, const QString &pattern, const QString &replacement)
{
    if (pattern.isEmpty())
        return text;
    const qsizetype at = text.indexOf(pattern);
    if (at < 0)
        return text;
    return text.left(at) + replacement + text.mid(at + pattern.size());
}

QString Nahrad_vsetky(const QString &text, const QString &pattern, const QString &replacement)
{
    if (pattern.isEmpty())
        return text;
    QString out;
    qsizetype from = 0;
    for (qsizetype at; (at = text.indexOf(pattern, from)) >= 0; from = at + pattern.size()) {
        out += QStringView(text).mid(from, at - from);
        out += replacement;
    }
    out += QStringView(text).mid(from);
    return out;
}

QString Odstran_uvodzovky(const QString &text)
{
    QStringView t(text);
    if (t.startsWith(u'"'))
        t = t.mid(1);
    if (t.endsWith(u'"'))
        t.chop(1);
    return t.toString();
}

QString Odstran_lomky_a_medzery(const QString &text)
{
    QString out = text;
    out.remove(u'/');
    out.remove(u' ');
    return out;
}

QString Cele_meno(const QString &title, const QString &surname, const QString &firstName)
{
    QString out;
    for (const QString *part : {&title, &surname, &firstName}) {
        const QString p = part->trimmed();
        if (p.isEmpty())
            continue;
        if (!out.isEmpty())
            out += u' ';
        out += p;
    }
    return out;
}

QString Spoj_tri_texty(const QString &a, const QString &b, const QString &c)
{
    const QString joined = a.trimmed() + u' ' + b.trimmed() + u' ' + c.trimmed();
    return joined.left(100).trimmed();
}

QString Pripoj_s_medzerou(const QString &text, const QString &addition)
{
    const QString a = addition.trimmed();
    return a.isEmpty() ? text : text + u' ' + a;
}

QString pluralForm(qint64 count, const QString &one, const QString &twoToFour, const QString &many)
{
    if (count == 1)
        return one;
    return count >= 2 && count <= 4 ? twoToFour : many;
}

QString Spoj_s_pomlckou(const QString &prefix, const QString &number)
{
    return prefix.trimmed().isEmpty() ? number : prefix + u'-' + number;
}

QString Text_so_strediskom(const QString &text, int centre)
{
    return centre == 0 ? text : text + QStringLiteral(", stredisko: ") + QString::number(centre);
}

QString Priznaky_na_text(quint8 flags)
{
    return flags == 1 ? QStringLiteral("01111110") : bits(flags);
}

QString Bajt_na_binarny_text(quint8 value)
{
    return bits(value);
}

quint8 Text_na_priznaky(const QString &text)
{
    return readBits(text);
}

quint8 Binarny_text_na_bajt(const QString &text)
{
    return readBits(text);
}

QStringList Rozdel_riadok_csv(const QString &line)
{
    QStringList fields;
    fields.reserve(kPocetPoliCsv);
    QStringView body(line);
    while (body.endsWith(u'\n') || body.endsWith(u'\r'))
        body.chop(1);
    for (QStringView f : body.split(u';')) {
        if (fields.size() == kPocetPoliCsv)
            break;
        fields.append(Odstran_uvodzovky(f.toString()));
    }
    while (fields.size() < kPocetPoliCsv)
        fields.append(QString());
    return fields;
}

} // namespace tarix::MyConsts
