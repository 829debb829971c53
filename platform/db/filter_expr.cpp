#include "platform/db/filter_expr.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <limits>
#include <optional>
#include <vector>

namespace tarix::db {

FilterSyntaxError::FilterSyntaxError(const QString &filterText, qsizetype position,
                                     const QString &problem)
    : std::runtime_error(
          QStringLiteral("Chyba vo filtri \"%1\" na pozícii %2: %3")
              .arg(filterText)
              .arg(position + 1)
              .arg(problem)
              .toStdString()),
      m_message(QStringLiteral("Chyba vo filtri \"%1\" na pozícii %2: %3")
                    .arg(filterText)
                    .arg(position + 1)
                    .arg(problem)),
      m_filterText(filterText), m_position(position)
{
}

namespace {

enum class Op { Eq, Ne, Lt, Le, Gt, Ge };

struct Operand {
    enum class Kind { Field, Number, String, Null, Bool };
    Kind kind = Kind::Null;
    qsizetype position = 0;
    QString source;  // as written (field name, number text, string contents)
    bool isInteger = false;
    qint64 integer = 0;
    double real = 0;
    bool boolean = false;
    // A string literal read in the other types, worked out once at parse time.
    std::optional<QDate> asDate;
    std::optional<double> asNumber;
    std::optional<bool> asBool;
};

struct Node {
    enum class Kind { Or, And, Not, Compare };
    Kind kind = Kind::Compare;
    std::unique_ptr<Node> left;
    std::unique_ptr<Node> right;
    Op op = Op::Eq;
    Operand a;
    Operand b;
};

std::optional<QDate> parseDate(const QString &text)
{
    const QString s = text.trimmed();
    static const QRegularExpression dmy(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    QDate date;
    if (const auto m = dmy.match(s); m.hasMatch())
        date = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    else if (const auto m = iso.match(s); m.hasMatch())
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<double> parseNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    const QString s = text.trimmed();
    if (!number.match(s).hasMatch())
        return std::nullopt;
    return s.toDouble();
}

std::optional<bool> parseBool(const QString &text)
{
    const QString s = text.trimmed().toLower();
    if (s == QLatin1String("true") || s == QLatin1String("t") || s == QLatin1String("1"))
        return true;
    if (s == QLatin1String("false") || s == QLatin1String("f") || s == QLatin1String("0"))
        return false;
    return std::nullopt;
}

// ---------------------------------------------------------------- lexer and parser

struct Token {
    enum class Kind { End, Ident, Number, String, LParen, RParen, Compare, And, Or, Not, Null, True, False };
    Kind kind = Kind::End;
    qsizetype position = 0;
    QString text;
    Op op = Op::Eq;
};

class Parser {
public:
    explicit Parser(const QString &text) : m_text(text) { advance(); }

    std::unique_ptr<Node> parseAll(QStringList &fields)
    {
        m_fields = &fields;
        auto node = parseOr();
        if (m_token.kind != Token::Kind::End)
            fail(m_token.position, QStringLiteral("neočakávané \"%1\"").arg(m_token.text));
        return node;
    }

private:
    [[noreturn]] void fail(qsizetype position, const QString &problem) const
    {
        throw FilterSyntaxError(m_text, position, problem);
    }

    void advance()
    {
        const qsizetype n = m_text.size();
        while (m_pos < n && m_text.at(m_pos).isSpace())
            ++m_pos;
        m_token = Token();
        m_token.position = m_pos;
        if (m_pos >= n)
            return;
        const QChar c = m_text.at(m_pos);
        if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            m_token.kind = c == QLatin1Char('(') ? Token::Kind::LParen : Token::Kind::RParen;
            m_token.text = c;
            ++m_pos;
            return;
        }
        if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            m_token.kind = Token::Kind::Compare;
            const QChar next = m_pos + 1 < n ? m_text.at(m_pos + 1) : QChar();
            if (c == QLatin1Char('=')) {
                m_token.op = Op::Eq;
                m_pos += 1;
            } else if (c == QLatin1Char('<') && next == QLatin1Char('>')) {
                m_token.op = Op::Ne;
                m_pos += 2;
            } else if (next == QLatin1Char('=')) {
                m_token.op = c == QLatin1Char('<') ? Op::Le : Op::Ge;
                m_pos += 2;
            } else {
                m_token.op = c == QLatin1Char('<') ? Op::Lt : Op::Gt;
                m_pos += 1;
            }
            m_token.text = m_text.mid(m_token.position, m_pos - m_token.position);
            return;
        }
        if (c == QLatin1Char('\'')) {
            QString value;
            qsizetype i = m_pos + 1;
            for (;;) {
                if (i >= n)
                    fail(m_token.position, QStringLiteral("neukončený reťazec"));
                if (m_text.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && m_text.at(i + 1) == QLatin1Char('\'')) {
                        value += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += m_text.at(i);
                ++i;
            }
            m_token.kind = Token::Kind::String;
            m_token.text = value;
            m_pos = i;
            return;
        }
        const bool minus = c == QLatin1Char('-') && m_pos + 1 < n && m_text.at(m_pos + 1).isDigit();
        if (c.isDigit() || minus) {
            qsizetype i = m_pos + (minus ? 1 : 0);
            while (i < n && m_text.at(i).isDigit())
                ++i;
            if (i + 1 < n && m_text.at(i) == QLatin1Char('.') && m_text.at(i + 1).isDigit()) {
                ++i;
                while (i < n && m_text.at(i).isDigit())
                    ++i;
            }
            if (i < n && (m_text.at(i).isLetter() || m_text.at(i) == QLatin1Char('_')))
                fail(m_pos, QStringLiteral("neplatné číslo"));
            m_token.kind = Token::Kind::Number;
            m_token.text = m_text.mid(m_pos, i - m_pos);
            m_pos = i;
            return;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            qsizetype i = m_pos;
            while (i < n && (m_text.at(i).isLetterOrNumber() || m_text.at(i) == QLatin1Char('_')))
                ++i;
            m_token.text = m_text.mid(m_pos, i - m_pos);
            m_pos = i;
            const QString lower = m_token.text.toLower();
            if (lower == QLatin1String("and"))
                m_token.kind = Token::Kind::And;
            else if (lower == QLatin1String("or"))
                m_token.kind = Token::Kind::Or;
            else if (lower == QLatin1String("not"))
                m_token.kind = Token::Kind::Not;
            else if (lower == QLatin1String("null"))
                m_token.kind = Token::Kind::Null;
            else if (lower == QLatin1String("true"))
                m_token.kind = Token::Kind::True;
            else if (lower == QLatin1String("false"))
                m_token.kind = Token::Kind::False;
            else
                m_token.kind = Token::Kind::Ident;
            return;
        }
        fail(m_pos, QStringLiteral("neočakávaný znak \"%1\"").arg(c));
    }

    std::unique_ptr<Node> parseOr()
    {
        auto left = parseAnd();
        while (m_token.kind == Token::Kind::Or) {
            advance();
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::Or;
            node->left = std::move(left);
            node->right = parseAnd();
            left = std::move(node);
        }
        return left;
    }

    std::unique_ptr<Node> parseAnd()
    {
        auto left = parseNot();
        while (m_token.kind == Token::Kind::And) {
            advance();
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::And;
            node->left = std::move(left);
            node->right = parseNot();
            left = std::move(node);
        }
        return left;
    }

    std::unique_ptr<Node> parseNot()
    {
        if (m_token.kind == Token::Kind::Not) {
            advance();
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::Not;
            node->left = parseNot();
            return node;
        }
        if (m_token.kind == Token::Kind::LParen) {
            const qsizetype open = m_token.position;
            advance();
            auto inner = parseOr();
            if (m_token.kind != Token::Kind::RParen)
                fail(m_token.kind == Token::Kind::End ? open : m_token.position,
                     QStringLiteral("chýba \")\""));
            advance();
            return inner;
        }
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Compare;
        node->a = parseOperand();
        if (m_token.kind != Token::Kind::Compare)
            fail(m_token.position, QStringLiteral("očakáva sa porovnanie (=, <>, <, <=, >, >=)"));
        node->op = m_token.op;
        advance();
        node->b = parseOperand();
        return node;
    }

    Operand parseOperand()
    {
        Operand o;
        o.position = m_token.position;
        o.source = m_token.text;
        switch (m_token.kind) {
        case Token::Kind::Ident:
            o.kind = Operand::Kind::Field;
            if (!m_fields->contains(o.source, Qt::CaseInsensitive))
                m_fields->append(o.source);
            break;
        case Token::Kind::Number:
            o.kind = Operand::Kind::Number;
            o.isInteger = !o.source.contains(QLatin1Char('.'));
            if (o.isInteger) {
                bool ok = false;
                o.integer = o.source.toLongLong(&ok);
                if (!ok) // beyond 64 bits: keep it as a real number
                    o.isInteger = false;
            }
            o.real = o.source.toDouble();
            break;
        case Token::Kind::String:
            o.kind = Operand::Kind::String;
            o.asDate = parseDate(o.source);
            o.asNumber = parseNumber(o.source);
            o.asBool = parseBool(o.source);
            break;
        case Token::Kind::Null:
            o.kind = Operand::Kind::Null;
            break;
        case Token::Kind::True:
        case Token::Kind::False:
            o.kind = Operand::Kind::Bool;
            o.boolean = m_token.kind == Token::Kind::True;
            break;
        case Token::Kind::End:
            fail(m_token.position, QStringLiteral("neočakávaný koniec"));
        default:
            fail(m_token.position, QStringLiteral("očakáva sa pole alebo hodnota, nie \"%1\"").arg(m_token.text));
        }
        advance();
        return o;
    }

    const QString &m_text;
    qsizetype m_pos = 0;
    Token m_token;
    QStringList *m_fields = nullptr;
};

// ---------------------------------------------------------------- evaluation

struct Value {
    enum class Type { Blank, Text, Integer, Real, Bool, Date };
    Type type = Type::Blank;
    bool blank = false;       // a blank field, or the literal null or ''
    bool blankLiteral = false; // the literal null or ''
    const Operand *literal = nullptr; // set for literals
    QString text;
    qint64 integer = 0;
    double real = 0;
    bool boolean = false;
    QDate date;
};

Value fromVariant(const QVariant &v)
{
    Value r;
    const int type = v.metaType().id();
    if (v.isNull()) {
        r.blank = true;
        if (type == QMetaType::QString || type == QMetaType::QByteArray) {
            r.type = Value::Type::Text;
        } else if (type == QMetaType::Bool) {
            r.type = Value::Type::Bool;
        } else {
            r.type = Value::Type::Blank;
        }
        return r;
    }
    switch (type) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QChar:
        r.type = Value::Type::Text;
        r.text = v.toString();
        r.blank = r.text.isEmpty();
        break;
    case QMetaType::Bool:
        r.type = Value::Type::Bool;
        r.boolean = v.toBool();
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        r.type = Value::Type::Real;
        r.real = v.toDouble();
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        r.type = Value::Type::Integer;
        r.integer = v.toLongLong();
        break;
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong u = v.toULongLong();
        if (u > qulonglong(std::numeric_limits<qint64>::max())) {
            r.type = Value::Type::Real;
            r.real = double(u);
        } else {
            r.type = Value::Type::Integer;
            r.integer = qint64(u);
        }
        break;
    }
    case QMetaType::QDate:
        r.date = v.toDate();
        r.type = r.date.isValid() ? Value::Type::Date : Value::Type::Blank;
        r.blank = !r.date.isValid();
        break;
    case QMetaType::QDateTime:
        r.date = v.toDateTime().date();
        r.type = r.date.isValid() ? Value::Type::Date : Value::Type::Blank;
        r.blank = !r.date.isValid();
        break;
    default:
        r.type = Value::Type::Text;
        r.text = v.toString();
        r.blank = r.text.isEmpty();
        break;
    }
    return r;
}

Value fromLiteral(const Operand &o)
{
    Value r;
    r.literal = &o;
    switch (o.kind) {
    case Operand::Kind::Null:
        r.type = Value::Type::Blank;
        r.blank = r.blankLiteral = true;
        break;
    case Operand::Kind::String:
        r.type = Value::Type::Text;
        r.text = o.source;
        r.blank = r.blankLiteral = o.source.isEmpty();
        break;
    case Operand::Kind::Number:
        if (o.isInteger) {
            r.type = Value::Type::Integer;
            r.integer = o.integer;
        } else {
            r.type = Value::Type::Real;
            r.real = o.real;
        }
        break;
    case Operand::Kind::Bool:
        r.type = Value::Type::Bool;
        r.boolean = o.boolean;
        break;
    case Operand::Kind::Field:
        break;
    }
    return r;
}

bool apply(int cmp, Op op)
{
    switch (op) {
    case Op::Eq: return cmp == 0;
    case Op::Ne: return cmp != 0;
    case Op::Lt: return cmp < 0;
    case Op::Le: return cmp <= 0;
    case Op::Gt: return cmp > 0;
    case Op::Ge: return cmp >= 0;
    }
    return false;
}

template <typename T>
int threeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool isNumber(const Value &v)
{
    return v.type == Value::Type::Integer || v.type == Value::Type::Real;
}

double numberOf(const Value &v)
{
    if (v.type == Value::Type::Integer)
        return double(v.integer);
    if (v.type == Value::Type::Bool)
        return v.boolean ? 1.0 : 0.0;
    return v.real;
}

int compareNumbers(const Value &a, const Value &b)
{
    if (a.type == Value::Type::Integer && b.type == Value::Type::Integer)
        return threeWay(a.integer, b.integer);
    return threeWay(numberOf(a), numberOf(b));
}

class Evaluator {
public:
    Evaluator(const QString &text, const std::function<QVariant(const QString &)> &value)
        : m_text(text), m_value(value) {}

    bool eval(const Node &node) const
    {
        switch (node.kind) {
        case Node::Kind::Or: return eval(*node.left) || eval(*node.right);
        case Node::Kind::And: return eval(*node.left) && eval(*node.right);
        case Node::Kind::Not: return !eval(*node.left);
        case Node::Kind::Compare: return compare(node);
        }
        return false;
    }

private:
    Value valueOf(const Operand &o) const
    {
        if (o.kind == Operand::Kind::Field)
            return fromVariant(m_value(o.source));
        return fromLiteral(o);
    }

    [[noreturn]] void mismatch(const Value &a, const Value &b, const QString &problem) const
    {
        const Value &lit = a.literal ? a : b;
        throw FilterSyntaxError(m_text, lit.literal->position, problem);
    }

    // The text side read as the other side's type; nullopt when it does not read.
    std::optional<int> compareWithText(const Value &other, const Value &text, bool textOnRight) const
    {
        auto orient = [textOnRight](int cmp) { return textOnRight ? cmp : -cmp; };
        const Operand *lit = text.literal;
        switch (other.type) {
        case Value::Type::Date: {
            const std::optional<QDate> d = lit ? lit->asDate : parseDate(text.text);
            if (!d)
                return std::nullopt;
            return orient(threeWay(other.date, *d));
        }
        case Value::Type::Integer:
        case Value::Type::Real: {
            const std::optional<double> n = lit ? lit->asNumber : parseNumber(text.text);
            if (n) {
                Value num;
                num.type = Value::Type::Real;
                num.real = *n;
                return orient(compareNumbers(other, num));
            }
            // A text field holding a non-number against a number literal: as texts.
            if (!lit && other.literal)
                return orient(QString::compare(other.literal->source, text.text, Qt::CaseSensitive));
            return std::nullopt;
        }
        case Value::Type::Bool: {
            const std::optional<bool> b = lit ? lit->asBool : parseBool(text.text);
            if (!b)
                return std::nullopt;
            return orient(threeWay(int(other.boolean), int(*b)));
        }
        default:
            return std::nullopt;
        }
    }

    bool compare(const Node &node) const
    {
        Value a = valueOf(node.a);
        Value b = valueOf(node.b);

        // Tests of blankness: null and '' are the least of all values.
        if (a.blankLiteral || b.blankLiteral)
            return apply(threeWay(int(!a.blank), int(!b.blank)), node.op);

        if (a.blank && b.blank)
            return apply(0, node.op);
        // A blank text is the empty text, a blank logical is False.
        for (Value *v : {&a, &b}) {
            if (v->blank && (v->type == Value::Type::Text || v->type == Value::Type::Bool))
                v->blank = false;
        }
        if (a.blank || b.blank) {
            Value &blank = a.blank ? a : b;
            const Value &other = a.blank ? b : a;
            if (other.type != Value::Type::Bool)
                return false;
            blank.type = Value::Type::Bool;
            blank.boolean = false;
            blank.blank = false;
        }

        int cmp = 0;
        if (a.type == b.type) {
            switch (a.type) {
            case Value::Type::Text: cmp = QString::compare(a.text, b.text, Qt::CaseSensitive); break;
            case Value::Type::Integer: cmp = compareNumbers(a, b); break;
            case Value::Type::Real: cmp = compareNumbers(a, b); break;
            case Value::Type::Bool: cmp = threeWay(int(a.boolean), int(b.boolean)); break;
            case Value::Type::Date: cmp = threeWay(a.date, b.date); break;
            case Value::Type::Blank: cmp = 0; break;
            }
            return apply(cmp, node.op);
        }
        if (isNumber(a) && isNumber(b))
            return apply(compareNumbers(a, b), node.op);
        if ((a.type == Value::Type::Bool && isNumber(b)) || (isNumber(a) && b.type == Value::Type::Bool)) {
            const Value &num = isNumber(a) ? a : b;
            if (num.literal && (numberOf(num) != 0 && numberOf(num) != 1))
                mismatch(a, b, QStringLiteral("logická hodnota sa porovnáva len s 0 alebo 1"));
            return apply(threeWay(numberOf(a), numberOf(b)), node.op);
        }
        if (a.type == Value::Type::Text || b.type == Value::Type::Text) {
            const bool textOnRight = b.type == Value::Type::Text;
            const Value &text = textOnRight ? b : a;
            const Value &other = textOnRight ? a : b;
            if (const std::optional<int> r = compareWithText(other, text, textOnRight))
                return apply(*r, node.op);
            if (text.literal) {
                QString what;
                switch (other.type) {
                case Value::Type::Date: what = QStringLiteral("\"%1\" nie je dátum"); break;
                case Value::Type::Bool: what = QStringLiteral("\"%1\" nie je logická hodnota"); break;
                default: what = QStringLiteral("\"%1\" nie je číslo"); break;
                }
                throw FilterSyntaxError(m_text, text.literal->position, what.arg(text.text));
            }
            return false;
        }
        if (a.literal || b.literal)
            mismatch(a, b, QStringLiteral("nezlučiteľné typy"));
        return false;
    }

    const QString &m_text;
    const std::function<QVariant(const QString &)> &m_value;
};

} // namespace

struct FilterExpression::Impl {
    QString text;
    std::unique_ptr<Node> root;
    QStringList fields;
};

FilterExpression::FilterExpression() = default;

FilterExpression FilterExpression::parse(const QString &text)
{
    FilterExpression result;
    if (text.trimmed().isEmpty())
        return result;
    auto impl = std::make_shared<Impl>();
    impl->text = text;
    Parser parser(impl->text);
    impl->root = parser.parseAll(impl->fields);
    result.m_impl = std::move(impl);
    return result;
}

bool FilterExpression::isEmpty() const
{
    return !m_impl;
}

const QString &FilterExpression::text() const
{
    static const QString empty;
    return m_impl ? m_impl->text : empty;
}

bool FilterExpression::matches(const std::function<QVariant(const QString &field)> &value) const
{
    if (!m_impl)
        return true;
    return Evaluator(m_impl->text, value).eval(*m_impl->root);
}

QStringList FilterExpression::fieldNames() const
{
    return m_impl ? m_impl->fields : QStringList();
}

} // namespace tarix::db
