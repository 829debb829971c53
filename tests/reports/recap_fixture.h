#pragma once
// A demo-firm copy without payroll rows, the payroll data module created, the
// recapitulation's reports registered, every preview captured; the tests write the payroll rows of their months.
#include "payslip_fixture.h"
#include "social_pdf.h"

#include "core/helpers/parameters.h"
#include "payroll/dm_v.h"
#include "reports/dispatcher.h"
#include "reports/recap/rekapitulacie.h"

namespace tarix::reports::fixtures {

class RecapFirm : public PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        // The health statement from 2005 asks the payroll data module for the reduced rate.
        payroll::createDMV();
        registerRecaps();
        m_p18 = MyConsts::Parametre(18);
        m_p32 = MyConsts::Parametre(32);
    }
    void TearDown() override
    {
        MyConsts::Parametre(18) = m_p18;
        MyConsts::Parametre(32) = m_p32;
        payroll::destroyDMV();
        PayslipFirm::TearDown();
    }
    void setInf(const QString &assignments)
    {
        session.execute("update \":tarix_data:inf\" set " + assignments);
        if (core::DM().TINF_.isActive())
            core::DM().TINF_.refresh();
    }
    static TMyReportParam request(const QString &kod, int obdobie)
    {
        TMyReportParam p;
        p.Kod_zostavy = kod;
        p.Obdobie = p.Obdobie_od = p.Obdobie_do = obdobie;
        p.Stredisko_od = 1;
        p.Stredisko_do = 99;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        p.Den_textom = QStringLiteral("10.4.2003");
        p.Telefon = QStringLiteral("033/5501235");
        return p;
    }
    // Runs the request through the dispatcher as the menu does; the preview shown, if any.
    const rpt::PreparedPage *run(const TMyReportParam &p)
    {
        const int pred = previewHost.shownCount;
        ParForm::Spusti_zostavu_podla_nazvu(p);
        if (previewHost.shownCount == pred || previewHost.last.pages.empty())
            return nullptr;
        return &previewHost.last.pages.at(0);
    }
    // Every text of every page fits its box.
    static void expectTextsFit(const rpt::PreparedReport &r)
    {
        for (const rpt::PreparedPage &page : r.pages)
            for (const rpt::PreparedItem &i : page.items) {
                if (i.type != rpt::PreparedItem::Text)
                    continue;
                EXPECT_LE(double(i.lines.size()) * i.lineHeight, i.rect.height() + 0.01) << i.name.toStdString();
                for (double w : i.lineWidths)
                    EXPECT_LE(w, i.rect.width() + 0.01) << i.name.toStdString() << " " << i.text().toStdString();
            }
    }

private:
    MyConsts::Parameter m_p18;
    MyConsts::Parameter m_p32;
};

} // namespace tarix::reports::fixtures
