#pragma once
// The layout model of a banded report: a form with page set-up and options, its bands
// and the controls on them. Positions and sizes are millimetres; a band's controls are
// placed relative to the band's top-left corner inside the page margins. Everything may
// be changed at run time (captions, sizes, Enabled, ForceNewPage) from the report's and
// the bands' BeforePrint handlers.
#include "platform/report/datasource.h"
#include "platform/report/fonts.h"
#include <QColor>
#include <QDate>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace tarix::rpt {

class ReportForm;
class Band;
struct PreparedReport;
class PreviewHost;

enum class ElementKind { Band, Label, DBText, Expression, Memo, SysData, Shape };

// Pen widths are given in dots of a 600 dpi printer (1/600 inch); a screen draws at
// least one pixel.
constexpr double kPenUnitMm = 25.4 / 600.0;

struct Frame {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    double width = 1;                 // pen units
    QColor color = Qt::black;
    Qt::PenStyle style = Qt::SolidLine;

    bool any() const { return left || top || right || bottom; }
    void setAll(bool on) { left = top = right = bottom = on; }
};

// Everything a form owns: bands and controls. Found by kind, Tag, Enabled and name.
class ReportElement {
public:
    virtual ~ReportElement() = default;
    virtual ElementKind kind() const = 0;

    QString name;
    int tag = 0;
    bool enabled = true;

    ReportForm *form() const { return m_form; }

protected:
    ReportElement() = default;

private:
    friend class ReportForm;
    ReportForm *m_form = nullptr;
};

enum class BandKind {
    Title,
    PageHeader,
    ColumnHeader,
    Detail,
    GroupHeader,
    GroupFooter,
    SubDetail,
    SubDetailHeader,
    SubDetailFooter,
    Child,
    Summary,
    PageFooter,
};

enum class BandAlign { None, Left, Center, Right };

class ReportControl : public ReportElement {
public:
    Band *band() const { return m_band; }

    double left = 0;
    double top = 0;
    double width = 20;
    double height = 5;

    FontSpec font;
    QColor fontColor = Qt::black;
    QColor color = Qt::white;         // background, drawn unless transparent
    bool transparent = true;
    Qt::Alignment alignment = Qt::AlignLeft;   // left, right or centre
    BandAlign alignToBand = BandAlign::None;
    bool autoSize = false;            // width follows the text
    bool autoStretch = false;         // height grows with the (wrapped) lines
    bool wordWrap = false;
    Frame frame;
    // A data element stays with "data only" printing whatever its kind and Tag.
    bool dataRole = false;

    void setBounds(double l, double t, double w, double h) { left = l; top = t; width = w; height = h; }

protected:
    ReportControl() = default;

private:
    friend class ReportForm;
    friend class Band;
    Band *m_band = nullptr;
};

class ReportLabel : public ReportControl {
public:
    ElementKind kind() const override { return ElementKind::Label; }
    QString caption;
};

// A field of any data source of the form; without a mask the source's display text.
class ReportDBText : public ReportControl {
public:
    ReportDBText() { dataRole = true; }
    ElementKind kind() const override { return ElementKind::DBText; }
    ReportDataSource *dataSource = nullptr;
    QString field;
    QString mask;
};

// An expression over fields: numbers, 'texts', + - = OR ( ), SUM(...), COUNT, IF(c, a, b).
// Aggregates add up whenever the master band prints (default: the detail band);
// resetAfterPrint restarts them after each print of this control.
class ReportExpr : public ReportControl {
public:
    ReportExpr() { dataRole = true; }
    ElementKind kind() const override { return ElementKind::Expression; }
    QString expression;
    QString mask;
    Band *master = nullptr;
    bool resetAfterPrint = false;
};

class ReportMemo : public ReportControl {
public:
    ElementKind kind() const override { return ElementKind::Memo; }
    QStringList lines;
};

enum class SysDataKind { PageNumber, DetailNumber, Date };

class ReportSysData : public ReportControl {
public:
    ReportSysData() { dataRole = true; }
    ElementKind kind() const override { return ElementKind::SysData; }
    SysDataKind data = SysDataKind::PageNumber;
    QString prefix;
};

enum class ShapeType { Rectangle, HorizontalLine, VerticalLine, LeftAndRightLines, Circle };

class ReportShape : public ReportControl {
public:
    ElementKind kind() const override { return ElementKind::Shape; }
    ShapeType shape = ShapeType::Rectangle;
    // The pen for the screen preview and for paper and PDF.
    double penWidthScreen = 1;
    double penWidthPaper = 1;
    Qt::PenStyle penStyle = Qt::SolidLine;
    QColor penColor = Qt::black;
    QColor brushColor;                // invalid: not filled

    void setPenWidth(double w) { penWidthScreen = penWidthPaper = w; }
    void setPenWidths(double screen, double paper) { penWidthScreen = screen; penWidthPaper = paper; }
};

class Band : public ReportElement {
public:
    ElementKind kind() const override { return ElementKind::Band; }
    BandKind bandKind() const { return m_kind; }

    double height = 10;
    QColor color;                     // invalid: no background
    Frame frame;
    bool forceNewPage = false;        // on a group header: a new page per group
    // Called before the band prints; clearing printBand suppresses it (and its child).
    std::function<void(Band &band, bool &printBand)> beforePrint;

    // Group header: the break expression (`code_emp`, `THP2_.STRANA`).
    QString expression;
    // Group header and sub-detail: the linked footer band.
    Band *footer = nullptr;
    // Sub-detail: the header band. Group footer: its group header.
    Band *header = nullptr;
    // Sub-detail: its own source, re-opened for every row of the master band.
    ReportDataSource *dataSource = nullptr;
    // Group header: the data band whose rows it groups (unset: the detail band).
    // Sub-detail: the band it repeats under. Its header and footer: the sub-detail.
    // Child: the parent band.
    Band *master = nullptr;
    // Sub-detail: print the header and footer even without a row.
    bool printIfEmpty = false;
    // The child band printed right after this one, if any.
    Band *child = nullptr;

    const std::vector<ReportControl *> &controls() const { return m_controls; }

    ReportLabel *addLabel(double left, double top, double width, double height,
                          const QString &caption = {}, const QString &name = {});
    ReportDBText *addDBText(double left, double top, double width, double height,
                            ReportDataSource *source, const QString &field,
                            const QString &mask = {}, const QString &name = {});
    ReportExpr *addExpr(double left, double top, double width, double height,
                        const QString &expression, const QString &mask = {},
                        const QString &name = {});
    ReportMemo *addMemo(double left, double top, double width, double height,
                        const QStringList &lines, const QString &name = {});
    ReportSysData *addSysData(double left, double top, double width, double height,
                              SysDataKind data, const QString &prefix = {},
                              const QString &name = {});
    ReportShape *addShape(double left, double top, double width, double height,
                          ShapeType shape, const QString &name = {});

private:
    friend class ReportForm;
    explicit Band(BandKind kind) : m_kind(kind) {}
    template <class T> T *adopt(std::unique_ptr<T> c, double l, double t, double w, double h, const QString &name);

    BandKind m_kind;
    std::vector<ReportControl *> m_controls;
};

enum class Orientation { Portrait, Landscape };

struct PageSetup {
    Orientation orientation = Orientation::Portrait;
    double leftMargin = 10;
    double topMargin = 10;
    double rightMargin = 10;
    double bottomMargin = 10;

    QSizeF paperSize() const   // A4 in millimetres
    {
        return orientation == Orientation::Portrait ? QSizeF(210, 297) : QSizeF(297, 210);
    }
};

class ReportForm {
public:
    ReportForm();
    virtual ~ReportForm();
    ReportForm(const ReportForm &) = delete;
    ReportForm &operator=(const ReportForm &) = delete;

    PageSetup page;
    QString title;
    bool firstPageHeader = true;      // the page header prints on page 1
    bool lastPageFooter = true;       // the page footer prints on the last page
    bool printIfEmpty = false;        // pages without any row of the main source
    int previewZoom = 100;            // per cent
    // The date system data print; invalid: today's date when the report is prepared.
    QDate printDate;

    // Drives the detail band from its first row; every preparation rewinds it.
    ReportDataSource *mainDataSource = nullptr;
    // A detail driven by code: called before each detail band, fills its controls and
    // returns whether there is one more row (used instead of the main source).
    std::function<bool(ReportForm &form)> moreData;
    // Called before each preparation; clearing printReport prints nothing.
    std::function<void(ReportForm &form, bool &printReport)> beforePrint;

    // Names under which expressions reach the sources ("Q0_.N_brutto"); a bare field name
    // is looked up in the main source first, then in the others in the order registered.
    void registerDataSource(const QString &name, ReportDataSource *source);
    ReportDataSource *dataSource(const QString &name) const;
    const std::vector<std::pair<QString, ReportDataSource *>> &dataSources() const { return m_sources; }

    Band *addBand(BandKind kind, double height, const QString &name = {});
    // A group header on `expression` with its linked footer (footerHeight < 0: no footer).
    Band *addGroup(const QString &expression, double headerHeight, double footerHeight,
                   const QString &name = {}, Band *master = nullptr);
    Band *addSubDetail(Band *master, ReportDataSource *source, double height,
                       const QString &name = {});
    // Header and footer bands of a sub-detail.
    Band *addSubDetailHeader(Band *subDetail, double height, const QString &name = {});
    Band *addSubDetailFooter(Band *subDetail, double height, const QString &name = {});
    Band *addChild(Band *parent, double height, const QString &name = {});

    // The first band of a kind (nullptr when none).
    Band *band(BandKind kind) const;
    const std::vector<Band *> &bands() const { return m_bands; }

    // Every element in the order created.
    const std::vector<ReportElement *> &elements() const { return m_elements; }
    std::vector<ReportElement *> elements(ElementKind kind) const;
    std::vector<ReportElement *> elementsWithTag(int tag) const;
    std::vector<ReportElement *> enabledElements(bool enabled = true) const;
    ReportElement *find(const QString &name) const;
    template <class T> T *findAs(const QString &name) const { return dynamic_cast<T *>(find(name)); }
    template <class T> std::vector<T *> all() const
    {
        std::vector<T *> out;
        for (ReportElement *e : m_elements)
            if (T *t = dynamic_cast<T *>(e))
                out.push_back(t);
        return out;
    }

    // Print options. No frames: every shape disabled. Data only: every label and memo
    // whose Tag is 0 disabled, unless it has the data role.
    void applyNoFrames();
    void applyDataOnly();
    // Every shape's pen widths for the screen and for paper and PDF.
    void setShapePenWidths(double screen, double paper);

    // Lays the report out into pages (calls the report's BeforePrint first).
    PreparedReport prepare();
    // Prepares and shows the pages through the preview host (the form's own, else the
    // process default); returns when the preview is closed, false when BeforePrint
    // cancelled the report.
    bool preview();
    void setPreviewHost(PreviewHost *host) { m_previewHost = host; }

private:
    friend class Band;
    void adoptElement(std::unique_ptr<ReportElement> e);
    Band *newBand(BandKind kind, double height, const QString &name);

    std::vector<std::unique_ptr<ReportElement>> m_owned;
    std::vector<ReportElement *> m_elements;
    std::vector<Band *> m_bands;
    std::vector<std::pair<QString, ReportDataSource *>> m_sources;
    PreviewHost *m_previewHost = nullptr;
};

} // namespace tarix::rpt
