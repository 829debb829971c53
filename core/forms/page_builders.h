#pragma once
// The smaller pages of the main window: the right-hand employee list, the employee choice
// page ZAMF and the annual tax band page DZP.
#include <QWidget>

class QLabel;
class QPushButton;

namespace tarix::dbctrl {
class DBGrid;
class DBNavigator;
} // namespace tarix::dbctrl

namespace tarix::core {

// SB_ZAM_PRAVY: the employee list beside the card (on DS_ZGRID) with its "&Návrat".
struct EmployeeList {
    QWidget *panel = nullptr;
    dbctrl::DBGrid *mriezka = nullptr; // DBG_ZAM_PRAVY
    QPushButton *navrat = nullptr;
};
EmployeeList buildEmployeeList(QWidget *parent);

// ZAMF: the employee choice (on DS_ZAMF).
struct EmployeeChoice {
    QWidget *pageNamed = nullptr;
    QLabel *panel = nullptr;        // Panel_zamf
    QLabel *panelHotova = nullptr;  // Panel_hotova
    dbctrl::DBGrid *mriezka = nullptr; // DBG_zamf
    QPushButton *vyber = nullptr;
    QPushButton *navrat = nullptr;
};
EmployeeChoice buildEmployeeChoice(QWidget *parent);

// DZP: the annual tax bands (grid on DS_DZPG, fields and navigator on DS_DZP).
struct DzpPage {
    QWidget *pageNamed = nullptr;
    dbctrl::DBGrid *mriezka = nullptr;
    dbctrl::DBNavigator *navigator = nullptr; // DBN_dzp
    QPushButton *navrat = nullptr;          // Butt_dzp_navrat1
};
DzpPage buildDzpPage(QWidget *parent);

} // namespace tarix::core
