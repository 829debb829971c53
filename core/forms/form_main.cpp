#include "core/forms/form_main.h"

#include "core/forms/page_ids.h"
#include "core/helpers/app_paths.h"
#include "core/app_ini.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/firm_admin.h"
#include "core/firm_opening.h"
#include "core/forms/form_stred.h"
#include "core/forms/employee_card.h"
#include "core/forms/main_window_pages.h"
#include "core/forms/form_heslo.h"
#include "core/forms/page_rules.h"
#include "core/forms/form_obdobie.h"
#include "core/forms/window_caption.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/period_rules.h"
#include "core/session.h"
#include "core/version.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTabWidget>

namespace tarix::core {

namespace {
bool firmHeaderOpen() { return hasDM() && DM().TINF_.isActive(); }
} // namespace

TFormMain::TFormMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QString::fromLatin1(kCaptionPrefix));
    // The employee card needs the whole screen; 1024 x 720 is only the size it restores to.
    resize(1024, 720);
    setWindowState(windowState() | Qt::WindowMaximized);

    buildMenu();
    buildPages();
    buildOperations();
    // The subsystems show their pages through the running window.
    setRunningMainWindow(this);
    // A new window lists the current employees (the filter itself needs an open firm).
    Akcia_zam_sucasny();

    setTitleRefresh([self = QPointer<TFormMain>(this)] {
        if (self)
            self->Obnov_titulok();
    });
    // The modules call the window through hooks; a hook outliving the window does nothing.
    if (hasDMZ())
        DMZ().Zmena_udajov_zamestnanca = [self = QPointer<TFormMain>(this)] {
            if (self)
                self->Zmena_udajov_zamestnanca();
        };
    if (hasDMP())
        DMP().Zobraz_stranku_dokumentu = [self = QPointer<TFormMain>(this)](const QString &page) {
            if (self && self->m_karta)
                self->m_karta->PC_PPV()->setCurrentIndex(self->m_karta->PC_PPV()->pageIndex(page));
        };
    // Adding, deleting or restoring a firm closes the databases and lists the firms anew.
    setFirmAdminSteps({[self = QPointer<TFormMain>(this)] {
                                    if (self)
                                        self->Akcia_zatvorenie_db();
                                },
                                [self = QPointer<TFormMain>(this)] {
                                    if (self) {
                                        self->Vytvor_menu_firiem();
                                        self->Akcia_priprav_menu();
                                    }
                                }});
    core::Nastav_farby_formulara(this);
    Akcia_priprav_menu();
}

TFormMain::~TFormMain() = default;

int TFormMain::openFirm() const { return openedFirm().firma; }

void TFormMain::Akcia_priprav_menu()
{
    const MainMenuState s = mainMenuState(currentPageName() == kPageStart, firmHeaderOpen());
    m_system->setEnabled(s.system);
    m_hlavne->setEnabled(s.hlavne);
    m_prehlady->setEnabled(s.prehlady);
    m_nastavenia->setEnabled(s.nastavenia);
    for (QMenu *menu : {m_system, m_hlavne, m_prehlady, m_nastavenia})
        menu->menuAction()->setEnabled(menu->isEnabled());
    refreshCommandItems();
}

bool TFormMain::Akcia_system_koniec()
{
    if (!MyConsts::Otazka_ano_nie(Msg(65173)))
        return false;
    m_closing = true;
    close();
    return true;
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    // Closing the window by its frame asks the same question as "Koniec". A pending edit is
    // dropped, never written half-typed as the tables close.
    if (m_closing || MyConsts::Otazka_ano_nie(Msg(65173))) {
        m_closing = true;
        cancelPending();
        event->accept();
    } else {
        event->ignore();
    }
}

bool TFormMain::logIn(const std::function<bool(TDM &)> &login)
{
    try {
        TDM &dm = DM();
        for (db::Table *t : {&dm.TPRIV_, &dm.TSYS_})
            if (!t->isActive())
                t->open();
        return login ? login(dm) : runLogin(dm, this);
    } catch (const std::exception &e) {
        showError(e);
        return false;
    }
}

void TFormMain::Vytvor_menu_firiem()
{
    for (QMenu *menu : {m_otvorenieFirmy, m_zrusenieFirmy}) {
        menu->clear();
        for (QMenu *sub : menu->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly))
            delete sub;
    }
    QStringList unreadableYears;
    const QList<FirmEntry> firms =
        firmList(session(), appPaths().networkRoot, &unreadableYears);
    // An unreadable year stays in the menu (opening it says why); the clerk hears of it now.
    if (!unreadableYears.isEmpty())
        MyConsts::Sprava_upozornenie(
            QStringLiteral("Niektoré databázy rokov nie je možné prečítať:\n%1")
                .arg(unreadableYears.join(u'\n')));
    for (const FirmEntry &firm : firms) {
        const int n = firm.cislo;
        QMenu *item = m_otvorenieFirmy->addMenu(firm.popis());
        item->setObjectName(QStringLiteral("Firma%1").arg(n));
        // A damaged or busy firm keeps its years: opening one names the file and the reason.
        item->menuAction()->setToolTip(firm.problem);
        item->menuAction()->setProperty("tag", n);
        for (int year : firm.roky) {
            QAction *y = item->addAction(QString::number(year));
            y->setProperty("tag", n);
            connect(y, &QAction::triggered, this, [this, n, year] { Akcia_otvorenie_db(n, year); });
        }
        QAction *del = m_zrusenieFirmy->addAction(firm.popis());
        del->setProperty("tag", n);
        connect(del, &QAction::triggered, this, [this, n, caption = firm.popis()] {
            emit zrusenieFirmy(n);
            Zrusenie_firmy(n, caption);
        });
    }
}

bool TFormMain::Akcia_otvorenie_db(int firm, int year)
{
    OpeningSteps kroky;
    kroky.priprav_menu = [this] {
        setPeriodItems();
        Akcia_priprav_menu();
        Obnov_titulok();
    };
    kroky.menu_podla_zamestnavatela = [this] { Menu_maly_velky_zavod(); };
    kroky.vyber_strediska = [this] { Akcia_stredisko(false); };
    kroky.vyber_obdobia = [this] { Akcia_obdobie(); };
    const bool opened = openFirmAndYear(firm, year, kroky);
    setYearPages();
    Akcia_priprav_menu();
    Obnov_titulok();
    return opened;
}

void TFormMain::Akcia_zatvorenie_db()
{
    closeFirmTables();
    Akcia_priprav_menu();
    // The caption and the status bar name no firm that is closed.
    Obnov_titulok();
}

void TFormMain::Menu_maly_velky_zavod()
{
    auto action = [this](const char *name) {
        return findChild<QAction *>(QString::fromLatin1(name));
    };
    if (QAction *a = action("mnu_zmena_strediska"))
        a->setEnabled(true);
    const bool ownCommandsDavky = hasDM() && DM().Pocita_nemocenske_davky();
    if (QAction *a = action("tlac_spv1"))
        a->setVisible(ownCommandsDavky);
    if (QAction *a = action("tlac_sp1"))
        a->setVisible(!ownCommandsDavky);
    // "Číselník stredísk" is enabled as far as its command allows.
    refreshCommandItems();
}

// Entries of code lists and contracts that only periods before a change of the law use.
void TFormMain::setPeriodItems()
{
    if (!hasDM())
        return;
    const int period = DM().Aktualne_obdobie();
    if (QAction *a = findChild<QAction *>(QStringLiteral("mnu_cis_pd1")))
        a->setVisible(period < 200501);
    if (QAction *a = findChild<QAction *>(QStringLiteral("mnu_ppv_dpc")))
        a->setVisible(period < 200401);
}

// The health-insurance annual page exists from 2006 on, for the advances of the year before.
void TFormMain::setYearPages()
{
    QWidget *page = findChild<QWidget *>(kTabHealth);
    if (!page || !hasDM())
        return;
    const int year = DM().Aktualny_rok();
    for (QWidget *w = page->parentWidget(); w; w = w->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            tabs->setTabVisible(tabs->indexOf(page), year >= 2006);
            break;
        }
    if (QWidget *doklad = page->findChild<QWidget *>(kTabHealthDocument))
        for (QWidget *w = doklad->parentWidget(); w; w = w->parentWidget())
            if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
                tabs->setTabText(tabs->indexOf(doklad),
                                 QStringLiteral("Doklad o preddavkoch za rok %1").arg(year - 1));
                break;
            }
}

void TFormMain::Obnov_titulok()
{
    try {
        if (!firmHeaderOpen()) {
            setWindowTitle(QString::fromLatin1(kCaptionPrefix));
            statusPanel(statusBar(), 0)->clear();
            return;
        }
        TDM &dm = DM();
        const QString name = dm.TINF_.isEmpty()
                                 ? QString()
                                 : dm.TINF_.fieldByName(QStringLiteral("NAZOV")).asString();
        Nastav_titulok_okna(this, statusBar(), dm.Kratky_text_obdobia(), name, dm.Text_strediska());
    } catch (const std::exception &) {
        // A caption is never worth an error box.
        setWindowTitle(QString::fromLatin1(kCaptionPrefix));
    }
}

void TFormMain::Akcia_obdobie()
{
    runPeriodChoice(DM(), appPaths().programFolder, this);
    Obnov_titulok();
    Akcia_zam_obnov_filter();
}

void TFormMain::Akcia_stredisko(bool fromMenu)
{
    TDM &dm = DM();
    if (costCenterList(dm).size() > 1) {
        runCostCenterChoice(dm, this);
        Obnov_titulok();
        // The list shows the employees of the chosen centres.
        Akcia_zam_obnov_filter();
        return;
    }
    if (fromMenu)
        MyConsts::Sprava_informacia(Msg(65162));
    setCostCenter(dm, 0);
}

} // namespace tarix::core
