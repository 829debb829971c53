// Pagination: lays the bands of a form out into prepared pages, row by row.
//
// Pages are opened lazily, when the first band of a page is about to be placed, so that
// the page header prints with the driving source standing on the page's first row and a
// ForceNewPage never leaves an empty page behind. A band is measured first; when it does
// not fit it moves whole to a new page, and only then do the aggregates add its row (so a
// page total never counts a row printed on the next page).
#include "platform/errors.h"
#include "platform/format/clock.h"
#include "platform/report/expression.h"
#include "platform/report/layout.h"
#include "platform/report/maskformat.h"
#include "platform/report/prepared.h"
#include "platform/report/text_measurer.h"
#include <QHash>
#include <QSet>
#include <algorithm>

namespace tarix::rpt {

namespace {

constexpr double kEpsilon = 1e-6;

struct BandLayout {
    double height = 0;
    std::vector<PreparedItem> items;   // relative to the band's top-left corner
};

struct ExprState {
    ReportExpr *control = nullptr;
    std::unique_ptr<Expression> expr;
    Band *master = nullptr;
};

class Engine {
public:
    explicit Engine(ReportForm &form) : f(form) {}

    PreparedReport run();

private:
    // Band bookkeeping
    std::vector<Band *> groupsOf(Band *data) const;
    std::vector<Band *> subDetailsOf(Band *master) const;
    bool isMainDetail(Band *b) const { return b && b == detail; }

    // Data
    QVariant field(const QString &qualifier, const QString &name, ReportDataSource *preferred);
    FieldResolver resolver(ReportDataSource *preferred)
    {
        return [this, preferred](const QString &q, const QString &n) { return field(q, n, preferred); };
    }
    QVariant groupKey(Band *header, ReportDataSource *src);

    // Printing
    void runDataLoop(Band *data, ReportDataSource *src);
    void printDataRow(Band *data);
    void runSubDetail(Band *sub);
    bool printBand(Band *b);
    void printFixed(Band *b, double y);
    void ensurePage();
    void finishPage(bool last);
    void place(BandLayout &&l, double y);
    BandLayout layout(Band *b);
    QString textOf(ReportControl *c);
    void accumulateFor(Band *b);
    void resetAfterPrint(Band *b);
    static bool hasDynamicText(Band *b);
    static bool stretches(Band *b);

    ReportForm &f;
    PreparedReport out;
    TextMeasurer measure;
    int pageIndex = -1;      // the open page in out.pages, -1 when none is open
    int pageNo = 0;
    double y = 0;
    double bodyBottom = 0;
    bool pageHasBody = false;
    bool titlePrinted = false;
    int detailNo = 0;
    QDate date;

    Band *detail = nullptr;
    Band *pageHeader = nullptr;
    Band *pageFooter = nullptr;
    Band *title = nullptr;
    Band *columnHeader = nullptr;
    Band *summary = nullptr;

    std::vector<ExprState> exprs;
    QHash<const ReportExpr *, ExprState *> exprOf;
    QHash<const Band *, std::shared_ptr<Expression>> groupExprs;
    QHash<QString, ReportDataSource *> fieldSources;   // resolved bare and qualified names
    QSet<const ReportDBText *> checkedFields;
};

std::vector<Band *> Engine::groupsOf(Band *data) const
{
    std::vector<Band *> out;
    for (Band *b : f.bands())
        if (b->bandKind() == BandKind::GroupHeader && (b->master == data || (!b->master && isMainDetail(data))))
            out.push_back(b);
    return out;
}

std::vector<Band *> Engine::subDetailsOf(Band *master) const
{
    std::vector<Band *> out;
    for (Band *b : f.bands())
        if (b->bandKind() == BandKind::SubDetail && (b->master == master || (!b->master && isMainDetail(master))))
            out.push_back(b);
    return out;
}

QVariant Engine::field(const QString &qualifier, const QString &name, ReportDataSource *preferred)
{
    const QString key = (qualifier + QLatin1Char('.') + name).toLower()
                        + QString::number(reinterpret_cast<quintptr>(preferred));
    ReportDataSource *src = fieldSources.value(key);
    if (!src) {
        if (!qualifier.isEmpty()) {
            src = f.dataSource(qualifier);
            if (!src)
                throw EMyError(QStringLiteral("Neznámy zdroj údajov %1 vo výraze.").arg(qualifier));
            if (src->isEmpty())
                return {};
            if (!src->hasField(name))
                throw EMyError(QStringLiteral("Pole %1.%2 sa nenašlo.").arg(qualifier, name));
        } else {
            std::vector<ReportDataSource *> order;
            if (preferred)
                order.push_back(preferred);
            if (f.mainDataSource)
                order.push_back(f.mainDataSource);
            for (const auto &s : f.dataSources())
                order.push_back(s.second);
            bool anyEmpty = false;
            for (ReportDataSource *s : order) {
                if (!s)
                    continue;
                if (s->hasField(name)) {
                    src = s;
                    break;
                }
                anyEmpty = anyEmpty || s->isEmpty();
            }
            if (!src) {
                if (anyEmpty)
                    return {};
                throw EMyError(QStringLiteral("Pole %1 sa nenašlo.").arg(name));
            }
        }
        fieldSources.insert(key, src);
    }
    if (src->isEmpty())
        return {};
    return src->value(name);
}

QVariant Engine::groupKey(Band *header, ReportDataSource *src)
{
    auto it = groupExprs.find(header);
    if (it == groupExprs.end())
        it = groupExprs.insert(header, std::make_shared<Expression>(header->expression));
    return it.value()->evaluate(resolver(src));
}

PreparedReport Engine::run()
{
    out.title = f.title;
    out.previewZoom = f.previewZoom;

    bool print = true;
    if (f.beforePrint)
        f.beforePrint(f, print);
    if (!print) {
        out.printed = false;
        return std::move(out);
    }

    date = f.printDate.isValid() ? f.printDate : fmt::today();
    detail = f.band(BandKind::Detail);
    pageHeader = f.band(BandKind::PageHeader);
    pageFooter = f.band(BandKind::PageFooter);
    title = f.band(BandKind::Title);
    columnHeader = f.band(BandKind::ColumnHeader);
    summary = f.band(BandKind::Summary);

    for (ReportExpr *e : f.all<ReportExpr>()) {
        if (e->expression.trimmed().isEmpty())
            continue;
        ExprState st;
        st.control = e;
        st.expr = std::make_unique<Expression>(e->expression);
        st.master = e->master ? e->master : detail;
        exprs.push_back(std::move(st));
    }
    for (ExprState &st : exprs)
        exprOf.insert(st.control, &st);

    bool hadRows = false;
    if (f.moreData) {
        while (f.moreData(f)) {
            hadRows = true;
            printDataRow(detail);
        }
    } else if (f.mainDataSource) {
        f.mainDataSource->first();
        if (!f.mainDataSource->eof()) {
            hadRows = true;
            runDataLoop(detail, f.mainDataSource);
        }
    } else {
        hadRows = true;   // a form without data prints its bands once
        printDataRow(detail);
    }

    if (!hadRows && !f.printIfEmpty)
        return std::move(out);

    ensurePage();
    printBand(summary);
    finishPage(true);
    return std::move(out);
}

void Engine::runDataLoop(Band *data, ReportDataSource *src)
{
    const std::vector<Band *> groups = groupsOf(data);
    src->first();
    if (src->eof())
        return;
    std::vector<QVariant> keys(groups.size());
    for (size_t g = 0; g < groups.size(); ++g) {
        keys[g] = groupKey(groups[g], src);
        printBand(groups[g]);
    }
    for (;;) {
        const QVariant mark = src->bookmark();
        printDataRow(data);
        src->next();
        if (src->eof())
            break;
        int level = -1;
        for (size_t g = 0; g < groups.size(); ++g)
            if (groupKey(groups[g], src) != keys[g]) {
                level = int(g);
                break;
            }
        if (level < 0)
            continue;
        // The footers print with the group's last row current.
        const QVariant markNext = src->bookmark();
        const bool back = mark.isValid() && markNext.isValid();
        if (back)
            src->gotoBookmark(mark);
        for (int g = int(groups.size()) - 1; g >= level; --g)
            printBand(groups[size_t(g)]->footer);
        if (back)
            src->gotoBookmark(markNext);
        for (size_t g = size_t(level); g < groups.size(); ++g) {
            keys[g] = groupKey(groups[g], src);
            printBand(groups[g]);
        }
    }
    for (int g = int(groups.size()) - 1; g >= 0; --g)
        printBand(groups[size_t(g)]->footer);
}

void Engine::printDataRow(Band *data)
{
    if (!data)
        return;
    printBand(data);
    for (Band *sub : subDetailsOf(data))
        runSubDetail(sub);
}

void Engine::runSubDetail(Band *sub)
{
    if (!sub->enabled || !sub->dataSource)
        return;
    ReportDataSource *src = sub->dataSource;
    src->reopen();
    src->first();
    if (src->eof()) {
        if (sub->printIfEmpty) {
            printBand(sub->header);
            printBand(sub->footer);
        }
        return;
    }
    printBand(sub->header);
    runDataLoop(sub, src);
    printBand(sub->footer);
}

bool Engine::stretches(Band *b)
{
    for (ReportControl *c : b->controls())
        if (c->enabled && c->autoStretch && c->kind() != ElementKind::Shape)
            return true;
    return false;
}

bool Engine::hasDynamicText(Band *b)
{
    for (ReportControl *c : b->controls())
        if (c->kind() == ElementKind::Expression || c->kind() == ElementKind::SysData)
            return true;
    return false;
}

bool Engine::printBand(Band *b)
{
    if (!b || !b->enabled)
        return false;
    bool print = true;
    if (b->beforePrint)
        b->beforePrint(*b, print);
    if (!print || !b->enabled)
        return false;

    const BandKind kind = b->bandKind();
    if (b->forceNewPage && pageHasBody)
        finishPage(false);
    ensurePage();

    // A band whose texts change with the aggregates and the page is laid out for good only
    // once they are known; before that only its height matters, which a band without
    // stretching controls has fixed.
    const bool dynamic = hasDynamicText(b);
    BandLayout l;
    double height = 0;
    if (dynamic && !stretches(b)) {
        height = std::max(0.0, b->height);
    } else {
        l = layout(b);
        height = l.height;
    }
    if (y + height > bodyBottom + kEpsilon && pageHasBody) {
        finishPage(false);
        ensurePage();
    }
    if (isMainDetail(b))
        ++detailNo;
    accumulateFor(b);
    if (dynamic)
        l = layout(b);
    const bool placesAnything = l.height > kEpsilon || !l.items.empty();
    const double placedHeight = l.height;
    place(std::move(l), y);
    y += placedHeight;
    if (placesAnything)
        pageHasBody = pageHasBody || (kind != BandKind::PageHeader && kind != BandKind::PageFooter
                                      && kind != BandKind::ColumnHeader && kind != BandKind::Title);
    resetAfterPrint(b);
    printBand(b->child);
    return true;
}

void Engine::accumulateFor(Band *b)
{
    for (ExprState &st : exprs)
        if (st.master == b && st.expr->hasAggregates())
            st.expr->accumulate(resolver(b->dataSource));
}

void Engine::resetAfterPrint(Band *b)
{
    for (ReportControl *c : b->controls())
        if (c->kind() == ElementKind::Expression && c->enabled) {
            auto *e = static_cast<ReportExpr *>(c);
            if (e->resetAfterPrint)
                if (ExprState *st = exprOf.value(e))
                    st->expr->reset();
        }
}

// Headers and footers placed where the page wants them, without page breaks.
void Engine::printFixed(Band *b, double at)
{
    if (!b || !b->enabled)
        return;
    bool print = true;
    if (b->beforePrint)
        b->beforePrint(*b, print);
    if (!print || !b->enabled)
        return;
    accumulateFor(b);
    BandLayout l = layout(b);
    const double top = b->bandKind() == BandKind::PageFooter ? at - l.height : at;
    const double height = l.height;
    place(std::move(l), top);
    if (b->bandKind() != BandKind::PageFooter)
        y = top + height;
    resetAfterPrint(b);
    if (b->child && b->bandKind() != BandKind::PageFooter)
        printFixed(b->child, y);
}

void Engine::ensurePage()
{
    if (pageIndex >= 0)
        return;
    PreparedPage p;
    p.size = f.page.paperSize();
    p.orientation = f.page.orientation;
    // Pages of one report hold about as many items as the one before.
    if (!out.pages.empty())
        p.items.reserve(out.pages.back().items.size());
    out.pages.push_back(std::move(p));
    pageIndex = int(out.pages.size()) - 1;
    ++pageNo;
    pageHasBody = false;
    y = f.page.topMargin;
    bodyBottom = f.page.paperSize().height() - f.page.bottomMargin;
    if (pageFooter && pageFooter->enabled)
        bodyBottom -= pageFooter->height;
    if (pageHeader && (pageNo > 1 || f.firstPageHeader))
        printFixed(pageHeader, y);
    if (title && !titlePrinted) {
        titlePrinted = true;
        printFixed(title, y);
    }
    if (columnHeader)
        printFixed(columnHeader, y);
}

void Engine::finishPage(bool last)
{
    if (pageIndex < 0)
        return;
    if (pageFooter && (!last || f.lastPageFooter))
        printFixed(pageFooter, f.page.paperSize().height() - f.page.bottomMargin);
    pageIndex = -1;
    pageHasBody = false;
}

void Engine::place(BandLayout &&l, double top)
{
    PreparedPage &p = out.pages[size_t(pageIndex)];
    const double left = f.page.leftMargin;
    for (PreparedItem &item : l.items) {
        item.rect.translate(left, top);
        item.line.translate(left, top);
        p.items.push_back(std::move(item));
    }
    l.items.clear();
}

QString Engine::textOf(ReportControl *c)
{
    switch (c->kind()) {
    case ElementKind::Label:
        return static_cast<ReportLabel *>(c)->caption;
    case ElementKind::Memo:
        return static_cast<ReportMemo *>(c)->lines.join(QLatin1Char('\n'));
    case ElementKind::DBText: {
        auto *t = static_cast<ReportDBText *>(c);
        ReportDataSource *src = t->dataSource ? t->dataSource : f.mainDataSource;
        if (!src)
            throw EMyError(QStringLiteral("Pole %1 nemá zdroj údajov.").arg(t->field));
        if (src->isEmpty())
            return {};
        if (!checkedFields.contains(t)) {
            if (!src->hasField(t->field))
                throw EMyError(QStringLiteral("Pole %1 sa nenašlo.").arg(t->field));
            checkedFields.insert(t);
        }
        if (t->mask.isEmpty())
            return src->displayText(t->field);
        return formatValue(t->mask, src->value(t->field));
    }
    case ElementKind::Expression: {
        auto *e = static_cast<ReportExpr *>(c);
        ExprState *st = exprOf.value(e);
        if (!st)
            return {};
        return formatValue(e->mask, st->expr->evaluate(resolver(e->band() ? e->band()->dataSource : nullptr)));
    }
    case ElementKind::SysData: {
        auto *s = static_cast<ReportSysData *>(c);
        switch (s->data) {
        case SysDataKind::PageNumber:
            return s->prefix + QString::number(pageNo);
        case SysDataKind::DetailNumber:
            return s->prefix + QString::number(detailNo);
        case SysDataKind::Date:
            return s->prefix + formatValue(QString(), date);
        }
        return s->prefix;
    }
    default:
        return {};
    }
}

void addFrame(std::vector<PreparedItem> &items, const QRectF &r, const Frame &fr, const QString &name, ElementKind src)
{
    if (!fr.any())
        return;
    PreparedItem it;
    it.type = PreparedItem::Line;
    it.pen.widthScreen = it.pen.widthPaper = fr.width;
    it.pen.style = fr.style;
    it.pen.color = fr.color;
    it.name = name;
    it.source = src;
    auto add = [&](QPointF a, QPointF b) {
        it.line = QLineF(a, b);
        items.push_back(it);
    };
    if (fr.top)
        add(r.topLeft(), r.topRight());
    if (fr.bottom)
        add(r.bottomLeft(), r.bottomRight());
    if (fr.left)
        add(r.topLeft(), r.bottomLeft());
    if (fr.right)
        add(r.topRight(), r.bottomRight());
}

BandLayout Engine::layout(Band *b)
{
    BandLayout l;
    const double bandWidth = f.page.paperSize().width() - f.page.leftMargin - f.page.rightMargin;
    double height = std::max(0.0, b->height);

    struct TextBox {
        ReportControl *c;
        QRectF rect;
        QStringList lines;
        std::vector<double> widths;
        const MeasuredFont *fd;
    };
    std::vector<TextBox> boxes;
    std::vector<ReportShape *> shapes;

    for (ReportControl *c : b->controls()) {
        if (!c->enabled)
            continue;
        if (c->kind() == ElementKind::Shape) {
            shapes.push_back(static_cast<ReportShape *>(c));
            continue;
        }
        const QString text = textOf(c);
        const MeasuredFont &fd = measure.font(c->font);
        double x = c->left;
        double w = std::max(0.0, c->width);
        QStringList lines;
        auto addParagraph = [&](QString para) {
            if (para.endsWith(QLatin1Char('\r')))
                para.chop(1);
            if (c->wordWrap)
                lines << fd.wrap(para, w);
            else
                lines << para;
        };
        if (text.contains(QLatin1Char('\n'))) {
            const QStringList paras = text.split(QLatin1Char('\n'));
            for (const QString &para : paras)
                addParagraph(para);
        } else {
            addParagraph(text);
        }
        std::vector<double> widths;
        widths.reserve(size_t(lines.size()));
        double textWidth = 0;
        for (const QString &line : lines) {
            widths.push_back(fd.width(line));
            textWidth = std::max(textWidth, widths.back());
        }
        if (c->autoSize && !c->wordWrap) {
            if (c->alignment & Qt::AlignRight)
                x = c->left + w - textWidth;
            else if (c->alignment & Qt::AlignHCenter)
                x = c->left + (w - textWidth) / 2;
            w = textWidth;
        }
        switch (c->alignToBand) {
        case BandAlign::None:
            break;
        case BandAlign::Left:
            x = 0;
            break;
        case BandAlign::Center:
            x = (bandWidth - w) / 2;
            break;
        case BandAlign::Right:
            x = bandWidth - w;
            break;
        }
        double h = std::max(0.0, c->height);
        if (c->autoStretch) {
            h = std::max(h, fd.lineHeight() * lines.size());
            height = std::max(height, c->top + h);
        }
        boxes.push_back({c, QRectF(x, c->top, w, h), lines, std::move(widths), &fd});
    }

    // Background and frames of the band, shapes, then the texts over them: a filled shape
    // never hides data.
    const QRectF bandRect(0, 0, bandWidth, height);
    if (b->color.isValid() && height > 0) {
        PreparedItem fill;
        fill.type = PreparedItem::Fill;
        fill.rect = bandRect;
        fill.brush = b->color;
        fill.name = b->name;
        l.items.push_back(fill);
    }
    for (ReportShape *s : shapes) {
        if (height <= 0 || s->top > height + kEpsilon)
            continue;   // outside the band (a zero-height band shows nothing)
        PreparedItem it;
        it.name = s->name;
        it.source = ElementKind::Shape;
        it.pen.widthScreen = s->penWidthScreen;
        it.pen.widthPaper = s->penWidthPaper;
        it.pen.style = s->penStyle;
        it.pen.color = s->penColor;
        it.brush = s->brushColor;
        const QRectF r(s->left, s->top, s->width, s->height);
        switch (s->shape) {
        case ShapeType::Rectangle:
            it.type = PreparedItem::Rect;
            it.rect = r;
            l.items.push_back(it);
            break;
        case ShapeType::Circle:
            it.type = PreparedItem::Ellipse;
            it.rect = r;
            l.items.push_back(it);
            break;
        case ShapeType::HorizontalLine:
            it.type = PreparedItem::Line;
            it.line = QLineF(r.left(), r.center().y(), r.right(), r.center().y());
            l.items.push_back(it);
            break;
        case ShapeType::VerticalLine:
            it.type = PreparedItem::Line;
            it.line = QLineF(r.center().x(), r.top(), r.center().x(), r.bottom());
            l.items.push_back(it);
            break;
        case ShapeType::LeftAndRightLines:
            it.type = PreparedItem::Line;
            it.line = QLineF(r.topLeft(), r.bottomLeft());
            l.items.push_back(it);
            it.line = QLineF(r.topRight(), r.bottomRight());
            l.items.push_back(it);
            break;
        }
    }
    for (TextBox &box : boxes) {
        ReportControl *c = box.c;
        if (height <= 0 || c->top > height + kEpsilon)
            continue;
        if (!c->transparent && c->color.isValid()) {
            PreparedItem fill;
            fill.type = PreparedItem::Fill;
            fill.rect = box.rect;
            fill.brush = c->color;
            fill.name = c->name;
            fill.source = c->kind();
            l.items.push_back(fill);
        }
        PreparedItem t;
        t.type = PreparedItem::Text;
        t.rect = box.rect;
        t.lines = box.lines;
        t.lineWidths = std::move(box.widths);
        t.font = box.fd->font();
        t.color = c->fontColor;
        t.alignment = c->alignment;
        t.lineHeight = box.fd->lineHeight();
        t.ascent = box.fd->ascent();
        t.name = c->name;
        t.source = c->kind();
        l.items.push_back(std::move(t));
        addFrame(l.items, box.rect, c->frame, c->name, c->kind());
    }
    if (height > 0)
        addFrame(l.items, bandRect, b->frame, b->name, ElementKind::Band);
    l.height = height;
    return l;
}

} // namespace

PreparedReport ReportForm::prepare()
{
    Engine e(*this);
    return e.run();
}

std::vector<const PreparedItem *> PreparedPage::texts() const
{
    std::vector<const PreparedItem *> out;
    for (const PreparedItem &it : items)
        if (it.type == PreparedItem::Text)
            out.push_back(&it);
    return out;
}

const PreparedItem *PreparedPage::findText(const QString &name, int occurrence) const
{
    for (const PreparedItem &it : items)
        if (it.type == PreparedItem::Text && it.name == name && occurrence-- == 0)
            return &it;
    return nullptr;
}

std::vector<const PreparedItem *> PreparedPage::itemsNamed(const QString &name) const
{
    std::vector<const PreparedItem *> out;
    for (const PreparedItem &it : items)
        if (it.name == name)
            out.push_back(&it);
    return out;
}

} // namespace tarix::rpt
