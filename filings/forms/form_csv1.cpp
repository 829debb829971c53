#include "filings/forms/form_csv1.h"

#include "core/commands.h"
#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/forms/main_menu.h"
#include "core/helpers/dialogs.h"
#include "filings/dm_tl.h"
#include "platform/ui/qt/named_widgets.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_navigator.h"
#include "platform/errors.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarix::filings {

using namespace Qt::Literals::StringLiterals;
using dbctrl::NavigateButton;

namespace {

constexpr char kCommand[] = "mnu_csv1";

dbctrl::DBGrid *buildLayoutGrid(QWidget *parent, const char *name, db::DataSource &source)
{
    auto *g = new dbctrl::DBGrid(parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setReadOnly(true);
    g->setDataSource(&source);
    return g;
}

} // namespace

TFormCsv1::TFormCsv1(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"FormCsv1"_s);
    setWindowTitle(u"Tlač údajov o zamestnancoch"_s);
    TDMTL &dm = DMTL();
    dm.openLayouts();

    auto *layout = new QVBoxLayout(this);
    MainMenu1 = new QMenuBar(this);
    layout->setMenuBar(MainMenu1);
    Operacie = MainMenu1->addMenu(u"&Operácie"_s);
    Operacie->setObjectName(u"Operacie"_s);
    auto add = [this](const char *name, const QString &text) { return ui::namedAction(Operacie, name, text); };
    mnu_vyrad = add("mnu_vyrad", u"Vyradiť položku"_s);
    mnu_zarad = add("mnu_zarad", u"Zaradiť položku"_s);
    mnu_hore = add("mnu_hore", u"Posun hore"_s);
    mnu_dole = add("mnu_dole", u"Posun dole"_s);
    Operacie->addSeparator();
    mnu_edit = add("mnu_edit", u"Oprava riadku"_s);
    mnu_post = add("mnu_post", u"Potvrdenie zmien"_s);
    mnu_cancel = add("mnu_cancel", u"Ignorovanie zmien"_s);
    Operacie->addSeparator();
    mnu_tlac = add("mnu_tlac", u"Vytvorenie a tlač"_s);
    Operacie->addSeparator();
    Zobrazisasnchzamestanncov1 = add("Zobrazisasnchzamestanncov1", u"Zobraziť súčasných zamestnancov"_s);
    Zobrazivyradenchzamestnancov1 = add("Zobrazivyradenchzamestnancov1", u"Zobraziť vyradených zamestnancov"_s);
    Zobrazivetkchzamestnancov1 = add("Zobrazivetkchzamestnancov1", u"Zobraziť všetkých zamestnancov"_s);
    Operacie->addSeparator();
    Mnu_navrat = add("Mnu_navrat", u"&Návrat"_s);
    connect(Operacie, &QMenu::aboutToShow, this, &TFormCsv1::Akcia_priprav_csv);

    auto *buttons = new QHBoxLayout;
    Btn_vyrad = ui::namedButton(this, "Btn_vyrad", u"Vyradiť položku"_s, buttons);
    Btn_zarad = ui::namedButton(this, "Btn_zarad", u"Zaradiť položku"_s, buttons);
    Btn_hore = ui::namedButton(this, "Btn_hore", u"Posun hore"_s, buttons);
    Btn_dole = ui::namedButton(this, "Btn_dole", u"Posun dole"_s, buttons);
    Btn_tlac = ui::namedButton(this, "Btn_tlac", u"Vytvorenie a tlač"_s, buttons);
    Button1 = ui::namedButton(this, "Button1", u"Inicializácia"_s, buttons);
    buttons->addStretch(1);
    DBN2 = new dbctrl::DBNavigator(this);
    DBN2->setObjectName(u"DBN2"_s);
    DBN2->setVisibleButtons({NavigateButton::Edit, NavigateButton::Post, NavigateButton::Cancel});
    DBN2->setDataSource(&dm.DS_TL2a);
    DBN2->onClick = [this](NavigateButton) { Akcia_priprav_csv(); };
    buttons->addWidget(DBN2);
    Btn_navrat = ui::namedButton(this, "Btn_navrat", u"&Návrat"_s, buttons);
    layout->addLayout(buttons);

    auto *body = new QHBoxLayout;
    DBG_TL1 = buildLayoutGrid(this, "DBG_TL1", dm.DS_TL1);
    DBG_TL1->addColumn(u"POPIS"_s, u"Popis zostavy"_s, 260);
    body->addWidget(DBG_TL1);

    // The two field lists share the rest of the width in halves.
    auto *fields = new QHBoxLayout;
    auto *a = new QGroupBox(u"Položky, ktoré sa budú tlačiť"_s, this);
    a->setObjectName(u"Panel_TL2a"_s);
    auto *aLayout = new QVBoxLayout(a);
    DBG_TL2a = buildLayoutGrid(a, "DBG_TL2a", dm.DS_TL2a);
    DBG_TL2a->addColumn(u"CALC_POPISOK"_s, u"Položka"_s, 220);
    DBG_TL2a->addColumn(u"SIRKA"_s, u"Veľkosť"_s, 60);
    aLayout->addWidget(DBG_TL2a);
    Panel_Zmena = new QWidget(a);
    Panel_Zmena->setObjectName(u"Panel_Zmena"_s);
    auto *zmena = new QHBoxLayout(Panel_Zmena);
    auto *popis = new QLabel(u"Nová veľkosť položky"_s, Panel_Zmena);
    zmena->addWidget(popis);
    Edit_sirka = new dbctrl::DBEdit(Panel_Zmena);
    Edit_sirka->setObjectName(u"Edit_sirka"_s);
    Edit_sirka->setDataSource(&dm.DS_TL2aG);
    Edit_sirka->setDataField(u"SIRKA"_s);
    popis->setBuddy(Edit_sirka);
    zmena->addWidget(Edit_sirka);
    aLayout->addWidget(Panel_Zmena);
    fields->addWidget(a, 1);

    auto *b = new QGroupBox(u"Položky, ktoré sa nebudú tlačiť"_s, this);
    b->setObjectName(u"Panel_TL2b"_s);
    auto *bLayout = new QVBoxLayout(b);
    DBG_TL2b = buildLayoutGrid(b, "DBG_TL2b", dm.DS_TL2b);
    DBG_TL2b->addColumn(u"CALC_POPISOK"_s, u"Položka"_s, 220);
    bLayout->addWidget(DBG_TL2b);
    fields->addWidget(b, 1);
    body->addLayout(fields, 1);
    layout->addLayout(body, 1);

    const auto both = [this](QAction *item, QPushButton *button, void (TFormCsv1::*slot)()) {
        if (item)
            connect(item, &QAction::triggered, this, [this, slot] { MyConsts::runAndShowError([&] { (this->*slot)(); }); });
        if (button)
            connect(button, &QPushButton::clicked, this, [this, slot] { MyConsts::runAndShowError([&] { (this->*slot)(); }); });
    };
    both(mnu_vyrad, Btn_vyrad, &TFormCsv1::Btn_vyradClick);
    both(mnu_zarad, Btn_zarad, &TFormCsv1::Btn_zaradClick);
    both(mnu_hore, Btn_hore, &TFormCsv1::Btn_horeClick);
    both(mnu_dole, Btn_dole, &TFormCsv1::Btn_doleClick);
    connect(mnu_tlac, &QAction::triggered, this, [this] { Btn_tlacClick(); });
    connect(Btn_tlac, &QPushButton::clicked, this, [this] { Btn_tlacClick(); });
    both(nullptr, Button1, &TFormCsv1::Button1Click);
    both(Zobrazisasnchzamestanncov1, nullptr, &TFormCsv1::showCurrent);
    both(Zobrazivyradenchzamestnancov1, nullptr, &TFormCsv1::showExcluded);
    both(Zobrazivetkchzamestnancov1, nullptr, &TFormCsv1::showAll);
    connect(mnu_edit, &QAction::triggered, this, [this] { DBN2->btnClick(NavigateButton::Edit); Akcia_priprav_csv(); });
    connect(mnu_post, &QAction::triggered, this, [this] { DBN2->btnClick(NavigateButton::Post); Akcia_priprav_csv(); });
    connect(mnu_cancel, &QAction::triggered, this,
            [this] { DBN2->btnClick(NavigateButton::Cancel); Akcia_priprav_csv(); });
    connect(Mnu_navrat, &QAction::triggered, this, &QDialog::reject);
    connect(Btn_navrat, &QPushButton::clicked, this, &QDialog::reject);

    dm.DS_TL2a.onStateChange = [this](db::DataSource &) { Akcia_priprav_csv(); };
    Akcia_priprav_csv();
    resize(900, 520);
}

TFormCsv1::~TFormCsv1()
{
    if (hasDMTL()) {
        TDMTL &dm = DMTL();
        dm.DS_TL2a.onStateChange = nullptr;
        DBG_TL1->setDataSource(nullptr);
        DBG_TL2a->setDataSource(nullptr);
        DBG_TL2b->setDataSource(nullptr);
        DBN2->setDataSource(nullptr);
        Edit_sirka->setDataSource(nullptr);
        dm.closeLayouts();
    }
}

bool TFormCsv1::editsLayout() const { return hasDMTL() && DMTL().TL2a_.isEditing(); }

void TFormCsv1::Akcia_priprav_csv()
{
    const bool e = editsLayout();
    for (QAction *a : {mnu_edit, Mnu_navrat, mnu_vyrad, mnu_zarad, mnu_hore, mnu_dole, mnu_tlac})
        a->setEnabled(!e);
    for (QWidget *w : std::initializer_list<QWidget *>{Btn_navrat, Btn_vyrad, Btn_zarad, Btn_hore, Btn_dole, Btn_tlac,
                                                        DBG_TL1, DBG_TL2a, DBG_TL2b})
        w->setEnabled(!e);
    mnu_post->setEnabled(e);
    mnu_cancel->setEnabled(e);
    Panel_Zmena->setVisible(e);
}

void TFormCsv1::Btn_vyradClick() { DMTL().excludeItem(); }

void TFormCsv1::Btn_zaradClick() { DMTL().includeItem(); }

void TFormCsv1::Btn_horeClick()
{
    if (DMTL().moveUp())
        DBG_TL2a->setFocus();
}

void TFormCsv1::Btn_doleClick()
{
    if (DMTL().moveDown())
        DBG_TL2a->setFocus();
}

bool TFormCsv1::Btn_tlacClick()
{
    bool zapisane = false;
    MyConsts::runAndShowError([&] {
        db::Table &zam = core::DMZ().TZAM_;
        if (!zam.isActive())
            zam.open();
        zapisane = layout_export::writeExport(DMTL().currentLayout(), zam);
    });
    return zapisane;
}

void TFormCsv1::Button1Click() { DMTL().initializeLayouts(core::DMZ().TZAM_); }

void TFormCsv1::setLayoutFilter(const QString &prefix)
{
    core::DMZ().Nastav_filter_zamestnancov(prefix + core::DM().Filter_stredisk());
}

void TFormCsv1::showCurrent() { setLayoutFilter(u"Vystup=null and "_s); }

void TFormCsv1::showExcluded() { setLayoutFilter(u"Vystup<>null and "_s); }

void TFormCsv1::showAll() { setLayoutFilter(QString()); }

void TFormCsv1::closeEvent(QCloseEvent *event)
{
    // A width being edited is confirmed or dropped first.
    if (editsLayout()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TFormCsv1::reject()
{
    if (!editsLayout())
        QDialog::reject();
}

void showExportLayouts(QWidget *owner)
{
    TFormCsv1 f(owner);
    f.exec();
}

void registerCsvCommand()
{
    core::addShownCommand(core::mainMenuCommands(), QString::fromLatin1(kCommand), showExportLayouts,
                          [] { return hasDMTL() && core::hasDMZ() && core::DMZ().TZAM_.isActive(); });
}

} // namespace tarix::filings
