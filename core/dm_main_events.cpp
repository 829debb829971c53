#include "core/dm_main.h"

#include "core/firm_opening.h"
#include "core/helpers/address.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/text_utils.h"
#include "platform/errors.h"

namespace tarix::core {

namespace {

void firmHeader(TDM &dm)
{
    dm.TINF_.beforePost = [&dm](db::DataSet &ds) {
        // The street line as typed gives the street and the house numbers the filings need.
        const MyConsts::UlicaACislo u =
            MyConsts::Ulica_a_cislo(ds.fieldByName(QStringLiteral("ADR_ULICA1")).asString());
        ds.fieldByName(QStringLiteral("ADR_ULICA")).setAsString(u.ulica);
        ds.fieldByName(QStringLiteral("ADR_CISLO")).setAsString(u.cislo);
        if (dm.Text_priplatkov.size() == 8)
            ds.fieldByName(QStringLiteral("F_TYP_PRIPL"))
                .setAsInteger(MyConsts::Text_na_priznaky(dm.Text_priplatkov));
        if (dm.Text_priplatkov2.size() == 8)
            ds.fieldByName(QStringLiteral("F_TYP_PRIPL2"))
                .setAsInteger(MyConsts::Binarny_text_na_bajt(dm.Text_priplatkov2));
    };
    // The caption shows the firm's name as stored.
    dm.TINF_.afterPost = [](db::DataSet &) { Obnov_titulok_okna(); };
}

void taxBands(TDM &dm)
{
    dm.TDZP_.onNewRecord = [](db::DataSet &ds) {
        ds.fieldByName(QStringLiteral("D_presah")).setAsFloat(0);
    };
    dm.TDZP_.beforeDeleteQuestions = [](db::DataSet &) {
        if (!MyConsts::Otazka_ano_nie(Msg(65073))
            || !MyConsts::Otazka_ano_nie(QStringLiteral("Položka bude definitívne zrušená.")))
            throw EMyError(Msg(65074));
    };
    // The grid stands still while a band is edited in the form.
    dm.DS_DZP.onStateChange = [&dm](db::DataSource &) {
        dm.DS_DZPG.setEnabled(!dm.TDZP_.isEditing());
    };
}

void periodRow(TDM &dm)
{
    dm.TPRIV_.addCalculatedField(QStringLiteral("MIN_SID"), db::FieldType::SmallInt);
    dm.TPRIV_.addCalculatedField(QStringLiteral("MAX_SID"), db::FieldType::SmallInt);
    dm.TPRIV_.onCalcFields = [](db::DataSet &ds) {
        const qint64 sid = ds.fieldByName(QStringLiteral("SID")).asInteger();
        ds.fieldByName(QStringLiteral("MIN_SID")).setAsInteger(sid != 0 ? sid : 1);
        ds.fieldByName(QStringLiteral("MAX_SID")).setAsInteger(sid != 0 ? sid : 99);
    };
}

} // namespace

// The events of the module's own tables (firm header, tax bands, period row). Called once
// by the module's constructor.
void Nastav_udalosti_hlavneho_modulu(TDM &dm)
{
    firmHeader(dm);
    taxBands(dm);
    periodRow(dm);
}

} // namespace tarix::core
