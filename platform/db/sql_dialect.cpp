#include "platform/db/sql_dialect.h"

#include "platform/db/db_error.h"

#include <QHash>
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

bool identifierStart(QChar c) { return c.isLetter() || c == u'_'; }
bool identifierPart(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

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
        } else if (c == u':' && j < n && identifierStart(s[j])) {
            while (j < n && identifierPart(s[j]))
                ++j;
            out.push_back({Tok::Param, s.mid(i + 1, j - i - 1).toLower()});
        } else if (identifierStart(c)) {
            while (j < n && identifierPart(s[j]))
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
    bool inCast = false;      // inside cast( ... ): the word after "as" is a type
    bool inFromList = false;  // between FROM and the end of its table list
    bool expectTable = false; // the next name is a table
    bool afterTable = false;  // just after a table name (an alias may follow)
    QString wordBefore;       // the word before this level's "(" (lower case)
    // Inside this level's ORDER BY (server target): where the current term's text ends in
    // the output (-1: no term yet), and what the term said of its direction and blanks.
    bool inOrderBy = false;
    qsizetype termEnd = -1;
    bool termDesc = false;
    bool termNulls = false;
};

// Rewrites one text in a single pass over its tokens. What a name is (a table, a table's
// alias, a common table expression) follows from where it stands: the stack holds one Level
// per open parenthesis. Each rewrite of the dialect is a step of its own below.
class Rewriter {
public:
    Rewriter(const QString &text, const SqlRewriteContext &ctx);
    SqlRewrite run();

private:
    // ---- the steps of the dialect ----
    void writeLiteral(const QString &body);
    void writeQuoted(const Token &t);
    void writeAliasTable(const QString &alias, const QString &table);
    QString qualified(const QString &schema, const QString &table) const;
    void writeParameter(const QString &name);
    size_t writeTableName(size_t i);
    size_t writeSchemaTable(size_t i, size_t dot);
    bool isForUpdate(size_t i) const;
    size_t dropForUpdate(size_t i);
    bool isTrailingSemicolon(size_t i) const;
    void dropTrailing();
    void endOrderTerm(size_t i);
    void noteOrderToken(size_t i);
    void finishOrderTerm(Level &lv);

    // ---- position in the statement ----
    void writeWord(size_t i);
    void writePunct(size_t i);
    void leaveTablePosition();
    void noteTable(const QString &qualifiedName);
    Level &level() { return m_stack.back(); }
    size_t nextSignificant(size_t i) const;
    QString schemaOf(const QString &alias) const;
    bool postgres() const { return m_ctx.target == SqlTarget::PostgreSql; }
    QString serverWord(size_t i, const QString &lower) const;

    const QString &m_text;
    const SqlRewriteContext &m_ctx;
    QString m_defaultSchema;
    std::vector<Token> m_toks;
    SqlRewrite m_r;
    QString m_out;
    std::vector<Level> m_stack{Level{}};
    QSet<QString> m_cteNames;
    QString m_prevWord;         // last word seen (lower case), for "WITH name AS ("
    bool m_firstPending = false; // the first outer table was just written; its alias may follow
};

Rewriter::Rewriter(const QString &text, const SqlRewriteContext &ctx) : m_text(text), m_ctx(ctx)
{
    if (!ctx.defaultAlias.isEmpty()) {
        m_defaultSchema = schemaOf(ctx.defaultAlias);
        if (m_defaultSchema.isEmpty())
            throw DbError(QStringLiteral("Neznámy alias %1").arg(ctx.defaultAlias));
    }
    m_toks = blankComparisons(tokenize(text));
}

SqlRewrite Rewriter::run()
{
    for (size_t i = 0; i < m_toks.size(); ++i) {
        const Token &t = m_toks[i];
        switch (t.type) {
        case Tok::Space:
        case Tok::Comment:
            m_out += t.text;
            continue;
        default:
            break;
        }
        if (postgres())
            endOrderTerm(i);
        const size_t first = i;
        switch (t.type) {
        case Tok::Space:
        case Tok::Comment:
            break;
        case Tok::String:
            writeLiteral(t.text);
            break;
        case Tok::Quoted:
            writeQuoted(t);
            break;
        case Tok::Param:
            writeParameter(t.text);
            break;
        case Tok::Number:
            m_out += t.text;
            leaveTablePosition();
            break;
        case Tok::Punct:
            writePunct(i);
            break;
        case Tok::Ident:
            if (isForUpdate(i))
                i = dropForUpdate(i);
            else if (level().expectTable)
                i = writeTableName(i);
            else
                writeWord(i);
            break;
        }
        if (postgres())
            noteOrderToken(first);
    }
    for (auto lv = m_stack.rbegin(); lv != m_stack.rend(); ++lv)
        finishOrderTerm(*lv);
    dropTrailing();
    m_r.sql = m_out;
    return std::move(m_r);
}

// A string literal, single-quoted for SQLite whichever quote the program used.
void Rewriter::writeLiteral(const QString &body)
{
    m_out += u'\'' + QString(body).replace(u'\'', QStringLiteral("''")) + u'\'';
    leaveTablePosition();
}

// A double-quoted token: ":alias:table" names a table, anything else is a literal.
void Rewriter::writeQuoted(const Token &t)
{
    static const QRegularExpression aliasForm(QStringLiteral("^:([^:]+):(.+)$"));
    const auto m = aliasForm.match(t.text);
    if (m.hasMatch())
        writeAliasTable(m.captured(1), m.captured(2));
    else
        writeLiteral(t.text);
}

// ":alias:table" becomes schema.table, the table named as stored.
void Rewriter::writeAliasTable(const QString &alias, const QString &table)
{
    const QString schema = schemaOf(alias);
    if (schema.isEmpty())
        throw DbError(QStringLiteral("Neznámy alias %1 v príkaze SQL: %2").arg(alias, m_text));
    const QString q = qualified(schema, normalizeTableName(table));
    m_r.tables << q;
    m_out += q;
    Level &lv = level();
    if (lv.expectTable) {
        lv.expectTable = false;
        lv.afterTable = true;
        noteTable(q);
    }
}

// schema.table; dual and dual12 fall back to the built-in one-row and twelve-row tables
// when the schema has none of its own.
QString Rewriter::qualified(const QString &schema, const QString &table) const
{
    if ((table == u"dual" || table == u"dual12") && m_ctx.hasTable && !m_ctx.hasTable(schema, table))
        return (postgres() ? QStringLiteral("tarix.") : QStringLiteral("main.")) + table;
    return schema + u'.' + table;
}

// Parameters are set by name without regard to case: written and listed in lower case.
void Rewriter::writeParameter(const QString &name)
{
    qsizetype k = m_r.parameters.indexOf(name);
    if (k < 0) {
        k = m_r.parameters.size();
        m_r.parameters << name;
    }
    if (postgres())
        m_out += u'$' + QString::number(k + 1);
    else
        m_out += u':' + name;
    leaveTablePosition();
}

// The name in a table position: qualified with the default alias's schema unless it names
// a common table expression or no default alias is set. Returns the last token used.
size_t Rewriter::writeTableName(size_t i)
{
    const Token &t = m_toks[i];
    const QString w = t.text.toLower();
    Level &lv = level();
    lv.expectTable = false;
    lv.afterTable = true;
    m_prevWord = w;
    const size_t next = nextSignificant(i);
    if (next < m_toks.size() && m_toks[next].type == Tok::Punct && m_toks[next].text == u".")
        return writeSchemaTable(i, next);
    if (!m_defaultSchema.isEmpty() && !m_cteNames.contains(w)) {
        const QString q = qualified(m_defaultSchema, w);
        m_r.tables << q;
        m_out += q;
        noteTable(q);
    } else {
        m_r.tables << w;
        m_out += t.text;
        noteTable(w);
    }
    return i;
}

// "name.table" written out in a table position: a name the context knows as an alias maps to
// its schema, any other stays as written. Returns the last token used (the table's).
size_t Rewriter::writeSchemaTable(size_t i, size_t dot)
{
    const Token &t = m_toks[i];
    const QString schema = m_ctx.schemaOf ? m_ctx.schemaOf(t.text) : QString();
    const QString table = dot + 1 < m_toks.size() ? m_toks[dot + 1].text.toLower() : QString();
    if (!schema.isEmpty()) {
        m_out += schema;
        m_r.tables << schema + u'.' + table;
    } else {
        m_out += t.text;
        m_r.tables << t.text.toLower() + u'.' + table;
    }
    noteTable(m_r.tables.back());
    for (size_t m = i + 1; m <= dot + 1 && m < m_toks.size(); ++m)
        m_out += m_toks[m].text;
    return dot + 1;
}

// "for update" of the outermost statement.
bool Rewriter::isForUpdate(size_t i) const
{
    if (m_stack.size() != 1 || m_toks[i].text.toLower() != u"for")
        return false;
    const size_t next = nextSignificant(i);
    return next < m_toks.size() && m_toks[next].type == Tok::Ident && m_toks[next].text.toLower() == u"update";
}

// "for update of a, b" up to the statement's end is dropped: the query is live instead, its
// rows written back by rowid. Notes the columns; returns the last token dropped.
size_t Rewriter::dropForUpdate(size_t i)
{
    m_r.forUpdate = true;
    bool afterOf = false;
    size_t e = nextSignificant(i) + 1;
    for (; e < m_toks.size(); ++e) {
        const Token &u = m_toks[e];
        if (u.type == Tok::Punct && u.text == u";")
            break;
        if (u.type != Tok::Ident)
            continue;
        if (u.text.toLower() == u"of")
            afterOf = true;
        else if (afterOf)
            m_r.forUpdateColumns << u.text.toLower();
    }
    return e - 1;
}

// A ";" followed by nothing but blanks and comments ends the text and is dropped; of a run of
// semicolons only the last before further text is kept.
bool Rewriter::isTrailingSemicolon(size_t i) const
{
    const size_t next = nextSignificant(i);
    return next >= m_toks.size() || (m_toks[next].type == Tok::Punct && m_toks[next].text == u";");
}

// Blanks and semicolons at the very end (a ";" on a line of its own, a dropped "for update").
void Rewriter::dropTrailing()
{
    while (!m_out.isEmpty() && (m_out.back().isSpace() || m_out.back() == u';'))
        m_out.chop(1);
}

// A keyword or other word outside a table position: follows FROM lists, INTO and UPDATE,
// common table expressions, table aliases and the start of the outermost select list.
void Rewriter::writeWord(size_t i)
{
    const Token &t = m_toks[i];
    const QString w = t.text.toLower();
    Level &lv = level();
    if (w == u"from" || w == u"join") {
        lv.inFromList = true;
        lv.expectTable = true;
        lv.afterTable = false;
    } else if (w == u"update" || w == u"into") {
        lv.inFromList = false;
        lv.expectTable = true;
        lv.afterTable = false;
    } else if (w == u"as" && !m_prevWord.isEmpty()) {
        // "WITH name AS (": a common table expression is not qualified.
        const size_t next = nextSignificant(i);
        if (next < m_toks.size() && m_toks[next].type == Tok::Punct && m_toks[next].text == u"("
            && !lv.inFromList)
            m_cteNames.insert(m_prevWord);
        lv.expectTable = false;
    } else if (fromListEnd().contains(w)) {
        lv.inFromList = false;
        lv.expectTable = lv.afterTable = false;
    } else if (lv.afterTable && !notAnAlias().contains(w)) {
        lv.afterTable = false; // the table's alias
        if (m_firstPending && m_stack.size() == 1) {
            m_r.firstTableAlias = t.text;
            m_firstPending = false;
        }
    } else if (w == u"on" || w == u"using") {
        lv.afterTable = false;
    }
    m_out += postgres() ? serverWord(i, w) : t.text;
    if (w == u"select" && m_stack.size() == 1 && m_r.selectListPos < 0)
        m_r.selectListPos = int(m_out.size());
    if (lv.expectTable || (!lv.afterTable && w != u"as"))
        m_firstPending = false;
    m_prevWord = w;
}

// Parentheses open and close a level; a comma in a FROM list announces the next table.
void Rewriter::writePunct(size_t i)
{
    const QChar c = m_toks[i].text[0];
    if (c == u';') {
        if (!isTrailingSemicolon(i))
            m_out += c;
        return;
    }
    m_out += c;
    Level &lv = level();
    if (c == u'(') {
        lv.expectTable = lv.afterTable = false;
        Level inner;
        inner.inCast = m_prevWord == u"cast";
        inner.wordBefore = m_prevWord;
        m_prevWord.clear();
        m_stack.push_back(inner);
    } else if (c == u')') {
        if (m_stack.size() > 1) {
            // "WITH name(columns) AS (": the word before a closed list is the last word seen,
            // so the name and not a column is taken for the common table expression.
            m_prevWord = m_stack.back().wordBefore;
            m_stack.pop_back();
        }
        level().afterTable = level().inFromList; // "(subquery) alias"
    } else if (c == u',') {
        if (lv.inFromList) {
            lv.expectTable = true;
            lv.afterTable = false;
        }
    } else {
        leaveTablePosition();
    }
}

// SQLite sorts blanks (NULL) before every value, the server after them. On the server each
// term of an ORDER BY (of a statement, a sub-select, a window or an aggregate) gets the
// embedded order written out: NULLS FIRST ascending, NULLS LAST descending, unless the term
// says its own. A term ends at a comma of its level, at the level's ")" and at what may
// follow an ORDER BY (LIMIT, OFFSET, a window frame, ...).
void Rewriter::endOrderTerm(size_t i)
{
    static const QSet<QString> kAfterOrder{
        QStringLiteral("limit"), QStringLiteral("offset"),    QStringLiteral("for"),
        QStringLiteral("rows"),  QStringLiteral("range"),     QStringLiteral("groups"),
        QStringLiteral("fetch"), QStringLiteral("union"),     QStringLiteral("intersect"),
        QStringLiteral("except")};
    Level &lv = level();
    if (!lv.inOrderBy)
        return;
    const Token &t = m_toks[i];
    const bool comma = t.type == Tok::Punct && t.text == u",";
    const bool end = (t.type == Tok::Punct && (t.text == u")" || t.text == u";"))
                     || (t.type == Tok::Ident && kAfterOrder.contains(t.text.toLower()));
    if (!comma && !end)
        return;
    finishOrderTerm(lv);
    lv.inOrderBy = !end;
}

// After a token (the first of those just written): "ORDER BY" opens a list of terms; a term's
// text reaches to the last token written within it, inner levels included.
void Rewriter::noteOrderToken(size_t i)
{
    const Token &t = m_toks[i];
    const QString w = t.type == Tok::Ident ? t.text.toLower() : QString();
    Level &lv = level();
    if (w == u"by") {
        qsizetype k = qsizetype(i) - 1;
        while (k >= 0 && (m_toks[size_t(k)].type == Tok::Space || m_toks[size_t(k)].type == Tok::Comment))
            --k;
        if (k >= 0 && m_toks[size_t(k)].type == Tok::Ident && m_toks[size_t(k)].text.toLower() == u"order") {
            lv.inOrderBy = true;
            lv.termEnd = -1;
            lv.termDesc = lv.termNulls = false;
            return;
        }
    }
    if (lv.inOrderBy && t.type == Tok::Punct && t.text == u",")
        return; // the next term begins
    for (Level &l : m_stack)
        if (l.inOrderBy)
            l.termEnd = m_out.size();
    if (!lv.inOrderBy || w.isEmpty())
        return;
    if (w == u"desc")
        lv.termDesc = true;
    else if (w == u"asc")
        lv.termDesc = false;
    else if (w == u"nulls")
        lv.termNulls = true;
}

void Rewriter::finishOrderTerm(Level &lv)
{
    if (lv.inOrderBy && lv.termEnd >= 0 && !lv.termNulls) {
        const QString nulls = lv.termDesc ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
        const qsizetype at = lv.termEnd;
        m_out.insert(at, nulls);
        for (Level &l : m_stack)
            if (l.termEnd >= at && &l != &lv)
                l.termEnd += nulls.size();
    }
    lv.termEnd = -1;
    lv.termDesc = lv.termNulls = false;
}

// A value or operator: no table, and no alias, follows.
void Rewriter::leaveTablePosition()
{
    Level &lv = level();
    lv.expectTable = lv.afterTable = false;
}

// Every table written; the first one of the outermost statement is remembered.
void Rewriter::noteTable(const QString &qualifiedName)
{
    m_firstPending = false;
    if (m_stack.size() == 1 && m_r.firstTable.isEmpty()) {
        m_r.firstTable = qualifiedName;
        m_firstPending = true;
    }
}

size_t Rewriter::nextSignificant(size_t i) const
{
    size_t k = i + 1;
    while (k < m_toks.size() && (m_toks[k].type == Tok::Space || m_toks[k].type == Tok::Comment))
        ++k;
    return k;
}

// A word outside a table position as the server says it (see sql_dialect.h). Words after a
// "." are names (a column "x.true" stays), words before "(" functions of their own.
QString Rewriter::serverWord(size_t i, const QString &lower) const
{
    const Token &t = m_toks[i];
    const bool qualifiedName = i > 0 && m_toks[i - 1].type == Tok::Punct && m_toks[i - 1].text == u".";
    if (qualifiedName)
        return t.text;
    const size_t next = nextSignificant(i);
    const bool call = next < m_toks.size() && m_toks[next].type == Tok::Punct && m_toks[next].text == u"(";
    if (call)
        return lower == u"ifnull" ? QStringLiteral("coalesce") : t.text;
    if (m_stack.back().inCast && m_prevWord == u"as") {
        if (lower == u"real" || lower == u"float" || lower == u"double")
            return QStringLiteral("double precision");
        if (lower == u"integer" || lower == u"int")
            return QStringLiteral("bigint");
        return t.text;
    }
    if (lower == u"true")
        return QStringLiteral("1");
    if (lower == u"false")
        return QStringLiteral("0");
    return t.text;
}

QString Rewriter::schemaOf(const QString &alias) const
{
    return m_ctx.schemaOf ? m_ctx.schemaOf(alias) : alias.toLower();
}

} // namespace

namespace {

// The significant tokens of one DDL statement (no blanks, no comments).
using Tokens = std::vector<Token>;

std::vector<Tokens> ddlStatements(const QString &text)
{
    std::vector<Tokens> out(1);
    int depth = 0;
    for (const Token &t : tokenize(text)) {
        if (t.type == Tok::Space || t.type == Tok::Comment)
            continue;
        if (t.type == Tok::Punct && t.text == u"(")
            ++depth;
        else if (t.type == Tok::Punct && t.text == u")")
            --depth;
        if (depth == 0 && t.type == Tok::Punct && t.text == u";") {
            if (!out.back().empty())
                out.emplace_back();
            continue;
        }
        out.back().push_back(t);
    }
    if (out.back().empty())
        out.pop_back();
    return out;
}

bool isWord(const Token &t, const char16_t *word)
{
    return t.type == Tok::Ident && t.text.compare(QStringView(word), Qt::CaseInsensitive) == 0;
}

QString quoteLiteral(const QString &s) { return u'\'' + QString(s).replace(u'\'', QStringLiteral("''")) + u'\''; }

// Tokens written back as server text (names lower case, literals single-quoted).
QString joinTokens(const Tokens &toks, size_t from, size_t to)
{
    QString out;
    for (size_t i = from; i < to && i < toks.size(); ++i) {
        const Token &t = toks[i];
        QString piece;
        switch (t.type) {
        case Tok::Ident: piece = t.text.toLower(); break;
        case Tok::String: piece = quoteLiteral(t.text); break;
        case Tok::Quoted: piece = quoteSqlName(t.text); break;
        case Tok::Param: piece = u':' + t.text; break;
        default: piece = t.text; break;
        }
        const bool glue = out.isEmpty() || out.back() == u'(' || out.back() == u'.' || piece == u")"
                          || piece == u"," || piece == u"." || piece == u"(";
        if (!glue)
            out += u' ';
        out += piece;
    }
    return out;
}

// The server's type of a declared column type (see data/schema/README.md).
QString serverType(const QString &declared, const QString &where)
{
    const QString d = declared.toUpper();
    if (d.startsWith(u"VARCHAR") || d.startsWith(u"CHAR"))
        return declared.toLower();
    if (d == u"SMALLINT")
        return QStringLiteral("smallint");
    if (d == u"INTEGER" || d == u"INT")
        return QStringLiteral("bigint");
    if (d == u"AUTOINC_INT")
        return QStringLiteral("tarix.autoinc_int");
    if (d == u"FLOAT" || d == u"REAL" || d == u"DOUBLE" || d == u"NUMERIC")
        return QStringLiteral("double precision");
    if (d == u"MONEY_REAL")
        return QStringLiteral("tarix.money_real");
    if (d == u"LOGICAL")
        return QStringLiteral("tarix.logical");
    if (d == u"DATE")
        return QStringLiteral("date");
    if (d == u"TIME")
        return QStringLiteral("time(0)");
    if (d == u"TIMESTAMP")
        return QStringLiteral("timestamp(0)");
    if (d == u"MEMO_TEXT" || d == u"TEXT")
        return QStringLiteral("text");
    if (d == u"BLOB")
        return QStringLiteral("bytea");
    throw DbError(QStringLiteral("Neznámy typ stĺpca %1 v definícii %2").arg(declared, where));
}

// The sequence, function and trigger that fill an AUTOINC_INT field.
QStringList autoIncrement(const QString &schema, const QString &table, const QString &column)
{
    const QString name = QStringLiteral("%1.\"_autoinc_%2_%3\"").arg(schema, table, column);
    const QString seqText = quoteLiteral(name);
    return {
        QStringLiteral("CREATE SEQUENCE %1 MINVALUE 0 START 1").arg(name),
        QStringLiteral(
            "CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $body$\n"
            "BEGIN\n"
            "  IF NEW.%2 IS NULL THEN\n"
            "    NEW.%2 := nextval(%3);\n"
            "  ELSE\n"
            "    PERFORM pg_advisory_xact_lock(%3::regclass::oid::bigint);\n"
            "    PERFORM setval(%3, greatest(NEW.%2, (SELECT CASE WHEN is_called THEN last_value ELSE 0 END FROM %1)));\n"
            "  END IF;\n"
            "  RETURN NEW;\n"
            "END\n"
            "$body$")
            .arg(name, column, seqText),
        QStringLiteral("CREATE TRIGGER \"_autoinc_%1_%2\" BEFORE INSERT ON %3.%1 FOR EACH ROW EXECUTE FUNCTION %4()")
            .arg(table, column, schema, name),
    };
}

// A single key field declared INTEGER is SQLite's rowid: a value given is kept, a blank one
// gets the largest number plus one. On the server a trigger does the same, under the lock of
// the table's next key (Session::lockForNextKey), and keeps the server's rowid equal to the
// field, so that the field and the row identity stay one value as on SQLite.
QStringList rowidKey(const QString &schema, const QString &table, const QString &column)
{
    const QString function = QStringLiteral("%1.\"_rowid_%2\"").arg(schema, table);
    return {
        QStringLiteral(
            "CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $body$\n"
            "BEGIN\n"
            "  IF NEW.%2 IS NULL THEN\n"
            "    PERFORM pg_advisory_xact_lock(hashtext(TG_TABLE_SCHEMA), hashtext(TG_TABLE_NAME));\n"
            "    EXECUTE format('SELECT coalesce(max(%2), 0) + 1 FROM %I.%I', TG_TABLE_SCHEMA, TG_TABLE_NAME)\n"
            "      INTO NEW.%2;\n"
            "  END IF;\n"
            "  NEW.rowid := NEW.%2;\n"
            "  RETURN NEW;\n"
            "END\n"
            "$body$")
            .arg(function, column),
        QStringLiteral("CREATE TRIGGER \"_rowid\" BEFORE INSERT OR UPDATE ON %1.%2 FOR EACH ROW EXECUTE FUNCTION %3()")
            .arg(schema, table, function),
    };
}

QStringList createTable(const Tokens &t, const QString &schema)
{
    // CREATE TABLE name ( item, item, ... )
    if (t.size() < 5 || t[2].type != Tok::Ident || t[3].text != u"(" || t.back().text != u")")
        throw DbError(QStringLiteral("Nečitateľná definícia tabuľky: %1").arg(joinTokens(t, 0, t.size())));
    const QString table = normalizeTableName(t[2].text);
    QStringList items, autoIncs, names;
    QStringList keyColumns;              // lower case
    QHash<QString, QString> declaredOf;  // column -> declared type
    size_t i = 4;
    const size_t end = t.size() - 1;
    while (i < end) {
        size_t j = i;
        int depth = 0;
        while (j < end && !(depth == 0 && t[j].type == Tok::Punct && t[j].text == u",")) {
            if (t[j].text == u"(" && t[j].type == Tok::Punct)
                ++depth;
            else if (t[j].text == u")" && t[j].type == Tok::Punct)
                --depth;
            ++j;
        }
        if (isWord(t[i], u"PRIMARY") && i + 2 < j && isWord(t[i + 1], u"KEY")) {
            // SQLite lets key fields stay blank (and rows with a blank key field never clash),
            // as the program's tables need; a unique constraint keeps that, a primary key would not.
            if (!keyColumns.isEmpty())
                throw DbError(QStringLiteral("Tabuľka %1 má viac primárnych kľúčov").arg(table));
            items << QStringLiteral("CONSTRAINT \"%1_key\" UNIQUE %2").arg(table, joinTokens(t, i + 2, j));
            for (size_t k = i + 2; k < j; ++k)
                if (t[k].type == Tok::Ident || t[k].type == Tok::Quoted)
                    keyColumns << t[k].text.toLower();
        } else {
            // name TYPE [(n)] [NOT NULL] [COLLATE SK]
            const QString column = t[i].text.toLower();
            // The field's name as declared, which the server folds to lower case, is kept
            // in the column's comment for the dataset layer.
            if (t[i].text != column)
                names << QStringLiteral("COMMENT ON COLUMN %1.%2.%3 IS %4").arg(schema, table, column, quoteLiteral(t[i].text));
            size_t k = i + 1;
            QString declared = k < j ? t[k].text : QString();
            ++k;
            if (k < j && t[k].text == u"(") {
                while (k < j && t[k].text != u")")
                    declared += t[k++].text;
                declared += QStringLiteral(")");
                ++k;
            }
            const QString type = serverType(declared, table + u'.' + column);
            QString item = column + u' ' + type;
            declaredOf.insert(column, declared);
            if (declared.compare(u"AUTOINC_INT", Qt::CaseInsensitive) == 0)
                autoIncs << column;
            bool collated = false;
            bool keyOfItsOwn = false;
            for (; k < j; ++k) {
                if (isWord(t[k], u"PRIMARY") && k + 1 < j && isWord(t[k + 1], u"KEY")) {
                    // "name INTEGER PRIMARY KEY": the key as a constraint, as for a key clause.
                    keyOfItsOwn = true;
                    ++k;
                } else if (isWord(t[k], u"COLLATE") && k + 1 < j) {
                    if (t[k + 1].text.compare(u"SK", Qt::CaseInsensitive) != 0)
                        throw DbError(QStringLiteral("Neznáme triedenie %1 v definícii %2").arg(t[k + 1].text, table));
                    item += QStringLiteral(" COLLATE tarix.sk");
                    collated = true;
                    ++k;
                } else {
                    item += u' ' + joinTokens(t, k, k + 1).toUpper();
                }
            }
            // Other texts compare binary, as SQLite's BINARY, whatever the database's locale.
            if (!collated && (type.startsWith(u"varchar") || type.startsWith(u"char") || type == u"text"))
                item += QStringLiteral(" COLLATE \"C\"");
            items << item;
            if (keyOfItsOwn) {
                if (!keyColumns.isEmpty())
                    throw DbError(QStringLiteral("Tabuľka %1 má viac primárnych kľúčov").arg(table));
                items << QStringLiteral("CONSTRAINT \"%1_key\" UNIQUE (%2)").arg(table, column);
                keyColumns << column;
            }
        }
        i = j + 1;
    }
    // SQLite's row identity, which live queries and exact saves use: the key field itself
    // when it is the rowid.
    const bool rowidIsKey = keyColumns.size() == 1
                            && declaredOf.value(keyColumns.front()).compare(u"INTEGER", Qt::CaseInsensitive) == 0;
    items << (rowidIsKey ? QStringLiteral("rowid bigint PRIMARY KEY")
                         : QStringLiteral("rowid bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
    QStringList out{QStringLiteral("CREATE TABLE %1.%2 (\n    %3\n)").arg(schema, table, items.join(QStringLiteral(",\n    ")))};
    if (!names.isEmpty())
        out << names.join(QStringLiteral(";\n"));
    for (const QString &c : autoIncs)
        out << autoIncrement(schema, table, c);
    if (rowidIsKey)
        out << rowidKey(schema, table, keyColumns.front());
    return out;
}

QString createIndex(const Tokens &t, const QString &schema)
{
    // CREATE [UNIQUE] INDEX "Table.NAME" ON table (columns)
    size_t i = 1;
    const bool unique = isWord(t[i], u"UNIQUE");
    if (unique)
        ++i;
    if (i + 3 >= t.size() || !isWord(t[i], u"INDEX") || !isWord(t[i + 2], u"ON"))
        throw DbError(QStringLiteral("Nečitateľná definícia indexu: %1").arg(joinTokens(t, 0, t.size())));
    const QString name = t[i + 1].text;
    const QString table = normalizeTableName(t[i + 3].text);
    return QStringLiteral("CREATE %1INDEX \"%2\" ON %3.%4 %5")
        .arg(unique ? QStringLiteral("UNIQUE ") : QString(), QString(name).replace(u'"', QStringLiteral("\"\"")),
             schema, table, joinTokens(t, i + 4, t.size()));
}

QString insertRows(const Tokens &t, const QString &schema)
{
    // INSERT INTO table ...
    if (t.size() < 4 || !isWord(t[1], u"INTO"))
        throw DbError(QStringLiteral("Nečitateľný príkaz: %1").arg(joinTokens(t, 0, t.size())));
    return QStringLiteral("INSERT INTO %1.%2 %3")
        .arg(schema, normalizeTableName(t[2].text), joinTokens(t, 3, t.size()));
}

} // namespace

QStringList postgresSchemaDdl(const QString &ddlText, const QString &schema)
{
    static const QRegularExpression plainName(QStringLiteral("^[a-z_][a-z0-9_]*$"));
    if (!plainName.match(schema).hasMatch())
        throw DbError(QStringLiteral("Nepovolený názov schémy %1").arg(schema));
    QStringList out;
    for (const Tokens &t : ddlStatements(ddlText)) {
        if (isWord(t[0], u"CREATE") && t.size() > 1 && isWord(t[1], u"TABLE"))
            out << createTable(t, schema);
        else if (isWord(t[0], u"CREATE") && t.size() > 1 && (isWord(t[1], u"INDEX") || isWord(t[1], u"UNIQUE")))
            out << createIndex(t, schema);
        else if (isWord(t[0], u"INSERT"))
            out << insertRows(t, schema);
        else
            throw DbError(QStringLiteral("Neznámy príkaz v definícii tabuliek: %1").arg(joinTokens(t, 0, t.size())));
    }
    return out;
}

QString quoteSqlName(const QString &name) { return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"'; }

QStringList splitSqlStatements(const QString &script)
{
    QStringList out;
    QString current;
    bool significant = false;
    int depth = 0;
    for (const Token &t : tokenize(script)) {
        switch (t.type) {
        case Tok::Comment: continue;
        case Tok::String: current += quoteLiteral(t.text); break;
        case Tok::Quoted: current += quoteSqlName(t.text); break;
        case Tok::Param: current += u':' + t.text; break;
        default: current += t.text; break;
        }
        if (t.type == Tok::Space)
            continue;
        if (t.type == Tok::Punct && t.text == u"(")
            ++depth;
        else if (t.type == Tok::Punct && t.text == u")")
            --depth;
        else if (depth == 0 && t.type == Tok::Punct && t.text == u";") {
            current.chop(1);
            if (significant)
                out << current.trimmed();
            current.clear();
            significant = false;
            continue;
        }
        significant = true;
    }
    if (significant)
        out << current.trimmed();
    return out;
}

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
    return Rewriter(text, ctx).run();
}

} // namespace tarix::db
