#include "components/grid/plugin/grid_suite.h"

#include "components/grid/plugin/suite_addit.h"
#include "components/grid/plugin/suite_standard.h"
#include "components/grid/plugin/suite_state.h"

#include <QCoreApplication>

namespace tarix::grid {

void startGridSuite()
{
    if (GPGlobal())
        return;
    createGPGlobal();
    TGPGlobal &g = *GPGlobal();
    g.RegisterVisio(TOwnerDrawVisio::staticClass());
    g.RegisterVisio(TIStateVisio::staticClass());
    g.RegisterVisio(TSStateVisio::staticClass());
    g.RegisterVisio(TBStateVisio::staticClass());
    g.RegisterDesigner(TStandardDesigner::staticClass());
    g.RegisterVisio(TStandardVisio::staticClass());
    g.RegisterVisio(TVLookupVisio::staticClass());
    g.RegisterVisio(TIndicatorVisio::staticClass());
}

void stopGridSuite()
{
    TGPGlobal *g = GPGlobal();
    if (!g)
        return;
    // In the reverse order; a class somebody already took out is passed over.
    const auto designer = [g](const DesignerClass &cls) {
        if (g->FindDesignerClass(cls.name) == &cls)
            g->UnregisterDesigner(cls);
    };
    const auto visio = [g](const VisioClass &cls) {
        if (g->FindVisioClass(cls.name) == &cls)
            g->UnregisterVisio(cls);
    };
    visio(TIndicatorVisio::staticClass());
    visio(TVLookupVisio::staticClass());
    visio(TStandardVisio::staticClass());
    designer(TStandardDesigner::staticClass());
    visio(TBStateVisio::staticClass());
    visio(TSStateVisio::staticClass());
    visio(TIStateVisio::staticClass());
    visio(TOwnerDrawVisio::staticClass());
    freeGPGlobal();
}

void registerSubsystem(core::StartupHooks &)
{
    startGridSuite();
    qAddPostRoutine(stopGridSuite);
}

} // namespace tarix::grid
