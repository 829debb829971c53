#pragma once
// Exceptions shared by every layer.
//
// EMyError carries a text for the user: raised by a validation or a dataset event, it
// refuses the operation in progress (the record keeps its state) and whoever catches it
// at the top shows the text. EAbort refuses silently: the code that raised it has
// already told the user (or the user answered No).
#include <QString>
#include <QtGlobal>
#include <stdexcept>

namespace tarix {

class EMyError : public std::runtime_error {
public:
    explicit EMyError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};

class EAbort : public std::runtime_error {
public:
    EAbort() : std::runtime_error("Operation aborted") {}
};

// What an exception says, as the user reads it: an EMyError's own text, else what() in UTF-8.
inline QString errorText(const std::exception &e)
{
    if (const auto *my = dynamic_cast<const EMyError *>(&e))
        return my->text();
    return QString::fromUtf8(e.what());
}

// Runs the closing step of a guard's destructor: an exception leaving a destructor while
// another unwinds would end the program, so a failure is logged with what was being done.
template <class Step>
void closeWithoutThrowing(const char *what, Step &&step) noexcept
{
    try {
        step();
    } catch (const std::exception &e) {
        qWarning("%s: %s", what, e.what());
    } catch (...) {
        qWarning("%s", what);
    }
}

} // namespace tarix
