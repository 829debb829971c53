#include "platform/report/layout.h"
#include "platform/report/prepared.h"
#include "platform/report/preview_host.h"

namespace tarix::rpt {

template <class T>
T *Band::adopt(std::unique_ptr<T> c, double l, double t, double w, double h, const QString &name)
{
    T *raw = c.get();
    raw->setBounds(l, t, w, h);
    raw->name = name;
    raw->m_band = this;
    m_controls.push_back(raw);
    form()->adoptElement(std::move(c));
    return raw;
}

ReportLabel *Band::addLabel(double l, double t, double w, double h, const QString &caption, const QString &name)
{
    auto c = std::make_unique<ReportLabel>();
    c->caption = caption;
    return adopt(std::move(c), l, t, w, h, name);
}

ReportDBText *Band::addDBText(double l, double t, double w, double h, ReportDataSource *source,
                              const QString &field, const QString &mask, const QString &name)
{
    auto c = std::make_unique<ReportDBText>();
    c->dataSource = source;
    c->field = field;
    c->mask = mask;
    return adopt(std::move(c), l, t, w, h, name);
}

ReportExpr *Band::addExpr(double l, double t, double w, double h, const QString &expression,
                          const QString &mask, const QString &name)
{
    auto c = std::make_unique<ReportExpr>();
    c->expression = expression;
    c->mask = mask;
    return adopt(std::move(c), l, t, w, h, name);
}

ReportMemo *Band::addMemo(double l, double t, double w, double h, const QStringList &lines, const QString &name)
{
    auto c = std::make_unique<ReportMemo>();
    c->lines = lines;
    return adopt(std::move(c), l, t, w, h, name);
}

ReportSysData *Band::addSysData(double l, double t, double w, double h, SysDataKind data,
                                const QString &prefix, const QString &name)
{
    auto c = std::make_unique<ReportSysData>();
    c->data = data;
    c->prefix = prefix;
    return adopt(std::move(c), l, t, w, h, name);
}

ReportShape *Band::addShape(double l, double t, double w, double h, ShapeType shape, const QString &name)
{
    auto c = std::make_unique<ReportShape>();
    c->shape = shape;
    return adopt(std::move(c), l, t, w, h, name);
}

ReportForm::ReportForm() = default;
ReportForm::~ReportForm() = default;

void ReportForm::adoptElement(std::unique_ptr<ReportElement> e)
{
    e->m_form = this;
    m_elements.push_back(e.get());
    m_owned.push_back(std::move(e));
}

void ReportForm::registerDataSource(const QString &name, ReportDataSource *source)
{
    for (auto &s : m_sources)
        if (s.first.compare(name, Qt::CaseInsensitive) == 0) {
            s.second = source;
            return;
        }
    m_sources.emplace_back(name, source);
}

ReportDataSource *ReportForm::dataSource(const QString &name) const
{
    for (const auto &s : m_sources)
        if (s.first.compare(name, Qt::CaseInsensitive) == 0)
            return s.second;
    return nullptr;
}

Band *ReportForm::newBand(BandKind kind, double height, const QString &name)
{
    auto b = std::unique_ptr<Band>(new Band(kind));
    b->height = height;
    b->name = name;
    Band *raw = b.get();
    m_bands.push_back(raw);
    adoptElement(std::move(b));
    return raw;
}

Band *ReportForm::addBand(BandKind kind, double height, const QString &name)
{
    return newBand(kind, height, name);
}

Band *ReportForm::addGroup(const QString &expression, double headerHeight, double footerHeight,
                           const QString &name, Band *master)
{
    Band *h = newBand(BandKind::GroupHeader, headerHeight, name);
    h->expression = expression;
    h->master = master;
    if (footerHeight >= 0) {
        Band *f = newBand(BandKind::GroupFooter, footerHeight,
                          name.isEmpty() ? QString() : name + QStringLiteral("Footer"));
        f->header = h;
        h->footer = f;
    }
    return h;
}

Band *ReportForm::addSubDetail(Band *master, ReportDataSource *source, double height, const QString &name)
{
    Band *b = newBand(BandKind::SubDetail, height, name);
    b->master = master;
    b->dataSource = source;
    return b;
}

Band *ReportForm::addSubDetailHeader(Band *subDetail, double height, const QString &name)
{
    Band *b = newBand(BandKind::SubDetailHeader, height, name);
    b->master = subDetail;
    subDetail->header = b;
    return b;
}

Band *ReportForm::addSubDetailFooter(Band *subDetail, double height, const QString &name)
{
    Band *b = newBand(BandKind::SubDetailFooter, height, name);
    b->master = subDetail;
    subDetail->footer = b;
    return b;
}

Band *ReportForm::addChild(Band *parent, double height, const QString &name)
{
    Band *b = newBand(BandKind::Child, height, name);
    b->master = parent;
    parent->child = b;
    return b;
}

Band *ReportForm::band(BandKind kind) const
{
    for (Band *b : m_bands)
        if (b->bandKind() == kind)
            return b;
    return nullptr;
}

std::vector<ReportElement *> ReportForm::elements(ElementKind kind) const
{
    std::vector<ReportElement *> out;
    for (ReportElement *e : m_elements)
        if (e->kind() == kind)
            out.push_back(e);
    return out;
}

std::vector<ReportElement *> ReportForm::elementsWithTag(int tag) const
{
    std::vector<ReportElement *> out;
    for (ReportElement *e : m_elements)
        if (e->tag == tag)
            out.push_back(e);
    return out;
}

std::vector<ReportElement *> ReportForm::enabledElements(bool enabled) const
{
    std::vector<ReportElement *> out;
    for (ReportElement *e : m_elements)
        if (e->enabled == enabled)
            out.push_back(e);
    return out;
}

ReportElement *ReportForm::find(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    for (ReportElement *e : m_elements)
        if (e->name.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return nullptr;
}

void ReportForm::applyNoFrames()
{
    for (ReportElement *e : m_elements)
        if (e->kind() == ElementKind::Shape)
            e->enabled = false;
}

void ReportForm::applyDataOnly()
{
    for (ReportElement *e : m_elements) {
        if (e->kind() != ElementKind::Label && e->kind() != ElementKind::Memo)
            continue;
        auto *c = static_cast<ReportControl *>(e);
        if (c->tag == 0 && !c->dataRole)
            c->enabled = false;
    }
}

void ReportForm::setShapePenWidths(double screen, double paper)
{
    for (ReportElement *e : m_elements)
        if (e->kind() == ElementKind::Shape)
            static_cast<ReportShape *>(e)->setPenWidths(screen, paper);
}

bool ReportForm::preview()
{
    PreparedReport prepared = prepare();
    if (!prepared.printed)
        return false;
    PreviewHost *host = m_previewHost ? m_previewHost : defaultPreviewHost();
    host->takePreview(std::move(prepared), *this);
    return true;
}

} // namespace tarix::rpt
