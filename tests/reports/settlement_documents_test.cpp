// The two documents of the annual settlement filled from RTF templates ("NEZISK1", the
// declaration assigning 2 % of the tax, and "NEZISK2", the certificate of the tax paid):
// byte for byte from small templates, one document per chosen employee, the overwrite
// question, the file names, a missing settlement and a missing template.
//
// The expected documents (expected/settlement_vyh1.rtf, settlement_vyh2.rtf) were written
// line by line from the placeholders' rules, not taken from the program:
//   - every line of the template is kept, its keys replaced, and ends with CR LF;
//   - a value with a width is padded with blanks to it ("Kováč" + 43 blanks for $PRIEZVISKO
//     48, "Trnava" + 24 for $MIESTO 30), and cut when longer: the town of 56 characters
//     keeps its first 48 for $OBEC;
//   - "{" and "}" of the name "Ľubomír{2}" are written "\{" "\}" after the padding (the
//     padding counts the name's 10 characters, the escapes add two bytes);
//   - "Ľ" "á" "č" "í" "Š" "ť" are the Windows-1250 bytes BC E1 E8 ED 8A 9D;
//   - $RC1 ... $RC9, $RC0 are the digits of "591005/4194" without "/": 5 9 1 0 0 5 4 1 9 4;
//   - $RR9 is tax less bonus claimed, 41000 - 6000 = 35000, $RR10 its 2 %, 700;
//   - NEZISK2: $MENO is title, name and surname; $ADRESA street, ", " and town (not cut);
//     $RR4 the arrear of 350, $RR5 no refund, 0; $RR6A, $RR6B, $SPRAVCA_DANE empty;
//     $VYPRACOVAL padded to 43.
#include "settlement_fixture.h"

#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "reports/settlement/rz2005a.h"

#include <QDir>
#include <QFile>

using namespace tarix;
using namespace tarix::reports;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

class Documents : public fixtures::SettlementFirm, public fixtures::ReportFiles {
protected:
    void SetUp() override
    {
        SettlementFirm::SetUp();
        output.set(root(), 2007, false);
        QDir().mkpath(frm());
        // Small templates in place of the shipped ones.
        writeFile(frm() + "Vyhlasenie_2%_vzor.rtf",
                  "{\\rtf1\\ansi\\ansicpg1250 Rok $ROK\\par\r\n"
                  "$PRIEZVISKO|\\par\r\n"
                  "$MENO|\\par\r\n"
                  "$RC1 $RC2 $RC3 $RC4 $RC5 $RC6 $RC7 $RC8 $RC9 $RC0\\par\r\n"
                  "$ADRESA|$PSC|\\par\r\n"
                  "$OBEC|\\par\r\n"
                  "$STAT|$TELEFON|\\par\r\n"
                  "$RR9 $RR10\\par\r\n"
                  "$MIESTO|$DEN|\\par\r\n"
                  "}\r\n");
        writeFile(frm() + "Potvrd_dane_nezisk_sektor_vzor.rtf",
                  "{\\rtf1\\ansi\\ansicpg1250 $ROK\\par\r\n"
                  "$MENO|$RODNE_CISLO|\\par\r\n"
                  "$ADRESA|$PSC|\\par\r\n"
                  "$RR1 $RR2 $RR3 $RR4 $RR5|$RR6A|$RR6B|$SPRAVCA_DANE|\\par\r\n"
                  "$DIC|$ZAMTEL|\\par\r\n"
                  "$VYPRACOVAL|$DEN|\\par\r\n"
                  "}\r\n");
        // The employee: a "{" and Slovak letters in his name, a town longer than its box.
        session.execute("update \":tarix_data:zam\" set name='Ľubomír{2}', born_numb='591005/4194', "
                        "tp_city='Bratislava - mestská časť Staré Mesto, Palisády a okolie' where code_emp=8");
        insertRzp(8, 2007, {{"Dan", 41000}, {"D_bonus_narok", 6000}, {"D_bonus_cerpany", 6000}, {"Preplatok", -350}});
    }
    void TearDown() override
    {
        output.reset();
        SettlementFirm::TearDown();
    }

    QString out(const QString &name) const { return MyConsts::outputFolder() + name; }
    static QByteArray expectedFile(const char *name) { return ReportFiles::expectedFile(QString::fromLatin1(name)); }
    static TMyReportParam document(const char *kod, int employee = 0)
    {
        TMyReportParam p = settlementRequest(QString::fromLatin1(kod), 200712);
        p.Priznak_suboru = true;
        if (employee)
            p.Zamestnanec_od = p.Zamestnanec_do = employee;
        return p;
    }
    QStringList files() const
    {
        return QDir(MyConsts::outputFolder()).entryList({"*.rtf"}, QDir::Files, QDir::Name);
    }

    fixtures::OutputFolder output;
};

const QString kVyh1 = QStringLiteral("vyh1_5910054194_Kováč_Ľubomír{2}.rtf");
const QString kVyh2 = QStringLiteral("vyh2_5910054194_Kováč_Ľubomír{2}.rtf");

TEST_F(Documents, BothDocumentsOfAnEmployeeByteForByte)
{
    const struct {
        const char *kod;
        QString name;
        const char *expected;
    } cases[] = {{"NEZISK1", kVyh1, "settlement_vyh1.rtf"}, {"NEZISK2", kVyh2, "settlement_vyh2.rtf"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kod);
        scripted.answerNo(Msg(65126, out(c.name)));
        EXPECT_EQ(run(document(c.kod, 8)), nullptr); // nothing previewed
        EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
        EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
        EXPECT_EQ(readFile(out(c.name)), expectedFile(c.expected));
    }
}

TEST_F(Documents, EveryChosenEmployeeGetsHisOwnDocument)
{
    insertRzp(1, 2007, {{"Dan", 20000}, {"D_bonus_narok", 1250}});
    insertRzp(3, 2006, {{"Dan", 9000}}); // another year: no document
    const QString hudak = QStringLiteral("vyh1_6803145129_Hudák_Ján.rtf");
    scripted.answerNo(Msg(65126, out(hudak)));
    scripted.answerNo(Msg(65126, out(kVyh1)));
    run(document("NEZISK1"));
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    EXPECT_EQ(files(), (QStringList{kVyh1, hudak})); // by name
    // (20000 - 1250) x 2 % = 375
    EXPECT_TRUE(readFile(out(hudak)).contains("18750 375\\par")) << readFile(out(hudak)).toStdString();
}

TEST_F(Documents, DecliningTheOverwriteKeepsTheOldFileAndStillOffersToOpenIt)
{
    QDir().mkpath(MyConsts::outputFolder());
    writeFile(out(kVyh2), "earlier");
    scripted.answerNo(Msg(65109, out(kVyh2)));
    scripted.answerNo(Msg(65126, out(kVyh2)));
    run(document("NEZISK2", 8));
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    EXPECT_EQ(readFile(out(kVyh2)), QByteArray("earlier"));
    EXPECT_EQ(scripted.questions(), (QStringList{Msg(65109, out(kVyh2)), Msg(65126, out(kVyh2))}));

    // Agreeing replaces it.
    scripted.answerYes(Msg(65109, out(kVyh2)));
    scripted.answerNo(Msg(65126, out(kVyh2)));
    run(document("NEZISK2", 8));
    EXPECT_EQ(readFile(out(kVyh2)), expectedFile("settlement_vyh2.rtf"));
}

TEST_F(Documents, PathSeparatorsOfTheNamesStayOutOfTheFileName)
{
    session.execute("update \":tarix_data:zam\" set surname='Kováč/Horský', name='..\\Ľubo' where code_emp=8");
    const QString name = QStringLiteral("vyh1_5910054194_KováčHorský_..Ľubo.rtf");
    scripted.answerNo(Msg(65126, out(name)));
    run(document("NEZISK1", 8));
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    EXPECT_EQ(files(), QStringList{name});
}

TEST_F(Documents, WithoutSettlementTheMessageNamesBothYearsAndNothingIsWritten)
{
    for (const char *kod : {"NEZISK1", "NEZISK2"}) {
        scripted.clearEvents();
        run(document(kod, 1)); // employee 1 has no settlement of 2007
        EXPECT_EQ(errors(), QStringList{Msg(65062, 2006, 2007)}) << kod;
    }
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(Documents, AMissingTemplateWritesNothing)
{
    QFile::remove(frm() + "Vyhlasenie_2%_vzor.rtf");
    run(document("NEZISK1", 8));
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].startsWith(Msg(65180))) << errors()[0].toStdString();
    EXPECT_TRUE(errors()[0].contains("Vyhlasenie_2%_vzor.rtf")) << errors()[0].toStdString();
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(Documents, TheShippedTemplatesHoldEveryKey)
{
    // The installation's own templates, as a new firm gets them.
    for (const char *name : {"Vyhlasenie_2%_vzor.rtf", "Potvrd_dane_nezisk_sektor_vzor.rtf"}) {
        const QByteArray shipped = readFile(QStringLiteral(":/data/frm/") + QString::fromLatin1(name));
        ASSERT_NE(shipped, "<missing>") << name;
        EXPECT_TRUE(shipped.startsWith("{\\rtf1\\ansi\\ansicpg1250")) << name;
        EXPECT_TRUE(shipped.endsWith("}\r\n")) << name;
        EXPECT_FALSE(QByteArray(shipped).replace("\r\n", "").contains('\n')) << name; // CR LF only
    }
    const QByteArray n1 = readFile(":/data/frm/Vyhlasenie_2%_vzor.rtf");
    for (const char *key : {"$ROK", "$PRIEZVISKO", "$MENO", "$RC1", "$RC9", "$RC0", "$ADRESA", "$PSC", "$OBEC", "$STAT",
                            "$TELEFON", "$RR9", "$RR10", "$MIESTO", "$DEN"})
        EXPECT_TRUE(n1.contains(key)) << key;
    const QByteArray n2 = readFile(":/data/frm/Potvrd_dane_nezisk_sektor_vzor.rtf");
    for (const char *key : {"$ROK", "$MENO", "$RODNE_CISLO", "$ADRESA", "$PSC", "$RR1", "$RR2", "$RR3", "$RR4", "$RR5",
                            "$RR6A", "$RR6B", "$SPRAVCA_DANE", "$DIC", "$ZAMTEL", "$VYPRACOVAL", "$DEN"})
        EXPECT_TRUE(n2.contains(key)) << key;
}

} // namespace
