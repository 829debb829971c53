#pragma once
// Slovak sort order of names, our own so that it is the same on every machine (it does not
// depend on the locale data installed) and the same in SQL (collation "SK") and in the
// dataset layer's in-memory key comparisons.
//
// Letters compare in the order a ä b c č d e f g h ch i j k l m n o ô p q r s š t u v w x y z ž
// ("ch" is one letter after "h"). Letters with an acute, a caron on d t n l, ĺ and ŕ sort with
// their base letter and decide only between words that are otherwise equal (á after a,
// ľ after ĺ after l). Case decides last (lower before upper). Blanks and punctuation sort
// before digits, digits before letters.
#include <QStringView>

namespace tarix::db {

int compareSlovak(QStringView a, QStringView b);
// The same on UTF-8 text (as SQLite hands it to a collation).
int compareSlovakUtf8(const char *a, int lenA, const char *b, int lenB);

} // namespace tarix::db
