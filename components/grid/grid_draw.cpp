#include "components/grid/grid_draw.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTextOption>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tarix::grid {

// ---- colours ------------------------------------------------------------------------------------

QColor toQColor(TColor c, const QPalette &palette)
{
    if (!isSystemColor(c))
        return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    switch (c & 0xFF) {
    case 5: return palette.color(QPalette::Base);
    case 8: return palette.color(QPalette::Text);
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);
    case 16: return palette.color(QPalette::Dark);
    case 18: return palette.color(QPalette::ButtonText);
    case 20: return palette.color(QPalette::Light);
    case 22: return palette.color(QPalette::Midlight);
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Window);
    }
}

TColor fromQColor(const QColor &c) { return TColor(c.red() | (c.green() << 8) | (c.blue() << 16)); }

std::optional<StylePreset> stylePreset(TExGridStyleKind kind)
{
    // The stored values: $00BBGGRR, or the desktop colour they name.
    static const StylePreset presets[kGridStyleCount] = {
        {0, 0},                            // gsNormal: the grid colour
        {0, 0},                            // gsCustom: unchanged
        {cl3DLight, clWindow},             // gsPriceList
        {0x00FFFBF0, clWindow},            // gsMSMoney
        {0x00CFDFDF, 0x00A0BFBF},          // gsBrick
        {0x00B8CCD8, 0x00688CA0},          // gsDesert
        {0x00A8B090, 0x00788058},          // gsEggplant
        {0x00D8A8B0, 0x00B05058},          // gsLilac
        {0x00A8D8EB, 0x0048A8C8},          // gsMaple
        {0x00B8C088, 0x00889048},          // gsMarine
        {0x00B8B0D0, 0x007060A0},          // gsRose
        {0x00A8C8A0, 0x00689858},          // gsSpruce
        {0x00A0E0E0, 0x0040BCC0},          // gsWheat
        {0x00ACE3E3, 0x00C5EAEB},          // gsSoftWheat
        {0x00DCD7EA, 0x00E3E0ED},          // gsSoftRose
        {0x00FFF4D9, 0x00FFDFBF},          // gsAquaBlue
        {0x00C6E6F2, 0x009BD0E1},          // gsSoftMaple
        {0x00E7CBD0, 0x00ECD5D7},          // gsSoftLilac
        {0x00DFE9EE, 0x00BCCDD6},          // gsSoftDesert
        {0x00D7DACB, 0x00C2C7AD},          // gsSoftEggPlant
        {0x00DFEEEE, 0x00CDE4E4},          // gsSoftBrick
        {0x00D3E3CE, 0x00BAD1B1},          // gsSoftSpruce
        {0x00E6FFFF, 0x00DCE9D8},          // gsSoftYellowGreen
        {0x00E4E4E4, 0x00F5F5F5},          // gsSoftGray
    };
    if (kind <= gsCustom || kind >= kGridStyleCount)
        return std::nullopt;
    return presets[kind];
}

// ---- gradients ----------------------------------------------------------------------------------

int mulDiv(int a, int b, int c)
{
    const double exact = double(a) * double(b) / double(c);
    return int(std::lround(exact));
}

void gradientFill(QPainter &p, const QRect &rect, const QColor &start, int steps, TExGradientDirection direction,
                  const QColor &end)
{
    if (direction == fdNone || rect.isEmpty())
        return;
    if (steps < 2) {
        p.fillRect(rect, start);
        return;
    }
    const bool vertical = direction == fdTopToBottom || direction == fdBottomToTop;
    const bool forward = direction == fdTopToBottom || direction == fdLeftToRight;
    const int extent = vertical ? rect.height() : rect.width();
    const int n = std::max(2, std::min(steps, extent));
    const int size = extent / n;
    const QColor first = (forward ? start : end).toRgb();
    const QColor last = (forward ? end : start).toRgb();
    const int dr = last.red() - first.red(), dg = last.green() - first.green(), db = last.blue() - first.blue();
    auto band = [&](int from, int length) {
        return vertical ? QRect(rect.left(), rect.top() + from, rect.width(), length)
                        : QRect(rect.left() + from, rect.top(), length, rect.height());
    };
    for (int i = 0; i < n && size > 0; ++i) {
        const QColor c((first.red() + mulDiv(i, dr, n - 1)) & 0xFF, (first.green() + mulDiv(i, dg, n - 1)) & 0xFF,
                       (first.blue() + mulDiv(i, db, n - 1)) & 0xFF);
        p.fillRect(band(i * size, size), c);
    }
    const int tail = extent - n * size;
    if (tail > 0)
        p.fillRect(band(n * size, tail), last);
}

// ---- text ---------------------------------------------------------------------------------------

void drawCellText(QPainter &p, const QRect &rect, int hMargin, bool wordWrap, TExTextEllipsis ellipsis,
                  Qt::Alignment alignment, const QString &text, int vMargin)
{
    const QRect r = rect.adjusted(hMargin, vMargin, -hMargin, -vMargin);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    int flags = Qt::AlignVCenter | Qt::TextExpandTabs | (alignment & Qt::AlignHorizontal_Mask);
    if (!(alignment & Qt::AlignHorizontal_Mask))
        flags |= Qt::AlignLeft;
    QString shown = text;
    if (ellipsis != teNone) {
        shown = p.fontMetrics().elidedText(text, ellipsis == teEnd ? Qt::ElideRight : Qt::ElideMiddle, r.width());
    } else if (wordWrap) {
        flags |= Qt::TextWordWrap;
    }
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    p.drawText(r, flags, shown);
    p.restore();
}

// ---- theming, check boxes and buttons -------------------------------------------------------------

namespace {
bool g_themes = true;
}

bool themesActive() { return g_themes; }
void setThemesActive(bool on) { g_themes = on; }

QSize checkBoxSize(const QWidget *w)
{
    QStyle *s = w ? w->style() : QApplication::style();
    return QSize(s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w),
                 s->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, w));
}

void drawCheckBox(QPainter &p, const QWidget *w, const QRect &rect, CheckState state, Qt::Alignment alignment,
                  bool flat, bool hot)
{
    const QSize size = checkBoxSize(w);
    int x = rect.left() + (rect.width() - size.width()) / 2;
    if (alignment & Qt::AlignLeft)
        x = rect.left();
    else if (alignment & Qt::AlignRight)
        x = rect.right() - size.width() + 1;
    const QRect box(x, rect.top() + (rect.height() - size.height()) / 2, size.width(), size.height());
    const QPalette pal = w ? w->palette() : QApplication::palette();
    if (themesActive() && w) {
        QStyleOptionButton o;
        o.initFrom(w);
        o.rect = box;
        o.state = QStyle::State_Enabled;
        o.state |= state == CheckState::Ticked  ? QStyle::State_On
                   : state == CheckState::Grey ? QStyle::State_NoChange
                                               : QStyle::State_Off;
        if (hot)
            o.state |= QStyle::State_MouseOver;
        w->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &o, &p, w);
        return;
    }
    // The plain box: white (grey when undetermined), framed, with a tick of two strokes.
    p.save();
    const QRect inner = box.adjusted(0, 0, -1, -1);
    p.fillRect(inner, state == CheckState::Grey ? pal.color(QPalette::Button) : pal.color(QPalette::Base));
    if (flat) {
        p.setPen(pal.color(QPalette::Dark));
        p.drawRect(inner);
    } else {
        drawEdge(p, box, Edge::Sunken, pal);
    }
    if (state != CheckState::Unticked) {
        QPen pen(state == CheckState::Grey ? pal.color(QPalette::Dark) : pal.color(QPalette::Text));
        pen.setWidth(2);
        p.setPen(pen);
        const int l = inner.left() + 3, t = inner.top() + 3, r = inner.right() - 3, b = inner.bottom() - 3;
        p.drawPolyline(QPolygon({QPoint(l, (t + b) / 2), QPoint((l + r) / 2 - 1, b), QPoint(r, t)}));
    }
    p.restore();
}

void drawComboButton(QPainter &p, const QWidget *w, const QRect &rect, bool hot)
{
    if (themesActive() && w) {
        QStyleOptionComboBox o;
        o.initFrom(w);
        o.rect = rect;
        o.subControls = QStyle::SC_ComboBoxArrow;
        o.state = QStyle::State_Enabled | (hot ? QStyle::State_MouseOver : QStyle::State_None);
        w->style()->drawComplexControl(QStyle::CC_ComboBox, &o, &p, w);
        return;
    }
    const QPalette pal = w ? w->palette() : QApplication::palette();
    p.fillRect(rect, pal.color(QPalette::Button));
    drawEdge(p, rect, Edge::Raised, pal);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(pal.color(QPalette::ButtonText));
    const QPoint c = rect.center();
    p.drawPolygon(QPolygon({QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 3, c.y() - 1), QPoint(c.x(), c.y() + 2)}));
    p.restore();
}

void drawButtonFace(QPainter &p, const QWidget *w, const QRect &rect, bool sunken, bool flat)
{
    const QPalette pal = w ? w->palette() : QApplication::palette();
    if (themesActive() && w && !flat) {
        QStyleOptionButton o;
        o.initFrom(w);
        o.rect = rect;
        o.state = QStyle::State_Enabled | (sunken ? QStyle::State_Sunken : QStyle::State_Raised);
        w->style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &o, &p, w);
        return;
    }
    p.fillRect(rect, pal.color(QPalette::Button));
    drawEdge(p, rect, flat ? Edge::Flat : sunken ? Edge::Sunken : Edge::Raised, pal);
}

void drawEdge(QPainter &p, const QRect &rect, Edge edge, const QPalette &palette)
{
    p.save();
    const QRect r = rect.adjusted(0, 0, -1, -1);
    if (edge == Edge::Flat) {
        p.setPen(palette.color(QPalette::Dark));
        p.drawRect(r);
        p.restore();
        return;
    }
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor topLeft = edge == Edge::Raised ? light : dark;
    const QColor bottomRight = edge == Edge::Raised ? dark : light;
    // Left and bottom first, then top and right, as a two-pass edge is drawn.
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.topRight());
    p.setPen(bottomRight);
    p.drawLine(r.topRight(), r.bottomRight());
    p.restore();
}

// ---- glyphs -------------------------------------------------------------------------------------

QPixmap glyph(Glyph g)
{
    static QHash<int, QPixmap> cache;
    auto it = cache.constFind(int(g));
    if (it != cache.constEnd())
        return *it;
    const bool arrow = g == Glyph::ArrowAsc || g == Glyph::ArrowDesc;
    QPixmap pm(arrow ? QSize(9, 8) : QSize(16, 12));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (arrow) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x40, 0x40, 0x40));
        if (g == Glyph::ArrowAsc)
            p.drawPolygon(QPolygon({QPoint(4, 0), QPoint(8, 7), QPoint(0, 7)}));
        else
            p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(8, 0), QPoint(4, 7)}));
    } else {
        // Small pictures: a page of lines (memo), a box of bits (BLOB), a landscape (picture),
        // two joined frames (OLE).
        const QColor ink(0x40, 0x40, 0x40);
        p.setPen(ink);
        switch (g) {
        case Glyph::Memo:
            p.setBrush(Qt::white);
            p.drawRect(3, 0, 9, 11);
            for (int y = 3; y <= 8; y += 2)
                p.drawLine(5, y, 10, y);
            break;
        case Glyph::Blob:
            p.setBrush(QColor(0xE0, 0xE0, 0xE0));
            p.drawRect(1, 1, 13, 9);
            p.fillRect(3, 3, 2, 2, ink);
            p.fillRect(7, 3, 2, 2, ink);
            p.fillRect(5, 6, 2, 2, ink);
            p.fillRect(10, 6, 2, 2, ink);
            break;
        case Glyph::Picture:
            p.setBrush(QColor(0xC0, 0xE0, 0xFF));
            p.drawRect(1, 1, 13, 9);
            p.setBrush(QColor(0x40, 0x90, 0x40));
            p.drawPolygon(QPolygon({QPoint(2, 10), QPoint(6, 5), QPoint(9, 8), QPoint(11, 6), QPoint(14, 10)}));
            break;
        default:
            p.setBrush(Qt::white);
            p.drawRect(1, 1, 8, 6);
            p.drawRect(6, 4, 8, 6);
            break;
        }
    }
    p.end();
    cache.insert(int(g), pm);
    return pm;
}

int sortArrowWidth() { return std::max(glyph(Glyph::ArrowAsc).width(), glyph(Glyph::ArrowDesc).width()); }

} // namespace tarix::grid
