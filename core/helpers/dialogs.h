#pragma once
// The message boxes, the yes/no question and the progress display of the program's
// own code. All of them go through the current user interface (platform/ui), so data
// modules and calculations can use them without a window and tests answer them from a
// script.
#include <QString>

#include <functional>

namespace tarix::MyConsts {

// Message box "Informácia" with the information icon and an OK button.
void Sprava_informacia(const QString &text);
// Message box "Upozornenie" with the warning icon.
void Sprava_upozornenie(const QString &text);
// Message box " Chyba" with the error icon.
void Sprava_chyba(const QString &text);
// Yes/no question; true only when the user answered "&Ano". Enter and Esc answer no.
bool Otazka_ano_nie(const QString &text);
// Progress by percent: the first call shows the progress dialog, each call sets its
// position (clamped to 0..100), exactly 100 closes it. A run that shows progress holds
// a ui::ProgressScope, which closes the dialog however the run ends.
void Zobraz_priebeh(int percent);
// Runs a step the clerk started (a menu command, a button): a refusal (EAbort) ends it
// silently, any other error is shown in the error box and never passed on.
void runAndShowError(const std::function<void()> &step);

} // namespace tarix::MyConsts
