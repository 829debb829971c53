#pragma once
// The report dispatcher: picks the one report or output routine that a request's code and
// period (and, for payslips, the firm's layout setting) select, and runs it with the
// request. The routines themselves live in their own units and register under the name
// of their report class ("TReportVP") or routine ("RexSpXml.Export_xml_vykazu").
#include "reports/report_param.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

namespace tarix::reports {

// What the dispatch table says for a code and period.
struct ReportChoice {
    enum class ReportKind {
        Zostava,    // run the routine registered under `nazov`
        Chyba,      // show the error box with `nazov` and run nothing
        Nenajdena,  // no row holds: "Nenašiel sa report"
    };
    ReportKind documentKind = ReportKind::Nenajdena;
    QString nazov;

    bool operator==(const ReportChoice &o) const { return documentKind == o.documentKind && nazov == o.nazov; }
};

inline constexpr char16_t kNenasielSaReport[] = u"Nenašiel sa report";

// The dispatch table. The code is compared exactly (case and length); within one code the
// first row whose period window holds wins. `fOdstup` gives the firm's F_ODSTUP and is
// asked only for payslip periods from 200401 (0: the full layouts, else the short ones).
ReportChoice chooseReport(const QString &kod, int obdobie, const std::function<int()> &fOdstup);

// Every code of the table, in table order, each once.
QStringList reportCodes();

// One row of the dispatch table as data: the code, the window [from, before) of the period
// it holds for, and the routine it runs (the short layout's too, for payslips) or, for an
// error row, the text it shows.
struct DispatchWindow {
    QString code;
    int from = 0;
    int before = 0;
    QString routine;
    QString shortRoutine;
    bool error = false;
};
// Every row of the table, in table order.
std::vector<DispatchWindow> dispatchWindows();

// The firm's F_ODSTUP read as an integer (a blank value is 0): from the open firm header
// of the main data module, else from the firm's table.
int firmDistance();

// ---- the routines --------------------------------------------------------------------------
// A routine takes the request by value and reports its own failures.
using ReportRun = std::function<void(const TMyReportParam &)>;

class ReportRegister {
public:
    // Registers (or replaces) the routine of a report class or output routine.
    void registerReport(const QString &nazov, ReportRun spustenie);
    void unregisterReport(const QString &nazov);
    // nullptr when nothing is registered under the name.
    const ReportRun *findReport(const QString &nazov) const;
    QStringList reportNames() const;

private:
    std::map<QString, ReportRun> m_zostavy;
};

// The process-wide register the dispatcher uses.
ReportRegister &reportRegister();

// Registers a routine for its lifetime and restores what was registered before.
class TemporaryRegistration {
public:
    TemporaryRegistration(const QString &nazov, ReportRun spustenie);
    ~TemporaryRegistration();
    TemporaryRegistration(const TemporaryRegistration &) = delete;
    TemporaryRegistration &operator=(const TemporaryRegistration &) = delete;

private:
    QString m_nazov;
    ReportRun m_predtym;
    bool m_malPredtym = false;
};

// The text shown when the table names a routine that is not registered.
QString unavailableReportText(const QString &nazov);

namespace ParForm {

// The unit's copy of the request: the entry copies the caller's record here, the dialog
// works on it and the dispatcher hands it to the chosen routine.
TMyReportParam &reportParameters();

// Runs the routine that the unit's copy selects. The main window is disabled for the
// run and enabled again however it ends; nothing is raised to the caller: an error of the
// routine is shown as 65180 followed by its message.
void Spusti_zostavu_podla_nazvu();
// The same for a given request (the unit's copy is not touched).
void Spusti_zostavu_podla_nazvu(const TMyReportParam &p);

} // namespace ParForm

} // namespace tarix::reports
