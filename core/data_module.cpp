#include "core/data_module.h"

#include <QHash>

namespace tarix::core {

namespace {
QHash<QString, DataModule *> &modules()
{
    static QHash<QString, DataModule *> m;
    return m;
}

template <class Map>
auto findIn(const Map &map, const QString &name) -> decltype(map.begin()->second.get())
{
    const auto it = map.find(name.toUpper());
    return it == map.end() ? nullptr : it->second.get();
}
} // namespace

DataModule::DataModule(const QString &name) : m_name(name)
{
    modules().insert(name.toUpper(), this);
}

DataModule::~DataModule()
{
    // Sources first: they hold links into the datasets.
    m_sources.clear();
    m_queries.clear();
    m_tables.clear();
    if (modules().value(m_name.toUpper()) == this)
        modules().remove(m_name.toUpper());
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

DataModule *DataModule::find(const QString &name) { return modules().value(name.toUpper()); }

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

} // namespace tarix::core
