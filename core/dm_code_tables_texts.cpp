#include "core/dm_code_tables_texts.h"

#include "platform/format/format_pattern.h"

namespace tarix::core {

QString exceptionFilterOfMode1()
{
    return QStringLiteral("(ID >='0' AND ID<='2') OR (ID>='A' AND ID<='E')");
}

namespace {

// The statutory texts of the codes valid from August 2006, by the code's first character.
QString mode1Text(QChar c)
{
    switch (c.unicode()) {
    case u'1':
        return QStringLiteral("-zamestnanec s viacerými pracovnými pomermi a maximálnym vym.základom "
                              "(zamestnávateľ odvádza v plnej výške, zamestnanec žiadne alebo nižšie "
                              "odvody ako je čiastka stanovená zákonom)");
    case u'2':
        return QStringLiteral("-náhrada mzdy z neplatného skončenia pracovného pomeru");
    case u'A':
        return QStringLiteral("-75% vymer.základu - zamestnanec, ktorý je poberateľom invalid. dôchodku, "
                              "pokles zárob.činnosti najviac o 70% alebo mladistvý starší ako 16 rokov "
                              "(§138 ods. 12, písm. a))");
    case u'B':
        return QStringLiteral("-50% vymer.základu - zamestnanec, ktorý je poberateľom invalid. dôchodku, "
                              "pokles zárob.činnosti o viac ako o 70%, alebo mladší ako 18 rokov, ktorý je "
                              "invalidný, alebo mladší ako 16 rokov (§138 ods. 12, písm. b))");
    case u'C':
        return QStringLiteral("-Suma príjmu zodpovedajúca kratšiemu pracovnému času zamestnanca, ktorý má "
                              "dohodnutý pracovný pomer na kratší pracovný čas podľa osobitného predpisu "
                              "(§138 ods. 12, písm. c))");
    case u'D':
        return QStringLiteral("-Suma náhrady mzdy, poskytnutá z dôvodu prekážok v práci na strane "
                              "zamestnávateľa podľa osobitného predpisu (§138 ods. 12, písm. d))");
    case u'E':
        return QStringLiteral("-Suma pracovnej odmeny fyzickej osoby vo výkone väzby a fyzickej osoby vo "
                              "výkone trestu odňatia slobody, ak sú zaradené do práce");
    default:
        return QStringLiteral("-neplatná hodnota");
    }
}

} // namespace

QString exceptionText(int rezim, const QString &id, const QString &text)
{
    QString result;
    if (rezim == 0) {
        result = id + u'-' + text;
    } else if (rezim == 1) {
        if (!id.isEmpty() && id.at(0) == u'0')
            result = id + u'-' + text;
        else
            result = id + mode1Text(id.isEmpty() ? QChar() : id.at(0));
    }
    return result.left(kDlzkaTextuVynimky);
}

QString recipientKinds() { return QStringLiteral("DEFPSUXYZ"); }

bool isRecipientKind(const QString &typ)
{
    return !typ.isEmpty() && recipientKinds().contains(typ.at(0));
}

QString lineHealthInsurerName(int id, const QString &text)
{
    return fmt::format(u"%2d", {id}) + QStringLiteral(" - ") + text;
}

namespace {
QString cisloText(const QVariant &cislo)
{
    return cislo.isValid() && !cislo.isNull() ? QString::number(cislo.toLongLong()) : QString();
}
} // namespace

QString numberAndName(const QVariant &cislo, const QString &oddelovac, const QString &nazov)
{
    return cisloText(cislo) + oddelovac + nazov;
}

QString puLineName(const QString &text, const QVariant &cislo, const QString &doplnok)
{
    QString result = text + cisloText(cislo);
    const QString side = doplnok.toUpper();
    if (side == u"Z")
        result += QStringLiteral(" - zam.");
    else if (side == u"F")
        result += QStringLiteral(" - firma ");
    return result;
}

} // namespace tarix::core
