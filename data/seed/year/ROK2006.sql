-- Year folder COMMON/ROK2006/ (alias TARIX_COMM): statutory values of 2006 in Slovak crowns.
-- Load data/seed/year/common-codes.sql into the same folder first.
-- Every value is the one valid on 1 January; a later value within the year is named in the
-- comment beside the row and is entered by the clerk in the code-list editor when it takes effect.
-- Marks: ✔ confirmed by the cited source, ≈ derived by the stated formula, 'unconfirmed:' best
-- knowledge, 'no source:' a program setting or a value no source gives (see data/seed/README.md).
-- Sources are named beside the values: acts, government regulations and notices of the
-- Collection of Laws (Coll.) and the social insurer's published table. VVZ is the general
-- assessment base of a year, ŽM the subsistence minimum.

-- Statutory parameters: the ids that the program reads. Id 33 is not shipped: the data upgrade
-- on opening adds it with the workstation's compatibility setting Priplatky of TRX.INI.
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (1, 'DOPRAVNE_MAX', 0, 'Strop cestovného (len obdobia 4/1999 až 12/1999)');
  -- no source: read only for the periods 199904-199912; 0 has no effect in this year
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (4, 'DOPRAVNE_HRAN', 0, 'Hranica hrubej mzdy pre cestovné (len rok 1999)');
  -- no source: read only for the periods 199904-199912; 0 has no effect in this year
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (5, 'DOPRAVNE_MIMOR', 0, 'Mimoriadne cestovné výdavky (len rok 1999)');
  -- no source: read only for the periods 199904-199912; 0 has no effect in this year
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (12, 'VP_NA_STRANU', 0, 'Výplatné pásky za sebou na jednej strane (ÁNO=1,NIE=0)');
  -- no source: program setting; 0 prints one payslip per page
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (17, 'HP_POLOZIEK', 10, 'Počet položiek hromadného príkazu na jednu stranu');
  -- no source: program setting, invented by necessity (a value of 0 would put every item on a page of its own)
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (18, 'MIN_POIST_SKODA', 70, 'Minimálne štvrťročné poistné zodpovednosti za škodu');
  -- from the statement form's own instruction text (70 Sk a quarter); the statement is made only for periods before 2004
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (19, 'MAX_VZ_ZP', 47475, 'Maximálny mesačný vymeriavací základ - zdravotné');
  -- ✔ Act 580/2004 Coll. § 13 (3 × 15 825, the average wage of 2004)
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (20, 'MAX_VZ_NP', 23738, 'Max. mesačný VZ - nemocenské a garančné poistenie');
  -- ✔ Act 461/2003 Coll. § 138 (1.5 × 15 825, VVZ 2004 / 12); from 1.7.2006: 25 911 ≈ (1.5 × 17 274, VVZ 2005 / 12, Notice 228/2006 Coll.)
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (21, 'MAX_VZ_DP', 47475, 'Max. mesačný VZ - starobné, invalidné, rezervný fond');
  -- ✔ Act 461/2003 Coll. § 138 (3 × 15 825, VVZ 2004 / 12); from 1.7.2006: 51 822 ≈ (3 × 17 274, VVZ 2005 / 12, Notice 228/2006 Coll.)
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (22, 'MAX_VZ_PVN', 47475, 'Max. mesačný VZ - poistenie v nezamestnanosti');
  -- equals the old-age maximum (Act 461/2003 Coll. § 138); ✔ Act 461/2003 Coll. § 138 (3 × 15 825, VVZ 2004 / 12); from 1.7.2006: 51 822 ≈ (3 × 17 274, VVZ 2005 / 12, Notice 228/2006 Coll.)
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (23, 'NCZD_MESACNE', 7568, 'Nezdaniteľná časť základu dane na daňovníka - mesačne');
  -- ✔ Act 595/2003 Coll. § 11 (90 816 a year = 19.2 × ŽM 4 730)
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (24, 'PRIDAV_NA_DIETA', 540, 'Prídavok na dieťa - mesačne na jedno dieťa');
  -- unconfirmed: 540 Sk 2004-2007 best knowledge
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (26, 'DDP_ZAKLAD', 1, 'Základ príspevku na DDP: 1=hrubá mzda, iné=základná mzda');
  -- no source: program setting
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (27, 'ZNIZ_DP_DIETA', 0, 'Zníženie sadzby starobného poistenia na dieťa (%)');
  -- the old-age child reduction was abolished on 1.1.2006 (Act 461/2003 Coll. as in force from 2006)
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (28, 'DANOVY_BONUS', 540, 'Daňový bonus na dieťa - mesačne');
  -- ✔ Act 595/2003 Coll. § 33; 540 all year
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (29, 'ZPS_HRANICA', 40.01, 'Miera poklesu schopnosti pre zníženú sadzbu ZP (%)');
  -- unconfirmed: decline of earning capacity of more than 40 % (Act 580/2004 Coll. § 12(2) in its later wording); the program tests 'at least', so 40.01 (the field shows two decimals) stands for 'more than 40'
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (30, 'MIN_MZDA', 6900, 'Minimálna mzda - mesačne');
  -- ✔ Government Regulation 428/2005 Coll.; from 1.10.2006: 7 600 unconfirmed (Government Regulation 540/2006 Coll., amount best knowledge)
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (31, 'ZRAZ_DAN_LIMIT', 5000, 'Hranica príjmu pre zrážkovú daň - mesačne');
  -- ✔ Act 595/2003 Coll. § 43(3)(j), added by Act 534/2005 Coll.
INSERT INTO Cis_par (ID, SKRATKA, HODNOTA, POPIS) VALUES (32, 'ZRAZ_DAN_POSUN', 0, 'Zrážková daň k preddavkovej posunutá o 1 mesiac(ÁNO=1,NIE=0)');
  -- the row that the data upgrade would add, with its value

-- Year parameters, one row. Working days JAN..DEC are Monday-Friday days less the public
-- holidays on Monday-Friday; JAN1..DEC1 are those holidays (≈ computed from
-- the public holidays of Act 241/1993 Coll.;
-- 247 working days and 13 holidays on working days in 2006).
INSERT INTO Setup (
  JAN,
  FEB,
  MAR,
  APR,
  MAJ,
  JUN,
  JUL,
  AUG,
  SEP,
  OKT,
  NOV,
  DEC,
  JAN1,
  FEB1,
  MAR1,
  APR1,
  MAJ1,
  JUN1,
  JUL1,
  AUG1,
  SEP1,
  OKT1,
  NOV1,
  DEC1,
  F_PN_DNI,
  F_PN1,
  F_PN2,
  F_OCR,
  F_URAZ,
  F_MIN_MZDA,
  F_NEMMAX,
  F_NEMMIN,
  F_POISTMAX,
  F_ZDRAVOT,
  F_NEMOC,
  F_DOCHOD,
  F_FONDZ,
  FZ_ZDRAVOT,
  FZ_NEMOC,
  FZ_DOCHOD,
  FZ_FONDZ,
  F_ZDRAVOT1,
  F_NEMOC1,
  F_DOCHOD1,
  F_FONDZ1,
  FZ_ZDRAVOT1,
  FZ_NEMOC1,
  FZ_DOCHOD1,
  FZ_FONDZ1,
  FZ_GARFOND,
  FZ_GARFOND1,
  F_INVALID,
  FZ_INVALID,
  FZ_URAZ,
  FZ_REZERVA,
  F_ZAODVOD,
  F_SMODVOD,
  F_ZAFONDZ,
  F_SMFONDZ,
  F_ZADANZP,
  F_SMDANZP,
  F_ZAPREDDAV,
  F_SMPREDDAV,
  F_ZAZAKLPOIST,
  F_SMZAKLPOIST,
  ZAOKRUH1,
  ZAOKRUH1SM,
  ZAOKRUH2,
  ZAOKRUH2SM,
  ZAOKRUH3,
  ZAOKRUH3SM,
  ZAOKRUH4,
  ZAOKRUH4SM,
  ZAOKRUH5,
  ZAOKRUH5SM,
  ZAOKRUH6,
  ZAOKRUH6SM,
  ZAOKRUH7,
  ZAOKRUH7SM,
  ZAOKRUH8,
  ZAOKRUH8SM,
  ZAOKRUH9,
  ZAOKRUH9SM,
  ZAOKRUH10,
  ZAOKRUH10SM,
  ZAOKRUH11,
  ZAOKRUH11SM,
  ZAOKRUH12,
  ZAOKRUH12SM,
  F_DAN_SADZBA1,
  F_DAN_MAXIMUM1,
  F_MIN_POIST_SKODA,
  U_ZDRAV1,
  U_ZDRAV2,
  U_NEMOC1,
  U_NEMOC2,
  U_DOCHOD1,
  U_DOCHOD2,
  U_FONDZAM1,
  U_FONDZAM2
) VALUES (
  21,         -- JAN
  20,         -- FEB
  23,         -- MAR
  18,         -- APR
  21,         -- MAJ
  22,         -- JUN
  20,         -- JUL
  22,         -- AUG
  19,         -- SEP
  22,         -- OKT
  20,         -- NOV
  19,         -- DEC
  1,          -- JAN1
  0,          -- FEB1
  0,          -- MAR1
  2,          -- APR1
  2,          -- MAJ1
  0,          -- JUN1
  1,          -- JUL1
  1,          -- AUG1
  2,          -- SEP1
  0,          -- OKT1
  2,          -- NOV1
  2,          -- DEC1
  3,          -- F_PN_DNI: first band of the employer's sick pay: days 1-3 ✔ Act 462/2003 Coll.; copied into each payroll record, no step reads it
  25,         -- F_PN1: sick pay days 1-3: 25 % of the daily base ✔ Act 462/2003 Coll.
  55,         -- F_PN2: sick pay days 4-10: 55 % ✔ Act 462/2003 Coll.
  55,         -- F_OCR: unconfirmed: care benefit 55 % of the daily base (Act 461/2003 Coll., not checked against its text); copied into each payroll record, no step reads it
  0,          -- F_URAZ: no source: meaning not stated; copied into each payroll record, no step reads it
  6900,       -- F_MIN_MZDA: minimum wage on 1 January, as id 30
  999999,     -- F_NEMMAX: no separate cap of the daily base from 2005, only the maximum sickness bases limit it ✔ (Act 461/2003 Coll.); 999999 stands for 'no limit' (0 would cut every daily base to 0)
  0,          -- F_NEMMIN: no statutory minimum of the daily base
  47475,      -- F_POISTMAX: shown on the settings screen only; mirrors id 21
  4,          -- F_ZDRAVOT: health, employee 4 % ✔ (Act 580/2004 Coll. § 12)
  1.4,        -- F_NEMOC: sickness, employee ✔ (Act 461/2003 Coll.); pensioners excluded 1.8.2006-31.12.2007 (Act 461/2003 Coll. as in force then) by the employee's flags
  4,          -- F_DOCHOD: old-age, employee ✔ (Act 461/2003 Coll.)
  1,          -- F_FONDZ: unemployment, employee ✔ (Act 461/2003 Coll.)
  10,         -- FZ_ZDRAVOT: health, employer 10 % ✔ (Act 580/2004 Coll. § 12)
  1.4,        -- FZ_NEMOC: sickness, employer ✔ (Act 461/2003 Coll.)
  14,         -- FZ_DOCHOD: old-age, employer ✔ (Act 461/2003 Coll.); for a 2nd-pillar saver 5 % to SP and 9 % to the pension fund company (Act 43/2004 Coll.)
  1,          -- FZ_FONDZ: unemployment, employer ✔ (Act 461/2003 Coll.)
  2,          -- F_ZDRAVOT1: health, employee with a disability 2 % ✔ Act 580/2004 Coll. § 12
  1.4,        -- F_NEMOC1: second rate set: no reduced sickness rate; same as F_NEMOC
  4,          -- F_DOCHOD1: second rate set: same as F_DOCHOD
  1,          -- F_FONDZ1: second rate set: same as F_FONDZ
  5,          -- FZ_ZDRAVOT1: health, employer for an employee with a disability 5 % ✔ Act 580/2004 Coll. § 12
  1.4,        -- FZ_NEMOC1: employer reliefs apply only before 2004; same as FZ_NEMOC
  14,         -- FZ_DOCHOD1: employer reliefs apply only before 2004; same as FZ_DOCHOD
  1,          -- FZ_FONDZ1: employer reliefs apply only before 2004; same as FZ_FONDZ
  0.25,       -- FZ_GARFOND: guarantee, employer ✔ (Act 461/2003 Coll.)
  0.25,       -- FZ_GARFOND1: employer reliefs apply only before 2004; same as FZ_GARFOND
  3,          -- F_INVALID: invalidity, employee ✔ (Act 461/2003 Coll.)
  3,          -- FZ_INVALID: invalidity, employer ✔ (Act 461/2003 Coll.)
  0.8,        -- FZ_URAZ: accident, employer ✔ (Act 461/2003 Coll. § 133; ≈ for 2004-2005)
  4.75,       -- FZ_REZERVA: reserve solidarity fund, employer ✔ (Act 461/2003 Coll.)
  0,          -- F_ZAODVOD: contributions: up to whole Sk ✔ (Act 461/2003 Coll.; the health advance Act 580/2004 Coll.); before 2006 the program first cuts to hundredths (the social insurer's practice from 1.6.2004, its guidance of 7.6. and 7.7.2004)
  0,          -- F_SMODVOD
  0,          -- F_ZAFONDZ: unemployment contribution: up to whole Sk, as every social fund ✔ (Act 461/2003 Coll.)
  0,          -- F_SMFONDZ
  0,          -- F_ZADANZP: monthly tax base: down to whole Sk — unconfirmed (Act 595/2003 Coll. § 47: only its euro-era wording, from Act 465/2008 Coll., was found)
  1,          -- F_SMDANZP
  0,          -- F_ZAPREDDAV: tax advance: down to whole Sk — unconfirmed (Act 595/2003 Coll. § 47)
  1,          -- F_SMPREDDAV
  0,          -- F_ZAZAKLPOIST: assessment bases (read only before 2005): cut to whole Sk — no source: the program itself cuts the social bases so from 2005
  1,          -- F_SMZAKLPOIST
  0,          -- ZAOKRUH1: gross wage: nearest whole Sk — no source (no statutory rule; as the program's fixed rounding of compensations)
  2,          -- ZAOKRUH1SM
  0,          -- ZAOKRUH2: surcharges: nearest whole Sk — no source
  2,          -- ZAOKRUH2SM
  0,          -- ZAOKRUH3: base wage (and supplementary pension): nearest whole Sk — no source
  2,          -- ZAOKRUH3SM
  0,          -- ZAOKRUH4: sick pay, each band: up to whole Sk — unconfirmed (no source gives the rounding of the amount)
  0,          -- ZAOKRUH4SM
  0,          -- ZAOKRUH5: annual tax base of one-off income: down to whole Sk — unconfirmed (Act 595/2003 Coll. § 47)
  1,          -- ZAOKRUH5SM
  0,          -- ZAOKRUH6: premiums: nearest whole Sk — no source
  2,          -- ZAOKRUH6SM
  0,          -- ZAOKRUH7: social fund base: nearest whole Sk — no source
  2,          -- ZAOKRUH7SM
  0,          -- ZAOKRUH8: social fund contribution: nearest whole Sk — no source
  2,          -- ZAOKRUH8SM
  0,          -- ZAOKRUH9: withholding tax: down to whole Sk — unconfirmed (Act 595/2003 Coll. § 47)
  1,          -- ZAOKRUH9SM
  0,          -- ZAOKRUH10: sickness benefits total (employer-paid benefits end in 2004): up to whole Sk — unconfirmed
  0,          -- ZAOKRUH10SM
  NULL,       -- ZAOKRUH11: not read by the program
  NULL,       -- ZAOKRUH11SM
  NULL,       -- ZAOKRUH12: not read by the program
  NULL,       -- ZAOKRUH12SM
  19,         -- F_DAN_SADZBA1: withholding-tax rate — unconfirmed: best knowledge, equals the flat rate (Act 595/2003 Coll. § 43)
  5000,       -- F_DAN_MAXIMUM1: withholding-tax limit, as id 31
  70,         -- F_MIN_POIST_SKODA: as id 18 (liability insurance, periods before 2004 only)
  1,          -- U_ZDRAV1: work-performance agreements count for health — unconfirmed: agreement income is employee income for health insurance (Act 580/2004 Coll.), not checked against its text
  1,          -- U_ZDRAV2: work-activity agreements count for health — unconfirmed: agreement income is employee income for health insurance (Act 580/2004 Coll.), not checked against its text
  0,          -- U_NEMOC1: agreements outside sickness, pension and unemployment insurance 2004-2008 — unconfirmed (no source checked)
  0,          -- U_NEMOC2
  0,          -- U_DOCHOD1
  0,          -- U_DOCHOD2
  0,          -- U_FONDZAM1
  0           -- U_FONDZAM2
);

-- Tax bands: one band, flat 19 % from 0 (✔ Act 595/2003 Coll. § 15).
INSERT INTO DZP (D_od, D_sadzba, D_sumaplus, D_presah) VALUES (0, 19, 0, 0);

-- Health insurers of the year. Every numeric code is unconfirmed: no code list of the
-- health insurers was found; the codes are best knowledge.
INSERT INTO Cis_zp (ID, TEXT) VALUES (21, 'Všeobecná zdravotná poisťovňa');
  -- unconfirmed: code 21
INSERT INTO Cis_zp (ID, TEXT) VALUES (24, 'Dôvera zdravotná poisťovňa, a.s.');
  -- unconfirmed: code 24
INSERT INTO Cis_zp (ID, TEXT) VALUES (25, 'Spoločná zdravotná poisťovňa');
  -- unconfirmed: code 25
INSERT INTO Cis_zp (ID, TEXT) VALUES (26, 'Chemická zdravotná poisťovňa Apollo');
  -- unconfirmed: code 26; later renamed Zdravotná poisťovňa Apollo, a.s. (date not found)
INSERT INTO Cis_zp (ID, TEXT) VALUES (27, 'Union zdravotná poisťovňa, a.s.');
  -- unconfirmed: code 27; start of operation in 2006 unconfirmed (licensed 2006)
-- Not shipped: Sideria (ZP Sideria, a.s.), operating 2004-2006 until its merger into Dôvera
-- (approved by the Health Care Surveillance Authority on 12.11.2006); its code is unknown.
-- Other insurers of 2004 were not researched.
