#pragma once
// The fixture firm of the bulk payment orders: the demo installation (the firm opened in
// January 2007, no payroll rows) with the recapitulation's reports registered, the payment-
// order module created, the program folder's "vystupy" in the installation, every preview
// captured and the start of outside programs recorded instead of done. Helpers write the
// rows the orders are made from (nakl, cis_bu, zam, vyp, zrv) and stored orders (hp1, hp2).
#include "expected_files.h"
#include "reports/recap_fixture.h"

#include "core/helpers/app_paths.h"
#include "core/helpers/parameters.h"
#include "filings/dm_hp.h"
#include "platform/format/clock.h"
#include "platform/shell/launcher.h"

#include <QDir>
#include <QFile>
#include <memory>

namespace tarix::filings::fixtures {

class PaymentOrderFirm : public reports::fixtures::RecapFirm {
protected:
    void SetUp() override
    {
        RecapFirm::SetUp();
        m_paths = core::appPaths();
        core::setAppPaths(core::deriveAppPaths(dir.root(), QString(), QString()));
        m_p17 = MyConsts::Parametre(17);
        MyConsts::Parametre(17).Id = 17;
        MyConsts::Parametre(17).Skratka = QStringLiteral("HP_POLOZIEK");
        MyConsts::Parametre(17).Hodnota = 10;
        clock = std::make_unique<fmt::ScopedClock>(QDateTime(QDate(2005, 6, 8), QTime(10, 0, 0)));
        ShellUtils::setStartHook([this](const QString &, const QStringList &arguments, const QString &) {
            started << arguments;
            return true;
        });
        createDMHP();
    }
    void TearDown() override
    {
        destroyDMHP();
        ShellUtils::setStartHook({});
        clock.reset();
        MyConsts::Parametre(17) = m_p17;
        core::setAppPaths(m_paths);
        RecapFirm::TearDown();
    }

    QString outputs() const { return dir.root() + QStringLiteral("vystupy/"); }

    void nakl(int riadok, const QString &text, double suma, const QString &symbol, int cislo)
    {
        session.execute("insert into \":tarix_priv:nakl\" (riadok, text, suma, ident_symbol, ident_cislo) "
                        "values (:p1, :p2, :p3, :p4, :p5)",
                        {{"p1", riadok}, {"p2", text}, {"p3", suma}, {"p4", symbol}, {"p5", cislo}});
    }
    void payee(const QString &typ, int kod, const QString &ucet, const QString &banka, const QString &ssym,
               const QString &ksym, const QString &vsym)
    {
        // The test's own row for the payee replaces the one the demo firm ships.
        session.execute("delete from \":tarix_data:cis_bu\" where buid_typ = :p1 and buid_kod = :p2",
                        {{"p1", typ}, {"p2", kod}});
        session.execute("insert into \":tarix_data:cis_bu\" (buid_typ, buid_kod, cislo_u, banka_u, ssym_u, ksym, "
                        "vsym) values (:p1, :p2, :p3, :p4, :p5, :p6, :p7)",
                        {{"p1", typ}, {"p2", kod}, {"p3", ucet}, {"p4", banka}, {"p5", ssym}, {"p6", ksym},
                         {"p7", vsym}});
    }
    // The employee's name, birth number and bank connection.
    void employee(int codeEmp, const QString &surname, const QString &name, const QString &bornNumb,
                  const QString &predcislo, const QString &cislo, const QString &banka, const QString &ssym,
                  const QString &ksym, const QString &vsym)
    {
        session.execute("update \":tarix_data:zam\" set surname=:p1, name=:p2, born_numb=:p3, predcislo_u=:p4, "
                        "cislo_u=:p5, banka_u=:p6, ssym_u=:p7, ksym_u=:p8, vsym_u=:p9 where code_emp=:p10",
                        {{"p1", surname}, {"p2", name}, {"p3", bornNumb}, {"p4", predcislo}, {"p5", cislo},
                         {"p6", banka}, {"p7", ssym}, {"p8", ksym}, {"p9", vsym}, {"p10", codeEmp}});
    }
    void deduction(int codeEmp, int period, double suma, const QString &cislo, const QString &banka,
                   const QString &ssym, const QString &ksym, const QString &vsym)
    {
        session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, cislo_u, banka_u, ssym_u, ksym, "
                        "vsym, suma, typ_sumy, vypocitana_suma) values (:p1, :p2, 'E', :p3, :p4, :p5, :p6, :p7, "
                        ":p8, 0, :p8)",
                        {{"p1", period}, {"p2", codeEmp}, {"p3", cislo}, {"p4", banka}, {"p5", ssym},
                         {"p6", ksym}, {"p7", vsym}, {"p8", suma}});
    }
    int codeNumb(int codeEmp)
    {
        return int(session.run("select code_numb from \":tarix_data:zam\" where code_emp=:p1", {{"p1", codeEmp}})
                       .asInteger(0, 0));
    }
    void header(int hpid, const QString &ucet, const QString &banka, const QVariant &splatnost, int porCislo = 1)
    {
        session.execute("insert into \":tarix_data:hp1\" (hpid, por_cislo, cislo_u, banka_u, datum_splatnosti) "
                        "values (:p1, :p2, :p3, :p4, :p5)",
                        {{"p1", hpid}, {"p2", porCislo}, {"p3", ucet}, {"p4", banka}, {"p5", splatnost}});
    }
    void item(int hpid, double suma, const QString &ucet, const QString &banka, const QString &ssym = {},
              const QString &ksym = {}, const QString &vsym = {})
    {
        auto text = [](const QString &v) { return v.isEmpty() ? QVariant() : QVariant(v); };
        session.execute("insert into \":tarix_data:hp2\" (hpid, suma, cislo_u, banka_u, ssym, ksym, vsym) "
                        "values (:p1, :p2, :p3, :p4, :p5, :p6, :p7)",
                        {{"p1", hpid}, {"p2", suma}, {"p3", ucet}, {"p4", banka}, {"p5", text(ssym)},
                         {"p6", text(ksym)}, {"p7", text(vsym)}});
    }
    int count(const QString &sql) { return int(session.run(sql).asInteger(0, 0)); }

    QStringList started;
    std::unique_ptr<fmt::ScopedClock> clock;

private:
    core::AppPaths m_paths;
    MyConsts::Parameter m_p17;
};

} // namespace tarix::filings::fixtures
