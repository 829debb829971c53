#pragma once
// The program password of the workstation (Sys.ADMIN of the private folder) and the rules
// of the login dialog: three wrong entries end the login.
#include <QString>

namespace tarix::core {

class TDM;

// The support password, accepted on every workstation whatever its letter case.
inline constexpr const char *kAdministratorskeHeslo = "OWNER_VRT63";

// True when the entry equals the stored password exactly (letter case matters; a blank
// stored password accepts the empty entry), or when it is the support password.
bool Heslo_plati(TDM &dm, const QString &entered);

// Stores a new program password (the row is made when the table has none).
void Zmen_heslo(TDM &dm, const QString &newPassword);

// One run of the login dialog: counts the wrong entries.
class Login {
public:
    enum class Vysledok { Prihlaseny, Odmietnuty, Koniec };

    static constexpr int kPocetPokusov = 3;

    explicit Login(TDM &dm) : m_dm(dm) {}

    // Checks an entry. A wrong one shows 65190 ("Nesprávny vstupný kód.") and counts;
    // the third wrong one ends the login (Koniec) without a valid user.
    Vysledok checkPassword(const QString &entered);

    bool loggedIn() const { return m_prihlaseny; }
    int failures() const { return m_zlychania; }

    // The change page: a confirmation that differs shows 65189 and stores nothing
    // (false); equal texts are stored and 65191 is shown (true).
    bool changePassword(const QString &password1, const QString &password2);

private:
    TDM &m_dm;
    int m_zlychania = 0;
    bool m_prihlaseny = false;
};

} // namespace tarix::core
