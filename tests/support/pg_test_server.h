#pragma once
// The throwaway PostgreSQL cluster of tools/test.sh, named by the environment variable
// TARIX_TEST_PG (a libpq connection string). Without it the tests that need the server skip
// with a message, so that a plain ctest runs the rest.
#include <QString>

#include <gtest/gtest.h>

namespace tarix::test {

// The connection string of the test cluster; empty when the variable is not set.
QString pgTestConninfo();

// What a test that needs the server says when it skips.
inline constexpr const char *kNoPgServer =
    "no PostgreSQL test server: TARIX_TEST_PG is not set (tools/test.sh starts one)";

// A database of its own on the test cluster for one test, dropped (with its connections)
// when the object goes; several test programs run at once without meeting.
class PgTestDatabase {
public:
    PgTestDatabase();
    ~PgTestDatabase();
    PgTestDatabase(const PgTestDatabase &) = delete;
    PgTestDatabase &operator=(const PgTestDatabase &) = delete;

    const QString &name() const { return m_name; }
    // The connection string of this database.
    const QString &conninfo() const { return m_conninfo; }

private:
    QString m_name;
    QString m_conninfo;
};

// A login role of the test cluster for one test (roles belong to the whole cluster), named
// after the test's database; dropped with what it owns and its rights when the object goes.
class PgTestRole {
public:
    PgTestRole(const PgTestDatabase &database, const QString &suffix);
    ~PgTestRole();
    PgTestRole(const PgTestRole &) = delete;
    PgTestRole &operator=(const PgTestRole &) = delete;

    const QString &name() const { return m_name; }
    // The database's connection string with this role as its user.
    QString conninfo() const;

private:
    QString m_name;
    QString m_conninfo;
};

} // namespace tarix::test

// Skips the current test when no test server is named.
#define TARIX_REQUIRE_PG_SERVER()                                                              \
    do {                                                                                       \
        if (::tarix::test::pgTestConninfo().isEmpty())                                          \
            GTEST_SKIP() << ::tarix::test::kNoPgServer;                                         \
    } while (0)
