// Report layouts built from descriptions: shared blocks placed at offsets and stretched by
// their anchors, placeholders, a layout's own patches, bands fitted to their lines and
// frames following them, blocks of bands; and the faults refused when the form is built.
#include <gtest/gtest.h>
#include "platform/errors.h"
#include "platform/report/description.h"
#include "platform/report/prepared.h"

using namespace tarix::rpt;

namespace {

const FontSpec kSmall{QStringLiteral("Arial Narrow"), 7};
const FontSpec kBold{QStringLiteral("Arial Narrow"), 7, true};

// A caption and its value, drawn for a column 40 mm wide: the caption stretches with the
// column, the value stays at its right edge.
Block lineBlock()
{
    return {.name = "line",
            .width = 40,
            .items = {
                label("CAP_{field}", {1, 0, 20, 4}, "{text}", kSmall).anchored(kAnchorLeft | kAnchorRight | kAnchorTop),
                dbText("VAL_{field}", {22, 0, 17, 4}, "{field}", kSmall, Qt::AlignRight).anchored(kAnchorRight | kAnchorTop),
            }};
}

BlockUse line(const QString &text, const QString &field)
{
    return {.block = "line", .args = {{"text", text}, {"field", field}}};
}

BlockLibrary library()
{
    BlockLibrary lib;
    lib.blocks = {
        lineBlock(),
        {.name = "head",
         .items = {
             dbText("FIRM", {0, 0, 80, 5}, "firm", kBold),
             label("TITLE", {0, 5, 80, 5}, "Payslip", kBold),
         }},
        // Two lines written once, used by both layouts below.
        {.name = "pay", .items = {Stack{.lines = {line("Gross", "gross"), line("Net", "net")}}}},
        {.name = "frame", .items = {rectangle("BOX", {0, 0, 100, 0}).reachingBandBottom(2)}},
    };
    lib.bandBlocks = {
        {.name = "footer",
         .bands = {{.kind = BandKind::PageFooter,
                    .name = "Footer",
                    .height = 6,
                    .items = {sysData("PAGE", {0, 0, 30, 5}, SysDataKind::PageNumber, kSmall, "Page {word} ")}}}},
    };
    return lib;
}

LayoutDesc wideLayout()
{
    LayoutDesc l;
    l.name = "Wide";
    l.title = "Payslips";
    l.page.leftMargin = 15;
    l.bands = {
        BandDesc{.kind = BandKind::Detail,
                 .name = "Detail",
                 .fitBelow = 3,
                 .items = {
                     BlockUse{.block = "head", .place = {5, 2}, .patches = {{.name = "TITLE", .remove = true}}},
                     // The shared lines in a column 60 mm wide, the net pay in bold.
                     Stack{.left = 5,
                           .top = 14,
                           .width = 60,
                           .lines = {BlockUse{.block = "pay",
                                              .patches = {{.name = "CAP_net", .text = "Net pay", .font = kBold}}},
                                     line("Paid out", "paid")}},
                     BlockUse{.block = "frame", .patches = {{.name = "BOX", .width = 120}}},
                 }},
        BandBlockUse{.block = "footer", .args = {{"word", "No."}}},
    };
    return l;
}

struct Form {
    MemoryDataSource rows{{{{"firm", "Demo"}, {"gross", 1000.5}, {"net", 800}, {"paid", 750}}}};
    MemoryDataSource other{{{{"code", 7}}}};
    ReportForm form;

    Form()
    {
        form.mainDataSource = &rows;
        form.registerDataSource("Q1_", &rows);
        form.registerDataSource("Q2_", &other);
    }
};

void expectBox(const ReportElement *e, double l, double t, double w, double h)
{
    ASSERT_NE(e, nullptr);
    const auto *c = static_cast<const ReportControl *>(e);
    EXPECT_NEAR(c->left, l, 1e-9) << c->name.toStdString();
    EXPECT_NEAR(c->top, t, 1e-9) << c->name.toStdString();
    EXPECT_NEAR(c->width, w, 1e-9) << c->name.toStdString();
    EXPECT_NEAR(c->height, h, 1e-9) << c->name.toStdString();
}

} // namespace

TEST(ReportDescription, BuildsSharedBlocksWithOffsetsAnchorsAndTheLayoutsOwnPatches)
{
    Form f;
    buildReportForm(f.form, wideLayout(), library());
    ReportForm &form = f.form;

    EXPECT_EQ(form.title, "Payslips");
    EXPECT_EQ(form.page.leftMargin, 15);
    ASSERT_EQ(form.bands().size(), 2u);
    Band *detail = form.band(BandKind::Detail);
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->name, "Detail");
    EXPECT_EQ(form.band(BandKind::PageFooter)->name, "Footer");

    // The head at its offset, without the title this layout leaves out.
    expectBox(form.find("FIRM"), 5, 2, 80, 5);
    EXPECT_EQ(form.find("TITLE"), nullptr);
    // Lines one below the other; in a column 20 mm wider than drawn the caption is 20 mm
    // wider and the value 20 mm further right.
    expectBox(form.find("CAP_gross"), 6, 14, 40, 4);
    expectBox(form.find("VAL_gross"), 47, 14, 17, 4);
    expectBox(form.find("CAP_net"), 6, 18, 40, 4);
    expectBox(form.find("VAL_paid"), 47, 22, 17, 4);

    // Placeholders filled, the patch applied to this layout's use only.
    EXPECT_EQ(form.findAs<ReportLabel>("CAP_gross")->caption, "Gross");
    EXPECT_EQ(form.findAs<ReportLabel>("CAP_net")->caption, "Net pay");
    EXPECT_TRUE(form.findAs<ReportLabel>("CAP_net")->font.bold);
    EXPECT_FALSE(form.findAs<ReportLabel>("CAP_gross")->font.bold);
    auto *gross = form.findAs<ReportDBText>("VAL_gross");
    EXPECT_EQ(gross->field, "gross");
    EXPECT_EQ(gross->dataSource, &f.rows);
    EXPECT_EQ(gross->alignment, Qt::AlignRight);

    // The band fits its lowest line (22 + 4) plus 3; the frame reaches 2 above its bottom.
    EXPECT_DOUBLE_EQ(detail->height, 29);
    expectBox(form.find("BOX"), 0, 0, 120, 27);
    EXPECT_EQ(form.findAs<ReportSysData>("PAGE")->prefix, "Page No. ");

    // Every control in the order written, on its band.
    QStringList names;
    for (const ReportControl *c : detail->controls())
        names << c->name;
    EXPECT_EQ(names, QStringList({"FIRM", "CAP_gross", "VAL_gross", "CAP_net", "VAL_net", "CAP_paid",
                                  "VAL_paid", "BOX"}));

    // The built form prints from its sources.
    const PreparedReport r = form.prepare();
    ASSERT_EQ(r.pageCount(), 1);
    EXPECT_EQ(r.pages[0].findText("FIRM")->text(), "Demo");
    EXPECT_EQ(r.pages[0].findText("VAL_net")->text(), "800");
}

TEST(ReportDescription, TwoLayoutsShareABlockAndKeepTheirOwnDifferences)
{
    // A second layout uses the same lines in a column as wide as drawn, without patches,
    // from a named source.
    LayoutDesc narrow;
    narrow.name = "Narrow";
    narrow.bands = {BandDesc{.kind = BandKind::Detail,
                             .name = "Detail",
                             .height = 20,
                             .items = {Stack{.width = 40, .lines = {{.block = "pay"}}},
                                       dbText("CODE", {50, 0, 10, 4}, "Q2_.code", kSmall),
                                       BlockUse{.block = "head", .place = {60, 0}}}}};
    Form a, b;
    buildReportForm(a.form, wideLayout(), library());
    buildReportForm(b.form, narrow, library());

    expectBox(b.form.find("CAP_gross"), 1, 0, 20, 4);
    expectBox(b.form.find("VAL_net"), 22, 4, 17, 4);
    EXPECT_EQ(b.form.findAs<ReportLabel>("CAP_net")->caption, "Net");
    EXPECT_FALSE(b.form.findAs<ReportLabel>("CAP_net")->font.bold);
    EXPECT_EQ(b.form.band(BandKind::Detail)->height, 20);
    EXPECT_EQ(b.form.findAs<ReportDBText>("CODE")->dataSource, &b.other);
    expectBox(b.form.find("TITLE"), 60, 5, 80, 5);
    EXPECT_EQ(a.form.findAs<ReportLabel>("CAP_net")->caption, "Net pay");
}

TEST(ReportDescription, BandsOfAGroupAreLinkedByName)
{
    LayoutDesc l;
    l.name = "Groups";
    l.bands = {
        BandDesc{.kind = BandKind::GroupHeader, .name = "ByCentre", .height = 5, .expression = "centre"},
        BandDesc{.kind = BandKind::Detail,
                 .name = "Detail",
                 .height = 5,
                 .items = {expression("SUM", {0, 0, 20, 4}, "SUM(gross)", kSmall, Qt::AlignRight, "0.00")}},
        BandDesc{.kind = BandKind::GroupFooter, .name = "ByCentreFooter", .height = 5, .header = "ByCentre"},
        BandDesc{.kind = BandKind::Child, .name = "More", .height = 3, .master = "Detail"},
    };
    Form f;
    buildReportForm(f.form, l, library());
    Band *h = f.form.findAs<Band>("ByCentre");
    Band *footer = f.form.findAs<Band>("ByCentreFooter");
    Band *detail = f.form.findAs<Band>("Detail");
    ASSERT_TRUE(h && footer && detail);
    EXPECT_EQ(h->expression, "centre");
    EXPECT_EQ(h->footer, footer);
    EXPECT_EQ(footer->header, h);
    EXPECT_EQ(detail->child, f.form.findAs<Band>("More"));
    EXPECT_EQ(f.form.findAs<ReportExpr>("SUM")->mask, "0.00");
}

TEST(ReportDescription, FaultsAreRefusedWhenTheLayoutIsBuilt)
{
    const auto detail = [](std::vector<LayoutItem> items) {
        LayoutDesc l;
        l.name = "Faulty";
        l.bands = {BandDesc{.kind = BandKind::Detail, .name = "Detail", .height = 30, .items = std::move(items)}};
        return l;
    };
    struct Case {
        const char *what;
        LayoutDesc layout;
        const char *message;   // part of the error
    } cases[] = {
        {"a block that does not exist", detail({BlockUse{.block = "hed"}}), "blok hed neexistuje"},
        {"an unknown field", detail({dbText("X", {0, 0, 10, 4}, "grosss", kSmall)}), "pole grosss v zdroji údajov Q1_ neexistuje"},
        {"an unknown field inside a block", detail({line("Gross", "gros")}), "pole gros v zdroji údajov Q1_ neexistuje"},
        {"an unknown source", detail({dbText("X", {0, 0, 10, 4}, "Q9_.code", kSmall)}), "zdroj údajov Q9_ neexistuje"},
        {"a placeholder without a value", detail({BlockUse{.block = "line", .args = {{"text", "Gross"}}}}),
         "chýba hodnota {field}"},
        {"a value no placeholder takes", detail({BlockUse{.block = "line", .args = {{"text", "A"}, {"field", "net"}, {"fild", "x"}}}}),
         "nemá miesto pre hodnotu {fild}"},
        {"a patch that finds nothing", detail({BlockUse{.block = "pay", .patches = {{.name = "CAP_netto", .text = "x"}}}}),
         "úprava CAP_netto nenašla v bloku pay žiadny prvok"},
        {"a malformed expression", detail({expression("E", {0, 0, 10, 4}, "SUM(gross", kSmall)}), "Chybný výraz"},
        {"a band that does not exist", [] {
             LayoutDesc l;
             l.name = "Faulty";
             l.bands = {BandDesc{.kind = BandKind::GroupFooter, .name = "F", .height = 5, .header = "Nowhere"}};
             return l;
         }(), "pásmo Nowhere neexistuje"},
        {"a band block that does not exist", [] {
             LayoutDesc l;
             l.name = "Faulty";
             l.bands = {BandBlockUse{.block = "header"}};
             return l;
         }(), "skupina pásiem header neexistuje"},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.what);
        Form f;
        try {
            buildReportForm(f.form, c.layout, library());
            ADD_FAILURE() << "built without an error";
        } catch (const tarix::EMyError &e) {
            EXPECT_TRUE(e.text().startsWith("Popis zostavy Faulty: ")) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.message))) << e.text().toStdString();
        }
    }
}

TEST(ReportDescription, ABlockInsideItselfIsRefused)
{
    BlockLibrary lib = library();
    lib.blocks.push_back({.name = "loop", .width = 10, .height = 4, .items = {BlockUse{.block = "loop"}}});
    lib.blocks.push_back({.name = "outer", .items = {Stack{.lines = {{.block = "inner"}}}}});
    lib.blocks.push_back({.name = "inner", .items = {BlockUse{.block = "outer"}}});
    for (const char *name : {"loop", "outer"}) {
        LayoutDesc l;
        l.name = "Loop";
        l.bands = {BandDesc{.kind = BandKind::Detail, .name = "Detail", .height = 5, .items = {BlockUse{.block = name}}}};
        Form f;
        EXPECT_THROW(buildReportForm(f.form, l, lib), tarix::EMyError) << name;
    }
}

TEST(ReportDescription, ACallerCheckDecidesTheFieldsOfASourceNotYetOpen)
{
    // A source without rows cannot tell its fields; the caller knows them.
    MemoryDataSource closed;
    ReportForm form;
    form.mainDataSource = &closed;
    LayoutDesc l;
    l.name = "Closed";
    l.bands = {BandDesc{.kind = BandKind::Detail, .name = "Detail", .height = 5,
                        .items = {dbText("A", {0, 0, 10, 4}, "gross", kSmall)}}};
    EXPECT_THROW(buildReportForm(form, l, library()), tarix::EMyError);

    ReportForm checked;
    checked.mainDataSource = &closed;
    buildReportForm(checked, l, library(), [](const ReportDataSource &, const QString &field) {
        return field == QLatin1String("gross");
    });
    EXPECT_EQ(checked.findAs<ReportDBText>("A")->field, "gross");
}
