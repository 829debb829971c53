// The report run frame: print options, frame pens by target, the preview variants and the
// error path, with a small report form built here.
#include "reports/report.h"

#include "platform/errors.h"
#include "platform/report/qt/preview.h"
#include "platform/ui/scripted_user_interface.h"

#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::reports;
using rpt::ElementKind;

namespace {

// A one-band report: a frame shape, a caption (Tag 0), a tagged caption, a memo and a
// data text over two rows (or none).
class TReportSkuska : public TReport {
public:
    explicit TReportSkuska(int rows = 2)
    {
        std::vector<QVariantMap> data;
        for (int i = 1; i <= rows; ++i)
            data.push_back({{"MENO", QStringLiteral("Zamestnanec %1").arg(i)}});
        source.setRows(data);
        mainDataSource = &source;
        registerDataSource("Q1_", &source);
        rpt::Band *header = addBand(rpt::BandKind::PageHeader, 20, "PageHeader");
        header->addShape(0, 0, 190, 20, rpt::ShapeType::Rectangle, "Ramik");
        header->addLabel(2, 2, 60, 5, "VÝPLATNÁ PÁSKA", "Nadpis");
        header->addLabel(2, 8, 60, 5, "MAREC 2005", "Obdobie")->tag = 1;
        header->addMemo(70, 2, 60, 10, {"riadok 1", "riadok 2"}, "Poznamka");
        rpt::Band *detail = addBand(rpt::BandKind::Detail, 8, "Detail");
        detail->addDBText(2, 1, 80, 5, &source, "MENO", {}, "Meno");
        detail->addShape(0, 7, 190, 0.5, rpt::ShapeType::HorizontalLine, "Ciara");
        ++created;
    }
    ~TReportSkuska() override { ++freed; }

    void Otvor_data() override
    {
        ++opened;
        if (failOnOpen)
            throw EMyError("x");
    }
    void Zatvor_data() override { ++closed; }

    rpt::MemoryDataSource source;
    static inline int created = 0;
    static inline int freed = 0;
    static inline int opened = 0;
    static inline int closed = 0;
    static inline bool failOnOpen = false;
};

class RunFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        TReportSkuska::created = TReportSkuska::freed = 0;
        TReportSkuska::opened = TReportSkuska::closed = 0;
        TReportSkuska::failOnOpen = false;
        rpt::setDefaultPreviewHost(&host);
    }
    void TearDown() override { rpt::setDefaultPreviewHost(nullptr); }

    // Runs a report built by `configure` and keeps what its preview showed.
    void run(const TMyReportParam &p, const std::function<void(TReportSkuska &)> &configure = {},
             int rows = 2)
    {
        Spusti_zostavu(p, [&] {
            auto form = std::make_unique<TReportSkuska>(rows);
            if (configure)
                configure(*form);
            return std::unique_ptr<TReport>(std::move(form));
        });
    }
    QStringList shownNames() const
    {
        QStringList names;
        for (const auto &page : host.last.pages)
            for (const auto &item : page.items)
                if (!item.name.isEmpty() && !names.contains(item.name))
                    names << item.name;
        return names;
    }
    const rpt::PreparedItem *firstNamed(const QString &name) const
    {
        for (const auto &page : host.last.pages)
            for (const auto &item : page.items)
                if (item.name == name)
                    return &item;
        return nullptr;
    }

    rpt::CapturingPreviewHost host;
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
};

} // namespace

TEST_F(RunFrame, PrintOptionsLeaveWhatTheRequestAsksFor)
{
    struct Case {
        bool bezRamcekov, lenUdaje;
        QStringList shown;
    } cases[] = {
        {false, false, {"Ramik", "Nadpis", "Obdobie", "Poznamka", "Meno", "Ciara"}},
        {true, false, {"Nadpis", "Obdobie", "Poznamka", "Meno"}},
        {false, true, {"Ramik", "Obdobie", "Meno", "Ciara"}},
        // Both: only data texts and tagged captions stay.
        {true, true, {"Obdobie", "Meno"}},
    };
    for (const Case &c : cases) {
        TMyReportParam p;
        p.Bez_ramcekov = c.bezRamcekov;
        p.Len_udaje = c.lenUdaje;
        host.shownCount = 0;
        run(p);
        ASSERT_EQ(host.shownCount, 1);
        QStringList shown = shownNames();
        shown.removeAll("PageHeader");
        shown.removeAll("Detail");
        QStringList expected = c.shown;
        shown.sort();
        expected.sort();
        EXPECT_EQ(shown.join(','), expected.join(',')) << c.bezRamcekov << c.lenUdaje;
    }
    EXPECT_TRUE(scripted.messages().isEmpty());
}

TEST_F(RunFrame, FramePensAreThinOnScreenAndStrongOnPaper)
{
    struct Case {
        FrameWidths sirky;
        double screen, paper;
    } cases[] = {
        {kRamceky_1_8, 1, 8}, {kRamceky_1_5, 1, 5}, {kRamceky_1_4, 1, 4},
        {kRamceky_2_4, 2, 4}, {kRamceky_2_7, 2, 7},
    };
    for (const Case &c : cases) {
        run({}, [&](TReportSkuska &r) { r.Sirky_ramcekov = c.sirky; });
        for (const char *name : {"Ramik", "Ciara"}) {
            const rpt::PreparedItem *shape = firstNamed(name);
            ASSERT_NE(shape, nullptr) << name;
            EXPECT_EQ(shape->pen.width(rpt::RenderTarget::Screen), c.screen) << name;
            EXPECT_EQ(shape->pen.width(rpt::RenderTarget::Paper), c.paper) << name;
        }
    }
    // Without a pair the layout's own widths stay.
    run({}, [](TReportSkuska &r) { r.findAs<rpt::ReportShape>("Ramik")->setPenWidths(3, 6); });
    EXPECT_EQ(firstNamed("Ramik")->pen.width(rpt::RenderTarget::Paper), 6);
}

TEST_F(RunFrame, AnExceptionIsShownAfterTheFormIsFreedAndTheCursorRestored)
{
    TReportSkuska::failOnOpen = true;
    EXPECT_NO_THROW(run({}));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error),
              QStringList{"Nastala chyba pri vytváraní tlačovej zostavy. x"});
    EXPECT_EQ(host.shownCount, 0);
    EXPECT_EQ(TReportSkuska::created, 1);
    EXPECT_EQ(TReportSkuska::freed, 1);
    EXPECT_FALSE(scripted.busyCursor());
    // The hourglass was on while the form was created and off before the error box.
    const auto &ev = scripted.events();
    ASSERT_GE(ev.size(), 3u);
    EXPECT_EQ(ev[0].kind, ui::ScriptedUserInterface::EventKind::BusyCursor);
    EXPECT_EQ(ev[0].value, 1);
    EXPECT_EQ(ev.back().kind, ui::ScriptedUserInterface::EventKind::Error);
}

TEST_F(RunFrame, FailuresOfEveryKindAreCaught)
{
    struct Case {
        std::function<void()> fail;
        QStringList shown;
    } cases[] = {
        {[] { throw EMyError("Položka chýba"); },
         {"Nastala chyba pri vytváraní tlačovej zostavy. Položka chýba"}},
        {[] { throw std::runtime_error("no such table: vyp"); },
         {"Nastala chyba pri vytváraní tlačovej zostavy. no such table: vyp"}},
        {[] { throw 42; }, {"Nastala chyba pri vytváraní tlačovej zostavy. Neznáma chyba."}},
        {[] { throw EAbort(); }, {}},
    };
    for (const Case &c : cases) {
        scripted.clearEvents();
        // Failing in the constructor: nothing to free, still caught.
        EXPECT_NO_THROW(Spusti_zostavu({}, [&]() -> std::unique_ptr<TReport> {
            c.fail();
            return nullptr;
        }));
        EXPECT_EQ(scripted.messages(ui::MessageKind::Error), c.shown);
        EXPECT_FALSE(scripted.busyCursor());
    }
}

TEST_F(RunFrame, StandardRunOpensPreviewsAndClosesWithTheCursorNormalDuringThePreview)
{
    bool busyDuringPreview = true;
    TMyReportParam p;
    p.Kod_zostavy = "VL";
    QString seenCode;
    run(p, [&](TReportSkuska &r) {
        r.beforePrint = [&](rpt::ReportForm &, bool &) {
            busyDuringPreview = scripted.busyCursor();
            seenCode = r.Param.Kod_zostavy;
        };
    });
    EXPECT_EQ(TReportSkuska::opened, 1);
    EXPECT_EQ(TReportSkuska::closed, 1);
    EXPECT_EQ(host.shownCount, 1);
    EXPECT_FALSE(busyDuringPreview);
    EXPECT_EQ(seenCode, "VL"); // the form carries the request
    EXPECT_EQ(TReportSkuska::freed, 1);

    // The variant that keeps the hourglass during the preview.
    run(p, [&](TReportSkuska &r) {
        r.Presypacie_hodiny_ostavaju = true;
        r.beforePrint = [&](rpt::ReportForm &, bool &) { busyDuringPreview = scripted.busyCursor(); };
    });
    EXPECT_TRUE(busyDuringPreview);
    EXPECT_FALSE(scripted.busyCursor());
}

TEST_F(RunFrame, EmptyReportsFollowTheirVariant)
{
    struct Case {
        TReport::PreviewMode nahlad;
        int rows;
        int previews;
        QStringList errors;
    } cases[] = {
        {TReport::PreviewMode::Vzdy, 0, 1, {}},
        {TReport::PreviewMode::Len_s_udajmi, 0, 0, {}},
        {TReport::PreviewMode::Len_s_udajmi, 1, 1, {}},
        {TReport::PreviewMode::Hlasenie_prazdnej, 0, 0, {"Tlačová zostava neobsahuje žiadne údaje, je prázdna."}},
        {TReport::PreviewMode::Hlasenie_prazdnej, 2, 1, {}},
    };
    for (const Case &c : cases) {
        scripted.clearEvents();
        host.shownCount = 0;
        run({}, [&](TReportSkuska &r) { r.nahlad = c.nahlad; }, c.rows);
        EXPECT_EQ(host.shownCount, c.previews) << int(c.nahlad) << " rows " << c.rows;
        EXPECT_EQ(scripted.messages(ui::MessageKind::Error), c.errors);
    }
}

TEST_F(RunFrame, AReportCanBeRegisteredByItsClass)
{
    auto spustenie = reportRun<TReportSkuska>();
    TMyReportParam p;
    p.Bez_ramcekov = true;
    spustenie(p);
    EXPECT_EQ(host.shownCount, 1);
    EXPECT_FALSE(shownNames().contains("Ramik"));
    EXPECT_EQ(TReportSkuska::freed, 1);
}
