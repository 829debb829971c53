#include "platform/report/qt/preview.h"
#include "platform/report/prepared_file.h"
#include "platform/report/render.h"
#include "platform/report/qt/print.h"
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarix::rpt {

void installDialogPreviewHost(PreviewOwner owner)
{
    static DialogPreviewHost dialogHost;
    dialogHost = DialogPreviewHost(std::move(owner));
    setWindowPreviewHost(&dialogHost);
}

void DialogPreviewHost::showPreview(const PreparedReport &report, ReportForm &form)
{
    Q_UNUSED(form);
    PreviewDialog dlg(report, owner());
    dlg.exec();
}

void DialogPreviewHost::takePreview(PreparedReport &&report, ReportForm &form)
{
    Q_UNUSED(form);
    PreviewDialog dlg(std::move(report), owner());
    dlg.exec();
}

PreviewDialog::PreviewDialog(const PreparedReport &report, QWidget *parent)
    : PreviewDialog(PreparedReport(report), parent)
{
}

PreviewDialog::PreviewDialog(PreparedReport &&report, QWidget *parent)
    : QDialog(parent), m_report(std::move(report)),
      m_percent(m_report.previewZoom > 0 ? m_report.previewZoom : 100)
{
    updateTitle();
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto *bar = new QHBoxLayout;
    auto button = [&](const QString &text, const QString &tip, void (PreviewDialog::*slot)()) {
        auto *b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(tip);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    button(QStringLiteral("Celá strana"), QStringLiteral("Zobraziť celú stranu"), &PreviewDialog::zoomToFit);
    button(QStringLiteral("100 %"), QStringLiteral("Skutočná veľkosť"), &PreviewDialog::zoom100);
    button(QStringLiteral("Šírka strany"), QStringLiteral("Prispôsobiť šírke strany"), &PreviewDialog::zoomToPageWidth);
    bar->addSpacing(12);
    button(QStringLiteral("|<"), QStringLiteral("Prvá strana"), &PreviewDialog::firstPage);
    button(QStringLiteral("<"), QStringLiteral("Predchádzajúca strana"), &PreviewDialog::previousPage);
    button(QStringLiteral(">"), QStringLiteral("Nasledujúca strana"), &PreviewDialog::nextPage);
    button(QStringLiteral(">|"), QStringLiteral("Posledná strana"), &PreviewDialog::lastPage);
    bar->addSpacing(12);
    button(QStringLiteral("Otvoriť..."), QStringLiteral("Otvoriť uloženú tlačovú zostavu"), &PreviewDialog::openReportWithDialog);
    button(QStringLiteral("Uložiť..."), QStringLiteral("Uložiť tlačovú zostavu do súboru"), &PreviewDialog::saveReportWithDialog);
    bar->addSpacing(12);
    button(QStringLiteral("Tlač..."), QStringLiteral("Tlačiť na vybranú tlačiareň"), &PreviewDialog::printWithDialog);
    button(QStringLiteral("Nastavenie tlačiarne..."), QStringLiteral("Nastavenie tlačiarne"), &PreviewDialog::printerSetup);
    button(QStringLiteral("Uložiť PDF..."), QStringLiteral("Uložiť ako súbor PDF"), &PreviewDialog::savePdfWithDialog);
    button(QStringLiteral("Export do textu..."), QStringLiteral("Uložiť ako textový súbor"), &PreviewDialog::saveTextWithDialog);
    bar->addStretch(1);
    auto *close = new QToolButton(this);
    close->setText(QStringLiteral("Zavrieť"));
    close->setAutoRaise(true);
    connect(close, &QToolButton::clicked, this, &QDialog::accept);
    bar->addWidget(close);

    m_view = new QLabel;
    m_view->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);

    m_status = new QLabel(this);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(bar);
    lay->addWidget(m_scroll, 1);
    lay->addWidget(m_status);
    resize(900, 1000);
    refresh();
}

PreviewDialog::~PreviewDialog() = default;

void PreviewDialog::updateTitle()
{
    setWindowTitle(m_report.title.isEmpty() ? QStringLiteral("Náhľad tlačovej zostavy") : m_report.title);
}

double PreviewDialog::zoomPercent() const
{
    if (m_report.pages.empty() || m_mode == ZoomMode::Percent)
        return m_percent;
    const PreparedPage &page = m_report.pages[size_t(m_page)];
    const double dpi = logicalDpiX();
    const QSize vp = m_scroll->viewport()->size();
    const double pageW = page.size.width() * dpi / 25.4;
    const double pageH = page.size.height() * dpi / 25.4;
    const double margin = 16;
    double z = (vp.width() - margin) / pageW;
    if (m_mode == ZoomMode::Fit)
        z = std::min(z, (vp.height() - margin) / pageH);
    return std::max(5.0, z * 100);
}

QString PreviewDialog::statusText() const
{
    if (m_report.pages.empty())
        return QStringLiteral("Zostava neobsahuje žiadne strany");
    return QStringLiteral("Strana %1 z %2    Zväčšenie %3 %")
        .arg(m_page + 1)
        .arg(m_report.pageCount())
        .arg(qRound(zoomPercent()));
}

void PreviewDialog::refresh()
{
    if (m_report.pages.empty()) {
        m_view->setPixmap(QPixmap());
        m_view->setText(QString());
        m_view->resize(1, 1);
    } else {
        const double dpi = logicalDpiX() * zoomPercent() / 100.0;
        const QImage img = renderPageImage(m_report.pages[size_t(m_page)], dpi, RenderTarget::Screen);
        m_view->setPixmap(QPixmap::fromImage(img));
        m_view->resize(img.size());
    }
    m_status->setText(statusText());
}

void PreviewDialog::goToPage(int index)
{
    if (m_report.pages.empty())
        return;
    m_page = qBound(0, index, m_report.pageCount() - 1);
    refresh();
}

void PreviewDialog::firstPage() { goToPage(0); }
void PreviewDialog::previousPage() { goToPage(m_page - 1); }
void PreviewDialog::nextPage() { goToPage(m_page + 1); }
void PreviewDialog::lastPage() { goToPage(m_report.pageCount() - 1); }

void PreviewDialog::zoomToFit()
{
    m_mode = ZoomMode::Fit;
    refresh();
}

void PreviewDialog::zoom100() { setZoomPercent(100); }

void PreviewDialog::zoomToPageWidth()
{
    m_mode = ZoomMode::PageWidth;
    refresh();
}

void PreviewDialog::setZoomPercent(double percent)
{
    m_mode = ZoomMode::Percent;
    m_percent = qBound(5.0, percent, 800.0);
    refresh();
}

void PreviewDialog::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    if (m_mode != ZoomMode::Percent)
        refresh();
}

QPrinter &PreviewDialog::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        configurePrinter(*m_printer, m_report);
    }
    return *m_printer;
}

void PreviewDialog::printWithDialog()
{
    if (m_report.pages.empty())
        return;
    QPrinter &p = printer();
    QPrintDialog dlg(&p, this);
    dlg.setMinMax(1, m_report.pageCount());
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dlg.exec() != QDialog::Accepted)
        return;
    printReport(m_report, p);
}

void PreviewDialog::printerSetup()
{
    QPageSetupDialog dlg(&printer(), this);
    dlg.exec();
}

bool PreviewDialog::saved(bool ok, const QString &error)
{
    if (!ok)
        QMessageBox::critical(this, QStringLiteral(" Chyba"), error);
    return ok;
}

bool PreviewDialog::savePdf(const QString &fileName)
{
    QString error;
    return saved(writePdf(m_report, fileName, &error), error);
}

bool PreviewDialog::saveText(const QString &fileName)
{
    QString error;
    return saved(writeText(m_report, fileName, &error), error);
}

bool PreviewDialog::saveReport(const QString &fileName)
{
    QString error;
    return saved(savePreparedReport(m_report, fileName, &error), error);
}

bool PreviewDialog::openReport(const QString &fileName)
{
    QString error;
    std::optional<PreparedReport> loaded = loadPreparedReport(fileName, &error);
    if (!loaded) {
        QMessageBox::critical(this, QStringLiteral(" Chyba"), error);
        return false;
    }
    // A report opened from a file is saved again beside it under its own name.
    loaded->saveFolder = QFileInfo(fileName).absolutePath();
    loaded->saveBaseName = QFileInfo(fileName).completeBaseName();
    m_report = std::move(*loaded);
    m_printer.reset();   // set up again for the new report's orientation and title
    m_page = 0;
    updateTitle();
    refresh();
    return true;
}

namespace {
QString preparedFilter()
{
    return QStringLiteral("Tlačové zostavy (*.%1)").arg(QLatin1String(kPreparedFileSuffix));
}

PreviewFileDialog &fileDialogSlot()
{
    static PreviewFileDialog dialog;
    return dialog;
}

QString askFile(QWidget *parent, bool save, const QString &caption, const QString &proposed,
                const QString &filter)
{
    if (const PreviewFileDialog &dialog = fileDialogSlot())
        return dialog(parent, save, caption, proposed, filter);
    return save ? QFileDialog::getSaveFileName(parent, caption, proposed, filter)
                : QFileDialog::getOpenFileName(parent, caption, proposed, filter);
}

QString withSuffix(const QString &name, const QString &suffix)
{
    const QString dotted = QLatin1Char('.') + suffix;
    return name.endsWith(dotted, Qt::CaseInsensitive) ? name : name + dotted;
}
} // namespace

QString proposedSavePath(const PreparedReport &report, const QString &suffix)
{
    if (report.saveBaseName.isEmpty())
        return report.saveFolder;
    const QString name = report.saveBaseName + QLatin1Char('.') + suffix;
    return report.saveFolder.isEmpty() ? name : QDir(report.saveFolder).filePath(name);
}

void setPreviewFileDialog(PreviewFileDialog dialog) { fileDialogSlot() = std::move(dialog); }

void PreviewDialog::saveReportWithDialog()
{
    const QString suffix = QLatin1String(kPreparedFileSuffix);
    const QString name = askFile(this, true, QStringLiteral("Uložiť tlačovú zostavu"),
                                 proposedSavePath(m_report, suffix), preparedFilter());
    if (!name.isEmpty())
        saveReport(withSuffix(name, suffix));
}

void PreviewDialog::openReportWithDialog()
{
    const QString name = askFile(this, false, QStringLiteral("Otvoriť tlačovú zostavu"), m_report.saveFolder,
                                 preparedFilter());
    if (!name.isEmpty())
        openReport(name);
}

void PreviewDialog::savePdfWithDialog()
{
    const QString name = askFile(this, true, QStringLiteral("Uložiť ako PDF"), proposedSavePath(m_report, QStringLiteral("pdf")),
                                 QStringLiteral("Súbory PDF (*.pdf)"));
    if (!name.isEmpty())
        savePdf(withSuffix(name, QStringLiteral("pdf")));
}

void PreviewDialog::saveTextWithDialog()
{
    const QString name = askFile(this, true, QStringLiteral("Export do textu"), proposedSavePath(m_report, QStringLiteral("txt")),
                                 QStringLiteral("Textové súbory (*.txt)"));
    if (!name.isEmpty())
        saveText(withSuffix(name, QStringLiteral("txt")));
}

} // namespace tarix::rpt
