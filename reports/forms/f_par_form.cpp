#include "reports/forms/f_par_form.h"

#include "core/app_state.h"
#include "core/dm_code_tables_texts.h"
#include "core/dm_main.h"
#include "core/forms/page_rules.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/periods.h"
#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/db/table.h"
#include "platform/errors.h"
#include "platform/format/clock.h"
#include "platform/format/dates.h"
#include "reports/dispatcher.h"
#include "reports/forms/form_tla1.h"
#include "reports/report.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarix::reports {

namespace {

const QString kCelaFirma = QStringLiteral("spolu celá firma");
const QString kRiadokIne = QStringLiteral("Riadok č.3 - časť iné :");

// Codes whose report can sort by surname, and those with a statement type.
bool hasSorting(const QString &kod)
{
    static const QStringList kody = {"VL", "VL2", "VLND", "ZL", "RZ2", "DOV"};
    return kody.contains(kod);
}

// Both schema versions of the XML statement carry the kind, so a corrective statement can
// be filed in either.
bool hasStatementType(const QString &kod)
{
    return kod == u"SPXML" || kod == u"SPXML/2.5" || kod == u"SP_PDF";
}

QLineEdit *edit128(QWidget *parent, const QString &name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(128);
    return e;
}

// The row of a combo box whose item data equals the number, -1 when none.
int numberRow(const QComboBox *cb, int cislo)
{
    for (int i = 0; i < cb->count(); ++i)
        if (cb->itemData(i).toInt() == cislo)
            return i;
    return -1;
}

} // namespace

TFParForm::TFParForm(TMyReportParam &param, QWidget *parent)
    : QDialog(parent), m_param(param)
{
    setObjectName(QStringLiteral("FParForm"));
    setWindowTitle(QStringLiteral("Parametre tlačovej zostavy"));
    // The lists align their numbers in columns.
    QFont fixed(QStringLiteral("Liberation Mono"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);

    auto *outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    PageControl1 = new QTabWidget(this);
    outer->addWidget(PageControl1);
    auto *page = new QWidget;
    PageControl1->addTab(page, QStringLiteral("Vstupné parametre"));
    auto *grid = new QGridLayout(page);

    CB_rok = new QComboBox(page);
    CB_rok->setObjectName(QStringLiteral("CB_rok"));
    CB_rok->setEnabled(false);
    for (int y = 1900; y <= 2099; ++y)
        CB_rok->addItem(QString::number(y));
    CB_mesiac = new QComboBox(page);
    CB_mesiac->setObjectName(QStringLiteral("CB_mesiac"));
    for (int m = 1; m <= 12; ++m)
        CB_mesiac->addItem(QString::number(m));
    grid->addWidget(new QLabel(QStringLiteral("Rok"), page), 0, 0);
    grid->addWidget(CB_rok, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Mesiac"), page), 0, 2);
    grid->addWidget(CB_mesiac, 0, 3);

    Cb_ramceky = new QCheckBox(QStringLiteral("Rámčeky"), page);
    CB_nadpisy = new QCheckBox(QStringLiteral("Nadpisy"), page);
    CB_abeceda = new QCheckBox(QStringLiteral("Triediť podľa priezviska a mena"), page);
    Button5 = new QPushButton(QStringLiteral("&Doplnkové údaje"), page);
    grid->addWidget(Cb_ramceky, 1, 0, 1, 2);
    grid->addWidget(CB_nadpisy, 1, 2, 1, 2);
    grid->addWidget(CB_abeceda, 2, 0, 1, 3);
    grid->addWidget(Button5, 2, 3);

    CB_stred = new QComboBox(page);
    CB_stred->setObjectName(QStringLiteral("CB_stred"));
    CB_stred->setFont(fixed);
    grid->addWidget(new QLabel(QStringLiteral("Stredisko"), page), 3, 0);
    grid->addWidget(CB_stred, 3, 1, 1, 3);

    Page_Control3 = new QTabWidget(page);
    Page_Control3->setTabPosition(QTabWidget::South);
    grid->addWidget(Page_Control3, 4, 0, 1, 4);

    PAGE_VYBER_ZAM = new QWidget;
    PAGE_VYBER_ZAM->setObjectName(QStringLiteral("PAGE_VYBER_ZAM"));
    auto *zamGrid = new QGridLayout(PAGE_VYBER_ZAM);
    CB_zam = new QComboBox(PAGE_VYBER_ZAM);
    CB_zam->setObjectName(QStringLiteral("CB_zam"));
    CB_zam->setFont(fixed);
    CB_zam->setMaxVisibleItems(20);
    Label_ine = new QLabel(kRiadokIne, PAGE_VYBER_ZAM);
    Edit_ine = edit128(PAGE_VYBER_ZAM, QStringLiteral("Edit_ine"));
    Label_ine2 = new QLabel(kRiadokIne, PAGE_VYBER_ZAM);
    Edit_ine2 = edit128(PAGE_VYBER_ZAM, QStringLiteral("Edit_ine2"));
    zamGrid->addWidget(new QLabel(QStringLiteral("Zamestnanec"), PAGE_VYBER_ZAM), 0, 0);
    zamGrid->addWidget(CB_zam, 0, 1);
    zamGrid->addWidget(Label_ine, 1, 0);
    zamGrid->addWidget(Edit_ine, 1, 1);
    zamGrid->addWidget(Label_ine2, 2, 0);
    zamGrid->addWidget(Edit_ine2, 2, 1);
    Page_Control3->addTab(PAGE_VYBER_ZAM, QStringLiteral("Výber zamestnanca"));

    PAGE_VYBER_ZP = new QWidget;
    PAGE_VYBER_ZP->setObjectName(QStringLiteral("PAGE_VYBER_ZP"));
    auto *zpGrid = new QGridLayout(PAGE_VYBER_ZP);
    Combo_ZP = new QComboBox(PAGE_VYBER_ZP);
    Combo_ZP->setObjectName(QStringLiteral("Combo_ZP"));
    zpGrid->addWidget(new QLabel(QStringLiteral("Zdravotná poisťovňa"), PAGE_VYBER_ZP), 0, 0);
    zpGrid->addWidget(Combo_ZP, 0, 1);
    Page_Control3->addTab(PAGE_VYBER_ZP, QStringLiteral("Výber zdravotnej poisťovne"));

    PAGE_PZ2006 = new QWidget;
    PAGE_PZ2006->setObjectName(QStringLiteral("PAGE_PZ2006"));
    auto *pzGrid = new QGridLayout(PAGE_PZ2006);
    Edit_n_ddp = edit128(PAGE_PZ2006, QStringLiteral("Edit_n_ddp"));
    Edit_mesiace = edit128(PAGE_PZ2006, QStringLiteral("Edit_mesiace"));
    Edit_nz_ddp = edit128(PAGE_PZ2006, QStringLiteral("Edit_nz_ddp"));
    pzGrid->addWidget(new QLabel(QStringLiteral("Zrazené a odvedené príspevky na DDP"), PAGE_PZ2006), 0, 0);
    pzGrid->addWidget(Edit_n_ddp, 0, 1);
    pzGrid->addWidget(new QLabel(QStringLiteral("Mesiace, v kt.sa zohľadnila nižšia min.mzda"), PAGE_PZ2006), 1, 0);
    pzGrid->addWidget(Edit_mesiace, 1, 1);
    pzGrid->addWidget(new QLabel(QStringLiteral("Príspevky zamestnávateľa za zamestnanca"), PAGE_PZ2006), 2, 0);
    pzGrid->addWidget(Edit_nz_ddp, 2, 1);
    Page_Control3->addTab(PAGE_PZ2006, QStringLiteral("Individuálne hodnoty"));

    PageControl2 = new QStackedWidget(page);
    PAGE_SPXML = new QWidget;
    auto *spGrid = new QHBoxLayout(PAGE_SPXML);
    Edit_vykaz_riadny = new QLineEdit(PAGE_SPXML);
    Edit_vykaz_riadny->setObjectName(QStringLiteral("Edit_vykaz_riadny"));
    Edit_vykaz_riadny->setMaxLength(1);
    spGrid->addWidget(new QLabel(QStringLiteral("Výkaz riadny R elebo opravný O"), PAGE_SPXML));
    spGrid->addWidget(Edit_vykaz_riadny);
    PAGE_EMPTY = new QWidget;
    PageControl2->addWidget(PAGE_SPXML);
    PageControl2->addWidget(PAGE_EMPTY);
    PageControl2->setCurrentWidget(PAGE_EMPTY);
    grid->addWidget(PageControl2, 5, 0, 1, 4);

    auto *buttons = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("&Spusti"), this);
    Button2 = new QPushButton(QStringLiteral("&Koniec"), this);
    Button1->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    outer->addLayout(buttons);

    connect(CB_stred, &QComboBox::activated, this, &TFParForm::CB_stredChange);
    for (QLineEdit *e : {Edit_ine, Edit_n_ddp, Edit_mesiace, Edit_nz_ddp})
        connect(e, &QLineEdit::textChanged, this, &TFParForm::Edit_ineChange);
    connect(Edit_vykaz_riadny, &QLineEdit::textEdited, this, [this](const QString &t) {
        if (t != t.toUpper())
            Edit_vykaz_riadny->setText(t.toUpper());
    });
    connect(Button1, &QPushButton::clicked, this, &TFParForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFParForm::Button2Click);
    connect(Button5, &QPushButton::clicked, this, &TFParForm::Button5Click);

    // Every opening of the dialog stamps today's date into the statement contact row.
    db::Table &tla = core::DM().TTLA_;
    if (!tla.isActive())
        tla.open();
    if (tla.isEmpty())
        tla.append();
    else
        tla.edit();
    tla.fieldByName(QStringLiteral("DEN")).setAsDate(fmt::today());
    tla.post();

    Edit_vykaz_riadny->setText(QStringLiteral("R"));
    fillCostCenters();
    Napln_zamestnancov();

    db::Table zp;
    zp.setDatabaseName(core::kAliasComm);
    zp.setTableName(QStringLiteral("Cis_zp.db"));
    zp.open();
    for (zp.first(); !zp.eof(); zp.next()) {
        const int id = zp.fieldByName(QStringLiteral("ID")).asInt();
        Combo_ZP->addItem(core::lineHealthInsurerName(id, zp.fieldByName(QStringLiteral("TEXT")).asString()), id);
    }
    Combo_ZP->setCurrentIndex(-1);
}

TFParForm::~TFParForm() = default;

void TFParForm::fillCostCenters()
{
    CB_stred->clear();
    CB_stred->addItem(kCelaFirma, 0);
    db::Table t1;
    t1.setObjectName(QStringLiteral("T1_"));
    t1.setDatabaseName(core::kAliasData);
    t1.setTableName(QStringLiteral("CIS_VM.DB"));
    t1.open();
    for (t1.first(); !t1.eof(); t1.next()) {
        const int id = t1.fieldByName(QStringLiteral("ID")).asInt();
        CB_stred->addItem(MyConsts::Cele_meno(QString::number(id), t1.fieldByName(QStringLiteral("NAZOV")).asString(), QString()), id);
    }
    CB_stred->setCurrentIndex(0);
}

void TFParForm::Napln_zamestnancov()
{
    db::Table t2;
    t2.setObjectName(QStringLiteral("T2_"));
    t2.setDatabaseName(core::kAliasData);
    t2.setTableName(QStringLiteral("ZAM.DB"));
    t2.setIndexName(QStringLiteral("ZAM1"));
    // The employees the main window shows in its display mode, for the report's period: also
    // one who leaves within it or works on an agreement that ends later.
    const QString strediska = QStringLiteral("sid>=%1 and sid<=%2").arg(m_param.Stredisko_od).arg(m_param.Stredisko_do);
    const int obdobie = m_param.Obdobie > 0 ? m_param.Obdobie : core::DM().Aktualne_obdobie();
    t2.setFilter(core::employeeFilter(core::employeeViewMode(), obdobie, strediska));
    t2.setFiltered(true);
    t2.open();

    CB_zam->clear();
    CB_zam->addItem(kCelaFirma, 0);
    for (t2.first(); !t2.eof(); t2.next()) {
        const QString text = MyConsts::Dopln_zlava(t2.fieldByName(QStringLiteral("Code_numb")).asString(), 7, u' ')
                             + u' '
                             + MyConsts::Cele_meno(t2.fieldByName(QStringLiteral("Title")).asString(),
                                                   t2.fieldByName(QStringLiteral("Surname")).asString(),
                                                   t2.fieldByName(QStringLiteral("Name")).asString());
        CB_zam->addItem(text, t2.fieldByName(QStringLiteral("Code_emp")).asInt());
    }
    CB_zam->setCurrentIndex(0);
}

void TFParForm::CB_stredChange(int index)
{
    if (index <= 0) {
        m_param.Stredisko = 0;
        m_param.Stredisko_od = 1;
        m_param.Stredisko_do = 99;
    } else {
        const int sid = CB_stred->itemData(index).toInt();
        m_param.Stredisko = m_param.Stredisko_od = m_param.Stredisko_do = sid;
    }
    Napln_zamestnancov();
}

void TFParForm::Edit_ineChange()
{
    const QString text = Edit_ine->text();
    if (text.isEmpty())
        return;
    try {
        m_param.Hodnota_ine_cislo = MyConsts::Text_na_cele_cislo(text);
    } catch (const EMyError &) {
        m_param.Hodnota_ine_cislo = 0;
    }
}

bool TFParForm::pageVisible(QWidget *page) const
{
    return Page_Control3->isTabVisible(Page_Control3->indexOf(page));
}

void TFParForm::showFormPage(QWidget *page, bool visible)
{
    Page_Control3->setTabVisible(Page_Control3->indexOf(page), visible);
}

void TFParForm::Nacitaj_parametre(const TMyReportParam &p)
{
    CB_rok->setCurrentIndex(MyConsts::Rok_obdobia(p.Obdobie) - 1900);
    CB_mesiac->setCurrentIndex(MyConsts::Mesiac_obdobia(p.Obdobie) - 1);

    m_strediskoNajdene = true;
    if (p.Stredisko_od != p.Stredisko_do) {
        CB_stred->setCurrentIndex(0);
    } else if (const int row = numberRow(CB_stred, p.Stredisko_od); row >= 0) {
        CB_stred->setCurrentIndex(row);
    } else {
        m_strediskoNajdene = false;
    }
    m_zamestnanecNajdeny = true;
    if (p.Zamestnanec_od != p.Zamestnanec_do) {
        CB_zam->setCurrentIndex(0);
    } else if (const int row = numberRow(CB_zam, p.Zamestnanec_od); row >= 0) {
        CB_zam->setCurrentIndex(row);
    } else {
        m_zamestnanecNajdeny = false;
    }

    Cb_ramceky->setChecked(!p.Bez_ramcekov);
    CB_nadpisy->setChecked(!p.Len_udaje);
    CB_abeceda->setChecked(p.Abecedne());

    if (p.Kod_zostavy == u"PZ") {
        showFormPage(PAGE_PZ2006, true);
        if (p.Obdobie >= 200501) {
            Edit_n_ddp->clear();
            Edit_mesiace->clear();
            Edit_nz_ddp->clear();
            Edit_ine->hide();
            Label_ine->hide();
            Edit_ine2->hide();
            Label_ine2->setText(QStringLiteral("Individuálne hodnoty je možné nastaviť v samostatnej záložke."));
            Label_ine2->show();
        } else if (p.Obdobie >= 200101) {
            Label_ine->setText(QStringLiteral("Nezd.č.na 1 dieťa za min.rok"));
            Edit_ine->setText(QStringLiteral("1400"));
            Label_ine->show();
            Edit_ine->show();
            Label_ine2->clear();
            Edit_ine2->clear();
            Label_ine2->hide();
            Edit_ine2->hide();
        } else {
            Label_ine->show();
            Edit_ine->show();
            Label_ine2->show();
            Edit_ine2->show();
        }
    } else {
        showFormPage(PAGE_PZ2006, false);
        Label_ine->hide();
        Edit_ine->hide();
        Label_ine2->hide();
        Edit_ine2->hide();
    }

    CB_abeceda->setVisible(hasSorting(p.Kod_zostavy));
    PageControl2->setCurrentWidget(hasStatementType(p.Kod_zostavy) ? PAGE_SPXML : PAGE_EMPTY);

    if (p.Vyber_zp) {
        showFormPage(PAGE_VYBER_ZP, true);
        Page_Control3->setCurrentWidget(PAGE_VYBER_ZP);
        showFormPage(PAGE_VYBER_ZAM, false);
    } else {
        showFormPage(PAGE_VYBER_ZAM, true);
        Page_Control3->setCurrentWidget(PAGE_VYBER_ZAM);
        showFormPage(PAGE_VYBER_ZP, false);
    }
}

void TFParForm::Prevezmi_parametre(TMyReportParam &p)
{
    const int rok = CB_rok->currentIndex() + 1900;
    const int mesiac = CB_mesiac->currentIndex() + 1;
    p.Obdobie = rok * 100 + mesiac;
    p.Obdobie_text_male() = MyConsts::Nazov_mesiaca(mesiac, false) + u' ' + QString::number(rok);
    p.Obdobie_text() = MyConsts::Nazov_mesiaca(mesiac, true) + u' ' + QString::number(rok);

    if (CB_stred->currentIndex() <= 0) {
        p.Stredisko = 0;
        p.Stredisko_od = 1;
        p.Stredisko_do = 99;
    } else {
        p.Stredisko = p.Stredisko_od = p.Stredisko_do = CB_stred->currentData().toInt();
    }
    p.Stredisko_text() = MyConsts::Text_so_strediskom(p.Firma(), p.Stredisko);

    if (CB_zam->currentIndex() <= 0) {
        p.Zamestnanec_od = 1;
        p.Zamestnanec_do = 99999999;
    } else {
        p.Zamestnanec_od = p.Zamestnanec_do = CB_zam->currentData().toInt();
    }

    p.Bez_ramcekov = !Cb_ramceky->isChecked();
    p.Len_udaje = !CB_nadpisy->isChecked();
    p.Abecedne() = CB_abeceda->isChecked();
    p.Typ_vykazu = MyConsts::Prvy_znak(Edit_vykaz_riadny->text());

    ParForm::Prevezmi_udaje_vykazu(p);

    p.Kod_zp() = Combo_ZP->currentIndex() >= 0 ? Combo_ZP->currentData().toInt() : 0;

    if (p.Kod_zostavy == u"PZ" && p.Obdobie >= 200501) {
        p.Hodnota_ine2() = Edit_n_ddp->text();
        p.Hodnota_ine() = Edit_mesiace->text();
        p.Hodnoty()[1] = Edit_nz_ddp->text();
    } else {
        p.Hodnota_ine() = Edit_ine->text();
        p.Hodnota_ine2() = Edit_ine2->text();
    }
}

void TFParForm::runForm()
{
    if (m_param.Kod_zostavy == u"PZ") {
        for (const QLineEdit *e : {Edit_n_ddp, Edit_nz_ddp})
            if (!e->text().isEmpty() && !MyConsts::Len_cislice(e->text()))
                throw EMyError(QStringLiteral("Suma DDP musí byť číselný formát"));
    }
    Prevezmi_parametre(m_param);
    if (m_param.Jeden_zamestnanec && m_param.Zamestnanec_od != m_param.Zamestnanec_do)
        throw EMyError(Msg(65085));
    if (m_param.Vyber_zp && Combo_ZP->currentIndex() < 0)
        throw EMyError(Msg(65031));
    if (m_param.Kod_zostavy == u"SPXML" || m_param.Kod_zostavy == u"SPXML/2.5") {
        const QChar typ = MyConsts::Prvy_znak(Edit_vykaz_riadny->text());
        if (typ != u'O' && typ != u'R')
            throw EMyError(Msg(65188, "výkaz riadny R/O"));
    }
    m_beh = Spustit;
    accept();
}

void TFParForm::Button1Click()
{
    try {
        runForm();
    } catch (const EMyError &e) {
        MyConsts::Sprava_chyba(e.text());
    }
}

void TFParForm::Button2Click()
{
    m_beh = Koniec;
    reject();
}

void TFParForm::Button5Click()
{
    try {
        TFormTLA1 form(this);
        form.exec();
    } catch (const EMyError &e) {
        MyConsts::Sprava_chyba(e.text());
    }
}

namespace ParForm {

void Prevezmi_udaje_vykazu(TMyReportParam &p)
{
    db::Table &tla = core::DM().TTLA_;
    if (!tla.isActive())
        tla.open();
    const bool row = !tla.isEmpty();
    const auto text = [&](const char *field, int length) {
        return row ? tla.fieldByName(QString::fromLatin1(field)).asString().left(length) : QString();
    };
    p.Kontaktna_osoba = text("KONTAKTNA_OSOBA", TMyReportParam::kDlzkaKontaktu);
    p.Vykaz_zostavil = text("VYKAZ_ZOSTAVIL", TMyReportParam::kDlzkaKontaktu);
    p.Telefon = text("TELEFON", TMyReportParam::kDlzkaSpojenia);
    p.Fax = text("FAX", TMyReportParam::kDlzkaSpojenia);
    p.Den = row ? tla.fieldByName(QStringLiteral("DEN")).asDate() : QDate();
    p.Den_textom = fmt::shortDate(p.Den).left(TMyReportParam::kDlzkaDna);
    p.Miesto = text("MIESTO", TMyReportParam::kDlzkaMiesta);
    p.Mail = text("MAIL", TMyReportParam::kDlzkaSpojenia);
}

int Zobraz_parametre_zostavy(const TMyReportParam &request)
{
    TMyReportParam &unit = reportParameters();
    unit = request;
    bool spustit = false;
    runGuarded([&] {
        TFParForm form(unit);
        form.Nacitaj_parametre(unit);
        if (unit.Bez_dialogu) {
            form.Prevezmi_parametre(unit);
            // Nobody chose from the lists on this road: what the caller named stays.
            if (!form.costCenterFound()) {
                unit.Stredisko_od = request.Stredisko_od;
                unit.Stredisko = request.Stredisko;
                unit.Stredisko_do = request.Stredisko_do;
                unit.Stredisko_text() = MyConsts::Text_so_strediskom(unit.Firma(), unit.Stredisko);
            }
            if (!form.employeeFound()) {
                unit.Zamestnanec_od = request.Zamestnanec_od;
                unit.Zamestnanec_do = request.Zamestnanec_do;
            }
            spustit = true;
        } else {
            form.exec();
            spustit = form.run() == TFParForm::Spustit;
        }
    });
    if (spustit)
        Spusti_zostavu_podla_nazvu();
    return 0;
}

} // namespace ParForm

} // namespace tarix::reports
