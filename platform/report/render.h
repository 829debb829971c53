#pragma once
// Renderers of prepared pages: any QPainter (screen images, PDF; printers in qt/print.h) and the
// plain-text export. Every renderer draws the same prepared pages; only the shapes' pen
// width depends on the target (thin on screen, the paper width on printers and PDF).
#include "platform/report/prepared.h"
#include <QImage>
#include <QPageLayout>
#include <QPointF>
#include <QString>

class QPainter;
class QIODevice;

namespace tarix::rpt {

// Draws a page on a painter whose device has the given resolution, the paper's top-left
// corner at `origin` (device pixels).
void renderPage(QPainter &painter, const PreparedPage &page, RenderTarget target,
                double dpiX, double dpiY, QPointF origin = {});

// The page as an image at `dpi` (white paper).
QImage renderPageImage(const PreparedPage &page, double dpi, RenderTarget target = RenderTarget::Screen);

// A4 in the orientation, the whole paper as the drawing area.
QPageLayout pageLayoutFor(Orientation o);

// PDF with the fonts embedded (paper pen widths). The file is written under a temporary
// name and replaces `fileName` only when complete. A report without pages is refused.
bool writePdf(const PreparedReport &report, const QString &fileName, QString *error = nullptr);
bool writePdf(const PreparedReport &report, QIODevice *device, QString *error = nullptr);

// Plain-text export: every text on a character grid of 10 characters per inch and 6 lines
// per inch (2.54 mm by 25.4/6 mm) measured from the paper's corner. Texts that stand on
// one line of the page (their middles closer than kTextSameLineFraction of the smaller
// line height) form one text line, ordered by their left edge; lines apart on the page
// stay apart in the text and in their order: a line whose grid row the line above already
// took moves down one row. A text whose cells are taken moves right, one blank after its
// neighbour, so nothing is overwritten or lost.
// Lines end with CR LF, trailing blanks and blank lines at a page's end are dropped, pages
// are separated by a form feed (FF, 0x0C) that starts the next page's first line. Frames
// and shapes are not exported. The file is UTF-8 without a byte order mark.
QString exportText(const PreparedReport &report);
bool writeText(const PreparedReport &report, const QString &fileName, QString *error = nullptr);

constexpr double kTextColumnMm = 2.54;
constexpr double kTextRowMm = 25.4 / 6.0;
constexpr double kTextSameLineFraction = 0.4;

} // namespace tarix::rpt
