// The report engine's adapter over datasets: the cursor convention the engine relies on,
// display texts by the fields' formats, sub-detail queries re-run for every master row and
// group footers that see their group's last row.
#include "payslip_fixture.h"

#include "platform/db/query.h"
#include "platform/report/layout.h"
#include "platform/report/prepared.h"
#include "reports/dataset_source.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::PayslipFirm;

namespace {

class DataSetSourceTest : public PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        zam.setDatabaseName("TARIX_DATA");
        zam.setSql("select code_emp, surname, mv_plat from zam where code_emp <= 3 order by code_emp");
    }

    static QStringList texts(const rpt::PreparedReport &r, const QString &name)
    {
        QStringList out;
        for (const rpt::PreparedPage &p : r.pages)
            for (const rpt::PreparedItem *t : p.itemsNamed(name))
                if (t->type == rpt::PreparedItem::Text)
                    out << t->text();
        return out;
    }

    db::Query zam;
};

} // namespace

TEST_F(DataSetSourceTest, CursorKeepsTheLastRowCurrentAtTheEnd)
{
    zam.open();
    DataSetSource s(&zam);
    EXPECT_FALSE(s.isEmpty());
    EXPECT_EQ(s.recordCount(), 3);
    s.first();
    QStringList seen;
    while (!s.eof()) {
        seen << s.value("SURNAME").toString();
        s.next();
    }
    EXPECT_EQ(seen, QStringList({"Hudák", "Šťastná", "Čierny"}));
    // Footers and summaries read the last row after the loop.
    EXPECT_EQ(s.value("code_emp").toInt(), 3);
    s.next();
    EXPECT_TRUE(s.eof());
    EXPECT_EQ(s.value("code_emp").toInt(), 3);
    s.first();
    EXPECT_FALSE(s.eof());
    EXPECT_EQ(s.value("code_emp").toInt(), 1);
}

TEST_F(DataSetSourceTest, ClosedOrEmptyDataSetReadsAsNoRows)
{
    DataSetSource none;
    none.first();
    EXPECT_TRUE(none.eof());
    EXPECT_TRUE(none.isEmpty());
    EXPECT_FALSE(none.hasField("code_emp"));

    DataSetSource closed(&zam);
    closed.first();
    closed.next();
    EXPECT_TRUE(closed.eof());
    EXPECT_TRUE(closed.isEmpty());
    EXPECT_FALSE(closed.value("code_emp").isValid());
    EXPECT_EQ(closed.displayText("code_emp"), QString());
    EXPECT_EQ(closed.recordCount(), 0);

    zam.setSql("select code_emp from zam where code_emp < 0");
    zam.open();
    DataSetSource empty(&zam);
    empty.first();
    EXPECT_TRUE(empty.eof());
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty.hasField("CODE_EMP"));
    EXPECT_FALSE(empty.value("code_emp").isValid());
}

TEST_F(DataSetSourceTest, DisplayTextFollowsTheFieldsFormatAndTextEvent)
{
    zam.addCalculatedField("CALC_DVOJNASOBOK", db::FieldType::Money, 0);
    zam.onCalcFields = [](db::DataSet &ds) {
        ds.setValue("CALC_DVOJNASOBOK", ds.fieldByName("mv_plat").asFloat() * 2);
    };
    zam.open();
    DataSetSource s(&zam);
    s.first();
    EXPECT_EQ(s.displayText("mv_plat"), "32000,00");   // money by default
    zam.fieldByName("mv_plat").setDisplayFormat("0.0");
    EXPECT_EQ(s.displayText("MV_PLAT"), "32000,0");
    EXPECT_TRUE(s.hasField("calc_dvojnasobok"));
    EXPECT_EQ(s.displayText("CALC_DVOJNASOBOK"), "64000,00");
    zam.fieldByName("surname").onGetText = [](db::Field &f, QString &text, bool) { text = f.asString().toUpper(); };
    EXPECT_EQ(s.displayText("surname"), "HUDÁK");
    EXPECT_FALSE(s.hasField("nie_je"));
}

TEST_F(DataSetSourceTest, SubDetailQueryRunsForEveryMasterRowWithItsValues)
{
    insertVyp(1, 200701, {{"N_brutto", 100}});
    insertVyp(1, 200702, {{"N_brutto", 110}});
    insertVyp(3, 200701, {{"N_brutto", 300}});
    db::Query vyp;
    vyp.setDatabaseName("TARIX_DATA");
    vyp.setSql("select v_obdobie, n_brutto from vyp where code_emp = :code_emp order by v_obdobie");

    rpt::ReportForm form;
    DataSetSource master(&zam);
    DataSetSource detail(&vyp, &zam);
    form.mainDataSource = &master;
    rpt::Band *data = form.addBand(rpt::BandKind::Detail, 6, "Detail");
    data->addDBText(0, 0, 40, 5, &master, "surname", {}, "Meno");
    rpt::Band *sub = form.addSubDetail(data, &detail, 6, "Mzdy");
    sub->addDBText(0, 0, 40, 5, &detail, "n_brutto", {}, "Brutto");
    rpt::Band *footer = form.addSubDetailFooter(sub, 6, "Spolu");
    rpt::ReportExpr *sum = footer->addExpr(0, 0, 40, 5, "SUM(n_brutto)", "0.00", "Suma");
    sum->master = sub;
    sum->resetAfterPrint = true;

    zam.open();
    const rpt::PreparedReport r = form.prepare();
    EXPECT_EQ(texts(r, "Meno"), QStringList({"Hudák", "Šťastná", "Čierny"}));
    EXPECT_EQ(texts(r, "Brutto"), QStringList({"100,00", "110,00", "300,00"}));
    // Šťastná has no payroll row: her sub-detail prints nothing.
    EXPECT_EQ(texts(r, "Suma"), QStringList({"210,00", "300,00"}));
}

TEST_F(DataSetSourceTest, GroupFootersSeeTheLastRowOfTheirGroup)
{
    insertVyp(1, 200701, {{"N_brutto", 100}});
    insertVyp(1, 200702, {{"N_brutto", 110}});
    insertVyp(3, 200703, {{"N_brutto", 300}});
    insertVyp(3, 200705, {{"N_brutto", 305}});
    db::Query vyp;
    vyp.setDatabaseName("TARIX_DATA");
    vyp.setSql("select code_emp, v_obdobie, n_brutto from vyp order by code_emp, v_obdobie");
    vyp.open();

    rpt::ReportForm form;
    DataSetSource s(&vyp);
    form.mainDataSource = &s;
    form.addBand(rpt::BandKind::Detail, 6, "Detail")->addDBText(0, 0, 40, 5, &s, "n_brutto", {}, "Brutto");
    rpt::Band *group = form.addGroup("code_emp", 6, 6, "Skupina");
    group->footer->addDBText(0, 0, 40, 5, &s, "v_obdobie", {}, "Posledne");

    const rpt::PreparedReport r = form.prepare();
    EXPECT_EQ(texts(r, "Brutto"), QStringList({"100,00", "110,00", "300,00", "305,00"}));
    EXPECT_EQ(texts(r, "Posledne"), QStringList({"200702", "200705"}));
}
