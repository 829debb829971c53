// The record navigator: buttons enabled by the dataset's state, presses calling the dataset
// (also from menus), refusals reported, delete asked first.
#include "dbctrl_fixture.h"

#include "platform/db/query.h"
#include "platform/dbctrl/db_navigator.h"
#include "platform/errors.h"

#include <QToolButton>

using namespace tarix;
using namespace tarix::dbctrl;
using namespace tarix::dbctrl::testing;

namespace {

using NB = NavigateButton;

// The enabled buttons as a string in the button order: F P N L I D E S C R ('.' disabled).
QString enabledButtons(const DBNavigator &nav)
{
    const char letters[] = "FPNLIDESCR";
    QString s;
    for (int i = 0; i < 10; ++i)
        s += nav.isButtonEnabled(NB(i)) ? QChar::fromLatin1(letters[i]) : QChar(u'.');
    return s;
}

class DbctrlNavigator : public CtlFixture {
protected:
    DBNavigator nav;
    void SetUp() override
    {
        zam.open();
        nav.setDataSource(&src);
    }
};

TEST_F(DbctrlNavigator, ButtonsFollowTheState)
{
    struct Step {
        const char *what;
        std::function<void(db::DataSet &)> action;
        const char *enabled;
    };
    const Step steps[] = {
        {"opened on the first row", [](db::DataSet &) {}, "..NLIDE..R"},
        {"middle row", [](db::DataSet &d) { d.next(); }, "FPNLIDE..R"},
        {"last row", [](db::DataSet &d) { d.last(); }, "FP..IDE..R"},
        {"editing", [](db::DataSet &d) { d.edit(); }, "FP..ID.SCR"},
        {"posted", [](db::DataSet &d) { d.post(); }, "FP..IDE..R"},
        {"inserting", [](db::DataSet &d) { d.insert(); }, "FPNLID.SCR"},
        {"cancelled", [](db::DataSet &d) { d.cancel(); }, "FP..IDE..R"},
        {"empty", [](db::DataSet &d) { d.setFilter("Code_emp>10"); d.setFiltered(true); }, "....I.E..R"},
        {"closed", [](db::DataSet &d) { d.close(); }, ".........."},
    };
    for (const Step &s : steps) {
        s.action(zam);
        EXPECT_EQ(enabledButtons(nav), QString::fromLatin1(s.enabled)) << s.what;
    }
}

TEST_F(DbctrlNavigator, ReadOnlyResultsAndDisabledSources)
{
    src.setEnabled(false);
    EXPECT_EQ(enabledButtons(nav), u"..........");
    src.setEnabled(true);
    EXPECT_EQ(enabledButtons(nav), u"..NLIDE..R");

    db::Query q(&inst.session());
    q.setDatabaseName(kAlias);
    q.setSql(QStringLiteral("select code_emp, surname from zam order by surname"));
    q.open();
    db::DataSource qs(&q);
    nav.setDataSource(&qs);
    EXPECT_EQ(enabledButtons(nav), u"..NL.....R");
}

TEST_F(DbctrlNavigator, PressesCallTheDataset)
{
    QList<NB> clicked;
    nav.onClick = [&](NB b) { clicked << b; };
    EXPECT_TRUE(nav.btnClick(NB::Last));
    EXPECT_EQ(zam.recordNumber(), 3);
    EXPECT_TRUE(nav.btnClick(NB::Prior));
    EXPECT_EQ(zam.recordNumber(), 2);
    nav.button(NB::First)->click(); // the button itself
    EXPECT_EQ(zam.recordNumber(), 1);
    EXPECT_TRUE(nav.btnClick(NB::Next));
    EXPECT_EQ(zam.recordNumber(), 2);

    EXPECT_TRUE(nav.btnClick(NB::Edit));
    EXPECT_EQ(zam.state(), db::DataSetState::Edit);
    zam.setValue(QStringLiteral("Surname"), QStringLiteral("Adamová"));
    EXPECT_TRUE(nav.btnClick(NB::Post));
    EXPECT_EQ(stored(2, QStringLiteral("Surname")).toString(), u"Adamová");

    EXPECT_TRUE(nav.btnClick(NB::Insert));
    EXPECT_EQ(zam.state(), db::DataSetState::Insert);
    EXPECT_TRUE(nav.btnClick(NB::Cancel));
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);

    inst.session().execute(QStringLiteral("update zam set surname='Iný' where code_emp=2"), {}, kAlias);
    EXPECT_TRUE(nav.btnClick(NB::Refresh));
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Iný");
    EXPECT_EQ(clicked, (QList<NB>{NB::Last, NB::Prior, NB::First, NB::Next, NB::Edit, NB::Post, NB::Insert,
                                  NB::Cancel, NB::Refresh}));
    EXPECT_TRUE(script.messages().isEmpty());
}

TEST_F(DbctrlNavigator, DeleteLeavesTheQuestionToTheTableUnlessAsked)
{
    // The table's own BeforeDelete question is the only one.
    zam.beforeDelete = [](db::DataSet &) {
        if (!ui::current().askYesNo(QStringLiteral("Vymazať položku ?")))
            throw EMyError(QStringLiteral("Vymazanie položky bolo zastavené"));
    };
    script.answerNo(QStringLiteral("Vymazať položku ?")).answerYes(QStringLiteral("Vymazať položku ?"));
    EXPECT_FALSE(nav.btnClick(NB::Delete));
    EXPECT_EQ(zam.recordCount(), 3);
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Vymazanie položky bolo zastavené")});
    EXPECT_TRUE(nav.btnClick(NB::Delete));
    EXPECT_EQ(zam.recordCount(), 2);
    EXPECT_FALSE(stored(1, QStringLiteral("Surname")).isValid());

    // A navigator told to confirm asks first; no stops silently.
    zam.beforeDelete = nullptr;
    nav.confirmDelete = true;
    script.answerNo(QStringLiteral("Vymazať záznam?")).answerYes(QStringLiteral("Vymazať záznam?"));
    EXPECT_FALSE(nav.btnClick(NB::Delete));
    EXPECT_EQ(zam.recordCount(), 2);
    EXPECT_TRUE(nav.btnClick(NB::Delete));
    EXPECT_EQ(zam.recordCount(), 1);
    EXPECT_EQ(errors().size(), 1);
    EXPECT_TRUE(script.failures().isEmpty());
    EXPECT_EQ(script.pendingAnswers(), 0);
}

TEST_F(DbctrlNavigator, RefusalsAreReportedAndLeaveTheState)
{
    QList<NB> clicked;
    nav.onClick = [&](NB b) { clicked << b; };
    // A screen's own check before the press.
    nav.beforeAction = [&](NB b) {
        if (b == NB::Edit && zam.recordNumber() == 3)
            throw EMyError(QStringLiteral("Neexistuje záznam pre vykonanie opravy"));
    };
    zam.last();
    EXPECT_FALSE(nav.btnClick(NB::Edit));
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Neexistuje záznam pre vykonanie opravy")});

    // A dataset event refusing silently.
    zam.beforeInsert = [](db::DataSet &) { throw EAbort(); };
    EXPECT_FALSE(nav.btnClick(NB::Insert));
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);
    EXPECT_EQ(errors().size(), 1);

    // A post refused by the dataset layer: the record stays in edit, post and cancel stay.
    zam.first();
    EXPECT_TRUE(nav.btnClick(NB::Edit));
    zam.setValue(QStringLiteral("Code_emp"), 2);
    EXPECT_FALSE(nav.btnClick(NB::Post));
    EXPECT_EQ(errors().size(), 2);
    EXPECT_EQ(errors().last(), u"Key violation.");
    EXPECT_EQ(zam.state(), db::DataSetState::Edit);
    EXPECT_TRUE(nav.isButtonEnabled(NB::Post));
    EXPECT_TRUE(nav.btnClick(NB::Cancel));
    EXPECT_EQ(clicked, (QList<NB>{NB::Edit, NB::Cancel}));
}

TEST_F(DbctrlNavigator, VisibleButtonsAndHints)
{
    nav.setVisibleButtons({NB::Edit, NB::Post, NB::Cancel});
    nav.setHints({{}, {}, {}, {}, {}, {}, QStringLiteral("Oprava záznamu"), QStringLiteral("Potrvdenie zmien"),
                  QStringLiteral("Ignorovanie zmien")});
    EXPECT_EQ(nav.visibleButtons(), (QList<NB>{NB::Edit, NB::Post, NB::Cancel}));
    EXPECT_EQ(nav.button(NB::Post)->toolTip(), u"Potrvdenie zmien");
    EXPECT_EQ(nav.button(NB::First)->toolTip(), u"");
    // A hidden button can still be pressed from a menu.
    EXPECT_TRUE(nav.btnClick(NB::Last));
    EXPECT_EQ(zam.recordNumber(), 3);
}

} // namespace
