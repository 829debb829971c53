#include "reports/health/insurer_pages.h"

#include "reports/social/social_blocks.h"

namespace tarix::reports::health {

using namespace Qt::Literals::StringLiterals;

void buildInsurerPages(TReport &form, db::Query &q0, DataSetSource &s0, db::Query &q1, DataSetSource &s1,
                             const rpt::LayoutDesc &layout, int &poradie)
{
    s0.setDataSet(&q0);
    s1.setDataSet(&q1);
    s1.setMaster(&q0);
    form.mainDataSource = &s0;
    form.registerDataSource(u"Q0_"_s, &s0);
    form.registerDataSource(u"Q1_"_s, &s1);
    rpt::buildReportForm(form, layout, social::socialBlocks(), checkFields({{&s0, &q0}, {&s1, &q1}}));
    social::markFilledLabels(form);
    form.band(rpt::BandKind::Detail)->beforePrint = [&poradie](rpt::Band &, bool &) { poradie = 0; };
    form.band(rpt::BandKind::PageHeader)->beforePrint = [&form, &q0](rpt::Band &, bool &) {
        if (auto *l = form.findAs<rpt::ReportLabel>(u"QRLabel_KZP"_s))
            l->caption = q0.isActive() && !q0.isEmpty() ? q0.fieldByName(u"kzp"_s).asString() : QString();
    };
    form.findAs<rpt::Band>(u"QRSubDetail1"_s)->beforePrint = [&form, &poradie](rpt::Band &, bool &) {
        if (auto *l = form.findAs<rpt::ReportLabel>(u"QRL_PORADIE"_s))
            l->caption = QString::number(++poradie);
    };
}

} // namespace tarix::reports::health
