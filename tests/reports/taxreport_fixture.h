#pragma once
// The payroll-lists firm with the tax reports registered, the program's paths pointing at
// the test's installation and an output folder of its own; the nine employees of 2005 the
// yearly report's tests share, and the checks of the files the reports write.
#include "lists_fixture.h"
#include "social_pdf.h"

#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/firm_opening.h"
#include "reports/taxreport/danove_hlasenia.h"

#include <QDir>
#include <QFile>

namespace tarix::reports::fixtures {

class TaxFirm : public ListsFirm, public ReportFiles {
protected:
    void SetUp() override
    {
        ListsFirm::SetUp();
        registerTaxReturns();
        output.set(root(), 2005);
    }
    void TearDown() override
    {
        output.reset();
        ListsFirm::TearDown();
    }

    // A file in the installation's frm folder, as the clerk puts the tax office's forms there.
    void placeForm(const QString &name, const QByteArray &content = "%PDF-1.4\n")
    {
        QDir().mkpath(frm());
        QFile f(frm() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    // A stored expected file; "@FRM@" stands for the frm folder.
    static QByteArray expectedFile(const char *name) { return expectedFormFile(name); }

    static TMyReportParam taxRequest(const char *kod, int period)
    {
        TMyReportParam p = listRequest(kod, period);
        p.Den = QDate(2006, 3, 20);
        p.Den_textom = QStringLiteral("20.3.2006");
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        p.Telefon = QStringLiteral("033/5501235");
        p.Miesto = QStringLiteral("Trnava");
        return p;
    }

    struct Employee {
        int code;
        const char *surname, *name, *bornNumb, *bornDate, *street, *city, *zip, *stat;
    };
    // Codes 1 to 9 in the order of their surnames (a foreigner without a birth number, one
    // with "<" in the surname and no country, which the form calls "Slovensko").
    static constexpr Employee kNine[] = {
        {1, "Adam", "Ján", "680314/5129", "1968-03-14", "Hlavná 12", "Trnava", "917 01", "703"},
        {2, "Bartoš", "Mária", "755102/1234", "1975-01-02", "Nám. SNP 1234/5", "Trnava", "917 02", "703"},
        {3, "Čierny", "Peter", "7001011234", "1970-01-01", "Dlhá 7", "Hlohovec", "920 01", "703"},
        {4, "Dúbrava <ml.>", "Ľubomír", "8507071111", "1985-07-07", "Ružová 3", "Šaľa", "927 01", nullptr},
        {5, "Eliáš", "Karol", nullptr, "1980-07-04", "Krátka 5", "Brno", "602 00", "203"},
        {6, "Fedor", "Igor", "6612125555", "1966-12-12", "Poľná 8", "Trnava", "917 01", "703"},
        {7, "Gál", "Juraj", "7203036666", "1972-03-03", "Lesná 1", "Trnava", "917 01", "703"},
        {8, "Hraško", "Ondrej", "9001017777", "1990-01-01", "Nová 22", "Trnava", "917 01", "703"},
        {9, "Ivanič", "Tibor", "8808088888", "1988-08-08", "Záhradná 9", "Trnava", "917 01", "703"},
    };

    void vyp2005(int code, int month, QVariantMap values)
    {
        if (values.contains("D_ciastzd"))
            values.insert("D_ciastzd1", values.value("D_ciastzd"));
        if (values.contains("D_preddavok"))
            values.insert("D_preddavok1", values.value("D_preddavok"));
        insertVyp(code, 200500 + month, values);
    }

    // The year 2005 of the nine employees:
    //   1 all twelve months: base 20 000, insurance 2 700, advance 3 000 (December 500),
    //     bonus 1 080; March withholds an underpayment of 600 of the last settlement;
    //   2 March and May: base 15 000, insurance 2 000, advance 2 000, bonus 540; a company
    //     car of 500 in March;
    //   3 to 9 January to June: base 10 000, insurance 1 340, advance 1 200; 7 also has a
    //     July settled by withholding (base 9 999, advance 999), which part III leaves out;
    //   10 a January of zeros, which no part lists.
    void nineEmployees2005()
    {
        for (const Employee &e : kNine)
            session.execute("update \":tarix_data:zam\" set surname=:s, name=:n, title=null, born_numb=:r, "
                            "born_date=:d, tp_street=:u, tp_city=:c, tp_zip=:z, stat_tp=:t, dan_zrazkou=0, "
                            "nastup='2000-01-01', vystup=null where code_emp=:k",
                            {{"s", QString::fromUtf8(e.surname)},
                             {"n", QString::fromUtf8(e.name)},
                             {"r", e.bornNumb ? QVariant(QString::fromUtf8(e.bornNumb)) : QVariant()},
                             {"d", QString::fromUtf8(e.bornDate)},
                             {"u", QString::fromUtf8(e.street)},
                             {"c", QString::fromUtf8(e.city)},
                             {"z", QString::fromUtf8(e.zip)},
                             {"t", e.stat ? QVariant(QString::fromUtf8(e.stat)) : QVariant()},
                             {"k", e.code}});
        session.execute("delete from \":tarix_data:deti\"");
        for (const auto &[code, name] : {std::pair{1, "Peter"}, std::pair{1, "Lucia"}, std::pair{2, "Tomáš"}})
            session.execute("insert into \":tarix_data:deti\" (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, "
                            "DAN_BONUS) values (:c, 'Dieťa', :m, '0000000000', '2000-01-01', 1, 0, 1, 1)",
                            {{"c", code}, {"m", QString::fromUtf8(name)}});
        // A child without the bonus does not count.
        session.execute("insert into \":tarix_data:deti\" (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, "
                        "DAN_BONUS) values (3, 'Čierna', 'Eva', '0000000000', '2000-01-01', 1, 0, 1, 0)");
        for (int m = 1; m <= 12; ++m)
            vyp2005(1, m, {{"D_ciastzd", 20000}, {"N_poist", 2700}, {"D_preddavok", m == 12 ? 500 : 3000},
                           {"D_bonus_cerpany", 1080}, {"D_bonus_predpis", 1080}, {"Poc_nezaop_deti", 2},
                           {"D_vyrovnanie", m == 3 ? -600 : 0}});
        for (int m : {3, 5})
            vyp2005(2, m, {{"D_ciastzd", 15000}, {"N_poist", 2000}, {"D_preddavok", 2000}, {"D_bonus_cerpany", 540},
                           {"Poc_nezaop_deti", 1}, {"Pouz_auto", m == 3 ? 500 : 0}});
        for (int code = 3; code <= 9; ++code)
            for (int m = 1; m <= 6; ++m)
                vyp2005(code, m, {{"D_ciastzd", 10000}, {"N_poist", 1340}, {"D_preddavok", 1200}});
        vyp2005(7, 7, {{"D_ciastzd", 9999}, {"D_preddavok", 999}, {"Dan_vyrovnana", 1}});
        vyp2005(10, 1, {});
        zeroBlanks();
    }

    OutputFolder output;
};

} // namespace tarix::reports::fixtures
