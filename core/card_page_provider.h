#pragma once
// A page of the employee card whose rows belong to a subsystem built on the core: the
// piece-work items of the payroll module. The subsystem registers its provider at start-up,
// so that the card shows the page without the core knowing the subsystem; without a
// provider the card has no such page.
#include <memory>

namespace tarix::db {
class DataSource;
class Table;
}

namespace tarix::core {

class CardPageProvider {
public:
    virtual ~CardPageProvider() = default;
    // The source of the page's rows; null while the subsystem's module does not exist.
    virtual db::DataSource *dataSource() const = 0;
    // The table of the page's rows, linked to the employee while the page shows; null while
    // the subsystem's module does not exist.
    virtual db::Table *table() const = 0;
};

// The provider of the card's piece-work page; null while none is registered.
CardPageProvider *pieceWorkPage();
// Registers the piece-work page's provider in place of any before (null: none).
void registerPieceWorkPage(std::unique_ptr<CardPageProvider> provider);

} // namespace tarix::core
