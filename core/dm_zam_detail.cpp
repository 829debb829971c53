#include "core/dm_zam_detail.h"

#include "core/helpers/checks.h"
#include "core/helpers/text_utils.h"
#include "platform/errors.h"

#include <stdexcept>

namespace tarix::core::employee_detail {

db::Session &dbSession()
{
    db::Session *s = db::Session::defaultSession();
    if (!s)
        throw std::logic_error("no database session");
    return *s;
}

db::SqlResult detailQuery(const QString &sql, const db::Params &params, const QString &alias)
{
    return dbSession().run(sql, params, alias);
}

void setFieldLabels(db::DataSet &ds, std::initializer_list<std::pair<const char *, const char *>> labels)
{
    for (const auto &[field, label] : labels)
        ds.declareField(QString::fromUtf8(field)).setLabel(QString::fromUtf8(label));
}

void joinLists(db::DataSource &main, std::initializer_list<db::DataSource *> lists)
{
    const QList<db::DataSource *> targets(lists);
    auto follow = [targets](db::DataSource &source) {
        const bool editing = source.dataSet() && source.dataSet()->isEditing();
        for (db::DataSource *list : targets)
            list->setEnabled(!editing);
    };
    main.onStateChange = [follow](db::DataSource &source) {
        // Switching the main source itself off (screens not shown) leaves the lists alone.
        if (source.state() != db::DataSetState::Inactive)
            follow(source);
    };
    main.onDataChange = [follow](db::DataSource &source, db::Field *) { follow(source); };
}

void setAccountCheck(db::DataSet &ds, const QString &prefix, const QString &number,
                        const QString &bank, const QString &specific)
{
    // The check digit is computed but not enforced: only text that is not a number is
    // refused (65194).
    ds.declareField(prefix).onValidate = [](db::Field &f) {
        MyConsts::Kontrola_predcislia_uctu(f.asString());
    };
    ds.declareField(number).onValidate = [](db::Field &f) {
        MyConsts::Kontrola_cisla_uctu(f.asString());
    };
    auto wholeNumber = [](db::Field &f) {
        const QString text = f.asString();
        if (!text.trimmed().isEmpty())
            MyConsts::Text_na_cele_cislo(text);
    };
    ds.declareField(bank).onValidate = wholeNumber;
    ds.declareField(specific).onValidate = wholeNumber;
}

QDate dateOrZero(const QDate &date)
{
    return date.isValid() ? date : QDate(1899, 12, 30);
}

QString joinName(const QString &a, const QString &b, const QString &c)
{
    return (a.trimmed() + u' ' + b.trimmed() + u' ' + c.trimmed()).left(100);
}

} // namespace tarix::core::employee_detail
