#include "core/helpers/dialogs.h"

#include "platform/errors.h"
#include "platform/ui/user_interface.h"

namespace tarix::MyConsts {

void Sprava_informacia(const QString &text)
{
    ui::current().showMessage(ui::MessageKind::Information, text);
}

void Sprava_upozornenie(const QString &text)
{
    ui::current().showMessage(ui::MessageKind::Warning, text);
}

void Sprava_chyba(const QString &text)
{
    ui::current().showMessage(ui::MessageKind::Error, text);
}

bool Otazka_ano_nie(const QString &text)
{
    return ui::current().askYesNo(text);
}

void Zobraz_priebeh(int percent)
{
    ui::showProgress(percent);
}

void runAndShowError(const std::function<void()> &step)
{
    try {
        step();
    } catch (const EAbort &) {
    } catch (const EMyError &e) {
        Sprava_chyba(e.text());
    } catch (const std::exception &e) {
        Sprava_chyba(QString::fromUtf8(e.what()));
    }
}

} // namespace tarix::MyConsts
