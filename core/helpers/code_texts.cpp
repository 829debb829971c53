#include "core/helpers/code_texts.h"

namespace tarix::MyConsts {
namespace {

QString bySex(QChar sex, const char16_t *man, const char16_t *woman, const char16_t *both)
{
    if (sex == u'M')
        return QString::fromUtf16(man);
    if (sex == u'Z')
        return QString::fromUtf16(woman);
    return QString::fromUtf16(both);
}

} // namespace

QString Text_rodinneho_stavu(QChar code, QChar sex)
{
    switch (code.unicode()) {
    case u'1': case u'S':
        return bySex(sex, u"slobodný", u"slobodná", u"slobodný(á)");
    case u'2': case u'Z':
        return bySex(sex, u"ženatý", u"vydatá", u"ženatý(vydatá)");
    case u'3': case u'R':
        return bySex(sex, u"rozvedený", u"rozvedená", u"rozvedený(á)");
    case u'4': case u'V':
        return bySex(sex, u"vdovec", u"vdova", u"vdovec(vdova)");
    case u'5':
        return sex == u'M' ? QStringLiteral("druh,družka") : QStringLiteral("druh, družka");
    default:
        return {};
    }
}

QString Text_pohlavia(QChar sex)
{
    switch (sex.unicode()) {
    case u'M': return QStringLiteral("muž");
    case u'Z': return QStringLiteral("žena");
    default: return {};
    }
}

QString Text_uvazku(QChar workingTime)
{
    switch (workingTime.unicode()) {
    case u'0': return QStringLiteral("iný");
    case u'1': return QStringLiteral("plný");
    case u'2': return QStringLiteral("polovičný");
    case u'3': return QStringLiteral("menej ako polovičný");
    default: return {};
    }
}

QString Text_druhu_osoby(QChar kind)
{
    switch (kind.unicode()) {
    case u'O': return QStringLiteral("ostatní");
    case u'Z': return QStringLiteral("občan so ZPS");
    case u'D': return QStringLiteral("dôchodca");
    default: return {};
    }
}

QString Text_typu_premie(int type)
{
    switch (type) {
    case 0: return QStringLiteral("individuálna výška");
    case 1: return QStringLiteral("percentuálna sadzba");
    case 2: return QStringLiteral("hodinová sadzba");
    default: return {};
    }
}

QString Text_typu_sadzby(int type)
{
    switch (type) {
    case 0: return QStringLiteral("percentuálna");
    case 1: return QStringLiteral("hodinová");
    default: return {};
    }
}

QString Text_druhu_nepritomnosti(int kind)
{
    switch (kind) {
    case 0: return QStringLiteral("neuvedený");
    case 1: return QStringLiteral("PN");
    case 2: return QStringLiteral("OČR");
    case 3: return QStringLiteral("náhr.voľno");
    case 4: return QStringLiteral("absencia");
    case 5: return QStringLiteral("nútené voľno");
    default: return {};
    }
}

QString Text_druhu_zrazky(QChar firstLetter)
{
    switch (firstLetter.unicode()) {
    case u'P': return QStringLiteral("poisťovňa");
    case u'O': return QStringLiteral("odbory");
    case u'S': return QStringLiteral("staveb.sporenie");
    case u'Y': return QStringLiteral("pôžičky");
    case u'X': return QStringLiteral("iné");
    default: return {};
    }
}

QString Text_druhu_prijemcu(QChar kind, int number)
{
    switch (kind.unicode()) {
    case u'D': return QStringLiteral("Daňový úrad - zrážky+preddavky");
    case u'E': return QStringLiteral("Daňový úrad - preddavky");
    case u'F': return QStringLiteral("Daňový úrad - zrážky");
    case u'P': return QStringLiteral("Zákonné poistenie za škodu");
    case u'S': return QStringLiteral("Sociálna poisťovňa");
    case u'U': return QStringLiteral("Úrad práce");
    case u'X': return QStringLiteral("Sociálny fond");
    case u'Y': return QStringLiteral("DDP č.") + QString::number(number);
    case u'Z': return QStringLiteral("Zdrav.poisť.č.") + QString::number(number);
    default: return {};
    }
}

} // namespace tarix::MyConsts
