#include "core/forms/window_caption.h"

#include "core/version.h"

#include <QLabel>
#include <QStatusBar>
#include <QWidget>

namespace tarix::core {

QLabel *statusPanel(QStatusBar *statusBar, int index)
{
    const auto name = [](int i) { return QStringLiteral("StatusPanel%1").arg(i); };
    if (auto *panel = statusBar->findChild<QLabel *>(name(index), Qt::FindDirectChildrenOnly))
        return panel;
    // Panels stand in their number order; the missing ones before this are made too.
    for (int i = 0; i < index; ++i)
        statusPanel(statusBar, i);
    auto *panel = new QLabel(statusBar);
    panel->setObjectName(name(index));
    statusBar->insertWidget(index, panel);
    return panel;
}

QString windowCaption(const QString &firmName, const QString &costCentreText)
{
    return QString::fromLatin1(kCaptionPrefix) + QStringLiteral(" - Firma: ") + firmName +
           QStringLiteral(" - Stredisko: ") + costCentreText;
}

void Nastav_titulok_okna(QWidget *form, QStatusBar *statusBar, const QString &periodShortText,
                         const QString &firmName, const QString &costCentreText)
{
    if (statusBar)
        statusPanel(statusBar, 0)->setText(QStringLiteral("Výplatné obdobie: ") + periodShortText);
    if (form)
        form->setWindowTitle(windowCaption(firmName, costCentreText));
}

} // namespace tarix::core
