#pragma once
// The annex of the monthly statement of health-insurance advances ("PRÍLOHA K VÝKAZU
// PREDDAVKOV ...", code "ZP2005PR"): per insurer on a page of its own, its insured
// employees of the month with days, income, base, rates and advances. The same rows, and
// the changes of insured persons of Davka601, feed the insurers' batch files.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <QDate>
#include <utility>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace ZP2005PR {

// One insured employee's payroll record of the month (the insurer is the record's own).
struct AttachmentRow {
    int kzp = 0;
    int code_emp = 0;
    QString born_numb, name, surname, title;
    int u_zdrav = 0;
    bool zps = false;
    int dni_poist = 0;
    double fz_zdravot = 0, f_zdravot = 0, n_prijem_zp = 0, n_zaklad_zp = 0, oz_zdravot = 0, o_zdravot = 0;
};
// The insured records (u_zdrav above 0, kzp not 0) of the period and centre range, by
// insurer and personal number.
std::vector<AttachmentRow> attachmentRowsOf(db::Session &session, int obdobie, int sidOd, int sidDo);

// One change of an insured person (Davka601) with the employee's names.
struct InsuredChange {
    int kzp = 0;
    int code_emp = 0;
    QString born_numb, title, name, surname, Kod_zmeny, Platnost_zmeny;
    QDate Datum_zmeny;
};
// The changes of a month, by insurer, personal number and entry.
std::vector<InsuredChange> insuredChanges(db::Session &session, int rok, int mesiac);

// The base columns of the annex: (without, with a disability) for the records the
// employer pays for (u_zdrav 1 or 3); other records give (0, 0).
std::pair<double, double> insuranceBases(int u_zdrav, bool zps, double zaklad);
// The month with a leading zero and the last two digits of the year (200501 -> "0105").
QString socialSecurityText(int obdobie);

} // namespace ZP2005PR

class TReportZP2005PR : public TReport {
public:
    TReportZP2005PR();
    ~TReportZP2005PR() override;

    db::Query Q0_;   // one row per insurer
    db::Query Q1_;   // the insurer's employees
    DataSetSource S0_;
    DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

    static QString Text_Q1();

private:
    void Q0_CalcFields(db::DataSet &ds);
    void Q1_CalcFields(db::DataSet &ds);
    QString m_ico;
    int m_poradie = 0;
};

} // namespace tarix::reports
