-- Code tables of a year folder (alias TARIX_COMM) that are the same in every year 2004-2008.
-- Load this file into each of COMMON/ROK2004 ... COMMON/ROK2008 before ROKyyyy.sql.
-- 'no source:' marks a row or text that no source gives (see data/seed/README.md).

-- Absence and event kinds of the registration lists (Typrl). The data upgrade on opening counts
-- the rows and adds "10", "11" (at 6 rows or fewer) or "MD" (at 7 or 8 rows); it looks only at
-- the first digit of the count, so the table must hold exactly 9 rows to be left alone.
INSERT INTO Typrl (Typ, Popis) VALUES ('PA', 'SP-prihláška');
INSERT INTO Typrl (Typ, Popis) VALUES ('ZM', 'SP-zmena');
INSERT INTO Typrl (Typ, Popis) VALUES ('PE', 'SP-prerušenie');
INSERT INTO Typrl (Typ, Popis) VALUES ('OD', 'SP-odhláška');
INSERT INTO Typrl (Typ, Popis) VALUES ('MD', 'SP-materská dovolenka');
INSERT INTO Typrl (Typ, Popis) VALUES ('10', 'PN');
INSERT INTO Typrl (Typ, Popis) VALUES ('11', 'OČR');
  -- codes and the texts of MD, 10, 11 and PE as the program uses them; the texts of PA, ZM, OD
  -- follow the same "SP-" pattern (no source for their exact wording)
INSERT INTO Typrl (Typ, Popis) VALUES ('12', 'absencia');
INSERT INTO Typrl (Typ, Popis) VALUES ('13', 'neplatené voľno');
  -- no source: the original list held two more kinds that no source names; these two fill the
  -- count of 9 that keeps the upgrade from inserting duplicates. Numeric codes stay out of the
  -- registration-list export, which takes only the letter codes.

-- Event kinds of a registration-list row (Typrl2): 1 start and end, 2 start only, 3 end only.
INSERT INTO Typrl2 (ID, POPIS) VALUES (1, 'začiatok a koniec');
INSERT INTO Typrl2 (ID, POPIS) VALUES (2, 'začiatok');
INSERT INTO Typrl2 (ID, POPIS) VALUES (3, 'koniec');

-- Reasons for interrupting insurance (Prerus1). Ids 6 to 8 with the texts the data upgrade
-- sets; ids 1 to 5 exist in the original list but no source gives their texts, so they are not
-- shipped (id 4 is singled out by the absence report). With the largest id 8 and no id 0 the
-- upgrade leaves the table alone.
INSERT INTO Prerus1 (ID, POPIS) VALUES (6, 'zamestnanec čerpá rodičovskú dovolenku');
INSERT INTO Prerus1 (ID, POPIS) VALUES (7, 'SZČO má nárok na rodičovský príspevok');
INSERT INTO Prerus1 (ID, POPIS) VALUES (8, 'trvanie dočasnej pracovnej neschopnosti odo dňa nasledujúceho po uplynutí 52 týždňov');

-- Pension kinds (CIS_DOCH): the six pensions of the pension insurance of Act 461/2003. The
-- numbering is ours (no source); the registration-list export sends the number to the social
-- insurer, so it must be checked against the insurer's code list. The largest number is 6, so
-- the upgrade that renumbers kind 7 leaves the table alone.
INSERT INTO CIS_DOCH (TYP, POPIS) VALUES (1, 'starobný dôchodok');
INSERT INTO CIS_DOCH (TYP, POPIS) VALUES (2, 'predčasný starobný dôchodok');
INSERT INTO CIS_DOCH (TYP, POPIS) VALUES (3, 'invalidný dôchodok');
INSERT INTO CIS_DOCH (TYP, POPIS) VALUES (4, 'vdovský dôchodok');
INSERT INTO CIS_DOCH (TYP, POPIS) VALUES (5, 'vdovecký dôchodok');
INSERT INTO CIS_DOCH (TYP, POPIS) VALUES (6, 'sirotský dôchodok');

-- Employer kinds (Typzel): "FO" (natural person) is the code the statements test.
INSERT INTO Typzel (Typ, Popis) VALUES ('FO', 'fyzická osoba');
INSERT INTO Typzel (Typ, Popis) VALUES ('PO', 'právnická osoba');
  -- no source: the code "PO"

-- Kinds of the person's relation to the employer (Typzec): 1 is written "PP" and 2 "D" in the
-- registration lists. Other kinds exist in no source and are not shipped.
INSERT INTO Typzec (TYP, POPIS) VALUES (1, 'pracovný pomer');
INSERT INTO Typzec (TYP, POPIS) VALUES (2, 'dohoda o práci mimo pracovného pomeru');

-- Marital status (CIS_STAV), the codes and texts the program shows.
INSERT INTO CIS_STAV (ID, POPIS) VALUES ('1', 'slobodný(á)');
INSERT INTO CIS_STAV (ID, POPIS) VALUES ('2', 'ženatý(vydatá)');
INSERT INTO CIS_STAV (ID, POPIS) VALUES ('3', 'rozvedený(á)');
INSERT INTO CIS_STAV (ID, POPIS) VALUES ('4', 'vdovec(vdova)');
INSERT INTO CIS_STAV (ID, POPIS) VALUES ('5', 'druh, družka');

-- Exceptions from the assessment base (Cis_vvz). "0" is no exception. The texts of 1, 2 and
-- A to E are those the program shows for 8/2006 to 12/2006 (without the leading "-"); outside
-- those months it shows each row's own TEXT, so the rows carry the same texts. PERCENTO is the
-- share of the base that a text names (75 % for A, 50 % for B); the program does not read it.
INSERT INTO Cis_vvz (ID, PERCENTO, TEXT) VALUES ('0', 100, 'bez výnimky');
INSERT INTO Cis_vvz (ID, PERCENTO, TEXT) VALUES ('1', NULL, 'zamestnanec s viacerými pracovnými pomermi a maximálnym vym.základom (zamestnávateľ odvádza v plnej výške, zamestnanec žiadne alebo nižšie odvody ako je čiastka stanovená zákonom)');
INSERT INTO Cis_vvz (ID, PERCENTO, TEXT) VALUES ('2', NULL, 'náhrada mzdy z neplatného skončenia pracovného pomeru');
INSERT INTO Cis_vvz (ID, PERCENTO, TEXT) VALUES ('A', 75, '75% vymer.základu - zamestnanec, ktorý je poberateľom invalid. dôchodku, pokles zárob.činnosti najviac o 70% alebo mladistvý starší ako 16 rokov (§138 ods. 12, písm. a))');
INSERT INTO Cis_vvz (ID, PERCENTO, TEXT) VALUES ('B', 50, '50% vymer.základu - zamestnanec, ktorý je poberateľom invalid. dôchodku, pokles zárob.činnosti o viac ako o 70%, alebo mladší ako 18 rokov, ktorý je invalidný, alebo mladší ako 16 rokov (§138 ods. 12, písm. b))');
INSERT INTO Cis_vvz (ID, PERCENTO, TEXT) VALUES ('C', NULL, 'Suma príjmu zodpovedajúca kratšiemu pracovnému času zamestnanca, ktorý má dohodnutý pracovný pomer na kratší pracovný čas podľa osobitného predpisu (§138 ods. 12, písm. c))');
INSERT INTO Cis_vvz (ID, PERCENTO, TEXT) VALUES ('D', NULL, 'Suma náhrady mzdy, poskytnutá z dôvodu prekážok v práci na strane zamestnávateľa podľa osobitného predpisu (§138 ods. 12, písm. d))');
INSERT INTO Cis_vvz (ID, PERCENTO, TEXT) VALUES ('E', NULL, 'Suma pracovnej odmeny fyzickej osoby vo výkone väzby a fyzickej osoby vo výkone trestu odňatia slobody, ak sú zaradené do práce');
  -- Not shipped: code "6", which the survey-takers' import writes into payroll records; no
  -- source gives its text. Note that the minimum-base rule of the calculation reads "1" as
  -- 75 % and "2" as 50 % of the base, which is not what the texts above say.

-- Countries (CIS_STAT): KOD3 the numeric and AKRONYM the alpha-3 code of ISO 3166-1; a choice
-- of neighbours, EU and EEA states and frequent countries of origin. The dates of origin and
-- end are left empty (Serbia and Montenegro split in June 2006; all three codes are listed).
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('703', 'SVK', 'Slovenská republika', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('203', 'CZE', 'Česká republika', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('348', 'HUN', 'Maďarsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('616', 'POL', 'Poľsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('040', 'AUT', 'Rakúsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('804', 'UKR', 'Ukrajina', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('276', 'DEU', 'Nemecko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('250', 'FRA', 'Francúzsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('380', 'ITA', 'Taliansko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('826', 'GBR', 'Spojené kráľovstvo', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('372', 'IRL', 'Írsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('528', 'NLD', 'Holandsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('056', 'BEL', 'Belgicko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('442', 'LUX', 'Luxembursko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('208', 'DNK', 'Dánsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('752', 'SWE', 'Švédsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('246', 'FIN', 'Fínsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('233', 'EST', 'Estónsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('428', 'LVA', 'Lotyšsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('440', 'LTU', 'Litva', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('705', 'SVN', 'Slovinsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('191', 'HRV', 'Chorvátsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('642', 'ROU', 'Rumunsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('100', 'BGR', 'Bulharsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('300', 'GRC', 'Grécko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('196', 'CYP', 'Cyprus', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('470', 'MLT', 'Malta', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('620', 'PRT', 'Portugalsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('724', 'ESP', 'Španielsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('578', 'NOR', 'Nórsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('352', 'ISL', 'Island', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('438', 'LIE', 'Lichtenštajnsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('756', 'CHE', 'Švajčiarsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('643', 'RUS', 'Ruská federácia', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('112', 'BLR', 'Bielorusko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('498', 'MDA', 'Moldavsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('891', 'SCG', 'Srbsko a Čierna Hora', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('688', 'SRB', 'Srbsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('499', 'MNE', 'Čierna Hora', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('070', 'BIH', 'Bosna a Hercegovina', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('807', 'MKD', 'Macedónsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('008', 'ALB', 'Albánsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('792', 'TUR', 'Turecko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('376', 'ISR', 'Izrael', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('840', 'USA', 'Spojené štáty americké', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('124', 'CAN', 'Kanada', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('036', 'AUS', 'Austrália', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('156', 'CHN', 'Čína', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('704', 'VNM', 'Vietnam', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('392', 'JPN', 'Japonsko', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('410', 'KOR', 'Kórejská republika', NULL, NULL);
INSERT INTO CIS_STAT (KOD3, AKRONYM, NAZOV, DAT_VZNIKU, DAT_ZANIKU) VALUES ('356', 'IND', 'India', NULL, NULL);

-- Child-allowance contributions by age (Cis_pd): empty. The age-banded contributions belong to
-- the years before 2004 (the program offers this list only for periods before 2005); from 2004
-- the allowance is the flat parameter PRIDAV_NA_DIETA (Cis_par id 24), which the program adds
-- to a row's amounts, and with no row the amounts are that parameter alone.

-- Insurance marks of the pension record lines (CIS_ELDZ) and the ways of the health-insurance
-- annual settlement (Typzuct): empty. No source gives their codes or texts; the clerk enters
-- them in the code-list editor.

-- Export layouts of the employee table (Tlac1): the ten layouts the export window offers,
-- read only. Their fields (Tlac2) are made by the window's "Inicializácia", which lists every
-- field of the employee table as not exported.
INSERT INTO Tlac1 (TLID, TABULKA, POPIS) VALUES (1, 'Zam.DB', 'Zostava č.1 - údaje o zamestnancoch');
INSERT INTO Tlac1 (TLID, TABULKA, POPIS) VALUES (2, 'Zam.DB', 'Zostava č.2 - údaje o zamestnancoch');
INSERT INTO Tlac1 (TLID, TABULKA, POPIS) VALUES (3, 'Zam.DB', 'Zostava č.3 - údaje o zamestnancoch');
INSERT INTO Tlac1 (TLID, TABULKA, POPIS) VALUES (4, 'Zam.DB', 'Zostava č.4 - údaje o zamestnancoch');
INSERT INTO Tlac1 (TLID, TABULKA, POPIS) VALUES (5, 'Zam.DB', 'Zostava č.5 - údaje o zamestnancoch');
INSERT INTO Tlac1 (TLID, TABULKA, POPIS) VALUES (6, 'Zam.DB', 'Zostava č.6 - údaje o zamestnancoch');
INSERT INTO Tlac1 (TLID, TABULKA, POPIS) VALUES (7, 'Zam.DB', 'Zostava č.7 - údaje o zamestnancoch');
INSERT INTO Tlac1 (TLID, TABULKA, POPIS) VALUES (8, 'Zam.DB', 'Zostava č.8 - údaje o zamestnancoch');
INSERT INTO Tlac1 (TLID, TABULKA, POPIS) VALUES (9, 'Zam.DB', 'Zostava č.9 - údaje o zamestnancoch');
INSERT INTO Tlac1 (TLID, TABULKA, POPIS) VALUES (10, 'Zam.DB', 'Zostava č.10 - údaje o zamestnancoch');
