// Pagination of the report engine, tested on the prepared pages (positions and texts).
#include <gtest/gtest.h>
#include "platform/errors.h"
#include "platform/format/clock.h"
#include "platform/report/layout.h"
#include "platform/report/prepared.h"
#include "platform/report/qt/preview.h"

using namespace tarix::rpt;

namespace {

// The texts of every item named `name`, page by page ("page:text").
QStringList texts(const PreparedReport &r, const QString &name)
{
    QStringList out;
    for (int p = 0; p < r.pageCount(); ++p)
        for (const PreparedItem &it : r.pages[size_t(p)].items)
            if (it.type == PreparedItem::Text && it.name == name)
                out << QStringLiteral("%1:%2").arg(p + 1).arg(it.text());
    return out;
}

int countNamed(const PreparedPage &page, const QString &name)
{
    int n = 0;
    for (const PreparedItem &it : page.items)
        if (it.type == PreparedItem::Text && it.name == name)
            ++n;
    return n;
}

QVariantMap row(std::initializer_list<std::pair<QString, QVariant>> fields)
{
    QVariantMap m;
    for (const auto &f : fields)
        m.insert(f.first, f.second);
    return m;
}

// A list form: page header with the page number, a detail line per row, page footer.
struct listForm {
    ReportForm form;
    MemoryDataSource data;
    Band *header = nullptr;
    Band *detail = nullptr;
    Band *footer = nullptr;

    explicit listForm(int rows, double detailHeight = 10)
    {
        for (int i = 1; i <= rows; ++i)
            data.appendRow(row({{"N", i}, {"SUMA", i * 10.0}}));
        form.mainDataSource = &data;
        form.registerDataSource(QStringLiteral("Q0_"), &data);
        header = form.addBand(BandKind::PageHeader, 20, QStringLiteral("PH"));
        header->addSysData(150, 5, 40, 5, SysDataKind::PageNumber, QStringLiteral("Strana č. "), QStringLiteral("PAGE"));
        detail = form.addBand(BandKind::Detail, detailHeight, QStringLiteral("DETAIL"));
        detail->addSysData(0, 0, 10, 5, SysDataKind::DetailNumber, {}, QStringLiteral("PC"));
        detail->addDBText(20, 0, 30, 5, &data, QStringLiteral("N"), {}, QStringLiteral("N"));
        footer = form.addBand(BandKind::PageFooter, 10, QStringLiteral("PF"));
    }
};

} // namespace

TEST(ReportPagination, PageAndDetailNumbersRunAcrossPages)
{
    // Body: 297 - 10 - 10 - page header 20 - page footer 10 = 247 mm: 24 lines of 10 mm.
    listForm f(50);
    const PreparedReport r = f.form.prepare();
    ASSERT_EQ(r.pageCount(), 3);
    EXPECT_EQ(texts(r, "PAGE"), QStringList({"1:Strana č. 1", "2:Strana č. 2", "3:Strana č. 3"}));
    const QStringList pc = texts(r, "PC");
    ASSERT_EQ(pc.size(), 50);
    EXPECT_EQ(pc[0], "1:1");
    EXPECT_EQ(pc[23], "1:24");
    EXPECT_EQ(pc[24], "2:25");
    EXPECT_EQ(pc[48], "3:49");
    // The first line of page 2 sits right under the page header.
    const PreparedItem *first = r.pages[1].findText("PC");
    ASSERT_TRUE(first);
    EXPECT_DOUBLE_EQ(first->rect.top(), 10 + 20);
    EXPECT_DOUBLE_EQ(first->rect.left(), 10);
}

TEST(ReportPagination, PageHeaderSeesTheFirstRowOfItsPage)
{
    listForm f(30);
    auto *first = f.header->addLabel(0, 5, 40, 5, {}, QStringLiteral("FIRST"));
    f.header->beforePrint = [&](Band &, bool &) { first->caption = f.data.value("N").toString(); };
    const PreparedReport r = f.form.prepare();
    ASSERT_EQ(r.pageCount(), 2);
    EXPECT_EQ(texts(r, "FIRST"), QStringList({"1:1", "2:25"}));
}

TEST(ReportPagination, ForceNewPageNeverLeavesABlankFirstPage)
{
    listForm f(3);
    f.detail->forceNewPage = true;
    const PreparedReport r = f.form.prepare();
    ASSERT_EQ(r.pageCount(), 3);
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(countNamed(r.pages[size_t(p)], "N"), 1) << "page " << p + 1;
    EXPECT_EQ(texts(r, "N"), QStringList({"1:1", "2:2", "3:3"}));
}

TEST(ReportPagination, BandThatDoesNotFitMovesWhole)
{
    listForm f(0);
    // 23 short lines (230 mm of 247), then a line whose text stretches to six lines.
    for (int i = 1; i <= 24; ++i)
        f.data.appendRow(row({{"N", i}, {"TEXT", i == 24 ? "a\nb\nc\nd\ne\nf" : "x"}}));
    auto *memo = f.detail->addDBText(60, 0, 50, 5, &f.data, QStringLiteral("TEXT"), {}, QStringLiteral("TEXT"));
    memo->autoStretch = true;
    const PreparedReport r = f.form.prepare();
    ASSERT_EQ(r.pageCount(), 2);
    EXPECT_EQ(countNamed(r.pages[0], "N"), 23);
    const PreparedItem *moved = r.pages[1].findText("TEXT");
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->lines, QStringList({"a", "b", "c", "d", "e", "f"}));
    EXPECT_DOUBLE_EQ(moved->rect.top(), 30);
    EXPECT_EQ(r.pages[1].findText("N")->text(), "24");
    EXPECT_DOUBLE_EQ(r.pages[1].findText("N")->rect.top(), 30);
    EXPECT_GT(moved->rect.height(), 17);   // more than the 17 mm left on page 1
    // Nothing of the moved band stayed behind.
    EXPECT_EQ(r.pages[0].findText("TEXT", 23), nullptr);
    EXPECT_EQ(countNamed(r.pages[1], "TEXT"), 1);
}

TEST(ReportPagination, SummaryOnceAfterTheLastDetailMovesToALaterPage)
{
    listForm f(24);   // fills page 1 exactly
    Band *summary = f.form.addBand(BandKind::Summary, 15, QStringLiteral("SUMMARY"));
    summary->addExpr(0, 0, 40, 5, QStringLiteral("SUM(SUMA)"), QStringLiteral("0.00"), QStringLiteral("TOTAL"));
    const PreparedReport r = f.form.prepare();
    ASSERT_EQ(r.pageCount(), 2);
    EXPECT_EQ(texts(r, "TOTAL"), QStringList({"2:3000,00"}));
    EXPECT_EQ(texts(r, "PAGE"), QStringList({"1:Strana č. 1", "2:Strana č. 2"}));
}

TEST(ReportPagination, PageTotalsCountOnlyTheRowsPrintedOnThePage)
{
    listForm f(30);
    auto *total = f.footer->addExpr(0, 0, 40, 5, QStringLiteral("SUM(Q0_.SUMA)"), QStringLiteral("0"), QStringLiteral("PT"));
    total->resetAfterPrint = true;
    const PreparedReport r = f.form.prepare();
    ASSERT_EQ(r.pageCount(), 2);
    // 1..24 -> 3000; 25..30 -> 1650
    EXPECT_EQ(texts(r, "PT"), QStringList({"1:3000", "2:1650"}));
    // The page footer sits on the bottom margin.
    EXPECT_DOUBLE_EQ(r.pages[0].findText("PT")->rect.top(), 297 - 10 - 10);
}

TEST(ReportPagination, FirstPageHeaderAndLastPageFooterOptions)
{
    listForm f(30);
    f.footer->addLabel(0, 0, 20, 5, QStringLiteral("pata"), QStringLiteral("FOOT"));
    f.form.firstPageHeader = false;
    f.form.lastPageFooter = false;
    const PreparedReport r = f.form.prepare();
    ASSERT_EQ(r.pageCount(), 2);
    EXPECT_EQ(texts(r, "PAGE"), QStringList({"2:Strana č. 2"}));
    EXPECT_EQ(texts(r, "FOOT"), QStringList({"1:pata"}));
    // Without the page header the first line starts at the top margin.
    EXPECT_DOUBLE_EQ(r.pages[0].findText("N")->rect.top(), 10);
}

TEST(ReportPagination, DisabledAndZeroHeightBands)
{
    listForm f(3);
    int hookCalls = 0;
    Band *zero = f.form.addBand(BandKind::Summary, 0, QStringLiteral("ZERO"));
    zero->addLabel(0, 0, 20, 5, QStringLiteral("hidden"), QStringLiteral("HIDDEN"));
    zero->beforePrint = [&](Band &, bool &) { ++hookCalls; };
    Band *child = f.form.addChild(f.detail, 7, QStringLiteral("CHILD"));
    child->addLabel(0, 0, 20, 5, QStringLiteral("child"), QStringLiteral("CH"));

    PreparedReport r = f.form.prepare();
    ASSERT_EQ(r.pageCount(), 1);
    EXPECT_EQ(hookCalls, 1);
    EXPECT_TRUE(texts(r, "HIDDEN").isEmpty());
    EXPECT_EQ(texts(r, "CH").size(), 3);
    // Each row takes 10 + 7 mm.
    EXPECT_DOUBLE_EQ(r.pages[0].findText("N", 1)->rect.top(), 30 + 17);

    child->enabled = false;
    r = f.form.prepare();
    EXPECT_TRUE(texts(r, "CH").isEmpty());
    EXPECT_DOUBLE_EQ(r.pages[0].findText("N", 1)->rect.top(), 30 + 10);

    // A detail suppressed by its BeforePrint takes no room and its child goes with it.
    child->enabled = true;
    f.detail->beforePrint = [&](Band &, bool &print) { print = f.data.value("N").toInt() != 2; };
    r = f.form.prepare();
    EXPECT_EQ(texts(r, "N"), QStringList({"1:1", "1:3"}));
    EXPECT_EQ(texts(r, "PC"), QStringList({"1:1", "1:2"}));
    EXPECT_EQ(texts(r, "CH").size(), 2);
    EXPECT_DOUBLE_EQ(r.pages[0].findText("N", 1)->rect.top(), 30 + 17);

    f.detail->beforePrint = nullptr;
    f.detail->enabled = false;
    r = f.form.prepare();
    EXPECT_TRUE(texts(r, "N").isEmpty());
    EXPECT_TRUE(texts(r, "CH").isEmpty());
}

TEST(ReportPagination, EmptySourceAndPrintIfEmpty)
{
    listForm f(0);
    f.form.addBand(BandKind::Summary, 10)->addLabel(0, 0, 20, 5, QStringLiteral("SPOLU"), QStringLiteral("S"));
    EXPECT_EQ(f.form.prepare().pageCount(), 0);
    f.form.printIfEmpty = true;
    const PreparedReport r = f.form.prepare();
    ASSERT_EQ(r.pageCount(), 1);
    EXPECT_EQ(texts(r, "S"), QStringList({"1:SPOLU"}));
    EXPECT_EQ(texts(r, "PAGE"), QStringList({"1:Strana č. 1"}));
    EXPECT_TRUE(texts(r, "N").isEmpty());
}

TEST(ReportPagination, ReportBeforePrintMayCancelAndEveryPreparationRewinds)
{
    listForm f(3);
    int calls = 0;
    bool print = true;
    f.form.beforePrint = [&](ReportForm &, bool &p) {
        ++calls;
        p = print;
    };
    EXPECT_EQ(texts(f.form.prepare(), "N"), QStringList({"1:1", "1:2", "1:3"}));
    // The source was left at its end; the next preparation starts from the first row again.
    EXPECT_EQ(texts(f.form.prepare(), "N"), QStringList({"1:1", "1:2", "1:3"}));
    print = false;
    CapturingPreviewHost host;
    f.form.setPreviewHost(&host);
    EXPECT_FALSE(f.form.preview());
    EXPECT_EQ(host.shownCount, 0);
    EXPECT_EQ(calls, 3);
    print = true;
    EXPECT_TRUE(f.form.preview());
    EXPECT_EQ(host.shownCount, 1);
    EXPECT_EQ(host.last.pageCount(), 1);
}

// Two employees, each a group that starts a new page, with wage lines and a group total.
TEST(ReportGroups, TwoEmployeesOnePageEachWithTheirOwnTotals)
{
    ReportForm form;
    MemoryDataSource q({row({{"code_emp", 1}, {"meno", "Adam"}, {"suma", 100.0}}),
                        row({{"code_emp", 1}, {"meno", "Adam"}, {"suma", 50.5}}),
                        row({{"code_emp", 2}, {"meno", "Eva"}, {"suma", 20.0}}),
                        row({{"code_emp", 2}, {"meno", "Eva"}, {"suma", 1.0}}),
                        row({{"code_emp", 2}, {"meno", "Eva"}, {"suma", 2.0}})});
    form.mainDataSource = &q;
    Band *group = form.addGroup(QStringLiteral("code_emp"), 10, 10, QStringLiteral("GH"));
    group->forceNewPage = true;
    group->addDBText(0, 0, 40, 5, &q, QStringLiteral("meno"), {}, QStringLiteral("NAME"));
    Band *detail = form.addBand(BandKind::Detail, 6, QStringLiteral("D"));
    detail->addDBText(0, 0, 40, 5, &q, QStringLiteral("suma"), QStringLiteral("0.00"), QStringLiteral("AMOUNT"));
    auto *total = group->footer->addExpr(0, 0, 40, 5, QStringLiteral("SUM(suma)"), QStringLiteral("0.00"), QStringLiteral("GT"));
    total->resetAfterPrint = true;
    // The footer prints with the group's last row current, not the next group's first.
    group->footer->addDBText(50, 0, 40, 5, &q, QStringLiteral("meno"), {}, QStringLiteral("FNAME"));
    Band *summary = form.addBand(BandKind::Summary, 10);
    summary->addExpr(0, 0, 40, 5, QStringLiteral("SUM(suma)"), QStringLiteral("0.00"), QStringLiteral("ALL"));
    summary->addExpr(50, 0, 40, 5, QStringLiteral("COUNT"), {}, QStringLiteral("CNT"));

    const PreparedReport r = form.prepare();
    ASSERT_EQ(r.pageCount(), 2);
    EXPECT_EQ(texts(r, "NAME"), QStringList({"1:Adam", "2:Eva"}));
    EXPECT_EQ(texts(r, "GT"), QStringList({"1:150,50", "2:23,00"}));
    EXPECT_EQ(texts(r, "FNAME"), QStringList({"1:Adam", "2:Eva"}));
    EXPECT_EQ(texts(r, "ALL"), QStringList({"2:173,50"}));
    EXPECT_EQ(texts(r, "CNT"), QStringList({"2:5"}));
    EXPECT_EQ(countNamed(r.pages[0], "AMOUNT"), 2);
    EXPECT_EQ(countNamed(r.pages[1], "AMOUNT"), 3);
    // Header, lines, footer follow each other from the top margin.
    EXPECT_DOUBLE_EQ(r.pages[1].findText("NAME")->rect.top(), 10);
    EXPECT_DOUBLE_EQ(r.pages[1].findText("AMOUNT", 2)->rect.top(), 10 + 10 + 12);
    EXPECT_DOUBLE_EQ(r.pages[1].findText("GT")->rect.top(), 10 + 10 + 18);
}

// 25 payment items numbered onto pages of 10 by STRANA: one group per page, every page
// with the total of its own items in the page header and the group footer.
TEST(ReportGroups, ItemsGroupedByPageNumberTenPerPage)
{
    ReportForm form;
    MemoryDataSource items;
    for (int i = 1; i <= 25; ++i)
        items.appendRow(row({{"SEQID", i}, {"SUMA", double(i)}, {"STRANA", (i - 1) / 10 + 1}}));
    form.mainDataSource = &items;
    form.registerDataSource(QStringLiteral("THP2_"), &items);
    Band *ph = form.addBand(BandKind::PageHeader, 20);
    auto *pageTotal = ph->addLabel(100, 0, 40, 5, {}, QStringLiteral("ZUCTUJTE"));
    ph->addSysData(150, 0, 40, 5, SysDataKind::PageNumber, {}, QStringLiteral("PAGE"));
    // The page total from the rows of the page the current item belongs to.
    ph->beforePrint = [&](Band &, bool &) {
        const int strana = items.value("STRANA").toInt();
        double sum = 0;
        for (const QVariantMap &m : items.allRows())
            if (m.value("STRANA").toInt() == strana)
                sum += m.value("SUMA").toDouble();
        pageTotal->caption = QString::number(sum, 'f', 2);
    };
    Band *group = form.addGroup(QStringLiteral("THP2_.STRANA"), 0, 8, QStringLiteral("G"));
    group->forceNewPage = true;
    Band *detail = form.addBand(BandKind::Detail, 6);
    detail->addDBText(0, 0, 20, 5, &items, QStringLiteral("SEQID"), {}, QStringLiteral("SEQ"));
    auto *gt = group->footer->addExpr(0, 0, 30, 5, QStringLiteral("SUM(THP2_.SUMA)"), QStringLiteral("0.00"), QStringLiteral("GT"));
    gt->resetAfterPrint = true;
    form.addBand(BandKind::Summary, 10)->addLabel(0, 0, 60, 5, QStringLiteral("pečiatka a podpis príkazcu"), QStringLiteral("SIGN"));

    const PreparedReport r = form.prepare();
    ASSERT_EQ(r.pageCount(), 3);
    EXPECT_EQ(countNamed(r.pages[0], "SEQ"), 10);
    EXPECT_EQ(countNamed(r.pages[1], "SEQ"), 10);
    EXPECT_EQ(countNamed(r.pages[2], "SEQ"), 5);
    EXPECT_EQ(texts(r, "ZUCTUJTE"), QStringList({"1:55.00", "2:155.00", "3:115.00"}));
    EXPECT_EQ(texts(r, "GT"), QStringList({"1:55,00", "2:155,00", "3:115,00"}));
    EXPECT_EQ(texts(r, "PAGE"), QStringList({"1:1", "2:2", "3:3"}));
    EXPECT_EQ(texts(r, "SIGN"), QStringList({"3:pečiatka a podpis príkazcu"}));
}

TEST(ReportGroups, NestedGroupsCloseInnerFootersFirst)
{
    ReportForm form;
    MemoryDataSource q({row({{"A", 1}, {"B", 1}, {"V", 1}}), row({{"A", 1}, {"B", 2}, {"V", 2}}),
                        row({{"A", 2}, {"B", 2}, {"V", 4}})});
    form.mainDataSource = &q;
    Band *ga = form.addGroup(QStringLiteral("A"), 5, 5, QStringLiteral("GA"));
    Band *gb = form.addGroup(QStringLiteral("B"), 5, 5, QStringLiteral("GB"));
    ga->addDBText(0, 0, 10, 5, &q, QStringLiteral("A"), {}, QStringLiteral("HA"));
    gb->addDBText(0, 0, 10, 5, &q, QStringLiteral("B"), {}, QStringLiteral("HB"));
    form.addBand(BandKind::Detail, 5)->addDBText(0, 0, 10, 5, &q, QStringLiteral("V"), {}, QStringLiteral("V"));
    auto *sa = ga->footer->addExpr(0, 0, 10, 5, QStringLiteral("SUM(V)"), {}, QStringLiteral("FA"));
    sa->resetAfterPrint = true;
    auto *sb = gb->footer->addExpr(0, 0, 10, 5, QStringLiteral("SUM(V)"), {}, QStringLiteral("FB"));
    sb->resetAfterPrint = true;

    const PreparedReport r = form.prepare();
    ASSERT_EQ(r.pageCount(), 1);
    QStringList order;
    for (const PreparedItem *t : r.pages[0].texts())
        order << t->name + "=" + t->text();
    EXPECT_EQ(order, QStringList({"HA=1", "HB=1", "V=1", "FB=1", "HB=2", "V=2", "FB=2", "FA=3",
                                  "HA=2", "HB=2", "V=4", "FB=4", "FA=4"}));
}

// Employees with their absences: a sub-detail re-opened per employee, its footer total
// reset per employee, and print-if-empty for an employee without absences.
TEST(ReportSubDetail, FooterTotalsResetPerMaster)
{
    ReportForm form;
    MemoryDataSource emp({row({{"code_emp", 1}, {"meno", "Adam"}}), row({{"code_emp", 2}, {"meno", "Bea"}}),
                          row({{"code_emp", 3}, {"meno", "Cyril"}})});
    MemoryDataSource abs({row({{"code_emp", 1}, {"dni", 3}}), row({{"code_emp", 1}, {"dni", 4}}),
                          row({{"code_emp", 3}, {"dni", 10}})});
    abs.setMasterFilter([&](const QVariantMap &m) { return m.value("code_emp") == emp.value("code_emp"); });
    form.mainDataSource = &emp;
    form.registerDataSource(QStringLiteral("Q1_"), &abs);
    Band *detail = form.addBand(BandKind::Detail, 8, QStringLiteral("D"));
    detail->addDBText(0, 0, 40, 5, &emp, QStringLiteral("meno"), {}, QStringLiteral("NAME"));
    Band *sub = form.addSubDetail(detail, &abs, 5, QStringLiteral("SUB"));
    sub->addDBText(10, 0, 20, 5, &abs, QStringLiteral("dni"), {}, QStringLiteral("DNI"));
    Band *head = form.addSubDetailHeader(sub, 5);
    head->addLabel(0, 0, 40, 5, QStringLiteral("Obdobie, počet dní"), QStringLiteral("CAP"));
    Band *foot = form.addSubDetailFooter(sub, 6);
    foot->addLabel(0, 0, 20, 5, QStringLiteral("Spolu dní"));
    auto *sum = foot->addExpr(30, 0, 20, 5, QStringLiteral("SUM(Q1_.dni)"), QStringLiteral("0"), QStringLiteral("SPOLU"));
    sum->master = sub;
    sum->resetAfterPrint = true;
    auto *all = form.addBand(BandKind::Summary, 6)->addExpr(0, 0, 20, 5, QStringLiteral("SUM(Q1_.dni)"), {}, QStringLiteral("ALL"));
    all->master = sub;

    PreparedReport r = form.prepare();
    ASSERT_EQ(r.pageCount(), 1);
    EXPECT_EQ(texts(r, "SPOLU"), QStringList({"1:7", "1:10"}));
    EXPECT_EQ(texts(r, "DNI"), QStringList({"1:3", "1:4", "1:10"}));
    EXPECT_EQ(texts(r, "CAP").size(), 2);
    EXPECT_EQ(texts(r, "ALL"), QStringList({"1:17"}));

    sub->printIfEmpty = true;
    r = form.prepare();
    EXPECT_EQ(texts(r, "SPOLU"), QStringList({"1:7", "1:0", "1:10"}));
    EXPECT_EQ(texts(r, "CAP").size(), 3);
    // Bea's footer comes right after her header: no sub-detail line in between.
    const PreparedItem *beaHead = r.pages[0].findText("CAP", 1);
    const PreparedItem *beaFoot = r.pages[0].findText("SPOLU", 1);
    EXPECT_DOUBLE_EQ(beaFoot->rect.top(), beaHead->rect.top() + 5);
}

// A detail driven by code: two employee blocks per band, rows skipped by code.
TEST(ReportCodeDriven, MoreDataFillsTwoBlocksPerBand)
{
    ReportForm form;
    MemoryDataSource q;
    for (int i = 1; i <= 5; ++i)
        q.appendRow(row({{"meno", QStringLiteral("Z%1").arg(i)}, {"skip", i == 2}}));
    Band *detail = form.addBand(BandKind::Detail, 100);
    auto *a = detail->addLabel(0, 0, 40, 5, {}, QStringLiteral("A"));
    auto *b = detail->addLabel(100, 0, 40, 5, {}, QStringLiteral("B"));
    auto skipRows = [&] {
        while (!q.eof() && q.value("skip").toBool())
            q.next();
    };
    form.beforePrint = [&](ReportForm &, bool &print) {
        q.first();
        skipRows();
        print = !q.eof();
    };
    form.moreData = [&](ReportForm &) {
        a->caption.clear();
        b->caption.clear();
        if (q.eof())
            return false;
        a->caption = q.value("meno").toString();
        q.next();
        skipRows();
        if (!q.eof()) {
            b->caption = q.value("meno").toString();
            q.next();
            skipRows();
        }
        return true;
    };
    const PreparedReport r = form.prepare();
    ASSERT_EQ(r.pageCount(), 1);
    EXPECT_EQ(texts(r, "A"), QStringList({"1:Z1", "1:Z4"}));
    EXPECT_EQ(texts(r, "B"), QStringList({"1:Z3", "1:Z5"}));
}

TEST(ReportBands, WordWrapAndAutoStretchGrowTheBand)
{
    ReportForm form;
    Band *d = form.addBand(BandKind::Detail, 6);
    auto *memo = d->addLabel(0, 0, 25, 5, QStringLiteral("Kal.dni - za ktoré neplatí poistenie"), QStringLiteral("W"));
    memo->wordWrap = true;
    memo->autoStretch = true;
    Band *s = form.addBand(BandKind::Summary, 5);
    s->addLabel(0, 0, 20, 5, QStringLiteral("x"), QStringLiteral("AFTER"));
    const PreparedReport r = form.prepare();
    const PreparedItem *w = r.pages[0].findText("W");
    ASSERT_TRUE(w);
    ASSERT_GE(w->lines.size(), 2);
    EXPECT_EQ(w->lines.join(' '), memo->caption);
    for (size_t i = 0; i < w->lineWidths.size(); ++i)
        EXPECT_LE(w->lineWidths[i], 25 + 1e-6) << w->lines[int(i)].toStdString();
    EXPECT_DOUBLE_EQ(w->rect.height(), w->lineHeight * w->lines.size());
    EXPECT_DOUBLE_EQ(r.pages[0].findText("AFTER")->rect.top(), 10 + w->rect.height());
}

TEST(ReportBands, AutoSizeAndAlignmentToBand)
{
    ReportForm form;
    Band *d = form.addBand(BandKind::Detail, 6);
    auto *right = d->addLabel(100, 0, 50, 5, QStringLiteral("Suma Sk"), QStringLiteral("R"));
    right->autoSize = true;
    right->alignment = Qt::AlignRight;
    auto *centred = d->addLabel(0, 0, 40, 5, QStringLiteral("HROMADNÝ PRÍKAZ"), QStringLiteral("C"));
    centred->alignToBand = BandAlign::Center;
    const PreparedReport r = form.prepare();
    const PreparedItem *ri = r.pages[0].findText("R");
    EXPECT_NEAR(ri->rect.right(), 10 + 150, 1e-9);
    EXPECT_NEAR(ri->rect.width(), ri->lineWidths[0], 1e-9);
    EXPECT_LT(ri->rect.width(), 50);
    const PreparedItem *ci = r.pages[0].findText("C");
    EXPECT_NEAR(ci->rect.center().x(), 105, 1e-9);   // the middle of the paper between equal margins
}

TEST(ReportBands, PrintOptionsKeepEveryDataElement)
{
    ReportForm form;
    MemoryDataSource q({row({{"X", 5}})});
    form.mainDataSource = &q;
    Band *d = form.addBand(BandKind::Detail, 20, QStringLiteral("D"));
    d->addLabel(0, 0, 20, 5, QStringLiteral("Caption"), QStringLiteral("CAPTION"));
    d->addLabel(0, 5, 20, 5, QStringLiteral("máj 2005"), QStringLiteral("PERIOD"))->tag = 1;
    d->addLabel(0, 10, 20, 5, QStringLiteral("1"), QStringLiteral("VS1"))->dataRole = true;
    d->addMemo(30, 0, 20, 5, {QStringLiteral("fixed")}, QStringLiteral("MEMO"));
    d->addMemo(30, 5, 20, 5, {QStringLiteral("tagged")}, QStringLiteral("TMEMO"))->tag = 2;
    d->addDBText(60, 0, 20, 5, &q, QStringLiteral("X"), {}, QStringLiteral("DATA"));
    d->addExpr(60, 5, 20, 5, QStringLiteral("X+1"), {}, QStringLiteral("EXPR"));
    d->addSysData(60, 10, 20, 5, SysDataKind::PageNumber, {}, QStringLiteral("SYS"));
    d->addShape(0, 0, 100, 20, ShapeType::Rectangle, QStringLiteral("BOX"));
    d->addShape(0, 10, 100, 1, ShapeType::HorizontalLine, QStringLiteral("LINE"));

    form.applyNoFrames();
    form.applyDataOnly();
    const PreparedReport r = form.prepare();
    QStringList names;
    for (const PreparedItem &it : r.pages[0].items)
        names << it.name;
    names.sort();
    EXPECT_EQ(names, QStringList({"DATA", "EXPR", "PERIOD", "SYS", "TMEMO", "VS1"}));
    for (ReportElement *e : form.elements(ElementKind::Shape))
        EXPECT_FALSE(e->enabled);
}

TEST(ReportBands, ShapesCarryBothPenWidthsAndDrawUnderTexts)
{
    ReportForm form;
    Band *d = form.addBand(BandKind::Detail, 20);
    d->addLabel(1, 1, 20, 5, QStringLiteral("text"), QStringLiteral("T"));
    auto *box = d->addShape(0, 0, 50, 10, ShapeType::Rectangle, QStringLiteral("BOX"));
    box->brushColor = QColor(Qt::lightGray);
    d->addShape(0, 0, 50, 10, ShapeType::LeftAndRightLines, QStringLiteral("LR"));
    d->addShape(0, 0, 50, 10, ShapeType::HorizontalLine, QStringLiteral("HL"));
    form.setShapePenWidths(1, 8);
    const PreparedReport r = form.prepare();
    const auto &items = r.pages[0].items;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items.back().name, "T");   // drawn last
    EXPECT_EQ(items[0].type, PreparedItem::Rect);
    EXPECT_EQ(items[0].pen.width(RenderTarget::Screen), 1);
    EXPECT_EQ(items[0].pen.width(RenderTarget::Paper), 8);
    EXPECT_EQ(items[1].line, QLineF(10, 10, 10, 20));
    EXPECT_EQ(items[2].line, QLineF(60, 10, 60, 20));
    EXPECT_EQ(items[3].line, QLineF(10, 15, 60, 15));
}

TEST(ReportData, UnknownFieldsAndBadExpressionsFailThePreparation)
{
    ReportForm form;
    MemoryDataSource q({row({{"X", 5}})});
    form.mainDataSource = &q;
    Band *d = form.addBand(BandKind::Detail, 20);
    auto *t = d->addDBText(0, 0, 20, 5, &q, QStringLiteral("NOPE"));
    EXPECT_THROW(form.prepare(), tarix::EMyError);
    t->field = QStringLiteral("x");   // case-insensitive
    EXPECT_NO_THROW(form.prepare());
    auto *e = d->addExpr(0, 5, 20, 5, QStringLiteral("SUM(X"));
    EXPECT_THROW(form.prepare(), tarix::EMyError);
    e->expression = QStringLiteral("Q9_.X");
    EXPECT_THROW(form.prepare(), tarix::EMyError);
}

TEST(ReportPagination, TitleOnceColumnHeaderOnEveryPageAndThePrintDate)
{
    listForm f(30);
    f.form.printDate = QDate(2005, 6, 10);
    Band *title = f.form.addBand(BandKind::Title, 12, QStringLiteral("TITLE"));
    title->addSysData(0, 0, 50, 5, SysDataKind::Date, QStringLiteral("Dátum: "), QStringLiteral("DATE"));
    Band *cols = f.form.addBand(BandKind::ColumnHeader, 5);
    cols->addLabel(0, 0, 10, 5, QStringLiteral("P.č."), QStringLiteral("COLS"));
    const PreparedReport r = f.form.prepare();
    // Page 1: the title and the column captions take 17 of 247 mm: 23 lines.
    ASSERT_EQ(r.pageCount(), 2);
    EXPECT_EQ(texts(r, "DATE"), QStringList({"1:Dátum: 10.6.2005"}));
    EXPECT_EQ(texts(r, "COLS"), QStringList({"1:P.č.", "2:P.č."}));
    EXPECT_EQ(countNamed(r.pages[0], "N"), 23);
    EXPECT_DOUBLE_EQ(r.pages[0].findText("COLS")->rect.top(), 10 + 20 + 12);
    EXPECT_DOUBLE_EQ(r.pages[1].findText("COLS")->rect.top(), 10 + 20);
    EXPECT_DOUBLE_EQ(r.pages[1].findText("N")->rect.top(), 10 + 20 + 5);
}

// A form without a print date of its own prints the program clock's day, never the
// machine's; the form's own date still wins over the clock.
TEST(ReportPagination, ThePrintDateComesFromTheProgramClock)
{
    const tarix::fmt::ScopedClock clock(QDateTime(QDate(2003, 11, 28), QTime(23, 59)));
    const struct {
        QDate formDate;
        QString expected;
    } cases[] = {
        {QDate(), QStringLiteral("1:Dátum: 28.11.2003")},
        {QDate(2005, 6, 10), QStringLiteral("1:Dátum: 10.6.2005")},
    };
    for (const auto &c : cases) {
        listForm f(1);
        f.form.printDate = c.formDate;
        f.header->addSysData(0, 5, 50, 5, SysDataKind::Date, QStringLiteral("Dátum: "), QStringLiteral("DATE"));
        EXPECT_EQ(texts(f.form.prepare(), "DATE"), QStringList{c.expected}) << c.formDate.toString().toStdString();
    }
}

TEST(ReportPagination, ABandTallerThanAPageIsPlacedOnceAndTheRunEnds)
{
    listForm f(2, 400);
    const PreparedReport r = f.form.prepare();
    ASSERT_EQ(r.pageCount(), 2);
    EXPECT_EQ(texts(r, "N"), QStringList({"1:1", "2:2"}));
}

TEST(ReportBands, BeforePrintMovesAndResizesControlsPerRow)
{
    listForm f(3);
    auto *n = f.form.findAs<ReportDBText>(QStringLiteral("N"));
    f.detail->beforePrint = [&](Band &band, bool &) {
        const int v = f.data.value("N").toInt();
        n->left = v == 2 ? 120 : 20;
        band.height = v == 2 ? 25 : 10;
    };
    const PreparedReport r = f.form.prepare();
    EXPECT_DOUBLE_EQ(r.pages[0].findText("N", 0)->rect.left(), 30);
    EXPECT_DOUBLE_EQ(r.pages[0].findText("N", 1)->rect.left(), 130);
    EXPECT_DOUBLE_EQ(r.pages[0].findText("N", 2)->rect.top(), 30 + 10 + 25);
}
