// The dialog that says which bookkeeping line to add (offscreen).
#include "core/forms/form_par_pu.h"
#include "core/helpers/messages.h"
#include "platform/ui/scripted_user_interface.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace tarix;

TEST(CodeTablesParPUForm, OkChecksTheChoiceAndKeepsTheDialogOpenOnAnError)
{
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope(scripted);
    core::TFormParPU form;
    EXPECT_EQ(form.windowTitle(), "PARAMETRE PRE NOVÝ RIADOK DO ČíSELNíKA");
    ASSERT_EQ(form.CB1()->count(), 4);
    EXPECT_EQ(form.CB1()->itemText(1), "Zdravotná poisťovňa - firma");
    EXPECT_EQ(form.CB1()->currentIndex(), -1);
    EXPECT_EQ(form.CB1()->placeholderText(), "<Vyber typ riadku>");
    EXPECT_EQ(form.edit_kod()->maxLength(), 3);

    struct Step {
        int item;
        const char *code;
        int error;
    } steps[] = {{-1, "25", 65112}, {1, "", 65113}, {1, "2x", 65114}};
    form.show();
    for (const auto &s : steps) {
        form.CB1()->setCurrentIndex(s.item);
        form.edit_kod()->setText(s.code);
        form.okButton()->click();
        EXPECT_TRUE(form.isVisible()) << s.error;
        EXPECT_FALSE(form.riadok().has_value());
        EXPECT_EQ(scripted.messages(ui::MessageKind::Error).last(), Msg(s.error));
    }

    form.CB1()->setCurrentIndex(1);
    form.edit_kod()->setText("25");
    form.okButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    ASSERT_TRUE(form.riadok().has_value());
    EXPECT_EQ(*form.riadok(), core::newPuLineParameters(1, "25"));
    EXPECT_EQ(scripted.messages().size(), 3);
}

TEST(CodeTablesParPUForm, CancelGivesNoLine)
{
    core::TFormParPU form;
    form.show();
    form.CB1()->setCurrentIndex(2);
    form.edit_kod()->setText("7");
    form.cancelButton()->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(form.riadok().has_value());
}

// Without an installed choice the insert asks through the dialog itself.
TEST(CodeTablesParPUForm, TheDialogIsTheDefaultChoice)
{
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope(scripted);
    core::useParPuDialog();
    core::setPuLineChoice({});
    auto answer = [](int item, const char *code, bool ok) {
        QTimer::singleShot(0, [=] {
            auto *form = qobject_cast<core::TFormParPU *>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            form->CB1()->setCurrentIndex(item);
            form->edit_kod()->setText(code);
            (ok ? form->okButton() : form->cancelButton())->click();
        });
    };
    answer(3, "12", true);
    const auto line = core::chooseNewPuLine();
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->id, 43);
    EXPECT_EQ(line->cislo, 12);
    answer(3, "12", false);
    EXPECT_FALSE(core::chooseNewPuLine().has_value());
    EXPECT_TRUE(scripted.messages().isEmpty());
}
