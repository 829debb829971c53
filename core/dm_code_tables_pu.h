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
struct NovyRiadokPU {
    int id = 0;
    QChar doplnok;
    int cislo = 0;
    QString text;
    friend bool operator==(const NovyRiadokPU &, const NovyRiadokPU &) = default;
};

// The lines that may be added and deleted: health insurer (employee 29, firm 35) and
// supplementary pension fund (employee 34, firm 43).
bool Je_pridavany_riadok_pu(double id);

// The items of the dialog's line-kind list, in order.
QStringList Polozky_typu_riadku_pu();
// "zdrav. poistenie ZP č." for the health-insurer lines 29 and 35, "DDP č." for the others.
QString Text_noveho_riadku_pu(int id);
// The line for the chosen item (0..3; -1 = none chosen) and the code as typed. EMyError
// 65112 when no item is chosen, 65113 for an empty code, 65114 for a code that is not
// made of the digits 0 to 9 only (or too large to be a number).
NovyRiadokPU Parametre_noveho_riadku_pu(int polozka, const QString &kod);

// The user's choice of a new line; nothing when the user cancelled.
using VolbaRiadkuPU = std::function<std::optional<NovyRiadokPU>()>;

// The choice through the installed function, else the window layer's dialog, else none.
std::optional<NovyRiadokPU> Vyber_novy_riadok_pu();
// Installs how the choice is obtained; an empty function restores the dialog.
// Stays a setter, not a registry entry: a test seam.
void Nastav_volbu_riadku_pu(VolbaRiadkuPU volba);
// The window layer's dialog (TFormParPU), installed at start-up.
// Stays a setter, not a registry entry: a chooser returns a line, which a command's handler cannot.
void Nastav_dialog_riadku_pu(VolbaRiadkuPU dialog);

// Installs a choice for the scope's lifetime and restores the previous one.
class ScopedVolbaRiadkuPU {
public:
    explicit ScopedVolbaRiadkuPU(VolbaRiadkuPU volba);
    ~ScopedVolbaRiadkuPU();
    ScopedVolbaRiadkuPU(const ScopedVolbaRiadkuPU &) = delete;
    ScopedVolbaRiadkuPU &operator=(const ScopedVolbaRiadkuPU &) = delete;

private:
    VolbaRiadkuPU m_previous;
};

} // namespace tarix::core
