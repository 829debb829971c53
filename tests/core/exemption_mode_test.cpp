// The exemption texts follow the stored period: on every firm opening and whenever the
// period dialog closes, however it was closed, so that the August-to-December 2006 texts
// never outlive those months.
#include "core/forms/form_obdobie.h"
#include "core/period_rules.h"
#include "firm_fixture.h"

#include <QKeyEvent>
#include <QPushButton>

using namespace tarix;

namespace {

class ExemptionMode : public firmtest::FirmFixture {
protected:
    void SetUp() override { install({true, 2006, 2007}); }

    core::TDM &dm() { return core::DM(); }

    void openFirm(int year, const std::function<void()> &periodStep)
    {
        core::OpeningSteps steps;
        steps.vyber_obdobia = periodStep;
        ASSERT_TRUE(core::openFirmAndYear(1, year, steps));
        // A code whose stored text differs from its statutory text of 8 to 12/2006, so
        // that the two modes show different texts.
        s().execute("update \":tarix_comm:cis_vvz\" set text = 'vlastný text' where id = 'A'");
        if (dm().CIS5_.isActive())
            dm().CIS5_.refresh();
    }
    std::function<void()> choose(int year, int month)
    {
        return [this, year, month] { core::confirmPeriod(dm(), year, year, month, root()); };
    }

    QStringList texts()
    {
        if (!dm().CIS5_.isActive())
            dm().CIS5_.open();
        QStringList list;
        dm().Napln_zoznam_vynimiek(&list);
        return list;
    }
    void expectMode(int mode, const QStringList &expectedTexts)
    {
        EXPECT_EQ(dm().exceptionFilterMode(), mode);
        EXPECT_EQ(dm().CIS5_.filter(), mode == 1 ? QString::fromLatin1(core::kFilterVynimiek2006) : QString());
        EXPECT_EQ(texts(), expectedTexts);
    }
    QPair<int, int> stored()
    {
        const auto r = s().run("select rok, mesiac from \":tarix_priv:priv\"");
        return {int(r.asInteger(0, 0)), int(r.asInteger(0, 1))};
    }
};

} // namespace

TEST_F(ExemptionMode, EveryOpeningTakesTheModeOfTheStoredPeriod)
{
    openFirm(2007, choose(2007, 1));
    const QStringList normal = texts();
    openFirm(2006, choose(2006, 10));
    const QStringList of2006 = texts();
    ASSERT_NE(of2006, normal) << "the months 8 to 12/2006 have texts of their own";
    expectMode(1, of2006);

    // The dialog left without a new choice: the year is the opened one, the month stays.
    openFirm(2007, [] {});
    EXPECT_EQ(stored(), qMakePair(2007, 10));
    expectMode(0, normal);

    // No dialog at all: back in 2006 the stored October brings the 2006 texts again.
    openFirm(2006, {});
    expectMode(1, of2006);
    openFirm(2006, choose(2006, 7));
    expectMode(0, normal);
}

TEST_F(ExemptionMode, ThePeriodDialogSetsTheModeWhenItCloses)
{
    openFirm(2007, choose(2007, 1));
    const QStringList normal = texts();
    openFirm(2006, choose(2006, 10));
    const QStringList of2006 = texts();

    // Opening 2007: the clerk presses Esc in the period dialog and the dialog is closed
    // without "O&K".
    int modeAfterDialog = -1;
    openFirm(2007, [&] {
        core::TFormObdobie form(dm(), root());
        form.show();
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&form, &esc);
        EXPECT_TRUE(form.isVisible()) << "without a cancel button Esc does not close it";
        form.done(QDialog::Rejected);
        EXPECT_FALSE(form.isVisible());
        modeAfterDialog = dm().exceptionFilterMode();
        EXPECT_EQ(texts(), normal) << "the texts follow as soon as the dialog is closed";
    });
    EXPECT_EQ(modeAfterDialog, 0);
    EXPECT_EQ(stored(), qMakePair(2007, 10));
    expectMode(0, normal);

    // Back to 2006 through the dialog's own button.
    openFirm(2006, [&] {
        core::TFormObdobie form(dm(), root());
        form.setMesiac(12);
        form.okButton()->click();
        modeAfterDialog = dm().exceptionFilterMode();
    });
    EXPECT_EQ(modeAfterDialog, 1);
    expectMode(1, of2006);
}
