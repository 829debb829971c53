// The bulk registration lists in XML: the mappings of the employee's relation, sex and
// deregistration kind, the document byte for byte for a PO and an FO employer, the numbered
// file with its check file written whole or not at all, and the rows read from the absence
// and employee tables of the demo firm with the employee table given back as it was.
//
// The expected documents (reg_listy_po.xml, reg_listy_fo.xml beside this file) were written
// by hand, element by element, from the rules of the list, not taken from the program:
//   - line 1 is the XML declaration; the root's start line begins with one blank and names
//     the RLZEC 1.5 namespace, the schema-instance namespace and the schema location
//     "<namespace> RLZEC-v1.5.xsd";
//   - one element per line, no indentation, every line ending in CR LF (the last included),
//     UTF-8 ("á" is C3 A1, "Š" C5 A0);
//   - "&" of the firm's name is "&amp;";
//   - the employer's address is the seat (ADR_*) when KA_MESTO is empty, KA_* otherwise,
//     with stat before zipKod; the employee's addresses have zipKod before stat; zipKod only
//     when filled;
//   - "Hlavná 1234/5" splits into ulica "Hlavná", supCislo "1234", oCislo "5"; "Nová 12"
//     has no supCislo; "Dlhá" has neither number;
//   - icp, rodPriezvisko, ssnStatP, cpp, dochodok and the FO's titul only when filled;
//     titul of the employee always; korAdresa always, its adresa only with a Pp_city;
//     ucet only with both an account number and a bank code;
//   - typZec 1 "PP", 2 "D", 3 no attribute; pohlavie "M" "1", "Z" "2"; pracPomer "1" for
//     typZec 1 with Fz_uvazok "1", "2" for typZec 2, none for 3;
//   - "MD" rows are typRL="PE" with zacMD_RD / konMD_RD; an interruption's end alone is
//     <zanikPrerus datZaniku="..."/> as in the combined case; event kind 0 leaves
//     prerusenie empty, an unknown type leaves typRegListuZec empty;
//   - dates "dd.mm.yyyy"; no date and 30.12.1899 are empty texts.
#include "core/dm_zam.h"
#include "core/helpers/numbered_files.h"
#include "filings/rex_reg_listy.h"
#include "filings/rex_sp_xml.h"
#include "platform/db/table.h"
#include "platform/errors.h"
#include "support/demo_firm_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::filings;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray expectedFile(const char *name)
{
    return readFile(QStringLiteral(TARIX_SOURCE_DIR "/tests/filings/") + QString::fromLatin1(name));
}

// ---- the fixture of plain records ---------------------------------------------------------------

RlEmployee kovac()
{
    RlEmployee z;
    z.codeEmp = 1;
    z.ssn = QStringLiteral("1234567890");
    z.bornNumb = QStringLiteral("7501011234");
    z.surname = QStringLiteral("Kováč");
    z.name = QStringLiteral("Ján");
    z.title = QStringLiteral("Ing.");
    z.pohlavie = QStringLiteral("M");
    z.typZec = 1;
    z.fzUvazok = QStringLiteral("1");
    z.bornDate = QDate(1975, 1, 1);
    z.bornCity = QStringLiteral("Žilina");
    z.statObcan = QStringLiteral("SK");
    z.rodStav = QStringLiteral("2");
    z.tpStreet = QStringLiteral("Nová 12");
    z.tpCity = QStringLiteral("Žilina");
    z.tpZip = QStringLiteral("01001");
    z.statTp = QStringLiteral("SK");
    z.ppStreet = QStringLiteral("Letná 3/7");
    z.ppCity = QStringLiteral("Martin");
    z.ppZip = QStringLiteral("03601");
    z.statPp = QStringLiteral("SK");
    z.tel1 = QStringLiteral("0905123456");
    z.mail = QStringLiteral("jan@kovac.sk");
    z.predcisloU = QStringLiteral("19");
    z.cisloU = QStringLiteral("123456789");
    z.bankaU = QStringLiteral("0200");
    z.banka2U = QStringLiteral("VÚB, a.s. Bratislava");
    return z;
}

// No SSN, no account number (a bank code alone), an agreement, born abroad.
RlEmployee horvathova()
{
    RlEmployee z;
    z.codeEmp = 2;
    z.ssnStatP = QStringLiteral("CZ-998877");
    z.bornNumb = QStringLiteral("8555051234");
    z.surname = QStringLiteral("Horváthová");
    z.name = QStringLiteral("Eva");
    z.pohlavie = QStringLiteral("Z");
    z.typZec = 2;
    z.prevName = QStringLiteral("Malá");
    z.bornDate = QDate(1985, 5, 5);
    z.bornCity = QStringLiteral("Brno");
    z.statObcan = QStringLiteral("CZ");
    z.cpp = QStringLiteral("CPP-1");
    z.rodStav = QStringLiteral("1");
    z.tpStreet = QStringLiteral("Dlhá");
    z.tpCity = QStringLiteral("Nitra");
    z.tpZip = QStringLiteral("94901");
    z.tpZip2 = QStringLiteral("12345");
    z.statTp = QStringLiteral("SK");
    z.bankaU = QStringLiteral("0900");
    z.dochodok = QStringLiteral("3");
    return z;
}

// A relation of another kind (3).
RlEmployee simko()
{
    RlEmployee z;
    z.codeEmp = 3;
    z.ssn = QStringLiteral("5555555555");
    z.bornNumb = QStringLiteral("6001011111");
    z.surname = QStringLiteral("Šimko");
    z.name = QStringLiteral("Peter");
    z.pohlavie = QStringLiteral("M");
    z.typZec = 3;
    return z;
}

RlRow riadok(const char *typ, int kind, QDate od, QDate doo, const RlEmployee &z, const char *dovod = "")
{
    RlRow r;
    r.typRL = QString::fromLatin1(typ);
    r.typRL2 = kind;
    r.datumOd = od;
    r.datumDo = doo;
    r.prerusenie = QString::fromLatin1(dovod);
    r.employeeOf = z;
    return r;
}

RlEmployer firmaPO()
{
    RlEmployer z;
    z.icz = QStringLiteral("12345678");
    z.ico = QStringLiteral("31234567");
    z.nazov = QStringLiteral("STAVBY & SYN, s.r.o.");
    z.typZel = QStringLiteral("PO");
    z.foRc = QStringLiteral("0000000000"); // not written for a PO
    z.adrUlica1 = QStringLiteral("Hlavná 1234/5");
    z.adrMesto = QStringLiteral("Žilina");
    z.adrPsc = QStringLiteral("01001");
    z.adrStat = QStringLiteral("SK");
    z.adrTelefon = QStringLiteral("041/5551234");
    z.adrEmail = QStringLiteral("mzdy@stavby.sk");
    z.vykazZostavil = QStringLiteral("Mária Nováková");
    z.den = QDate(2007, 3, 15);
    return z;
}

QList<RlRow> kazdyTyp()
{
    const QDate none;
    return {riadok("PA", 2, {2007, 1, 1}, none, kovac()),
            riadok("ZM", 2, {2007, 2, 1}, none, horvathova()),
            riadok("PE", 1, {2007, 3, 1}, {2007, 3, 31}, kovac(), "1"),
            riadok("PE", 2, {2007, 4, 1}, none, horvathova(), "2"),
            riadok("PE", 3, none, {2007, 4, 30}, kovac()),
            riadok("MD", 1, {2007, 5, 1}, {2008, 5, 1}, horvathova()),
            riadok("MD", 2, {2007, 6, 1}, none, kovac()),
            riadok("MD", 3, none, {2007, 7, 31}, horvathova()),
            riadok("OD", 3, none, {2007, 8, 31}, kovac()),
            riadok("OD", 3, none, none, horvathova()),
            riadok("OD", 3, none, {1899, 12, 30}, simko()),
            riadok("PE", 0, none, none, simko()),
            riadok("XX", 1, none, none, simko())};
}

// ---- the rules alone ------------------------------------------------------------------------------

TEST(RegListyMappings, RelationSexDeregistrationAndDates)
{
    struct TypZec {
        int typ;
        const char *text;
    };
    for (const TypZec &c : {TypZec{1, "PP"}, TypZec{2, "D"}, TypZec{0, ""}, TypZec{3, ""}, TypZec{-1, ""}})
        EXPECT_EQ(zecType(c.typ), QString::fromLatin1(c.text)) << c.typ;

    struct Pomer {
        int typ;
        const char *uvazok;
        const char *text;
    };
    for (const Pomer &c : {Pomer{1, "1", "1"}, Pomer{1, "0", "2"}, Pomer{1, "", "2"}, Pomer{2, "1", "2"},
                           Pomer{2, "", "2"}, Pomer{3, "1", ""}, Pomer{0, "", ""}})
        EXPECT_EQ(employmentRelation(c.typ, QString::fromLatin1(c.uvazok)), QString::fromLatin1(c.text))
            << c.typ << " " << c.uvazok;

    for (const auto &[in, out] : std::vector<std::pair<const char *, const char *>>{
             {"M", "1"}, {"Z", "2"}, {"", "2"}, {"m", "2"}, {"F", "2"}})
        EXPECT_EQ(Pohlavie(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;

    EXPECT_EQ(rlType(QStringLiteral("MD")), "PE");
    EXPECT_EQ(rlType(QStringLiteral("OD")), "OD");
    EXPECT_EQ(Text_datumu(QDate(2007, 3, 5)), "05.03.2007");
    EXPECT_EQ(Text_datumu(QDate()), "");
    EXPECT_EQ(Text_datumu(QDate(1899, 12, 30)), "");
}

TEST(RegListyDocument, EveryTypeAndEventKindForALegalPerson)
{
    EXPECT_EQ(Zapis_xml_reg_listov(firmaPO(), kazdyTyp()).toUtf8(), expectedFile("reg_listy_po.xml"));
}

TEST(RegListyDocument, ANaturalPersonWithItsCorrespondenceAddress)
{
    RlEmployer z;
    z.icz = QStringLiteral("87654321");
    z.ico = QStringLiteral("40000001");
    z.nazov = QStringLiteral("Jozef Malý - MALSTAV");
    z.typZel = QStringLiteral("FO");
    z.foRc = QStringLiteral("6505051234");
    z.foSurname = QStringLiteral("Malý");
    z.foName = QStringLiteral("Jozef");
    z.foTitulPred = QStringLiteral("  "); // blank: no titul
    z.kaUlica = QStringLiteral("Mlynská 8");
    z.kaMesto = QStringLiteral("Košice");
    z.kaPsc = QStringLiteral("04001");
    z.kaStat = QStringLiteral("SK");
    z.kaZip = QStringLiteral("K-1");
    // the seat is not written while a correspondence town is given
    z.adrUlica1 = QStringLiteral("Iná 1");
    z.adrMesto = QStringLiteral("Prešov");
    z.adrFax = QStringLiteral("055/111");
    z.vykazZostavil = QStringLiteral("Jozef Malý");
    EXPECT_EQ(Zapis_xml_reg_listov(z, {riadok("OD", 3, {}, {2007, 9, 30}, simko())}).toUtf8(),
              expectedFile("reg_listy_fo.xml"));
}

// ---- the file -------------------------------------------------------------------------------------

// The check file's sums as its rule gives them, read from the expected document: per line
// the UTF-16 code units plus 23, one sum per block of 100 lines and one for the rest.
QByteArray expectedCheckFile(const QByteArray &xml)
{
    QList<QByteArray> lines = xml.split('\n');
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    QByteArray out = "TARIX Personalistika a Mzdy\r\n3.20H3\r\nNorix Software House\r\n";
    qint32 sum = 0;
    int count = 0;
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        for (const QChar c : QString::fromUtf8(line))
            sum += c.unicode();
        sum += 23;
        if (++count == 100) {
            out += QByteArray::number(sum) + "\r\n";
            sum = 0;
            count = 0;
        }
    }
    return out + QByteArray::number(sum) + "\r\n";
}

void kontrolnySubor(const QString &xml, const QString &check) { RexSpXml::Zapis_kontrolny_subor(xml, check); }

class RegListyFile : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString folder() const { return tmp.path() + QStringLiteral("/vystupy"); }
    QString path(const char *name) const { return folder() + u'/' + QString::fromLatin1(name); }
    QString write(const QString &document)
    {
        return writeRegistrationSheetsFile(folder(), QStringLiteral("31234567"), 2007, document,
                                      kontrolnySubor);
    }
};

TEST_F(RegListyFile, NumberedFilesEachWithItsCheckFile)
{
    const QString document = Zapis_xml_reg_listov(firmaPO(), kazdyTyp());
    EXPECT_EQ(write(document), path("SPRLZEC_31234567_2007_00001.xml"));
    EXPECT_EQ(readFile(path("SPRLZEC_31234567_2007_00001.xml")), expectedFile("reg_listy_po.xml"));
    EXPECT_EQ(readFile(path("SPRLZEC_31234567_2007_00001.txt")), expectedCheckFile(expectedFile("reg_listy_po.xml")));
    EXPECT_EQ(write(document), path("SPRLZEC_31234567_2007_00002.xml"));
    EXPECT_TRUE(QFile::exists(path("SPRLZEC_31234567_2007_00002.txt")));
    // a file written elsewhere in capitals takes its number too
    QFile upper(path("SPRLZEC_31234567_2007_00003.XML"));
    ASSERT_TRUE(upper.open(QIODevice::WriteOnly));
    upper.close();
    EXPECT_EQ(write(document), path("SPRLZEC_31234567_2007_00004.xml"));
    EXPECT_EQ(readFile(path("SPRLZEC_31234567_2007_00002.xml")), expectedFile("reg_listy_po.xml"));
}

TEST_F(RegListyFile, AFailedCheckFileLeavesNeitherFile)
{
    EXPECT_THROW(writeRegistrationSheetsFile(folder(), QStringLiteral("31234567"), 2007, QStringLiteral("<a/>\r\n"),
                                        [](const QString &, const QString &check) {
                                            QFile f(check);
                                            if (f.open(QIODevice::WriteOnly))
                                                f.write("TARIX");
                                            throw EMyError(QStringLiteral("disk full"));
                                        }),
                 EMyError);
    EXPECT_TRUE(QDir(folder()).entryList(QDir::Files).isEmpty());
    // a folder that cannot be made is an error, not a file somewhere else
    QFile blocker(tmp.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(writeRegistrationSheetsFile(tmp.path() + QStringLiteral("/file/sub"), QStringLiteral("1"), 2007,
                                        QStringLiteral("x"), kontrolnySubor),
                 EMyError);
}

// ---- the rows of the demo firm --------------------------------------------------------------------

class RegListyRows : public test::DemoFirmTest<> {
protected:
    static test::DemoOptions options()
    {
        test::DemoOptions o;
        o.month = 3;
        o.modules = test::coreModules();
        o.registerTables = true;
        o.openTables = true;
        return o;
    }
    RegListyRows() : test::DemoFirmTest<>({true, 2007, 2007}, options()) {}

    void SetUp() override
    {
        test::DemoFirmTest<>::SetUp();
        // a second event of the new employee 10, and a row of an employee who is gone
        session.run(QStringLiteral("insert into \":tarix_data:nep\" (Code_emp, Datum_od, Datum_do, Typ, TypRL, TypRL2) "
                                   "values (10, '2007-03-01', '2007-03-01', 0, 'ZM', 2)"));
        session.run(QStringLiteral("insert into \":tarix_data:nep\" (Code_emp, Datum_od, Datum_do, Typ, TypRL, TypRL2) "
                                   "values (999, '2007-03-01', '2007-03-01', 0, 'OD', 3)"));
        db::Table &nep = core::DMZ().TNEP_;
        nep.setMasterSource(nullptr);
        nep.setFilter(QStringLiteral("TypRL>='AA' and TypRL<='ZZ'"));
        nep.setFiltered(true);
        nep.refresh();
    }

    db::Bookmark rowOf(int codeEmp, const char *typ)
    {
        db::Table &nep = core::DMZ().TNEP_;
        EXPECT_TRUE(nep.locate(QStringLiteral("Code_emp;TypRL"), {codeEmp, QString::fromLatin1(typ)}));
        return nep.bookmark();
    }
};

TEST_F(RegListyRows, RowsTakeTheirEmployeeAndTheEmployeeTableComesBack)
{
    db::Table &zam = core::DMZ().TZAM_;
    zam.setIndexName(QString()); // the key order; the document reads in Zam1
    zam.setFilter(QStringLiteral("Code_emp>2"));
    zam.setFiltered(true);
    zam.locate(QStringLiteral("Code_emp"), {5});
    const QList<db::Bookmark> marked = {rowOf(10, "ZM"), rowOf(6, "OD"), rowOf(10, "PA")};

    const QList<RlRow> rows = loadRows(marked);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].typRL, "ZM");
    EXPECT_EQ(rows[1].typRL, "OD");
    EXPECT_EQ(rows[2].typRL, "PA");
    EXPECT_EQ(rows[0].employeeOf.codeEmp, 10);
    EXPECT_EQ(rows[1].employeeOf.codeEmp, 6);
    // both rows of employee 10 carry his data
    EXPECT_FALSE(rows[0].employeeOf.surname.isEmpty());
    EXPECT_EQ(rows[0].employeeOf.surname, rows[2].employeeOf.surname);
    EXPECT_EQ(rows[0].employeeOf.bornNumb, rows[2].employeeOf.bornNumb);
    EXPECT_NE(rows[0].employeeOf.surname, rows[1].employeeOf.surname);
    EXPECT_EQ(rows[2].datumOd, QDate(2007, 1, 15));

    EXPECT_EQ(zam.indexName(), "");
    EXPECT_EQ(zam.filter(), "Code_emp>2");
    EXPECT_TRUE(zam.isFiltered());
    EXPECT_EQ(zam.fieldByName(QStringLiteral("Code_emp")).asInt(), 5);

    // an employee who is gone stops the document; the table still comes back
    EXPECT_THROW(loadRows({rowOf(6, "OD"), rowOf(999, "OD")}), EMyError);
    EXPECT_EQ(zam.indexName(), "");
    EXPECT_EQ(zam.filter(), "Code_emp>2");
    EXPECT_TRUE(zam.isFiltered());
    EXPECT_EQ(zam.fieldByName(QStringLiteral("Code_emp")).asInt(), 5);
}

TEST_F(RegListyRows, TheEmployerComesFromTheFirmWithCountryAcronyms)
{
    const RlEmployer z = loadEmployer();
    EXPECT_FALSE(z.ico.isEmpty());
    EXPECT_FALSE(z.nazov.isEmpty());
    EXPECT_EQ(z.vykazZostavil, u"Mária Šťastná");
    // a three-digit country code becomes its acronym (or nothing), never stays a code
    for (const QString &stat : {z.adrStat, z.kaStat})
        EXPECT_FALSE(stat.size() == 3 && stat.front().isDigit()) << stat.toStdString();
}

} // namespace
