#include "core/forms/form_setup.h"

#include "core/dm_main.h"
#include "platform/dbctrl/db_radio_group.h"
#include "platform/dbctrl/screen_builder.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>

namespace tarix::core {

using namespace dbctrl;

const std::vector<RoundingPair> &roundingPairs()
{
    static const std::vector<RoundingPair> pary = {
        {"Základ pre poistné", "F_ZAZAKLPOIST", "F_SMZAKLPOIST", false},
        {"Odvod na fond zam.", "F_ZAFONDZ", "F_SMFONDZ", false},
        {"Odvod poistného", "F_ZAODVOD", "F_SMODVOD", false},
        {"Nemocenské dávky jednotlivo", "ZAOKRUH4", "ZAOKRUH4SM", true},
        {"Nemocenské dávky spolu", "ZAOKRUH10", "ZAOKRUH10SM", true},
        {"Základ dane (mesačné preddavky)", "F_ZADANZP", "F_SMDANZP", false},
        {"Základ dane (ročné preddavky)", "ZAOKRUH5", "ZAOKRUH5SM", false},
        {"Preddavok na daň", "F_ZAPREDDAV", "F_SMPREDDAV", false},
        {"Hrubý príjem", "ZAOKRUH1", "ZAOKRUH1SM", false},
        {"Mesačný plat", "ZAOKRUH3", "ZAOKRUH3SM", false},
        {"Príplatky", "ZAOKRUH2", "ZAOKRUH2SM", false},
        {"Prémie", "ZAOKRUH6", "ZAOKRUH6SM", false},
        {"Sociálny fond -základ", "ZAOKRUH7", "ZAOKRUH7SM", false},
        {"Sociálny fond - odvod", "ZAOKRUH8", "ZAOKRUH8SM", false},
        {"Osobitná sadzba dane", "ZAOKRUH9", "ZAOKRUH9SM", false},
    };
    return pary;
}

QStringList positionItems(bool davky)
{
    QStringList items{QStringLiteral("10h"), QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("100")};
    if (davky)
        items.prepend(QStringLiteral("1h"));
    return items;
}

QStringList positionValues(bool davky)
{
    QStringList values{QStringLiteral("-1"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")};
    if (davky)
        values.prepend(QStringLiteral("-2"));
    return values;
}

QStringList methodItems(bool davky)
{
    QStringList items{QStringLiteral("nahor"), QStringLiteral("nadol"), QStringLiteral("normál"), QStringLiteral("bez")};
    if (davky)
        items << QStringLiteral("do 50h dole");
    return items;
}

QStringList methodValues(bool davky)
{
    QStringList values{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    if (davky)
        values << QStringLiteral("4");
    return values;
}

namespace {

ScreenControl edit(const char *field, const char *label)
{
    return {.field = QString::fromLatin1(field), .label = QString::fromUtf8(label)};
}

ScreenControl check(const char *field, const char *label)
{
    return {.field = QString::fromLatin1(field), .label = QString::fromUtf8(label), .kind = ControlKind::CheckBox};
}

ScreenGroup workingDaysBox(const char *title, const char *suffix)
{
    static const char *const mesiace[] = {"JAN", "FEB", "MAR", "APR", "MAJ", "JUN",
                                          "JUL", "AUG", "SEP", "OKT", "NOV", "DEC"};
    static const char *const nazvy[] = {"Január", "Február", "Marec",     "Apríl",   "Máj",      "Jún",
                                        "Júl",    "August",  "September", "Október", "November", "December"};
    ScreenGroup g{.title = QString::fromUtf8(title), .box = true, .columns = 6};
    for (int i = 0; i < 12; ++i)
        g.controls.push_back({.field = QString::fromLatin1(mesiace[i]) + QString::fromLatin1(suffix),
                              .label = QString::fromUtf8(nazvy[i]), .width = 40});
    return g;
}

ScreenPage strana1()
{
    ScreenPage p{.name = QStringLiteral("PAGE1"), .groupsPerRow = 2, .scrolled = true};
    p.groups.push_back(workingDaysBox("Počet pracovných dní", ""));
    p.groups.push_back(workingDaysBox("Počet platených sviatkov", "1"));
    p.groups.push_back({.title = QStringLiteral("Nemocenské"), .box = true, .controls = {
        edit("F_PN1", "PN - 1. obdobie (%)"), edit("F_PN2", "PN - 2. obdobie (%)"),
        edit("F_PN_DNI", "PN - dni 1. obdobia"),
        edit("F_NEMMAX", "Max. čistá denná mzda"), edit("F_NEMMIN", "Min. čistá denná mzda")}});
    p.groups.push_back({.title = QStringLiteral("Mzda a poistné"), .box = true, .controls = {
        edit("F_MIN_MZDA", "Minimálna mzda"), edit("F_POISTMAX", "Max. vymer. základ poistného")}});
    p.groups.push_back({.title = QStringLiteral("Sadzby zamestnanca (%)"), .box = true, .columns = 2, .controls = {
        edit("F_ZDRAVOT", "Zdravotné"), edit("F_ZDRAVOT1", "Zdravotné - znížená"),
        edit("F_NEMOC", "Nemocenské"), edit("F_NEMOC1", "Nemocenské - znížená"),
        edit("F_DOCHOD", "Dôchodkové"), edit("F_DOCHOD1", "Dôchodkové - znížená"),
        edit("F_FONDZ", "Poist. v nezam."), edit("F_FONDZ1", "Poist. v nezam. - znížená"),
        edit("F_INVALID", "Invalidné")}});
    p.groups.push_back({.title = QStringLiteral("Sadzby zamestnávateľa (%)"), .box = true, .columns = 2, .controls = {
        edit("FZ_ZDRAVOT", "Zdravotné"), edit("FZ_ZDRAVOT1", "Zdravotné - znížená"),
        edit("FZ_NEMOC", "Nemocenské"), edit("FZ_NEMOC1", "Nemocenské - znížená"),
        edit("FZ_DOCHOD", "Dôchodkové"), edit("FZ_DOCHOD1", "Dôchodkové - znížená"),
        edit("FZ_FONDZ", "Poist. v nezam."), edit("FZ_FONDZ1", "Poist. v nezam. - znížená"),
        edit("FZ_INVALID", "Invalidné"), edit("FZ_URAZ", "Úrazové"),
        edit("FZ_REZERVA", "Rezervný fond"), edit("FZ_GARFOND", "Garančné"),
        edit("FZ_GARFOND1", "Garančné - znížená")}});
    // Which bases the pay of the two kinds of work agreements counts into.
    p.groups.push_back({.title = QStringLiteral("Dohody o vykonaní práce do vymer. základu"), .box = true, .columns = 2, .controls = {
        check("U_ZDRAV1", "zdravotné"), check("U_NEMOC1", "nemocenské"),
        check("U_DOCHOD1", "dôchodkové"), check("U_FONDZAM1", "poist. v nezam.")}});
    p.groups.push_back({.title = QStringLiteral("Dohody o pracovnej činnosti do vymer. základu"), .box = true, .columns = 2, .controls = {
        check("U_ZDRAV2", "zdravotné"), check("U_NEMOC2", "nemocenské"),
        check("U_DOCHOD2", "dôchodkové"), check("U_FONDZAM2", "poist. v nezam.")}});
    return p;
}

QString positionName(const QString &field) { return QStringLiteral("RG_") + field; }

} // namespace

TFormSetup::TFormSetup(QWidget *parent) : TFormMainVzor(parent)
{
    setObjectName(QStringLiteral("FormSetup"));
    insert1->setVisible(false);
    delete1->setVisible(false);
    TDM &dm = DM();

    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("Panel_setup"));
    auto *row = new QHBoxLayout(header);
    auto *title = new QLabel(QStringLiteral("  4.01  Spoločné parametre programu"), header);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    row->addWidget(title);
    row->addStretch();
    DBN_setup = new DBNavigator(header);
    DBN_setup->setObjectName(QStringLiteral("DBN_setup"));
    DBN_setup->setVisibleButtons({NavigateButton::Edit, NavigateButton::Post, NavigateButton::Cancel});
    DBN_setup->setDataSource(&dm.DS_SET);
    row->addWidget(DBN_setup);
    Butt_setup1_navrat = new QPushButton(QStringLiteral("&Návrat"), header);
    Butt_setup1_navrat->setObjectName(QStringLiteral("Butt_setup1_navrat"));
    row->addWidget(Butt_setup1_navrat);
    content()->addWidget(header);
    setNavigator(DBN_setup);
    connect(Butt_setup1_navrat, &QPushButton::clicked, this, [this] { navrat1Click(); });
    DBN_setup->onClick = [this](NavigateButton) { setEditState(); };

    N_SET = new QStackedWidget(this);
    N_SET->setObjectName(QStringLiteral("N_SET"));
    ScreenBuilder builder(&dm.DS_SET, QStringLiteral("TSET_"));
    builder.colorRolesByKind = true;
    PAGE1 = builder.page(strana1());
    N_SET->addWidget(PAGE1);

    PAGE2 = new QWidget;
    PAGE2->setObjectName(QStringLiteral("PAGE2"));
    auto *grid = new QGridLayout(PAGE2);
    grid->addWidget(new QLabel(QStringLiteral("Zaokrúhľovanie:"), PAGE2), 0, 0, 1, 3);
    int r = 1;
    for (const RoundingPair &p : roundingPairs()) {
        const QString poloha = QString::fromLatin1(p.poloha);
        const QString sposob = QString::fromLatin1(p.sposob);
        grid->addWidget(new QLabel(QString::fromUtf8(p.label), PAGE2), r, 0);
        auto *rgPoloha = new DBRadioGroup(PAGE2);
        rgPoloha->setObjectName(positionName(poloha));
        rgPoloha->setItems(positionItems(p.davky));
        rgPoloha->setValues(positionValues(p.davky));
        rgPoloha->setColumns(rgPoloha->items().size());
        rgPoloha->setDataSource(&dm.DS_SET);
        rgPoloha->setDataField(poloha);
        grid->addWidget(rgPoloha, r, 1);
        auto *rgSposob = new DBRadioGroup(PAGE2);
        rgSposob->setObjectName(positionName(sposob));
        rgSposob->setItems(methodItems(p.davky));
        rgSposob->setValues(methodValues(p.davky));
        rgSposob->setColumns(rgSposob->items().size());
        rgSposob->setDataSource(&dm.DS_SET);
        rgSposob->setDataField(sposob);
        grid->addWidget(rgSposob, r, 2);
        ++r;
    }
    grid->setRowStretch(r, 1);
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("SB_PAGE2"));
    scroll->setWidgetResizable(true);
    scroll->setWidget(PAGE2);
    N_SET->addWidget(scroll);
    content()->addWidget(N_SET, 1);

    resize(900, 640);
    setEditState();
}

TFormSetup::~TFormSetup() = default;

bool TFormSetup::setupIsEditing() const { return hasDM() && DM().TSET_.isEditing(); }

void TFormSetup::cancelChanges()
{
    if (setupIsEditing())
        DM().TSET_.cancel();
}

DBRadioGroup *TFormSetup::positionGroup(const QString &field) const
{
    return findChild<DBRadioGroup *>(positionName(field));
}

DBRadioGroup *TFormSetup::methodGroup(const QString &field) const
{
    return findChild<DBRadioGroup *>(positionName(field));
}

void TFormSetup::showSetupPage(int page)
{
    N_SET->setCurrentIndex(page == 1 ? 0 : 1);
}

void TFormSetup::setEditState() { setOperationState(*this, setupIsEditing(), Butt_setup1_navrat); }

namespace MainSet {

void Show_FormSetup(int page, QWidget *parent)
{
    TFormSetup form(parent ? parent : QApplication::activeWindow());
    form.showSetupPage(page);
    form.exec();
}

} // namespace MainSet

} // namespace tarix::core
