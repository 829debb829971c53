-- Workstation-private folder PRIVATE/ (alias TARIX_PRIV).

-- Open period and cost centre of the workstation: January 2007, whole firm (SID 0).
-- Opening a firm and year overwrites ROK with the chosen year.
INSERT INTO Priv (ROK, MESIAC, SID) VALUES (2007, 1, 0);

-- Program password of the workstation: empty, so an empty entry logs in (a blank text is NULL;
-- the login compares it as the empty text).
INSERT INTO Sys (ADMIN) VALUES (NULL);

-- HLD and nakl are scratch tables that reports fill; they start empty.
