#pragma once
// A fresh copy of the shipped installation (demo firm DATA01, year 2007, private folder)
// for each test, with the main data module, the statutory slots of 2007, the payroll data
// module and a scripted user interface that also notes whether a transaction was open
// while the user was asked.
#include "core/dm_main.h"
#include "core/helpers/parameters.h"
#include "core/installation.h"
#include "payroll/dm_vyp.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/scripted_user_interface.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace tarix::payroll::testing {

// Scripted answers; records the session's transaction depth at every question.
class WatchingUserInterface : public ui::ScriptedUserInterface {
public:
    explicit WatchingUserInterface(db::Session &s) : m_session(s) {}
    bool askYesNo(const QString &question) override
    {
        depthsAtQuestions.push_back(m_session.transactionDepth());
        return ScriptedUserInterface::askYesNo(question);
    }
    void showMessage(ui::MessageKind kind, const QString &text) override
    {
        depthsAtMessages.push_back(m_session.transactionDepth());
        ScriptedUserInterface::showMessage(kind, text);
    }
    std::vector<int> depthsAtQuestions;
    std::vector<int> depthsAtMessages;

private:
    db::Session &m_session;
};

struct DemoEmployee {
    int codeEmp;
    int codeNumb;
};
inline constexpr DemoEmployee kDemo[] = {{1, 101}, {2, 102}, {3, 103}, {4, 104}, {5, 105},
                                         {6, 106}, {7, 107}, {8, 108}, {9, 109}, {10, 110}};

class PayrollModuleTest : public ::testing::Test {
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
            QFile::copy(s_template->filePath(QString::fromLatin1(folder) + "/tarix.db"),
                        dir.filePath(QString::fromLatin1(folder) + "/tarix.db"));
        }
        session.setAlias("TARIX_PRIV", dir.filePath("PRIVATE"));
        session.setAlias("TARIX_DATA", dir.filePath("DATA01"));
        session.setAlias("TARIX_COMM", dir.filePath("COMMON/ROK2007"));
        db::Session::setDefaultSession(&session);
        ini::IniFile paramIni(dir.filePath("PARAM.INI"));
        MyConsts::Nacitaj_parametre(session, paramIni);
        setNastavenia(IniSettings{});
        core::createDM();
        setPeriod(1);
        dmv = std::make_unique<TDMV>();
        dmv->TVYP_.open();
        dmv->TZRV_.open();
        dmv->THSU_.open();
    }

    void TearDown() override
    {
        dmv.reset();
        core::destroyDM();
        session.closeAll();
        db::Session::setDefaultSession(nullptr);
    }

    // The open period (the year folder stays 2007's).
    void setPeriod(int month, int year = 2007)
    {
        session.execute("update \":tarix_priv:priv\" set rok = :y, mesiac = :m", {{"y", year}, {"m", month}});
        MyConsts::Uprav_parameter_28(year * 100 + month);
    }

    // Inserts the payroll of the open month for a demo employee; the clerk's inputs are
    // the full working month (unless given) before the post.
    void newPayroll(const DemoEmployee &e, std::optional<double> days = std::nullopt)
    {
        dmv->Nastav_zamestnanca(e.codeNumb, e.codeEmp);
        db::Table &t = dmv->TVYP_;
        t.insert();
        const double fund = t.fieldByName("V_fmes").asFloat();
        const double d = days.value_or(fund);
        t.setValue("V_den", d);
        t.setValue("V_hodina", d * t.fieldByName("F_doba").asFloat());
        t.post();
    }

    // Every stored field of every payroll record of a month, by employee.
    std::map<int, QVariantList> storedMonth(int period)
    {
        std::map<int, QVariantList> rows;
        const db::SqlResult r =
            session.run("select * from \":tarix_data:vyp\" where v_obdobie = :p order by code_emp", {{"p", period}});
        for (int i = 0; i < r.rowCount(); ++i) {
            QVariantList values;
            for (int c = 0; c < r.columnCount(); ++c)
                values << r.value(i, c);
            rows[int(r.asInteger(i, 0))] = values;
        }
        return rows;
    }

    db::SqlResult payroll(int codeEmp, int period)
    {
        return session.run("select * from \":tarix_data:vyp\" where code_emp = :e and v_obdobie = :p",
                           {{"e", codeEmp}, {"p", period}});
    }

    int count(const QString &sql, const db::Params &params = {})
    {
        return int(session.run(sql, params).asInteger(0, 0));
    }

    static QTemporaryDir *s_template;
    QTemporaryDir dir;
    db::Session session;
    WatchingUserInterface scripted{session};
    ui::ScopedUserInterface scope{scripted};
    std::unique_ptr<TDMV> dmv;
};

inline QTemporaryDir *PayrollModuleTest::s_template = nullptr;

} // namespace tarix::payroll::testing
