// Placeholder: the real filter parser replaces this file.
#include "platform/db/filter_expr.h"

namespace tarix::db {

FilterExpression::FilterExpression() = default;

FilterExpression FilterExpression::parse(const QString &text)
{
    if (text.trimmed().isEmpty())
        return {};
    throw FilterSyntaxError(QStringLiteral("not implemented"));
}

bool FilterExpression::isEmpty() const { return true; }

bool FilterExpression::matches(const std::function<QVariant(const QString &)> &) const { return true; }

QStringList FilterExpression::fieldNames() const { return {}; }

} // namespace tarix::db
