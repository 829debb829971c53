-- Demo firm DATA01/ (alias TARIX_DATA), loaded after firm-template.sql into the same folder.
-- A fictitious construction firm with ten employees that exercise the main cases of the
-- calculation in 2007: monthly and hourly wages, part-time, children with the tax bonus, a
-- disability with reduced health rates, an agreement worker taxed by withholding, a person who
-- left during the year, standing deductions, supplementary pension and the 2nd pillar.
-- Every name, birth number, account and identifier is invented. Birth numbers of people born
-- from 1954 are 10-digit numbers divisible by 11 (earlier: 9 digits); account numbers and the
-- one prefix pass the bank check digits; the company number passes its check digit.
-- No payroll records here: the installation generator computes the payrolls of January to
-- March 2007 after loading these rows; the open period of the private folder is January 2007.

-- Firm header (replaces the template's row).
DELETE FROM Inf;
INSERT INTO Inf (
  NAZOV, ADR_ULICA1, ADR_ULICA, ADR_CISLO, ADR_MESTO, ADR_PSC, ADR_ZIP, ADR_STAT,
  ADR_TELEFON, ADR_FAX, ADR_EMAIL,
  ICO, DIC, OKEC, ICZ, TYP_ZEL, DANOVY_URAD,
  KA_ULICA, KA_MESTO, KA_PSC, KA_ZIP, KA_STAT,
  FO_RC, FO_CPP, FO_Surname, FO_Name, FO_Titul_pred, FO_Titul_za,
  PREDCISLO_U, CISLO_U, BANKA_U, NAZOV_BANKY, SSYM_U, KSYM_U,
  FZ_UCET, FZ_VS, FZ_DEN, OUP_NAZOV, OUP_ULICA, OUP_MESTO, OUP_PSC,
  F_HOLIDAY, F_NEMOCD, HOLKVART, F_ND_POCITA, F_ODSTUP, F_ODSTUPM, F_TYP_PREMII,
  F_DOBA, F_POISTNE,
  F_NADCAS, F_SOBOTA, F_NEDELA, F_SVIATOK, F_NOC, F_SKOD, F_TYP_PRIPL, F_TYP_PRIPL2,
  F_PRIPLAT1, F_PRIPLAT2, F_PRIPLAT3, F_PRIPLAT4, F_PRIPLAT5,
  F_PRIPLAT1_TEXT, F_PRIPLAT2_TEXT, F_PRIPLAT3_TEXT, F_PRIPLAT4_TEXT, F_PRIPLAT5_TEXT,
  F_FIRMA_ZPS, F_SOCFOND, F_TYP_ULAVY_SP, F_TYP_ULAVY_FZ, F_NEMOHOL,
  DATUM_UZAV, DATUM_RZP
) VALUES (
  'DEMO STAV, s.r.o.', 'Priemyselná 1234/5', 'Priemyselná', '1234/5', 'Trnava', '91701', NULL, '703',
  '033/5501234', NULL, 'mzdy@demostav.example',
  '36214582', '2021458201', '45210', '3621458200', 'PO', 'Daňový úrad Trnava',
  NULL, NULL, NULL, NULL, NULL,
  NULL, NULL, NULL, NULL, NULL, NULL,
  NULL, '3621458202', '1100', 'Tatra banka, a.s.', NULL, NULL,
  '4551230986/8180', '36214582', 15, 'Úrad práce, soc. vecí a rodiny Trnava', 'Hlavná 1', 'Trnava', '91701',
  0, 0, 0, 0, 0, 1, 1,
  8, 0,
  25, 10, 10, 50, 20, 10, 0, 0,
  15, NULL, NULL, NULL, NULL,
  'práca vo výškach', NULL, NULL, NULL, NULL,
  0, 0.6, 0, 0, 60,
  NULL, NULL
);
-- ADR_ULICA and ADR_CISLO are what posting the row derives from ADR_ULICA1.
-- F_TYP_PREMII 1: premiums as a percentage of the base wage (employees' F_sadzba_premii).
-- Surcharge rates (all percentages, F_TYP_PRIPL 0) and the free surcharge are the firm's own
--   choices; the minimums of the Labour Code (Act 311/2001 Coll.) were not checked.
-- F_SOCFOND 0.6: unconfirmed — the mandatory social-fund contribution of Act 152/1994 Coll. was
--   not checked against its text.
-- F_NEMOHOL 60: the percentage that the program's own bookkeeping line "Náhrady za neprac. 60%"
--   names; the Labour Code rule was not checked.

-- Cost centres.
UPDATE Cis_vm SET NAZOV = 'Centrála Trnava' WHERE ID = 1;
INSERT INTO Cis_vm (ID, NAZOV) VALUES (2, 'Stavby a montáže');

-- Statement contact row.
UPDATE Tlac_par SET VYKAZ_ZOSTAVIL = 'Mária Šťastná', KONTAKTNA_OSOBA = 'Mária Šťastná',
  TELEFON = '033/5501235', FAX = NULL, MAIL = 'mzdy@demostav.example', DEN = '2007-01-31',
  MIESTO = 'Trnava';

-- Payees: the supplementary pension fund that employee 8 saves with (code 1, looked up by the
-- employee's KDP). The account is invented.
INSERT INTO Cis_bu (BUID_TYP, BUID_KOD, POBOCKA_ZP, OLD_PREDCISLO_U, OLD_CISLO_U, PRIJEMCA,
  CISLO_U, BANKA_U, SSYM_U, KSYM, VSYM, SPP, ICO)
  VALUES ('Y', 1, 0, NULL, NULL, 'Doplnková dôch. spoločnosť', '2624447774', '1100', NULL,
  NULL, '36214582', 'DDS zamestnanci', NULL);

-- The institutions a month's payment order pays from the cost recapitulation: the social
-- insurer (S: its result sum), each health insurer of the employees (Z and the insurer's
-- code: employees' and employer's part together) and the tax office (D: advances and
-- withholding tax less the tax bonus). Accounts and symbols are invented demo values (the
-- accounts pass the bank check digits); the variable symbols are the firm's identifiers (the
-- social insurer's employer number ICZ, the company number, the tax number). The payer number
-- at the health insurers (OLD_CISLO_U) is the company number, which an insurer without a row
-- would be given too.
INSERT INTO Cis_bu (BUID_TYP, BUID_KOD, POBOCKA_ZP, OLD_PREDCISLO_U, OLD_CISLO_U, PRIJEMCA,
  CISLO_U, BANKA_U, SSYM_U, KSYM, VSYM, SPP, ICO)
  VALUES
  ('S', 0, 0, NULL, NULL, 'Sociálna poisťovňa, pob.Trnava', '7000123408', '8180', NULL,
  '0558', '3621458200', 'poistné SP', NULL),
  ('Z', 21, 0, NULL, '36214582', 'Všeobecná zdravotná poisťovňa', '7000987601', '8180', NULL,
  '0558', '36214582', 'poistné ZP', NULL),
  ('Z', 24, 0, NULL, '36214582', 'Dôvera zdravotná poisťovňa', '2624000008', '1100', NULL,
  '0558', '36214582', 'poistné ZP', NULL),
  ('Z', 25, 0, NULL, '36214582', 'Spoločná zdravotná poisťovňa', '2625000018', '0200', NULL,
  '0558', '36214582', 'poistné ZP', NULL),
  ('D', 0, 0, NULL, NULL, 'Daňový úrad Trnava', '7000432104', '8180', NULL,
  '1148', '2021458201', 'daň zo závislej čin.', NULL);

-- Bookkeeping lines per health insurer of the employees (29 employees' part, 35 employer's
-- part) and per supplementary pension fund (34, 43), as the code-list dialog adds them.
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (29, 21, 'Z', 'zdrav. poistenie ZP č.', '331', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (29, 24, 'Z', 'zdrav. poistenie ZP č.', '331', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (29, 25, 'Z', 'zdrav. poistenie ZP č.', '331', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (35, 21, 'F', 'zdrav. poistenie ZP č.', '524', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (35, 24, 'F', 'zdrav. poistenie ZP č.', '524', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (35, 25, 'F', 'zdrav. poistenie ZP č.', '524', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (34, 1, 'Z', 'DDP č.', '331', NULL, '379', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (43, 1, 'F', 'DDP č.', '527', NULL, '379', NULL, NULL);

-- Employees. The surnames test the Slovak sort order: Cibula, Čierny, Horváthová, Hudák,
-- Chudý, Kováč, Sýkorová, Šťastná, Zeman, Žiak. Nc_minimum is NULL (not 0) so that the
-- non-taxable amount of the year (Cis_par id 23) applies. PN_DENNE (daily base of the sick pay)
-- is a demo value: a year of the monthly wage over 365 days.

-- 1: Ján Hudák — full-time, monthly wage, two children with the tax bonus, union dues, 2nd-pillar saver
INSERT INTO Zam (
  Code_emp, Code_numb, SID,
  Title, Name, Surname, Prev_name, Pohlavie, Rod_stav,
  Born_date, Born_numb, Born_city, Narodnost, Stat_obcan, C_op, Education,
  Tp_street, Tp_city, Tp_zip, Stat_tp, Tel1, Mail,
  Predcislo_u, Cislo_u, Banka_u, Banka2_u,
  Zamestnanie, Nastup, Vystup, TYPZEC, Fz_uvazok, Fz_typzam, Fz_hlavne, F_doba,
  ZPS, ZTP, Miera_poklesu, VYHL, RZP, Dan_zrazkou, Dan_nerezident, U_sviatky,
  MV_plat, V_sadzba, Fixny_mv_plat, F_sadzba_premii, Holiday, Holiday_old, PN_DENNE, Nc_minimum,
  Spor_plat, Sporenie, N_ddp, N_sadzba_ddp, Nz_ddp, Nz_sadzba_ddp, KDP,
  KZP, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz, U_rezerva, U_garancne, U_sds, VYNIMKA_VZ
) VALUES (
  1, 101, 1,
  'Ing.', 'Ján', 'Hudák', NULL, 'M', '2',
  '1968-03-14', '6803145129', 'Trnava', 'Slovenská', '703', 'SA402117', 'vysokoškolské',
  'Hlavná 12', 'Trnava', '917 01', '703', '0905 123 456', NULL,
  NULL, '2620013450', '0200', 'Všeobecná úverová banka, a.s.',
  'stavbyvedúci', '1998-04-01', NULL, 1, '1', 'O', 1, 8,
  0, 0, 0, 1, 0, 0, 0, 0,
  32000, NULL, 0, 10, 25, 2, 1052.0548, NULL,
  1, NULL, NULL, NULL, NULL, NULL, NULL,
  25, 1, 1, 1, 1, 1, 1, 1, 1, 1, '0'
);

-- 2: Mária Šťastná — full-time, monthly wage, one child with the tax bonus, loan repayment
INSERT INTO Zam (
  Code_emp, Code_numb, SID,
  Title, Name, Surname, Prev_name, Pohlavie, Rod_stav,
  Born_date, Born_numb, Born_city, Narodnost, Stat_obcan, C_op, Education,
  Tp_street, Tp_city, Tp_zip, Stat_tp, Tel1, Mail,
  Predcislo_u, Cislo_u, Banka_u, Banka2_u,
  Zamestnanie, Nastup, Vystup, TYPZEC, Fz_uvazok, Fz_typzam, Fz_hlavne, F_doba,
  ZPS, ZTP, Miera_poklesu, VYHL, RZP, Dan_zrazkou, Dan_nerezident, U_sviatky,
  MV_plat, V_sadzba, Fixny_mv_plat, F_sadzba_premii, Holiday, Holiday_old, PN_DENNE, Nc_minimum,
  Spor_plat, Sporenie, N_ddp, N_sadzba_ddp, Nz_ddp, Nz_sadzba_ddp, KDP,
  KZP, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz, U_rezerva, U_garancne, U_sds, VYNIMKA_VZ
) VALUES (
  2, 102, 1,
  NULL, 'Mária', 'Šťastná', NULL, 'Z', '3',
  '1975-09-30', '7559302311', 'Nitra', 'Slovenská', '703', 'SB118342', 'stredné odborné',
  'Štúrova 7', 'Trnava', '917 01', '703', NULL, NULL,
  NULL, '1784569020', '0900', 'Slovenská sporiteľňa, a.s.',
  'mzdová účtovníčka', '2001-03-01', NULL, 1, '1', 'O', 1, 8,
  0, 0, 0, 1, 0, 0, 0, 0,
  21000, NULL, 0, 5, 25, 0, 690.411, NULL,
  1, NULL, NULL, NULL, NULL, NULL, NULL,
  21, 1, 1, 1, 1, 1, 1, 1, 1, 0, '0'
);

-- 3: Peter Čierny — full-time, hourly wage, paid public holidays, sick leave in February
INSERT INTO Zam (
  Code_emp, Code_numb, SID,
  Title, Name, Surname, Prev_name, Pohlavie, Rod_stav,
  Born_date, Born_numb, Born_city, Narodnost, Stat_obcan, C_op, Education,
  Tp_street, Tp_city, Tp_zip, Stat_tp, Tel1, Mail,
  Predcislo_u, Cislo_u, Banka_u, Banka2_u,
  Zamestnanie, Nastup, Vystup, TYPZEC, Fz_uvazok, Fz_typzam, Fz_hlavne, F_doba,
  ZPS, ZTP, Miera_poklesu, VYHL, RZP, Dan_zrazkou, Dan_nerezident, U_sviatky,
  MV_plat, V_sadzba, Fixny_mv_plat, F_sadzba_premii, Holiday, Holiday_old, PN_DENNE, Nc_minimum,
  Spor_plat, Sporenie, N_ddp, N_sadzba_ddp, Nz_ddp, Nz_sadzba_ddp, KDP,
  KZP, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz, U_rezerva, U_garancne, U_sds, VYNIMKA_VZ
) VALUES (
  3, 103, 2,
  NULL, 'Peter', 'Čierny', NULL, 'M', '1',
  '1982-01-08', '8201084177', 'Žilina', 'Slovenská', '703', 'SC771203', 'vyučený',
  'Mierová 45', 'Hlohovec', '920 01', '703', NULL, NULL,
  NULL, '2601453303', '1100', 'Tatra banka, a.s.',
  'murár', '2003-05-05', NULL, 1, '1', 'O', 1, 8,
  0, 0, 0, 1, 0, 0, 0, 1,
  NULL, 95, 0, 0, 20, 0, 520.5479, NULL,
  1, NULL, NULL, NULL, NULL, NULL, NULL,
  24, 1, 1, 1, 1, 1, 1, 1, 1, 0, '0'
);

-- 4: Martin Chudý — part-time (half), monthly wage prorated by hours
INSERT INTO Zam (
  Code_emp, Code_numb, SID,
  Title, Name, Surname, Prev_name, Pohlavie, Rod_stav,
  Born_date, Born_numb, Born_city, Narodnost, Stat_obcan, C_op, Education,
  Tp_street, Tp_city, Tp_zip, Stat_tp, Tel1, Mail,
  Predcislo_u, Cislo_u, Banka_u, Banka2_u,
  Zamestnanie, Nastup, Vystup, TYPZEC, Fz_uvazok, Fz_typzam, Fz_hlavne, F_doba,
  ZPS, ZTP, Miera_poklesu, VYHL, RZP, Dan_zrazkou, Dan_nerezident, U_sviatky,
  MV_plat, V_sadzba, Fixny_mv_plat, F_sadzba_premii, Holiday, Holiday_old, PN_DENNE, Nc_minimum,
  Spor_plat, Sporenie, N_ddp, N_sadzba_ddp, Nz_ddp, Nz_sadzba_ddp, KDP,
  KZP, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz, U_rezerva, U_garancne, U_sds, VYNIMKA_VZ
) VALUES (
  4, 104, 2,
  NULL, 'Martin', 'Chudý', NULL, 'M', '1',
  '1986-07-22', '8607221282', 'Pezinok', 'Slovenská', '703', 'SD330918', 'stredné odborné',
  'Nám. SNP 3', 'Pezinok', '902 01', '703', NULL, NULL,
  NULL, '3304987610', '7500', 'Československá obchodná banka, a.s.',
  'skladník', '2006-02-01', NULL, 1, '2', 'O', 1, 4,
  0, 0, 0, 1, 0, 0, 0, 0,
  9000, NULL, 0, 0, 20, 0, 295.8904, NULL,
  1, NULL, NULL, NULL, NULL, NULL, NULL,
  21, 1, 1, 1, 1, 1, 1, 1, 1, 0, '0'
);

-- 5: Milan Cibula — disability: decline of earning capacity 55 % (reduced health rates from 2005), invalidity pension
INSERT INTO Zam (
  Code_emp, Code_numb, SID,
  Title, Name, Surname, Prev_name, Pohlavie, Rod_stav,
  Born_date, Born_numb, Born_city, Narodnost, Stat_obcan, C_op, Education,
  Tp_street, Tp_city, Tp_zip, Stat_tp, Tel1, Mail,
  Predcislo_u, Cislo_u, Banka_u, Banka2_u,
  Zamestnanie, Nastup, Vystup, TYPZEC, Fz_uvazok, Fz_typzam, Fz_hlavne, F_doba,
  ZPS, ZTP, Miera_poklesu, VYHL, RZP, Dan_zrazkou, Dan_nerezident, U_sviatky,
  MV_plat, V_sadzba, Fixny_mv_plat, F_sadzba_premii, Holiday, Holiday_old, PN_DENNE, Nc_minimum,
  Spor_plat, Sporenie, N_ddp, N_sadzba_ddp, Nz_ddp, Nz_sadzba_ddp, KDP,
  KZP, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz, U_rezerva, U_garancne, U_sds, VYNIMKA_VZ
) VALUES (
  5, 105, 1,
  NULL, 'Milan', 'Cibula', NULL, 'M', '2',
  '1961-12-03', '6112033059', 'Banská Bystrica', 'Slovenská', '703', 'SE052261', 'vyučený',
  'Zelená 8', 'Trnava', '917 02', '703', NULL, NULL,
  NULL, '2987654326', '0200', 'Všeobecná úverová banka, a.s.',
  'vrátnik', '2002-10-01', NULL, 1, '1', 'Z', 1, 8,
  1, 0, 55, 1, 0, 0, 0, 0,
  17500, NULL, 0, 0, 25, 0, 575.3425, NULL,
  1, NULL, NULL, NULL, NULL, NULL, NULL,
  25, 1, 1, 1, 1, 1, 1, 1, 1, 0, '0'
);

-- 6: Tomáš Žiak — left during the year: employment ended 30.4.2007
INSERT INTO Zam (
  Code_emp, Code_numb, SID,
  Title, Name, Surname, Prev_name, Pohlavie, Rod_stav,
  Born_date, Born_numb, Born_city, Narodnost, Stat_obcan, C_op, Education,
  Tp_street, Tp_city, Tp_zip, Stat_tp, Tel1, Mail,
  Predcislo_u, Cislo_u, Banka_u, Banka2_u,
  Zamestnanie, Nastup, Vystup, TYPZEC, Fz_uvazok, Fz_typzam, Fz_hlavne, F_doba,
  ZPS, ZTP, Miera_poklesu, VYHL, RZP, Dan_zrazkou, Dan_nerezident, U_sviatky,
  MV_plat, V_sadzba, Fixny_mv_plat, F_sadzba_premii, Holiday, Holiday_old, PN_DENNE, Nc_minimum,
  Spor_plat, Sporenie, N_ddp, N_sadzba_ddp, Nz_ddp, Nz_sadzba_ddp, KDP,
  KZP, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz, U_rezerva, U_garancne, U_sds, VYNIMKA_VZ
) VALUES (
  6, 106, 2,
  NULL, 'Tomáš', 'Žiak', NULL, 'M', '1',
  '1984-04-17', '8404176220', 'Prešov', 'Slovenská', '703', 'SF640077', 'vyučený',
  'Hlavná 101', 'Prešov', '080 01', '703', NULL, NULL,
  NULL, '4007891238', '0900', 'Slovenská sporiteľňa, a.s.',
  'vodič', '2005-09-01', '2007-04-30', 1, '1', 'O', 1, 8,
  0, 0, 0, 1, 0, 0, 0, 0,
  16500, NULL, 0, 0, 20, 0, 542.4658, NULL,
  1, NULL, NULL, NULL, NULL, NULL, NULL,
  24, 1, 1, 1, 1, 1, 1, 1, 1, 0, '0'
);

-- 7: Eva Horváthová — work-performance agreement of an old-age pensioner, withholding tax, paid in cash, 9-digit birth number (born before 1954)
INSERT INTO Zam (
  Code_emp, Code_numb, SID,
  Title, Name, Surname, Prev_name, Pohlavie, Rod_stav,
  Born_date, Born_numb, Born_city, Narodnost, Stat_obcan, C_op, Education,
  Tp_street, Tp_city, Tp_zip, Stat_tp, Tel1, Mail,
  Predcislo_u, Cislo_u, Banka_u, Banka2_u,
  Zamestnanie, Nastup, Vystup, TYPZEC, Fz_uvazok, Fz_typzam, Fz_hlavne, F_doba,
  ZPS, ZTP, Miera_poklesu, VYHL, RZP, Dan_zrazkou, Dan_nerezident, U_sviatky,
  MV_plat, V_sadzba, Fixny_mv_plat, F_sadzba_premii, Holiday, Holiday_old, PN_DENNE, Nc_minimum,
  Spor_plat, Sporenie, N_ddp, N_sadzba_ddp, Nz_ddp, Nz_sadzba_ddp, KDP,
  KZP, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz, U_rezerva, U_garancne, U_sds, VYNIMKA_VZ
) VALUES (
  7, 107, 1,
  NULL, 'Eva', 'Horváthová', NULL, 'Z', '4',
  '1944-02-11', '445211174', 'Martin', 'Slovenská', '703', 'SG210455', 'základné',
  'Kollárova 22', 'Trnava', '917 01', '703', NULL, NULL,
  NULL, NULL, NULL, NULL,
  'upratovačka', '2007-01-02', '2007-12-31', 2, '1', 'D', 0, 8,
  0, 0, 0, 0, 0, 1, 0, 0,
  NULL, NULL, 0, 0, 0, 0, 0, NULL,
  0, NULL, NULL, NULL, NULL, NULL, NULL,
  21, 1, 0, 0, 0, 0, 1, 0, 0, 0, '0'
);

-- 8: Ľubomír Kováč — fixed monthly wage above every maximum base, building savings and insurance deductions, supplementary pension, account with a prefix
INSERT INTO Zam (
  Code_emp, Code_numb, SID,
  Title, Name, Surname, Prev_name, Pohlavie, Rod_stav,
  Born_date, Born_numb, Born_city, Narodnost, Stat_obcan, C_op, Education,
  Tp_street, Tp_city, Tp_zip, Stat_tp, Tel1, Mail,
  Predcislo_u, Cislo_u, Banka_u, Banka2_u,
  Zamestnanie, Nastup, Vystup, TYPZEC, Fz_uvazok, Fz_typzam, Fz_hlavne, F_doba,
  ZPS, ZTP, Miera_poklesu, VYHL, RZP, Dan_zrazkou, Dan_nerezident, U_sviatky,
  MV_plat, V_sadzba, Fixny_mv_plat, F_sadzba_premii, Holiday, Holiday_old, PN_DENNE, Nc_minimum,
  Spor_plat, Sporenie, N_ddp, N_sadzba_ddp, Nz_ddp, Nz_sadzba_ddp, KDP,
  KZP, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz, U_rezerva, U_garancne, U_sds, VYNIMKA_VZ
) VALUES (
  8, 108, 1,
  'JUDr.', 'Ľubomír', 'Kováč', NULL, 'M', '2',
  '1959-10-05', '5910054194', 'Bratislava', 'Slovenská', '703', 'SH905512', 'vysokoškolské',
  'Palisády 18', 'Bratislava', '811 06', '703', '0903 987 654', NULL,
  '19', '2555019871', '1100', 'Tatra banka, a.s.',
  'riaditeľ', '1995-01-02', NULL, 1, '1', 'O', 1, 8,
  0, 0, 0, 1, 0, 0, 0, 0,
  85000, NULL, 1, 0, 25, 5, 2794.5205, NULL,
  1, NULL, NULL, 2, NULL, 3, 1,
  21, 1, 1, 1, 1, 1, 1, 1, 1, 1, '0'
);

-- 9: Jana Sýkorová — three children with the tax bonus (one born 2006), maiden name, 2nd-pillar saver
INSERT INTO Zam (
  Code_emp, Code_numb, SID,
  Title, Name, Surname, Prev_name, Pohlavie, Rod_stav,
  Born_date, Born_numb, Born_city, Narodnost, Stat_obcan, C_op, Education,
  Tp_street, Tp_city, Tp_zip, Stat_tp, Tel1, Mail,
  Predcislo_u, Cislo_u, Banka_u, Banka2_u,
  Zamestnanie, Nastup, Vystup, TYPZEC, Fz_uvazok, Fz_typzam, Fz_hlavne, F_doba,
  ZPS, ZTP, Miera_poklesu, VYHL, RZP, Dan_zrazkou, Dan_nerezident, U_sviatky,
  MV_plat, V_sadzba, Fixny_mv_plat, F_sadzba_premii, Holiday, Holiday_old, PN_DENNE, Nc_minimum,
  Spor_plat, Sporenie, N_ddp, N_sadzba_ddp, Nz_ddp, Nz_sadzba_ddp, KDP,
  KZP, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz, U_rezerva, U_garancne, U_sds, VYNIMKA_VZ
) VALUES (
  9, 109, 1,
  NULL, 'Jana', 'Sýkorová', 'Nováková', 'Z', '2',
  '1979-12-24', '7962243564', 'Senec', 'Slovenská', '703', 'SI447810', 'vysokoškolské',
  'Jarná 5', 'Senec', '903 01', '703', NULL, NULL,
  NULL, '1934567806', '0900', 'Slovenská sporiteľňa, a.s.',
  'ekonómka', '2000-09-01', NULL, 1, '1', 'O', 1, 8,
  0, 0, 0, 1, 0, 0, 0, 0,
  24500, NULL, 0, 0, 25, 0, 805.4795, NULL,
  1, NULL, NULL, NULL, NULL, NULL, NULL,
  24, 1, 1, 1, 1, 1, 1, 1, 1, 1, '0'
);

-- 10: Róbert Zeman — hired in 2007, hourly wage, child with a severe disability (ZŤP), execution deduction as a percentage of net pay
INSERT INTO Zam (
  Code_emp, Code_numb, SID,
  Title, Name, Surname, Prev_name, Pohlavie, Rod_stav,
  Born_date, Born_numb, Born_city, Narodnost, Stat_obcan, C_op, Education,
  Tp_street, Tp_city, Tp_zip, Stat_tp, Tel1, Mail,
  Predcislo_u, Cislo_u, Banka_u, Banka2_u,
  Zamestnanie, Nastup, Vystup, TYPZEC, Fz_uvazok, Fz_typzam, Fz_hlavne, F_doba,
  ZPS, ZTP, Miera_poklesu, VYHL, RZP, Dan_zrazkou, Dan_nerezident, U_sviatky,
  MV_plat, V_sadzba, Fixny_mv_plat, F_sadzba_premii, Holiday, Holiday_old, PN_DENNE, Nc_minimum,
  Spor_plat, Sporenie, N_ddp, N_sadzba_ddp, Nz_ddp, Nz_sadzba_ddp, KDP,
  KZP, U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid, U_uraz, U_rezerva, U_garancne, U_sds, VYNIMKA_VZ
) VALUES (
  10, 110, 2,
  NULL, 'Róbert', 'Zeman', NULL, 'M', '2',
  '1978-06-01', '7806012819', 'Košice', 'Slovenská', '703', 'SJ118863', 'stredné odborné',
  'Južná trieda 60', 'Košice', '040 01', '703', NULL, NULL,
  NULL, '3011223342', '6500', 'Poštová banka, a.s.',
  'elektrikár', '2007-01-15', NULL, 1, '1', 'O', 1, 8,
  0, 0, 0, 1, 0, 0, 0, 1,
  NULL, 110.5, 0, 0, 25, 0, 0, NULL,
  1, NULL, NULL, NULL, NULL, NULL, NULL,
  25, 1, 1, 1, 1, 1, 1, 1, 1, 1, '0'
);

-- Children. PD: child allowance, DAN_BONUS: tax bonus, ZNIZ_POISTNE: the 2005 reduction of the
-- old-age rate; MES_OD..MES_DO: months of the claim in the open year.
INSERT INTO Deti (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, MES_OD, MES_DO, DAN_BONUS, ZNIZ_POISTNE)
  VALUES (1, 'Hudák', 'Peter', '9605201474', '1996-05-20', 1, 0, 1, 1, 12, 1, 1);
INSERT INTO Deti (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, MES_OD, MES_DO, DAN_BONUS, ZNIZ_POISTNE)
  VALUES (1, 'Hudáková', 'Lucia', '0061022335', '2000-11-02', 1, 0, 1, 1, 12, 1, 1);
INSERT INTO Deti (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, MES_OD, MES_DO, DAN_BONUS, ZNIZ_POISTNE)
  VALUES (2, 'Šťastný', 'Tomáš', '0306153111', '2003-06-15', 1, 0, 1, 1, 12, 1, 1);
INSERT INTO Deti (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, MES_OD, MES_DO, DAN_BONUS, ZNIZ_POISTNE)
  VALUES (9, 'Sýkora', 'Michal', '0102144020', '2001-02-14', 1, 0, 1, 1, 12, 1, 1);
INSERT INTO Deti (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, MES_OD, MES_DO, DAN_BONUS, ZNIZ_POISTNE)
  VALUES (9, 'Sýkorová', 'Simona', '0458091183', '2004-08-09', 1, 0, 1, 1, 12, 1, 1);
INSERT INTO Deti (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, MES_OD, MES_DO, DAN_BONUS, ZNIZ_POISTNE)
  VALUES (9, 'Sýkora', 'Adam', '0611302571', '2006-11-30', 1, 0, 1, 1, 12, 1, 1);
INSERT INTO Deti (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, MES_OD, MES_DO, DAN_BONUS, ZNIZ_POISTNE)
  VALUES (10, 'Zemanová', 'Kristína', '9953031649', '1999-03-03', 1, 1, 1, 1, 12, 1, 1);

-- Standing deductions; Obdobie_od/Obdobie_do are the periods that posting derives from the
-- dates (999999 when open-ended). Typ_sumy 0 is a fixed amount, 3 a percentage of net pay.
INSERT INTO Zrz (Code_emp, Typ, Datum_od, Datum_do, Obdobie_od, Obdobie_do,
  Predcislo_u, Cislo_u, Banka_u, Ssym_u, Vsym, Ksym, Prijemca, Spp, Suma, Poznamka, Typ_sumy)
  VALUES (1, 'O', '2004-01-01', NULL, 200401, 999999,
  NULL, '2777889901', '0200', NULL, '6803145129', NULL, 'ZO odborového zväzu', 'členské', 150, 'odborové príspevky', 0);
INSERT INTO Zrz (Code_emp, Typ, Datum_od, Datum_do, Obdobie_od, Obdobie_do,
  Predcislo_u, Cislo_u, Banka_u, Ssym_u, Vsym, Ksym, Prijemca, Spp, Suma, Poznamka, Typ_sumy)
  VALUES (2, 'Y', '2006-07-01', '2008-06-30', 200607, 200806,
  NULL, '4112233448', '6500', NULL, '7700123456', NULL, 'Pôžička - splátky', 'splátka úveru', 1000, 'spotrebný úver', 0);
INSERT INTO Zrz (Code_emp, Typ, Datum_od, Datum_do, Obdobie_od, Obdobie_do,
  Predcislo_u, Cislo_u, Banka_u, Ssym_u, Vsym, Ksym, Prijemca, Spp, Suma, Poznamka, Typ_sumy)
  VALUES (8, 'S', '2005-01-01', NULL, 200501, 999999,
  NULL, '2899001122', '7500', NULL, '5910054194', NULL, 'Stavebná sporiteľňa', 'vklad', 1000, 'stavebné sporenie', 0);
INSERT INTO Zrz (Code_emp, Typ, Datum_od, Datum_do, Obdobie_od, Obdobie_do,
  Predcislo_u, Cislo_u, Banka_u, Ssym_u, Vsym, Ksym, Prijemca, Spp, Suma, Poznamka, Typ_sumy)
  VALUES (8, 'P', '2006-01-01', NULL, 200601, 999999,
  NULL, '5012345607', '1100', NULL, '880012345', NULL, 'Životná poisťovňa', 'poistné', 700, 'životné poistenie', 0);
INSERT INTO Zrz (Code_emp, Typ, Datum_od, Datum_do, Obdobie_od, Obdobie_do,
  Predcislo_u, Cislo_u, Banka_u, Ssym_u, Vsym, Ksym, Prijemca, Spp, Suma, Poznamka, Typ_sumy)
  VALUES (10, 'X', '2007-03-01', NULL, 200703, 999999,
  NULL, '4200135792', '0200', NULL, '1234507', NULL, 'Súdny exekútor', 'EX 123/2007', 20, 'exekúcia, % z čistej mzdy', 3);

-- Absences and registration-list events of 2007 (the open year): registration of the new
-- employee, deregistration of the leaver, and a sick leave.
INSERT INTO nep (Code_emp, Datum_od, Datum_do, Typ, TypRL, TypRL2, Prerusenie, V_obdobie, Prac_dni, Dovod)
  VALUES (10, '2007-01-15', '2007-01-15', 0, 'PA', 2, NULL, NULL, NULL, 'nástup do pracovného pomeru');
INSERT INTO nep (Code_emp, Datum_od, Datum_do, Typ, TypRL, TypRL2, Prerusenie, V_obdobie, Prac_dni, Dovod)
  VALUES (6, '2007-04-30', '2007-04-30', 0, 'OD', 3, NULL, NULL, NULL, 'skončenie dohodou');
INSERT INTO nep (Code_emp, Datum_od, Datum_do, Typ, TypRL, TypRL2, Prerusenie, V_obdobie, Prac_dni, Dovod)
  VALUES (3, '2007-02-05', '2007-02-16', 1, '10', 1, NULL, 200702, 10, 'chrípka');

-- Pension entitlements (kinds of CIS_DOCH): old-age pension of employee 7, invalidity pension
-- of employee 5. Open-ended entitlements have no end date.
INSERT INTO DOCH (Code_emp, Typ, Datum_od, Datum_do) VALUES (7, 1, '2004-02-11', NULL);
INSERT INTO DOCH (Code_emp, Typ, Datum_od, Datum_do) VALUES (5, 3, '2002-09-01', NULL);

-- Employment documents: contracts (TYP 0), the work-performance agreement (TYP 1) and an
-- amendment (TYP 14). Each text sits in the row its layout prints under the matching
-- heading: a contract (ZML) R1 the term, R2 the trial period, R3 to R6 the further
-- terms; the agreement (DVP) R1 to R3 the task, R4 its extent, R5 the deadline, R6 how it
-- is done, R7 the pay, R8 when it is paid; the amendment (ZML2 layout) R1 the kind of
-- work, R9 the pay.
INSERT INTO Ppv (CODE_EMP, NASTUP, VYSTUP, TYP, R1, R2, R3, R4, R5, MIESTO, DATUM)
  VALUES (1, '1998-04-01', NULL, 0, 'neurčitú', 'bez skúšobnej doby', 'Druh práce: stavbyvedúci',
  'Miesto výkonu práce: stavby zamestnávateľa v Trnavskom kraji', 'Mzdové podmienky: podľa mzdového výmeru',
  'Trnava', '1998-03-25');
INSERT INTO Ppv (CODE_EMP, NASTUP, VYSTUP, TYP, R1, R9, MIESTO, DATUM)
  VALUES (1, '2007-01-01', NULL, 14, 'stavbyvedúci', 'Mesačná mzda sa od 1.1.2007 zvyšuje na 32 000 Sk', 'Trnava',
  '2006-12-20');
INSERT INTO Ppv (CODE_EMP, NASTUP, VYSTUP, TYP, R1, R2, R3, R4, R5, MIESTO, DATUM)
  VALUES (4, '2006-02-01', NULL, 0, 'neurčitú', 'bez skúšobnej doby', 'Druh práce: skladník',
  'Kratší pracovný čas: 20 hodín týždenne', 'Mzdové podmienky: 9 000 Sk mesačne', 'Trnava', '2006-01-25');
INSERT INTO Ppv (CODE_EMP, NASTUP, VYSTUP, TYP, R1, R2, R3, R4, MIESTO, DATUM)
  VALUES (6, '2005-09-01', '2007-04-30', 0, 'neurčitú', 'bez skúšobnej doby', 'Druh práce: vodič',
  'Skončený dohodou k 30.4.2007', 'Trnava', '2005-08-29');
INSERT INTO Ppv (CODE_EMP, NASTUP, VYSTUP, TYP, R1, R4, R5, R6, R7, R8, MIESTO, DATUM)
  VALUES (7, '2007-01-02', '2007-12-31', 1, 'upratovanie kancelárií centrály', 'najviac 300 hodín', '31.12.2007',
  'osobne, v kanceláriách zamestnávateľa', 'podľa vykonanej práce', 'mesačne', 'Trnava', '2006-12-28');
INSERT INTO Ppv (CODE_EMP, NASTUP, VYSTUP, TYP, R1, R2, R3, R4, MIESTO, DATUM)
  VALUES (10, '2007-01-15', NULL, 0, 'neurčitú', '3 mesiace', 'Druh práce: elektrikár',
  'Mzdové podmienky: 110,50 Sk za hodinu', 'Trnava', '2007-01-10');
