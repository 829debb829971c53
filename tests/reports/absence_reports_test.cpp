// The absence records: EN lists every absence that overlaps the month, ML2 the year's
// absences of the registration list per employee, DOV the holiday left at the month's end.
#include "sheets_fixture.h"

#include "reports/sheets/sheet_report.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::SheetsFirm;

namespace {

class AbsenceReports : public SheetsFirm {
protected:
    void SetUp() override
    {
        SheetsFirm::SetUp();
        openYear(2007);
    }
};

struct Prekryv {
    const char *pripad;
    QDate od;
    QDate po;
    bool naFebruari;
    const char *kalDni;
};

const Prekryv kPrekryvy[] = {
    {"inside the month", {2007, 2, 5}, {2007, 2, 16}, true, "12"},
    {"starting before", {2007, 1, 20}, {2007, 2, 3}, true, "15"},
    {"ending after", {2007, 2, 25}, {2007, 3, 10}, true, "14"},
    {"spanning it", {2007, 1, 20}, {2007, 3, 10}, true, "50"},
    {"first and last day", {2007, 2, 1}, {2007, 2, 28}, true, "28"},
    {"ending the day before", {2007, 1, 10}, {2007, 1, 31}, false, nullptr},
    {"starting the day after", {2007, 3, 1}, {2007, 3, 2}, false, nullptr},
};

} // namespace

TEST_F(AbsenceReports, EnListsEveryAbsenceThatOverlapsTheMonthByItsStart)
{
    for (const Prekryv &p : kPrekryvy)
        insertNep(1, p.od, p.po, p.pripad);
    const rpt::PreparedReport &r = run("EN", 200702);
    const QStringList dovody = textsOf(r, "QRDB_Dovod");
    const QStringList dni = textsOf(r, "QRDB_Calc_kal_dni");
    for (const Prekryv &p : kPrekryvy) {
        SCOPED_TRACE(p.pripad);
        const qsizetype i = dovody.indexOf(p.pripad);
        EXPECT_EQ(i >= 0, p.naFebruari);
        if (i >= 0) {
            EXPECT_EQ(dni.value(i), p.kalDni);
        }
    }
    // In order of their start.
    EXPECT_EQ(dovody.first(), "starting before");
    EXPECT_EQ(dovody.last(), "ending after");
    const rpt::PreparedPage &page = r.pages.at(0);
    EXPECT_EQ(textOf(page, "QRL_nadpis"), "EVIDENCIA NEPRÍTOMNOSTI ZA FEBRUÁR 2007");
    EXPECT_EQ(textOf(page, "QRDB_CALC_FIRMA"), "FIRMA:  Demo s.r.o.");
    EXPECT_EQ(textOf(page, "QRDB_CALC_PMT"), "Ing. Hudák Ján");
    expectFits(r, 297, 210);
}

TEST_F(AbsenceReports, CalendarDaysNeedBothDates)
{
    using sheets::sheetCalendarDays;
    EXPECT_EQ(sheetCalendarDays({2007, 2, 5}, {2007, 2, 5}), 1);
    EXPECT_EQ(sheetCalendarDays({2006, 12, 20}, {2007, 1, 10}), 22);
    EXPECT_EQ(sheetCalendarDays({2008, 2, 1}, {2008, 3, 1}), 30);
    EXPECT_EQ(sheetCalendarDays({2007, 2, 5}, {}), 0);
    EXPECT_EQ(sheetCalendarDays({}, {2007, 2, 5}), 0);
}

TEST_F(AbsenceReports, Ml2KeepsTheRegistrationListsAbsencesOfTheYear)
{
    insertNep(1, {2006, 12, 20}, {2007, 1, 10}, "cez Nový rok");
    insertNep(1, {2007, 3, 1}, {2007, 3, 5}, "prerušenie 6", 1, 6, "PE");
    insertNep(1, {2007, 4, 1}, {2007, 4, 5}, "prerušenie 4", 1, 4, "PE");
    insertNep(1, {2007, 5, 1}, {2007, 5, 2}, "iný zoznam", 2);
    insertNep(1, {2006, 6, 1}, {2006, 6, 2}, "minulý rok");
    insertNep(3, {2007, 7, 1}, {2007, 7, 3}, "druhý zamestnanec");

    const rpt::PreparedReport &r = run("ML2", 200701, [](TMyReportParam &p) { p.Zamestnanec_do = 3; });
    // Employees 1 to 3, each on a page of his own.
    ASSERT_EQ(r.pageCount(), 3);
    EXPECT_EQ(textOf(r.pages[0], "QRDB_CALC_MPT"), "Ján Hudák Ing.");
    EXPECT_EQ(textOf(r.pages[0], "QRL_ROK"), "2007");
    EXPECT_EQ(textsOf(r, "QRDB_Dovod"), (QStringList{"cez Nový rok", "prerušenie 6", "druhý zamestnanec"}));
    EXPECT_EQ(textsOf(r, "QRDB_Calc_Kal_Dni"), (QStringList{"22", "5", "3"}));
    // The interruption's text for "PE", else the absence kind's.
    EXPECT_EQ(textsOf(r, "QRDB_Calc_prerus").mid(0, 2),
              (QStringList{"PN", "zamestnanec čerpá rodičovskú dovolenku"}));
    EXPECT_TRUE(allTexts(r).contains("Rok:"));
    EXPECT_EQ(textsOf(r, "QRE_spolu"), (QStringList{"27", "3"}));
    expectFits(r, 210, 297);
}

TEST_F(AbsenceReports, DovLeavesNothingBelowZeroAndCountsNothingWithoutPayrolls)
{
    session.execute("update \":tarix_data:zam\" set vystup=NULL, holiday=0, holiday_old=0");
    session.execute("update \":tarix_data:zam\" set holiday=20, holiday_old=5 where code_emp in (1, 2, 3)");
    session.execute("update \":tarix_data:zam\" set holiday=20, holiday_old=0, vystup='2007-01-31' where code_emp=4");
    insertVyp(1, 200701, {{"V_holiday", 3}});
    insertVyp(1, 200702, {{"V_holiday", 1.5}});
    insertVyp(1, 200604, {{"V_holiday", 9}});   // last year's does not count
    insertVyp(2, 200702, {{"V_holiday", 27}});  // more than the entitlement

    const rpt::PreparedReport &r = run("DOV", 200702, [](TMyReportParam &p) {
        p.Text_obdobia = "FEBRUÁR 2007";
        p.Podla_priezviska = false;
    });
    EXPECT_EQ(textsOf(r, "QRDB_code_numb"), (QStringList{"101", "102", "103"}));
    EXPECT_EQ(textsOf(r, "QRDB_CALC_V_HOLIDAY"), (QStringList{"4,5", "27,0", "0,0"}));
    EXPECT_EQ(textsOf(r, "QRDB_CALC_ESTE_MINULA"), (QStringList{"0,5", "0,0", "5,0"}));
    EXPECT_EQ(textsOf(r, "QRDB_CALC_ESTE_SPOLU"), (QStringList{"20,5", "0,0", "25,0"}));
    EXPECT_EQ(textsOf(r, "QRSD_cislo"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(textOf(r.pages.at(0), "QRL_nadpis"), "PREHĽAD DOVOLENIEK KU KONCU MESIACA FEBRUÁR 2007");
    expectFits(r, 210, 297);

    // By name: Čierny, Hudák, Šťastná.
    const rpt::PreparedReport &podlaMena = run("DOV", 200702);
    EXPECT_EQ(textsOf(podlaMena, "QRDB_code_numb"), (QStringList{"103", "101", "102"}));
}

// DOV holds everyone employed on some day of the month: Žiak (106) leaves on 30.4.2007
// with his holiday still to settle; in May he is gone. April 2007 has no payrolls.
TEST_F(AbsenceReports, DovHoldsWhoLeavesAtTheEndOfTheMonth)
{
    const auto kody = [&](int obdobie) {
        return textsOf(run("DOV", obdobie, [](TMyReportParam &p) { p.Podla_priezviska = false; }), "QRDB_code_numb");
    };
    for (int obdobie : {200703, 200704})
        EXPECT_TRUE(kody(obdobie).contains("106")) << obdobie;
    const QStringList maj = kody(200705);
    EXPECT_FALSE(maj.contains("106"));
    EXPECT_TRUE(maj.contains("101"));
}
