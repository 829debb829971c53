#include "platform/db/sk_collation.h"

#include <QChar>
#include <QString>

namespace tarix::db {
namespace {

struct Weights {
    quint32 primary;
    quint8 secondary;
    quint8 tertiary;
};

// Primary letter order; index * 2 leaves room for nothing else, "ch" has its own slot.
constexpr char32_t kLetters[] = {U'a', U'ä', U'b', U'c', U'č', U'd', U'e', U'f', U'g', U'h',
                                 0 /* ch */, U'i', U'j', U'k', U'l', U'm', U'n', U'o', U'ô',
                                 U'p', U'q', U'r', U's', U'š', U't', U'u', U'v', U'w', U'x',
                                 U'y', U'z', U'ž'};
constexpr quint32 kLetterBase = 0x20000;
constexpr quint32 kDigitBase = 0x10000;
constexpr quint32 kOtherLetterBase = 0x30000;

quint32 letterPrimary(char32_t base)
{
    for (quint32 i = 0; i < sizeof(kLetters) / sizeof(kLetters[0]); ++i)
        if (kLetters[i] == base)
            return kLetterBase + i;
    return 0;
}
const quint32 kChPrimary = kLetterBase + 10;

// Lower-case letter → (base letter, secondary weight) for letters that sort with a base.
bool secondaryLetter(char32_t c, char32_t &base, quint8 &sec)
{
    switch (c) {
    case U'á': base = U'a'; sec = 1; return true;
    case U'à': base = U'a'; sec = 2; return true;
    case U'â': base = U'a'; sec = 3; return true;
    case U'ď': base = U'd'; sec = 1; return true;
    case U'é': base = U'e'; sec = 1; return true;
    case U'ě': base = U'e'; sec = 2; return true;
    case U'ë': base = U'e'; sec = 3; return true;
    case U'í': base = U'i'; sec = 1; return true;
    case U'ĺ': base = U'l'; sec = 1; return true;
    case U'ľ': base = U'l'; sec = 2; return true;
    case U'ň': base = U'n'; sec = 1; return true;
    case U'ó': base = U'o'; sec = 1; return true;
    case U'ö': base = U'o'; sec = 2; return true;
    case U'ő': base = U'o'; sec = 3; return true;
    case U'ŕ': base = U'r'; sec = 1; return true;
    case U'ř': base = U'r'; sec = 2; return true;
    case U'ť': base = U't'; sec = 1; return true;
    case U'ú': base = U'u'; sec = 1; return true;
    case U'ů': base = U'u'; sec = 2; return true;
    case U'ü': base = U'u'; sec = 3; return true;
    case U'ű': base = U'u'; sec = 4; return true;
    case U'ý': base = U'y'; sec = 1; return true;
    case U'ś': base = U's'; sec = 1; return true;
    case U'ź': base = U'z'; sec = 1; return true;
    case U'ż': base = U'z'; sec = 2; return true;
    case U'ć': base = U'c'; sec = 1; return true;
    case U'ń': base = U'n'; sec = 2; return true;
    case U'ł': base = U'l'; sec = 3; return true;
    case U'ß': base = U's'; sec = 2; return true;
    default: return false;
    }
}

char32_t toLower(char32_t c)
{
    return c < 0x10000 ? QChar(char16_t(c)).toLower().unicode() : QChar::toLower(c);
}

// Code-point sources: QStringView (UTF-16) and UTF-8 bytes.
struct Utf16Source {
    QStringView s;
    qsizetype i = 0;
    bool atEnd() const { return i >= s.size(); }
    char32_t peek(qsizetype &len) const
    {
        char16_t c = s[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < s.size() && QChar::isLowSurrogate(s[i + 1].unicode())) {
            len = 2;
            return QChar::surrogateToUcs4(c, s[i + 1].unicode());
        }
        len = 1;
        return c;
    }
    void advance(qsizetype len) { i += len; }
};

struct Utf8Source {
    const unsigned char *p;
    int n;
    int i = 0;
    bool atEnd() const { return i >= n; }
    char32_t peek(qsizetype &len) const
    {
        unsigned char c = p[i];
        auto cont = [&](int k) -> unsigned { return i + k < n ? (p[i + k] & 0x3F) : 0; };
        if (c < 0x80) { len = 1; return c; }
        if ((c & 0xE0) == 0xC0) { len = 2; return ((c & 0x1F) << 6) | cont(1); }
        if ((c & 0xF0) == 0xE0) { len = 3; return ((c & 0x0F) << 12) | (cont(1) << 6) | cont(2); }
        if ((c & 0xF8) == 0xF0) { len = 4; return ((c & 0x07) << 18) | (cont(1) << 12) | (cont(2) << 6) | cont(3); }
        len = 1;
        return 0xFFFD;
    }
    void advance(qsizetype len) { i += int(len); if (i > n) i = n; }
};

template <class Src>
bool nextElement(Src &src, Weights &w)
{
    if (src.atEnd())
        return false;
    qsizetype len = 0;
    char32_t c = src.peek(len);
    src.advance(len);
    char32_t lower = toLower(c);
    w.secondary = 0;
    w.tertiary = lower != c ? 1 : 0;
    if (lower == U'c' && !src.atEnd()) {
        qsizetype len2 = 0;
        char32_t h = src.peek(len2);
        if (toLower(h) == U'h') {
            src.advance(len2);
            w.primary = kChPrimary;
            // "ch" < "cH" < "Ch" < "CH"
            w.tertiary = quint8((c != lower ? 2 : 0) + (h != U'h' ? 1 : 0));
            return true;
        }
    }
    if (quint32 p = letterPrimary(lower)) {
        w.primary = p;
        return true;
    }
    char32_t base = 0;
    quint8 sec = 0;
    if (secondaryLetter(lower, base, sec)) {
        w.primary = letterPrimary(base);
        w.secondary = sec;
        return true;
    }
    if (lower >= U'0' && lower <= U'9') {
        w.primary = kDigitBase + (lower - U'0');
        return true;
    }
    if (QChar::isLetter(c)) {
        w.primary = kOtherLetterBase + lower;
        return true;
    }
    w.primary = c; // blanks, punctuation, symbols: before digits and letters, in code order
    return true;
}

template <class Src>
int compareImpl(Src a0, Src b0)
{
    // Level 1: primary weights; level 2: secondary; level 3: case. Equal on all three
    // (only possible for identical texts) gives 0.
    for (int level = 0; level < 3; ++level) {
        Src a = a0, b = b0;
        Weights wa{}, wb{};
        for (;;) {
            bool ha = nextElement(a, wa);
            bool hb = nextElement(b, wb);
            if (!ha || !hb) {
                if (ha != hb)
                    return ha ? 1 : -1;
                break;
            }
            quint32 va = level == 0 ? wa.primary : level == 1 ? wa.secondary : wa.tertiary;
            quint32 vb = level == 0 ? wb.primary : level == 1 ? wb.secondary : wb.tertiary;
            if (va != vb)
                return va < vb ? -1 : 1;
        }
    }
    return 0;
}

} // namespace

int compareSlovak(QStringView a, QStringView b)
{
    int r = compareImpl(Utf16Source{a}, Utf16Source{b});
    if (r == 0) {
        int c = a.compare(b); // different code points that weigh the same: keep a total order
        r = c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    return r;
}

int compareSlovakUtf8(const char *a, int lenA, const char *b, int lenB)
{
    int r = compareImpl(Utf8Source{reinterpret_cast<const unsigned char *>(a), lenA},
                        Utf8Source{reinterpret_cast<const unsigned char *>(b), lenB});
    if (r == 0)
        return compareSlovak(QString::fromUtf8(a, lenA), QString::fromUtf8(b, lenB));
    return r;
}

} // namespace tarix::db
