#include "support/pg_test_server.h"

#include "platform/db/pg_connection.h"

#include <QCoreApplication>
#include <QRandomGenerator>

namespace tarix::test {

QString pgTestConninfo() { return qEnvironmentVariable("TARIX_TEST_PG"); }

PgTestDatabase::PgTestDatabase()
{
    const QString server = pgTestConninfo();
    if (server.isEmpty())
        throw std::logic_error(kNoPgServer);
    m_name = QStringLiteral("t_%1_%2")
                 .arg(QCoreApplication::applicationPid())
                 .arg(QRandomGenerator::global()->generate64() & 0xFFFFFFFFFFull, 0, 16);
    db::PgConnection admin(server);
    admin.executeRaw(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(m_name));
    m_conninfo = server + QStringLiteral(" dbname=") + m_name;
}

PgTestDatabase::~PgTestDatabase()
{
    try {
        db::PgConnection admin(pgTestConninfo());
        admin.executeRaw(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    } catch (...) {
        // The cluster goes with the test run anyway.
    }
}

PgTestRole::PgTestRole(const PgTestDatabase &database, const QString &suffix)
    : m_name(database.name() + u'_' + suffix), m_conninfo(database.conninfo())
{
    db::PgConnection(m_conninfo).executeRaw(QStringLiteral("CREATE ROLE %1 LOGIN").arg(m_name));
}

PgTestRole::~PgTestRole()
{
    try {
        db::PgConnection admin(m_conninfo);
        admin.executeRaw(QStringLiteral("DROP OWNED BY %1; DROP ROLE %1").arg(m_name));
    } catch (...) {
        // The cluster goes with the test run anyway.
    }
}

QString PgTestRole::conninfo() const { return m_conninfo + QStringLiteral(" user=") + m_name; }

} // namespace tarix::test
