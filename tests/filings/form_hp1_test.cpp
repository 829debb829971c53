// The payment-order window as a new clerk meets it: the program starts on the demo
// installation with the payroll and the filings registered as the program registers them,
// firm 01 is opened for March 2007 and the month's payrolls are stored; "Hromadný príkaz na
// úhradu výplat" opens the window, a header is added with its due date, the items are
// generated for the month through the parameter dialog, both bank files are written and the
// header is deleted with two yes answers. The window's state rule is a table of its own.
#include "reports/program_fixture.h"

#include "core/app_ini.h"
#include "core/card_page_provider.h"
#include "core/commands.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/forms/form_main.h"
#include "core/forms/main_menu.h"
#include "core/forms/main_window_pages.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "filings/dm_hp.h"
#include "filings/forms/form_hp1.h"
#include "filings/forms/form_par_hp.h"
#include "filings/forms/subsystem.h"
#include "filings/payment_orders.h"
#include "payroll/dm_v.h"
#include "payroll/ini_settings.h"
#include "payroll/modules.h"
#include "platform/db/session.h"
#include "platform/db/table.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/shell/launcher.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/scripted_test.h"
#include "support/widgets/keyboard.h"
#include "support/widgets/modal_dialogs.h"
#include "support/widgets/program_start.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>

using namespace tarix;
using filings::hpWindowState;
using filings::OrderWindowState;

namespace {

TEST(PaymentOrderWindowState, NothingButSavingWhileAHeaderOrAnItemIsEdited)
{
    const struct {
        bool hlavicka, polozka;
        OrderWindowState stav;
    } pripady[] = {
        {false, false, {.vkladanie = true, .navrat = true, .navigatory = true, .operacie = true}},
        {true, false, {.zapis_hlavicky = true}},
        {false, true, {.zapis_polozky = true}},
        {true, true, {.zapis_hlavicky = true, .zapis_polozky = true}},
    };
    for (const auto &c : pripady)
        EXPECT_EQ(hpWindowState(c.hlavicka, c.polozka), c.stav) << c.hlavicka << c.polozka;
}

class PaymentOrderWindow : public reports::fixtures::ProgramTest<> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        hooks.readCalculationSettings = [] { payroll::setSettings(payroll::loadSettings(core::trxIni())); };
        filings::registerSubsystem(hooks);
        ShellUtils::setStartHook([](const QString &, const QStringList &, const QString &) { return true; });
        // The program's modules in its order, the payment orders' after the payroll's.
        std::vector<test::ModuleSteps> above = payrollModule();
        above.push_back({filings::createDMHP, filings::destroyDMHP});
        start(hooks, above);
        openFirm(2007, 3);
        storeMonth();
        ASSERT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
        scripted.clearEvents();
    }

    void TearDown() override
    {
        closeWindows<filings::TFormHP1>();
        ShellUtils::setStartHook({});
        ProgramTest::TearDown();
    }

    filings::TFormHP1 *openFromMenu() { return openWindow<filings::TFormHP1>("mnu_hp1"); }
};

TEST_F(PaymentOrderWindow, AClerkGeneratesTheMonthsOrderWritesTheBankFilesAndDeletesIt)
{
    filings::TFormHP1 *form = openFromMenu();
    ASSERT_NE(form, nullptr);
    filings::TDMHP &dm = filings::DMHP();
    EXPECT_TRUE(dm.THP1_.isActive());
    EXPECT_FALSE(form->P1->isVisible());

    // A new header: the panel shows with the firm's account; the due date is typed.
    emit form->Operacie->aboutToShow();
    ASSERT_TRUE(form->mnu_insert1->isEnabled());
    form->mnu_insert1->trigger();
    EXPECT_TRUE(form->P1->isVisible());
    EXPECT_FALSE(form->Btn_nacitaj->isEnabled());
    EXPECT_FALSE(form->btn_vub->isEnabled());
    EXPECT_FALSE(form->Mnu_insert2->isEnabled());
    auto *cislo = form->P1->findChild<dbctrl::DBEdit *>("DBE_CISLO_U");
    ASSERT_NE(cislo, nullptr);
    EXPECT_EQ(cislo->text(), "3621458202");
    auto *datum = form->P1->findChild<dbctrl::DBEdit *>("DBE_DATUM_SPLATNOSTI");
    ASSERT_NE(datum, nullptr);
    test::typeInto(datum, "10.4.2007");
    form->mnu_post1->trigger();
    EXPECT_FALSE(form->P1->isVisible());
    EXPECT_TRUE(form->Btn_nacitaj->isEnabled());
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp1\" where hpid=1 and datum_splatnosti='2007-04-10'"), 1);

    // Generation for March 2007 with the dialog's parts as they stand.
    scripted.answerYes(Msg(65148, QStringLiteral("marec 2007")));
    bool dialogSeen = false;
    test::whileDialogs([&] { form->Btn_nacitaj->click(); },
                       [&](QWidget *w) {
                           auto *d = qobject_cast<filings::TFormParHP *>(w);
                           ASSERT_NE(d, nullptr) << w->objectName().toStdString();
                           dialogSeen = true;
                           EXPECT_TRUE(d->cb_tlacit_a->isChecked());
                           EXPECT_FALSE(d->cb_tlacit_d->isChecked());
                           d->Button1->click();
                       });
    EXPECT_TRUE(dialogSeen);
    // The closing warning, naming each levy whose payee has no account in the firm's list.
    const QString leftOut = filings::leftOutLeviesText(filings::leviesWithoutAccount(core::session()));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Warning),
              QStringList{leftOut.isEmpty() ? Msg(65150) : Msg(65150) + "\r\n\r\n" + leftOut})
        << scripted.messages().join('\n').toStdString();
    const int paid = count("select count(*) from \":tarix_data:vyp\" where v_obdobie=200703 and sporenie>0");
    ASSERT_GT(paid, 0);
    const int stored = count("select count(*) from \":tarix_data:hp2\" where hpid=1");
    EXPECT_GE(stored, paid);
    EXPECT_EQ(form->DBG2->gridModel()->rowCount(), stored);

    // Both bank files of the header's due date.
    scripted.clearEvents();
    const QString xml = form->Btn_ikeyClick();
    EXPECT_EQ(xml, dir.root() + "vystupy/tb070410.XML");
    EXPECT_TRUE(QFile::exists(xml));
    form->btn_vub->click();
    EXPECT_TRUE(QFile::exists(dir.root() + "vystupy/vub070410.txt"));
    EXPECT_TRUE(scripted.messages().contains(Msg(65120, QDir::toNativeSeparators(dir.root() + "vystupy/vub070410.txt"))));

    // The header goes with its items after two yes answers.
    scripted.answerYes(Msg(65073)).answerYes(Msg(65133));
    form->mnu_delete1->trigger();
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp1\""), 0);
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\""), 0);

    form->Mnu_navrat->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(dm.THP1_.isActive());
}

TEST_F(PaymentOrderWindow, AnItemNeedsAHeaderAndWhileItIsEditedTheListsAndOperationsWait)
{
    filings::TFormHP1 *form = openFromMenu();
    ASSERT_NE(form, nullptr);
    filings::TDMHP &dm = filings::DMHP();
    form->Mnu_insert2->trigger();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65147)});
    EXPECT_FALSE(dm.THP2_.isEditing());
    EXPECT_FALSE(form->P2->isVisible());

    core::session().execute("insert into \":tarix_data:hp1\" (hpid, por_cislo, cislo_u, banka_u) values "
                            "(1, 1, '2612345678', '0200'), (2, 2, '2612345678', '0200')");
    form->close();
    QApplication::processEvents();
    form = openFromMenu();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(dm.currentHpid(), 2); // the window opens on the last header

    form->Mnu_insert2->trigger();
    ASSERT_TRUE(dm.THP2_.isEditing());
    EXPECT_TRUE(form->P2->isVisible());
    EXPECT_FALSE(form->P1->isVisible());
    EXPECT_FALSE(dm.DS_HP1G.isEnabled());
    EXPECT_FALSE(dm.DS_HP2G.isEnabled());
    for (QAction *a : {form->mnu_insert1, form->mnu_delete1, form->mnu_post1, form->Mnu_tlac, form->Mnu_tlac2,
                       form->Mnu_generuj, form->Mnu_navrat})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    for (QPushButton *b : {form->Btn_nacitaj, form->Btn_tlac, form->Btn_ikey, form->btn_vub, form->Btn_navrat})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(form->Mnu_post2->isEnabled());
    form->Mnu_cancel2->trigger();
    EXPECT_FALSE(form->P2->isVisible());
    EXPECT_TRUE(form->Btn_nacitaj->isEnabled());
    EXPECT_TRUE(dm.DS_HP2G.isEnabled());
}

} // namespace
