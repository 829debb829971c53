#include "core/forms/form_cis.h"

#include "core/app_ini.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/file_choice.h"
#include "platform/ui/qt/named_widgets.h"
#include "platform/db/table.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_navigator.h"
#include "platform/dbctrl/screen_builder.h"
#include "platform/errors.h"
#include "platform/shell/launcher.h"
#include "platform/ui/user_interface.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace tarix::core {

using dbctrl::NavigateButton;

namespace {

const char *const kLegenda[] = {
    "D - Daňový úrad - celkom",       "E - Daňový úrad - preddavky",
    "F - Daňový úrad - zrážky",       "P - Zákonné poistenie za škodu",
    "S - Sociálna poisťovňa",         "U - Úrad práce",
    "X - Sociálny fond",              "Y - Doplnková dôchodková poisťovňa",
    "Z - Zdravotná poisťovňa",
};

// A cell editor offering the pick list; the cell still takes what is typed.
class PickListDelegate : public QStyledItemDelegate {
public:
    PickListDelegate(QStringList items, QObject *parent) : QStyledItemDelegate(parent), m_items(std::move(items)) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->addItems(m_items);
        return combo;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static_cast<QComboBox *>(editor)->setCurrentText(index.data(Qt::EditRole).toString());
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QComboBox *>(editor)->currentText(), Qt::EditRole);
    }

private:
    QStringList m_items;
};

QAction *faultyItem(QMenu *menu, const char *name, const char *caption)
{
    return ui::namedAction(menu, name, QString::fromUtf8(caption));
}

QString nameWithoutExtension(const QString &tableName)
{
    const QString name = QDir::fromNativeSeparators(tableName).section(u'/', -1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

} // namespace

QStringList institutionKinds()
{
    return {QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("P"), QStringLiteral("S"),
            QStringLiteral("U"), QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
}

TFormCis::TFormCis(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormCis"));
    setWindowTitle(QStringLiteral("Správa číselníkov"));
    auto *layout = new QVBoxLayout(this);
    MainMenu1 = new QMenuBar(this);
    layout->setMenuBar(MainMenu1);
    Mnu_operacie = MainMenu1->addMenu(QStringLiteral("&Operácie"));
    Mnu_operacie->setObjectName(QStringLiteral("Mnu_operacie"));
    Mnu_insert = faultyItem(Mnu_operacie, "Mnu_insert", "&Nový záznam");
    Mnu_edit = faultyItem(Mnu_operacie, "Mnu_edit", "&Oprava záznamu");
    Mnu_delete = faultyItem(Mnu_operacie, "Mnu_delete", "&Vymazanie záznamu");
    Mnu_post = faultyItem(Mnu_operacie, "Mnu_post", "&Potvrdenie zmien");
    Mnu_cancel = faultyItem(Mnu_operacie, "Mnu_cancel", "&Ignorovanie zmien");
    Mnu_operacie->addSeparator();
    Mnu_navrat = faultyItem(Mnu_operacie, "Mnu_navrat", "&Návrat");
    for (QAction *a : {Mnu_insert, Mnu_edit, Mnu_delete, Mnu_post, Mnu_cancel, Mnu_navrat})
        connect(a, &QAction::triggered, this, [this, a] { operationClicked(a); });
    connect(Mnu_operacie, &QMenu::aboutToShow, this, [this] { setEditState(); });

    auto *header = new QWidget(this);
    auto *row = new QHBoxLayout(header);
    Panel0 = new QLabel(QStringLiteral(" 3.00 Správa číselníkov"), header);
    Panel0->setObjectName(QStringLiteral("Panel0"));
    QFont f = Panel0->font();
    f.setBold(true);
    Panel0->setFont(f);
    row->addWidget(Panel0, 1);
    DBN1 = new dbctrl::DBNavigator(header);
    DBN1->setObjectName(QStringLiteral("DBN1"));
    DBN1->setVisibleButtons({NavigateButton::First, NavigateButton::Prior, NavigateButton::Next, NavigateButton::Last,
                             NavigateButton::Insert, NavigateButton::Delete, NavigateButton::Edit});
    DBN1->setDataSource(&DS1);
    row->addWidget(DBN1);
    DBN2 = new dbctrl::DBNavigator(header);
    DBN2->setObjectName(QStringLiteral("DBN2"));
    DBN2->setVisibleButtons({NavigateButton::Post, NavigateButton::Cancel});
    DBN2->setDataSource(&DS1);
    row->addWidget(DBN2);
    Button1 = new QPushButton(QStringLiteral("&Exp.XLS"), header);
    Button1->setObjectName(QStringLiteral("Button1"));
    row->addWidget(Button1);
    Btn_navrat = new QPushButton(QStringLiteral("&Návrat"), header);
    Btn_navrat->setObjectName(QStringLiteral("Btn_navrat"));
    row->addWidget(Btn_navrat);
    layout->addWidget(header);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Btn_navrat, &QPushButton::clicked, this, [this] { operationClicked(Mnu_navrat); });

    DBGrid1 = new dbctrl::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    dbctrl::setColorRole(DBGrid1, dbctrl::ColorRole::Pozadie);
    layout->addWidget(DBGrid1, 1);

    PanelLegenda1 = new QWidget(this);
    PanelLegenda1->setObjectName(QStringLiteral("PanelLegenda1"));
    auto *legenda = new QVBoxLayout(PanelLegenda1);
    for (const char *line : kLegenda)
        legenda->addWidget(new QLabel(QString::fromUtf8(line), PanelLegenda1));
    layout->addWidget(PanelLegenda1);

    PgCSV1.Seprator = u';';
    PgCSV1.Delimiter = u';';
    PgCSV1.FieldIndicator = QChar(0);
    PgCSV1.EmptyTable = true;

    DS1.onStateChange = [this](db::DataSource &) { setEditState(); };
    resize(800, 560);
}

TFormCis::~TFormCis()
{
    DBGrid1->setDataSource(nullptr);
    DBN1->setDataSource(nullptr);
    DBN2->setDataSource(nullptr);
    DS1.onStateChange = nullptr;
}

void TFormCis::prepareCodeTable(const QString &title, db::Table &table)
{
    QString firm;
    if (hasDM() && DM().TINF_.isActive() && !DM().TINF_.isEmpty())
        firm = DM().TINF_.fieldByName(QStringLiteral("NAZOV")).asString();
    setWindowTitle(QStringLiteral("TARIX - Firma: ") + firm);
    Panel0->setText(title);
    DS1.setDataSet(&table);
    DBGrid1->setDataSource(&DS1);

    m_saveFolder = MyConsts::outputFolderOrDefault();
    m_saveFileName = nameWithoutExtension(table.tableName()) + QStringLiteral(".CSV");
    PgCSV1.Dataset = &table;

    const bool platitelia = table.objectName().compare(QStringLiteral("CIS4_"), Qt::CaseInsensitive) == 0;
    if (platitelia) {
        m_pickList = institutionKinds();
        DBGrid1->setItemDelegateForColumn(0, new PickListDelegate(m_pickList, DBGrid1));
        DBGrid1->setColumnWidth(0, 50);
    } else {
        m_pickList.clear();
        DBGrid1->setItemDelegateForColumn(0, nullptr);
    }
    PanelLegenda1->setVisible(platitelia);
    setEditState();
    Nastav_farby_formulara(this);
}

void TFormCis::Zobraz_ciselnik(const QString &title, db::Table &table)
{
    prepareCodeTable(title, table);
    exec();
}

bool TFormCis::isEditingRecord() const { return DS1.dataSet() && DS1.dataSet()->isEditing(); }

void TFormCis::setEditState()
{
    const bool e = isEditingRecord();
    for (QAction *a : {Mnu_insert, Mnu_edit, Mnu_delete, Mnu_navrat})
        a->setEnabled(!e);
    Btn_navrat->setEnabled(!e);
    Mnu_post->setEnabled(e);
    Mnu_cancel->setEnabled(e);
    DBN1->setEnabled(!e);
    DBN2->setEnabled(e);
}

void TFormCis::operationClicked(QAction *item)
{
    db::DataSet *ds = DS1.dataSet();
    const QString name = item ? item->objectName() : QString();
    auto press = [this](NavigateButton b) { DBN1->btnClick(b); };
    if (ds && name == QLatin1String("Mnu_insert"))
        press(NavigateButton::Insert);
    else if (ds && name == QLatin1String("Mnu_edit"))
        press(NavigateButton::Edit);
    else if (ds && name == QLatin1String("Mnu_delete"))
        press(NavigateButton::Delete);
    else if (ds && name == QLatin1String("Mnu_post"))
        press(NavigateButton::Post);
    else if (ds && name == QLatin1String("Mnu_cancel"))
        press(NavigateButton::Cancel);
    else
        reject();
    setEditState();
}

void TFormCis::Button1Click()
{
    ui::FileDialogRequest request;
    request.caption = QStringLiteral("Export do CSV súboru");
    request.initialFolder = m_saveFolder;
    request.fileName = m_saveFileName;
    request.filter = QStringLiteral("CSV Files|*.csv");
    int filter = 0;
    const QString file = ui::current().chooseSaveFile(request, &filter);
    if (file.isEmpty() || filter != 1)
        return;
    PgCSV1.CSVFile = file;
    try {
        PgCSV1.DataSetToCSV();
    } catch (const EMyError &e) {
        MyConsts::Sprava_chyba(e.text());
        return;
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QStringLiteral("Súbor %1 nebol vytvorený: %2").arg(file, QString::fromUtf8(e.what())));
        return;
    }
    ShellUtils::ShellOpenFile(file);
}

bool TFormCis::canClose()
{
    // A pending edit is dropped as the grid drops it when it is left.
    if (isEditingRecord()) {
        try {
            DS1.dataSet()->cancel();
        } catch (const std::exception &) {
        }
    }
    return true;
}

void TFormCis::closeEvent(QCloseEvent *event)
{
    canClose();
    event->accept();
}

void TFormCis::reject()
{
    if (canClose())
        QDialog::reject();
}

void Zobraz_ciselnik(const QString &title, db::Table &table, QWidget *parent)
{
    TFormCis form(parent ? parent : QApplication::activeWindow());
    form.Zobraz_ciselnik(title, table);
}

} // namespace tarix::core
