// The "Pomoc" menu of a freshly installed program, as a new user meets it: every item either
// opens its window or document, or is disabled and says why; the main window shows no link
// to a web page the product does not have; the about box shows its picture.
#include "core/forms/form_about.h"
#include "core/forms/form_main.h"
#include "core/forms/form_menu_pomoc.h"
#include "core/forms/startup.h"
#include "core/helpers/app_paths.h"
#include "firm_fixture.h"
#include "platform/shell/launcher.h"
#include "support/widgets/modal_dialogs.h"
#include "support/widgets/program_start.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

using namespace tarix;

namespace {

struct Started {
    QString program;
    QStringList arguments;
};

class HelpMenuNewUser : public test::ProgramStartTest<> {
protected:
    void SetUp() override
    {
        ProgramStartTest::SetUp();
        dir.install();
        // The build puts the change list beside the program (tools/mkinst).
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARIX_SOURCE_DIR "/tools/mkinst/") + core::kChangeListFile,
                                QDir(dir.path()).filePath(core::kChangeListFile)));
        ShellUtils::setStartHook([this](const QString &program, const QStringList &arguments, const QString &) {
            started.push_back({program, arguments});
            return true;
        });
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        main = test::startWithLogin(dir.path(), hooks);
        ASSERT_NE(main, nullptr);
        pomoc = main->menuBar()->findChild<QMenu *>(QStringLiteral("Pomoc"));
        ASSERT_NE(pomoc, nullptr);
    }
    void TearDown() override
    {
        ShellUtils::setStartHook({});
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != main && w->isVisible())
                w->close();
        core::dropOpenFirm();
        core::endProgram();
        core::destroyDM();
        core::DMA().Registruj_tabulky();
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        test::ProgramStartTest<>::TearDown();
    }

    QAction *item(const char *name) { return pomoc->findChild<QAction *>(QString::fromLatin1(name)); }

    test::Installation dir;
    core::TFormMain *main = nullptr;
    QMenu *pomoc = nullptr;
    std::vector<Started> started;
};

// Windows other than the main one shown now.
QSet<QWidget *> shownWindows()
{
    QSet<QWidget *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            out.insert(w);
    return out;
}

} // namespace

TEST_F(HelpMenuNewUser, EveryItemOpensSomethingOrIsDisabledWithItsReason)
{
    scripted.cancelFile();   // "Výber súboru": its dialog comes up, the clerk cancels
    int items = 0;
    for (QAction *a : pomoc->actions()) {
        if (a->isSeparator())
            continue;
        ++items;
        const std::string name = a->objectName().toStdString();
        if (!a->isEnabled()) {
            EXPECT_FALSE(a->toolTip().isEmpty() || a->toolTip() == a->text().remove('&')) << name;
            continue;
        }
        const size_t startedBefore = started.size();
        const qsizetype messagesBefore = scripted.messages().size();
        const size_t fileDialogsBefore = scripted.events(ui::ScriptedUserInterface::EventKind::OpenFile).size();
        const QSet<QWidget *> before = shownWindows();
        bool modalSeen = false;
        test::whileDialogs([&] { a->trigger(); },
                           [&](QWidget *w) {
                               modalSeen = true;
                               w->close();
                           });
        const bool windowShown = !(shownWindows() - before).isEmpty();
        const bool fileAsked =
            scripted.events(ui::ScriptedUserInterface::EventKind::OpenFile).size() > fileDialogsBefore;
        EXPECT_TRUE(modalSeen || windowShown || fileAsked || started.size() > startedBefore)
            << name << " did nothing";
        EXPECT_EQ(scripted.messages().size(), messagesBefore)
            << name << ": " << scripted.messages().join('\n').toStdString();
    }
    EXPECT_EQ(items, 8);

    // What stands where on this system.
    EXPECT_TRUE(item("PopisZmien")->isEnabled());
    EXPECT_FALSE(item("OdbcManazer")->isEnabled());
    EXPECT_FALSE(item("XmlEditor")->isEnabled());
    EXPECT_FALSE(item("Internet")->isEnabled());
    EXPECT_TRUE(pomoc->toolTipsVisible());
    // The change list went to the desktop's opener, the file itself.
    ASSERT_EQ(started.size(), 1u);
    EXPECT_TRUE(started[0].arguments.contains(QDir(dir.path()).filePath(core::kChangeListFile)))
        << started[0].arguments.join(' ').toStdString();
}

TEST_F(HelpMenuNewUser, AnXmlEditorInTheProgramFolderEnablesItsItem)
{
    const QString editor = QDir(dir.path()).filePath(core::kXmlEditorFile);
    QFile f(editor);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    QMenuBar bar;
    QMenu *menu = core::formMenuHelp().Pridaj_menu_pomoc(main, &bar);
    QAction *xml = menu->findChild<QAction *>(QStringLiteral("XmlEditor"));
    ASSERT_TRUE(xml->isEnabled());
    xml->trigger();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, editor);
}

TEST_F(HelpMenuNewUser, AMissingChangeListIsReportedNotSwallowed)
{
    QFile::remove(QDir(dir.path()).filePath(core::kChangeListFile));
    item("PopisZmien")->trigger();
    EXPECT_TRUE(started.empty());
    const QStringList warnings = scripted.messages(ui::MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(core::kChangeListFile)) << warnings[0].toStdString();
}

TEST_F(HelpMenuNewUser, NoLinkToAWebPageTheProductHasNot)
{
    for (QLabel *label : main->findChildren<QLabel *>()) {
        EXPECT_FALSE(label->text().contains("http", Qt::CaseInsensitive)) << label->text().toStdString();
        EXPECT_FALSE(label->text().contains(".example", Qt::CaseInsensitive)) << label->text().toStdString();
    }
}

TEST_F(HelpMenuNewUser, TheAboutBoxShowsItsPicture)
{
    QImage shown;
    test::whileDialogs([&] { item("OPrograme")->trigger(); },
                       [&](QWidget *w) {
                           if (auto *about = qobject_cast<core::TFormAbout *>(w))
                               shown = about->pictureLabel()->pixmap().toImage();
                           w->close();
                       });
    ASSERT_FALSE(shown.isNull());
    EXPECT_GE(shown.width(), 200);
    // A picture, not a blank rectangle: many colours in it.
    QSet<QRgb> colours;
    for (int y = 0; y < shown.height(); y += 2)
        for (int x = 0; x < shown.width(); x += 2)
            colours.insert(shown.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
}
