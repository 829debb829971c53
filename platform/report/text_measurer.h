#pragma once
// Text measuring for pagination: each font the layouts use is built once, and each text is
// measured once per font. A report of thousands of rows repeats most of its texts (column
// captions, page headers, the same amounts and names laid out twice when a band's texts
// change after its aggregates), and Qt's text shaping is the expensive part of laying out.
//
// Widths are millimetres at the measuring resolution of 600 dpi, without hinting, so they
// do not depend on the screen. The caches belong to one measurer, which lives for one run.
#include "platform/report/fonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace tarix::rpt {

class MeasuredFont {
public:
    MeasuredFont(const QFont &font, const QPaintDevice *device);

    const QFont &font() const { return m_font; }
    double lineHeight() const { return m_lineHeight; }   // mm
    double ascent() const { return m_ascent; }           // mm

    // The advance of one line of text in this font, mm.
    double width(const QString &text) const;

    // The lines a paragraph wraps into in a box of `maxWidth` mm: greedy at blanks, a word
    // wider than the box breaks between letters. A paragraph that fits stays one line.
    QStringList wrap(const QString &paragraph, double maxWidth) const;

    int cachedWidths() const { return int(m_widths.size()); }

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    double m_lineHeight;
    double m_ascent;
    mutable QHash<QString, double> m_widths;
};

class TextMeasurer {
public:
    TextMeasurer();
    TextMeasurer(const TextMeasurer &) = delete;
    TextMeasurer &operator=(const TextMeasurer &) = delete;

    // The font a layout font stands for; the reference stays valid for the measurer's life.
    const MeasuredFont &font(const FontSpec &spec);

private:
    QImage m_device;
    std::vector<std::pair<FontSpec, std::unique_ptr<MeasuredFont>>> m_fonts;
    const MeasuredFont *m_last = nullptr;
    const FontSpec *m_lastSpec = nullptr;
};

} // namespace tarix::rpt
