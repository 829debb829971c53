// Events of the employee table TZAM_: defaults of a new employee, its internal number, the
// checks of typed values and of a post, the refusal to delete an employee with payroll
// records (and the removal of his detail rows with him), calculated and lookup fields.
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/dm_zam_detail.h"
#include "core/helpers/checks.h"
#include "core/helpers/code_texts.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/text_utils.h"
#include "platform/format/dates.h"

namespace tarix::core {

using namespace employee_detail;

namespace {

// Every table of the firm that keeps rows of one employee by his internal number, besides
// the employee and payroll tables. Deleted with the employee, so that the next employee
// given a free number never inherits them.
const char *const kPodtabulky[] = {"deti",     "zrz",      "nep",    "doch", "eldp",
                                   "zp_znec",  "zp_pstat", "zp_univ", "zp_tab", "davka601",
                                   "ppv",      "rzp",      "zrv",    "zam_uk", "hsu"};

void deleteChildRecords(int codeEmp)
{
    db::Transaction tr(&dbSession());
    for (const char *table : kPodtabulky)
        dbSession().execute(QStringLiteral("delete from \":tarix_data:%1\" where code_emp = :p1")
                              .arg(QLatin1String(table)),
                          {{QStringLiteral("p1"), codeEmp}});
    tr.commit();
}

void checkRange(db::Field &f, int limit, int hint)
{
    const qint64 v = f.asInteger();
    if (v < 0 || v >= limit)
        throw EMyError(Msg(65187) + u' ' + Msg(hint));
}

void setEmployeeFields(db::Table &t)
{
    setFieldLabels(t, {
        {"Code_numb", "Osobné číslo"},
        {"SID", "Číslo strediska"},
        {"Title", "Titul"},
        {"Name", "Meno"},
        {"Surname", "Priezvisko"},
        {"Prev_name", "Predch.priezvisko"},
        {"Born_date", "Dátum narodenia"},
        {"Born_numb", "Rodné číslo"},
        {"Born_city", "Miesto narodenia"},
        {"Rod_stav", "Rodinný stav"},
        {"Narodnost", "Národnosť"},
        {"Stat_obcan", "Štátne občianstvo"},
        {"C_op", "Číslo obč.preukazu"},
        {"C_pasu", "Číslo pasu"},
        {"C_vodicaku", "Číslo vodič.preukazu"},
        {"SSN", "Číslo sociálneho poistenia"},
        {"SSN_STATP", "Číslo sociálneho poistenia v štáte, v ktorom má cudzinec občianstvo"},
        {"CPP", "Číslo povolenia k pobytu"},
        {"Education", "Vzdelanie"},
        {"Pohlavie", "Pohlavie (M/Z)"},
        {"Tp_street", "Trvalý pobyt - ulica"},
        {"Tp_city", "Trvalý pobyt - obec"},
        {"Tp_zip", "Trvalý pobyt - PSČ"},
        {"Tp_zip2", "Trvalý pobyt - PSČ v zahraničí"},
        {"Stat_tp", "Trvalý pobyt - štát"},
        {"Pp_street", "Prechodný pobyt - ulica"},
        {"Pp_city", "Prechodný pobyt - obec"},
        {"Pp_zip", "Prechodný pobyt - PSČ"},
        {"Pp_zip2", "Prechodný pobyt - PSČ v zahraničí"},
        {"Stat_pp", "Prechodný pobyt - štát"},
        {"Tel1", "Telefón 1"},
        {"Tel2", "Telefón 2"},
        {"Fax", "Fax"},
        {"Mail", "E-mail"},
        {"Predcislo_u", "Predčíslie účtu"},
        {"Cislo_u", "Číslo účtu"},
        {"Banka_u", "Kód banky"},
        {"Banka2_u", "Názov banky"},
        {"SSym_u", "Špecifický symbol"},
        {"Vsym_u", "Variabilný symbol"},
        {"Ksym_u", "Konštantný symbol"},
        {"Zamestnanie", "Funkcia"},
        {"Nastup", "Dátum nástupu"},
        {"Vystup", "Dátum ukonč.prac.pomeru"},
        {"TYPZEC", "Typ vzťahu FO k zamestnávateľovi"},
        {"Fz_uvazok", "Úväzok (0-3)"},
        {"Fz_typzam", "Druh osoby (O,Z,D)"},
        {"Fz_hlavne", "Hlavný pracovný pomer"},
        {"F_doba", "Denný úväzok v hodinách"},
        {"ZPS", "Má zmenenú prac.schopnosť ZPS"},
        {"ZTP", "Zdravotne ťažko postihnutý"},
        {"Miera_poklesu", "Miera poklesu schopnosti"},
        {"VYHL", "Podpísané vyhlásenie na daň"},
        {"RZP", "Ročné zúčtovanie preddavkov dane"},
        {"Dan_zrazkou", "Daň zrážať osobitnou sadzbou dane"},
        {"Dan_nerezident", "Daňový nerezident"},
        {"U_sviatky", "Náhrada za sviatky"},
        {"MV_plat", "Dohodnutý mesačný plat"},
        {"V_sadzba", "Hodinová sadzba"},
        {"Fixny_mv_plat", "Pevná výška dohodnutého platu"},
        {"F_sadzba_premii", "Sadzba prémií"},
        {"Pouz_auto", "Používanie služobného auta"},
        {"Zvys_ostatne", "Ostatné zvýšenia"},
        {"Holiday", "Nárok na dovolenku"},
        {"Holiday_old", "Nevyčerpaná dovolenka z min.rokov"},
        {"W_holiday", "Čerpaná dovolenka"},
        {"PN_DENNE", "Denný základ pre PN"},
        {"Nc_minimum", "Nezdaniteľná časť"},
        {"Ne_zaloha", "Zrážka - záloha"},
        {"Ne_pozicky", "Zrážka - pôžičky"},
        {"Ne_odborar", "Zrážka - odbory"},
        {"Ne_poistovna", "Zrážka - poisťovňa"},
        {"Ne_exekucia", "Zrážka - exekúcia"},
        {"Spor_plat", "Sporenie - spôsob"},
        {"Sporenie", "Sporenie - suma"},
        {"N_ddp", "DDP zamestnanec - suma"},
        {"N_sadzba_ddp", "DDP zamestnanec - sadzba"},
        {"Nz_ddp", "DDP zamestnávateľ - suma"},
        {"Nz_sadzba_ddp", "DDP zamestnávateľ - sadzba"},
        {"KDP", "Kód dôchodkovej poisťovne - III.pilier"},
        {"KZP", "Kód zdrav.poisťovne"},
        {"U_zdrav", "Zdravotné poistenie"},
        {"U_nemoc", "Nemocenské poistenie"},
        {"U_dochod", "Dôchodkové poistenie"},
        {"U_fondzam", "Poistenie v nezamestnanosti"},
        {"U_invalid", "Invalidné poistenie"},
        {"U_uraz", "Úrazové poistenie"},
        {"U_rezerva", "Rezervný fond solidarity"},
        {"U_garancne", "Garančné poistenie"},
        {"U_sds", "Účasť na dôch.sporení - II.pilier"},
        {"VYNIMKA_VZ", "Výnimka výšky vymer.základu"},
    });

    TDM &dm = DM();
    t.addLookupField(QStringLiteral("L_ROD_STAV"), db::FieldType::String, 40, &dm.CIS11_,
                     QStringLiteral("Rod_stav"), QStringLiteral("ID"), QStringLiteral("POPIS"));
    t.addLookupField(QStringLiteral("L_STAT_OBCAN"), db::FieldType::String, 100, &dm.CIS6_,
                     QStringLiteral("Stat_obcan"), QStringLiteral("KOD3"), QStringLiteral("NAZOV"));
    t.addLookupField(QStringLiteral("L_STAT_TP"), db::FieldType::String, 100, &dm.CIS6_,
                     QStringLiteral("Stat_tp"), QStringLiteral("KOD3"), QStringLiteral("NAZOV"));
    t.addLookupField(QStringLiteral("L_STAT_PP"), db::FieldType::String, 100, &dm.CIS6_,
                     QStringLiteral("Stat_pp"), QStringLiteral("KOD3"), QStringLiteral("NAZOV"));
    t.addLookupField(QStringLiteral("L_TYPZEC"), db::FieldType::String, 40, &dm.CIS10_,
                     QStringLiteral("TYPZEC"), QStringLiteral("TYP"), QStringLiteral("POPIS"));
    t.addLookupField(QStringLiteral("L_KZP"), db::FieldType::String, 40, &dm.CIS1_,
                     QStringLiteral("KZP"), QStringLiteral("ID"), QStringLiteral("TEXT"));
    t.addLookupField(QStringLiteral("L_VVZ"), db::FieldType::String, 255, &dm.CIS5_,
                     QStringLiteral("VYNIMKA_VZ"), QStringLiteral("ID"), QStringLiteral("TEXT"));

    using db::FieldType;
    t.addCalculatedField(QStringLiteral("TMP"), FieldType::String, 100).setLabel(QStringLiteral("Titul, Meno, Priezvisko"));
    t.addCalculatedField(QStringLiteral("PMT"), FieldType::String, 100).setLabel(QStringLiteral("Priezvisko, Meno, Titul"));
    t.addCalculatedField(QStringLiteral("PMT2"), FieldType::String, 200);
    t.addCalculatedField(QStringLiteral("CALC_SUBJ"), FieldType::String, 100);
    t.addCalculatedField(QStringLiteral("CALC_ADRESA"), FieldType::String, 100).setLabel(QStringLiteral("Kompletná adresa"));
    t.addCalculatedField(QStringLiteral("CALC_POHLAVIE"), FieldType::String, 5);
    t.addCalculatedField(QStringLiteral("CALC_FZ_UVAZOK"), FieldType::String, 30).setLabel(QStringLiteral("Druh úväzku"));
    t.addCalculatedField(QStringLiteral("CALC_FZ_TYPZAM"), FieldType::String, 30).setLabel(QStringLiteral("Druh osoby"));
    t.addCalculatedField(QStringLiteral("CALC_STREDISKO"), FieldType::String, 30).setLabel(QStringLiteral("Stredisko"));
    t.addCalculatedField(QStringLiteral("CALC_AKTROK"), FieldType::Integer);
    // The supplementary pension fund by its payee row ("DDP č.3 Fond"); empty when none.
    t.addCalculatedField(QStringLiteral("L_KDP"), FieldType::String, 200)
        .setLabel(QStringLiteral("Doplnková dôchodková poisťovňa"));

    // Tag 999: the internal number and the texts built only for other texts are never
    // offered to the clerk's export layouts.
    for (const char *name : {"Code_emp", "PMT2", "CALC_SUBJ", "CALC_POHLAVIE", "CALC_AKTROK"})
        t.declareField(QString::fromLatin1(name)).setTag(999);
}

QString tmp(const db::DataSet &t)
{
    return joinName(t.fieldByName(QStringLiteral("Title")).asString(),
                    t.fieldByName(QStringLiteral("Name")).asString(),
                    t.fieldByName(QStringLiteral("Surname")).asString());
}

QString pmt(const db::DataSet &t)
{
    return joinName(t.fieldByName(QStringLiteral("Surname")).asString(),
                    t.fieldByName(QStringLiteral("Name")).asString(),
                    t.fieldByName(QStringLiteral("Title")).asString());
}

void computeFields(db::DataSet &t)
{
    auto s = [&](const char *name) { return t.fieldByName(QString::fromLatin1(name)).asString().trimmed(); };
    auto set = [&](const char *name, const QVariant &v) { t.fieldByName(QString::fromLatin1(name)).setValue(v); };

    const QString tmpText = tmp(t);
    const QString pmtText = pmt(t);
    set("TMP", tmpText);
    set("PMT", pmtText);
    QString pmt2 = pmtText;
    if (!t.fieldByName(QStringLiteral("Vystup")).isNull())
        pmt2 += QStringLiteral("(zruš.)");
    pmt2 += u',' + s("Code_numb");
    set("PMT2", pmt2);

    const QString adresa = s("Tp_street") + QStringLiteral(", ") + s("Tp_zip") + u' ' + s("Tp_city");
    set("CALC_ADRESA", adresa.left(100));
    set("CALC_SUBJ", (tmpText.trimmed() + QStringLiteral(", bytom ") + adresa + QStringLiteral(", nar. ")
                      + fmt::shortDate(t.fieldByName(QStringLiteral("Born_date")).asDate())
                      + QStringLiteral(", (ďalej pracovník),"))
                         .left(100));
    set("CALC_POHLAVIE", MyConsts::Text_pohlavia(MyConsts::Prvy_znak(s("Pohlavie"))));
    set("CALC_FZ_UVAZOK", MyConsts::Text_uvazku(MyConsts::Prvy_znak(s("Fz_uvazok"))));
    set("CALC_FZ_TYPZAM", MyConsts::Text_druhu_osoby(MyConsts::Prvy_znak(s("Fz_typzam"))));

    QString centre;
    const db::Field &sid = t.fieldByName(QStringLiteral("SID"));
    if (!sid.isNull())
        DM().Nazov_strediska(sid.asInt(), centre);
    set("CALC_STREDISKO", centre);
    set("CALC_AKTROK", DM().Aktualny_rok());

    QString fund;
    const db::Field &kdp = t.fieldByName(QStringLiteral("KDP"));
    if (!kdp.isNull()) {
        const auto r = detailQuery(QStringLiteral("select prijemca from cis_bu where buid_typ = 'Y' and buid_kod = :p1"),
                             {{QStringLiteral("p1"), kdp.asInteger()}});
        if (r.rowCount() > 0)
            fund = MyConsts::Text_druhu_prijemcu(u'Y', kdp.asInt()) + u' ' + r.asString(0, 0);
    }
    set("L_KDP", fund);
}

void newEmployee(TDMZ &dmz, db::DataSet &t)
{
    auto set = [&](const char *name, const QVariant &v) { t.fieldByName(QString::fromLatin1(name)).setValue(v); };
    set("Code_emp", dmz.Max_kod_zamestnanca() + 1);
    set("Pohlavie", QStringLiteral("M"));
    set("Rod_stav", QStringLiteral("1"));
    set("Stat_obcan", QStringLiteral("703"));
    set("Stat_tp", QStringLiteral("703"));
    set("TYPZEC", 1);
    set("Narodnost", QStringLiteral("Slovenská"));
    set("ZPS", false);
    set("ZTP", false);
    set("Miera_poklesu", 0);
    set("VYHL", true);
    set("RZP", false);
    set("Dan_zrazkou", false);
    const auto inf = detailQuery(QStringLiteral("select f_doba from inf"));
    set("F_doba", inf.rowCount() ? inf.value(0, 0) : QVariant());
    set("Fixny_mv_plat", false);
    set("Fz_hlavne", true);
    set("U_sviatky", false);
    set("Dan_nerezident", false);
    set("PN_DENNE", 0);
    set("VYNIMKA_VZ", QStringLiteral("0"));
    set("U_sds", 0);
    if (!DM().Pocita_nemocenske_davky())
        set("SID", 1);
    if (DM().Aktualne_stredisko() != 0)
        set("SID", DM().Aktualne_stredisko());
}

// Questions before a post, asked before its transaction begins.
void questionsBeforePost(db::DataSet &t)
{
    if (t.state() != db::DataSetState::Insert)
        return;
    // The birth number is kept without "/" and blanks; rows of older data that hold it with
    // them are found as well.
    const QString rc = MyConsts::Odstran_lomky_a_medzery(t.fieldByName(QStringLiteral("Born_numb")).asString());
    if (rc.isEmpty())
        return;
    const auto r = detailQuery(QStringLiteral("select code_numb, surname, name from zam z "
                                        "where replace(replace(z.born_numb, '/', ''), ' ', '') = :p1 "
                                        "order by code_numb"),
                         {{QStringLiteral("p1"), rc}});
    if (r.rowCount() > 0) {
        const QString meno = r.asString(0, 1).trimmed() + u' ' + r.asString(0, 2).trimmed();
        if (!MyConsts::Otazka_ano_nie(Msg(65049, rc, r.text(0, 0), meno)))
            throw EAbort();
    }
}

void beforeEmployeePost(TDMZ &dmz, db::DataSet &t)
{
    if (t.state() == db::DataSetState::Insert) {
        // Another workstation may have added an employee since this one was started: the
        // number is taken again inside the post's transaction, so two employees never share it.
        db::Field &code = t.fieldByName(QStringLiteral("Code_emp"));
        const int next = dmz.Max_kod_zamestnanca() + 1;
        if (code.isNull() || code.asInt() < next)
            code.setValue(next);
    }
    if (t.fieldByName(QStringLiteral("U_zdrav")).asInteger() > 0
        && t.fieldByName(QStringLiteral("KZP")).asInteger() == 0)
        throw EItemError(Msg(65031), QStringLiteral("KZP"));
    if (t.fieldByName(QStringLiteral("MV_plat")).asFloat() != 0
        && t.fieldByName(QStringLiteral("V_sadzba")).asFloat() != 0)
        throw EItemError(Msg(65030), QStringLiteral("MV_plat"));
}

// Refusal and questions before a delete, asked before its transaction begins.
void questionsBeforeDelete(db::DataSet &t)
{
    const int code = t.fieldByName(QStringLiteral("Code_emp")).asInt();
    const auto r = detailQuery(QStringLiteral("select count(*) from vyp where code_emp = :p1"),
                         {{QStringLiteral("p1"), code}});
    if (r.asInteger(0, 0) > 0)
        throw EMyError(Msg(65024));
    if (!MyConsts::Otazka_ano_nie(Msg(65053)) || !MyConsts::Otazka_ano_nie(Msg(65054)))
        throw EMyError(Msg(65055));
}

void beforeEmployeeDelete(db::DataSet &t)
{
    // Inside the delete's own transaction: the rows go together with the employee or stay.
    deleteChildRecords(t.fieldByName(QStringLiteral("Code_emp")).asInt());
}

void setChecks(db::Table &t)
{
    auto field = [&](const char *name) -> db::Field & { return t.declareField(QString::fromLatin1(name)); };

    field("Pohlavie").onValidate = [](db::Field &f) {
        const QChar c = MyConsts::Prvy_znak(f.asString());
        if (c != u'M' && c != u'Z')
            throw EMyError(Msg(65025));
    };
    field("Fz_uvazok").onValidate = [](db::Field &f) {
        const QString v = f.asString();
        if (!v.isEmpty() && !(v.size() == 1 && v[0] >= u'0' && v[0] <= u'3'))
            throw EMyError(Msg(65026));
    };
    field("Fz_typzam").onValidate = [](db::Field &f) {
        const QString v = f.asString();
        if (!v.isEmpty() && v != QLatin1String("O") && v != QLatin1String("Z") && v != QLatin1String("D"))
            throw EMyError(Msg(65027));
    };
    for (const char *name : {"U_zdrav", "U_nemoc", "U_dochod", "U_fondzam", "U_invalid"})
        field(name).onValidate = [](db::Field &f) { checkRange(f, 6, 65144); };
    for (const char *name : {"U_uraz", "U_rezerva", "U_garancne"})
        field(name).onValidate = [](db::Field &f) { checkRange(f, 2, 65145); };
    field("SID").onValidate = [](db::Field &f) {
        QString name;
        if (!DM().Nazov_strediska(f.asInt(), name)) {
            MyConsts::Sprava_chyba(Msg(65032));
            throw EAbort();
        }
    };
    field("Born_numb").onValidate = [](db::Field &f) {
        // Typed with "/" or blanks, the number is checked and kept without them, the same
        // form the duplicate check compares.
        const QString stripped = MyConsts::Odstran_lomky_a_medzery(f.asString());
        MyConsts::Kontrola_rodneho_cisla(stripped);
        if (stripped != f.asString())
            f.setValueSilently(stripped.isEmpty() ? QVariant() : QVariant(stripped));
    };
    // Typed text is stripped before it meets the field's size.
    field("Born_numb").onSetText = [](db::Field &f, const QString &text) {
        f.setValue(MyConsts::Odstran_lomky_a_medzery(text));
    };
    setAccountCheck(t, QStringLiteral("Predcislo_u"), QStringLiteral("Cislo_u"),
                       QStringLiteral("Banka_u"), QStringLiteral("SSym_u"));
    field("ZTP").onValidate = [](db::Field &f) {
        if (f.asBoolean() && !f.dataSet().fieldByName(QStringLiteral("ZPS")).asBoolean())
            throw EMyError(Msg(65029));
    };

    // The shown name is always built from its parts; typed text changes none of them.
    auto builtName = [](QString (*build)(const db::DataSet &)) {
        return [build](db::Field &f, QString &text, bool) { text = build(f.dataSet()); };
    };
    t.findField(QStringLiteral("TMP"))->onGetText = builtName(&tmp);
    t.findField(QStringLiteral("PMT"))->onGetText = builtName(&pmt);
    t.findField(QStringLiteral("TMP"))->onSetText = [](db::Field &f, const QString &text) { f.setValue(text); };
}

} // namespace

void setEmployeeEvents(TDMZ &dmz)
{
    db::Table &t = dmz.TZAM_;
    setEmployeeFields(t);
    setChecks(t);

    t.onNewRecord = [&dmz](db::DataSet &ds) { newEmployee(dmz, ds); };
    t.beforePostQuestions = [](db::DataSet &ds) { questionsBeforePost(ds); };
    t.beforePost = [&dmz](db::DataSet &ds) { beforeEmployeePost(dmz, ds); };
    t.beforeDeleteQuestions = [](db::DataSet &ds) { questionsBeforeDelete(ds); };
    t.beforeDelete = [](db::DataSet &ds) { beforeEmployeeDelete(ds); };
    t.afterDelete = [&dmz](db::DataSet &) {
        // The employee's rows are gone from the database; open detail tables read again.
        for (db::Table *d : {&dmz.TDET_, &dmz.TZRZ_, &dmz.TNEP_, &dmz.TDOCH_, &dmz.TELDP_, &dmz.TZP1_,
                             &dmz.TZP2_, &dmz.TZP3_, &dmz.TZP4_, &dmz.TZP5_})
            if (d->isActive() && !d->isEditing())
                d->refresh();
        if (hasDMP())
            if (db::Table &ppv = DMP().TPPV_; ppv.isActive() && !ppv.isEditing())
                ppv.refresh();
    };
    t.onCalcFields = [](db::DataSet &ds) { computeFields(ds); };
    t.afterScroll = [&dmz](db::DataSet &) {
        // Absences follow the employee only while the card links them.
        if (dmz.TNEP_.masterSource() != &dmz.DS_ZAM1)
            return;
        for (db::Table *d : {&dmz.TNEP_, &dmz.TDOCH_})
            if (d->isActive() && !d->isEditing())
                d->refresh();
    };

    joinLists(dmz.DS_ZAM1, {&dmz.DS_ZGRID, &dmz.DS_ZAMF});
    dmz.DS_ZAMF.onDataChange = [&dmz](db::DataSource &, db::Field *field) {
        if (field)
            return; // a field typed, not another employee
        if (dmz.Zmena_udajov_zamestnanca)
            dmz.Zmena_udajov_zamestnanca();
        if (dmz.Zmena_zamestnanca_vyplaty)
            dmz.Zmena_zamestnanca_vyplaty();
    };
}

} // namespace tarix::core
