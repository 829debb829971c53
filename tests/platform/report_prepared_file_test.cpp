// A prepared report saved to a file and opened again in the preview: the same pages, printed
// to PDF like the original; damaged, foreign and newer files are refused with a message.
#include <gtest/gtest.h>
#include "platform/report/layout.h"
#include "platform/report/prepared.h"
#include "platform/report/prepared_file.h"
#include "platform/report/qt/preview.h"
#include "platform/report/qt/print.h"
#include "platform/report/render.h"
#include <QApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>
#include <QMessageBox>
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

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

int pdfPageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int n = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next())
        ++n;
    return n;
}

// A report of three pages holding every kind of item: texts in several fonts, alignments
// and colours (one wrapped over lines), a filled band, lines, a dashed rectangle with a
// brush, a circle; the last page landscape.
struct MixedReport {
    ReportForm form;
    MemoryDataSource data;

    MixedReport()
    {
        for (int i = 1; i <= 3; ++i)
            data.appendRow({{"N", i}, {"TEXT", QStringLiteral("Mzdové náležitosti č. %1 – Ľubomír Šťastný").arg(i)}});
        form.title = QStringLiteral("Výplatné pásky");
        form.previewZoom = 80;
        form.mainDataSource = &data;
        Band *h = form.addBand(BandKind::PageHeader, 12);
        h->color = QColor(230, 230, 230);
        ReportLabel *t = h->addLabel(0, 2, 190, 8, QStringLiteral("Rekapitulácia"), QStringLiteral("TITLE"));
        t->font = FontSpec{QStringLiteral("Times New Roman"), 14, true, true};
        t->alignment = Qt::AlignHCenter;
        Band *d = form.addBand(BandKind::Detail, 60);
        d->forceNewPage = true;
        ReportDBText *text = d->addDBText(5, 5, 40, 6, &data, QStringLiteral("TEXT"), {}, QStringLiteral("TEXT"));
        text->wordWrap = true;
        text->autoStretch = true;
        ReportDBText *n = d->addDBText(150, 5, 30, 6, &data, QStringLiteral("N"), QStringLiteral("0.00"), QStringLiteral("N"));
        n->alignment = Qt::AlignRight;
        n->font = FontSpec{QStringLiteral("Courier New"), 9};
        n->fontColor = Qt::darkBlue;
        ReportShape *box = d->addShape(0, 0, 190, 50, ShapeType::Rectangle, QStringLiteral("BOX"));
        box->penStyle = Qt::DashLine;
        box->brushColor = QColor(250, 250, 200);
        d->addShape(0, 25, 190, 0, ShapeType::HorizontalLine, QStringLiteral("LINE"));
        d->addShape(160, 30, 15, 15, ShapeType::Circle, QStringLiteral("CIRCLE"));
        form.setShapePenWidths(1, 8);
    }
};

PreparedReport mixedPrepared()
{
    MixedReport m;
    PreparedReport r = m.form.prepare();
    r.pages.back().orientation = Orientation::Landscape;
    r.pages.back().size = r.pages.back().size.transposed();
    return r;
}

// A file of the format around `payload`, with a correct length and digest.
QByteArray fileAround(const QByteArray &payload)
{
    QByteArray numbers;
    QDataStream s(&numbers, QIODevice::WriteOnly);
    s << kPreparedFileVersion << quint64(payload.size());
    return QByteArray("TARIXZOS") + numbers + QCryptographicHash::hash(payload, QCryptographicHash::Sha256) + payload;
}

// The start of a payload: the report's own values, then `pages` as the page count.
QByteArray payloadStart(quint32 pages)
{
    QByteArray p;
    QDataStream s(&p, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << true << QStringLiteral("Zostava") << qint32(100) << pages;
    return p;
}

// Runs `action` while a message box it opens is answered; returns the box's text.
QString messageShownBy(const std::function<void()> &action)
{
    QString text;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    action();
    return text;
}

} // namespace

TEST(PreparedReportFile, ReopenedInThePreviewItPrintsTheSamePages)
{
    const PreparedReport original = mixedPrepared();
    ASSERT_EQ(original.pageCount(), 3);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pasky.tzs"));

    PreviewDialog shown(original);
    ASSERT_TRUE(shown.saveReport(path));

    // Another preview (here an empty one) opens the file in place of what it shows.
    PreviewDialog dlg{PreparedReport()};
    dlg.resize(600, 500);
    ASSERT_TRUE(dlg.openReport(path));
    const PreparedReport &reopened = dlg.report();
    EXPECT_EQ(reopened.title, original.title);
    EXPECT_EQ(reopened.previewZoom, original.previewZoom);
    EXPECT_EQ(reopened.printed, original.printed);
    ASSERT_EQ(reopened.pageCount(), original.pageCount());
    for (int i = 0; i < original.pageCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(reopened.pages[size_t(i)], original.pages[size_t(i)]);
        EXPECT_EQ(renderPageImage(reopened.pages[size_t(i)], 100, RenderTarget::Paper),
                  renderPageImage(original.pages[size_t(i)], 100, RenderTarget::Paper));
    }
    EXPECT_EQ(dlg.windowTitle(), original.title);
    EXPECT_EQ(dlg.statusText(), QStringLiteral("Strana 1 z 3    Zväčšenie 100 %"));
    dlg.lastPage();
    EXPECT_EQ(dlg.currentPage(), 2);
    EXPECT_EQ(exportText(reopened), exportText(original));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("znova.pdf")));
    configurePrinter(printer, reopened);
    EXPECT_EQ(printReport(reopened, printer), 3);
    EXPECT_EQ(pdfPageCount(readAll(printer.outputFileName())), 3);

    // Saving the reopened report writes the same file again.
    const QString again = dir.filePath(QStringLiteral("znova.tzs"));
    ASSERT_TRUE(dlg.saveReport(again));
    EXPECT_EQ(readAll(again), readAll(path));
}

TEST(PreparedReportFile, ATruncatedFileIsRefusedInThePreviewWithTheMessage)
{
    const PreparedReport original = mixedPrepared();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pasky.tzs"));
    ASSERT_TRUE(savePreparedReport(original, path));
    const QByteArray whole = readAll(path);
    writeAll(path, whole.left(whole.size() * 2 / 3));

    PreparedReport shownBefore;
    shownBefore.title = QStringLiteral("Iná zostava");
    shownBefore.pages.push_back(original.pages.front());
    PreviewDialog dlg(shownBefore);
    bool opened = true;
    const QString message = messageShownBy([&] { opened = dlg.openReport(path); });
    EXPECT_FALSE(opened);
    EXPECT_TRUE(message.contains(QStringLiteral("je poškodený alebo neúplný"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("pasky.tzs"))) << message.toStdString();
    // What the preview showed stays.
    EXPECT_EQ(dlg.report().title, shownBefore.title);
    EXPECT_EQ(dlg.pageCount(), 1);
}

TEST(PreparedReportFile, DamagedForeignAndNewerFilesAreRefused)
{
    const QByteArray good = preparedReportBytes(mixedPrepared());
    ASSERT_TRUE(preparedReportFromBytes(good, QStringLiteral("a.tzs")).has_value());

    QByteArray flipped = good;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x20);
    QByteArray longer = good + QByteArray("x");
    QByteArray newer = good;
    {
        QDataStream s(&newer, QIODevice::ReadWrite);
        s.skipRawData(8);
        s << quint32(kPreparedFileVersion + 1);
    }
    // Files whose digest matches what they hold but whose contents do not make a report.
    const QByteArray hugeCount = fileAround(payloadStart(0x7fffffff));
    QByteArray badOrientation = payloadStart(1);
    {
        QByteArray page;
        QDataStream s(&page, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_6_0);
        s << QSizeF(210, 297) << qint32(7) << quint32(0);
        badOrientation += page;
    }
    QByteArray noPage = payloadStart(0);
    ASSERT_TRUE(preparedReportFromBytes(fileAround(noPage), QStringLiteral("c.tzs")).has_value());

    struct Case {
        const char *what;
        QByteArray bytes;
        const char *message;
    } cases[] = {
        {"empty file", QByteArray(), "nie je uložená tlačová zostava"},
        {"a PDF", QByteArray("%PDF-1.4\n%âãÏÓ\n1 0 obj"), "nie je uložená tlačová zostava"},
        {"only the signature", good.left(8), "je poškodený alebo neúplný"},
        {"cut in the header", good.left(30), "je poškodený alebo neúplný"},
        {"cut in the pages", good.left(good.size() - 10), "je poškodený alebo neúplný"},
        {"one byte changed", flipped, "je poškodený alebo neúplný"},
        {"bytes added", longer, "je poškodený alebo neúplný"},
        {"a newer format", newer, "vo formáte verzie 2, ktorý tento program nepozná"},
        {"a page count beyond the file", hugeCount, "je poškodený alebo neúplný"},
        {"an unknown orientation", fileAround(badOrientation), "je poškodený alebo neúplný"},
        {"more after the last page", fileAround(noPage + QByteArray(4, '\0')), "je poškodený alebo neúplný"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        EXPECT_FALSE(preparedReportFromBytes(c.bytes, QStringLiteral("/tmp/x.tzs"), &error).has_value());
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("/tmp/x.tzs"))) << error.toStdString();
    }
}

TEST(PreparedReportFile, MissingFilesAndFoldersAreReported)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(loadPreparedReport(dir.filePath(QStringLiteral("nie je.tzs")), &error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("sa nedá otvoriť"))) << error.toStdString();
    error.clear();
    EXPECT_FALSE(savePreparedReport(mixedPrepared(), dir.filePath(QStringLiteral("chyba/x.tzs")), &error));
    EXPECT_FALSE(error.isEmpty());
}
