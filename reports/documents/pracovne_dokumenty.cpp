#include "reports/documents/pracovne_dokumenty.h"

#include "reports/dispatcher.h"
#include "reports/documents/contract_document.h"
#include "reports/documents/report_pp.h"
#include "reports/documents/rex_eldz1.h"
#include "reports/documents/rex_rtf.h"

#include <memory>

namespace tarix::reports {

void registerWorkDocuments()
{
    ReportRegister &r = reportRegister();
    using ReportKind = ContractDocument::ReportKind;
    const std::pair<const char *, ReportKind> zmluvy[] = {
        {"TReportDPC", ReportKind::DPC},   {"TReportDVP", ReportKind::DVP},   {"TReportZML", ReportKind::ZML},
        {"TReportZML2", ReportKind::ZML2}, {"TReportDPC2", ReportKind::DPC2}, {"TReportDVP2", ReportKind::DVP2},
        {"TReportDBPS", ReportKind::DBPS},
    };
    for (const auto &[nazov, documentKind] : zmluvy)
        r.registerReport(QString::fromLatin1(nazov), [d = documentKind](const TMyReportParam &p) {
            Spusti_zostavu(p, [d] { return std::unique_ptr<TReport>(std::make_unique<ContractDocument>(d)); });
        });
    r.registerReport(QStringLiteral("TReportPP"), reportRun<TReportPP>());
    r.registerReport(QStringLiteral("TReportELDZ1"), RexELDZ1::Spusti_zostavu);
    r.registerReport(QStringLiteral("RexELDZ1.Export_xfdf"), RexELDZ1::Export_xfdf);
    r.registerReport(QStringLiteral("RexRTF.Export_rtf_doklad"), RexRTF::Export_rtf_doklad);
    r.registerReport(QStringLiteral("RexRTF.Export_rtf_oznamenie"), RexRTF::Export_rtf_oznamenie);
    r.registerReport(QStringLiteral("RexRTF.Export_rtf_prihlasenie"), RexRTF::Export_rtf_prihlasenie);
}

} // namespace tarix::reports
