#include "core/helpers/address.h"

#include <limits>
#include <vector>

namespace tarix::MyConsts {
namespace {

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'/';
}

struct Token {
    qsizetype start;
    QString text;
};

// A whole number written back in decimal; empty when the token is not one (or does not
// fit 32 bits).
QString wholeNumber(const QString &token)
{
    if (token.isEmpty())
        return {};
    qint64 n = 0;
    for (QChar c : token) {
        if (c < u'0' || c > u'9')
            return {};
        n = n * 10 + (c.unicode() - '0');
        if (n > std::numeric_limits<int>::max())
            return {};
    }
    return QString::number(n);
}

} // namespace

SplitAddress Rozloz_adresu(const QString &line)
{
    const QString t = line.trimmed();
    std::vector<Token> tokens; // tokens[0] is the last token of the line
    for (qsizetype i = t.size() - 1; i >= 0 && tokens.size() < 3;) {
        const QChar c = t[i];
        if (c == u'/') {
            if (i + 1 < t.size() && !isSeparator(t[i + 1]))
                tokens.push_back({i, QStringLiteral("/")});
            --i;
        } else if (c == u' ') {
            --i;
        } else {
            qsizetype j = i;
            while (j >= 0 && !isSeparator(t[j]))
                --j;
            tokens.push_back({j + 1, t.mid(j + 1, i - j)});
            i = j;
        }
    }

    SplitAddress out;
    const QString last = tokens.empty() ? QString() : wholeNumber(tokens[0].text);
    if (last.isEmpty()) {
        out.ulica = t;
        return out;
    }
    out.posledne_cislo = last;
    if (tokens.size() < 2 || tokens[1].text != u"/") {
        out.ulica = t.left(tokens[0].start).trimmed();
        return out;
    }
    const QString before = tokens.size() < 3 ? QString() : wholeNumber(tokens[2].text);
    if (before.isEmpty()) {
        out.ulica = t.left(tokens[0].start).trimmed();
    } else {
        out.ulica = t.left(tokens[2].start).trimmed();
        out.cislo_pred_lomkou = before;
    }
    return out;
}

StreetAndNumber Ulica_a_cislo(const QString &line)
{
    const SplitAddress a = Rozloz_adresu(line);
    StreetAndNumber out{a.ulica, {}};
    if (!a.cislo_pred_lomkou.isEmpty() && !a.posledne_cislo.isEmpty())
        out.cislo = a.cislo_pred_lomkou + u'/' + a.posledne_cislo;
    else
        out.cislo = a.cislo_pred_lomkou.isEmpty() ? a.posledne_cislo : a.cislo_pred_lomkou;
    return out;
}

HouseNumbers Cisla_domu(const QString &line)
{
    const SplitAddress a = Rozloz_adresu(line);
    HouseNumbers out{a.cislo_pred_lomkou, a.posledne_cislo};
    if (out.pred_lomkou.startsWith(u'0'))
        out.pred_lomkou.remove(0, 1);
    return out;
}

QString Text_adresy(const QString &street, const QString &number, const QString &postcode,
                    const QString &town)
{
    QString out = street;
    if (!number.trimmed().isEmpty())
        out += u' ' + number;
    out += QStringLiteral(", ") + postcode + u' ' + town;
    return out;
}

} // namespace tarix::MyConsts
