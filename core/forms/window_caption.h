#pragma once
// The caption and the status bar of the program's windows.
#include <QString>

class QLabel;
class QStatusBar;
class QWidget;

namespace tarix::core {

// Panel `index` of a status bar: the QLabel named "StatusPanel<index>" inside it,
// created (and put after the panels before it) when the bar has none yet.
QLabel *statusPanel(QStatusBar *statusBar, int index);

// Window caption "TARIX VERZIA 3.20H3 - Firma: <firm> - Stredisko: <cost centres>".
QString windowCaption(const QString &firmName, const QString &costCentreText);

// Shows the open period and the firm: panel 0 of the status bar gets
// "Výplatné obdobie: " + the period's short text, the window the caption above.
// The status bar may be nullptr (a window without one).
void Nastav_titulok_okna(QWidget *form, QStatusBar *statusBar, const QString &periodShortText,
                         const QString &firmName, const QString &costCentreText);

} // namespace tarix::core
