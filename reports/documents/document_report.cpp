#include "reports/documents/document_report.h"

#include "core/session.h"

namespace tarix::reports::documents {

using namespace Qt::Literals::StringLiterals;

rpt::FontSpec reportFont(double body, bool tucne) { return rpt::FontSpec{u"Arial"_s, body, tucne}; }
rpt::FontSpec footerBand(double body, bool tucne) { return rpt::FontSpec{u"Times New Roman"_s, body, tucne}; }

DocumentReport::DocumentReport()
{
    prepareQuery(Q0_, u"Q0_"_s, {});
    S0_.setDataSet(&Q0_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);
}

DocumentReport::~DocumentReport() = default;

void DocumentReport::prepareQuery(db::Query &q, const QString &meno, const QString &text)
{
    q.setObjectName(meno);
    q.setDatabaseName(core::kAliasData);
    if (!text.isEmpty())
        q.setSql(text);
}

void DocumentReport::assemble(const rpt::LayoutDesc &popis,
                            const std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> &ine)
{
    std::vector<std::pair<const rpt::ReportDataSource *, db::Query *>> zdroje{{&S0_, &Q0_}};
    zdroje.insert(zdroje.end(), ine.begin(), ine.end());
    rpt::buildReportForm(*this, popis, {}, checkFields(zdroje));
}

void DocumentReport::setLabelText(const QString &meno, const QString &text)
{
    if (auto *l = findAs<rpt::ReportLabel>(meno))
        l->caption = text;
}

} // namespace tarix::reports::documents
