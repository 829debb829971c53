#pragma once
// The statement of health-insurance advances from 2005 ("VÝKAZ PREDDAVKOV NA POISTNÉ NA
// VEREJNÉ ZDRAVOTNÉ POISTENIE"): per insurer, the month's payroll records of a cost-centre
// range in group A (without a health disability) and group B (with), with head counts,
// payers, insured days, income, bases and advances. It is delivered as an RTF document
// filled from the template Vykaz_preddavky_zam.rtf (code "ZP_RTF"); code "ZP" from 200501
// prints nothing. The totals are read without printing by the cost recapitulation and the
// insurers' 514 batch.
#include "reports/health/sumy_zp.h"
#include "reports/report_param.h"

#include <QDate>
#include <QList>

namespace tarix::db {
class Session;
}

namespace tarix::MyConsts {
class TemplateText;
}

namespace tarix::reports::ZP2005VY {

// The insurers with insured records (kzp not 0, u_zdrav above 0) in the period and centre
// range, by number.
QList<int> insurerRows(db::Session &session, int obdobie, int sidOd, int sidDo);

// The statements of every insurer of the period and centre range, in insurer order, from
// one read of the payroll records. A failing query raises; nothing is guessed.
std::vector<HealthSums> computeStatements(db::Session &session, int obdobie, int sidOd, int sidDo);
// The statement of one insurer (all zero when it has no record).
HealthSums Spocitaj_poistovnu(db::Session &session, int obdobie, int sidOd, int sidDo, int kzp);

// The employer's advance of a group: the sum cut to whole hallers first, then rounded up
// to whole crowns (1234.00000001 -> 1234, 1234.01 -> 1235).
double employerAdvance(double suma);

// The year's health rates (Setup).
struct Rates {
    double FZ_ZDRAVOT = 0, F_ZDRAVOT = 0, FZ_ZDRAVOT1 = 0, F_ZDRAVOT1 = 0;
};
Rates loadRates(db::Session &session);

// The pay day: day `fzDen` of the month after the period, lowered to that month's last day.
QDate payDay(int obdobie, int fzDen);

// The firm header and the insurer's data the RTF statement writes.
struct RtfData {
    int kzp = 0;
    QString NAZOV_ZP, CIS_PLAT;
    QString PRAV_FORMA, FO_RC, FO_CPP, ICO, DIC, ADR_MESTO, ADR_ULICA, ADR_PSC, ADR_CISLO, ADR_EMAIL,
        ADR_TELEFON, ADR_FAX, NAZOV_BANKY, PREDCISLO_U, CISLO_U, BANKA_U;
    int FZ_DEN = 0;
};
RtfData loadData(db::Session &session, int kzp);

// The template's keys and values, in the order the statement adds them.
void addValues(MyConsts::TemplateText &t, const TMyReportParam &p, const HealthSums &s, const Rates &sadzby,
                    const RtfData &u);

// Our template in the installation's "frm" folder.
QString rtfTemplate();
// "zp" + insurer (no leading zeros) + "_vykaz_" + period + ".rtf" in the firm's output folder.
QString rtfName(int kzp, int obdobie);

// Code "ZP" from 200501: nothing is printed.
void Spusti_zostavu(const TMyReportParam &p);
// Code "ZP_RTF": the statement of the insurer p.Cislo written from the template. An insurer
// without records ends the run with 65099; an existing file is replaced only after the
// question.
void Export_rtf(const TMyReportParam &p);

} // namespace tarix::reports::ZP2005VY
