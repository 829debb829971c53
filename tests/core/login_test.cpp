// The program password and the login dialog.
#include "core/dm_main.h"
#include "core/forms/form_heslo.h"
#include "core/helpers/messages.h"
#include "core/installation.h"
#include "core/login.h"
#include "firm_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

using namespace tarix;

namespace {

class Login : public test::ScriptedTest<> {
protected:
    void SetUp() override
    {
        core::createFolderDatabase(dir.path() + "/PRIVATE", core::FolderKind::Private,
                                   core::privateSeedResources());
        session.setAlias("TARIX_PRIV", dir.path() + "/PRIVATE");
        db::Session::setDefaultSession(&session);
        dm = std::make_unique<core::TDM>();
    }
    void TearDown() override
    {
        dm.reset();
        session.closeAll();
        db::Session::setDefaultSession(nullptr);
        test::ScriptedTest<>::TearDown();
    }
    void store(const QVariant &password)
    {
        session.execute("update \":tarix_priv:sys\" set admin=:p1", {{"p1", password}});
        dm->TSYS_.close();
    }
    QVariant stored() { return session.run("select admin from \":tarix_priv:sys\"").value(0, 0); }

    QTemporaryDir dir;
    db::Session session;
    std::unique_ptr<core::TDM> dm;
};

template <class T>
T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

} // namespace

TEST_F(Login, PasswordIsComparedExactlyAndTheSupportPasswordInAnyCase)
{
    struct Case {
        QVariant stored;
        const char *entered;
        bool valid;
    } cases[] = {
        {"Tajne1", "Tajne1", true},
        {"Tajne1", "tajne1", false},
        {"Tajne1", "", false},
        {"Tajne1", "owner_vrt63", true},
        {"Tajne1", "OWNER_VRT63", true},
        {QVariant(), "", true}, // a blank password accepts the empty entry
        {QVariant(), "x", false},
    };
    for (const auto &c : cases) {
        store(c.stored);
        EXPECT_EQ(core::Heslo_plati(*dm, QString::fromUtf8(c.entered)), c.valid)
            << c.stored.toString().toStdString() << " / " << c.entered;
    }
}

TEST_F(Login, ThreeWrongEntriesEndTheLogin)
{
    store("abc");
    core::Login login(*dm);
    using R = core::Login::Vysledok;
    EXPECT_EQ(login.checkPassword("x"), R::Odmietnuty);
    EXPECT_EQ(login.checkPassword("y"), R::Odmietnuty);
    EXPECT_EQ(login.checkPassword("abc"), R::Prihlaseny); // two wrong, then the right one
    EXPECT_TRUE(login.loggedIn());

    core::Login other(*dm);
    EXPECT_EQ(other.checkPassword("1"), R::Odmietnuty);
    EXPECT_EQ(other.checkPassword("2"), R::Odmietnuty);
    EXPECT_EQ(other.checkPassword("3"), R::Koniec);
    EXPECT_FALSE(other.loggedIn());
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList(5, Msg(65190)));
}

TEST_F(Login, NewPasswordIsStoredOnlyWhenConfirmed)
{
    core::Login login(*dm);
    ASSERT_EQ(login.checkPassword(""), core::Login::Vysledok::Prihlaseny);
    EXPECT_FALSE(login.changePassword("nove", "novE"));
    EXPECT_EQ(stored(), QVariant());
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65189)});
    EXPECT_TRUE(login.changePassword("nove", "nove"));
    EXPECT_EQ(stored().toString(), "nove");
    EXPECT_EQ(scripted.messages().last(), Msg(65191));
    EXPECT_TRUE(core::Heslo_plati(*dm, "nove"));
    EXPECT_FALSE(core::Heslo_plati(*dm, ""));

    // A workstation whose password row is missing gets one.
    session.execute("delete from \":tarix_priv:sys\"");
    dm->TSYS_.close();
    core::Zmen_heslo(*dm, "iné");
    EXPECT_EQ(stored().toString(), "iné");
}

TEST_F(Login, DialogLogsInAndChangesThePassword)
{
    store("abc");
    core::TFormHeslo form(*dm);
    EXPECT_EQ(form.windowTitle(), " Prihlásenie do programu ");
    EXPECT_EQ(child<QLineEdit>(form, "Password")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(child<QLineEdit>(form, "Password")->maxLength(), 20);

    child<QLineEdit>(form, "Password")->setText("abc");
    child<QCheckBox>(form, "CB_ZMENA")->setChecked(true);
    child<QPushButton>(form, "OKBtn")->click();
    EXPECT_TRUE(form.loggedIn());
    ASSERT_TRUE(form.onChangePage());
    EXPECT_EQ(form.result(), 0); // still open

    child<QLineEdit>(form, "Password1")->setText("nove");
    child<QLineEdit>(form, "Password2")->setText("iné");
    child<QPushButton>(form, "Ok2")->click();
    EXPECT_TRUE(form.onChangePage()); // the page stays for another try
    EXPECT_EQ(stored().toString(), "abc");

    child<QLineEdit>(form, "Password2")->setText("nove");
    child<QPushButton>(form, "Ok2")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(stored().toString(), "nove");
    EXPECT_EQ(scripted.messages(), (QStringList{Msg(65189), Msg(65191)}));
}

TEST_F(Login, DialogClosesAfterTheThirdWrongEntryWithoutALogin)
{
    store("abc");
    bool loggedIn = true;
    firmtest::whileDialogs([&] { loggedIn = core::runLogin(*dm, nullptr); },
                           [](QWidget *w) {
                               auto *edit = w->findChild<QLineEdit *>("Password");
                               auto *ok = w->findChild<QPushButton *>("OKBtn");
                               for (const char *entry : {"a", "b", "c"}) {
                                   edit->setText(entry);
                                   ok->click();
                               }
                           });
    EXPECT_FALSE(loggedIn);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error).size(), 3);
}

TEST_F(Login, AbandonedChangeKeepsTheLogin)
{
    bool loggedIn = false;
    firmtest::whileDialogs([&] { loggedIn = core::runLogin(*dm, nullptr); },
                           [](QWidget *w) {
                               w->findChild<QCheckBox *>("CB_ZMENA")->setChecked(true);
                               w->findChild<QPushButton *>("OKBtn")->click();
                               w->findChild<QPushButton *>("Storno2")->click();
                           });
    EXPECT_TRUE(loggedIn);
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65192)});
    EXPECT_EQ(stored(), QVariant());
}
