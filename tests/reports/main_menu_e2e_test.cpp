// The main menu as a new user meets it: the program starts on the demo installation (made
// without the demo firm's payrolls, as the test stores March 2007 itself) with the
// subsystems' commands registered as the program registers them, firm 01 is opened for
// March 2007 and the month's payrolls of the ten employees are stored. From
// "Tlačové zostavy" the month's payslips print through the parameter dialog in one run;
// every item a clerk can choose reaches its window, question, report or the "not
// available" message; the check-file command and the guarantee insurance behave as the
// clerk is told.
#include "program_fixture.h"

#include "core/dm_zam.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "core/helpers/text_utils.h"
#include "payroll/forms/subsystem.h"
#include "platform/format/dates.h"
#include "reports/forms/launcher_commands.h"
#include "reports/forms/payroll_print.h"
#include "reports/payslips/report_payslip.h"
#include "reports/recap/rekapitulacie.h"
#include "core/database_server.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"
#include "platform/ini/ini_file.h"
#include "support/pdf_text.h"
#include "support/pg_test_server.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QTemporaryDir>

using namespace tarix;

namespace {

// The clerk who says no to every question and cancels every file choice: the walk sees
// each item reach its question without changing the firm.
class SayingNo : public ui::ScriptedUserInterface {
public:
    bool sayNo = false;
    bool askYesNo(const QString &question) override
    {
        if (!sayNo)
            return ScriptedUserInterface::askYesNo(question);
        asked << question;
        return false;
    }
    QString chooseOpenFile(const ui::FileDialogRequest &request, int *index = nullptr) override
    {
        if (!sayNo)
            return ScriptedUserInterface::chooseOpenFile(request, index);
        asked << request.caption;
        return {};
    }
    QStringList asked;
};

class MainMenuEndToEnd : public reports::fixtures::ProgramTest<SayingNo> {
protected:
    // Starts the program as app/main.cpp does (login with the empty password), with the
    // commands the payroll and reports subsystems register, and opens firm 01 in March
    // 2007 with the month's payrolls stored for every employee.
    void SetUp() override
    {
        ProgramTest::SetUp();
        const core::StartupHooks hooks = payrollHooks([] { reports::registerPayslips(); });
        core::CommandRegistry &commands = core::mainMenuCommands();
        payroll::registerCommands();
        payroll::registerNetDailyWageCommand(commands);
        payroll::registerGuaranteeInsuranceCommand(commands);
        reports::registerCommands();
        reports::registerLauncherCommands(commands);
        start(hooks);
        openFirm(2007, 3);
        ASSERT_EQ(storeMonth(), 10);
        ASSERT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
        ASSERT_EQ(count("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200703"), 10);
        scripted.clearEvents();
    }
};

} // namespace

TEST_F(MainMenuEndToEnd, TheMonthsPayslipsPrintInOneRunThroughTheParameterDialog)
{
    const QString pdf = dir.filePath("vyplatne_pasky.pdf");
    print([&] { choose("tlac_vp"); }, pdf, [](reports::TFParForm &form) {
        // The sort box is not offered: payslips go by surname and name.
        EXPECT_TRUE(form.CB_abeceda->isHidden());
        form.CB_abeceda->setChecked(false);
        EXPECT_EQ(form.CB_stred->currentIndex(), 0); // the whole firm
        EXPECT_EQ(form.CB_mesiac->currentText(), "3");
    });
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();

    // The stored payrolls in the order of the Slovak alphabet.
    const db::SqlResult r = core::session().run(
        "select z.title, z.name, z.surname, v.n_netto from \":tarix_data:vyp\" v "
        "join \":tarix_data:zam\" z on z.code_emp = v.code_emp where v.v_obdobie = 200703 "
        "order by z.surname, z.name");
    ASSERT_EQ(r.rowCount(), 10);
    ASSERT_EQ(preview.shown.size(), 1u);
    ASSERT_EQ(preview.shown[0].pageCount(), 10);
    QStringList names, nets;
    for (int i = 0; i < 10; ++i) {
        const rpt::PreparedPage &page = preview.shown[0].pages[size_t(i)];
        const rpt::PreparedItem *name = page.findText("QRDB_CALC_TMP");
        const rpt::PreparedItem *net = page.findText("QRDB_N_netto");
        ASSERT_NE(name, nullptr) << i;
        ASSERT_NE(net, nullptr) << i;
        const QString expected = MyConsts::Cele_meno(r.asString(i, 0), r.asString(i, 1), r.asString(i, 2));
        EXPECT_EQ(name->text(), expected) << "page " << i + 1;
        EXPECT_EQ(net->text(), amount(r.value(i, 3).toDouble())) << "page " << i + 1;
        names << expected;
        nets << amount(r.value(i, 3).toDouble());
    }

    // The PDF: ten pages, each with its employee's name and net pay.
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    file.close();
    if (!test::havePdfToText())
        return;
    for (int i = 0; i < 10; ++i) {
        const QString text = test::pdfText(pdf, i + 1);
        EXPECT_TRUE(text.contains(names[i])) << names[i].toStdString() << " not on page " << i + 1;
        EXPECT_TRUE(text.contains(nets[i])) << nets[i].toStdString() << " not on page " << i + 1;
    }
}

namespace {

// The same as a new user on a database server meets it: the installation made on the
// test cluster's server by its generator, TRX.INI of the program folder naming the server.
class ServerMainMenu : public reports::fixtures::ProgramTest<> {
protected:
    // Starts the program on a program folder, with the payroll's and the reports' commands
    // and the payslips' routine, as MainMenuEndToEnd does.
    void startOn(const QString &programFolder)
    {
        const core::StartupHooks hooks = payrollHooks([] { reports::registerPayslips(); });
        core::CommandRegistry &commands = core::mainMenuCommands();
        payroll::registerCommands();
        reports::registerCommands();
        reports::registerLauncherCommands(commands);
        std::vector<test::ModuleSteps> all = test::coreModules();
        all.push_back({payroll::createDMV, payroll::destroyDMV});
        modules.handOver(all, true);
        main = test::startWithLogin(programFolder, hooks);
        ASSERT_NE(main, nullptr) << errors().join('\n').toStdString();
    }

    // Ends the program as the clerk closes it, so that another workstation may start.
    void endProgram()
    {
        rpt::setDefaultPreviewHost(nullptr);
        core::dropOpenFirm();
        core::endProgram();
        main = nullptr;
        modules.destroy();
        registered.restore();
        payroll::setSettings({});
        MyConsts::Parametre().fill(MyConsts::Parameter{});
    }
};

} // namespace

// A new user on a server: start, open the demo firm, store and print a payroll of April 2007
// (the first month the demo firm does not ship); then a second workstation (a program folder
// of its own, so a private schema of its own, with the first folder as the network root of
// files) opens the same firm and month and finds the record.
TEST_F(ServerMainMenu, APayrollStoredAndPrintedOnOneWorkstationIsSeenOnAnother)
{
    TARIX_REQUIRE_PG_SERVER();
    test::Installation server(test::Backend::Server);
    server.install();
    ASSERT_FALSE(QFile::exists(server.filePath("DATA01"))) << "the firm's data belong on the server";
    startOn(server.path());
    EXPECT_TRUE(core::session().isServer());
    openFirm(2007, 4);
    storePayroll(101, 1);
    ASSERT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    const db::SqlResult stored = core::session().run(
        "select z.title, z.name, z.surname, v.n_netto from \":tarix_data:vyp\" v "
        "join \":tarix_data:zam\" z on z.code_emp = v.code_emp where v.v_obdobie = 200704");
    ASSERT_EQ(stored.rowCount(), 1);
    const QString name = MyConsts::Cele_meno(stored.asString(0, 0), stored.asString(0, 1), stored.asString(0, 2));
    const double net = stored.value(0, 3).toDouble();
    EXPECT_GT(net, 0.0);

    // The payslip of the month, printed to PDF in the network root's folder of outputs.
    const QString pdf = server.filePath("vystupy/vyplatna_paska_server.pdf");
    print([&] { choose("tlac_vp"); }, pdf);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    ASSERT_EQ(preview.shown.size(), 1u);
    ASSERT_EQ(preview.shown[0].pageCount(), 1);
    const rpt::PreparedPage &page = preview.shown[0].pages[0];
    ASSERT_NE(page.findText("QRDB_CALC_TMP"), nullptr);
    EXPECT_EQ(page.findText("QRDB_CALC_TMP")->text(), name);
    ASSERT_NE(page.findText("QRDB_N_netto"), nullptr);
    EXPECT_EQ(page.findText("QRDB_N_netto")->text(), amount(net));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    file.close();
    if (test::havePdfToText()) {
        const QString text = test::pdfText(pdf, 1);
        EXPECT_TRUE(text.contains(name)) << text.toStdString();
        EXPECT_TRUE(text.contains(amount(net))) << text.toStdString();
    }
    endProgram();

    // The second workstation: its own program folder and private schema, the same server
    // and network root.
    QTemporaryDir second;
    ASSERT_TRUE(QFile::copy(server.filePath("TRX.INI"), QDir(second.path()).filePath("TRX.INI")));
    ini::IniFile(QDir(second.path()).filePath("TRX.INI"))
        .writeString("NETWORK", "Network_Path", server.root());
    startOn(second.path());
    const QString firstPrivate = core::workstationPrivateSchema(server.root());
    const QString secondPrivate = core::workstationPrivateSchema(second.path() + '/');
    ASSERT_NE(firstPrivate, secondPrivate);
    db::PgConnection conn(server.serverConninfo());
    EXPECT_TRUE(db::serverSchemaExists(conn, secondPrivate));
    openFirm(2007, 4);
    const db::SqlResult seen = core::session().run(
        "select n_netto from \":tarix_data:vyp\" where v_obdobie = 200704 and code_emp = 1");
    ASSERT_EQ(seen.rowCount(), 1);
    EXPECT_EQ(seen.value(0, 0).toDouble(), net);
    // The payroll screen's table shows it too.
    payroll::TDMV &dmv = payroll::DMV();
    if (!dmv.TVYP_.isActive())
        dmv.TVYP_.open();
    dmv.setEmployee(101, 1);
    EXPECT_EQ(dmv.TVYP_.fieldByName("N_netto").asFloat(), net);
    endProgram();
}

// "Náklady zamestnávateľa" of the stored month: the recapitulation rewrites the month's
// lines and prints them; every health insurer of the employees has its lines.
TEST_F(MainMenuEndToEnd, TheMonthsCostRecapitulationListsEveryInsurer)
{
    reports::registerRecaps();
    print([&] { choose("tlac_nz"); });
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    ASSERT_EQ(preview.shown.size(), 1u);
    QStringList texts;
    for (const rpt::PreparedPage &page : preview.shown[0].pages)
        for (const rpt::PreparedItem *t : page.texts())
            texts << t->text();
    const db::SqlResult insurers = core::session().run(
        "select distinct v.kzp from \":tarix_data:vyp\" v where v.v_obdobie = 200703 and v.kzp > 0 order by 1");
    ASSERT_GT(insurers.rowCount(), 0);
    for (int i = 0; i < insurers.rowCount(); ++i) {
        const QString line = QStringLiteral("Poistné do zdrav.poisťovne č.%1 - spolu").arg(insurers.asInteger(i, 0));
        EXPECT_TRUE(texts.contains(line)) << line.toStdString() << " not printed";
        EXPECT_EQ(count("select count(*) from \":tarix_priv:nakl\" where text = '" + line + "'"), 1)
            << line.toStdString();
    }
}

// Every item a clerk can choose in the four main menus (the firm lists aside) reaches its
// window, question, report or the "not available" message; no other error box comes.
TEST_F(MainMenuEndToEnd, EveryEnabledItemReachesItsWindowQuestionOrReport)
{
    scripted.sayNo = true;
    std::vector<QAction *> items;
    std::function<void(QMenu *)> collect = [&](QMenu *m) {
        emit m->aboutToShow();
        for (QAction *a : m->actions()) {
            if (!a->isVisible() || !a->isEnabled() || a->isSeparator())
                continue;
            if (QMenu *sub = a->menu()) {
                if (sub->objectName() != "Otvorenie_firmy" && sub->objectName() != "Zrusenie_firmy")
                    collect(sub);
            } else {
                items.push_back(a);
            }
        }
    };
    for (QMenu *m : menus())
        collect(m);

    const QString notAvailable = reports::unavailableReportText(QString()).section(' ', -3);
    int reports = 0, unavailable = 0;
    for (QAction *a : items) {
        const std::string name = a->objectName().toStdString() + " \"" + a->text().toStdString() + "\"";
        SCOPED_TRACE(name);
        scripted.clearEvents();
        scripted.asked.clear();
        const size_t previews = preview.shown.size();
        QStringList windows;
        test::whileDialogs(
            [&] {
                refreshMenus();
                ASSERT_TRUE(a->isEnabled());
                a->trigger();
            },
            [&](QWidget *w) {
                windows << w->objectName();
                if (auto *form = qobject_cast<reports::TFParForm *>(w)) {
                    // The statements of one health insurer need one chosen.
                    if (form->Combo_ZP->currentIndex() < 0 && form->Combo_ZP->count() > 0)
                        form->Combo_ZP->setCurrentIndex(0);
                    form->Button1->click();
                }
                else if (auto *d = qobject_cast<rpt::PreviewDialog *>(w))
                    d->accept();
                else if (auto *ok = w->findChild<QPushButton *>("OKBtn"))
                    ok->click(); // the centre and period choices keep what is chosen
                else if (auto *d = qobject_cast<QDialog *>(w))
                    d->reject();
                else
                    w->close();
            },
            30000);
        const bool report = a->objectName().startsWith("tlac_");
        QStringList unexpected;
        for (const QString &e : errors())
            if (report && e.contains(notAvailable))
                ++unavailable;
            else
                unexpected << e;
        EXPECT_TRUE(unexpected.isEmpty()) << unexpected.join('\n').toStdString();
        EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
        const bool reached = !windows.isEmpty() || !scripted.asked.isEmpty() || preview.shown.size() > previews
                             || !scripted.messages().isEmpty() || main->currentPageName() != "EMPTY"
                             || a->isCheckable();
        EXPECT_TRUE(reached) << "nothing happened";
        if (report) {
            ++reports;
            // A report is chosen in its parameter dialog unless its launcher runs it at once.
            const reports::ReportLauncher *s = reports::reportLauncher(a->objectName());
            const bool dialog = s && !s->bezDialogu;
            EXPECT_EQ(windows.contains("FParForm"), dialog) << windows.join(',').toStdString();
        }
        // Back to the start page (the card and the tax bands take the menus away).
        if (main->currentPageName() != "EMPTY")
            main->showPage("EMPTY");
        main->Akcia_priprav_menu();
        ASSERT_TRUE(main->overviewsMenu()->isEnabled());
    }
    EXPECT_EQ(core::DM().Aktualne_obdobie(), 200703);
    EXPECT_GT(reports, 50);
    EXPECT_GT(unavailable, 20);
    // The payslips' routine is registered: their item printed.
    EXPECT_GE(preview.shown.size(), 1u);
    // The items of windows not built yet are never chosen: they are disabled.
    for (const char *later : {"mnu_hp1", "sp_reglisty", "mnu_zefir1"}) {
        QAction *a = main->findChild<QAction *>(later);
        ASSERT_NE(a, nullptr) << later;
        EXPECT_FALSE(a->isEnabled()) << later;
    }
}

// "Dodatočné vytvorenie kontrolného TXT súboru" asks for the statement until a file
// named sp*.xml is chosen; without the check-file writer the choice is answered with the
// "not available" message.
TEST_F(MainMenuEndToEnd, TheCheckFileAsksForAStatementUntilOneFits)
{
    const QString folder = QDir(core::appPaths().programFolder).filePath("vystupy");
    scripted.answerFile(folder + "/spvykaz.txt").answerFile(folder + "/xsp.xml").answerFile(folder + "/sp2005.xml");
    choose("tlac_sp_xml_k");
    const auto asked = scripted.events(ui::ScriptedUserInterface::EventKind::OpenFile);
    ASSERT_EQ(asked.size(), 3u);
    for (const auto &e : asked)
        EXPECT_EQ(e.detail, Msg(65159));
    EXPECT_EQ(errors(), QStringList{reports::unavailableReportText("RexSpXml.Zapis_kontrolny_subor")});
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
              QFileInfo(core::appPaths().programFolder).canonicalFilePath());

    // With the writer: the statement and its ".txt" beside it, and the end message.
    scripted.clearEvents();
    reports::TMyReportParam got;
    bool writes = true;
    reports::TemporaryRegistration writer(QString::fromUtf16(reports::kZapisKontrolnehoSuboru),
                                       [&](const reports::TMyReportParam &p) {
                                           got = p;
                                           QFile f(p.Vystupny_subor);
                                           if (writes && f.open(QIODevice::WriteOnly))
                                               f.write("check");
                                       });
    scripted.answerFile(folder + "/SPx.XML");
    choose("tlac_sp_xml_k");
    EXPECT_EQ(got.Vstupny_subor, folder + "/SPx.XML");
    EXPECT_EQ(got.Vystupny_subor, folder + "/SPx.txt");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65151, "SPx.txt")});

    // A writer that made no file is never reported as done.
    scripted.clearEvents();
    QFile::remove(folder + "/SPx.txt");
    writes = false;
    scripted.answerFile(folder + "/SPx.XML");
    choose("tlac_sp_xml_k");
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Information).isEmpty());
    EXPECT_EQ(errors().size(), 1);

    // Cancelled: nothing is written and nothing said.
    scripted.clearEvents();
    got = {};
    scripted.cancelFile();
    choose("tlac_sp_xml_k");
    EXPECT_TRUE(got.Vstupny_subor.isEmpty());
    EXPECT_TRUE(scripted.messages().isEmpty());
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
}

TEST(CheckFileName, OnlyTheInsurersStatementFits)
{
    const std::pair<const char *, bool> cases[] = {
        {"sp2005.xml", true}, {"SPx.XML", true},     {"/a/vystupy/Sp_03.Xml", true}, {"spvykaz.txt", false},
        {"xsp.xml", false},   {"sp2005.xml.bak", false}, {"s.xml", false},           {"sp", false},
    };
    for (const auto &[name, fits] : cases)
        EXPECT_EQ(reports::isSpXmlStatement(name), fits) << name;
}

// "setRecapBox garančné poistenie všetkým zamestnancom": a closed month is refused before
// anything changes; otherwise every card and the month's payrolls get the insurance and
// the payrolls are recalculated; an update with nothing to change is not run.
TEST_F(MainMenuEndToEnd, GuaranteeInsuranceForEveryone)
{
    db::Session &s = core::session();
    s.execute("update \":tarix_data:zam\" set u_garancne = 0 where code_emp in (2, 5)");
    const int without = count("select count(*) from \":tarix_data:zam\" where u_garancne = 0");
    ASSERT_GE(without, 2);
    s.execute("update \":tarix_data:vyp\" set u_garancne = 0, rezerva1 = 0");

    // A closed March: refused at once, no question, nothing changed.
    s.execute("update \":tarix_data:inf\" set datum_uzav = '2007-03-31'");
    choose("mnu_garpoist");
    ASSERT_EQ(errors().size(), 1);
    EXPECT_EQ(errors()[0], Msg(65134, fmt::shortDate(QDate(2007, 3, 31))));
    EXPECT_TRUE(scripted.questions().isEmpty());
    EXPECT_EQ(count("select count(*) from \":tarix_data:zam\" where u_garancne = 0"), without);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where rezerva1 = 0"), 10);

    // Open again: the question, then every card and payroll set and recalculated.
    s.execute("update \":tarix_data:inf\" set datum_uzav = '2007-02-28'");
    scripted.clearEvents();
    scripted.answerNo(Msg(65182));
    choose("mnu_garpoist");
    EXPECT_EQ(count("select count(*) from \":tarix_data:zam\" where u_garancne = 0"), without);
    scripted.answerYes(Msg(65182));
    choose("mnu_garpoist");
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65183)});
    EXPECT_EQ(count("select count(*) from \":tarix_data:zam\" where u_garancne = 0"), 0);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200703 "
                    "and u_garancne = 1 and rezerva1 = 1"),
              10);

    // Nothing left to set: the updates are not run (a trigger would refuse them).
    s.execute("create trigger tarix_data.no_update_zam before update on zam begin select raise(abort, 'zam updated'); end");
    scripted.clearEvents();
    scripted.answerYes(Msg(65182));
    choose("mnu_garpoist");
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65183)});
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
}

// The employee card's "Tlačové zostavy": the current employee's reports, refused while
// his record is being edited.
TEST_F(MainMenuEndToEnd, TheCardsReportsPrintTheCurrentEmployee)
{
    main->employeesAction();
    db::Table &zam = core::DMZ().TZAM_;
    ASSERT_FALSE(zam.isEmpty());
    const int codeEmp = int(zam.fieldByName("Code_emp").asInteger());
    QMenu *operations = main->employeeOperations();
    emit operations->aboutToShow();
    QAction *ml2 = main->findChild<QAction *>("zam_tlac_ml2");
    ASSERT_NE(ml2, nullptr);
    ASSERT_TRUE(ml2->isEnabled());

    // With the dialog: the employee chosen in it.
    int chosen = -1;
    test::whileDialogs([&] { ml2->trigger(); },
                       [&](QWidget *w) {
                           auto *form = qobject_cast<reports::TFParForm *>(w);
                           ASSERT_NE(form, nullptr) << w->objectName().toStdString();
                           chosen = form->CB_zam->currentData().toInt();
                           form->Button2->click();
                       });
    EXPECT_EQ(chosen, codeEmp);

    // Without the dialog, straight to the report ("not available" until it is built).
    QAction *ml = main->findChild<QAction *>("zam_tlac_ml");
    ml->trigger();
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].contains(reports::unavailableReportText("TReportML3"))) << errors()[0].toStdString();
    EXPECT_EQ(reports::ParForm::reportParameters().Zamestnanec_od, codeEmp);
    EXPECT_EQ(reports::ParForm::reportParameters().Zamestnanec_do, codeEmp);

    // An edit pending: refused.
    scripted.clearEvents();
    zam.edit();
    ml->trigger();
    EXPECT_EQ(errors(), QStringList{Msg(65199)});
    zam.cancel();
    main->showPage("EMPTY");
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
}
