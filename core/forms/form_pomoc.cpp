#include "core/forms/form_pomoc.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarix::core {

const QList<Skratka> &payrollShortcuts()
{
    static const QList<Skratka> list = {
        {QStringLiteral("ZP"), QStringLiteral("Základ pre výp.zdrav.poistenia")},
        {QStringLiteral("NP"), QStringLiteral("Základ pre výp.nemoc.poistenia")},
        {QStringLiteral("DP"), QStringLiteral("Základ pre výp.dôchod.poistenia")},
        {QStringLiteral("FZ"), QStringLiteral("Základ pre výp.odvodu do fondu zam.")},
        {QStringLiteral("CZD-M"), QStringLiteral("Čiastkový základ dane - mesačný")},
        {QStringLiteral("CZD-R "), QStringLiteral("Čiastkový základ dane - ročný")},
        {QStringLiteral("CZD-Z"), QStringLiteral("Čiastkový základ dane - zrážkový")},
        {QStringLiteral("PM"), QStringLiteral("Základ pre výpočet priemernej hod.mzdy")},
        {QStringLiteral("ZD-M"), QStringLiteral("Základ pre výpočet dane - mesačný")},
        {QStringLiteral("ZD-R"), QStringLiteral("Základ pre výpočet dane - ročný")},
        {QStringLiteral("ZD-Z"), QStringLiteral("Základ pre výpočet dane - zrážkový")},
        {QStringLiteral("DAN-M"), QStringLiteral("Preddavok dane vyp.mes.sadzbou dane")},
        {QStringLiteral("DAN-R"), QStringLiteral("Preddavok dane vyp.ročnou.sadzbou dane")},
        {QStringLiteral("DAN-Z"), QStringLiteral("Daň zrazená osobitnou sadzbou dane")},
        {QStringLiteral("POI-M"), QStringLiteral("Odpoč.pol.poistné pre mesačné zdanenie")},
        {QStringLiteral("POI-R"), QStringLiteral("Odpoč.pol.poistné pre mesačné zdanenie")},
        {QStringLiteral("POIST"), QStringLiteral("Celková suma poistného")},
    };
    return list;
}

TFormPomoc::TFormPomoc(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPomoc"));
    setWindowTitle(QStringLiteral("TARIX - Popis významu skratiek"));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ListSkratky"));
    m_list->setColumnCount(2);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    for (const Skratka &s : payrollShortcuts())
        new QTreeWidgetItem(m_list, {s.skratka, s.popis});
    m_list->resizeColumnToContents(0);
    m_list->setMinimumSize(380, 360);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_ok, 0, Qt::AlignCenter);
}

} // namespace tarix::core
