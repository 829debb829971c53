#include "core/helpers/messages.h"

#include "core/helpers/text_utils.h"

#include <QRegularExpression>
#include <QtGlobal>

#include <algorithm>
#include <iterator>

namespace tarix::msg {

namespace {

struct Entry {
    int id;
    const char16_t *text;
};

// Sorted by id. "\n" and "\r" are the line feed and carriage return the texts carry;
// every other character, trailing blanks included, is part of the text.
constexpr Entry kMessages[] = {
    {65008, u"PlugIn \"%s\" was not found."},
    {65009, u"Invalid column margin. Correct value must be in 0..3 range."},
    {65024, u"Zamestnanca nie je možné zmazať dovtedy, pokým nie sú vymazané jeho výplaty. Ak skončil pracovný pomer zamestnanca, stačí nastaviť položku \"Dátum ukončenia\",nepoužíva sa voľba vymazanie zamestnanca"},
    {65025, u"Nesprávna hodnota. Povolené hodnoty sú M(muž) a Z(žena)."},
    {65026, u"Nesprávna hodnota. Povolené hodnoty sú 0,1,2 a 3"},
    {65027, u"Nesprávna hodnota. Povolené hodnoty sú O(ostatní),Z(občan so ZPS) a D(dôchodca)."},
    {65028, u"Nesprávna hodnota. Povolené hodnoty sú P(poisťovňa),O(odbory),Y(pôžičky),S(staveb.sporenie) a X(iné)."},
    {65029, u"Najskôr je potrebné nastaviť zmenenú pracovnú schopnosť."},
    {65030, u"Hodnotenie pracovníka môže byť uskutočnené buď dohodnutou výškou mesačného platu alebo hodinovou sadzbou. Použiť súčasne obidve nie je možné."},
    {65031, u"Kód zdravotnej poisťovne musí byť vyplnený"},
    {65032, u"Stredisko s uvedeným číslom nie je zadefinované v číselníku stredísk."},
    {65033, u"Dátum začiatku neprítomnosti musí zodpovedať aktuálnemu výplatnemu roku, v ktorom je zadávaný alebo menený."},
    {65034, u"Dátum ukončenia neprítomnosti musí zodpovedať aktuálnemu výplatnemu roku, v ktorom je zadávaný alebo menený."},
    {65035, u"Zadaný dátum musí zodpovedať aktuálnemu výplatnemu roku, v ktorom je zadávaný alebo menený."},
    {65036, u"Mesiac od musí byť vyplnený."},
    {65037, u"Mesiac do musí byť vyplnený."},
    {65038, u"Zamestnanec %s : zistený rozdiel medzi evidenciou detí a vyplateným bonusom. Prosím skontrolujte evidenciu detí a jeho výplaty"},
    {65039, u"Exception"},
    {65040, u"Vymazať výplatu ?"},
    {65041, u"Výplata bude definitívne zrušená ?"},
    {65042, u"Vymazanie výplaty bolo zastavené"},
    {65043, u"Zrážkovou daňou je možné zdaniť príjem zamestnanca do výšky %s Sk mesačne v prípade zamestnanca, ktorý zamestnávateľa nepožiadal o uplatňovanie nezdaniteľných čiastok a daňového bonusu. Naozaj si želáte uplatniť zrážkovú daň ?"},
    {65044, u"Položka počet odpracovaných dní musí byť vyplnená."},
    {65045, u"Položka počet odpracovaných hodín musí byť vyplnená."},
    {65046, u"Nevybrali ste tlač žiadnej časti hromadného príkazu. Tlač bola zrušená."},
    {65047, u"Nesprávna hodnota. Povolené hodnoty sú 0(individ.výška),1(percent.výška a 2(hodinová sadzba)."},
    {65048, u"Osobné číslo %s je obsadené, musíte zadať číslo, ktoré ešte nebolo pridelené"},
    {65049, u"Rodné číslo %s je v databáze už evidované pod os.číslom: %s, menom: %s. Napriek tomu si ho želáte uložiť ?"},
    {65050, u"Nie je vybratý zamestnanec"},
    {65051, u"Zamestnancovi nie je možné zadať výplatu. Má ukončený pracovný pomer."},
    {65052, u"Pracovník nemá zaevidovaný ukončený pracovný pomer v karte zamestnanca."},
    {65053, u"Vymazať zamestnanca ?"},
    {65054, u"Zamestnanec bude definitívne zrušený ?"},
    {65055, u"Vymazanie zamestnanca bolo zastavené"},
    {65056, u"Ročné zúčtovanie dane už bolo urobené"},
    {65057, u"Vymazať ročné zúčtovanie dane ?"},
    {65058, u"Ročné zúčtovanie dane bude definitívne zrušené ?"},
    {65059, u"Vymazanie ročného zúčtovania dane bolo zastavené"},
    {65060, u"Nie je dovolené pridávať ani modifikovať ročné zúčtovania pred rokom 2002"},
    {65061, u"Najskôr je potrebné vykonať ročné zúčtovanie dane"},
    {65062, u"Ročné zúčtovanie dane nebolo nájdené. Ak spracovávate rok %d, je potrebné zmeniť výplatné obdobie. Ak spracováte rok %d je potrebné najskôr urobiť ročné zúčtovanie dane."},
    {65063, u"Nie je možné vytlačiť oznámenie o preplatkoch. Buď nebol vložený záznam do evidencie pre ročné zúčtovanie zdravotného poistenia, alebo nebol vložený záznam do evidencie výsledkov ročného zúčtovania.\""},
    {65064, u"Nie je možné vytlačiť doklad o preddavkoch. Buď nebol vložený záznam do evidencie pre ročné zúčtovanie zdravotného poistenia, alebo nie je nastavený spôsob výberu žiadosti : \"zamestnanec požiadal zamestnávateľa o vystavenie potvrdenia\""},
    {65065, u"Želáte si vykonať výpočet podkladov pre doklad ? Ak ste tento výpočet už urobili v minulosti, tak údaje budú nahradené novým výpočtom. Pokračovať ?"},
    {65066, u"Podklady pre doklad za jednotlivé mesiace boli zapísané do tabuľky."},
    {65067, u"Nie je možné vykonať tlač. Najskôr je potrebné vykonať výpočet podkladov pre doklad v záložke Doklad o preddavkoch za rok %s."},
    {65068, u"Vymazať výkon ?"},
    {65069, u"Výkon bude definitívne zrušený ?"},
    {65070, u"Vymazanie výkonu bolo zastavené"},
    {65071, u"Výplata už bola urobená"},
    {65072, u"Položka %s musí byť vyplnená"},
    {65073, u"Vymazať položku ?"},
    {65074, u"Vymazanie položky bolo zastavené"},
    {65075, u"Vymazanie položky nie je dovolené"},
    {65076, u"Key violation."},
    {65077, u"Duplicitný záznam."},
    {65078, u"Pridanie položky nie je dovolené"},
    {65079, u"Nesprávna hodnota."},
    {65080, u"Nie je možné vymazať stredisko s číslom 1."},
    {65081, u"Prebehlo hromadné spracovanie výplat. Počet spracovaných výplat %d."},
    {65082, u"Chcete spustiť zaúčtovanie výplat v mesiaci %s"},
    {65083, u"Prajete si ukončiť hromadné spracovanie výplat ?"},
    {65084, u"Nepodarilo sa inicializovať tlačovú zostavu"},
    {65085, u"Pre zvolený typ tlačovej zostavy musí byť vybraný konkrétny pracovník"},
    {65086, u"Automatické zaúčtovanie preplatku/nedoplatku dane prebehne správne len vtedy, ak už máte hotové výplaty za aktuálny mesiac, do ktorého chcete toto zaúčtovanie vykonať. Pokračovať ?"},
    {65087, u"Automatické zaúčtovanie preplatku/nedoplatku zdr.poistenia prebehne správne len vtedy, ak už máte hotové výplaty za aktuálny mesiac, do ktorého chcete toto zaúčtovanie vykonať. Pokračovať ?"},
    {65088, u"Želáte si do výplaty za %s zaúčtovať vypočítané preplatky a nedoplatky dane z ročného zúčtovania preddavkov dane za rok %d ? Pokračovať ?"},
    {65089, u"Želáte si do výplaty za %s zaúčtovať vypočítané preplatky a nedoplatky zdrav.poistenia z ročného zúčtovania preddavkov zdrav.poistenia za rok %d ? Pokračovať ?"},
    {65090, u"V roku %d sa nenašli žiadne vypočítané ročné zúčtovania preddavkov. Zmeňte výplatné obdobie na minulý rok a vykonajte ročné zúčtovanie preddavkov."},
    {65091, u"Zaúčtovanie preplatkov/nedoplatkov dane skončilo s chybami. Viac informácií nájdete v protokole zo spracovania."},
    {65092, u"Zaúčtovanie preplatkov/nedoplatkov zdrav.poistenia skončilo s chybami. Viac informácií nájdete v protokole zo spracovania."},
    {65093, u"Generovanie súborov %s v adresári %s a v podadresári príslušnej zdravotnej poisťovne bolo dokončené."},
    {65094, u"Dôvod prerušenia poistenia je možné zadať len pre registračný list SP-prerušenie"},
    {65095, u"Dôvod prerušenia poistenia musí byť vyplnený"},
    {65096, u"Nebol označený ani jeden riadok, aspoň jeden záznam je potrebné označiť."},
    {65097, u"{Bol označený|Boli označené|Bolo označených} %d {riadok|riadky|riadkov} na spracovanie. Pokračovať ?"},
    {65098, u"Dĺžka rodného čísla musí byť minimálne 9 a maximálne 10 znakov."},
    {65099, u"Výkaz pre zdravotnú poisťovňu č.%d je prázdny."},
    {65100, u"Ročné zúčtovanie zdravotného poistného sa 1.krát vykonáva až vo výplatnom období roku 2006 za rok 2005. Je potrebné najskôr nastaviť správne výplatné obdobie."},
    {65101, u"Nesprávny dátum %s - rok musí byť zhodný s rokom, za ktorý sa robí ročné zúčtovanie."},
    {65102, u"{Bol vygenerovaný|Boli vygenerované|Bolo vygenerovaných} %d {súbor|súbory|súborov} %s v adresári %s. Súbory je možné prezerať v prehliadači Acrobat Reader 6.0 CE alebo vyššom. Prehliadač sa otvorí automaticky po dvojkliknutí na daný súbor."},
    {65103, u"Vybrali ste voľbu pre pridanie novej firmy do mzdovej evidencie. Pokračovať ?"},
    {65104, u"Naozaj chcete prepočítať všetky výplaty za %s ?"},
    {65105, u"Pred vykonaním tejto operácie je doporučené vykonať zálohu údajov a po vykonaní akcie kontrolu údajov vo výplatách. Naozaj chcete prepočítať všetky výplaty (%s) a rozdeliť daň podľa príjmu na preddavkovú a zrážkovú v mesiaci %s ?"},
    {65106, u"Nie je možné vykonať hromadné spracovanie výplat v mesiaci pred dátumom poslednej uzávierky (%s)"},
    {65107, u"Uvedený výkaz je možné vytvárať iba v mesiacoch 3,6,9 a 12, teda posledný mesiac štvrťroka."},
    {65108, u"Súbor %s už existuje. Touto operáciou vznikne nový XML súbor. Naozaj si želáte vytvoriť nový XML súbor ? "},
    {65109, u"Súbor %s už existuje. Touto operáciou vznikne nový súbor, pričom údaje v existujúcom súbore budú prepísané. Naozaj si želáte prepísať existujúci súbor a vytvoriť nový ? "},
    {65110, u"Želáte si vypočítať čistú dennú mzdu pre rok %d ?\n\rPozor! Budú zmenené karty všetkých zamestnancov !\n\rPokračovať ?"},
    {65111, u"Výpočet skončil. Prosím skontrolujte položku \"Denný vymer.zákl.pre náhr.PN\" na kartách zamestnancov v záložke \"Pracovné údaje\"."},
    {65112, u"Nevybrali ste typ riadku. Najskôr musíte vybrať typ riadku."},
    {65113, u"Chyba. Kód poisťovne musí byť vyplnený."},
    {65114, u"Chyba. Kód poisťovne musí byť číselná hodnota."},
    {65115, u"Od roku 2005 je každý rok evidovaný osobitne. Zmena roku znamená zmenu agendy a vykonáva sa cez menu Systém/Výber firmy. V tejto obrazovke môžete rok nastaviť na hodnotu 2004 alebo menšiu"},
    {65116, u"Založenie databáz roku %s nie je možné, pretože databázy už existujú."},
    {65117, u"Založenie databáz roku %d bolo úspešné. Databázy sú uložené v adresári %s."},
    {65118, u"Založenie databáz roku %d skončilo neúspešne."},
    {65119, u"Želáte si založiť databázy pre rok %s ? Pokračovať ?"},
    {65120, u"Generovanie súboru %s bolo dokončené."},
    {65121, u"Chybné číslo účtu: %s !!!"},
    {65122, u"Nesprávna hodnota. Povolené hodnoty sú 0(nie) a 1(áno)."},
    {65123, u"Nepodarilo sa vytvoriť súbor %s. Skontrolujte, či súbor s uvedeným menom nepoužíva iná aplikácia."},
    {65124, u"Súbor %s bol úspešne vytvorený. Tento súbor je možné otvoriť v Exceli."},
    {65125, u"Želáte si otvoriť vytvorený súbor v Exceli ?"},
    {65126, u"Želáte si otvoriť vytvorený súbor %s ?"},
    {65127, u"Najskôr musíte vybrať hromadný príkaz na úhradu."},
    {65128, u"Nenašiel sa parameter %s."},
    {65129, u"Neexistuje súbor %s."},
    {65130, u"Súbor %s neobsahuje informácie o daňových pásmach."},
    {65131, u"Chcete nastaviť daňové pásma pre rok %d zo súboru %s ?"},
    {65132, u"Chcete nastaviť parametre pre rok %d zo súboru %s ?"},
    {65133, u"Bude vymazaná hlavička hromadného príkazu a tiež všetky riadky hromadného príkazu. Pokračovať ?"},
    {65134, u"Nie je možné vykonať zmenu výplaty staršej ako je dátum poslednej uzávierky (%s)"},
    {65135, u"Vykonali ste zmeny v nastaveniach. Chcete tieto zmeny preniesť do všetkých výplat v mesiaci %s ?"},
    {65136, u"Pridanie novej firmy bolo úspešné. Poradové číslo novej firmy je %d."},
    {65137, u"Chyba pri pridávaní novej firmy."},
    {65138, u"Upozornenie! Všetky údaje firmy %s budú nenávratne vymazané ! Pokračovať ?"},
    {65139, u"Zrušenie firmy %s prebehlo úspešne."},
    {65140, u"Chyba pri rušení firmy %s."},
    {65141, u"Nie je možné zrušiť otvorenú firmu."},
    {65142, u"Upozornenie! Všetky definície tlačových zostáv budú vymazané ! Pokračovať ?"},
    {65144, u"Povolené hodnoty: 0=nie, 1=áno, 2=iba pracovník, 3=iba firma, 4=súčet sadzieb, 5=áno,ale firma len gar.fond"},
    {65145, u"Povolené hodnoty: 0=nie, 1=áno"},
    {65146, u"Povolené hodnoty: 0=bez výnimky, ostatné povolené hodnoty sú v číselníku"},
    {65147, u"Najskôr je potrebné zadať hlavičku hromadného príkazu."},
    {65148, u"Želáte si spustiť generovanie hromadného príkazu podľa výplat za %s ?"},
    {65149, u"Nevybrali ste žiadnu časť hromadného príkazu. Generovanie bolo zrušené."},
    {65150, u"Generovanie hromadného príkazu bolo dokončené. \r\n\r\n!!! Sumu pre odvod preddavkov alebo dane na daňový úrad je potrebné skontrolovať a prípadne aj manuálne upraviť !!!\r\n     Táto suma nezohľadňuje neuplatnené preplatky z minulých mesiacov.\r\n\r\n!!! Doporučujeme vždy kontrolovať s výkazmi !!!"},
    {65151, u"Generovanie súboru %s bolo dokončené."},
    {65152, u"Želáte si spustiť export údajov do súboru pre program Zefir 98 ?"},
    {65153, u"Export je ukončený. Exportované údaje boli uložené do súboru %s."},
    {65154, u"Import je ukončený. Počet importovaných výplat: %d."},
    {65155, u"Želáte si spustiť import údajov o anketároch zo súboru %s ?"},
    {65156, u"Budú vymazané všetky výplaty za mesiac %d/%d v strediskách číslo %s. Pokračovať ?"},
    {65157, u"Zálohovanie údajov do adresára %s.\n\rSpustenie zálohovania spôsobí zatvorenie databáz. Neskôr ich môžete otvoriť cez menu \"Výber firmy\".\n\rPokračovať ?"},
    {65158, u"Výber súboru so záložnou kópiou"},
    {65159, u"Výber XML súboru pre sociálnu poisťovňu"},
    {65160, u"POZOR! Obnovou údajov zo záložnej kópie budú definitívne vymazané aktuálne údaje firmy %s.\n\rSpustenie obnovy spôsobí zatvorenie databáz. Neskôr ich môžete otvoriť cez menu \"Výber firmy\".\n\rPokračovať ?"},
    {65161, u"POZOR! Obnovou údajov zo záložnej kópie budú definitívne vymazané súčasné nastavenia parametrov pre rok %d.\n\rSpustenie obnovy spôsobí zatvorenie databáz. Neskôr ich môžete otvoriť cez menu \"Výber firmy\".\n\rPokračovať ?"},
    {65162, u"V číselníku stredísk nie sú zadefinované aspoň 2 strediská, preto nie je možné zmeniť stredisko."},
    {65163, u"\"Dátum do\" musí byť väčší ako \"dátum od\"."},
    {65165, u"Naozaj zrušiť %s ?"},
    {65168, u"Nie je dokončené spracovanie zrážok zo mzdy. Ignorovať vykonané zmeny ?"},
    {65169, u"Nie je dokončené spracovanie výkonovej mzdy. Ignorovať vykonané zmeny ?"},
    {65170, u"Ak chcete pridávať alebo opravovať zrážky zo mzdy, musíte mať výplatu v režime opráv alebo pridávania."},
    {65171, u"Ak chcete pridávať alebo opravovať výkonovú mzdu, musíte mať výplatu v režime opráv alebo pridávania."},
    {65172, u"Nie je dokončené spracovanie zmien. Ignorovať vykonané zmeny ?"},
    {65173, u"Naozaj ukončiť aplikáciu TARIX ?"},
    {65174, u"Nepodarilo sa otvoriť súbor %s"},
    {65176, u"Program nenašiel ani jednu databázu."},
    {65177, u"Pridať nový záznam ?"},
    {65178, u"Pridávanie záznamu bolo zastavené."},
    {65179, u"Tlačová zostava neobsahuje žiadne údaje, je prázdna."},
    {65180, u"Nastala chyba pri vytváraní tlačovej zostavy. "},
    {65181, u"Desatinná časť nesmie byť iná ako 0.5 !!!"},
    {65182, u"Nepoužívajte túto funkciu bez písomného súhlasu od spoločnosti NORIX Software House !!!. Želáte si spustiť nastavenie garančného poistenia pre všetkých zamestnancov ?"},
    {65183, u"Garančné poistenie bolo nastavené v zamestnancoch aj vo výplatách v aktuálnom mesiaci."},
    {65184, u"Odd size not valid for WideString"},
    {65185, u"Must have a target stream"},
    {65187, u"Nesprávna hodnota."},
    {65188, u"Nesprávna hodnota - položka %s."},
    {65189, u"Nesprávne zadané nové heslo, nezhoduje sa s kontrolnou hodnotou."},
    {65190, u"Nesprávny vstupný kód."},
    {65191, u"Vstupné heslo bolo úspešne zmenené."},
    {65192, u"Heslo nebolo zmenené."},
    {65193, u"Program bude ukončený, pretože nebol úspešne prihlásený oprávnený používateľ programu."},
    {65194, u"Nesprávna číselná hodnota."},
    {65198, u"Neexistuje záznam pre vykonanie opravy"},
    {65199, u"Najskôr je potrebné dokončiť spracovanie zmien"},
};

const Entry *find(int id)
{
    const Entry *end = std::end(kMessages);
    const Entry *it = std::lower_bound(std::begin(kMessages), end, id,
                                       [](const Entry &e, int key) { return e.id < key; });
    return it != end && it->id == id ? it : nullptr;
}

} // namespace

QString text(int id)
{
    if (const Entry *e = find(id))
        return QString::fromUtf16(e->text);
    qWarning("Message %d is not in the message table", id);
    return QString();
}

bool exists(int id)
{
    return find(id) != nullptr;
}

QString withPluralForms(const QString &text, qint64 count)
{
    static const QRegularExpression group(QStringLiteral("\\{([^|{}]*)\\|([^|{}]*)\\|([^|{}]*)\\}"));
    QString out;
    qsizetype from = 0;
    for (auto it = group.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(from, m.capturedStart() - from);
        out += MyConsts::pluralForm(count, m.captured(1), m.captured(2), m.captured(3));
        from = m.capturedEnd();
    }
    return out + text.mid(from);
}

} // namespace tarix::msg
