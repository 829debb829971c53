#pragma once
// A small firm database for the data-aware controls' tests: employees (Zam) with a text,
// money, logical, small integer, code, date and memo field, and a code table of states.
// Rows in key order: 1 Cibula, 2 Adam, 3 Beňo (index "Zam.MENO" gives name order).
#include "platform/db/datasource.h"
#include "platform/db/table.h"
#include "platform/db/temp_installation.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/scripted_test.h"
#include "support/widgets/keyboard.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>
#include <memory>
#include <ostream>

namespace tarix::dbctrl::testing {

inline const QString kCtlDdl = QStringLiteral(R"(
CREATE TABLE Zam (
  Code_emp INTEGER NOT NULL,
  Surname VARCHAR(20),
  Plat MONEY_REAL,
  ZPS LOGICAL,
  Poistenie SMALLINT,
  Stat VARCHAR(3),
  Nastup DATE,
  Poznamka MEMO_TEXT,
  Druh VARCHAR(10),
  PRIMARY KEY (Code_emp)
);
CREATE INDEX "Zam.MENO" ON Zam (Surname);
INSERT INTO Zam VALUES (1, 'Cibula', 1000.5, 1, 0, '703', '2005-02-01', 'prvý riadok', 'HPP');
INSERT INTO Zam VALUES (2, 'Adam', 2000, 0, 2, '203', NULL, NULL, 'DVP');
INSERT INTO Zam VALUES (3, 'Beňo', NULL, NULL, 5, '999', NULL, NULL, NULL);
CREATE TABLE Stat (Kod VARCHAR(3) NOT NULL, Skratka VARCHAR(3), Nazov VARCHAR(30), PRIMARY KEY (Kod));
INSERT INTO Stat VALUES ('703', 'SK', 'Slovenská republika');
INSERT INTO Stat VALUES ('203', 'CZ', 'Česká republika');
)");

inline const QString kAlias = QStringLiteral("TARIX_DATA");

class CtlFixture : public test::ScriptedTest<> {
protected:
    ui::ScriptedUserInterface &script = scripted;
    db::TempInstallation inst;
    db::Table zam{&inst.session()};
    db::DataSource src{&zam};

    CtlFixture()
    {
        inst.addAlias(kAlias, QStringLiteral("DATA01"), kCtlDdl);
        zam.setDatabaseName(kAlias);
        zam.setTableName(QStringLiteral("Zam"));
        zam.setObjectName(QStringLiteral("TZAM_"));
    }

    std::unique_ptr<db::Table> table(const QString &name)
    {
        auto t = std::make_unique<db::Table>(&inst.session());
        t->setDatabaseName(kAlias);
        t->setTableName(name);
        t->setObjectName(name);
        return t;
    }

    // The value as stored on disk (another dataset reads it).
    QVariant stored(qint64 code, const QString &field)
    {
        auto t = table(QStringLiteral("Zam"));
        t->open();
        return t->lookup(QStringLiteral("Code_emp"), {code}, field);
    }

    QStringList errors() const { return script.messages(ui::MessageKind::Error); }
};

// Leaving a control, key presses and typing, as the shared keyboard does them.
using test::leave;
using test::pressKey;
using test::typeText;

} // namespace tarix::dbctrl::testing

// Readable QStrings in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
