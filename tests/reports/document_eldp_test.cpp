// The pension record sheet: the counted insured days of a year, the printed yearly totals
// per employee (ELDZ1), and the form-data file "ELDP_PDF" byte for byte.
//
// The expected form-data files (expected/eldp_three_lines.xfdf, eldp_no_lines.xfdf) were
// written field by field from the form's field list:
//   - the XML declaration, the xfdf root with the published namespace and
//     xml:space="preserve", each field three lines (<field name>, <value>, </field>), every
//     line ending in CR LF, UTF-8 ("á" C3 A1, "Š" C5 A0, "ť" C5 A5, "ý" C3 BD);
//   - the record lines first, in order of their start: the first line's fields without a
//     suffix, the second's with "_2", the third's with "_3"; day and month with two
//     digits, the calendar year of the start; the excluded days "%d" and the bases
//     "%0.0f" (320000.6 gives 320001), an empty excluded value an empty field, 0 stays "0";
//   - then the fixed fields in the form's order and spelling (b12c96nfeployer_street_number,
//     b12c96nfemplyer_zip, b12c96nfemplyoee_title, employer_number_type without prefix);
//     dates ddmmyyyy, an empty leaving date and the zero date 30.12.1899 empty fields;
//   - "&" of the firm name is "&amp;"; the employee's street and first house number come
//     from "Hlavná 1234/5" ("Hlavná", "1234"); the earlier surname fills both
//     surname_2 and surname_3, the surname itself when there is none;
//   - <f href="..."/> names eldp_form_1.5.pdf in the installation's frm folder (@FRM@).
#include "document_fixture.h"
#include "social_pdf.h"

#include "core/helpers/messages.h"
#include "reports/documents/rex_eldz1.h"
#include "reports/report.h"

#include <QFileInfo>

using namespace tarix;
using namespace tarix::reports;
using fixtures::DocumentFirm;

namespace {

class PensionRecord : public DocumentFirm {
protected:
    void insertLine(int codeEmp, const char *od, const char *po, const QVariant &vz, const QVariant &dni,
                    const QVariant &vzVd)
    {
        session.execute("insert into \":tarix_data:eldp\" (code_emp, datum_od, datum_do, znak, vz, vyluka_vz, "
                        "vyluka_dni) values (:e, :od, :po, 'P', :vz, :vzvd, :dni)",
                        {{"e", codeEmp}, {"od", QString::fromLatin1(od)}, {"po", QString::fromLatin1(po)},
                         {"vz", vz}, {"vzvd", vzVd}, {"dni", dni}});
    }
    void placeTemplate()
    {
        QDir().mkpath(frm());
        QFile f(RexELDZ1::pdfTemplate());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n");
    }
    QByteArray expectedXfdf(const char *name) const
    {
        return expectedFile(QString::fromLatin1(name)).replace("@FRM@", frm().toUtf8());
    }
    static TMyReportParam request(const char *kod, int codeEmp)
    {
        TMyReportParam p;
        p.Kod_zostavy = QString::fromLatin1(kod);
        p.Obdobie = 200701;
        p.Zamestnanec_od = p.Zamestnanec_do = codeEmp;
        p.Priznak_suboru = true;
        p.Den = QDate(2007, 1, 31);
        p.Den_textom = QStringLiteral("31.1.2007");
        return p;
    }
    void writeXfdf(int codeEmp, const QString &out)
    {
        scripted.answerNo(Msg(65126, out));
        ParForm::Spusti_zostavu_podla_nazvu(request("ELDP_PDF", codeEmp));
        EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty()) << scripted.messages().join('\n').toStdString();
    }
};

} // namespace

TEST(PensionRecordDays, CountedInsuredDaysOfAYear)
{
    const QDate none;
    const struct {
        const char *what;
        int rok;
        QDate nastup, vystup;
        int obdobie;
        int dni;
    } cases[] = {
        {"entered 15 March, period June of that year", 2007, {2007, 3, 15}, none, 200706, 108},
        {"entered 15 March, left 10 May, period June", 2007, {2007, 3, 15}, {2007, 5, 10}, 200706, 57},
        {"left during the year, period of a later year", 2006, {1998, 4, 1}, {2006, 5, 10}, 200712, 130},
        {"another year counts to 31 December", 2005, {1998, 4, 1}, none, 200706, 365},
        {"entered in another year, period in the year", 2007, {1998, 4, 1}, none, 200703, 90},
        {"leap February", 2008, none, none, 200802, 60},
        {"the period's month ends before the entry", 2007, {2007, 8, 20}, none, 200706, 1},
        {"left before he entered", 2007, {2007, 8, 20}, {2007, 8, 1}, 200712, 1},
        {"the zero date is no date", 2007, {1899, 12, 30}, {1899, 12, 30}, 200712, 365},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RexELDZ1::CALC_dni(c.rok, c.nastup, c.vystup, c.obdobie), c.dni) << c.what;
}

TEST(PensionRecordDays, FieldNamesOfLaterLinesAreSuffixed)
{
    EXPECT_EQ(RexELDZ1::Nazov_pola("b12c96nfvz_poist", 1), "b12c96nfvz_poist");
    EXPECT_EQ(RexELDZ1::Nazov_pola("b12c96nfvz_poist", 2), "b12c96nfvz_poist_2");
    EXPECT_EQ(RexELDZ1::Nazov_pola("b12c96nfvz_poist", 12), "b12c96nfvz_poist_12");
}

TEST_F(PensionRecord, FormDataOfThreeRecordLinesByteForByte)
{
    session.execute("update \":tarix_data:inf\" set nazov='DEMO STAV & syn, s.r.o.'");
    session.execute("update \":tarix_data:zam\" set tp_street='Hlavná 1234/5', prev_name='Veselý' where code_emp=1");
    // Written out of order: the file lists them by their start.
    insertLine(1, "2006-01-01", "2006-12-31", 320000.6, 12, 15000);
    insertLine(1, "2005-01-01", "2005-12-31", 300000.4, QVariant(), QVariant());
    insertLine(1, "2007-01-01", "2007-06-30", 170000, 0, 0);
    insertLine(2, "2007-01-01", "2007-06-30", 99999, 9, 9);
    placeTemplate();
    const QString out = MyConsts::outputFolder() + QStringLiteral("ELDP_6803145129_Hudák_Ján.xfdf");
    writeXfdf(1, out);
    EXPECT_EQ(readFile(out), expectedXfdf("eldp_three_lines.xfdf"));
}

TEST_F(PensionRecord, FormDataWithoutRecordLinesHoldsTheFixedFields)
{
    session.execute("update \":tarix_data:inf\" set nazov='DEMO STAV & syn, s.r.o.'");
    session.execute("update \":tarix_data:zam\" set vystup='1899-12-30' where code_emp=2");
    insertLine(1, "2007-01-01", "2007-06-30", 170000, 0, 0);
    placeTemplate();
    const QString out = MyConsts::outputFolder() + QStringLiteral("ELDP_7559302311_Šťastná_Mária.xfdf");
    writeXfdf(2, out);
    EXPECT_EQ(readFile(out), expectedXfdf("eldp_no_lines.xfdf"));
}

TEST_F(PensionRecord, AFileNameKeepsNoPathSeparatorOfTheNames)
{
    session.execute("update \":tarix_data:zam\" set surname='Nový/Starý', name='..\\Ján', born_numb='680314/5129' "
                    "where code_emp=1");
    placeTemplate();
    const QString out = MyConsts::outputFolder() + QStringLiteral("ELDP_6803145129_Nový_Starý_.._Ján.xfdf");
    writeXfdf(1, out);
    EXPECT_TRUE(QFile::exists(out));
    EXPECT_EQ(QDir(MyConsts::outputFolder()).entryList(QDir::Files), QStringList{QFileInfo(out).fileName()});
}

TEST_F(PensionRecord, AMissingFormWritesNothing)
{
    ParForm::Spusti_zostavu_podla_nazvu(request("ELDP_PDF", 1));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error),
              QStringList{reportErrorText(Msg(65129, RexELDZ1::pdfTemplate()))});
    EXPECT_TRUE(QDir(MyConsts::outputFolder()).entryList(QDir::Files).isEmpty());
}

TEST_F(PensionRecord, PrintedYearsOfEachEmployeeUpToThePeriod)
{
    // Employee 10 entered on 15 January 2007; employee 1 has worked since 1998.
    insertVyp(1, 200611, {{"N_brutto", 30000}, {"N_zaklad_dp", 30000}, {"V_den", 21}});
    insertVyp(1, 200612, {{"N_brutto", 32000}, {"N_odstupne", 2000}, {"N_zaklad_dp", 31000}, {"V_den", 19}});
    insertVyp(1, 200701, {{"N_brutto", 32000}, {"N_zaklad_dp", 32000}, {"V_den", 22}});
    insertVyp(1, 200702, {{"N_brutto", 99999}, {"N_zaklad_dp", 99999}, {"V_den", 20}}); // after the period
    insertVyp(10, 200701, {{"N_brutto", 12000}, {"N_zaklad_dp", 12000}, {"V_den", 13}});
    const rpt::PreparedReport &r = run("ELDZ1", 200701, [](TMyReportParam &p) {
        p.Text_obdobia = QStringLiteral("JANUÁR 2007");
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
    });
    ASSERT_GE(r.pageCount(), 1);
    EXPECT_EQ(textOf(r.pages[0], "QRL_nadpis"), "Údaje k evid.listu na dôch.zab.ku koncu mesiaca JANUÁR 2007");
    EXPECT_TRUE(textsOf(r, "QRDB_CALC_MPT").contains("Ján Hudák Ing.")) << textsOf(r, "QRDB_CALC_MPT").join('|').toStdString();
    // Employee 1: 2006 and 2007 (severance pay left out of the income); employee 10: 2007
    // from his entry. Employees without payroll records print no year.
    QStringList roky = textsOf(r, "QRDB_v_rok"), brutto = textsOf(r, "QRDB_n_brutto"), dni = textsOf(r, "QRDB_CALC_dni"),
                odprac = textsOf(r, "QRDB_v_den"), zaklad = textsOf(r, "QRDB_n_zaklad_dp");
    EXPECT_EQ(roky, (QStringList{"2006", "2007", "2007"}));
    EXPECT_EQ(brutto, (QStringList{"60000", "32000", "12000"}));
    EXPECT_EQ(zaklad, (QStringList{"61000", "32000", "12000"}));
    EXPECT_EQ(odprac, (QStringList{"40", "22", "13"}));
    EXPECT_EQ(dni, (QStringList{"365", "31", "17"}));
    expectFits(r, 210, 297);
    fixtures::expectWrittenAsPdf(r, QStringLiteral("eldz1"));
}
