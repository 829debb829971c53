#pragma once
// The letters written from RTF templates of the installation's "frm" folder by filling
// their "$" keys (TReportRTF, never previewed): the employee's certificate of health-
// insurance advances of the previous year ("RTF_ZDR_DOKLAD"), the notice of his
// underpayment or overpayment from the annual health-insurance settlement ("RTF_ZDR_OZNAM",
// a letter of its own for each) and the
// social insurer's registration form for the employees who start on the statement date
// ("SP_PRIHLAS").
#include "core/helpers/template_output.h"
#include "platform/db/sql_result.h"
#include "reports/documents/document_data.h"
#include "reports/report_param.h"

#include <array>

namespace tarix::db {
class Session;
}

namespace tarix::reports {

// The data of the three letters, read by the set-ups.
class TReportRTF {
public:
    explicit TReportRTF(db::Session &session);

    TMyReportParam Param;
    // The employee's settlement row (zp_znec) of the year of the period, first employee of
    // the ranges.
    documents::DataRow Q0_;
    // The monthly values (zp_tab, typ 1) of the year before, and whether they were read.
    db::SqlResult Q1_;
    bool Q1_otvoreny = false;
    int Q1_rok = 0;
    // The periods without health insurance that overlap the year before.
    db::SqlResult Q2_;
    // The settlement result (zp_univ "VV") of the year of the period.
    documents::DataRow Q3_;
    bool Q3_otvoreny = false;
    // The employees who start on the statement date.
    db::SqlResult Q4_;
    documents::DataRow Firma;

    void Otvor_doklad();
    void Otvor_oznamenie();
    void Otvor_prihlasenie();

private:
    db::Session &m_session;
    void openQ1(int codeEmp);
    int Rok() const { return Param.Obdobie / 100; }
};

namespace RexRTF {

inline constexpr char16_t kSablonaDokladu[] = u"Doklad_preddavkov_zp.rtf";
inline constexpr char16_t kSablonaOznamenia[] = u"oznamenie_nedoplatku_zp.rtf";
inline constexpr char16_t kSablonaPreplatku[] = u"oznamenie_preplatku_zp.rtf";
inline constexpr char16_t kSablonaPrihlasenia[] = u"prihlasenie_odhlasenie_zamestnanca.rtf";
inline constexpr char16_t kVystupPrihlasenia[] = u"prihlasenie_odhlasenie_zam_.rtf";
// Lines of the forms.
inline constexpr int kRiadkyBezPoistenia = 13;
inline constexpr int kRiadkyPrihlasenia = 19;

// The three runs: set-up, checks, the template filled into the firm's output folder, the
// offer to open the result. Failures end in the error box of a report run.
void Export_rtf_doklad(const TMyReportParam &p);
void Export_rtf_oznamenie(const TMyReportParam &p);
void Export_rtf_prihlasenie(const TMyReportParam &p);

// The checks before writing a health-insurance letter: 65067 without the monthly values,
// then 65064 (certificate) or 65063 (notice) without the settlement row or result. Shows
// the message and returns false when one fails.
bool checkCertificateData(const TReportRTF &r);
bool checkNoticeData(const TReportRTF &r);

// The keys of each letter, in the order the template is filled. `vynechani` gets the
// lines that did not fit the form (periods without insurance, employees to register).
void certificateKeys(MyConsts::TemplateText &t, const TReportRTF &r, int *vynechani = nullptr);
// The notice states the result as a positive amount: $NEDOPLATOK for an underpayment (or
// none), $PREPLATOK for an overpayment (a negative result).
void noticeKeys(MyConsts::TemplateText &t, const TReportRTF &r);
// The notice's template by the result's sign: the overpayment letter for a negative
// result, the underpayment letter otherwise.
QString noticeTemplate(const TReportRTF &r);
void registrationKeys(MyConsts::TemplateText &t, const TReportRTF &r, int *vynechani = nullptr);

// The month marks of the certificate: "X" for a month insured with the employer (an
// advance of the employee or the employer paid for it).
// Every month marked gives $A1 " ", $A2 "X" and blank months; else $A1 "X", $A2 " " and
// each month's own mark under "!A" (January) to "!L" (December).
void addMonthMarks(MyConsts::TemplateText &t, const std::array<bool, 12> &oznacene);

// The file names in the firm's output folder.
QString certificateName(const documents::DataRow &zamestnanec);
QString noticeName(const documents::DataRow &zamestnanec);
QString registrationName();
// The template in the installation's "frm" folder.
QString templateFile(const QString &nazov);

} // namespace RexRTF

} // namespace tarix::reports
