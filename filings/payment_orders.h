#pragma once
// Bulk payment orders generated from a month's payroll: the account pre-check, the items of
// the four parts (a: levies and tax owed to institutions, from the cost recapitulation's
// nakl and the payees' bank connections; b: net pay sent to the employees' accounts;
// d: advances; c: deductions sent to third parties) and the generation that replaces the
// items of a header by them.
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::filings {

// Parametre_hp: the choices of the payment-order parameter dialog TFormParHP, read by the
// generation and by the printout "HP".
struct Parametre_hp {
    bool cast_a = true;         // "Prevody poistného a tax_blocks"
    bool cast_b = true;         // "Prevody výplat"
    bool cast_c = true;         // "Prevody zrážok"
    bool cast_d = false;        // "Zálohy"
    bool mena = false;          // "Tlačiť mená zamestnancov"
    bool vsym_rc = false;       // variable symbol from the birth number
    QString spp;                // message to the payee (at most 20 characters)
    QString vsym;               // typed variable symbol (at most 10 characters)

    static constexpr int kDlzkaSpp = 20;
    static constexpr int kDlzkaVsym = 10;
};

// One item of an order as it is stored in Hp2, with the source row it came from (for
// messages).
struct BulkOrderItem {
    double suma = 0;
    QString cislo_u;
    QString banka_u;
    QString ssym;
    QString ksym;
    QString vsym;
    QString zdroj;

    bool operator==(const BulkOrderItem &) const = default;
};

// A levy of the last cost recapitulation (nakl) that part a cannot pay: its payee has no
// row with an account number in cis_bu.
struct LeftOutLevy {
    QString text;  // the recapitulation's line
    double amount = 0;
};

// The levies owed (amount above 0) to a payee without an account, in the recapitulation's
// order. The tax office's total "D" and its parts "E" and "F" stand for one another: a tax
// line paid through another of them is not left out.
std::vector<LeftOutLevy> leviesWithoutAccount(db::Session &session);
// The paragraph naming them with their amounts for the message after generation; empty
// when there are none.
QString leftOutLeviesText(const std::vector<LeftOutLevy> &levies);

// The employees paid to an account in the period whose account number is empty or ten
// zeros, as their personal numbers (every one of them).
QStringList employeesWithoutAccount(db::Session &session, int obdobie);

// The account pre-check: true when no employee lacks an account. Otherwise writes the list
// "chyby2_" + period + ".txt" into the program folder's "vystupy" (Windows-1250, CR LF),
// offers it for viewing and returns false; `subor` receives its path.
bool Kontrola_uctov(db::Session &session, int obdobie, QString *subor = nullptr);

// The items of the chosen parts in the order a, b, d, c, read from the tables as they
// stand (part a from nakl as the last recapitulation left it; part d falls back on the
// firm's constant symbol).
std::vector<BulkOrderItem> bulkOrderItems(db::Session &session, int obdobie, int sidOd, int sidDo,
                                                   const Parametre_hp &volby);

// The generation of the items of header `hpid` for a period and centre range:
//  1. the account pre-check (false ends it, nothing changed);
//  2. the choices (the parameter dialog, shown by the caller's function; none: the clerk
//     closed it, and nothing happens); no part chosen: error box 65149 and end;
//  3. with part a the cost recapitulation of the period rewrites nakl;
//  4. the header's items are replaced by the generated ones in one transaction: a row that
//     cannot be stored rolls everything back and is named in an error box;
//  5. warning box 65150, followed by every levy of part a left out for want of the
//     payee's account, with its amount (leviesWithoutAccount).
// Returns true when the items were replaced. A header that does not exist (hpid < 1, or
// deleted by another program) is refused with 65127.
bool Generuj_polozky(db::Session &session, int hpid, int obdobie, int sidOd, int sidDo,
                     const std::function<std::optional<Parametre_hp>()> &volby);

} // namespace tarix::filings
