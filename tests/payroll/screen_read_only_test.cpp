// Input fields whose typed value the next calculation replaces are shown read-only; those
// whose typed value it keeps stay open, and the set follows the record (the automatic
// calculation switch, the premium type).
#include "screen_fixture.h"

#include "payroll/calc/calculation.h"
#include "payroll/forms/prepisane_polia.h"
#include "payroll/forms/vyp_layout.h"

#include <QCheckBox>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::screentest;

namespace {

class ReadOnlyFields : public PayrollScreenTest {
protected:
    // A new record of employee 1 with the full month worked, still being inserted.
    TFormMainVyp &newRecord()
    {
        TFormMainVyp &f = openScreen();
        choose(1);
        EXPECT_TRUE(f.Akcia_vypl_insert());
        const double fund = value("V_fmes");
        typeInto(edit("V_den"), QString::number(fund));
        typeInto(edit("V_hodina"), QString::number(fund * value("F_doba")));
        return f;
    }
    bool shownReadOnly(const QString &field)
    {
        for (QWidget *w : form->fieldControls(field)) {
            if (auto *e = qobject_cast<dbctrl::DBEdit *>(w); e && !e->isReadOnly())
                return false;
            if (auto *c = qobject_cast<dbctrl::DBCheckBox *>(w); c && c->isEnabled() && !c->isDataReadOnly())
                return false;
        }
        return true;
    }
};

} // namespace

TEST_F(ReadOnlyFields, ResultsAreClosedAndInputsOpen)
{
    newRecord();
    const QSet<QString> &closed = form->overwrittenFields();
    // Copied from the employee, the year or the firm, or computed from other fields.
    for (const char *f : {"F_doba", "Miera_poklesu", "F_zdravot", "Fz_nemoc", "O_zdravot", "Oz_dochod",
                          "N_zaklad_zp", "N_ukolova"}) {
        EXPECT_TRUE(closed.contains(QString::fromLatin1(f).toUpper())) << f;
        EXPECT_TRUE(shownReadOnly(f)) << f;
    }
    // What the clerk enters.
    for (const char *f : {"V_den", "V_hodina", "N_odmeny", "Ne_zaloha", "Vh_nadcas", "D_vyrovnanie", "Automatika"}) {
        EXPECT_FALSE(closed.contains(QString::fromLatin1(f).toUpper())) << f;
        EXPECT_FALSE(shownReadOnly(f)) << f;
    }

    // Typing into a closed field changes nothing.
    const double doba = value("F_doba");
    typeInto(edit("F_doba"), "3");
    EXPECT_DOUBLE_EQ(value("F_doba"), doba);
}

TEST_F(ReadOnlyFields, BasesOpenWhenTheAutomaticCalculationIsOff)
{
    newRecord();
    ASSERT_TRUE(form->overwrittenFields().contains("N_ZAKLAD_ZP"));
    auto *automatika = qobject_cast<QCheckBox *>(form->fieldControls("Automatika").value(0));
    ASSERT_NE(automatika, nullptr);
    ASSERT_TRUE(automatika->isChecked());
    automatika->click();
    EXPECT_FALSE(DMV().TVYP_.fieldByName("Automatika").asBoolean());
    EXPECT_FALSE(form->overwrittenFields().contains("N_ZAKLAD_ZP"));
    ASSERT_FALSE(edit("N_zaklad_zp")->isReadOnly());

    // The typed base survives the calculation and the post.
    typeInto(edit("N_zaklad_zp"), "500");
    EXPECT_DOUBLE_EQ(value("N_zaklad_zp"), 500);
    ASSERT_TRUE(form->Akcia_vypl_post());
    const db::SqlResult r = stored(1, 200703);
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_DOUBLE_EQ(r.value(0, "N_zaklad_zp").toDouble(), 500);
}

TEST_F(ReadOnlyFields, PremiumFollowsItsRateWhateverItsType)
{
    newRecord();
    // The premium is computed from its rate by every premium type (type 0: the rate is the
    // amount), so the amount is closed and the rate is where the clerk types.
    EXPECT_TRUE(form->overwrittenFields().contains("N_PREMIE"));
    EXPECT_TRUE(edit("N_premie")->isReadOnly());
    EXPECT_FALSE(edit("F_sadzba_premii")->isReadOnly());
    typeInto(edit("F_typ_premii"), "0");
    typeInto(edit("F_sadzba_premii"), "300");
    EXPECT_DOUBLE_EQ(value("N_premie"), 300);
    typeInto(edit("F_typ_premii"), "1");
    typeInto(edit("F_sadzba_premii"), "10");
    EXPECT_NEAR(value("N_premie"), value("V_plat") * 0.1, 1.0);
    EXPECT_TRUE(edit("N_premie")->isReadOnly());
}

// A deduction total is typed while the payroll has no deduction rows and follows the rows
// once it has some.
TEST_F(ReadOnlyFields, DeductionTotalsCloseOnlyWithDeductionRows)
{
    // Employee 3 has no standing deductions.
    TFormMainVyp &f = openScreen();
    choose(3);
    ASSERT_TRUE(f.Akcia_vypl_insert());
    EXPECT_FALSE(f.overwrittenFields().contains("NE_POISTOVNA"));
    typeInto(edit("Ne_poistovna"), "25");
    EXPECT_DOUBLE_EQ(value("Ne_poistovna"), 25);

    // A deduction row of type P: the total is computed from the rows.
    ASSERT_TRUE(f.akcia_zrv(dbctrl::NavigateButton::Insert));
    auto *typ = qobject_cast<dbctrl::DBEdit *>(f.deductionControl("Typ"));
    auto *suma = qobject_cast<dbctrl::DBEdit *>(f.deductionControl("Suma"));
    typeInto(typ, "P");
    typeInto(suma, "40");
    ASSERT_TRUE(f.akcia_zrv(dbctrl::NavigateButton::Post));
    EXPECT_EQ(DMV().TZRV_.recordCount(), 1) << "the new payroll's row is in the list";
    EXPECT_DOUBLE_EQ(value("Ne_poistovna"), 40);
    EXPECT_TRUE(f.overwrittenFields().contains("NE_POISTOVNA"));
    EXPECT_TRUE(edit("Ne_poistovna")->isReadOnly());
}

// The claim behind the screen's choice, checked on the calculation itself with values the
// choice never tried: a closed field's result does not depend on what was typed, and an
// open field keeps a typed value.
TEST_F(ReadOnlyFields, TheChoiceAgreesWithTheCalculation)
{
    newRecord();
    TDMV &m = DMV();
    const PayRecord record = m.currentPayroll();
    const CalcContext context = m.payrollContext(record);
    const QStringList inputs = MainVyp::inputFields();
    const QSet<QString> closed = fieldsOverwrittenByCalculation(record, context, inputs);
    EXPECT_FALSE(closed.isEmpty());
    for (const QString &name : inputs) {
        const FieldDef<PayRecord> *def = PayRecord::field(name);
        ASSERT_NE(def, nullptr) << name.toStdString();
        if (def->type == FieldType::Text)
            continue;
        PayRecord plain = record;
        Vypocet_vyplaty(plain, context);
        if (closed.contains(name)) {
            for (const QVariant &typed : {QVariant(7), QVariant(123.25)}) {
                PayRecord r = record;
                if (def->type == FieldType::Logical)
                    r.setValue(name, !record.value(name).toBool());
                else
                    r.setValue(name, typed);
                Vypocet_vyplaty(r, context);
                EXPECT_EQ(r.value(name), plain.value(name)) << name.toStdString() << " depends on what was typed";
            }
        } else {
            bool kept = false;
            for (const QVariant &typed : {record.value(name), QVariant(1), QVariant(record.value(name).toDouble() + 1)}) {
                PayRecord r = record;
                const QVariant v = def->type == FieldType::Logical ? QVariant(typed.toBool()) : typed;
                r.setValue(name, v);
                try {
                    Vypocet_vyplaty(r, context);
                } catch (const std::exception &) {
                    continue;
                }
                if (r.value(name).toDouble() == v.toDouble())
                    kept = true;
            }
            EXPECT_TRUE(kept) << name.toStdString() << " is open but keeps nothing typed";
        }
    }
}
