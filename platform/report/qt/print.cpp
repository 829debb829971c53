#include "platform/report/qt/print.h"

#include "platform/report/render.h"

#include <QPageRanges>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <vector>

namespace tarix::rpt {

void configurePrinter(QPrinter &printer, const PreparedReport &report)
{
    const Orientation o = report.pages.empty() ? Orientation::Portrait : report.pages.front().orientation;
    printer.setPageLayout(pageLayoutFor(o));
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setPaperSource(QPrinter::Auto);
    printer.setDocName(report.title);
}

int printReport(const PreparedReport &report, QPrinter &printer)
{
    std::vector<size_t> pages;
    const QPageRanges ranges = printer.pageRanges();
    for (size_t i = 0; i < report.pages.size(); ++i)
        if (ranges.isEmpty() || ranges.contains(int(i) + 1))
            pages.push_back(i);
    if (pages.empty())
        return 0;
    const int passes = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    printer.setFullPage(true);
    QPainter painter;
    printer.setPageOrientation(report.pages[pages.front()].orientation == Orientation::Portrait
                                   ? QPageLayout::Portrait : QPageLayout::Landscape);
    if (!painter.begin(&printer))
        return 0;
    int sent = 0;
    for (int pass = 0; pass < passes; ++pass)
        for (size_t i : pages) {
            if (sent > 0) {
                printer.setPageOrientation(report.pages[i].orientation == Orientation::Portrait
                                               ? QPageLayout::Portrait : QPageLayout::Landscape);
                printer.newPage();
            }
            // The printer's origin is the paper's corner (full page); printers that cannot
            // print there clip the border as they would any other program's page.
            renderPage(painter, report.pages[i], RenderTarget::Paper, printer.logicalDpiX(), printer.logicalDpiY());
            ++sent;
        }
    painter.end();
    return sent;
}

} // namespace tarix::rpt
