#include "core/login.h"

#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"

namespace tarix::core {

namespace {
void openWhenClosed(db::Table &t)
{
    if (!t.isActive())
        t.open();
}
} // namespace

bool Heslo_plati(TDM &dm, const QString &entered)
{
    if (entered.toUpper() == QLatin1String(kAdministratorskeHeslo))
        return true;
    openWhenClosed(dm.TSYS_);
    dm.TSYS_.first();
    // A NULL password reads as the empty text.
    const QString stored = dm.TSYS_.isEmpty() ? QString()
                                              : dm.TSYS_.fieldByName(QStringLiteral("ADMIN")).asString();
    return entered == stored;
}

void Zmen_heslo(TDM &dm, const QString &newPassword)
{
    openWhenClosed(dm.TSYS_);
    db::EditGuard guard(dm.TSYS_);
    dm.TSYS_.first();
    if (dm.TSYS_.isEmpty())
        dm.TSYS_.append();
    else
        dm.TSYS_.edit();
    dm.TSYS_.fieldByName(QStringLiteral("ADMIN")).setAsString(newPassword);
    dm.TSYS_.post();
}

Login::Vysledok Login::checkPassword(const QString &entered)
{
    if (Heslo_plati(m_dm, entered)) {
        m_prihlaseny = true;
        return Vysledok::Prihlaseny;
    }
    MyConsts::Sprava_chyba(Msg(65190));
    ++m_zlychania;
    return m_zlychania >= kPocetPokusov ? Vysledok::Koniec : Vysledok::Odmietnuty;
}

bool Login::changePassword(const QString &password1, const QString &password2)
{
    if (password1 != password2) {
        MyConsts::Sprava_chyba(Msg(65189));
        return false;
    }
    Zmen_heslo(m_dm, password1);
    MyConsts::Sprava_informacia(Msg(65191));
    return true;
}

} // namespace tarix::core
