// The employment documents printed from one contract row through the dispatcher, as the
// contracts' "Tlač" sends them (code by the contract's kind, its PID in Rezerva1): each
// document's title and the contract's texts in the blanks of its points, in the order of
// the points; the three captions that alone tell the amendment from the contract; the
// names and addresses of the parties; a PID without a row; every text inside its box.
#include "document_fixture.h"
#include "social_pdf.h"

#include "core/helpers/code_texts.h"
#include "reports/documents/contract_document.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::DocumentFirm;

namespace {

class ContractDocuments : public DocumentFirm {
protected:
    const rpt::PreparedReport &print(const char *kod, int pid)
    {
        return run(QString::fromLatin1(kod), 200701, [pid](TMyReportParam &p) {
            p.Rezerva1 = pid;
            p.Bez_dialogu = true;
        });
    }
    // The contract texts in print order (the R fields and the start date).
    static QStringList contractFields(const rpt::PreparedReport &r)
    {
        QStringList out;
        for (const rpt::PreparedItem *t : r.pages.at(0).texts())
            if (t->name.startsWith(u"QRDB_R") || t->name == u"QRDB_NASTUP")
                out << t->name.mid(5);
        return out;
    }
};

} // namespace

TEST_F(ContractDocuments, EachDocumentPrintsItsTitleAndTheContractTextsInTheOrderOfItsPoints)
{
    const struct {
        const char *kod;
        int typ;
        const char *nadpis;
        QStringList polia;
        const char *bod; // a heading of one of its points
    } cases[] = {
        {"DPC", 2, "DOHODA O PRACOVNEJ ČINNOSTI", {"R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8"},
         "2. Dojednaný rozsah týždenného pracovného času :"},
        {"DVP", 1, "DOHODA O VYKONANÍ PRÁCE", {"R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8"},
         "6. Odmena za vykonanie pracovnej úlohy je splatná:"},
        {"ZML", 0, "PRACOVNÁ ZMLUVA", {"NASTUP", "R1", "R2", "R3", "R4", "R5", "R6"}, "3. So skúšobnou dobou"},
        {"ZML2", 10, "PRACOVNÁ   ZMLUVA",
         {"NASTUP", "R1", "R2", "R3", "R9", "R10", "R11", "R4", "R5", "R6", "R12"},
         "7. Zamestnancovi patrí dovolenka za kalendárny rok vo výmere"},
        {"ZMLD", 14, "DODATOK K PRACOVNEJ ZMLUVE",
         {"NASTUP", "R1", "R2", "R3", "R9", "R10", "R11", "R4", "R5", "R6", "R12"},
         "10. Ďalšie dohodnuté podmienky"},
        {"DPC2", 12, "DOHODA O PRACOVNEJ ČINNOSTI",
         {"R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8", "R10", "R11", "R12"},
         "7. Ďaľšie dohodnuté podmienky (§ 224 Zákonníka práce):"},
        {"DVP2", 11, "DOHODA O VYKONANÍ PRÁCE",
         {"R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8", "R9", "R10", "R12"},
         "4. Predpokladaný rozsah práce (pracovnej úlohy) v hodinách spolu"},
        {"DBPS", 13, "DOHODA O BRIGÁDNICKEJ PRÁCI ŠTUDENTOV",
         {"R1", "R2", "R3", "R4", "R5", "R6", "R7", "R8", "R9", "R10", "R12"},
         "4. Doba na ktorú sa dohoda uzatvára:"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kod);
        const int pid = insertPpv(1, c.typ);
        const rpt::PreparedReport &r = print(c.kod, pid);
        ASSERT_EQ(r.pageCount(), 1);
        const rpt::PreparedPage &page = r.pages[0];
        EXPECT_EQ(textOf(page, "QRL_NADPIS"), QString::fromUtf8(c.nadpis));
        EXPECT_EQ(contractFields(r), c.polia);
        for (const QString &pole : c.polia) {
            if (pole != u"NASTUP") {
                EXPECT_EQ(textOf(page, "QRDB_" + pole), "text-" + pole);
            }
        }
        EXPECT_TRUE(pageTexts(page).contains(QString::fromUtf8(c.bod)));
        EXPECT_EQ(textOf(page, "QRDB_CALC_V"), "V Trnava dňa 25.1.2007");
        expectFits(r, 210, 297);
        fixtures::expectWrittenAsPdf(r, QStringLiteral("contract_") + c.kod);
    }
}

TEST_F(ContractDocuments, ThePartiesOfTheOlderAgreementLineByLine)
{
    session.execute("update \":tarix_data:zam\" set c_op='SA402117', zamestnanie='stavbyvedúci' where code_emp=1");
    const rpt::PreparedPage &page = print("DPC", insertPpv(1, 2)).pages.at(0);
    EXPECT_EQ(textOf(page, "QRDB_NAZOV"), "DEMO STAV, s.r.o.");
    // The older texts write the street as stored, without its number.
    EXPECT_EQ(textOf(page, "QRDB_CALC_ADRESA"), "Priemyselná, 91701 Trnava");
    EXPECT_EQ(textOf(page, "QRDB_CALC_TMP"), "Ing. Ján Hudák");
    EXPECT_EQ(textOf(page, "QRDB_Born_date"), "14.3.1968");
    EXPECT_EQ(textOf(page, "QRDB_CALC_STAV"), MyConsts::Text_rodinneho_stavu(u'2', u'M'));
    EXPECT_EQ(textOf(page, "QRDB_CALC_TP"), "Hlavná 12, 917 01 Trnava");
    EXPECT_EQ(textOf(page, "QRDB_C_op"), "SA402117");
    EXPECT_EQ(textOf(page, "QRDB_Born_numb"), "6803145129");
    EXPECT_EQ(textOf(page, "QRDB_Zamestnanie"), "stavbyvedúci");
}

TEST_F(ContractDocuments, TheNewerTextsNameTheFirmWithItsHouseNumberAndTheEmployeeInOneLine)
{
    const rpt::PreparedPage &zml2 = print("ZML2", insertPpv(1, 10)).pages.at(0);
    EXPECT_EQ(textOf(zml2, "QRDB_CALC_SUBJ1"), "DEMO STAV, s.r.o., Priemyselná 1234/5, 91701 Trnava");
    EXPECT_EQ(textOf(zml2, "QRDB_CALC_SUBJ2"),
              "Ing. Ján Hudák, bytom Hlavná 12, 917 01 Trnava, nar. 6803145129 (ďalej pracovník).");
    EXPECT_EQ(textOf(zml2, "QRDB_NASTUP"), "1.2.2007");
    const rpt::PreparedPage &dbps = print("DBPS", insertPpv(1, 13)).pages.at(0);
    EXPECT_EQ(textOf(dbps, "QRDB_CALC_ADRESA"), "Priemyselná 1234/5, 91701 Trnava");
    EXPECT_EQ(textOf(dbps, "QRDB_CALC_POTVRD"), "Potvrdzujeme, že Ing. Ján Hudák  nar. 14.3.1968");
}

TEST_F(ContractDocuments, AnEmployeeWithoutATitleIsNamedWithoutALeadingBlank)
{
    // Employee 2 has no title.
    const rpt::PreparedPage &page = print("DPC2", insertPpv(2, 12)).pages.at(0);
    EXPECT_EQ(textOf(page, "QRDB_CALC_TMP"), "Mária Šťastná");
    EXPECT_EQ(ContractDocument::nameText({}, " Mária ", "Šťastná "), "Mária Šťastná");
}

TEST_F(ContractDocuments, TheContractAndItsAmendmentDifferOnlyInTheirThreeCaptions)
{
    const int pid = insertPpv(1, 10);
    const rpt::PreparedReport zmluva = print("ZML2", pid);
    const rpt::PreparedReport dodatok = print("ZMLD", pid);
    const auto texts = [](const rpt::PreparedReport &r) {
        QMap<QString, QString> m;
        for (const rpt::PreparedItem *t : r.pages.at(0).texts())
            m.insert(t->name, t->text());
        return m;
    };
    const QMap<QString, QString> a = texts(zmluva), b = texts(dodatok);
    ASSERT_EQ(a.keys(), b.keys());
    QStringList rozdielne;
    for (auto it = a.cbegin(); it != a.cend(); ++it)
        if (it.value() != b.value(it.key()))
            rozdielne << it.key();
    EXPECT_EQ(rozdielne, (QStringList{"QRL_BOD1", "QRL_NADPIS", "QRL_UZATV"}));
    EXPECT_EQ(b.value("QRL_NADPIS"), "DODATOK K PRACOVNEJ ZMLUVE");
    EXPECT_TRUE(b.value("QRL_BOD1").startsWith("1. Dodatok k pracovnej zmluve je platný od ..."));
    EXPECT_EQ(b.value("QRL_UZATV"), "uzavierajú tento dodatok k pracovnej zmluve");
    EXPECT_TRUE(a.value("QRL_BOD1").startsWith("1. Zamestnanec nastúpi do práce dňa ..."));
    EXPECT_EQ(a.value("QRL_UZATV"), "uzavierajú túto pracovnú zmluvu");
}

TEST_F(ContractDocuments, AKeyWithoutARowOrWithoutItsEmployeePrintsAnEmptyPreview)
{
    const int orphan = insertPpv(4711, 2);
    for (int pid : {999999, orphan}) {
        SCOPED_TRACE(pid);
        const rpt::PreparedReport &r = print("DPC2", pid);
        for (const rpt::PreparedPage &p : r.pages)
            for (const rpt::PreparedItem *t : p.texts())
                EXPECT_FALSE(t->name.startsWith(u"QRDB_")) << t->name.toStdString();
    }
}
