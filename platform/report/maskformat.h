#pragma once
// Value texts of the report engine.
//
// Display masks ("0.00", "### ### ##0 Sk", "+0.00;-0.00;0.00") are formatted by the
// program's one number formatter (platform/format); setMaskFormatter() replaces it, for
// example in a test that pins texts of its own.
#include <QString>
#include <QVariant>
#include <functional>

namespace tarix::rpt {

using MaskFormatter = std::function<QString(const QString &mask, const QVariant &value)>;

// Process-wide; an empty function restores the default. The formatter is called for
// every value text, also with an empty mask (the plain text of a value).
// Stays a setter, not a registry entry: a test seam in platform/, below the core's registries.
void setMaskFormatter(MaskFormatter formatter);
const MaskFormatter &maskFormatter();

// The text of a value under a mask (an empty mask gives the plain text): a null value is
// an empty text; texts print as they are; dates as d.M.yyyy.
QString formatValue(const QString &mask, const QVariant &value);

// The default used when no formatter is plugged in.
QString defaultMaskFormat(const QString &mask, const QVariant &value);

// True for the numeric variant types (integers, floating point).
bool isNumeric(const QVariant &value);

} // namespace tarix::rpt
