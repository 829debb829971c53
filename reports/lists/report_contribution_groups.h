#pragma once
// The contribution breakdowns of a month, for checking before payment: the social
// insurance funds per employee (ODV2), the health insurance per insurer (ODVZP) and the
// supplementary pension per fund (ODVDP), each insurer or fund a group with its sums.
#include "reports/lists/report_list.h"

namespace tarix::reports {

class TReportOdv2 : public pay_lists::TReportList {
public:
    TReportOdv2();
    // Employees paying at least one of the social funds (P1 period, P2, P3 centre range).
    static QString Text_Q0();

    void Otvor_data() override;
    void Zatvor_data() override;

private:
    void Q0_CalcFields(db::DataSet &ds);
};

// The lists grouped by institution: Q0_ the institutions of the month, Q1_ the employees
// of the current one.
class TReportContributionGroups : public pay_lists::TReportList {
public:
    db::Query Q1_;
    DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

protected:
    // `kod`: the institution's field ("kzp", "kdp"); `nadpis`: the group caption before
    // the code; `titul`: the title before the month.
    TReportContributionGroups(const QString &kod, const QString &nadpis, const QString &titul, const QString &textQ0,
                         const QString &textQ1);
    virtual void Q1_CalcFields(db::DataSet &ds);

private:
    void Q0_CalcFields(db::DataSet &ds);

    QString m_kod;
    QString m_nadpis;
    QString m_titul;
};

class TReportOdvZp : public TReportContributionGroups {
public:
    TReportOdvZp();
    static QString Text_Q0();
    static QString Text_Q1();

protected:
    void Q1_CalcFields(db::DataSet &ds) override;
};

class TReportOdvDp : public TReportContributionGroups {
public:
    TReportOdvDp();
    static QString Text_Q0();
    // Every employee the fund's group counts, whatever their health insurance.
    static QString Text_Q1();
};

namespace pay_lists {
rpt::LayoutDesc layoutOdv2();
rpt::LayoutDesc layoutOdvZp();
rpt::LayoutDesc layoutOdvDp();
} // namespace pay_lists

} // namespace tarix::reports
