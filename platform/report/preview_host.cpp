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

void CapturingPreviewHost::showPreview(const PreparedReport &report, ReportForm &form)
{
    Q_UNUSED(form);
    ++shownCount;
    last = report;
}

} // namespace tarix::rpt
