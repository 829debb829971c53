#pragma once
// The wage recapitulation "REKAPITULÁCIA MIEZD": one page of the totals of every payroll
// record of a month (or of the months of a year) over the chosen cost centres: incomes
// with their hours, surcharges, contributions, benefits, tax and deductions.
#include "platform/report/datasource.h"
#include "platform/report/description.h"
#include "reports/lists/rekapitulacia_miezd.h"
#include "reports/report.h"

namespace tarix::reports {

class TReportVL3 : public TReport {
public:
    TReportVL3();
    ~TReportVL3() override;

    // Takes the request; a monthly request follows its Obdobie, a range covers its year.
    void Nastav_parametre(const TMyReportParam &p) override;
    void Otvor_data() override;
    void Zatvor_data() override;
    bool hasData() const override { return m_sumy.pocet > 0; }

    // The range and the figures of the last opening.
    const wage_recap::RecapRange &range() const { return m_rozsah; }
    const wage_recap::Sumy &Sumy() const { return m_sumy; }

    // One row of the figures as the layout prints them.
    rpt::MemoryDataSource Q0_;

private:
    wage_recap::RecapRange m_rozsah;
    wage_recap::Sumy m_sumy;
};

namespace pay_lists {
rpt::LayoutDesc layoutVL3();
}

} // namespace tarix::reports
