#include "core/dm_main.h"

#include "core/firm_opening.h"
#include "core/helpers/address.h"
#include "core/helpers/checks.h"
#include "core/helpers/code_texts.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/text_utils.h"
#include "platform/errors.h"

#include <utility>

namespace tarix::core {

namespace {

// The firm header's derived texts: the statements print the subject, address and period
// from them, and the employer screen shows the premium kind and the surcharge flags.
void firmHeaderFields(TDM &dm)
{
    db::Table &t = dm.TINF_;
    using db::FieldType;
    t.addLookupField(QStringLiteral("L_ADR_STAT"), FieldType::String, 40, &dm.CIS6_,
                     QStringLiteral("ADR_STAT"), QStringLiteral("KOD3"), QStringLiteral("NAZOV"));
    t.addLookupField(QStringLiteral("L_ADR_STAT_AAA"), FieldType::String, 3, &dm.CIS6_,
                     QStringLiteral("ADR_STAT"), QStringLiteral("KOD3"), QStringLiteral("AKRONYM"));
    t.addLookupField(QStringLiteral("L_TYP_ZEL"), FieldType::String, 40, &dm.CIS9_,
                     QStringLiteral("TYP_ZEL"), QStringLiteral("Typ"), QStringLiteral("Popis"));
    // The correspondence address keeps the country by its acronym, not its code.
    t.addLookupField(QStringLiteral("L_KA_STAT"), FieldType::String, 40, &dm.CIS6_,
                     QStringLiteral("KA_STAT"), QStringLiteral("AKRONYM"), QStringLiteral("NAZOV"));
    t.addCalculatedField(QStringLiteral("CALC_SUBJ"), FieldType::String, 100);
    t.addCalculatedField(QStringLiteral("CALC_ADRESA"), FieldType::String, 100);
    t.addCalculatedField(QStringLiteral("CALC_OBDOBIE"), FieldType::String, 50);
    t.addCalculatedField(QStringLiteral("CALC_TEXT_PREMII"), FieldType::String, 100);
    t.addCalculatedField(QStringLiteral("CALC_TYP_PRIPLATKOV"), FieldType::String, 8);
    t.addCalculatedField(QStringLiteral("CALC_TYP_PRIPLATKOV2"), FieldType::String, 8);
    t.onCalcFields = [&dm](db::DataSet &ds) {
        auto text = [&ds](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
        auto set = [&ds](const char *name, const QString &v) {
            ds.fieldByName(QString::fromLatin1(name)).setAsString(v);
        };
        const QString adresa =
            MyConsts::Text_adresy(text("ADR_ULICA"), text("ADR_CISLO"), text("ADR_PSC"), text("ADR_MESTO"));
        set("CALC_ADRESA", adresa.left(100));
        set("CALC_SUBJ", (text("NAZOV") + u',' + adresa).left(100));
        set("CALC_OBDOBIE", dm.Nazov_obdobia(true).left(50));
        set("CALC_TEXT_PREMII",
            MyConsts::Text_typu_premie(int(ds.fieldByName(QStringLiteral("F_TYP_PREMII")).asInteger())));
        // The flags are one byte each; the columns are small integers.
        set("CALC_TYP_PRIPLATKOV",
            MyConsts::Priznaky_na_text(quint8(ds.fieldByName(QStringLiteral("F_TYP_PRIPL")).asInteger())));
        set("CALC_TYP_PRIPLATKOV2",
            MyConsts::Bajt_na_binarny_text(quint8(ds.fieldByName(QStringLiteral("F_TYP_PRIPL2")).asInteger())));
    };
    // The surcharge rates as the payroll screen shows them in its table of surcharges.
    const std::pair<const char *, const char *> sadzby[] = {
        {"F_NADCAS", "Nadčas - sadzba"},   {"F_SOBOTA", "Sobota - sadzba"},
        {"F_NEDELA", "Nedeľa - sadzba"},   {"F_SVIATOK", "Sviatok - sadzba"},
        {"F_NOC", "Noc - sadzba"},         {"F_SKOD", "Sťažené prostredie - sadzba"},
    };
    for (const auto &[field, label] : sadzby)
        t.declareField(QString::fromLatin1(field)).setLabel(QString::fromUtf8(label));
    // The birth number of an employer who is a natural person.
    t.declareField(QStringLiteral("FO_RC")).onValidate = [](db::Field &f) {
        MyConsts::Kontrola_rodneho_cisla(f.asString());
    };
}

void firmHeader(TDM &dm)
{
    firmHeaderFields(dm);
    dm.TINF_.beforePost = [&dm](db::DataSet &ds) {
        // The street line as typed gives the street and the house numbers the filings need.
        const MyConsts::StreetAndNumber u =
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
    dm.TINF_.afterPost = [](db::DataSet &) { refreshWindowCaption(); };
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

// The statement signatory is one row that is only edited.
void statementSignatory(TDM &dm)
{
    dm.TTLA_.beforeInsert = [](db::DataSet &) { throw EMyError(Msg(65078)); };
    dm.TTLA_.beforeDeleteQuestions = [](db::DataSet &) { throw EMyError(Msg(65075)); };
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
void setMainModuleEvents(TDM &dm)
{
    firmHeader(dm);
    taxBands(dm);
    statementSignatory(dm);
    periodRow(dm);
}

} // namespace tarix::core
