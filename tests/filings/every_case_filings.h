#pragma once
// The firm of every case (reports/every_case_firm.h) with everything the program registers
// for its report items: the reports' routines and the filings' (statements, batches,
// payment orders), as start-up registers them; the payment-order module created, the
// start of outside programs recorded instead of done, and a payment order of the month
// generated from all its parts for the orders that print a stored one.
#include "reports/every_case_firm.h"

#include "core/startup_hooks.h"
#include "filings/dm_hp.h"
#include "filings/forms/subsystem.h"
#include "filings/payment_orders.h"

#include <QFile>
#include "reports/certificates/potvrdenia.h"
#include "reports/documents/pracovne_dokumenty.h"
#include "reports/health/zdravotne_vykazy.h"
#include "reports/lists/zoznamy_vyplat.h"
#include "reports/payslips/report_payslip.h"
#include "reports/recap/rekapitulacie.h"
#include "reports/settlement/rocne_zuctovanie.h"
#include "reports/sheets/mzdove_listy.h"
#include "reports/social/socialne_vykazy.h"
#include "reports/taxreport/danove_hlasenia.h"

namespace tarix::filings::fixtures {

class EveryCaseFilings : public reports::fixtures::EveryCaseFirm {
protected:
    static constexpr int kOrder = 1; // the payment order's header (HPID)

    void SetUp() override
    {
        EveryCaseFirm::SetUp();
        if (::testing::Test::HasFatalFailure())
            return;
        reports::registerPayslips();
        reports::registerSocialStatements();
        reports::registerPayrollLists();
        reports::registerWageSheets();
        reports::registerHealthStatements();
        reports::registerAnnualSettlement();
        reports::registerCertificates();
        reports::registerTaxReturns();
        reports::registerWorkDocuments();
        reports::registerRecaps();
        core::StartupHooks hooks;
        filings::registerSubsystem(hooks);
        hooks.afterDataModules();
        placeForms();
        createDMHP();
        session.execute("insert into \":tarix_data:hp1\" (hpid, por_cislo, cislo_u, banka_u, datum_splatnosti) "
                        "values (:h, 1, '3621458202', '1100', '2007-05-10')",
                        {{"h", kOrder}});
        Generuj_polozky(session, kOrder, kPeriod, 1, 99, [] { return std::optional<Parametre_hp>(Parametre_hp{}); });
        scripted.clearEvents();
        scripted.asked.clear();
    }
    // The official forms and templates the clerk puts into the installation's "frm"
    // folder (they are not shipped): stand-ins the form-data files name.
    static void placeForms()
    {
        const QString frm = ReportFiles::frm();
        for (const char *pdf : {"MesVykPCB_web.pdf", "file_ext_document_278.pdf", "eldp_form_1.5.pdf", "rh2004.pdf",
                                "rh2004_3.pdf"}) {
            QFile f(frm + QString::fromLatin1(pdf));
            if (!f.exists() && f.open(QIODevice::WriteOnly))
                f.write("%PDF-1.4\n%%EOF\n");
        }
        QFile rtf(frm + QStringLiteral("vzor1.rtf"));
        if (!rtf.exists() && rtf.open(QIODevice::WriteOnly))
            rtf.write("{\\rtf1\\ansi\\ansicpg1250 Hl\\'e1senie\\par}\r\n");
    }

    void TearDown() override
    {
        destroyDMHP();
        EveryCaseFirm::TearDown();
    }
};

} // namespace tarix::filings::fixtures
