#include "payroll/modules.h"

#include "core/card_page_provider.h"
#include "core/module_registry.h"
#include "payroll/dm_v.h"

#include <memory>

namespace tarix::payroll {

namespace {
// The employee's piece-work items (TZUK_) as the card shows them.
class PieceWorkPage : public core::CardPageProvider {
public:
    db::DataSource *dataSource() const override { return hasDMV() ? &DMV().DS_ZUK : nullptr; }
    db::Table *table() const override { return hasDMV() ? &DMV().TZUK_ : nullptr; }
};
} // namespace

void registerModules()
{
    core::moduleRegistry().add(createDMV, destroyDMV);
    core::registerPieceWorkPage(std::make_unique<PieceWorkPage>());
}

} // namespace tarix::payroll
