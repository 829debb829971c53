// A field's value as the file writers write it: by the field's kind, and nothing for an
// empty value (never a formatted zero).
#include "core/helpers/output_file.h"
#include "core/session.h"
#include "platform/db/query.h"
#include "support/demo_firm_test.h"

using namespace tarix;

using FormatPolaTest = test::DemoFirmTest<>;

TEST_F(FormatPolaTest, ByTheFieldsKind)
{
    session.execute("delete from \":tarix_data:vyp\"");
    session.execute(
        "insert into \":tarix_data:vyp\" (code_emp, v_obdobie, v_rok, v_mesiac, sid, fixny_mv_plat, f_typ_premii, "
        "f_sadzba_premii, f_typ_pripl, u_zdrav, u_nemoc, u_dochod, u_fondzam, u_zdrav1, u_nemoc1, u_dochod1, "
        "u_fondzam1, u_zdrav2, u_nemoc2, u_dochod2, u_fondzam2, f_nd_pocita, o_nemoc, v_den, o_dochod, v_fmes) "
        "values (1, 200703, 2007, 3, 1, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1234.5, 20.5, null, null)");
    db::Query q;
    q.setDatabaseName(core::kAliasData);
    q.setSql("select o_nemoc, v_den, v_mesiac, o_dochod, v_fmes, v_obdobie from vyp");
    q.open();
    ASSERT_FALSE(q.isEmpty());
    struct Case {
        const char *field;
        const char *format;
        QString expected;
    };
    const Case cases[] = {
        {"o_nemoc", "%0.0f", "1235"},     // currency: the format of its amount
        {"o_nemoc", "%10.2n", "  1 234,50"},
        {"v_den", "%5.1f", ""},           // other kinds (float, integer): nothing
        {"v_obdobie", "%d", ""},
        {"v_mesiac", "%2d", " 3"},        // small integer
        {"o_dochod", "%0.0f", ""},        // empty currency: nothing
        {"v_fmes", "%2d", ""},            // empty small integer: nothing
    };
    for (const Case &c : cases)
        EXPECT_EQ(MyConsts::Format_pola(QString::fromLatin1(c.format), q.fieldByName(QString::fromLatin1(c.field))),
                  c.expected)
            << c.field << " " << c.format;
    q.close();
}
