#pragma once
// What the payroll screen shows on its tabs: the fields of the payroll record with their
// captions, in the order they stand, and which of them are only shown. No Qt Widgets here,
// so that the lists can be checked against the payroll table and the calculation.
#include <QString>
#include <QStringList>
#include <QVector>

namespace tarix::payroll::MainVyp {

struct PoleObrazovky {
    QString pole;   // field of the payroll record (TVYP_)
    QString popis;  // caption beside it
    bool lenCitanie = false; // always shown only (a result of the calculation)
};

// One block of fields under a heading.
struct Skupina {
    QString nadpis;
    QVector<PoleObrazovky> polia;
};

struct Zalozka {
    QString meno;    // object name of the tab ("PAGE_ZAKLAD")
    QString nazov;   // its caption ("Základné údaje")
    QVector<Skupina> skupiny;
};

// The payroll tabs that show fields of the record (the piece-work, deductions and absence
// tabs have their own controls). The surcharge and insurance tabs are laid out as tables.
const QVector<Zalozka> &Zalozky_vyplaty();

// A table of fields: one row per item (a fund, a surcharge), one column per kind.
struct Tabulka {
    QStringList stlpce;           // column headings (the first is the row caption)
    struct Riadok {
        QString popis;
        QStringList polia;        // one field per column after the caption; empty: nothing.
                                  // "Inf.X": field X of the firm header, only shown
        QString popisZHlavicky;   // firm-header field holding the caption (free surcharges)
    };
    QVector<Riadok> riadky;
    QStringList lenCitanie;       // fields of the table only shown
};
// The five funds of PAGE_POISTNE (participation, employee and employer rate, employee and
// employer contribution) and the employer-only funds.
const Tabulka &Tabulka_fondov();
const Tabulka &Tabulka_fondov_firmy();
// The surcharges of PAGE_PRIPL: hours, rate kind, amount. The rates are shown beside them
// from the firm header (first six) and the record (the free ones).
const Tabulka &Tabulka_priplatkov();

// Every field of the record that the screen offers for input (not marked as only shown),
// each once, in screen order.
QStringList Vstupne_polia();
// Every field of the record the screen shows, each once.
QStringList Zobrazene_polia();

} // namespace tarix::payroll::MainVyp
