// The report parameter dialog: its lists, fill and apply, the checks of "&runForm", the
// entry with and without the dialog, and the statement contact dialog.
#include "reports/forms/f_par_form.h"

#include "core/app_state.h"
#include "platform/format/clock.h"
#include "reports/dispatcher.h"
#include "reports/forms/form_tla1.h"
#include "reports_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

using namespace tarix;
using namespace tarix::reports;

namespace {

class ParFormTest : public fixtures::InstalledFirm {
protected:
    void SetUp() override
    {
        InstalledFirm::SetUp();
        core::setEmployeeViewMode(u'A');
        session.execute("update \":tarix_data:tlac_par\" set vykaz_zostavil='Mária Šťastná', "
                        "kontaktna_osoba='Ján Hudák', telefon='033/5501234', fax=null, "
                        "mail='mzdy@demostav.example', den='2007-01-31', miesto='Trnava'");
    }
    void TearDown() override
    {
        core::DM().TTLA_.close();
        core::setEmployeeViewMode(core::kZobrazSucasnych);
        InstalledFirm::TearDown();
    }

    TMyReportParam request(const char *kod, int obdobie = 200703)
    {
        TMyReportParam p;
        Priprav_parametre_zostavy(p);
        p.Kod_zostavy = kod;
        p.Obdobie = obdobie;
        return p;
    }
    static QStringList items(const QComboBox *cb)
    {
        QStringList out;
        for (int i = 0; i < cb->count(); ++i)
            out << cb->itemText(i);
        return out;
    }
    static QList<int> codes(const QComboBox *cb)
    {
        QList<int> out;
        for (int i = 1; i < cb->count(); ++i)
            out << cb->itemData(i).toInt();
        return out;
    }

    fmt::ScopedClock clock{QDateTime(QDate(2007, 3, 15), QTime(10, 0))};
    TMyReportParam unit;
};

} // namespace

TEST_F(ParFormTest, CreationStampsTodayAndFillsTheLists)
{
    TFParForm form(unit);
    EXPECT_EQ(session.run("select den from \":tarix_data:tlac_par\"").asDate(0, 0), QDate(2007, 3, 15));
    EXPECT_EQ(form.windowTitle(), "Parametre tlačovej zostavy");
    EXPECT_EQ(form.CB_rok->count(), 200);
    EXPECT_EQ(form.CB_rok->itemText(0), "1900");
    EXPECT_EQ(form.CB_rok->itemText(199), "2099");
    EXPECT_FALSE(form.CB_rok->isEnabled());
    EXPECT_EQ(form.CB_mesiac->count(), 12);
    EXPECT_EQ(form.Edit_vykaz_riadny->text(), "R");
    EXPECT_EQ(items(form.CB_stred), (QStringList{"spolu celá firma", "1 Centrála Trnava", "2 Stavby a montáže"}));
    // Every employee of centres 1..99, by surname and name, personal number padded to 7.
    ASSERT_EQ(form.CB_zam->count(), 11);
    EXPECT_EQ(form.CB_zam->itemText(0), "spolu celá firma");
    EXPECT_TRUE(items(form.CB_zam).contains("    101 Ing. Hudák Ján"));
    EXPECT_EQ(form.CB_zam->maxVisibleItems(), 20);
    EXPECT_TRUE(form.CB_zam->font().fixedPitch());
    EXPECT_TRUE(form.CB_stred->font().fixedPitch());
    // Insurers: "%2d - name", nothing chosen.
    EXPECT_GE(form.Combo_ZP->count(), 3);
    EXPECT_TRUE(items(form.Combo_ZP).contains("25 - Spoločná zdravotná poisťovňa")) << items(form.Combo_ZP).join('|').toStdString();
    EXPECT_EQ(form.Combo_ZP->currentIndex(), -1);
}

TEST_F(ParFormTest, EmployeeListFollowsTheCentreAndTheMainWindowsListMode)
{
    // The current employees are those employed on some day of the request's month: Žiak (6)
    // leaves on 30.4.2007, Horváthová (7) works on an agreement until 31.12.2007, Zeman (10)
    // joins on 15.1.2007. Those who left before the month are the former ones.
    struct Case {
        QChar mode;
        int obdobie;
        int centreRow; // 0 whole firm, 2 centre 2
        QList<int> employees;
    } cases[] = {
        {u'A', 200703, 2, {4, 10, 3, 6}},
        {u'S', 200703, 2, {4, 10, 3, 6}},
        {u'S', 200704, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {u'S', 200705, 0, {1, 2, 3, 4, 5, 7, 8, 9, 10}},
        {u'S', 200612, 2, {4, 3, 6}},
        {u'V', 200703, 0, {}},
        {u'V', 200705, 0, {6}},
        {u'V', 200705, 2, {6}},
        {u'X', 200705, 0, {1, 2, 3, 4, 5, 7, 8, 9, 10}}, // any other mode: the current ones
    };
    for (const Case &c : cases) {
        core::setEmployeeViewMode(c.mode);
        unit = request("VL", c.obdobie);
        TFParForm form(unit);
        form.CB_stred->setCurrentIndex(c.centreRow);
        emit form.CB_stred->activated(c.centreRow);
        QList<int> got = codes(form.CB_zam);
        QList<int> want = c.employees;
        std::sort(got.begin(), got.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(got, want) << c.mode.toLatin1() << " " << c.obdobie << " row " << c.centreRow;
        const int sid = c.centreRow == 0 ? 0 : 2;
        EXPECT_EQ(unit.Stredisko, sid);
        EXPECT_EQ(unit.Stredisko_od, sid == 0 ? 1 : 2);
        EXPECT_EQ(unit.Stredisko_do, sid == 0 ? 99 : 2);
    }
    // Sorted by surname: Čierny (3) before Chudý (4) in the Slovak order.
    core::setEmployeeViewMode(u'A');
    unit = request("VL");
    TFParForm form(unit);
    const QList<int> all = codes(form.CB_zam);
    EXPECT_LT(all.indexOf(1), all.indexOf(4)); // Hudák before Chudý ("Ch" after "H")
}

TEST_F(ParFormTest, FillAndApplyCarryTheRequestThroughTheControls)
{
    TMyReportParam p = request("VL", 200503);
    p.Stredisko = p.Stredisko_od = p.Stredisko_do = 2;
    p.Zamestnanec_od = p.Zamestnanec_do = 3;
    p.Bez_ramcekov = true;
    p.Len_udaje = false;
    p.Abecedne() = false;
    unit = p;
    TFParForm form(unit);
    form.Napln_zamestnancov(); // the list of centre 2, as the entry's unit copy says
    form.Nacitaj_parametre(p);
    EXPECT_EQ(form.CB_rok->currentText(), "2005");
    EXPECT_EQ(form.CB_mesiac->currentText(), "3");
    EXPECT_EQ(form.CB_stred->currentData().toInt(), 2);
    EXPECT_EQ(form.CB_zam->currentData().toInt(), 3);
    EXPECT_FALSE(form.Cb_ramceky->isChecked());
    EXPECT_TRUE(form.CB_nadpisy->isChecked());
    EXPECT_FALSE(form.CB_abeceda->isChecked());

    form.CB_mesiac->setCurrentIndex(11);
    TMyReportParam out = p;
    out.Kontaktna_osoba.clear();
    form.Prevezmi_parametre(out);
    EXPECT_EQ(out.Obdobie, 200512);
    EXPECT_EQ(out.Obdobie_text(), "DECEMBER 2005");
    EXPECT_EQ(out.Obdobie_text_male(), "december 2005");
    EXPECT_EQ(out.Stredisko, 2);
    EXPECT_EQ(out.Stredisko_od, 2);
    EXPECT_EQ(out.Stredisko_do, 2);
    EXPECT_EQ(out.Stredisko_text(), "DEMO STAV, s.r.o., stredisko: 2");
    EXPECT_EQ(out.Zamestnanec_od, 3);
    EXPECT_EQ(out.Zamestnanec_do, 3);
    EXPECT_TRUE(out.Bez_ramcekov);
    EXPECT_FALSE(out.Len_udaje);
    EXPECT_FALSE(out.Abecedne());
    EXPECT_EQ(out.Typ_vykazu, u'R');
    EXPECT_EQ(out.Kod_zp(), 0);
    // The contact data of Tlac_par, with the date stamped by the dialog.
    EXPECT_EQ(out.Kontaktna_osoba, "Ján Hudák");
    EXPECT_EQ(out.Vykaz_zostavil, "Mária Šťastná");
    EXPECT_EQ(out.Telefon, "033/5501234");
    EXPECT_EQ(out.Fax, "");
    EXPECT_EQ(out.Mail, "mzdy@demostav.example");
    EXPECT_EQ(out.Miesto, "Trnava");
    EXPECT_EQ(out.Den, QDate(2007, 3, 15));
    EXPECT_EQ(out.Den_text(), "15.3.2007");

    // The whole firm and all employees: the first rows.
    form.CB_stred->setCurrentIndex(0);
    form.CB_zam->setCurrentIndex(0);
    form.Combo_ZP->setCurrentIndex(form.Combo_ZP->findData(24));
    form.Prevezmi_parametre(out);
    EXPECT_EQ(out.Stredisko, 0);
    EXPECT_EQ(out.Stredisko_od, 1);
    EXPECT_EQ(out.Stredisko_do, 99);
    EXPECT_EQ(out.Stredisko_text(), "DEMO STAV, s.r.o.");
    EXPECT_EQ(out.Zamestnanec_od, 1);
    EXPECT_EQ(out.Zamestnanec_do, 99999999);
    EXPECT_EQ(out.Kod_zp(), 24);
}

TEST_F(ParFormTest, ControlsShownDependOnTheCodeAndPeriod)
{
    struct Case {
        const char *kod;
        int obdobie;
        bool vyberZp;
        bool abeceda, pz, typVykazu, zam, zp;
        bool labelIne, editIne, labelIne2, editIne2;
    } cases[] = {
        {"VL", 200703, false, true, false, false, true, false, false, false, false, false},
        {"DOV", 200703, false, true, false, false, true, false, false, false, false, false},
        {"VP", 200703, false, false, false, false, true, false, false, false, false, false},
        {"SPXML", 200703, false, false, false, true, true, false, false, false, false, false},
        {"SP_PDF", 200703, false, false, false, true, true, false, false, false, false, false},
        // The newer schema carries the kind too, so a corrective statement can be filed.
        {"SPXML/2.5", 200703, false, false, false, true, true, false, false, false, false, false},
        {"ZP_RTF", 200703, true, false, false, false, false, true, false, false, false, false},
        {"PZ", 200601, false, false, true, false, true, false, false, false, true, false},
        {"PZ", 200312, false, false, true, false, true, false, true, true, false, false},
        {"PZ", 200012, false, false, true, false, true, false, true, true, true, true},
    };
    for (const Case &c : cases) {
        TMyReportParam p = request(c.kod, c.obdobie);
        p.Vyber_zp = c.vyberZp;
        unit = p;
        TFParForm form(unit);
        form.Nacitaj_parametre(p);
        const std::string what = std::string(c.kod) + " " + std::to_string(c.obdobie);
        EXPECT_EQ(!form.CB_abeceda->isHidden(), c.abeceda) << what;
        EXPECT_EQ(form.pageVisible(form.PAGE_PZ2006), c.pz) << what;
        EXPECT_EQ(form.PageControl2->currentWidget() == form.PAGE_SPXML, c.typVykazu) << what;
        EXPECT_EQ(form.pageVisible(form.PAGE_VYBER_ZAM), c.zam) << what;
        EXPECT_EQ(form.pageVisible(form.PAGE_VYBER_ZP), c.zp) << what;
        EXPECT_EQ(form.Page_Control3->currentWidget(), c.zp ? form.PAGE_VYBER_ZP : form.PAGE_VYBER_ZAM) << what;
        EXPECT_EQ(!form.Label_ine->isHidden(), c.labelIne) << what;
        EXPECT_EQ(!form.Edit_ine->isHidden(), c.editIne) << what;
        EXPECT_EQ(!form.Label_ine2->isHidden(), c.labelIne2) << what;
        EXPECT_EQ(!form.Edit_ine2->isHidden(), c.editIne2) << what;
    }
}

TEST_F(ParFormTest, IndividualValuesOfThePZReport)
{
    // 2003: the child allowance value starts as 1400, and its number follows the typing.
    TMyReportParam p = request("PZ", 200312);
    unit = p;
    {
        TFParForm form(unit);
        form.Nacitaj_parametre(unit);
        EXPECT_EQ(form.Label_ine->text(), "Nezd.č.na 1 dieťa za min.rok");
        EXPECT_EQ(form.Edit_ine->text(), "1400");
        EXPECT_EQ(unit.Hodnota_ine_cislo, 1400);
        form.Edit_ine->setText("12a");
        EXPECT_EQ(unit.Hodnota_ine_cislo, 0);
        form.Edit_ine->setText(" 250 ");
        EXPECT_EQ(unit.Hodnota_ine_cislo, 250);
        form.Prevezmi_parametre(unit);
        EXPECT_EQ(unit.Hodnota_ine(), " 250 ");
        EXPECT_EQ(unit.Hodnota_ine2(), "");
    }
    // From 2005 the three values of their own page.
    unit = request("PZ", 200601);
    {
        TFParForm form(unit);
        form.Nacitaj_parametre(unit);
        EXPECT_EQ(form.Label_ine2->text(), "Individuálne hodnoty je možné nastaviť v samostatnej záložke.");
        form.Edit_n_ddp->setText("1200");
        form.Edit_mesiace->setText("1-3");
        form.Edit_nz_ddp->setText("600");
        form.Prevezmi_parametre(unit);
        EXPECT_EQ(unit.Hodnota_ine2(), "1200");
        EXPECT_EQ(unit.Hodnota_ine(), "1-3");
        EXPECT_EQ(unit.Hodnoty()[1], "600");
    }
}

TEST_F(ParFormTest, StartChecksRefuseAndKeepTheDialogOpen)
{
    struct Case {
        const char *kod;
        std::function<void(TMyReportParam &, TFParForm &)> set;
        QString refused; // empty: the run starts
    } cases[] = {
        {"PZ", [](TMyReportParam &, TFParForm &f) { f.Edit_nz_ddp->setText("12,5"); },
         "Suma DDP musí byť číselný formát"},
        {"PZ", [](TMyReportParam &, TFParForm &f) { f.Edit_n_ddp->setText("1200"); }, ""},
        {"DPC", [](TMyReportParam &p, TFParForm &) { p.Jeden_zamestnanec = true; },
         "Pre zvolený typ tlačovej zostavy musí byť vybraný konkrétny pracovník"},
        {"DPC", [](TMyReportParam &p, TFParForm &f) {
             p.Jeden_zamestnanec = true;
             f.CB_zam->setCurrentIndex(f.CB_zam->findData(2));
         }, ""},
        {"ZP_RTF", [](TMyReportParam &p, TFParForm &) { p.Vyber_zp = true; },
         "Kód zdravotnej poisťovne musí byť vyplnený"},
        {"ZP_RTF", [](TMyReportParam &p, TFParForm &f) {
             p.Vyber_zp = true;
             f.Combo_ZP->setCurrentIndex(0);
         }, ""},
        {"SPXML", [](TMyReportParam &, TFParForm &f) { f.Edit_vykaz_riadny->setText("X"); },
         "Nesprávna hodnota - položka výkaz riadny R/O."},
        {"SPXML", [](TMyReportParam &, TFParForm &f) { f.Edit_vykaz_riadny->clear(); },
         "Nesprávna hodnota - položka výkaz riadny R/O."},
        {"SPXML", [](TMyReportParam &, TFParForm &f) { f.Edit_vykaz_riadny->setText("O"); }, ""},
        {"SPXML/2.5", [](TMyReportParam &, TFParForm &f) { f.Edit_vykaz_riadny->setText("X"); },
         "Nesprávna hodnota - položka výkaz riadny R/O."},
        {"SPXML/2.5", [](TMyReportParam &, TFParForm &f) { f.Edit_vykaz_riadny->setText("O"); }, ""},
        // Only the XML statement checks the type.
        {"SP_PDF", [](TMyReportParam &, TFParForm &f) { f.Edit_vykaz_riadny->setText("X"); }, ""},
    };
    for (const Case &c : cases) {
        unit = request(c.kod);
        TFParForm form(unit);
        form.Nacitaj_parametre(unit);
        c.set(unit, form);
        form.show();
        scripted.clearEvents();
        form.Button1->click();
        if (c.refused.isEmpty()) {
            EXPECT_TRUE(scripted.messages().isEmpty()) << c.kod;
            EXPECT_EQ(form.run(), TFParForm::Spustit) << c.kod;
            EXPECT_FALSE(form.isVisible());
        } else {
            EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{c.refused}) << c.kod;
            EXPECT_EQ(form.run(), TFParForm::Nic);
            EXPECT_TRUE(form.isVisible()) << c.kod;
            form.Button2->click();
            EXPECT_EQ(form.run(), TFParForm::Koniec);
            EXPECT_FALSE(form.isVisible());
        }
    }
}

TEST_F(ParFormTest, WithoutTheDialogTheRequestRunsAtOnce)
{
    std::vector<TMyReportParam> runs;
    TemporaryRegistration reg("TReportDPC", [&](const TMyReportParam &p) { runs.push_back(p); });
    TMyReportParam p = request("DPC", 200703);
    p.Bez_dialogu = true;
    p.Zamestnanec_od = p.Zamestnanec_do = 2;
    p.Rezerva1 = 17;
    p.Len_udaje = true;
    EXPECT_EQ(ParForm::Zobraz_parametre_zostavy(p), 0);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Zamestnanec_od, 2);
    EXPECT_EQ(runs[0].Zamestnanec_do, 2);
    EXPECT_EQ(runs[0].Kluc_zaznamu(), 17);
    EXPECT_TRUE(runs[0].Len_udaje);
    EXPECT_FALSE(runs[0].Bez_ramcekov);
    EXPECT_EQ(runs[0].Obdobie, 200703);
    EXPECT_EQ(runs[0].Kontaktna_osoba, "Ján Hudák");
    EXPECT_EQ(runs[0].Den, QDate(2007, 3, 15));
    EXPECT_TRUE(scripted.messages().isEmpty());
    EXPECT_TRUE(scripted.mainWindowEnabled());

    // An employee the dialog's list lacks (he left; the main window lists current
    // employees) and a centre without a row stay as the caller named them.
    core::setEmployeeViewMode(u'S');
    p.Zamestnanec_od = p.Zamestnanec_do = 6;
    p.Stredisko = p.Stredisko_od = p.Stredisko_do = 7;
    ParForm::Zobraz_parametre_zostavy(p);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].Zamestnanec_od, 6);
    EXPECT_EQ(runs[1].Zamestnanec_do, 6);
    EXPECT_EQ(runs[1].Stredisko, 7);
    EXPECT_EQ(runs[1].Stredisko_text(), "DEMO STAV, s.r.o., stredisko: 7");

    // No checks of "&runForm" on this road.
    p = request("SPXML", 200703);
    p.Bez_dialogu = true;
    p.Vyber_zp = true;
    TemporaryRegistration xml("RexSpXml.Export_xml_vykazu", [&](const TMyReportParam &q) { runs.push_back(q); });
    ParForm::Zobraz_parametre_zostavy(p);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[2].Typ_vykazu, u'R');
}

TEST_F(ParFormTest, TheShownDialogRunsOnlyWhenStarted)
{
    int runs = 0;
    TMyReportParam seen;
    TemporaryRegistration reg("TReportVL", [&](const TMyReportParam &p) {
        ++runs;
        seen = p;
    });
    struct Case {
        std::function<void(TFParForm &)> act;
        int runs;
    } cases[] = {
        {[](TFParForm &f) {
             f.CB_mesiac->setCurrentIndex(1);
             f.Cb_ramceky->setChecked(false);
             f.Button1->click();
         }, 1},
        {[](TFParForm &f) { f.Button2->click(); }, 0},
        {[](TFParForm &f) { f.close(); }, 0},   // the window's close box
        {[](TFParForm &f) { f.reject(); }, 0},  // Esc
    };
    for (const Case &c : cases) {
        runs = 0;
        bool sawDialog = false;
        QTimer::singleShot(0, [&] {
            auto *f = qobject_cast<TFParForm *>(QApplication::activeModalWidget());
            sawDialog = f != nullptr;
            if (f)
                c.act(*f);
        });
        ParForm::Zobraz_parametre_zostavy(request("VL", 200703));
        EXPECT_TRUE(sawDialog);
        EXPECT_EQ(runs, c.runs);
    }
    // The first case ran with the choices.
    EXPECT_EQ(seen.Obdobie, 200702);
    EXPECT_TRUE(seen.Bez_ramcekov);
    EXPECT_TRUE(scripted.messages().isEmpty());
}

TEST_F(ParFormTest, ContactDataAreCutToTheirFieldLengths)
{
    session.execute("update \":tarix_data:tlac_par\" set miesto=:p1, mail=:p2",
                    {{"p1", QString(100, u'M')}, {"p2", QString(70, u'a')}});
    TMyReportParam p;
    ParForm::Prevezmi_udaje_vykazu(p);
    EXPECT_EQ(p.Miesto, QString(66, u'M'));
    EXPECT_EQ(p.Mail, QString(64, u'a'));
    EXPECT_EQ(p.Den_text(), "31.1.2007");
}

TEST_F(ParFormTest, ContactDialogEditsOnlyAfterTheEditButton)
{
    core::DM().TTLA_.close();
    TFormTLA1 form;
    EXPECT_EQ(form.windowTitle(), "TARIX  - doplnkové údaje");
    EXPECT_EQ(form.Edit_miesto->text(), "Trnava");
    EXPECT_EQ(form.Edit_den->text(), "31.1.2007");
    // Without the edit button the fields do not take typing.
    EXPECT_TRUE(form.Edit_miesto->isReadOnly());
    EXPECT_FALSE(form.NavPost->isEnabled());

    form.NavEdit->click();
    EXPECT_FALSE(form.Edit_miesto->isReadOnly());
    form.Edit_miesto->setText("Nitra");
    form.Edit_den->setText("1.4.2007");
    form.show();
    form.Button1->click(); // refused while the edit is pending
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error),
              QStringList{"Najskôr je potrebné dokončiť spracovanie zmien"});
    EXPECT_TRUE(form.isVisible());
    form.NavPost->click();
    EXPECT_EQ(session.run("select miesto, den from \":tarix_data:tlac_par\"").asString(0, 0), "Nitra");
    EXPECT_EQ(session.run("select den from \":tarix_data:tlac_par\"").asDate(0, 0), QDate(2007, 4, 1));
    form.Button1->click();
    EXPECT_FALSE(form.isVisible());

    // A pending edit is discarded by closing the window, and by freeing the form.
    {
        TFormTLA1 again;
        again.NavEdit->click();
        again.Edit_miesto->setText("Senica");
        again.show();
        again.close();
        EXPECT_FALSE(core::DM().TTLA_.isEditing());
    }
    {
        TFormTLA1 again;
        again.NavEdit->click();
        again.Edit_miesto->setText("Senica");
    }
    EXPECT_FALSE(core::DM().TTLA_.isEditing());
    EXPECT_EQ(session.run("select miesto from \":tarix_data:tlac_par\"").asString(0, 0), "Nitra");
}

TEST_F(ParFormTest, ContactDialogGivesARowWithoutADateToday)
{
    session.execute("update \":tarix_data:tlac_par\" set den=''");
    core::DM().TTLA_.close();
    TFormTLA1 form;
    EXPECT_EQ(form.Edit_den->text(), "15.3.2007");
    EXPECT_EQ(session.run("select den from \":tarix_data:tlac_par\"").asDate(0, 0), QDate(2007, 3, 15));
    EXPECT_FALSE(core::DM().TTLA_.isEditing());
}

TEST_F(ParFormTest, TheParameterDialogOpensTheContactDialog)
{
    unit = request("SPXML");
    TFParForm form(unit);
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto *tla = qobject_cast<TFormTLA1 *>(QApplication::activeModalWidget());
        opened = tla != nullptr;
        if (tla)
            tla->Button1->click();
    });
    form.Button5->click();
    EXPECT_TRUE(opened);
}

TEST_F(ParFormTest, AFailingDialogIsShownAndRunsNothing)
{
    int runs = 0;
    TemporaryRegistration reg("TReportVL", [&](const TMyReportParam &) { ++runs; });
    db::Table &tla = core::DM().TTLA_;
    tla.close();
    tla.setTableName("Chyba.DB");
    TMyReportParam p = request("VL");
    p.Bez_dialogu = true;
    EXPECT_NO_THROW(ParForm::Zobraz_parametre_zostavy(p));
    tla.setTableName("Tlac_par.DB");
    EXPECT_EQ(runs, 0);
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Nastala chyba pri vytváraní tlačovej zostavy. ")) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("Chyba.DB")) << errors[0].toStdString();
}
