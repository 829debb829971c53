#include "platform/report/description.h"

#include "platform/errors.h"
#include "platform/report/expression.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace tarix::rpt {

ControlDesc label(const QString &name, Box box, const QString &caption, const FontSpec &font,
                  Qt::Alignment alignment)
{
    ControlDesc c;
    c.kind = ElementKind::Label;
    c.name = name;
    c.box = box;
    c.text = caption;
    c.font = font;
    c.alignment = alignment;
    return c;
}

ControlDesc dbText(const QString &name, Box box, const QString &field, const FontSpec &font,
                   Qt::Alignment alignment, const QString &mask)
{
    ControlDesc c = label(name, box, field, font, alignment);
    c.kind = ElementKind::DBText;
    c.mask = mask;
    return c;
}

ControlDesc expression(const QString &name, Box box, const QString &expression, const FontSpec &font,
                       Qt::Alignment alignment, const QString &mask)
{
    ControlDesc c = label(name, box, expression, font, alignment);
    c.kind = ElementKind::Expression;
    c.mask = mask;
    return c;
}

ControlDesc memo(const QString &name, Box box, const QString &lines, const FontSpec &font)
{
    ControlDesc c = label(name, box, lines, font);
    c.kind = ElementKind::Memo;
    return c;
}

ControlDesc sysData(const QString &name, Box box, SysDataKind data, const FontSpec &font,
                    const QString &prefix, Qt::Alignment alignment)
{
    ControlDesc c = label(name, box, prefix, font, alignment);
    c.kind = ElementKind::SysData;
    c.sysData = data;
    return c;
}

ControlDesc shape(const QString &name, Box box, ShapeType type)
{
    ControlDesc c;
    c.kind = ElementKind::Shape;
    c.name = name;
    c.box = box;
    c.shape = type;
    return c;
}

const Block *BlockLibrary::block(const QString &name) const
{
    for (const Block &b : blocks)
        if (b.name.compare(name, Qt::CaseInsensitive) == 0)
            return &b;
    return nullptr;
}

const BandBlock *BlockLibrary::bandBlock(const QString &name) const
{
    for (const BandBlock &b : bandBlocks)
        if (b.name.compare(name, Qt::CaseInsensitive) == 0)
            return &b;
    return nullptr;
}

namespace {

struct Size {
    double width = 0;
    double height = 0;
};

struct ActivePatch {
    const ControlPatch *patch;
    QString name;                     // placeholders filled
    std::optional<QString> text;
    bool used = false;
};

// Where items are being placed: the place of a block use (or the band itself), the size
// the block was drawn for, its filled placeholders and the patches of this use. Scopes
// chain outwards, so that a layout's patch reaches controls of nested blocks.
struct Scope {
    const Scope *outer = nullptr;
    QString where;                    // for messages
    double x = 0;
    double y = 0;
    Size place;
    Size drawn;
    // The placeholders' values (keys in lower case); a band inside a block of bands takes
    // those of the block.
    bool ownsArgs = false;
    QHash<QString, QString> args;
    mutable QSet<QString> usedArgs;
    std::vector<ActivePatch> *patches = nullptr;
};

class Builder {
public:
    Builder(ReportForm &form, const LayoutDesc &layout, const BlockLibrary &library, const FieldCheck &check)
        : m_form(form), m_layout(layout), m_library(library), m_check(check)
    {
    }

    void build();

private:
    struct PendingBand {
        Band *band;
        QString where;
        QString master, header, dataSource;
    };
    struct PendingExpr {
        ReportExpr *expr;
        QString master;
        QString where;
    };
    struct Stretch {
        ReportControl *control;
        double gap;
        QString where;
    };

    [[noreturn]] void fail(const QString &where, const QString &what) const;

    QString fill(const QString &text, const Scope &scope) const;
    Scope useScope(const Scope &outer, const QString &where, double x, double y, Size place, Size drawn,
                   const BlockArgs &args, const std::vector<ControlPatch> &patches,
                   std::vector<ActivePatch> &active) const;
    void closeScope(const Scope &scope, const QString &block) const;

    const Block &blockNamed(const QString &name, const QString &where) const;
    Size blockSize(const Block &b, const QString &where);
    Size extent(const std::vector<LayoutItem> &items, const QString &where);

    void addBand(const BandDesc &d, const Scope &scope);
    void placeItems(Band *band, const std::vector<LayoutItem> &items, const Scope &scope);
    void placeUse(Band *band, const BlockUse &use, double x, double y, double defaultWidth, const Scope &scope);
    void placeControl(Band *band, const ControlDesc &d, const Scope &scope);
    void resolveLinks();
    Band *bandNamed(const QString &name, const QString &where) const;
    QString sourceName(const ReportDataSource *source) const;

    ReportForm &m_form;
    const LayoutDesc &m_layout;
    const BlockLibrary &m_library;
    const FieldCheck &m_check;
    QStringList m_blockPath;          // blocks being measured, against a block inside itself
    QStringList m_placePath;          // blocks being placed, likewise
    QHash<const Block *, Size> m_sizes;
    std::vector<PendingBand> m_bands;
    std::vector<PendingExpr> m_exprs;
    std::vector<Stretch> m_stretches;
};

void Builder::fail(const QString &where, const QString &what) const
{
    throw EMyError(QStringLiteral("Popis zostavy %1: %2 (%3).").arg(m_layout.name, what, where));
}

QString Builder::fill(const QString &text, const Scope &at) const
{
    if (!text.contains(u'{'))
        return text;
    const Scope *owner = &at;
    while (!owner->ownsArgs && owner->outer)
        owner = owner->outer;
    const Scope &scope = *owner;
    static const QRegularExpression placeholder(QStringLiteral("\\{([A-Za-z_][A-Za-z0-9_]*)\\}"));
    QString out;
    qsizetype from = 0;
    auto it = placeholder.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString key = m.captured(1).toLower();
        const auto value = scope.args.constFind(key);
        if (value == scope.args.constEnd())
            fail(at.where, QStringLiteral("chýba hodnota {%1}").arg(m.captured(1)));
        scope.usedArgs.insert(key);
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += *value;
        from = m.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

Scope Builder::useScope(const Scope &outer, const QString &where, double x, double y, Size place, Size drawn,
                        const BlockArgs &args, const std::vector<ControlPatch> &patches,
                        std::vector<ActivePatch> &active) const
{
    Scope s;
    s.outer = &outer;
    s.where = where;
    s.x = x;
    s.y = y;
    s.place = place;
    s.drawn = drawn;
    s.ownsArgs = true;
    for (const auto &[key, value] : args) {
        const QString k = key.toLower();
        if (s.args.contains(k))
            fail(where, QStringLiteral("hodnota {%1} je daná dvakrát").arg(key));
        // The values may use the placeholders of the block the use is written in.
        s.args.insert(k, fill(value, outer));
    }
    active.clear();
    for (const ControlPatch &p : patches) {
        ActivePatch a{&p, fill(p.name, outer), std::nullopt, false};
        if (p.text)
            a.text = fill(*p.text, outer);
        active.push_back(std::move(a));
    }
    s.patches = &active;
    return s;
}

void Builder::closeScope(const Scope &scope, const QString &block) const
{
    for (auto it = scope.args.cbegin(); it != scope.args.cend(); ++it)
        if (!scope.usedArgs.contains(it.key()))
            fail(scope.where, QStringLiteral("blok %1 nemá miesto pre hodnotu {%2}").arg(block, it.key()));
    for (const ActivePatch &p : *scope.patches)
        if (!p.used)
            fail(scope.where, QStringLiteral("úprava %1 nenašla v bloku %2 žiadny prvok").arg(p.name, block));
}

const Block &Builder::blockNamed(const QString &name, const QString &where) const
{
    const Block *b = m_library.block(name);
    if (!b)
        fail(where, QStringLiteral("blok %1 neexistuje").arg(name));
    return *b;
}

Size Builder::blockSize(const Block &b, const QString &where)
{
    if (auto it = m_sizes.constFind(&b); it != m_sizes.constEnd())
        return *it;
    if (m_blockPath.contains(b.name, Qt::CaseInsensitive))
        fail(where, QStringLiteral("blok %1 sa používa sám v sebe").arg(b.name));
    m_blockPath << b.name;
    Size s{b.width, b.height};
    if (s.width <= 0 || s.height <= 0) {
        const Size e = extent(b.items, where + QStringLiteral(" › blok ") + b.name);
        if (s.width <= 0)
            s.width = e.width;
        if (s.height <= 0)
            s.height = e.height;
    }
    m_blockPath.removeLast();
    m_sizes.insert(&b, s);
    return s;
}

// The right and bottom edges of what the items hold, in their own coordinates.
Size Builder::extent(const std::vector<LayoutItem> &items, const QString &where)
{
    Size e;
    const auto grow = [&](double right, double bottom) {
        e.width = std::max(e.width, right);
        e.height = std::max(e.height, bottom);
    };
    for (const LayoutItem &item : items) {
        if (const auto *c = std::get_if<ControlDesc>(&item)) {
            grow(c->box.left + c->box.width, c->box.top + (c->toBandBottom ? 0 : c->box.height));
        } else if (const auto *u = std::get_if<BlockUse>(&item)) {
            const Size s = blockSize(blockNamed(u->block, where), where);
            grow(u->place.left + (u->place.width > 0 ? u->place.width : s.width),
                 u->place.top + (u->place.height > 0 ? u->place.height : s.height));
        } else if (const auto *st = std::get_if<Stack>(&item)) {
            double bottom = st->top;
            for (const BlockUse &line : st->lines) {
                const Size s = blockSize(blockNamed(line.block, where), where);
                bottom += line.place.top + (line.place.height > 0 ? line.place.height : s.height);
            }
            grow(st->left + st->width, bottom);
        }
    }
    return e;
}

void Builder::placeControl(Band *band, const ControlDesc &source, const Scope &scope)
{
    ControlDesc d = source;
    d.name = fill(d.name, scope);
    d.text = fill(d.text, scope);
    d.mask = fill(d.mask, scope);
    // Patches of the innermost use first, so that the layout's own have the last word.
    bool removed = false;
    for (const Scope *s = &scope; s; s = s->outer) {
        if (!s->patches)
            continue;
        for (ActivePatch &a : *s->patches) {
            if (a.name.compare(d.name, Qt::CaseInsensitive) != 0)
                continue;
            a.used = true;
            const ControlPatch &p = *a.patch;
            removed = removed || p.remove;
            if (p.left)
                d.box.left = *p.left;
            if (p.top)
                d.box.top = *p.top;
            if (p.width)
                d.box.width = *p.width;
            if (p.height)
                d.box.height = *p.height;
            if (a.text)
                d.text = *a.text;
            if (p.font)
                d.font = *p.font;
            if (p.alignment)
                d.alignment = *p.alignment;
            if (p.mask)
                d.mask = *p.mask;
            if (p.tag)
                d.tag = *p.tag;
        }
    }
    if (removed)
        return;

    // The anchors follow the place's difference from the size the block was drawn for.
    const double dw = scope.place.width - scope.drawn.width;
    const double dh = scope.place.height - scope.drawn.height;
    if (d.anchors & kAnchorRight) {
        if (d.anchors & kAnchorLeft)
            d.box.width += dw;
        else
            d.box.left += dw;
    }
    if (d.anchors & kAnchorBottom) {
        if (d.anchors & kAnchorTop)
            d.box.height += dh;
        else
            d.box.top += dh;
    }
    const double l = scope.x + d.box.left;
    const double t = scope.y + d.box.top;
    const double w = d.box.width;
    const double h = d.box.height;
    const QString where = scope.where + (d.name.isEmpty() ? QString() : QStringLiteral(" › ") + d.name);

    ReportControl *c = nullptr;
    switch (d.kind) {
    case ElementKind::Label:
        c = band->addLabel(l, t, w, h, d.text, d.name);
        break;
    case ElementKind::DBText: {
        const qsizetype dot = d.text.indexOf(u'.');
        const QString sourceText = dot < 0 ? QString() : d.text.left(dot);
        const QString field = dot < 0 ? d.text : d.text.mid(dot + 1);
        ReportDataSource *src = sourceText.isEmpty() ? m_form.mainDataSource : m_form.dataSource(sourceText);
        if (!src) {
            if (sourceText.isEmpty())
                fail(where, QStringLiteral("pole %1 nemá zdroj údajov").arg(field));
            fail(where, QStringLiteral("zdroj údajov %1 neexistuje").arg(sourceText));
        }
        if (field.isEmpty() || !(m_check ? m_check(*src, field) : src->hasField(field)))
            fail(where, QStringLiteral("pole %1 v zdroji údajov %2 neexistuje").arg(field, sourceName(src)));
        c = band->addDBText(l, t, w, h, src, field, d.mask, d.name);
        break;
    }
    case ElementKind::Expression: {
        try {
            Expression check(d.text);
        } catch (const EMyError &e) {
            fail(where, e.text());
        }
        ReportExpr *e = band->addExpr(l, t, w, h, d.text, d.mask, d.name);
        e->resetAfterPrint = d.resetAfterPrint;
        if (!d.master.isEmpty())
            m_exprs.push_back({e, fill(d.master, scope), where});
        c = e;
        break;
    }
    case ElementKind::Memo:
        c = band->addMemo(l, t, w, h, d.text.split(u'\n'), d.name);
        break;
    case ElementKind::SysData:
        c = band->addSysData(l, t, w, h, d.sysData, d.text, d.name);
        break;
    case ElementKind::Shape: {
        ReportShape *s = band->addShape(l, t, w, h, d.shape, d.name);
        s->setPenWidth(d.penWidth);
        s->brushColor = d.brushColor;
        c = s;
        break;
    }
    case ElementKind::Band:
        fail(where, QStringLiteral("pásmo nemôže byť prvkom pásma"));
    }
    c->font = d.font;
    c->fontColor = d.fontColor;
    c->color = d.color;
    c->transparent = d.transparent;
    c->alignment = d.alignment;
    c->alignToBand = d.alignToBand;
    c->autoSize = d.autoSize;
    c->autoStretch = d.autoStretch;
    c->wordWrap = d.wordWrap;
    c->frame = d.frame;
    c->tag = d.tag;
    if (d.toBandBottom)
        m_stretches.push_back({c, *d.toBandBottom, where});
}

void Builder::placeUse(Band *band, const BlockUse &use, double x, double y, double defaultWidth, const Scope &scope)
{
    const QString blockName = fill(use.block, scope);
    const Block &b = blockNamed(blockName, scope.where);
    const Size drawn = blockSize(b, scope.where);
    Size place{use.place.width > 0 ? use.place.width : (defaultWidth > 0 ? defaultWidth : drawn.width),
               use.place.height > 0 ? use.place.height : drawn.height};
    if (m_placePath.contains(b.name, Qt::CaseInsensitive))
        fail(scope.where, QStringLiteral("blok %1 sa používa sám v sebe").arg(b.name));
    std::vector<ActivePatch> active;
    const Scope inner = useScope(scope, scope.where + QStringLiteral(" › blok ") + b.name, x, y, place, drawn,
                                 use.args, use.patches, active);
    m_placePath << b.name;
    placeItems(band, b.items, inner);
    m_placePath.removeLast();
    closeScope(inner, b.name);
}

void Builder::placeItems(Band *band, const std::vector<LayoutItem> &items, const Scope &scope)
{
    for (const LayoutItem &item : items) {
        if (const auto *c = std::get_if<ControlDesc>(&item)) {
            placeControl(band, *c, scope);
        } else if (const auto *u = std::get_if<BlockUse>(&item)) {
            placeUse(band, *u, scope.x + u->place.left, scope.y + u->place.top, 0, scope);
        } else if (const auto *st = std::get_if<Stack>(&item)) {
            const double width = st->width > 0 ? st->width : scope.place.width - st->left;
            double y = scope.y + st->top;
            for (const BlockUse &line : st->lines) {
                const Block &b = blockNamed(fill(line.block, scope), scope.where);
                const double height = line.place.height > 0 ? line.place.height : blockSize(b, scope.where).height;
                placeUse(band, line, scope.x + st->left + line.place.left, y + line.place.top, width, scope);
                y += line.place.top + height;
            }
        }
    }
}

void Builder::addBand(const BandDesc &d, const Scope &scope)
{
    const QString name = fill(d.name, scope);
    Band *band = m_form.addBand(d.kind, d.height, name);
    band->forceNewPage = d.forceNewPage;
    band->expression = fill(d.expression, scope);
    band->printIfEmpty = d.printIfEmpty;
    band->color = d.color;
    band->frame = d.frame;
    const QString where = scope.where + QStringLiteral(" › pásmo ") + name;
    m_bands.push_back({band, where, fill(d.master, scope), fill(d.header, scope), fill(d.dataSource, scope)});

    // The band is the place of its own items: as wide as the page inside the margins.
    Scope s;
    s.outer = &scope;
    s.where = where;
    const QSizeF paper = m_form.page.paperSize();
    s.place = {paper.width() - m_form.page.leftMargin - m_form.page.rightMargin, d.height};
    s.drawn = s.place;
    const size_t firstStretch = m_stretches.size();
    const size_t firstControl = band->controls().size();
    placeItems(band, d.items, s);

    if (d.fitBelow) {
        double bottom = 0;
        const auto &controls = band->controls();
        for (size_t i = firstControl; i < controls.size(); ++i) {
            const ReportControl *c = controls[i];
            const bool stretches = std::any_of(m_stretches.begin() + long(firstStretch), m_stretches.end(),
                                               [&](const Stretch &st) { return st.control == c; });
            if (!stretches)
                bottom = std::max(bottom, c->top + c->height);
        }
        band->height = bottom + *d.fitBelow;
    }
    for (size_t i = firstStretch; i < m_stretches.size(); ++i) {
        const Stretch &st = m_stretches[i];
        const double h = band->height - st.gap - st.control->top;
        if (h < 0)
            fail(st.where, QStringLiteral("prvok siaha pod spodok pásma"));
        st.control->height = h;
    }
}

Band *Builder::bandNamed(const QString &name, const QString &where) const
{
    for (Band *b : m_form.bands())
        if (b->name.compare(name, Qt::CaseInsensitive) == 0)
            return b;
    fail(where, QStringLiteral("pásmo %1 neexistuje").arg(name));
}

QString Builder::sourceName(const ReportDataSource *source) const
{
    for (const auto &[name, s] : m_form.dataSources())
        if (s == source)
            return name;
    return QStringLiteral("hlavnom");
}

void Builder::resolveLinks()
{
    for (const PendingBand &p : m_bands) {
        Band *b = p.band;
        Band *master = p.master.isEmpty() ? nullptr : bandNamed(p.master, p.where);
        switch (b->bandKind()) {
        case BandKind::GroupHeader:
            b->master = master;
            break;
        case BandKind::GroupFooter: {
            if (p.header.isEmpty())
                fail(p.where, QStringLiteral("pätičke skupiny chýba hlavička"));
            Band *h = bandNamed(p.header, p.where);
            b->header = h;
            h->footer = b;
            break;
        }
        case BandKind::SubDetail: {
            if (!master)
                fail(p.where, QStringLiteral("vnorenému pásmu chýba nadradené pásmo"));
            b->master = master;
            if (!p.dataSource.isEmpty()) {
                b->dataSource = m_form.dataSource(p.dataSource);
                if (!b->dataSource)
                    fail(p.where, QStringLiteral("zdroj údajov %1 neexistuje").arg(p.dataSource));
            }
            break;
        }
        case BandKind::SubDetailHeader:
        case BandKind::SubDetailFooter:
            if (!master)
                fail(p.where, QStringLiteral("pásmu chýba vnorené pásmo, ku ktorému patrí"));
            b->master = master;
            (b->bandKind() == BandKind::SubDetailHeader ? master->header : master->footer) = b;
            break;
        case BandKind::Child:
            if (!master)
                fail(p.where, QStringLiteral("pripojenému pásmu chýba pásmo, ku ktorému patrí"));
            b->master = master;
            master->child = b;
            break;
        default:
            if (master)
                b->master = master;
            break;
        }
    }
    for (const PendingExpr &e : m_exprs)
        e.expr->master = bandNamed(e.master, e.where);
}

void Builder::build()
{
    m_form.title = m_layout.title;
    m_form.page = m_layout.page;
    m_form.firstPageHeader = m_layout.firstPageHeader;
    m_form.lastPageFooter = m_layout.lastPageFooter;
    m_form.printIfEmpty = m_layout.printIfEmpty;
    m_form.previewZoom = m_layout.previewZoom;

    Scope top;
    top.where = QStringLiteral("zostava");
    top.ownsArgs = true;
    for (const LayoutBand &lb : m_layout.bands) {
        if (const auto *d = std::get_if<BandDesc>(&lb)) {
            addBand(*d, top);
        } else if (const auto *u = std::get_if<BandBlockUse>(&lb)) {
            const BandBlock *bb = m_library.bandBlock(u->block);
            if (!bb)
                fail(top.where, QStringLiteral("skupina pásiem %1 neexistuje").arg(u->block));
            std::vector<ActivePatch> active;
            const Scope s = useScope(top, QStringLiteral("skupina pásiem ") + bb->name, 0, 0, {}, {}, u->args,
                                     u->patches, active);
            for (const BandDesc &d : bb->bands)
                addBand(d, s);
            closeScope(s, bb->name);
        }
    }
    resolveLinks();
}

} // namespace

void buildReportForm(ReportForm &form, const LayoutDesc &layout, const BlockLibrary &library,
                     const FieldCheck &knowsField)
{
    Builder(form, layout, library, knowsField).build();
}

} // namespace tarix::rpt
