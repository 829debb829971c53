#pragma once
// What the grid draws with: colours as the layouts store them, the colour styles with their
// zebra presets, gradient fills, text with an ellipsis, check boxes and the small glyphs.
//
// Colours the grid stores (column fonts and backgrounds, saved with the layouts) are the
// class library's colour values: $00BBGGRR for a plain colour, and a negative value
// ($80000000 + the index) for a colour of the desktop, which follows the palette.
//
// "Theming" is one switch for the whole program: on, the header, buttons and check boxes
// are drawn by the Qt style; off, every one of them takes the plain drawing of its own.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;
class QWidget;

namespace tarix::grid {

// ---- colours ------------------------------------------------------------------------------------

using TColor = qint32;

// The desktop colours the grid uses, by their index.
inline constexpr TColor kSystemColor = TColor(0x80000000u);
inline constexpr TColor clBtnFace = kSystemColor | 15;
inline constexpr TColor clBtnShadow = kSystemColor | 16;
inline constexpr TColor clBtnText = kSystemColor | 18;
inline constexpr TColor clBtnHighlight = kSystemColor | 20;
inline constexpr TColor cl3DLight = kSystemColor | 22;
inline constexpr TColor clWindow = kSystemColor | 5;
inline constexpr TColor clWindowText = kSystemColor | 8;
inline constexpr TColor clHighlight = kSystemColor | 13;
inline constexpr TColor clHighlightText = kSystemColor | 14;
inline constexpr TColor clInfoText = kSystemColor | 23;
inline constexpr TColor clInfoBk = kSystemColor | 24;

inline bool isSystemColor(TColor c) { return c < 0; }
// $00BBGGRR as the colour it names; a desktop colour through the palette.
QColor toQColor(TColor c, const QPalette &palette = QPalette());
// A plain colour as $00BBGGRR.
TColor fromQColor(const QColor &c);

// ---- colour styles ------------------------------------------------------------------------------

enum TExGridStyleKind {
    gsNormal,
    gsCustom,
    gsPriceList,
    gsMSMoney,
    gsBrick,
    gsDesert,
    gsEggplant,
    gsLilac,
    gsMaple,
    gsMarine,
    gsRose,
    gsSpruce,
    gsWheat,
    gsSoftWheat,
    gsSoftRose,
    gsAquaBlue,
    gsSoftMaple,
    gsSoftLilac,
    gsSoftDesert,
    gsSoftEggPlant,
    gsSoftBrick,
    gsSoftSpruce,
    gsSoftYellowGreen,
    gsSoftGray,
};
inline constexpr int kGridStyleCount = 24;

// The zebra colours of a preset (odd rows first); none for gsNormal and gsCustom, which
// take the grid's colour and keep what is set.
struct StylePreset {
    TColor odd;
    TColor even;
};
std::optional<StylePreset> stylePreset(TExGridStyleKind kind);

enum TExGradientDirection { fdNone, fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft };

struct TExGradientDraw {
    TExGradientDirection direction = fdNone;
    QColor startColor = QColor(0xFF, 0xFF, 0xFF);
    QColor endColor = QColor(0xDD, 0xDD, 0xDD);
};

struct TExDBGridStyle {
    TExGridStyleKind style = gsNormal;
    QColor oddColor; // rows at the first, third, ... visible position
    QColor evenColor;
    QPixmap background; // a pattern under the cells; none: the wallpaper gradient
    TExGradientDraw bands;
    TExGradientDraw title;
    TExGradientDraw footer;
    TExGradientDraw wallpaper;
    TExGradientDraw grouping;
    QColor filterColor;
};

// ---- drawing --------------------------------------------------------------------------------------

// Fills the rectangle in at most `steps` bands from the start to the end colour (the other
// way round for bottom-to-top and right-to-left); each band is extent / bands pixels, the
// pixels left over at the far end take the last colour. Nothing for fdNone or an empty
// rectangle; fewer than 2 steps fill with the start colour.
void gradientFill(QPainter &p, const QRect &rect, const QColor &start, int steps, TExGradientDirection direction,
                  const QColor &end);
// a * b / c rounded to the nearest, halves away from zero (c != 0).
int mulDiv(int a, int b, int c);

enum TExTextEllipsis { teNone, teEnd, teMiddle };
// Text in a rectangle less the margins, centred vertically, aligned as asked, wrapped on
// words when asked, shortened with "..." at the end or in the middle when it does not fit.
void drawCellText(QPainter &p, const QRect &rect, int hMargin, bool wordWrap, TExTextEllipsis ellipsis,
                  Qt::Alignment alignment, const QString &text, int vMargin = 0);

// The program's theming switch (on at start).
bool themesActive();
void setThemesActive(bool on);

enum class CheckState { Unticked, Ticked, Grey };
// The size of a check box as the grid draws it.
QSize checkBoxSize(const QWidget *w);
// A check box in the rectangle, placed left, right or centred and centred vertically; themed
// through the widget's style (hot when asked), or the plain box when theming is off.
void drawCheckBox(QPainter &p, const QWidget *w, const QRect &rect, CheckState state, Qt::Alignment alignment,
                  bool flat, bool hot = false);
// The drop-down button of a pick-list cell and the raised face of an ellipsis button.
void drawComboButton(QPainter &p, const QWidget *w, const QRect &rect, bool hot = false);
void drawButtonFace(QPainter &p, const QWidget *w, const QRect &rect, bool sunken, bool flat);
// An edge around a rectangle: raised, sunken or (flat) one dark line.
enum class Edge { Raised, Sunken, Flat };
void drawEdge(QPainter &p, const QRect &rect, Edge edge, const QPalette &palette);

// The glyphs of BLOB-like cells and the sort arrows.
enum class Glyph { Blob, Memo, Picture, Ole, ArrowAsc, ArrowDesc };
QPixmap glyph(Glyph g);
// The width the sort arrows need in a title (the wider of the two).
int sortArrowWidth();

} // namespace tarix::grid
