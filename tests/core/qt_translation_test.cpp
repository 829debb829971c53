// Qt's own texts speak Slovak once the program has started, the program's own stay as they are.
#include "core/forms/form_main.h"
#include "core/forms/startup.h"
#include "firm_fixture.h"
#include "platform/ui/qt/qt_translation.h"
#include "support/widgets/program_start.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

using namespace tarix;

namespace {

class QtTranslation : public test::ProgramStartTest<> {
protected:
    void TearDown() override
    {
        core::dropOpenFirm();
        core::endProgram();
        core::destroyDM();
        core::DMA().Registruj_tabulky();
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        test::ProgramStartTest<>::TearDown();
    }
    test::Installation dir;
};

QString standardText(QDialogButtonBox::StandardButton which)
{
    QDialogButtonBox box(which);
    return box.button(which)->text();
}

} // namespace

TEST_F(QtTranslation, StandardButtonsAreSlovakAfterStartUp)
{
    dir.install();
    core::StartupHooks hooks;
    hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
    core::TFormMain *main = test::startWithLogin(dir.path(), hooks);
    ASSERT_NE(main, nullptr);

    EXPECT_EQ(standardText(QDialogButtonBox::Cancel), u"Zrušiť");
    EXPECT_EQ(standardText(QDialogButtonBox::Open), u"Otvoriť");
    EXPECT_EQ(standardText(QDialogButtonBox::Save), u"Uložiť");
    // Our own texts are not in Qt's catalogue and stay as written.
    EXPECT_EQ(QCoreApplication::translate("tarix", "Výber firmy"), u"Výber firmy");
}

TEST_F(QtTranslation, InstalledOnceHowEverOftenAsked)
{
    QTranslator *first = ui::installQtTranslation(*QCoreApplication::instance());
    ASSERT_NE(first, nullptr) << "Qt's Slovak translation (qt6-translations-l10n) is not installed";
    EXPECT_EQ(ui::installQtTranslation(*QCoreApplication::instance()), first);
    EXPECT_EQ(QCoreApplication::instance()->findChildren<QTranslator *>().size(), 1);
}
