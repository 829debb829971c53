// The message table and the filling of its placeholders.
#include "core/helpers/messages.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <functional>
#include <type_traits>

using namespace tarix;

// No message formats a floating-point value: such a call does not compile.
template <typename... Args>
concept MsgAccepts = requires(const Args &...args) { Msg(65081, args...); };
static_assert(MsgAccepts<int> && MsgAccepts<qint64> && MsgAccepts<QString> && MsgAccepts<const char *>);
static_assert(!MsgAccepts<double>, "a floating-point value must not be accepted for a placeholder");
static_assert(!MsgAccepts<float> && !MsgAccepts<int, double>);
static_assert(!MsgAccepts<bool>);

namespace {

struct MessageCase {
    int id;
    std::function<QString()> format;
    const char16_t *expected;
};

const MessageCase kMessageCases[] = {
    {65053, [] { return Msg(65053); }, u"Vymazať zamestnanca ?"},
    {65081, [] { return Msg(65081, 12); },
     u"Prebehlo hromadné spracovanie výplat. Počet spracovaných výplat 12."},
    {65156, [] { return Msg(65156, 3, 2006, QStringLiteral("1,2,5")); },
     u"Budú vymazané všetky výplaty za mesiac 3/2006 v strediskách číslo 1,2,5. Pokračovať ?"},
    {65049, [] { return Msg(65049, "8001011234", "17", QStringLiteral("Novák Ján")); },
     u"Rodné číslo 8001011234 je v databáze už evidované pod os.číslom: 17, menom: Novák Ján. "
     u"Napriek tomu si ho želáte uložiť ?"},
    {65062, [] { return Msg(65062, 2005, 2006); },
     u"Ročné zúčtovanie dane nebolo nájdené. Ak spracovávate rok 2005, je potrebné zmeniť "
     u"výplatné obdobie. Ak spracováte rok 2006 je potrebné najskôr urobiť ročné zúčtovanie dane."},
    {65102, [] { return Msg(65102, 3, "RH3_*.XFDF", "/srv/tarix/vystupy/DATA01/2006"); },
     u"Boli vygenerované 3 súbory RH3_*.XFDF v adresári /srv/tarix/vystupy/DATA01/2006. "
     u"Súbory je možné prezerať v prehliadači Acrobat Reader 6.0 CE alebo vyššom. Prehliadač "
     u"sa otvorí automaticky po dvojkliknutí na daný súbor."},
    {65157, [] { return Msg(65157, QStringLiteral("\"/srv/tarix/ZALOHA/\"")); },
     u"Zálohovanie údajov do adresára \"/srv/tarix/ZALOHA/\".\n\rSpustenie zálohovania spôsobí "
     u"zatvorenie databáz. Neskôr ich môžete otvoriť cez menu \"Výber firmy\".\n\rPokračovať ?"},
    {65110, [] { return Msg(65110, 2006); },
     u"Želáte si vypočítať čistú dennú mzdu pre rok 2006 ?\n\rPozor! Budú zmenené karty "
     u"všetkých zamestnancov !\n\rPokračovať ?"},
    {65150, [] { return Msg(65150); },
     u"Generovanie hromadného príkazu bolo dokončené. \r\n\r\n!!! Sumu pre odvod preddavkov "
     u"alebo dane na daňový úrad je potrebné skontrolovať a prípadne aj manuálne upraviť !!!\r\n"
     u"     Táto suma nezohľadňuje neuplatnené preplatky z minulých mesiacov.\r\n\r\n!!! "
     u"Doporučujeme vždy kontrolovať s výkazmi !!!"},
    {65063, [] { return Msg(65063); },
     u"Nie je možné vytlačiť oznámenie o preplatkoch. Buď nebol vložený záznam do evidencie pre "
     u"ročné zúčtovanie zdravotného poistenia, alebo nebol vložený záznam do evidencie výsledkov "
     u"ročného zúčtovania.\""},
    {65064, [] { return Msg(65064); },
     u"Nie je možné vytlačiť doklad o preddavkoch. Buď nebol vložený záznam do evidencie pre "
     u"ročné zúčtovanie zdravotného poistenia, alebo nie je nastavený spôsob výberu žiadosti : "
     u"\"zamestnanec požiadal zamestnávateľa o vystavenie potvrdenia\""},
    {65163, [] { return Msg(65163); }, u"\"Dátum do\" musí byť väčší ako \"dátum od\"."},
    {65108, [] { return Msg(65108, "SP_123_2006_001.xml"); },
     u"Súbor SP_123_2006_001.xml už existuje. Touto operáciou vznikne nový XML súbor. Naozaj si "
     u"želáte vytvoriť nový XML súbor ? "},
    {65180, [] { return Msg(65180) + QStringLiteral("Table not found"); },
     u"Nastala chyba pri vytváraní tlačovej zostavy. Table not found"},
    {65182, [] { return Msg(65182); },
     u"Nepoužívajte túto funkciu bez písomného súhlasu od spoločnosti NORIX Software House !!!. "
     u"Želáte si spustiť nastavenie garančného poistenia pre všetkých zamestnancov ?"},
    {65024, [] { return Msg(65024); },
     u"Zamestnanca nie je možné zmazať dovtedy, pokým nie sú vymazané jeho výplaty. Ak skončil "
     u"pracovný pomer zamestnanca, stačí nastaviť položku \"Dátum ukončenia\",nepoužíva sa voľba "
     u"vymazanie zamestnanca"},
    {65199, [] { return Msg(65199); }, u"Najskôr je potrebné dokončiť spracovanie zmien"},
};

} // namespace

TEST(MessagesTest, TextsFilledWithTheCallersValues)
{
    for (const MessageCase &c : kMessageCases)
        EXPECT_EQ(c.format(), QString::fromUtf16(c.expected)) << "message " << c.id;
}

TEST(MessagesTest, ACountedWordAgreesWithItsCount)
{
    const struct {
        int count;
        const char16_t *generated, *marked;
    } cases[] = {
        {1, u"Bol vygenerovaný 1 súbor RH3 v adresári /v.", u"Bol označený 1 riadok na spracovanie. Pokračovať ?"},
        {3, u"Boli vygenerované 3 súbory RH3 v adresári /v.", u"Boli označené 3 riadky na spracovanie. Pokračovať ?"},
        {5, u"Bolo vygenerovaných 5 súborov RH3 v adresári /v.",
         u"Bolo označených 5 riadkov na spracovanie. Pokračovať ?"},
        {0, u"Bolo vygenerovaných 0 súborov RH3 v adresári /v.",
         u"Bolo označených 0 riadkov na spracovanie. Pokračovať ?"},
    };
    for (const auto &c : cases) {
        EXPECT_TRUE(Msg(65102, c.count, "RH3", "/v").startsWith(QString::fromUtf16(c.generated))) << c.count;
        EXPECT_EQ(Msg(65097, c.count), QString::fromUtf16(c.marked));
    }
    // A text without a count keeps its braces as they stand.
    EXPECT_EQ(msg::withPluralForms(QStringLiteral("{a|b|c} {d}"), 2), QStringLiteral("b {d}"));
}

TEST(MessagesTest, LineBreaksAreRealCharactersInTheirOrder)
{
    const QString t = Msg(65160, "Firma 01");
    EXPECT_EQ(t.count(QStringLiteral("\n\r")), 2);
    EXPECT_FALSE(t.contains(QStringLiteral("\\n")));
    EXPECT_EQ(Msg(65150).count(QStringLiteral("\r\n")), 5);
    EXPECT_FALSE(Msg(65150).contains(QStringLiteral("\n\r\n\r")));
}

TEST(MessagesTest, TableCoversTheKnownNumbersOnly)
{
    const int absent[] = {65143, 65164, 65166, 65167, 65175, 65186, 65195, 65196, 65197};
    int present = 0;
    for (int id = msg::FirstId; id <= msg::LastId; ++id)
        present += msg::exists(id) ? 1 : 0;
    EXPECT_EQ(present, 176 - int(std::size(absent)));
    for (int id : absent) {
        EXPECT_FALSE(msg::exists(id)) << id;
        EXPECT_TRUE(Msg(id).isEmpty()) << id;
    }
    EXPECT_TRUE(Msg(65023).isEmpty());
    EXPECT_TRUE(Msg(65200).isEmpty());
    EXPECT_TRUE(Msg(0).isEmpty());
    EXPECT_TRUE(Msg(65143, 5).isEmpty());
}

TEST(MessagesTest, EveryTextFormatsWithValuesOfItsPlaceholderTypes)
{
    // Each "%" in the table must start a "%s" or "%d"; filling them must leave none.
    static const QRegularExpression placeholder(QStringLiteral("%(.)"));
    for (int id = msg::FirstId; id <= msg::LastId; ++id) {
        if (!msg::exists(id))
            continue;
        const QString text = msg::text(id);
        // build the arguments in the order of the placeholders
        std::vector<fmt::FormatArg> args;
        for (auto it = placeholder.globalMatch(text); it.hasNext();) {
            const QChar type = it.next().captured(1).at(0);
            ASSERT_TRUE(type == u's' || type == u'd') << "message " << id;
            if (type == u'd')
                args.emplace_back(7);
            else
                args.emplace_back(QStringLiteral("X"));
        }
        ASSERT_LE(args.size(), 3u) << "message " << id;
        QString filled;
        switch (args.size()) {
        case 0: filled = fmt::format(text, {}); break;
        case 1: filled = fmt::format(text, {args[0]}); break;
        case 2: filled = fmt::format(text, {args[0], args[1]}); break;
        default: filled = fmt::format(text, {args[0], args[1], args[2]}); break;
        }
        EXPECT_FALSE(filled.contains(u'%')) << "message " << id;
    }
}

TEST(MessagesTest, CallerFaultsAreRefused)
{
    // The placeholders themselves are tested with the engine (format_pattern_test); here
    // that Msg passes the caller's faults on instead of showing a half-filled text.
    using fmt::FormatError;
    EXPECT_THROW(Msg(65156, 3, 2006), FormatError); // the list of centres is missing
    EXPECT_THROW(Msg(65099, QStringLiteral("25")), FormatError); // a text for "%d"
    EXPECT_THROW(Msg(65072, 5), FormatError);                    // a number for "%s"
    EXPECT_THROW(Msg(65053, "Novák"), FormatError); // a value the text has no place for
    EXPECT_THROW(Msg(65081, 12, 13), FormatError);
}
