#pragma once
// The payslip firm (demo installation, years 2004 to 2007, no payroll rows) with the
// certificates and the bonus request registered, the demo children removed, and the
// payroll records, children and requests the certificates' tests write.
#include "payslip_fixture.h"

#include "core/helpers/parameters.h"
#include "platform/report/render.h"
#include "reports/certificates/certificate_figures.h"
#include "reports/certificates/potvrdenia.h"
#include "reports/dispatcher.h"

namespace tarix::reports::fixtures {

class CertificateFirm : public PayslipFirm {
protected:
    // The monthly bonus of the year's parameters the tests set (parameter 28).
    static constexpr double kParameter28 = 500;

    void SetUp() override
    {
        PayslipFirm::SetUp();
        registerCertificates();
        MyConsts::Parametre(28).Hodnota = kParameter28;
        session.execute("delete from \":tarix_data:deti\"");
    }
    void TearDown() override
    {
        // The register is the process's: later tests find the reports as they left them.
        for (const char *nazov : kRegistrovane)
            reportRegister().unregisterReport(QString::fromLatin1(nazov));
        MyConsts::Parametre(28).Hodnota = 0;
        PayslipFirm::TearDown();
    }

public:
    static constexpr const char *kRegistrovane[] = {"TReportPZ2006", "TReportPZ2005", "TReportPZ3", "TReportPZ2",
                                                    "TReportBO2005"};

protected:

    // A child entitled to the bonus (NC) from month `od` to `po`, in the order written.
    void addChild(int codeEmp, const QString &meno, const QString &priezvisko, const QVariant &od,
                  const QVariant &po, bool ztp = false, bool nc = true, const QDate &narodeny = QDate(2000, 5, 20))
    {
        session.execute("insert into \":tarix_data:deti\" (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, "
                        "MES_OD, MES_DO) values (:c, :p, :m, '0000000000', :d, 1, :z, :n, :od, :po)",
                        {{"c", codeEmp},
                         {"p", priezvisko},
                         {"m", meno},
                         {"d", narodeny},
                         {"z", ztp ? 1 : 0},
                         {"n", nc ? 1 : 0},
                         {"od", od},
                         {"po", po}});
    }

    // A payroll record as the calculation stores it: the amounts the certificates read are 0
    // and the record is taxed by advances unless given.
    void addVyp(int codeEmp, int period, const QVariantMap &values)
    {
        QVariantMap row;
        for (const char *f : {"Dan_vyrovnana", "N_brutto", "N_socfond", "Pouz_auto", "Zvys_ostatne", "D_ciastzd",
                              "D_ciastzd2", "N_poist", "O_zdravot", "N_ddp", "Nz_ddp", "Dopravne",
                              "Dopravne_mimoriadne", "D_preddavok", "Nc_minimum", "D_bonus_cerpany", "D_dan",
                              "D_vyrovnanie", "Vyrovnanie_zp"})
            row.insert(QString::fromLatin1(f), 0);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            for (auto r = row.begin(); r != row.end(); ++r)
                if (r.key().compare(it.key(), Qt::CaseInsensitive) == 0) {
                    row.erase(r);
                    break;
                }
            row.insert(it.key(), it.value());
        }
        insertVyp(codeEmp, period, row);
    }

    static TMyReportParam pzRequest(int period, int codeEmp = 0)
    {
        TMyReportParam p = request(period);
        p.Kod_zostavy = QStringLiteral("PZ");
        if (codeEmp != 0)
            p.Zamestnanec_od = p.Zamestnanec_do = codeEmp;
        return p;
    }

    std::vector<PZ::CertificateFigures> figures(PZ::FormSheet t, const TMyReportParam &p)
    {
        return PZ::certificateData(session, t, p, kParameter28);
    }
    PZ::CertificateFigures figuresOf(PZ::FormSheet t, int period, int codeEmp)
    {
        const std::vector<PZ::CertificateFigures> all = figures(t, pzRequest(period, codeEmp));
        EXPECT_EQ(all.size(), 1u) << "employee " << codeEmp;
        return all.empty() ? PZ::CertificateFigures{} : all.front();
    }

    // Runs the request through the dispatcher; the preview it showed, or null.
    const rpt::PreparedReport *run(const TMyReportParam &p)
    {
        const int before = previewHost.shownCount;
        ParForm::Spusti_zostavu_podla_nazvu(p);
        return previewHost.shownCount > before ? &previewHost.last : nullptr;
    }

    static QString textOn(const rpt::PreparedReport &r, int page, const QString &name)
    {
        return textOf(r.pages.at(size_t(page)), name);
    }
    // Every text within its box and on the paper inside the margins.
    static void expectTextsFit(const rpt::PreparedReport &r)
    {
        expectFitsWithin(r, [](const rpt::PreparedPage &page) {
            return QPointF(page.size.width() - 10 + 0.01, page.size.height() - 10 + 0.01);
        });
    }
};

} // namespace tarix::reports::fixtures
