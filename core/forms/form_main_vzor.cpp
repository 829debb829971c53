#include "core/forms/form_main_vzor.h"

#include "core/app_ini.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/forms/form_menu_pomoc.h"
#include "core/forms/window_caption.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "platform/ui/qt/named_widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tarix::core {

namespace {

QAction *menuItem(QMenu *menu, const char *name, const char *caption)
{
    return ui::namedAction(menu, name, QString::fromUtf8(caption));
}

} // namespace

TFormMainVzor::TFormMainVzor(QWidget *parent) : QDialog(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    layout->setMenuBar(MainMenu1);
    m_obsah = new QVBoxLayout;
    layout->addLayout(m_obsah, 1);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(StatusBar1);
    statusPanel(StatusBar1, 0);

    oper1 = MainMenu1->addMenu(QStringLiteral("&Operácie"));
    oper1->setObjectName(QStringLiteral("oper1"));
    insert1 = menuItem(oper1, "insert1", "Nový záznam");
    edit1 = menuItem(oper1, "edit1", "Oprava údajov");
    delete1 = menuItem(oper1, "delete1", "Vymazanie záznamu");
    post1 = menuItem(oper1, "post1", "Zápis zmien");
    cancel1 = menuItem(oper1, "cancel1", "Ignorovanie zmien");
    oper1->addSeparator();
    navrat1 = menuItem(oper1, "navrat1", "&Návrat");
    for (QAction *a : {insert1, edit1, delete1, post1, cancel1})
        connect(a, &QAction::triggered, this, [this, a] { operationClicked(a); });
    connect(navrat1, &QAction::triggered, this, [this] { navrat1Click(); });
}

TFormMainVzor::~TFormMainVzor() = default;

void TFormMainVzor::setNavigator(dbctrl::DBNavigator *navigator) { m_navigator = navigator; }

void TFormMainVzor::operationClicked(QAction *item)
{
    if (!m_navigator || !item)
        return;
    using dbctrl::NavigateButton;
    const QString name = item->objectName();
    if (name == QLatin1String("insert1"))
        m_navigator->btnClick(NavigateButton::Insert);
    else if (name == QLatin1String("edit1"))
        m_navigator->btnClick(NavigateButton::Edit);
    else if (name == QLatin1String("delete1"))
        m_navigator->btnClick(NavigateButton::Delete);
    else if (name == QLatin1String("post1"))
        m_navigator->btnClick(NavigateButton::Post);
    else if (name == QLatin1String("cancel1"))
        m_navigator->btnClick(NavigateButton::Cancel);
}

void TFormMainVzor::navrat1Click()
{
    if (setupIsEditing()) {
        MyConsts::Sprava_chyba(Msg(65199));
        return;
    }
    reject();
}

bool TFormMainVzor::FormClose()
{
    if (m_zatvorene)
        return true;
    if (setupIsEditing() && !MyConsts::Otazka_ano_nie(Msg(65172)))
        return false;
    try {
        cancelChanges();
    } catch (const std::exception &) {
        // A refused cancel leaves the row as it is; the screen still closes as asked.
    }
    DMA().Vypni_zdroje_dat();
    m_zatvorene = true;
    return true;
}

void TFormMainVzor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_zatvorene = false;
    if (m_prvaAktivacia)
        firstActivation();
}

void TFormMainVzor::firstActivation()
{
    m_prvaAktivacia = false;
    // Recoloured once the descendant has built its controls.
    Nastav_farby_formulara(this);
    formMenuHelp().Pridaj_menu_pomoc(this, MainMenu1);
    try {
        if (!hasDM())
            return;
        TDM &dm = DM();
        const QString firm = dm.TINF_.isActive() && !dm.TINF_.isEmpty()
                                 ? dm.TINF_.fieldByName(QStringLiteral("NAZOV")).asString()
                                 : QString();
        Nastav_titulok_okna(this, StatusBar1, dm.Kratky_text_obdobia(), firm, dm.Text_strediska());
    } catch (const std::exception &) {
        // A caption is never worth an error box.
    }
}

void TFormMainVzor::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

void TFormMainVzor::reject()
{
    // Esc, the close button and "&Návrat" all pass the same guard.
    if (FormClose())
        QDialog::reject();
}

void setOperationState(TFormMainVzor &form, bool isEditingRecord, QWidget *navrat)
{
    form.edit1->setEnabled(!isEditingRecord);
    form.navrat1->setEnabled(!isEditingRecord);
    form.post1->setEnabled(isEditingRecord);
    form.cancel1->setEnabled(isEditingRecord);
    if (navrat)
        navrat->setEnabled(!isEditingRecord);
}

} // namespace tarix::core
