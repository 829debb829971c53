#include "platform/report/render.h"

#include "platform/errors.h"
#include "platform/shell/atomic_file.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace tarix::rpt {

namespace {

QPen makePen(const PreparedPen &p, RenderTarget target, double dpi)
{
    double px = p.width(target) * kPenUnitMm * dpi / 25.4;
    px = std::max(px, 1.0);   // never thinner than one device pixel or dot
    QPen pen(p.color, px, p.style, Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

} // namespace

QPageLayout pageLayoutFor(Orientation o)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       o == Orientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void renderPage(QPainter &painter, const PreparedPage &page, RenderTarget target, double dpiX, double dpiY, QPointF origin)
{
    const double sx = dpiX / 25.4;
    const double sy = dpiY / 25.4;
    const double dpi = (dpiX + dpiY) / 2;
    auto pt = [&](QPointF p) { return QPointF(origin.x() + p.x() * sx, origin.y() + p.y() * sy); };
    auto rc = [&](const QRectF &r) { return QRectF(pt(r.topLeft()), pt(r.bottomRight())); };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, target == RenderTarget::Screen);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const QFont *lastFont = nullptr;
    // The lines of a page mostly share one pen: it is built when it changes.
    const PreparedPen *lastPen = nullptr;
    QPen pen;
    auto setPen = [&](const PreparedPen &p) {
        if (!lastPen || !(p == *lastPen)) {
            pen = makePen(p, target, dpi);
            lastPen = &p;
        }
        painter.setPen(pen);
    };
    for (const PreparedItem &it : page.items) {
        switch (it.type) {
        case PreparedItem::Fill:
            painter.fillRect(rc(it.rect), it.brush);
            break;
        case PreparedItem::Line:
            setPen(it.pen);
            painter.drawLine(QLineF(pt(it.line.p1()), pt(it.line.p2())));
            break;
        case PreparedItem::Rect:
        case PreparedItem::Ellipse:
            setPen(it.pen);
            painter.setBrush(it.brush.isValid() ? QBrush(it.brush) : QBrush(Qt::NoBrush));
            if (it.type == PreparedItem::Rect)
                painter.drawRect(rc(it.rect));
            else
                painter.drawEllipse(rc(it.rect));
            painter.setBrush(Qt::NoBrush);
            break;
        case PreparedItem::Text: {
            // Most texts of a page share a few fonts: the painter's font changes only when
            // the text's does.
            if (!lastFont || !(it.font == *lastFont)) {
                painter.setFont(it.font);
                lastFont = &it.font;
            }
            painter.setPen(it.color);
            for (int i = 0; i < it.lines.size(); ++i) {
                const QString &line = it.lines[i];
                if (line.isEmpty())
                    continue;
                const double w = size_t(i) < it.lineWidths.size() ? it.lineWidths[size_t(i)] : 0;
                double x = it.rect.left();
                if (it.alignment & Qt::AlignRight)
                    x = it.rect.right() - w;
                else if (it.alignment & Qt::AlignHCenter)
                    x = it.rect.left() + (it.rect.width() - w) / 2;
                const double base = it.rect.top() + i * it.lineHeight + it.ascent;
                painter.drawText(pt(QPointF(x, base)), line);
            }
            break;
        }
        }
    }
    painter.restore();
}

QImage renderPageImage(const PreparedPage &page, double dpi, RenderTarget target)
{
    const QSize px(qMax(1, qRound(page.size.width() * dpi / 25.4)), qMax(1, qRound(page.size.height() * dpi / 25.4)));
    QImage img(px, QImage::Format_RGB32);
    const int dpm = qRound(dpi / 0.0254);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    img.fill(Qt::white);
    QPainter p(&img);
    renderPage(p, page, target, dpi, dpi);
    p.end();
    return img;
}

bool writePdf(const PreparedReport &report, QIODevice *device, QString *error)
{
    if (report.pages.empty()) {
        if (error)
            *error = QStringLiteral("Tlačová zostava neobsahuje žiadne strany.");
        return false;
    }
    QPdfWriter writer(device);
    writer.setResolution(600);
    writer.setTitle(report.title);
    writer.setCreator(QStringLiteral("TARIX"));
    writer.setPageLayout(pageLayoutFor(report.pages.front().orientation));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("Súbor PDF sa nedá vytvoriť.");
        return false;
    }
    const double dpi = writer.resolution();
    for (size_t i = 0; i < report.pages.size(); ++i) {
        if (i > 0) {
            writer.setPageLayout(pageLayoutFor(report.pages[i].orientation));
            writer.newPage();
        }
        renderPage(painter, report.pages[i], RenderTarget::Paper, dpi, dpi);
    }
    painter.end();
    return true;
}

bool writePdf(const PreparedReport &report, const QString &fileName, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!writePdf(report, &file, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

namespace {

// One line of a text item as it stands on the page.
struct TextPiece {
    double top = 0;        // mm
    double middle = 0;     // mm, the middle of the line's height
    double height = 0;     // mm
    double x = 0;          // mm, where the ink starts
    QString text;
};

// The lines of one page's texts grouped into the rows they form on the paper. Lines whose
// middles are closer than a part of the smaller line's height share a row (a caption and
// its amount in another font); lines farther apart, such as payslip rows a few millimetres
// apart, each get their own row even when both fall into the same grid row. A row takes
// its grid row unless the row above already holds it, so blank rows stay where the page
// has a gap and no row is merged into another.
std::vector<std::pair<int, std::vector<TextPiece>>> pageRows(const PreparedPage &page)
{
    std::vector<TextPiece> pieces;
    for (const PreparedItem &it : page.items) {
        if (it.type != PreparedItem::Text)
            continue;
        for (int i = 0; i < it.lines.size(); ++i) {
            if (it.lines[i].trimmed().isEmpty())
                continue;
            const double w = size_t(i) < it.lineWidths.size() ? it.lineWidths[size_t(i)] : 0;
            TextPiece p;
            p.x = it.rect.left();
            if (it.alignment & Qt::AlignRight)
                p.x = it.rect.right() - w;
            else if (it.alignment & Qt::AlignHCenter)
                p.x = it.rect.left() + (it.rect.width() - w) / 2;
            p.top = it.rect.top() + i * it.lineHeight;
            p.height = std::max(it.lineHeight, 0.1);
            p.middle = p.top + it.lineHeight / 2;
            p.text = it.lines[i];
            pieces.push_back(std::move(p));
        }
    }
    std::stable_sort(pieces.begin(), pieces.end(), [](const TextPiece &a, const TextPiece &b) { return a.middle < b.middle; });

    std::vector<std::pair<int, std::vector<TextPiece>>> rows;
    double anchorMiddle = 0;
    double anchorHeight = 0;
    for (TextPiece &p : pieces) {
        const bool sameRow = !rows.empty()
                             && p.middle - anchorMiddle < kTextSameLineFraction * std::min(anchorHeight, p.height);
        if (!sameRow) {
            int row = std::max(0, int(p.middle / kTextRowMm));
            if (!rows.empty())
                row = std::max(row, rows.back().first + 1);
            rows.emplace_back(row, std::vector<TextPiece>{});
            anchorMiddle = p.middle;
            anchorHeight = p.height;
        }
        rows.back().second.push_back(std::move(p));
    }
    return rows;
}

} // namespace

QString exportText(const PreparedReport &report)
{
    QString out;
    for (size_t p = 0; p < report.pages.size(); ++p) {
        if (p > 0)
            out += QLatin1Char('\f');
        int nextRow = 0;
        for (auto &[row, pieces] : pageRows(report.pages[p])) {
            std::stable_sort(pieces.begin(), pieces.end(), [](const TextPiece &a, const TextPiece &b) { return a.x < b.x; });
            for (; nextRow < row; ++nextRow)
                out += QLatin1String("\r\n");
            QString line;
            for (const TextPiece &piece : pieces) {
                int at = std::max(0, qRound(piece.x / kTextColumnMm));
                if (!line.isEmpty() && at <= line.size())
                    at = line.size() + (at < line.size() || line.back() != QLatin1Char(' ') ? 1 : 0);
                if (line.size() < at)
                    line += QString(at - line.size(), QLatin1Char(' '));
                line += piece.text;
            }
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
            out += line;
            out += QLatin1String("\r\n");
            nextRow = row + 1;
        }
    }
    return out;
}

bool writeText(const PreparedReport &report, const QString &fileName, QString *error)
{
    try {
        shell::writeFileAtomically(fileName, exportText(report).toUtf8());
        return true;
    } catch (const EMyError &e) {
        if (error)
            *error = e.text();
        return false;
    }
}

} // namespace tarix::rpt
