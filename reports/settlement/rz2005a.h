#pragma once
// The annual settlement of tax advances from 2005 (code "RZ" from 200501), one page per
// employee, and the two documents filled from RTF templates for the settlement rows of
// the same selection: the employee's declaration assigning 2 % of the tax ("NEZISK1") and
// the certificate of the tax paid for that purpose ("NEZISK2").
#include "core/helpers/template_output.h"
#include "reports/settlement/settlement_report.h"

namespace tarix::reports {

class TReportRZ_2005 : public settlement::SettlementReport {
public:
    TReportRZ_2005();
    ~TReportRZ_2005() override;

    static rpt::LayoutDesc reportLayout();
};

namespace RZ2005A {

// One employee's settlement as the documents read it.
struct Certificate {
    int v_rok = 0;
    QString surname, name, title, born_numb, tp_street, tp_zip, tp_city, tel1;
    double Dan = 0, D_bonus_narok = 0, D_bonus_cerpany = 0, Preplatok = 0;
    // The firm header: its tax number, and its name with the address.
    QString DIC, CALC_ADRESA;
};

enum class DocumentKind { Nezisk1, Nezisk2 };

// "Vyhlasenie_2%_vzor.rtf" or "Potvrd_dane_nezisk_sektor_vzor.rtf".
QString templateFile(DocumentKind d);
// "vyh1_" or "vyh2_" + the birth number without "/" and blanks + "_" + surname + "_" +
// name + ".rtf"; the names lose path separators and control characters.
QString documentName(DocumentKind d, const Certificate &z);
// The template's keys and values for one employee (the contact data from the request).
void addKeys(MyConsts::TemplateText &t, DocumentKind d, const Certificate &z, const TMyReportParam &p);

// Print run (code "RZ" from 200501).
void Spusti_zostavu(const TMyReportParam &p);
// Document runs: one document per employee of the selection with a settlement row of the
// period's year, each through the overwrite question and followed by the offer to open
// it. Without any settlement row: 65062 with (year - 1, year) and nothing written.
void Export_rtf_nezisk1(const TMyReportParam &p);
void Export_rtf_nezisk2(const TMyReportParam &p);

} // namespace RZ2005A

} // namespace tarix::reports
