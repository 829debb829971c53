#pragma once
// A report layout written as a description instead of code: the page set-up, the bands
// and on each band its controls (position and size in millimetres from the band's
// top-left corner, font, alignment, frame, text, field or expression, mask, name).
//
// Pieces several layouts print alike are named blocks, written once in a block library:
// a block of controls (which may use further blocks), or a block of bands. A layout uses
// a block at an offset, fills the block's {placeholders} with values and states its own
// differences as patches of the block's controls by name. Blocks of lines stand one
// below the other in a stack, each as tall as it was drawn.
//
// A block is drawn for a size (given, or the extent of its controls); put into a wider
// or taller place, each control keeps the distances its anchors name, as the controls
// of a window do: anchored left and right it stretches, anchored right only it moves.
//
// buildReportForm() turns a description into the form's bands and controls. Whatever is
// wrong with a description is refused there, with the layout and the place named: a block,
// band, data source or field that does not exist, a placeholder without a value or a value
// no placeholder takes, a patch that finds no control, a block used inside itself, an
// expression that cannot be read.
// A faulty layout so fails when the report is created, not halfway through printing.
//
// The descriptions are C++ tables (aggregates with designated initialisers and the small
// constructors below): the compiler checks their shape and types, constants such as column
// widths are shared by name, and no file format or loader needs keeping; what the compiler
// cannot see (names of blocks, sources, fields) the builder checks.
#include "platform/report/layout.h"

#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace tarix::rpt {

// The edges of the place a block is put in that a control of the block keeps its
// distance to.
enum Anchor : unsigned {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
};
constexpr unsigned kAnchorTopLeft = kAnchorLeft | kAnchorTop;

struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct ControlDesc {
    // Label, DBText (a field), Expression, Memo, SysData or Shape.
    ElementKind kind = ElementKind::Label;
    QString name;
    Box box;
    // Label: the caption. DBText: the field, "Q1_.N_brutto" or a bare name of the main
    // source. Expression: the expression. Memo: the lines, separated by '\n'. SysData: the
    // prefix. May hold {placeholders} of its block, as may the name and the mask.
    QString text;
    QString mask;                     // DBText and Expression
    FontSpec font;
    Qt::Alignment alignment = Qt::AlignLeft;
    Frame frame;
    int tag = 0;
    unsigned anchors = kAnchorTopLeft;
    // With a value the control reaches down to this distance above its band's bottom: its
    // height follows the band (a frame round a band whose height fits its lines).
    std::optional<double> toBandBottom;
    bool autoSize = false;
    bool autoStretch = false;
    bool wordWrap = false;
    bool transparent = true;
    QColor color = Qt::white;         // background, unless transparent
    QColor fontColor = Qt::black;
    BandAlign alignToBand = BandAlign::None;
    ShapeType shape = ShapeType::Rectangle;
    double penWidth = 1;              // shapes, pen units
    QColor brushColor;                // shapes; invalid: not filled
    SysDataKind sysData = SysDataKind::PageNumber;
    // Expression: the band whose prints add up its aggregates (unset: the detail band),
    // and whether they restart after each print.
    QString master;
    bool resetAfterPrint = false;

    // The same control with other anchors, or reaching to the band's bottom.
    ControlDesc anchored(unsigned a) const { ControlDesc c = *this; c.anchors = a; return c; }
    ControlDesc reachingBandBottom(double gap) const { ControlDesc c = *this; c.toBandBottom = gap; return c; }
};

ControlDesc label(const QString &name, Box box, const QString &caption, const FontSpec &font,
                  Qt::Alignment alignment = Qt::AlignLeft);
ControlDesc dbText(const QString &name, Box box, const QString &field, const FontSpec &font,
                   Qt::Alignment alignment = Qt::AlignLeft, const QString &mask = {});
ControlDesc expression(const QString &name, Box box, const QString &expression, const FontSpec &font,
                       Qt::Alignment alignment = Qt::AlignLeft, const QString &mask = {});
ControlDesc memo(const QString &name, Box box, const QString &lines, const FontSpec &font);
ControlDesc sysData(const QString &name, Box box, SysDataKind data, const FontSpec &font,
                    const QString &prefix = {}, Qt::Alignment alignment = Qt::AlignLeft);
ControlDesc shape(const QString &name, Box box, ShapeType type);
inline ControlDesc horizontalLine(const QString &name, Box box) { return shape(name, box, ShapeType::HorizontalLine); }
inline ControlDesc verticalLine(const QString &name, Box box) { return shape(name, box, ShapeType::VerticalLine); }
inline ControlDesc rectangle(const QString &name, Box box) { return shape(name, box, ShapeType::Rectangle); }

// A layout's own difference in a block it uses: every control of the name (placeholders
// filled) takes the values given, in the block's own coordinates, or is left out.
struct ControlPatch {
    QString name;
    bool remove = false;
    std::optional<double> left;
    std::optional<double> top;
    std::optional<double> width;
    std::optional<double> height;
    std::optional<QString> text;
    std::optional<FontSpec> font;
    std::optional<Qt::Alignment> alignment;
    std::optional<QString> mask;
    std::optional<int> tag;
};

using BlockArgs = std::vector<std::pair<QString, QString>>;

// A block put into a layout or into another block.
struct BlockUse {
    QString block;
    // The place: its top-left corner (in a stack: the offset within the line) and its size;
    // 0 is the size the block was drawn for (in a stack: the stack's width).
    Box place;
    BlockArgs args;                   // values of the block's {placeholders}
    std::vector<ControlPatch> patches;
};

// Blocks one below the other from (left, top), each as tall as its block (or its own
// place's height) and as wide as the stack. A width of 0 reaches to the right edge of the
// place the stack is in.
struct Stack {
    double left = 0;
    double top = 0;
    double width = 0;
    std::vector<BlockUse> lines;
};

using LayoutItem = std::variant<ControlDesc, BlockUse, Stack>;

struct Block {
    QString name;
    // The size it was drawn for; 0: the extent of what it holds.
    double width = 0;
    double height = 0;
    std::vector<LayoutItem> items;
};

struct BandDesc {
    BandKind kind = BandKind::Detail;
    QString name;
    double height = 0;
    // With a value the height is the bottom of the lowest control plus this (controls
    // that reach to the band's bottom do not count).
    std::optional<double> fitBelow;
    std::vector<LayoutItem> items;
    bool forceNewPage = false;
    QString expression;               // group header: the break expression
    // Group header: the data band it groups (unset: the detail band). Sub-detail: the band
    // it repeats under. Its header and footer: the sub-detail. Child: the parent band.
    QString master;
    QString header;                   // group footer: its group header
    QString dataSource;               // sub-detail: its own source
    bool printIfEmpty = false;
    QColor color;
    Frame frame;
};

// Bands written once and used by several layouts (a page header and footer, a group).
struct BandBlock {
    QString name;
    std::vector<BandDesc> bands;
};

struct BandBlockUse {
    QString block;
    BlockArgs args;
    std::vector<ControlPatch> patches;
};

using LayoutBand = std::variant<BandDesc, BandBlockUse>;

struct LayoutDesc {
    QString name;                     // names the layout in the builder's messages
    QString title;
    PageSetup page;
    bool firstPageHeader = true;
    bool lastPageFooter = true;
    bool printIfEmpty = false;
    int previewZoom = 100;
    std::vector<LayoutBand> bands;
};

struct BlockLibrary {
    std::vector<Block> blocks;
    std::vector<BandBlock> bandBlocks;

    const Block *block(const QString &name) const;
    const BandBlock *bandBlock(const QString &name) const;
};

// Whether a data source offers a field, asked for every data control; without one the
// builder asks the source itself (ReportDataSource::hasField).
using FieldCheck = std::function<bool(const ReportDataSource &source, const QString &field)>;

// Adds the layout's bands and controls to the form and takes its page set-up, title and
// options. The form's data sources are registered beforehand; data controls name them by
// the registered name or print from the main source. Throws EMyError for a faulty
// description; the form is then incomplete and should be dropped.
void buildReportForm(ReportForm &form, const LayoutDesc &layout, const BlockLibrary &library,
                     const FieldCheck &knowsField = {});

} // namespace tarix::rpt
