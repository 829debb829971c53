#pragma once
// The generated firm the report and statement benchmarks run on: the demo installation of
// 2007 whose firm has `employees` employees (the demo's ten and generated ones after them,
// surnames with Slovak letters), each with a payroll record for every month of a range,
// spread over a number of cost centres. The amounts follow from a gross wage that varies by
// employee and month; levies and tax are that wage times fixed shares, rounded up as the
// statements round them, so totals are plausible and no column a report sums is empty.
#include "core/session.h"
#include "payroll/dm_v.h"
#include "platform/db/session.h"
#include "support/demo_context.h"
#include "support/installation.h"

#include <cmath>

namespace tarix::bench {

// The health statement from 2005 asks the payroll data module which records have the
// reduced rate; the shared firm opens without data modules.
struct PayrollModule {
    PayrollModule() { payroll::createDMV(); }
    ~PayrollModule() { payroll::destroyDMV(); }
};

struct BenchFirmShape {
    int employees = 1000;
    int firstMonth = 3; // months of 2007
    int lastMonth = 3;
    int centres = 3;
};

struct BenchFirm {
    test::Installation dir;
    test::DemoContext demo;
    db::Session &session = demo.session();

    explicit BenchFirm(const BenchFirmShape &shape)
    {
        // The firm's months are generated here: the installation without the demo's payrolls.
        dir.install(test::kDemo2007WithoutPayrolls);
        test::DemoOptions options;
        options.modules = {};
        demo.open(dir, options);

        db::Transaction t(&session);
        session.execute("delete from vyp", {}, core::kAliasData);
        session.execute("delete from zam where code_emp > 10", {}, core::kAliasData);
        static const char *const priezviska[] = {"Novák", "Kováč", "Horváth", "Varga", "Tóth", "Nagy",
                                                 "Baláž", "Szabó", "Molnár", "Šimko", "Čech", "Žilinský"};
        static const char *const mena[] = {"Ján", "Peter", "Mária", "Eva", "Ľubomír", "Zuzana", "Tomáš"};
        for (int i = 11; i <= shape.employees; ++i)
            session.execute(
                "insert into zam (code_emp, code_numb, sid, title, name, surname, born_numb, zamestnanie, nastup, "
                "typzec, fz_hlavne, zps, ztp, vyhl, rzp, fixny_mv_plat, holiday, holiday_old, spor_plat, u_zdrav, "
                "u_nemoc, u_dochod, u_fondzam, u_invalid, u_uraz, u_rezerva, u_garancne, vynimka_vz) values "
                "(:c, :n, :s, :t, :m, :p, :r, 'robotník', '2001-01-01', 1, 1, 0, 0, 0, 0, 0, 25, :h, 1, 1, 1, "
                "1, 1, 1, 1, 1, 1, '0')",
                {{"c", i},
                 {"n", 1000 + i},
                 {"s", 1 + i % shape.centres},
                 {"t", i % 9 == 0 ? QVariant("Ing.") : QVariant()},
                 {"m", QString::fromUtf8(mena[i % 7])},
                 {"p", QString::fromUtf8(priezviska[i % 12]) + QString::number(i)},
                 {"r", QStringLiteral("75%1").arg(i, 8, 10, QLatin1Char('0'))},
                 {"h", i % 5}},
                core::kAliasData);
        // Month after month, as a firm's payrolls are made: a month's records lie together.
        for (int mesiac = shape.firstMonth; mesiac <= shape.lastMonth; ++mesiac)
            for (int i = 1; i <= shape.employees; ++i)
                insertPayroll(i, mesiac, shape.centres);
        t.commit();
    }
    ~BenchFirm() { demo.close(); }

private:
    void insertPayroll(int i, int mesiac, int centres)
    {
        const double b = 15000 + (i * 37) % 20000 + 0.5 * mesiac;
        const auto up = [b](double share) { return std::ceil(b * share); };
        const double poistne = up(0.04) + up(0.014) + up(0.04) + up(0.01) + up(0.03);
        const double ciastkovy = b - poistne;
        const double preddavok = std::max(0.0, std::floor((ciastkovy - 3000) * 0.19));
        const double netto = ciastkovy - preddavok;
        session.execute(
            "insert into vyp (code_emp, v_obdobie, v_rok, v_mesiac, sid, fixny_mv_plat, f_typ_premii, "
            "f_sadzba_premii, f_typ_pripl, u_zdrav, u_nemoc, u_dochod, u_fondzam, u_invalid, u_uraz, "
            "u_garancne, u_rezerva, u_zdrav1, u_nemoc1, u_dochod1, u_fondzam1, u_zdrav2, u_nemoc2, "
            "u_dochod2, u_fondzam2, f_nd_pocita, u_sds, v_fmes, v_den, v_hodina, v_holiday, mv_plat, v_plat, "
            "n_mzda, n_premie, n_brutto, f_zdravot, f_nemoc, f_dochod, f_fondz, f_invalid, o_zdravot, "
            "o_nemoc, o_dochod, o_fondzam, o_invalid, n_poist, fz_zdravot, fz_nemoc, fz_dochod, fz_fondz, "
            "fz_invalid, oz_zdravot, oz_nemoc, oz_dochod, oz_fondzam, oz_invalid, oz_uraz, oz_rezerva, "
            "oz_garancne, n_zaklad_zp, n_zaklad_np, n_zaklad_dp, d_ciastzd, nc_minimum, d_zdanmzda1, "
            "d_preddavok, d_dan, n_netto, ne_stravne, ne_zaloha, vyplata, kzp, vh_nadcas, vp_nadcas) values "
            "(:c, :o, 2007, :m, :s, 0, 0, 0, 0, 1, 1, 1, :f, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, :sds, "
            "21, 20, 160, :dov, :b, :b, :b, 0, :b, 4, 1.4, 4, 1, 3, :oz, :on, :od, :of, :oi, :np, "
            "10, 1.4, 14, 1, 3, :zz, :zn, :zd, :zf, :zi, :zu, :zr, :zg, :b, :b, :b, :cz, 3000, :zm, "
            ":pr, :dd, :nt, 220, 0, :vy, 25, 4, 300)",
            {{"c", i},
             {"o", 200700 + mesiac},
             {"m", mesiac},
             {"s", 1 + i % centres},
             {"f", i % 7 ? 1 : 0},
             {"sds", i % 2},
             {"dov", double(i % 3)},
             {"b", b},
             {"oz", up(0.04)},
             {"on", up(0.014)},
             {"od", up(0.04)},
             {"of", up(0.01)},
             {"oi", up(0.03)},
             {"np", poistne},
             {"zz", up(0.1)},
             {"zn", up(0.014)},
             {"zd", up(0.14)},
             {"zf", up(0.01)},
             {"zi", up(0.03)},
             {"zu", up(0.008)},
             {"zr", up(0.0475)},
             {"zg", up(0.0025)},
             {"cz", ciastkovy},
             {"zm", ciastkovy - 3000},
             {"pr", preddavok},
             {"dd", i % 50 == 0 ? 300.0 : 0.0},
             {"nt", netto},
             {"vy", netto - 220}},
            core::kAliasData);
    }
};

// What a payment order of the month needs besides the payrolls: every employee paid to an
// account, the institutions the levies go to with their accounts (the health insurers
// `insurers`), and the order's header 1 due on 10 April 2007.
inline void preparePaymentOrder(db::Session &s, std::initializer_list<int> insurers)
{
    db::Transaction t(&s);
    s.execute("update zam set predcislo_u=case when code_emp % 3 = 0 then '19' end, cislo_u='123457', "
              "banka_u='0900'", {}, core::kAliasData);
    for (const char *typ : {"S", "D", "E", "F", "U", "X"})
        s.execute("insert or replace into cis_bu (buid_typ, buid_kod, cislo_u, banka_u, ksym) values "
                  "(:t, 0, '19-123457', '0200', '1148')",
                  {{"t", QString::fromLatin1(typ)}}, core::kAliasData);
    for (int kzp : insurers)
        s.execute("insert or replace into cis_bu (buid_typ, buid_kod, cislo_u, banka_u, ksym) values "
                  "('Z', :k, '2612345678', '0200', '3558')",
                  {{"k", kzp}}, core::kAliasData);
    s.execute("insert into hp1 (hpid, por_cislo, cislo_u, banka_u, datum_splatnosti) values "
              "(1, 1, '2612345678', '0200', '2007-04-10')",
              {}, core::kAliasData);
    t.commit();
}

} // namespace tarix::bench
