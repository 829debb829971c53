#include "platform/report/text_measurer.h"

namespace tarix::rpt {

namespace {

constexpr double kMeasureDpi = 600;
constexpr double kMmPerDot = 25.4 / kMeasureDpi;
constexpr double kEpsilon = 1e-6;
// Past this many distinct texts of one font the cache starts again, so that a report of
// unique texts does not grow without bound.
constexpr int kMaxCachedWidths = 200000;

} // namespace

MeasuredFont::MeasuredFont(const QFont &font, const QPaintDevice *device)
    : m_font(font),
      m_metrics(font, device),
      m_lineHeight(m_metrics.height() * kMmPerDot),
      m_ascent(m_metrics.ascent() * kMmPerDot)
{
}

double MeasuredFont::width(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    auto it = m_widths.constFind(text);
    if (it != m_widths.cend())
        return *it;
    if (m_widths.size() >= kMaxCachedWidths)
        m_widths.clear();
    const double w = m_metrics.horizontalAdvance(text) * kMmPerDot;
    m_widths.insert(text, w);
    return w;
}

QStringList MeasuredFont::wrap(const QString &para, double maxWidth) const
{
    QStringList out;
    if (width(para) <= maxWidth + kEpsilon) {
        out << para;
        return out;
    }
    const QStringList words = para.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString line;
    for (const QString &word : words) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (width(candidate) <= maxWidth + kEpsilon) {
            line = candidate;
            continue;
        }
        if (!line.isEmpty()) {
            out << line;
            line.clear();
        }
        if (width(word) <= maxWidth + kEpsilon) {
            line = word;
            continue;
        }
        QString piece;
        for (QChar ch : word) {
            if (!piece.isEmpty() && width(piece + ch) > maxWidth + kEpsilon) {
                out << piece;
                piece.clear();
            }
            piece += ch;
        }
        line = piece;
    }
    if (!line.isEmpty() || out.isEmpty())
        out << line;
    return out;
}

TextMeasurer::TextMeasurer() : m_device(1, 1, QImage::Format_ARGB32_Premultiplied)
{
    const int dpm = qRound(kMeasureDpi / 0.0254);
    m_device.setDotsPerMeterX(dpm);
    m_device.setDotsPerMeterY(dpm);
}

const MeasuredFont &TextMeasurer::font(const FontSpec &spec)
{
    // Consecutive controls mostly share their font.
    if (m_last && *m_lastSpec == spec)
        return *m_last;
    for (const auto &[known, measured] : m_fonts)
        if (known == spec) {
            m_last = measured.get();
            m_lastSpec = &known;
            return *measured;
        }
    m_fonts.emplace_back(spec, std::make_unique<MeasuredFont>(makeFont(spec), &m_device));
    m_last = m_fonts.back().second.get();
    m_lastSpec = &m_fonts.back().first;
    return *m_last;
}

} // namespace tarix::rpt
