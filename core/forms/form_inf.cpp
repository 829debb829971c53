#include "core/forms/form_inf.h"

#include "core/dm_main.h"
#include "platform/dbctrl/screen_builder.h"
#include "platform/errors.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>

namespace tarix::core {

using namespace dbctrl;

namespace {

// The allowance pairs: button suffix and caption.
struct Priplatok {
    const char *suffix;
    const char *caption;
};
constexpr Priplatok kPriplatky[] = {
    {"_nadcas", "Nadčas"}, {"_sobota", "Sobota"}, {"_nedela", "Nedeľa"}, {"_sviatok", "Sviatok"},
    {"_noc", "Noc"},       {"_stazp", "Sťažené prostredie"},
    {"1", "Príplatok 1"},  {"2", "Príplatok 2"},  {"3", "Príplatok 3"},  {"4", "Príplatok 4"},
    {"5", "Príplatok 5"},
};

ScreenControl edit(const char *field, const char *label)
{
    return {.field = QString::fromLatin1(field), .label = QString::fromUtf8(label)};
}

ScreenControl radio(const char *field, const char *label, const char *items, const char *values)
{
    return {.field = QString::fromLatin1(field), .label = QString::fromUtf8(label), .kind = ControlKind::RadioGroup,
            .items = QString::fromUtf8(items), .values = QString::fromLatin1(values),
            .name = QStringLiteral("RG_") + QString::fromLatin1(field)};
}

ScreenPage stranaInfo()
{
    ScreenPage p{.name = QStringLiteral("PAGE_INFO"), .caption = QStringLiteral("Základné informácie"),
                 .groupsPerRow = 2, .scrolled = true};
    p.groups.push_back({.title = QStringLiteral("Zamestnávateľ"), .box = true, .controls = {
        edit("NAZOV", "Názov"), edit("ADR_ULICA1", "Ulica a číslo"), edit("ADR_MESTO", "Mesto"),
        edit("ADR_PSC", "PSČ"), edit("ADR_ZIP", "ZIP"), edit("ADR_STAT", "Štát"),
        edit("ICO", "IČO"), edit("DIC", "DIČ"), edit("OKEC", "OKEČ"), edit("ICZ", "IČZ"),
        edit("TYP_ZEL", "Typ zamestnávateľa"), edit("DANOVY_URAD", "Daňový úrad")}});
    p.groups.push_back({.title = QStringLiteral("Bankové spojenie"), .box = true, .controls = {
        edit("PREDCISLO_U", "Predčíslie účtu"), edit("CISLO_U", "Číslo účtu"), edit("BANKA_U", "Kód banky"),
        edit("NAZOV_BANKY", "Názov banky"), edit("SSYM_U", "Špecifický symbol"), edit("KSYM_U", "Konštantný symbol")}});
    p.groups.push_back({.title = QStringLiteral("Úrad práce a fond zamestnanosti"), .box = true, .controls = {
        edit("OUP_NAZOV", "Úrad práce"), edit("OUP_ULICA", "Ulica"), edit("OUP_MESTO", "Mesto"),
        edit("OUP_PSC", "PSČ"), edit("FZ_UCET", "Účet fondu zamestnanosti"), edit("FZ_VS", "Variabilný symbol"),
        edit("FZ_DEN", "Deň výplaty miezd")}});
    p.groups.push_back({.title = QStringLiteral("Výpočet"), .box = true, .controls = {
        radio("HOLKVART", "  Výpočet dovolenky  ", "podľa počtu mesiacov;kvartálne", "0;1"),
        radio("F_ODSTUP", "     Formát výplatnej pásky", "štandardná výplatná páska;výplatná páska typ A", "0;1"),
        radio("F_TYP_PREMII", "  Výška prémií  ", "individuálna;percentuálna sadzba;hodinová sadzba v Sk", "0;1;2"),
        radio("F_TYP_ULAVY_SP", "  Úľava - sociálna poisť.  ", "Nikto;ZPS+ZŤP;ZŤP;Všetci", "0;1;2;3"),
        radio("F_TYP_ULAVY_FZ", "  Úľava - fond zamest.  ", "Nikto;ZPS+ZŤP;ZŤP;Všetci", "0;1;2;3"),
        {.field = QStringLiteral("F_ODSTUPM"), .label = QStringLiteral("Platí garančné poist. z dohôd o vyk.práce"),
         .kind = ControlKind::CheckBox}}});
    p.groups.push_back({.title = QStringLiteral("Sadzby príplatkov"), .box = true, .columns = 2, .controls = {
        edit("F_NADCAS", "Nadčas"), edit("F_SOBOTA", "Sobota"), edit("F_NEDELA", "Nedeľa"),
        edit("F_SVIATOK", "Sviatok"), edit("F_NOC", "Noc"), edit("F_SKOD", "Sťažené prostredie"),
        edit("F_PRIPLAT1", "Príplatok 1"), edit("F_PRIPLAT1_TEXT", "Názov"),
        edit("F_PRIPLAT2", "Príplatok 2"), edit("F_PRIPLAT2_TEXT", "Názov"),
        edit("F_PRIPLAT3", "Príplatok 3"), edit("F_PRIPLAT3_TEXT", "Názov"),
        edit("F_PRIPLAT4", "Príplatok 4"), edit("F_PRIPLAT4_TEXT", "Názov"),
        edit("F_PRIPLAT5", "Príplatok 5"), edit("F_PRIPLAT5_TEXT", "Názov")}});
    // F_NEMOCD 1 counts every employee among those with the employer's relief on sickness
    // and pension insurance; F_POISTNE is the liability-insurance rate in per mille.
    p.groups.push_back({.title = QStringLiteral("Ďalšie údaje výpočtu"), .box = true, .columns = 2, .controls = {
        edit("F_HOLIDAY", "Dovolenka (dni)"), edit("F_NEMOCD", "Úľava firmy na NP a DP (1 = áno)"),
        edit("F_DOBA", "Denný pracovný čas (hod.)"), edit("F_POISTNE", "Poistenie zodpovednosti (‰)"),
        edit("F_SOCFOND", "Sociálny fond (%)"), edit("F_NEMOHOL", "Náhrada za prekážky (% priemeru)"),
        edit("DATUM_UZAV", "Dátum uzávierky")}});
    return p;
}

ScreenPage stranaDoplnok()
{
    return {.name = QStringLiteral("PAGE_DOPLNOK"), .caption = QStringLiteral("Doplnkové údaje FO"),
            .groups = {{.title = QStringLiteral("Zamestnávateľ - fyzická osoba"), .box = true, .controls = {
                edit("FO_Surname", "Priezvisko"), edit("FO_Name", "Meno"), edit("FO_Titul_pred", "Titul pred"),
                edit("FO_Titul_za", "Titul za"), edit("FO_RC", "Rodné číslo"), edit("FO_CPP", "Číslo poistenca")}}}};
}

ScreenPage contactPage()
{
    return {.name = QStringLiteral("TabSheet1"), .caption = QStringLiteral("Kontaktné údaje"),
            .groups = {{.title = QStringLiteral("Kontakt"), .box = true, .controls = {
                           edit("ADR_TELEFON", "Telefón"), edit("ADR_FAX", "Fax"), edit("ADR_EMAIL", "E-mail")}},
                       {.title = QStringLiteral("Korešpondenčná adresa"), .box = true, .controls = {
                           edit("KA_ULICA", "Ulica"), edit("KA_MESTO", "Mesto"), edit("KA_PSC", "PSČ"),
                           edit("KA_ZIP", "ZIP"), edit("KA_STAT", "Štát")}}}};
}

} // namespace

QPair<QString, QString> surchargeTexts(const QList<bool> &percenta)
{
    auto znak = [&percenta](int i) { return i < percenta.size() && !percenta[i] ? u'1' : u'0'; };
    QString t1(8, u'0');
    QString t2(8, u'0');
    for (int i = 0; i < 6; ++i)
        t1[i + 1] = znak(i);
    for (int i = 0; i < 5; ++i)
        t2[i] = znak(6 + i);
    return {t1, t2};
}

QList<bool> surchargeTypes(const QString &text1, const QString &text2)
{
    QList<bool> p;
    for (int i = 0; i < 6; ++i)
        p << (text1.mid(i + 1, 1) == QLatin1String("0"));
    for (int i = 0; i < 5; ++i)
        p << (text2.mid(i, 1) == QLatin1String("0"));
    return p;
}

void checkIco(const QString &ico)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{0,8}$"));
    if (!re.match(ico.trimmed()).hasMatch())
        throw EMyError(QStringLiteral("IČO: najviac 8 číslic (zadané \"%1\").").arg(ico));
}

void checkDic(const QString &dic)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]*$"));
    if (!re.match(dic.trimmed()).hasMatch())
        throw EMyError(QStringLiteral("DIČ: len číslice (zadané \"%1\").").arg(dic));
}

TFormInf::TFormInf(QWidget *parent) : TFormMainVzor(parent)
{
    setObjectName(QStringLiteral("FormInf"));
    insert1->setVisible(false);
    delete1->setVisible(false);
    TDM &dm = DM();

    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("Panel_firma"));
    auto *row = new QHBoxLayout(header);
    auto *title = new QLabel(QStringLiteral("  4.02  Parametre zamestnávateľa"), header);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    row->addWidget(title);
    row->addStretch();
    DBN_firma = new DBNavigator(header);
    DBN_firma->setObjectName(QStringLiteral("DBN_firma"));
    DBN_firma->setVisibleButtons({NavigateButton::Edit, NavigateButton::Post, NavigateButton::Cancel});
    DBN_firma->setDataSource(&dm.DS_INF);
    row->addWidget(DBN_firma);
    btn_firma_navrat = new QPushButton(QStringLiteral("&Návrat"), header);
    btn_firma_navrat->setObjectName(QStringLiteral("btn_firma_navrat"));
    row->addWidget(btn_firma_navrat);
    content()->addWidget(header);
    setNavigator(DBN_firma);
    connect(btn_firma_navrat, &QPushButton::clicked, this, [this] { navrat1Click(); });
    DBN_firma->onClick = [this](NavigateButton b) {
        if (b == NavigateButton::Cancel)
            refreshTexts();
        setEditState();
    };
    connect(oper1, &QMenu::aboutToShow, this, [this] { setEditState(); });

    PAGE_MAIN = new QTabWidget(this);
    PAGE_MAIN->setObjectName(QStringLiteral("PAGE_MAIN"));
    ScreenBuilder builder(&dm.DS_INF, QStringLiteral("TINF_"));
    builder.colorRolesByKind = true;
    builder.addPages(PAGE_MAIN, {stranaInfo(), stranaDoplnok(), contactPage()});

    // The allowance kinds: one row of a P and an HS button per allowance.
    auto *druhy = new QGroupBox(QStringLiteral("Druh príplatku (P - percentom, HS - hodinovou sadzbou)"));
    druhy->setObjectName(QStringLiteral("GB_priplatky"));
    auto *grid = new QGridLayout(druhy);
    int r = 0;
    for (const Priplatok &p : kPriplatky) {
        const QString suffix = QString::fromLatin1(p.suffix);
        grid->addWidget(new QLabel(QString::fromUtf8(p.caption), druhy), r, 0);
        auto *rbp = new QRadioButton(QStringLiteral("P"), druhy);
        rbp->setObjectName(QStringLiteral("RBP") + suffix);
        auto *rbr = new QRadioButton(QStringLiteral("HS"), druhy);
        rbr->setObjectName(QStringLiteral("RBR") + suffix);
        auto *group = new QButtonGroup(druhy);
        group->addButton(rbp);
        group->addButton(rbr);
        grid->addWidget(rbp, r, 1);
        grid->addWidget(rbr, r, 2);
        connect(rbp, &QRadioButton::clicked, this, [this] { surchargeClicked(); });
        connect(rbr, &QRadioButton::clicked, this, [this] { surchargeClicked(); });
        m_pary.push_back({rbp, rbr});
        ++r;
    }
    auto *body = new QHBoxLayout;
    body->addWidget(PAGE_MAIN, 1);
    body->addWidget(druhy);
    content()->addLayout(body, 1);

    // The company and tax numbers become file names and filing identifiers.
    db::Field &ico = dm.TINF_.declareField(QStringLiteral("ICO"));
    db::Field &dic = dm.TINF_.declareField(QStringLiteral("DIC"));
    m_icoBefore = ico.onValidate;
    m_dicBefore = dic.onValidate;
    ico.onValidate = [before = m_icoBefore](db::Field &fld) {
        checkIco(fld.asString());
        if (before)
            before(fld);
    };
    dic.onValidate = [before = m_dicBefore](db::Field &fld) {
        checkDic(fld.asString());
        if (before)
            before(fld);
    };

    refreshTexts();
    PAGE_MAIN->setCurrentIndex(0);
    resize(1000, 660);
    setEditState();
}

TFormInf::~TFormInf()
{
    if (!hasDM())
        return;
    TDM &dm = DM();
    dm.TINF_.declareField(QStringLiteral("ICO")).onValidate = m_icoBefore;
    dm.TINF_.declareField(QStringLiteral("DIC")).onValidate = m_dicBefore;
}

bool TFormInf::setupIsEditing() const { return hasDM() && DM().TINF_.isEditing(); }

void TFormInf::cancelChanges()
{
    if (setupIsEditing())
        DM().TINF_.cancel();
    refreshTexts();
}

void TFormInf::refreshTexts()
{
    // A dropped edit leaves no clicked kinds behind for the next post of the header.
    TDM &dm = DM();
    if (dm.TINF_.isActive() && !dm.TINF_.isEmpty() && !dm.TINF_.isEditing()) {
        dm.Text_priplatkov = dm.TINF_.fieldByName(QStringLiteral("CALC_TYP_PRIPLATKOV")).asString();
        dm.Text_priplatkov2 = dm.TINF_.fieldByName(QStringLiteral("CALC_TYP_PRIPLATKOV2")).asString();
    }
    Nacitaj_typy_priplatkov();
}

void TFormInf::Nacitaj_typy_priplatkov()
{
    const TDM &dm = DM();
    const QList<bool> p = surchargeTypes(dm.Text_priplatkov, dm.Text_priplatkov2);
    for (int i = 0; i < m_pary.size(); ++i)
        (p.value(i, true) ? m_pary[i].p : m_pary[i].hs)->setChecked(true);
}

void TFormInf::surchargeClicked()
{
    if (!setupIsEditing()) {
        Nacitaj_typy_priplatkov();
        return;
    }
    QList<bool> p;
    for (const SurchargePair &par : m_pary)
        p << par.p->isChecked();
    const auto texts = surchargeTexts(p);
    DM().Text_priplatkov = texts.first;
    DM().Text_priplatkov2 = texts.second;
}

void TFormInf::setEditState() { setOperationState(*this, setupIsEditing(), btn_firma_navrat); }

namespace MainInf {

void Show_FormInf(QWidget *parent)
{
    TFormInf form(parent ? parent : QApplication::activeWindow());
    form.exec();
}

} // namespace MainInf

} // namespace tarix::core
