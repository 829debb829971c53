#pragma once
// The table registry TDMA: the 40 main tables of the data modules, closed and opened
// together when a firm and year are opened or left.
#include <QString>
#include <QStringList>
#include <array>

namespace tarix::db {
class Table;
}

namespace tarix::core {

class TDMA {
public:
    static constexpr int kPocet = 40;

    // The component names of the registered tables, in registry order.
    static const QStringList &Nazvy_tabuliek();

    // Looks each name up in the data modules that exist, in the order they were created
    // (the first module that has it wins), and closes the table. A name found nowhere is
    // reported ("nenasiel" + name) and its entry stays empty.
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

    db::Table *tabulka(int entry) const { return m_tables.at(size_t(entry - 1)); }

private:
    std::array<db::Table *, kPocet> m_tables{};
    std::array<QString, kPocet> m_aliases;
};

// The process-wide registry.
TDMA &DMA();

} // namespace tarix::core
