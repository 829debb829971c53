-- Table definitions of the workstation's private folder (alias TARIX_PRIV).
-- Conventions: data/schema/README.md.

-- The workstation's open period and cost centre (one row)
CREATE TABLE Priv (
    ROK SMALLINT NOT NULL,
    MESIAC SMALLINT NOT NULL,
    SID SMALLINT NOT NULL
);

-- The workstation's program password (one row)
CREATE TABLE Sys (
    ADMIN VARCHAR(20)
);

-- Scratch: yearly totals per employee for the employer's yearly tax report
CREATE TABLE HLD (
    Code_emp INTEGER,
    Prijmy MONEY_REAL,
    Zaklad_dane MONEY_REAL,
    Preddavky MONEY_REAL,
    Prijmy_nepenazne MONEY_REAL,
    Vyplateny_bonus MONEY_REAL,
    Pocet_deti SMALLINT,
    Mesiace VARCHAR(13),
    PRIMARY KEY (Code_emp)
);

-- Scratch: bulk monthly entry of the month's variable inputs per employee
CREATE TABLE Hsv (
    Code_numb INTEGER,
    Code_emp INTEGER,
    Zauctovany VARCHAR(1),
    PMT VARCHAR(50),
    V_den FLOAT,
    V_sviatok SMALLINT,
    V_holiday FLOAT,
    V_hodina FLOAT,
    N_premie MONEY_REAL,
    N_odmeny MONEY_REAL,
    Zaloha MONEY_REAL,
    N_dohody_ovp MONEY_REAL,
    N_dohody_opc MONEY_REAL,
    Priznak_uctovat VARCHAR(1),
    V_pn1 SMALLINT,
    V_pn2 SMALLINT,
    V_ocr1 FLOAT,
    V_ocr2 FLOAT,
    Vh_nadcas FLOAT,
    Vh_sobota FLOAT,
    Vh_nedela FLOAT,
    Vh_sviatok FLOAT,
    Vh_noc FLOAT,
    Vh_skod FLOAT,
    Vh_priplat1 FLOAT,
    Vh_priplat2 FLOAT,
    Vh_priplat3 FLOAT,
    Vh_priplat4 FLOAT,
    Vh_priplat5 FLOAT,
    PRIMARY KEY (Code_numb, Code_emp)
);

-- Scratch: lines of the last cost recapitulation with the amounts owed to each institution
CREATE TABLE nakl (
    RIADOK SMALLINT,
    TEXT VARCHAR(80),
    SUMA MONEY_REAL,
    IDENT_SYMBOL VARCHAR(1),
    IDENT_CISLO SMALLINT,
    SUMA1 MONEY_REAL,
    PRIMARY KEY (RIADOK)
);
