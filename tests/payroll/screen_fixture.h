#pragma once
// The payroll screen on a fresh copy of the demo firm (year 2007): the main, employee,
// contracts and payroll data modules created as at start-up, the registered tables opened
// as a firm opening opens them, and a scripted user interface.
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/installation.h"
#include "payroll/dm_vyp.h"
#include "payroll/forms/form_main_vyp.h"
#include "payroll/ini_settings.h"
#include "platform/dbctrl/db_check_box.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/db/session.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/scripted_user_interface.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace tarix::payroll::screentest {

class PayrollScreenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_template = new QTemporaryDir;
        core::createInstallation(s_template->path(), {true, 2007, 2007});
    }
    static void TearDownTestSuite()
    {
        delete s_template;
        s_template = nullptr;
    }

    void SetUp() override
    {
        for (const char *folder : {"DATA01", "PRIVATE", "COMMON/ROK2007"}) {
            QDir().mkpath(dir.filePath(folder));
            ASSERT_TRUE(QFile::copy(s_template->filePath(QString::fromLatin1(folder) + "/tarix.db"),
                                    dir.filePath(QString::fromLatin1(folder) + "/tarix.db")));
        }
        session.setAlias("TARIX_PRIV", dir.filePath("PRIVATE"));
        session.setAlias("TARIX_DATA", dir.filePath("DATA01"));
        session.setAlias("TARIX_COMM", dir.filePath("COMMON/ROK2007"));
        db::Session::setDefaultSession(&session);
        ini::IniFile paramIni(dir.filePath("PARAM.INI"));
        MyConsts::Nacitaj_parametre(session, paramIni);
        setNastavenia(IniSettings{});
        setPeriod(3);
        core::createDM();
        core::createDMZ();
        core::createDMP();
        createDMV();
        core::DMA().Registruj_tabulky();
        ASSERT_TRUE(core::DMA().Otvor_tabulky());
        scripted.clearEvents();
    }

    void TearDown() override
    {
        form.reset();
        Nastav_tlac_vyplat({});
        destroyDMV();
        core::destroyDMP();
        core::destroyDMZ();
        core::destroyDM();
        core::DMA().Registruj_tabulky(); // the registry must not keep the destroyed tables
        session.closeAll();
        db::Session::setDefaultSession(nullptr);
        EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join("\n").toStdString();
    }

    void setPeriod(int month, int year = 2007)
    {
        session.execute("update \":tarix_priv:priv\" set rok = :y, mesiac = :m", {{"y", year}, {"m", month}});
        MyConsts::Uprav_parameter_28(year * 100 + month);
        if (core::hasDM() && core::DM().TPRIV_.isActive())
            core::DM().TPRIV_.refresh();
    }

    TFormMainVyp &openScreen()
    {
        form = std::make_unique<TFormMainVyp>();
        form->show();
        QApplication::processEvents();
        return *form;
    }

    // Chooses an employee on the list page as the clerk does.
    void choose(int codeEmp)
    {
        ASSERT_TRUE(core::DMZ().TZAM_.locate("Code_emp", {codeEmp}));
        form->Akcia_zamf_vyber();
    }

    dbctrl::DBEdit *edit(const QString &field, int which = 0) const
    {
        const QList<QWidget *> controls = form->ovladace(field);
        return controls.size() > which ? qobject_cast<dbctrl::DBEdit *>(controls[which]) : nullptr;
    }

    // Enters an edit, types a text over its content and leaves it.
    static void typeInto(dbctrl::DBEdit *e, const QString &text)
    {
        ASSERT_NE(e, nullptr);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(e, &in);
        e->selectAll();
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(e, &press);
        }
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(e, &out);
    }

    double value(const QString &field) const { return DMV().TVYP_.fieldByName(field).asFloat(); }

    db::SqlResult stored(int codeEmp, int period)
    {
        return session.run("select * from \":tarix_data:vyp\" where code_emp = :e and v_obdobie = :p",
                           {{"e", codeEmp}, {"p", period}});
    }

    // A stored payroll of an employee and month, made through the data module.
    void makePayroll(int codeEmp, int codeNumb, int month)
    {
        setPeriod(month);
        TDMV &m = DMV();
        m.Nastav_zamestnanca(codeNumb, codeEmp);
        m.DS_VYPL.setEnabled(true);
        m.TVYP_.cancelRange();
        m.TVYP_.insert();
        const double fund = m.TVYP_.fieldByName("V_fmes").asFloat();
        m.TVYP_.setValue("V_den", fund);
        m.TVYP_.setValue("V_hodina", fund * m.TVYP_.fieldByName("F_doba").asFloat());
        m.TVYP_.post();
        m.Nastav_zamestnanca(0, 0);
    }

    static QTemporaryDir *s_template;
    QTemporaryDir dir;
    db::Session session;
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
    std::unique_ptr<TFormMainVyp> form;
};

inline QTemporaryDir *PayrollScreenTest::s_template = nullptr;

} // namespace tarix::payroll::screentest
