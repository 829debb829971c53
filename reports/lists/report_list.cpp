#include "reports/lists/report_list.h"

#include "core/helpers/text_utils.h"
#include "core/helpers/periods.h"
#include "core/session.h"
#include "reports/dataset_source.h"
#include "platform/db/session.h"

namespace tarix::reports::pay_lists {

rpt::FontSpec reportFont(double body, bool tucne) { return rpt::FontSpec{QStringLiteral("Arial"), body, tucne}; }
rpt::FontSpec narrowFont(double body, bool tucne) { return rpt::FontSpec{QStringLiteral("Arial Narrow"), body, tucne}; }

QString monthAndYear(int obdobie, bool velke)
{
    return MyConsts::Nazov_mesiaca(obdobie % 100, velke) + u' ' + QString::number(obdobie / 100);
}

QString nameSurnameTitle(const QString &meno, const QString &priezvisko, const QString &titul)
{
    return MyConsts::Cele_meno(meno, priezvisko, titul).left(100);
}

TReportList::TReportList()
{
    Q0_.setObjectName(QStringLiteral("Q0_"));
    Q0_.setDatabaseName(core::kAliasData);
    S0_.setDataSet(&Q0_);
    mainDataSource = &S0_;
    registerDataSource(QStringLiteral("Q0_"), &S0_);
}

TReportList::~TReportList() = default;

void TReportList::assemble(const rpt::LayoutDesc &popis, const rpt::BlockLibrary &bloky,
                           const std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> &ine)
{
    std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> zdroje{{&S0_, &Q0_}};
    zdroje.insert(zdroje.end(), ine.begin(), ine.end());
    rpt::buildReportForm(*this, popis, bloky, checkFields(zdroje));
}

rpt::ControlDesc titleBlock(rpt::Box box, Qt::Alignment alignment)
{
    rpt::ControlDesc c = rpt::label(QStringLiteral("QRLabel_titul"), box, {}, reportFont(10, true), alignment);
    c.tag = 1;
    return c;
}

const rpt::BlockLibrary &noBlocks()
{
    static const rpt::BlockLibrary k;
    return k;
}

} // namespace tarix::reports::pay_lists
