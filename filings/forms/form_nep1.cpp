#include "filings/forms/form_nep1.h"

#include "components/grid/ex_db_grid.h"
#include "core/commands.h"
#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/forms/form_menu_pomoc.h"
#include "core/forms/main_menu.h"
#include "core/forms/window_caption.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "filings/rex_reg_listy.h"
#include "filings/rex_sp_xml.h"
#include "platform/ui/qt/named_widgets.h"
#include "platform/db/datasource.h"
#include "platform/db/table.h"
#include "platform/errors.h"
#include "platform/ui/user_interface.h"
#include "reports/forms/form_tla1.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarix::filings {

namespace {

QPointer<TFormNEP1> g_okno;

void controlFile(const QString &xml, const QString &check) { RexSpXml::Zapis_kontrolny_subor(xml, check); }

constexpr char kCommand[] = "sp_reglisty";

} // namespace

// What the window changes on the absence table, given back when it closes.
struct TFormNEP1::PovodnyStav {
    db::DataSource *master = nullptr;
    QString masterFields;
    QString filter;
    bool filtered = false;
    bool dataSourceEnabled = true;
};

TFormNEP1::TFormNEP1(QWidget *parent) : QMainWindow(parent), m_povodny(std::make_unique<PovodnyStav>())
{
    setObjectName(QStringLiteral("FormNEP1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Window);

    // ---- menu ------------------------------------------------------------------------------
    Operacie = menuBar()->addMenu(QStringLiteral("&Operácie"));
    Operacie->setObjectName(QStringLiteral("Operacie"));
    auto add = [this](const QString &text, const char *name) { return ui::namedAction(Operacie, name, text); };
    Novy_zaznam = add(QStringLiteral("Nový záznam"), "Novy_zaznam");
    Oprava_zaznamu = add(QStringLiteral("Oprava záznamu"), "Oprava_zaznamu");
    Vymazanie_riadku = add(QStringLiteral("Vymazanie riadku"), "Vymazanie_riadku");
    Operacie->addSeparator();
    postChanges = add(QStringLiteral("Zápis zmien"), "Zapis_zmien");
    ignoreChanges = add(QStringLiteral("Ignorovanie zmien"), "Ignorovanie_zmien");
    Operacie->addSeparator();
    Vytvor_xml = add(QStringLiteral("Vytvor XML"), "Vytvor_xml");
    Operacie->addSeparator();
    Navrat = add(QStringLiteral("&Návrat"), "Navrat");
    connect(Operacie, &QMenu::aboutToShow, this, &TFormNEP1::setMenuState);
    connect(Navrat, &QAction::triggered, this, &QWidget::close);
    // The item does what its button does, rather than nothing.
    connect(Vytvor_xml, &QAction::triggered, this, [this] { btn_xmlClick(); });
    QMenu *pomoc = menuBar()->addMenu(QStringLiteral("&Pomoc"));
    pomoc->addAction(QStringLiteral("&Kalkulačka"), this, [this] { core::formMenuHelp().calculatorClicked(this); });
    pomoc->addAction(QStringLiteral("&O programe"), this, [this] { core::formMenuHelp().aboutClicked(this); });

    // ---- body ------------------------------------------------------------------------------
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    auto *heading = new QLabel(QStringLiteral("  Sociálna poisťovňa - registračný list hromadný (XML)"), central);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);
    layout->addWidget(heading);
    auto *buttons = new QHBoxLayout;
    btn_xml = new QToolButton(central);
    btn_xml->setObjectName(QStringLiteral("btn_xml"));
    btn_xml->setText(QStringLiteral("Vytvor XML"));
    btn_xml_view = new QToolButton(central);
    btn_xml_view->setObjectName(QStringLiteral("btn_xml_view"));
    btn_xml_view->setText(QStringLiteral("Prezerať XML"));
    buttons->addWidget(btn_xml);
    buttons->addWidget(btn_xml_view);
    buttons->addStretch();
    layout->addLayout(buttons);
    auto *hint = new QLabel(QStringLiteral("  Označte príslušné riadky, ktoré chcete exportovať do XML"), central);
    layout->addWidget(hint);
    connect(btn_xml, &QToolButton::clicked, this, [this] { btn_xmlClick(); });
    connect(btn_xml_view, &QToolButton::clicked, this, &TFormNEP1::btn_xml_viewClick);

    DBG1 = new grid::TExDBGrid(central);
    DBG1->setObjectName(QStringLiteral("DBG1"));
    DBG1->setReadOnly(true);
    using namespace grid;
    DBG1->setOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgTabs | dgAlwaysShowSelection
                     | dgConfirmDelete | dgCancelOnExit | dgMultiSelect);
    DBG1->setExOptions(eoCheckBoxSelect | eoDisableDelete | eoDisableInsert | eoENTERlikeTAB | eoKeepSelection
                       | eoLayout | eoStandardPopup | eoDrawBands | eoBLOBEditor);
    DBG1->setFlat(true);
    DBG1->setGridStyleKind(gsSoftWheat);
    TExDBGridStyle style = DBG1->GridStyle();
    style.filterColor = Qt::green;
    DBG1->setGridStyle(style);
    TExDBGTitleHeight title = DBG1->TitleHeight();
    title.pixelCount = 24;
    DBG1->setTitleHeight(title);
    DBG1->setFooterColor(DBG1->palette().color(QPalette::ToolTipBase));
    DBG1->setWidthOfIndicator(30);
    DBG1->setDefaultRowHeight(19);
    DBG1->setScrollBars(TScrollStyle::ssHorizontal);
    layout->addWidget(DBG1, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    btn_navrat = new QPushButton(QStringLiteral("&Návrat"), central);
    btn_navrat->setObjectName(QStringLiteral("btn_navrat"));
    connect(btn_navrat, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(btn_navrat);
    layout->addLayout(bottom);
    setCentralWidget(central);
    statusBar();
    resize(1000, 520);

    // ---- the absence table: registration-list rows of every employee -------------------------
    m_dmz = &core::DMZ();
    db::Table &nep = m_dmz->TNEP_;
    m_povodny->master = nep.masterSource();
    m_povodny->masterFields = nep.masterFields();
    m_povodny->filter = nep.filter();
    m_povodny->filtered = nep.isFiltered();
    m_povodny->dataSourceEnabled = m_dmz->DS_NEP.isEnabled();
    try {
        showRegistrationSheetFile();
    } catch (...) {
        // A window that cannot show its rows leaves the table as it found it.
        refreshTable();
        throw;
    }
}

void TFormNEP1::showRegistrationSheetFile()
{
    db::Table &nep = m_dmz->TNEP_;
    nep.setMasterSource(nullptr);
    nep.setMasterFields(QString());
    nep.setFilter(QStringLiteral("TypRL>='AA' and TypRL<='ZZ'"));
    nep.setFiltered(true);
    if (!nep.isActive())
        nep.open();
    nep.last();
    m_dmz->DS_NEP.setEnabled(true);
    DBG1->setColumns({{QStringLiteral("L_ZAM"), QStringLiteral("Zamestnanec"), 200},
                      {QStringLiteral("L_TYPRL"), QStringLiteral("Registračný list"), 120},
                      {QStringLiteral("L_TYPRL2"), QStringLiteral("Typ udalosti"), 105},
                      {QStringLiteral("Datum_od"), QStringLiteral("Začiatok"), -1},
                      {QStringLiteral("Datum_do"), QStringLiteral("Koniec"), -1},
                      {QStringLiteral("L_PRERUS1"), QStringLiteral("Dôvod prerušenia poistenia"), 390},
                      {QStringLiteral("Dovod"), QString(), 280}});
    DBG1->setDataSource(&m_dmz->DS_NEP);
    Nastav_titulok();
    DBG1->RefreshData();
}

TFormNEP1::~TFormNEP1()
{
    if (DBG1)
        DBG1->setDataSource(nullptr);
    refreshTable();
}

void TFormNEP1::refreshTable()
{
    // The data modules may be gone (the program ends) or made anew (another firm): only the
    // module this window changed is given back its state.
    if (!m_dmz || !core::hasDMZ() || &core::DMZ() != m_dmz)
        return;
    try {
        db::Table &nep = m_dmz->TNEP_;
        if (nep.isEditing())
            nep.cancel();
        nep.setFilter(m_povodny->filter);
        nep.setFiltered(m_povodny->filtered);
        nep.setMasterFields(m_povodny->masterFields);
        nep.setMasterSource(m_povodny->master);
        m_dmz->DS_NEP.setEnabled(m_povodny->dataSourceEnabled);
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
    }
    m_dmz = nullptr;
}

void TFormNEP1::Nastav_titulok()
{
    try {
        core::TDM &dm = core::DM();
        const QString firm = dm.TINF_.isActive() && !dm.TINF_.isEmpty()
                                 ? dm.TINF_.fieldByName(QStringLiteral("NAZOV")).asString()
                                 : QString();
        core::Nastav_titulok_okna(this, statusBar(), dm.Kratky_text_obdobia(), firm, dm.Text_strediska());
    } catch (const std::exception &) {
        // A caption is never worth an error box.
    }
}

void TFormNEP1::setMenuState()
{
    const bool editing = m_dmz && m_dmz->TZAM_.isEditing();
    Novy_zaznam->setEnabled(!editing);
    Oprava_zaznamu->setEnabled(!editing);
    Vymazanie_riadku->setEnabled(!editing);
    postChanges->setEnabled(editing);
    ignoreChanges->setEnabled(editing);
    Navrat->setEnabled(!editing);
    btn_navrat->setEnabled(!editing);
    Vytvor_xml->setEnabled(!editing);
}

QString TFormNEP1::btn_xmlClick()
{
    const QList<db::Bookmark> marked = DBG1->selectedRows();
    if (marked.isEmpty()) {
        MyConsts::Sprava_informacia(Msg(65096));
        return {};
    }
    if (!MyConsts::Otazka_ano_nie(Msg(65097, int(marked.size()))))
        return {};
    {
        reports::TFormTLA1 kontakt(this);
        kontakt.exec();
    }
    ui::current().setBusyCursor(true);
    db::Table &nep = m_dmz->TNEP_;
    nep.disableControls();
    QString path;
    try {
        core::TDM &dm = core::DM();
        const RlEmployer zamestnavatel = loadEmployer();
        const QList<RlRow> riadky = loadRows(marked);
        const QString document = Zapis_xml_reg_listov(zamestnavatel, riadky);
        const QString ico = MyConsts::nameComponent(QStringLiteral("IČO"), zamestnavatel.ico);
        const QString folder = MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramOutputs);
        path = writeRegistrationSheetsFile(folder, ico, dm.Aktualny_rok(), document, controlFile);
    } catch (const EAbort &) {
        path.clear();
    } catch (const std::exception &e) {
        path.clear();
        nep.enableControls();
        ui::current().setBusyCursor(false);
        MyConsts::Sprava_chyba(Msg(65180) + QString::fromUtf8(e.what()));
        return {};
    }
    nep.enableControls();
    ui::current().setBusyCursor(false);
    if (!path.isEmpty())
        MyConsts::reportFilesWritten(Msg(65151, QDir::toNativeSeparators(path)), {path});
    return path;
}

void TFormNEP1::btn_xml_viewClick()
{
    try {
        core::TDM &dm = core::DM();
        const QString ico = loadEmployer().ico;
        const QString base = QStringLiteral("SPRLZEC_") + ico + u'_' + QString::number(dm.Aktualny_rok());
        const QString folder = MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramOutputs);
        MyConsts::Vyber_a_otvor_subor(folder, base + QStringLiteral(" files(*.XML)|") + base
                                                  + QStringLiteral("*.XML|*.XML|*.XML"));
    } catch (const EAbort &) {
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
    }
    raise();
    activateWindow();
}

TFormNEP1 *showRegistrationSheets(QWidget *owner)
{
    if (!g_okno)
        g_okno = new TFormNEP1(owner);
    g_okno->show();
    g_okno->raise();
    g_okno->activateWindow();
    return g_okno;
}

void registerRegistrationSheetsCommand()
{
    core::addShownCommand(core::mainMenuCommands(), QString::fromLatin1(kCommand), showRegistrationSheets,
                          [] { return core::hasDMZ() && core::DMZ().TZAM_.isActive(); });
}

} // namespace tarix::filings
