#pragma once
// TFormHP1: the payment-order window ("Hromadný príkaz na úhradu výplat"). The headers of
// the firm's bulk payment orders and the items of the current one, each with an edit panel
// shown while a header or an item is edited; generation of the items from the month's
// payroll, the printouts "HP1" and "HP2" and the two bank files.
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

namespace tarix::db {
class Session;
}

namespace tarix::dbctrl {
class DBGrid;
class DBNavigator;
} // namespace tarix::dbctrl

namespace tarix::filings {

class TDMHP;

// What may be chosen in the window, by whether a header or an item is being edited.
struct OrderWindowState {
    bool vkladanie = false;      // insert, edit and delete of headers and items
    bool zapis_hlavicky = false; // the header's post and cancel, its navigator DBN2, panel P1
    bool zapis_polozky = false;  // the item's post and cancel, DBN2D, panel P2
    bool navrat = false;         // "&Návrat"
    bool navigatory = false;     // the list navigators DBN1 and DBN1D
    // Generation, the prints and the bank files: never while anything is edited, so that
    // they work on what is stored.
    bool operacie = false;

    bool operator==(const OrderWindowState &) const = default;
};
OrderWindowState hpWindowState(bool edituje_hlavicku, bool edituje_polozku);

class TFormHP1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormHP1(QWidget *parent = nullptr);
    ~TFormHP1() override;

    // The state of the menus, buttons, navigators and panels (after every operation and
    // when the "&Operácie" menu opens).
    void Akcia_priprav_hp();

    // "Generuj": asks 65148 for the open period and generates the current header's items.
    void Btn_nacitajClick();
    // Generation of the current header's items for a period.
    bool Generuj_polozky(int obdobie);
    // "Tlač hromadného príkazu" ("HP1") and "... - VÚB" ("HP2").
    void Btn_tlacClick();
    void Mnu_tlac2Click();
    // "I-KEY" (batch XML) and "VUB" (text file); the path written, empty when none.
    QString Btn_ikeyClick();
    QString btn_vubClick();

    QMenu *Operacie = nullptr;
    QAction *mnu_insert1 = nullptr;
    QAction *mnu_edit1 = nullptr;
    QAction *mnu_delete1 = nullptr;
    QAction *mnu_post1 = nullptr;
    QAction *mnu_cancel1 = nullptr;
    QAction *Mnu_insert2 = nullptr;
    QAction *Mnu_edit2 = nullptr;
    QAction *Mnu_delete2 = nullptr;
    QAction *Mnu_post2 = nullptr;
    QAction *Mnu_cancel2 = nullptr;
    QAction *Mnu_tlac = nullptr;
    QAction *Mnu_tlac2 = nullptr;
    QAction *Mnu_generuj = nullptr;
    QAction *Mnu_navrat = nullptr;

    dbctrl::DBGrid *DBG1 = nullptr;
    dbctrl::DBGrid *DBG2 = nullptr;
    dbctrl::DBNavigator *DBN1 = nullptr;
    dbctrl::DBNavigator *DBN2 = nullptr;
    dbctrl::DBNavigator *DBN1D = nullptr;
    dbctrl::DBNavigator *DBN2D = nullptr;
    QWidget *P1 = nullptr;
    QWidget *P2 = nullptr;
    QPushButton *Btn_tlac = nullptr;
    QPushButton *Btn_nacitaj = nullptr;
    QPushButton *Btn_ikey = nullptr;
    QPushButton *btn_vub = nullptr;
    QPushButton *Btn_navrat = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void orderOperation(QAction *item);
    void printOrders(const QString &kod);
    void writeOrderFile(QString (*zapis)(db::Session &, int), QString *path);
    bool validModule() const;

    TDMHP *m_dm = nullptr;
};

// The window of the run, created on demand and brought to the front when it is open.
TFormHP1 *showBulkOrders(QWidget *owner);
// Registers the main menu's "mnu_hp1" and the report "TReportHP" (with its parameter
// dialog).
void registerHpCommand();

} // namespace tarix::filings
