#include "platform/report/preview_host.h"

namespace tarix::rpt {

namespace {
PreviewHost *&hostSlot()
{
    static PreviewHost *host = nullptr;
    return host;
}
PreviewHost *&windowHostSlot()
{
    static PreviewHost *host = nullptr;
    return host;
}
} // namespace

PreviewHost *defaultPreviewHost()
{
    static CapturingPreviewHost noWindow;
    if (PreviewHost *h = hostSlot())
        return h;
    if (PreviewHost *h = windowHostSlot())
        return h;
    return &noWindow;
}

void setDefaultPreviewHost(PreviewHost *host) { hostSlot() = host; }

void setWindowPreviewHost(PreviewHost *host) { windowHostSlot() = host; }

SaveProposalScope::SaveProposalScope(const QString &folder, const QString &baseName)
    : m_folder(folder), m_baseName(baseName), m_previousSet(hostSlot())
{
    hostSlot() = this;
}

SaveProposalScope::~SaveProposalScope() { hostSlot() = m_previousSet; }

void SaveProposalScope::showPreview(const PreparedReport &report, ReportForm &form)
{
    takePreview(PreparedReport(report), form);
}

void SaveProposalScope::takePreview(PreparedReport &&report, ReportForm &form)
{
    PreparedReport proposed = std::move(report);
    // An inner scope has proposed already (it passes the report on through this one).
    if (proposed.saveFolder.isEmpty() && proposed.saveBaseName.isEmpty()) {
        proposed.saveFolder = m_folder;
        proposed.saveBaseName = m_baseName;
    }
    // The host that would have shown it without this scope.
    PreviewHost *const self = hostSlot();
    hostSlot() = m_previousSet;
    PreviewHost *next = defaultPreviewHost();
    hostSlot() = self;
    next->takePreview(std::move(proposed), form);
}

void CapturingPreviewHost::showPreview(const PreparedReport &report, ReportForm &form)
{
    Q_UNUSED(form);
    ++shownCount;
    last = report;
}

void CapturingPreviewHost::takePreview(PreparedReport &&report, ReportForm &form)
{
    Q_UNUSED(form);
    ++shownCount;
    last = std::move(report);
}

} // namespace tarix::rpt
