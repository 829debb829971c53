#include "core/forms/page_builders.h"

#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/forms/card_fields.h"
#include "core/forms/page_ids.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_navigator.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tarix::core {

using namespace dbctrl;

namespace {

QLabel *panel(const QString &text, QWidget *parent, const QString &name)
{
    auto *p = new QLabel(text, parent);
    p->setObjectName(name);
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Raised);
    QFont f = p->font();
    f.setBold(true);
    p->setFont(f);
    p->setMinimumHeight(22);
    return p;
}

QPushButton *button(const QString &text, QWidget *parent, const QString &name)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

EmployeeList buildEmployeeList(QWidget *parent)
{
    EmployeeList z;
    z.panel = new QWidget(parent);
    z.panel->setObjectName(QStringLiteral("SB_ZAM_PRAVY"));
    auto *layout = new QVBoxLayout(z.panel);
    layout->setContentsMargins(2, 2, 2, 2);
    z.mriezka = buildGrid(z.panel, &DMZ().DS_ZGRID, QStringLiteral("DBG_ZAM_PRAVY"),
                               {{"RZP", "Žiadosť", 0}, {"Code_numb", "Os.číslo", 60}, {"PMT", "Priezvisko a meno", 150}});
    layout->addWidget(z.mriezka, 1);
    z.navrat = button(QStringLiteral("&Návrat"), z.panel, QStringLiteral("Butt_zam_pravy_navrat"));
    layout->addWidget(z.navrat);
    // As wide as the list's columns, the request's among them, so that no name is cut; the
    // names take the room the request leaves where it is not shown.
    z.panel->setFixedWidth(std::max(260, z.mriezka->widthForAllColumns() + 4));
    z.mriezka->horizontalHeader()->setStretchLastSection(true);
    return z;
}

EmployeeChoice buildEmployeeChoice(QWidget *parent)
{
    EmployeeChoice v;
    v.pageNamed = new QWidget(parent);
    v.pageNamed->setObjectName(kPageEmployeeChoice);
    auto *layout = new QVBoxLayout(v.pageNamed);
    v.panel = panel(QString(), v.pageNamed, QStringLiteral("Panel_zamf"));
    layout->addWidget(v.panel);
    v.mriezka = buildGrid(v.pageNamed, &DMZ().DS_ZAMF, QStringLiteral("DBG_zamf"),
                               {{"Code_numb", "Os.číslo", 60}, {"PMT", "Priezvisko a meno", 220}, {"Nastup", "Nástup", 80},
                                {"Vystup", "Výstup", 80}});
    layout->addWidget(v.mriezka, 1);
    v.panelHotova = panel(QString(), v.pageNamed, QStringLiteral("Panel_hotova"));
    v.panelHotova->hide();
    layout->addWidget(v.panelHotova);
    auto *row = new QHBoxLayout;
    v.vyber = button(QStringLiteral("&Výber"), v.pageNamed, QStringLiteral("Butt_zamf_vyber"));
    v.navrat = button(QStringLiteral("&Návrat"), v.pageNamed, QStringLiteral("Butt_zamf_navrat"));
    row->addWidget(v.vyber);
    row->addWidget(v.navrat);
    row->addStretch();
    layout->addLayout(row);
    return v;
}

DzpPage buildDzpPage(QWidget *parent)
{
    TDM &dm = DM();
    DzpPage s;
    s.pageNamed = new QWidget(parent);
    s.pageNamed->setObjectName(kPageTaxBands);
    auto *layout = new QVBoxLayout(s.pageNamed);
    layout->addWidget(panel(QStringLiteral("  4.03  Daň z príjmu - ročná tabuľka"), s.pageNamed, QStringLiteral("Panel_dzp")));
    s.navigator = buildNavigator(s.pageNamed, &dm.DS_DZP, QStringLiteral("DBN_dzp"), true);
    s.navigator->setVisibleButtons({NavigateButton::First, NavigateButton::Prior, NavigateButton::Next,
                                    NavigateButton::Last, NavigateButton::Insert, NavigateButton::Delete,
                                    NavigateButton::Edit, NavigateButton::Post, NavigateButton::Cancel,
                                    NavigateButton::Refresh});
    auto *row = new QHBoxLayout;
    row->addWidget(s.navigator);
    row->addStretch();
    s.navrat = button(QStringLiteral("&Návrat"), s.pageNamed, QStringLiteral("Butt_dzp_navrat1"));
    row->addWidget(s.navrat);
    layout->addLayout(row);
    s.mriezka = buildGrid(s.pageNamed, &dm.DS_DZPG, QStringLiteral("DBG_dzp"),
                               {{"D_od", "Základ od", 100},
                                {"D_sadzba", "Sadzba %", 70},
                                {"D_sumaplus", "Suma plus", 100},
                                {"D_presah", "Presah", 100}});
    layout->addWidget(s.mriezka, 1);
    layout->addWidget(buildForm(s.pageNamed, &dm.DS_DZP, QStringLiteral("TDZP_"),
                                      {{"D_od", "Základ dane od"},
                                       {"D_sadzba", "Sadzba dane v %"},
                                       {"D_sumaplus", "Suma plus"},
                                       {"D_presah", "Presah"}}));
    return s;
}

} // namespace tarix::core
