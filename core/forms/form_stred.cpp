#include "core/forms/form_stred.h"

#include "core/firm_opening.h"
#include "core/period_rules.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarix::core {

TFormStred::TFormStred(TDM &dm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_dm(dm)
{
    setObjectName(QStringLiteral("FormStred"));
    setWindowTitle(QStringLiteral("VÝBER"));
    setModal(true);

    m_sg1 = new QTableWidget(this);
    m_sg1->setObjectName(QStringLiteral("SG1"));
    m_sg1->setColumnCount(2);
    m_sg1->setColumnWidth(0, 48);
    m_sg1->setColumnWidth(1, 339);
    m_sg1->horizontalHeader()->hide();
    m_sg1->verticalHeader()->hide();
    m_sg1->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_sg1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sg1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_ok = new QPushButton(QStringLiteral("O&K"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TFormStred::okClicked);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("VÝBER STREDISKA"), this));
    layout->addWidget(m_sg1);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_ok);
    layout->addLayout(row);
    resize(420, 300);

    QList<QPair<int, QString>> rows{{0, QStringLiteral("VŠETKY STREDISKÁ (FIRMA SPOLU)")}};
    rows += costCenterList(m_dm);
    m_sg1->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        m_sg1->setItem(r, 0, new QTableWidgetItem(QString::number(rows[r].first)));
        m_sg1->setItem(r, 1, new QTableWidgetItem(rows[r].second));
    }
    m_sg1->selectRow(0);
}

void TFormStred::okClicked()
{
    const int row = m_sg1->currentRow() < 0 ? 0 : m_sg1->currentRow();
    const int sid = m_sg1->item(row, 0)->text().toInt();
    try {
        setCostCenter(m_dm, sid);
        m_sg1->clearContents();
        m_sg1->setRowCount(0);
        accept();
    } catch (const std::exception &e) {
        showError(e);
    }
}

void runCostCenterChoice(TDM &dm, QWidget *parent)
{
    TFormStred form(dm, parent);
    form.exec();
}

} // namespace tarix::core
