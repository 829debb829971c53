#pragma once
// Dataset filter texts, e.g.
//   "(Vystup=null or Vystup>='1.1.2007') and Nastup<='31.1.2007' and 1<=sid and sid<=99"
//
// Grammar: comparisons `operand op operand` with op one of = <> < <= > >=, joined by
// and / or / not (any case; not binds tighter than and, and tighter than or) and grouped
// by parentheses. An operand is a field name (letters, digits, '_'; any case), a number
// (digits with an optional decimal point, optionally preceded by '-'), a string in single
// quotes ('' inside stands for one quote), null, True or False (any case). A literal may
// stand on either side.
//
// Values (what value(field) returns): a null QVariant or an empty QString for a blank,
// QString, any integer type, double, bool, QDate (a QDateTime counts as its date). A blank
// text should come as an empty QString (or a null QVariant of type QString), a blank
// logical as a null QVariant of type bool, so the rules below can tell them apart.
//
// Comparison rules:
//  - Texts compare in character-code order, case-sensitive, not by locale.
//  - A date with a string: the string is a date "d.M.yyyy" (or "yyyy-MM-dd").
//  - A number with a string that holds a number ('.' as decimal point): numerically. A
//    number field with a string literal that is not a number is an error; a text field
//    holding a non-number compared with a number literal compares as text with the
//    literal as written.
//  - A logical compares with True/False, with 0/1 and with 'True'/'False'; False < True.
//  - Any other mixture of types is an error when a literal is involved (the filter text
//    is wrong) and simply false between two fields.
// Blank (null) rules:
//  - `null` and '' are the blank literals: `X=null` / `X=''` is true exactly when X is
//    blank, `X<>null` / `X<>''` when it is not; in ordering the blank is less than every
//    value (`X>null` = not blank, `X>=null` always true).
//  - A blank text is the empty text: it equals '', and is less than every other text
//    (so `cislo_u=''` keeps blanks and `cislo_u<>''` drops them).
//  - A blank logical reads as False (`Tlacit<>False` drops blanks, `dan_zrazkou=False`
//    keeps them); so does an untyped blank compared with True/False.
//  - A blank number or date (or an untyped blank) compared with any non-blank value is
//    false for every operator, <> included: "d_vyrovnanie<>0" and "Nastup<='31.1.2007'"
//    skip rows where the field is blank, and "Vystup=null or Vystup>='1.1.2007'" keeps
//    blanks through its null test only. Two blanks are equal.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <stdexcept>

namespace tarix::db {

class FilterSyntaxError : public std::runtime_error {
public:
    FilterSyntaxError(const QString &filterText, qsizetype position, const QString &problem);
    // The whole message: names the filter text, the position and the problem.
    const QString &message() const noexcept { return m_message; }
    const QString &filterText() const noexcept { return m_filterText; }
    // 0-based index into the filter text.
    qsizetype position() const noexcept { return m_position; }

private:
    QString m_message;
    QString m_filterText;
    qsizetype m_position;
};

class FilterExpression {
public:
    FilterExpression(); // empty: matches every row
    // A blank text gives the empty expression. Throws FilterSyntaxError.
    static FilterExpression parse(const QString &text);

    bool isEmpty() const;
    const QString &text() const;

    // value(fieldName) gives the field's value; field names are passed as written in the
    // text and are to be compared without case. An exception from value() (an unknown
    // field) propagates. A literal that does not fit the field's type (a date that is not
    // a date) throws FilterSyntaxError here, as only now the field's type is known.
    bool matches(const std::function<QVariant(const QString &field)> &value) const;

    // The fields the text refers to, each once (first spelling), in order of appearance.
    QStringList fieldNames() const;

    struct Impl;

private:
    std::shared_ptr<const Impl> m_impl;
};

} // namespace tarix::db
