#pragma once
// The report launchers: what each menu item or button that prints sends to the report
// entry. One row per launcher, as data: the report code and the recipe that turns the
// defaults of a request (Priprav_parametre_zostavy) into that launcher's request. The
// main menu's items run the rows under their component names; the employee card's menus
// and buttons run theirs by the same names.
#include "reports/report_param.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace tarix::reports {

struct ReportLauncher {
    // Which period the request carries besides the defaults.
    enum class Obdobie {
        Predvolene,       // the open period as the defaults set it
        Otvorene,         // Obdobie set to the open period
        Mesiac,           // Obdobie_od and Obdobie_do = the open period
        Rok,              // Obdobie_od = open year 01, Obdobie_do = open year 12
        RokZuctovania,    // Obdobie = the settlement's year (TRZP_ V_rok) 12
    };
    // Whose record names the one employee (Zamestnanec_od = Zamestnanec_do).
    enum class LauncherEmployee { Ziadny, Karta /* TZAM_ */, Zuctovanie /* TRZP_ */ };
    // The table that must not be in edit or insert state (65199).
    enum class LauncherEditGuard { Ziadna, Karta, Zuctovanie, Zmluva /* TPPV_ */, Editacia /* any watched table */ };

    const char *id;                 // component name of the item or button
    const char16_t *launcherCode;            // report code; null: by the contract's kind
    Obdobie obdobie = Obdobie::Predvolene;
    LauncherEmployee zamestnanec = LauncherEmployee::Ziadny;
    LauncherEditGuard straz = LauncherEditGuard::Ziadna;
    bool bezDialogu = false;
    bool priznakSuboru = false;
    bool prepisat3 = false;
    // 65061 while the settlement has no year (TRZP_ V_rok empty).
    bool vyzadujeZuctovanie = false;
    // The first period the report exists for (0: always); the tests walk the item from there.
    int odObdobia = 0;
};

// Every launcher, main menu items first.
const std::vector<ReportLauncher> &reportLaunchers();
// The row of an id; null when there is none.
const ReportLauncher *reportLauncher(const QString &id);

// What a launcher reads from the open firm when it runs.
struct LauncherState {
    int obdobie = 0;                 // the open period yyyymm
    int zamestnanecKarty = 0;        // TZAM_ Code_emp
    bool kartaEdituje = false;
    int zamestnanecZuctovania = 0;   // TRZP_ Code_emp
    QVariant rokZuctovania;          // TRZP_ V_rok; null when empty
    bool zuctovanieEdituje = false;
    int druhZmluvy = -1;             // TPPV_ TYP; -1 without a contract
    int pidZmluvy = 0;               // TPPV_ PID
    bool zmluvaEdituje = false;
    bool prebiehaEditacia = false;   // any table the main window watches
};

// The report code of a contract kind: 0 "ZML", 1 "DVP", 2 "DPC", 10 "ZML2", 11 "DVP2",
// 12 "DPC2", 13 "DBPS", 14 "ZMLD"; empty for any other kind.
QString contractCode(int documentKind);

// The request of a launcher from the defaults `p` and the firm's state. Raises EMyError
// 65199 when the guarded table is being edited and 65061 when the settlement has no year;
// nothing (no request) for a contract of a kind that prints nothing.
std::optional<TMyReportParam> launcherRequest(const ReportLauncher &s, const LauncherState &stav,
                                                  TMyReportParam p);

// The state of the open firm: the open period, TZAM_ and TPPV_ of the employee modules
// when they exist; the settlement fields stay empty (its table is not built yet) and the
// pending-edit flag is the caller's (the main window's).
LauncherState launcherState();

} // namespace tarix::reports
