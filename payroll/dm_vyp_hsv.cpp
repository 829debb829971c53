// Bulk monthly entry: the workstation's scratch table Hsv holds one row per employee of the
// open period and centre range with the month's variable inputs; posting writes each
// marked row into the employee's payroll of the open period through the payroll table's
// own insert, edit and post, so every row is computed exactly as from the payroll screen.
#include "payroll/dm_v.h"

#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/employment_period.h"
#include "core/helpers/messages.h"
#include "core/helpers/myconsts.h"
#include "payroll/calc/validators.h"
#include "payroll/dm_vyp_internal.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/dates.h"
#include "platform/ui/user_interface.h"

#include <optional>

namespace tarix::payroll {

namespace {

// The row's numeric inputs and the payroll fields they go to, in the order of posting.
struct Prenos {
    const char *hsv;
    const char *vyp;
};
constexpr Prenos kPrenos[] = {
    {"V_den", "V_den"},         {"V_sviatok", "V_sviatok"},       {"V_holiday", "V_holiday"},
    {"V_pn2", "V_pn2"},         {"V_pn1", "V_pn1"},               {"V_ocr2", "V_ocr2"},
    {"V_ocr1", "V_ocr1"},       {"V_hodina", "V_hodina"},         {"N_premie", "F_sadzba_premii"},
    {"N_odmeny", "N_odmeny"},   {"Zaloha", "Ne_zaloha"},          {"N_dohody_ovp", "N_dohody_ovp"},
    {"N_dohody_opc", "N_dohody_opc"}, {"Vh_nadcas", "Vh_nadcas"}, {"Vh_sobota", "Vh_sobota"},
    {"Vh_nedela", "Vh_nedela"}, {"Vh_sviatok", "Vh_sviatok"},     {"Vh_noc", "Vh_noc"},
    {"Vh_skod", "Vh_skod"},     {"Vh_priplat1", "Vh_priplat1"},   {"Vh_priplat2", "Vh_priplat2"},
    {"Vh_priplat3", "Vh_priplat3"}, {"Vh_priplat4", "Vh_priplat4"}, {"Vh_priplat5", "Vh_priplat5"},
};

// Columns of Hsv filled from an existing payroll, with the payroll's column (QHSV1_).
constexpr Prenos kZVyplaty[] = {
    {"V_den", "V_den"},       {"V_hodina", "V_hodina"},   {"V_sviatok", "V_sviatok"},
    {"V_holiday", "V_holiday"}, {"V_pn1", "V_pn1"},       {"V_pn2", "V_pn2"},
    {"V_ocr1", "V_ocr1"},     {"V_ocr2", "V_ocr2"},       {"N_premie", "F_sadzba_premii"},
    {"N_odmeny", "N_odmeny"}, {"N_dohody_ovp", "N_dohody_ovp"}, {"N_dohody_opc", "N_dohody_opc"},
    {"Zaloha", "Ne_zaloha"},  {"Vh_nadcas", "vh_nadcas"}, {"Vh_sobota", "vh_sobota"},
    {"Vh_nedela", "vh_nedela"}, {"Vh_sviatok", "vh_sviatok"}, {"Vh_noc", "vh_noc"},
    {"Vh_skod", "vh_skod"},   {"Vh_priplat1", "vh_priplat1"}, {"Vh_priplat2", "vh_priplat2"},
    {"Vh_priplat3", "vh_priplat3"}, {"Vh_priplat4", "vh_priplat4"}, {"Vh_priplat5", "vh_priplat5"},
};

struct Popis {
    const char *field;
    const char *label;
    const char *format;
};
constexpr Popis kPopisy[] = {
    {"Code_numb", "Os.č.", nullptr},        {"Zauctovany", "Stav", nullptr},
    {"PMT", "Priezvisko, meno, titul", nullptr}, {"V_den", "Odpr.dni", "0.0"},
    {"V_sviatok", "Dni sviatok", nullptr},  {"V_holiday", "Dni dovolenka", "0.0"},
    {"V_hodina", "Odpr.hodín", nullptr},    {"N_premie", "Prémie", "0"},
    {"N_odmeny", "Odmeny", "0"},            {"Zaloha", "Záloha", "0"},
    {"N_dohody_ovp", nullptr, "0.00"},      {"N_dohody_opc", nullptr, "0.00"},
    {"V_pn1", "Dni PN1", nullptr},          {"V_pn2", "Dni PN2", nullptr},
    {"V_ocr1", "Dni OČR1", nullptr},        {"V_ocr2", "Dni OČR2", nullptr},
    {"Vh_nadcas", "P-nadčas", nullptr},     {"Vh_sobota", "P-sobota", nullptr},
    {"Vh_nedela", "P-nedeľa", nullptr},     {"Vh_sviatok", "P-sviatok", nullptr},
    {"Vh_noc", "P-noc", nullptr},           {"Vh_skod", "P-škod", nullptr},
    {"Vh_priplat1", "P-priplat1", nullptr}, {"Vh_priplat2", "P-priplat2", nullptr},
    {"Vh_priplat3", "P-priplat3", nullptr}, {"Vh_priplat4", "P-priplat4", nullptr},
    {"Vh_priplat5", "P-priplat5", nullptr}, {"Priznak_uctovat", "Účtovať", nullptr},
};

// The columns that say whose row it is: the program fills them, the clerk only reads them.
constexpr const char *kRowIdentity[] = {"Code_numb", "Code_emp", "Zauctovany", "PMT"};

// Surname, first name and title joined by single blanks, blank parts left out.
QString pmt(const QString &surname, const QString &name, const QString &title)
{
    return MyConsts::Cele_meno(surname, name, title);
}

std::optional<double> fieldNumber(const db::Field &f)
{
    if (f.isNull())
        return std::nullopt;
    return f.asFloat();
}


int minCostCenter() { return core::hasDM() ? core::DM().Min_stredisko() : 0; }
int maxCostCenter() { return core::hasDM() ? core::DM().Max_stredisko() : 9999; }

} // namespace

void TDMV::setHsvEvents()
{
    // The month's payrolls with their employees. The employee is found by Code_emp, which
    // leads no index of Zam: read the other way round (each payroll looking for its
    // employee) a large firm would read the whole employee table once per payroll, so the
    // employees come first and each finds its payroll by the payroll's key.
    QHSV1_.setSql(QStringLiteral(
        "select v.Code_emp, v.V_den, v.V_hodina, v.V_sviatok, v.V_holiday, v.V_pn1, v.V_pn2, v.V_ocr1, "
        "v.V_ocr2, v.F_sadzba_premii, v.N_odmeny, v.N_dohody_ovp, v.N_dohody_opc, v.Ne_zaloha, v.MV_plat, "
        "v.vh_nadcas, v.vh_sobota, v.vh_nedela, v.vh_sviatok, v.vh_noc, v.vh_skod, "
        "v.vh_priplat1, v.vh_priplat2, v.vh_priplat3, v.vh_priplat4, v.vh_priplat5, "
        "z.code_numb, z.surname, z.name, z.title from zam z cross join vyp v on v.code_emp = z.code_emp "
        "and v.v_obdobie = :v_obdobie where v.sid between :sid1 and :sid2"));
    db::Table &t = THSV_;
    t.setIndexFieldNames(QStringLiteral("Code_numb;Code_emp"));
    for (const Popis &p : kPopisy) {
        db::Field &f = t.declareField(QString::fromUtf8(p.field));
        if (p.label)
            f.setLabel(QString::fromUtf8(p.label));
        if (p.format)
            f.setDisplayFormat(QString::fromLatin1(p.format));
    }
    t.addCalculatedField(QStringLiteral("CALC_DNI_PN"), db::FieldType::Integer).setLabel(QStringLiteral("Dni PN"));
    t.addCalculatedField(QStringLiteral("CALC_DNI_OCR"), db::FieldType::Float).setLabel(QStringLiteral("Dni OČR"));
    for (const char *name : {"CALC_DNI_PN", "CALC_DNI_OCR"})
        t.fieldByName(QString::fromLatin1(name)).setReadOnly(true);
    // Typed over, a row would name an employee posting cannot find (or another one).
    for (const char *name : kRowIdentity)
        t.declareField(QString::fromLatin1(name)).setReadOnly(true);
    t.onCalcFields = [](db::DataSet &ds) {
        ds.setValue(QStringLiteral("CALC_DNI_PN"), ds.fieldByName(QStringLiteral("V_pn1")).asInt()
                                                       + ds.fieldByName(QStringLiteral("V_pn2")).asInt());
        ds.setValue(QStringLiteral("CALC_DNI_OCR"), ds.fieldByName(QStringLiteral("V_ocr1")).asFloat()
                                                        + ds.fieldByName(QStringLiteral("V_ocr2")).asFloat());
    };
    // The clerk neither adds nor removes rows: only the program's own inserts go on.
    auto lenProgram = [this](db::DataSet &) {
        if (!Povolene_vlozenie)
            throw EAbort();
        Povolene_vlozenie = false;
    };
    t.beforeInsert = lenProgram;
    t.beforeDelete = lenProgram;
    t.beforePost = [](db::DataSet &ds) {
        if (ds.fieldByName(QStringLiteral("V_hodina")).asFloat() > 0
            && ds.fieldByName(QStringLiteral("V_den")).asFloat() == 0) {
            MyConsts::Sprava_chyba(Msg(65044));
            throw EAbort();
        }
    };
    for (const char *name : {"V_den", "V_sviatok", "V_holiday"}) {
        t.declareField(QString::fromLatin1(name)).onValidate = [](db::Field &f) {
            try {
                Kontrola_desatinnej_casti(fieldNumber(f));
            } catch (const EMyError &e) {
                MyConsts::Sprava_chyba(e.text());
                throw EAbort();
            }
        };
    }
}

void TDMV::Napln_hsv()
{
    db::Session &s = THSV_.session();
    const int obdobie = detail::openPayrollPeriod(s);
    const QDate uzavierka = closingDate();
    const int obdobieUzavierky = MyConsts::Obdobie_z_datumu(uzavierka);
    if (obdobieUzavierky != 0 && obdobieUzavierky >= obdobie) {
        MyConsts::Sprava_chyba(Msg(65106, fmt::shortDate(uzavierka)));
        throw EAbort();
    }

    db::ControlsDisabled controls(THSV_);
    DS_HSV.setEnabled(false);
    THSV_.close();
    const db::Params rozsah{{QStringLiteral("v_obdobie"), obdobie},
                            {QStringLiteral("sid1"), minCostCenter()},
                            {QStringLiteral("sid2"), maxCostCenter()}};
    const db::SqlResult vyplaty = s.run(QHSV1_.sqlText(), rozsah, QHSV1_.aliasName());
    db::Params mesiac = rozsah;
    MyConsts::setPeriodDays(mesiac, MyConsts::monthDays(obdobie));
    const db::SqlResult bezVyplaty = s.run(QHSV2_.sqlText(), mesiac, QHSV2_.aliasName());

    QStringList contextColumns{QStringLiteral("Code_numb"), QStringLiteral("Code_emp"), QStringLiteral("Zauctovany"),
                       QStringLiteral("Priznak_uctovat"), QStringLiteral("PMT")};
    for (const Prenos &p : kZVyplaty)
        contextColumns << QString::fromLatin1(p.hsv);
    QStringList parametre;
    for (const QString &c : contextColumns)
        parametre << u':' + c.toLower();
    const QString vloz = QStringLiteral("insert into \":tarix_priv:hsv\" (") + contextColumns.join(u',')
                         + QStringLiteral(") values (") + parametre.join(u',') + u')';
    {
        db::Transaction tx(&s);
        s.execute(QStringLiteral("delete from \":tarix_priv:hsv\""));
        auto spolocne = [](db::Params &p, qint64 numb, qint64 emp, const QString &meno) {
            p.set(QStringLiteral("code_numb"), numb);
            p.set(QStringLiteral("code_emp"), emp);
            p.set(QStringLiteral("zauctovany"), QStringLiteral("0"));
            p.set(QStringLiteral("priznak_uctovat"), QStringLiteral("1"));
            p.set(QStringLiteral("pmt"), meno);
        };
        const int numbCol = vyplaty.columnIndex(QStringLiteral("code_numb"));
        const int empCol = vyplaty.columnIndex(QStringLiteral("Code_emp"));
        const int surnameCol = vyplaty.columnIndex(QStringLiteral("surname"));
        const int nameCol = vyplaty.columnIndex(QStringLiteral("name"));
        const int titleCol = vyplaty.columnIndex(QStringLiteral("title"));
        std::vector<int> zdroj;
        for (const Prenos &p : kZVyplaty)
            zdroj.push_back(vyplaty.columnIndex(QString::fromLatin1(p.vyp)));
        for (int i = 0; i < vyplaty.rowCount(); ++i) {
            db::Params p;
            spolocne(p, vyplaty.asInteger(i, numbCol), vyplaty.asInteger(i, empCol),
                     pmt(vyplaty.asString(i, surnameCol), vyplaty.asString(i, nameCol),
                         vyplaty.asString(i, titleCol)));
            for (size_t k = 0; k < zdroj.size(); ++k)
                p.set(QString::fromLatin1(kZVyplaty[k].hsv).toLower(), vyplaty.value(i, zdroj[k]));
            s.execute(vloz, p);
        }
        for (int i = 0; i < bezVyplaty.rowCount(); ++i) {
            db::Params p;
            spolocne(p, bezVyplaty.asInteger(i, 1), bezVyplaty.asInteger(i, 0),
                     pmt(bezVyplaty.asString(i, 3), bezVyplaty.asString(i, 2), bezVyplaty.asString(i, 4)));
            for (const Prenos &k : kZVyplaty)
                p.set(QString::fromLatin1(k.hsv).toLower(), QVariant());
            s.execute(vloz, p);
        }
        tx.commit();
    }
    THSV_.open();
    THSV_.first();
    DS_HSV.setEnabled(true);
}

void TDMV::Uctuj_hsv()
{
    db::Session &s = THSV_.session();
    const int obdobie = detail::openPayrollPeriod(s);
    Pocet_zauctovanych = 0;
    m_rowsNotPosted.clear();
    // A closed month is refused once, before any row is touched.
    const QDate uzavierka = closingDate();
    const int obdobieUzavierky = MyConsts::Obdobie_z_datumu(uzavierka);
    if (obdobieUzavierky != 0 && obdobieUzavierky >= obdobie) {
        MyConsts::Sprava_chyba(Msg(65106, fmt::shortDate(uzavierka)));
        return;
    }
    if (!THSV_.isActive())
        THSV_.open();
    THSV_.checkBrowseMode();
    if (TVYP_.isActive())
        TVYP_.checkBrowseMode();

    struct Priznak {
        TDMV &dm;
        explicit Priznak(TDMV &d) : dm(d) { dm.Bez_kontroly_duplicity = true; }
        ~Priznak() { dm.Bez_kontroly_duplicity = false; }
    } priznak(*this);
    // The module's chosen employee is only borrowed for the payrolls created here.
    const EmployeeKey zvoleny = m_zamestnanec;
    struct restoreBackup {
        EmployeeKey &ciel;
        EmployeeKey hodnota;
        ~restoreBackup() { ciel = hodnota; }
    } obnova{m_zamestnanec, zvoleny};

    ui::ProgressScope progress;
    MyConsts::Zobraz_priebeh(0);
    {
        db::ControlsDisabled hsv(THSV_);
        DS_HSV.setEnabled(false);
        db::CursorStateGuard cursor(TVYP_);
        if (!TVYP_.isActive())
            TVYP_.open();
        db::ControlsDisabled vyp(TVYP_);
        TVYP_.setFiltered(false);
        TVYP_.setIndexName(QString());

        // One transaction for the run (each row's post is its own savepoint, so a refused
        // row leaves nothing behind) and the batch state: nothing is asked per row, a
        // refusal comes back as an error, and the rows refused are named to the clerk once
        // the run is stored, not while other programs wait for it.
        {
            sharedContext(m_kontext);
            m_davkovaUzavierka = uzavierka;
            m_davka = true;
            struct KoniecDavky {
                TDMV &dm;
                ~KoniecDavky()
                {
                    dm.m_davka = false;
                    dm.m_davkovaUzavierka.reset();
                }
            } koniec{*this};
            db::Transaction tx(&s);
            s.execute(QStringLiteral("update \":tarix_priv:hsv\" set zauctovany='0'"));
            THSV_.refresh();
            const int pocet = THSV_.recordCount();
            int c = 0;
            int zobrazene = 0;
            for (THSV_.first(); !THSV_.eof(); THSV_.next()) {
                ++c;
                auto unposted = [this](const QString &reason) {
                    m_rowsNotPosted << THSV_.fieldByName(QStringLiteral("Code_numb")).asString() + u' '
                                          + THSV_.fieldByName(QStringLiteral("PMT")).asString() + QStringLiteral(": ")
                                          + reason;
                };
                try {
                    Uctuj_riadok_hsv();
                } catch (const EMyError &e) { // refusals of the payroll's checks and db errors
                    unposted(e.text());
                } catch (const EAbort &) {
                    unposted(QStringLiteral("Spracovanie výplaty bolo prerušené."));
                }
                const int percent = int(qint64(c) * 100 / qMax(1, pocet));
                if (percent != zobrazene && percent < 100) {
                    MyConsts::Zobraz_priebeh(percent);
                    zobrazene = percent;
                }
            }
            tx.commit();
        }
        refreshDetails();
        THSV_.refresh();
        THSV_.first();
    }
    DS_HSV.setEnabled(true);
    MyConsts::Zobraz_priebeh(100);
}

void TDMV::Uctuj_riadok_hsv()
{
    db::Table &h = THSV_;
    if (h.fieldByName(QStringLiteral("Priznak_uctovat")).asString() != QStringLiteral("1"))
        return;
    db::Session &s = h.session();
    const int codeNumb = h.fieldByName(QStringLiteral("Code_numb")).asInt();
    const int codeEmp = h.fieldByName(QStringLiteral("Code_emp")).asInt();
    const db::Params keys{{QStringLiteral("n"), codeNumb}, {QStringLiteral("e"), codeEmp}};
    const QString found = QStringLiteral("select 1 from \":tarix_data:zam\" where code_numb = :n and code_emp = :e");
    if (s.run(found, keys).rowCount() == 0) {
        // Deleted or renumbered since the fill: the row's inputs belong to nobody now.
        const db::SqlResult now = s.run(QStringLiteral("select code_numb from \":tarix_data:zam\" where code_emp = :e"),
                                        {{QStringLiteral("e"), codeEmp}});
        if (now.rowCount() == 0)
            throw EMyError(QStringLiteral("Zamestnanec bol medzitým vymazaný."));
        throw EMyError(QStringLiteral("Zamestnanec má medzitým osobné číslo %1.").arg(now.asInteger(0, 0)));
    }
    const int obdobie = detail::openPayrollPeriod(s);
    db::Table &v = TVYP_;
    // The table narrowed to the one payroll (also while a new one is inserted): finding and
    // storing it costs the same however large the month is.
    v.setRangeEquals({codeEmp, obdobie});
    db::EditGuard guard(v);
    if (!v.isEmpty()) {
        v.edit();
    } else {
        setEmployee(codeNumb, codeEmp);
        v.insert();
    }
    for (const Prenos &p : kPrenos)
        v.fieldByName(QString::fromLatin1(p.vyp)).setValue(h.fieldByName(QString::fromLatin1(p.hsv)).asFloat());
    v.post();

    // The row is marked by its key: the scratch table is read again once, after the run.
    s.execute(QStringLiteral("update \":tarix_priv:hsv\" set zauctovany='1' where code_numb = :n and code_emp = :e"),
              keys);
    ++Pocet_zauctovanych;
    if (!m_davka)
        h.refresh();
}

} // namespace tarix::payroll
