#include "payroll/forms/rzp_pages.h"

#include "core/helpers/dialogs.h"
#include "payroll/dm_v.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/screen_builder.h"
#include "platform/errors.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tarix::payroll {

using namespace dbctrl;

namespace {

// Which form a field belongs to: 2003 (before 2004), 2004, 2005 (from 2005).
enum Formular { F2003 = 1, F2004 = 2, F2005 = 4 };

struct Pole {
    const char *field;
    const char *label;
    int formulare;
};

// In the order of the settlement form: income, base, non-taxable amounts, tax, advances,
// bonus and result. The clerk types those the settlement does not compute; the fields
// themselves say which (the computed ones are only shown).
const Pole kPolia[] = {
    {"Uhrn_brutto", "Úhrn príjmov zo závislej činnosti", F2004 | F2005},
    {"Poistne", "Poistné zamestnanca", F2004 | F2005},
    {"DDP", "Doplnkové dôchodkové poistenie", F2004 | F2005},
    {"Ciastzd1", "Čiastkový základ dane zo závislej činnosti", F2003 | F2004 | F2005},
    {"Ciastzd2", "Čiastkový základ dane z ďalších príjmov", F2003 | F2004 | F2005},
    {"Ciastzd_spolu", "Základ dane spolu", F2003 | F2004 | F2005},
    {"Nc_minimum", "Nezdaniteľná časť na daňovníka", F2003 | F2004 | F2005},
    {"Nc_deti", "Nezdaniteľná časť na deti", F2003},
    {"Nc_partner", "Nezdaniteľná časť na manželku (manžela)", F2003 | F2004 | F2005},
    {"Nc_invalid_ciast", "Nezdaniteľná časť - čiastočný invalidný dôchodok", F2003},
    {"Nc_invalid_ztp", "Nezdaniteľná časť - ZŤP", F2003},
    {"Nc_dary", "Dary", F2003},
    {"Nc_ucelove_sporenie", "Účelové sporenie", F2005},
    {"Nc_zivotne_poistenie", "Životné poistenie", F2005},
    {"Nc_do_limitu", "Sporenie, poistenie a DDP do limitu", F2005},
    {"Nc_spolu", "Nezdaniteľné časti spolu", F2003 | F2004 | F2005},
    {"Zdanmzda", "Zdaniteľná mzda", F2003 | F2004 | F2005},
    {"Zdanmzda_round", "Zdaniteľná mzda zaokrúhlená", F2003 | F2004 | F2005},
    {"Dan", "Daň", F2003 | F2004 | F2005},
    {"Preddavky1", "Preddavky zrazené týmto zamestnávateľom", F2003 | F2004 | F2005},
    {"Preddavky2", "Preddavky zrazené inými zamestnávateľmi", F2003 | F2004 | F2005},
    {"Uhrn_preddavkov", "Úhrn preddavkov", F2003 | F2004 | F2005},
    {"Uhrn_nepenaznych", "Nepeňažné príjmy", F2003},
    {"Nedoplatok_nepenaznych", "Nezrazená daň z nepeňažných príjmov", F2003},
    {"Uhrn_nepen2", "Nepeňažné príjmy 2", F2003},
    {"Nedoplatok_nepen2", "Nezrazená daň z nepeňažných príjmov 2", F2003},
    {"D_bonus_narok", "Daňový bonus - nárok", F2004 | F2005},
    {"D_bonus_cerpany", "Daňový bonus - vyplatený", F2004 | F2005},
    {"Preplatok", "Preplatok (+) / nedoplatok (-)", F2004 | F2005},
    {"CALC_PREPLATOK", "Preplatok (+) / nedoplatok (-)", F2003},
    {"CALC_DAN_PREPL", "Preplatok na dani", F2004 | F2005},
    {"CALC_DAN_NEDOPL", "Nedoplatok na dani", F2004 | F2005},
    {"CALC_BONUS_PREPL", "Nevyplatený daňový bonus", F2004 | F2005},
    {"CALC_BONUS_NEDOPL", "Neoprávnene vyplatený daňový bonus", F2004 | F2005},
    {"CALC_BB_PREPL", "Preplatok spolu", F2004 | F2005},
    {"CALC_BB_NEDOPL", "Nedoplatok spolu", F2004 | F2005},
};

struct Stranka {
    int formular;
    const char *name;
    const char *panel;
};
const Stranka kStranky[] = {
    {F2003, "RZP2003", "  2.03A Ročné zúčtovanie"},
    {F2004, "RZP2004", "  2.03B Ročné zúčtovanie"},
    {F2005, "RZP2005", "  2.03C Ročné zúčtovanie"},
};

// The print items of the operations menu and the launchers they run.
const struct {
    const char *text;
    const char *spustac;
} kTlace[] = {
    {"Tlač ročného zúčt. preddavkov - &1.strana", "rzp_tlac_rz"},
    {"Tlač ročného zúčt. preddavkov - &2.strana", "rzp_tlac_rz2004b"},
    {"Vyhlásenie o poukázaní 2%  - Príloha č.1", "rzp_tlac_nezisk1"},
    {"Potvrdenie o zaplatení dane - Príloha č.2", "rzp_tlac_nezisk2"},
};

} // namespace

core::CommandRegistry &settlementPrintCommands()
{
    static core::CommandRegistry commands([] {
        QStringList ids;
        for (const auto &t : kTlace)
            ids << QString::fromLatin1(t.spustac);
        return ids;
    }());
    return commands;
}

SettlementState currentSettlement(TDMV &dm)
{
    SettlementState stav;
    db::Table &rzp = dm.TRZP_;
    if (rzp.isActive() && !rzp.isEmpty()) {
        stav.codeEmp = int(rzp.fieldByName(QStringLiteral("Code_emp")).asInteger());
        const QVariant rok = rzp.fieldByName(QStringLiteral("V_rok")).value();
        if (!rok.isNull())
            stav.rok = rok;
    }
    stav.isEditingRecord = rzp.isEditing();
    return stav;
}

QString rzpPage(int rok)
{
    if (rok < 2004)
        return QStringLiteral("RZP2003");
    if (rok == 2004)
        return QStringLiteral("RZP2004");
    return QStringLiteral("RZP2005");
}

TRzpPages::TRzpPages(TDMV &dm, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_stranky(new QStackedWidget(this)), m_operacie(new QMenu(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stranky);
    for (const Stranka &s : kStranky)
        m_stranky->addWidget(buildPage(s.formular));

    m_operacie->setObjectName(QStringLiteral("Operacie_rzp1"));
    m_operacie->setTitle(QStringLiteral("&Operácie-ročné zúčtovanie"));
    for (const auto &t : kTlace) {
        const QString spustac = QString::fromLatin1(t.spustac);
        QAction *a = m_operacie->addAction(QString::fromUtf8(t.text), this, [this, spustac] { printSettlement(spustac); });
        a->setObjectName(spustac);
    }
    m_operacie->addAction(QStringLiteral("Nové zúčtovanie"), this, &TRzpPages::newRzpSettlement);
    m_operacie->addAction(QStringLiteral("Oprava zúčtovania"), this, &TRzpPages::editSettlement);
    m_operacie->addAction(QStringLiteral("Vymazanie zúčtovania"), this, &TRzpPages::deleteSettlement);
    m_operacie->addAction(QStringLiteral("Zápis zmien"), this, &TRzpPages::postChanges);
    m_operacie->addAction(QStringLiteral("Ignorovanie zmien"), this, &TRzpPages::ignoreChanges);
    // The main window connects the return (marked "navrat"): it leaves the pages as the
    // employee list's return button does.
    m_operacie->addAction(QStringLiteral("&Návrat"))->setProperty("navrat", true);
}

QWidget *TRzpPages::buildPage(int formular)
{
    const Stranka *opis = nullptr;
    for (const Stranka &s : kStranky)
        if (s.formular == formular)
            opis = &s;
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(opis->name));
    auto *layout = new QVBoxLayout(page);
    auto *panel = new QLabel(QString::fromUtf8(opis->panel), page);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    layout->addWidget(panel);

    ScreenBuilder builder(&m_dm.DS_RZP, QStringLiteral("TRZP_"));
    builder.addSource(QStringLiteral("DS_RGRID"), &m_dm.DS_RGRID);
    builder.colorRolesByKind = true;
    builder.onControl = [this](const ScreenControl &c, QWidget *w) {
        if (auto *edit = qobject_cast<DBEdit *>(w); edit && !edit->isDataReadOnly())
            connect(edit, &DBEdit::exited, this, &TRzpPages::SET_RZP);
    };
    using B = NavigateButton;
    ScreenGroup zoznam{.controls = {
                           {.kind = ControlKind::Navigator,
                            .name = QString::fromLatin1(opis->name) + QStringLiteral("_DBN_RGRID"),
                            .source = QStringLiteral("DS_RGRID"),
                            .buttons = {B::First, B::Prior, B::Next, B::Last}},
                           {.kind = ControlKind::Grid,
                            .readOnly = true,
                            .name = QString::fromLatin1(opis->name) + QStringLiteral("_DBG_RGRID"),
                            .source = QStringLiteral("DS_RGRID"),
                            .columns = {{"V_rok", "Rok", 50}, {"Preplatok", "Výsledok", 90}}},
                       }};
    ScreenGroup polia{.box = true, .columns = 2};
    for (const Pole &p : kPolia)
        if (p.formulare & formular)
            polia.controls.push_back({.field = QString::fromLatin1(p.field),
                                      .label = QString::fromUtf8(p.label),
                                      .width = 110,
                                      .alignment = Qt::AlignRight});
    polia.controls.push_back({.kind = ControlKind::Navigator,
                              .name = QString::fromLatin1(opis->name) + QStringLiteral("_DBN_RZP"),
                              .buttons = {B::Edit, B::Post, B::Cancel}});
    layout->addWidget(builder.group(polia, page), 1);
    layout->addWidget(builder.group(zoznam, page));
    return page;
}

void TRzpPages::showRzpPage(int rok)
{
    m_dm.DS_RZP.setEnabled(true);
    m_dm.DS_RGRID.setEnabled(true);
    if (!m_dm.TRZP_.isActive())
        m_dm.TRZP_.open();
    m_dm.TRZP_.setFilter(QStringLiteral("v_rok=") + QString::number(rok));
    m_dm.TRZP_.setFiltered(true);
    m_stranky->setCurrentWidget(pageNamed(rzpPage(rok)));
}

QString TRzpPages::currentPageName() const
{
    return m_stranky->currentWidget() ? m_stranky->currentWidget()->objectName() : QString();
}

QWidget *TRzpPages::pageNamed(const QString &name) const
{
    for (int i = 0; i < m_stranky->count(); ++i)
        if (m_stranky->widget(i)->objectName() == name)
            return m_stranky->widget(i);
    return nullptr;
}

void TRzpPages::perform(const std::function<void()> &operacia)
{
    try {
        operacia();
    } catch (const EMyError &e) {
        MyConsts::Sprava_chyba(e.text());
    } catch (const EAbort &) {
    }
}

void TRzpPages::newRzpSettlement()
{
    perform([this] { m_dm.TRZP_.insert(); });
}

void TRzpPages::editSettlement()
{
    perform([this] {
        if (!m_dm.TRZP_.isEmpty())
            m_dm.TRZP_.edit();
    });
}

void TRzpPages::deleteSettlement()
{
    perform([this] {
        if (!m_dm.TRZP_.isEmpty())
            m_dm.TRZP_.deleteRecord();
    });
}

void TRzpPages::postChanges()
{
    perform([this] {
        if (m_dm.TRZP_.isEditing())
            m_dm.TRZP_.post();
    });
}

void TRzpPages::ignoreChanges()
{
    perform([this] {
        if (m_dm.TRZP_.isEditing())
            m_dm.TRZP_.cancel();
    });
}

void TRzpPages::printSettlement(const QString &spustac)
{
    const core::Command *command = settlementPrintCommands().find(spustac);
    if (!command)
        return;
    const core::CommandHandler run = command->run;
    perform([&] { run(core::CommandContext{this}); });
}

void TRzpPages::SET_RZP()
{
    perform([this] { m_dm.Vypocet_rocneho_zuctovania(); });
}

} // namespace tarix::payroll
