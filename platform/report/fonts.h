#pragma once
// Fonts of the report layouts.
//
// The layouts were drawn for Arial, Arial Narrow, Arial Black, Times New Roman and Courier
// New in fixed boxes. They print with the metric-compatible Liberation faces; this is the
// one place that maps the names, so that measurements (and the tests that pin them) do not
// depend on what else is installed.
#include <QFont>
#include <QString>

namespace tarix::rpt {

struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontSpec &) const = default;
};

// The installed face that stands for a layout font name (unknown names are kept).
QString substituteFamily(const QString &layoutFamily);

// The QFont the engine measures and draws with: substituted family, size in points,
// no hinting (so that widths scale with the resolution and the prepared pages look the
// same on screen, paper and PDF). "Arial Black" is the sans face at black weight.
QFont makeFont(const FontSpec &spec);

} // namespace tarix::rpt
