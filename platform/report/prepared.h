#pragma once
// A prepared report: pages of positioned primitives in millimetres from the paper's
// top-left corner. Prepared once per run; every renderer (preview, printer, PDF, text)
// draws the same pages.
#include "platform/report/layout.h"
#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

namespace tarix::rpt {

enum class RenderTarget { Screen, Paper };   // Paper covers printers and PDF

struct PreparedPen {
    double widthScreen = 1;          // pen units (kPenUnitMm)
    double widthPaper = 1;
    Qt::PenStyle style = Qt::SolidLine;
    QColor color = Qt::black;

    double width(RenderTarget t) const { return t == RenderTarget::Screen ? widthScreen : widthPaper; }
    bool operator==(const PreparedPen &) const = default;
};

struct PreparedItem {
    enum Type { Text, Fill, Line, Rect, Ellipse };
    Type type = Text;
    QRectF rect;                      // text box, fill, rectangle or ellipse
    QLineF line;                      // for Line
    PreparedPen pen;                  // Line, Rect, Ellipse
    QColor brush;                     // Fill, Rect, Ellipse (invalid: none)

    // Text: the lines as laid out (wrapped), each with its measured width.
    QStringList lines;
    std::vector<double> lineWidths;
    QFont font;
    QColor color = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft;
    double lineHeight = 0;            // mm
    double ascent = 0;                // mm

    QString name;                     // the control or band it came from
    ElementKind source = ElementKind::Band;

    QString text() const { return lines.join(QLatin1Char('\n')); }
    bool operator==(const PreparedItem &) const = default;
};

struct PreparedPage {
    QSizeF size;                      // mm
    Orientation orientation = Orientation::Portrait;
    std::vector<PreparedItem> items;

    // Test and export helpers.
    std::vector<const PreparedItem *> texts() const;
    const PreparedItem *findText(const QString &name, int occurrence = 0) const;
    std::vector<const PreparedItem *> itemsNamed(const QString &name) const;
    bool operator==(const PreparedPage &) const = default;
};

struct PreparedReport {
    bool printed = true;              // false when the report's BeforePrint cancelled it
    QString title;
    int previewZoom = 100;
    std::vector<PreparedPage> pages;
    // Where saving the report to a file (PDF, text, prepared report) starts, and the name it
    // proposes without its extension ("VP2005A_200703_102"); the launcher of the report
    // knows both (see SaveProposalScope), the engine neither. Empty: the current folder, no name.
    QString saveFolder;
    QString saveBaseName;

    int pageCount() const { return int(pages.size()); }
};

} // namespace tarix::rpt
