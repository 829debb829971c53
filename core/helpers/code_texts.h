#pragma once
// Texts shown for stored codes. A code outside the listed ones gives an empty text.
#include <QChar>
#include <QString>

namespace tarix::MyConsts {

// Marital status '1'/'S', '2'/'Z', '3'/'R', '4'/'V', '5' in the form for a man (sex 'M'),
// a woman ('Z') or both (any other sex).
QString Text_rodinneho_stavu(QChar code, QChar sex);
QString Text_pohlavia(QChar sex);            // 'M' "muž", 'Z' "žena"
QString Text_uvazku(QChar workingTime);      // '0'..'3'
QString Text_druhu_osoby(QChar kind);        // 'O', 'Z', 'D'
QString Text_typu_premie(int type);          // 0..2
QString Text_typu_sadzby(int type);          // 0..1
QString Text_druhu_nepritomnosti(int kind);  // 0..5
QString Text_druhu_zrazky(QChar firstLetter); // 'P', 'O', 'S', 'Y', 'X'
// Payee kinds 'D', 'E', 'F', 'P', 'S', 'U', 'X'; 'Y' and 'Z' are followed by the number
// ("DDP č.3", "Zdrav.poisť.č.25").
QString Text_druhu_prijemcu(QChar kind, int number);

} // namespace tarix::MyConsts
