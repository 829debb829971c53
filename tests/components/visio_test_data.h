#pragma once
// The visios' tests share a firm's table of employees with a city, a lookup table of cities
// and a host grid showing the employees in a window, the grid suite started.
#include "components/grid/plugin/grid_suite.h"
#include "components/grid/plugin/suite_addit.h"
#include "components/grid/plugin/suite_standard.h"
#include "components/grid/plugin/suite_state.h"
#include "components/test_host_grid.h"
#include "platform/db/table.h"
#include "platform/db/temp_installation.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace tarix::grid::testing {

inline const QString kVisioDdl = QStringLiteral(R"(
CREATE TABLE Zam (Cislo INTEGER NOT NULL, Meno VARCHAR(20), Mesto VARCHAR(20), MestoKod INTEGER,
                  Stav INTEGER, Trieda VARCHAR(2), Aktivny LOGICAL, Plat FLOAT, PRIMARY KEY (Cislo));
INSERT INTO Zam VALUES (1, 'Novák', 'Košice', 2, 1, 'A', 1, 900);
INSERT INTO Zam VALUES (2, 'Horváth', NULL, 99, NULL, NULL, NULL, NULL);
CREATE TABLE Mesta (Kod INTEGER NOT NULL, Nazov VARCHAR(30), Obr INTEGER, Popis VARCHAR(10),
                    PRIMARY KEY (Kod));
INSERT INTO Mesta VALUES (1, 'Bratislava', 0, 'hl');
INSERT INTO Mesta VALUES (2, 'Nitra', 1, 'kr');
INSERT INTO Mesta VALUES (3, 'Trnava', NULL, 'kr');
)");

class VisioTest : public ::testing::Test {
protected:
    GridSuite suite;
    db::TempInstallation inst;
    db::Table zam{&inst.session()};
    db::Table mesta{&inst.session()};
    db::DataSource mestaSource{&mesta};
    QWidget window;
    TestHostGrid grid;

    VisioTest()
    {
        inst.addAlias("TARIX_DATA", "DATA01", kVisioDdl);
        for (db::Table *t : {&zam, &mesta})
            t->setDatabaseName("TARIX_DATA");
        zam.setTableName("Zam");
        mesta.setTableName("Mesta");
        zam.open();
        mesta.open();
        window.resize(300, 200);
        grid.gridWidget = &window;
        grid.data = &zam;
        grid.layout = {20, 18, 0, true};
        grid.addColumn(120).addSection();
        grid.curRow = 0;
    }

    // The visio registered under `name` in the first column's section, bound to `field`.
    template <class V>
    V &visio(const char *name, const QString &field = {})
    {
        GridSection &section = grid.column(0).section(0);
        // A fresh visio each time, also of the class already there.
        section.replaceVisio(std::make_unique<TSectionVisio>(section));
        section.visio()->setName(QString::fromLatin1(name));
        V *v = dynamic_cast<V *>(section.visio());
        EXPECT_NE(v, nullptr) << name;
        if constexpr (requires { v->setFieldName(field); })
            if (!field.isEmpty())
                v->setFieldName(field);
        return *v;
    }

    // The value a fresh reader finds in the database for employee `cislo`.
    QVariant stored(int cislo, const QString &field)
    {
        db::Table fresh(&inst.session());
        fresh.setDatabaseName("TARIX_DATA");
        fresh.setTableName("Zam");
        fresh.open();
        EXPECT_TRUE(fresh.locate("Cislo", {cislo}));
        return fresh.fieldByName(field).value();
    }
};

// The cell content of a visio for the current record.
struct CellContent {
    int imageIndex = -2;
    QString text;
    CellFont font;
};

inline CellContent cellOf(TCustomVisio &v, bool pushed = false)
{
    CellContent c;
    if (pushed)
        v.GetPushedVisioData(c.imageIndex, c.text, c.font);
    else
        v.GetVisioData(c.imageIndex, c.text, c.font);
    return c;
}

} // namespace tarix::grid::testing
