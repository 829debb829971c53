-- Template firm folder DATA/ (alias TARIX_DATA). "Pridanie novej firmy" copies this folder into
-- the next free DATA01..DATA99; the clerk then fills the firm header on the employer screen.
-- Required texts that only the new firm can know hold the placeholder '-'; every other blank
-- text is NULL.

-- Firm header, one row. F_ODSTUPM is 1 as the data upgrade on opening would set it.
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
  'NOVÁ FIRMA', '-', '-', NULL, '-', '-', NULL, '703',
  NULL, NULL, NULL,
  '-', NULL, '-', NULL, NULL, NULL,
  NULL, NULL, NULL, NULL, NULL,
  NULL, NULL, NULL, NULL, NULL, NULL,
  NULL, '-', '-', NULL, NULL, NULL,
  '-', '-', 0, '-', '-', '-', '-',
  0, 0, 0, 0, 0, 1, 0,
  8, 0,
  0, 0, 0, 0, 0, 0, 0, 0,
  NULL, NULL, NULL, NULL, NULL,
  NULL, NULL, NULL, NULL, NULL,
  0, NULL, 0, 0, 0,
  NULL, NULL
);
-- F_DOBA 8: daily working time of a full-time employee; the 40-hour week of the Labour Code
--   (Act 311/2001 Coll.; 5 days of 8 hours) was not checked against its text (unconfirmed).
-- Surcharge rates, the social-fund rate and F_NEMOHOL are the firm's own choices: 0 until the
--   clerk sets them. F_POISTNE (liability-insurance rate) is read only for periods before 2004.
-- FZ_DEN 0: the pay day is the firm's choice.

-- Cost centres: centre 1 cannot be deleted, so every firm has it.
INSERT INTO Cis_vm (ID, NAZOV) VALUES (1, 'Stredisko 1');

-- Statement contact row: edited only, never added or deleted. DEN is required.
INSERT INTO Tlac_par (VYKAZ_ZOSTAVIL, KONTAKTNA_OSOBA, TELEFON, FAX, MAIL, DEN, MIESTO)
  VALUES (NULL, NULL, NULL, NULL, NULL, '2004-01-01', NULL);

-- Marker row of the data upgrades: "SYS" says that the one-time clearing of the employees'
-- Nc_minimum has been done (a new firm has nothing to clear).
UPDATE dual SET text = 'SYS';


-- Bookkeeping lines. ID is the posting-line number under which the cost recapitulation stores
-- each amount ("+" lines; 17.50 takes the withholding tax). Line 12 receives the sum of lines
-- 1 to 11. Lines 29/35 (health insurer, employees'/employer's part) and 34/43 (supplementary
-- pension fund) are added per insurer or fund with the code-list dialog, so the template has
-- none. Lines 11, 18 and 19 are not written by the recapitulation and are not shipped.
-- The accounts are the customary ones of the Slovak chart of accounts for entrepreneurs
-- (521 wages, 524 statutory insurance, 527 statutory social costs, 331 employees, 335 claims on
-- employees, 336 social and health insurance institutions, 342 income tax, 379 other payables,
-- 472 social fund): no source, a firm adapts them. Analytic accounts are left to the firm.
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (1, NULL, NULL, 'Základné mzdy', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (2, NULL, NULL, 'Mzdové príplatky', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (3, NULL, NULL, 'Prémie', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (4, NULL, NULL, 'Odmeny', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (5, NULL, NULL, 'Náhrady sviatok', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (6, NULL, NULL, 'Náhrady dovolenka', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (7, NULL, NULL, 'Náhrady neprítomnosť', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (8, NULL, NULL, 'Náhrady za neprac. 60%', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (9, NULL, NULL, 'Náhrady za PN', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (10, NULL, NULL, 'Náhrady za pohotovosť', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (12, NULL, NULL, 'Mzdové náklady spolu (r.1 až 11)', NULL, NULL, NULL, NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (13, NULL, NULL, 'Odmeny z DoVP', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (14, NULL, NULL, 'Odstupné zákonné', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (15, NULL, NULL, 'Príspevky zo SF', '472', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (16, NULL, NULL, 'Príjmy mimo poistného', '521', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (17, NULL, NULL, 'Daňový úrad - preddavky', '331', NULL, '342', NULL, NULL);
-- 17.50: the row that the data upgrade would add ('daň zrážky'), here with its accounts.
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (17.50, NULL, NULL, 'daň zrážky', '331', NULL, '342', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (20, NULL, NULL, 'Nedoplatky z ročného zúčt.', '331', NULL, '342', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (21, NULL, NULL, 'Preplatky z ročného zúčt.', '342', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (22, NULL, NULL, 'Daňový bonus', '342', NULL, '331', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (23, NULL, NULL, 'Zálohy na mzdu', '331', NULL, '335', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (24, NULL, NULL, 'Pôžičky', '331', NULL, '379', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (25, NULL, NULL, 'Odbory', '331', NULL, '379', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (26, NULL, NULL, 'Poistenie', '331', NULL, '379', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (27, NULL, NULL, 'Ost.zrážky', '331', NULL, '379', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (28, NULL, NULL, 'Stravné', '331', NULL, '379', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (30, NULL, 'Z', 'NP (nemocenské poistenie)', '331', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (31, NULL, 'Z', 'SP (starobné poistenie)', '331', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (32, NULL, 'Z', 'IP (invalidné poistenie)', '331', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (33, NULL, 'Z', 'PvN (poist. v nezamestnanosti)', '331', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (36, NULL, 'F', 'NP (nemocenské poistenie)', '524', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (37, NULL, 'F', 'SP (starobné poistenie)', '524', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (38, NULL, 'F', 'IP (invalidné poistenie)', '524', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (39, NULL, 'F', 'PvN (poist. v nezamestnanosti)', '524', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (40, NULL, NULL, 'UP (úrazové poistenie)', '524', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (41, NULL, NULL, 'GP (garančné poistenie)', '524', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (42, NULL, NULL, 'PdRF (rezervný fond solidarity)', '524', NULL, '336', NULL, NULL);
INSERT INTO cis_pu (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, DAL_AN, SUMA) VALUES (44, NULL, NULL, 'Odvod do sociálneho fondu', '527', NULL, '472', NULL, NULL);
