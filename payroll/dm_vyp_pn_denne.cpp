// The year-end run of the average daily earnings: every employee's card gets, as the daily
// base of the wage compensation during sickness (PN_DENNE of Zam), the sick-pay base of his
// payrolls of the previous year divided by the calendar days not spent sick, caring for a
// family member or on sickness compensation.
//
// The run writes every employee in one transaction: a failure at any employee (a locked
// row, a database error) rolls the cards back, so either all employees got their new value
// or none did, and the error names the employee where the run stopped.
#include "payroll/dm_v.h"

#include "core/dm_zam.h"
#include "core/helpers/myconsts.h"
#include "core/helpers/rounding.h"
#include "platform/db/session.h"
#include "platform/errors.h"

#include <QHash>

namespace tarix::payroll {

namespace {

struct SumyRoka {
    double zakladNp = 0;
    double dni = 0; // calendar days less sick, care and compensation days
};

EMyError stopRequested(const QString &meno, int codeEmp, int codeNumb, const QString &cause)
{
    const QString who = meno.isEmpty() ? QString::number(codeEmp) : meno;
    return EMyError(QStringLiteral("Výpočet čistej dennej mzdy bol zastavený pri zamestnancovi %1 "
                                   "(os. č. %2):\n%3\nŽiadna karta zamestnanca nebola zmenená.")
                        .arg(who, QString::number(codeNumb), cause));
}

} // namespace

void TDMV::Vypocet_cistej_dennej_mzdy(int year)
{
    db::Session &s = TVYP_.session();
    const bool zamestnanci = core::hasDMZ() && core::DMZ().TZAM_.isActive();
    // A pending edit of the card is finished first, so that the run neither overwrites it
    // nor is overwritten by it.
    if (zamestnanci)
        core::DMZ().TZAM_.checkBrowseMode();

    {
        db::Transaction tx(&s);

        QHash<int, SumyRoka> sumy;
        QCDM_.close();
        QCDM_.setParam(QStringLiteral("obdobie1"), (year - 1) * 100 + 1);
        QCDM_.setParam(QStringLiteral("obdobie2"), (year - 1) * 100 + 12);
        QCDM_.open();
        for (QCDM_.first(); !QCDM_.eof(); QCDM_.next()) {
            auto value = [this](const char *name) { return QCDM_.fieldByName(QLatin1String(name)).asFloat(); };
            sumy.insert(int(QCDM_.fieldByName(QStringLiteral("code_emp")).asInteger()),
                        {value("n_zaklad_np"),
                         value("v_kal_dni") - value("v_pn") - value("v_ocr12") - value("v_nahrada_pn")});
        }
        QCDM_.close();

        const db::SqlResult zam = s.run(QStringLiteral(
            "select code_emp, code_numb, title, name, surname from \":tarix_data:zam\" order by code_emp"));
        for (int i = 0; i < zam.rowCount(); ++i) {
            const int codeEmp = int(zam.asInteger(i, 0));
            const auto found = sumy.constFind(codeEmp);
            // Without payrolls in the year or without days left the card keeps its value.
            if (found == sumy.constEnd() || found->dni <= 0)
                continue;
            const double pnDenne = MyConsts::Zaokruhli_sumu(-4, MyConsts::Normal, found->zakladNp / found->dni);
            try {
                s.run(QStringLiteral("update \":tarix_data:zam\" set pn_denne = :v where code_emp = :e"),
                      {{QStringLiteral("v"), pnDenne}, {QStringLiteral("e"), codeEmp}});
            } catch (const EMyError &e) { // every db::DbError
                throw stopRequested(MyConsts::Cele_meno(zam.asString(i, 2), zam.asString(i, 4), zam.asString(i, 3)),
                                 codeEmp, int(zam.asInteger(i, 1)), e.text());
            } catch (const std::exception &e) {
                throw stopRequested(MyConsts::Cele_meno(zam.asString(i, 2), zam.asString(i, 4), zam.asString(i, 3)),
                                 codeEmp, int(zam.asInteger(i, 1)), QString::fromUtf8(e.what()));
            }
        }
        tx.commit();
    }

    if (zamestnanci)
        core::DMZ().TZAM_.refresh();
}

} // namespace tarix::payroll
