#pragma once
// Small table definitions in the conventions of the installation's DDL files, for the
// dataset layer's tests.
#include "platform/db/temp_installation.h"
#include "support/pg_test_server.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>

namespace tarix::db::testing {

inline const QString kFirmDdl = QStringLiteral(R"(
CREATE TABLE Zam (
  Code_emp INTEGER NOT NULL,
  Code_numb INTEGER NOT NULL,
  SID SMALLINT NOT NULL,
  Title VARCHAR(10),
  Name VARCHAR(20) COLLATE SK,
  Surname VARCHAR(20) NOT NULL COLLATE SK,
  Born_date DATE,
  Vystup DATE,
  MV_plat MONEY_REAL,
  Nc_minimum MONEY_REAL,
  ZPS LOGICAL NOT NULL,
  Dan_zrazkou LOGICAL,
  Cislo_u VARCHAR(10),
  KZP SMALLINT,
  Stat_obcan VARCHAR(3),
  Poznamka MEMO_TEXT,
  PRIMARY KEY (Code_emp)
);
CREATE INDEX "Zam.ZAM1" ON Zam (Surname, Name);
CREATE INDEX "Zam.CODE_NUMB" ON Zam (Code_numb);
CREATE TABLE Vyp (
  Code_emp INTEGER NOT NULL,
  V_obdobie INTEGER NOT NULL,
  V_rok SMALLINT,
  V_mesiac SMALLINT,
  SID SMALLINT,
  N_brutto MONEY_REAL,
  N_netto MONEY_REAL,
  V_mesiace1 SMALLINT,
  V_den FLOAT,
  PRIMARY KEY (Code_emp, V_obdobie)
);
CREATE TABLE Zrv (
  V_obdobie INTEGER NOT NULL,
  Code_emp INTEGER NOT NULL,
  ZRID AUTOINC_INT,
  Typ VARCHAR(1) NOT NULL,
  Suma MONEY_REAL NOT NULL,
  Typ_sumy SMALLINT NOT NULL,
  Vypocitana_suma MONEY_REAL,
  PRIMARY KEY (Code_emp, V_obdobie, ZRID)
);
CREATE TABLE hsu (
  V_obdobie INTEGER NOT NULL,
  Code_numb INTEGER NOT NULL,
  Code_emp INTEGER NOT NULL,
  HSUID AUTOINC_INT,
  Pocet FLOAT,
  PRIMARY KEY (V_obdobie, Code_numb, Code_emp, HSUID)
);
CREATE TABLE Ppv (
  PID AUTOINC_INT,
  Code_emp INTEGER NOT NULL,
  Druh VARCHAR(4),
  PRIMARY KEY (PID)
);
CREATE INDEX "Ppv.CODE_EMP" ON Ppv (Code_emp);
CREATE TABLE Inf (NAZOV VARCHAR(40), DATUM_UZAV DATE);
INSERT INTO Inf VALUES ('Firma s.r.o.', NULL);
CREATE TABLE dual (text VARCHAR(10));
INSERT INTO dual VALUES ('SYS');
CREATE TABLE dual12 (cislo INTEGER);
INSERT INTO dual12 VALUES (1),(2),(3),(4),(5),(6),(7),(8),(9),(10),(11),(12);
)");

inline const QString kYearDdl = QStringLiteral(R"(
CREATE TABLE Cis_par (ID INTEGER NOT NULL, SKRATKA VARCHAR(20), HODNOTA VARCHAR(20), POPIS VARCHAR(100), PRIMARY KEY (ID));
CREATE TABLE Cis_stat (KOD3 VARCHAR(3) NOT NULL, AKRONYM VARCHAR(3), NAZOV VARCHAR(100), PRIMARY KEY (KOD3));
INSERT INTO Cis_stat VALUES ('703', 'SK', 'Slovenská republika'), ('203', 'CZ', 'Česká republika');
CREATE TABLE typrl (Typ SMALLINT NOT NULL, Popis VARCHAR(20), PRIMARY KEY (Typ));
)");

inline const QString kPrivDdl = QStringLiteral(R"(
CREATE TABLE Priv (ROK SMALLINT, MESIAC SMALLINT);
INSERT INTO Priv VALUES (2005, 1);
CREATE TABLE nakl (RIADOK INTEGER NOT NULL, IDENT_SYMBOL VARCHAR(1), IDENT_CISLO FLOAT, SUMA MONEY_REAL, PRIMARY KEY (RIADOK));
)");

// A second firm's folder, its header only.
inline const QString kOtherFirmDdl = QStringLiteral(R"(
CREATE TABLE Inf (NAZOV VARCHAR(40), DATUM_UZAV DATE);
INSERT INTO Inf VALUES ('Iná firma', NULL);
)");

enum class Backend { Embedded, Server };

// An installation with the four aliases: DATA01 (firm, also TARIX_DATX), COMMON/ROK2005,
// PRIVATE; on the server, in a database of its own on the test cluster.
struct Install {
    std::unique_ptr<tarix::test::PgTestDatabase> database;
    std::unique_ptr<TempInstallation> made;
    TempInstallation &inst;
    Session &s;
    QString firm, year, priv;
    explicit Install(Backend backend = Backend::Embedded)
        : database(backend == Backend::Server ? std::make_unique<tarix::test::PgTestDatabase>() : nullptr),
          made(database ? std::make_unique<TempInstallation>(database->conninfo()) : std::make_unique<TempInstallation>()),
          inst(*made), s(inst.session())
    {
        firm = inst.addAlias(QStringLiteral("TARIX_DATA"), QStringLiteral("DATA01"), kFirmDdl);
        year = inst.addAlias(QStringLiteral("TARIX_COMM"), QStringLiteral("COMMON/ROK2005"), kYearDdl);
        priv = inst.addAlias(QStringLiteral("TARIX_PRIV"), QStringLiteral("PRIVATE"), kPrivDdl);
        s.setAlias(QStringLiteral("TARIX_DATX"), firm);
    }
    // Another program on the same installation, its aliases pointed as this one's.
    std::unique_ptr<Session> otherProgram()
    {
        std::unique_ptr<Session> other = inst.newSession();
        for (const QString &alias : s.aliases())
            other->setAlias(alias, s.aliasFolder(alias));
        return other;
    }
};

// A suite run on both backends: each test once on the embedded database and once on the
// server (skipped without the test cluster). A difference between them is a failure.
class BackendTest : public ::testing::TestWithParam<Backend> {
protected:
    // Without a test server the server's case is made on the embedded backend only to be
    // skipped in SetUp.
    static Backend runnable(Backend b)
    {
        return b == Backend::Server && tarix::test::pgTestConninfo().isEmpty() ? Backend::Embedded : b;
    }
    void SetUp() override
    {
        if (GetParam() == Backend::Server)
            TARIX_REQUIRE_PG_SERVER();
    }
    bool onServer() const { return GetParam() == Backend::Server; }
    Install in{runnable(GetParam())};
};

inline std::string backendName(const ::testing::TestParamInfo<Backend> &info)
{
    return info.param == Backend::Server ? "Server" : "Embedded";
}

#define TARIX_ON_BOTH_BACKENDS(Fixture)                                                         \
    INSTANTIATE_TEST_SUITE_P(Backends, Fixture,                                                 \
                             ::testing::Values(::tarix::db::testing::Backend::Embedded,          \
                                               ::tarix::db::testing::Backend::Server),           \
                             ::tarix::db::testing::backendName)

} // namespace tarix::db::testing
