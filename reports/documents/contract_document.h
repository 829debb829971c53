#pragma once
// The employment documents printed from one contract or agreement row of Ppv (its PID in
// the request's Rezerva1), one page each: the agreements DPC and DVP of the older text, the
// employment contract ZML, the newer contract ZML2 and its amendment ZMLD (three captions
// switched by the code), the agreements DPC2 and DVP2 and the students' agreement DBPS. The
// fixed wording is the form's; the contract's own texts R1 to R12 stand in the blanks of
// its numbered points. A PID without a row (or without its employee) gives an empty preview.
#include "reports/documents/document_report.h"

namespace tarix::reports {

class ContractDocument : public documents::DocumentReport {
public:
    enum class ReportKind { DPC, DVP, ZML, ZML2, DPC2, DVP2, DBPS };

    explicit ContractDocument(ReportKind documentKind);
    ~ContractDocument() override;

    ReportKind documentKind() const { return m_druh; }

    void Otvor_data() override;
    void Zatvor_data() override;

    static QString Text_Q0();
    // The three captions of ZML2 by the report code: "ZML2" the contract, "ZMLD" the
    // amendment; any other code leaves the form's own.
    void setContractLabels(const QString &kod);

    // "V " + place + " dňa " + date.
    static QString placeAndDateText(const QString &miesto, const QDate &datum);
    // Title, first name and surname (each trimmed) joined by single blanks: without a title
    // the text begins with a blank.
    static QString nameText(const QString &titul, const QString &meno, const QString &priezvisko);

private:
    ReportKind m_druh;
};

} // namespace tarix::reports
