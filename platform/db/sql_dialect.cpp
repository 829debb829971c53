#include "platform/db/sql_dialect.h"

#include "platform/db/db_error.h"

#include <QRegularExpression>
#include <QSet>
#include <vector>

namespace tarix::db {
namespace {

enum class Tok { Space, Comment, String, Quoted, Ident, Param, Number, Punct };

struct Token {
    Tok type;
    QString text;
};

bool identStart(QChar c) { return c.isLetter() || c == u'_'; }
bool identPart(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

std::vector<Token> tokenize(const QString &s)
{
    std::vector<Token> out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        qsizetype j = i + 1;
        if (c.isSpace()) {
            while (j < n && s[j].isSpace())
                ++j;
            out.push_back({Tok::Space, s.mid(i, j - i)});
        } else if (c == u'-' && j < n && s[j] == u'-') {
            while (j < n && s[j] != u'\n')
                ++j;
            out.push_back({Tok::Comment, s.mid(i, j - i)});
        } else if (c == u'/' && j < n && s[j] == u'*') {
            qsizetype e = s.indexOf(QStringLiteral("*/"), j + 1);
            j = e < 0 ? n : e + 2;
            out.push_back({Tok::Comment, s.mid(i, j - i)});
        } else if (c == u'\'' || c == u'"') {
            // Quoted text; a doubled quote stands for itself.
            QString body;
            for (;;) {
                if (j >= n)
                    throw DbError(QStringLiteral("Neukončený reťazec v príkaze SQL: %1").arg(s));
                if (s[j] == c) {
                    if (j + 1 < n && s[j + 1] == c) {
                        body += c;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                body += s[j++];
            }
            out.push_back({c == u'"' ? Tok::Quoted : Tok::String, body});
        } else if (c == u'[' || c == u'`') {
            const QChar close = c == u'[' ? u']' : u'`';
            while (j < n && s[j] != close)
                ++j;
            j = qMin(n, j + 1);
            out.push_back({Tok::Ident, s.mid(i, j - i)});
        } else if (c == u':' && j < n && identStart(s[j])) {
            while (j < n && identPart(s[j]))
                ++j;
            out.push_back({Tok::Param, s.mid(i + 1, j - i - 1).toLower()});
        } else if (identStart(c)) {
            while (j < n && identPart(s[j]))
                ++j;
            out.push_back({Tok::Ident, s.mid(i, j - i)});
        } else if (c.isDigit() || (c == u'.' && j < n && s[j].isDigit())) {
            while (j < n && (s[j].isLetterOrNumber() || s[j] == u'.'))
                ++j;
            out.push_back({Tok::Number, s.mid(i, j - i)});
        } else {
            out.push_back({Tok::Punct, QString(c)});
        }
        i = j;
    }
    return out;
}

// Blank texts are stored as NULL, so a comparison with the empty text ("cislo_u = ''",
// "y.cislo_u <> ''") compares the column's blank-as-empty value instead: the test then
// finds blank fields whichever way they were written. Assignments (SET ... = '') stay.
std::vector<Token> blankComparisons(const std::vector<Token> &in)
{
    auto significant = [&](qsizetype k, int step) {
        while (k >= 0 && k < qsizetype(in.size())
               && (in[size_t(k)].type == Tok::Space || in[size_t(k)].type == Tok::Comment))
            k += step;
        return k;
    };
    std::vector<Token> out;
    bool inSet = false;
    for (size_t i = 0; i < in.size(); ++i) {
        const Token &t = in[i];
        if (t.type == Tok::Ident) {
            const QString w = t.text.toLower();
            if (w == u"set")
                inSet = true;
            else if (w == u"where" || w == u"from" || w == u"select")
                inSet = false;
        }
        if (inSet || (t.type != Tok::String && t.type != Tok::Quoted) || !t.text.isEmpty()) {
            out.push_back(t);
            continue;
        }
        // t is ''; find the operator before it and the column before the operator.
        qsizetype k = significant(qsizetype(i) - 1, -1);
        if (k < 0 || in[size_t(k)].type != Tok::Punct) {
            out.push_back(t);
            continue;
        }
        QString op = in[size_t(k)].text;
        qsizetype opStart = k;
        if (op == u">" && k > 0 && in[size_t(k - 1)].type == Tok::Punct
            && (in[size_t(k - 1)].text == u"<"))
            opStart = k - 1, op = QStringLiteral("<>");
        else if (op == u"=" && k > 0 && in[size_t(k - 1)].type == Tok::Punct
                 && in[size_t(k - 1)].text == u"!")
            opStart = k - 1, op = QStringLiteral("!=");
        if (op != u"=" && op != u"<>" && op != u"!=") {
            out.push_back(t);
            continue;
        }
        qsizetype c = significant(opStart - 1, -1);
        if (c < 0 || in[size_t(c)].type != Tok::Ident) {
            out.push_back(t);
            continue;
        }
        qsizetype colStart = c;
        if (c >= 2 && in[size_t(c - 1)].type == Tok::Punct && in[size_t(c - 1)].text == u"."
            && in[size_t(c - 2)].type == Tok::Ident)
            colStart = c - 2;
        // Drop what was copied from the column on, then write the wrapped column.
        const size_t keep = out.size() - (i - size_t(colStart));
        std::vector<Token> tail(out.begin() + qsizetype(keep), out.end());
        out.resize(keep);
        out.push_back({Tok::Ident, QStringLiteral("coalesce")});
        out.push_back({Tok::Punct, QStringLiteral("(")});
        for (qsizetype m = colStart; m <= c; ++m)
            out.push_back(in[size_t(m)]);
        out.push_back({Tok::Punct, QStringLiteral(",")});
        out.push_back({Tok::String, QString()});
        out.push_back({Tok::Punct, QStringLiteral(")")});
        for (size_t m = size_t(c - colStart + 1); m < tail.size(); ++m)
            out.push_back(tail[m]);
        out.push_back(t);
    }
    return out;
}

const QSet<QString> &fromListEnd()
{
    static const QSet<QString> k{QStringLiteral("where"),  QStringLiteral("group"),
                                 QStringLiteral("order"),  QStringLiteral("having"),
                                 QStringLiteral("union"),  QStringLiteral("intersect"),
                                 QStringLiteral("except"), QStringLiteral("limit"),
                                 QStringLiteral("window"), QStringLiteral("set"),
                                 QStringLiteral("values"), QStringLiteral("select"),
                                 QStringLiteral("for"),    QStringLiteral("default")};
    return k;
}

const QSet<QString> &notAnAlias()
{
    // Words that may follow a table name and are not its alias.
    static const QSet<QString> k{
        QStringLiteral("where"),   QStringLiteral("group"),  QStringLiteral("order"),
        QStringLiteral("having"),  QStringLiteral("union"),  QStringLiteral("intersect"),
        QStringLiteral("except"),  QStringLiteral("limit"),  QStringLiteral("window"),
        QStringLiteral("set"),     QStringLiteral("values"), QStringLiteral("select"),
        QStringLiteral("for"),     QStringLiteral("left"),   QStringLiteral("right"),
        QStringLiteral("full"),    QStringLiteral("inner"),  QStringLiteral("outer"),
        QStringLiteral("cross"),   QStringLiteral("natural"), QStringLiteral("join"),
        QStringLiteral("on"),      QStringLiteral("using"),  QStringLiteral("as"),
        QStringLiteral("default"), QStringLiteral("indexed"), QStringLiteral("not")};
    return k;
}

struct Level {
    bool inFromList = false;  // between FROM and the end of its table list
    bool expectTable = false; // the next name is a table
    bool afterTable = false;  // just after a table name (an alias may follow)
};

} // namespace

QString normalizeTableName(const QString &name)
{
    QString t = name.trimmed();
    const int slash = int(qMax(t.lastIndexOf(u'/'), t.lastIndexOf(u'\\')));
    if (slash >= 0)
        t = t.mid(slash + 1);
    if (t.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive))
        t.chop(3);
    return t.toLower();
}

SqlRewrite rewriteSql(const QString &text, const SqlRewriteContext &ctx)
{
    static const QRegularExpression aliasForm(QStringLiteral("^:([^:]+):(.+)$"));
    auto schemaOf = [&](const QString &alias) -> QString {
        if (ctx.schemaOf)
            return ctx.schemaOf(alias);
        return alias.toLower();
    };
    auto hasTable = [&](const QString &schema, const QString &table) {
        return !ctx.hasTable || ctx.hasTable(schema, table);
    };
    auto qualified = [&](const QString &schema, const QString &table) {
        if ((table == u"dual" || table == u"dual12") && !hasTable(schema, table))
            return QStringLiteral("main.") + table;
        return schema + u'.' + table;
    };
    QString defaultSchema;
    if (!ctx.defaultAlias.isEmpty()) {
        defaultSchema = schemaOf(ctx.defaultAlias);
        if (defaultSchema.isEmpty())
            throw DbError(QStringLiteral("Neznámy alias %1").arg(ctx.defaultAlias));
    }

    const std::vector<Token> toks = blankComparisons(tokenize(text));
    SqlRewrite r;
    QString out;
    std::vector<Level> stack(1);
    QSet<QString> cteNames;
    QString prevWord; // last identifier/keyword seen (lower case), for WITH name AS
    bool firstPending = false; // the first outer table was just written; its alias may follow
    auto noteTable = [&](const QString &q) {
        firstPending = false;
        if (stack.size() == 1 && r.firstTable.isEmpty()) {
            r.firstTable = q;
            firstPending = true;
        }
    };

    auto nextSignificant = [&](size_t i) -> size_t {
        size_t k = i + 1;
        while (k < toks.size() && (toks[k].type == Tok::Space || toks[k].type == Tok::Comment))
            ++k;
        return k;
    };

    for (size_t i = 0; i < toks.size(); ++i) {
        const Token &t = toks[i];
        Level &lv = stack.back();
        switch (t.type) {
        case Tok::Space:
        case Tok::Comment:
            out += t.text;
            continue;
        case Tok::String:
            out += u'\'' + QString(t.text).replace(u'\'', QStringLiteral("''")) + u'\'';
            lv.expectTable = lv.afterTable = false;
            break;
        case Tok::Quoted: {
            const auto m = aliasForm.match(t.text);
            if (m.hasMatch()) {
                const QString schema = schemaOf(m.captured(1));
                if (schema.isEmpty())
                    throw DbError(QStringLiteral("Neznámy alias %1 v príkaze SQL: %2")
                                      .arg(m.captured(1), text));
                const QString q = qualified(schema, normalizeTableName(m.captured(2)));
                r.tables << q;
                out += q;
                if (lv.expectTable) {
                    lv.expectTable = false;
                    lv.afterTable = true;
                    noteTable(q);
                }
            } else {
                out += u'\'' + QString(t.text).replace(u'\'', QStringLiteral("''")) + u'\'';
                lv.expectTable = lv.afterTable = false;
            }
            break;
        }
        case Tok::Param:
            if (!r.parameters.contains(t.text))
                r.parameters << t.text;
            out += u':' + t.text;
            lv.expectTable = lv.afterTable = false;
            break;
        case Tok::Number:
            out += t.text;
            lv.expectTable = lv.afterTable = false;
            break;
        case Tok::Punct: {
            const QChar c = t.text[0];
            if (c == u'(') {
                lv.expectTable = false;
                lv.afterTable = false;
                out += c;
                stack.push_back(Level{});
            } else if (c == u')') {
                out += c;
                if (stack.size() > 1)
                    stack.pop_back();
                stack.back().afterTable = stack.back().inFromList; // "(subquery) alias"
            } else if (c == u',') {
                out += c;
                if (lv.inFromList) {
                    lv.expectTable = true;
                    lv.afterTable = false;
                }
            } else if (c == u';') {
                // Dropped when only blanks and comments follow (a trailing ";").
                size_t k = nextSignificant(i);
                if (k < toks.size() && !(toks[k].type == Tok::Punct && toks[k].text == u";"))
                    out += c;
            } else {
                out += c;
                lv.expectTable = lv.afterTable = false;
            }
            break;
        }
        case Tok::Ident: {
            const QString w = t.text.toLower();
            if (w == u"for" && stack.size() == 1) {
                size_t k = nextSignificant(i);
                if (k < toks.size() && toks[k].type == Tok::Ident && toks[k].text.toLower() == u"update") {
                    // "for update of a, b": the rows are written back by rowid instead.
                    r.forUpdate = true;
                    bool afterOf = false;
                    size_t e = k + 1;
                    for (; e < toks.size(); ++e) {
                        const Token &u = toks[e];
                        if (u.type == Tok::Punct && u.text == u";")
                            break;
                        if (u.type == Tok::Ident) {
                            if (u.text.toLower() == u"of")
                                afterOf = true;
                            else if (afterOf)
                                r.forUpdateColumns << u.text.toLower();
                        }
                    }
                    i = e - 1;
                    continue;
                }
            }
            if (lv.expectTable) {
                lv.expectTable = false;
                lv.afterTable = true;
                size_t k = nextSignificant(i);
                const bool dotted = k < toks.size() && toks[k].type == Tok::Punct && toks[k].text == u".";
                if (dotted) {
                    // schema.table written out: an alias name maps to its schema.
                    QString schema = ctx.schemaOf ? ctx.schemaOf(t.text) : QString();
                    const QString tableName = k + 1 < toks.size() ? toks[k + 1].text.toLower() : QString();
                    if (!schema.isEmpty()) {
                        out += schema;
                        r.tables << schema + u'.' + tableName;
                    } else {
                        out += t.text;
                        r.tables << w + u'.' + tableName;
                    }
                    noteTable(r.tables.back());
                    // copy "." and the table name
                    for (size_t m = i + 1; m <= k + 1 && m < toks.size(); ++m)
                        out += toks[m].type == Tok::Ident || toks[m].type == Tok::Punct ? toks[m].text : toks[m].text;
                    i = k + 1;
                } else if (!defaultSchema.isEmpty() && !cteNames.contains(w)) {
                    const QString q = qualified(defaultSchema, w);
                    r.tables << q;
                    out += q;
                    noteTable(q);
                } else {
                    r.tables << w;
                    out += t.text;
                    noteTable(w);
                }
                prevWord = w;
                break;
            }
            if (w == u"from" || w == u"join") {
                lv.inFromList = true;
                lv.expectTable = true;
                lv.afterTable = false;
            } else if (w == u"update" || w == u"into") {
                lv.inFromList = false;
                lv.expectTable = true;
                lv.afterTable = false;
            } else if (w == u"as" && prevWord != QString() && stack.size() >= 1) {
                // "WITH name AS (": a common table expression is not qualified.
                size_t k = nextSignificant(i);
                if (k < toks.size() && toks[k].type == Tok::Punct && toks[k].text == u"(" && !lv.inFromList)
                    cteNames.insert(prevWord);
                lv.expectTable = false;
            } else if (fromListEnd().contains(w)) {
                lv.inFromList = false;
                lv.expectTable = lv.afterTable = false;
            } else if (lv.afterTable && !notAnAlias().contains(w)) {
                lv.afterTable = false; // the table's alias
                if (firstPending && stack.size() == 1) {
                    r.firstTableAlias = t.text;
                    firstPending = false;
                }
            } else if (w == u"on" || w == u"using") {
                lv.afterTable = false;
            }
            out += t.text;
            if (w == u"select" && stack.size() == 1 && r.selectListPos < 0)
                r.selectListPos = int(out.size());
            if (lv.expectTable || (!lv.afterTable && w != u"as"))
                firstPending = false;
            prevWord = w;
            break;
        }
        }
    }
    // Trailing ";" and blanks.
    while (!out.isEmpty() && (out.back().isSpace() || out.back() == u';'))
        out.chop(1);
    r.sql = out;
    return r;
}

} // namespace tarix::db
