#include "core/data_module.h"

#include "core/module_registry.h"

#include <algorithm>
#include <stdexcept>

namespace tarix::core {

namespace {
template <class Map>
auto findIn(const Map &map, const QString &name) -> decltype(map.begin()->second.get())
{
    const auto it = map.find(name.toUpper());
    return it == map.end() ? nullptr : it->second.get();
}
} // namespace

DataModule::DataModule(const QString &name) : m_name(name) { moduleRegistry().enrol(this); }

DataModule::~DataModule()
{
    // Out of the registry first, so that nothing finds a module half torn down; then the
    // sources, which hold links into the datasets.
    moduleRegistry().withdraw(this);
    m_screenSources.clear();
    m_watched = {};
    m_sources.clear();
    m_queries.clear();
    m_tables.clear();
}

db::Table *DataModule::table(const QString &component) const { return findIn(m_tables, component); }
db::Query *DataModule::query(const QString &component) const { return findIn(m_queries, component); }

db::DataSet *DataModule::dataSet(const QString &component) const
{
    if (db::Table *t = table(component))
        return t;
    return query(component);
}

db::DataSource *DataModule::dataSource(const QString &component) const
{
    return findIn(m_sources, component);
}

QStringList DataModule::queryNames() const
{
    QStringList names;
    for (const auto &[name, query] : m_queries)
        names << name;
    return names;
}

db::Table &DataModule::addTable(const QString &component, const QString &alias,
                                const QString &tableName)
{
    auto t = std::make_unique<db::Table>();
    t->setObjectName(component);
    t->setDatabaseName(alias);
    t->setTableName(tableName);
    db::Table &ref = *t;
    m_tables[component.toUpper()] = std::move(t);
    return ref;
}

db::Query &DataModule::addQuery(const QString &component, const QString &alias)
{
    auto q = std::make_unique<db::Query>();
    q->setObjectName(component);
    if (!alias.isEmpty())
        q->setDatabaseName(alias);
    db::Query &ref = *q;
    m_queries[component.toUpper()] = std::move(q);
    return ref;
}

db::DataSource &DataModule::addDataSource(const QString &component, db::DataSet &dataSet)
{
    auto s = std::make_unique<db::DataSource>(&dataSet);
    db::DataSource &ref = *s;
    m_sources[component.toUpper()] = std::move(s);
    return ref;
}

void DataModule::addScreenSources(std::initializer_list<db::DataSource *> sources)
{
    m_screenSources.insert(m_screenSources.end(), sources);
}

void DataModule::watchTables(WatchedTables tables)
{
    auto own = [this](const db::Table *t) {
        return t && std::ranges::any_of(m_tables, [t](const auto &entry) { return entry.second.get() == t; });
    };
    for (const std::vector<db::Table *> *list :
         {&tables.firm, &tables.guarded, &tables.droppedOnStartPage, &tables.followingEmployee})
        if (!std::ranges::all_of(*list, own))
            throw std::logic_error(m_name.toStdString() + " hands the core a table it does not have");
    m_watched = std::move(tables);
}

} // namespace tarix::core
