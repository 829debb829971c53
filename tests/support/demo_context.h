#pragma once
// A firm of an installation opened for a period, without the windows: the session's
// aliases on the firm, the year folder and the private folder (the session is the default
// one that the data modules use), the open period stored in the private table, optionally
// the data upgrades of an opening and the year's statutory parameters, and the data modules
// created in the program's order. What the windows' firm opening does, minus its dialogs.
#include "support/data_modules.h"

#include "platform/db/session.h"

#include <memory>
#include <optional>
#include <vector>

namespace tarix::test {

class Installation;
struct Workstation;

struct DemoOptions {
    int firm = 1;
    int year = 2007;
    int month = 1;
    // The cost centre stored with the period (the private table keeps its own otherwise).
    std::optional<int> centre;
    // The data upgrades of an opening, with the workstation's "Priplatky" setting.
    bool upgrades = false;
    int priplatky = 1;
    // The year's statutory parameters in memory and in PARAM.INI of the program folder,
    // slot 28 set for the period.
    bool parameters = false;
    // Created in this order after the period is stored.
    std::vector<ModuleSteps> modules = mainModule();
    // The table registry filled, and its tables opened, as an opening leaves them.
    bool registerTables = false;
    bool openTables = false;
};

// The options of the program's own opening of the firm in the month of 2007: the data
// upgrades and the year's statutory parameters.
DemoOptions programOpening(int month = 1);

class DemoContext {
public:
    // A session on the embedded database.
    DemoContext();
    // A session on the installation's backend: on the database server, on its database
    // (made now, so that session() may be taken before open()).
    explicit DemoContext(const Installation &installation);
    // A session as the workstation has it: on its server when it names one.
    explicit DemoContext(const Workstation &workstation);
    DemoContext(const DemoContext &) = delete;
    DemoContext &operator=(const DemoContext &) = delete;
    ~DemoContext();

    // Opens the firm and year of the options on the installation; a failed step throws
    // SetupFailure with its reason.
    void open(const Installation &installation, const DemoOptions &options);
    // The same as a workstation of an installation opens it: its own private folder (made
    // when missing, as start-up makes it), the installation's firm and year.
    void open(const Workstation &workstation, const DemoOptions &options);
    // Destroys the modules (in reverse order), empties loaded parameters, closes the
    // session and stops it being the default one. Nothing stays open on any file.
    void close();

    db::Session &session() { return *m_session; }
    const DemoOptions &options() const { return m_options; }

    // Stores the open period (and the cost centre when given) in the private table; with
    // loaded parameters slot 28 follows the period, and an open period table re-reads it.
    void setPeriod(int year, int month, std::optional<int> centre = std::nullopt);

private:
    std::unique_ptr<db::Session> m_session;
    DataModules m_modules;
    DemoOptions m_options;
    bool m_open = false;
};

} // namespace tarix::test
