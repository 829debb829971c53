#pragma once
// New lines of the bookkeeping code table (cis_pu): what the dialog TFormParPU decides, and
// how the table's insert obtains the user's choice. The choice goes through a replaceable
// function so that the insert runs without a window where none can be shown (tests); the
// program uses the dialog.
#include <QChar>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tarix::core {

// One new bookkeeping line: its id, side ('Z' employee, 'F' firm), the insurer's or fund's
// code and the line's text.
struct NewPuLine {
    int id = 0;
    QChar doplnok;
    int cislo = 0;
    QString text;
    friend bool operator==(const NewPuLine &, const NewPuLine &) = default;
};

// The lines that may be added and deleted: health insurer (employee 29, firm 35) and
// supplementary pension fund (employee 34, firm 43).
bool isAddedPuLine(double id);

// The items of the dialog's line-kind list, in order.
QStringList puLineTypeItems();
// "zdrav. poistenie ZP č." for the health-insurer lines 29 and 35, "DDP č." for the others.
QString newPuLineText(int id);
// The line for the chosen item (0..3; -1 = none chosen) and the code as typed. EMyError
// 65112 when no item is chosen, 65113 for an empty code, 65114 for a code that is not
// made of the digits 0 to 9 only (or too large to be a number).
NewPuLine newPuLineParameters(int polozka, const QString &kod);

// The user's choice of a new line; nothing when the user cancelled.
using PuLineChoice = std::function<std::optional<NewPuLine>()>;

// The choice through the installed function, else the window layer's dialog, else none.
std::optional<NewPuLine> chooseNewPuLine();
// Installs how the choice is obtained; an empty function restores the dialog.
// Stays a setter, not a registry entry: a test seam.
void setPuLineChoice(PuLineChoice puLineChoice);
// The window layer's dialog (TFormParPU), installed at start-up.
// Stays a setter, not a registry entry: a chooser returns a line, which a command's handler cannot.
void setPuLineDialog(PuLineChoice dialog);

// Installs a choice for the scope's lifetime and restores the previous one.
class ScopedPuLineChoice {
public:
    explicit ScopedPuLineChoice(PuLineChoice puLineChoice);
    ~ScopedPuLineChoice();
    ScopedPuLineChoice(const ScopedPuLineChoice &) = delete;
    ScopedPuLineChoice &operator=(const ScopedPuLineChoice &) = delete;

private:
    PuLineChoice m_previous;
};

} // namespace tarix::core
