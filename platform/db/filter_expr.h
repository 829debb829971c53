#pragma once
// Placeholder of the filter-expression interface; the real parser replaces this file.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <stdexcept>

namespace tarix::db {
class FilterSyntaxError : public std::runtime_error { public: explicit FilterSyntaxError(const QString &m) : std::runtime_error(m.toStdString()) {} };
class FilterExpression {
public:
    FilterExpression();                                  // empty: matches every row
    static FilterExpression parse(const QString &text);  // throws FilterSyntaxError
    bool isEmpty() const;
    bool matches(const std::function<QVariant(const QString &field)> &value) const; // field values: null QVariant, QString, qint64/int, double, bool, QDate
    QStringList fieldNames() const;
};
}
