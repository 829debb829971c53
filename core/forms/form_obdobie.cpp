#include "core/forms/form_obdobie.h"

#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/period_rules.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarix::core {

namespace {
const char *const kMesiace[] = {"Január", "Február", "Marec",     "Apríl",   "Máj",      "Jún",
                                "Júl",    "August",  "September", "Október", "November", "December"};
}

TFormObdobie::TFormObdobie(TDM &dm, const QString &programFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_dm(dm), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("FormObdobie"));
    setWindowTitle(QStringLiteral("VÝBER"));
    setModal(true);

    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("RG_MESIAC"));
    auto *grid = new QGridLayout(box);
    m_months = new QButtonGroup(this);
    // Three columns, filled column by column.
    for (int m = 1; m <= 12; ++m) {
        auto *rb = new QRadioButton(QString::fromUtf8(kMesiace[m - 1]), box);
        rb->setObjectName(QStringLiteral("Mesiac%1").arg(m));
        m_months->addButton(rb, m);
        grid->addWidget(rb, (m - 1) % 4, (m - 1) / 4);
    }

    m_rok = new QLineEdit(this);
    m_rok->setObjectName(QStringLiteral("DBEdit1"));
    m_rok->setValidator(new QIntValidator(1, 9999, m_rok));
    m_rok->setMaxLength(4);

    m_ok = new QPushButton(QStringLiteral("O&K"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TFormObdobie::okClicked);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("VÝBER VÝPLATNÉHO OBDOBIA"), this));
    layout->addWidget(box);
    auto *row = new QHBoxLayout;
    row->addWidget(m_rok);
    row->addStretch();
    row->addWidget(m_ok);
    layout->addLayout(row);

    loadPeriod();
}

int TFormObdobie::mesiac() const { return m_months->checkedId(); }

void TFormObdobie::setMesiac(int month)
{
    if (QAbstractButton *b = m_months->button(month))
        b->setChecked(true);
}

void TFormObdobie::loadPeriod()
{
    m_rememberedYear = m_dm.Aktualny_rok();
    m_rememberedMonth = m_dm.Aktualny_mesiac();
    setMesiac(m_rememberedMonth);
    m_rok->setText(QString::number(m_rememberedYear));
    // From 2005 on every year has its own folder: the year is chosen by opening it.
    const bool yearEditable = m_rememberedYear < kPrvyOsobitnyRok;
    m_rok->setEnabled(yearEditable);
    m_rok->setStyleSheet(yearEditable ? QStringLiteral("background-color: #FFFFFF;")
                                      : QStringLiteral("background-color: #C0C0C0; color: #000000;"));
}

void TFormObdobie::okClicked()
{
    bool ok = false;
    const int year = m_rok->text().toInt(&ok);
    if (!ok || mesiac() < 1) {
        m_rok->setFocus();
        return;
    }
    try {
        confirmPeriod(m_dm, m_rememberedYear, year, mesiac(), m_programFolder);
        accept();
    } catch (const std::exception &e) {
        // The user corrects the choice; the dialog stays open.
        showError(e);
    }
}

void TFormObdobie::done(int result)
{
    QDialog::done(result);
    try {
        setPeriodExceptionFilter(m_dm);
    } catch (const std::exception &e) {
        showError(e);
    }
}

void runPeriodChoice(TDM &dm, const QString &programFolder, QWidget *parent)
{
    TFormObdobie form(dm, programFolder, parent);
    form.exec();
}

} // namespace tarix::core
