#include "platform/db/db_error.h"

#include <QRegularExpression>

namespace tarix::db {

namespace {

// The kind of object the server named, as the clerk's message names it (accusative and
// genitive).
struct ObjectWords {
    const char *kind;
    const char *accusative;
    const char *genitive;
};

const ObjectWords kObjects[] = {
    {"table", "tabuľku", "tabuľky"},     {"view", "pohľad", "pohľadu"},
    {"schema", "schému", "schémy"},       {"sequence", "sekvenciu", "sekvencie"},
    {"database", "databázu", "databázy"}, {"function", "funkciu", "funkcie"},
    {"relation", "tabuľku", "tabuľky"},   {"collation", "porovnávanie", "porovnávania"},
    {"type", "typ", "typu"},
};

// The right a statement needs on the object of the kind named.
QString rightOf(const QString &kind, const QString &sql)
{
    const QString text = sql.simplified().toUpper();
    const QString verb = text.section(u' ', 0, 0);
    if (verb == u"CREATE")
        return QStringLiteral("CREATE");
    if (kind == u"schema" || kind == u"sequence" || kind == u"type" || kind == u"collation")
        return QStringLiteral("USAGE");
    if (kind == u"database")
        return QStringLiteral("CONNECT");
    if (kind == u"function")
        return QStringLiteral("EXECUTE");
    if (verb == u"INSERT" || verb == u"UPDATE" || verb == u"DELETE")
        return verb;
    // A read that locks its rows for a save needs the right to change them.
    if (text.contains(QLatin1String(" FOR UPDATE")) || text.contains(QLatin1String(" FOR NO KEY UPDATE")))
        return QStringLiteral("UPDATE");
    if (verb == u"TRUNCATE")
        return QStringLiteral("TRUNCATE");
    return QStringLiteral("SELECT");
}

} // namespace

QString permissionText(const QString &server, const QString &reason, const QString &sql)
{
    static const QRegularExpression denied(QStringLiteral("permission denied for (\\w+) (.+)$"));
    static const QRegularExpression owner(QStringLiteral("must be owner of (\\w+) (.+)$"));
    const QString advice = QStringLiteral("Požiadajte správcu databázy o toto právo.");
    const auto words = [](const QString &kind) -> const ObjectWords * {
        for (const ObjectWords &w : kObjects)
            if (kind == QLatin1String(w.kind))
                return &w;
        return nullptr;
    };
    if (const auto m = denied.match(reason); m.hasMatch()) {
        const ObjectWords *w = words(m.captured(1));
        const QString object = (w ? QString::fromUtf8(w->accusative) : m.captured(1)) + u' ' + m.captured(2);
        return QStringLiteral("Prihlásenie na databázový server %1 nemá právo %2 na %3. %4")
            .arg(server, rightOf(m.captured(1), sql), object, advice);
    }
    if (const auto m = owner.match(reason); m.hasMatch()) {
        const ObjectWords *w = words(m.captured(1));
        const QString object = (w ? QString::fromUtf8(w->genitive) : m.captured(1)) + u' ' + m.captured(2);
        return QStringLiteral("Prihlásenie na databázový server %1 nie je vlastníkom %2; túto zmenu musí "
                              "vykonať správca databázy.")
            .arg(server, object);
    }
    return QStringLiteral("Prihlásenie na databázový server %1 nemá potrebné právo (%2). %3").arg(server, reason, advice);
}

} // namespace tarix::db
