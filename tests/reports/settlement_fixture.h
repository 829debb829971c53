#pragma once
// The payslips' firm (the demo installation, years 2004 to 2007) with the annual
// settlement's reports registered, no settlement rows but those the tests write, and runs
// through the dispatcher that tell whether a preview came.
#include "payslip_fixture.h"

#include "reports/dispatcher.h"
#include "reports/settlement/rocne_zuctovanie.h"

namespace tarix::reports::fixtures {

class SettlementFirm : public PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        registerAnnualSettlement();
        session.execute("delete from \":tarix_data:rzp\"");
    }
    // One settlement row; the amounts not given are 0.
    void insertRzp(int codeEmp, int rok, const QVariantMap &values)
    {
        QStringList names{"Code_emp", "V_rok"}, marks{":k", ":r"};
        db::Params params{{"k", codeEmp}, {"r", rok}};
        for (const char *f : {"Ciastzd1", "Ciastzd2", "Ciastzd_spolu", "Nc_minimum", "Nc_deti", "Nc_partner",
                              "Nc_invalid_ciast", "Nc_invalid_ztp", "Nc_dary", "Nc_spolu", "Zdanmzda", "Zdanmzda_round",
                              "Dan", "Preddavky1", "Preddavky2", "Uhrn_preddavkov", "Preplatok", "Uhrn_nepenaznych",
                              "Nedoplatok_nepenaznych", "Uhrn_brutto", "Uhrn_osobitna", "Dan_osobitna", "Poistne", "DDP",
                              "Uhrn_nepen2", "Nedoplatok_nepen2", "D_bonus_narok", "D_bonus_cerpany",
                              "Nc_ucelove_sporenie", "Nc_zivotne_poistenie", "Nc_do_limitu"}) {
            const QString name = QString::fromLatin1(f);
            names << name;
            marks << u':' + name;
            QVariant v = 0;
            for (auto it = values.cbegin(); it != values.cend(); ++it)
                if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                    v = it.value();
            params.set(name, v);
        }
        session.execute(QStringLiteral("insert into \":tarix_data:rzp\" (%1) values (%2)")
                            .arg(names.join(','), marks.join(',')),
                        params);
    }

    // A request of code `kod` for `period`, as the dialog hands it on.
    static TMyReportParam settlementRequest(const QString &kod, int period)
    {
        TMyReportParam p = request(period);
        p.Kod_zostavy = kod;
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        p.Den_textom = QStringLiteral("15.2.2008");
        p.Telefon = QStringLiteral("033 123 456");
        p.Miesto = QStringLiteral("Trnava");
        return p;
    }

    // Runs the request; the preview it showed, or null when none came.
    const rpt::PreparedReport *run(const TMyReportParam &p) { return runThroughDispatcher(previewHost, p); }
    const rpt::PreparedReport *run(const QString &kod, int period,
                                   const std::function<void(TMyReportParam &)> &adjust = {})
    {
        TMyReportParam p = settlementRequest(kod, period);
        if (adjust)
            adjust(p);
        return run(p);
    }

    // Every text fits its box, in width and in its lines' height, and the box the page
    // inside its margins.
    static void expectFits(const rpt::PreparedReport &r) { expectFitsWithin(r, edges(200.01, 287.01), true); }

    QStringList errors() const { return scripted.messages(ui::MessageKind::Error); }
};

} // namespace tarix::reports::fixtures
