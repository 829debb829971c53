#pragma once
// Expressions of the report engine: field references ("Q0_.N_brutto" or a bare name),
// numbers, 'texts', + - = OR, parentheses, SUM(...), COUNT and IF(cond, a, b).
//
// Aggregates keep their own running values: accumulate() adds the current row (SUM of its
// argument, nulls as 0; COUNT by one), evaluate() reads them, reset() restarts them.
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace tarix::rpt {

// Returns a field's value; `qualifier` is the source name before the dot (empty for a
// bare name). Throws EMyError for an unknown field.
using FieldResolver = std::function<QVariant(const QString &qualifier, const QString &field)>;

class Expression {
public:
    struct Node;

    // Throws EMyError with the expression's text when it cannot be read.
    explicit Expression(const QString &text);
    ~Expression();
    Expression(Expression &&) noexcept;
    Expression &operator=(Expression &&) noexcept;

    const QString &text() const { return m_text; }
    bool hasAggregates() const { return m_aggregates; }

    QVariant evaluate(const FieldResolver &fields) const;
    void accumulate(const FieldResolver &fields);
    void reset();

    // Truth of a value as IF and OR read it: true, a non-zero number, a non-empty text.
    static bool truth(const QVariant &v);

private:
    QString m_text;
    std::unique_ptr<Node> m_root;
    bool m_aggregates = false;
};

} // namespace tarix::rpt
