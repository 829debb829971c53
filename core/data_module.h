#pragma once
// A data module: a process-wide holder of named tables, queries and data sources that
// windows and other modules use by their component names ("TZAM_", "DS_VYPL").
//
// Modules are created once at start-up, in the order of the module registry, and live for
// the run; each enrols itself with the registry while it exists. Other modules reach it
// through its typed accessor (DMZ(), DMP()), never by its name; the core reaches the tables
// of a subsystem's module through what the module hands over (WatchedTables).
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "platform/db/table.h"

#include <QString>
#include <initializer_list>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarix::core {

// The tables of a module that the core handles by what they are for, whichever subsystem
// the module belongs to. A module hands them over when it is made, so that the core needs
// neither the subsystem nor the tables' names.
struct WatchedTables {
    // Closed and opened together with the firm (the table registry TDMA).
    std::vector<db::Table *> firm;
    // A pending edit keeps the user on his page of the main window.
    std::vector<db::Table *> guarded;
    // A pending edit is dropped when the main window goes back to its start page (the
    // guarded tables' edits are dropped as well).
    std::vector<db::Table *> droppedOnStartPage;
    // Follow the chosen employee only while the card shows them: the start page unlinks them.
    std::vector<db::Table *> followingEmployee;
};

class DataModule {
public:
    explicit DataModule(const QString &name);
    virtual ~DataModule();
    DataModule(const DataModule &) = delete;
    DataModule &operator=(const DataModule &) = delete;

    // The class name ("TDM", "TDMZ"), for messages.
    const QString &name() const { return m_name; }

    // Components by name (case-insensitive); null when the module has none of that name.
    db::Table *table(const QString &component) const;
    db::Query *query(const QString &component) const;
    db::DataSet *dataSet(const QString &component) const;
    db::DataSource *dataSource(const QString &component) const;
    // Component names of the module's queries (upper case).
    QStringList queryNames() const;

    // The sources of the module's screens (grids, forms) that are switched off while no
    // screen shows them, so that they do not follow table movements meanwhile.
    const std::vector<db::DataSource *> &screenSources() const { return m_screenSources; }
    // The module's tables the core handles (empty unless the module handed some over).
    const WatchedTables &watchedTables() const { return m_watched; }

protected:
    db::Table &addTable(const QString &component, const QString &alias, const QString &tableName);
    db::Query &addQuery(const QString &component, const QString &alias);
    db::DataSource &addDataSource(const QString &component, db::DataSet &dataSet);
    // Declares sources of the module as screen sources, switched off in this order.
    void addScreenSources(std::initializer_list<db::DataSource *> sources);
    // Hands the core the module's tables it handles, in place of any before. A table that is
    // not one of the module's own (null, another module's) is a fault of the module's making
    // (logic_error), not a table the core silently skips.
    void watchTables(WatchedTables tables);

private:
    QString m_name;
    std::vector<db::DataSource *> m_screenSources;
    WatchedTables m_watched;
    std::map<QString, std::unique_ptr<db::Table>> m_tables;
    std::map<QString, std::unique_ptr<db::Query>> m_queries;
    std::map<QString, std::unique_ptr<db::DataSource>> m_sources;
};

// The one process-wide instance of a data module: created at start-up, reached through
// its accessor (DM(), DMZ(), ...) and destroyed at exit.
template <class T>
class ModuleInstance {
public:
    explicit ModuleInstance(const char *what) : m_what(what) {}
    T &get() const
    {
        if (!m_module)
            throw std::logic_error(std::string(m_what) + " is not created");
        return *m_module;
    }
    bool exists() const { return bool(m_module); }
    void create()
    {
        if (!m_module)
            m_module = std::make_unique<T>();
    }
    void destroy() { m_module.reset(); }

private:
    const char *m_what;
    std::unique_ptr<T> m_module;
};

} // namespace tarix::core
