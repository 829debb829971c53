#include "reports/recap/recap_blocks.h"

#include "core/session.h"
#include "reports/report_query.h"

namespace tarix::reports::recap {

using namespace Qt::Literals::StringLiterals;

void Riadok(std::vector<rpt::LayoutItem> &items, const QString &meno, double y, const QString &popis,
            const QString &jednotka, bool tucne)
{
    items.push_back(rpt::rectangle(u"QRS_"_s + meno, {0, y, kSirka, 7}));
    items.push_back(rpt::label(u"QRL_"_s + meno, {2, y + 1.5, 140, 4}, popis, tucne ? kArial8b : kArial8));
    items.push_back(filledLabel(meno, {144, y + 1.2, 34, 4.5}, tucne ? kArial9b : kArial9, Qt::AlignRight));
    if (!jednotka.isEmpty())
        items.push_back(rpt::label(u"QRL_j_"_s + meno, {179, y + 1.5, 10, 4}, jednotka, kArial8));
}

void boxFields(std::vector<rpt::LayoutItem> &items, const QString &predpona, int n, double x, double y, double w)
{
    for (int i = 1; i <= n; ++i) {
        const QString k = predpona + QString::number(i);
        items.push_back(rpt::rectangle(u"QRS_"_s + k, {x + (i - 1) * w, y, w, 6}));
        items.push_back(filledLabel(k, {x + (i - 1) * w + 0.5, y + 1, w - 1, 4.5}, kArial9, Qt::AlignHCenter));
    }
}

void setRecapBox(rpt::ReportForm &form, const QString &meno, const QString &text)
{
    if (auto *l = form.findAs<rpt::ReportLabel>(meno))
        l->caption = text;
}

void fillBoxes(rpt::ReportForm &form, const QString &predpona, int n, const QString &text)
{
    for (int i = 1; i <= n; ++i)
        setRecapBox(form, predpona + QString::number(i), i <= text.size() ? text.mid(i - 1, 1) : QString());
}

void prepareInformation(db::Query &q)
{
    prepareQuery(q, u"T0_"_s, core::kAliasData, u"select * from inf"_s);
}

} // namespace tarix::reports::recap
