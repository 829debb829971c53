#include "filings/forms/form_hp1.h"

#include "core/commands.h"
#include "core/dm_main.h"
#include "core/forms/form_menu_pomoc.h"
#include "core/forms/main_menu.h"
#include "core/forms/window_caption.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "filings/bank_files.h"
#include "filings/dm_hp.h"
#include "filings/forms/form_par_hp.h"
#include "filings/payment_orders.h"
#include "filings/rex_hp.h"
#include "platform/ui/qt/named_widgets.h"
#include "platform/ui/qt/window_fit.h"
#include "platform/db/session.h"
#include "platform/db/table.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_navigator.h"
#include "platform/errors.h"
#include "reports/dispatcher.h"
#include "reports/report_param.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tarix::filings {

using namespace Qt::StringLiterals;
using dbctrl::NavigateButton;

namespace {

QPointer<TFormHP1> g_okno;

constexpr char kCommand[] = "mnu_hp1";

QLabel *orderHeading(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

dbctrl::DBNavigator *navigator(const char *name, db::DataSource *source, QList<NavigateButton> buttons,
                               QWidget *parent)
{
    auto *n = new dbctrl::DBNavigator(parent);
    n->setObjectName(QString::fromLatin1(name));
    n->setVisibleButtons(buttons);
    n->setDataSource(source);
    return n;
}

// An edit panel: the fields of a data source, one row each.
QWidget *panel(const char *name, db::DataSource *source,
               std::initializer_list<std::pair<const char16_t *, const char16_t *>> fields, QWidget *parent)
{
    auto *p = new QWidget(parent);
    p->setObjectName(QString::fromLatin1(name));
    auto *form = new QFormLayout(p);
    for (const auto &[field, caption] : fields) {
        const QString f = QString::fromUtf16(field);
        dbctrl::DBEdit *e = f == u"DATUM_SPLATNOSTI" ? new dbctrl::DBDateEdit(p) : new dbctrl::DBEdit(p);
        e->setObjectName(u"DBE_"_s + f);
        e->setDataSource(source);
        e->setDataField(f);
        form->addRow(QString::fromUtf16(caption), e);
    }
    p->hide();
    return p;
}

} // namespace

OrderWindowState hpWindowState(bool edituje_hlavicku, bool edituje_polozku)
{
    const bool volne = !edituje_hlavicku && !edituje_polozku;
    return {.vkladanie = volne,
            .zapis_hlavicky = edituje_hlavicku,
            .zapis_polozky = edituje_polozku,
            .navrat = volne,
            .navigatory = volne,
            .operacie = volne};
}

TFormHP1::TFormHP1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(u"FormHP1"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    ui::keepAboveOwner(this);
    m_dm = &DMHP();

    // ---- menu ------------------------------------------------------------------------------
    Operacie = menuBar()->addMenu(u"&Operácie"_s);
    Operacie->setObjectName(u"Operacie"_s);
    auto add = [this](const char *name, const QString &text) { return ui::namedAction(Operacie, name, text); };
    mnu_insert1 = add("mnu_insert1", u"Nový hromadný príkaz"_s);
    mnu_edit1 = add("mnu_edit1", u"Oprava hromadného príkazu"_s);
    mnu_delete1 = add("mnu_delete1", u"Vymazanie hromadného príkazu"_s);
    mnu_post1 = add("mnu_post1", u"Zápis zmien"_s);
    mnu_cancel1 = add("mnu_cancel1", u"Ignorovanie zmien"_s);
    Operacie->addSeparator();
    Mnu_insert2 = add("Mnu_insert2", u"Nový riadok"_s);
    Mnu_edit2 = add("Mnu_edit2", u"Oprava riadku"_s);
    Mnu_delete2 = add("Mnu_delete2", u"Vymazanie riadku"_s);
    Mnu_post2 = add("Mnu_post2", u"Zápis zmien"_s);
    Mnu_cancel2 = add("Mnu_cancel2", u"Ignorovanie zmien"_s);
    Operacie->addSeparator();
    Mnu_tlac = add("Mnu_tlac", u"Tlač hromadného príkazu"_s);
    Mnu_tlac2 = add("Mnu_tlac2", u"Tlač hromadného príkazu - VÚB"_s);
    Mnu_generuj = add("Mnu_generuj", u"Generovanie hromadného príkazu"_s);
    Operacie->addSeparator();
    Mnu_navrat = add("Mnu_navrat", u"&Návrat"_s);
    for (QAction *a : {mnu_insert1, mnu_edit1, mnu_delete1, mnu_post1, mnu_cancel1, Mnu_insert2, Mnu_edit2,
                       Mnu_delete2, Mnu_post2, Mnu_cancel2})
        connect(a, &QAction::triggered, this, [this, a] { orderOperation(a); });
    connect(Mnu_tlac, &QAction::triggered, this, &TFormHP1::Btn_tlacClick);
    connect(Mnu_tlac2, &QAction::triggered, this, &TFormHP1::Mnu_tlac2Click);
    connect(Mnu_generuj, &QAction::triggered, this, &TFormHP1::Btn_nacitajClick);
    connect(Mnu_navrat, &QAction::triggered, this, &QWidget::close);
    connect(Operacie, &QMenu::aboutToShow, this, &TFormHP1::Akcia_priprav_hp);
    QMenu *pomoc = menuBar()->addMenu(u"&Pomoc"_s);
    pomoc->addAction(u"&Kalkulačka"_s, this, [this] { core::formMenuHelp().calculatorClicked(this); });
    pomoc->addAction(u"&O programe"_s, this, [this] { core::formMenuHelp().aboutClicked(this); });

    // ---- body ------------------------------------------------------------------------------
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    const QList<NavigateButton> pohyb{NavigateButton::First, NavigateButton::Prior, NavigateButton::Next,
                                      NavigateButton::Last,  NavigateButton::Insert, NavigateButton::Delete};
    const QList<NavigateButton> writeBankFile{NavigateButton::Edit, NavigateButton::Post, NavigateButton::Cancel};

    auto *riadok1 = new QHBoxLayout;
    riadok1->addWidget(orderHeading(u"  Zoznam hromadných príkazov"_s, central), 1);
    DBN1 = navigator("DBN1", &m_dm->DS_HP1G, pohyb, central);
    DBN2 = navigator("DBN2", &m_dm->DS_HP1, writeBankFile, central);
    riadok1->addWidget(DBN1);
    riadok1->addWidget(DBN2);
    layout->addLayout(riadok1);
    DBG1 = new dbctrl::DBGrid(central);
    DBG1->setObjectName(u"DBG1"_s);
    DBG1->setReadOnly(true);
    DBG1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBG1->setColumns({{u"DATUM_SPLATNOSTI"_s, QString(), 110},
                      {u"CISLO_U"_s, u"na ťarchu účtu číslo:"_s, 180},
                      {u"BANKA_U"_s, u"kód banky"_s, 80},
                      {u"POR_CISLO"_s, u"por.č."_s, 60}});
    layout->addWidget(DBG1, 1);
    P1 = panel("P1", &m_dm->DS_HP1,
               {{u"CISLO_U", u"Na ťarchu účtu číslo"},
                {u"BANKA_U", u"Kód banky"},
                {u"DATUM_SPLATNOSTI", u"Dátum splatnosti"},
                {u"POR_CISLO", u"Poradové číslo"}},
               central);
    layout->addWidget(P1);

    auto *riadok2 = new QHBoxLayout;
    riadok2->addWidget(orderHeading(u"  Zoznam položiek v hromadnom príkaze"_s, central), 1);
    DBN1D = navigator("DBN1D", &m_dm->DS_HP2G, pohyb, central);
    DBN2D = navigator("DBN2D", &m_dm->DS_HP2, writeBankFile, central);
    riadok2->addWidget(DBN1D);
    riadok2->addWidget(DBN2D);
    layout->addLayout(riadok2);
    DBG2 = new dbctrl::DBGrid(central);
    DBG2->setObjectName(u"DBG2"_s);
    DBG2->setReadOnly(true);
    DBG2->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBG2->setColumns({{u"CISLO_U"_s, u"v prospech účtu číslo"_s, 180},
                      {u"BANKA_U"_s, QString(), 80},
                      {u"SUMA"_s, u"suma"_s, 100},
                      {u"VSYM"_s, u"variabilný s."_s, 100},
                      {u"KSYM"_s, u"konšt.s."_s, 70},
                      {u"SSYM"_s, u"špecifický s."_s, 100}});
    layout->addWidget(DBG2, 2);
    P2 = panel("P2", &m_dm->DS_HP2,
               {{u"CISLO_U", u"V prospech účtu číslo"},
                {u"BANKA_U", u"Kód banky"},
                {u"SUMA", u"Suma"},
                {u"VSYM", u"Variabilný symbol"},
                {u"KSYM", u"Konštantný symbol"},
                {u"SSYM", u"Špecifický symbol"}},
               central);
    layout->addWidget(P2);

    auto *tlacidla = new QHBoxLayout;
    auto tlacidlo = [central, tlacidla](const char *name, const QString &text) {
        return ui::namedButton(central, name, text, tlacidla);
    };
    Btn_nacitaj = tlacidlo("Btn_nacitaj", u"Generuj"_s);
    Btn_tlac = tlacidlo("Btn_tlac", u"Tlač hromadného príkazu"_s);
    Btn_ikey = tlacidlo("Btn_ikey", u"I-KEY"_s);
    btn_vub = tlacidlo("btn_vub", u"VUB"_s);
    tlacidla->addStretch();
    Btn_navrat = tlacidlo("Btn_navrat", u"&Návrat"_s);
    layout->addLayout(tlacidla);
    connect(Btn_nacitaj, &QPushButton::clicked, this, &TFormHP1::Btn_nacitajClick);
    connect(Btn_tlac, &QPushButton::clicked, this, &TFormHP1::Btn_tlacClick);
    connect(Btn_ikey, &QPushButton::clicked, this, [this] { Btn_ikeyClick(); });
    connect(btn_vub, &QPushButton::clicked, this, [this] { btn_vubClick(); });
    connect(Btn_navrat, &QPushButton::clicked, this, &QWidget::close);
    setCentralWidget(central);
    statusBar();
    resize(900, 640);

    // Every navigator press, from its button or from the menu, sets the state anew.
    for (dbctrl::DBNavigator *n : {DBN1, DBN2, DBN1D, DBN2D})
        n->onClick = [this](NavigateButton) { Akcia_priprav_hp(); };

    // ---- the tables -------------------------------------------------------------------------
    m_dm->THP1_.open();
    m_dm->THP1_.last();
    m_dm->THP2_.open();
    for (db::DataSource *s : {&m_dm->DS_HP1, &m_dm->DS_HP2, &m_dm->DS_HP1G, &m_dm->DS_HP2G})
        s->setEnabled(true);
    DBG1->setDataSource(&m_dm->DS_HP1G);
    DBG2->setDataSource(&m_dm->DS_HP2G);
    try {
        core::TDM &dm = core::DM();
        core::Nastav_titulok_okna(this, statusBar(), dm.Kratky_text_obdobia(), reports::Nazov_firmy(dm),
                                  dm.Text_strediska());
    } catch (const std::exception &) {
        // A caption is never worth an error box.
    }
    Akcia_priprav_hp();
}

TFormHP1::~TFormHP1()
{
    DBG1->setDataSource(nullptr);
    DBG2->setDataSource(nullptr);
    for (dbctrl::DBNavigator *n : {DBN1, DBN2, DBN1D, DBN2D}) {
        n->onClick = nullptr;
        n->setDataSource(nullptr);
    }
    if (!validModule())
        return;
    try {
        for (db::Table *t : {&m_dm->THP2_, &m_dm->THP1_})
            if (t->isEditing())
                t->cancel();
        for (db::DataSource *s : {&m_dm->DS_HP2G, &m_dm->DS_HP1G, &m_dm->DS_HP2, &m_dm->DS_HP1})
            s->setEnabled(false);
        m_dm->THP2_.close();
        m_dm->THP1_.close();
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
    }
}

bool TFormHP1::validModule() const { return m_dm && hasDMHP() && &DMHP() == m_dm; }

void TFormHP1::Akcia_priprav_hp()
{
    const bool hlavicka = validModule() && m_dm->THP1_.isEditing();
    const bool polozka = validModule() && m_dm->THP2_.isEditing();
    const OrderWindowState s = hpWindowState(hlavicka, polozka);
    for (QAction *a : {mnu_insert1, mnu_edit1, mnu_delete1, Mnu_insert2, Mnu_edit2, Mnu_delete2})
        a->setEnabled(s.vkladanie);
    mnu_post1->setEnabled(s.zapis_hlavicky);
    mnu_cancel1->setEnabled(s.zapis_hlavicky);
    DBN2->setEnabled(s.zapis_hlavicky || s.vkladanie);
    P1->setVisible(s.zapis_hlavicky);
    Mnu_post2->setEnabled(s.zapis_polozky);
    Mnu_cancel2->setEnabled(s.zapis_polozky);
    DBN2D->setEnabled(s.zapis_polozky || s.vkladanie);
    P2->setVisible(s.zapis_polozky);
    Mnu_navrat->setEnabled(s.navrat);
    Btn_navrat->setEnabled(s.navrat);
    DBN1->setEnabled(s.navigatory);
    DBN1D->setEnabled(s.navigatory);
    for (QAction *a : {Mnu_tlac, Mnu_tlac2, Mnu_generuj})
        a->setEnabled(s.operacie);
    for (QPushButton *b : {Btn_nacitaj, Btn_tlac, Btn_ikey, btn_vub})
        b->setEnabled(s.operacie);
}

void TFormHP1::orderOperation(QAction *item)
{
    struct Volba {
        QAction *polozka;
        dbctrl::DBNavigator *navigator;
        NavigateButton tlacidlo;
    };
    const Volba volby[] = {
        {mnu_insert1, DBN1, NavigateButton::Insert},  {mnu_edit1, DBN2, NavigateButton::Edit},
        {mnu_delete1, DBN1, NavigateButton::Delete},  {mnu_post1, DBN2, NavigateButton::Post},
        {mnu_cancel1, DBN2, NavigateButton::Cancel},  {Mnu_insert2, DBN1D, NavigateButton::Insert},
        {Mnu_edit2, DBN2D, NavigateButton::Edit},     {Mnu_delete2, DBN1D, NavigateButton::Delete},
        {Mnu_post2, DBN2D, NavigateButton::Post},     {Mnu_cancel2, DBN2D, NavigateButton::Cancel},
    };
    for (const Volba &v : volby)
        if (v.polozka == item) {
            v.navigator->btnClick(v.tlacidlo);
            break;
        }
    // A refused operation leaves the state as it was; the menus show it either way.
    Akcia_priprav_hp();
}

void TFormHP1::Btn_nacitajClick()
{
    if (!validModule())
        return;
    const core::TDM &dm = core::DM();
    if (!MyConsts::Otazka_ano_nie(Msg(65148, dm.Nazov_obdobia(false).toLower())))
        return;
    Generuj_polozky(dm.Aktualne_obdobie());
}

bool TFormHP1::Generuj_polozky(int obdobie)
{
    if (!validModule())
        return false;
    const core::TDM &dm = core::DM();
    db::DataSource &zdroj = m_dm->DS_HP2;
    zdroj.setEnabled(false);
    bool hotovo = false;
    try {
        hotovo = filings::Generuj_polozky(m_dm->THP2_.session(), m_dm->currentHpid(), obdobie,
                                          dm.Min_stredisko(), dm.Max_stredisko(),
                                          [this] { return TFormParHP::Zobraz_parametre(this); });
        m_dm->THP2_.refresh();
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
    }
    zdroj.setEnabled(true);
    Akcia_priprav_hp();
    return hotovo;
}

void TFormHP1::printOrders(const QString &kod)
{
    if (!validModule())
        return;
    reports::TMyReportParam p;
    try {
        reports::Priprav_parametre_zostavy(p);
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
        return;
    }
    p.Kod_zostavy = kod;
    p.Rezerva1 = m_dm->currentHpid();
    if (kod == u"HP2")
        REXHP::runHp2Report(p);
    else
        REXHP::runHp1Report(p);
    // The printout stored the items' pages.
    try {
        m_dm->THP2_.refresh();
    } catch (const std::exception &) {
    }
}

void TFormHP1::Btn_tlacClick() { printOrders(u"HP1"_s); }

void TFormHP1::Mnu_tlac2Click() { printOrders(u"HP2"_s); }

void TFormHP1::writeOrderFile(QString (*writeBankFile)(db::Session &, int), QString *path)
{
    path->clear();
    if (!validModule())
        return;
    try {
        *path = writeBankFile(m_dm->THP1_.session(), m_dm->currentHpid());
    } catch (const EAbort &) {
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
    }
}

QString TFormHP1::Btn_ikeyClick()
{
    QString path;
    writeOrderFile(&writeXmlBatch, &path);
    return path;
}

QString TFormHP1::btn_vubClick()
{
    QString path;
    writeOrderFile(&writeVubFile, &path);
    return path;
}

void TFormHP1::closeEvent(QCloseEvent *event)
{
    if (validModule() && (m_dm->THP1_.isEditing() || m_dm->THP2_.isEditing())
        && !MyConsts::Otazka_ano_nie(Msg(65172))) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

TFormHP1 *showBulkOrders(QWidget *owner)
{
    if (!g_okno)
        g_okno = new TFormHP1(owner);
    g_okno->show();
    g_okno->raise();
    g_okno->activateWindow();
    return g_okno;
}

void registerHpCommand()
{
    core::addShownCommand(core::mainMenuCommands(), QString::fromLatin1(kCommand), showBulkOrders,
                          [] { return hasDMHP() && core::hasDM() && core::DM().TINF_.isActive(); });
}

} // namespace tarix::filings
