#pragma once
// A data module: a process-wide holder of named tables, queries and data sources that
// windows and other modules use by their component names ("TZAM_", "DS_VYPL").
//
// Modules are created once at start-up, in the order of the module registry, and live for
// the run; each enrols itself with the registry while it exists. Other modules reach it
// through its typed accessor (DMZ(), DMP()), never by its name.
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

protected:
    db::Table &addTable(const QString &component, const QString &alias, const QString &tableName);
    db::Query &addQuery(const QString &component, const QString &alias);
    db::DataSource &addDataSource(const QString &component, db::DataSet &dataSet);
    // Declares sources of the module as screen sources, switched off in this order.
    void addScreenSources(std::initializer_list<db::DataSource *> sources);

private:
    QString m_name;
    std::vector<db::DataSource *> m_screenSources;
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
