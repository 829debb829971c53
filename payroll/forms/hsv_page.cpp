#include "payroll/forms/hsv_page.h"

#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "payroll/dm_v.h"
#include "payroll/dm_vyp_internal.h"
#include "payroll/forms/vyp_layout.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/errors.h"
#include "platform/ui/user_interface.h"

#include <QHBoxLayout>
#include <iterator>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarix::payroll {

namespace {

// The grid's columns; the free surcharges stand in columns 16 to 20.
const char *const kStlpce[] = {"Code_numb", "Zauctovany", "PMT", "V_den", "V_sviatok", "V_holiday", "V_hodina",
                               "V_pn1", "V_pn2", "V_ocr1", "V_ocr2", "Vh_nadcas", "Vh_sobota", "Vh_nedela",
                               "Vh_sviatok", "Vh_priplat1", "Vh_priplat2", "Vh_priplat3", "Vh_priplat4",
                               "Vh_priplat5", "Vh_noc", "Vh_skod", "N_premie", "N_odmeny", "Zaloha",
                               "N_dohody_ovp", "N_dohody_opc", "Priznak_uctovat", "CALC_DNI_PN", "CALC_DNI_OCR"};
constexpr int kPrvyPriplatok = 15; // 0-based column of Vh_priplat1
// Rows not posted named in the final message; the rest are counted (a box of a whole
// firm's rows would not fit the screen).
constexpr int kUnpostedShown = 20;

} // namespace

THsvPage::THsvPage(TDMV &dm, QWidget *parent) : QWidget(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("HSV"));
    auto *layout = new QVBoxLayout(this);
    auto *panel = new QLabel(QStringLiteral("  2.02 Hromadné sprac.výplat"), this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    layout->addWidget(panel);
    m_grid = new dbctrl::DBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid_HSV"));
    m_grid->setDataSource(&m_dm.DS_HSV);
    for (const char *name : kStlpce)
        m_grid->addColumn(QString::fromLatin1(name));
    layout->addWidget(m_grid, 1);
    // The grid takes the focus whenever the page is shown.
    setFocusProxy(m_grid);
    auto *row = new QHBoxLayout;
    m_spusti = new QPushButton(QStringLiteral("&Spusti účtovanie"), this);
    m_spusti->setObjectName(QStringLiteral("Butt_hsv_spusti"));
    m_navrat = new QPushButton(QStringLiteral("&Návrat"), this);
    m_navrat->setObjectName(QStringLiteral("Butt_hsv_navrat"));
    row->addWidget(m_spusti);
    row->addWidget(m_navrat);
    row->addStretch();
    layout->addLayout(row);
    connect(m_spusti, &QPushButton::clicked, this, &THsvPage::runPosting);
    connect(m_navrat, &QPushButton::clicked, this, &THsvPage::goBack);
}

void THsvPage::setSurchargeColumns()
{
    const db::SqlResult r = m_dm.THSV_.session().run(
        QStringLiteral("select f_priplat1_text, f_priplat2_text, f_priplat3_text, f_priplat4_text, "
                       "f_priplat5_text from \":tarix_data:inf\""));
    QVector<dbctrl::DBGridColumn> columns;
    for (int i = 0; i < int(std::size(kStlpce)); ++i) {
        dbctrl::DBGridColumn c{QString::fromLatin1(kStlpce[i])};
        if (i >= kPrvyPriplatok && i < kPrvyPriplatok + 5)
            c.title = QStringLiteral("P-")
                      + MainVyp::surchargeCaption(i - kPrvyPriplatok + 1,
                                                  r.rowCount() ? r.asString(0, i - kPrvyPriplatok) : QString());
        columns << c;
    }
    m_grid->setColumns(columns);
}

void THsvPage::runPosting()
{
    const QString obdobie = core::hasDM() ? core::DM().Nazov_obdobia(false)
                                          : QString::number(detail::openPayrollPeriod(m_dm.THSV_.session()));
    if (!MyConsts::Otazka_ano_nie(Msg(65082, obdobie)))
        return;
    try {
        if (m_dm.THSV_.isEditing())
            m_dm.THSV_.post();
    } catch (const EMyError &e) {
        MyConsts::Sprava_chyba(e.text());
        return;
    } catch (const EAbort &) {
        return;
    }
    m_spusti->setEnabled(false);
    struct Povol {
        QPushButton *b;
        ~Povol() { b->setEnabled(true); }
    } povol{m_spusti};
    {
        ui::BusyCursorScope busy;
        m_dm.Uctuj_hsv();
    }
    m_grid->setFocus();
    // One message ends the run: the payrolls written and, by name and reason, the marked
    // rows that were not.
    const QString posted = Msg(65081, m_dm.Pocet_zauctovanych);
    const QStringList &unposted = m_dm.rowsNotPosted();
    if (unposted.isEmpty()) {
        MyConsts::Sprava_informacia(posted);
        return;
    }
    QStringList lines{posted, QStringLiteral("Počet nespracovaných výplat %1:").arg(unposted.size())};
    lines << unposted.mid(0, kUnpostedShown);
    if (unposted.size() > kUnpostedShown)
        lines << QStringLiteral("… a ďalších %1.").arg(unposted.size() - kUnpostedShown);
    MyConsts::Sprava_upozornenie(lines.join(u'\n'));
}

void THsvPage::goBack()
{
    if (MyConsts::Otazka_ano_nie(Msg(65083)))
        emit opustit();
}

} // namespace tarix::payroll
