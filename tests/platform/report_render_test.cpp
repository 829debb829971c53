// Renderers of prepared pages: PDF, printer, screen images, text export and the preview.
#include <gtest/gtest.h>
#include "platform/report/layout.h"
#include "platform/report/prepared.h"
#include "platform/report/qt/preview.h"
#include "platform/report/render.h"
#include "platform/report/qt/print.h"
#include <QApplication>
#include <QFile>
#include <QPageRanges>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

using namespace tarix::rpt;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int pdfPageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int n = 0;
    auto it = page.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

// A small report: `pages` pages, each with a title, a Slovak text and a framed box.
struct SmallReport {
    ReportForm form;
    MemoryDataSource data;

    explicit SmallReport(int pages, Orientation o = Orientation::Portrait)
    {
        for (int i = 1; i <= pages; ++i)
            data.appendRow({{"N", i}, {"TEXT", QStringLiteral("Mzdové náležitosti č. %1").arg(i)}});
        form.page.orientation = o;
        form.title = QStringLiteral("Výplatné pásky");
        form.mainDataSource = &data;
        Band *d = form.addBand(BandKind::Detail, 40);
        d->forceNewPage = true;
        d->addDBText(5, 5, 80, 6, &data, QStringLiteral("TEXT"), {}, QStringLiteral("TEXT"));
        d->addShape(0, 0, 100, 30, ShapeType::Rectangle, QStringLiteral("BOX"));
        form.setShapePenWidths(1, 8);
    }
};

// Thickness in pixels of the dark run crossing column x of an image.
int darkRun(const QImage &img, int x)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        if (qGray(img.pixel(x, y)) < 128)
            ++n;
    return n;
}

} // namespace

TEST(ReportRender, PdfIsWrittenWithEmbeddedFonts)
{
    SmallReport s(2);
    const PreparedReport r = s.form.prepare();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zostava.pdf"));
    QString error;
    ASSERT_TRUE(writePdf(r, path, &error)) << error.toStdString();
    const QByteArray pdf = readAll(path);
    ASSERT_GT(pdf.size(), 1000);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdfPageCount(pdf), 2);
    EXPECT_TRUE(pdf.contains("/FontFile2")) << "fonts are not embedded";
    EXPECT_TRUE(pdf.contains("LiberationSans"));

    // A report without pages writes nothing and leaves an existing file alone.
    PreparedReport empty;
    EXPECT_FALSE(writePdf(empty, path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path), pdf);
}

TEST(ReportRender, PenWidthFollowsTheTargetNotTheRenderingCount)
{
    ReportForm form;
    Band *d = form.addBand(BandKind::Detail, 20);
    d->addShape(0, 0, 50, 10, ShapeType::HorizontalLine, QStringLiteral("LINE"));
    form.setShapePenWidths(1, 8);
    const PreparedReport r = form.prepare();
    const int x = qRound(35 / 25.4 * 600);   // the line runs from 10 to 60 mm
    const QImage screen = renderPageImage(r.pages[0], 600, RenderTarget::Screen);
    const QImage paper = renderPageImage(r.pages[0], 600, RenderTarget::Paper);
    EXPECT_LE(darkRun(screen, x), 2);
    EXPECT_GE(darkRun(paper, x), 7);
    EXPECT_LE(darkRun(paper, x), 9);
    // Printing again from the same preview draws the paper width again.
    EXPECT_EQ(renderPageImage(r.pages[0], 600, RenderTarget::Paper), paper);
    EXPECT_EQ(renderPageImage(r.pages[0], 600, RenderTarget::Screen), screen);
}

TEST(ReportRender, TextIsDrawnInsideItsBox)
{
    ReportForm form;
    Band *d = form.addBand(BandKind::Detail, 20);
    auto *l = d->addLabel(20, 5, 60, 8, QStringLiteral("ŽŠČŤ"), QStringLiteral("T"));
    l->font.pointSize = 20;
    l->alignment = Qt::AlignRight;
    const PreparedReport r = form.prepare();
    const QImage img = renderPageImage(r.pages[0], 150, RenderTarget::Screen);
    const double px = 150 / 25.4;
    QRect ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    const QRectF box(30 * px, 15 * px, 60 * px, 8 * px);
    EXPECT_GE(ink.left(), box.left() + 10 * px);   // right-aligned: starts well inside
    EXPECT_LE(ink.right(), box.right() + 1);
    EXPECT_GE(ink.top(), box.top() - 1);
    EXPECT_LE(ink.bottom(), box.bottom() + 1);
}

TEST(ReportRender, PrinterDefaultsCopiesAndPageRange)
{
    SmallReport s(4, Orientation::Landscape);
    const PreparedReport r = s.form.prepare();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("print.pdf")));
    printer.setCopyCount(3);
    configurePrinter(printer, r);
    EXPECT_EQ(printer.copyCount(), 1);
    EXPECT_EQ(printer.duplex(), QPrinter::DuplexNone);
    EXPECT_EQ(printer.paperSource(), QPrinter::Auto);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_TRUE(printer.fullPage());

    printer.setCopyCount(2);
    QPageRanges ranges;
    ranges.addRange(2, 3);
    printer.setPageRanges(ranges);
    const int sent = printReport(r, printer);
    const int expected = printer.supportsMultipleCopies() ? 2 : 4;
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(pdfPageCount(readAll(printer.outputFileName())), expected);
}

TEST(ReportRender, TextExportOnACharacterGrid)
{
    ReportForm form;
    form.page = PageSetup{Orientation::Portrait, 0, 0, 0, 0};
    MemoryDataSource q({{{"N", 1}}, {{"N", 2}}});
    form.mainDataSource = &q;
    Band *d = form.addBand(BandKind::Detail, 30);
    d->forceNewPage = true;
    d->addLabel(0, 0, 20, 4, QStringLiteral("Meno"));                       // row 0, column 0
    d->addLabel(25.4, 0, 30, 4, QStringLiteral("Ján Nový"));                 // column 10
    d->addDBText(50.8, 0, 10, 4, &q, QStringLiteral("N"));                   // column 20
    d->addLabel(0, 8.5, 40, 4, QStringLiteral("ABCDEFGHIJ"));                // row 2 (after a blank row)
    d->addLabel(5.08, 8.5, 20, 4, QStringLiteral("XY"));                     // taken cells: moves right
    d->addShape(0, 0, 100, 20, ShapeType::Rectangle);                        // not exported
    const PreparedReport r = form.prepare();
    const QString expected = QStringLiteral("Meno      Ján Nový  1\r\n"
                                            "\r\n"
                                            "ABCDEFGHIJ XY\r\n"
                                            "\fMeno      Ján Nový  2\r\n"
                                            "\r\n"
                                            "ABCDEFGHIJ XY\r\n");
    EXPECT_EQ(exportText(r), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zostava.txt"));
    ASSERT_TRUE(writeText(r, path));
    EXPECT_EQ(readAll(path), expected.toUtf8());   // UTF-8, no byte order mark
}

TEST(ReportPreview, NavigationZoomAndFiles)
{
    SmallReport s(3);
    const PreparedReport r = s.form.prepare();
    PreviewDialog dlg(r);
    dlg.resize(600, 500);
    EXPECT_EQ(dlg.pageCount(), 3);
    EXPECT_EQ(dlg.statusText(), QStringLiteral("Strana 1 z 3    Zväčšenie 100 %"));
    dlg.previousPage();
    EXPECT_EQ(dlg.currentPage(), 0);
    dlg.nextPage();
    EXPECT_EQ(dlg.currentPage(), 1);
    dlg.lastPage();
    EXPECT_EQ(dlg.currentPage(), 2);
    dlg.nextPage();
    EXPECT_EQ(dlg.currentPage(), 2);
    dlg.firstPage();
    EXPECT_EQ(dlg.currentPage(), 0);

    dlg.zoomToFit();
    const double fit = dlg.zoomPercent();
    dlg.zoomToPageWidth();
    const double width = dlg.zoomPercent();
    EXPECT_LT(fit, 100);
    EXPECT_GT(width, fit);   // a portrait page in a landscape-ish window
    dlg.zoom100();
    EXPECT_EQ(dlg.zoomPercent(), 100);

    QTemporaryDir dir;
    EXPECT_TRUE(dlg.savePdf(dir.filePath(QStringLiteral("a.pdf"))));
    EXPECT_TRUE(readAll(dir.filePath(QStringLiteral("a.pdf"))).startsWith("%PDF"));
    EXPECT_TRUE(dlg.saveText(dir.filePath(QStringLiteral("a.txt"))));
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("a.txt"))), exportText(r).toUtf8());

    PreviewDialog none{PreparedReport()};
    EXPECT_EQ(none.statusText(), QStringLiteral("Zostava neobsahuje žiadne strany"));
}

TEST(ReportPreview, PreviewReturnsOnlyWhenTheWindowIsClosed)
{
    SmallReport s(2);
    s.form.previewZoom = 80;
    int seenPages = -1;
    double seenZoom = 0;
    bool closedByTimer = false;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dlg = qobject_cast<PreviewDialog *>(w); dlg && dlg->isVisible()) {
                seenPages = dlg->pageCount();
                seenZoom = dlg->zoomPercent();
                closedByTimer = true;
                dlg->accept();
            }
    });
    installDialogPreviewHost();
    setDefaultPreviewHost(nullptr);   // the window
    EXPECT_TRUE(s.form.preview());
    EXPECT_TRUE(closedByTimer);
    EXPECT_EQ(seenPages, 2);
    EXPECT_EQ(seenZoom, 80);

    CapturingPreviewHost capture;
    setDefaultPreviewHost(&capture);
    EXPECT_TRUE(s.form.preview());
    setDefaultPreviewHost(nullptr);
    EXPECT_EQ(capture.shownCount, 1);
    EXPECT_EQ(capture.last.pageCount(), 2);
    EXPECT_EQ(capture.last.title, QStringLiteral("Výplatné pásky"));
}
