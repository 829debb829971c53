#pragma once
// What the data grid's tests share: the employee table Zam of a fresh installation, a grid
// over it with the three columns the tests read (number, name, ZPS), and a registry of a
// new user (a configuration folder of their own) for the layouts.
#include "components/grid/ex_db_grid.h"

#include "platform/db/datasource.h"
#include "platform/db/table.h"
#include "platform/db/temp_installation.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace tarix::grid::testing {

// Opens Zam of an installation made from the statements given.
inline void openEmployees(db::TempInstallation &inst, db::Table &zam, const QString &ddl)
{
    inst.addAlias(QStringLiteral("TARIX_DATA"), QStringLiteral("DATA01"), ddl);
    zam.setDatabaseName(QStringLiteral("TARIX_DATA"));
    zam.setTableName(QStringLiteral("Zam"));
    zam.open();
}

// The grid as a window builds it: its columns, its source, shown.
inline void showOverEmployees(TExDBGrid &grid, db::DataSource &src, int width)
{
    grid.setColumns({{QStringLiteral("Code_emp"), QStringLiteral("Číslo"), 50},
                     {QStringLiteral("Surname"), QStringLiteral("Priezvisko"), 120},
                     {QStringLiteral("ZPS"), QStringLiteral("ZPS"), 40}});
    grid.setDataSource(&src);
    grid.resize(width, 300);
    grid.show();
    QCoreApplication::processEvents();
}

// While it lives, the user's registry is a new one of their own.
class NewUserRegistry {
public:
    NewUserRegistry() { qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8()); }
    ~NewUserRegistry()
    {
        if (m_saved.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_saved);
    }
    QString folder() const { return m_config.path(); }

private:
    QByteArray m_saved = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir m_config;
};

} // namespace tarix::grid::testing
