#include "reports/documents/pracovne_dokumenty.h"

#include "reports/dispatcher.h"
#include "reports/documents/contract_document.h"
#include "reports/documents/report_pp.h"
#include "reports/documents/rex_eldz1.h"
#include "reports/documents/rex_rtf.h"

#include <memory>

namespace tarix::reports {

void Registruj_pracovne_dokumenty()
{
    RegisterZostav &r = Register_zostav();
    using Druh = ContractDocument::Druh;
    const std::pair<const char *, Druh> zmluvy[] = {
        {"TReportDPC", Druh::DPC},   {"TReportDVP", Druh::DVP},   {"TReportZML", Druh::ZML},
        {"TReportZML2", Druh::ZML2}, {"TReportDPC2", Druh::DPC2}, {"TReportDVP2", Druh::DVP2},
        {"TReportDBPS", Druh::DBPS},
    };
    for (const auto &[nazov, druh] : zmluvy)
        r.Registruj(QString::fromLatin1(nazov), [d = druh](const TMyReportParam &p) {
            Spusti_zostavu(p, [d] { return std::unique_ptr<TReport>(std::make_unique<ContractDocument>(d)); });
        });
    r.Registruj(QStringLiteral("TReportPP"), Spustenie_zostavy<TReportPP>());
    r.Registruj(QStringLiteral("TReportELDZ1"), RexELDZ1::Spusti_zostavu);
    r.Registruj(QStringLiteral("RexELDZ1.Export_xfdf"), RexELDZ1::Export_xfdf);
    r.Registruj(QStringLiteral("RexRTF.Export_rtf_doklad"), RexRTF::Export_rtf_doklad);
    r.Registruj(QStringLiteral("RexRTF.Export_rtf_oznamenie"), RexRTF::Export_rtf_oznamenie);
    r.Registruj(QStringLiteral("RexRTF.Export_rtf_prihlasenie"), RexRTF::Export_rtf_prihlasenie);
}

} // namespace tarix::reports
