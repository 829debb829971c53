#include "core/helpers/checks.h"

#include "core/helpers/messages.h"
#include "core/helpers/text_utils.h"
#include "platform/errors.h"

namespace tarix::MyConsts {
namespace {

// Weighted digit sum of `digits` (already trimmed) padded with "0" to the weights' count;
// -1 when it has more digits than weights.
template <size_t N>
int weightedSum(const QString &digits, const int (&weights)[N])
{
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            throw EMyError(Msg(65194));
    if (digits.size() > qsizetype(N))
        return -1;
    const QString padded = Dopln_zlava(digits, int(N), u'0');
    int sum = 0;
    for (size_t i = 0; i < N; ++i)
        sum += (padded[qsizetype(i)].unicode() - '0') * weights[i];
    return sum;
}

} // namespace

void Kontrola_rodneho_cisla(const QString &text)
{
    if (text.isEmpty())
        return;
    Text_na_realne_cislo(text);
    if (text.size() < 9 || text.size() > 10)
        throw EMyError(Msg(65098));
}

bool Kontrola_predcislia_uctu(const QString &prefix)
{
    static const int weights[] = {10, 5, 8, 4, 2, 1};
    const QString p = prefix.trimmed();
    if (p.isEmpty())
        return true;
    const int sum = weightedSum(p, weights);
    return sum >= 0 && sum % 11 == 0;
}

bool Kontrola_cisla_uctu(const QString &number)
{
    static const int weights[] = {6, 3, 7, 9, 10, 5, 8, 4, 2, 1};
    const QString n = number.trimmed();
    if (n.isEmpty())
        return true;
    const int sum = weightedSum(n, weights);
    return sum > 0 && sum % 11 == 0;
}

SplitAccount Rozloz_cislo_uctu(const QString &text)
{
    const QString noPrefix = QStringLiteral("000000");
    const SplitAccount invalid{false, noPrefix, QStringLiteral("0000000000")};
    const QStringList parts = text.split(u'-');
    if (parts.size() == 1) {
        const QString n = text.trimmed();
        return Kontrola_cisla_uctu(n) ? SplitAccount{true, noPrefix, n} : invalid;
    }
    const QString p = parts[0].trimmed();
    if (parts.size() == 2) {
        const QString n = parts[1].trimmed();
        if (p.size() <= 6 && Kontrola_predcislia_uctu(p) && n.size() <= 10
            && Kontrola_cisla_uctu(n))
            return {true, p, n};
        if (Kontrola_cisla_uctu(p + n))
            return {true, noPrefix, p + n};
        return invalid;
    }
    const int secondDash = int(text.indexOf(u'-', text.indexOf(u'-') + 1));
    const QString a = parts[1].trimmed();
    const QString b = text.mid(secondDash + 1).trimmed();
    if (Kontrola_predcislia_uctu(p) && Kontrola_cisla_uctu(a + b))
        return {true, p, a + b};
    return invalid;
}

} // namespace tarix::MyConsts
