#pragma once
// The main data module TDM: year parameters (Setup), tax bands (DZP), the firm header
// (Inf), the workstation's private tables (Priv, Sys, HLD), the statement signatory
// (Tlac_par) and the code tables; its accessors give the open period, the cost-centre
// range and the texts that headings and captions show.
#include "core/data_module.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QVariant>

namespace tarix::core {

// The employer's data at one health insurer, as TDM::Nacitaj_udaje_zp loads it from the
// insurer's payee row; the insurers' batch files read it.
struct TCBU {
    QString Cislo_platitela; // the employer's payer number at the insurer (OLD_CISLO_U)
    int Pobocka_zp = 0;      // the insurer's branch (POBOCKA_ZP)
    QString Ico;             // the insurer's company number (ICO)
};

class TDM : public DataModule {
public:
    TDM();
    ~TDM() override;

    // Tables (component names of the program).
    db::Table &TSET_;   // Setup.DB (TARIX_COMM), year parameters
    db::Table &TDZP_;   // DZP.DB (TARIX_COMM), annual tax bands
    db::Table &TINF_;   // Inf.db (TARIX_DATA), firm header
    db::Table &TPRIV_;  // Priv.DB (TARIX_PRIV), open period and cost centre
    db::Table &TSYS_;   // Sys.DB (TARIX_PRIV), program password
    db::Table &THLD_;   // HLD.db (TARIX_PRIV), yearly totals scratch table
    db::Table &TTLA_;   // Tlac_par.DB (TARIX_DATA), statement signatory
    db::Table &TXYZ_;   // a firm's INF.DB by path (firm menu)
    // Code tables.
    db::Table &CIS0_;   // Cis_par.db, statutory parameters
    db::Table &CIS0X_;  // Cis_par.db, second view
    db::Table &CIS1_;   // Cis_zp.db, health insurers
    db::Table &CIS2_;   // Cis_vm.db, cost centres
    db::Table &CIS3_;   // Cis_pd.db, child-allowance contributions
    db::Table &CIS4_;   // Cis_bu.DB, payees
    db::Table &CIS5_;   // Cis_vvz.DB, exemptions from the minimum assessment base
    db::Table &CISPUX_; // cis_pu.DB, bookkeeping lines
    db::Table &CIS6_;   // CIS_STAT.DB, countries
    db::Table &CIS7_;   // Prerus1.DB, reasons for interrupting insurance
    db::Table &CIS8_;   // Typrl.db, absence kinds
    db::Table &CIS9_;   // Typzel.DB, employer kinds
    db::Table &CIS10_;  // Typzec.DB, employment-relation kinds
    db::Table &CIS11_;  // CIS_STAV.db, marital status
    db::Table &CIS12_;  // Typrl2.db
    db::Table &CIS13_;  // CIS_DOCH.DB, pension kinds
    db::Table &CIS14_;  // CIS_ELDZ.db
    db::Table &CIS15_;  // Typzuct.db
    db::Query &QCIS3a_; // Cis_pd row for a child's age
    db::Query &QCIS3b_;
    db::Query &QDDP_;   // supplementary pension funds among the payees

    db::DataSource &DS_DZP;
    db::DataSource &DS_DZPG;
    db::DataSource &DS_INF;
    db::DataSource &DS_SET;

    // ---- accessors of the open period (the private table must hold its row) -------------
    int Aktualny_rok() const;
    int Aktualny_mesiac() const;
    int Aktualne_obdobie() const;
    int Aktualne_stredisko() const;
    int Min_stredisko() const;
    int Max_stredisko() const;
    QString Filter_stredisk() const;
    QString Nazov_obdobia(bool upperCase) const;
    QString Kratky_text_obdobia() const;
    QString Text_strediska();
    QString Text_cisla_strediska() const;
    QString Text_firmy_so_strediskom() const;
    // The centre's name; false and an empty name when the centre is not in the code table.
    // Touches no shared dataset.
    bool Nazov_strediska(int centre, QString &name) const;
    bool Pocita_nemocenske_davky() const;
    QString Text_typu_premii() const;

    // The surcharge kinds as eight "0"/"1" characters (most significant bit first), filled
    // by the employer screen; the firm header's post turns a full text into F_TYP_PRIPL and
    // F_TYP_PRIPL2.
    QString Text_priplatkov;
    QString Text_priplatkov2;

    // Exemption filter mode of CIS5_ (0 or 1).
    int exceptionFilterMode() const { return m_rezimVynimiek; }
    void setExceptionFilterMode(int mode) { m_rezimVynimiek = mode; }
    // Keeps the mode and sets CIS5_'s filter text for it (mode 0 none, mode 1 the codes of
    // August to December 2006); filtering stays off and an open table re-reads its rows so
    // that CALC_ID follows the mode. (dm_code_tables.cpp)
    void Nastav_filter_vynimiek(int mode);
    // The exemption texts (CALC_ID) of the rows CIS5_ shows, in code order; the table is
    // left on its last row. A null list is left alone. (dm_code_tables.cpp)
    void Napln_zoznam_vynimiek(QStringList *list);

    // ---- health insurers and countries (read by the statements and the filings) ---------
    // These read the tables directly: no shared dataset moves, and they work whether or not
    // the code tables are open. Database errors pass to the caller.

    // The insurer's name: its TEXT as stored when not blank, else the "nn - text" form of
    // CALC_NAZOV; an insurer missing from Cis_zp gets the payee text "Zdrav.poisť.č.nn".
    QString Nazov_zdravotnej_poistovne(int cislo) const;
    // The employer's payer number at the insurer: OLD_CISLO_U of its payee row ("Z", cislo),
    // also when that is empty; without such a row the firm's ICO.
    QString Cislo_platitela_zp(int cislo) const;
    // Fills Udaje_cbu from the payee row ("Z", cislo); without the row it is left cleared,
    // whatever an earlier call had loaded.
    void Nacitaj_udaje_zp(int cislo);
    TCBU Udaje_cbu;
    // The country's AKRONYM from CIS_STAT for a three-letter code; an empty code gives an
    // empty text without reading the table, and so does a code the table lacks.
    QString Akronym_statu(const QString &kod3) const;

private:
    // Reads the period row when TPRIV_ is closed (accessors never open a table).
    QVariant privateFolderDb(const char *field) const;
    int m_rezimVynimiek = 0;
    // What privateFolderDb() read from the closed table, kept while the row cannot have changed: no
    // write of this connection to Priv, no commit of another connection to its file, no
    // rollback and no re-pointed alias since (the session's marks below).
    struct PrivateMark {
        const void *session = nullptr;
        quint64 attachments = 0, generation = 0, writes = 0;
        qint64 dataVersion = 0;
        bool operator==(const PrivateMark &) const = default;
    };
    mutable PrivateMark m_privMark;
    mutable QHash<QByteArray, QVariant> m_privValues;
};

// Event wiring of the module, kept in files of their own.
void setMainModuleEvents(TDM &dm); // dm_main_events.cpp
void setCodeTableEvents(TDM &dm);      // dm_code_tables.cpp

// The process-wide instance; throws when start-up has not created it.
TDM &DM();
bool hasDM();
// Start-up's creator of the module (the instance lives until destroyDM()).
void createDM();
void destroyDM();

} // namespace tarix::core
