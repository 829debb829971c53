#include "platform/report/expression.h"
#include "platform/errors.h"
#include "platform/report/maskformat.h"
#include <vector>

namespace tarix::rpt {

struct Expression::Node {
    enum Kind { Number, Text, Field, Add, Sub, Eq, Or, Neg, Sum, Count, If };
    Kind kind;
    double number = 0;
    QString text;         // Text value, or Field name
    QString qualifier;    // Field source
    std::vector<std::unique_ptr<Node>> args;
    double sum = 0;       // Sum accumulator
    qint64 count = 0;     // Count accumulator

    explicit Node(Kind k) : kind(k) {}
};

namespace {

using Node = Expression::Node;

struct Token {
    enum Type { End, Number, Text, Ident, Op } type = End;
    QString text;
    double number = 0;
    int pos = 0;
};

class Parser {
public:
    explicit Parser(const QString &s) : m_s(s) { advance(); }

    std::unique_ptr<Node> parseAll()
    {
        auto n = parseOr();
        if (m_tok.type != Token::End)
            fail();
        return n;
    }

    bool aggregates = false;

private:
    [[noreturn]] void fail() const
    {
        throw EMyError(QStringLiteral("Chybný výraz v tlačovej zostave: %1").arg(m_s));
    }

    void advance()
    {
        while (m_i < m_s.size() && m_s[m_i].isSpace())
            ++m_i;
        m_tok = Token();
        m_tok.pos = m_i;
        if (m_i >= m_s.size())
            return;
        const QChar c = m_s[m_i];
        if (c.isDigit() || (c == QLatin1Char('.') && m_i + 1 < m_s.size() && m_s[m_i + 1].isDigit())) {
            int j = m_i;
            while (j < m_s.size() && (m_s[j].isDigit() || m_s[j] == QLatin1Char('.')))
                ++j;
            bool ok = false;
            m_tok.number = m_s.mid(m_i, j - m_i).toDouble(&ok);
            if (!ok)
                fail();
            m_tok.type = Token::Number;
            m_i = j;
            return;
        }
        if (c == QLatin1Char('\'')) {
            QString t;
            int j = m_i + 1;
            for (;;) {
                if (j >= m_s.size())
                    fail();
                if (m_s[j] == QLatin1Char('\'')) {
                    if (j + 1 < m_s.size() && m_s[j + 1] == QLatin1Char('\'')) {
                        t += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                t += m_s[j++];
            }
            m_tok.type = Token::Text;
            m_tok.text = t;
            m_i = j + 1;
            return;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            int j = m_i;
            while (j < m_s.size() && (m_s[j].isLetterOrNumber() || m_s[j] == QLatin1Char('_') || m_s[j] == QLatin1Char('.')))
                ++j;
            m_tok.type = Token::Ident;
            m_tok.text = m_s.mid(m_i, j - m_i);
            m_i = j;
            return;
        }
        if (QStringLiteral("+-=(),").contains(c)) {
            m_tok.type = Token::Op;
            m_tok.text = c;
            ++m_i;
            return;
        }
        fail();
    }

    bool isOp(const char *op) const { return m_tok.type == Token::Op && m_tok.text == QLatin1String(op); }
    bool isWord(const char *w) const
    {
        return m_tok.type == Token::Ident && m_tok.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }
    void expectOp(const char *op)
    {
        if (!isOp(op))
            fail();
        advance();
    }

    static std::unique_ptr<Node> binary(Node::Kind k, std::unique_ptr<Node> l, std::unique_ptr<Node> r)
    {
        auto n = std::make_unique<Node>(k);
        n->args.push_back(std::move(l));
        n->args.push_back(std::move(r));
        return n;
    }

    std::unique_ptr<Node> parseOr()
    {
        auto l = parseEq();
        while (isWord("OR")) {
            advance();
            l = binary(Node::Or, std::move(l), parseEq());
        }
        return l;
    }

    std::unique_ptr<Node> parseEq()
    {
        auto l = parseAdd();
        if (isOp("=")) {
            advance();
            l = binary(Node::Eq, std::move(l), parseAdd());
        }
        return l;
    }

    std::unique_ptr<Node> parseAdd()
    {
        auto l = parseUnary();
        while (isOp("+") || isOp("-")) {
            const Node::Kind k = isOp("+") ? Node::Add : Node::Sub;
            advance();
            l = binary(k, std::move(l), parseUnary());
        }
        return l;
    }

    std::unique_ptr<Node> parseUnary()
    {
        if (isOp("-")) {
            advance();
            auto n = std::make_unique<Node>(Node::Neg);
            n->args.push_back(parseUnary());
            return n;
        }
        if (isOp("+")) {
            advance();
            return parseUnary();
        }
        return parsePrimary();
    }

    std::unique_ptr<Node> parsePrimary()
    {
        if (m_tok.type == Token::Number) {
            auto n = std::make_unique<Node>(Node::Number);
            n->number = m_tok.number;
            advance();
            return n;
        }
        if (m_tok.type == Token::Text) {
            auto n = std::make_unique<Node>(Node::Text);
            n->text = m_tok.text;
            advance();
            return n;
        }
        if (isOp("(")) {
            advance();
            auto n = parseOr();
            expectOp(")");
            return n;
        }
        if (m_tok.type != Token::Ident)
            fail();
        if (isWord("SUM")) {
            advance();
            expectOp("(");
            auto n = std::make_unique<Node>(Node::Sum);
            n->args.push_back(parseOr());
            expectOp(")");
            aggregates = true;
            return n;
        }
        if (isWord("COUNT")) {
            advance();
            if (isOp("(")) {
                advance();
                expectOp(")");
            }
            aggregates = true;
            return std::make_unique<Node>(Node::Count);
        }
        if (isWord("IF")) {
            advance();
            expectOp("(");
            auto n = std::make_unique<Node>(Node::If);
            n->args.push_back(parseOr());
            expectOp(",");
            n->args.push_back(parseOr());
            expectOp(",");
            n->args.push_back(parseOr());
            expectOp(")");
            return n;
        }
        auto n = std::make_unique<Node>(Node::Field);
        const QString name = m_tok.text;
        const int dot = name.indexOf(QLatin1Char('.'));
        if (dot == 0 || dot == name.size() - 1 || name.indexOf(QLatin1Char('.'), dot + 1) >= 0)
            fail();
        if (dot > 0) {
            n->qualifier = name.left(dot);
            n->text = name.mid(dot + 1);
        } else {
            n->text = name;
        }
        advance();
        return n;
    }

    QString m_s;
    int m_i = 0;
    Token m_tok;
};

bool isNull(const QVariant &v) { return !v.isValid() || v.isNull(); }

double toNumber(const QVariant &v)
{
    if (isNull(v))
        return 0;
    if (v.typeId() == QMetaType::QString) {
        QString s = v.toString().trimmed();
        s.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok ? d : 0;
    }
    return v.toDouble();
}

bool numericLike(const QVariant &v) { return isNull(v) || isNumeric(v) || v.typeId() == QMetaType::Bool; }

QVariant eval(const Node &n, const FieldResolver &fields)
{
    switch (n.kind) {
    case Node::Number:
        return n.number;
    case Node::Text:
        return n.text;
    case Node::Field:
        return fields(n.qualifier, n.text);
    case Node::Neg:
        return -toNumber(eval(*n.args[0], fields));
    case Node::Add: {
        const QVariant a = eval(*n.args[0], fields);
        const QVariant b = eval(*n.args[1], fields);
        if (numericLike(a) && numericLike(b))
            return toNumber(a) + toNumber(b);
        return formatValue(QString(), a) + formatValue(QString(), b);
    }
    case Node::Sub:
        return toNumber(eval(*n.args[0], fields)) - toNumber(eval(*n.args[1], fields));
    case Node::Eq: {
        const QVariant a = eval(*n.args[0], fields);
        const QVariant b = eval(*n.args[1], fields);
        if (numericLike(a) && numericLike(b))
            return toNumber(a) == toNumber(b);
        return formatValue(QString(), a) == formatValue(QString(), b);
    }
    case Node::Or:
        return Expression::truth(eval(*n.args[0], fields)) || Expression::truth(eval(*n.args[1], fields));
    case Node::If:
        return Expression::truth(eval(*n.args[0], fields)) ? eval(*n.args[1], fields) : eval(*n.args[2], fields);
    case Node::Sum:
        return n.sum;
    case Node::Count:
        return n.count;
    }
    return {};
}

void accumulateNode(Node &n, const FieldResolver &fields)
{
    if (n.kind == Node::Sum) {
        n.sum += toNumber(eval(*n.args[0], fields));
        return;   // a SUM inside SUM is not meaningful; its argument is read as is
    }
    if (n.kind == Node::Count) {
        ++n.count;
        return;
    }
    for (auto &a : n.args)
        accumulateNode(*a, fields);
}

void resetNode(Node &n)
{
    n.sum = 0;
    n.count = 0;
    for (auto &a : n.args)
        resetNode(*a);
}

} // namespace

Expression::Expression(const QString &text) : m_text(text)
{
    Parser p(text);
    m_root = p.parseAll();
    m_aggregates = p.aggregates;
}

Expression::~Expression() = default;
Expression::Expression(Expression &&) noexcept = default;
Expression &Expression::operator=(Expression &&) noexcept = default;

QVariant Expression::evaluate(const FieldResolver &fields) const { return eval(*m_root, fields); }

void Expression::accumulate(const FieldResolver &fields)
{
    if (m_aggregates)
        accumulateNode(*m_root, fields);
}

void Expression::reset() { resetNode(*m_root); }

bool Expression::truth(const QVariant &v)
{
    if (isNull(v))
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isNumeric(v))
        return v.toDouble() != 0;
    return !v.toString().isEmpty();
}

} // namespace tarix::rpt
