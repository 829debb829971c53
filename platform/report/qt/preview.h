#pragma once
// The preview window of prepared reports, and the host that opens it.
#include "platform/report/preview_host.h"
#include "platform/report/prepared.h"
#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QScrollArea;
class QPrinter;

namespace tarix::rpt {

// The window a preview belongs to: the one that asked for the report.
using PreviewOwner = std::function<QWidget *()>;

// Opens a PreviewDialog and waits until it is closed.
class DialogPreviewHost : public PreviewHost {
public:
    explicit DialogPreviewHost(PreviewOwner owner = {}) : m_owner(std::move(owner)) {}
    void showPreview(const PreparedReport &report, ReportForm &form) override;
    // The prepared pages move into the window: a long report is not held twice.
    void takePreview(PreparedReport &&report, ReportForm &form) override;

private:
    QWidget *owner() const { return m_owner ? m_owner() : nullptr; }
    PreviewOwner m_owner;
};

// Makes the preview window the host of every report that has no other (start-up does it),
// each preview belonging to the window `owner` names when it opens.
void installDialogPreviewHost(PreviewOwner owner = {});

// The file the save dialogs propose for the report: its save folder and name with the
// extension `suffix` ("pdf"); only the folder (or nothing) when the report proposes no name.
QString proposedSavePath(const PreparedReport &report, const QString &suffix);

// The save and open dialogs of the preview: caption, the proposed path, the filter; returns
// the chosen file or an empty string. The program shows Qt's file dialogs; tests set their
// own answer (an empty function restores the dialogs).
using PreviewFileDialog = std::function<QString(QWidget *parent, bool save, const QString &caption,
                                                const QString &proposedPath, const QString &filter)>;
// Stays a setter, not a registry entry: a test seam in platform/, below the core's registries.
void setPreviewFileDialog(PreviewFileDialog dialog);

// The preview window: zoom to fit, 100 %, page width; first, previous, next, last page;
// printing with printer set-up; saving the prepared report and opening one saved earlier
// (prepared_file.h); save as PDF; plain-text export; a status line.
class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    enum class ZoomMode { Fit, Percent, PageWidth };

    explicit PreviewDialog(const PreparedReport &report, QWidget *parent = nullptr);
    explicit PreviewDialog(PreparedReport &&report, QWidget *parent = nullptr);
    ~PreviewDialog() override;

    int currentPage() const { return m_page; }   // 0-based
    int pageCount() const { return m_report.pageCount(); }
    ZoomMode zoomMode() const { return m_mode; }
    double zoomPercent() const;                   // the effective zoom
    QString statusText() const;
    const PreparedReport &report() const { return m_report; }

    // Where the buttons put their files; tests call these directly.
    bool savePdf(const QString &fileName);
    bool saveText(const QString &fileName);
    bool saveReport(const QString &fileName);
    // Shows the saved report in place of the current one, from its first page; a file that
    // cannot be read leaves the current report and tells why.
    bool openReport(const QString &fileName);

public slots:
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void goToPage(int index);
    void zoomToFit();
    void zoom100();
    void zoomToPageWidth();
    void setZoomPercent(double percent);
    void printWithDialog();
    void printerSetup();
    void savePdfWithDialog();
    void saveTextWithDialog();
    void saveReportWithDialog();
    void openReportWithDialog();

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    // The error box when a file could not be written; the result as given.
    bool saved(bool ok, const QString &error);
    void refresh();
    void updateTitle();
    QPrinter &printer();

    PreparedReport m_report;
    int m_page = 0;
    ZoomMode m_mode = ZoomMode::Percent;
    double m_percent = 100;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_view = nullptr;
    QLabel *m_status = nullptr;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace tarix::rpt
