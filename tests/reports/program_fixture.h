#pragma once
// The program as a new user meets it: started on a fresh demo installation as app/main.cpp
// starts it (windows not shown, the login answered with the empty password), with the
// core's and the payroll's data modules made by start-up, and firm 01 opened for a month
// through the firm menu. Each test hands over the start-up hooks and commands it registers;
// the tear-down takes back every command, page, print routine and report the run added,
// so that tests which run later in the same program meet the menu as it was.
#include "support/payroll_entry.h"
#include "core/app_ini.h"
#include "core/card_page_provider.h"
#include "core/commands.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/forms/form_main.h"
#include "core/forms/employee_card.h"
#include "core/forms/main_menu.h"
#include "core/forms/main_window_pages.h"
#include "core/forms/startup.h"
#include "core/helpers/parameters.h"
#include "core/module_registry.h"
#include "core/session.h"
#include "payroll/dm_v.h"
#include "payroll/forms/form_main_vyp.h"
#include "payroll/forms/rzp_pages.h"
#include "payroll/forms/settlement_commands.h"
#include "payroll/ini_settings.h"
#include "payroll/modules.h"
#include "platform/db/session.h"
#include "platform/report/qt/preview.h"
#include "reports/dispatcher.h"
#include "reports/forms/f_par_form.h"
#include "report_checks.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/scripted_test.h"
#include "support/widgets/modal_dialogs.h"
#include "support/widgets/program_start.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace tarix::reports::fixtures {

// Keeps what the preview shows and shows it in the real preview window.
class RecordingPreviewHost : public rpt::PreviewHost {
public:
    void showPreview(const rpt::PreparedReport &report, rpt::ReportForm &form) override
    {
        shown.push_back(report);
        dialog.showPreview(report, form);
    }
    std::vector<rpt::PreparedReport> shown;
    rpt::DialogPreviewHost dialog;
};

template <class Script = ui::ScriptedUserInterface>
class ProgramTest : public test::ScriptedTest<Script> {
protected:
    using test::ScriptedTest<Script>::scripted;

    void SetUp() override
    {
        test::ScriptedTest<Script>::SetUp();
        registered.keep();
    }

    void TearDown() override
    {
        // The main window is left to the end of the run, as the start-up tests leave it
        // (deleting it here makes the process fail at exit).
        if (main)
            main->hide();
        registered.restore();
        payroll::payrollScreenPrintCommands().clear();
        payroll::settlementPrintCommands().clear();
        rpt::setDefaultPreviewHost(nullptr);
        core::dropOpenFirm();
        core::closeSession();
        modules.destroy();
        core::registerPieceWorkPage(nullptr);
        payroll::setSettings({});
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        test::ScriptedTest<Script>::TearDown();
    }

    // The hooks of the payroll subsystem's data module as the program has them: the table
    // registry filled after the data modules, then `registerReports`; the calculation
    // settings read from TRX.INI.
    static core::StartupHooks payrollHooks(std::function<void()> registerReports = {})
    {
        payroll::registerModules();
        core::StartupHooks hooks;
        hooks.afterDataModules = [registerReports] {
            core::DMA().Registruj_tabulky();
            if (registerReports)
                registerReports();
        };
        hooks.readCalculationSettings = [] { payroll::setSettings(payroll::loadSettings(core::trxIni())); };
        return hooks;
    }

    // The payroll's data module, the one the program makes after the core's.
    static std::vector<test::ModuleSteps> payrollModule() { return {{payroll::createDMV, payroll::destroyDMV}}; }

    // Starts the program on a fresh demo installation with the core's data modules, those
    // of the layers above (`above`, in the program's order) and `hooks`. The installation is
    // the one without the demo firm's payrolls: the tests store the months they print
    // themselves (March 2007 among them) and count on the year's other months being empty.
    void start(const core::StartupHooks &hooks, const std::vector<test::ModuleSteps> &above = payrollModule())
    {
        dir.install({.demoPayrolls = false});
        std::vector<test::ModuleSteps> all = test::coreModules();
        all.insert(all.end(), above.begin(), above.end());
        modules.handOver(all, true);
        main = test::startWithLogin(dir.path(), hooks);
        ASSERT_NE(main, nullptr);
    }

    // "Výber firmy" - firm 01 - the year, the whole firm, the month; the previews recorded
    // from then on.
    void openFirm(int year, int month)
    {
        test::openFirmFromMenu(*main, year, month);
        ASSERT_EQ(main->openFirm(), 1);
        ASSERT_EQ(core::DM().Aktualne_obdobie(), year * 100 + month);
        rpt::setDefaultPreviewHost(&preview);
    }

    // The payroll of an employee for the open month, the whole month worked, computed and
    // stored by the payroll module.
    void storePayroll(int codeNumb, int codeEmp)
    {
        payroll::TDMV &dmv = payroll::DMV();
        for (db::Table *t : {&dmv.TVYP_, &dmv.TZRV_, &dmv.THSU_})
            if (!t->isActive())
                t->open();
        test::postWholeMonth(dmv, codeNumb, codeEmp);
    }

    // The open month's payroll of every employee of the firm; the number of employees.
    int storeMonth()
    {
        const db::SqlResult emps = core::session().run("select code_emp, code_numb from \":tarix_data:zam\"");
        for (int i = 0; i < emps.rowCount(); ++i)
            storePayroll(int(emps.asInteger(i, 1)), int(emps.asInteger(i, 0)));
        return emps.rowCount();
    }

    // The main menu bar's four menus.
    std::array<QMenu *, 4> menus() const
    {
        return {main->menuSystem(), main->mainMenu(), main->overviewsMenu(), main->settingsMenu()};
    }
    // The menus as the clerk opens them: their items' states brought up to date.
    void refreshMenus()
    {
        for (QMenu *m : menus())
            emit m->aboutToShow();
    }

    // Chooses an item of the main menu as the clerk does: the menus are opened on the way
    // and only an enabled item is chosen.
    void choose(const char *name)
    {
        refreshMenus();
        QAction *a = main->findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isVisible() && a->isEnabled()) << name;
        a->trigger();
    }

    // Chooses an item of a menu anywhere under the main window that opens a window of its
    // own; the window shown, or null.
    template <class Window>
    Window *openWindow(const char *name)
    {
        for (QMenu *m : main->findChildren<QMenu *>())
            emit m->aboutToShow();
        QAction *a = main->findChild<QAction *>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        if (!a)
            return nullptr;
        EXPECT_TRUE(a->isEnabled()) << name;
        a->trigger();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *f = qobject_cast<Window *>(w); f && f->isVisible())
                return f;
        return nullptr;
    }

    // Frees every window of a class the test left open. A window's own menus are windows
    // too and go with it: look again after each one.
    template <class Window>
    static void closeWindows()
    {
        for (bool found = true; found;) {
            found = false;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *f = qobject_cast<Window *>(w)) {
                    delete f;
                    found = true;
                    break;
                }
        }
    }

    // Runs `trigger` as the clerk starts a print: the parameter dialog is counted, handed
    // to `onDialog` and confirmed; the preview is counted, saved to `pdf` when one is
    // named, and closed. Any other window fails the test.
    void print(const std::function<void()> &trigger, const QString &pdf = {},
               const std::function<void(TFParForm &)> &onDialog = {})
    {
        test::whileDialogs(trigger,
                           [&](QWidget *w) {
                               if (auto *form = qobject_cast<TFParForm *>(w)) {
                                   ++dialogs;
                                   if (onDialog)
                                       onDialog(*form);
                                   form->Button1->click();
                               } else if (auto *d = qobject_cast<rpt::PreviewDialog *>(w)) {
                                   ++previews;
                                   if (!pdf.isEmpty()) {
                                       EXPECT_TRUE(d->savePdf(pdf));
                                   }
                                   d->accept();
                               } else {
                                   ADD_FAILURE() << "unexpected window " << w->metaObject()->className() << " "
                                                 << w->objectName().toStdString();
                                   w->close();
                               }
                           },
                           30000);
    }

    // An amount as the printouts show it: two decimals after a comma.
    static QString amount(double v) { return QString::number(v, 'f', 2).replace('.', ','); }
    int count(const QString &sql) { return int(core::session().run(sql).asInteger(0, 0)); }
    QStringList errors() const { return scripted.messages(ui::MessageKind::Error); }

    test::Installation dir;
    test::DataModules modules;
    RecordingPreviewHost preview;
    core::TFormMain *main = nullptr;
    int dialogs = 0;  // parameter dialogs confirmed by print()
    int previews = 0; // previews closed by print()
    RegisterSnapshot registered;
};

} // namespace tarix::reports::fixtures
