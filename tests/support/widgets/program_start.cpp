#include "support/widgets/program_start.h"

#include "core/forms/form_main.h"
#include "platform/ui/qt/qt_translation.h"
#include "support/setup_failure.h"
#include "support/widgets/modal_dialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace tarix::test {

std::function<void(QWidget *)> loginWith(const QStringList &entries)
{
    return [entries](QWidget *w) {
        auto *edit = w->findChild<QLineEdit *>(QStringLiteral("Password"));
        auto *ok = w->findChild<QPushButton *>(QStringLiteral("OKBtn"));
        if (!edit || !ok) {
            ADD_FAILURE() << "not the login dialog: " << w->objectName().toStdString();
            return;
        }
        for (const QString &entry : entries) {
            edit->setText(entry);
            ok->click();
        }
    };
}

core::TFormMain *startWithLogin(const QString &programFolder, const core::StartupHooks &hooks,
                                const std::function<void(QWidget *)> &login)
{
    // As app/main.cpp: Qt's own texts in Slovak before the first window.
    ui::installQtTranslation(*QCoreApplication::instance());
    core::StartupOptions options;
    options.programFolder = programFolder;
    options.showWindows = false;
    core::TFormMain *main = nullptr;
    whileDialogs([&] { main = core::startProgram(options, hooks); }, login);
    return main;
}

void openFirmFromMenu(core::TFormMain &main, int year, int month, int firmIndex)
{
    QAction *firm = main.openFirmMenu()->actions().value(firmIndex);
    if (!firm || !firm->menu())
        throw SetupFailure(QStringLiteral("the firm menu has no firm at place %1").arg(firmIndex));
    QAction *yearItem = nullptr;
    for (QAction *a : firm->menu()->actions())
        if (a->text() == QString::number(year))
            yearItem = a;
    if (!yearItem)
        throw SetupFailure(QStringLiteral("the firm %1 has no year %2 in the menu").arg(firm->text()).arg(year));
    const QString monthButton = QStringLiteral("Mesiac%1").arg(month);
    whileDialogs([&] { yearItem->trigger(); },
                 [&](QWidget *w) {
                     if (auto *radio = w->findChild<QRadioButton *>(monthButton))
                         radio->setChecked(true);
                     auto *ok = w->findChild<QPushButton *>(QStringLiteral("OKBtn"));
                     if (!ok) {
                         ADD_FAILURE() << "a dialog without OK while opening the firm: "
                                       << w->objectName().toStdString();
                         return;
                     }
                     ok->click();
                 });
}

} // namespace tarix::test
