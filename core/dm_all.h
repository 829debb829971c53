#pragma once
// The table registry TDMA: the main tables of the data modules (those each module hands
// over for the firm, 40 with every subsystem's), closed and opened together when a firm
// and year are opened or left.
#include <QString>
#include <vector>

namespace tarix::db {
class Table;
}

namespace tarix::core {

class TDMA {
public:
    // Takes the firm's tables the data modules that exist hand over, in the order the modules
    // were created, in place of those before, and closes them.
    void Registruj_tabulky();
    // Closes every registered table.
    void Zatvor_tabulky();
    // Opens the registered tables (of that alias, or all for an empty alias). When one stays
    // closed, the first such table is reported (65174 with its folder and table name) and the
    // result is false.
    bool Otvor_tabulky(const QString &alias = QString());
    // Switches the screen sources each module declares off, so that grids do not follow
    // table movements while their screen is not shown.
    void Vypni_zdroje_dat();

    // The registered tables, in registry order.
    const std::vector<db::Table *> &tables() const { return m_tables; }

private:
    std::vector<db::Table *> m_tables;
    std::vector<QString> m_aliases; // each table's alias, upper case
};

// The process-wide registry.
TDMA &DMA();

} // namespace tarix::core
