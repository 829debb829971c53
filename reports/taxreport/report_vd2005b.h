#pragma once
// Part III of the employer's yearly tax report from 2004 ("Úhrn príjmov poskytnutých
// jednotlivým zamestnancom ..."): one block per employee of the year, two side by side on a
// printed band (code "VD2" from 200401), four to a page of the form-data files "RH3_"
// (code "VD_B_PDF").
#include "core/helpers/form_data_pages.h"
#include "reports/report.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace VD2005B {

// "--X--" for all twelve months, else "----" and "-X-" or "---" for each month 1 to 12;
// empty without payroll records (zac null).
QString calcSettled(const QVariant &zac, const QVariant &kon);

// One printed block: the employee's texts as the form shows them.
struct VdBlock {
    int code_emp = 0;
    QString rc, datum_narodenia, priezvisko, meno, ulica, cislo, psc, obec, stat;
    QString prijmy, zuctovane, zaklad_dane, preddavky, bonus, pocet_deti;
};
// The printed blocks of the year in the order of the employees' numbers; an employee
// whose tax base and bonus are both 0 is left out.
std::vector<VdBlock> printBlocks(db::Session &session, int rok);

// ---- the form-data files --------------------------------------------------------------------
// "0" or "1" for the months 1 to 12 after one mark for all twelve.
QString Mesiace(const QList<int> &mesiace);
// Fills the scratch table HLD with one row per employee of the year whose tax is not
// settled by withholding and who had a tax base, a bonus or advances; one transaction.
void fillHld(db::Session &session, int rok);

// The fields of every employee of HLD, ordered by surname and name; names without the
// block's "1." + slot + "." prefix.
QList<MyConsts::FormFields> employeeFields(db::Session &session);

// The file of page p: "RH3_" + year + "_" + p as three digits + ".xfdf" in the output folder.
QString xfdfName(int rok, int strana);
// The form "rh2004_3.pdf" in the installation's frm folder.
QString pdfTemplate();
// The pages of the form-data files: four employees a page after the page's fields DIC,
// "1.Strana", pocet (all employees) and PocetStran.
MyConsts::FormDataPages xfdfPages(int rok, const QString &dic, const QList<MyConsts::FormFields> &zamestnanci,
                                    const QString &sablona);

// Form-data run (code "VD_B_PDF").
void Export_xfdf(const TMyReportParam &p);

} // namespace VD2005B

class TReportVD2005B : public TReport {
public:
    TReportVD2005B();

    std::vector<VD2005B::VdBlock> Bloky;

    void Priprav_zostavu();
    void Otvor_data() override { Priprav_zostavu(); }
    void Zatvor_data() override { Bloky.clear(); }
    bool hasData() const override { return !Bloky.empty(); }

private:
    void fillColumn(const QString &stlpec, const VD2005B::VdBlock *b);
    size_t m_dalsi = 0;
};

} // namespace tarix::reports
