#include "reports/sheets/employee_heading.h"

#include "core/helpers/text_utils.h"
#include "core/helpers/periods.h"
#include "reports/sheets/sheet_report.h"

namespace tarix::reports::sheets {

using namespace Qt::Literals::StringLiterals;

void addEmployeeFields(db::Query &q)
{
    for (const char *f : {"CALC_FIRMA", "CALC_STREDISKO", "CALC_TMP", "CALC_OS_CISLO", "CALC_RODNE_CISLO", "CALC_OBDOBIE"})
        q.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
}

void computeEmployeeFields(db::DataSet &ds, const QString &firma, const QString &nadpis, int obdobie)
{
    const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
    ds.setValue(u"CALC_FIRMA"_s, u"FIRMA: "_s + firma);
    ds.setValue(u"CALC_STREDISKO"_s, u"Stredisko: "_s + txt("sid"));
    const QString titul = txt("title").trimmed();
    ds.setValue(u"CALC_TMP"_s, MyConsts::Cele_meno(titul, txt("name"), txt("surname")));
    ds.setValue(u"CALC_OS_CISLO"_s, u"Osobné číslo: "_s + txt("code_numb"));
    ds.setValue(u"CALC_RODNE_CISLO"_s, u"Rodné číslo: "_s + txt("born_numb"));
    ds.setValue(u"CALC_OBDOBIE"_s,
                nadpis + MyConsts::Nazov_mesiaca(obdobie % 100, true) + u' ' + QString::number(obdobie / 100));
}

std::vector<rpt::LayoutItem> employeeHeading(const QString &zdroj)
{
    using namespace rpt;
    return {
        dbText(u"QRDB_CALC_FIRMA"_s, {0, 0, 120, 4.5}, zdroj + u"CALC_FIRMA"_s, reportFont(9, true)),
        dbText(u"QRDB_CALC_OBDOBIE"_s, {0, 6, 190, 5.5}, zdroj + u"CALC_OBDOBIE"_s, reportFont(11, true)),
        dbText(u"QRDB_CALC_TMP"_s, {0, 13, 80, 4.5}, zdroj + u"CALC_TMP"_s, reportFont(10, true)),
        dbText(u"QRDB_CALC_OS_CISLO"_s, {82, 13, 40, 4.5}, zdroj + u"CALC_OS_CISLO"_s, reportFont(8)),
        dbText(u"QRDB_CALC_STREDISKO"_s, {124, 13, 26, 4.5}, zdroj + u"CALC_STREDISKO"_s, reportFont(8)),
        dbText(u"QRDB_CALC_RODNE_CISLO"_s, {150, 13, 40, 4.5}, zdroj + u"CALC_RODNE_CISLO"_s, reportFont(8),
               Qt::AlignRight),
    };
}

} // namespace tarix::reports::sheets
