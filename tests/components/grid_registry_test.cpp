// The plug-in registry: the start-up tables, look-up by name, refusals, capacity, the name
// swap through the owning grid or section, invalidate locks and listeners.
#include "components/grid/plugin/grid_suite.h"
#include "components/grid/plugin/suite_standard.h"
#include "components/grid/plugin/suite_state.h"
#include "components/test_host_grid.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace tarix::grid::testing {
namespace {

QStringList classNames(const auto &table)
{
    QStringList names;
    for (const auto *cls : table)
        names << cls->className;
    return names;
}

DesignerClass designerClass(const QString &className, const QString &name)
{
    DesignerClass c;
    c.className = className;
    c.name = name;
    c.create = [](HostGrid *grid) { return std::make_unique<TGridDesigner>(grid); };
    return c;
}

VisioClass visioClass(const QString &className, const QString &name)
{
    VisioClass c;
    c.className = className;
    c.name = name;
    c.create = [](GridSection &s) { return std::make_unique<TSectionVisio>(s); };
    return c;
}

class GridRegistryTest : public ::testing::Test {
protected:
    GridSuite suite;
    TGPGlobal &registry = *GPGlobal();
};

TEST_F(GridRegistryTest, StartUpRegistersTheSuitesInOrderAndShutDownFreesTheRegistry)
{
    EXPECT_EQ(classNames(registry.designers()),
              QStringList({"TStandardDesigner", "TGridDesigner"}));
    EXPECT_EQ(classNames(registry.visios()),
              QStringList({"TSectionVisio", "TOwnerDrawVisio", "TIStateVisio", "TSStateVisio",
                           "TBStateVisio", "TStandardVisio", "TVLookupVisio", "TIndicatorVisio"}));
    stopGridSuite();
    EXPECT_EQ(GPGlobal(), nullptr);
    startGridSuite(); // the fixture's stop finds a registry again
    EXPECT_EQ(GPGlobal()->visios().size(), 8u);
}

TEST(GridSuiteTest, TheProgramsRegistrationStartsTheSuite)
{
    ASSERT_EQ(GPGlobal(), nullptr);
    core::StartupHooks hooks;
    grid::registerSubsystem(hooks);
    ASSERT_NE(GPGlobal(), nullptr);
    EXPECT_EQ(GPGlobal()->FindDesignerClass("Standard"), &TStandardDesigner::staticClass());
    stopGridSuite();
    EXPECT_EQ(GPGlobal(), nullptr);
}

TEST_F(GridRegistryTest, LookUpIgnoresLetterCaseAndFindsTheBasesAsUndefined)
{
    EXPECT_EQ(registry.FindDesignerClass("standard"), &TStandardDesigner::staticClass());
    EXPECT_EQ(registry.FindVisioClass("STANDARD"), &TStandardVisio::staticClass());
    EXPECT_EQ(registry.FindVisioClass("i-state"), &TIStateVisio::staticClass());
    EXPECT_EQ(registry.FindDesignerClass("Undefined"), &TGridDesigner::staticClass());
    EXPECT_EQ(registry.FindVisioClass("undefined"), &TSectionVisio::staticClass());
    EXPECT_EQ(registry.FindDesignerClass("I-State"), nullptr);
    EXPECT_EQ(registry.FindVisioClass("Fancy"), nullptr);
}

TEST_F(GridRegistryTest, RegistrationRefusesDuplicatesAndBasesAndKeepsTheTables)
{
    const DesignerClass dupDesigner = designerClass("TMyDesigner", "STANDARD");
    const VisioClass dupVisio = visioClass("TMyVisio", "b-state");
    const VisioClass unknown = visioClass("TMyVisio", "Fancy");
    const auto designersBefore = registry.designers();
    const auto visiosBefore = registry.visios();

    const struct {
        const char *what;
        std::function<void()> call;
        QString message;
    } cases[] = {
        {"duplicate designer", [&] { registry.RegisterDesigner(dupDesigner); },
         "Designer \"TMyDesigner\" already registered"},
        {"duplicate visio", [&] { registry.RegisterVisio(dupVisio); },
         "Visio \"TMyVisio\" already registered"},
        {"base designer", [&] { registry.UnregisterDesigner(TGridDesigner::staticClass()); },
         "Unable to unregister Designer \"TGridDesigner\""},
        {"base visio", [&] { registry.UnregisterVisio(TSectionVisio::staticClass()); },
         "Unable to unregister Visio \"TSectionVisio\""},
        {"unknown visio", [&] { registry.UnregisterVisio(unknown); },
         "Unable to unregister Visio \"TMyVisio\""},
    };
    for (const auto &c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const EGridPlugIn &e) {
            EXPECT_EQ(e.text(), c.message) << c.what;
        }
        EXPECT_EQ(registry.designers(), designersBefore) << c.what;
        EXPECT_EQ(registry.visios(), visiosBefore) << c.what;
    }
}

TEST_F(GridRegistryTest, NewDesignersStandBeforeTheBaseAndUnregisterByName)
{
    const DesignerClass mine = designerClass("TMyDesigner", "Mine");
    registry.RegisterDesigner(mine);
    EXPECT_EQ(classNames(registry.designers()),
              QStringList({"TStandardDesigner", "TMyDesigner", "TGridDesigner"}));
    registry.UnregisterDesigner(designerClass("TOther", "MINE"));
    EXPECT_EQ(classNames(registry.designers()), QStringList({"TStandardDesigner", "TGridDesigner"}));
}

TEST_F(GridRegistryTest, AFullTableRefusesTheNextClass)
{
    std::vector<DesignerClass> designers;
    std::vector<VisioClass> visios;
    for (int i = 0; i < TGPGlobal::kMaxDesigners; ++i)
        designers.push_back(designerClass(QStringLiteral("TD%1").arg(i), QStringLiteral("D%1").arg(i)));
    for (int i = 0; i < TGPGlobal::kMaxVisios; ++i)
        visios.push_back(visioClass(QStringLiteral("TV%1").arg(i), QStringLiteral("V%1").arg(i)));

    // Two designers and eight visios are there after start-up.
    for (int i = 0; i < TGPGlobal::kMaxDesigners - 2; ++i)
        registry.RegisterDesigner(designers[size_t(i)]);
    for (int i = 0; i < TGPGlobal::kMaxVisios - 8; ++i)
        registry.RegisterVisio(visios[size_t(i)]);
    EXPECT_THROW(registry.RegisterDesigner(designers.back()), EGridPlugIn);
    EXPECT_THROW(registry.RegisterVisio(visios.back()), EGridPlugIn);
    EXPECT_EQ(int(registry.designers().size()), TGPGlobal::kMaxDesigners);
    EXPECT_EQ(int(registry.visios().size()), TGPGlobal::kMaxVisios);
    EXPECT_EQ(registry.designers().back(), &TGridDesigner::staticClass());
    EXPECT_EQ(registry.visios().front(), &TSectionVisio::staticClass());

    for (int i = 0; i < TGPGlobal::kMaxDesigners - 2; ++i)
        registry.UnregisterDesigner(designers[size_t(i)]);
    for (int i = 0; i < TGPGlobal::kMaxVisios - 8; ++i)
        registry.UnregisterVisio(visios[size_t(i)]);
}

TEST_F(GridRegistryTest, ClassInformationAndDisplayNames)
{
    const GridPlugInClass &standard = TStandardDesigner::staticClass();
    EXPECT_EQ(standard.getInfo(infoName), "Standard");
    EXPECT_EQ(standard.getInfo(infoComment), "The Standard designer for common applications.");
    EXPECT_EQ(standard.getInfo(infoVersion), "1.3");
    EXPECT_FALSE(standard.getInfo(infoCopyright).isEmpty());
    EXPECT_EQ(standard.getInfo(6), "*unknown*");
    EXPECT_EQ(TSectionVisio::staticClass().getInfo(infoVersion), "x.x");
    EXPECT_EQ(TSectionVisio::staticClass().getInfo(infoSuite), "");

    TestHostGrid grid;
    GridSection &section = grid.addColumn().addSection();
    EXPECT_EQ(grid.designer()->GetDisplayName(), "Grid1.TGridDesigner");
    EXPECT_EQ(section.visio()->GetDisplayName(), "Grid1.Columns[0].Sections[0].TSectionVisio");
    TStandardDesigner orphan(nullptr);
    EXPECT_EQ(orphan.GetDisplayName(), "TStandardDesigner");
    orphan.setName("Undefined"); // no owner: nothing to swap
    EXPECT_EQ(orphan.Name(), "Standard");
}

// A designer that remembers what it took over from the one it replaced.
class TakingDesigner : public TGridDesigner {
public:
    explicit TakingDesigner(HostGrid *grid) : TGridDesigner(grid, staticClass()) {}
    static const DesignerClass &staticClass()
    {
        static const DesignerClass cls = [] {
            DesignerClass c = designerClass("TTakingDesigner", "Taking");
            c.create = [](HostGrid *grid) { return std::make_unique<TakingDesigner>(grid); };
            return c;
        }();
        return cls;
    }
    void TakeOverFrom(TGridPlugIn &old) override { tookOver = old.Name() + QString::number(old.Tag); }
    QString tookOver;
};

TEST_F(GridRegistryTest, TheNameSwapReplacesTheDesignerThroughItsGrid)
{
    TestHostGrid grid;
    grid.addColumn().addSection();
    std::vector<std::pair<int, QString>> events;
    const int listener = registry.addListener(
        [&](int code, TGridPlugIn *p) { events.emplace_back(code, p->designerClassName()); }, {2});

    grid.designer()->Tag = 7;
    registry.RegisterDesigner(TakingDesigner::staticClass());
    grid.designer()->setName("taking");
    auto *taking = dynamic_cast<TakingDesigner *>(grid.designer());
    ASSERT_NE(taking, nullptr);
    EXPECT_EQ(taking->tookOver, "Undefined7");
    EXPECT_EQ(events, (std::vector<std::pair<int, QString>>{{2, "TGridDesigner"}}));
    // The new designer's layout was computed and the grid invalidated.
    EXPECT_TRUE(grid.calls.contains("invalidate (0,0,300,200)")) << grid.calls.join('\n').toStdString();

    // "OGP" is read as "Standard".
    grid.designer()->setName("OGP");
    EXPECT_EQ(grid.designer()->designerClassName(), "TStandardDesigner");
    registry.UnregisterDesigner(TakingDesigner::staticClass());

    // Its own name: the same object stays and nobody hears of a destruction.
    TGridDesigner *before = grid.designer();
    events.clear();
    before->setName("Standard");
    EXPECT_EQ(grid.designer(), before);
    EXPECT_TRUE(events.empty());

    // An unknown name raises and keeps the designer.
    try {
        before->setName("Fancy");
        ADD_FAILURE() << "no exception";
    } catch (const EGridPlugIn &e) {
        EXPECT_EQ(e.text(), "PlugIn \"Fancy\" was not found.\r\r[TStandardDesigner.SetName]");
    }
    EXPECT_EQ(grid.designer(), before);
    EXPECT_TRUE(events.empty());
    registry.removeListener(listener);
}

TEST_F(GridRegistryTest, TheNameSwapReplacesAVisioThroughItsSection)
{
    TestHostGrid grid;
    grid.replaceDesigner(std::make_unique<TStandardDesigner>(&grid));
    GridSection &section = grid.addColumn(80).addSection();
    grid.addColumn(50).addSection();
    section.visio()->setName("I-State");
    EXPECT_EQ(section.visio()->designerClassName(), "TIStateVisio");
    EXPECT_EQ(&section.visio()->sectionAt(), &section);
    // The state visio measures the grid's fonts (a line and 2 pixels); the standard
    // designer's margins add 1 + 1 to a section and 1 + 2 to a title.
    const int line = QFontMetrics(grid.font()).height() + 2;
    EXPECT_TRUE(grid.calls.contains(QStringLiteral("rowHeights %1 %2").arg(line + 3).arg(line + 2)))
        << grid.calls.join('\n').toStdString();
    // The visio invalidates only its column.
    EXPECT_TRUE(grid.calls.contains("invalidate (0,0,80,200)")) << grid.calls.join('\n').toStdString();

    try {
        section.visio()->setName("Fancy");
        ADD_FAILURE() << "no exception";
    } catch (const EGridPlugIn &e) {
        EXPECT_EQ(e.text(), "PlugIn \"Fancy\" was not found.\r\r[TIStateVisio.SetName]");
    }
    EXPECT_EQ(section.visio()->designerClassName(), "TIStateVisio");
    EXPECT_THROW(grid.column(2), EGridPlugIn);
    EXPECT_THROW(grid.column(0).section(1), EGridPlugIn);
}

TEST_F(GridRegistryTest, InvalidateLocksCountAndAnUnlockWithoutLockRaises)
{
    TestHostGrid grid;
    TGridDesigner &designer = *grid.designer();
    try {
        designer.UnlockInvalidate();
        ADD_FAILURE() << "no exception";
    } catch (const EGridPlugIn &e) {
        EXPECT_EQ(e.text(), "Unable to unlock Invalidate method due to it did not lock");
    }
    EXPECT_EQ(designer.invalidateLockCount(), 0);

    designer.LockInvalidate();
    designer.LockInvalidate();
    designer.Invalidate();
    designer.UnlockInvalidate();
    designer.Invalidate();
    EXPECT_TRUE(grid.calls.isEmpty());
    designer.UnlockInvalidate();
    grid.loading = true;
    designer.Invalidate();
    grid.loading = false;
    grid.updateLock = true;
    designer.Invalidate();
    grid.updateLock = false;
    EXPECT_TRUE(grid.calls.isEmpty());
    designer.Invalidate();
    EXPECT_EQ(grid.calls, QStringList({"invalidate (0,0,300,200)"}));
}

TEST_F(GridRegistryTest, ListenersHearOnlyTheirCodes)
{
    QList<int> heard;
    const int a = registry.addListener([&](int code, TGridPlugIn *) { heard << code; }, {0, 2, 7});
    registry.NotifyListeners(1, nullptr);
    registry.NotifyListeners(7, nullptr);
    registry.NotifyListeners(8, nullptr);
    registry.NotifyListeners(-1, nullptr);
    {
        TStandardDesigner gone(nullptr);
    }
    EXPECT_EQ(heard, QList<int>({7, 2}));
    registry.removeListener(a);
    registry.NotifyListeners(0, nullptr);
    EXPECT_EQ(heard, QList<int>({7, 2}));
}

} // namespace
} // namespace tarix::grid::testing
