// The year-parameter screen TFormSetup and the employer screen TFormInf on an opened firm
// (offscreen), with the base editing form's menu, close guard and "&Návrat", and the caption
// beside each field.
#include "core/forms/form_inf.h"
#include "core/forms/form_setup.h"
#include "core/forms/settings_commands.h"
#include "core/helpers/messages.h"
#include "core/period_rules.h"
#include "firm_fixture.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_radio_group.h"
#include "platform/dbctrl/screen_builder.h"
#include "platform/errors.h"
#include "support/widgets/keyboard.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>

using namespace tarix;

namespace {

class SettingsForms : public firmtest::FirmFixture {
protected:
    void SetUp() override
    {
        install({true, 2007, 2007});
        core::OpeningSteps steps;
        steps.vyber_obdobia = [this] { core::confirmPeriod(core::DM(), 2007, 2007, 3, root()); };
        ASSERT_TRUE(core::openFirmAndYear(1, 2007, steps));
        scripted.clearEvents();
    }

    db::Table &set() { return core::DM().TSET_; }
    db::Table &inf() { return core::DM().TINF_; }
    QVariant stored(const char *table, const char *field)
    {
        return one(QStringLiteral("select %1 from %2").arg(QString::fromLatin1(field), QString::fromLatin1(table)));
    }
};

// What the modal screen shows when it comes up, read by the dialog handler.
struct Seen {
    QString form;
    QString page;
    QString title;
};

// The caption a clerk reads for a field: the title of its group, " / ", the text beside it.
QString captionOf(QWidget *form, db::DataSource *source, const QString &field)
{
    QWidget *control = dbctrl::findDataControl(form, source, field);
    if (!control)
        return QStringLiteral("<no control>");
    QString text = QStringLiteral("<no caption>");
    for (QLabel *l : form->findChildren<QLabel *>())
        if (l->buddy() == control)
            text = l->text().trimmed();
    for (QWidget *w = control->parentWidget(); w && w != form; w = w->parentWidget())
        if (auto *box = qobject_cast<QGroupBox *>(w))
            return box->title().trimmed() + QStringLiteral(" / ") + text;
    return text;
}

struct Caption {
    const char *field;
    const char *caption;
};

} // namespace

TEST_F(SettingsForms, RoundingItemsStoreThePositionAndModeOfTheRoundingRoutine)
{
    core::TFormSetup form;
    form.show();
    const struct Case {
        const char *field;
        bool mode;
        int item;
        const char *caption;
        int stored;
    } cases[] = {
        // Position groups: the sick-benefit pairs start with "1h".
        {"ZAOKRUH4", false, 0, "1h", -2},
        {"ZAOKRUH4", false, 1, "10h", -1},
        {"ZAOKRUH10", false, 4, "100", 2},
        {"F_ZAODVOD", false, 0, "10h", -1}, // no "1h" here
        {"F_ZAODVOD", false, 1, "1", 0},
        {"ZAOKRUH9", false, 2, "10", 1},
        {"ZAOKRUH1", false, 3, "100", 2},
        // Mode groups: "do 50h dole" only for the sick-benefit pairs.
        {"ZAOKRUH4SM", true, 4, "do 50h dole", 4},
        {"ZAOKRUH10SM", true, 0, "nahor", 0},
        {"F_SMODVOD", true, 1, "nadol", 1},
        {"ZAOKRUH9SM", true, 2, "normál", 2},
        {"ZAOKRUH1SM", true, 3, "bez", 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        dbctrl::DBRadioGroup *g = c.mode ? form.methodGroup(c.field) : form.positionGroup(c.field);
        ASSERT_NE(g, nullptr);
        const QString field = QString::fromLatin1(c.field);
        const bool davky = field.startsWith("ZAOKRUH4") || field.startsWith("ZAOKRUH10");
        EXPECT_EQ(g->items(), c.mode ? core::methodItems(davky) : core::positionItems(davky));
        EXPECT_EQ(g->items().value(c.item), QString::fromUtf8(c.caption));
        set().edit();
        ASSERT_TRUE(g->chooseItem(c.item));
        set().post();
        EXPECT_EQ(stored("Setup", c.field).toInt(), c.stored);
        // And back: the stored value checks its item.
        set().refresh();
        EXPECT_EQ(g->itemIndex(), c.item);
    }
    EXPECT_EQ(core::positionItems(true).first(), "1h");
    EXPECT_EQ(core::methodItems(true).last(), "do 50h dole");
    EXPECT_FALSE(core::positionItems(false).contains("1h"));
    EXPECT_FALSE(core::methodItems(false).contains("do 50h dole"));
    ASSERT_EQ(core::roundingPairs().size(), 15u);
    form.close();
}

TEST_F(SettingsForms, ShowFormSetupOpensTheParameterPageOnlyForOne)
{
    const struct Case {
        int page;
        const char *shown;
    } cases[] = {{1, "PAGE1"}, {2, "PAGE2"}, {0, "PAGE2"}, {3, "PAGE2"}};
    for (const Case &c : cases) {
        Seen seen;
        firmtest::whileDialogs([&] { core::MainSet::Show_FormSetup(c.page); },
                               [&](QWidget *w) {
                                   auto *f = qobject_cast<core::TFormSetup *>(w);
                                   ASSERT_NE(f, nullptr);
                                   QWidget *current = f->N_SET->currentWidget();
                                   seen.page = current == f->PAGE1 ? QStringLiteral("PAGE1")
                                               : current->isAncestorOf(f->PAGE2) ? QStringLiteral("PAGE2")
                                                                                 : current->objectName();
                                   seen.title = f->windowTitle();
                                   f->navrat1->trigger();
                               });
        EXPECT_EQ(seen.page, c.shown) << c.page;
        EXPECT_TRUE(seen.title.contains("DEMO STAV")) << seen.title.toStdString();
    }
}

TEST_F(SettingsForms, ClosingWithAPendingEditAsksAndNoKeepsTheEdit)
{
    core::TFormSetup form;
    form.show();
    form.edit1->trigger();
    ASSERT_TRUE(set().isEditing());
    const int before = stored("Setup", "F_PN1").toInt();
    set().fieldByName("F_PN1").setAsInteger(before + 7);

    scripted.answerNo(Msg(65172));
    form.close();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(set().isEditing());
    EXPECT_EQ(set().fieldByName("F_PN1").asInteger(), before + 7);

    // "&Návrat" is off while the edit is pending, and refused should it run all the same.
    EXPECT_FALSE(form.navrat1->isEnabled());
    form.navrat1Click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65199)});

    scripted.answerYes(Msg(65172));
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(set().isEditing());
    EXPECT_EQ(stored("Setup", "F_PN1").toInt(), before);
}

TEST_F(SettingsForms, OperationItemsPressTheNavigatorAndFollowTheEditState)
{
    core::TFormSetup form;
    form.show();
    EXPECT_FALSE(form.insert1->isVisible());
    EXPECT_FALSE(form.delete1->isVisible());
    // The shared Help menu follows "&Operácie" once the screen has been shown.
    ASSERT_EQ(form.MainMenu1->actions().size(), 2);
    EXPECT_EQ(form.MainMenu1->actions().at(1)->text(), "Pomoc");
    auto states = [&] {
        return QList<bool>{form.edit1->isEnabled(), form.navrat1->isEnabled(), form.post1->isEnabled(),
                           form.cancel1->isEnabled(), form.Butt_setup1_navrat->isEnabled()};
    };
    EXPECT_EQ(states(), (QList<bool>{true, true, false, false, true}));
    form.edit1->trigger();
    EXPECT_EQ(states(), (QList<bool>{false, false, true, true, false}));
    set().fieldByName("F_MIN_MZDA").setAsFloat(8100);
    form.post1->trigger();
    EXPECT_EQ(states(), (QList<bool>{true, true, false, false, true}));
    EXPECT_DOUBLE_EQ(stored("Setup", "F_MIN_MZDA").toDouble(), 8100);
    form.edit1->trigger();
    set().fieldByName("F_MIN_MZDA").setAsFloat(1);
    form.cancel1->trigger();
    EXPECT_FALSE(set().isEditing());
    EXPECT_DOUBLE_EQ(stored("Setup", "F_MIN_MZDA").toDouble(), 8100);
    form.Butt_setup1_navrat->click();
    EXPECT_FALSE(form.isVisible());
}

TEST(SettingsAllowanceTexts, ElevenPairsMirrorTheTwoTexts)
{
    const struct Case {
        QList<bool> p; // true = P
        const char *text1;
        const char *text2;
    } cases[] = {
        {QList<bool>(11, true), "00000000", "00000000"},
        // The fixed positions (1 and 8 of the first, 6 to 8 of the second) stay "0".
        {QList<bool>(11, false), "01111110", "11111000"},
        {{false, true, true, true, true, true, true, true, true, true, false}, "01000000", "00001000"},
        {{true, true, true, true, true, false, false, true, true, true, true}, "00000010", "10000000"},
    };
    for (const Case &c : cases) {
        const auto texts = core::surchargeTexts(c.p);
        EXPECT_EQ(texts.first, c.text1);
        EXPECT_EQ(texts.second, c.text2);
        EXPECT_EQ(core::surchargeTypes(c.text1, c.text2), c.p);
    }
}

TEST_F(SettingsForms, AllowanceButtonsFollowTheTextsAndAClickWhileNotEditingIsUndone)
{
    s().execute("update \":tarix_data:inf\" set F_TYP_PRIPL = 5, F_TYP_PRIPL2 = 128");
    inf().refresh();
    core::TFormInf form;
    form.show();
    const auto &surchargePairs = form.surchargePairs();
    ASSERT_EQ(surchargePairs.size(), 11);
    // 5 = "00000101": night (position 6) HS; 128 = "10000000": allowance 1 HS.
    auto hs = [&] {
        QList<int> l;
        for (int i = 0; i < surchargePairs.size(); ++i)
            if (surchargePairs[i].hs->isChecked())
                l << i;
        return l;
    };
    EXPECT_EQ(hs(), (QList<int>{4, 6}));
    EXPECT_EQ(surchargePairs[4].hs->objectName(), "RBR_noc");
    EXPECT_EQ(surchargePairs[6].p->objectName(), "RBP1");

    // Not editing: the click is undone.
    surchargePairs[0].hs->click();
    EXPECT_EQ(hs(), (QList<int>{4, 6}));

    // Editing: the texts follow and the post stores them.
    form.edit1->trigger();
    surchargePairs[0].hs->click();
    surchargePairs[6].p->click();
    EXPECT_EQ(core::DM().Text_priplatkov, "01000100");
    EXPECT_EQ(core::DM().Text_priplatkov2, "00000000");
    form.post1->trigger();
    EXPECT_EQ(stored("Inf", "F_TYP_PRIPL").toInt(), 0b01000100);
    EXPECT_EQ(stored("Inf", "F_TYP_PRIPL2").toInt(), 0);
    form.close();
}

TEST_F(SettingsForms, TheEmployerScreenPostsAStreetTypedIntoItsField)
{
    firmtest::whileDialogs([] { core::MainInf::Show_FormInf(); },
                           [&](QWidget *w) {
                               auto *f = qobject_cast<core::TFormInf *>(w);
                               ASSERT_NE(f, nullptr);
                               EXPECT_EQ(f->PAGE_MAIN->count(), 3);
                               EXPECT_EQ(f->PAGE_MAIN->tabText(0), "Základné informácie");
                               EXPECT_EQ(f->PAGE_MAIN->currentIndex(), 0);
                               auto *street = f->findChild<dbctrl::DBEdit *>("TINF_ADR_ULICA1");
                               ASSERT_NE(street, nullptr);
                               f->edit1->trigger();
                               test::typeInto(street, "Nová 15");
                               f->post1->trigger();
                               f->btn_firma_navrat->click();
                           });
    EXPECT_EQ(stored("Inf", "ADR_ULICA1").toString(), "Nová 15");
    EXPECT_EQ(stored("Inf", "ADR_ULICA").toString(), "Nová");
    EXPECT_EQ(stored("Inf", "ADR_CISLO").toString(), "15");
}

TEST_F(SettingsForms, CompanyAndTaxNumbersTakeOnlyDigits)
{
    const struct Case {
        const char *field;
        const char *value;
        bool ok;
    } cases[] = {
        {"ICO", "12345678", true}, {"ICO", "123456789", false}, {"ICO", "1234a678", false},
        {"ICO", "../x", false},     {"DIC", "2020123456", true}, {"DIC", "SK2020123456", false},
        {"DIC", "20/20", false},
    };
    core::TFormInf form;
    inf().edit();
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.value);
        if (c.ok) {
            EXPECT_NO_THROW(inf().fieldByName(c.field).setAsString(c.value));
            EXPECT_EQ(inf().fieldByName(c.field).asString(), c.value);
        } else {
            try {
                inf().fieldByName(c.field).setAsString(c.value);
                ADD_FAILURE() << "accepted";
            } catch (const EMyError &e) {
                EXPECT_TRUE(e.text().startsWith(QString::fromUtf8(c.field[0] == 'I' ? "IČO" : "DIČ")))
                    << e.text().toStdString();
            }
        }
    }
    inf().cancel();
}

TEST_F(SettingsForms, MenuCommandsOpenTheScreensTheirItemsName)
{
    core::CommandRegistry registry(core::settingsCommandIds());
    core::registerSettingsCommands(registry);
    EXPECT_EQ(registry.ids().size(), core::settingsCommandIds().size());
    for (const QString &id : core::settingsCommandIds())
        EXPECT_TRUE(registry.isEnabled(id)) << id.toStdString();

    Seen seen;
    auto look = [&](QWidget *w) {
        seen.form = w->objectName();
        if (auto *f = qobject_cast<core::TFormSetup *>(w))
            seen.page = f->N_SET->currentIndex() == 0 ? "PAGE1" : "PAGE2";
        w->close();
    };
    firmtest::whileDialogs([&] { registry.find("mnu_setup2")->run({}); }, look);
    EXPECT_EQ(seen.form, "FormSetup");
    EXPECT_EQ(seen.page, "PAGE2");
    firmtest::whileDialogs([&] { registry.find("mnu_setup1")->run({}); }, look);
    EXPECT_EQ(seen.page, "PAGE1");
    firmtest::whileDialogs([&] { registry.find("mnu_inf")->run({}); }, look);
    EXPECT_EQ(seen.form, "FormInf");

    // Without an open firm the items are off.
    core::dropOpenFirm();
    for (const char *id : {"mnu_setup1", "mnu_inf", "mnu_cis_vm1", "mnu_zalohovanie", "mnu_obnova", "mnu_novy_rok_db"})
        EXPECT_FALSE(registry.isEnabled(id)) << id;
    EXPECT_TRUE(registry.isEnabled("mnu_pridanie_firmy"));
}

TEST_F(SettingsForms, TheScreensTakeTheColourSectionsFieldColour)
{
    // $0000FF is red in the section's blue-green-red order.
    core::trxIni().writeString("COLOR", "Pole1", "255");
    core::TFormSetup setup;
    core::TFormInf employer;
    setup.show();
    employer.show();
    for (QWidget *edit : {static_cast<QWidget *>(setup.findChild<dbctrl::DBEdit *>("TSET_F_PN1")),
                          static_cast<QWidget *>(employer.findChild<dbctrl::DBEdit *>("TINF_NAZOV"))}) {
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 0, 0)) << edit->objectName().toStdString();
    }
}

// Every caption names the field it labels: the clerk types what the caption asks for, so a
// caption over another field's values puts hours where holidays belong, days where a rate
// belongs.
TEST_F(SettingsForms, YearParametersNameTheirFields)
{
    const Caption cases[] = {
        {"JAN", "Počet pracovných dní / Január"},
        {"DEC", "Počet pracovných dní / December"},
        // the public holidays of each month, which holiday pay counts
        {"JAN1", "Počet platených sviatkov / Január"},
        {"JUN1", "Počet platených sviatkov / Jún"},
        {"DEC1", "Počet platených sviatkov / December"},
        // the sick-pay bands are paid at a percentage
        {"F_PN1", "Nemocenské / PN - 1. obdobie (%)"},
        {"F_PN2", "Nemocenské / PN - 2. obdobie (%)"},
        {"F_PN_DNI", "Nemocenské / PN - dni 1. obdobia"},
        // the limits of the net daily wage
        {"F_NEMMAX", "Nemocenské / Max. čistá denná mzda"},
        {"F_NEMMIN", "Nemocenské / Min. čistá denná mzda"},
        {"F_MIN_MZDA", "Mzda a poistné / Minimálna mzda"},
        {"F_POISTMAX", "Mzda a poistné / Max. vymer. základ poistného"},
        {"F_ZDRAVOT", "Sadzby zamestnanca (%) / Zdravotné"},
        // the reduced rates of the disabled and of the employer's reliefs
        {"F_ZDRAVOT1", "Sadzby zamestnanca (%) / Zdravotné - znížená"},
        {"F_FONDZ1", "Sadzby zamestnanca (%) / Poist. v nezam. - znížená"},
        {"FZ_NEMOC1", "Sadzby zamestnávateľa (%) / Nemocenské - znížená"},
        {"FZ_URAZ", "Sadzby zamestnávateľa (%) / Úrazové"},
        {"FZ_GARFOND", "Sadzby zamestnávateľa (%) / Garančné"},
        // which bases the pay of the two kinds of work agreements counts into
        {"U_ZDRAV1", "Dohody o vykonaní práce do vymer. základu / zdravotné"},
        {"U_DOCHOD1", "Dohody o vykonaní práce do vymer. základu / dôchodkové"},
        {"U_FONDZAM2", "Dohody o pracovnej činnosti do vymer. základu / poist. v nezam."},
    };
    core::TFormSetup form;
    form.showSetupPage(1);
    for (const Caption &c : cases)
        EXPECT_EQ(captionOf(&form, &core::DM().DS_SET, QString::fromLatin1(c.field)), QString::fromUtf8(c.caption))
            << c.field;
}

TEST_F(SettingsForms, EmployerParametersNameTheirFields)
{
    const Caption cases[] = {
        {"NAZOV", "Zamestnávateľ / Názov"},
        {"ICO", "Zamestnávateľ / IČO"},
        {"CISLO_U", "Bankové spojenie / Číslo účtu"},
        // the day the wages are paid, which the statements print
        {"FZ_DEN", "Úrad práce a fond zamestnanosti / Deň výplaty miezd"},
        {"FZ_VS", "Úrad práce a fond zamestnanosti / Variabilný symbol"},
        {"OUP_ULICA", "Úrad práce a fond zamestnanosti / Ulica"},
        {"HOLKVART", "Výpočet / Výpočet dovolenky"},
        {"F_ODSTUP", "Výpočet / Formát výplatnej pásky"},
        {"F_TYP_ULAVY_SP", "Výpočet / Úľava - sociálna poisť."},
        {"F_ODSTUPM", "Výpočet / Platí garančné poist. z dohôd o vyk.práce"},
        {"F_NADCAS", "Sadzby príplatkov / Nadčas"},
        {"F_PRIPLAT5_TEXT", "Sadzby príplatkov / Názov"},
        // hours of a working day, the liability-insurance rate in per mille, the share of
        // the average paid for hours the employee was prevented from working, the switch
        // that counts every employee among those with the relief on sickness and pension
        {"F_DOBA", "Ďalšie údaje výpočtu / Denný pracovný čas (hod.)"},
        {"F_POISTNE", "Ďalšie údaje výpočtu / Poistenie zodpovednosti (‰)"},
        {"F_NEMOHOL", "Ďalšie údaje výpočtu / Náhrada za prekážky (% priemeru)"},
        {"F_NEMOCD", "Ďalšie údaje výpočtu / Úľava firmy na NP a DP (1 = áno)"},
        {"F_SOCFOND", "Ďalšie údaje výpočtu / Sociálny fond (%)"},
        {"DATUM_UZAV", "Ďalšie údaje výpočtu / Dátum uzávierky"},
        {"FO_RC", "Zamestnávateľ - fyzická osoba / Rodné číslo"},
        {"KA_ULICA", "Korešpondenčná adresa / Ulica"},
    };
    core::TFormInf form;
    for (const Caption &c : cases)
        EXPECT_EQ(captionOf(&form, &core::DM().DS_INF, QString::fromLatin1(c.field)), QString::fromUtf8(c.caption))
            << c.field;
}
