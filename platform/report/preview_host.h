#pragma once
// Showing a prepared report. ReportForm::preview() hands the pages to a PreviewHost: the
// program's host opens the modal preview window; tests install a capturing host.
#include "platform/report/prepared.h"

namespace tarix::rpt {

class PreviewHost {
public:
    virtual ~PreviewHost() = default;
    // Returns only when the preview is closed.
    virtual void showPreview(const PreparedReport &report, ReportForm &form) = 0;
    // The same for a report nobody else keeps: a host that stores the pages takes them
    // instead of copying them (thousands of pages of a large list).
    virtual void takePreview(PreparedReport &&report, ReportForm &form) { showPreview(report, form); }
};

// Keeps what would have been shown (headless runs and tests).
class CapturingPreviewHost : public PreviewHost {
public:
    void showPreview(const PreparedReport &report, ReportForm &form) override;
    void takePreview(PreparedReport &&report, ReportForm &form) override;

    int shownCount = 0;
    PreparedReport last;
};

// While it lives, every report shown through the process-wide host proposes this folder
// and file name (without extension) for saving. The launcher of a report opens one around
// the run: it knows the firm's output folder and what the report is of; the engine knows
// neither. Scopes nest; the innermost wins.
class SaveProposalScope : public PreviewHost {
public:
    SaveProposalScope(const QString &folder, const QString &baseName);
    ~SaveProposalScope() override;
    SaveProposalScope(const SaveProposalScope &) = delete;
    SaveProposalScope &operator=(const SaveProposalScope &) = delete;

    void showPreview(const PreparedReport &report, ReportForm &form) override;
    void takePreview(PreparedReport &&report, ReportForm &form) override;

private:
    QString m_folder;
    QString m_baseName;
    PreviewHost *m_previousSet;   // what setDefaultPreviewHost had before
};

// The process-wide host: the one set here, else the window layer's (the preview window,
// see qt/preview.h), else a capturing host that shows nothing (a run without windows).
// nullptr restores the window layer's.
PreviewHost *defaultPreviewHost();
// Stays a setter, not a registry entry: platform/ sits below the core's registries.
void setDefaultPreviewHost(PreviewHost *host);
void setWindowPreviewHost(PreviewHost *host);

} // namespace tarix::rpt
