#pragma once
// The payslips' firm (years 2004 to 2007, no payroll rows) with the wage sheets and absence
// records registered, absences written by the tests, and runs through the dispatcher.
#include "payslip_fixture.h"

#include "reports/dispatcher.h"
#include "reports/sheets/mzdove_listy.h"

namespace tarix::reports::fixtures {

class SheetsFirm : public PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        registerWageSheets();
        session.execute("delete from \":tarix_data:nep\"");
    }

    // One absence; an invalid end date leaves it open.
    void insertNep(int codeEmp, const QDate &od, const QDate &po, const QString &dovod, int typRl2 = 1,
                   const QVariant &prerusenie = {}, const QString &typRl = QStringLiteral("10"), int typ = 1)
    {
        session.execute("insert into \":tarix_data:nep\" (Code_emp, Datum_od, Datum_do, Typ, TypRL, TypRL2, "
                        "Prerusenie, Dovod) values (:p1, :p2, :p3, :p4, :p5, :p6, :p7, :p8)",
                        {{"p1", codeEmp},
                         {"p2", od},
                         {"p3", po.isValid() ? QVariant(po) : QVariant()},
                         {"p4", typ},
                         {"p5", typRl},
                         {"p6", typRl2},
                         {"p7", prerusenie},
                         {"p8", dovod}});
    }

    // Runs a report code for a period the way the parameter dialog hands it on.
    const rpt::PreparedReport &run(const QString &kod, int period,
                                   const std::function<void(TMyReportParam &)> &adjust = {})
    {
        TMyReportParam p = request(period);
        p.Kod_zostavy = kod;
        if (adjust)
            adjust(p);
        const int before = previewHost.shownCount;
        ParForm::Spusti_zostavu_podla_nazvu(p);
        EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
        EXPECT_EQ(previewHost.shownCount, before + 1);
        return previewHost.last;
    }

    // Every text fits its box, and the box the page.
    static void expectFits(const rpt::PreparedReport &r, double pageWidth, double pageHeight)
    {
        expectFitsWithin(r, edges(pageWidth - 9.99, pageHeight - 7.99));
    }
};

} // namespace tarix::reports::fixtures
